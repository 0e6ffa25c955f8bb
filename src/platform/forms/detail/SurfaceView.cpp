#include "platform/forms/detail/SurfaceView.h"

#include <QAbstractEventDispatcher>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <vector>

namespace forms::detail {

namespace {

std::vector<SurfaceCanvas*>& canvases() {
    static std::vector<SurfaceCanvas*> all;
    return all;
}

// The event loop tells us when it is about to wait: the moment to show what
// handlers drew. A repaint is asked for once per change, so this never keeps
// the loop awake.
void watchEventLoop() {
    static bool watching = false;
    if (watching) return;
    auto* dispatcher = QAbstractEventDispatcher::instance();
    if (!dispatcher) return;
    QObject::connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock,
                     &SurfaceCanvas::updateChanged);
    watching = true;
}

}  // namespace

BoxFrame::BoxFrame(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::StrongFocus);
}

void BoxFrame::setBorder(bool border) {
    border_ = border;
    update();
}

void BoxFrame::paintEvent(QPaintEvent*) {
    if (!border_) return;
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::Shadow));
    painter.drawRect(0, 0, width() - 1, height() - 1);
}

SurfaceCanvas::SurfaceCanvas(QWidget* parent, const surface::Surface& surface)
    : QWidget(parent), surface_(surface) {
    // Every pixel comes from the surface: nothing to erase first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
    canvases().push_back(this);
    watchEventLoop();
}

SurfaceCanvas::~SurfaceCanvas() {
    auto& all = canvases();
    all.erase(std::remove(all.begin(), all.end(), this), all.end());
}

void SurfaceCanvas::paintSoon() {
    shownRevision_ = surface_.revision();
    if (isVisible()) update();
}

void SurfaceCanvas::updateChanged() {
    for (SurfaceCanvas* canvas : canvases()) {
        if (canvas->isVisible() && canvas->surface_.revision() != canvas->shownRevision_) {
            canvas->shownRevision_ = canvas->surface_.revision();
            canvas->update();
        }
    }
}

void SurfaceCanvas::paintEvent(QPaintEvent*) {
    shownRevision_ = surface_.revision();
    if (surface_.width() <= 0 || surface_.height() <= 0) return;
    QPainter painter(this);
    const QImage image(reinterpret_cast<const uchar*>(surface_.bits()), surface_.width(),
                       surface_.height(), surface_.width() * 4, QImage::Format_RGB32);
    painter.drawImage(0, 0, image);
}

}  // namespace forms::detail
