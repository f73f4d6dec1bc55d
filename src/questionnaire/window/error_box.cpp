#include "questionnaire/window/error_box.h"

namespace lk63 {

std::unique_ptr<QMessageBox> CreateErrorBox(QWidget* parent, const QString& caption, const QString& text) {
    QString plain = text;
    plain.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    auto box = std::make_unique<QMessageBox>(QMessageBox::Critical, caption, plain, QMessageBox::Ok, parent);
    box->setTextFormat(Qt::PlainText);
    return box;
}

void ShowErrorBox(QWidget* parent, const QString& caption, const QString& text) {
    CreateErrorBox(parent, caption, text)->exec();
    // Not every desktop hands the activation back to the window below.
    if (parent) parent->window()->activateWindow();
}

}  // namespace lk63
