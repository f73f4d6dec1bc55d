#include "questionnaire/window/save_picture.h"

#include <QPainter>
#include <QPainterPath>

namespace lk63 {
namespace {

const QColor kRed(204, 0, 0);
const QColor kFold(255, 170, 170);

}  // namespace

QImage SavePicture() {
    QImage image(kSavePictureSize, kSavePictureSize, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);

    // The page, its top right corner folded over.
    const QPolygon page({{2, 0}, {10, 0}, {14, 4}, {14, 15}, {2, 15}});
    p.setPen(kRed);
    p.setBrush(Qt::white);
    p.drawPolygon(page);
    const QPolygon fold({{10, 0}, {10, 4}, {14, 4}});
    p.setBrush(kFold);
    p.drawPolygon(fold);

    // The symbol: a red loop with three strokes, as on documents of the format.
    p.setRenderHint(QPainter::Antialiasing);
    QPen pen(kRed, 1.3);
    pen.setCapStyle(Qt::RoundCap);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    QPainterPath symbol;
    symbol.moveTo(5.0, 12.5);
    symbol.cubicTo(7.0, 9.5, 8.0, 7.0, 8.0, 5.5);
    symbol.cubicTo(8.0, 4.5, 7.0, 4.5, 7.2, 6.0);
    symbol.cubicTo(7.6, 8.5, 9.5, 11.0, 12.0, 11.5);
    symbol.cubicTo(12.5, 11.6, 12.3, 10.8, 11.5, 10.8);
    symbol.cubicTo(9.5, 10.8, 6.5, 11.5, 5.0, 12.5);
    p.drawPath(symbol);
    return image;
}

QImage GreyedPicture(const QImage& picture) {
    QImage grey = picture.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < grey.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(grey.scanLine(y));
        for (int x = 0; x < grey.width(); ++x) {
            const QRgb c = line[x];
            // Lifted towards the face colour so that the copy reads as disabled.
            const int level = 96 + qGray(c) * 128 / 255;
            line[x] = qRgba(level, level, level, qAlpha(c));
        }
    }
    return grey;
}

QIcon SaveButtonIcon() {
    const QImage picture = SavePicture();
    QIcon icon;
    icon.addPixmap(QPixmap::fromImage(picture), QIcon::Normal);
    icon.addPixmap(QPixmap::fromImage(GreyedPicture(picture)), QIcon::Disabled);
    return icon;
}

}  // namespace lk63
