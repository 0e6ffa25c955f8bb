#pragma once
// The widgets of a picture box: an outer frame (border, focus) and the canvas
// inside it that shows the pixel surface and holds the box's children.

#include <QWidget>
#include <cstdint>

#include "platform/surface/Surface.h"

namespace forms::detail {

class BoxFrame : public QWidget {
public:
    explicit BoxFrame(QWidget* parent);
    void setBorder(bool border);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool border_ = false;
};

class SurfaceCanvas : public QWidget {
public:
    SurfaceCanvas(QWidget* parent, const surface::Surface& surface);
    ~SurfaceCanvas() override;

    // Paints on the event loop's next pass, whatever the revision. Redraws
    // that follow each other closely are shown once.
    void paintSoon();
    // Schedules a repaint of every shown canvas whose surface has changed
    // since it was last painted. Runs whenever the event loop is about to
    // wait, and from the program's own event processing.
    static void updateChanged();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const surface::Surface& surface_;
    std::uint64_t shownRevision_ = 0;
};

}  // namespace forms::detail
