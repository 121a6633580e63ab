#include "display/x11/x11_keys.h"

#include <windows.h>

#include <X11/XKBlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

namespace w32::display {

bool TranslateKey(XKeyEvent* event, InputEvent* out) {
    char text[8] = {};
    KeySym sym = NoSymbol;
    int length = XLookupString(event, text, sizeof(text), &sym, nullptr);
    out->shift = event->state & ShiftMask;
    out->control = event->state & ControlMask;
    out->alt = event->state & Mod1Mask;
    out->character = length == 1 ? static_cast<unsigned char>(text[0]) : 0;
    switch (sym) {
    case XK_Return:
    case XK_KP_Enter:
        out->virtualKey = VK_RETURN;
        out->character = '\r';
        return true;
    case XK_Escape:
        out->virtualKey = VK_ESCAPE;
        return true;
    case XK_Tab:
    case XK_ISO_Left_Tab:
        out->virtualKey = VK_TAB;
        out->shift = out->shift || sym == XK_ISO_Left_Tab;
        out->character = '\t';
        return true;
    case XK_space:
        out->virtualKey = VK_SPACE;
        return true;
    case XK_BackSpace:
        out->virtualKey = VK_BACK;
        return true;
    case XK_Left:
        out->virtualKey = VK_LEFT;
        return true;
    case XK_Right:
        out->virtualKey = VK_RIGHT;
        return true;
    case XK_Up:
        out->virtualKey = VK_UP;
        return true;
    case XK_Down:
        out->virtualKey = VK_DOWN;
        return true;
    case XK_Shift_L:
    case XK_Shift_R:
        out->virtualKey = VK_SHIFT;
        out->character = 0;
        return true;
    case XK_Control_L:
    case XK_Control_R:
        out->virtualKey = VK_CONTROL;
        out->character = 0;
        return true;
    case XK_Alt_L:
    case XK_Alt_R:
        out->virtualKey = VK_MENU;
        out->character = 0;
        return true;
    default:
        break;
    }
    if (sym >= XK_a && sym <= XK_z) {
        out->virtualKey = static_cast<unsigned>('A' + (sym - XK_a));
        return true;
    }
    if (sym >= XK_A && sym <= XK_Z) {
        out->virtualKey = static_cast<unsigned>('A' + (sym - XK_A));
        return true;
    }
    if (sym >= XK_0 && sym <= XK_9) {
        out->virtualKey = static_cast<unsigned>('0' + (sym - XK_0));
        return true;
    }
    return false;
}

} // namespace w32::display
