#pragma once
// What the program's floating windows ask of the window system: stay on top,
// stay out of the taskbar and window switcher, whole-window opacity, a shape
// cut from the painted image, finding and hiding other clients' windows, and
// asking for the user's attention. On X11 through Qt and xcb; elsewhere (the
// offscreen platform of the tests) the Qt parts only.

#include <QImage>
#include <QList>
#include <QRegion>
#include <QString>
#include <QWidget>
#include <vector>

namespace kiv {

// Top-level windows of the X server, as X window ids.
using TWindowId = quint32;

// Keeps the window above ordinary windows, or lets it go back among them,
// without re-creating, moving, resizing or activating it.
void setTopmost(QWidget *w, bool on);
// No taskbar entry, no pager entry, not in the window switcher. Call before or
// after the window is shown.
void setToolWindow(QWidget *w);
// Whole-window opacity 0..255 (shown by a compositor; the property is set anyway).
void setOpacity(QWidget *w, int alpha);
// Only the pixels of `image` that are not one of the `seeThrough` colours, and
// lie inside `clip`, are visible and receive the mouse.
QRegion shapeFromImage(const QImage &image, const QList<QRgb> &seeThrough, const QRegion &clip);
// Only `shape` is visible and receives the mouse. The request goes out with the
// window's next paint; call flushWindowRequests() when no paint follows.
void setShape(QWidget *w, const QRegion &shape);
// Other clients' top-level windows whose WM_CLASS class is `className`
// (compared without case); the calling process's own windows are left out.
std::vector<TWindowId> findWindowsByClass(const QString &className);
void hideWindow(TWindowId id);
// Asks the window manager to mark the window as wanting attention
// (_NET_WM_STATE_DEMANDS_ATTENTION and the urgency hint, set and cleared
// together: the X11 form of a flashing caption), or clears the mark.
// QWindow::alert can only set it, so this talks to X directly. Without X11
// only the state kept on the widget changes.
void setDemandsAttention(QWidget *w, bool on);
// Sets the mark when it is clear and clears it when set; returns the new state.
bool toggleDemandsAttention(QWidget *w);
// The state last set through these functions.
bool demandsAttention(const QWidget *w);
// For a window that repaints itself completely every second: while it is on
// the screen, the X server sends it no requests to repaint parts of it (each
// change of its shape would bring one, costing another paint and wake-up).
void setRepaintsItself(QWidget *w);
// The height of the work area of the window's screen.
int workAreaHeight(const QWidget *w);
// Sends queued X requests now; Qt's event loop may hold them for seconds.
void flushWindowRequests();
// True when running on an X server (not offscreen).
bool onX11();

// The same as an interface, so windows can be tested with a recording fake.
class IWindowEffects
{
public:
    virtual ~IWindowEffects() = default;
    virtual void setTopmost(QWidget *w, bool on) = 0;
    virtual void setToolWindow(QWidget *w) = 0;
    virtual void setOpacity(QWidget *w, int alpha) = 0;
    virtual void setShape(QWidget *w, const QRegion &shape) = 0;
    virtual std::vector<TWindowId> findWindowsByClass(const QString &className) = 0;
    virtual void hideWindow(TWindowId id) = 0;
    virtual void setDemandsAttention(QWidget *w, bool on) = 0;
    virtual int workAreaHeight(const QWidget *w) = 0;
};

class X11WindowEffects : public IWindowEffects
{
public:
    void setTopmost(QWidget *w, bool on) override { kiv::setTopmost(w, on); }
    void setToolWindow(QWidget *w) override { kiv::setToolWindow(w); }
    void setOpacity(QWidget *w, int alpha) override { kiv::setOpacity(w, alpha); }
    void setShape(QWidget *w, const QRegion &shape) override { kiv::setShape(w, shape); }
    std::vector<TWindowId> findWindowsByClass(const QString &className) override
    {
        return kiv::findWindowsByClass(className);
    }
    void hideWindow(TWindowId id) override { kiv::hideWindow(id); }
    void setDemandsAttention(QWidget *w, bool on) override { kiv::setDemandsAttention(w, on); }
    int workAreaHeight(const QWidget *w) override { return kiv::workAreaHeight(w); }
};

} // namespace kiv
