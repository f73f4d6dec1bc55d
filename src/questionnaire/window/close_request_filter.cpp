#include "questionnaire/window/close_request_filter.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

#include <QCoreApplication>
#include <QGuiApplication>

#include <xcb/xcb.h>

namespace lk63 {
namespace {

xcb_atom_t InternAtom(xcb_connection_t* connection, const char* name) {
    const xcb_intern_atom_cookie_t cookie =
        xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(std::strlen(name)), name);
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection, cookie, nullptr);
    if (!reply) return XCB_ATOM_NONE;
    const xcb_atom_t atom = reply->atom;
    std::free(reply);
    return atom;
}

}  // namespace

TCloseRequestFilter::TCloseRequestFilter(QWidget& window, std::function<void()> onRequest)
    : window_(&window), onRequest_(std::move(onRequest)) {
    const auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11 || !x11->connection()) return;
    protocolsAtom_ = InternAtom(x11->connection(), "WM_PROTOCOLS");
    deleteWindowAtom_ = InternAtom(x11->connection(), "WM_DELETE_WINDOW");
    QCoreApplication::instance()->installNativeEventFilter(this);
}

TCloseRequestFilter::~TCloseRequestFilter() {
    if (QCoreApplication* app = QCoreApplication::instance()) app->removeNativeEventFilter(this);
}

bool TCloseRequestFilter::nativeEventFilter(const QByteArray& eventType, void* message, qintptr* /*result*/) {
    if (eventType != "xcb_generic_event_t" || !window_ || protocolsAtom_ == XCB_ATOM_NONE) return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & 0x7F) != XCB_CLIENT_MESSAGE) return false;
    const auto* client = static_cast<const xcb_client_message_event_t*>(message);
    if (client->format == 32 && client->type == protocolsAtom_ && client->data.data32[0] == deleteWindowAtom_ &&
        client->window == window_->internalWinId() && onRequest_)
        onRequest_();
    return false;
}

}  // namespace lk63
