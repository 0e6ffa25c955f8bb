#include "platform/forms/Picture.h"

#include <QImage>
#include <QString>
#include <cstring>

#include "resources/Pictures.h"

namespace forms {

Picture::Picture(surface::Surface pixels)
    : pixels_(std::make_shared<const surface::Surface>(std::move(pixels))) {}

Picture Picture::fromResource(const std::string& name) {
    static const bool registered = (resources::initPictures(), true);
    (void)registered;
    QImage image(QString::fromStdString(resources::picturePath(name)));
    if (image.isNull()) return {};
    const bool transparent = image.hasAlphaChannel();
    image = image.convertToFormat(transparent ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    surface::Surface pixels(image.width(), image.height());
    for (int y = 0; y < image.height(); ++y) {
        std::memcpy(pixels.bits() + static_cast<std::size_t>(y) * image.width(),
                    image.constScanLine(y), static_cast<std::size_t>(image.width()) * 4);
    }
    pixels.touch();
    Picture picture(std::move(pixels));
    picture.transparency_ = transparent;
    return picture;
}

const surface::Surface& Picture::pixels() const {
    static const surface::Surface empty;
    return pixels_ ? *pixels_ : empty;
}

}  // namespace forms
