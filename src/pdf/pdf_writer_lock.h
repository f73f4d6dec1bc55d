#pragma once
// The page content writer's own process-wide lock, taken after the text
// layout's lock and held with it for the whole of a memo.

#include <mutex>

namespace lk63 {

// Recursive, like the layout lock.
[[nodiscard]] std::unique_lock<std::recursive_mutex> LockPdfWriter();

}  // namespace lk63
