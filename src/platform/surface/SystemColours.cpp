// The system colours a picture or control may name instead of a plain colour.
// Pixels know no desktop theme, so we keep one light palette of our own, which
// the window toolkit may replace by its theme's colours.

#include <array>
#include <functional>
#include <mutex>
#include <utility>

#include "platform/surface/Surface.h"

namespace surface {

namespace {

// Index (the low byte of &H800000nn) and the colour shown for it.
constexpr std::array<std::pair<OleColour, OleColour>, 17> systemPalette{{
    {0x00, rgb(200, 200, 200)},  // scroll bar track
    {0x01, rgb(0, 0, 0)},        // desktop
    {0x02, rgb(153, 180, 209)},  // active title bar
    {0x03, rgb(191, 205, 219)},  // inactive title bar
    {0x04, rgb(240, 240, 240)},  // menu background
    {0x05, rgb(255, 255, 255)},  // window background
    {0x06, rgb(100, 100, 100)},  // window frame
    {0x07, rgb(0, 0, 0)},        // menu text
    {0x08, rgb(0, 0, 0)},        // window text
    {0x09, rgb(255, 255, 255)},  // title-bar text
    {0x0D, rgb(0, 120, 215)},    // selection background
    {0x0E, rgb(255, 255, 255)},  // selection text
    {0x0F, rgb(240, 240, 240)},  // button face
    {0x10, rgb(160, 160, 160)},  // button shadow
    {0x11, rgb(109, 109, 109)},  // disabled text
    {0x12, rgb(0, 0, 0)},        // button text
    {0x14, rgb(255, 255, 255)},  // button highlight
}};

struct InstalledLookup {
    std::mutex lock;
    std::function<OleColour(int)> lookup;
};

InstalledLookup& installed() {
    static InstalledLookup instance;
    return instance;
}

}  // namespace

void setSystemColourLookup(std::function<OleColour(int index)> lookup) {
    InstalledLookup& i = installed();
    const std::lock_guard guard(i.lock);
    i.lookup = std::move(lookup);
}

OleColour resolveSystemColour(OleColour colour) {
    if ((colour & 0x80000000u) == 0) return colour & 0x00FFFFFFu;
    const OleColour index = colour & 0x7FFFFFFFu;
    if (index <= 0xFF) {
        InstalledLookup& i = installed();
        const std::lock_guard guard(i.lock);
        if (i.lookup) return i.lookup(static_cast<int>(index)) & 0x00FFFFFFu;
    }
    for (const auto& [systemIndex, shown] : systemPalette) {
        if (systemIndex == index) return shown;
    }
    // An index we do not know still has to show as something definite.
    return rgb(0, 0, 0);
}

}  // namespace surface
