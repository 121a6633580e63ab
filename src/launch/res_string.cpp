#include "launch/res_string.h"

#include "launch/setup_state.h"

#define TEXT_SLOTS 4
#define TEXT_SLOT_SIZE 256

static char TextRing[TEXT_SLOTS][TEXT_SLOT_SIZE];
static int TextRingIndex = TEXT_SLOTS; // the first call of the process takes slot 0

LPCSTR GetResString(int Number) {
    TextRingIndex = TextRingIndex < TEXT_SLOTS - 1 ? TextRingIndex + 1 : 0;
    LPSTR Slot = TextRing[TextRingIndex];
    if (LoadStringA(State.Instance, Number & 0xFFFF, Slot, TEXT_SLOT_SIZE) == 0)
        return NULL;
    return Slot;
}
