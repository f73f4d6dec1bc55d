#pragma once
// XML attribute syntax: ` Name="value"` pairs, each preceded by one blank,
// values XML-escaped.

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace lk63 {

using TAttribute = std::pair<std::string, std::string>;

// &, <, >, " and every control character become references, so that line
// breaks and tabs survive inside a quoted value.
std::string EscapeAttributeValue(std::string_view value);

// Appends ` name="escaped value"`.
void AppendAttribute(std::string& out, std::string_view name, std::string_view value);

// Names and unescaped values in text order. Throws TrpError naming the
// position for anything that is not attribute syntax or holds a bad
// character reference.
std::vector<TAttribute> ParseAttributes(std::string_view text);

}  // namespace lk63
