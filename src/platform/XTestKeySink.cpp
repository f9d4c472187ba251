#include "XTestKeySink.h"

#include <QGuiApplication>

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

namespace kiv {

unsigned long keysymForVirtualKey(quint8 vk)
{
    if ((vk >= '0' && vk <= '9') || (vk >= 'A' && vk <= 'Z'))
        return vk >= 'A' ? XK_a + (vk - 'A') : XK_0 + (vk - '0');
    if (vk >= 0x70 && vk <= 0x7B) // F1..F12
        return XK_F1 + (vk - 0x70);
    if (vk >= 0x60 && vk <= 0x69) // numeric keypad 0..9
        return XK_KP_0 + (vk - 0x60);
    switch (vk) {
    case 0x08: return XK_BackSpace;
    case 0x09: return XK_Tab;
    case 0x0D: return XK_Return;
    case VK_SHIFT: return XK_Shift_L;
    case VK_CONTROL: return XK_Control_L;
    case VK_MENU: return XK_Alt_L;
    case 0x13: return XK_Pause;
    case 0x14: return XK_Caps_Lock;
    case 0x1B: return XK_Escape;
    case 0x20: return XK_space;
    case 0x21: return XK_Prior;
    case 0x22: return XK_Next;
    case 0x23: return XK_End;
    case 0x24: return XK_Home;
    case 0x25: return XK_Left;
    case 0x26: return XK_Up;
    case 0x27: return XK_Right;
    case 0x28: return XK_Down;
    case 0x2D: return XK_Insert;
    case 0x2E: return XK_Delete;
    case 0x6A: return XK_KP_Multiply;
    case 0x6B: return XK_KP_Add;
    case 0x6D: return XK_KP_Subtract;
    case 0x6E: return XK_KP_Decimal;
    case 0x6F: return XK_KP_Divide;
    case 0xBA: return XK_semicolon;
    case 0xBB: return XK_equal;
    case 0xBC: return XK_comma;
    case 0xBD: return XK_minus;
    case 0xBE: return XK_period;
    case 0xBF: return XK_slash;
    default: return 0;
    }
}

void XTestKeySink::keyEvent(quint8 virtualKey, bool down, bool /*extended*/)
{
    // X key codes carry no "extended" flag: the key code itself tells the key.
    auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    Display *dpy = x11 ? x11->display() : nullptr;
    if (!dpy)
        return;
    const unsigned long sym = keysymForVirtualKey(virtualKey);
    if (!sym)
        return;
    const KeyCode code = XKeysymToKeycode(dpy, sym);
    if (!code)
        return;
    XTestFakeKeyEvent(dpy, code, down ? True : False, CurrentTime);
    XFlush(dpy);
}

} // namespace kiv
