#pragma once
// A grid with an owner that answers every text from a table and records
// which cells were asked for.

#include <map>
#include <set>
#include <utility>
#include <vector>

#include <QImage>

#include "controls/custom_grid_view.h"

namespace lk63::test {

struct TGridOwner {
    std::vector<TGridCell> asked;
    // Text of a cell; "r<row>c<col>" unless set in `texts`.
    std::map<std::pair<int, int>, QString> texts;

    void Attach(TCustomGridView& grid) {
        grid.OnGetCellText = [this](TCustomGridView&, const TGridCell& cell, QString& value) {
            asked.push_back(cell);
            const auto it = texts.find({cell.Col, cell.Row});
            value = it != texts.end() ? it->second : QStringLiteral("r%1c%2").arg(cell.Row).arg(cell.Col);
        };
    }
};

// Column widths in order; `rows` rows of `height` pixels.
inline void SetUpGrid(TCustomGridView& grid, std::vector<int> widths, int rows, int height) {
    grid.Columns().BeginUpdate();
    for (int w : widths) grid.Columns().Add().SetWidth(w);
    grid.Columns().EndUpdate();
    grid.Rows().SetHeight(height);
    grid.Rows().SetCount(rows);
}

inline QImage Render(TCustomGridView& grid) { return grid.viewport()->grab().toImage(); }

inline QRgb Pixel(const QImage& image, int x, int y) { return image.pixel(x, y) | 0xFF000000u; }

}  // namespace lk63::test
