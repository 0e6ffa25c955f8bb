#pragma once
// The pictures built into the program: toolbar buttons, close boxes, the
// splash, the score area's background and the drawing cursor. Each is loaded
// as ":/pictures/<name>.png"; src/resources/pictures/make-pictures.py draws them.

#include <array>
#include <string>
#include <string_view>

namespace resources {

// The embedded picture names. The toolbar buttons are 20 x 20 with a
// transparent background; "close" is 12 x 12, "hide-marker" 17 x 23,
// "draw-cursor" 32 x 32, "splash" 350 x 300 without alpha and
// "score-background" 64 x 64 without alpha.
inline constexpr std::array<std::string_view, 52> PictureNames = {
    // Main toolbar
    "toolbar-setup", "toolbar-edit", "toolbar-compose", "toolbar-rythm", "toolbar-play",
    "toolbar-record", "toolbar-instrument", "stop-all-sound", "help", "exit",
    // Close box of every other toolbar
    "close",
    // Editing toolbar
    "draw-mode", "insertion-position", "select-area", "draw-select-toggle", "copy", "cut", "paste",
    "paste-insert", "insert-space", "move-down", "move-up", "new-score", "open", "save",
    "save-midi", "erase-all", "reverse", "flip", "settings-file", "paste-rythm",
    // Composing toolbar
    "play", "stop", "show-position", "loop", "open-score", "save-score",
    // Rythm toolbar
    "create-rythm", "open-rythm", "save-rythm", "test",
    // Recording toolbar
    "record", "save-wav", "play-wav", "recording-quality",
    // Play toolbar
    "play-file", "open-file",
    // Elsewhere
    "return-to-start", "hide-marker", "draw-cursor", "splash", "score-background"};

// The pixel of "draw-cursor" where the pencil writes.
inline constexpr int DrawCursorHotSpotX = 11;
inline constexpr int DrawCursorHotSpotY = 20;

// The resource path of a picture: ":/pictures/<name>.png".
std::string picturePath(std::string_view name);

// Registers the embedded pictures with Qt's resource system. The pictures live
// in a static library, whose registration a linker may drop when nothing
// refers to it; call this once before the first picture is loaded. Calling it
// again does no harm.
void initPictures();

}  // namespace resources
