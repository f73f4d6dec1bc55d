#include "platform/io/deflate.h"

#include <zlib.h>

#include <stdexcept>

namespace lk63::platform {

std::string Deflate(std::string_view bytes, int level) {
    if (level < Z_DEFAULT_COMPRESSION || level > Z_BEST_COMPRESSION) {
        throw std::invalid_argument("Deflate: compression level " + std::to_string(level) +
                                    " is outside -1 to 9");
    }
    uLongf size = compressBound(static_cast<uLong>(bytes.size()));
    std::string out(size, '\0');
    const int result = compress2(reinterpret_cast<Bytef*>(out.data()), &size,
                                 reinterpret_cast<const Bytef*>(bytes.data()), static_cast<uLong>(bytes.size()),
                                 level);
    if (result != Z_OK) throw std::runtime_error(std::string("Deflate failed: ") + zError(result));
    out.resize(size);
    return out;
}

}  // namespace lk63::platform
