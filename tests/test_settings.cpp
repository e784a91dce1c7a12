// Reduction files and default settings, through the real main window.
#include "catalogues/webswitches.h"
#include "platform/widgets/filedialog.h"
#include "settings/defaults.h"
#include "settings/options.h"
#include "settings/reductionfile.h"
#include "window.h"

#include <QApplication>
#include <QDate>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QRadioButton>
#include <QSettings>
#include <QTimer>
#include <sys/stat.h>

using namespace reduction;
using namespace imaging;
using namespace settings;
using namespace field;
using namespace catalogues;

using testing_support::check;
using testing_support::control;
using testing_support::edit;
using testing_support::MessageRecorder;
using testing_support::ProgramFolderFixture;

namespace {

QByteArray crlf(const QStringList& lines) {
    QByteArray out;
    for (const QString& l : lines)
        out += l.toUtf8() + "\r\n";
    return out;
}

// A full reduction file whose values differ from the window's design values.
QStringList sampleLines() {
    return {"12", "833,27", "1575.63", "0",    "30",   "",           "-", "28", "1950.0", "11.5",
            "14", "5",      "35",      "17.3", "20.5", "sample.png", "1", "5",  "7",      "2008",
            "13", "12",     "960",     "19.0", "2",    "0",          "1", "0",  "1"};
}

} // namespace

TEST(ReductionFile, SaveNameGetsPamUnlessItHoldsIt) {
    EXPECT_EQ(reductionfile::withExtension("x"), "x.pam");
    EXPECT_EQ(reductionfile::withExtension("x.pam"), "x.pam");
    EXPECT_EQ(reductionfile::withExtension("x.pam.txt"), "x.pam.txt");
    EXPECT_EQ(reductionfile::withExtension("x.PAM"), "x.PAM.pam");
    EXPECT_EQ(reductionfile::controlNames().size(), 29);
}

TEST(ReductionFile, OpenThenSaveRoundTripsEveryControl) {
    ProgramFolderFixture folder;
    MessageRecorder boxes;
    Form1 form;
    folder.write("in.pam", crlf(sampleLines()));
    form.session().MatchFound = true;
    form.session().SelectionDone = true;
    form.markers().star.show(17);
    form.markers().aster_lbl.show(500);
    control<QListWidget>(form, "status")->addItem("old line");

    ASSERT_TRUE(form.OpenReduction(folder.file("in.pam")));
    EXPECT_EQ(edit(form, "txt_corrasd")->text(), "833.27"); // the box's own comma repair ran
    EXPECT_EQ(control<QLabel>(form, "txt_dec_sign_show(0)")->text(), "-");
    EXPECT_TRUE(control<QRadioButton>(form, "txt_dec_sign(0)")->isChecked()); // follows the label
    EXPECT_EQ(CheckValue(check(form, "CheckAster")), 2); // the rest shows in the save below
    // The session is back to a freshly loaded image.
    EXPECT_FALSE(form.session().MatchFound);
    EXPECT_FALSE(form.session().SelectionDone);
    EXPECT_FALSE(form.markers().star.visible[17]);
    EXPECT_FALSE(form.markers().aster_lbl.visible[500]);
    EXPECT_EQ(control<QListWidget>(form, "status")->count(), 0);

    ASSERT_TRUE(form.SaveReduction(folder.file("out.pam")));
    QStringList expected = sampleLines();
    expected[1] = "833.27";
    EXPECT_EQ(folder.read("out.pam"), crlf(expected));
}

TEST(ReductionFile, ShortOrBadFileStopsAtTheFailingLine) {
    ProgramFolderFixture folder;
    MessageRecorder boxes;
    Form1 form;
    form.markers().star.show(3);

    QStringList lines = sampleLines();
    lines.removeLast(); // 28 lines
    folder.write("short.pam", crlf(lines));
    EXPECT_FALSE(form.OpenReduction(folder.file("short.pam")));
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].kind, messagebox::Kind::Exclamation);
    EXPECT_TRUE(boxes.shown[0].text.contains("29"));
    EXPECT_EQ(CheckValue(check(form, "CheckDeepObj1")), 0); // line 28 was applied
    EXPECT_EQ(edit(form, "txt_url")->text(), "sample.png"); // earlier lines too
    EXPECT_TRUE(form.markers().star.visible[3]);            // the reset did not run

    lines = sampleLines();
    lines[24] = "yes"; // CheckAster
    folder.write("bad.pam", crlf(lines));
    EXPECT_FALSE(form.OpenReduction(folder.file("bad.pam")));
    EXPECT_TRUE(boxes.shown.back().text.contains("25"));

    EXPECT_FALSE(form.OpenReduction(folder.file("missing.pam")));
}

TEST(ReductionFile, MenuCommandsUseTheDialogAndIgnoreCancel) {
    ProgramFolderFixture folder;
    MessageRecorder boxes;
    Form1 form;
    std::optional<QString> answer;
    filedialog::SetAnswerer([&](bool, const QString&) { return answer; });

    form.mnu_save_Click(); // cancelled: nothing written
    EXPECT_FALSE(QFile::exists(folder.file(".pam")));

    answer = folder.file("night1");
    edit(form, "txt_tolerance")->setText("9.5");
    form.mnu_save_Click();
    ASSERT_TRUE(QFile::exists(folder.file("night1.pam")));

    edit(form, "txt_tolerance")->setText("1");
    answer = folder.file("night1.pam");
    form.mnu_open_Click();
    EXPECT_EQ(edit(form, "txt_tolerance")->text(), "9.5");
    filedialog::SetAnswerer({});
    EXPECT_TRUE(boxes.shown.empty());
}

TEST(ReductionFile, FailedSaveKeepsTheOldFile) {
    ProgramFolderFixture folder;
    MessageRecorder boxes;
    Form1 form;
    folder.write("keep.pam", "old contents\r\n");
    EXPECT_FALSE(form.SaveReduction(folder.file("no-such-dir/keep.pam")));
    EXPECT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(folder.read("keep.pam"), "old contents\r\n");
}

// Save project onto a FIFO: refused with a message, the FIFO left as it was.
TEST(ReductionFile, SaveOntoAFifoIsRefused) {
    ProgramFolderFixture folder;
    MessageRecorder boxes;
    Form1 form;
    const QString fifo = folder.file("fifo.pam");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    EXPECT_FALSE(form.SaveReduction(fifo));
    EXPECT_EQ(boxes.shown.size(), 1u);
    struct stat st {};
    EXPECT_TRUE(::lstat(QFile::encodeName(fifo).constData(), &st) == 0 && S_ISFIFO(st.st_mode));
}

TEST(Defaults, SavedFileReadsBackIntoAFreshWindow) {
    ProgramFolderFixture folder;
    MessageRecorder boxes;
    {
        Form1 form;
        edit(form, "txt_calcul")->setText("15");
        edit(form, "txt_url")->setText("");
        SetCheckValue(check(form, "CheckDeepObj2"), 1);
        SetCheckValue(check(form, "CheckAster"), 2);
        Web().AutonomousMode = false;
        Web().UpdateCheckEnabled = true;
        form.mnu_savedefaut_Click();
    }
    Web().AutonomousMode = true;
    Web().UpdateCheckEnabled = false;
    Form1 again;
    EXPECT_EQ(edit(again, "txt_calcul")->text(), "15");
    EXPECT_EQ(edit(again, "txt_url")->text(), "");
    EXPECT_EQ(CheckValue(check(again, "CheckDeepObj2")), 1);
    EXPECT_EQ(CheckValue(check(again, "CheckAster")), 2);
    EXPECT_FALSE(Web().AutonomousMode);
    EXPECT_TRUE(Web().UpdateCheckEnabled);
    // The date fields always come from the clock.
    EXPECT_EQ(edit(again, "txt_Adate(2)")->text(), QString::number(QDate::currentDate().year()));
    EXPECT_TRUE(boxes.shown.empty());
}

TEST(Defaults, MissingShortOrDamagedFileKeepsDesignValues) {
    ProgramFolderFixture folder;
    MessageRecorder boxes;
    QFile::remove(folder.file("defaut.cfg"));
    {
        Form1 form;
        EXPECT_EQ(edit(form, "txt_calcul")->text(), "10");
        EXPECT_EQ(edit(form, "txt_tolerance")->text(), "7");
        EXPECT_EQ(edit(form, "txt_epoch")->text(), "2000.0");
        EXPECT_EQ(control<QListWidget>(form, "status")->count(), 1);
    }
    folder.write("defaut.cfg", "12\r\n1,5\r\n");
    {
        Form1 form;
        EXPECT_EQ(edit(form, "txt_calcul")->text(), "12");
        EXPECT_EQ(edit(form, "txt_corrasd")->text(), "1.5");
        EXPECT_EQ(edit(form, "txt_mag")->text(), "13");
    }
    folder.write("defaut.cfg", "1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\nimg\r\nmaybe\r\n1\r\n100\r\n16\r"
                               "\n0\r\n0\r\n0\r\n0\r\nperhaps\r\n1\r\n");
    const DefaultsFile d = ReadDefaults(folder.file("defaut.cfg"));
    EXPECT_FALSE(d.values[8]);
    EXPECT_EQ(d.values[9], QString("1"));
    EXPECT_FALSE(d.autonomousMode);
    EXPECT_EQ(d.updateCheck, true);
    EXPECT_EQ(d.problems.size(), 2);
    EXPECT_TRUE(boxes.shown.empty());
}

TEST(Defaults, SwitchWords) {
    EXPECT_EQ(ParseSwitch("TRUE"), true);
    EXPECT_EQ(ParseSwitch("false"), false);
    EXPECT_EQ(ParseSwitch("0"), false);
    EXPECT_EQ(ParseSwitch("-1"), true);
    EXPECT_FALSE(ParseSwitch("yes"));
}

// Both files pinned line by line to their published layouts: each control
// gets a value no other line has (check boxes: the ones that could be
// swapped differ), so a line out of place shows.
TEST(StoredLayouts, ReductionFileAndDefaultsLineByLine) {
    ProgramFolderFixture folder;
    MessageRecorder boxes;
    const WebSwitches web = Web();
    Form1 form;
    const std::vector<std::pair<const char*, const char*>> pam = {
        {"txt_calcul", "11"},   {"txt_corrasd", "801.5"}, {"txt_corrdec", "1502.25"},
        {"txt_dec(0)", "41"},   {"txt_dec(1)", "16"},     {"txt_dec(2)", "9.5"},
        {"sign", "-"},          {"txt_distance", "27"},   {"txt_epoch", "1950.0"},
        {"txt_mag", "12.5"},    {"txt_mag2", "15.5"},     {"txt_ra(0)", "0"},
        {"txt_ra(1)", "42"},    {"txt_ra(2)", "44.3"},    {"txt_tolerance", "6.5"},
        {"txt_url", "m31.png"}, {"CheckDecideur", "1"},   {"txt_Adate(0)", "3"},
        {"txt_Adate(1)", "9"},  {"txt_Adate(2)", "2021"}, {"txt_Adate(3)", "22"},
        {"txt_Adate(4)", "58"}, {"txt_Afield", "120"},    {"Txt_Amag", "17.5"},
        {"CheckAster", "2"},    {"CheckAutoload", "0"},   {"Checkcenter", "1"},
        {"CheckDeepObj1", "2"}, {"CheckDeepObj2", "0"}};
    QByteArray expected;
    for (const auto& [name, value] : pam) {
        const QString n = QString::fromLatin1(name);
        if (n == "sign")
            form.txt_dec_sign_Click(0);
        else if (n.startsWith("Check"))
            SetCheckValue(check(form, n), QString::fromLatin1(value).toInt());
        else
            edit(form, n)->setText(QString::fromLatin1(value));
        expected += QByteArray(value) + "\r\n";
    }
    ASSERT_TRUE(form.SaveReduction(folder.file("golden.pam")));
    EXPECT_EQ(folder.read("golden.pam"), expected);

    Web().AutonomousMode = true;
    Web().UpdateCheckEnabled = false;
    form.mnu_savedefaut_Click();
    const char* defaults[] = {"11",  "801.5",   "1502.25", "27", "12.5", "15.5",
                              "6.5", "m31.png", "1",       "2",  "120",  "17.5",
                              "0",   "1",       "2",       "0",  "True", "False"};
    QByteArray expectedDefaults;
    for (const char* line : defaults)
        expectedDefaults += QByteArray(line) + "\r\n";
    EXPECT_EQ(folder.read("defaut.cfg"), expectedDefaults);
    Web() = web;
}

// astroplate.ini is read once and written only when an option takes a new
// value: a file of a million keys would otherwise be read on every option
// asked for and rewritten on every toggle.
TEST(Options, ReadOnceAndWrittenOnlyOnChange) {
    ProgramFolderFixture folder;
    // Written by hand: the comment goes whenever the program rewrites the file.
    const QByteArray byHand = "; kept until a change\r\n[solve]\r\nautoPicks=true\r\ncount=5\r\n";
    folder.write("astroplate.ini", byHand);
    EXPECT_TRUE(options::Value("solve/autoPicks").toBool());

    // The same values again (as the file's texts, and typed): nothing written.
    EXPECT_TRUE(options::SetValue("solve/autoPicks", true));
    EXPECT_TRUE(options::SetValue("solve/count", 5));
    EXPECT_EQ(folder.read("astroplate.ini"), byHand);

    // Read once: a later change on disk is not read back while options are
    // asked for...
    folder.write("astroplate.ini", "[solve]\r\nautoPicks=false\r\ncount=5\r\nextra=1\r\n");
    EXPECT_TRUE(options::Value("solve/autoPicks").toBool());
    EXPECT_FALSE(options::Value("solve/extra").isValid());

    // ...and a real change is written, keeping the keys of the file it merges with.
    EXPECT_TRUE(options::SetValue("solve/count", 6));
    const QSettings written(folder.file("astroplate.ini"), QSettings::IniFormat);
    EXPECT_EQ(written.value("solve/count").toInt(), 6);
    EXPECT_EQ(written.value("solve/extra").toInt(), 1);
    EXPECT_EQ(options::Value("solve/count").toInt(), 6);
}

// A FIFO in place of astroplate.ini is never opened: options keep their
// defaults and a change is refused instead of hanging the window.
TEST(Options, AFifoInPlaceOfTheFileIsLeftAlone) {
    ProgramFolderFixture folder;
    QFile::remove(folder.file("astroplate.ini"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(folder.file("astroplate.ini")).constData(), 0600), 0);
    EXPECT_EQ(options::Value("report/observatoryCode", "500").toString(), "500");
    EXPECT_FALSE(options::SetValue("report/observatoryCode", "J95"));
    EXPECT_FALSE(QFileInfo(folder.file("astroplate.ini")).isFile());
}

// Qt's own file dialog keeps its state beside the program's settings, not in
// the user's configuration folder.
TEST(FileDialogState, StaysInTheProgramFolder) {
    ProgramFolderFixture folder;
    const QString chosen = folder.file("chosen.pam");
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->selectFile(chosen);
        QMetaObject::invokeMethod(dialog, "accept"); // as the Save button does
    });
    EXPECT_EQ(filedialog::Save(nullptr, "Save project", "*.pam", folder.path()), chosen);
    const QSettings state(folder.file("QtProject.conf"), QSettings::IniFormat);
    EXPECT_TRUE(state.childGroups().contains("FileDialog"))
        << state.allKeys().join(' ').toStdString();
}
