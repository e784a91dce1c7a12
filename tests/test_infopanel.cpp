// The info panel: panel texts and the rendering of their tags.
#include "text/infopanel.h"
#include "text/language.h"
#include "text/widgets/infoview.h"

#include <QFrame>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <functional>
#include <gtest/gtest.h>
#include <random>
#include <tuple>
#include <vector>

using namespace text;

using namespace details;

namespace {

// Format of the character at `i` of the box's plain text.
QTextCharFormat formatAt(QTextEdit& box, int i) {
    QTextCursor c(box.document());
    c.setPosition(i + 1);
    return c.charFormat();
}

QString rendered(QTextEdit& box, const QString& markup) {
    box.setPlainText(markup);
    RenderInfoMarkup(&box);
    return box.toPlainText();
}

void labels() {
    Lang() = LanguageTable{};
    for (int i = 1; i <= 20; ++i)
        Lang().InfoTexts[i] = QStringLiteral("L%1 ").arg(i);
}

// The rendering as tag-by-tag removal gives it: for each pair in the fixed
// order, the first opening tag is paired with the first closing tag after
// it, the text between them formatted and both tags removed, again and
// again; unpaired tags are removed. Quadratic, but plainly right.
struct Cell {
    QChar c;
    bool bold = false, italic = false, underline = false, blue = false;
    double size = 10;
};

std::vector<Cell> tagByTag(const QString& markup) {
    std::vector<Cell> cells;
    for (const QChar c : markup)
        cells.push_back({c});
    const auto text = [&] {
        QString t;
        for (const Cell& c : cells)
            t += c.c;
        return t;
    };
    const auto erase = [&](qsizetype at, qsizetype n) {
        cells.erase(cells.begin() + at, cells.begin() + at + n);
    };
    const std::vector<std::tuple<QString, QString, std::function<void(Cell&)>>> pairs = {
        {"<B>", "</B>", [](Cell& c) { c.bold = true; }},
        {"<I>", "</I>", [](Cell& c) { c.italic = true; }},
        {"<S0>", "</S0>", [](Cell& c) { c.size = 10; }},
        {"<S1>", "</S1>", [](Cell& c) { c.size = 11; }},
        {"<S2>", "</S2>", [](Cell& c) { c.size = 12; }},
        {"<C1>", "</C1>", [](Cell& c) { c.blue = true; }},
        {"<S>", "</S>", [](Cell& c) { c.underline = true; }}};
    for (const auto& [open, close, apply] : pairs) {
        for (;;) {
            const QString t = text();
            const qsizetype a = t.indexOf(open);
            if (a < 0) break;
            const qsizetype b = t.indexOf(close, a + open.size());
            if (b < 0) {
                erase(a, open.size());
                continue;
            }
            for (qsizetype k = a; k < b; ++k)
                apply(cells[k]);
            erase(b, close.size());
            erase(a, open.size());
        }
        for (qsizetype c = text().indexOf(close); c >= 0; c = text().indexOf(close))
            erase(c, close.size());
    }
    return cells;
}

} // namespace

// Random tag soups (nested, overlapping, unpaired, stray closing tags) render
// exactly as tag-by-tag removal would: bold, italic, underline, the sizes 10
// to 12 and colour 0xFF0000 (BBGGRR: blue).
TEST(InfoMarkup, OnePassRenderingMatchesTagByTagRemoval) {
    const QStringList pieces = {"<B>",  "</B>",  "<I>",  "</I>",  "<S0>", "</S0>",
                                "<S1>", "</S1>", "<S2>", "</S2>", "<C1>", "</C1>",
                                "<S>",  "</S>",  "a",    "b",     "S>"};
    QTextEdit box;
    std::mt19937 random(7380);
    for (int round = 0; round < 300; ++round) {
        QString markup;
        const int n = 1 + static_cast<int>(random() % 40);
        for (int k = 0; k < n; ++k)
            markup += pieces[static_cast<int>(random() % pieces.size())];
        const std::vector<Cell> want = tagByTag(markup);
        const QString got = rendered(box, markup);
        ASSERT_EQ(got.size(), static_cast<qsizetype>(want.size())) << markup.toStdString();
        for (qsizetype i = 0; i < got.size(); ++i) {
            const QTextCharFormat f = formatAt(box, static_cast<int>(i));
            const Cell& w = want[static_cast<size_t>(i)];
            const bool blue = f.foreground().color() == QColor(0, 0, 255);
            ASSERT_TRUE(got[i] == w.c && (f.fontWeight() == QFont::Bold) == w.bold &&
                        f.fontItalic() == w.italic && f.fontUnderline() == w.underline &&
                        f.fontPointSize() == w.size && blue == w.blue)
                << markup.toStdString() << " at " << i;
        }
    }
}

TEST(InfoMarkup, PanelTexts) {
    labels();
    const QString title = "<B><I><S><S2>%1</B></I></S></S2>";

    // 5h35m17.3s, -5 23 28 at the equinox J2000: both coordinate pairs agree.
    const double ra = (5 * 3600 + 35 * 60 + 17.3) / 3600.0 * 15,
                 dec = -(5 + 23 / 60.0 + 28 / 3600.0);
    const QStringList point = PointInfoMarkup(ra, dec, "2000.0").split("\r\n");
    ASSERT_EQ(point.size(), 10);
    EXPECT_EQ(point[0], title.arg("L2 "));
    EXPECT_EQ(point[1], "   ");
    EXPECT_EQ(point[2], "<B>L3 </B>");
    EXPECT_EQ(point[3], "   <B>L9 </B>83.82208  (5H35'17'')");
    EXPECT_EQ(point[4], QString::fromUtf8("   <B>L10 </B>-5.39111  (-5°23'28'')"));
    EXPECT_EQ(point[6], "<B>L4  (J2000.0)</B>");
    EXPECT_EQ(point[7], point[3]);
    EXPECT_EQ(point[8], point[4]);
    EXPECT_EQ(point[9], "   ");

    const QStringList star =
        StarInfoMarkup("U0825_03099326", ra, dec, "12.3", "13.4", "2020").split("\r\n");
    ASSERT_EQ(star.size(), 17);
    EXPECT_EQ(star[0], title.arg("U0825_03099326"));
    EXPECT_EQ(star[4], "   <B>L7 </B>12.3");
    EXPECT_EQ(star[11], "<B>L4  (J2020)</B>");
    EXPECT_NE(star[12], star[8]); // precessed by twenty years
    EXPECT_EQ(star[16], "   <B>L11 </B>U0825_03099326");

    // Whole panels. The minor-planet title runs name and label together;
    // the name comes before the designation.
    EXPECT_EQ(
        MinorPlanetInfoMarkup("2004 XY", "Ceres", ra, dec, "15.1", "-12", "+34").split("\r\n"),
        (QStringList{title.arg("CeresL14 "), "   ", "<B>L1 </B>", "   <B>L12 </B>Ceres",
                     "   <B>L13 </B>2004 XY", "   <B>L15 </B>15.1", "   ", "<B>L3 </B>", point[3],
                     point[4], "   ", "<B>L16 </B>", "   <B>L17 </B>-12", "   <B>L18 </B>+34"}));

    // Deep-sky fields put one blank after the label; no PGC number, no PGC
    // line, and the two other names still follow.
    const QStringList deepHead{"   ", "<B>L1 </B>"};
    EXPECT_EQ(
        DeepSkyInfoMarkup("NGC 7380", ra, dec, "7.2", 25, 20, "OCL", "PGC 0", "", "").split("\r\n"),
        (QStringList{title.arg("NGC 7380")} + deepHead +
         QStringList{"   <B>L12 </B> NGC 7380", "   <B>L19 </B> OCL", "   <B>L15 </B>7.2",
                     "   <B>L20 </B> 25 x 20", "   ", "<B>L3 </B>", point[3], point[4], "   ",
                     "<B>L5 </B>", "   ", "   "}));
    EXPECT_EQ(
        DeepSkyInfoMarkup("NGC 224", ra, dec, "3.4", 189.1, 61.7, "Gx", "PGC 2557", "M 31", "")
            .split("\r\n"),
        (QStringList{title.arg("NGC 224")} + deepHead +
         QStringList{"   <B>L12 </B> NGC 224", "   <B>L19 </B> Gx", "   <B>L15 </B>3.4",
                     "   <B>L20 </B> 189.1 x 61.7", "   ", "<B>L3 </B>", point[3], point[4], "   ",
                     "<B>L5 </B>", "   PGC 2557", "   M 31", "   "}));
    Lang() = LanguageTable{};
}

TEST(InfoMarkup, PanelIsRenderedAndShown) {
    labels();
    QFrame frame;
    auto* box = new QTextEdit(&frame);
    frame.hide();
    MinorPlanetInfoText({box, &frame}, "2004 XY", "Ceres", 10, 20, "15.1", "1", "2");
    EXPECT_FALSE(frame.isHidden());
    const QString text = box->toPlainText();
    EXPECT_TRUE(text.startsWith("CeresL14 \n   \nL1 \n"));
    EXPECT_FALSE(text.contains('<'));
    EXPECT_EQ(formatAt(*box, 0).fontPointSize(), 12); // the title, rendered
    Lang() = LanguageTable{};
}
