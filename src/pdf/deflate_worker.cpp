#include "pdf/deflate_worker.h"

#include <utility>

#include "platform/io/deflate.h"

namespace lk63 {

TrpDeflateWorker::~TrpDeflateWorker() {
    {
        const std::lock_guard guard(lock_);
        stop_ = true;
    }
    wake_.notify_one();
    if (thread_.joinable()) thread_.join();
}

std::future<std::string> TrpDeflateWorker::Deflate(std::string_view text) {
    std::packaged_task<std::string()> job([text] { return platform::Deflate(text, 1); });
    std::future<std::string> result = job.get_future();
    {
        const std::lock_guard guard(lock_);
        jobs_.push_back(std::move(job));
        if (!thread_.joinable()) thread_ = std::thread([this] { Run(); });
    }
    wake_.notify_one();
    return result;
}

void TrpDeflateWorker::Run() {
    for (;;) {
        std::packaged_task<std::string()> job;
        {
            std::unique_lock guard(lock_);
            wake_.wait(guard, [this] { return stop_ || !jobs_.empty(); });
            if (jobs_.empty()) return;  // stopped with nothing left
            job = std::move(jobs_.front());
            jobs_.pop_front();
        }
        job();  // an exception reaches the one who takes the result
    }
}

}  // namespace lk63
