// Regions: small lists of non-overlapping rectangles, in whatever coordinates the owner uses.
// Rectangles exclude their right column and bottom row, as RECT does.
#pragma once

#include <windows.h>

#include <vector>

namespace w32::gdi {

class Region {
  public:
    Region() = default;
    explicit Region(const RECT& rect);

    bool IsEmpty() const { return rects_.empty(); }
    const std::vector<RECT>& Rects() const { return rects_; }
    RECT Bounds() const; // all zero when empty
    bool Contains(int x, int y) const;

    void Clear() { rects_.clear(); }
    void Union(const RECT& rect);
    void Union(const Region& other);
    void Subtract(const RECT& rect);
    void Subtract(const Region& other);
    void Intersect(const RECT& rect);
    void Intersect(const Region& other);
    void Offset(int dx, int dy);

    friend bool operator==(const Region&, const Region&) = default;

  private:
    std::vector<RECT> rects_;
};

bool IsEmptyRect(const RECT& rect);

} // namespace w32::gdi
