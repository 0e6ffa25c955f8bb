#pragma once
// Widgets for the lightweight controls: images, shapes and lines.

#include <QColor>
#include <QWidget>

#include "platform/forms/Picture.h"

namespace forms::detail {

// A picture, stretched over the widget or at its own size; transparent where
// the picture is.
class PictureView : public QWidget {
public:
    explicit PictureView(QWidget* parent);
    void setPicture(const Picture& picture);
    bool stretch() const { return stretch_; }
    void setStretch(bool stretch);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Picture picture_;
    bool stretch_ = false;
};

// A rectangle with a one-pixel border and an optional fill.
class ShapeView : public QWidget {
public:
    explicit ShapeView(QWidget* parent);
    void setFillColour(const QColor& colour);
    void setBorderColour(const QColor& colour);
    void setFillTransparent(bool transparent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor fill_ = Qt::black;
    QColor border_ = Qt::black;
    bool fillTransparent_ = true;
};

// A one-pixel line between two points given in the widget's own coordinates.
class LineView : public QWidget {
public:
    explicit LineView(QWidget* parent);
    void setEnds(QPoint from, QPoint to);
    void setColour(const QColor& colour);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPoint from_;
    QPoint to_;
    QColor colour_ = Qt::black;
};

}  // namespace forms::detail
