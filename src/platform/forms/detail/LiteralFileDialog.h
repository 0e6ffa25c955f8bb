#pragma once
// Qt's own file dialog, taking the name in its name box as it stands. Qt reads
// double quotes in that box as a list of names ("a" "b"), so a single name
// holding quotes would come back as some other file; this dialog builds the
// path from the box's text and the folder shown, refuses a name it cannot use
// with a message, and asks before a save replaces a file.

#include <QFileDialog>
#include <QString>

class QFileInfo;
class QLineEdit;
class QPushButton;
class QShowEvent;

namespace forms::detail {

class LiteralFileDialog : public QFileDialog {
public:
    LiteralFileDialog(QWidget* parent, const QString& title, const QString& folder, bool saving);

    // The path accepted; empty until the dialog is accepted.
    const QString& chosenPath() const { return chosen_; }

    void accept() override;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Qt builds its widgets late, so they are looked up when first needed.
    void findWidgets();
    void keepButtonUsable();
    QString pathOf(const QString& typed) const;
    QString problemWith(const QFileInfo& file) const;
    bool mayReplace(const QFileInfo& file);

    bool saving_;
    QString chosen_;
    QLineEdit* nameBox_ = nullptr;
    QPushButton* acceptButton_ = nullptr;
};

}  // namespace forms::detail
