#include "resources/Pictures.h"

#include <QtCore/qglobal.h>

// Q_INIT_RESOURCE names a function declared at global scope, so it cannot be
// called from inside namespace resources.
static void registerPictures() {
    Q_INIT_RESOURCE(pictures);
}

namespace resources {

std::string picturePath(std::string_view name) {
    std::string path = ":/pictures/";
    path.append(name);
    path.append(".png");
    return path;
}

void initPictures() {
    registerPictures();
}

}  // namespace resources
