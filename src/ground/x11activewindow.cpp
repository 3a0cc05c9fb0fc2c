#include "ground/x11activewindow.h"

#ifdef ORBIQUEST9_HAS_XCB
#include <QGuiApplication>

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#endif

namespace X11ActiveWindow {

#ifdef ORBIQUEST9_HAS_XCB

namespace {

struct FreeReply
{
    void operator()(void *reply) const { std::free(reply); }
};

template <class Reply> using ReplyPtr = std::unique_ptr<Reply, FreeReply>;

} // namespace

std::optional<WId> id()
{
    auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    xcb_connection_t *connection = x11 ? x11->connection() : nullptr;
    if (!connection)
        return std::nullopt;
    const xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    if (!screen)
        return std::nullopt;

    static const char name[] = "_NET_ACTIVE_WINDOW";
    const ReplyPtr<xcb_intern_atom_reply_t> atom(
        xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 1, std::strlen(name), name), nullptr));
    if (!atom || atom->atom == XCB_ATOM_NONE)
        return std::nullopt;

    const ReplyPtr<xcb_get_property_reply_t> property(xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, screen->root, atom->atom, XCB_ATOM_WINDOW, 0, 1), nullptr));
    if (!property || property->type != XCB_ATOM_WINDOW || property->format != 32
        || xcb_get_property_value_length(property.get()) != 4)
        return std::nullopt;
    const auto window = *static_cast<const xcb_window_t *>(xcb_get_property_value(property.get()));
    if (window == XCB_WINDOW_NONE)
        return std::nullopt;
    return WId(window);
}

#else

std::optional<WId> id()
{
    return std::nullopt;
}

#endif

} // namespace X11ActiveWindow
