#include "WindowEffects.h"

#include <QBitmap>
#include <QGuiApplication>
#include <QScreen>
#include <QWindow>

#include <unistd.h>
#include <xcb/xcb.h>

#include <cstring>
#include <memory>

namespace kiv {

namespace {

xcb_connection_t *connection()
{
    if (!qGuiApp)
        return nullptr;
    auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

template <typename T>
using XcbReply = std::unique_ptr<T, decltype(&std::free)>;

template <typename T>
XcbReply<T> reply(T *r)
{
    return XcbReply<T>(r, &std::free);
}

xcb_atom_t atom(xcb_connection_t *c, const char *name)
{
    auto r = reply(xcb_intern_atom_reply(
        c, xcb_intern_atom(c, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr));
    return r ? r->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
}

xcb_window_t rootWindow(xcb_connection_t *c)
{
    return xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
}

// The values of a 32-bit property (atoms, windows, cardinals).
std::vector<uint32_t> property32(xcb_connection_t *c, xcb_window_t w, xcb_atom_t prop, xcb_atom_t type)
{
    auto r = reply(xcb_get_property_reply(c, xcb_get_property(c, 0, w, prop, type, 0, 4096), nullptr));
    if (!r || r->format != 32)
        return {};
    const auto *v = static_cast<const uint32_t *>(xcb_get_property_value(r.get()));
    return std::vector<uint32_t>(v, v + xcb_get_property_value_length(r.get()) / 4);
}

QByteArray propertyBytes(xcb_connection_t *c, xcb_window_t w, xcb_atom_t prop)
{
    auto r = reply(xcb_get_property_reply(c, xcb_get_property(c, 0, w, prop, XCB_GET_PROPERTY_TYPE_ANY, 0, 4096),
                                          nullptr));
    if (!r || r->format != 8)
        return {};
    return QByteArray(static_cast<const char *>(xcb_get_property_value(r.get())),
                      xcb_get_property_value_length(r.get()));
}

// A window the window manager manages carries WM_STATE; its _NET_WM_STATE then
// belongs to the manager and is changed by request. Before that, the property
// is ours (Qt merges it into what it sets when it maps the window).
void changeNetWmState(QWidget *w, bool on, std::initializer_list<const char *> names)
{
    xcb_connection_t *c = connection();
    if (!c || !w)
        return;
    const auto win = static_cast<xcb_window_t>(w->winId());
    const xcb_atom_t netWmState = atom(c, "_NET_WM_STATE");
    std::vector<xcb_atom_t> atoms;
    for (const char *n : names)
        atoms.push_back(atom(c, n));

    const xcb_atom_t wmState = atom(c, "WM_STATE");
    if (property32(c, win, wmState, wmState).empty()) {
        std::vector<uint32_t> current = property32(c, win, netWmState, XCB_ATOM_ATOM);
        for (xcb_atom_t a : atoms) {
            std::erase(current, a);
            if (on)
                current.push_back(a);
        }
        xcb_change_property(c, XCB_PROP_MODE_REPLACE, win, netWmState, XCB_ATOM_ATOM, 32,
                            static_cast<uint32_t>(current.size()), current.data());
    } else {
        for (size_t i = 0; i < atoms.size(); i += 2) {
            xcb_client_message_event_t ev{};
            ev.response_type = XCB_CLIENT_MESSAGE;
            ev.format = 32;
            ev.window = win;
            ev.type = netWmState;
            ev.data.data32[0] = on ? 1 : 0; // _NET_WM_STATE_ADD / _REMOVE
            ev.data.data32[1] = atoms[i];
            ev.data.data32[2] = i + 1 < atoms.size() ? atoms[i + 1] : 0;
            ev.data.data32[3] = 1; // from an application
            xcb_send_event(c, 0, rootWindow(c),
                           XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                           reinterpret_cast<const char *>(&ev));
        }
    }
    xcb_flush(c);
}

// The urgency bit of WM_HINTS, which older window managers and taskbars read.
void setUrgencyHint(QWidget *w, bool on)
{
    xcb_connection_t *c = connection();
    if (!c)
        return;
    const auto win = static_cast<xcb_window_t>(w->winId());
    std::vector<uint32_t> hints = property32(c, win, XCB_ATOM_WM_HINTS, XCB_ATOM_WM_HINTS);
    hints.resize(9, 0);
    constexpr uint32_t kUrgencyHint = 1u << 8;
    hints[0] = on ? (hints[0] | kUrgencyHint) : (hints[0] & ~kUrgencyHint);
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, win, XCB_ATOM_WM_HINTS, XCB_ATOM_WM_HINTS, 32, 9,
                        hints.data());
    xcb_flush(c);
}

bool isOwnWindow(xcb_connection_t *c, xcb_window_t win, xcb_atom_t pidAtom)
{
    const auto pid = property32(c, win, pidAtom, XCB_ATOM_CARDINAL);
    if (!pid.empty() && pid.front() == static_cast<uint32_t>(getpid()))
        return true;
    for (const QWindow *w : QGuiApplication::allWindows())
        if (w->handle() && static_cast<xcb_window_t>(w->winId()) == win)
            return true;
    return false;
}

} // namespace

bool onX11()
{
    return connection() != nullptr;
}

void flushWindowRequests()
{
    if (xcb_connection_t *c = connection())
        xcb_flush(c);
}

void setTopmost(QWidget *w, bool on)
{
    Qt::WindowFlags f = w->windowFlags();
    f.setFlag(Qt::WindowStaysOnTopHint, on);
    f.setFlag(Qt::WindowStaysOnBottomHint, false);
    // setWindowFlags() would destroy and re-create the native window.
    w->overrideWindowFlags(f);
    if (QWindow *h = w->windowHandle())
        h->setFlags(f);
    if (w->internalWinId())
        changeNetWmState(w, on, {"_NET_WM_STATE_ABOVE", "_NET_WM_STATE_STAYS_ON_TOP"});
}

void setToolWindow(QWidget *w)
{
    // Qt::Tool alone still leaves a taskbar entry with some taskbars.
    if (!w->windowFlags().testFlag(Qt::Tool)) {
        const Qt::WindowFlags f = w->windowFlags() | Qt::Tool;
        w->overrideWindowFlags(f);
        if (QWindow *h = w->windowHandle())
            h->setFlags(f);
    }
    changeNetWmState(w, true, {"_NET_WM_STATE_SKIP_TASKBAR", "_NET_WM_STATE_SKIP_PAGER"});
}

void setOpacity(QWidget *w, int alpha)
{
    w->setWindowOpacity(qBound(0, alpha, 255) / 255.0);
    flushWindowRequests();
}

QRegion shapeFromImage(const QImage &image, const QList<QRgb> &seeThrough, const QRegion &clip)
{
    const QImage img = image.format() == QImage::Format_RGB32 ? image : image.convertToFormat(QImage::Format_RGB32);
    if (seeThrough.isEmpty())
        return QRegion(img.rect()) & clip;
    // One 1-bit mask per see-through colour, its bits set where the pixel has
    // that colour, merged; the bitmap's region is then the other pixels. Qt's
    // bitmap-to-region conversion is faster than collecting runs into a QRegion.
    QImage mask = img.createMaskFromColor(seeThrough.front() | 0xFF000000u, Qt::MaskInColor);
    for (qsizetype i = 1; i < seeThrough.size(); ++i) {
        const QImage more = img.createMaskFromColor(seeThrough.at(i) | 0xFF000000u, Qt::MaskInColor);
        for (int y = 0; y < mask.height(); ++y) {
            uchar *dst = mask.scanLine(y);
            const uchar *src = more.constScanLine(y);
            for (qsizetype b = 0; b < mask.bytesPerLine(); ++b)
                dst[b] |= src[b];
        }
    }
    return QRegion(QBitmap::fromImage(mask)) & clip;
}

void setShape(QWidget *w, const QRegion &shape)
{
    w->setMask(shape); // Qt sends nothing when the shape did not change
    flushWindowRequests();
}

std::vector<TWindowId> findWindowsByClass(const QString &className)
{
    std::vector<TWindowId> found;
    xcb_connection_t *c = connection();
    if (!c)
        return found;
    const xcb_window_t root = rootWindow(c);
    std::vector<uint32_t> windows = property32(c, root, atom(c, "_NET_CLIENT_LIST"), XCB_ATOM_WINDOW);
    if (windows.empty()) { // no window manager: the root's children are the top-level windows
        auto tree = reply(xcb_query_tree_reply(c, xcb_query_tree(c, root), nullptr));
        if (tree) {
            const xcb_window_t *children = xcb_query_tree_children(tree.get());
            windows.assign(children, children + xcb_query_tree_children_length(tree.get()));
        }
    }
    const xcb_atom_t pidAtom = atom(c, "_NET_WM_PID");
    for (uint32_t win : windows) {
        const QList<QByteArray> parts = propertyBytes(c, win, XCB_ATOM_WM_CLASS).split('\0');
        if (parts.size() < 2)
            continue;
        const QString cls = QString::fromLocal8Bit(parts.at(1));
        if (cls.compare(className, Qt::CaseInsensitive) != 0 || isOwnWindow(c, win, pidAtom))
            continue;
        found.push_back(win);
    }
    return found;
}

void hideWindow(TWindowId id)
{
    xcb_connection_t *c = connection();
    if (!c)
        return;
    xcb_unmap_window(c, id);
    // The synthetic UnmapNotify tells the window manager that the window is
    // withdrawn, not merely unmapped.
    xcb_unmap_notify_event_t ev{};
    ev.response_type = XCB_UNMAP_NOTIFY;
    ev.event = rootWindow(c);
    ev.window = id;
    ev.from_configure = 0;
    xcb_send_event(c, 0, ev.event,
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char *>(&ev));
    xcb_flush(c);
}

void setDemandsAttention(QWidget *w, bool on)
{
    if (!connection() || !w)
        return;
    changeNetWmState(w, on, {"_NET_WM_STATE_DEMANDS_ATTENTION"});
    setUrgencyHint(w, on);
}

int workAreaHeight(const QWidget *w)
{
    const QScreen *s = w && w->screen() ? w->screen() : QGuiApplication::primaryScreen();
    return s ? s->availableGeometry().height() : 0;
}

} // namespace kiv
