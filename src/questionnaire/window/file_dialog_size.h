#pragma once
// The file dialogs' size and columns: the toolkit's guesses are made for
// English texts and cut the Russian ones.

#include <QFileDialog>

namespace lk63 {

// Size, type and date take the room their headers and entries need; the
// name the rest. The dialog is made at least large enough for that.
void SizeFileDialog(QFileDialog& dialog);

}  // namespace lk63
