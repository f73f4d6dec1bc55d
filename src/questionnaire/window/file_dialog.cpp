#include "questionnaire/window/file_dialog.h"

#include <algorithm>

#include <QHeaderView>
#include <QTreeView>

namespace lk63 {
namespace {

constexpr int kDialogWidth = 760;
constexpr int kDialogHeight = 460;

}  // namespace

void SizeFileDialog(QFileDialog& dialog) {
    if (auto* view = dialog.findChild<QTreeView*>(QStringLiteral("treeView"))) {
        QHeaderView* header = view->header();
        header->setStretchLastSection(false);
        header->setSectionResizeMode(0, QHeaderView::Stretch);
        for (int column = 1; column < header->count(); ++column)
            header->setSectionResizeMode(column, QHeaderView::ResizeToContents);
    }
    dialog.resize(std::max(dialog.width(), kDialogWidth), std::max(dialog.height(), kDialogHeight));
}

std::optional<QString> RunFileDialog(QWidget* parent, QFileDialog& dialog) {
    const int answer = dialog.exec();
    // Not every desktop hands the activation back to the window below.
    if (parent) parent->window()->activateWindow();
    if (answer != QDialog::Accepted) return std::nullopt;
    const QStringList files = dialog.selectedFiles();
    if (files.isEmpty() || files.front().isEmpty()) return std::nullopt;
    return files.front();
}

}  // namespace lk63
