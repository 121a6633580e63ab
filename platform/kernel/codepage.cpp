// The ANSI code page and its conversions (GetACP, IsDBCSLeadByte).
//
// Supports every code page glibc's iconv knows as CPnnnn, and 65001 as UTF-8. Lead bytes are
// found by asking iconv whether a single byte is an incomplete character, so the table holds
// for any double-byte code page. Conversions replace what does not convert with '?'.
#include "kernel/codepage.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <iconv.h>
#include <mutex>
#include <cstdlib>
#include <string>

namespace w32::codepage {
namespace {

constexpr UINT kDefaultCodePage = 950;
constexpr UINT kUtf8CodePage = 65001;

std::string IconvName(UINT codePage) {
    return codePage == kUtf8CodePage ? "UTF-8" : "CP" + std::to_string(codePage);
}

size_t Utf8SequenceLength(char lead) {
    auto b = static_cast<unsigned char>(lead);
    return b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : b >= 0xC0 ? 2 : 1;
}

// An iconv descriptor that closes itself.
class Converter {
  public:
    Converter(const std::string& to, const std::string& from)
        : cd_(iconv_open(to.c_str(), from.c_str())) {}
    ~Converter() {
        if (Valid())
            iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;
    bool Valid() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

    // Converts all of in; a sequence that does not convert becomes replacement and conversion
    // goes on after it: unitSize bytes are skipped, or with 0 one UTF-8 sequence.
    std::string Run(std::string_view in, std::string_view replacement, size_t unitSize) const {
        std::string out;
        if (!Valid())
            return out;
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        char* src = const_cast<char*>(in.data());
        size_t srcLeft = in.size();
        char buffer[1024];
        while (srcLeft > 0) {
            char* dst = buffer;
            size_t dstLeft = sizeof(buffer);
            size_t result = iconv(cd_, &src, &srcLeft, &dst, &dstLeft);
            out.append(buffer, sizeof(buffer) - dstLeft);
            if (result == static_cast<size_t>(-1) && errno != E2BIG) {
                out.append(replacement);
                size_t skip = std::min(unitSize ? unitSize : Utf8SequenceLength(*src), srcLeft);
                src += skip;
                srcLeft -= skip;
            }
        }
        return out;
    }

    // True when the bytes are the start of a character that needs more bytes.
    bool IsIncomplete(std::string_view bytes) const {
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        char* src = const_cast<char*>(bytes.data());
        size_t srcLeft = bytes.size();
        char buffer[16];
        char* dst = buffer;
        size_t dstLeft = sizeof(buffer);
        return iconv(cd_, &src, &srcLeft, &dst, &dstLeft) == static_cast<size_t>(-1) &&
               errno == EINVAL;
    }

  private:
    iconv_t cd_;
};

struct Table {
    UINT codePage = 0;
    std::array<bool, 256> lead{};
};

Table& Active() {
    static Table table;
    return table;
}

bool Select(UINT codePage) {
    Converter probe("UTF-8", IconvName(codePage));
    if (!probe.Valid())
        return false;
    Table table;
    table.codePage = codePage;
    // The East Asian code pages have the lead byte ranges Windows documents for them, wider
    // than the characters iconv assigns; others are probed.
    if (codePage == 932) {
        for (int b = 0x81; b < 256; ++b)
            table.lead[b] = b <= 0x9F || (b >= 0xE0 && b <= 0xFC);
    } else if (codePage == 936 || codePage == 949 || codePage == 950) {
        for (int b = 0x81; b <= 0xFE; ++b)
            table.lead[b] = true;
    } else if (codePage != kUtf8CodePage) {
        for (int b = 0x80; b < 256; ++b) {
            char byte = static_cast<char>(b);
            table.lead[b] = probe.IsIncomplete(std::string_view(&byte, 1));
        }
    }
    Active() = table;
    return true;
}

const Table& Current_() {
    if (Active().codePage == 0 && !Select(kDefaultCodePage))
        Active().codePage = kUtf8CodePage; // no CP950 in this iconv: fall back to UTF-8
    return Active();
}

} // namespace

UINT Current() {
    return Current_().codePage;
}

bool Configure(const char* value, std::string* error) {
    if (!value || !*value) {
        if (!Select(kDefaultCodePage))
            Current();
        return true;
    }
    char* end = nullptr;
    unsigned long number = std::strtoul(value, &end, 10);
    if (*end != '\0' || number == 0 || number > 65535 || !Select(static_cast<UINT>(number))) {
        if (error)
            *error = std::string("W32_CODEPAGE: unknown code page '") + value + "'";
        return false;
    }
    return true;
}

bool IsLeadByte(unsigned char b) {
    return Current_().lead[b];
}

std::string ToUtf8(std::string_view ansi) {
    if (Current() == kUtf8CodePage)
        return std::string(ansi);
    return Converter("UTF-8", IconvName(Current())).Run(ansi, "?", 1);
}

std::string FromUtf8(std::string_view utf8) {
    if (Current() == kUtf8CodePage)
        return std::string(utf8);
    // One '?' for each character that has no form in the code page.
    return Converter(IconvName(Current()), "UTF-8").Run(utf8, "?", 0);
}

std::u16string ToUtf16(std::string_view ansi) {
    std::string bytes = Converter("UTF-16LE", IconvName(Current())).Run(ansi, "?\0", 1);
    std::u16string out(bytes.size() / 2, u'\0');
    for (size_t i = 0; i < out.size(); ++i)
        out[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                       static_cast<unsigned char>(bytes[2 * i + 1]) << 8);
    return out;
}

std::string FromUtf16(std::u16string_view utf16) {
    std::string bytes(utf16.size() * 2, '\0');
    for (size_t i = 0; i < utf16.size(); ++i) {
        bytes[2 * i] = static_cast<char>(utf16[i] & 0xFF);
        bytes[2 * i + 1] = static_cast<char>(utf16[i] >> 8);
    }
    return Converter(IconvName(Current()), "UTF-16LE").Run(bytes, "?", 2);
}

size_t CutLength(std::string_view text, size_t maxBytes) {
    size_t i = 0;
    while (i < text.size()) {
        size_t width =
            IsLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size() ? 2 : 1;
        if (i + width > maxBytes)
            break;
        i += width;
    }
    return i;
}

} // namespace w32::codepage

extern "C" UINT WINAPI GetACP(void) {
    return w32::codepage::Current();
}

extern "C" BOOL WINAPI IsDBCSLeadByte(BYTE TestChar) {
    return w32::codepage::IsLeadByte(TestChar) ? TRUE : FALSE;
}
