// Numbered texts of the string table, handed out from a ring of four buffers so that a caller
// can hold up to four at once without storage of its own.
#pragma once

#include <windows.h>

// The text in the ANSI code page, or NULL when the table has no such number. Valid until the
// fourth further call.
LPCSTR GetResString(int Number);
