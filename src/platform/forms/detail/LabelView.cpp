#include "platform/forms/detail/LabelView.h"

#include <QFontMetrics>
#include <QPainter>

namespace forms::detail {

LabelView::LabelView(QWidget* parent) : QWidget(parent) {
    setAutoFillBackground(true);
    setFocusPolicy(Qt::NoFocus);
}

void LabelView::setCaption(const QString& caption) {
    if (caption == caption_) return;
    caption_ = caption;
    update();
}

void LabelView::setAlignment(int alignment) {
    alignment_ = alignment;
    update();
}

void LabelView::setTransparent(bool transparent) {
    transparent_ = transparent;
    setAutoFillBackground(!transparent);
    update();
}

void LabelView::setWordWrap(bool wrap) {
    wordWrap_ = wrap;
    update();
}

void LabelView::setLineSpacing(int pixels) {
    lineSpacing_ = pixels > 0 ? pixels : 0;
    update();
}

int LabelView::linePitch() const {
    return lineSpacing_ > 0 ? lineSpacing_ : QFontMetrics(font()).lineSpacing();
}

QStringList LabelView::paintedLines() const {
    QStringList lines = caption_.split(QLatin1Char('\n'));
    for (QString& line : lines) {
        if (line.endsWith(QLatin1Char('\r'))) line.chop(1);
    }
    if (!wordWrap_) return lines;

    const QFontMetrics metrics(font());
    QStringList wrapped;
    for (const QString& line : lines) {
        QString current;
        for (const QString& word : line.split(QLatin1Char(' '))) {
            const QString candidate = current.isEmpty() ? word : current + QLatin1Char(' ') + word;
            if (!current.isEmpty() && metrics.horizontalAdvance(candidate) > width()) {
                wrapped << current;
                current = word;
            } else {
                current = candidate;
            }
        }
        wrapped << current;
    }
    return wrapped;
}

void LabelView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setFont(font());
    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    const Qt::Alignment horizontal = alignment_ == 1   ? Qt::AlignRight
                                     : alignment_ == 2 ? Qt::AlignHCenter
                                                       : Qt::AlignLeft;
    const int pitch = linePitch();
    const QStringList lines = paintedLines();
    for (int i = 0; i < lines.size(); ++i) {
        const QRect slot(0, i * pitch, width(), pitch);
        if (slot.top() >= height()) break;
        painter.drawText(slot, horizontal | Qt::AlignVCenter | Qt::TextSingleLine, lines[i]);
    }
}

}  // namespace forms::detail
