#include "files_fixture.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/forms/Application.h"
#include "platform/forms/CommonDialog.h"

namespace filestest {

namespace {
constexpr const char* AnsweredProperty = "sorvaneTestAnswered";
}

FileDialogDriver::FileDialogDriver() {
    timer_.setInterval(10);
    timer_.callOnTimeout([this] { poll(); });
    timer_.start();
}

FileDialogDriver::~FileDialogDriver() {
    timer_.stop();
}

void FileDialogDriver::answer(const std::string& name, bool replace) {
    answers_.push_back({name, replace});
}

// Runs inside the dialogs' own event loops. Every action on a dialog is
// queued, so the dialog acts from its loop and never inside this timer.
void FileDialogDriver::poll() {
    QWidget* modal = QApplication::activeModalWidget();
    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
        if (box->property(AnsweredProperty).toBool()) return;
        box->setProperty(AnsweredProperty, true);
        questions_.push_back(box->text().toStdString());
        auto* dialog = qobject_cast<QFileDialog*>(box->parentWidget());
        const bool replace = dialog != nullptr && dialog->property("sorvaneReplace").toBool();
        if (dialog != nullptr && !replace) dialog->setProperty("sorvaneRefused", true);
        QAbstractButton* button = box->button(replace ? QMessageBox::Yes : QMessageBox::No);
        if (button == nullptr) button = box->buttons().value(0);
        QMetaObject::invokeMethod(button, &QAbstractButton::click, Qt::QueuedConnection);
        return;
    }
    auto* dialog = qobject_cast<QFileDialog*>(modal);
    if (dialog == nullptr) return;
    if (dialog->property(AnsweredProperty).toBool()) {
        // Still open after its question was answered No: the user gives up.
        if (dialog->property("sorvaneRefused").toBool()) {
            dialog->setProperty("sorvaneRefused", false);
            QMetaObject::invokeMethod(dialog, &QDialog::reject, Qt::QueuedConnection);
        }
        return;
    }
    dialog->setProperty(AnsweredProperty, true);
    SeenDialog seen;
    seen.title = dialog->windowTitle().toStdString();
    seen.saving = dialog->acceptMode() == QFileDialog::AcceptSave;
    seen.folder = dialog->directory().absolutePath().toStdString();
    seen.nameFilters = dialog->nameFilters();
    if (auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) {
        seen.typedName = edit->text().toStdString();
    }
    seen_.push_back(seen);

    if (answers_.empty() || answers_.front().name.empty()) {
        if (!answers_.empty()) answers_.erase(answers_.begin());
        QMetaObject::invokeMethod(dialog, &QDialog::reject, Qt::QueuedConnection);
        return;
    }
    const Answer answer = answers_.front();
    answers_.erase(answers_.begin());
    dialog->setProperty("sorvaneReplace", answer.replace);
    auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    if (edit != nullptr) {
        edit->setText(QString::fromStdString(answer.name));
    } else {
        dialog->selectFile(QString::fromStdString(answer.name));
    }
    QMetaObject::invokeMethod(dialog, &QDialog::accept, Qt::QueuedConnection);
}

void FilesTest::SetUp() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "sorvane-files-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    folder_ = pattern;
    forms::setQuestionHook([this](const std::string& text) {
        questions.push_back(text);
        return questionAnswer;
    });
    MainWindowTest::SetUp();
}

void FilesTest::TearDown() {
    MainWindowTest::TearDown();
    forms::CommonDialog::setHook(nullptr);
    forms::setQuestionHook(nullptr);
    std::error_code ignored;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder_, ignored)) {
        std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
    }
    std::filesystem::remove_all(folder_, ignored);
}

void FilesTest::answerThroughHook(std::function<std::string(const HookedDialog&)> chooser) {
    forms::CommonDialog::setHook([this, chooser](const forms::CommonDialog& dialog, bool saving) {
        HookedDialog seen{dialog.DialogTitle, dialog.FileName, dialog.Filter,
                          dialog.InitDir,     dialog.Flags,    saving};
        hookedDialogs.push_back(seen);
        return chooser(seen);
    });
}

void FilesTest::putSmallScore() {
    auto& window = form();
    window.Notes[0][0] = 60;
    window.Notes[0][1] = 1060;
    window.Instruments[0][0] = 24;
    window.Instruments[0][1] = 24;
    window.Notes[12][4] = 90;
    window.Instruments[12][4] = 135;
    window.TrackInstrument[0] = 24;
    window.TrackInstrument[12] = 135;
    window.Tempo = 96;
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void writeFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

bool exists(const std::string& path) {
    std::error_code ignored;
    return std::filesystem::exists(path, ignored);
}

}  // namespace filestest
