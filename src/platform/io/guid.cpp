#include "platform/io/guid.h"

#include <uuid/uuid.h>

namespace lk63::platform {

std::string NewGuidText() {
    // Random, not time-based: a time-based one would carry this machine's
    // network address into every document.
    uuid_t id;
    uuid_generate_random(id);
    char text[37] = {};
    uuid_unparse_upper(id, text);
    return "{" + std::string(text) + "}";
}

}  // namespace lk63::platform
