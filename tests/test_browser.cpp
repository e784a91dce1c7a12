// The catalogue browser: its three listings on the sample field, and the window.
#include "catalogues/browser.h"
#include "catalogues/widgets/frmdatabase.h"
#include "testing.h"

#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

using namespace reduction;
using namespace field;
using namespace catalogues;

using testing_support::MessageRecorder;
using testing_support::ProgramFolderFixture;
using testing_support::readSample;

namespace {

constexpr double kCorrAsd = 833.27;
constexpr double kCorrDec = 1575.63;

// The sample field: 22 47 12.2 +58 03 14 (J2000), radius 28'.
BrowserField sampleField() {
    return {{341.800833 * kCorrAsd, 58.053889 * kCorrDec,
             DeepSkyWindowHalfWidth(28, kCorrAsd, kCorrDec)},
            kCorrAsd,
            kCorrDec};
}

QImage iconImage(const QIcon& icon) {
    return icon.pixmap(16, 16).toImage();
}

} // namespace

TEST(BrowserListings, StarAnswerInDegreesToFiveDecimals) {
    ProgramFolderFixture folder;
    folder.write("data", readSample("data"));
    BrowserListing l = ListStarAnswer(folder.file("data"));
    ASSERT_EQ(l.rows.size(), 48u);
    EXPECT_EQ(l.icon, kStarIcon);
    EXPECT_EQ(l.rows[0], (BrowserRow{"U1425_34184683", "341.84683", "58.48303", " 6.3", " 6.9"}));
    EXPECT_TRUE(l.notes.isEmpty());

    // 4100 rows: the listing ends at the table's 4000 and says so.
    QByteArray answer = "<pre><b> # id  </b>";
    for (int i = 1; i <= 4100; ++i)
        answer += QByteArray::number(i).rightJustified(4) +
                  " U1425_34184683 341.84683 -00.50001  6.3  6.9  25.783   3.2  \n";
    folder.write("data", answer);
    l = ListStarAnswer(folder.file("data"));
    EXPECT_EQ(l.rows.size(), 4000u);
    EXPECT_EQ(l.rows[3999][2], "-0.50001");
    EXPECT_EQ(l.notes.size(), 1);

    QFile::remove(folder.file("data"));
    l = ListStarAnswer(folder.file("data"));
    EXPECT_TRUE(l.rows.empty());
    EXPECT_EQ(l.notes.size(), 1);
}

// Whole rows of the two other listings: name, right ascension and
// declination in degrees (from the sample answers' sexagesimal columns),
// then motions or sizes, then the magnitude.
TEST(BrowserListings, MinorPlanetAndDeepSkyRows) {
    ProgramFolderFixture folder;
    folder.write("data2", readSample("data2"));
    const BrowserListing planets = ListMinorPlanetAnswer(folder.file("data2"));
    EXPECT_EQ(planets.icon, kMinorPlanetIcon);
    EXPECT_EQ(
        planets.rows,
        (std::vector<BrowserRow>{
            {"2105 - Gudy", "337.98375", "45.39111", "16- & 29-", "14.8"}, // 22 31 56.1 +45 23 28
            {"1987 - Kaplan", "0.02583", "47.83250", "36- &  1-", "14.1"}, // 00 00 06.2 +47 49 57
            {"945 - Barcelona", "349.18625", "42.86528", "35- &  9-",
             "14.4"}, // 23 16 44.7 +42 51 55
        }));

    const BrowserListing deep = ListDeepSkyObjects(folder.path(), sampleField());
    EXPECT_EQ(deep.icon, kDeepSkyIcon);
    ASSERT_EQ(deep.rows.size(), 1u);
    // 22 47 21.0 +58 07 57, 25' x 20', magnitude 7.6.
    EXPECT_EQ(deep.rows[0], (BrowserRow{"NGC 7380", "341.83750", "58.13250", "25 x 20", " 7.6"}));
}

TEST(FrmdatabaseWindow, ListsEachSourceAndReplacesTheListing) {
    ProgramFolderFixture folder;
    folder.write("data", readSample("data"));
    folder.write("data2", readSample("data2"));
    MessageRecorder messages;
    Frmdatabase w(sampleField());
    EXPECT_EQ(w.windowTitle(), "Catalogue browser");
    EXPECT_EQ(w.ListView1->headerItem()->text(1), "Name");

    // The last column's heading says what each listing holds there.
    QTest::mouseClick(w.Btn2, Qt::LeftButton);
    EXPECT_EQ(w.ListView1->headerItem()->text(4), "Size (')");
    ASSERT_GT(w.ListView1->topLevelItemCount(), 0);
    const QImage deepIcon = iconImage(w.ListView1->topLevelItem(0)->icon(0));
    EXPECT_EQ(deepIcon, iconImage(Frmdatabase::ImageList1(kDeepSkyIcon)));

    QTest::mouseClick(w.Btn1, Qt::LeftButton);
    ASSERT_EQ(w.ListView1->topLevelItemCount(), 48);
    EXPECT_EQ(w.ListView1->headerItem()->text(4), "Mag R");
    EXPECT_EQ(w.ListView1->topLevelItem(0)->text(2), "341.84683");
    for (int i = 0; i < 48; ++i)
        ASSERT_EQ(iconImage(w.ListView1->topLevelItem(i)->icon(0)),
                  iconImage(Frmdatabase::ImageList1(kStarIcon)));
    EXPECT_NE(deepIcon, iconImage(Frmdatabase::ImageList1(kStarIcon)));

    QTest::mouseClick(w.Btn3, Qt::LeftButton);
    ASSERT_EQ(w.ListView1->topLevelItemCount(), 3);
    EXPECT_EQ(w.ListView1->headerItem()->text(4), "Motion (\"/h)");
    EXPECT_EQ(w.ListView1->topLevelItem(2)->text(1), "945 - Barcelona");
    EXPECT_EQ(w.ListView1->topLevelItem(2)->text(4), "35- &  9-");
    EXPECT_TRUE(messages.shown.empty());

    // Without a field (its boxes hold no numbers) the deep-sky listing asks for one.
    Frmdatabase none(std::nullopt);
    QTest::mouseClick(none.Btn2, Qt::LeftButton);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].kind, messagebox::Kind::Information);
    EXPECT_EQ(none.ListView1->topLevelItemCount(), 0);
}
