// The form: client area, outer size, Resize, closing, the docking stacks of
// toolbar panels, its menus with the popup menu; and picture boxes, which show
// a surface, and the pictures they take.

#include <QAction>
#include <QDirIterator>
#include <QImage>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <algorithm>

#include "forms_testing.h"
#include "platform/forms/Menu.h"
#include "platform/forms/PictureBox.h"

namespace {

using namespace formstest;

std::string sizeOf(const forms::Form& form) {
    return std::to_string(form.scaleWidth()) + "x" + std::to_string(form.scaleHeight()) + " ";
}

TEST_F(FormsTest, ResizeReportsEachNewClientAreaOnceAndMayResizeAgain) {
    std::string seen;
    form->Resize = [&] {
        seen += sizeOf(*form);
        // A window too small is enlarged, which raises Resize again.
        if (form->scaleWidth() < 500) form->setWidth(500 + form->width() - form->scaleWidth());
    };
    for (const auto& [width, height] : {std::pair{750, 600}, {750, 600}, {300, 200}}) {
        form->setClientSize(width, height);
    }
    form->setWindowState(forms::WindowState::Minimized);
    form->setWindowState(forms::WindowState::Normal);
    EXPECT_EQ(seen.substr(0, 24), "750x600 300x200 500x200 ");
    EXPECT_GE(std::count(seen.begin(), seen.end(), ' '), 5);  // minimized and restored
    // The outer size includes whatever frame the window has.
    const QSize frame(form->width() - form->scaleWidth(), form->height() - form->scaleHeight());
    form->setWidth(718);
    form->setHeight(325);
    EXPECT_EQ(QSize(form->width(), form->height()), QSize(718, 325));
    EXPECT_EQ(QSize(form->scaleWidth(), form->scaleHeight()), QSize(718, 325) - frame);
}

TEST(FormsFirstShow, ResizeIsRaisedWhenFirstShownNotBeforeAndTheFrameIsCentred) {
    testsupport::ensureQtApp();
    forms::Form window("openerF");
    std::string seen;
    window.Resize = [&] { seen += sizeOf(window); };
    window.setClientSize(442, 334);
    window.centreOnScreen();
    EXPECT_EQ(seen, "");
    window.show();
    window.hide();
    window.show();
    forms::doEvents();
    EXPECT_EQ(seen, "442x334 ");
    // The frame is known only now: before the show the window had none.
    const QRect frame = window.nativeWindow()->frameGeometry();
    ASSERT_NE(frame.size(), window.nativeWindow()->size());
    const QPoint offCentre = frame.center() - window.nativeWindow()->screen()->geometry().center();
    EXPECT_LE(offCentre.manhattanLength(), 2);
}

TEST_F(FormsTest, CloseAsksUnloadWhichMayCancelButUnloadAsksNobody) {
    form->setCaption("Midi Sorvane: /tmp/a.sng");
    EXPECT_EQ(form->nativeWindow()->windowTitle(), "Midi Sorvane: /tmp/a.sng");
    int asked = 0;
    form->Unload = [&](int& cancel) { cancel = ++asked == 1; };
    EXPECT_FALSE(form->nativeWindow()->close());
    EXPECT_TRUE(form->isShown());
    EXPECT_TRUE(form->nativeWindow()->close());
    EXPECT_FALSE(form->isShown());
    form->show();
    form->unload();
    EXPECT_FALSE(form->isShown());
    EXPECT_EQ(asked, 2);
}

// The main window's panels; the text gives each one's top edge ("-" hidden).
TEST_F(FormsTest, DockedPanelsStackAtTheTopAndBottomInDockingOrderWithoutHiddenOnes) {
    forms::PictureBox menu(*form, "toolbMenu"), rythm(*form, "toolbRythm"),
        play(*form, "toolbPlay"), score(*form, "Picmain");
    auto tops = [&] {
        std::string text;
        for (auto* box : {&menu, &rythm, &play, &score}) {
            text += (box->visible() ? std::to_string(box->top()) : "-") + " ";
        }
        return text;
    };
    // A toolbar opened next to the score area takes the innermost place.
    auto openNextToScore = [&](forms::PictureBox& box, int align) {
        box.setVisible(true);
        score.setAlign(0);
        box.setAlign(align);
        score.setAlign(1);
    };
    int height = 0;
    for (auto* box : {&menu, &rythm, &play, &score}) {
        box->setHeight(height += 10);
        box->setAlign(1);
    }
    EXPECT_EQ(tops(), "0 10 30 60 ");
    EXPECT_EQ(score.width(), 400);
    rythm.setVisible(false);  // the space comes back at once
    EXPECT_EQ(tops(), "0 - 10 40 ");
    play.setHeight(25);
    EXPECT_EQ(tops(), "0 - 10 35 ");
    openNextToScore(rythm, 2);
    openNextToScore(play, 2);  // innermost: above the one docked before
    EXPECT_EQ(tops(), "0 280 255 10 ");
    menu.setAlign(0);  // undocked, it keeps its place
    EXPECT_EQ(tops(), "0 280 255 0 ");
    {
        forms::PictureBox gone(*form, "gone");
        gone.setHeight(20);
        gone.setAlign(1);
        score.setAlign(1);
        EXPECT_EQ(tops(), "0 280 255 20 ");
    }
    EXPECT_EQ(tops(), "0 280 255 0 ");  // a destroyed panel leaves its stack
    std::string atResize;               // panels are laid out before Resize is raised
    form->Resize = [&] { atResize = tops() + std::to_string(score.surface().width()); };
    form->setClientSize(600, 500);
    EXPECT_EQ(atResize, "0 480 455 0 600");
    EXPECT_EQ(menu.width(), 400);
}

TEST_F(FormsTest, MenuItemsKeepCaptionCheckVisibilityAndEnabledAndTheBarLiesAbove) {
    const int outerHeight = form->nativeWindow()->height();
    QMenuBar* bar = static_cast<QMainWindow*>(form->nativeWindow())->menuBar();
    forms::Menu popup(*form, "mnupopup", "popup");
    popup.setVisible(false);  // a form whose only menu is a popup has no bar
    EXPECT_EQ(form->scaleHeight(), outerHeight);
    forms::Menu setup(*form, "mnuSetup", "Setup");
    forms::Menu group(setup, "mnuSetupToolbar", "Setup Toolbar");
    forms::Menu open(group, "mnuOpenSetuptoolb", "Open");
    forms::Menu space(setup, "mnuSpace1", "-");
    EXPECT_EQ(form->scaleHeight(), outerHeight - bar->height());
    EXPECT_GE(form->childHost()->y(), bar->height());
    EXPECT_EQ(group.action()->menu()->actions().size(), 1);
    EXPECT_TRUE(space.action()->isSeparator() && space.action()->text().isEmpty());
    open.setCaption("Close");
    EXPECT_EQ(open.action()->text(), "Close");
    space.setEnabled(false);  // checked first: a hidden item is never enabled
    EXPECT_FALSE(space.action()->isEnabled());
    space.setVisible(false);
    EXPECT_FALSE(space.action()->isVisible());
    // Choosing an item raises Click; the tick stays the program's to set.
    open.Click = [&] { open.setCaption(open.caption() + "!"); };
    open.action()->trigger();
    EXPECT_FALSE(open.action()->isChecked());
    open.setChecked(true);
    open.action()->trigger();
    EXPECT_TRUE(open.action()->isChecked());
    EXPECT_EQ(open.caption(), "Close!!");
}

TEST_F(FormsTest, PopupMenuOpensOncePerGestureAndReturnsWhenClosed) {
    forms::Menu popup(*form, "mnupopup", "popup");
    forms::Menu erase(popup, "mnuErase", "Erase Selection");
    popup.setVisible(false);
    int chosen = 0;
    erase.Click = [&] { ++chosen; };
    // Each popup that opens is closed a moment later, its item chosen.
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
            erase.action()->trigger();
            menu->close();
        }
    });
    closer.start(20);
    forms::PictureBox box(*form, "MusicBox");
    // Both the press and the release of a right click ask for the menu.
    box.MouseDown = [&](const forms::MouseEventArgs&) { form->popupMenu(popup); };
    box.MouseUp = box.MouseDown;
    clickOn(box.childHost(), {10, 10}, Qt::RightButton);
    EXPECT_EQ(chosen, 1);
    clickOn(box.childHost(), {10, 10}, Qt::RightButton);
    form->popupMenu(popup);  // asked from code outside any gesture, it opens every time
    form->popupMenu(popup);
    EXPECT_EQ(chosen, 4);
}

TEST_F(FormsTest, PictureBoxShowsItsSurfaceInsideItsBorderAndKeepsThePixelsThatStillFit) {
    forms::PictureBox box(*form, "MusicBox");
    box.move(10, 10, 63, 39);
    box.setBorder(true);
    box.surface().setPixel(1, 1, 0);
    box.setBackColor(0xFFFFFF);                       // clears the box
    box.surface().filledBox(0, 0, 11, 11, 0xFF0000);  // blue
    box.surface().setPixel(60, 36, 0x0000FF);         // red, the last pixel
    EXPECT_EQ(box.childHost()->geometry(), QRect(1, 1, 61, 37));
    const QImage shown = box.childHost()->grab().toImage();
    EXPECT_EQ(shown.pixelColor(1, 1).name() + shown.pixelColor(60, 36).name() +
                  shown.pixelColor(30, 20).name(),
              "#0000ff#ff0000#ffffff");
    box.move(10, 10, 82, 22);
    EXPECT_EQ(QSize(box.scaleWidth(), box.scaleHeight()), QSize(80, 20));
    EXPECT_EQ(std::pair(box.surface().pixel(5, 5), box.surface().pixel(70, 5)),
              std::pair(0xFF0000u, 0xFFFFFFu));
    box.cls();
    EXPECT_EQ(box.surface().pixel(5, 5), 0xFFFFFFu);
}

// A change is painted on the event loop's next pass, once; refresh() paints
// once however often it is asked, also when the surface did not change.
TEST_F(FormsTest, ChangedSurfaceIsRepaintedOnceWhenEventsAreHandled) {
    forms::PictureBox box(*form, "MusicBox");
    waitUntilExposed();
    PaintCounter counter(box.childHost());
    std::string paints;
    for (const std::function<void()>& step :
         std::vector<std::function<void()>>{[] {}, [&] { box.surface().setPixel(3, 3, 0); }, [] {},
                                            [&] { box.refresh(), box.refresh(); }, [] {}}) {
        step();
        paints += std::to_string(counter.paints);
        forms::doEvents();
    }
    EXPECT_EQ(paints + std::to_string(counter.paints), "001122");
}

TEST_F(FormsTest, PictureIsTheBackgroundUnderDrawing) {
    surface::Surface halves(2, 1, 0x0000FF);
    halves.setPixel(1, 0, 0x00FF00);
    forms::PictureBox box(*form, "Panel");
    box.move(0, 0, 20, 20);
    box.setPicture(forms::Picture(std::move(halves)));
    box.surface().setPixel(4, 4, 0xFFFFFF);
    EXPECT_EQ(box.surface().pixel(15, 4), 0x00FF00u);  // stretched over the box
    box.cls();
    box.setWidth(40);
    EXPECT_EQ(std::pair(box.surface().pixel(4, 4), box.surface().pixel(25, 4)),
              std::pair(0x0000FFu, 0x00FF00u));
}

TEST(FormsPicture, EmbeddedPicturesLoadPixelForPixel) {
    testsupport::ensureQtApp();
    EXPECT_TRUE(forms::Picture::fromResource("no-such-picture").isEmpty());
    const QString folder = QStringLiteral(SORVANE_SOURCE_DIR "/src/resources/pictures");
    int checked = 0;
    for (QDirIterator files(folder, {"*.png"}, QDir::Files, QDirIterator::Subdirectories);
         files.hasNext(); ++checked) {
        const QImage expected(files.next());
        const std::string name =
            QDir(folder).relativeFilePath(files.filePath()).chopped(4).toStdString();
        const forms::Picture picture = forms::Picture::fromResource(name);
        ASSERT_EQ(QSize(picture.width(), picture.height()), expected.size()) << name;
        EXPECT_EQ(picture.hasTransparency(), expected.hasAlphaChannel()) << name;
        for (int at = 0; at < expected.width() * expected.height(); ++at) {
            const QRgb want = expected.pixel(at % expected.width(), at / expected.width());
            // The colour under a clear pixel is meaningless.
            ASSERT_TRUE(qAlpha(want) == 0 ||
                        picture.pixels().pixel(at % expected.width(), at / expected.width()) ==
                            surface::rgb(qRed(want), qGreen(want), qBlue(want)))
                << name << " at " << at;
        }
    }
    EXPECT_GT(checked, 0);
}

}  // namespace
