#pragma once
// Fresh identifiers, such as the seed of a document ID.

#include <string>

namespace lk63::platform {

// A new random GUID in registry form: braces, upper-case hex digits and hyphens,
// 38 characters ("{6F9619FF-8B86-D011-B42D-00C04FC964FF}").
std::string NewGuidText();

}  // namespace lk63::platform
