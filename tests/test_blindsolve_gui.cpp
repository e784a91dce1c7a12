// "Solve without position" through the real window: the sample solved from
// small index files with its centre, radius and scales filled in and its
// plate in use; a failure and a cancel change nothing.
#include "catalogues/localstars.h"
#include "reduction/precession.h"
#include "settings/options.h"
#include "tinyindex.h"
#include "window.h"

#include <QImage>
#include <QPainter>
#include <QProgressDialog>
#include <random>

using namespace reduction;
using namespace imaging;
using namespace settings;
using namespace field;
using namespace catalogues;

using namespace testing_support;

namespace {

// What a failed or cancelled solve must leave as it was.
struct FieldState {
    QStringList texts;
    bool matchFound = false;
    bool refined = false;
    bool operator==(const FieldState&) const = default;
};
FieldState fieldState(const Form1& form) {
    FieldState f;
    for (const char* name : {"txt_ra(0)", "txt_ra(1)", "txt_ra(2)", "txt_dec(0)", "txt_dec(1)",
                             "txt_dec(2)", "txt_distance", "txt_corrasd", "txt_corrdec"})
        f.texts << edit(form, name)->text();
    f.matchFound = const_cast<Form1&>(form).session().MatchFound;
    f.refined = const_cast<Form1&>(form).session().RefinedPlate.has_value();
    return f;
}

// The sample opened, the index files in a folder of their own.
struct BlindWindow {
    ProgramFolderFixture folder;
    EnglishTexts english{folder};
    Restore<StarSourceSetting> keepSource{StarSource()};
    MessageRecorder boxes;
    QTemporaryDir indexes;
    Form1 form;
    BlindWindow() {
        for (int preset : {4, 5}) {
            const QString e =
                buildSampleIndex(indexes.filePath(QStringLiteral("tiny-%1.fits").arg(preset)),
                                 preset, preset * 10 + 1);
            EXPECT_TRUE(e.isEmpty()) << e.toStdString();
        }
        StarSource().indexFolder = indexes.path();
        form.ApplyLanguageToForm();
        form.show();
        EXPECT_TRUE(form.OpenReduction(folder.file("sample.pam")));
    }
};

} // namespace

TEST(BlindSolveGui, SolvesTheSampleAndPutsItsPlateInUse) {
    BlindWindow w;
    Form1& form = w.form;
    // A centre and scales that have nothing to do with the image.
    edit(form, "txt_ra(0)")->setText("3");
    edit(form, "txt_dec(0)")->setText("10");
    edit(form, "txt_corrasd")->setText("100");
    edit(form, "txt_corrdec")->setText("120");
    edit(form, "txt_epoch")->setText("2000.0");

    QTest::mouseClick(control<QPushButton>(form, "BlindSolve"), Qt::LeftButton);
    ASSERT_TRUE(form.session().RefinedPlate);
    EXPECT_TRUE(w.boxes.shown.empty());

    // The fields: the true centre (wcs.json: 22 47 12.2 +58 03 14), half the
    // diagonal, and the sample's scales.
    const double ra =
        sexagesimal(QStringLiteral("%1 %2 %3")
                        .arg(edit(form, "txt_ra(0)")->text(), edit(form, "txt_ra(1)")->text(),
                             edit(form, "txt_ra(2)")->text())) *
        15;
    const double dec =
        sexagesimal(QStringLiteral("%1 %2 %3")
                        .arg(edit(form, "txt_dec(0)")->text(), edit(form, "txt_dec(1)")->text(),
                             edit(form, "txt_dec(2)")->text()));
    const TrueSky centre = sampleTrueSky(511.5, 511.5);
    EXPECT_LT(separationArcsec(ra, dec, centre.ra, centre.dec), 3.0);
    EXPECT_NEAR(edit(form, "txt_distance")->text().toDouble(), 27.58, 0.2);
    EXPECT_NEAR(edit(form, "txt_corrasd")->text().toDouble(), kSampleCorrAsd, 2.0);
    EXPECT_NEAR(edit(form, "txt_corrdec")->text().toDouble(), kSampleCorrDec, 3.0);

    // Clicks read positions through the solution's plate, corners included.
    for (const QPoint& at : {QPoint{512, 512}, QPoint{40, 980}, QPoint{990, 30}}) {
        clickImage(form, at);
        const auto [r, d] = readoutDegrees(form);
        const TrueSky t = sampleTrueSky(at.x(), at.y());
        EXPECT_LT(separationArcsec(r, d, t.ra, t.dec), 3.0) << at.x() << "," << at.y();
    }

    // At another equinox the boxes hold the centre precessed to it.
    edit(form, "txt_epoch")->setText("1950.0");
    form.mnu_blindsolve_Click();
    const double ra1950 =
        sexagesimal(QStringLiteral("%1 %2 %3")
                        .arg(edit(form, "txt_ra(0)")->text(), edit(form, "txt_ra(1)")->text(),
                             edit(form, "txt_ra(2)")->text())) *
        15;
    const PrecessionDelta back = PrecessFromJ2000(1950.0, centre.ra, centre.dec);
    EXPECT_NEAR(ra1950, centre.ra + back.dRA, 0.002);
    EXPECT_GT(std::abs(back.dRA), 0.3); // far more than the text's resolution
}

TEST(BlindSolveGui, FailureAndTimeLimitChangeNothing) {
    BlindWindow w;
    Form1& form = w.form;
    const FieldState before = fieldState(form);

    // Scales typed and said to be known, but ten times too small: no index
    // file holds quads of that size, a message says so.
    edit(form, "txt_corrasd")->setText("83.3");
    edit(form, "txt_corrdec")->setText("157.6");
    const FieldState typed = fieldState(form);
    form.findChild<QAction*>("mnu_blindscales")->setChecked(true);
    form.BlindSolve_Click();
    EXPECT_EQ(fieldState(form), typed);
    EXPECT_EQ(w.boxes.shown.size(), 1u);

    // A time limit that is reached at once.
    form.findChild<QAction*>("mnu_blindscales")->setChecked(false);
    edit(form, "txt_corrasd")->setText(before.texts[7]);
    edit(form, "txt_corrdec")->setText(before.texts[8]);
    ASSERT_TRUE(options::SetValue("blind/timeLimitSeconds", 0.001));
    form.BlindSolve_Click();
    EXPECT_EQ(fieldState(form), before);
    EXPECT_EQ(w.boxes.shown.size(), 2u);
}

TEST(BlindSolveGui, CancelChangesNothing) {
    BlindWindow w;
    Form1& form = w.form;
    // A picture of scattered dots: no field, so the solver would go on
    // until the time limit.
    QImage noise(800, 600, QImage::Format_RGB32);
    noise.fill(Qt::black);
    {
        QPainter p(&noise);
        std::mt19937 random(3);
        std::uniform_int_distribution<int> x(5, 794), y(5, 594), level(60, 255);
        for (int i = 0; i < 400; ++i) {
            const int l = level(random);
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(l, l, l));
            p.drawEllipse(QPoint(x(random), y(random)), 2, 2);
        }
    }
    const QString path = w.folder.file("noise.png");
    ASSERT_TRUE(noise.save(path));
    ASSERT_TRUE(form.OpenFile(path));
    const FieldState before = fieldState(form);
    NextDialog<QProgressDialog> cancel([](QProgressDialog& d) { d.cancel(); });
    form.BlindSolve_Click();
    EXPECT_TRUE(cancel.ran);
    EXPECT_EQ(fieldState(form), before);
    EXPECT_TRUE(w.boxes.shown.empty()); // a cancel is said in the status list only
}
