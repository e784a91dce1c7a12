// The magnifier "zoom": a 102 x 102 pixel window over the image showing the
// 27 x 27 image pixels around the cursor at four times their size, with a
// yellow cross-hair.
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

    std::function<void(float x, float y)> onMouseMove;
    std::function<void()> onClick;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    ImageCanvas* m_canvas;
    QImage m_view;
};
