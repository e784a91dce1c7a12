// Main window: captions from the language file, hints, language choice,
// about box and help.
#include "mainwindow/form1.h"
#include "mainwindow/startup.h"
#include "platform/widgets/helpviewer.h"
#include "platform/widgets/messagebox.h"
#include "platform/programfolder.h"
#include "text/widgets/frmlang.h"
#include "text/language.h"
#include "text/widgets/splash.h"

#include <QAction>
#include <QCheckBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTabBar>
#include <QTimer>
#include <functional>

namespace {

QString formText(int i) {
    const auto& t = Lang().FormTexts;
    return i >= 0 && i < static_cast<int>(t.size()) ? t[i] : QString();
}

// Captions added after the first language files: applied only when the file
// has them, so an older lang.cfg leaves the design caption in place.
void setOptionalCaption(const std::function<void(const QString&)>& set, int i) {
    const QString text = formText(i);
    if (!text.isEmpty() && text != QLatin1String("[WIZARD]")) set(text);
}

// Reads lang.cfg into the language table; problems are told once, in one box.
void readLanguage(QWidget* parent) {
    const LanguageReadResult r =
        ReadLanguageFile(programfolder::file(QStringLiteral("lang.cfg")), Lang());
    if (r.problems.isEmpty()) return;
    messagebox::ok(
        parent,
        QString::fromUtf8("Le fichier de langue est incomplet; les textes lus sont utilisés.\n"
                          "The language file is incomplete; the texts read are used.\n\n") +
            r.problems.join(QLatin1Char('\n')),
        QStringLiteral("lang.cfg"));
}

bool shippedLanguageFileExists() {
    return QFileInfo::exists(programfolder::file(QStringLiteral("lang-fr.cfg"))) ||
           QFileInfo::exists(programfolder::file(QStringLiteral("lang-en.cfg")));
}

} // namespace

void Form1::ApplyLanguageToForm() {
    setWindowTitle(formText(1));

    mnu_fichier->setTitle(formText(2));
    mnu_wizard->setText(formText(3));
    mnu_open->setText(formText(4));
    mnu_save->setText(formText(5));
    mnu_savedefaut->setText(formText(6));
    mnu_quit->setText(formText(7));
    mnu_option->setTitle(formText(8));
    mnu_config->setText(formText(9));
    mnu_etalonage->setText(formText(10));
    mnu_etalonage2->setText(formText(11));
    mnu_superetalonage->setText(formText(12));
    mnu_help->setTitle(formText(13));
    mnu_about->setText(formText(14));

    DownloadData->setText(formText(15));
    SelectStar->setText(formText(16));
    startCalcul->setText(formText(17));
    FullMap->setText(formText(18));

    for (int i = 0; i <= 6; ++i)
        frm(i)->setTitle(formText(i + 19));
    for (int i = 0; i <= 19; ++i)
        lbl(i)->setText(formText(i + 26));

    LoadCorr->setText(formText(47));
    BoutonEtalo->setText(formText(48));
    CheckAster->setText(formText(49));

    DeriveFormMessages(Lang());

    for (int tab = 1; tab <= 4; ++tab)
        TabStrip1->setTabText(tab - 1, formText(tab + 73));

    CheckDeepObj1->setText(formText(78));
    CheckDeepObj2->setText(formText(79));
    Checkcenter->setText(formText(80));
    CheckAutoload->setText(formText(81));
    mnu_modeauto->setText(formText(82));

    CheckDecideur->setText(frm(6)->title());
    sugestion->setText(Lang().SuggestionTexts[0]);

    // Captions of the minor-planet and deep-sky panels.
    if (auto* date = findChild<QLabel*>(QStringLiteral("lbl_Adate")))
        setOptionalCaption([date](const QString& t) { date->setText(t); }, 83);
    setOptionalCaption([this](const QString& t) { CheckSelectStars->setText(t); }, 84);
    setOptionalCaption([this](const QString& t) { frm(7)->setTitle(t); }, 85);
    setOptionalCaption([this](const QString& t) { frm(8)->setTitle(t); }, 86);
}

void Form1::ShowSuggestion(const QString& key, int step, const QString& value1,
                           const QString& value2) {
    sugestion->setText(SuggestionCaption(sugestion->text(), key, step, value1, value2));
    Timer2->start();
}

void Form1::mnu_lang_Click() {
    FrmLang window(
        [this] {
            readLanguage(this);
            ApplyLanguageToForm();
        },
        this);
    window.showModal();
}

void Form1::mnu_about_Click() {
    // Modal for the whole program, without a nested event loop: the box is
    // gone after the click that closes it.
    auto* about = new frmSplash(this);
    about->setAttribute(Qt::WA_DeleteOnClose);
    about->setWindowModality(Qt::ApplicationModal);
    about->show();
}

namespace {
void openHelp(QWidget* parent, const QString& name) {
    QString error;
    if (!helpviewer::open(programfolder::file(name), &error))
        messagebox::ok(parent, error + QStringLiteral(" (") + programfolder::path() +
                                   QLatin1Char('/') + name + QLatin1Char(')'));
}
} // namespace

void Form1::mnu_AideFR_Click() {
    openHelp(this, QStringLiteral("aide-fr.html"));
}

void Form1::mnu_AideEn_Click() {
    openHelp(this, QStringLiteral("aide-en.html"));
}

void LoadLanguageFile(Form1* form) {
    const QString path = programfolder::file(QStringLiteral("lang.cfg"));
    bool readByChoice = false;
    // First run: ask for a language until one has been chosen. Closing the
    // window without a choice asks again; without any shipped language file
    // there is nothing to choose from, so the design captions stay.
    while (!QFileInfo::exists(path)) {
        if (!shippedLanguageFileExists()) {
            messagebox::ok(form,
                           QString::fromUtf8("Aucun fichier de langue (lang-fr.cfg, lang-en.cfg).\n"
                                             "No language file (lang-fr.cfg, lang-en.cfg).") +
                               QStringLiteral(" (") + programfolder::path() + QLatin1Char(')'));
            return;
        }
        FrmLang window(
            [form, &readByChoice] {
                readLanguage(form);
                readByChoice = true;
                if (form) form->ApplyLanguageToForm();
            },
            form);
        window.showModal();
    }
    // The choice has just read the file; otherwise read it now.
    if (!readByChoice) readLanguage(form);
}
