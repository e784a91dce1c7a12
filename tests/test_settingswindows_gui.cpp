// The optical configuration window, the CCD calculator window and the
// wizard, driven through their controls.
#include "settings/widgets/config.h"
#include "settings/widgets/config2.h"
#include "settings/widgets/wizard.h"
#include "testing.h"
#include "text/language.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

using namespace reduction;
using namespace settings;
using namespace field;
using namespace catalogues;
using namespace text;

using testing_support::MessageRecorder;
using testing_support::ProgramFolderFixture;

namespace {
QStringList listNames(const QListWidget* list) {
    QStringList names;
    for (int i = 0; i < list->count(); ++i)
        names << list->item(i)->text();
    return names;
}
} // namespace

TEST(ConfigWindow, EditingModeAddsRenamesDeletesAndSaves) {
    ProgramFolderFixture folder;
    ReadLanguageFile(folder.file("lang-en.cfg"), Lang());
    MessageRecorder boxes;
    Config w(Config::Mode::Edit);
    EXPECT_EQ(w.cmd2->text(), "New");
    EXPECT_TRUE(w.cmd3->isHidden());
    ASSERT_EQ(w.List1->currentRow(), 0);
    EXPECT_EQ(w.txt_coor(2)->text(), "1575.63");

    w.cmd2->click(); // "New": appended and selected, so typing edits it, not the first entry
    EXPECT_EQ(w.List1->currentRow(), 2);
    EXPECT_EQ(w.txt_coor(0)->text(), "Config#");
    w.txt_coor(0)->setText("C8");
    w.txt_coor(1)->setText("2599,43");              // kept as typed
    EXPECT_EQ(w.List1->item(2)->text(), "Config#"); // renamed in the list only when saved
    w.List1->setCurrentRow(0);
    w.cmd1->click(); // the same position now shows the next entry
    EXPECT_EQ(w.List1->currentRow(), 0);
    EXPECT_EQ(w.txt_coor(0)->text(), "KAF-0400 at F = 1000 mm");
    w.cmd2->click();
    EXPECT_EQ(w.List1->currentRow(), 2);
    w.cmd1->click(); // the last entry: the new last one is selected
    EXPECT_EQ(w.List1->currentRow(), 1);
    EXPECT_EQ(w.txt_coor(0)->text(), "C8");
    w.cmd4->click();
    EXPECT_EQ(w.result(), QDialog::Accepted);
    EXPECT_EQ(listNames(w.List1), QStringList({"KAF-0400 at F = 1000 mm", "C8"}));
    EXPECT_EQ(folder.read("config.cfg"),
              QByteArray(" 2\r\nKAF-0400 at F = 1000 mm\r\n1942.48430015738"
                         "\r\n1942.48430015738\r\nC8\r\n2599,43\r\n0\r\n"));
    ASSERT_EQ(boxes.shown.size(), 1u); // the save is confirmed
    EXPECT_EQ(boxes.shown[0].kind, messagebox::Kind::Information);
    Lang() = LanguageTable{};
}

TEST(ConfigWindow, EmptyListSelectsNothingAndAFullOneRefusesMore) {
    ProgramFolderFixture folder;
    MessageRecorder boxes;
    folder.write("config.cfg", " 1\r\na\r\n1\r\n2\r\n");
    Config w(Config::Mode::Edit);
    w.cmd1->click();
    EXPECT_EQ(w.List1->currentRow(), -1);
    EXPECT_EQ(w.txt_coor(0)->text(), "");
    w.cmd1->click();                 // no selection: nothing happens
    w.txt_coor(0)->setText("typed"); // nor here
    EXPECT_EQ(w.configurations().count(), 0);
    while (w.List1->count() < kMaxOpticalConfigurations)
        w.cmd2->click();
    EXPECT_TRUE(boxes.shown.empty());
    w.cmd2->click();
    EXPECT_EQ(w.List1->count(), kMaxOpticalConfigurations);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_TRUE(boxes.shown[0].text.contains("15"));

    QFile::remove(folder.file("config.cfg")); // a missing file: a message, an empty list
    Config again(Config::Mode::Edit);
    EXPECT_EQ(boxes.shown.size(), 2u);
    EXPECT_EQ(again.List1->count(), 0);
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
    EXPECT_EQ(folder.read("config.cfg"), before);

    folder.write("config.cfg", " 0\r\n");
    Config empty(Config::Mode::Select);
    empty.cmd3->click(); // nothing to use
    EXPECT_FALSE(empty.chosen());
    EXPECT_TRUE(boxes.shown.empty());
}

TEST(Config2Window, ComputesTheScalesOrSaysWhichInputIsWrong) {
    ProgramFolderFixture folder;
    ReadLanguageFile(folder.file("lang-en.cfg"), Lang());
    DeriveFormMessages(Lang());
    MessageRecorder boxes;
    Config2 w;
    EXPECT_EQ(w.lbl(3)->text(), "Focal length:");
    QSignalSpy computed(&w, &Config2::coefficientsComputed);
    auto type = [&w](std::array<const char*, 5> texts) {
        for (int i = 1; i <= 5; ++i)
            w.txt(i)->setText(texts[i - 1]);
        w.cmd1->click();
    };
    type({"6.9", "4.6", "768", "512", "1000"});
    ASSERT_EQ(computed.size(), 1);
    const QString cx = computed[0][0].toString();
    EXPECT_TRUE(cx.startsWith("1942.484")) << cx.toStdString();
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, Lang().FormMessages[7] + ": CX = " + cx +
                                       " and CY = " + computed[0][1].toString() +
                                       "\nField of the sensor: 23.7222' x 15.8148'");
    type({"6,9", "4.6", "768", "256", "1000,0"}); // a comma reads alike in every box
    ASSERT_EQ(computed.size(), 2);
    EXPECT_EQ(computed[1][0].toString(), cx);
    EXPECT_TRUE(computed[1][1].toString().startsWith("971.242"))
        << computed[1][1].toString().toStdString();

    type({"", "4.6", "768", "512", "1000"});
    type({"6.9", "4.6", "768", "0", "1000"});
    EXPECT_EQ(computed.size(), 2);
    ASSERT_EQ(boxes.shown.size(), 4u);
    EXPECT_TRUE(boxes.shown[2].text.startsWith(w.lbl(1)->text())); // names the box at fault
    EXPECT_TRUE(boxes.shown[3].text.startsWith(w.lbl(5)->text()));
    Lang() = LanguageTable{};
}

// The calculator closes with its own button and with Escape.
TEST(Config2Window, ClosesWithItsButtonOrEscape) {
    ProgramFolderFixture folder;
    for (const bool escape : {false, true}) {
        Config2 w;
        w.show();
        QSignalSpy computed(&w, &Config2::coefficientsComputed);
        if (escape)
            QTest::keyClick(&w, Qt::Key_Escape);
        else
            w.cmdClose->click();
        EXPECT_FALSE(w.isVisible()) << escape;
        EXPECT_EQ(w.result(), QDialog::Rejected);
        EXPECT_TRUE(computed.isEmpty());
    }
}

TEST(WizardWindow, PagesInTurnAndAReportedDamagedList) {
    ProgramFolderFixture folder;
    MessageRecorder boxes;
    WizardFields given;
    given.corrAsd = "833.27";
    given.ra = {"22", "47", "12.2"};
    folder.write("config.cfg", " 2\r\nonly\r\n1\r\n2\r\n");
    Wizard w(given);
    EXPECT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(w.Combo->count(), 1);
    EXPECT_EQ(w.fields(), given);
    EXPECT_TRUE(w.Frame2->isHidden() && w.Frame3->isHidden());
    w.step1->click();
    EXPECT_TRUE(w.Frame1->isHidden() && !w.Frame2->isHidden() && w.step2->isDefault());
    EXPECT_EQ(w.txt_corrasd->text(), "833.27"); // nothing chosen yet
    w.step2->click();
    EXPECT_TRUE(w.Frame2->isHidden() && !w.Frame3->isHidden() && w.step3->isDefault());
    w.back->click(); // the previous page, as it was left
    EXPECT_TRUE(!w.Frame2->isHidden() && w.Frame3->isHidden() && w.step2->isDefault());
    w.back->click();
    EXPECT_TRUE(!w.Frame1->isHidden() && !w.back->isEnabled());
}

// The wizard's centre entry gives back the sign buttons as it was given them
// (none ticked included), and its buttons stay exclusive afterwards.
TEST(WizardWindow, CentreEntryKeepsTheSignAsGiven) {
    ProgramFolderFixture folder;
    MessageRecorder boxes;
    const struct {
        std::array<bool, 2> buttons;
        const char* shown;
    } rows[] = {
        {{false, false}, "+"}, // a fresh window: no button ticked yet
        {{true, false}, "-"},
        {{false, true}, "+"},
    };
    for (const auto& r : rows) {
        WizardFields given;
        given.ra = {"22", "47", "12.2"};
        given.dec = {"58", "03", "14"};
        given.decSignOption = r.buttons;
        given.decSignShow = QString::fromLatin1(r.shown);
        Wizard w(given);
        EXPECT_EQ(w.fields(), given) << r.shown;
        w.txt_dec_sign(1)->click();
        w.txt_dec_sign(0)->click();
        given.decSignOption = {true, false};
        given.decSignShow = "-";
        EXPECT_EQ(w.fields(), given) << r.shown;
    }
}
