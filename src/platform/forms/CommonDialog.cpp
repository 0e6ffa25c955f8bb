#include "platform/forms/CommonDialog.h"

#include <QApplication>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringList>

#include "platform/forms/detail/LiteralFileDialog.h"

namespace forms {

namespace {

CommonDialog::Hook& dialogHook() {
    static CommonDialog::Hook hook;
    return hook;
}

// "Desc|*.a;*.b|Desc2|*.c" as Qt's name filters "Desc (*.a *.b)", "Desc2 (*.c)".
// A description that already shows its masks in brackets keeps them once, and
// "*.*" means every file, as it does in such filters. A last part without a
// partner ("*.sng" alone) is its own description.
QStringList nameFilters(const std::string& filter) {
    QStringList parts = QString::fromStdString(filter).split(QLatin1Char('|'));
    if (parts.size() % 2 == 1 && !parts.last().trimmed().isEmpty()) parts << parts.last();
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i].trimmed();
        description.remove(QRegularExpression(QStringLiteral("\\s*\\([^()]*\\)$")));
        QStringList masks = parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (QString& mask : masks) {
            mask = mask.trimmed();
            if (mask == QLatin1String("*.*")) mask = QStringLiteral("*");
        }
        filters << QStringLiteral("%1 (%2)").arg(description, masks.join(QLatin1Char(' ')));
    }
    return filters;
}

bool runDialog(CommonDialog& dialog, bool saving) {
    if (const auto hook = dialogHook()) {
        const std::string chosen = hook(dialog, saving);
        if (chosen.empty()) return false;
        dialog.FileName = chosen;
        return true;
    }

    detail::LiteralFileDialog box(QApplication::activeWindow(),
                                  QString::fromStdString(dialog.DialogTitle),
                                  QString::fromStdString(dialog.InitDir), saving);
    const QStringList filters = nameFilters(dialog.Filter);
    if (!filters.isEmpty()) box.setNameFilters(filters);
    if (!dialog.FileName.empty()) {
        const QFileInfo preset(QString::fromStdString(dialog.FileName));
        if (preset.isAbsolute()) box.setDirectory(preset.absolutePath());
        box.selectFile(preset.fileName());
    }
    const int result = box.exec();
    // A Return taken by the name box's completion list can end the dialog
    // with the list still open, and an open list eats the next press anywhere
    // in the program (a Play press right after opening a score did nothing).
    for (int open = 0; open < 8 && QApplication::activePopupWidget(); ++open) {
        QApplication::activePopupWidget()->hide();
    }
    if (result != QDialog::Accepted || box.chosenPath().isEmpty()) return false;
    dialog.FileName = box.chosenPath().toStdString();
    return true;
}

}  // namespace

bool CommonDialog::showOpen() {
    return runDialog(*this, false);
}

// The dialog asks before it lets a save replace an existing file.
bool CommonDialog::showSave() {
    return runDialog(*this, true);
}

void CommonDialog::setHook(Hook hook) {
    dialogHook() = std::move(hook);
}

}  // namespace forms
