#include "mainwindow/imagecanvas.h"
#include "reduction/calibration.h"
#include "text/language.h"
#include "window.h"

using namespace reduction;
using namespace imaging;
using namespace field;
using namespace catalogues;
using namespace text;

using testing_support::control;
using testing_support::edit;
using testing_support::MessageRecorder;
using testing_support::ProgramFolderFixture;

namespace {

// Reference stars at (100, 100), (300, 100), (100, 400); star 2 is 0.1 deg of
// right ascension from star 1, star 3 0.1 deg of declination.
ReferenceStars exampleStars() {
    ReferenceStars s;
    s.x = {0, 100, 300, 100};
    s.y = {0, 100, 100, 400};
    s.ra = {0, 10.0, 10.1, 10.0};
    s.dec = {0, 20.0, 20.0, 20.1};
    return s;
}

} // namespace

TEST(Calibration, ScalesFromReferenceStarsFailures) {
    // Star 3 is farther on the sky than star 2 but nearer on the image:
    // B comes out negative while A is still usable.
    ReferenceStars inconsistent = exampleStars();
    inconsistent.ra[3] = 10.1;
    inconsistent.y[3] = 150;
    ReferenceScales r = ScalesFromReferenceStars(inconsistent);
    EXPECT_FALSE(r.error.isEmpty());
    EXPECT_TRUE(r.corrAsd.has_value());
    EXPECT_FALSE(r.corrDec.has_value());

    ReferenceStars far = exampleStars();
    far.x[1] = 30000;
    far.x[2] = -30000;
    r = ScalesFromReferenceStars(far);
    EXPECT_TRUE(r.error.startsWith(QStringLiteral("Overflow")));
}

TEST(Calibration, ThreePointModelAndFieldAngle) {
    // A model with rotation and different scales reproduces its three points.
    const std::array<PixelPoint, 3> px{PixelPoint{630, 133}, PixelPoint{902, 837},
                                       PixelPoint{301, 262}};
    PlateSolution truth;
    truth.a = {-0.93, 0.02, 285000.0, 0.03, -1.57, 91000.0};
    std::array<double, 3> r{}, d{};
    for (int k = 0; k < 3; ++k)
        truth.pixelToScaled(px[k].x, px[k].y, r[k], d[k]);
    const auto model = ThreePointModel(px, r, d);
    ASSERT_TRUE(model);
    for (int k = 0; k < 6; ++k)
        EXPECT_NEAR((*model)[k], truth.a[k], 1e-6 * std::max(1.0, std::abs(truth.a[k])));

    EXPECT_FALSE(ThreePointModel({PixelPoint{0, 0}, PixelPoint{10, 10}, PixelPoint{25, 25}}, r, d));
    EXPECT_TRUE(Collinear({PixelPoint{0, 5}, PixelPoint{10, 5}, PixelPoint{-3, 5}}));

    // Right ascension growing to the left, slightly tilted: close to -90.
    PlateSolution plate;
    plate.a = {-1.0, 0.02, 0, 0.02, -1.0, 0};
    EXPECT_NEAR(FieldAngle(plate, 100, 100), 88.85, 0.01);
    // Right ascension exactly along the rows: dy = 0 gives +-90, no division.
    plate.a = {-1.0, 0, 0, 0, -1.0, 0};
    EXPECT_EQ(FieldAngle(plate, 100, 100), 90.0);
    plate.a = {1.0, 0, 0, 0, 1.0, 0};
    EXPECT_EQ(FieldAngle(plate, 100, 100), -90.0);
    // No inverse: 0.
    plate.a = {1.0, 2.0, 0, 2.0, 4.0, 0};
    EXPECT_EQ(FieldAngle(plate, 100, 100), 0.0);
}

class CalibrationWindow : public ::testing::Test {
protected:
    void SetUp() override {
        Lang().FormTexts[48] = QStringLiteral("Suivant");
        Lang().FormMessages[1] = QStringLiteral("Dernier");
        Lang().FormMessages[7] = QStringLiteral("Resultat");
        form = std::make_unique<Form1>();
        form->session().ImageLoaded = true;
        form->mnu_etalonage_Click();
    }
    void type(int x, int y, const char* h, const char* m, const char* s, const char* d,
              const char* dm, const char* ds) {
        const QString texts[8] = {QString::number(x), QString::number(y), h, m, s, d, dm, ds};
        for (int k = 0; k < 8; ++k)
            edit(*form, QStringLiteral("Etalo(%1)").arg(k))->setText(texts[k]);
    }
    ProgramFolderFixture folder;
    MessageRecorder messages;
    std::unique_ptr<Form1> form;
};

TEST_F(CalibrationWindow, ThreeStarsGiveTheScalesAndAFourthPressFails) {
    Form1& f = *form;
    EXPECT_EQ(f.session().WorkflowMode, WorkflowMode::Calibration);
    EXPECT_FALSE(control<QGroupBox>(f, "frm(4)")->isHidden());
    // 10 h = 150 deg; 0.1 deg of right ascension = 24 s of time.
    type(100, 100, "10", "0", "0", "20", "0", "0");
    f.BoutonEtalo_Click();
    type(300, 100, "10", "0", "24", "20", "0", "0");
    f.BoutonEtalo_Click();
    EXPECT_EQ(control<QPushButton>(f, "BoutonEtalo")->text(), "Dernier");
    type(100, 400, "10", "0", "0", "20", "6", "0");
    f.BoutonEtalo_Click();

    ASSERT_EQ(messages.shown.size(), 1u);
    // The typed sexagesimal values are not exact binary fractions.
    EXPECT_NEAR(edit(f, "txt_corrasd")->text().toDouble(), 2000.0, 1e-6);
    EXPECT_NEAR(edit(f, "txt_corrdec")->text().toDouble(), 3000.0, 1e-6);
    EXPECT_EQ(messages.shown[0].text, "Resultat: CX = " + edit(f, "txt_corrasd")->text() +
                                          " and CY = " + edit(f, "txt_corrdec")->text());
    EXPECT_EQ(messages.shown[0].kind, messagebox::Kind::Information);
    EXPECT_EQ(f.session().RefStarCount, 4);
    EXPECT_TRUE(control<QGroupBox>(f, "frm(4)")->isHidden());
    EXPECT_FALSE(control<QGroupBox>(f, "frm(3)")->isHidden());
    EXPECT_EQ(control<QPushButton>(f, "BoutonEtalo")->text(),
              "Suivant"); // its own caption, not message 0
    for (int k = 0; k < 8; ++k)
        EXPECT_TRUE(edit(f, QStringLiteral("Etalo(%1)").arg(k))->text().isEmpty());

    // A fourth press records nothing.
    type(5, 6, "1", "2", "3", "4", "5", "6");
    f.BoutonEtalo_Click();
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[1].kind, messagebox::Kind::Exclamation);
    EXPECT_EQ(f.session().RefStarCount, 4);
    EXPECT_EQ(f.session().RefStarX[1], 100);
    EXPECT_EQ(edit(f, "Etalo(0)")->text(), "5");
}

TEST_F(CalibrationWindow, FailuresKeepWhatWasStored) {
    Form1& f = *form;
    edit(f, "txt_corrasd")->setText(QStringLiteral("833.27"));
    edit(f, "txt_corrdec")->setText(QStringLiteral("1575.63"));
    // Unreadable minutes: the pixel is recorded, the count and boxes stay.
    type(120, 130, "10", "x", "0", "20", "0", "0");
    f.BoutonEtalo_Click();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(f.session().RefStarX[1], 120);
    EXPECT_EQ(f.session().RefStarY[1], 130);
    EXPECT_EQ(f.session().RefStarCount, 1);
    EXPECT_EQ(edit(f, "Etalo(3)")->text(), "x");

    // A negative declination sign multiplies minutes and seconds too.
    f.txt_dec_sign_Click(2);
    type(100, 100, "10", "0", "0", "10", "30", "0");
    f.BoutonEtalo_Click();
    EXPECT_DOUBLE_EQ(f.session().RefStarDec[1], -10.5);
    f.txt_dec_sign_Click(3);

    // Two stars at the same sky position: det = 0 after the third press.
    type(300, 100, "10", "0", "0", "10", "30", "0");
    f.BoutonEtalo_Click();
    type(100, 400, "10", "0", "0", "10", "36", "0");
    f.BoutonEtalo_Click();
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[1].kind, messagebox::Kind::Exclamation);
    EXPECT_EQ(edit(f, "txt_corrasd")->text(), "833.27");
    EXPECT_EQ(edit(f, "txt_corrdec")->text(), "1575.63");
    EXPECT_EQ(f.session().RefStarCount, 4);
    EXPECT_FALSE(control<QGroupBox>(f, "frm(4)")->isHidden());
    EXPECT_EQ(control<QPushButton>(f, "BoutonEtalo")->text(), "Dernier");
    EXPECT_TRUE(edit(f, "Etalo(0)")->text().isEmpty());
}

TEST_F(CalibrationWindow, BoxesHopFocusAndMendCommas) {
    Form1& f = *form;
    f.show();
    QApplication::setActiveWindow(&f);
    edit(f, "Etalo(2)")->setFocus();
    edit(f, "Etalo(2)")->setText(QStringLiteral("12"));
    EXPECT_EQ(QApplication::focusWidget(), edit(f, "Etalo(3)"));
    edit(f, "Etalo(4)")->setFocus();
    edit(f, "Etalo(4)")->setText(QStringLiteral("12"));
    EXPECT_EQ(QApplication::focusWidget(), edit(f, "Etalo(4)"));
    edit(f, "Etalo(4)")->setText(QStringLiteral("1,2,3"));
    EXPECT_EQ(edit(f, "Etalo(4)")->text(), "1.2.3");
}

TEST_F(CalibrationWindow, CentreAndItsCross) {
    Form1& f = *form;
    edit(f, "txt_ra(0)")->setText(QStringLiteral("1"));
    edit(f, "txt_ra(1)")->setText(QStringLiteral("0"));
    edit(f, "txt_ra(2)")->setText(QStringLiteral("0"));
    edit(f, "txt_dec(0)")->setText(QStringLiteral("10"));
    edit(f, "txt_dec(1)")->setText(QStringLiteral("30"));
    edit(f, "txt_dec(2)")->setText(QStringLiteral("00"));
    edit(f, "txt_epoch")->setText(QStringLiteral("2000.0"));
    f.txt_dec_sign_Click(0);
    f.session().Plate.corrAsd = 100;
    f.session().Plate.corrDec = 200;
    ASSERT_TRUE(f.CentreJ2000());
    EXPECT_EQ(f.session().CentreDecSign, "-1");
    EXPECT_DOUBLE_EQ(f.session().CentrePlateRA, 1500.0);
    EXPECT_DOUBLE_EQ(f.session().CentrePlateDec, -2100.0);
    edit(f, "txt_ra(2)")->setText(QString());
    EXPECT_FALSE(f.CentreJ2000());
    edit(f, "txt_ra(2)")->setText(QStringLiteral("0"));

    // Model: X = R - 1500, Y = 50 - (D + 2100): the centre falls on (0, 50),
    // outside by the strict test.
    control<ImageCanvas>(f, "Picture1")->resize(200, 100);
    f.session().Plate.a = {1, 0, 1500, 0, -1, -2050};
    f.session().CentreOutside = false;
    f.PlaceCentre();
    const auto& cross = f.markers().centerpic;
    EXPECT_TRUE(cross.visible);
    EXPECT_FLOAT_EQ(cross.y1[0], 42.0f);
    EXPECT_FLOAT_EQ(cross.y2[0], 48.0f);
    EXPECT_FLOAT_EQ(cross.x1[3], 2.0f);
    EXPECT_FLOAT_EQ(cross.x2[3], 8.0f);
    EXPECT_TRUE(f.session().CentreOutside);

    // Inside: not changed back by PlaceCentre.
    f.session().Plate.a[2] = 1400; // centre at (100, 50)
    f.PlaceCentre();
    EXPECT_FLOAT_EQ(cross.x1[0], 100.0f);
    EXPECT_TRUE(f.session().CentreOutside);
    f.session().CentreOutside = false;
    f.PlaceCentre();
    EXPECT_FALSE(f.session().CentreOutside);

    // No inverse: nothing placed, flag untouched.
    f.session().Plate.a = {1, 1, 0, 1, 1, 0};
    f.PlaceCentre();
    EXPECT_FLOAT_EQ(cross.x1[0], 100.0f);
    EXPECT_FALSE(f.session().CentreOutside);
}
