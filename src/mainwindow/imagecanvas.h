// Picture1: the image at one image pixel per screen pixel, with the overlay
// markers painted over it in one pass from the marker store. A repaint covers
// only the exposed area: markers and labels are copied from small pre-drawn
// images, and the free drawings (ellipses, crosses) are kept rasterised in a
// transparent layer until they change. Mouse events are handed to the main
// window in image pixels.
#pragma once

#include "field/markers.h"
#include "imaging/pixelimage.h"
#include "imaging/stretch.h"

#include <QFont>
#include <QHash>
#include <QImage>
#include <QWidget>
#include <functional>
#include <vector>

class QPainter;

class ImageCanvas : public QWidget {
    Q_OBJECT
public:
    ImageCanvas(field::MarkerStore& markers, QWidget* parent = nullptr);

    // Replaces the picture; the widget takes the image's size. For a FITS
    // image, `image` is the stretched display and `values` the physical
    // values that picking reads.
    void setImage(QImage image, imaging::PixelImage values = {},
                  imaging::DisplayStretch stretch = {});
    const QImage& image() const { return m_image; }

    // The colour of image pixel (x, y) as red + 256 * green + 65536 * blue,
    // -1 outside the image.
    int pixelValue(int x, int y) const;
    // What the brightest-spot search reads: the colour number above for a
    // picture, the physical value for a FITS image; -1 outside.
    double pickValue(int x, int y) const;
    // The physical values (empty for pictures) and their display stretch.
    const imaging::PixelImage& values() const { return m_values; }
    const imaging::DisplayStretch& stretch() const { return m_stretch; }

    // Paints the image and the overlay of the area `r` (image pixels).
    void paintArea(QPainter& p, const QRect& r);

    // Width in pixels of a label caption in the canvas font (remembered per caption).
    float captionWidth(const QString& caption);

    // Label hit test: the index of the visible label under (x, y), 0 for none.
    static int labelAt(const field::LabelPool& pool, const QFontMetrics& fm, float x, float y);

    std::function<void(float x, float y)> onMouseMove;
    std::function<void()> onClick;
    std::function<void()> onDoubleClick;
    std::function<void(int index)> onAsterLabelClick;
    std::function<void(int index)> onDeepSkyLabelClick;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    struct LabelSprite {
        QString caption;
        QImage image;
    };
    void paintPool(QPainter& p, const field::MarkerPool& pool, const QImage& sprite,
                   const QRect& exposed);
    void refreshDrawLayer();
    const QImage& labelSprite(std::vector<LabelSprite>& cache, const QString& caption, int i,
                              const QColor& colour);
    void paintLabels(QPainter& p, const field::LabelPool& pool, std::vector<LabelSprite>& cache,
                     const QColor& colour, const QRect& exposed);

    field::MarkerStore& m_markers;
    QImage m_starSprite, m_pickSprite, m_asterSprite;
    QImage m_drawLayer; // the drawings, rasterised
    uint64_t m_layerVersion = 0;
    size_t m_layerCount = 0;
    std::vector<LabelSprite> m_asterLabelSprites, m_deepLabelSprites;
    QHash<QString, float> m_captionWidths;
    QFont m_widthFont;
    QImage m_image; // 32-bit RGB for pictures, 8-bit grey for FITS images
    imaging::PixelImage m_values;
    imaging::DisplayStretch m_stretch;
    bool m_swallowRelease = false;
    bool m_pressOnLabel = false;
};
