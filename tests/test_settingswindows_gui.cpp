// The optical configuration window, the CCD calculator window and the
// wizard, driven through their controls.
#include "settings/widgets/config.h"
#include "settings/widgets/config2.h"
#include "settings/widgets/wizard.h"
#include "testing.h"
#include "text/language.h"

#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

using testing_support::MessageRecorder;
using testing_support::ProgramFolderFixture;

namespace {

QStringList listNames(const QListWidget* list) {
    QStringList names;
    for (int i = 0; i < list->count(); ++i)
        names << list->item(i)->text();
    return names;
}

// Loads the English texts for the duration of a test.
struct EnglishTexts {
    explicit EnglishTexts(const ProgramFolderFixture& folder) {
        ReadLanguageFile(folder.file("lang-en.cfg"), Lang());
        DeriveFormMessages(Lang());
    }
    ~EnglishTexts() { Lang() = LanguageTable{}; }
};

} // namespace

TEST(ConfigWindow, EditingModeAddsRenamesAndSaves) {
    ProgramFolderFixture folder;
    MessageRecorder boxes;
    EnglishTexts english(folder);
    Config w(Config::Mode::Edit);
    EXPECT_EQ(w.windowTitle(), "Optical coefficients");
    EXPECT_EQ(w.cmd2->text(), "New");
    EXPECT_TRUE(w.cmd3->isHidden());
    ASSERT_EQ(w.List1->count(), 2);
    EXPECT_EQ(w.List1->currentRow(), 0);
    EXPECT_EQ(w.txt_coor(1)->text(), "833.27");
    EXPECT_EQ(w.txt_coor(2)->text(), "1575.63");

    w.cmd2->click(); // "New": appended, the selection stays
    EXPECT_EQ(listNames(w.List1).last(), "Config#");
    EXPECT_EQ(w.List1->currentRow(), 0);

    w.List1->setCurrentRow(2);
    EXPECT_EQ(w.txt_coor(0)->text(), "Config#");
    QTest::keyClicks(w.txt_coor(0), " C8");
    w.txt_coor(1)->setText("2599,43");              // stored as typed
    EXPECT_EQ(w.List1->item(2)->text(), "Config#"); // the list shows the new name only after saving
    w.cmd4->click();
    EXPECT_EQ(w.result(), QDialog::Accepted);
    EXPECT_EQ(listNames(w.List1).last(), "Config# C8");
    const QByteArray saved = folder.read("config.cfg");
    EXPECT_TRUE(saved.startsWith(" 3\r\n"));
    EXPECT_EQ(saved.count("\r\n"), 10);
    EXPECT_TRUE(saved.endsWith("Config# C8\r\n2599,43\r\n0\r\n"));
    EXPECT_TRUE(boxes.shown.empty());
}

TEST(ConfigWindow, DeletingMovesTheSelectionAndAnEmptyListSelectsNothing) {
    ProgramFolderFixture folder;
    MessageRecorder boxes;
    folder.write("config.cfg", " 3\r\na\r\n1\r\n2\r\nb\r\n3\r\n4\r\nc\r\n5\r\n6\r\n");
    Config w(Config::Mode::Edit);
    w.List1->setCurrentRow(1);
    w.cmd1->click(); // a middle entry: the same position shows the next one
    EXPECT_EQ(listNames(w.List1), QStringList({"a", "c"}));
    EXPECT_EQ(w.List1->currentRow(), 1);
    EXPECT_EQ(w.txt_coor(0)->text(), "c");
    w.cmd1->click(); // the last entry: the new last one is selected
    EXPECT_EQ(w.List1->currentRow(), 0);
    EXPECT_EQ(w.txt_coor(1)->text(), "1");
    w.cmd1->click(); // the only entry: nothing is selected, the boxes empty
    EXPECT_EQ(w.List1->count(), 0);
    EXPECT_EQ(w.List1->currentRow(), -1);
    EXPECT_EQ(w.txt_coor(0)->text(), "");
    // Without a selection, deleting and typing do nothing.
    w.cmd1->click();
    w.txt_coor(0)->setText("typed");
    EXPECT_EQ(w.configurations().count(), 0);
    w.cmd4->click();
    EXPECT_EQ(folder.read("config.cfg"), " 0\r\n");
    EXPECT_TRUE(boxes.shown.empty());

    // Reopened on the empty file: an empty list and no message.
    Config again(Config::Mode::Edit);
    EXPECT_EQ(again.List1->count(), 0);
    EXPECT_TRUE(boxes.shown.empty());
}

TEST(ConfigWindow, SixteenthEntryIsRefused) {
    ProgramFolderFixture folder;
    MessageRecorder boxes;
    Config w(Config::Mode::Edit);
    while (w.List1->count() < kMaxOpticalConfigurations)
        w.cmd2->click();
    EXPECT_TRUE(boxes.shown.empty());
    w.cmd2->click();
    EXPECT_EQ(w.List1->count(), kMaxOpticalConfigurations);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_TRUE(boxes.shown[0].text.contains("15"));
}

TEST(ConfigWindow, DamagedOrMissingFileIsReportedAndTheWindowStillWorks) {
    ProgramFolderFixture folder;
    MessageRecorder boxes;
    folder.write("config.cfg", "2\r\na\r\n1\r\n2\r\nb\r\n");
    {
        Config w(Config::Mode::Edit);
        ASSERT_EQ(boxes.shown.size(), 1u);
        EXPECT_EQ(boxes.shown[0].kind, messagebox::Kind::Information);
        EXPECT_EQ(listNames(w.List1), QStringList({"a"}));
    }
    QFile::remove(folder.file("config.cfg"));
    Config w(Config::Mode::Edit);
    EXPECT_EQ(boxes.shown.size(), 2u);
    EXPECT_EQ(w.List1->count(), 0);
    w.cmd2->click();
    w.cmd4->click(); // saving recreates the file
    EXPECT_EQ(folder.read("config.cfg"), " 1\r\nConfig#\r\n0\r\n0\r\n");
}

TEST(ConfigWindow, SelectionModeHandsBackTheBoxesWithoutSaving) {
    ProgramFolderFixture folder;
    MessageRecorder boxes;
    const QByteArray before = folder.read("config.cfg");
    Config w(Config::Mode::Select);
    EXPECT_TRUE(w.Frame1->isHidden());
    EXPECT_FALSE(w.cmd3->isHidden());
    EXPECT_EQ(w.lbl(2)->text(), "");
    w.List1->setCurrentRow(1);
    w.txt_coor(2)->setText("1942,5"); // retouched: used, never saved
    w.cmd3->click();
    ASSERT_TRUE(w.chosen());
    EXPECT_EQ(w.chosen()->corrAsd, "1942.48430015738");
    EXPECT_EQ(w.chosen()->corrDec, "1942,5");
    EXPECT_EQ(w.result(), QDialog::Accepted);
    EXPECT_EQ(folder.read("config.cfg"), before);

    // With nothing in the list, "Use" does nothing.
    folder.write("config.cfg", " 0\r\n");
    Config empty(Config::Mode::Select);
    empty.cmd3->click();
    EXPECT_FALSE(empty.chosen());
    EXPECT_TRUE(boxes.shown.empty());
}

TEST(Config2Window, ComputesTheScalesAndReportsTheField) {
    ProgramFolderFixture folder;
    MessageRecorder boxes;
    EnglishTexts english(folder);
    Config2 w;
    EXPECT_EQ(w.windowTitle(), "Classic calibration");
    EXPECT_EQ(w.lbl(3)->text(), "Focal length:");
    EXPECT_EQ(w.cmd1->text(), "Compute");
    QSignalSpy computed(&w, &Config2::coefficientsComputed);
    const char* typed[5] = {"6.9", "4.6", "768", "512", "1000"};
    for (int i = 1; i <= 5; ++i)
        w.txt(i)->setText(typed[i - 1]);
    w.cmd1->click();
    ASSERT_EQ(computed.size(), 1);
    const QString cx = computed[0][0].toString();
    EXPECT_TRUE(cx.startsWith("1942.484")) << cx.toStdString();
    EXPECT_EQ(computed[0][1].toString().left(8), "1942.484");
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].kind, messagebox::Kind::Information);
    EXPECT_EQ(boxes.shown[0].text, Lang().FormMessages[7] + ": CX = " + cx +
                                       " et CY = " + computed[0][1].toString() +
                                       "\nCCD size: 23.7222' x 15.8148'");

    // A comma reads as a decimal point in every box alike.
    w.txt(1)->setText("6,9");
    w.txt(5)->setText("1000,0");
    w.cmd1->click();
    ASSERT_EQ(computed.size(), 2);
    EXPECT_EQ(computed[1][0].toString(), cx);
}

TEST(Config2Window, BadInputsGiveAMessageAndNoCoefficients) {
    ProgramFolderFixture folder;
    MessageRecorder boxes;
    Config2 w;
    QSignalSpy computed(&w, &Config2::coefficientsComputed);
    const char* typed[5] = {"", "4.6", "768", "512", "1000"};
    for (int i = 1; i <= 5; ++i)
        w.txt(i)->setText(typed[i - 1]);
    w.cmd1->click(); // an empty width
    w.txt(1)->setText("6.9");
    w.txt(4)->setText("0");
    w.cmd1->click(); // no pixels down
    w.txt(4)->setText("512 px");
    w.cmd1->click();
    EXPECT_EQ(computed.size(), 0);
    ASSERT_EQ(boxes.shown.size(), 3u);
    EXPECT_TRUE(boxes.shown[0].text.startsWith(w.lbl(1)->text()))
        << boxes.shown[0].text.toStdString();
    EXPECT_TRUE(boxes.shown[1].text.startsWith(w.lbl(5)->text()));
    EXPECT_TRUE(boxes.shown[2].text.contains("512 px"));
}

namespace {
WizardFields mainWindowFields() {
    WizardFields f;
    f.calcul = "10";
    f.corrAsd = "833.27";
    f.corrDec = "1575.63";
    f.dec = {"58", "03", "14"};
    f.distance = "28";
    f.epoch = "2000.0";
    f.mag = "11.5";
    f.ra = {"22", "47", "12.2"};
    f.tolerance = "20.5";
    f.url = "sample.png";
    return f;
}
} // namespace

TEST(WizardWindow, PagesCopyTheFieldsAndTheChosenConfiguration) {
    ProgramFolderFixture folder;
    MessageRecorder boxes;
    EnglishTexts english(folder);
    const WizardFields given = mainWindowFields();
    Wizard w(given);
    EXPECT_EQ(w.windowTitle(), "Astrometry wizard");
    EXPECT_EQ(w.step3->text(), "Finish");
    EXPECT_EQ(w.fields(), given);
    EXPECT_EQ(w.txt_ra(2)->text(), "12.2");
    EXPECT_FALSE(w.Frame1->isHidden());
    EXPECT_TRUE(w.Frame2->isHidden() && w.Frame3->isHidden());

    w.step1->click();
    EXPECT_TRUE(w.Frame1->isHidden());
    EXPECT_FALSE(w.Frame2->isHidden());
    EXPECT_TRUE(w.step2->isDefault());
    ASSERT_EQ(w.Combo->count(), 2);
    EXPECT_EQ(w.txt_corrasd->text(), "833.27"); // nothing chosen yet
    w.Combo->activated(1);
    EXPECT_EQ(w.txt_corrasd->text(), "1942.48430015738");
    EXPECT_EQ(w.txt_corrdec->text(), "1942.48430015738");

    w.step2->click();
    EXPECT_FALSE(w.Frame3->isHidden());
    EXPECT_TRUE(w.step3->isDefault());
    w.txt_dec_sign(0)->click();
    EXPECT_EQ(w.txt_dec_sign_show->text(), "-");
    w.step3->click();
    EXPECT_EQ(w.result(), QDialog::Accepted);
    const WizardFields out = w.fields();
    EXPECT_EQ(out.decSignShow, "-");
    EXPECT_EQ(out.decSignOption, (std::array<bool, 2>{true, false}));
    EXPECT_EQ(out.corrAsd, "1942.48430015738");
    EXPECT_EQ(out.url, "sample.png");
    EXPECT_TRUE(boxes.shown.empty());
}

TEST(WizardWindow, UnreadableConfigurationsAreReportedAndTheFieldsStillCopied) {
    ProgramFolderFixture folder;
    MessageRecorder boxes;
    folder.write("config.cfg", " 2\r\nonly\r\n1\r\n2\r\n");
    Wizard w(mainWindowFields());
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(w.Combo->count(), 1);
    EXPECT_EQ(w.fields(), mainWindowFields());
}
