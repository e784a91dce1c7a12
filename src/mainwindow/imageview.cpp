#include "mainwindow/imageview.h"

#include "mainwindow/imagecanvas.h"
#include "mainwindow/magnifier.h"

#include <QApplication>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTextEdit>
#include <QTimer>
#include <QVBoxLayout>

using namespace imaging;
using namespace field;

namespace {

// A pan strip: reports press and release.
class PanStrip : public QWidget {
public:
    PanStrip(int index, ImageView* view) : QWidget(view), m_index(index), m_view(view) {
        setObjectName(QStringLiteral("PicMove(%1)").arg(index));
        setAutoFillBackground(true);
        QPalette pal = palette();
        pal.setColor(QPalette::Window, QColor(255, 192, 192));
        setPalette(pal);
        setCursor(Qt::PointingHandCursor);
    }

protected:
    void mousePressEvent(QMouseEvent*) override { emit m_view->stripPressed(m_index); }
    void mouseReleaseEvent(QMouseEvent*) override { emit m_view->stripReleased(m_index); }

private:
    int m_index;
    ImageView* m_view;
};

QTimer* timer(QObject* parent, const char* name, int ms) {
    auto* t = new QTimer(parent);
    t->setObjectName(QString::fromLatin1(name));
    t->setInterval(ms);
    return t;
}

} // namespace

ImageView::ImageView(MarkerStore& markers, QWidget* parent)
    : QWidget(parent), m_canvas(new ImageCanvas(markers, this)), m_zoom(new Magnifier(m_canvas)),
      m_info(new QFrame(this)), m_infoText(new QTextEdit), m_infoTitle(new QLabel),
      m_infoClose(new QPushButton(QStringLiteral("X"))), m_panTimer(timer(this, "Timer1", 50)),
      m_reloadTimer(timer(this, "Timer3", 1000)) {
    setObjectName(QStringLiteral("PicOrange"));
    setMinimumSize(480, 400);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(48, 48, 48));
    setPalette(pal);
    m_canvas->setObjectName(QStringLiteral("Picture1"));
    m_canvas->move(0, 0);
    m_zoom->setObjectName(QStringLiteral("zoom"));
    for (int i = 0; i < 4; ++i)
        m_strips[i] = new PanStrip(i + 1, this);

    // The info panel lies on the dark viewport but keeps the window's own colours.
    m_info->setObjectName(QStringLiteral("Frm6"));
    m_info->setFrameShape(QFrame::StyledPanel);
    m_info->setAutoFillBackground(true);
    QPalette infoPal = m_info->palette();
    infoPal.setColor(QPalette::Window, QApplication::palette().color(QPalette::Window));
    m_info->setPalette(infoPal);
    m_info->setGeometry(20, 20, 360, 300);
    m_infoClose->setObjectName(QStringLiteral("Frm6close"));
    m_infoClose->setFixedWidth(28);
    m_infoText->setObjectName(QStringLiteral("InfoMore"));
    m_infoText->setReadOnly(true);
    auto* l = new QVBoxLayout(m_info);
    auto* head = new QHBoxLayout;
    head->addWidget(m_infoTitle);
    head->addStretch();
    head->addWidget(m_infoClose);
    l->addLayout(head);
    l->addWidget(m_infoText);
    m_info->hide();

    connect(m_panTimer, &QTimer::timeout, this, &ImageView::panTimer);
    connect(m_reloadTimer, &QTimer::timeout, this, &ImageView::reloadTimer);
}

void ImageView::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    const int t = 10, w = width(), h = height();
    m_strips[0]->setGeometry(0, t, t, h - 2 * t);     // PicMove(1) left
    m_strips[1]->setGeometry(t, h - t, w - 2 * t, t); // PicMove(2) bottom
    m_strips[2]->setGeometry(w - t, t, t, h - 2 * t); // PicMove(3) right
    m_strips[3]->setGeometry(t, 0, w - 2 * t, t);     // PicMove(4) top
    for (QWidget* s : m_strips)
        s->raise();
}

void ImageView::pan(int dir, const std::function<bool(int key)>& held) {
    const int step = 10;
    const QRect pic = m_canvas->geometry();
    if (pic.x() + pic.width() > width() && (dir == 3 || held(Qt::Key_Right)))
        m_canvas->move(pic.x() - step, pic.y());
    else if (pic.y() < 0 && (dir == 4 || held(Qt::Key_Up)))
        m_canvas->move(pic.x(), pic.y() + step);
    else if (pic.x() < 0 && (dir == 1 || held(Qt::Key_Left)))
        m_canvas->move(pic.x() + step, pic.y());
    else if (pic.y() + pic.height() > height() && (dir == 2 || held(Qt::Key_Down)))
        m_canvas->move(pic.x(), pic.y() - step);
}

bool ImageView::showImage(QImage image, PixelImage values, DisplayStretch stretch,
                          const QString& path) {
    m_canvas->setImage(std::move(image), std::move(values), stretch);
    m_canvas->move(0, 0);
    const bool other = path != m_imagePath;
    m_imagePath = path;
    return other;
}

void ImageView::retranslate() {
    m_infoTitle->setText(QStringLiteral("<b>%1</b>").arg(tr("Info")));
}

text::details::InfoPanel ImageView::infoPanel() const {
    return {m_infoText, m_info};
}

void ImageView::hideInfo() {
    m_info->hide();
}

void ImageView::startPanning() {
    m_panTimer->start();
}

void ImageView::setAutoReload(bool on) {
    if (on)
        m_reloadTimer->start();
    else
        m_reloadTimer->stop();
}
