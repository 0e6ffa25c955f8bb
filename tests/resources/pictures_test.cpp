// The pictures built into the program: present, of their size, and fit to be
// drawn where they go.

#include "resources/Pictures.h"

#include <gtest/gtest.h>

#include <QColor>
#include <QDir>
#include <QImage>
#include <functional>
#include <set>
#include <string>

namespace {

QImage loadPicture(std::string_view name) {
    resources::initPictures();
    return QImage(QString::fromStdString(resources::picturePath(name)))
        .convertToFormat(QImage::Format_ARGB32);
}

QSize expectedSize(std::string_view name) {
    if (name == "close") return {12, 12};
    if (name == "hide-marker") return {17, 23};
    if (name == "draw-cursor") return {32, 32};
    if (name == "splash") return {350, 300};
    if (name == "score-background") return {64, 64};
    return {20, 20};
}

int countPixels(const QImage& image, const std::function<bool(QRgb)>& wanted) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) count += wanted(image.pixel(x, y));
    return count;
}

TEST(Pictures, EveryListedPictureIsInTheFolderAndLoadsAtItsSize) {
    EXPECT_EQ(resources::picturePath("splash"), ":/pictures/splash.png");
    std::set<std::string> listed;
    std::vector<QImage> loaded;
    for (std::string_view name : resources::PictureNames) {
        SCOPED_TRACE(std::string(name));
        EXPECT_TRUE(listed.insert(std::string(name)).second) << "listed twice";
        const QImage image = loadPicture(name);
        ASSERT_FALSE(image.isNull());
        EXPECT_EQ(image.size(), expectedSize(name));
        for (const QImage& other : loaded) EXPECT_NE(image, other) << "a picture twice";
        loaded.push_back(image);
    }
    const QDir folder(QStringLiteral(SORVANE_SOURCE_DIR "/src/resources/pictures"));
    std::set<std::string> files;
    for (const QString& file : folder.entryList({QStringLiteral("*.png")}, QDir::Files)) {
        files.insert(file.chopped(4).toStdString());
    }
    EXPECT_EQ(listed, files);
    EXPECT_TRUE(loadPicture("no-such-picture").isNull());
}

// Drawn over a control's own background: clear corners, and enough drawn to
// read on a toolbar.
TEST(Pictures, ButtonPicturesHaveClearCornersAndVisibleContent) {
    for (std::string_view name : resources::PictureNames) {
        if (name == "splash" || name == "score-background") continue;
        SCOPED_TRACE(std::string(name));
        const QImage image = loadPicture(name);
        const int right = image.width() - 1, bottom = image.height() - 1;
        for (QPoint corner :
             {QPoint(0, 0), QPoint(right, 0), QPoint(0, bottom), QPoint(right, bottom)}) {
            EXPECT_EQ(qAlpha(image.pixel(corner)), 0);
        }
        const int opaque = countPixels(image, [](QRgb p) { return qAlpha(p) >= 200; });
        EXPECT_GE(opaque * 10, image.width() * image.height());
    }
}

// The pencil writes at its hot spot and reads on a white score and on
// coloured notes alike: its dark body is rimmed with white.
TEST(Pictures, DrawCursorIsDarkAtItsHotSpotAndRimmed) {
    const QImage cursor = loadPicture("draw-cursor");
    const QRgb hotSpot = cursor.pixel(resources::DrawCursorHotSpotX, resources::DrawCursorHotSpotY);
    EXPECT_EQ(qAlpha(hotSpot), 255);
    EXPECT_LT(qGray(hotSpot), 100);
    for (int y = 0; y < cursor.height(); ++y) {
        for (int x = 0; x < cursor.width(); ++x) {
            const QRgb pixel = cursor.pixel(x, y);
            if (qAlpha(pixel) == 0) continue;
            ASSERT_EQ(qAlpha(pixel), 255) << x << ", " << y;
            if (qGray(pixel) >= 200) continue;
            for (QPoint next :
                 {QPoint(x + 1, y), QPoint(x - 1, y), QPoint(x, y + 1), QPoint(x, y - 1)}) {
                ASSERT_TRUE(cursor.rect().contains(next)) << x << ", " << y;
                EXPECT_NE(qAlpha(cursor.pixel(next)), 0) << x << ", " << y;
            }
        }
    }
    EXPECT_GT(countPixels(cursor, [](QRgb p) { return qAlpha(p) && qGray(p) < 200; }), 40);
    EXPECT_GT(countPixels(cursor, [](QRgb p) { return qAlpha(p) && qGray(p) >= 200; }), 20);
}

TEST(Pictures, SplashAndScoreBackgroundAreOpaque) {
    const QImage splash = loadPicture("splash");
    const int area = splash.width() * splash.height();
    EXPECT_EQ(countPixels(splash, [](QRgb p) { return qAlpha(p) == 255; }), area);
    // A light title on a dark ground.
    EXPECT_GT(countPixels(splash, [](QRgb p) { return qGray(p) < 80; }) * 2, area);
    EXPECT_GT(countPixels(splash, [](QRgb p) { return qGray(p) > 220; }) * 50, area);

    const QImage background = loadPicture("score-background");
    EXPECT_EQ(countPixels(background,
                          [](QRgb p) { return qAlpha(p) == 255 && QColor(p).lightness() >= 200; }),
              64 * 64);
}

}  // namespace
