// A new user's whole session on the shipped sample, through the real window:
// open sample.pam, download (from the cache), pick five stars, calculate,
// accept the right candidate, read positions off the image.
#include "catalogues/webswitches.h"
#include "window.h"

using namespace reduction;
using namespace imaging;
using namespace field;
using namespace catalogues;

using namespace testing_support;

TEST(EndToEnd, NewUserSolvesTheSampleOffline) {
    ProgramFolderFixture folder;
    EnglishTexts english(folder);
    Restore keepWeb(Web());
    MessageRecorder boxes;
    Form1 form;
    form.ApplyLanguageToForm();
    form.show();
    EXPECT_TRUE(Web().AutonomousMode); // from the shipped defaut.cfg
    Web().StarSiteEnabled = true;

    ASSERT_TRUE(form.OpenReduction(folder.file("sample.pam")));
    form.DownloadData_Click();
    EXPECT_EQ(folder.read("data"), folder.read("cat/data224712.2583142811.5"));

    // Five picks, each clicked two pixels off its star; the brightest-spot
    // search puts it back on the star.
    pickSampleStars(form, {2, -2});
    const SessionState& s = form.session();
    ASSERT_TRUE(s.SelectionDone);
    for (int k = 0; k < 5; ++k) {
        EXPECT_NEAR(s.ImageStarX[k + 1], kSamplePicks[k][0], 1.5) << "pick " << k + 1;
        EXPECT_NEAR(s.ImageStarY[k + 1], kSamplePicks[k][1], 1.5) << "pick " << k + 1;
    }

    int questions = 0, accepted = 0;
    boxes.answer = yesToTheTrueIdentification(form, &questions, &accepted);
    form.startCalcul_Click();
    EXPECT_EQ(accepted, 1);
    EXPECT_GE(questions, 1);
    EXPECT_TRUE(boxes.shown.back().text.contains("/")) << "the question counts the candidates";
    ASSERT_TRUE(s.MatchFound);
    EXPECT_EQ(s.WorkflowMode, WorkflowMode::Coordinates);
    EXPECT_EQ(s.MapState, MapState::Done);
    EXPECT_EQ(s.Stars.rowsRead, 48);

    // Three clicks on the image, compared with the field's true solution. The
    // model through three picks is affine and the picks are whole pixels of
    // 2.3": a few arcseconds near the centre, up to about 20" in the corners.
    for (const QPoint at : {QPoint(512, 512), QPoint(200, 820), QPoint(850, 250)}) {
        clickImage(form, at);
        ASSERT_FALSE(control<QFrame>(form, "Frm6")->isHidden());
        const auto [ra, dec] = readoutDegrees(form);
        const auto t = sampleTrueSky(at.x(), at.y());
        const double sep = separationArcsec(ra, dec, t.ra, t.dec);
        EXPECT_LT(sep, 15.0) << "at " << at.x() << "," << at.y() << ": " << sep << "\"";
        RecordProperty(QStringLiteral("sep_%1_%2").arg(at.x()).arg(at.y()).toStdString(),
                       QString::number(sep, 'f', 2).toStdString());
    }
}
