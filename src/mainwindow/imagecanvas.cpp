#include "mainwindow/imagecanvas.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPaintEvent>

ImageCanvas::ImageCanvas(MarkerStore& markers, QWidget* parent)
    : QWidget(parent), m_markers(markers) {
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(1, 1);
}

void ImageCanvas::setImage(QImage image) {
    m_image = image.convertToFormat(QImage::Format_RGB32);
    resize(m_image.size());
    update();
}

int ImageCanvas::pixelValue(int x, int y) const {
    if (x < 0 || y < 0 || x >= m_image.width() || y >= m_image.height())
        return -1;
    const QRgb p = reinterpret_cast<const QRgb*>(m_image.constScanLine(y))[x];
    return qRed(p) + 256 * qGreen(p) + 65536 * qBlue(p);
}

int ImageCanvas::labelAt(const LabelPool& pool, const QFontMetrics& fm, float x, float y) {
    for (int i = 1; i <= pool.count(); ++i) {
        if (!pool.visible[i])
            continue;
        const float w = static_cast<float>(fm.horizontalAdvance(pool.caption[i]));
        const float h = static_cast<float>(fm.height());
        if (x >= pool.left[i] && x < pool.left[i] + w && y >= pool.top[i] && y < pool.top[i] + h)
            return i;
    }
    return 0;
}

void ImageCanvas::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    const QRect r = event->rect();
    if (m_image.isNull())
        p.fillRect(r, Qt::black);
    else
        p.drawImage(r.topLeft(), m_image, r);
    p.setBrush(Qt::NoBrush);
    const QRectF clip = QRectF(r).adjusted(-20, -20, 20, 20);

    auto circles = [&](const MarkerPool& pool, const QColor& colour) {
        p.setPen(QPen(colour, 1));
        for (int i = 1; i <= pool.count(); ++i) {
            if (!pool.visible[i] || !clip.contains(pool.left[i], pool.top[i]))
                continue;
            p.drawEllipse(QRectF(pool.left[i], pool.top[i], pool.size - 1, pool.size - 1));
        }
    };
    circles(m_markers.star, QColor(0, 255, 0));
    circles(m_markers.clicpic, QColor(255, 0, 0));
    p.setPen(QPen(QColor(255, 255, 0), 1));
    for (int i = 1; i <= m_markers.aster.count(); ++i) {
        if (m_markers.aster.visible[i])
            p.drawRect(QRectF(m_markers.aster.left[i], m_markers.aster.top[i], 7, 7));
    }
    for (const LineSegment& s : m_markers.drawings) {
        p.setPen(QPen(s.colour, 1));
        p.drawLine(QPointF(s.x1, s.y1), QPointF(s.x2, s.y2));
    }
    if (m_markers.centerpic.visible) {
        p.setPen(QPen(Qt::red, 1));
        for (int i = 0; i < 4; ++i)
            p.drawLine(QPointF(m_markers.centerpic.x1[i], m_markers.centerpic.y1[i]),
                       QPointF(m_markers.centerpic.x2[i], m_markers.centerpic.y2[i]));
    }
    auto labels = [&](const LabelPool& pool, const QColor& colour) {
        p.setPen(colour);
        const int ascent = p.fontMetrics().ascent();
        for (int i = 1; i <= pool.count(); ++i) {
            if (pool.visible[i])
                p.drawText(QPointF(pool.left[i], pool.top[i] + ascent), pool.caption[i]);
        }
    };
    labels(m_markers.aster_lbl, QColor(255, 255, 0));
    labels(m_markers.deepobj_lbl, QColor(128, 128, 255));
}

void ImageCanvas::mouseMoveEvent(QMouseEvent* event) {
    if (onMouseMove)
        onMouseMove(static_cast<float>(event->position().x()),
                    static_cast<float>(event->position().y()));
}

void ImageCanvas::mousePressEvent(QMouseEvent* event) {
    const QPointF pos = event->position();
    const QFontMetrics fm(font());
    m_pressOnLabel = false;
    if (int i = labelAt(m_markers.aster_lbl, fm, pos.x(), pos.y())) {
        m_pressOnLabel = true;
        if (onAsterLabelClick)
            onAsterLabelClick(i);
    } else if (int j = labelAt(m_markers.deepobj_lbl, fm, pos.x(), pos.y())) {
        m_pressOnLabel = true;
        if (onDeepSkyLabelClick)
            onDeepSkyLabelClick(j);
    }
}

void ImageCanvas::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || m_pressOnLabel)
        return;
    if (m_swallowRelease) {
        m_swallowRelease = false;
        return;
    }
    if (rect().contains(event->position().toPoint()) && onClick)
        onClick();
}

void ImageCanvas::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    m_swallowRelease = true;
    if (onDoubleClick)
        onDoubleClick();
}
