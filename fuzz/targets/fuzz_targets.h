#pragma once
// The fuzz targets as plain functions: libFuzzer calls them through its entry
// point, and the replay test runs the kept inputs through them in the
// ordinary test build. A target throws TFuzzFinding when an invariant breaks;
// any other exception that leaves it is a finding too.

#include <string_view>

namespace lk63::fuzz {

// Memo text with bracketed expressions and report variables: extraction,
// expansion, evaluation of string literals.
void ExpressionTarget(std::string_view input);
// Line breaking at random widths, fonts and spacing; the lines that fit a
// height, and the parts a memo is cut into when its band is split.
void LineBreakingTarget(std::string_view input);
// ORDER.json of lk63-order: parsing, applying the choices, deriving texts.
void OrderInputTarget(std::string_view input);
// A saved questionnaire's attached order, read through qpdf and applied.
void PdfOrderTarget(std::string_view input);
// Organisation texts, quantity and note through the save path into a PDF
// in memory, which must be complete.
void SavePdfTarget(std::string_view input);

struct TFuzzTarget {
    const char* Name;  // the folder name under fuzz/corpus and fuzz/regressions
    void (*Run)(std::string_view);
};

inline constexpr TFuzzTarget kFuzzTargets[] = {
    {"expression", ExpressionTarget},
    {"line_breaking", LineBreakingTarget},
    {"order_input", OrderInputTarget},
    {"pdf_order", PdfOrderTarget},
    {"save_pdf", SavePdfTarget},
};

}  // namespace lk63::fuzz
