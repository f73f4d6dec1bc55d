#pragma once
// MD5 digests (RFC 1321), used where a file format asks for one.

#include <string>
#include <string_view>

namespace lk63::platform {

// The digest of `bytes` as 32 lower-case hex digits.
std::string Md5Hex(std::string_view bytes);

}  // namespace lk63::platform
