// Resource lookup for the main module and LoadStringA.
//
// The module's .res image lies between w32_module_res_begin and w32_module_res_end, put there by
// the build; a program built without resources has none. The image is parsed once, on first
// use; a malformed image counts as no resources, with one line on standard error.
//
// LoadStringA converts the UTF-16 text to the ANSI code page and cuts it to the buffer without
// splitting a double-byte character. A buffer size of 0 (a pointer to the read-only text) is a
// wide-character feature and fails here with ERROR_INVALID_PARAMETER.
#include "resources/resources.h"

#include "kernel/codepage.h"
#include "kernel/last_error.h"
#include "kernel/module.h"
#include "resources/res_file.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

extern "C" {
extern const unsigned char w32_module_res_begin[] __attribute__((weak));
extern const unsigned char w32_module_res_end[] __attribute__((weak));
}

namespace w32::resources {
namespace {

struct Table {
    bool parsed = false;
    std::vector<ResEntry> entries;
};

std::span<const std::byte> LinkedImage() {
    if (!w32_module_res_begin || !w32_module_res_end)
        return {};
    return {reinterpret_cast<const std::byte*>(w32_module_res_begin),
            static_cast<size_t>(w32_module_res_end - w32_module_res_begin)};
}

Table& Storage() {
    static Table table;
    return table;
}

void Load(std::span<const std::byte> image) {
    Table& table = Storage();
    table.parsed = true;
    std::optional<std::vector<ResEntry>> entries = ParseResFile(image);
    if (!entries)
        std::fprintf(stderr, "setup: the program's resources are damaged and cannot be used\n");
    table.entries = entries ? std::move(*entries) : std::vector<ResEntry>{};
}

const std::vector<ResEntry>& Entries() {
    if (!Storage().parsed)
        Load(LinkedImage());
    return Storage().entries;
}

std::optional<ResName> ToResName(LPCSTR value) {
    ResName name;
    if (IS_INTRESOURCE(value)) {
        name.ordinal = static_cast<uint16_t>(reinterpret_cast<uintptr_t>(value));
        return name;
    }
    if (value[0] == '#') {
        char* end = nullptr;
        unsigned long ordinal = std::strtoul(value + 1, &end, 10);
        if (*end != '\0' || ordinal > 0xFFFF)
            return std::nullopt;
        name.ordinal = static_cast<uint16_t>(ordinal);
        return name;
    }
    for (char16_t unit : codepage::ToUtf16(value))
        name.text += unit >= u'a' && unit <= u'z' ? static_cast<char16_t>(unit - 32) : unit;
    if (name.text.empty())
        return std::nullopt;
    return name;
}

WORD CodePageLanguage() {
    switch (codepage::Current()) {
    case 950:
        return MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_TRADITIONAL);
    case 936:
        return MAKELANGID(LANG_CHINESE, 0x02);
    default:
        return MAKELANGID(LANG_ENGLISH, SUBLANG_DEFAULT);
    }
}

} // namespace

std::optional<std::span<const std::byte>> Find(HMODULE module, LPCSTR type, LPCSTR name,
                                               WORD language) {
    if (module && !kernel::IsMainModule(module))
        return Fail(ERROR_RESOURCE_DATA_NOT_FOUND, std::nullopt);
    if (!type || !name)
        return Fail(ERROR_RESOURCE_NAME_NOT_FOUND, std::nullopt);
    std::optional<ResName> wantedType = ToResName(type);
    std::optional<ResName> wantedName = ToResName(name);
    if (!wantedType || !wantedName)
        return Fail(ERROR_RESOURCE_NAME_NOT_FOUND, std::nullopt);

    std::vector<const ResEntry*> candidates;
    bool typeSeen = false;
    for (const ResEntry& entry : Entries()) {
        if (entry.type != *wantedType)
            continue;
        typeSeen = true;
        if (entry.name == *wantedName)
            candidates.push_back(&entry);
    }
    if (candidates.empty())
        return Fail(typeSeen ? ERROR_RESOURCE_NAME_NOT_FOUND : ERROR_RESOURCE_TYPE_NOT_FOUND,
                    std::nullopt);
    if (language != 0) {
        for (const ResEntry* entry : candidates)
            if (entry->language == language)
                return entry->data;
        return Fail(ERROR_RESOURCE_LANG_NOT_FOUND, std::nullopt);
    }
    const WORD preferences[] = {LANG_NEUTRAL, CodePageLanguage(),
                                MAKELANGID(LANG_ENGLISH, SUBLANG_DEFAULT)};
    for (WORD preferred : preferences)
        for (const ResEntry* entry : candidates)
            if (entry->language == preferred)
                return entry->data;
    return candidates.front()->data;
}

void SetForTesting(std::span<const std::byte> resFile) {
    Load(resFile.empty() ? LinkedImage() : resFile);
}

} // namespace w32::resources

extern "C" int WINAPI LoadStringA(HINSTANCE hInstance, UINT uID, LPSTR lpBuffer, int cchBufferMax) {
    if (!lpBuffer || cchBufferMax <= 0)
        return w32::Fail(ERROR_INVALID_PARAMETER, 0);
    lpBuffer[0] = '\0';
    // Strings live in blocks of sixteen: block (id / 16) + 1, entry id % 16.
    uint16_t id = static_cast<uint16_t>(uID);
    std::optional<std::span<const std::byte>> block =
        w32::resources::Find(hInstance, RT_STRING, MAKEINTRESOURCEA((id >> 4) + 1), 0);
    if (!block)
        return 0;
    size_t pos = 0;
    auto word = [&](size_t at) {
        return static_cast<uint16_t>(static_cast<unsigned>((*block)[at]) |
                                     static_cast<unsigned>((*block)[at + 1]) << 8);
    };
    for (unsigned index = 0;; ++index) {
        if (pos + 2 > block->size())
            return w32::Fail(ERROR_RESOURCE_DATA_NOT_FOUND, 0);
        size_t length = word(pos);
        pos += 2;
        if (length * 2 > block->size() - pos)
            return w32::Fail(ERROR_RESOURCE_DATA_NOT_FOUND, 0);
        if (index == (id & 15u)) {
            if (length == 0)
                return w32::Fail(ERROR_RESOURCE_NAME_NOT_FOUND, 0);
            std::u16string text(length, u'\0');
            for (size_t i = 0; i < length; ++i)
                text[i] = static_cast<char16_t>(word(pos + 2 * i));
            std::string ansi = w32::codepage::FromUtf16(text);
            size_t copied = w32::codepage::CutLength(ansi, static_cast<size_t>(cchBufferMax) - 1);
            std::memcpy(lpBuffer, ansi.data(), copied);
            lpBuffer[copied] = '\0';
            SetLastError(ERROR_SUCCESS);
            return static_cast<int>(copied);
        }
        pos += length * 2;
    }
}
