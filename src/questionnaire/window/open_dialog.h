#pragma once
// The open-file dialog of Ctrl+O: saved questionnaires and ORDER.json files,
// an existing file only, starting in the folder of the file saved or opened
// last (the user's documents folder before that). The toolkit's own dialog,
// as for the save.

#include <memory>
#include <optional>

#include <QFileDialog>

namespace lk63 {

inline constexpr const char16_t* kOrderFilter = u"Опросный лист (*.pdf *.json)";

std::unique_ptr<QFileDialog> CreateOpenDialog(QWidget* parent, const QString& folder);
// The chosen path; none when the user cancelled.
std::optional<QString> RunOpenDialog(QWidget* parent, const QString& folder);

}  // namespace lk63
