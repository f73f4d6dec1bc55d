#include "platform/io/deflate.h"

#include <zlib.h>

#include <limits>
#include <stdexcept>

namespace lk63::platform {
namespace {

// Setting up a stream allocates and clears a few hundred kilobytes; a
// document deflates every page, so each thread keeps its stream and resets
// it, which gives the same bytes as a new one.
class TDeflater {
public:
    TDeflater() = default;
    TDeflater(const TDeflater&) = delete;
    TDeflater& operator=(const TDeflater&) = delete;
    ~TDeflater() { End(); }

    z_stream* StreamFor(int level) {
        if (ready_ && level_ == level) return &stream_;
        End();
        stream_ = {};
        const int result = deflateInit(&stream_, level);
        if (result != Z_OK) throw std::runtime_error(std::string("Deflate failed: ") + zError(result));
        ready_ = true;
        level_ = level;
        return &stream_;
    }

    void Reset() {
        if (deflateReset(&stream_) != Z_OK) End();
    }

private:
    void End() {
        if (ready_) deflateEnd(&stream_);
        ready_ = false;
    }

    z_stream stream_{};
    int level_ = 0;
    bool ready_ = false;
};

}  // namespace

std::string Deflate(std::string_view bytes, int level) {
    if (level < Z_DEFAULT_COMPRESSION || level > Z_BEST_COMPRESSION) {
        throw std::invalid_argument("Deflate: compression level " + std::to_string(level) +
                                    " is outside -1 to 9");
    }
    static thread_local TDeflater deflater;
    z_stream& stream = *deflater.StreamFor(level);
    uLong left = compressBound(static_cast<uLong>(bytes.size()));
    std::string out(left, '\0');
    // As compress2 feeds it: in pieces no longer than a uInt counts.
    constexpr uLong kMost = std::numeric_limits<uInt>::max();
    uLong unread = static_cast<uLong>(bytes.size());
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data()));
    stream.avail_in = 0;
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = 0;
    int result = Z_OK;
    do {
        if (stream.avail_out == 0) {
            stream.avail_out = static_cast<uInt>(left > kMost ? kMost : left);
            left -= stream.avail_out;
        }
        if (stream.avail_in == 0) {
            stream.avail_in = static_cast<uInt>(unread > kMost ? kMost : unread);
            unread -= stream.avail_in;
        }
        result = deflate(&stream, unread ? Z_NO_FLUSH : Z_FINISH);
    } while (result == Z_OK);
    const uLong size = stream.total_out;
    deflater.Reset();
    if (result != Z_STREAM_END) throw std::runtime_error(std::string("Deflate failed: ") + zError(result));
    out.resize(size);
    return out;
}

}  // namespace lk63::platform
