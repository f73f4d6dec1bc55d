#include "report/error_list.h"

#include <algorithm>

#include "platform/unicode.h"

namespace lk63 {

void TrpErrorList::Add(std::string message) {
    // Compared in lower case by Unicode rules; UTF-8 bytes sort like code points.
    const std::string key = platform::Utf8ToLower(message);
    const auto it = std::lower_bound(
        items_.begin(), items_.end(), key,
        [](const std::string& item, const std::string& k) { return platform::Utf8ToLower(item) < k; });
    if (it != items_.end() && platform::Utf8ToLower(*it) == key) return;
    items_.insert(it, std::move(message));
}

}  // namespace lk63
