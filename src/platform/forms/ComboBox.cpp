#include <QComboBox>
#include <QLineEdit>
#include <QPalette>
#include <QSignalBlocker>

#include "platform/forms/Controls.h"

namespace forms {

namespace {

QComboBox* comboView(const Control& control) {
    return static_cast<QComboBox*>(control.nativeWidget());
}

}  // namespace

ComboBox::ComboBox(Container& container, std::string name, bool editable)
    : Control(&container, std::move(name), new QComboBox(container.childHost())) {
    setDefaultBackColor(0x80000005);
    auto* combo = comboView(*this);
    combo->setEditable(editable);
    combo->setCurrentIndex(-1);
    // activated comes from the user only.
    QObject::connect(combo, &QComboBox::activated, combo,
                     [this](int index) { userSelected(index); });
    if (editable) {
        // Typed text stays as typed: no completion, and Enter adds no item.
        combo->setInsertPolicy(QComboBox::NoInsert);
        combo->setCompleter(nullptr);
        QObject::connect(combo->lineEdit(), &QLineEdit::textEdited, combo,
                         [this](const QString& typed) { userEdited(typed.toStdString()); });
        relayEventsFrom(combo->lineEdit());
    }
}

void ComboBox::addItem(const std::string& item) {
    items_.push_back(item);
    auto* combo = comboView(*this);
    const QSignalBlocker blocker(combo);
    combo->addItem(QString::fromStdString(item));
    // Qt selects the first item added to an empty list; the list index says otherwise.
    if (!combo->isEditable() || listIndex_ >= 0) combo->setCurrentIndex(listIndex_);
}

void ComboBox::clear() {
    items_.clear();
    listIndex_ = -1;
    auto* combo = comboView(*this);
    const QSignalBlocker blocker(combo);
    combo->clear();
}

std::string ComboBox::list(int index) const {
    if (index < 0 || index >= listCount()) return {};
    return items_[static_cast<std::size_t>(index)];
}

bool ComboBox::setListIndex(int index) {
    if (index < 0 || index >= listCount()) return false;
    if (index == listIndex_) return true;
    listIndex_ = index;
    {
        const QSignalBlocker blocker(comboView(*this));
        comboView(*this)->setCurrentIndex(index);
    }
    raiseClick();
    return true;
}

std::string ComboBox::text() const {
    auto* combo = comboView(*this);
    if (combo->isEditable()) return combo->currentText().toStdString();
    if (listIndex_ >= 0) return list(listIndex_);
    return combo->placeholderText().toStdString();
}

void ComboBox::setText(const std::string& text) {
    auto* combo = comboView(*this);
    if (!combo->isEditable()) {
        // Shown as ordinary text, not greyed like a hint.
        QPalette palette = combo->palette();
        palette.setColor(QPalette::PlaceholderText, palette.color(QPalette::ButtonText));
        combo->setPalette(palette);
        combo->setPlaceholderText(QString::fromStdString(text));
        return;
    }
    if (text == combo->currentText().toStdString()) return;
    {
        const QSignalBlocker blocker(combo->lineEdit());
        combo->setEditText(QString::fromStdString(text));
    }
    userEdited(text);
}

void ComboBox::userSelected(int index) {
    if (index < 0 || index >= listCount() || index == listIndex_) return;
    listIndex_ = index;
    raiseClick();
}

void ComboBox::userEdited(const std::string& text) {
    // Text that is exactly an item's is that item; any other text is no item.
    listIndex_ = -1;
    for (int i = 0; i < listCount(); ++i) {
        if (items_[static_cast<std::size_t>(i)] == text) {
            listIndex_ = i;
            break;
        }
    }
    const auto handler = Change;
    if (handler) handler();
}

}  // namespace forms
