#pragma once
// Whether a PDF written in one pass is complete: header, every object where
// the cross-reference table says, every stream inflating to its stated
// length, the page tree counting the pages, the trailer and %%EOF.

#include <string>
#include <string_view>

namespace lk63::fuzz {

// Empty when complete, else what is wrong first.
std::string PdfProblem(std::string_view pdf, int expectedPages);

}  // namespace lk63::fuzz
