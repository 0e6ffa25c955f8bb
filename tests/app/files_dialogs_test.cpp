// The file commands through the real file dialogs, offscreen, driven as a
// user drives them: a name typed and accepted, or the dialog cancelled.

#include <QDir>

#include <filesystem>

#include "files_fixture.h"
#include "platform/forms/Application.h"
#include "platform/system/System.h"
#include "score/ScoreText.h"

namespace {

using namespace filestest;

class FileDialogsTest : public FilesTest {
protected:
    FileDialogDriver dialogs;
};

TEST_F(FileDialogsTest, SaveAsShowsItsDialogAndWritesTheTypedNameWithExtension) {
    putSmallScore();
    dialogs.answer(file("tune"));
    form().SaveScoreAs();

    ASSERT_EQ(dialogs.seen().size(), 1u);
    const SeenDialog& shown = dialogs.seen()[0];
    EXPECT_EQ(shown.title, "Save Music File as");
    EXPECT_TRUE(shown.saving);
    EXPECT_EQ(shown.typedName, "*.sng");
    EXPECT_EQ(shown.folder,
              QDir(QString::fromStdString(sys::appPath())).absolutePath().toStdString());

    ASSERT_TRUE(exists(file("tune.sng")));
    EXPECT_EQ(readFile(file("tune.sng")),
              score::formatScoreText(form().Notes, form().Instruments, 96, form().TrackInstrument));
    EXPECT_EQ(form().ScoreFile, file("tune.sng"));
    EXPECT_EQ(captionOf(), "Sorvane " + file("tune.sng"));
}

TEST_F(FileDialogsTest, CancelledDialogsChangeNothing) {
    putSmallScore();
    form().Text6.setText("player.wav");
    const std::string caption = captionOf();
    const auto notes = form().Notes;

    for (int i = 0; i < 7; ++i) dialogs.answer("");
    form().mnuOpen_Click();
    form().OpenMusicFile();
    form().Command33_Click();
    form().Command10_Click();
    form().SaveScoreAs();
    form().Command2_Click();
    form().SaveAsMidi();

    EXPECT_EQ(dialogs.seen().size(), 7u);
    EXPECT_EQ(form().Notes, notes);
    EXPECT_EQ(form().ScoreFile, "");
    EXPECT_EQ(form().Text6.text(), "player.wav");
    EXPECT_EQ(captionOf(), caption);
    EXPECT_TRUE(std::filesystem::is_empty(folder()));
    EXPECT_TRUE(messageBoxes().empty());
}

TEST_F(FileDialogsTest, SaveWithoutAFileAsksForANameThenWritesBackWithoutDialog) {
    putSmallScore();
    dialogs.answer(file("first.sng"));
    form().SaveScore();
    ASSERT_EQ(dialogs.seen().size(), 1u);
    EXPECT_EQ(dialogs.seen()[0].title, "Save Music File as");
    EXPECT_EQ(form().ScoreFile, file("first.sng"));

    form().Notes[3][7] = 12;
    form().SaveScore();
    EXPECT_EQ(dialogs.seen().size(), 1u);
    const auto read = score::readScoreFile(file("first.sng"), {});
    ASSERT_TRUE(read.content);
    EXPECT_EQ(read.content->notes[3][7], 12);
}

TEST_F(FileDialogsTest, OpenThroughTheMenuReadsTheScoreAndSetsTheFile) {
    auto song = std::make_unique<score::Grid>();
    auto instruments = std::make_unique<score::Grid>();
    score::clearScore(*song, *instruments);
    (*song)[5][10] = 40;
    (*instruments)[5][10] = 7;
    writeFile(file("saved.sng"), score::formatScoreText(*song, *instruments, 77, {}));

    dialogs.answer(file("saved.sng"));
    form().mnuOpen_Click();
    ASSERT_EQ(dialogs.seen().size(), 1u);
    EXPECT_EQ(dialogs.seen()[0].title, "Open Music File");
    EXPECT_FALSE(dialogs.seen()[0].saving);
    EXPECT_EQ(dialogs.seen()[0].nameFilters,
              QStringList{QStringLiteral("Midi, score, WAV (*.sng *.mid *.wav)")});
    EXPECT_EQ(form().Notes[5][10], 40);
    EXPECT_EQ(form().Tempo, 77);
    EXPECT_EQ(form().ScoreFile, file("saved.sng"));
    EXPECT_EQ(captionOf(), "Sorvane Harmonics: " + file("saved.sng"));
}

// The dialog asks before it replaces the name it returns; answered No,
// nothing is written.
TEST_F(FileDialogsTest, DialogAsksBeforeReplacingAFile) {
    putSmallScore();
    writeFile(file("old.mid"), "keep me");
    dialogs.answer(file("old.mid"), false);
    form().SaveAsMidi();
    EXPECT_EQ(dialogs.questions().size(), 1u);
    EXPECT_EQ(readFile(file("old.mid")), "keep me");

    dialogs.answer(file("old.mid"), true);
    form().SaveAsMidi();
    EXPECT_EQ(dialogs.questions().size(), 2u);
    EXPECT_EQ(readFile(file("old.mid")).substr(0, 4), "MThd");
    EXPECT_EQ(form().ScoreFile, "");
}

// A typed name that gets its extension appended names another file than the
// dialog asked about; the program asks about that one itself.
TEST_F(FileDialogsTest, AppendedExtensionThatNamesAnExistingFileIsAskedAbout) {
    putSmallScore();
    writeFile(file("song.sng"), "keep me");
    questionAnswer = false;
    dialogs.answer(file("song"));
    form().SaveScoreAs();
    ASSERT_EQ(questions.size(), 1u);
    EXPECT_NE(questions[0].find(file("song.sng")), std::string::npos);
    EXPECT_EQ(readFile(file("song.sng")), "keep me");
    EXPECT_EQ(form().ScoreFile, "");

    questionAnswer = true;
    dialogs.answer(file("song"));
    form().SaveScoreAs();
    EXPECT_EQ(questions.size(), 2u);
    EXPECT_NE(readFile(file("song.sng")), "keep me");
    EXPECT_EQ(form().ScoreFile, file("song.sng"));
}

}  // namespace

namespace {

using namespace filestest;

TEST_F(FilesTest, ProgramsOwnQuestionIsARealYesNoBox) {
    FileDialogDriver dialogs;  // answers a box of its own with No
    forms::setQuestionHook(nullptr);
    EXPECT_FALSE(forms::askYesNo("Replace it?"));
    ASSERT_EQ(dialogs.questions().size(), 1u);
    EXPECT_EQ(dialogs.questions()[0], "Replace it?");
}

}  // namespace
