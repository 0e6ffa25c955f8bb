// All eight toolbars open, four above the score and four below: nothing
// overlaps, nothing covers another, every button shows its picture and has a
// tool tip, and the score area keeps its room. A picture of the window is
// saved in the build folder for a person to look at.

#include <QImage>
#include <QRect>
#include <set>
#include <string>
#include <vector>

#include "toolbars_fixture.h"

namespace {

using namespace toolbarstest;

// A control of a toolbar and what it must show.
struct Item {
    forms::Control* control;
    bool picture;
};

QRect rectIn(const forms::Control& control, QWidget* reference) {
    QWidget* widget = control.nativeWidget();
    return QRect(widget->mapTo(reference, QPoint(0, 0)), widget->size());
}

// Distinct colours in the face of a control, its border left out.
int faceColours(const forms::Control& control) {
    const QImage face = control.nativeWidget()->grab().toImage();
    std::set<QRgb> colours;
    for (int y = 4; y < face.height() - 4; ++y) {
        for (int x = 4; x < face.width() - 4; ++x) colours.insert(face.pixel(x, y));
    }
    return static_cast<int>(colours.size());
}

class AllToolbarsTest : public ToolbarsTest {
protected:
    void openAllEight() {
        auto& w = form();
        click(w.Cmdsetup);
        click(w.CmdEdit);
        click(w.CmdCompose);
        choose(w.mnuBelowStaff5);
        choose(w.mnuBelowStaff6);
        choose(w.mnuBelowStaff7);
        choose(w.mnuBelowStaff8);
    }

    std::vector<forms::PictureBox*> panels() {
        auto& w = form();
        return {&w.toolbMenu,  &w.toolbSetup, &w.toolbEdit,   &w.ToolbCompose,
                &w.toolbRythm, &w.toolbPlay,  &w.ToolbRecord, &w.toolbMIDI};
    }

    // The controls each toolbar shows, and which of them carry a picture.
    std::vector<std::pair<forms::PictureBox*, std::vector<Item>>> shownControls() {
        auto& w = form();
        std::vector<Item> compose = {
            {&w.ChkCompose, true},     {&w.EditTrackFrame, false}, {&w.MuteTrackFrame, false},
            {&w.PlayAndStop(0), true}, {&w.PlayAndStop(1), true},  {&w.RewindBut, true},
            {&w.chkgraphics, true},    {&w.loopcheck, true},       {&w.Command33, true},
            {&w.Command34, true},      {&w.Command191, true},      {&w.Command6, true}};
        std::vector<Item> rythm = {
            {&w.ChkRythm, true},   {&w.Picture6, false},  {&w.Label6(0), false},
            {&w.Label6(1), false}, {&w.Label6(2), false}, {&w.Text5, false},
            {&w.Text4, false},     {&w.Text3, false},     {&w.Picture4, false},
            {&w.Command7, true},   {&w.Command11, true},  {&w.Command10, true},
            {&w.Command2, true},   {&w.Command4, true}};
        return {
            {&w.toolbMenu,
             {{&w.Cmdsetup, true},
              {&w.CmdEdit, true},
              {&w.CmdCompose, true},
              {&w.CmdRythm, true},
              {&w.CmdMidi, true},
              {&w.Command21, true},
              {&w.CmdPlay, true},
              {&w.Command32, true},
              {&w.Cmdhelp, true},
              {&w.Command3, true}}},
            {&w.toolbSetup, {{&w.ChkPlay, true}, {&w.SetupDeviceLabel, false}, {&w.Combo2, false}}},
            {&w.toolbEdit,
             {{&w.ChkEdit, true},
              {&w.FunctionsFrame, false},
              {&w.TransposeBut(0), true},
              {&w.TransposeBut(1), true}}},
            {&w.ToolbCompose, compose},
            {&w.toolbRythm, rythm},
            {&w.toolbPlay,
             {{&w.ChkSetup, true},
              {&w.TransposeFrame, false},
              {&w.Instxt, false},
              {&w.Label1(0), false},
              {&w.Label8, false},
              {&w.TempoLabel, false}}},
            {&w.ToolbRecord,
             {{&w.ChcRecord, true},
              {&w.cmdStart, true},
              {&w.Label4, false},
              {&w.Label2, false},
              {&w.Image31(3), true},
              {&w.cbxFormat, false},
              {&w.Command25, true},
              {&w.Command22, true},
              {&w.Command23, true}}},
            {&w.toolbMIDI,
             {{&w.ChkMidi, true},
              {&w.Command26, true},
              {&w.Text6, false},
              {&w.Command28, true},
              {&w.Command30, true},
              {&w.LablPlay, false}}},
        };
    }

    // Controls inside the toolbars' frames and boxes, each group against its own container.
    std::vector<std::pair<forms::Control*, std::vector<Item>>> nestedControls() {
        auto& w = form();
        std::vector<Item> functions = {
            {&w.FunctionBut(0), true},  {&w.FunctionBut(1), true},  {&w.FunctionBut(2), true},
            {&w.toolberasecheck, true}, {&w.CutBut, true},          {&w.PasteBut, true},
            {&w.PasteIntoBut, true},    {&w.InsertColumnBut, true}, {&w.Command15, true},
            {&w.Command16, true},       {&w.Command17, true},       {&w.Command19, true},
            {&w.Command5, true}};
        std::vector<Item> melodySelect, melodyHide, rhythm;
        for (int track = 0; track < 8; ++track) {
            melodySelect.push_back({&w.TrackSel(track), false});
            melodyHide.push_back({&w.TrackHide(track), false});
        }
        for (int track = 8; track < 13; ++track) {
            rhythm.push_back({&w.TrackSel(track), false});
            rhythm.push_back({&w.TrackHide(track), false});
        }
        return {{&w.FunctionsFrame, functions},
                {&w.EditTrackFrame, melodySelect},
                {&w.MuteTrackFrame, melodyHide},
                {&w.Picture6, rhythm},
                {&w.Picture4, {{&w.Label5, false}, {&w.Label7, false}}},
                {&w.TransposeFrame, {{&w.Combo1, false}}}};
    }

    void expectTidy(const std::string& pictureName) {
        auto& w = form();
        QWidget* client = w.Picmain.nativeWidget()->parentWidget();
        for (forms::PictureBox* panel : panels()) {
            ASSERT_TRUE(panel->nativeWidget()->isVisible()) << panel->name();
        }

        // Four above, the score area, four below, edge to edge and in order.
        const std::vector<const forms::Control*> column = {
            &w.toolbMenu, &w.toolbSetup,  &w.toolbEdit, &w.ToolbCompose, &w.Picmain,
            &w.toolbMIDI, &w.ToolbRecord, &w.toolbPlay, &w.toolbRythm};
        EXPECT_EQ(w.toolbMenu.top(), 0);
        for (std::size_t index = 0; index + 1 < column.size(); ++index) {
            // The score area's empty margin below its scroll bar may lie under
            // the bottom toolbars when room is short (checked below).
            if (column[index] != &w.Picmain && column[index + 1] != &w.toolbMIDI) {
                EXPECT_TRUE(directlyAbove(*column[index], *column[index + 1]))
                    << column[index]->name() << " over " << column[index + 1]->name();
            }
        }
        EXPECT_EQ(bottomOf(w.toolbRythm), w.scaleHeight());

        // The score area keeps a score box with its scroll bar clear of the toolbars.
        EXPECT_GE(w.RowSpan, 0);
        EXPECT_GE(w.ColumnSpan, 0);
        const QRect scroll = rectIn(w.HScroll1, client);
        EXPECT_LE(scroll.bottom(), w.toolbMIDI.top() - 1);

        for (auto& [panel, items] : shownControls()) {
            const QRect panelRect = rectIn(*panel, client);
            for (std::size_t i = 0; i < items.size(); ++i) {
                forms::Control& control = *items[i].control;
                SCOPED_TRACE(panel->name() + " / " + control.name());
                ASSERT_TRUE(control.nativeWidget()->isVisible());
                const QRect rect = rectIn(control, client);
                EXPECT_TRUE(panelRect.contains(rect)) << "sticks out of its toolbar";
                // Nothing lies over it: the window shows the control at its middle.
                QWidget* shown = client->childAt(rect.center());
                EXPECT_TRUE(shown == control.nativeWidget() ||
                            control.nativeWidget()->isAncestorOf(shown))
                    << "covered at its middle";
                for (std::size_t j = i + 1; j < items.size(); ++j) {
                    EXPECT_FALSE(rect.intersects(rectIn(*items[j].control, client)))
                        << "overlaps " << items[j].control->name();
                }
                if (items[i].picture) {
                    EXPECT_FALSE(control.toolTipText().empty());
                    EXPECT_GE(faceColours(control), 4) << "shows no picture";
                }
            }
        }
        for (auto& [container, items] : nestedControls()) {
            const QRect containerRect(QPoint(0, 0), container->nativeWidget()->size());
            for (std::size_t i = 0; i < items.size(); ++i) {
                forms::Control& control = *items[i].control;
                SCOPED_TRACE(container->name() + " / " + control.name());
                const QRect rect = rectIn(control, container->nativeWidget());
                EXPECT_TRUE(containerRect.contains(rect)) << "sticks out of " << container->name();
                for (std::size_t j = i + 1; j < items.size(); ++j) {
                    EXPECT_FALSE(
                        rect.intersects(rectIn(*items[j].control, container->nativeWidget())))
                        << "overlaps " << items[j].control->name();
                }
                EXPECT_FALSE(control.toolTipText().empty());
                if (items[i].picture) {
                    EXPECT_GE(faceColours(control), 4) << "shows no picture";
                }
            }
        }

        const std::string path = std::string(SORVANE_BINARY_DIR) + "/" + pictureName;
        EXPECT_TRUE(w.nativeWindow()->grab().save(QString::fromStdString(path)));
    }
};

class DesignedSizeTest : public AllToolbarsTest {
protected:
    void SetUp() override {
        clientWidth = 1040;
        clientHeight = 640;
        AllToolbarsTest::SetUp();
    }
};

TEST_F(DesignedSizeTest, FourToolbarsAboveAndFourBelowLieTidily) {
    openAllEight();
    EXPECT_EQ(form().RowSpan, rowSpanWith(26 + 26 + 31 + 31 + 26 + 26 + 26));
    expectTidy("toolbars-all-open.png");
}

class SmallestWindowToolbarsTest : public AllToolbarsTest {
protected:
    void SetUp() override {
        clientWidth = 718;
        clientHeight = 325;
        AllToolbarsTest::SetUp();
    }
};

TEST_F(SmallestWindowToolbarsTest, FourToolbarsAboveAndFourBelowLieTidily) {
    openAllEight();
    EXPECT_EQ(form().scaleWidth(), 718);
    EXPECT_EQ(form().scaleHeight(), 325);
    expectTidy("toolbars-all-open-smallest.png");
}

TEST_F(SmallestWindowToolbarsTest, TheScoreAreaStaysClearOfTheBottomToolbarsAtEveryHeight) {
    auto& w = form();
    openAllEight();
    QWidget* client = w.Picmain.nativeWidget()->parentWidget();
    for (int height = 325; height <= 420; ++height) {
        w.setClientSize(718, height);
        ASSERT_EQ(w.scaleHeight(), height);
        EXPECT_LE(bottomOf(w.Picmain), w.toolbMIDI.top()) << height;
        // The scroll bar's lowest row takes a click.
        const QRect scroll = rectIn(w.HScroll1, client);
        const QPoint lowest(scroll.center().x(), scroll.bottom());
        EXPECT_EQ(client->childAt(lowest), w.HScroll1.nativeWidget()) << height;
        EXPECT_GE(w.RowSpan, 0) << height;
    }
    // Where there is room the rows are counted as always.
    w.setClientSize(718, 600);
    EXPECT_EQ(w.RowSpan, (600 - VerticalMargin - (26 + 26 + 31 + 31 + 26 + 26 + 26)) / RowStep - 1);
}

}  // namespace
