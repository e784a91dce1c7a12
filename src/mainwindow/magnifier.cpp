#include "mainwindow/magnifier.h"

#include "mainwindow/imagecanvas.h"

#include <QMouseEvent>
#include <QPainter>

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
    m_view.fill(Qt::black);
    QPainter p(&m_view);
    for (int i = -13; i <= 13; ++i) {
        for (int j = -13; j <= 13; ++j) {
            const int v = m_canvas->pixelValue(cx + i, cy + j);
            const QColor c = v < 0 ? QColor(40, 0, 40) : QColor(v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF);
            p.fillRect(4 * i + 50 - 2, 4 * j + 50 - 2, 5, 5, c);
        }
    }
    p.setPen(QColor(255, 255, 0));
    p.drawLine(20, 46, 84, 46);
    p.drawLine(50, 80, 50, 16);
    update();
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
    if (event->button() == Qt::LeftButton && onClick)
        onClick();
}
