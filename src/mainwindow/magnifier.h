// The magnifier "zoom": a 102 x 102 pixel window over the image showing the
// 27 x 27 image pixels around the cursor at four times their size, with a
// yellow cross-hair. Pixels beyond the image edge show as a dark purple. A
// FITS image shows its physical values, scaled from the display's black to
// the brightest pixel of the patch.
#pragma once

#include <QImage>
#include <QWidget>
#include <functional>

class ImageCanvas;

class Magnifier : public QWidget {
    Q_OBJECT
public:
    explicit Magnifier(ImageCanvas* canvas);

    // Moves the magnifier to be centred on image pixel (cx, cy) and repaints it.
    void showAround(int cx, int cy);
    const QImage& view() const { return m_view; }

    // Paints the enlarged view of the pixels around (cx, cy) into `view`
    // (102 x 102, 32-bit): 27 x 27 image pixels as 5-pixel dots 4 pixels
    // apart, the cursor's pixel at (50, 50), and the yellow cross-hair.
    // Positions outside the image show in kOutsideColour.
    static void paintView(const ImageCanvas& canvas, int cx, int cy, QImage& view);
    static constexpr QRgb kOutsideColour = 0xFF301848;

    std::function<void(float x, float y)> onMouseMove;
    std::function<void()> onClick;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    ImageCanvas* m_canvas;
    QImage m_view;
    bool m_swallowRelease = false; // the release that ends a double-click
};
