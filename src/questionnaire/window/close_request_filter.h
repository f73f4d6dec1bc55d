#pragma once
// Hears the desktop ask a window to close (the window manager's close button,
// Alt+F4) also while a modal dialog blocks that window: the toolkit drops such
// a request without a close event, and the window would never learn of it.
// Only the X11 platform is watched; elsewhere nothing is reported.

#include <functional>

#include <QAbstractNativeEventFilter>
#include <QPointer>
#include <QWidget>

namespace lk63 {

class TCloseRequestFilter : public QAbstractNativeEventFilter {
public:
    // Calls `onRequest` for every close request to `window`; the request then
    // goes on to the toolkit as before. Installs itself in the application.
    TCloseRequestFilter(QWidget& window, std::function<void()> onRequest);
    ~TCloseRequestFilter() override;
    TCloseRequestFilter(const TCloseRequestFilter&) = delete;
    TCloseRequestFilter& operator=(const TCloseRequestFilter&) = delete;

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    QPointer<QWidget> window_;
    std::function<void()> onRequest_;
    unsigned protocolsAtom_ = 0;
    unsigned deleteWindowAtom_ = 0;
};

}  // namespace lk63
