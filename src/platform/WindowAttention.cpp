#include "WindowAttention.h"

#include <QGuiApplication>
#include <QVariant>
#include <QWidget>

#include <xcb/xcb.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace kiv {

namespace {

const char kStateProperty[] = "kivWindowAttention";
constexpr quint32 kUrgencyHint = 1u << 8; // XUrgencyHint in WM_HINTS.flags
constexpr int kWmHintsWords = 9;

xcb_atom_t internAtom(xcb_connection_t *c, const char *name)
{
    xcb_intern_atom_reply_t *r =
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr);
    const xcb_atom_t atom = r ? r->atom : xcb_atom_t(XCB_ATOM_NONE);
    free(r);
    return atom;
}

std::vector<quint32> readCardinals(xcb_connection_t *c, xcb_window_t w, xcb_atom_t property, xcb_atom_t type)
{
    std::vector<quint32> out;
    xcb_get_property_reply_t *r =
        xcb_get_property_reply(c, xcb_get_property(c, 0, w, property, type, 0, 64), nullptr);
    if (r && r->format == 32) {
        const auto *v = static_cast<const quint32 *>(xcb_get_property_value(r));
        out.assign(v, v + xcb_get_property_value_length(r) / 4);
    }
    free(r);
    return out;
}

bool isMapped(xcb_connection_t *c, xcb_window_t w)
{
    xcb_get_window_attributes_reply_t *r =
        xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, w), nullptr);
    const bool mapped = r && r->map_state != XCB_MAP_STATE_UNMAPPED;
    free(r);
    return mapped;
}

xcb_window_t rootOf(xcb_connection_t *c, xcb_window_t w)
{
    xcb_get_geometry_reply_t *r = xcb_get_geometry_reply(c, xcb_get_geometry(c, w), nullptr);
    const xcb_window_t root = r ? r->root : xcb_window_t(XCB_WINDOW_NONE);
    free(r);
    return root;
}

// EWMH: a mapped window's state belongs to the window manager and is changed
// by asking it; before the first map the client writes the property itself.
void setDemandsAttention(xcb_connection_t *c, xcb_window_t w, bool on)
{
    const xcb_atom_t netWmState = internAtom(c, "_NET_WM_STATE");
    const xcb_atom_t demands = internAtom(c, "_NET_WM_STATE_DEMANDS_ATTENTION");
    if (isMapped(c, w)) {
        xcb_client_message_event_t ev{};
        ev.response_type = XCB_CLIENT_MESSAGE;
        ev.format = 32;
        ev.window = w;
        ev.type = netWmState;
        ev.data.data32[0] = on ? 1 : 0; // _NET_WM_STATE_ADD / _REMOVE
        ev.data.data32[1] = demands;
        ev.data.data32[3] = 1; // request from a normal application
        xcb_send_event(c, 0, rootOf(c, w),
                       XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                       reinterpret_cast<const char *>(&ev));
        return;
    }
    std::vector<quint32> atoms = readCardinals(c, w, netWmState, XCB_ATOM_ATOM);
    atoms.erase(std::remove(atoms.begin(), atoms.end(), demands), atoms.end());
    if (on)
        atoms.push_back(demands);
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, w, netWmState, XCB_ATOM_ATOM, 32,
                        static_cast<uint32_t>(atoms.size()), atoms.data());
}

// ICCCM: the urgency flag of WM_HINTS, kept with the hints Qt wrote.
void setUrgencyHint(xcb_connection_t *c, xcb_window_t w, bool on)
{
    std::vector<quint32> hints = readCardinals(c, w, XCB_ATOM_WM_HINTS, XCB_ATOM_WM_HINTS);
    hints.resize(kWmHintsWords, 0);
    hints[0] = on ? (hints[0] | kUrgencyHint) : (hints[0] & ~kUrgencyHint);
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, w, XCB_ATOM_WM_HINTS, XCB_ATOM_WM_HINTS, 32,
                        kWmHintsWords, hints.data());
}

} // namespace

void setWindowAttention(QWidget *window, bool on)
{
    if (!window)
        return;
    window = window->window();
    window->setProperty(kStateProperty, on);
    auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    xcb_connection_t *c = x11 ? x11->connection() : nullptr;
    if (!c)
        return;
    const auto w = static_cast<xcb_window_t>(window->winId());
    setDemandsAttention(c, w, on);
    setUrgencyHint(c, w, on);
    // Qt's event loop may hold requests made from a timer for seconds.
    xcb_flush(c);
}

bool toggleWindowAttention(QWidget *window)
{
    const bool on = !windowAttention(window);
    setWindowAttention(window, on);
    return on;
}

bool windowAttention(const QWidget *window)
{
    return window && window->window()->property(kStateProperty).toBool();
}

} // namespace kiv
