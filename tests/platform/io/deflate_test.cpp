#include "platform/io/deflate.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>
#include <random>
#include <stdexcept>
#include <string>

namespace lk63::platform {
namespace {

// zlib's own inflate reads it back, independently of how it was made. More
// output than expected fails too (no room for it).
std::string Inflate(const std::string& compressed, std::size_t originalSize) {
    std::string out(std::max<std::size_t>(originalSize, 1), '\0');
    uLongf size = static_cast<uLongf>(out.size());
    const int result = uncompress(reinterpret_cast<Bytef*>(out.data()), &size,
                                  reinterpret_cast<const Bytef*>(compressed.data()),
                                  static_cast<uLong>(compressed.size()));
    if (result != Z_OK) throw std::runtime_error(std::string("inflate: ") + zError(result));
    out.resize(size);
    return out;
}

std::string PageContent() {
    std::string text;
    for (int i = 0; i < 2000; ++i) {
        text += "BT /F0 8.00 Tf 1 0 0 1 " + std::to_string(40 + i % 7) + ".25 700.50 Tm <0033004A> Tj ET\r\n";
    }
    return text;
}

std::string RandomBytes(std::size_t size) {
    std::mt19937 random(12345);
    std::string bytes(size, '\0');
    for (char& c : bytes) c = static_cast<char>(random() & 0xFF);
    return bytes;
}

TEST(Deflate, RoundTripsThroughInflateAtEveryLevel) {
    using namespace std::string_literals;
    const std::string inputs[] = {"", "q", "with\0zero\0bytes"s, PageContent(), RandomBytes(200000)};
    for (int level : {-1, 0, 1, 6, 9}) {
        for (const std::string& input : inputs) {
            const std::string compressed = Deflate(input, level);
            EXPECT_EQ(Inflate(compressed, input.size()), input) << "level " << level << ", " << input.size() << " bytes";
        }
    }
}

TEST(Deflate, HeaderNamesTheLevel) {
    struct Case {
        int level;
        unsigned char second;  // the first is always 0x78: deflate, 32 KiB window
    } const cases[] = {{1, 0x01}, {0, 0x01}, {-1, 0x9C}, {6, 0x9C}, {9, 0xDA}};
    for (const Case& c : cases) {
        const std::string compressed = Deflate(PageContent(), c.level);
        ASSERT_GE(compressed.size(), 2u);
        EXPECT_EQ(static_cast<unsigned char>(compressed[0]), 0x78) << "level " << c.level;
        EXPECT_EQ(static_cast<unsigned char>(compressed[1]), c.second) << "level " << c.level;
    }
}

TEST(Deflate, RepetitiveContentShrinks) {
    const std::string content = PageContent();
    EXPECT_LT(Deflate(content, 1).size(), content.size() / 4);
}

TEST(Deflate, RejectsLevelsZlibDoesNotKnow) {
    for (int level : {-2, 10, 100}) EXPECT_THROW(Deflate("abc", level), std::invalid_argument) << level;
}

}  // namespace
}  // namespace lk63::platform
