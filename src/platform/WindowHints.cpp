// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/WindowHints.h"

#include <QGuiApplication>
#include <QWidget>

#include "platform/XcbAtom.h"

namespace vorlix {

#ifdef VORLIX_HAVE_XCB
namespace {

// The Motif hints: which fields count, the functions, the decorations.
enum MotifHints : quint32 {
    kFunctionsField = 1,
    kDecorationsField = 2,
    kMove = 4,
    kClose = 32,
    kBorder = 2,
    kTitle = 8,
    kMenu = 16,
};

} // namespace
#endif

void askForCloseButtonOnly(QWidget& window, FixedWindowKind kind)
{
#ifdef VORLIX_HAVE_XCB
    // Only the xcb platform has a connection; others (offscreen, Wayland)
    // answer the interface with none.
    auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    auto* x11 = app ? app->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    xcb_connection_t* conn = x11 ? x11->connection() : nullptr;
    if (!conn)
        return;
    const auto id = static_cast<xcb_window_t>(window.winId());
    // Qt adds resizing to any functions it names, and a minimise button
    // where the window manager offers one by default.
    const quint32 motif[5] = {kFunctionsField | kDecorationsField, kMove | kClose, kBorder | kTitle | kMenu, 0, 0};
    const quint32 motifAtom = internAtom(conn, "_MOTIF_WM_HINTS");
    xcb_change_property(conn, XCB_PROP_MODE_REPLACE, id, motifAtom, motifAtom, 32, 5, motif);
    // Some window managers (openbox) leave the Motif functions aside and
    // offer minimising by the window type alone; they offer it to no
    // toolbar. A minimised window of ours would have no taskbar entry to come
    // back from. A window manager that knows no toolbars takes the window for
    // what it is.
    const quint32 types[2] = {internAtom(conn, "_NET_WM_WINDOW_TYPE_TOOLBAR"),
                              internAtom(conn, kind == FixedWindowKind::Palette ? "_NET_WM_WINDOW_TYPE_UTILITY"
                                                                                : "_NET_WM_WINDOW_TYPE_DIALOG")};
    xcb_change_property(conn, XCB_PROP_MODE_REPLACE, id, internAtom(conn, "_NET_WM_WINDOW_TYPE"), XCB_ATOM_ATOM,
                        32, 2, types);
    xcb_flush(conn);
#else
    Q_UNUSED(window);
    Q_UNUSED(kind);
#endif
}

} // namespace vorlix
