#include "platform/forms/Controls.h"
#include "platform/forms/detail/LabelView.h"

namespace forms {

namespace {
detail::LabelView* view(const Control& control) {
    return static_cast<detail::LabelView*>(control.nativeWidget());
}
}  // namespace

Label::Label(Container& container, std::string name, const std::string& caption)
    : Control(&container, std::move(name), new detail::LabelView(container.childHost())) {
    setClicksOnRelease(true);
    setDefaultBackColor(0x8000000F);
    view(*this)->setCaption(QString::fromStdString(caption));
}

std::string Label::caption() const {
    return view(*this)->caption().toStdString();
}

void Label::setCaption(const std::string& caption) {
    view(*this)->setCaption(QString::fromStdString(caption));
}

void Label::setAlignment(int alignment) {
    view(*this)->setAlignment(alignment);
}
void Label::setTransparent(bool transparent) {
    view(*this)->setTransparent(transparent);
}
void Label::setWordWrap(bool wrap) {
    view(*this)->setWordWrap(wrap);
}
void Label::setLineSpacing(int pixels) {
    view(*this)->setLineSpacing(pixels);
}

void Label::setBackColor(OleColour colour) {
    Control::setBackColor(colour);
    // A transparent label keeps showing what lies behind it.
    view(*this)->setTransparent(view(*this)->transparent());
}

void Label::setForeColor(OleColour colour) {
    Control::setForeColor(colour);
    view(*this)->update();
}

}  // namespace forms
