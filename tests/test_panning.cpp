// Panning the image with the arrow keys and the edge strips (Timer1).
#include "mainwindow/imagecanvas.h"
#include "platform/widgets/keystate.h"
#include "window.h"

#include <QImage>

using namespace reduction;
using namespace imaging;
using namespace field;
using namespace catalogues;

using testing_support::control;
using testing_support::edit;
using testing_support::MessageRecorder;
using testing_support::ProgramFolderFixture;

namespace {

void tick(Form1& form, int n = 1) {
    for (int i = 0; i < n; ++i)
        form.Timer1_Timer();
}

} // namespace

TEST(Panning, ArrowKeysAndStripsMoveTheImageWithinTheViewport) {
    ProgramFolderFixture folder;
    MessageRecorder boxes;
    Form1 form;
    control<QTimer>(form, "Timer1")->stop(); // ticks are driven by hand
    form.show();
    edit(form, "txt_url")->setText(QStringLiteral("sample.png"));
    form.Loadimg_Click();
    const int innerW = control<QWidget>(form, "PicOrange")->width();
    const int innerH = control<QWidget>(form, "PicOrange")->height();
    ASSERT_GT(1024, innerW);
    ASSERT_GT(1024, innerH);
    KeyState& keys = KeyState::instance();

    // An inactive window does not pan, whatever key is held.
    QApplication::setActiveWindow(nullptr);
    keys.simulate(Qt::Key_Right, true);
    tick(form);
    EXPECT_EQ(control<ImageCanvas>(form, "Picture1")->pos(), QPoint(0, 0));

    QApplication::setActiveWindow(&form);
    ASSERT_TRUE(KeyState::isActive(&form));
    tick(form);
    EXPECT_EQ(control<ImageCanvas>(form, "Picture1")->pos(), QPoint(-10, 0));
    // Held down, it goes on until the right edge has come into the viewport,
    // never more than one step past it.
    tick(form, 200);
    const int x = control<ImageCanvas>(form, "Picture1")->x();
    EXPECT_LE(x + 1024, innerW);
    EXPECT_GT(x + 1024, innerW - 10);
    keys.simulate(Qt::Key_Right, false);
    tick(form);
    EXPECT_EQ(control<ImageCanvas>(form, "Picture1")->x(), x);

    // Rules are taken in order: right, up, left, down. The bottom strip pans down.
    form.PicMove_MouseDown(2);
    tick(form, 3);
    EXPECT_EQ(control<ImageCanvas>(form, "Picture1")->pos(), QPoint(x, -30));
    form.PicMove_MouseUp(2);
    tick(form); // released: it stops
    EXPECT_EQ(control<ImageCanvas>(form, "Picture1")->pos(), QPoint(x, -30));
    // Up and Left both held: up wins until the top is back in place, then left.
    keys.simulate(Qt::Key_Up, true);
    keys.simulate(Qt::Key_Left, true);
    tick(form, 3);
    EXPECT_EQ(control<ImageCanvas>(form, "Picture1")->pos(), QPoint(x, 0));
    tick(form);
    EXPECT_EQ(control<ImageCanvas>(form, "Picture1")->pos(), QPoint(x + 10, 0));
    keys.simulate(Qt::Key_Up, false);
    keys.simulate(Qt::Key_Left, false);

    // An image smaller than the viewport never moves.
    QImage small(64, 48, QImage::Format_RGB32);
    small.fill(Qt::gray);
    ASSERT_TRUE(small.save(folder.file("small.png")));
    edit(form, "txt_url")->setText(QStringLiteral("small.png"));
    form.Loadimg_Click();
    for (int strip = 1; strip <= 4; ++strip) {
        form.PicMove_MouseDown(strip);
        tick(form, 2);
        form.PicMove_MouseUp(strip);
    }
    EXPECT_EQ(control<ImageCanvas>(form, "Picture1")->pos(), QPoint(0, 0));
    EXPECT_TRUE(boxes.shown.empty());
}
