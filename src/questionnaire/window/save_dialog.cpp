#include "questionnaire/window/save_dialog.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include "questionnaire/window/file_dialog.h"

namespace lk63 {

QString FirstSaveFolder() {
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!documents.isEmpty() && QFileInfo(documents).isDir()) return documents;
    return QDir::homePath();
}

std::unique_ptr<QFileDialog> CreateSaveDialog(QWidget* parent, const QString& proposed) {
    auto dialog = std::make_unique<QFileDialog>(parent);
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setFileMode(QFileDialog::AnyFile);
    dialog->setNameFilter(QString::fromUtf16(kPdfFilter));
    dialog->setDefaultSuffix(QStringLiteral("pdf"));
    dialog->setOption(QFileDialog::DontConfirmOverwrite, false);
    if (proposed.isEmpty()) dialog->setDirectory(FirstSaveFolder());
    else dialog->selectFile(proposed);
    SizeFileDialog(*dialog);
    return dialog;
}

std::optional<QString> RunSaveDialog(QWidget* parent, const QString& proposed) {
    const std::unique_ptr<QFileDialog> dialog = CreateSaveDialog(parent, proposed);
    return RunFileDialog(parent, *dialog);
}

}  // namespace lk63
