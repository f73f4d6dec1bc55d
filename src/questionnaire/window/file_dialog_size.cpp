#include "questionnaire/window/file_dialog_size.h"

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

}  // namespace lk63
