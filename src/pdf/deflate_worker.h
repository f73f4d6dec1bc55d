#pragma once
// Deflating page contents on a thread of its own, so that a page is packed
// while the next one is laid out. Deflating is deterministic: the bytes are
// those of deflating in line, only sooner.

#include <condition_variable>
#include <deque>
#include <future>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>

namespace lk63 {

class TrpDeflateWorker {
public:
    TrpDeflateWorker() = default;
    // Finishes what was handed over, then ends the thread.
    ~TrpDeflateWorker();
    TrpDeflateWorker(const TrpDeflateWorker&) = delete;
    TrpDeflateWorker& operator=(const TrpDeflateWorker&) = delete;

    // `text` deflated at level 1, in the order handed over; the thread starts
    // with the first. `text` must stay as it is until the result is there.
    std::future<std::string> Deflate(std::string_view text);

private:
    void Run();

    std::mutex lock_;
    std::condition_variable wake_;
    std::deque<std::packaged_task<std::string()>> jobs_;
    bool stop_ = false;
    std::thread thread_;
};

}  // namespace lk63
