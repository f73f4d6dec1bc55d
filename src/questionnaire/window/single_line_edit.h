#pragma once
// A one-line field in which control characters, line breaks included, that
// are typed or pasted become spaces: what is on screen is what is printed.

#include <QLineEdit>

namespace lk63 {

class TSingleLineEdit : public QLineEdit {
public:
    explicit TSingleLineEdit(QWidget* parent = nullptr);
};

}  // namespace lk63
