#pragma once
// A picture box's pixels: a persistent image that keeps what is drawn on it until
// it is cleared. Drawing is pixel-exact (no antialiasing) and keeps the box's
// drawing state (fill style, fill colour, fore colour) between calls, as the
// score drawing relies on it. No toolkit types: the forms layer shows the
// pixels, tests read them back.

#include <cstdint>
#include <functional>
#include <vector>

namespace surface {

// Colours as the program writes them: &H00BBGGRR, red in the low byte.
using OleColour = std::uint32_t;

constexpr OleColour rgb(int r, int g, int b) {
    return static_cast<OleColour>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}

// A colour with the top bit set names a system colour (&H8000000F, button face)
// rather than red, green and blue; this gives the colour we show for it, from a
// fixed light palette unless the window toolkit installed its own. Plain
// colours come back unchanged (without the unused top byte).
OleColour resolveSystemColour(OleColour colour);
// Lets the toolkit answer for system colours (given the index, the low byte),
// so that a picture box's button-face background and a button-face key agree.
// An empty function restores the fixed palette.
void setSystemColourLookup(std::function<OleColour(int index)> lookup);

enum class FillStyle { Solid = 0, Transparent = 1 };

class Surface {
public:
    explicit Surface(int width = 0, int height = 0, OleColour backColour = 0xFFFFFF);

    int width() const { return width_; }
    int height() const { return height_; }
    // Keeps the pixels that still fit; new area takes the back colour.
    void resize(int width, int height);

    OleColour backColour() const { return backColour_; }
    void setBackColour(OleColour colour) { backColour_ = colour; }
    FillStyle fillStyle() const { return fillStyle_; }
    void setFillStyle(FillStyle style) { fillStyle_ = style; }
    OleColour fillColour() const { return fillColour_; }
    void setFillColour(OleColour colour) { fillColour_ = colour; }
    OleColour foreColour() const { return foreColour_; }
    void setForeColour(OleColour colour) { foreColour_ = colour; }

    // Pixels outside the surface read as the back colour and ignore writes.
    OleColour pixel(int x, int y) const;
    void setPixel(int x, int y, OleColour colour);

    // Whole surface to the back colour.
    void clear();
    // A line from (x1, y1) towards (x2, y2); the end point itself is not drawn.
    void line(int x1, int y1, int x2, int y2, OleColour colour);
    // An outline box with both corners included; filled with the fill colour
    // first when the fill style is solid.
    void box(int x1, int y1, int x2, int y2, OleColour colour);
    // A box filled with the given colour, both corners included.
    void filledBox(int x1, int y1, int x2, int y2, OleColour colour);
    // A circle outline of the given radius; its inside is filled with the fill
    // colour when the fill style is solid.
    void circle(int centreX, int centreY, int radius, OleColour colour);

    // Rows of 0xFFRRGGBB pixels, ready to be shown as an RGB32 image.
    const std::uint32_t* bits() const { return pixels_.data(); }
    std::uint32_t* bits() { return pixels_.data(); }
    // Bumped by every change, so a view knows when to repaint.
    std::uint64_t revision() const { return revision_; }
    void touch() { ++revision_; }

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint32_t> pixels_;
    OleColour backColour_;
    FillStyle fillStyle_ = FillStyle::Transparent;
    OleColour fillColour_ = 0;
    OleColour foreColour_ = 0;
    std::uint64_t revision_ = 0;
};

// The copies between surfaces. Rectangles are clipped against both surfaces;
// the result says whether anything was copied.
bool bitBlt(Surface& dest, int destX, int destY, int width, int height, const Surface& source,
            int sourceX, int sourceY);

// Constant-alpha blend, the blend description packed as in the program's
// OverlayBlend: byte 0 operation (0 = source over), byte 2 the source alpha.
// Per channel: source * alpha / 255 + dest * (255 - alpha) / 255, each term
// truncated. Source and destination sizes must match (no stretching).
bool alphaBlend(Surface& dest, int destX, int destY, int width, int height, const Surface& source,
                int sourceX, int sourceY, int sourceWidth, int sourceHeight,
                std::uint32_t blendFunction);

// Copies every source pixel that is not the key colour.
bool transparentBlt(Surface& dest, int destX, int destY, int width, int height,
                    const Surface& source, int sourceX, int sourceY, int sourceWidth,
                    int sourceHeight, OleColour keyColour);

}  // namespace surface
