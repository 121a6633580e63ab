#include "resources/res_file.h"

namespace w32::resources {
namespace {

// Reads little-endian values from a bounded span; any read past the end marks it failed.
class Reader {
  public:
    Reader(std::span<const std::byte> bytes, size_t pos) : bytes_(bytes), pos_(pos) {}
    bool Ok() const { return ok_; }
    size_t Pos() const { return pos_; }

    uint16_t Word() {
        if (!Has(2))
            return 0;
        uint16_t v = static_cast<uint16_t>(Byte(pos_) | Byte(pos_ + 1) << 8);
        pos_ += 2;
        return v;
    }
    uint32_t Dword() {
        uint32_t low = Word();
        return low | uint32_t{Word()} << 16;
    }
    // A type or name field: 0xFFFF and an ordinal, or a zero-terminated UTF-16 string.
    ResName Name() {
        ResName name;
        uint16_t first = Word();
        if (first == 0xFFFF) {
            name.ordinal = Word();
            return name;
        }
        for (uint16_t unit = first; ok_ && unit != 0; unit = Word())
            name.text += static_cast<char16_t>(unit >= u'a' && unit <= u'z' ? unit - 32 : unit);
        if (ok_ && name.text.empty())
            ok_ = false; // an empty string is no name
        return name;
    }
    void AlignToDword(size_t base) {
        size_t offset = (pos_ - base) % 4;
        if (offset)
            Skip(4 - offset);
    }
    void Skip(size_t n) {
        if (Has(n))
            pos_ += n;
    }

  private:
    bool Has(size_t n) {
        if (!ok_ || n > bytes_.size() - pos_)
            ok_ = false;
        return ok_;
    }
    unsigned Byte(size_t i) const { return static_cast<unsigned>(bytes_[i]); }

    std::span<const std::byte> bytes_;
    size_t pos_;
    bool ok_ = true;
};

constexpr size_t kMinimumHeader = 32; // two ordinals and the fixed fields

} // namespace

std::optional<std::vector<ResEntry>> ParseResFile(std::span<const std::byte> bytes) {
    std::vector<ResEntry> entries;
    size_t pos = 0;
    while (pos < bytes.size()) {
        Reader r(bytes, pos);
        uint32_t dataSize = r.Dword();
        uint32_t headerSize = r.Dword();
        ResEntry entry;
        entry.type = r.Name();
        entry.name = r.Name();
        r.AlignToDword(pos);
        r.Dword(); // data version
        r.Word();  // memory flags
        entry.language = r.Word();
        r.Dword(); // version
        r.Dword(); // characteristics
        if (!r.Ok() || headerSize < kMinimumHeader || headerSize < r.Pos() - pos)
            return std::nullopt;
        if (headerSize > bytes.size() - pos || dataSize > bytes.size() - pos - headerSize)
            return std::nullopt;
        entry.data = bytes.subspan(pos + headerSize, dataSize);
        // The marker entry that opens every file has type 0 and no data.
        if (!(entry.type.IsOrdinal() && entry.type.ordinal == 0))
            entries.push_back(std::move(entry));
        size_t next = pos + headerSize + dataSize;
        pos = next + (4 - next % 4) % 4;
    }
    return entries;
}

} // namespace w32::resources
