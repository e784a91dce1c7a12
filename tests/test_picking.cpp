#include "field/picking.h"
#include "mainwindow/imagecanvas.h"
#include "testing.h"

using namespace reduction;
using namespace imaging;
using namespace field;
using namespace catalogues;

// The snap on the real sample is checked by the picks of the window tests
// (test_endtoend, test_imageview_gui); here its box geometry and order.
TEST(FindBrightestNear, TiesBlackAndTheImageBorder) {
    // Equal sums everywhere: the first candidate in scan order (smallest x,
    // then smallest y) wins.
    const auto flat = [](int, int) { return 1; };
    BrightestSpot s = FindBrightestNear(flat, 100, 50);
    EXPECT_EQ(s.x, 97);
    EXPECT_EQ(s.y, 47);
    EXPECT_DOUBLE_EQ(s.score, 49.0);

    // Two equally bright single pixels that no box holds together: the box
    // of the smaller x wins, then for equal x the one of the smaller y.
    const auto dots = [](std::pair<int, int> a, std::pair<int, int> b) {
        return [a, b](int x, int y) {
            return std::pair{x, y} == a || std::pair{x, y} == b ? 100 : 0;
        };
    };
    s = FindBrightestNear(dots({16, 4}, {4, 16}), 10, 10);
    EXPECT_EQ(s.x, 7);
    EXPECT_EQ(s.y, 13);
    s = FindBrightestNear(dots({16, 16}, {16, 4}), 10, 10);
    EXPECT_EQ(s.x, 13);
    EXPECT_EQ(s.y, 7);

    // An all-black neighbourhood keeps the click position.
    const auto black = [](int, int) { return 0; };
    s = FindBrightestNear(black, 30, 40);
    EXPECT_FALSE(s.found);
    EXPECT_EQ(s.x, 30);
    EXPECT_EQ(s.y, 40);

    // At the corner, positions outside the image count -1 (read through the
    // canvas): with one dim pixel at (0, 0), the box that holds it without
    // reaching outside wins over the earlier boxes that hold it too.
    MarkerStore markers;
    ImageCanvas canvas(markers);
    QImage img(20, 20, QImage::Format_RGB32);
    img.fill(Qt::black);
    img.setPixel(0, 0, qRgb(10, 0, 0));
    canvas.setImage(img);
    EXPECT_EQ(canvas.pixelValue(-1, 0), -1);
    EXPECT_EQ(canvas.pixelValue(0, 20), -1);
    EXPECT_EQ(canvas.pixelValue(0, 0), 10);
    const auto pixel = [&](int x, int y) { return canvas.pixelValue(x, y); };
    s = FindBrightestNear(pixel, 1, 1);
    EXPECT_TRUE(s.found);
    EXPECT_EQ(s.x, 3);
    EXPECT_EQ(s.y, 3);
    EXPECT_DOUBLE_EQ(s.score, 10.0);
}

TEST(StorePick, StaysWithinTheMarksAndThePickArrays) {
    SessionState s;
    MarkerStore m;
    for (int k = 1; k <= 5; ++k) {
        EXPECT_EQ(StorePick(s, m.clicpic, 100.0 + k, 200.0 + k), k);
        EXPECT_EQ(s.ImageStarX[k], 100.0 + k);
        EXPECT_FLOAT_EQ(m.clicpic.left[k], 100.0f + k - 8);
        EXPECT_FLOAT_EQ(m.clicpic.top[k], 200.0f + k - 8);
        EXPECT_TRUE(m.clicpic.visible[k]);
    }
    // A sixth pick has no mark: refused, nothing written.
    const auto before = s.ImageStarX;
    EXPECT_EQ(StorePick(s, m.clicpic, 1, 1), 0);
    EXPECT_EQ(StorePickMark(s, m.clicpic, 1, 1), 0);
    EXPECT_EQ(s.PickCount, 5);
    EXPECT_EQ(s.ImageStarX, before);
    EXPECT_EQ(m.clicpic.count(), 5);

    // A count left far out of range by a calibration is refused as well.
    s.PickCount = 300;
    EXPECT_EQ(StorePick(s, m.clicpic, 1, 1), 0);
    s.PickCount = -1; // would land on the unused index 0
    EXPECT_EQ(StorePick(s, m.clicpic, 1, 1), 0);
    EXPECT_EQ(s.ImageStarX[0], 0.0);
    s.PickCount = 0;
    EXPECT_EQ(StorePickMark(s, m.clicpic, 40, 50), 1);
    EXPECT_EQ(s.ImageStarX[1], before[1]); // a mark-only pick leaves the arrays alone
    EXPECT_FLOAT_EQ(m.clicpic.left[1], 32.0f);
}
