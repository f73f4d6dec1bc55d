#include "platform/io/guid.h"
#include "platform/io/md5.h"

#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <string>

namespace lk63::platform {
namespace {

TEST(Guid, IsRandomInRegistryForm) {
    // Version 4 (random) with the standard variant: a time-based GUID would leak
    // the machine's network address into the document.
    const std::regex form("\\{[0-9A-F]{8}-[0-9A-F]{4}-4[0-9A-F]{3}-[89AB][0-9A-F]{3}-[0-9A-F]{12}\\}");
    for (int i = 0; i < 20; ++i) {
        const std::string guid = NewGuidText();
        EXPECT_EQ(guid.size(), 38u) << guid;
        EXPECT_TRUE(std::regex_match(guid, form)) << guid;
    }
}

TEST(Guid, EveryCallGivesANewOne) {
    std::set<std::string> seen;
    for (int i = 0; i < 10000; ++i) EXPECT_TRUE(seen.insert(NewGuidText()).second) << "repeated after " << i;
}

TEST(Md5, MatchesTheReferenceVectors) {
    using namespace std::string_literals;
    struct Case {
        std::string input;
        const char* digest;
    } const cases[] = {
        // The test suite of RFC 1321.
        {"", "d41d8cd98f00b204e9800998ecf8427e"},
        {"a", "0cc175b9c0f1b6a831c399e269772661"},
        {"abc", "900150983cd24fb0d6963f7d28e17f72"},
        {"message digest", "f96b697d7cb7938d525a2f31aaf161d0"},
        {"abcdefghijklmnopqrstuvwxyz", "c3fcd3d76192e4007dfb496cca67e13b"},
        {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789", "d174ab98d277d9f5a5611c2c9f419d9f"},
        {"12345678901234567890123456789012345678901234567890123456789012345678901234567890",
         "57edf4a22be3c955ac49da2e2107b67a"},
        // Every byte counts, a zero byte too.
        {"\0"s, "93b885adfe0da089cdf634904fd59f71"},
        {"a\0b"s, "70350f6027bce3713f6b76473084309b"},
    };
    for (const Case& c : cases) EXPECT_EQ(Md5Hex(c.input), c.digest) << '"' << c.input << '"';
}

TEST(Md5, ALongInputIsHashedWhole) {
    // Far more than one 64-byte block, so the state carries across many updates.
    EXPECT_EQ(Md5Hex(std::string(1000000, 'a')), "7707d6ae4e027c70eea2a935c2296f21");
}

}  // namespace
}  // namespace lk63::platform
