#pragma once
// Compression of stream data in the zlib format (RFC 1950 header, deflate body).

#include <string>
#include <string_view>

namespace lk63::platform {

// `bytes` deflated at `level` (0 to 9, or -1 for zlib's default), with the zlib
// header and checksum. Throws std::invalid_argument for any other level and
// std::runtime_error when zlib fails.
std::string Deflate(std::string_view bytes, int level);

}  // namespace lk63::platform
