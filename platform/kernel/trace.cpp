#include "kernel/trace.h"

#include "kernel/codepage.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace w32::trace {
namespace {

struct Target {
    bool opened = false;
    FILE* file = nullptr;
    std::unique_ptr<FILE, int (*)(FILE*)> owned{nullptr, std::fclose};
};

Target& Current() {
    static Target target;
    return target;
}

void Open(const char* name) {
    Target& target = Current();
    target.owned.reset();
    target.file = nullptr;
    target.opened = true;
    if (!name || !*name)
        return;
    if (std::string_view(name) == "-") {
        target.file = stderr;
        return;
    }
    target.owned.reset(std::fopen(name, "a"));
    target.file = target.owned.get();
    if (!target.file)
        std::fprintf(stderr, "setup: W32_TRACE: cannot open '%s'\n", name);
}

FILE* File() {
    if (!Current().opened)
        Open(std::getenv("W32_TRACE"));
    return Current().file;
}

} // namespace

bool Enabled() {
    return File() != nullptr;
}

void Line(std::string_view text) {
    if (FILE* file = File()) {
        std::fwrite(text.data(), 1, text.size(), file);
        std::fputc('\n', file);
        std::fflush(file); // the process may end at any call
    }
}

std::string Quote(const char* ansi) {
    if (!ansi)
        return "NULL";
    std::string out = "\"";
    for (char c : codepage::ToUtf8(ansi)) {
        if (c == '"' || c == '\\')
            out += '\\';
        if (c == '\n')
            out += "\\n";
        else if (c == '\r')
            out += "\\r";
        else
            out += c;
    }
    return out + "\"";
}

std::string Hex(uintptr_t value) {
    char buffer[32];
    std::snprintf(buffer, sizeof(buffer), "0x%llx", static_cast<unsigned long long>(value));
    return buffer;
}

} // namespace w32::trace
