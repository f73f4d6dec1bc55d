#pragma once
// Keeps a one-line field free of control characters: whatever arrives (typed,
// pasted, dropped, set), each control character, line breaks and tabs
// included, becomes a space before the field shows it, so what is on screen
// is what is printed.

#include <QValidator>

namespace lk63 {

class TNoControlsValidator : public QValidator {
public:
    using QValidator::QValidator;

    // Always Acceptable; `input` comes back with its controls turned into spaces.
    State validate(QString& input, int& pos) const override;
};

}  // namespace lk63
