// The main window holds its shape: at its first size every control of the
// right-hand column stays reachable whatever the hint, the messages and the
// plate panel hold, and the window never resizes itself.
#include "catalogues/webswitches.h"
#include "window.h"

#include <QHeaderView>
#include <QLayout>
#include <QScrollBar>
#include <QTableWidget>

using namespace reduction;
using namespace imaging;
using namespace field;
using namespace catalogues;

using namespace testing_support;

namespace {

// Where the boxes of the CCD group lie in the window (top and height: a
// scroll bar beside the column may narrow them), and whether each is shown
// whole (no shorter than it asks to be, inside the window).
struct BoxPlaces {
    std::vector<std::pair<int, int>> rects;
    bool whole = true;
};

BoxPlaces ccdBoxes(const Form1& form) {
    BoxPlaces places;
    for (const char* name : {"txt_tolerance", "txt_corrasd", "txt_corrdec", "LoadCorr"}) {
        const QWidget* w = control<QWidget>(form, QString::fromLatin1(name));
        const QRect r(w->mapTo(&form, QPoint(0, 0)), w->size());
        places.rects.emplace_back(r.top(), r.height());
        places.whole = places.whole && w->isVisible() &&
                       r.height() >= w->minimumSizeHint().height() && form.rect().contains(r);
    }
    return places;
}

void settle(Form1& form) {
    for (int i = 0; i < 5; ++i) {
        QApplication::processEvents();
        if (form.layout()) form.layout()->activate();
    }
}

} // namespace

TEST(WindowLayout, RefinedSolveAndLongHintsLeaveTheColumnWhole) {
    ProgramFolderFixture folder;
    EnglishTexts english(folder);
    Restore keepWeb(Web());
    MessageRecorder boxes;
    Form1 form;
    form.ApplyLanguageToForm();
    form.show();
    settle(form);
    const QSize first = form.size();
    EXPECT_EQ(first, QSize(1280, 860));
    const BoxPlaces start = ccdBoxes(form);
    EXPECT_TRUE(start.whole);
    const int hintHeight = control<QGroupBox>(form, "frm(5)")->height();

    Web().StarSiteEnabled = true;
    ASSERT_TRUE(form.OpenReduction(folder.file("sample.pam")));
    form.DownloadData_Click();
    control<QCheckBox>(form, "CheckRankEvidence")->setChecked(true);
    control<QCheckBox>(form, "CheckRefinePlate")->setChecked(true);
    QTest::mouseClick(control<QPushButton>(form, "AutoPicks"), Qt::LeftButton);
    QTest::mouseClick(control<QPushButton>(form, "startCalcul"), Qt::LeftButton);
    ASSERT_TRUE(form.session().RefinedPlate);
    settle(form);
    // The residual table is shown and scrolls inside its own area.
    const auto* table = control<QTableWidget>(form, "ResidualTable");
    EXPECT_TRUE(table->isVisible());
    EXPECT_GE(table->height(), table->minimumSizeHint().height());
    EXPECT_GT(table->verticalScrollBar()->maximum(), 0);
    EXPECT_EQ(form.size(), first);
    const BoxPlaces solved = ccdBoxes(form);
    EXPECT_TRUE(solved.whole);
    EXPECT_EQ(solved.rects, start.rects);

    // A hint of several long lines scrolls in the hint's own area.
    form.ShowSuggestion(QStringLiteral("calcul"), 0, QStringLiteral("1"), QStringLiteral("3"));
    for (int i = 0; i < 40; ++i)
        form.LogMessage(QString(200, QLatin1Char('x')));
    settle(form);
    EXPECT_EQ(form.size(), first);
    EXPECT_EQ(control<QGroupBox>(form, "frm(5)")->height(), hintHeight);
    EXPECT_EQ(ccdBoxes(form).rects, start.rects);
    EXPECT_TRUE(ccdBoxes(form).whole);
}
