#pragma once
// The save-file dialog of "Сохранить в pdf": PDF files, the suffix "pdf"
// added to a bare name, the previous file proposed (the user's documents
// folder before the first save), and a question before an existing file is
// replaced. The toolkit's own dialog is used everywhere, so that the suffix
// is added before the overwrite question is asked.

#include <memory>
#include <optional>

#include <QFileDialog>

namespace lk63 {

inline constexpr const char16_t* kPdfFilter = u"Файл Adobe PDF (*.pdf)";

// The user's documents folder, or the home folder when there is none.
QString FirstSaveFolder();
std::unique_ptr<QFileDialog> CreateSaveDialog(QWidget* parent, const QString& proposed);
// The chosen path; none when the user cancelled.
std::optional<QString> RunSaveDialog(QWidget* parent, const QString& proposed);

}  // namespace lk63
