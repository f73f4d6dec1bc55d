#pragma once
// The heading of a section: its caption in a larger black font inside a
// sunken one-pixel edge, never taking the input focus.

#include <QLabel>

namespace lk63 {

class TSectionHeading : public QLabel {
public:
    TSectionHeading(const QString& caption, QWidget* parent = nullptr);
};

}  // namespace lk63
