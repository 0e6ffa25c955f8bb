#include "platform/forms/detail/LiteralFileDialog.h"

#include <climits>

#include <QDialogButtonBox>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QShowEvent>

namespace forms::detail {

LiteralFileDialog::LiteralFileDialog(QWidget* parent, const QString& title, const QString& folder,
                                     bool saving)
    : QFileDialog(parent, title, folder), saving_(saving) {
    // Qt's own dialog works on every platform plugin and can be driven by tests.
    setOption(QFileDialog::DontUseNativeDialog);
    // The accept mode recreates the dialog's buttons, so it is set before the
    // button is looked up.
    setAcceptMode(saving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    setFileMode(saving ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
}

void LiteralFileDialog::findWidgets() {
    if (!nameBox_) nameBox_ = findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    if (acceptButton_ || !nameBox_) return;
    if (auto* buttons = findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"))) {
        acceptButton_ = buttons->button(saving_ ? QDialogButtonBox::Save : QDialogButtonBox::Open);
    }
    if (!acceptButton_) return;
    // Qt sets the button on every edit of the box (before this connection) and
    // on some events of its own (caught by the filter).
    acceptButton_->installEventFilter(this);
    connect(nameBox_, &QLineEdit::textChanged, this, [this] { keepButtonUsable(); });
    keepButtonUsable();
}

// Qt disables the button for names it misreads; any typed name may be tried,
// and accept() says what is wrong with one it cannot use.
void LiteralFileDialog::keepButtonUsable() {
    if (!acceptButton_->isEnabled() && !nameBox_->text().isEmpty()) acceptButton_->setEnabled(true);
}

void LiteralFileDialog::showEvent(QShowEvent* event) {
    findWidgets();
    QFileDialog::showEvent(event);
}

bool LiteralFileDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == acceptButton_ && event->type() == QEvent::EnabledChange) keepButtonUsable();
    return QFileDialog::eventFilter(watched, event);
}

void LiteralFileDialog::accept() {
    findWidgets();
    const QString typed = nameBox_ ? nameBox_->text() : QString();
    // With an empty box Qt opens the folder picked in the list; a file picked
    // there is taken from the list as it stands.
    if (typed.isEmpty()) {
        QFileDialog::accept();
        if (result() == QDialog::Accepted) chosen_ = selectedFiles().value(0);
        return;
    }
    const QString path = pathOf(typed);
    const QFileInfo file(path);
    if (file.isDir()) {
        setDirectory(QDir::cleanPath(path));
        nameBox_->clear();
        return;
    }
    if (const QString problem = problemWith(file); !problem.isEmpty()) {
        QMessageBox::warning(this, windowTitle(), problem);
        return;
    }
    if (saving_ && file.exists() && !mayReplace(file)) return;
    chosen_ = path;
    QDialog::accept();
}

// Qt keeps the list's pick and the box in step: a pick shows its bare name in
// the box (several picks, each name in quotes), and a typed name picks its
// file. Only a box holding quotes that is not such a mirror of the pick is
// read apart from Qt, as one name in the folder shown (or a path of its own
// when it starts with "/").
QString LiteralFileDialog::pathOf(const QString& text) const {
    const QString typed = directory().absoluteFilePath(text);
    const QStringList picked = selectedFiles();
    if (picked.isEmpty()) return typed;
    if (!text.contains(QLatin1Char('"'))) return picked.front();
    QStringList quotedNames;
    for (const QString& path : picked) {
        quotedNames << QLatin1Char('"') + QFileInfo(path).fileName() + QLatin1Char('"');
    }
    const bool mirrorsPick = (picked.size() == 1 && QFileInfo(picked.front()).fileName() == text) ||
                             text == quotedNames.join(QLatin1Char(' '));
    return mirrorsPick ? picked.front() : typed;
}

QString LiteralFileDialog::problemWith(const QFileInfo& file) const {
    const QString name = file.fileName();
    const QString quoted = QLatin1Char('"') + file.filePath() + QLatin1Char('"');
    if (name.toUtf8().size() > NAME_MAX) {
        return tr("Cannot use %1: the name is longer than %2 bytes.").arg(quoted).arg(NAME_MAX);
    }
    if (!QFileInfo(file.absolutePath()).isDir()) {
        return tr("Cannot use %1: the folder \"%2\" does not exist.")
            .arg(quoted, file.absolutePath());
    }
    if (!saving_ && !file.exists())
        return tr("Cannot open %1: the file does not exist.").arg(quoted);
    return {};
}

bool LiteralFileDialog::mayReplace(const QFileInfo& file) {
    const auto answer = QMessageBox::warning(
        this, windowTitle(),
        tr("%1 already exists.\nDo you want to replace it?").arg(file.fileName()),
        QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    return answer == QMessageBox::Yes;
}

}  // namespace forms::detail
