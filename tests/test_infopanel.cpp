// The info panel: panel texts and the rendering of their tags.
#include "text/infopanel.h"
#include "text/language.h"
#include "text/widgets/infoview.h"

#include <QFrame>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <gtest/gtest.h>

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

} // namespace

TEST(InfoMarkup, TagsBecomeFormatting) {
    QTextEdit box;
    EXPECT_EQ(rendered(box, "<B>ab</B>cd"), "abcd");
    EXPECT_EQ(formatAt(box, 0).fontWeight(), QFont::Bold);
    EXPECT_EQ(formatAt(box, 1).fontWeight(), QFont::Bold);
    EXPECT_NE(formatAt(box, 2).fontWeight(), QFont::Bold);
    EXPECT_EQ(formatAt(box, 3).fontPointSize(), 10);

    // Overlapping pairs combine; colour 0xFF0000 (BBGGRR) is blue.
    EXPECT_EQ(rendered(box, "<B>a<I>b</B>c</I><C1>d</C1><S1>e</S1>"), "abcde");
    EXPECT_TRUE(formatAt(box, 0).fontWeight() == QFont::Bold && !formatAt(box, 0).fontItalic());
    EXPECT_TRUE(formatAt(box, 1).fontWeight() == QFont::Bold && formatAt(box, 1).fontItalic());
    EXPECT_TRUE(formatAt(box, 2).fontWeight() != QFont::Bold && formatAt(box, 2).fontItalic());
    EXPECT_EQ(formatAt(box, 3).foreground().color(), QColor(0, 0, 255));
    EXPECT_EQ(formatAt(box, 2).foreground().color(), QColor(0, 0, 0));
    EXPECT_EQ(formatAt(box, 4).fontPointSize(), 11);

    // Unpaired tags format nothing and do not show.
    EXPECT_EQ(rendered(box, "<B>ab"), "ab");
    EXPECT_NE(formatAt(box, 0).fontWeight(), QFont::Bold);
    EXPECT_EQ(rendered(box, "</B>x<B>y</B>"), "xy");
    EXPECT_NE(formatAt(box, 0).fontWeight(), QFont::Bold);
    EXPECT_EQ(formatAt(box, 1).fontWeight(), QFont::Bold);
    EXPECT_EQ(rendered(box, "<S>u</S>"), "u");
    EXPECT_TRUE(formatAt(box, 0).fontUnderline());
    EXPECT_TRUE(box.isVisible() || !box.isHidden());
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

    // The minor-planet title runs name and label together.
    const QStringList mp =
        MinorPlanetInfoMarkup("2004 XY", "Ceres", ra, dec, "15.1", "-12", "+34").split("\r\n");
    ASSERT_EQ(mp.size(), 14);
    EXPECT_EQ(mp[0], title.arg("CeresL14 "));
    EXPECT_EQ(mp[12], "   <B>L17 </B>-12");
    EXPECT_EQ(mp[13], "   <B>L18 </B>+34");

    // No PGC number: no PGC line, the two other names still follow.
    QStringList deep =
        DeepSkyInfoMarkup("NGC 7380", ra, dec, "7.2", 25, 25, "OCL", "PGC 0", "", "").split("\r\n");
    ASSERT_EQ(deep.size(), 15);
    EXPECT_EQ(deep[3], "   <B>L12 </B> NGC 7380");
    EXPECT_EQ(deep[6], "   <B>L20 </B> 25 x 25");
    EXPECT_EQ(deep[12], "<B>L5 </B>");
    EXPECT_EQ(deep[13], "   ");
    EXPECT_EQ(deep[14], "   ");
    deep = DeepSkyInfoMarkup("NGC 224", ra, dec, "3.4", 189.1, 61.7, "Gx", "PGC 2557", "M 31", "")
               .split("\r\n");
    ASSERT_EQ(deep.size(), 16);
    EXPECT_EQ(deep[6], "   <B>L20 </B> 189.1 x 61.7");
    EXPECT_EQ(deep[13], "   PGC 2557");
    EXPECT_EQ(deep[14], "   M 31");
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
    // Title: bold, italic, underlined, size 12; the rest size 10.
    const QTextCharFormat t = formatAt(*box, 0);
    EXPECT_EQ(t.fontWeight(), QFont::Bold);
    EXPECT_TRUE(t.fontItalic());
    EXPECT_TRUE(t.fontUnderline());
    EXPECT_EQ(t.fontPointSize(), 12);
    const int value = static_cast<int>(text.indexOf("2004 XY"));
    const QTextCharFormat v = formatAt(*box, value);
    EXPECT_NE(v.fontWeight(), QFont::Bold);
    EXPECT_FALSE(v.fontItalic());
    EXPECT_FALSE(v.fontUnderline());
    EXPECT_EQ(v.fontPointSize(), 10);
    EXPECT_EQ(formatAt(*box, value - 3).fontWeight(), QFont::Bold); // its label
    Lang() = LanguageTable{};
}
