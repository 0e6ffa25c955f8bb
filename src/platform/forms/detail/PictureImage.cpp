#include "platform/forms/detail/PictureImage.h"

namespace forms::detail {

QImage pictureImage(const Picture& picture) {
    if (picture.isEmpty()) return {};
    const surface::Surface& pixels = picture.pixels();
    return QImage(reinterpret_cast<const uchar*>(pixels.bits()), pixels.width(), pixels.height(),
                  pixels.width() * 4,
                  picture.hasTransparency() ? QImage::Format_ARGB32 : QImage::Format_RGB32);
}

// The pixmap may outlive the picture: it gets pixels of its own (Qt would
// otherwise keep pointing into the picture's).
QPixmap picturePixmap(const Picture& picture) {
    return QPixmap::fromImage(pictureImage(picture).copy());
}

}  // namespace forms::detail
