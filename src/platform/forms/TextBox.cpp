#include <QLineEdit>
#include <QSignalBlocker>

#include "platform/forms/Controls.h"

namespace forms {

TextBox::TextBox(Container& container, std::string name, const std::string& text)
    : Control(&container, std::move(name),
              new QLineEdit(QString::fromStdString(text), container.childHost())),
      text_(text) {
    setDefaultBackColor(0x80000005);
    auto* edit = static_cast<QLineEdit*>(nativeWidget());
    // textEdited comes from the user only; code changes go through setText.
    QObject::connect(edit, &QLineEdit::textEdited, edit,
                     [this](const QString& typed) { userEdited(typed.toStdString()); });
}

void TextBox::setText(const std::string& text) {
    if (text == text_) return;
    text_ = text;
    auto* edit = static_cast<QLineEdit*>(nativeWidget());
    {
        const QSignalBlocker blocker(edit);
        edit->setText(QString::fromStdString(text));
    }
    const auto handler = Change;
    if (handler) handler();
}

void TextBox::userEdited(const std::string& text) {
    if (text == text_) return;
    text_ = text;
    const auto handler = Change;
    if (handler) handler();
}

}  // namespace forms
