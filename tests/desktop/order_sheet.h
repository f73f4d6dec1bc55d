#pragma once
// What the test enters into the window, kept as an ORDER.json of
// lk63-order, which answers what each row offers and prints the same
// questionnaire for comparison.

#include <string>
#include <vector>

namespace lk63::desktop {

struct TOrderSheet {
    std::string Organisation, Address, Contact, Quantity = "1", Note;
    // Option texts of the rows chosen so far, top to bottom.
    std::vector<std::string> Breaker, Accessories;

    [[nodiscard]] std::string Json() const;
};

class TOrderTool {
public:
    TOrderTool(std::string program, std::string folder);

    // The entries the pick list of `grid` 1 or 2, `row` from 0, offers after the sheet's choices.
    [[nodiscard]] std::vector<std::string> Offered(const TOrderSheet& sheet, int grid, int row) const;
    // Writes the sheet's questionnaire as the window's save command would; throws on failure.
    void Pdf(const TOrderSheet& sheet, const std::string& path) const;

private:
    std::string WriteSheet(const TOrderSheet& sheet) const;

    std::string program_;
    std::string folder_;
};

// The text layer of a PDF as pdftotext reads it.
std::string PdfText(const std::string& path);

}  // namespace lk63::desktop
