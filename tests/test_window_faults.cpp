// Faults users met in the main window: failed downloads, fields at 0h, the
// language files, the magnifier, the reload timer, the overlay's centre, old
// drawings, the tabs, typed values out of range, commas and the review.
#include "catalogues/sites.h"
#include "catalogues/webswitches.h"
#include "catalogues/widgets/frminternet.h"
#include "field/typedcentre.h"
#include "localserver.h"
#include "mainwindow/imagecanvas.h"
#include "mainwindow/magnifier.h"
#include "mainwindow/startup.h"
#include "reduction/rightascension.h"
#include "text/language.h"
#include "text/widgets/frmlang.h"
#include "text/widgets/splash.h"
#include "text/widgets/translations.h"
#include "window.h"

#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QRegularExpression>
#include <QTabBar>
#include <algorithm>

using namespace reduction;
using namespace imaging;
using namespace field;
using namespace catalogues;
using namespace text;

using namespace testing_support;

namespace {

// The sample answer with every right ascension moved by `shift` degrees
// (into 0..360), the columns kept.
QByteArray shiftedAnswer(double shift) {
    QString text = QString::fromLatin1(readSample("data"));
    static const QRegularExpression ra(QStringLiteral("(U\\d{4}_\\d{8}) (\\d{3}\\.\\d{5})"));
    QString out;
    qsizetype last = 0;
    auto it = ra.globalMatch(text);
    while (it.hasNext()) {
        const auto m = it.next();
        out += text.mid(last, m.capturedStart(2) - last);
        out += QString::number(NormaliseRa(m.captured(2).toDouble() + shift), 'f', 5)
                   .rightJustified(9, QLatin1Char(' '));
        last = m.capturedEnd(2);
    }
    return (out + text.mid(last)).toLatin1();
}

} // namespace

// A download that fails never reports success, and the answer of the
// previous field is not read for the new one until a download succeeds.
TEST(WindowFaults, FailedDownloadLeavesNoStarsOfAnotherField) {
    ProgramFolderFixture folder;
    MessageRecorder boxes;
    Restore keepWeb(Web());
    Restore keepLang(Lang());
    Restore keepSites(Sites());
    LocalHttpServer::Reply reply{200, readSample("data")};
    LocalHttpServer server{[&reply](const QByteArray&) { return reply; }};
    Sites().starServer = server.base();
    Lang().FormMessages[9] = QStringLiteral("Star catalogue downloaded");
    Form1 form;
    Web().AutonomousMode = false;
    Web().StarSiteEnabled = true;
    ASSERT_TRUE(form.OpenReduction(folder.file("sample.pam")));
    form.session().Plate = {};
    form.session().Plate.corrAsd = 833.27;
    form.session().Plate.corrDec = 1575.63;
    form.DownloadData_Click();
    EXPECT_TRUE(logged(form, "Star catalogue downloaded"));
    form.READFILE();
    EXPECT_EQ(form.session().Stars.rowsRead, 48);

    // The server answers with an error page for the next field.
    control<QListWidget>(form, "status")->clear();
    reply = {404, "<html>Not found</html>"};
    edit(form, "txt_ra(0)")->setText("5");
    form.DownloadData_Click();
    EXPECT_FALSE(logged(form, "Star catalogue downloaded"));
    EXPECT_EQ(folder.read("data"), readSample("data")); // kept on disk, intact
    form.READFILE();
    EXPECT_EQ(form.session().Stars.rowsRead, 0);
    EXPECT_EQ(form.session().Stars.inUse, 0);
    EXPECT_TRUE(logged(form, "another field")) << "a line says why no star was read";

    // A field that is no number: a line names it, nothing is asked, and
    // still nothing is read.
    edit(form, "txt_ra(1)")->setText("4x");
    const qsizetype asked = server.requests.size();
    form.DownloadData_Click();
    ASSERT_FALSE(boxes.shown.empty());
    EXPECT_EQ(boxes.shown.back().kind, messagebox::Kind::Exclamation);
    EXPECT_TRUE(boxes.shown.back().text.contains("right ascension, minutes"));
    EXPECT_EQ(server.requests.size(), asked);
    form.READFILE();
    EXPECT_EQ(form.session().Stars.rowsRead, 0);

    // A download that succeeds again is read.
    edit(form, "txt_ra(0)")->setText("22");
    edit(form, "txt_ra(1)")->setText("47");
    reply = {200, readSample("data")};
    form.DownloadData_Click();
    form.READFILE();
    EXPECT_EQ(form.session().Stars.rowsRead, 48);
}

// The shipped sample moved to 0h of right ascension is identified like the
// original, and positions read off it lie in 0..360.
TEST(WindowFaults, FieldAtZeroHoursIsIdentified) {
    ProgramFolderFixture folder;
    MessageRecorder boxes;
    const double shift = 18.2; // 341.8 + 18.2 = 360: the stars straddle 0h
    folder.write("data", shiftedAnswer(shift));
    Form1 form;
    ASSERT_TRUE(form.OpenReduction(folder.file("sample.pam")));
    edit(form, "txt_ra(0)")->setText("0");
    edit(form, "txt_ra(1)")->setText("0");
    edit(form, "txt_ra(2)")->setText("0.2");
    pickSampleStars(form);
    SessionState& s = form.session();
    int accepted = 0;
    boxes.answer = yesToTheTrueIdentification(form, nullptr, &accepted);
    form.startCalcul_Click();
    EXPECT_EQ(accepted, 1);
    ASSERT_TRUE(s.MatchFound);

    const QPoint at(512, 512);
    form.Picture1_MouseMove(at.x(), at.y());
    form.Picture1_Click();
    const auto [ra, dec] = readoutDegrees(form);
    EXPECT_GE(ra, 0.0);
    EXPECT_LT(ra, 360.0);
    const auto t = sampleTrueSky(at.x(), at.y());
    EXPECT_LT(separationArcsec(ra, dec, NormaliseRa(t.ra + shift), t.dec), 15.0);
    // The readout under catalogue stars on both sides of 0h, too.
    const MarkerPool& star = form.markers().star;
    bool below = false, above = false;
    for (int i = 1; i <= s.Stars.rowsRead; ++i) {
        form.Picture1_MouseMove(star.left[i] + 0.5f, star.top[i] + 0.5f); // the readout's spot
        const QString line = control<QLabel>(form, "info")->text();
        static const QRegularExpression hours(QStringLiteral("Ra:(-?\\d+)h"));
        const auto m = hours.match(line);
        if (!m.hasMatch()) continue; // no marker under the cursor for this row

        const int h = m.captured(1).toInt();
        EXPECT_TRUE(h >= 0 && h <= 23 && !line.contains(QLatin1String("Ra:-")))
            << line.toStdString();
        below |= h == 23;
        above |= h == 0;
    }
    EXPECT_TRUE(below && above);
}

// Without any language file the window keeps its design captions.
TEST(WindowFaults, NoLanguageFileKeepsTheDesignCaptions) {
    ProgramFolderFixture folder;
    MessageRecorder boxes;
    for (const char* name : {"lang.cfg", "lang-fr.cfg", "lang-en.cfg"})
        QFile::remove(folder.file(name));
    Restore keepLang(Lang());
    Lang() = LanguageTable{};
    std::unique_ptr<Form1> form(StartupSequence());
    EXPECT_EQ(boxes.shown.size(), 1u);
    EXPECT_FALSE(form->windowTitle().isEmpty());
    EXPECT_EQ(control<QMenu>(*form, "mnu_fichier")->title(), "Fichier");
    EXPECT_EQ(control<QPushButton>(*form, "DownloadData")->text(), "1-Download");
    EXPECT_FALSE(control<QGroupBox>(*form, "frm(1)")->title().isEmpty());
    EXPECT_FALSE(control<QLabel>(*form, "lbl(0)")->text().isEmpty());
    EXPECT_FALSE(control<QTabBar>(*form, "TabStrip1")->tabText(0).isEmpty());

    // A file cut inside [FORM]: what it holds is used, the rest keeps its design.
    QStringList lines{"header"};
    for (const char* h : {"[CONFIG2]", "[FORM]"})
        lines << "x" << h;
    for (int i = 1; i <= 20; ++i)
        lines << QStringLiteral("F%1").arg(i);
    folder.write("lang.cfg", (lines.join("\r\n") + "\r\n").toUtf8());
    ReadLanguage(nullptr);
    form->ApplyLanguageToForm();
    EXPECT_EQ(control<QMenu>(*form, "mnu_fichier")->title(), "F2");
    EXPECT_EQ(control<QGroupBox>(*form, "frm(1)")->title(), "F20");
    EXPECT_EQ(control<QLabel>(*form, "lbl(0)")->text(), QString::fromUtf8("Champ"));
    EXPECT_EQ(control<QPushButton>(*form, "BoutonEtalo")->text(), "Suivant");
}

// One star is one pick however it is clicked: a double-click on the image,
// or on the magnifier, and a click beside an earlier pick are refused with a
// line in the status list; the next star is pick 2.
TEST(WindowFaults, AStarClickedTwiceIsOnePick) {
    ProgramFolderFixture folder;
    MessageRecorder boxes;
    Form1 form;
    form.show();
    edit(form, "txt_url")->setText("sample.png");
    form.SelectStar_Click();
    const auto* status = control<QListWidget>(form, "status");
    // What a double-click delivers to a widget: press, release, double-click, release.
    const auto doubleClick = [](QWidget* target, QPointF at) {
        for (QEvent::Type type :
             {QEvent::MouseButtonPress, QEvent::MouseButtonRelease, QEvent::MouseButtonPress,
              QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease}) {
            QMouseEvent event(type, at, target->mapToGlobal(at), Qt::LeftButton,
                              type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                              Qt::NoModifier);
            QApplication::sendEvent(target, &event);
        }
    };
    form.Picture1_MouseMove(300, 262);
    doubleClick(control<ImageCanvas>(form, "Picture1"), QPointF(300, 262));
    EXPECT_EQ(form.session().PickCount, 1);
    EXPECT_EQ(form.session().ImageStarX[1], 300);
    const int lines = status->count();

    Magnifier* zoom = control<Magnifier>(form, "zoom");
    ASSERT_TRUE(zoom->isVisible());
    doubleClick(zoom, QPointF(51, 51)); // the same star through the magnifier
    EXPECT_EQ(form.session().PickCount, 1);
    EXPECT_GT(status->count(), lines);  // told, not silently dropped
    clickImage(form, QPoint(303, 259)); // a few pixels beside it
    EXPECT_EQ(form.session().PickCount, 1);

    clickImage(form, QPoint(630, 133)); // another star
    EXPECT_EQ(form.session().PickCount, 2);
    EXPECT_EQ(form.session().ImageStarX[2], 630);
    EXPECT_TRUE(boxes.shown.empty());
}

// The reload timer with real message boxes: an empty path (the program
// folder) or a missing file ends the tick silently; a changed file that
// cannot be read is told once, not at every tick.
TEST(WindowFaults, AutoReloadIsSilentForFoldersAndTellsABadFileOnce) {
    ProgramFolderFixture folder;
    Form1 form;
    int boxes = 0;
    QTimer closer;
    closer.setInterval(20);
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            ++boxes;
            form.Timer3_Timer(); // a tick while the box is open
            modal->close();
        }
    });
    closer.start();
    check(form, "CheckAutoload")->setChecked(true);
    edit(form, "txt_url")->setText(QString());
    for (int i = 0; i < 3; ++i)
        form.Timer3_Timer();
    EXPECT_EQ(boxes, 0);
    edit(form, "txt_url")->setText("nothere.png");
    form.Timer3_Timer();
    EXPECT_EQ(boxes, 0);

    folder.write("bad.png", "not a picture");
    edit(form, "txt_url")->setText("bad.png");
    for (int i = 0; i < 3; ++i)
        form.Timer3_Timer();
    EXPECT_EQ(boxes, 1);
    folder.write("bad.png", "still not a picture, and newer");
    touch(folder.file("bad.png"), 60);
    form.Timer3_Timer();
    EXPECT_EQ(boxes, 2); // a new version of the file is tried again
}

// An unreadable centre box fails the overlay ("err") and names the box.
TEST(WindowFaults, BadCentreBoxFailsTheOverlay) {
    ProgramFolderFixture folder;
    MessageRecorder boxes;
    Form1 form;
    ASSERT_TRUE(form.OpenReduction(folder.file("sample.pam")));
    SessionState& s = form.session();
    s.Plate.corrAsd = 833.27;
    s.Plate.corrDec = 1575.63;
    s.Plate.a = {-0.93, 0.02, 284900.0, 0.03, -1.57, 92000.0};
    form.map();
    ASSERT_EQ(s.MapState, MapState::Done);
    ASSERT_TRUE(form.markers().centerpic.visible);
    edit(form, "txt_ra(1)")->setText("4x");
    form.map();
    EXPECT_EQ(s.MapState, MapState::Failed);
    EXPECT_TRUE(s.MapFailed);
    EXPECT_FALSE(form.markers().centerpic.visible);
    EXPECT_TRUE(logged(form, "right ascension, minutes"));
}

// A new image or an opened reduction file starts without the old drawings.
TEST(WindowFaults, NewImageOrReductionClearsOldDrawings) {
    ProgramFolderFixture folder;
    MessageRecorder boxes;
    Form1 form;
    ASSERT_TRUE(form.OpenReduction(folder.file("sample.pam")));
    auto draw = [&] {
        form.markers().star.show(3);
        form.markers().clicpic.show(2);
        form.mapcroix(1, 2, 3, 4, 5);
        form.markers().centerpic.visible = true;
    };
    draw();
    form.Loadimg_Click(); // the same image again (as "3-Calcul" does): kept
    EXPECT_FALSE(form.markers().drawings.empty());
    EXPECT_TRUE(form.markers().clicpic.visible[2]);

    QImage other(64, 48, QImage::Format_RGB32);
    other.fill(Qt::gray);
    ASSERT_TRUE(other.save(folder.file("other.png")));
    edit(form, "txt_url")->setText("other.png");
    form.Loadimg_Click();
    EXPECT_TRUE(form.markers().drawings.empty());
    EXPECT_FALSE(form.markers().star.visible[3]);
    EXPECT_FALSE(form.markers().clicpic.visible[2]);
    EXPECT_FALSE(form.markers().centerpic.visible);

    draw();
    ASSERT_TRUE(form.OpenReduction(folder.file("sample.pam")));
    EXPECT_TRUE(form.markers().drawings.empty());
}

// Every way of changing the tab shows its page, and only its page.
TEST(WindowFaults, KeysOnTheTabStripShowThePage) {
    ProgramFolderFixture folder;
    Form1 form;
    QTabBar* tabs = control<QTabBar>(form, "TabStrip1");
    const auto pages = [&form] { // the option pages on view, by frame number
        QString on;
        for (int k : {1, 6, 7, 8})
            if (!control<QGroupBox>(form, QStringLiteral("frm(%1)").arg(k))->isHidden())
                on += QString::number(k);
        return on;
    };
    QTest::keyClick(tabs, Qt::Key_Right);
    EXPECT_EQ(tabs->currentIndex(), 1);
    EXPECT_EQ(pages(), "6");
    tabs->setCurrentIndex(3);
    EXPECT_EQ(pages(), "8");
    form.TabStrip1_Click(3); // and the strip follows the handler
    EXPECT_EQ(tabs->currentIndex(), 2);
    EXPECT_EQ(pages(), "7");
    form.TabStrip1_Click(1);
    EXPECT_EQ(pages(), "1");
    EXPECT_FALSE(control<QGroupBox>(form, "frm(3)")->isHidden()); // the messages stay
}

// Typed values out of any sensible range, and scales that are not numbers,
// are refused, naming the box, before anything is queried, saved or read.
TEST(WindowFaults, ValuesOutOfRangeAreRefusedBeforeQueryOrSave) {
    ProgramFolderFixture folder;
    MessageRecorder boxes;
    Restore keepWeb(Web());
    Restore keepSites(Sites());
    LocalHttpServer server{[](const QByteArray&) {
        return LocalHttpServer::Reply{200, readSample("data")};
    }};
    Sites().starServer = server.base();
    Form1 form;
    Web().AutonomousMode = false;
    Web().StarSiteEnabled = true;
    ASSERT_TRUE(form.OpenReduction(folder.file("sample.pam")));
    edit(form, "txt_distance")->setText("1e300");
    form.DownloadData_Click();
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_TRUE(boxes.shown[0].text.contains("1e300"));
    EXPECT_TRUE(boxes.shown[0].text.contains(control<QLabel>(form, "lbl(0)")->text()));
    EXPECT_TRUE(server.requests.isEmpty());
    EXPECT_FALSE(form.SaveReduction(folder.file("out.pam")));
    EXPECT_FALSE(QFile::exists(folder.file("out.pam")));

    const std::size_t base = boxes.shown.size();
    edit(form, "txt_distance")->setText("0"); // the message states the bounds as they are
    form.DownloadData_Click();
    ASSERT_EQ(boxes.shown.size(), base + 1);
    EXPECT_EQ(boxes.shown.back().text,
              control<QLabel>(form, "lbl(0)")->text() +
                  ": \"0\" is out of range; a number above 0 and up to 1200 is needed.");
    boxes.shown.pop_back();

    // The centre's boxes: a value beyond its range is refused naming its box,
    // and nothing is asked of any source.
    const struct {
        const char* box;
        int nameIndex; // CentreBoxName
        const char* text;
    } centre[] = {
        {"txt_ra(0)", 0, "24"},   // hours end below 24
        {"txt_ra(1)", 1, "60"},   // minutes below 60
        {"txt_ra(2)", 2, "-0.5"}, // no negative seconds
        {"txt_dec(0)", 3, "91"},  // beyond the pole
        {"txt_dec(0)", 3, "-5"},  // the sign has its own box
        {"txt_dec(2)", 5, "60"},  // seconds below 60
    };
    for (const auto& c : centre) {
        const QString before = edit(form, c.box)->text();
        edit(form, c.box)->setText(c.text);
        form.DownloadData_Click();
        ASSERT_EQ(boxes.shown.size(), base + 1) << c.box << " " << c.text;
        EXPECT_EQ(boxes.shown.back().kind, messagebox::Kind::Exclamation);
        EXPECT_TRUE(boxes.shown.back().text.contains(CentreBoxName(c.nameIndex))) << c.box;
        EXPECT_TRUE(boxes.shown.back().text.contains(c.text)) << c.box;
        boxes.shown.pop_back();
        edit(form, c.box)->setText(before);
    }
    // Each box within its range, the declination as a whole beyond 90 degrees.
    edit(form, "txt_dec(0)")->setText("90");
    edit(form, "txt_dec(2)")->setText("1");
    form.DownloadData_Click();
    ASSERT_EQ(boxes.shown.size(), base + 1);
    EXPECT_TRUE(boxes.shown.back().text.contains(CentreBoxName(3)));
    boxes.shown.pop_back();
    EXPECT_TRUE(server.requests.isEmpty());
    edit(form, "txt_dec(0)")->setText("58");
    edit(form, "txt_dec(2)")->setText("14");

    // Saving the defaults refuses a box that is no number as it refuses one out of range.
    edit(form, "txt_distance")->setText("abc");
    const QByteArray defaults = folder.read("defaut.cfg");
    form.mnu_savedefaut_Click();
    ASSERT_EQ(boxes.shown.size(), base + 1);
    EXPECT_EQ(boxes.shown.back().kind, messagebox::Kind::Exclamation);
    EXPECT_EQ(folder.read("defaut.cfg"), defaults);
    boxes.shown.pop_back();

    edit(form, "txt_distance")->setText("28");
    edit(form, "txt_mag")->setText("-3");
    form.DownloadData_Click();
    EXPECT_EQ(boxes.shown.size(), 3u);
    EXPECT_TRUE(server.requests.isEmpty());
    edit(form, "txt_mag")->setText("11.5");

    edit(form, "txt_tolerance")->setText("1e20");
    form.session().SelectionDone = true;
    form.Algo();
    EXPECT_EQ(boxes.shown.size(), 4u);
    EXPECT_EQ(form.session().CandidateCount, 0);
    EXPECT_TRUE(boxes.shown.back().text.contains("1e20"));

    // Scales that are not numbers (read as 0 they would divide by zero) stop
    // "3-Calcul" before anything is read.
    edit(form, "txt_tolerance")->setText("20.5");
    edit(form, "txt_corrdec")->setText("abc");
    form.startCalcul_Click();
    ASSERT_EQ(boxes.shown.size(), 5u);
    EXPECT_TRUE(boxes.shown[4].text.contains("abc"));
    EXPECT_TRUE(boxes.shown[4].text.contains(control<QLabel>(form, "lbl(8)")->text()));
    EXPECT_EQ(form.session().Stars.rowsRead, 0);
    EXPECT_FALSE(control<QLabel>(form, "icoG")->isHidden());
}

// The comma repair runs once per change, whatever the text.
TEST(WindowFaults, ManyCommasNeitherCrashNorStay) {
    ProgramFolderFixture folder;
    MessageRecorder boxes;
    QStringList lines = QString::fromLatin1(folder.read("sample.pam")).split("\r\n");
    lines[1] = QString(12500, QLatin1Char(','));
    folder.write("commas.pam", lines.join("\r\n").toLatin1());
    Form1 form;
    ASSERT_TRUE(form.OpenReduction(folder.file("commas.pam")));
    EXPECT_EQ(edit(form, "txt_corrasd")->text(), QString(12500, QLatin1Char('.')));
    edit(form, "Etalo(4)")->setText("1," + QString(20000, QLatin1Char(',')));
    EXPECT_FALSE(edit(form, "Etalo(4)")->text().contains(QLatin1Char(',')));
    edit(form, "txt_epoch")->setText("2000,5");
    EXPECT_EQ(edit(form, "txt_epoch")->text(), "2000.5");
}

// In French every text follows: the language file's captions, the program's
// own texts through Qt's translations, and Qt's standard buttons; back in
// English they all go back.
TEST(WindowFaults, EveryTextFollowsTheChosenLanguage) {
    ProgramFolderFixture folder;
    MessageRecorder boxes;
    Restore keepLang(Lang());
    folder.write("lang.cfg", folder.read("lang-fr.cfg"));
    ReadLanguage(nullptr);
    EXPECT_EQ(TranslationLanguage(), "fr");
    {
        Form1 form;
        form.ApplyLanguageToForm();
        EXPECT_EQ(control<QPushButton>(form, "Loadimg")->text(), "Charger");
        EXPECT_EQ(control<QPushButton>(form, "LoadCorr")->text(), "Charger");
        EXPECT_EQ(control<QGroupBox>(form, "frm(3)")->title(), "Messages");
        EXPECT_EQ(control<QLabel>(form, "icoR")->text(), QString::fromUtf8("Occupé"));
        EXPECT_EQ(control<QAction>(form, "mnu_webbugs")->text(),
                  QString::fromUtf8("Problèmes Internet"));
        EXPECT_EQ(control<QMenu>(form, "mnu_Aide")->title(), "Aide");
        EXPECT_EQ(control<QTabBar>(form, "TabStrip1")->tabText(0), QString::fromUtf8("Général"));
        QMessageBox question;
        question.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        EXPECT_EQ(question.button(QMessageBox::Yes)->text().remove('&'), "Oui");
        EXPECT_EQ(question.button(QMessageBox::No)->text().remove('&'), "Non");
        EXPECT_EQ(question.button(QMessageBox::Cancel)->text().remove('&'), "Annuler");
        frmInternet sites;
        EXPECT_EQ(sites.windowTitle(), QString::fromUtf8("Problèmes Internet"));
        frmSplash splash;
        EXPECT_EQ(splash.Label2[1]->text(), "Remerciements :");

        // Switched from the menu: English at once, captions and own texts alike.
        FrmLang::setDriver([](FrmLang& w) { w.OKButton->click(); });
        form.mnu_lang_Click();
        FrmLang::setDriver({});
        EXPECT_EQ(TranslationLanguage(), "en");
        EXPECT_EQ(control<QPushButton>(form, "Loadimg")->text(), "Load");
        EXPECT_EQ(control<QAction>(form, "mnu_webbugs")->text(), "Internet problems");
        EXPECT_EQ(control<QGroupBox>(form, "frm(3)")->title(), "Messages");
        QMessageBox again;
        again.setStandardButtons(QMessageBox::Yes);
        EXPECT_EQ(again.button(QMessageBox::Yes)->text().remove('&'), "Yes");
    }
    UseTranslations("en");
}

// Hints and messages follow what is true now: a hint about a missing image,
// missing picks or a freshly opened project gives way once that changed; a
// search that finds nothing says so and leaves no candidate drawn; declining
// the minor planets reads no answer for them; saving the defaults is told.
TEST(WindowFaults, HintsAndMessagesFollowTheState) {
    ProgramFolderFixture folder;
    EnglishTexts english(folder);
    MessageRecorder boxes;
    Restore keepWeb(Web());
    Form1 form;
    form.ApplyLanguageToForm();
    form.show();
    Web().StarSiteEnabled = true;
    const auto hint = [&form] { return control<QLabel>(form, "sugestion")->text(); };
    const std::vector<QString>& hints = Lang().SuggestionTexts;
    const auto* status = control<QListWidget>(form, "status");

    edit(form, "txt_url")->setText("no-such.png");
    form.SelectStar_Click();
    EXPECT_EQ(hint(), hints[11]); // no image loaded
    edit(form, "txt_url")->setText("sample.png");
    form.Loadimg_Click();
    EXPECT_NE(hint(), hints[11]);

    ASSERT_TRUE(form.OpenReduction(folder.file("sample.pam")));
    EXPECT_EQ(hint(), hints[12]); // project opened
    form.DownloadData_Click();
    EXPECT_NE(hint(), hints[12]);
    form.startCalcul_Click(); // before any pick
    EXPECT_EQ(hint(), hints[14]);
    pickSampleStars(form);
    EXPECT_NE(hint(), hints[14]);

    // Every candidate declined: the messages say none was found, nothing stays drawn.
    boxes.answer = [](const messagebox::Shown&) { return messagebox::Answer::No; };
    form.startCalcul_Click();
    EXPECT_FALSE(form.session().MatchFound);
    ASSERT_GE(status->count(), 2);
    EXPECT_EQ(status->item(0)->text(), FormMessage(6)); // search finished
    EXPECT_EQ(status->item(1)->text(),
              Form1::tr("No identification found: none of the %n candidate(s) was accepted.",
                        nullptr, 1));
    const MarkerStore& drawn = form.markers();
    EXPECT_EQ(std::count(drawn.star.visible.begin(), drawn.star.visible.end(), 1), 0);
    EXPECT_TRUE(drawn.drawings.empty());
    EXPECT_EQ(std::count(drawn.clicpic.visible.begin(), drawn.clicpic.visible.end(), 1), 5);

    // Accepted, then the minor planets declined at the full map: none read, none drawn.
    boxes.answer = [&form](const messagebox::Shown& shown) {
        return shown.title == FormMessage(21) ? messagebox::Answer::No
                                              : yesToTheTrueIdentification(form)(shown);
    };
    form.startCalcul_Click();
    ASSERT_TRUE(form.session().MatchFound);
    control<QCheckBox>(form, "CheckAster")->setChecked(true);
    folder.write("data2", readSample("data2")); // an earlier answer, of another date
    form.FullMap_Click();
    EXPECT_EQ(form.session().MinorPlanets.count, 0);
    EXPECT_FALSE(logged(form, "data2"));
    EXPECT_EQ(std::count(drawn.aster.visible.begin(), drawn.aster.visible.end(), 1), 0);

    // Saving the defaults is told in the messages.
    const int lines = status->count();
    form.mnu_savedefaut_Click();
    EXPECT_EQ(status->count(), lines + 1);
    EXPECT_TRUE(status->item(0)->text().contains(folder.file("defaut.cfg")));
}
