#pragma once
// Decompressing a zlib stream of a written PDF, to check what a reader sees.

#include <zlib.h>

#include <stdexcept>
#include <string>
#include <string_view>

namespace lk63::test {

inline std::string Inflate(std::string_view packed) {
    z_stream z{};
    if (inflateInit(&z) != Z_OK) throw std::runtime_error("inflateInit failed");
    std::string out;
    char chunk[16384];
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(packed.data()));
    z.avail_in = static_cast<uInt>(packed.size());
    int status = Z_OK;
    while (status == Z_OK) {
        z.next_out = reinterpret_cast<Bytef*>(chunk);
        z.avail_out = sizeof chunk;
        status = inflate(&z, Z_NO_FLUSH);
        out.append(chunk, sizeof chunk - z.avail_out);
    }
    inflateEnd(&z);
    if (status != Z_STREAM_END) throw std::runtime_error("not a complete zlib stream");
    return out;
}

}  // namespace lk63::test
