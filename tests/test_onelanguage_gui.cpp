// One language at a time: every caption, title, tab, menu entry, header and
// tooltip of the main window and of its dialogs is in the chosen language.
// The same windows are built in English and in French and compared text by
// text: a text that is the same in both is a text of the other language left
// behind, unless it is one of the few words both languages share.
#include "catalogues/widgets/frmdatabase.h"
#include "catalogues/widgets/frminternet.h"
#include "catalogues/widgets/frmmode.h"
#include "catalogues/widgets/reportpositiondialog.h"
#include "mainwindow/solvepanel.h"
#include "mainwindow/startup.h"
#include "settings/widgets/config.h"
#include "settings/widgets/config2.h"
#include "settings/widgets/wizard.h"
#include "text/language.h"
#include "text/widgets/frmlang.h"
#include "text/widgets/splash.h"
#include "text/widgets/translations.h"
#include "window.h"

#include <QAbstractFileIconProvider>
#include <QComboBox>
#include <QFileInfo>
#include <QHeaderView>
#include <QMenu>
#include <QRegularExpression>
#include <QTabBar>
#include <QTableWidget>
#include <QTextDocumentFragment>
#include <QTreeWidget>

using namespace reduction;
using namespace imaging;
using namespace settings;
using namespace field;
using namespace catalogues;
using namespace text;

using namespace testing_support;

namespace {

// Texts that are the same word in English and in French.
const QStringList kSameInBoth = {
    "Astroplate", "?",         "Menu",    "CCD",     "Messages",  "Options",
    "pixels",     "Arcmin",    "arcmin",  "Auto",    "Info",      "Corr Dec",
    "OK",         "USNO-A2.0", "Image",   "Type",    "Asteroids", "Langue/Language",
    "Français",   "English",   "mm",      "Notes",   "Dec",       "Zoom",
    "Date",       "dx (px)",   "dy (px)", "dx (\")", "dy (\")",   "Version",
    "-- : UTC"};

// A text as compared with that list: without markup, digits and dots.
QString shared(QString text) {
    static const QRegularExpression markup(QStringLiteral("<[^>]*>"));
    static const QRegularExpression number(QStringLiteral("[0-9.]+"));
    return text.remove(markup).remove(number).trimmed();
}

// Whether a text holds a word at all (numbers and signs are left out).
bool hasWord(const QString& text) {
    int letters = 0;
    for (QChar c : text)
        letters += c.isLetter();
    return letters >= 2;
}

// The texts a user reads in `root` and its children, in a fixed order, each
// with where it was found. Typed values (line edits, lists of data) are not
// captions and are left out.
std::vector<std::pair<QString, QString>> captions(const QWidget& root) {
    std::vector<std::pair<QString, QString>> out;
    const auto add = [&out](const QObject* where, const char* what, QString text) {
        text.remove(QLatin1Char('&'));
        text = text.trimmed();
        if (hasWord(text))
            out.emplace_back(where->objectName() + QLatin1Char('.') + QLatin1String(what), text);
    };
    add(&root, "title", root.windowTitle());
    for (const QWidget* w : root.findChildren<QWidget*>()) {
        add(w, "tooltip", w->toolTip());
        if (auto* b = qobject_cast<const QAbstractButton*>(w)) add(w, "text", b->text());
        if (auto* l = qobject_cast<const QLabel*>(w)) add(w, "text", l->text());
        if (auto* g = qobject_cast<const QGroupBox*>(w)) add(w, "title", g->title());
        if (auto* m = qobject_cast<const QMenu*>(w)) add(w, "title", m->title());
        if (auto* t = qobject_cast<const QTabBar*>(w))
            for (int i = 0; i < t->count(); ++i)
                add(w, "tab", t->tabText(i));
        if (auto* t = qobject_cast<const QTableWidget*>(w))
            for (int i = 0; i < t->columnCount(); ++i)
                if (const auto* item = t->horizontalHeaderItem(i)) add(w, "header", item->text());
        if (auto* t = qobject_cast<const QTreeWidget*>(w))
            for (int i = 0; i < t->columnCount(); ++i)
                add(w, "header", t->headerItem()->text(i));
    }
    for (const QAction* a : root.findChildren<QAction*>())
        if (!a->isSeparator()) add(a, "text", a->text());
    return out;
}

// Reads the shipped file of `language` as the chosen language, as a start does.
void chooseLanguage(const ProgramFolderFixture& folder, const char* language) {
    folder.write("lang.cfg", folder.read(QStringLiteral("lang-%1.cfg").arg(language)));
    ReadLanguage(nullptr);
}

// The texts of the main window and of each dialog, in the chosen language.
std::vector<std::pair<QString, QString>> everyWindow(const ProgramFolderFixture& folder) {
    std::vector<std::pair<QString, QString>> all;
    const auto take = [&all](const QWidget& w) {
        const auto texts = captions(w);
        all.insert(all.end(), texts.begin(), texts.end());
    };
    Form1 form;
    form.ApplyLanguageToForm();
    take(form);
    take(Config(Config::Mode::Edit));
    take(Config(Config::Mode::Select));
    take(Config2());
    take(Wizard(WizardFields{}));
    take(FrmMode());
    take(frmInternet());
    take(frmSplash());
    Frmdatabase browser(std::nullopt);
    take(browser);
    ReportDraft draft;
    draft.reportPath = folder.file("mpc-report.txt");
    take(ReportPositionDialog(draft));
    return all;
}

// The texts of `mine` that are the same in `other`'s language, as
// "where: text" lines.
QStringList leftBehind(const std::vector<std::pair<QString, QString>>& mine,
                       const std::vector<std::pair<QString, QString>>& other) {
    QStringList found;
    for (std::size_t i = 0; i < mine.size() && i < other.size(); ++i)
        if (mine[i].second == other[i].second && !kSameInBoth.contains(mine[i].second) &&
            !kSameInBoth.contains(shared(mine[i].second)))
            found << mine[i].first + QStringLiteral(": ") + mine[i].second;
    return found;
}

} // namespace

TEST(OneLanguage, EveryWindowSpeaksOnlyTheChosenLanguage) {
    ProgramFolderFixture folder;
    MessageRecorder boxes;
    Restore keepLang(Lang());
    chooseLanguage(folder, "en");
    const auto english = everyWindow(folder);
    chooseLanguage(folder, "fr");
    const auto french = everyWindow(folder);
    UseTranslations("en");
    ASSERT_EQ(english.size(), french.size());
    for (std::size_t i = 0; i < english.size(); ++i)
        ASSERT_EQ(english[i].first, french[i].first); // the same controls, in the same order
    EXPECT_EQ(leftBehind(french, english), QStringList());
}

// The known faults of the shipped French file, mended as it is read (the
// file itself stays as shipped); an English table is left alone.
TEST(OneLanguage, ShippedFrenchIsMendedAsRead) {
    ProgramFolderFixture folder;
    Restore keepLang(Lang());
    chooseLanguage(folder, "fr");
    const auto nbsp = QChar(0x00a0);
    const struct {
        const std::vector<QString>& section;
        int index;
        QString text;
    } mended[] = {
        {Lang().FormTexts, 15, QString::fromUtf8("1-Télécharger")},
        {Lang().FormTexts, 18, QStringLiteral("4-Carte")},
        {Lang().FormTexts, 14, QString::fromUtf8("À propos")},
        {Lang().FormTexts, 20, QString::fromUtf8("Catalogue d'étoiles")},
        {Lang().FormTexts, 23, QString::fromUtf8("Étalonnage")},
        {Lang().FormTexts, 29, QString::fromUtf8("Mag carte complète") + nbsp + ':'},
        {Lang().FormTexts, 30, QStringLiteral("Image") + nbsp + ':'},
        {Lang().FormTexts, 37, QString::fromUtf8("Équinoxe") + nbsp + ':'},
        {Lang().WizardTexts, 6, QString::fromUtf8("Équinoxe") + nbsp + ':'},
        {Lang().Config2Texts, 1, QString::fromUtf8("Étalonnage classique")},
        {Lang().SuggestionTexts, 11,
         QString::fromUtf8("Aucune image chargée") + nbsp + ": indiquez le fichier dans Image" +
             nbsp + ": puis cliquez sur Charger."},
    };
    for (const auto& m : mended)
        EXPECT_EQ(m.section[m.index], m.text);
    // The file dialog's list, whose types Qt's own French leaves in English.
    EXPECT_EQ(QAbstractFileIconProvider().type(QFileInfo(folder.path())), "Dossier");
    MendFrenchTexts(Lang()); // a second reading changes nothing
    EXPECT_EQ(Lang().FormTexts[37], mended[7].text);
    EXPECT_EQ(folder.read("lang.cfg"), folder.read("lang-fr.cfg"));

    chooseLanguage(folder, "en");
    LanguageTable plain;
    ReadLanguageFile(folder.file("lang-en.cfg"), plain);
    EXPECT_EQ(Lang().FormTexts, plain.FormTexts);
    EXPECT_EQ(Lang().SuggestionTexts, plain.SuggestionTexts);
}

// Each help page names the commands as the window of its language shows
// them: every menu and menu command (but Quit, About and the help pages
// themselves), every command button and every tab.
TEST(OneLanguage, HelpPagesUseTheWindowsNames) {
    ProgramFolderFixture folder;
    MessageRecorder boxes;
    Restore keepLang(Lang());
    for (const char* language : {"en", "fr"}) {
        chooseLanguage(folder, language);
        Form1 form;
        form.ApplyLanguageToForm();
        QStringList names;
        for (const QAction* a : form.findChildren<QAction*>())
            if (!a->isSeparator() && !a->menu()) names << a->text();
        for (const QMenu* m : form.findChildren<QMenu*>())
            names << m->title();
        for (const char* button :
             {"DownloadData", "SelectStar", "AutoPicks", "startCalcul", "FullMap", "Loadimg"})
            names << control<QPushButton>(form, button)->text();
        const QTabBar* tabs = control<QTabBar>(form, "TabStrip1");
        for (int i = 0; i < tabs->count(); ++i)
            names << tabs->tabText(i);
        for (const char* left : {"mnu_quit", "mnu_about", "mnu_AideFR", "mnu_AideEn"})
            names.removeAll(control<QAction>(form, left)->text());
        for (const char* left : {"mnu_help", "mnu_Aide"})
            names.removeAll(control<QMenu>(form, left)->title());
        const QString page = QTextDocumentFragment::fromHtml(
                                 QString::fromUtf8(folder.read(
                                     QStringLiteral("aide-%1.html").arg(QLatin1String(language)))))
                                 .toPlainText();
        QStringList missing;
        for (const QString& name : names)
            if (!page.contains(QString(name).remove(QLatin1Char('&')).replace(QChar(0x00a0), ' ')))
                missing << name;
        EXPECT_EQ(missing, QStringList()) << language;
    }
    UseTranslations("en");
}

// Every button, box and option of the main window says what it does when the
// mouse rests on it (the comparison above has them in the chosen language).
TEST(OneLanguage, EveryControlOfTheMainWindowHasATooltip) {
    ProgramFolderFixture folder;
    MessageRecorder boxes;
    Restore keepLang(Lang());
    chooseLanguage(folder, "fr");
    Form1 form;
    form.ApplyLanguageToForm();
    QStringList without;
    for (const QWidget* w : form.findChildren<QWidget*>()) {
        const bool control = qobject_cast<const QAbstractButton*>(w) ||
                             qobject_cast<const QLineEdit*>(w) || qobject_cast<const QComboBox*>(w);
        // Qt's own parts (the tab bar's scroll buttons...) are left out.
        if (control && !w->objectName().isEmpty() && !w->objectName().startsWith("qt_") &&
            !qobject_cast<const QTabBar*>(w->parent()) && w->toolTip().isEmpty())
            without << w->objectName();
    }
    EXPECT_EQ(without, QStringList());
    UseTranslations("en");
}

// Counts take their plural form in each language through Qt's %n.
TEST(OneLanguage, CountsTakeTheirPluralForm) {
    ProgramFolderFixture folder;
    Restore keepLang(Lang());
    const struct {
        const char* language;
        int count;
        const char* text;
    } forms[] = {
        {"en", 1, "1 object read"},  // singular
        {"en", 3, "3 objects read"}, // plural
        {"en", 0, "0 objects read"}, // English counts nothing in the plural
        {"fr", 0, "0 objet lu"},     // French counts nothing in the singular
        {"fr", 1, "1 objet lu"},     {"fr", 2, "2 objets lus"},
    };
    for (const auto& f : forms) {
        chooseLanguage(folder, f.language);
        EXPECT_EQ(
            QCoreApplication::translate("CatalogueCommands", "%n object(s) read", nullptr, f.count),
            QString::fromUtf8(f.text))
            << f.language << f.count;
    }
    UseTranslations("en");
}

// Switched from the menu, the window shows what a window started in the new
// language shows; the hint keeps its meaning and the plate panel follows.
TEST(OneLanguage, SwitchingChangesEveryText) {
    ProgramFolderFixture folder;
    MessageRecorder boxes;
    Restore keepLang(Lang());
    chooseLanguage(folder, "en");
    std::vector<std::pair<QString, QString>> fresh;
    {
        Form1 english;
        english.ApplyLanguageToForm();
        english.ShowSuggestion(QStringLiteral("calculannuler"), 0);
        fresh = captions(english);
    }
    chooseLanguage(folder, "fr");
    Form1 form;
    form.ApplyLanguageToForm();
    form.ShowSuggestion(QStringLiteral("calculannuler"), 0);
    auto* plate = form.findChild<SolvePanel*>();
    ASSERT_TRUE(plate);
    plate->showPlate([] { return PlateInUseText(SessionState{}, nullptr); }, {});
    const QString frenchPlate = plate->plateText();

    FrmLang::setDriver([](FrmLang& w) { w.OKButton->click(); });
    form.mnu_lang_Click();
    FrmLang::setDriver({});
    auto switched = captions(form);
    // The plate panel is shown in the switched window only.
    std::erase_if(switched, [](const auto& c) { return c.first == "lbl_plate.text"; });
    ASSERT_EQ(switched.size(), fresh.size());
    QStringList differ;
    for (std::size_t i = 0; i < fresh.size(); ++i)
        if (switched[i] != fresh[i])
            differ << switched[i].first + QStringLiteral(": ") + switched[i].second +
                          QStringLiteral(" | ") + fresh[i].second;
    EXPECT_EQ(differ, QStringList());
    EXPECT_EQ(control<QLabel>(form, "sugestion")->text(), Lang().SuggestionTexts[14]);
    EXPECT_EQ(plate->plateText(), PlateInUseText(SessionState{}, nullptr));
    EXPECT_NE(plate->plateText(), frenchPlate);
    UseTranslations("en");
}

// At the window's first size every button of the main window shows its whole
// caption in either language (a sixth command once squeezed "1-Download" to
// "l-Downloac").
TEST(OneLanguage, EveryButtonShowsItsWholeCaption) {
    ProgramFolderFixture folder;
    MessageRecorder boxes;
    Restore keepLang(Lang());
    for (const char* language : {"en", "fr"}) {
        SCOPED_TRACE(language);
        chooseLanguage(folder, language);
        Form1 form;
        form.ApplyLanguageToForm();
        form.show();
        for (int i = 0; i < 5; ++i)
            QApplication::processEvents();
        QStringList cut;
        for (const QPushButton* b : form.findChildren<QPushButton*>()) {
            if (!b->isVisible() || b->text().isEmpty()) continue;
            const int needed = b->fontMetrics().horizontalAdvance(b->text()) + 6;
            if (b->width() < needed)
                cut << QStringLiteral("%1 \"%2\": %3 < %4")
                           .arg(b->objectName(), b->text())
                           .arg(b->width())
                           .arg(needed);
        }
        EXPECT_EQ(cut, QStringList());
    }
    UseTranslations("en");
}
