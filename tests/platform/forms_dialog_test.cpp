// The common Open / Save dialog: its filter, title and folder, the answer it
// gives, a cancel that leaves FileName alone, and the question before a save
// replaces a file.

#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>

#include "forms_testing.h"

namespace {

using formstest::FormsTest;

// Runs each step on the dialog or message box on top, one per poll, while the
// dialog's own loop runs.
class DialogDriver {
public:
    using Step = std::function<bool(QWidget* modal)>;  // true when done with
    explicit DialogDriver(std::vector<Step> steps) : steps_(std::move(steps)) {
        timer_.setInterval(25);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal || next_ >= steps_.size()) return;
            if (steps_[next_](modal)) ++next_;
        });
        timer_.start();
    }
    std::size_t done() const { return next_; }

private:
    std::vector<Step> steps_;
    std::size_t next_ = 0;
    QTimer timer_;
};

// Types a name into the dialog's file name box, as the user would.
void typeFileName(QFileDialog* dialog, const QString& name) {
    auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    ASSERT_NE(edit, nullptr);
    edit->setText(name);
}

void acceptLater(QDialog* dialog) {
    QMetaObject::invokeMethod(dialog, &QDialog::accept, Qt::QueuedConnection);
}

// Types a name and clicks the dialog's Open or Save button, as the user
// would; `clicked` is set once the click has returned (with the dialog gone,
// or still there after a message or a disabled button).
DialogDriver::Step typeAndClickAccept(const QString& name, bool& clicked) {
    return [name, &clicked](QWidget* modal) {
        auto* box = qobject_cast<QFileDialog*>(modal);
        if (!box) return false;
        typeFileName(box, name);
        auto* buttons = box->findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
        QPushButton* button = buttons->button(QDialogButtonBox::Save);
        if (!button) button = buttons->button(QDialogButtonBox::Open);
        QMetaObject::invokeMethod(
            box,
            [button, &clicked] {
                button->click();
                clicked = true;
            },
            Qt::QueuedConnection);
        return true;
    };
}

// Keeps the message that comes up, if any, and closes it.
DialogDriver::Step keepMessage(QString& text, const bool& clicked) {
    return [&text, &clicked](QWidget* modal) {
        if (auto* message = qobject_cast<QMessageBox*>(modal)) {
            text = message->text();
            QMetaObject::invokeMethod(message, &QDialog::reject, Qt::QueuedConnection);
            return true;
        }
        return clicked;
    };
}

// Cancels whatever is still open once the click has been handled.
DialogDriver::Step cancelWhatRemains(const bool& clicked) {
    return [&clicked](QWidget* modal) {
        auto* dialog = qobject_cast<QDialog*>(modal);
        if (clicked && dialog) {
            QMetaObject::invokeMethod(dialog, &QDialog::reject, Qt::QueuedConnection);
        }
        return false;
    };
}

TEST_F(FormsTest, HookAnswersInsteadOfTheDialog) {
    forms::CommonDialog dialog;
    dialog.Filter = "Score (*.sng)|*.sng";
    dialog.DialogTitle = "Open";
    dialog.InitDir = "/tmp";
    dialog.FileName = "old.sng";
    std::string seenFilter;
    bool seenSaving = true;
    std::string answer = "/tmp/new.sng";
    forms::CommonDialog::setHook([&](const forms::CommonDialog& d, bool saving) {
        seenFilter = d.Filter;
        seenSaving = saving;
        return answer;
    });
    EXPECT_TRUE(dialog.showOpen());
    EXPECT_EQ(dialog.FileName, "/tmp/new.sng");
    EXPECT_EQ(seenFilter, "Score (*.sng)|*.sng");
    EXPECT_FALSE(seenSaving);
    answer.clear();
    EXPECT_FALSE(dialog.showSave());
    EXPECT_TRUE(seenSaving);
    EXPECT_EQ(dialog.FileName, "/tmp/new.sng");
}

TEST_F(FormsTest, OpenDialogShowsFilterTitleAndFolderAndReturnsThePath) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    QFile song(folder.filePath("tune.sng"));
    ASSERT_TRUE(song.open(QIODevice::WriteOnly));
    song.close();

    forms::CommonDialog dialog;
    dialog.Filter = "Score (*.sng)|*.sng;*.crd|All files (*.*)|*.*";
    dialog.DialogTitle = "Open a score";
    dialog.InitDir = folder.path().toStdString();
    QStringList filters;
    QString title;
    QString directory;
    DialogDriver driver({[&](QWidget* modal) {
        auto* box = qobject_cast<QFileDialog*>(modal);
        if (!box) return false;
        filters = box->nameFilters();
        title = box->windowTitle();
        directory = box->directory().absolutePath();
        typeFileName(box, QStringLiteral("tune.sng"));
        acceptLater(box);
        return true;
    }});
    ASSERT_TRUE(dialog.showOpen());
    EXPECT_EQ(filters, (QStringList{"Score (*.sng *.crd)", "All files (*)"}));
    EXPECT_EQ(title, "Open a score");
    EXPECT_EQ(directory, QDir(folder.path()).absolutePath());
    EXPECT_EQ(dialog.FileName, folder.filePath("tune.sng").toStdString());
}

TEST_F(FormsTest, CancelLeavesFileNameAsItWas) {
    forms::CommonDialog dialog;
    dialog.FileName = "*.sng";
    dialog.Filter = "*.sng";  // a pattern alone describes itself
    QStringList filters;
    DialogDriver driver({[&](QWidget* modal) {
        auto* box = qobject_cast<QFileDialog*>(modal);
        if (!box) return false;
        filters = box->nameFilters();
        QMetaObject::invokeMethod(box, &QDialog::reject, Qt::QueuedConnection);
        return true;
    }});
    EXPECT_FALSE(dialog.showSave());
    EXPECT_EQ(dialog.FileName, "*.sng");
    EXPECT_EQ(filters, (QStringList{"*.sng (*.sng)"}));
}

TEST_F(FormsTest, SaveAsksBeforeReplacingAFile) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    QFile existing(folder.filePath("song.mid"));
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.close();

    forms::CommonDialog dialog;
    dialog.Filter = "Midi (*.mid)|*.mid";
    dialog.InitDir = folder.path().toStdString();
    dialog.FileName = "song.mid";  // preset: accepting keeps it

    int questions = 0;
    auto acceptPreset = [](QWidget* modal) {
        auto* box = qobject_cast<QFileDialog*>(modal);
        if (!box) return false;
        acceptLater(box);
        return true;
    };
    auto answer = [&questions](QMessageBox::StandardButton button) {
        return [&questions, button](QWidget* modal) {
            auto* question = qobject_cast<QMessageBox*>(modal);
            if (!question) return false;
            ++questions;
            question->button(button)->click();
            return true;
        };
    };
    auto cancel = [](QWidget* modal) {
        auto* box = qobject_cast<QFileDialog*>(modal);
        if (!box) return false;
        QMetaObject::invokeMethod(box, &QDialog::reject, Qt::QueuedConnection);
        return true;
    };

    {
        // "No" keeps the dialog open; the user then cancels.
        DialogDriver driver({acceptPreset, answer(QMessageBox::No), cancel});
        EXPECT_FALSE(dialog.showSave());
        EXPECT_EQ(questions, 1);
        EXPECT_EQ(dialog.FileName, "song.mid");
    }
    {
        DialogDriver driver({acceptPreset, answer(QMessageBox::Yes)});
        EXPECT_TRUE(dialog.showSave());
        EXPECT_EQ(questions, 2);
        EXPECT_EQ(dialog.FileName, folder.filePath("song.mid").toStdString());
    }
}

// A name typed with quotes, blanks and capitals is the file saved or opened,
// exactly, and the folder gets no other file.
TEST_F(FormsTest, ATypedNameIsTakenAsItStands) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString typed = QStringLiteral("My \"Take\" 1.SNG");
    for (const bool saving : {true, false}) {
        SCOPED_TRACE(saving ? "save" : "open");
        forms::CommonDialog dialog;
        dialog.Filter = "*.sng";
        dialog.FileName = "*.sng";
        dialog.InitDir = folder.path().toStdString();
        bool clicked = false;
        DialogDriver driver({typeAndClickAccept(typed, clicked), cancelWhatRemains(clicked)});
        EXPECT_TRUE(saving ? dialog.showSave() : dialog.showOpen());
        EXPECT_EQ(dialog.FileName, folder.filePath(typed).toStdString());
        if (saving) {
            QFile written(QString::fromStdString(dialog.FileName));
            ASSERT_TRUE(written.open(QIODevice::WriteOnly));
        }
    }
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{typed});
}

// A name the dialog cannot use brings a message and no answer.
TEST_F(FormsTest, ANameTheDialogCannotUseGetsAMessage) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const struct {
        QString typed;
        bool saving;
        const char* says;
    } cases[] = {
        {QStringLiteral("No Folder/My \"Take\".sng"), true, "does not exist"},
        {QString(300, QLatin1Char('x')) + QStringLiteral(".sng"), true, "longer than"},
        {QStringLiteral("Not \"Here\".sng"), false, "does not exist"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.says);
        forms::CommonDialog dialog;
        dialog.InitDir = folder.path().toStdString();
        bool clicked = false;
        QString message;
        DialogDriver driver({typeAndClickAccept(c.typed, clicked), keepMessage(message, clicked),
                             cancelWhatRemains(clicked)});
        EXPECT_FALSE(c.saving ? dialog.showSave() : dialog.showOpen());
        EXPECT_TRUE(message.contains(QLatin1String(c.says))) << message.toStdString();
        EXPECT_EQ(dialog.FileName, "");
    }
    EXPECT_TRUE(QDir(folder.path()).isEmpty());
}

}  // namespace
