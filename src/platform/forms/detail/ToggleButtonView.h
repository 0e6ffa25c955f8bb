#pragma once
// The widget of check boxes and option buttons. It keeps no checked state of
// its own: the control sets what it shows, so a click never changes the value
// behind the control's back.

#include <QAbstractButton>
#include <QPixmap>

namespace forms::detail {

class ToggleButtonView : public QAbstractButton {
public:
    enum class Kind { CheckBox, OptionButton };
    ToggleButtonView(QWidget* parent, Kind kind);

    // 0 off, 1 on, 2 greyed (check boxes).
    int state() const { return state_; }
    void setState(int state);
    // A graphical button shows its picture and stays down while on.
    bool graphical() const { return graphical_; }
    void setGraphical(bool graphical);
    void setPixmap(const QPixmap& pixmap);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void paintGraphical(QPainter& painter);
    Kind kind_;
    int state_ = 0;
    bool graphical_ = false;
    QPixmap pixmap_;
};

}  // namespace forms::detail
