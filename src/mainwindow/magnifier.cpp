#include "mainwindow/magnifier.h"

#include "mainwindow/imagecanvas.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <array>

using namespace imaging;
using namespace field;

Magnifier::Magnifier(ImageCanvas* canvas)
    : QWidget(canvas), m_canvas(canvas), m_view(102, 102, QImage::Format_RGB32) {
    setFixedSize(102, 102);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_view.fill(Qt::black);
    hide();
}

void Magnifier::showAround(int cx, int cy) {
    move(cx - 50, cy - 50);
    paintView(*m_canvas, cx, cy, m_view);
    update();
}

void Magnifier::paintView(const ImageCanvas& canvas, int cx, int cy, QImage& view) {
    const int w = view.width(), h = view.height();
    view.fill(Qt::black);
    // A FITS image shows its real values, scaled to the brightest of the patch,
    // rather than the stretched levels of the display.
    const bool physical = !canvas.values().isNull();
    std::array<int, 27 * 27> levels{};
    if (physical) levels = MagnifierLevels(canvas.values(), canvas.stretch(), cx, cy);
    // Dots of 5 x 5 pixels centred 4 pixels apart: neighbours overlap by one
    // pixel and later dots (x outer, y inner) cover earlier ones.
    for (int i = -13; i <= 13; ++i) {
        const int x0 = std::max(0, 4 * i + 48), x1 = std::min(w - 1, 4 * i + 52);
        for (int j = -13; j <= 13; ++j) {
            const int v = physical ? levels[(j + 13) * 27 + (i + 13)] * 0x010101
                                   : canvas.pixelValue(cx + i, cy + j);
            const QRgb c =
                v < 0 ? kOutsideColour : qRgb(v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF);
            const int y0 = std::max(0, 4 * j + 48), y1 = std::min(h - 1, 4 * j + 52);
            for (int y = y0; y <= y1; ++y) {
                auto* line = reinterpret_cast<QRgb*>(view.scanLine(y));
                std::fill(line + x0, line + x1 + 1, c);
            }
        }
    }
    QPainter p(&view);
    p.setPen(QColor(255, 255, 0));
    p.drawLine(20, 46, 84, 46);
    p.drawLine(50, 80, 50, 16);
}

void Magnifier::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawImage(0, 0, m_view);
}

void Magnifier::mouseMoveEvent(QMouseEvent* event) {
    if (onMouseMove)
        onMouseMove(static_cast<float>(event->position().x()),
                    static_cast<float>(event->position().y()));
}

void Magnifier::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    // The second click of a double-click is not a new pick.
    if (m_swallowRelease) {
        m_swallowRelease = false;
        return;
    }
    if (onClick) onClick();
}

void Magnifier::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) m_swallowRelease = true;
}
