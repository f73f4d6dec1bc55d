#pragma once
// A plain container of the window's face colour, with or without a
// one-pixel border line around it.

#include <QWidget>

namespace lk63 {

class TPanel : public QWidget {
public:
    explicit TPanel(bool singleBorder, QWidget* parent = nullptr);

    [[nodiscard]] bool SingleBorder() const { return singleBorder_; }

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    bool singleBorder_;
};

}  // namespace lk63
