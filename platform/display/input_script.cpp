// Input scripts. Comments are whole lines whose first non-blank character is '#', so that a
// click-text may name a window text containing '#'. Blank lines are skipped.
#include "display/input_script.h"

#include <windows.h>

#include <charconv>

namespace w32::display {
namespace {

std::string_view Trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

bool ParseInt(std::string_view text, int* value) {
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), *value);
    return error == std::errc() && end == text.data() + text.size();
}

// The virtual key and typed character of a key name, or false.
bool ParseKey(std::string_view name, ScriptCommand* command) {
    struct Named {
        std::string_view name;
        unsigned key;
        unsigned character;
        bool shift;
    };
    static constexpr Named kNames[] = {
        {"Return", VK_RETURN, '\r', false}, {"Escape", VK_ESCAPE, 0x1B, false},
        {"Tab", VK_TAB, '\t', false},       {"shift+Tab", VK_TAB, '\t', true},
        {"Space", VK_SPACE, ' ', false},    {"Left", VK_LEFT, 0, false},
        {"Right", VK_RIGHT, 0, false},      {"Up", VK_UP, 0, false},
        {"Down", VK_DOWN, 0, false},
    };
    for (const Named& named : kNames) {
        if (name == named.name) {
            command->virtualKey = named.key;
            command->character = named.character;
            command->shift = named.shift;
            return true;
        }
    }
    if (name.size() != 1)
        return false;
    char c = name[0];
    if (c >= '0' && c <= '9') {
        command->virtualKey = static_cast<unsigned>(c);
    } else if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')) {
        command->virtualKey = static_cast<unsigned>(c & ~0x20);
        command->shift = c <= 'Z';
    } else {
        return false;
    }
    command->character = static_cast<unsigned char>(c);
    return true;
}

} // namespace

std::optional<std::vector<ScriptCommand>> ParseInputScript(std::string_view text,
                                                           std::string* error) {
    std::vector<ScriptCommand> commands;
    int lineNumber = 0;
    while (!text.empty()) {
        size_t end = text.find('\n');
        std::string_view line = Trim(text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        ++lineNumber;
        if (line.empty() || line.front() == '#')
            continue;
        size_t space = line.find_first_of(" \t");
        std::string_view verb = line.substr(0, space);
        std::string_view rest = space == std::string_view::npos ? "" : Trim(line.substr(space));
        ScriptCommand command;
        command.line = lineNumber;
        std::string problem;
        if (verb == "click") {
            command.kind = ScriptCommand::Kind::Click;
            size_t gap = rest.find_first_of(" \t");
            if (gap == std::string_view::npos || !ParseInt(rest.substr(0, gap), &command.x) ||
                !ParseInt(Trim(rest.substr(gap)), &command.y))
                problem = "click needs X Y, got '" + std::string(rest) + "'";
        } else if (verb == "click-text") {
            command.kind = ScriptCommand::Kind::ClickText;
            command.text = rest;
            if (rest.empty())
                problem = "click-text needs a text";
        } else if (verb == "key") {
            command.kind = ScriptCommand::Kind::Key;
            if (!ParseKey(rest, &command))
                problem = "unknown key '" + std::string(rest) + "'";
        } else if (verb == "screenshot") {
            command.kind = ScriptCommand::Kind::Screenshot;
            command.text = rest;
            if (rest.empty())
                problem = "screenshot needs a file name";
        } else {
            problem = "unknown command '" + std::string(verb) + "'";
        }
        if (!problem.empty()) {
            if (error)
                *error = "line " + std::to_string(lineNumber) + ": " + problem;
            return std::nullopt;
        }
        commands.push_back(std::move(command));
    }
    return commands;
}

} // namespace w32::display
