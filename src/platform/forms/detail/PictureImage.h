#pragma once
// A picture's pixels as Qt images.

#include <QImage>
#include <QPixmap>

#include "platform/forms/Picture.h"

namespace forms::detail {

// Shares the picture's pixels: valid only while the picture lives.
QImage pictureImage(const Picture& picture);
// A copy of the pixels, independent of the picture.
QPixmap picturePixmap(const Picture& picture);

}  // namespace forms::detail
