#include "platform/forms/detail/ToggleButtonView.h"

#include <QIcon>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>

namespace forms::detail {

ToggleButtonView::ToggleButtonView(QWidget* parent, Kind kind)
    : QAbstractButton(parent), kind_(kind) {}

void ToggleButtonView::setState(int state) {
    if (state == state_) return;
    state_ = state;
    update();
}

void ToggleButtonView::setGraphical(bool graphical) {
    graphical_ = graphical;
    update();
}

void ToggleButtonView::setPixmap(const QPixmap& pixmap) {
    pixmap_ = pixmap;
    update();
}

QSize ToggleButtonView::sizeHint() const {
    if (graphical_ && !pixmap_.isNull()) return pixmap_.size() + QSize(6, 6);
    return {fontMetrics().horizontalAdvance(text()) + 24, fontMetrics().height() + 6};
}

void ToggleButtonView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (graphical_) {
        paintGraphical(painter);
        return;
    }
    QStyleOptionButton option;
    option.initFrom(this);
    option.text = text();
    option.state |= state_ == 1   ? QStyle::State_On
                    : state_ == 2 ? QStyle::State_NoChange
                                  : QStyle::State_Off;
    if (isDown()) option.state |= QStyle::State_Sunken;
    style()->drawControl(kind_ == Kind::OptionButton ? QStyle::CE_RadioButton : QStyle::CE_CheckBox,
                         &option, &painter, this);
}

void ToggleButtonView::paintGraphical(QPainter& painter) {
    const bool down = isDown() || state_ == 1;
    QStyleOptionButton option;
    option.initFrom(this);
    option.state |= down ? QStyle::State_Sunken : QStyle::State_Raised;
    if (state_ == 1) option.state |= QStyle::State_On;
    style()->drawControl(QStyle::CE_PushButtonBevel, &option, &painter, this);

    QRect content = rect().adjusted(2, 2, -2, -2);
    if (down) content.translate(1, 1);
    const QIcon::Mode mode = isEnabled() ? QIcon::Normal : QIcon::Disabled;
    if (!pixmap_.isNull()) {
        QRect pictureArea = content;
        if (!text().isEmpty()) pictureArea.setBottom(content.bottom() - fontMetrics().height());
        QIcon(pixmap_).paint(&painter, pictureArea, Qt::AlignCenter, mode);
        content.setTop(pictureArea.bottom() + 1);
    }
    if (!text().isEmpty()) {
        painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled,
                                       QPalette::ButtonText));
        painter.drawText(content, Qt::AlignCenter | Qt::TextShowMnemonic, text());
    }
}

}  // namespace forms::detail
