#pragma once
// The drop-down pick list of the in-cell editor: a separate top-level window
// that never takes the input focus. The editor hands it the keys typed while
// it is open; typed characters search it incrementally.

#include <cstdint>
#include <functional>

#include <QAbstractScrollArea>
#include <QStringList>

namespace lk63 {

class TGridListBox : public QAbstractScrollArea {
public:
    // Milliseconds on any monotonic scale; tests replace it.
    using TClock = std::function<std::int64_t()>;
    static constexpr int SearchWindowMs = 2000;
    static constexpr int MaxSearchLength = 32;

    TGridListBox();

    void SetItems(const QStringList& items);
    [[nodiscard]] const QStringList& Items() const { return items_; }
    [[nodiscard]] int Count() const { return static_cast<int>(items_.size()); }
    // -1 when no entry is selected.
    [[nodiscard]] int ItemIndex() const { return itemIndex_; }
    void SetItemIndex(int index);
    [[nodiscard]] int TopIndex() const;
    [[nodiscard]] int RowHeight() const;
    // Rows that fit into the client area.
    [[nodiscard]] int VisibleRows() const;
    [[nodiscard]] QSize ClientSize() const;
    // Sizes the window so that its client area is `size`; `scrollBar` adds one beside it.
    void SetClientSize(const QSize& size, bool scrollBar);

    [[nodiscard]] const QString& SearchText() const { return searchText_; }
    void SetClock(TClock clock);

    // A key the editor sends while the list is open.
    void KeyDown(const QKeyEvent& e);
    // Mouse input in client coordinates, also as the editor forwards it while
    // a press on its button is dragged into the list. Only the release of the
    // button pressed ends the press.
    void PressAt(const QPoint& pos, Qt::MouseButton button = Qt::LeftButton);
    void MoveAt(const QPoint& pos);
    void ReleaseAt(const QPoint& pos);
    // Ends a press in progress without a release.
    void CancelMode() { pressed_ = false; }

    // A mouse button released after a press in the list; `inside`: over its client area.
    std::function<void(bool inside)> OnRelease;

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    [[nodiscard]] int RowAt(int y) const;
    void EnsureVisible(int index);
    void Search(QChar ch);

    QStringList items_;
    int itemIndex_ = -1;
    bool pressed_ = false;
    Qt::MouseButton pressedButton_ = Qt::LeftButton;
    QString searchText_;
    std::int64_t lastKeyTime_ = 0;
    bool anyKeyTyped_ = false;
    TClock clock_;
};

}  // namespace lk63
