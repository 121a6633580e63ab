#include "display/x11/x11_keys.h"

#include <windows.h>

#include <X11/XKBlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

namespace w32::display {
namespace {

constexpr int kKeepCharacter = -1;

struct NamedKey {
    KeySym sym;
    unsigned virtualKey;
    int character; // what the key types, or kKeepCharacter for what X says
};

constexpr NamedKey kNamedKeys[] = {
    {XK_Return, VK_RETURN, '\r'},
    {XK_KP_Enter, VK_RETURN, '\r'},
    {XK_Escape, VK_ESCAPE, kKeepCharacter},
    {XK_Tab, VK_TAB, '\t'},
    {XK_ISO_Left_Tab, VK_TAB, '\t'}, // shift+Tab on most layouts
    {XK_space, VK_SPACE, kKeepCharacter},
    {XK_BackSpace, VK_BACK, kKeepCharacter},
    {XK_Left, VK_LEFT, kKeepCharacter},
    {XK_Right, VK_RIGHT, kKeepCharacter},
    {XK_Up, VK_UP, kKeepCharacter},
    {XK_Down, VK_DOWN, kKeepCharacter},
    {XK_Shift_L, VK_SHIFT, 0},
    {XK_Shift_R, VK_SHIFT, 0},
    {XK_Control_L, VK_CONTROL, 0},
    {XK_Control_R, VK_CONTROL, 0},
    {XK_Alt_L, VK_MENU, 0},
    {XK_Alt_R, VK_MENU, 0},
};

} // namespace

bool TranslateKey(XKeyEvent* event, InputEvent* out) {
    char text[8] = {};
    KeySym sym = NoSymbol;
    int length = XLookupString(event, text, sizeof(text), &sym, nullptr);
    out->shift = (event->state & ShiftMask) || sym == XK_ISO_Left_Tab;
    out->control = event->state & ControlMask;
    out->alt = event->state & Mod1Mask;
    out->character = length == 1 ? static_cast<unsigned char>(text[0]) : 0;
    for (const NamedKey& named : kNamedKeys) {
        if (sym == named.sym) {
            out->virtualKey = named.virtualKey;
            if (named.character != kKeepCharacter)
                out->character = static_cast<unsigned>(named.character);
            return true;
        }
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
