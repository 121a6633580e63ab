#include "launch/setup_state.h"

SetupState State;

int PathExists(LPCSTR Path) {
    return GetFileAttributesA(Path) == INVALID_FILE_ATTRIBUTES ? 0 : 1;
}
