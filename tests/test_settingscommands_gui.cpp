// The settings commands of the main window: defaults, optical configurations,
// the CCD calculator, the wizard through to a solved field, and the version
// check of the download button. Modal windows are driven as a user would.
#include "catalogues/sites.h"
#include "catalogues/web/versioncheck.h"
#include "catalogues/webswitches.h"
#include "localserver.h"
#include "mainwindow/imagecanvas.h"
#include "platform/programfolder.h"
#include "settings/widgets/config.h"
#include "settings/widgets/config2.h"
#include "settings/widgets/wizard.h"
#include "text/language.h"
#include "window.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QRadioButton>

using namespace reduction;
using namespace imaging;
using namespace settings;
using namespace field;
using namespace catalogues;
using namespace catalogues::web;
using namespace text;

using namespace testing_support;

TEST(SettingsCommands, DefaultsThatCannotBeSavedAreReportedAndTheOldFileKept) {
    ProgramFolderFixture folder;
    MessageRecorder boxes;
    Form1 form;
    const QByteArray before = folder.read("defaut.cfg");
    edit(form, "txt_tolerance")->setText("3");
    programfolder::SetPath(folder.file("no-such-folder"));
    trigger(form, "mnu_savedefaut");
    programfolder::SetPath(folder.path());
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].kind, messagebox::Kind::Exclamation);
    EXPECT_TRUE(boxes.shown[0].text.contains("no-such-folder"))
        << boxes.shown[0].text.toStdString();
    EXPECT_EQ(folder.read("defaut.cfg"), before);
}

TEST(SettingsCommands, ConfigurationsRoundTripThroughBothWindows) {
    ProgramFolderFixture folder;
    MessageRecorder boxes;
    Form1 form;

    // Editing from the menu: a new entry, named and saved.
    NextDialog<Config> editor([](Config& w) {
        w.cmd2->click();
        w.txt_coor(0)->setText("C11 + ASI183");
        w.txt_coor(1)->setText("1710,2");
        w.txt_coor(2)->setText("1711.9");
        w.cmd4->click();
    });
    trigger(form, "mnu_config");
    ASSERT_TRUE(editor.ran);
    EXPECT_TRUE(folder.read("config.cfg").endsWith("\r\nC11 + ASI183\r\n1710,2\r\n1711.9\r\n"));

    // Choosing it with the Load button copies its two coefficients.
    NextDialog<Config> chooser([&form](Config& w) {
        EXPECT_EQ(form.ConfigOpenMode, 2);
        EXPECT_FALSE(w.cmd3->isHidden());
        ASSERT_EQ(w.List1->count(), 3);
        w.List1->setCurrentRow(2);
        w.cmd3->click();
    });
    control<QPushButton>(form, "LoadCorr")->click();
    ASSERT_TRUE(chooser.ran);
    EXPECT_EQ(form.ConfigOpenMode, 0);
    EXPECT_EQ(edit(form, "txt_corrasd")->text(), "1710.2"); // the box's own comma repair ran
    EXPECT_EQ(edit(form, "txt_corrdec")->text(), "1711.9");

    // Closed without "Use": the main window keeps its values.
    NextDialog<Config> closed([](Config& w) { w.List1->setCurrentRow(0); });
    control<QPushButton>(form, "LoadCorr")->click();
    ASSERT_TRUE(closed.ran);
    EXPECT_EQ(edit(form, "txt_corrasd")->text(), "1710.2");

    // The calculator writes its scales into the same boxes.
    NextDialog<Config2> calculator([](Config2& w) {
        const char* typed[5] = {"6.9", "4.6", "768", "512", "1000"};
        for (int i = 1; i <= 5; ++i)
            w.txt(i)->setText(typed[i - 1]);
        w.cmd1->click();
    });
    trigger(form, "mnu_etalonage2");
    ASSERT_TRUE(calculator.ran);
    EXPECT_TRUE(edit(form, "txt_corrasd")->text().startsWith("1942.484"));
    EXPECT_EQ(edit(form, "txt_corrdec")->text(), edit(form, "txt_corrasd")->text());
    EXPECT_EQ(boxes.shown.size(), 2u); // the save, and the calculator's result
}

TEST(SettingsCommands, WizardChangesNothingUntilFinishedThenWritesEveryField) {
    ProgramFolderFixture folder;
    MessageRecorder boxes;
    Form1 form;
    form.session().AutoCalculate = 1;
    const QString corr = edit(form, "txt_corrasd")->text();
    NextDialog<Wizard> closed([](Wizard& w) {
        w.txt_url->setText("other.png");
        w.step1->click();
        emit w.Combo->activated(1);
    });
    trigger(form, "mnu_wizard");
    ASSERT_TRUE(closed.ran);
    EXPECT_EQ(form.session().AutoCalculate, 0);
    EXPECT_EQ(edit(form, "txt_corrasd")->text(), corr);
    EXPECT_EQ(edit(form, "txt_url")->text(), "sample.png");
    EXPECT_FALSE(QFile::exists(folder.file("data"))); // nothing downloaded

    Restore keepWeb(Web());
    Web().StarSiteEnabled = false; // no download from here on
    // Every field of the three pages, each typed with its own value (Back
    // and Next on the way keep what was typed), and each found in the main
    // window's box of the same name after Finish.
    const std::pair<const char*, const char*> typed[] = {
        {"txt_url", "sample.png"}, {"txt_ra(0)", "5"},      {"txt_ra(1)", "35"},
        {"txt_ra(2)", "17.3"},     {"txt_dec(0)", "5"},     {"txt_dec(1)", "23"},
        {"txt_dec(2)", "28"},      {"txt_epoch", "1950.0"}, {"txt_mag", "12.5"},
        {"txt_corrasd", "1000.5"}, {"txt_corrdec", "1,5"},  {"txt_tolerance", "15"},
        {"txt_distance", "30"},    {"txt_calcul", "12"},
    };
    NextDialog<Wizard> wizard([&typed](Wizard& w) {
        for (const auto& [name, text] : typed)
            control<QLineEdit>(w, name)->setText(text);
        w.txt_dec_sign(0)->click();
        w.step1->click();
        w.back->click(); // back to the first page and on again
        EXPECT_TRUE(w.Frame1->isVisibleTo(&w));
        EXPECT_FALSE(w.back->isEnabled());
        w.step1->click();
        w.step2->click();
        w.step3->click();
    });
    trigger(form, "mnu_wizard");
    ASSERT_TRUE(wizard.ran);
    for (const auto& [name, text] : typed)
        EXPECT_EQ(edit(form, name)->text(), QString(text).replace(',', '.')) << name;
    EXPECT_EQ(control<QLabel>(form, "txt_dec_sign_show(0)")->text(), "-");
    EXPECT_TRUE(control<QRadioButton>(form, "txt_dec_sign(0)")->isChecked());
    EXPECT_EQ(form.session().AutoCalculate, 1);
    EXPECT_EQ(form.session().WorkflowMode, WorkflowMode::Select); // the image loaded, picking

    // Cancel and Escape change nothing, as closing does.
    for (const bool escape : {false, true}) {
        NextDialog<Wizard> cancelled([escape](Wizard& w) {
            w.txt_epoch->setText("1900.0");
            if (escape)
                QTest::keyClick(&w, Qt::Key_Escape);
            else
                w.cancel->click();
        });
        trigger(form, "mnu_wizard");
        ASSERT_TRUE(cancelled.ran);
        EXPECT_EQ(edit(form, "txt_epoch")->text(), "1950.0");
    }
}

TEST(SettingsCommands, WizardSolvesTheSampleOffline) {
    ProgramFolderFixture folder;
    EnglishTexts english(folder);
    Restore keepWeb(Web());
    MessageRecorder boxes;
    // A first start with the design values (the shipped defaults already hold the sample's).
    QFile::remove(folder.file("defaut.cfg"));
    Form1 form;
    form.ApplyLanguageToForm();
    form.show();
    Web().AutonomousMode = true; // the sample's answer is in the shipped cache
    Web().StarSiteEnabled = true;
    Web().UpdateCheckEnabled = false;
    EXPECT_TRUE(edit(form, "txt_corrasd")->text().isEmpty());

    // The fields of sample.pam, typed page by page; the sample's configuration.
    NextDialog<Wizard> wizard([](Wizard& w) {
        EXPECT_EQ(w.txt_epoch->text(), "2000.0"); // the main window's values
        w.txt_url->setText("sample.png");
        const char* centre[6] = {"22", "47", "12.2", "58", "3", "14"};
        for (int i = 0; i < 3; ++i) {
            w.txt_ra(i)->setText(centre[i]);
            w.txt_dec(i)->setText(centre[3 + i]);
        }
        w.txt_dec_sign(1)->click();
        w.txt_mag->setText("11.5");
        w.step1->click();
        const int sample = w.Combo->findText("NGC 7380 sample field");
        ASSERT_GE(sample, 0);
        w.Combo->setCurrentIndex(sample);
        emit w.Combo->activated(sample);
        w.step2->click();
        w.txt_tolerance->setText("20.5");
        w.txt_distance->setText("28");
        w.txt_calcul->setText("10");
        w.step3->click();
    });
    trigger(form, "mnu_wizard");
    ASSERT_TRUE(wizard.ran);
    EXPECT_EQ(edit(form, "txt_corrasd")->text(), "833.27");
    EXPECT_EQ(edit(form, "txt_corrdec")->text(), "1575.63");
    EXPECT_EQ(control<QLabel>(form, "txt_dec_sign_show(0)")->text(), "+");
    // Finishing downloaded the field (from the cache) and started star selection.
    EXPECT_EQ(folder.read("data"), folder.read("cat/data224712.2583142811.5"));
    ASSERT_EQ(form.session().WorkflowMode, WorkflowMode::Select);
    EXPECT_EQ(form.session().AutoCalculate, 1);

    // Five picks; the fifth starts the calculation by itself.
    int accepted = 0;
    boxes.answer = yesToTheTrueIdentification(form, nullptr, &accepted);
    pickSampleStars(form, {}, false);
    EXPECT_EQ(accepted, 1);
    EXPECT_TRUE(form.session().MatchFound);
    EXPECT_EQ(form.session().WorkflowMode, WorkflowMode::Coordinates);
    EXPECT_EQ(form.session().AutoCalculate, 0);
}

// The download button with the version check on, against local servers for
// the star catalogue and the maker's site.
TEST(SettingsCommands, DownloadRunsTheVersionCheckWithoutHarmToTheStars) {
    ProgramFolderFixture folder;
    EnglishTexts english(folder);
    Restore keepWeb(Web());
    Restore keepSites(Sites());
    MessageRecorder boxes;
    Form1 form;
    form.ApplyLanguageToForm();
    ASSERT_TRUE(form.OpenReduction(folder.file("sample.pam")));
    LocalHttpServer stars([](const QByteArray&) {
        return LocalHttpServer::Reply{200, testing_support::readSample("data")};
    });
    bool silent = false;
    LocalHttpServer maker([&](const QByteArray& path) {
        LocalHttpServer::Reply reply{200, path == "/version.txt" ? "1.04.0014" : "1"};
        reply.hang = silent;
        return reply;
    });
    Sites().starServer = stars.base();
    Sites().makerSite = maker.base();
    Web().AutonomousMode = false;
    Web().UpdateCheckEnabled = true;
    auto hint = [&form] { return control<QLabel>(form, "sugestion")->text(); };

    form.DownloadData_Click();
    EXPECT_EQ(maker.requests, QStringList({"/compteur.php", "/version.txt"}));
    EXPECT_EQ(hint(), Lang().SuggestionTexts[15]);

    // A site that never answers: the stars arrive, nothing is shown, and the
    // button returns within the check's budget.
    QFile::remove(folder.file("data"));
    form.ShowSuggestion(QStringLiteral("open"), 0);
    silent = true;
    QElapsedTimer clock;
    clock.start();
    form.DownloadData_Click();
    const qint64 took = clock.elapsed();
    EXPECT_EQ(folder.read("data"), testing_support::readSample("data"));
    EXPECT_NE(hint(), Lang().SuggestionTexts[15]); // no notice of a new version
    EXPECT_LT(took, kUpdateCheckBudgetMs + 3000) << took << " ms";

    EXPECT_TRUE(boxes.shown.empty());
}
