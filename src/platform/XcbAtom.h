// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#ifdef VORLIX_HAVE_XCB
#include <QtGlobal>

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>

namespace vorlix {

// The X server's number for an atom's name; 0 when it cannot be had.
inline quint32 internAtom(xcb_connection_t* conn, const char* name)
{
    const auto cookie = xcb_intern_atom(conn, 0, quint16(std::strlen(name)), name);
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(conn, cookie, nullptr);
    const quint32 atom = reply ? reply->atom : 0;
    std::free(reply);
    return atom;
}

} // namespace vorlix
#endif
