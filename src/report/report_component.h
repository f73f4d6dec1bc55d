#pragma once
// Common base of views, bands and data sets, and of the non-visual ones.

#include "report/component.h"

namespace lk63 {

class TrpReportComponent : public TrpComponent {
public:
    // The bounds a view or band had before its band was output, so that the
    // engine can put the template back afterwards.
    void SaveBounds();
    void RestoreBounds();
    [[nodiscard]] bool HasSavedBounds() const { return hasSavedBounds_; }

private:
    bool hasSavedBounds_ = false;
    double savedLeft_ = 0, savedTop_ = 0, savedWidth_ = 0, savedHeight_ = 0;
};

// Non-visual components: never copied into prepared pages.
class TrpDialogComponent : public TrpReportComponent {
public:
    TrpDialogComponent() { SetShownInPreparedPages(false); }
};

}  // namespace lk63
