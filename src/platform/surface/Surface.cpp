// The persistent pixel image and its straight-edged shapes. Everything is
// clipped to the surface; coordinates far outside it cost no more than the
// visible part, so a stray argument can neither crash nor stall a redraw.

#include "platform/surface/Surface.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

#include "platform/surface/PixelFormat.h"

namespace surface {

namespace {

// Products of two 32-bit distances need more than 64 bits.
__extension__ typedef __int128 Wide;

int nonNegative(int size) {
    return std::max(size, 0);
}

}  // namespace

namespace detail {

void fillRect(Surface& target, std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1,
              std::uint32_t pixel) {
    x0 = std::max<std::int64_t>(x0, 0);
    y0 = std::max<std::int64_t>(y0, 0);
    x1 = std::min<std::int64_t>(x1, target.width() - 1);
    y1 = std::min<std::int64_t>(y1, target.height() - 1);
    if (x0 > x1 || y0 > y1) return;
    std::uint32_t* bits = target.bits();
    const std::int64_t stride = target.width();
    for (std::int64_t y = y0; y <= y1; ++y) {
        std::fill(bits + y * stride + x0, bits + y * stride + x1 + 1, pixel);
    }
}

}  // namespace detail

Surface::Surface(int width, int height, OleColour backColour)
    : width_(nonNegative(width)), height_(nonNegative(height)), backColour_(backColour) {
    pixels_.assign(static_cast<std::size_t>(width_) * height_, detail::toPixel(backColour_));
}

void Surface::resize(int width, int height) {
    width = nonNegative(width);
    height = nonNegative(height);
    if (width == width_ && height == height_) return;
    std::vector<std::uint32_t> resized(static_cast<std::size_t>(width) * height,
                                       detail::toPixel(backColour_));
    const int keptWidth = std::min(width, width_);
    const int keptHeight = std::min(height, height_);
    for (int y = 0; y < keptHeight; ++y) {
        std::copy_n(pixels_.begin() + static_cast<std::ptrdiff_t>(y) * width_, keptWidth,
                    resized.begin() + static_cast<std::ptrdiff_t>(y) * width);
    }
    pixels_ = std::move(resized);
    width_ = width;
    height_ = height;
    touch();
}

OleColour Surface::pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return resolveSystemColour(backColour_);
    return detail::toOle(pixels_[static_cast<std::size_t>(y) * width_ + x]);
}

void Surface::setPixel(int x, int y, OleColour colour) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    pixels_[static_cast<std::size_t>(y) * width_ + x] = detail::toPixel(colour);
    touch();
}

void Surface::clear() {
    std::fill(pixels_.begin(), pixels_.end(), detail::toPixel(backColour_));
    touch();
}

void Surface::line(int x1, int y1, int x2, int y2, OleColour colour) {
    const std::int64_t dx = std::int64_t{x2} - x1;
    const std::int64_t dy = std::int64_t{y2} - y1;
    const std::int64_t steps = std::max(std::llabs(dx), std::llabs(dy));
    if (steps == 0) return;  // the end point is never drawn, so nothing is

    // Walk the major axis one pixel per step; the minor offset at step i is
    // i * minorDistance / steps rounded to nearest (halves away from the start),
    // the pixel Bresenham's error term picks. The closed form lets us visit only
    // the steps whose major coordinate is on the surface.
    const bool xMajor = std::llabs(dx) >= std::llabs(dy);
    const std::int64_t majorStart = xMajor ? x1 : y1;
    const std::int64_t minorStart = xMajor ? y1 : x1;
    const std::int64_t majorDir = (xMajor ? dx : dy) < 0 ? -1 : 1;
    const std::int64_t minorDir = (xMajor ? dy : dx) < 0 ? -1 : 1;
    const std::int64_t minorDistance = std::llabs(xMajor ? dy : dx);
    const std::int64_t majorLimit = xMajor ? width_ : height_;
    const std::int64_t minorLimit = xMajor ? height_ : width_;

    std::int64_t first = 0;
    std::int64_t last = steps - 1;
    if (majorDir > 0) {
        first = std::max(first, -majorStart);
        last = std::min(last, majorLimit - 1 - majorStart);
    } else {
        first = std::max(first, majorStart - (majorLimit - 1));
        last = std::min(last, majorStart);
    }
    if (first > last) return;

    const std::uint32_t pixel = detail::toPixel(colour);
    // Beat lines and rubber-band edges are straight: no rounding to work out.
    if (minorDistance == 0) {
        if (minorStart < 0 || minorStart >= minorLimit) return;
        const std::int64_t stride = xMajor ? 1 : width_;
        std::int64_t at = xMajor ? minorStart * width_ + majorStart + majorDir * first
                                 : (majorStart + majorDir * first) * width_ + minorStart;
        for (std::int64_t i = first; i <= last; ++i, at += majorDir * stride) {
            pixels_[static_cast<std::size_t>(at)] = pixel;
        }
        touch();
        return;
    }
    for (std::int64_t i = first; i <= last; ++i) {
        const auto offset =
            static_cast<std::int64_t>((Wide{2} * i * minorDistance + steps) / (Wide{2} * steps));
        const std::int64_t minor = minorStart + minorDir * offset;
        if (minor < 0 || minor >= minorLimit) continue;
        const std::int64_t major = majorStart + majorDir * i;
        const std::int64_t x = xMajor ? major : minor;
        const std::int64_t y = xMajor ? minor : major;
        pixels_[static_cast<std::size_t>(y * width_ + x)] = pixel;
    }
    touch();
}

void Surface::box(int x1, int y1, int x2, int y2, OleColour colour) {
    const std::int64_t left = std::min(x1, x2), right = std::max(x1, x2);
    const std::int64_t top = std::min(y1, y2), bottom = std::max(y1, y2);
    if (fillStyle_ == FillStyle::Solid) {
        detail::fillRect(*this, left, top, right, bottom, detail::toPixel(fillColour_));
    }
    const std::uint32_t pixel = detail::toPixel(colour);
    detail::fillRect(*this, left, top, right, top, pixel);
    detail::fillRect(*this, left, bottom, right, bottom, pixel);
    detail::fillRect(*this, left, top, left, bottom, pixel);
    detail::fillRect(*this, right, top, right, bottom, pixel);
    touch();
}

void Surface::filledBox(int x1, int y1, int x2, int y2, OleColour colour) {
    detail::fillRect(*this, std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2),
                     detail::toPixel(colour));
    touch();
}

}  // namespace surface
