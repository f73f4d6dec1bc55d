#include "questionnaire/window/open_dialog.h"

#include "questionnaire/window/file_dialog_size.h"

namespace lk63 {

std::unique_ptr<QFileDialog> CreateOpenDialog(QWidget* parent, const QString& folder) {
    auto dialog = std::make_unique<QFileDialog>(parent, QStringLiteral("Открыть опросный лист"), folder);
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    dialog->setFileMode(QFileDialog::ExistingFile);
    dialog->setNameFilter(QString::fromUtf16(kOrderFilter));
    SizeFileDialog(*dialog);
    return dialog;
}

std::optional<QString> RunOpenDialog(QWidget* parent, const QString& folder) {
    const std::unique_ptr<QFileDialog> dialog = CreateOpenDialog(parent, folder);
    const int answer = dialog->exec();
    // Not every desktop hands the activation back to the window below.
    if (parent) parent->window()->activateWindow();
    if (answer != QDialog::Accepted) return std::nullopt;
    const QStringList files = dialog->selectedFiles();
    if (files.isEmpty() || files.front().isEmpty()) return std::nullopt;
    return files.front();
}

}  // namespace lk63
