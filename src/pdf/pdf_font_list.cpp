#include "pdf/pdf_font_list.h"

namespace lk63 {

std::size_t TrpPDFFontList::FindOrAdd(const TrpFont& font) {
    for (std::size_t i = 0; i < fonts_.size(); ++i)
        if (fonts_[i]->Matches(font)) return i;
    fonts_.push_back(std::make_unique<TrpPDFFont>(font, static_cast<int>(fonts_.size()), embedded_));
    return fonts_.size() - 1;
}

}  // namespace lk63
