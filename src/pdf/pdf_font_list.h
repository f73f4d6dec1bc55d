#pragma once
// The fonts of an export run in order of first use; the index of a font is
// its resource name (/F0, /F1, ...) and its place in every page's resources.

#include <cstddef>
#include <memory>
#include <vector>

#include "pdf/pdf_font.h"

namespace lk63 {

class TrpPDFFontList {
public:
    // The index of the font with the same identity, or of a new one made
    // from `font` and appended.
    std::size_t FindOrAdd(const TrpFont& font);

    // Whether fonts added from now on embed their programs.
    void SetEmbedded(bool embedded) { embedded_ = embedded; }
    [[nodiscard]] bool Embedded() const { return embedded_; }

    [[nodiscard]] std::size_t Count() const { return fonts_.size(); }
    [[nodiscard]] TrpPDFFont& operator[](std::size_t index) { return *fonts_[index]; }
    [[nodiscard]] const TrpPDFFont& operator[](std::size_t index) const { return *fonts_[index]; }
    void Clear() { fonts_.clear(); }

private:
    std::vector<std::unique_ptr<TrpPDFFont>> fonts_;
    bool embedded_ = false;
};

}  // namespace lk63
