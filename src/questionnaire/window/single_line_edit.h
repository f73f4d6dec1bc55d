#pragma once
// A one-line field in which control characters, line breaks included, that
// are typed or pasted become spaces: what is on screen is what is printed.

#include <QLineEdit>

namespace lk63 {

class TSingleLineEdit : public QLineEdit {
public:
    explicit TSingleLineEdit(QWidget* parent = nullptr);

    // The text with every control character replaced by a space.
    static QString WithoutControls(const QString& text);

private:
    void Clean();
};

}  // namespace lk63
