#include "questionnaire/window/panel.h"

#include <QPainter>

#include "controls/system_colors.h"

namespace lk63 {

TPanel::TPanel(bool singleBorder, QWidget* parent) : QWidget(parent), singleBorder_(singleBorder) {}

void TPanel::paintEvent(QPaintEvent*) {
    if (!singleBorder_) return;
    QPainter painter(this);
    painter.setPen(SystemColor(TSysColor::clBtnShadow, palette()));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

}  // namespace lk63
