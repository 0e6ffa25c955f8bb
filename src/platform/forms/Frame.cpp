#include <QGroupBox>

#include "platform/forms/Controls.h"

namespace forms {

Frame::Frame(Container& container, std::string name, const std::string& caption)
    : Control(&container, std::move(name),
              new QGroupBox(QString::fromStdString(caption), container.childHost())) {
    setClicksOnRelease(true);
    setDefaultBackColor(0x8000000F);
}

QWidget* Frame::childHost() const {
    return nativeWidget();
}

void Frame::setCaption(const std::string& caption) {
    static_cast<QGroupBox*>(nativeWidget())->setTitle(QString::fromStdString(caption));
}

}  // namespace forms
