#pragma once
// While a pick list is open, watches the whole application: a mouse press on
// any other control, or the editor's window moving or going away, closes the
// list without accepting it.

#include <QObject>

namespace lk63 {

class TCustomGridEdit;

class TListCancelFilter : public QObject {
public:
    explicit TListCancelFilter(TCustomGridEdit& editor);
    ~TListCancelFilter() override;

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    [[nodiscard]] bool BelongsToEditor(const QWidget* w) const;

    TCustomGridEdit& editor_;
};

}  // namespace lk63
