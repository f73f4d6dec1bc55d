#include "controls/cell_text.h"

#include <algorithm>

#include <QPainter>

namespace lk63 {
namespace {

bool Formatted(const TCellTextFormat& f) { return f.WordWrap || f.WantReturns || f.EndEllipsis; }
bool SingleLine(const TCellTextFormat& f) { return !f.WordWrap && !f.WantReturns; }

Qt::Alignment HorizontalFlag(TAlignment a) {
    switch (a) {
    case TAlignment::taRightJustify: return Qt::AlignRight;
    case TAlignment::taCenter: return Qt::AlignHCenter;
    case TAlignment::taLeftJustify: break;
    }
    return Qt::AlignLeft;
}

// A single line never breaks: line breaks show as spaces.
QString OneLine(const QString& text) {
    QString s = NormalizeLineBreaks(text);
    s.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return s;
}

QRect FormatRect(const QRect& rect, const TCellTextFormat& f) {
    return QRect(QPoint(rect.left() + f.IndentLeft, rect.top() + f.IndentTop),
                 QPoint(rect.right() - f.IndentRight, rect.bottom()));
}

int FormatFlags(const TCellTextFormat& f) {
    int flags = static_cast<int>(HorizontalFlag(f.Alignment)) | Qt::AlignTop;
    if (SingleLine(f)) flags |= Qt::TextSingleLine;
    if (f.WordWrap) flags |= Qt::TextWordWrap;
    return flags;
}

}  // namespace

QString NormalizeLineBreaks(const QString& text) {
    if (!text.contains(QLatin1Char('\r'))) return text;
    QString s = text;
    s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    s.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return s;
}

void PaintCellText(QPainter& painter, const QRect& rect, const QString& text, const TCellTextFormat& f) {
    if (text.isEmpty() || rect.isEmpty()) return;
    painter.save();
    painter.setBackgroundMode(Qt::TransparentMode);
    painter.setClipRect(rect, Qt::IntersectClip);
    const QFontMetrics fm(painter.font());
    if (Formatted(f)) {
        const QRect r = FormatRect(rect, f);
        QString shown = SingleLine(f) ? OneLine(text) : NormalizeLineBreaks(text);
        if (SingleLine(f) && f.EndEllipsis && f.Alignment == TAlignment::taLeftJustify &&
            fm.horizontalAdvance(shown) > r.width()) {
            shown = fm.elidedText(shown, Qt::ElideRight, std::max(r.width(), 0));
        }
        painter.drawText(r, FormatFlags(f), shown);
    } else {
        const QString shown = OneLine(text);
        const int width = fm.horizontalAdvance(shown);
        int x = rect.left() + f.IndentLeft;
        if (f.Alignment == TAlignment::taRightJustify) {
            x = rect.right() + 1 - f.IndentRight - width;
        } else if (f.Alignment == TAlignment::taCenter) {
            x = rect.left() + f.IndentLeft + rect.width() / 2 - width / 2;
        }
        painter.drawText(QPoint(x, rect.top() + f.IndentTop + fm.ascent()), shown);
    }
    painter.restore();
}

QRect MeasureCellText(const QFontMetrics& fm, const QRect& rect, const QString& text, const TCellTextFormat& f) {
    int width = 0;
    int height = 0;
    if (Formatted(f) && !SingleLine(f)) {
        const QRect r = FormatRect(rect, f);
        const int avail = std::max(r.width(), 1);
        const QRect bound = fm.boundingRect(QRect(0, 0, f.WordWrap ? avail : 1 << 20, 1 << 20),
                                            FormatFlags(f) & ~Qt::AlignRight & ~Qt::AlignHCenter,
                                            NormalizeLineBreaks(text));
        width = bound.width() + f.IndentLeft + f.IndentRight;
        height = bound.height();
    } else {
        width = fm.horizontalAdvance(OneLine(text)) + f.IndentLeft + f.IndentRight;
        height = fm.height();
    }
    width = std::max(width, rect.width());
    height = std::max(height, rect.height());
    int left = rect.left();
    if (f.Alignment == TAlignment::taRightJustify) {
        left = rect.right() + 1 - width;
    } else if (f.Alignment == TAlignment::taCenter) {
        left = rect.left() + (rect.width() - width) / 2;
    }
    return QRect(left, rect.top(), width, height);
}

}  // namespace lk63
