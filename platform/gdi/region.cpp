// Regions as lists of non-overlapping rectangles. The lists stay short (a window's visible area
// less a few windows above it), so the operations are simple rather than banded.
#include "gdi/region.h"

#include <algorithm>

namespace w32::gdi {

bool IsEmptyRect(const RECT& r) {
    return r.left >= r.right || r.top >= r.bottom;
}

namespace {

RECT Intersection(const RECT& a, const RECT& b) {
    return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
            std::min(a.bottom, b.bottom)};
}

// Appends the parts of r outside cut (up to four rectangles).
void AppendDifference(const RECT& r, const RECT& cut, std::vector<RECT>* out) {
    RECT common = Intersection(r, cut);
    if (IsEmptyRect(common)) {
        out->push_back(r);
        return;
    }
    if (r.top < common.top)
        out->push_back({r.left, r.top, r.right, common.top});
    if (common.bottom < r.bottom)
        out->push_back({r.left, common.bottom, r.right, r.bottom});
    if (r.left < common.left)
        out->push_back({r.left, common.top, common.left, common.bottom});
    if (common.right < r.right)
        out->push_back({common.right, common.top, r.right, common.bottom});
}

} // namespace

Region::Region(const RECT& rect) {
    if (!IsEmptyRect(rect))
        rects_.push_back(rect);
}

RECT Region::Bounds() const {
    if (rects_.empty())
        return {0, 0, 0, 0};
    RECT b = rects_.front();
    for (const RECT& r : rects_) {
        b.left = std::min(b.left, r.left);
        b.top = std::min(b.top, r.top);
        b.right = std::max(b.right, r.right);
        b.bottom = std::max(b.bottom, r.bottom);
    }
    return b;
}

bool Region::Contains(int x, int y) const {
    for (const RECT& r : rects_)
        if (x >= r.left && x < r.right && y >= r.top && y < r.bottom)
            return true;
    return false;
}

void Region::Union(const RECT& rect) {
    if (IsEmptyRect(rect))
        return;
    // Keep the list disjoint: add only the parts of rect not covered yet.
    std::vector<RECT> pieces{rect};
    for (const RECT& existing : rects_) {
        std::vector<RECT> next;
        for (const RECT& piece : pieces)
            AppendDifference(piece, existing, &next);
        pieces.swap(next);
        if (pieces.empty())
            return;
    }
    rects_.insert(rects_.end(), pieces.begin(), pieces.end());
}

void Region::Union(const Region& other) {
    for (const RECT& r : other.rects_)
        Union(r);
}

void Region::Subtract(const RECT& rect) {
    if (IsEmptyRect(rect))
        return;
    std::vector<RECT> next;
    for (const RECT& r : rects_)
        AppendDifference(r, rect, &next);
    rects_.swap(next);
}

void Region::Subtract(const Region& other) {
    for (const RECT& r : other.rects_)
        Subtract(r);
}

void Region::Intersect(const RECT& rect) {
    std::vector<RECT> next;
    for (const RECT& r : rects_) {
        RECT common = Intersection(r, rect);
        if (!IsEmptyRect(common))
            next.push_back(common);
    }
    rects_.swap(next);
}

void Region::Intersect(const Region& other) {
    std::vector<RECT> next;
    for (const RECT& a : rects_)
        for (const RECT& b : other.rects_) {
            RECT common = Intersection(a, b);
            if (!IsEmptyRect(common))
                next.push_back(common);
        }
    rects_.swap(next);
}

void Region::Offset(int dx, int dy) {
    for (RECT& r : rects_) {
        r.left += dx;
        r.right += dx;
        r.top += dy;
        r.bottom += dy;
    }
}

} // namespace w32::gdi
