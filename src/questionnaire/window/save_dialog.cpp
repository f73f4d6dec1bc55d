#include "questionnaire/window/save_dialog.h"

#include <algorithm>

#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QStandardPaths>
#include <QTreeView>

namespace lk63 {
namespace {

// The dialog's own guesses at its column widths are made for English texts.
constexpr int kDialogWidth = 760;
constexpr int kDialogHeight = 460;

}  // namespace

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
    // Size, type and date take the room their headers and entries need; the name the rest.
    if (auto* view = dialog->findChild<QTreeView*>(QStringLiteral("treeView"))) {
        QHeaderView* header = view->header();
        header->setStretchLastSection(false);
        header->setSectionResizeMode(0, QHeaderView::Stretch);
        for (int column = 1; column < header->count(); ++column)
            header->setSectionResizeMode(column, QHeaderView::ResizeToContents);
    }
    dialog->resize(std::max(dialog->width(), kDialogWidth), std::max(dialog->height(), kDialogHeight));
    return dialog;
}

std::optional<QString> RunSaveDialog(QWidget* parent, const QString& proposed) {
    const std::unique_ptr<QFileDialog> dialog = CreateSaveDialog(parent, proposed);
    const int answer = dialog->exec();
    // Not every desktop hands the activation back to the window below.
    if (parent) parent->window()->activateWindow();
    if (answer != QDialog::Accepted) return std::nullopt;
    const QStringList files = dialog->selectedFiles();
    if (files.isEmpty() || files.front().isEmpty()) return std::nullopt;
    return files.front();
}

}  // namespace lk63
