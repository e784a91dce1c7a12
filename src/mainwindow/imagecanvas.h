// Picture1: the image at one image pixel per screen pixel, with the overlay
// markers painted over it in one pass from the marker store. Mouse events are
// handed to the main window in image pixels.
#pragma once

#include "mainwindow/markers.h"

#include <QImage>
#include <QWidget>
#include <functional>

class ImageCanvas : public QWidget {
    Q_OBJECT
public:
    ImageCanvas(MarkerStore& markers, QWidget* parent = nullptr);

    // Replaces the picture; the widget takes the image's size.
    void setImage(QImage image);
    const QImage& image() const { return m_image; }

    // The colour of image pixel (x, y) as red + 256 * green + 65536 * blue,
    // -1 outside the image.
    int pixelValue(int x, int y) const;

    // Label hit test: the index of the visible label under (x, y), 0 for none.
    static int labelAt(const LabelPool& pool, const QFontMetrics& fm, float x, float y);

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
    MarkerStore& m_markers;
    QImage m_image; // kept as 32-bit RGB for direct pixel reads
    bool m_swallowRelease = false;
    bool m_pressOnLabel = false;
};
