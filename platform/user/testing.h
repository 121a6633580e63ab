// Test support for the window manager.
#pragma once

namespace w32::user {

// Forgets every window, class and queued message without sending anything, so each test starts
// from an empty desktop.
void ResetForTesting();

} // namespace w32::user
