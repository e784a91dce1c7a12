#include "mainwindow/imagecanvas.h"

#include "imaging/imagefile.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstring>

using namespace imaging;
using namespace field;

ImageCanvas::ImageCanvas(MarkerStore& markers, QWidget* parent)
    : QWidget(parent), m_markers(markers) {
    // Not marked opaque: the pan strips lying over the image must be
    // repainted with it.
    setMouseTracking(true);
    resize(1, 1);
}

void ImageCanvas::setImage(QImage image, PixelImage values, DisplayStretch stretch) {
    // Free the old picture first: two large images at once would double the peak.
    m_image = QImage();
    m_values = PixelImage();
    if (values.isNull()) {
        m_image = std::move(image).convertToFormat(QImage::Format_RGB32);
    } else {
        // The stretched grey levels are only shown; picking reads `values`.
        m_image = std::move(image).convertToFormat(QImage::Format_Grayscale8);
        m_values = std::move(values);
        m_stretch = stretch;
    }
    resize(m_image.size());
    update();
}

int ImageCanvas::pixelValue(int x, int y) const {
    if (x < 0 || y < 0 || x >= m_image.width() || y >= m_image.height()) return -1;
    if (m_image.format() == QImage::Format_Grayscale8)
        return m_image.constScanLine(y)[x] * 0x010101;
    const QRgb p = reinterpret_cast<const QRgb*>(m_image.constScanLine(y))[x];
    return qRed(p) + 256 * qGreen(p) + 65536 * qBlue(p);
}

double ImageCanvas::pickValue(int x, int y) const {
    if (m_values.isNull()) return pixelValue(x, y);
    return PickValue(m_image, m_values, x, y);
}

float ImageCanvas::captionWidth(const QString& caption) {
    if (m_widthFont != font()) {
        m_widthFont = font();
        m_captionWidths.clear();
    }
    auto it = m_captionWidths.constFind(caption);
    if (it == m_captionWidths.constEnd())
        it = m_captionWidths.insert(caption,
                                    static_cast<float>(fontMetrics().horizontalAdvance(caption)));
    return *it;
}

int ImageCanvas::labelAt(const LabelPool& pool, const QFontMetrics& fm, float x, float y) {
    for (int i = 1; i <= pool.count(); ++i) {
        if (!pool.visible[i]) continue;
        const float w = static_cast<float>(fm.horizontalAdvance(pool.caption[i]));
        const float h = static_cast<float>(fm.height());
        if (x >= pool.left[i] && x < pool.left[i] + w && y >= pool.top[i] && y < pool.top[i] + h)
            return i;
    }
    return 0;
}

namespace {

// One marker drawn once into a small transparent image, then copied to each
// marker position: much cheaper than stroking thousands of shapes.
QImage markerSprite(float size, const QColor& colour, bool square) {
    const int n = std::max(1, static_cast<int>(std::ceil(size)));
    QImage sprite(n, n, QImage::Format_ARGB32_Premultiplied);
    sprite.fill(Qt::transparent);
    QPainter p(&sprite);
    p.setPen(QPen(colour, 1));
    p.setBrush(Qt::NoBrush);
    if (square)
        p.drawRect(QRectF(0, 0, size - 1, size - 1));
    else
        p.drawEllipse(QRectF(0, 0, size - 1, size - 1));
    return sprite;
}

// Screen position of a corner; false when it lies outside `clip` (which the
// caller has widened by the size of what is drawn there).
bool cornerIn(float left, float top, const QRectF& clip, QPoint& at) {
    if (!(left >= clip.left() && left <= clip.right() && top >= clip.top() && top <= clip.bottom()))
        return false;
    at = QPoint(static_cast<int>(std::lround(left)), static_cast<int>(std::lround(top)));
    return true;
}

// Clips the segment to the rectangle [0, w) x [0, h) (Liang-Barsky); false
// when nothing of it is inside.
bool clipSegment(double& x1, double& y1, double& x2, double& y2, int w, int h) {
    const double dx = x2 - x1, dy = y2 - y1;
    double t0 = 0, t1 = 1;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x1 + 0.5, w - 0.5 - x1, y1 + 0.5, h - 0.5 - y1};
    for (int k = 0; k < 4; ++k) {
        if (p[k] == 0) {
            if (q[k] < 0) return false;
            continue;
        }
        const double t = q[k] / p[k];
        if (p[k] < 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1) return false;
    }
    const double ox = x1, oy = y1;
    x1 = ox + t0 * dx;
    y1 = oy + t0 * dy;
    x2 = ox + t1 * dx;
    y2 = oy + t1 * dy;
    return true;
}

// An 8-bit raster of colour-table indexes to draw lines into.
struct Raster {
    uchar* bits;
    qsizetype stride;
    int w;
    int h;
};

// The colour-table index of each drawing colour (0 is transparent).
uchar colourIndex(QImage& layer, QRgb colour) {
    QList<QRgb> table = layer.colorTable();
    const qsizetype at = table.indexOf(colour);
    if (at > 0) return static_cast<uchar>(at);
    if (table.size() >= 256) return static_cast<uchar>(table.size() - 1);
    table.append(colour);
    layer.setColorTable(table);
    return static_cast<uchar>(table.size() - 1);
}

// Nearest whole pixel of a clipped coordinate (never below -0.5, so
// truncation after adding one half rounds correctly).
int nearest(double v) {
    return static_cast<int>(std::floor(v + 0.5));
}

// A one-pixel line between whole-pixel ends (Bresenham), written straight
// into the raster.
void rasterLine(const Raster& r, const LineSegment& s, uchar colour) {
    int ax = 0, ay = 0, bx = 0, by = 0;
    const float right = static_cast<float>(r.w - 1), bottom = static_cast<float>(r.h - 1);
    if (s.x1 >= 0 && s.x1 <= right && s.x2 >= 0 && s.x2 <= right && s.y1 >= 0 && s.y1 <= bottom &&
        s.y2 >= 0 && s.y2 <= bottom) {
        // Wholly inside (the usual case; fails for values that are no number).
        ax = nearest(s.x1);
        ay = nearest(s.y1);
        bx = nearest(s.x2);
        by = nearest(s.y2);
    } else {
        if (!(std::isfinite(s.x1) && std::isfinite(s.y1) && std::isfinite(s.x2) &&
              std::isfinite(s.y2)))
            return;
        double x1 = s.x1, y1 = s.y1, x2 = s.x2, y2 = s.y2;
        if (!clipSegment(x1, y1, x2, y2, r.w, r.h)) return;
        ax = nearest(x1);
        ay = nearest(y1);
        bx = nearest(x2);
        by = nearest(y2);
    }
    const int dx = std::abs(bx - ax), sx = ax < bx ? 1 : -1;
    const int dy = -std::abs(by - ay), sy = ay < by ? 1 : -1;
    int err = dx + dy;
    for (;;) {
        if (ax >= 0 && ay >= 0 && ax < r.w && ay < r.h) r.bits[ay * r.stride + ax] = colour;
        if (ax == bx && ay == by) break;
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            ax += sx;
        }
        if (e2 <= dx) {
            err += dx;
            ay += sy;
        }
    }
}

} // namespace

void ImageCanvas::paintPool(QPainter& p, const MarkerPool& pool, const QImage& sprite,
                            const QRect& exposed) {
    const QRectF clip = QRectF(exposed).adjusted(-pool.size - 1, -pool.size - 1, 1, 1);
    const int n = pool.count();
    const float* left = pool.left.data();
    const float* top = pool.top.data();
    const uint8_t* visible = pool.visible.data();
    QPoint at;
    for (int i = 1; i <= n; ++i) {
        if (visible[i] && cornerIn(left[i], top[i], clip, at)) p.drawImage(at, sprite);
    }
}

void ImageCanvas::refreshDrawLayer() {
    const auto& drawings = m_markers.drawings;
    if (drawings.empty()) {
        m_drawLayer = QImage();
    } else if (m_drawLayer.size() != size() || m_layerVersion != m_markers.drawingsVersion ||
               m_layerCount != drawings.size()) {
        // The drawings (mostly deep-sky ellipses of hundreds of tiny lines)
        // are rasterised once into a transparent layer the size of the image;
        // a repaint then only copies the exposed part of it. The layer holds
        // one byte per pixel, an index into its few drawing colours, so that
        // it costs a quarter of the image's memory.
        if (m_drawLayer.size() != size()) m_drawLayer = QImage(size(), QImage::Format_Indexed8);
        m_drawLayer.setColorTable({qRgba(0, 0, 0, 0)});
        m_drawLayer.fill(0);
        const Raster raster{m_drawLayer.bits(), m_drawLayer.bytesPerLine(), m_drawLayer.width(),
                            m_drawLayer.height()};
        QRgb last = 0;
        uchar index = 0;
        for (const LineSegment& s : drawings) {
            const QRgb colour = s.colour | 0xFF000000u;
            if (index == 0 || colour != last) index = colourIndex(m_drawLayer, colour);
            last = colour;
            rasterLine(raster, s, index);
        }
    }
    m_layerVersion = m_markers.drawingsVersion;
    m_layerCount = drawings.size();
}

const QImage& ImageCanvas::labelSprite(std::vector<LabelSprite>& cache, const QString& caption,
                                       int i, const QColor& colour) {
    if (cache.size() <= static_cast<size_t>(i)) cache.resize(static_cast<size_t>(i) + 1);
    LabelSprite& sprite = cache[static_cast<size_t>(i)];
    if (sprite.image.isNull() || sprite.caption != caption) {
        const QFontMetrics fm = fontMetrics();
        sprite.caption = caption;
        sprite.image = QImage(std::max(1, fm.horizontalAdvance(caption)), std::max(1, fm.height()),
                              QImage::Format_ARGB32_Premultiplied);
        sprite.image.fill(Qt::transparent);
        QPainter p(&sprite.image);
        p.setFont(font());
        p.setPen(colour);
        p.drawText(QPoint(0, fm.ascent()), caption);
    }
    return sprite.image;
}

void ImageCanvas::paintLabels(QPainter& p, const LabelPool& pool, std::vector<LabelSprite>& cache,
                              const QColor& colour, const QRect& exposed) {
    // Labels are drawn from cached images of their captions: shaping text
    // for hundreds of labels on every repaint is slow.
    const QRectF clip = QRectF(exposed).adjusted(-4096, -fontMetrics().height() - 1, 1, 1);
    const int n = pool.count();
    QPoint at;
    for (int i = 1; i <= n; ++i) {
        if (!pool.visible[i] || !cornerIn(pool.left[i], pool.top[i], clip, at)) continue;
        const QImage& sprite = labelSprite(cache, pool.caption[i], i, colour);
        if (QRect(at, sprite.size()).intersects(exposed)) p.drawImage(at, sprite);
    }
}

void ImageCanvas::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    paintArea(p, event->rect());
}

void ImageCanvas::paintArea(QPainter& p, const QRect& r) {
    if (m_image.isNull())
        p.fillRect(r, Qt::black);
    else
        p.drawImage(r.topLeft(), m_image, r);
    p.setBrush(Qt::NoBrush);

    if (m_starSprite.isNull()) {
        m_starSprite = markerSprite(m_markers.star.size, QColor(0, 255, 0), false);
        m_pickSprite = markerSprite(m_markers.clicpic.size, QColor(255, 0, 0), false);
        m_asterSprite = markerSprite(m_markers.aster.size, QColor(255, 255, 0), true);
    }
    paintPool(p, m_markers.star, m_starSprite, r);
    paintPool(p, m_markers.clicpic, m_pickSprite, r);
    paintPool(p, m_markers.aster, m_asterSprite, r);
    refreshDrawLayer();
    if (!m_drawLayer.isNull()) {
        const QRect part = r.intersected(m_drawLayer.rect());
        if (!part.isEmpty())
            p.drawImage(part.topLeft(), m_drawLayer.copy(part).convertToFormat(
                                            QImage::Format_ARGB32_Premultiplied));
    }
    if (m_markers.centerpic.visible) {
        p.setPen(QPen(Qt::red, 1));
        for (int i = 0; i < 4; ++i)
            p.drawLine(QPointF(m_markers.centerpic.x1[i], m_markers.centerpic.y1[i]),
                       QPointF(m_markers.centerpic.x2[i], m_markers.centerpic.y2[i]));
    }
    paintLabels(p, m_markers.aster_lbl, m_asterLabelSprites, QColor(255, 255, 0), r);
    paintLabels(p, m_markers.deepobj_lbl, m_deepLabelSprites, QColor(128, 128, 255), r);
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
        if (onAsterLabelClick) onAsterLabelClick(i);
    } else if (int j = labelAt(m_markers.deepobj_lbl, fm, pos.x(), pos.y())) {
        m_pressOnLabel = true;
        if (onDeepSkyLabelClick) onDeepSkyLabelClick(j);
    }
}

void ImageCanvas::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || m_pressOnLabel) return;
    if (m_swallowRelease) {
        m_swallowRelease = false;
        return;
    }
    if (rect().contains(event->position().toPoint()) && onClick) onClick();
}

void ImageCanvas::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    m_swallowRelease = true;
    if (onDoubleClick) onDoubleClick();
}
