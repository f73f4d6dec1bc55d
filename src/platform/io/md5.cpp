#include "platform/io/md5.h"

#include <sys/types.h>

#include <md5.h>

#include <cstdint>

namespace lk63::platform {

std::string Md5Hex(std::string_view bytes) {
    MD5_CTX context;
    MD5Init(&context);
    MD5Update(&context, reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    std::uint8_t digest[MD5_DIGEST_LENGTH];
    MD5Final(digest, &context);

    static constexpr char kHex[] = "0123456789abcdef";
    std::string text;
    text.reserve(2 * MD5_DIGEST_LENGTH);
    for (std::uint8_t byte : digest) {
        text += kHex[byte >> 4];
        text += kHex[byte & 0x0F];
    }
    return text;
}

}  // namespace lk63::platform
