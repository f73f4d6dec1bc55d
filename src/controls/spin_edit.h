#pragma once
// A one-line numeric field with up and down buttons at its right end. The
// text is the only state: Value is read from it (MinValue when it is not an
// integer) and only leaving the field puts an out-of-bounds number back
// between the bounds. Pasted text is taken as it is, except that control
// characters become spaces.

#include <functional>

#include <QLineEdit>

#include "controls/spin_button.h"

namespace lk63 {

class TSpinEdit : public QLineEdit {
public:
    explicit TSpinEdit(QWidget* parent = nullptr);

    [[nodiscard]] int MinValue() const { return minValue_; }
    void SetMinValue(int value) { minValue_ = value; }
    [[nodiscard]] int MaxValue() const { return maxValue_; }
    void SetMaxValue(int value) { maxValue_ = value; }
    [[nodiscard]] int Increment() const { return increment_; }
    void SetIncrement(int value) { increment_ = value; }
    [[nodiscard]] bool EditorEnabled() const { return editorEnabled_; }
    void SetEditorEnabled(bool value) { editorEnabled_ = value; }
    [[nodiscard]] bool ReadOnly() const { return isReadOnly(); }
    void SetReadOnly(bool value) { setReadOnly(value); }
    [[nodiscard]] bool AutoSelect() const { return autoSelect_; }
    void SetAutoSelect(bool value) { autoSelect_ = value; }
    [[nodiscard]] int MaxLength() const { return maxLength_; }
    // 0: no limit.
    void SetMaxLength(int value);
    [[nodiscard]] QString Text() const { return text(); }
    void SetText(const QString& value) { setText(value); }

    // The text as an integer; MinValue when it is not one.
    [[nodiscard]] int Value() const;
    // The text becomes the decimal form of ClampToBounds(value).
    void SetValue(int value);
    [[nodiscard]] int ClampToBounds(int value) const;
    void StepUp();
    void StepDown();
    [[nodiscard]] bool AcceptsChar(QChar key) const;

    [[nodiscard]] TSpinButton* Button() const { return button_; }
    // The button column in client coordinates (inside the field's edge).
    [[nodiscard]] QRect ButtonBounds() const;
    // The smallest height the font allows.
    [[nodiscard]] int MinHeight() const;

    std::function<void(TSpinEdit& Sender)> OnChange;

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void dropEvent(QDropEvent* e) override;

private:
    void Step(int delta);
    [[nodiscard]] int EdgeWidth() const;
    [[nodiscard]] bool CanEditText() const { return editorEnabled_ && !isReadOnly(); }

    int minValue_ = 0;
    int maxValue_ = 0;
    int increment_ = 1;
    bool editorEnabled_ = true;
    bool autoSelect_ = true;
    int maxLength_ = 0;
    TSpinButton* button_;
};

}  // namespace lk63
