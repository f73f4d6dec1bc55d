#include "questionnaire/window/open_dialog.h"

#include "questionnaire/window/file_dialog.h"

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
    return RunFileDialog(parent, *dialog);
}

}  // namespace lk63
