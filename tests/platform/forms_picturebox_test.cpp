// Picture boxes show their surface, repaint when it changes, keep their pixels
// through a resize, and take a picture as their background; pictures load from
// the program's embedded resources.

#include <QDirIterator>
#include <QEvent>
#include <QImage>
#include <QWindow>

#include "forms_testing.h"
#include "platform/forms/Picture.h"
#include "platform/forms/PictureBox.h"
#include "platform/time/Clock.h"

namespace {

using formstest::FormsTest;

// Counts the paints a widget receives.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget* widget) { widget->installEventFilter(this); }
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++paints;
        return false;
    }
};

QColor shown(forms::PictureBox& box, int x, int y) {
    return QColor(box.childHost()->grab().toImage().pixel(x, y));
}

TEST_F(FormsTest, PictureBoxShowsItsSurface) {
    forms::PictureBox box(*form, "MusicBox");
    box.move(10, 10, 61, 37);
    box.setBackColor(0xFFFFFF);
    EXPECT_EQ(box.scaleWidth(), 61);
    EXPECT_EQ(box.scaleHeight(), 37);
    box.surface().filledBox(0, 0, 11, 11, 0xFF0000);  // blue
    box.surface().setPixel(60, 36, 0x0000FF);         // red, last pixel
    EXPECT_EQ(shown(box, 5, 5), QColor(0, 0, 255));
    EXPECT_EQ(shown(box, 60, 36), QColor(255, 0, 0));
    EXPECT_EQ(shown(box, 30, 20), QColor(255, 255, 255));
}

TEST_F(FormsTest, ChangedSurfaceIsRepaintedOnceWhenEventsAreHandled) {
    forms::PictureBox box(*form, "MusicBox");
    box.move(0, 0, 50, 50);
    // A window system paints only once the window is on the screen.
    const QWindow* window = form->nativeWindow()->windowHandle();
    const std::int64_t giveUp = timing::GetTickCount() + 5000;
    while (!window->isExposed() && timing::GetTickCount() < giveUp) {
        forms::waitForEvents(timing::GetTickCount() + 50);
    }
    ASSERT_TRUE(window->isExposed());
    forms::doEvents();
    PaintCounter counter(box.childHost());
    forms::doEvents();
    EXPECT_EQ(counter.paints, 0);

    box.surface().setPixel(3, 3, 0);
    box.surface().setPixel(4, 3, 0);
    forms::doEvents();
    EXPECT_EQ(counter.paints, 1);
    forms::doEvents();
    EXPECT_EQ(counter.paints, 1);

    // refresh() paints on the next pass of the event loop, once however often
    // it is asked.
    box.surface().setPixel(5, 3, 0);
    box.refresh();
    box.refresh();
    EXPECT_EQ(counter.paints, 1);
    forms::doEvents();
    EXPECT_EQ(counter.paints, 2);
    forms::doEvents();
    EXPECT_EQ(counter.paints, 2);
}

TEST_F(FormsTest, ResizeKeepsThePixelsThatStillFit) {
    forms::PictureBox box(*form, "MusicBox");
    box.move(0, 0, 40, 40);
    box.setBackColor(0xFFFFFF);
    box.surface().setPixel(5, 5, 0x0000FF);
    box.setWidth(80);
    box.setHeight(20);
    EXPECT_EQ(box.scaleWidth(), 80);
    EXPECT_EQ(box.scaleHeight(), 20);
    EXPECT_EQ(box.surface().pixel(5, 5), 0x0000FFu);
    EXPECT_EQ(box.surface().pixel(70, 5), 0xFFFFFFu);
    box.move(0, 0, 30, 30);
    EXPECT_EQ(box.scaleWidth(), 30);
    EXPECT_EQ(box.scaleHeight(), 30);
    EXPECT_EQ(box.childHost()->size(), QSize(30, 30));
}

TEST_F(FormsTest, BackColorAndClsClearTheBox) {
    forms::PictureBox box(*form, "BlueBox");
    box.move(0, 0, 20, 20);
    box.surface().setPixel(1, 1, 0);
    box.setBackColor(0xFF0000);
    EXPECT_EQ(box.surface().pixel(1, 1), 0xFF0000u);
    box.surface().setPixel(1, 1, 0);
    box.cls();
    EXPECT_EQ(box.surface().pixel(1, 1), 0xFF0000u);
}

TEST_F(FormsTest, PictureIsTheBackgroundUnderDrawing) {
    surface::Surface quarters(2, 2);
    quarters.setPixel(0, 0, 0x0000FF);
    quarters.setPixel(1, 0, 0x00FF00);
    quarters.setPixel(0, 1, 0xFF0000);
    quarters.setPixel(1, 1, 0x000000);
    forms::PictureBox box(*form, "Panel");
    box.move(0, 0, 20, 20);
    box.setPicture(forms::Picture(std::move(quarters)));
    EXPECT_EQ(box.surface().pixel(4, 4), 0x0000FFu);  // stretched over the box
    EXPECT_EQ(box.surface().pixel(15, 4), 0x00FF00u);
    EXPECT_EQ(box.surface().pixel(4, 15), 0xFF0000u);
    box.surface().setPixel(4, 4, 0xFFFFFF);
    box.cls();
    EXPECT_EQ(box.surface().pixel(4, 4), 0x0000FFu);
    box.setWidth(40);
    EXPECT_EQ(box.surface().pixel(25, 4), 0x00FF00u);
}

TEST_F(FormsTest, BorderedBoxDrawsInsideItsBorder) {
    forms::PictureBox box(*form, "Picture1");
    box.move(0, 0, 30, 20);
    box.setBorder(true);
    EXPECT_EQ(box.width(), 30);
    EXPECT_EQ(box.scaleWidth(), 28);
    EXPECT_EQ(box.scaleHeight(), 18);
    float x = -1;
    box.MouseDown = [&](const forms::MouseEventArgs& a) { x = a.X; };
    formstest::press(box.childHost(), {0, 5});
    EXPECT_FLOAT_EQ(x, 0.0f);
    EXPECT_EQ(box.childHost()->mapTo(box.nativeWidget(), QPoint(0, 0)), QPoint(1, 1));
}

TEST(FormsPicture, PicturesMadeInCodeAndMissingResources) {
    testsupport::ensureQtApp();
    EXPECT_TRUE(forms::Picture().isEmpty());
    EXPECT_TRUE(forms::Picture::fromResource("no-such-picture").isEmpty());
    forms::Picture made(surface::Surface(3, 2, 0x123456));
    EXPECT_FALSE(made.isEmpty());
    EXPECT_EQ(made.width(), 3);
    EXPECT_EQ(made.height(), 2);
    EXPECT_FALSE(made.hasTransparency());
    EXPECT_EQ(made.pixels().pixel(2, 1), 0x123456u);
}

TEST(FormsPicture, EmbeddedPicturesLoadPixelForPixel) {
    testsupport::ensureQtApp();
    const QString folder = QStringLiteral(SORVANE_SOURCE_DIR "/src/resources/pictures");
    QDirIterator files(folder, {"*.png"}, QDir::Files, QDirIterator::Subdirectories);
    int checked = 0;
    while (files.hasNext()) {
        const QString path = files.next();
        QString name = QDir(folder).relativeFilePath(path);
        name.chop(4);
        const forms::Picture picture = forms::Picture::fromResource(name.toStdString());
        QImage expected(path);
        ASSERT_FALSE(picture.isEmpty()) << name.toStdString();
        ASSERT_EQ(picture.width(), expected.width()) << name.toStdString();
        ASSERT_EQ(picture.height(), expected.height()) << name.toStdString();
        EXPECT_EQ(picture.hasTransparency(), expected.hasAlphaChannel()) << name.toStdString();
        expected = expected.convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < expected.height(); ++y) {
            for (int x = 0; x < expected.width(); ++x) {
                const QRgb want = expected.pixel(x, y);
                if (qAlpha(want) == 0) continue;  // colour under a clear pixel is meaningless
                const QColor c(want);
                ASSERT_EQ(picture.pixels().pixel(x, y), surface::rgb(c.red(), c.green(), c.blue()))
                    << name.toStdString() << " at " << x << "," << y;
            }
        }
        ++checked;
    }
    if (checked == 0) GTEST_SKIP() << "no embedded pictures yet";
}

}  // namespace
