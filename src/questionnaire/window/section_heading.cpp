#include "questionnaire/window/section_heading.h"

namespace lk63 {
namespace {

constexpr int kHeadingFontPixels = 15;  // 11 point at 96 dpi

}  // namespace

TSectionHeading::TSectionHeading(const QString& caption, QWidget* parent) : QLabel(caption, parent) {
    QFont font(QStringLiteral("Arial Unicode MS"));
    font.setPixelSize(kHeadingFontPixels);
    setFont(font);
    QPalette colours = palette();
    colours.setColor(QPalette::WindowText, Qt::black);
    setPalette(colours);
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(1);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setFocusPolicy(Qt::NoFocus);
}

}  // namespace lk63
