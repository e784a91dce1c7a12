#include "mainwindow/startup.h"

#include "catalogues/webswitches.h"
#include "mainwindow/form1.h"
#include "platform/programfolder.h"
#include "platform/textfile.h"
#include "platform/widgets/messagebox.h"
#include "text/language.h"
#include "text/widgets/frmlang.h"
#include "text/widgets/splash.h"
#include "text/widgets/translations.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QProgressBar>
#include <QTimer>

using namespace reduction;
using namespace imaging;
using namespace field;
using namespace catalogues;
using namespace text;

Form1* StartupSequence() {
    // What saves killed before their rename left behind (a minute old at
    // least, so that a save of another running copy is left alone).
    RemoveStaleSaveFiles(programfolder::Path(), QDateTime::currentDateTime().addSecs(-60));
    auto* splash = new frmSplash;
    splash->show();
    QCoreApplication::processEvents();
    splash->Timer1->start();

    auto* form = new Form1;
    LoadLanguageFile(form);
    form->ApplyLanguageToForm();

    Web().StarSiteEnabled = true;
    Web().MinorPlanetSiteEnabled = true;

    while (splash->Bar->value() < 99)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);

    form->show();
    splash->close();
    delete splash;

    QDir folder(programfolder::Path());
    if (!folder.exists(QStringLiteral("cat"))) folder.mkdir(QStringLiteral("cat"));
    return form;
}

namespace {
bool shippedLanguageFileExists() {
    return QFileInfo::exists(programfolder::File(QStringLiteral("lang-fr.cfg"))) ||
           QFileInfo::exists(programfolder::File(QStringLiteral("lang-en.cfg")));
}
} // namespace

void ReadLanguage(QWidget* parent) {
    const LanguageReadResult r =
        ReadLanguageFile(programfolder::File(QStringLiteral("lang.cfg")), Lang());
    MendFrenchTexts(Lang());
    // The program's own texts and Qt's buttons follow the file's language.
    UseTranslations(LanguageCode(Lang()));
    if (r.problems.isEmpty()) return;
    messagebox::Ok(
        parent,
        QString::fromUtf8("Le fichier de langue est incomplet; les textes lus sont utilisés.\n"
                          "The language file is incomplete; the texts read are used.\n\n") +
            r.problems.join(QLatin1Char('\n')),
        QStringLiteral("lang.cfg"));
}

void ReadLanguageAndApply(Form1* form) {
    ReadLanguage(form);
    if (form) form->ApplyLanguageToForm();
}

void LoadLanguageFile(Form1* form) {
    const QString path = programfolder::File(QStringLiteral("lang.cfg"));
    bool readByChoice = false;
    // First run: ask for a language. Closing the window without a choice
    // takes English, the program's own language (French when only the French
    // file is shipped); without any shipped language file there is nothing to
    // choose from, so the design captions stay.
    if (!QFileInfo::exists(path)) {
        if (!shippedLanguageFileExists()) {
            messagebox::Ok(form,
                           QString::fromUtf8("Aucun fichier de langue (lang-fr.cfg, lang-en.cfg).\n"
                                             "No language file (lang-fr.cfg, lang-en.cfg).") +
                               QStringLiteral(" (") + programfolder::Path() + QLatin1Char(')'));
            return;
        }
        FrmLang window(
            [form, &readByChoice] {
                ReadLanguageAndApply(form);
                readByChoice = true;
            },
            form);
        if (!window.showModal()) {
            const bool english =
                QFileInfo::exists(programfolder::File(QStringLiteral("lang-en.cfg")));
            QString error;
            if (ChooseLanguageFile(english ? QStringLiteral("lang-en.cfg")
                                           : QStringLiteral("lang-fr.cfg"),
                                   &error)) {
                ReadLanguageAndApply(form);
                readByChoice = true;
            } else {
                messagebox::Ok(form, error, QStringLiteral("lang.cfg"));
                return;
            }
        }
    }
    // The choice has just read the file; otherwise read it now.
    if (!readByChoice) ReadLanguage(form);
}
