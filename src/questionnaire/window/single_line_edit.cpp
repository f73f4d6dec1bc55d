#include "questionnaire/window/single_line_edit.h"

#include "controls/no_controls_validator.h"

namespace lk63 {

TSingleLineEdit::TSingleLineEdit(QWidget* parent) : QLineEdit(parent) {
    setValidator(new TNoControlsValidator(this));
}

}  // namespace lk63
