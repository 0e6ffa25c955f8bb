#include "platform/forms/detail/Colours.h"

#include <QGuiApplication>
#include <QPalette>

#include "platform/surface/Surface.h"

namespace forms::detail {

namespace {

// The palette entry that plays the part of each system colour index.
OleColour paletteColour(int index) {
    const QPalette palette = QGuiApplication::palette();
    QColor c;
    switch (index) {
        case 0x00:
            c = palette.color(QPalette::Mid);
            break;  // scroll bars
        case 0x01:
            c = palette.color(QPalette::Dark);
            break;  // desktop
        case 0x02:
            c = palette.color(QPalette::Highlight);
            break;  // active title
        case 0x03:
            c = palette.color(QPalette::Mid);
            break;  // inactive title
        case 0x04:
            c = palette.color(QPalette::Window);
            break;  // menu bar
        case 0x05:
            c = palette.color(QPalette::Base);
            break;  // window background
        case 0x06:
            c = palette.color(QPalette::Shadow);
            break;  // window frame
        case 0x07:
            c = palette.color(QPalette::WindowText);
            break;  // menu text
        case 0x08:
            c = palette.color(QPalette::Text);
            break;  // window text
        case 0x09:
            c = palette.color(QPalette::HighlightedText);
            break;  // title-bar text
        case 0x0A:
        case 0x0B:
            c = palette.color(QPalette::Button);
            break;  // borders
        case 0x0C:
            c = palette.color(QPalette::Dark);
            break;  // workspace
        case 0x0D:
            c = palette.color(QPalette::Highlight);
            break;
        case 0x0E:
            c = palette.color(QPalette::HighlightedText);
            break;
        case 0x0F:
            c = palette.color(QPalette::Button);
            break;  // button face
        case 0x10:
            c = palette.color(QPalette::Dark);
            break;  // button shadow
        case 0x11:
            c = palette.color(QPalette::Disabled, QPalette::Text);
            break;
        case 0x12:
            c = palette.color(QPalette::ButtonText);
            break;
        case 0x13:
            c = palette.color(QPalette::Disabled, QPalette::WindowText);
            break;
        case 0x14:
            c = palette.color(QPalette::Light);
            break;
        case 0x15:
            c = palette.color(QPalette::Shadow);
            break;
        case 0x16:
            c = palette.color(QPalette::Midlight);
            break;
        case 0x17:
            c = palette.color(QPalette::ToolTipText);
            break;
        case 0x18:
            c = palette.color(QPalette::ToolTipBase);
            break;
        default:
            c = palette.color(QPalette::Window);
            break;
    }
    return surface::rgb(c.red(), c.green(), c.blue());
}

}  // namespace

// Cheap enough to repeat for every control, which keeps the palette in place
// should anything have put the surfaces' own back.
void installSystemColours() {
    surface::setSystemColourLookup(&paletteColour);
}

OleColour resolveColour(OleColour colour) {
    installSystemColours();
    return surface::resolveSystemColour(colour);
}

QColor toQColor(OleColour colour) {
    const OleColour plain = resolveColour(colour);
    return QColor(static_cast<int>(plain & 0xFF), static_cast<int>((plain >> 8) & 0xFF),
                  static_cast<int>((plain >> 16) & 0xFF));
}

Qt::CursorShape cursorShape(int pointer) {
    switch (pointer) {
        case CrossPointer:
            return Qt::CrossCursor;
        case UpArrowPointer:
            return Qt::UpArrowCursor;
        case BusyPointer:
            return Qt::WaitCursor;
        default:
            return Qt::ArrowCursor;
    }
}

}  // namespace forms::detail
