// The thread's message queue and the wait for input.
#pragma once

#include "display/backend.h"

#include <windows.h>

namespace w32::user {

// Appends a message; character is what a key press types (0 for anything else).
void PostToQueue(const MSG& message, unsigned character);
DWORD Now();
// Turns a display event into queued messages for the window it reaches.
void QueueInput(const display::InputEvent& event);
// Blocks until input may have arrived: presents the screen, plays the next input-script command
// or waits for the display. Ends the process when no input can ever come.
void WaitForInput();
void ResetQueueForTesting();
void ResetInputForTesting();

} // namespace w32::user
