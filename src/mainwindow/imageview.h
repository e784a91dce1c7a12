// PicOrange: the viewport of the image. It holds the image Picture1 (moved
// inside it to pan), the magnifier "zoom", the four pan strips PicMove(1..4)
// along its edges, the info panel Frm6 floating over its top-left corner,
// the panning timer Timer1 (50 ms) and the reload timer Timer3 (1 s).
#pragma once

#include "imaging/pixelimage.h"
#include "imaging/stretch.h"
#include "text/widgets/infoview.h"

#include <QImage>
#include <QWidget>
#include <array>
#include <functional>

class ImageCanvas;
class Magnifier;
namespace field {
struct MarkerStore;
}
class QFrame;
class QLabel;
class QPushButton;
class QTextEdit;
class QTimer;

class ImageView : public QWidget {
    Q_OBJECT
public:
    ImageView(field::MarkerStore& markers, QWidget* parent = nullptr);

    void retranslate();
    ImageCanvas& canvas() const { return *m_canvas; }
    Magnifier& magnifier() const { return *m_zoom; }

    // One step of panning by 10 pixels, the first rule that holds winning:
    // right while the image's right edge is beyond the viewport, up while its
    // top is above it, left, down. A rule holds when its strip is pressed
    // (`direction` 3, 4, 1, 2) or its arrow key is held (`held(key)`).
    void pan(int direction, const std::function<bool(int key)>& held);

    // Shows `image` (read from `path`; for a FITS file with its pixel values
    // and the stretch that made the picture) at the top-left corner; true
    // when it comes from another file than the image shown before.
    bool showImage(QImage image, imaging::PixelImage values, imaging::DisplayStretch stretch,
                   const QString& path);

    text::details::InfoPanel infoPanel() const;
    void hideInfo();
    void startPanning();
    void setAutoReload(bool on);

signals:
    void panTimer();              // Timer1 ran out
    void reloadTimer();           // Timer3 ran out
    void stripPressed(int index); // PicMove(index)
    void stripReleased(int index);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    ImageCanvas* m_canvas;
    Magnifier* m_zoom;
    std::array<QWidget*, 4> m_strips{};
    QFrame* m_info;
    QTextEdit* m_infoText;
    QLabel* m_infoTitle;
    QPushButton* m_infoClose;
    QTimer* m_panTimer;
    QTimer* m_reloadTimer;
    QString m_imagePath; // the file of the image shown
};
