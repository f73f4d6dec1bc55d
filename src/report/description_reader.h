#pragma once
// The element syntax of a stored template: nested elements
// `<Class attributes>...</Class>` or `<Class attributes/>`, with comments.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace lk63 {

struct TDescriptionElement {
    std::string Name;
    std::string Attributes;    // raw attribute text, still escaped
    std::size_t Position = 0;  // offset of '<' in the description
    std::vector<std::unique_ptr<TDescriptionElement>> Children;
};

// The one root element. Throws TrpError naming the position for anything
// else: text outside elements, unbalanced or mismatched tags, a second root.
std::unique_ptr<TDescriptionElement> ReadDescription(std::string_view text);

}  // namespace lk63
