#include "controls/no_controls_validator.h"

#include "controls/typed_char.h"

namespace lk63 {

QValidator::State TNoControlsValidator::validate(QString& input, int& /*pos*/) const {
    // One character for one: the caret stays where it was.
    input = ControlsToSpaces(input);
    return Acceptable;
}

}  // namespace lk63
