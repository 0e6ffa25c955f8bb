// Circles, pixel for pixel the midpoint algorithm's: from (r, 0) the rim steps
// one row at a time and moves one column inwards whenever the midpoint between
// the two candidate pixels lies on or outside the true circle, mirrored into
// all eight octants. Rather than walking the octant we work out each row's rim
// directly, so only the rows that are on the surface cost anything.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "platform/surface/PixelFormat.h"
#include "platform/surface/Surface.h"

namespace surface {

namespace {

__extension__ typedef __int128 Wide;

Wide squareRootFloor(Wide n) {
    if (n <= 0) return 0;
    auto root = static_cast<Wide>(std::sqrt(static_cast<long double>(n)));
    while (root * root > n) --root;
    while ((root + 1) * (root + 1) <= n) ++root;
    return root;
}

// The rim pixels on row offset t (0 <= t <= r) of a circle of radius r, as
// column offsets: the outermost pixel where the octant walk visits this row
// (outer, or -1 when it does not), and the run of columns [runFirst, runLast]
// where the walk's mirror image crosses it (empty when runFirst > runLast).
//
// The walk keeps column x on row y exactly while (2x - 1)^2 + 4y^2 < 4r^2,
// taking the largest such x; it stops once that x falls below y.
struct RowRim {
    std::int64_t outer = -1;
    std::int64_t runFirst = 0;
    std::int64_t runLast = -1;
    std::int64_t extent() const { return std::max(outer, runLast); }
};

RowRim rimOnRow(std::int64_t r, std::int64_t t) {
    RowRim rim;
    const Wide fourRSquared = Wide{4} * r * r;

    const Wide room = fourRSquared - Wide{4} * t * t;
    if (room > 1) {
        Wide odd = squareRootFloor(room - 1);
        if (odd % 2 == 0) --odd;
        const auto column = static_cast<std::int64_t>((odd + 1) / 2);
        if (column >= t) rim.outer = column;
    }

    // Rows y of the walk whose column is exactly t, and still inside the octant
    // (y <= t), give the pixels (y, t) of the mirrored octant.
    const Wide below = fourRSquared - Wide{2 * t - 1} * (2 * t - 1);
    const Wide above = fourRSquared - Wide{2 * t + 1} * (2 * t + 1);
    if (below > 0) {
        const auto last = static_cast<std::int64_t>(squareRootFloor(below - 1) / 2);
        std::int64_t first = 0;
        if (above > 0) {
            Wide twiceFirst = squareRootFloor(above);
            if (twiceFirst * twiceFirst < above) ++twiceFirst;
            first = static_cast<std::int64_t>((twiceFirst + 1) / 2);
        }
        rim.runFirst = first;
        rim.runLast = std::min(last, t);
    }
    return rim;
}

// Every note head has the same radius, so the rim of the last radius drawn is
// kept (up to a size) rather than worked out again for each head.
class RimCache {
public:
    static constexpr std::int64_t largestKept = 4096;

    const RowRim& row(std::int64_t r, std::int64_t t) {
        if (r > largestKept) {
            scratch_ = rimOnRow(r, t);
            return scratch_;
        }
        if (r != radius_) {
            radius_ = r;
            rows_.resize(static_cast<std::size_t>(r) + 1);
            for (std::int64_t i = 0; i <= r; ++i)
                rows_[static_cast<std::size_t>(i)] = rimOnRow(r, i);
        }
        return rows_[static_cast<std::size_t>(t)];
    }

private:
    std::int64_t radius_ = -1;
    std::vector<RowRim> rows_;
    RowRim scratch_;
};

}  // namespace

void Surface::circle(int centreX, int centreY, int radius, OleColour colour) {
    if (radius < 0) return;
    const std::uint32_t rimPixel = detail::toPixel(colour);
    const std::uint32_t fillPixel = detail::toPixel(fillColour_);
    const bool filled = fillStyle_ == FillStyle::Solid;
    const std::int64_t cx = centreX;
    const std::int64_t cy = centreY;
    const std::int64_t r = radius;

    if (r == 0) {
        detail::fillRect(*this, cx, cy, cx, cy, rimPixel);
        touch();
        return;
    }

    auto drawRow = [&](std::int64_t y, const RowRim& rim) {
        if (filled) detail::fillRect(*this, cx - rim.extent(), y, cx + rim.extent(), y, fillPixel);
        if (rim.outer >= 0) {
            detail::fillRect(*this, cx - rim.outer, y, cx - rim.outer, y, rimPixel);
            detail::fillRect(*this, cx + rim.outer, y, cx + rim.outer, y, rimPixel);
        }
        if (rim.runFirst <= rim.runLast) {
            detail::fillRect(*this, cx - rim.runLast, y, cx - rim.runFirst, y, rimPixel);
            detail::fillRect(*this, cx + rim.runFirst, y, cx + rim.runLast, y, rimPixel);
        }
    };

    // Row offsets whose lower row (cy + t) or upper row (cy - t) is on the surface.
    const std::int64_t lastRow = std::int64_t{height_} - 1;
    const std::int64_t lowerFirst = std::max<std::int64_t>(0, -cy);
    const std::int64_t lowerLast = std::min(r, lastRow - cy);
    // The centre row (t = 0) belongs to the lower half only.
    const std::int64_t upperFirst = std::max<std::int64_t>(1, cy - lastRow);
    const std::int64_t upperLast = std::min(r, cy);
    thread_local RimCache rims;
    for (std::int64_t t = lowerFirst; t <= lowerLast; ++t) drawRow(cy + t, rims.row(r, t));
    for (std::int64_t t = upperFirst; t <= upperLast; ++t) drawRow(cy - t, rims.row(r, t));
    touch();
}

}  // namespace surface
