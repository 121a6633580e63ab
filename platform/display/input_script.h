// Input scripts: one command a line, '#' starts a comment.
//   click X Y | click-text TEXT | key NAME | screenshot FILE
// Key names: Return, Escape, Tab, shift+Tab, Space, Left, Right, Up, Down, a letter or a digit.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace w32::display {

struct ScriptCommand {
    enum class Kind { Click, ClickText, Key, Screenshot };
    Kind kind = Kind::Click;
    int line = 0;            // 1-based line number in the script
    int x = 0;               // Click
    int y = 0;               // Click
    std::string text;        // ClickText (UTF-8) or Screenshot (file path)
    unsigned virtualKey = 0; // Key
    unsigned character = 0;  // Key: the character it types (ASCII), or 0
    bool shift = false;      // Key
};

// Parses a whole script. On a wrong command returns nullopt and "line N: reason" in error.
std::optional<std::vector<ScriptCommand>> ParseInputScript(std::string_view text,
                                                           std::string* error);

} // namespace w32::display
