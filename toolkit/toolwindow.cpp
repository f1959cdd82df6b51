// SPDX-License-Identifier: MIT
#include "toolwindow.h"

#include <QGuiApplication>
#include <QWidget>

#ifdef ASTRELO_HAS_XCB
#include <QtGui/qguiapplication_platform.h>
#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#endif

namespace {

#ifdef ASTRELO_HAS_XCB
xcb_connection_t *x11Connection()
{
    const auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

xcb_atom_t atom(xcb_connection_t *connection, const char *name)
{
    const xcb_intern_atom_cookie_t cookie
        = xcb_intern_atom(connection, 0, uint16_t(qstrlen(name)), name);
    xcb_intern_atom_reply_t *reply = xcb_intern_atom_reply(connection, cookie, nullptr);
    const xcb_atom_t result = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    free(reply);
    return result;
}

// Before the window is mapped its _NET_WM_STATE is ours to write; Qt adds its own states to
// the ones it finds there when it maps the window.
void skipTaskbarAndPager(xcb_connection_t *connection, xcb_window_t window)
{
    const xcb_atom_t states[] = { atom(connection, "_NET_WM_STATE_SKIP_TASKBAR"),
        atom(connection, "_NET_WM_STATE_SKIP_PAGER") };
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window,
        atom(connection, "_NET_WM_STATE"), XCB_ATOM_ATOM, 32, 2, states);
}

// Qt makes a tool window transient for the program's window group, and window managers keep
// a utility window of a group above the group's other windows either way. The about window
// stands beside the main window instead: no group (before it is mapped) and no owner (Qt
// writes one while mapping it).
void leaveGroup(xcb_connection_t *connection, xcb_window_t window)
{
    // WM_HINTS: nine 32-bit fields, the flags first and the window group last.
    constexpr uint32_t WindowGroupHint = 1u << 6;
    const xcb_get_property_cookie_t cookie
        = xcb_get_property(connection, 0, window, XCB_ATOM_WM_HINTS, XCB_ATOM_WM_HINTS, 0, 9);
    if (xcb_get_property_reply_t *reply = xcb_get_property_reply(connection, cookie, nullptr)) {
        if (reply->format == 32 && xcb_get_property_value_length(reply) == 9 * 4) {
            uint32_t hints[9];
            memcpy(hints, xcb_get_property_value(reply), sizeof hints);
            hints[0] &= ~WindowGroupHint;
            hints[8] = 0;
            xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window, XCB_ATOM_WM_HINTS,
                XCB_ATOM_WM_HINTS, 32, 9, hints);
        }
        free(reply);
    }
}

void dropOwner(xcb_connection_t *connection, xcb_window_t window)
{
    xcb_delete_property(connection, window, XCB_ATOM_WM_TRANSIENT_FOR);
    xcb_flush(connection);
}
#endif

} // namespace

void Toolkit::showToolWindow(QWidget *window)
{
    if (window->isMinimized())
        window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    if (!window->isVisible()) {
#ifdef ASTRELO_HAS_XCB
        xcb_connection_t *connection = x11Connection();
        if (connection) {
            skipTaskbarAndPager(connection, xcb_window_t(window->winId()));
            leaveGroup(connection, xcb_window_t(window->winId()));
        }
        window->show();
        if (connection)
            dropOwner(connection, xcb_window_t(window->winId()));
#else
        window->show();
#endif
    }
    window->raise();
    window->activateWindow();
}
