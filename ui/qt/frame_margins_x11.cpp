#include "ui/qt/frame_margins.h"

#include <chrono>
#include <cstdint>
#include <cstring>
#include <memory>
#include <thread>

#include <xcb/xcb.h>

#include <QGuiApplication>
#include <QWindow>
#include <QtGui/qguiapplication_platform.h>

namespace korimbo {
namespace {

// How long a window manager that says it answers may take to set the frame extents.
constexpr auto kAnswerTime = std::chrono::milliseconds(250);

template <typename Reply> using ReplyPtr = std::unique_ptr<Reply, decltype(&std::free)>;

xcb_atom_t Atom(xcb_connection_t *connection, const char *name)
{
    const ReplyPtr<xcb_intern_atom_reply_t> reply(
        xcb_intern_atom_reply(
            connection, xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(std::strlen(name)), name), nullptr),
        &std::free);
    return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

// The 32-bit values of a window's property, at most `count` of them.
ReplyPtr<xcb_get_property_reply_t> Property(xcb_connection_t *connection, xcb_window_t window, xcb_atom_t property,
                                            std::uint32_t count)
{
    return {xcb_get_property_reply(connection,
                                   xcb_get_property(connection, 0, window, property, XCB_ATOM_ANY, 0, count), nullptr),
            &std::free};
}

// Whether the window manager lists `atom` in _NET_SUPPORTED on the root window.
bool Supported(xcb_connection_t *connection, xcb_window_t root, xcb_atom_t atom)
{
    const auto reply = Property(connection, root, Atom(connection, "_NET_SUPPORTED"), 4096);
    if (!reply || reply->format != 32)
        return false;
    const auto *atoms = static_cast<const xcb_atom_t *>(xcb_get_property_value(reply.get()));
    const int count = xcb_get_property_value_length(reply.get()) / 4;
    for (int i = 0; i < count; ++i)
        if (atoms[i] == atom)
            return true;
    return false;
}

} // namespace

std::optional<QMargins> FrameMarginsBeforeShow(QWindow &window)
{
    auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || !x11->connection())
        return std::nullopt;
    xcb_connection_t *connection = x11->connection();
    const auto id = static_cast<xcb_window_t>(window.winId());
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    const xcb_atom_t request = Atom(connection, "_NET_REQUEST_FRAME_EXTENTS");
    const xcb_atom_t extents = Atom(connection, "_NET_FRAME_EXTENTS");
    if (request == XCB_ATOM_NONE || extents == XCB_ATOM_NONE || !Supported(connection, root, request))
        return std::nullopt;

    // EWMH: a client whose window is not mapped yet asks the window manager for an estimate of
    // the frame it will get; the answer comes as _NET_FRAME_EXTENTS on the window.
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = id;
    message.type = request;
    xcb_send_event(connection, 0, root, XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                   reinterpret_cast<const char *>(&message));
    xcb_flush(connection);
    const auto deadline = std::chrono::steady_clock::now() + kAnswerTime;
    do {
        const auto reply = Property(connection, id, extents, 4);
        if (reply && reply->format == 32 && xcb_get_property_value_length(reply.get()) == 16) {
            const auto *value = static_cast<const std::uint32_t *>(xcb_get_property_value(reply.get()));
            // left, right, top, bottom
            return QMargins(static_cast<int>(value[0]), static_cast<int>(value[2]), static_cast<int>(value[1]),
                            static_cast<int>(value[3]));
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    } while (std::chrono::steady_clock::now() < deadline);
    return std::nullopt;
}

} // namespace korimbo
