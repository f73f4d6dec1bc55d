#pragma once
// What the open and save dialogs share: their size and columns (the
// toolkit's guesses are made for English texts and cut the Russian ones)
// and how they are run.

#include <optional>

#include <QFileDialog>
#include <QString>
#include <QWidget>

namespace lk63 {

// Size, type and date take the room their headers and entries need; the
// name the rest. The dialog is made at least large enough for that.
void SizeFileDialog(QFileDialog& dialog);

// Runs the dialog modally and gives the file chosen, nothing when cancelled;
// the window below is activated again afterwards.
std::optional<QString> RunFileDialog(QWidget* parent, QFileDialog& dialog);

}  // namespace lk63
