#pragma once
// The window manager's "this window wants attention" state, the X11 form of a
// flashing caption: _NET_WM_STATE_DEMANDS_ATTENTION and the ICCCM urgency
// hint, set and cleared together. QWindow::alert can only set it (until the
// window is activated or a timer runs out), so this talks to X directly.
// Without X11 (offscreen tests) only the state kept on the widget changes.

class QWidget;

namespace kiv {

void setWindowAttention(QWidget *window, bool on);
// Sets the state when it is clear and clears it when set; returns the new state.
bool toggleWindowAttention(QWidget *window);
// The state last set through these functions.
bool windowAttention(const QWidget *window);

} // namespace kiv
