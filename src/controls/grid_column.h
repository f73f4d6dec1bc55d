#pragma once
// One column of a grid. Setting a property notifies the owning collection:
// Width and Visible as a layout change, everything else as a content change.

#include <memory>

#include <QString>
#include <QStringList>

#include "controls/grid_types.h"

namespace lk63 {

class TGridColumns;

class TGridColumn {
public:
    static constexpr int MaxColumnWidth = 10000;

    explicit TGridColumn(TGridColumns* owner);

    [[nodiscard]] const QString& Caption() const { return caption_; }
    void SetCaption(const QString& value);

    // The effective width: 0 while the column is hidden.
    [[nodiscard]] int Width() const { return visible_ ? defWidth_ : 0; }
    // Clamped into [MinWidth, MaxWidth].
    void SetWidth(int value);
    [[nodiscard]] int DefWidth() const { return defWidth_; }
    [[nodiscard]] int MinWidth() const { return minWidth_; }
    void SetMinWidth(int value);
    [[nodiscard]] int MaxWidth() const { return maxWidth_; }
    void SetMaxWidth(int value);

    [[nodiscard]] TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);
    [[nodiscard]] bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool value);
    [[nodiscard]] bool WantReturns() const { return wantReturns_; }
    void SetWantReturns(bool value);
    [[nodiscard]] bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool value);
    [[nodiscard]] TGridEditStyle EditStyle() const { return editStyle_; }
    void SetEditStyle(TGridEditStyle value);
    [[nodiscard]] const QString& EditMask() const { return editMask_; }
    void SetEditMask(const QString& value);
    [[nodiscard]] TEditWordWrap EditWordWrap() const { return editWordWrap_; }
    void SetEditWordWrap(TEditWordWrap value);
    [[nodiscard]] int MaxLength() const { return maxLength_; }
    void SetMaxLength(int value);
    [[nodiscard]] bool AlignEdit() const { return alignEdit_; }
    void SetAlignEdit(bool value);
    [[nodiscard]] bool AllowEdit() const { return allowEdit_; }
    void SetAllowEdit(bool value);
    [[nodiscard]] bool TabStop() const { return tabStop_; }
    void SetTabStop(bool value);
    [[nodiscard]] bool Visible() const { return visible_; }
    void SetVisible(bool value);
    [[nodiscard]] bool FixedSize() const { return fixedSize_; }
    void SetFixedSize(bool value);
    [[nodiscard]] bool AllowClick() const { return allowClick_; }
    void SetAllowClick(bool value);
    [[nodiscard]] int Tag() const { return tag_; }
    void SetTag(int value) { tag_ = value; }

    // Created on first access; edits through the reference notify nobody, as
    // the list is read only when a pick list opens.
    QStringList& PickList();
    [[nodiscard]] bool HasPickList() const { return pickList_ != nullptr && !pickList_->isEmpty(); }

private:
    void Changed(bool layout);
    template <class T>
    void Assign(T& field, const T& value, bool layout);

    TGridColumns* owner_;
    QString caption_;
    int defWidth_ = 64;
    int minWidth_ = 0;
    int maxWidth_ = MaxColumnWidth;
    TAlignment alignment_ = TAlignment::taLeftJustify;
    bool readOnly_ = false;
    bool wantReturns_ = false;
    bool wordWrap_ = false;
    TGridEditStyle editStyle_ = TGridEditStyle::geSimple;
    QString editMask_;
    TEditWordWrap editWordWrap_ = TEditWordWrap::ewAuto;
    int maxLength_ = 0;
    bool alignEdit_ = false;
    bool allowEdit_ = true;
    bool tabStop_ = true;
    bool visible_ = true;
    bool fixedSize_ = false;
    bool allowClick_ = true;
    int tag_ = 0;
    std::unique_ptr<QStringList> pickList_;
};

}  // namespace lk63
