#pragma once
// The modal error message of the window ("Ошибка" with an error icon).

#include <memory>

#include <QMessageBox>

namespace lk63 {

// Line breaks of any kind in `text` become the toolkit's.
std::unique_ptr<QMessageBox> CreateErrorBox(QWidget* parent, const QString& caption, const QString& text);
void ShowErrorBox(QWidget* parent, const QString& caption, const QString& text);

}  // namespace lk63
