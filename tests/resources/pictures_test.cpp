#include "resources/Pictures.h"

#include <gtest/gtest.h>

#include <QColor>
#include <QDir>
#include <QImage>
#include <QString>
#include <QStringList>
#include <set>
#include <string>

namespace {

QImage loadPicture(std::string_view name) {
    return QImage(QString::fromStdString(resources::picturePath(name)));
}

QSize expectedSize(std::string_view name) {
    if (name == "close") return {12, 12};
    if (name == "hide-marker") return {17, 23};
    if (name == "draw-cursor") return {32, 32};
    if (name == "splash") return {350, 300};
    if (name == "score-background") return {64, 64};
    return {20, 20};
}

// Pictures that are drawn over a control's own background.
bool isTransparentPicture(std::string_view name) {
    return name != "splash" && name != "score-background";
}

class PicturesTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { resources::initPictures(); }
};

TEST_F(PicturesTest, EveryListedPictureLoadsAtItsSize) {
    for (std::string_view name : resources::PictureNames) {
        SCOPED_TRACE(std::string(name));
        const QImage image = loadPicture(name);
        ASSERT_FALSE(image.isNull());
        EXPECT_EQ(image.size(), expectedSize(name));
    }
}

TEST_F(PicturesTest, ListAndPictureFolderAgree) {
    std::set<std::string> listed;
    for (std::string_view name : resources::PictureNames) {
        EXPECT_TRUE(listed.insert(std::string(name)).second) << "listed twice: " << name;
    }
    const QDir folder(QStringLiteral(SORVANE_SOURCE_DIR "/src/resources/pictures"));
    std::set<std::string> files;
    for (const QString& file : folder.entryList({QStringLiteral("*.png")}, QDir::Files)) {
        files.insert(file.chopped(4).toStdString());
    }
    EXPECT_EQ(listed, files);
    EXPECT_TRUE(loadPicture("no-such-picture").isNull());
}

TEST_F(PicturesTest, ButtonPicturesHaveTransparentCornersAndVisibleContent) {
    for (std::string_view name : resources::PictureNames) {
        if (!isTransparentPicture(name)) continue;
        SCOPED_TRACE(std::string(name));
        const QImage image = loadPicture(name).convertToFormat(QImage::Format_ARGB32);
        ASSERT_TRUE(image.hasAlphaChannel());
        const int right = image.width() - 1;
        const int bottom = image.height() - 1;
        EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0);
        EXPECT_EQ(qAlpha(image.pixel(right, 0)), 0);
        EXPECT_EQ(qAlpha(image.pixel(0, bottom)), 0);
        EXPECT_EQ(qAlpha(image.pixel(right, bottom)), 0);

        int opaque = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                if (qAlpha(image.pixel(x, y)) >= 200) ++opaque;
            }
        }
        // A picture that covers less than a tenth of its box does not read on a toolbar.
        EXPECT_GE(opaque * 10, image.width() * image.height()) << opaque << " opaque pixels";
    }
}

TEST_F(PicturesTest, NoTwoPicturesAreTheSame) {
    for (std::size_t i = 0; i < resources::PictureNames.size(); ++i) {
        const QImage first = loadPicture(resources::PictureNames[i]);
        for (std::size_t j = i + 1; j < resources::PictureNames.size(); ++j) {
            const QImage second = loadPicture(resources::PictureNames[j]);
            EXPECT_FALSE(first.size() == second.size() &&
                         first.convertToFormat(QImage::Format_ARGB32) ==
                             second.convertToFormat(QImage::Format_ARGB32))
                << resources::PictureNames[i] << " and " << resources::PictureNames[j];
        }
    }
}

// The cursor writes at its hot spot and must read on a white score and on
// coloured notes alike: its dark body is rimmed with white everywhere.
TEST_F(PicturesTest, DrawCursorIsOpaqueAtItsHotSpotAndRimmedWithWhite) {
    const QImage cursor = loadPicture("draw-cursor").convertToFormat(QImage::Format_ARGB32);
    ASSERT_FALSE(cursor.isNull());
    const QRgb hotSpot = cursor.pixel(resources::DrawCursorHotSpotX, resources::DrawCursorHotSpotY);
    EXPECT_EQ(qAlpha(hotSpot), 255);
    EXPECT_LT(qGray(hotSpot), 100);

    int dark = 0;
    int light = 0;
    for (int y = 0; y < cursor.height(); ++y) {
        for (int x = 0; x < cursor.width(); ++x) {
            const QRgb pixel = cursor.pixel(x, y);
            if (qAlpha(pixel) == 0) continue;
            SCOPED_TRACE(testing::Message() << "pixel " << x << ", " << y);
            EXPECT_EQ(qAlpha(pixel), 255);
            if (qGray(pixel) >= 200) {
                ++light;
                continue;
            }
            ++dark;
            for (auto [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) {
                const int nx = x + dx;
                const int ny = y + dy;
                ASSERT_TRUE(cursor.rect().contains(nx, ny));
                EXPECT_NE(qAlpha(cursor.pixel(nx, ny)), 0);
            }
        }
    }
    EXPECT_GT(dark, 40);
    EXPECT_GT(light, 20);
}

TEST_F(PicturesTest, SplashIsAnOpaquePictureWithLightTitleOnDarkGround) {
    const QImage splash = loadPicture("splash");
    ASSERT_FALSE(splash.isNull());
    EXPECT_FALSE(splash.hasAlphaChannel());
    int darkPixels = 0;
    int lightPixels = 0;
    for (int y = 0; y < splash.height(); ++y) {
        for (int x = 0; x < splash.width(); ++x) {
            const int gray = qGray(splash.pixel(x, y));
            darkPixels += gray < 80 ? 1 : 0;
            lightPixels += gray > 220 ? 1 : 0;
        }
    }
    const int area = splash.width() * splash.height();
    EXPECT_GT(darkPixels * 2, area);
    EXPECT_GT(lightPixels * 50, area);
}

TEST_F(PicturesTest, ScoreBackgroundIsOpaqueAndLight) {
    const QImage background = loadPicture("score-background");
    ASSERT_FALSE(background.isNull());
    EXPECT_FALSE(background.hasAlphaChannel());
    for (int y = 0; y < background.height(); ++y) {
        for (int x = 0; x < background.width(); ++x) {
            ASSERT_GE(QColor(background.pixel(x, y)).lightness(), 200) << x << ", " << y;
        }
    }
}

TEST(PicturePathTest, NamesMapIntoThePicturesFolder) {
    EXPECT_EQ(resources::picturePath("splash"), ":/pictures/splash.png");
    EXPECT_EQ(resources::picturePath("toolbar-setup"), ":/pictures/toolbar-setup.png");
}

}  // namespace
