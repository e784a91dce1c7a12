// Start-up with the language choice, the frame of the main window, the splash
// and about box, and help.
#include "mainwindow/startup.h"
#include "platform/programfolder.h"
#include "platform/widgets/helpviewer.h"
#include "text/language.h"
#include "text/widgets/frmlang.h"
#include "text/widgets/splash.h"
#include "window.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QMenu>
#include <QPointer>
#include <QProgressBar>
#include <QRadioButton>
#include <QTabBar>

using namespace reduction;
using namespace imaging;
using namespace field;
using namespace catalogues;
using namespace text;

using namespace testing_support;

namespace {
struct DriverGuard {
    ~DriverGuard() { FrmLang::setDriver({}); }
};

// Lets events run until `done` holds or `ms` milliseconds have passed.
bool waitFor(const std::function<bool()>& done, int ms = 5000) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < ms)
        QTest::qWait(5);
    return done();
}

frmSplash* openSplash() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* s = qobject_cast<frmSplash*>(w); s && s->isVisible()) return s;
    return nullptr;
}
} // namespace

TEST(StartupGui, FirstRunAsksForALanguageAndMenuChoiceAppliesAtOnce) {
    ProgramFolderFixture folder;
    QFile::remove(folder.file("lang.cfg"));
    MessageRecorder boxes;
    DriverGuard guard;
    Restore keepLang(Lang());
    Lang() = LanguageTable{};

    // The first window is closed without a choice: English, the default, is
    // taken rather than asking again.
    int shown = 0;
    FrmLang::setDriver([&](FrmLang& w) {
        ++shown;
        EXPECT_EQ(w.Label1->text(), "Veuillez choisir votre langue. Please choose your language.");
    });
    // A save killed before its rename an hour ago left its temporary file.
    folder.write("defaut.cfg.a1B2c3", "half a save");
    touch(folder.file("defaut.cfg.a1B2c3"), -3600);
    std::unique_ptr<Form1> form(StartupSequence());
    EXPECT_FALSE(QFileInfo::exists(folder.file("defaut.cfg.a1B2c3")));
    EXPECT_EQ(shown, 1);
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_EQ(folder.read("lang.cfg"), folder.read("lang-en.cfg"));
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(control<QMenu>(*form, "mnu_fichier")->title(), "File");
    EXPECT_EQ(control<QAction>(*form, "mnu_quit")->text(), "Quit");
    EXPECT_EQ(control<QPushButton>(*form, "SelectStar")->text(), "2-Stars");
    EXPECT_EQ(control<QGroupBox>(*form, "frm(1)")->title(), "Star catalogue");
    EXPECT_EQ(control<QGroupBox>(*form, "frm(8)")->title(), "Deep sky");
    EXPECT_EQ(control<QTabBar>(*form, "TabStrip1")->tabText(2), "Minor planets");
    EXPECT_EQ(check(*form, "CheckDecideur")->text(), control<QGroupBox>(*form, "frm(6)")->title());
    EXPECT_EQ(control<QLabel>(*form, "lbl(12)")->text(),
              "Please select a star, then type its coordinates below:");
    EXPECT_EQ(control<QLabel>(*form, "sugestion")->text(), Lang().SuggestionTexts[0]);
    EXPECT_EQ(FormMessage(19), " objects read");
    EXPECT_EQ(control<QAction>(*form, "mnu_lang")->text(),
              "Langue/Language"); // keeps its design caption
    EXPECT_TRUE(QDir(folder.path()).exists("cat"));

    // From the menu: French at once.
    FrmLang::setDriver([](FrmLang& w) { w.Command1->click(); });
    form->mnu_lang_Click();
    EXPECT_EQ(control<QMenu>(*form, "mnu_fichier")->title(), "Fichier");
    EXPECT_EQ(control<QPushButton>(*form, "SelectStar")->text(), "2-Etoiles");
    EXPECT_EQ(folder.read("lang.cfg"), folder.read("lang-fr.cfg"));

    // From the menu, closed without a choice: nothing changes.
    FrmLang::setDriver([](FrmLang&) {});
    form->mnu_lang_Click();
    EXPECT_EQ(control<QMenu>(*form, "mnu_fichier")->title(), "Fichier");

    // A missing language file: told, lang.cfg kept, the window stays for another try.
    QFile::remove(folder.file("lang-en.cfg"));
    FrmLang::setDriver([](FrmLang& w) {
        w.OKButton->click();
        EXPECT_FALSE(w.languageChosen());
    });
    form->mnu_lang_Click();
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_TRUE(boxes.shown[0].text.contains("lang-en.cfg"));
    EXPECT_EQ(folder.read("lang.cfg"), folder.read("lang-fr.cfg"));
}

TEST(StartupGui, DeclinationSignAndHintBlinking) {
    ProgramFolderFixture folder;
    Form1 form;
    // Each panel's sign buttons set that panel's label.
    for (const char* button : {"txt_dec_sign(0)", "txt_dec_sign(2)", "txt_dec_sign(3)"})
        control<QRadioButton>(form, button)->click();
    EXPECT_EQ(control<QLabel>(form, "txt_dec_sign_show(1)")->text(), "+");
    EXPECT_EQ(control<QLabel>(form, "txt_dec_sign_show(0)")->text(), "-");

    const bool iconHidden = control<QLabel>(form, "Picture2(0)")->isHidden();
    form.ShowSuggestion("open", 0, "0", "0");
    ASSERT_TRUE(control<QTimer>(form, "Timer2")->isActive());
    for (int tick = 1; tick <= 10; ++tick) {
        form.Timer2_Timer();
        EXPECT_EQ(control<QLabel>(form, "Picture2(0)")->isHidden(),
                  tick % 2 == 1 ? !iconHidden : iconHidden);
        EXPECT_TRUE(control<QTimer>(form, "Timer2")->isActive());
    }
    form.Timer2_Timer();
    EXPECT_FALSE(control<QTimer>(form, "Timer2")->isActive());
    EXPECT_EQ(control<QLabel>(form, "Picture2(0)")->isHidden(), iconHidden);
    EXPECT_EQ(form.session().BlinkCount, 0);
}

TEST(StartupGui, SplashAndAboutBox) {
    ProgramFolderFixture folder;
    {
        frmSplash splash;
        splash.show();
        splash.Timer1->start();
        EXPECT_TRUE(waitFor([&] { return !splash.Bar->isHidden(); }));
        QTest::mouseClick(&splash, Qt::LeftButton);
        EXPECT_TRUE(splash.isVisible());
        EXPECT_TRUE(waitFor([&] { return splash.Bar->value() == 100; }));
        EXPECT_EQ(splash.Timer1->interval(), 500);
    }

    Form1 form;
    form.mnu_about_Click();
    QPointer<frmSplash> about = openSplash();
    ASSERT_FALSE(about.isNull());
    EXPECT_EQ(about->windowModality(), Qt::ApplicationModal);
    EXPECT_EQ(about->lblVersion->text(), "Version 1.4.14");
    QTest::qWait(50); // its timer never runs: no bar, no "LOADING..."
    EXPECT_TRUE(about->Bar->isHidden());
    EXPECT_TRUE(about->BarT->isHidden());
    QTest::mouseClick(about, Qt::LeftButton);
    EXPECT_TRUE(waitFor([&] { return about.isNull(); })); // closed and deleted
}

TEST(StartupGui, HelpOpensTheProgramFoldersPages) {
    ProgramFolderFixture folder;
    MessageRecorder boxes;
    Form1 form;
    QStringList opened;
    helpviewer::SetOpener([&](const QString& path, QString*) {
        opened << path;
        return true;
    });
    form.mnu_AideFR_Click();
    form.mnu_AideEn_Click();
    ASSERT_EQ(opened.size(), 2);
    EXPECT_EQ(opened[0], programfolder::File("aide-fr.html"));
    EXPECT_EQ(opened[1], programfolder::File("aide-en.html"));
    EXPECT_TRUE(QFile::exists(opened[0]));
    EXPECT_TRUE(QFile::exists(opened[1]));
    EXPECT_TRUE(boxes.shown.empty());

    helpviewer::SetOpener([](const QString&, QString* error) {
        *error = "viewer missing";
        return false;
    });
    form.mnu_AideEn_Click();
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, "viewer missing (" + folder.path() + "/aide-en.html)");
    helpviewer::SetOpener({});
}

TEST(StartupGui, EveryButtonAndMenuCommandHasItsHandler) {
    ProgramFolderFixture folder;
    Form1 form;
    // Buttons and commands reach their handler by name: a renamed handler or
    // control would leave the command dead without any other sign.
    QStringList names;
    for (QObject* o : form.findChildren<QObject*>())
        if ((qobject_cast<QPushButton*>(o) || qobject_cast<QAction*>(o)) &&
            !o->objectName().isEmpty())
            names << o->objectName();
    EXPECT_GE(names.size(), 20);
    for (const QString& name : names)
        EXPECT_GE(form.metaObject()->indexOfSlot((name + "_Click()").toLatin1().constData()), 0)
            << name.toStdString();
    // One click each, through the real signal: the connection is made once.
    MessageRecorder boxes;
    Restore keepLang(Lang());
    Lang().SuggestionTexts[14] = QStringLiteral("calcul refused");
    control<QAction>(form, "mnu_etalonage")->trigger(); // no image: a hint only
    EXPECT_EQ(form.session().WorkflowMode, WorkflowMode::None);
    control<QPushButton>(form, "startCalcul")->click(); // no five stars: a hint only
    EXPECT_EQ(control<QLabel>(form, "sugestion")->text(), "calcul refused");
}
