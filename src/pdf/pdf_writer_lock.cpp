#include "pdf/pdf_writer_lock.h"

namespace lk63 {

std::unique_lock<std::recursive_mutex> LockPdfWriter() {
    static std::recursive_mutex lock;
    return std::unique_lock(lock);
}

}  // namespace lk63
