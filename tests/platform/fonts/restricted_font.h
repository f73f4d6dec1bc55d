#pragma once
// Copies of real font files whose licence says otherwise: the OS/2 table's
// embedding permission (fsType) is rewritten, everything else kept.

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>

namespace lk63::platform::test {

// Restricted-licence embedding: the font may not travel in a document.
inline constexpr std::uint16_t kRestrictedLicence = 0x0002;

// Writes `target` as `source` with the given fsType; replaces `target` in
// one step, so a reader never sees half a file.
inline void WriteFontWithPermission(const std::filesystem::path& source, const std::filesystem::path& target,
                                    std::uint16_t fsType) {
    std::ifstream in(source, std::ios::binary);
    std::string font((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const auto u16 = [&font](std::size_t at) {
        return static_cast<unsigned>(static_cast<unsigned char>(font.at(at)) << 8 | static_cast<unsigned char>(font.at(at + 1)));
    };
    const auto u32 = [&](std::size_t at) { return u16(at) << 16 | u16(at + 2); };
    const unsigned tables = u16(4);
    for (unsigned t = 0; t < tables; ++t) {
        const std::size_t record = 12 + 16 * static_cast<std::size_t>(t);
        if (font.compare(record, 4, "OS/2") != 0) continue;
        const std::size_t at = u32(record + 8) + 8;  // fsType follows version, xAvgCharWidth, weight and width
        font.at(at) = static_cast<char>(fsType >> 8);
        font.at(at + 1) = static_cast<char>(fsType & 0xFF);
        std::filesystem::create_directories(target.parent_path());
        const std::filesystem::path part = target.string() + ".part";
        std::ofstream(part, std::ios::binary) << font;
        std::filesystem::rename(part, target);
        return;
    }
    throw std::runtime_error(source.string() + " has no OS/2 table");
}

}  // namespace lk63::platform::test
