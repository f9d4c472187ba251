#include "WindowEffects.h"

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QVariant>
#include <QWindow>

#include <unistd.h>
#include <xcb/shape.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <cstring>
#include <memory>

namespace kiv {

namespace {

xcb_connection_t *connection()
{
    // Looked up once per application object: the lookup is a dynamic_cast,
    // and the clock asks several times a second.
    static const QGuiApplication *app = nullptr;
    static xcb_connection_t *conn = nullptr;
    if (qGuiApp != app) {
        app = qGuiApp;
        auto *x11 = app ? app->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
        conn = x11 ? x11->connection() : nullptr;
    }
    return conn;
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

// Stops the X server's repaint requests (Expose) for windows that repaint
// themselves completely every second anyway, while they are on the screen:
// once a window has been exposed its ExposureMask is taken away, and it is
// given back when the window is unmapped, so that the next map is announced.
class ExposeFilter : public QAbstractNativeEventFilter
{
public:
    bool nativeEventFilter(const QByteArray &type, void *message, qintptr *) override
    {
        if (type != "xcb_generic_event_t")
            return false;
        const auto *ev = static_cast<const xcb_generic_event_t *>(message);
        const uint8_t kind = ev->response_type & 0x7f;
        if (kind == XCB_EXPOSE) {
            const auto *expose = reinterpret_cast<const xcb_expose_event_t *>(ev);
            if (QWidget *w = find(expose->window); w && w->windowHandle() && w->windowHandle()->isExposed()) {
                setExposureMask(expose->window, false);
                return true;
            }
        } else if (kind == XCB_UNMAP_NOTIFY) {
            const auto *unmap = reinterpret_cast<const xcb_unmap_notify_event_t *>(ev);
            if (find(unmap->window))
                setExposureMask(unmap->window, true);
        }
        return false;
    }

    QList<QPointer<QWidget>> windows;

private:
    QWidget *find(xcb_window_t win) const
    {
        for (const auto &w : windows)
            if (w && w->internalWinId() == win)
                return w;
        return nullptr;
    }

    static void setExposureMask(xcb_window_t win, bool on)
    {
        xcb_connection_t *c = connection();
        auto attrs = reply(xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, win), nullptr));
        if (!attrs)
            return;
        uint32_t mask = attrs->your_event_mask;
        mask = on ? (mask | XCB_EVENT_MASK_EXPOSURE) : (mask & ~uint32_t(XCB_EVENT_MASK_EXPOSURE));
        if (mask != attrs->your_event_mask)
            xcb_change_window_attributes(c, win, XCB_CW_EVENT_MASK, &mask);
    }
};

} // namespace

void setRepaintsItself(QWidget *w)
{
    if (!qApp)
        return;
    static ExposeFilter *filter = [] {
        auto *f = new ExposeFilter;
        qApp->installNativeEventFilter(f);
        return f;
    }();
    filter->windows.append(w);
}

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
    QRgb keys[8];
    const qsizetype keyCount = std::min<qsizetype>(seeThrough.size(), 8);
    for (qsizetype i = 0; i < keyCount; ++i)
        keys[i] = seeThrough.at(i) & 0xFFFFFFu;
    const auto seeThroughPixel = [&](QRgb p) {
        p &= 0xFFFFFFu;
        for (qsizetype i = 0; i < keyCount; ++i)
            if (p == keys[i])
                return true;
        return false;
    };
    // The clip's rectangles are y-x banded: walk them band by band next to the
    // rows, so that each run is cut to the clip as it is found and the result
    // is banded as well (no region arithmetic, which costs more than the scan).
    const QRegion clipped = clip & QRegion(img.rect());
    std::vector<QRect> runs;
    runs.reserve(512);
    auto band = clipped.begin();
    const auto end = clipped.end();
    for (int y = 0; y < img.height(); ++y) {
        while (band != end && band->bottom() < y)
            ++band;
        if (band == end)
            break;
        if (band->top() > y)
            continue;
        const auto *line = reinterpret_cast<const QRgb *>(img.constScanLine(y));
        for (auto r = band; r != end && r->top() == band->top(); ++r) {
            int start = -1;
            for (int x = r->left(); x <= r->right() + 1; ++x) {
                const bool visible = x <= r->right() && !seeThroughPixel(line[x]);
                if (visible && start < 0)
                    start = x;
                else if (!visible && start >= 0) {
                    runs.emplace_back(start, y, x - start, 1);
                    start = -1;
                }
            }
        }
    }
    QRegion region;
    region.setRects(runs.data(), static_cast<int>(runs.size()));
    return region;
}

void setShape(QWidget *w, const QRegion &shape)
{
    xcb_connection_t *c = connection();
    if (!c) {
        w->setMask(shape);
        return;
    }
    // The X shape is set directly rather than through QWidget::setMask: a
    // widget mask also clips every paint to hundreds of rectangles, which
    // makes Qt hand each fill to its thread pool, once a second.
    static const char *const kShapeProperty = "_kiv_window_shape";
    const QVariant last = w->property(kShapeProperty);
    if (last.isValid() && last.value<QRegion>() == shape && w->internalWinId())
        return;
    const auto win = static_cast<xcb_window_t>(w->winId());
    std::vector<xcb_rectangle_t> rects;
    rects.reserve(static_cast<size_t>(shape.rectCount()));
    for (const QRect &r : shape)
        rects.push_back({static_cast<int16_t>(r.x()), static_cast<int16_t>(r.y()),
                         static_cast<uint16_t>(r.width()), static_cast<uint16_t>(r.height())});
    xcb_shape_rectangles(c, XCB_SHAPE_SO_SET, XCB_SHAPE_SK_BOUNDING, XCB_CLIP_ORDERING_YX_BANDED, win, 0, 0,
                         static_cast<uint32_t>(rects.size()), rects.data());
    w->setProperty(kShapeProperty, QVariant::fromValue(shape));
    // Not flushed here: a write to the X socket costs more than the rest of
    // the change, and the window's next paint flushes anyway.
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

namespace {
const char kAttentionProperty[] = "kivDemandsAttention";
}

void setDemandsAttention(QWidget *w, bool on)
{
    if (!w)
        return;
    w = w->window();
    w->setProperty(kAttentionProperty, on);
    if (!connection())
        return;
    changeNetWmState(w, on, {"_NET_WM_STATE_DEMANDS_ATTENTION"});
    setUrgencyHint(w, on);
}

bool toggleDemandsAttention(QWidget *w)
{
    const bool on = !demandsAttention(w);
    setDemandsAttention(w, on);
    return on;
}

bool demandsAttention(const QWidget *w)
{
    return w && w->window()->property(kAttentionProperty).toBool();
}

int workAreaHeight(const QWidget *w)
{
    const QScreen *s = w && w->screen() ? w->screen() : QGuiApplication::primaryScreen();
    return s ? s->availableGeometry().height() : 0;
}

} // namespace kiv
