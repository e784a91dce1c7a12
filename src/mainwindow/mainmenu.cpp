#include "mainwindow/mainmenu.h"

#include "settings/options.h"
#include "text/widgets/applylanguage.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

using namespace settings;

namespace {

QMenu* menu(QWidget* parent, const char* name, const char* title) {
    QMenu* m = nullptr;
    if (auto* bar = qobject_cast<QMenuBar*>(parent))
        m = bar->addMenu(QString::fromUtf8(title));
    else
        m = qobject_cast<QMenu*>(parent)->addMenu(QString::fromUtf8(title));
    m->setObjectName(QString::fromLatin1(name));
    return m;
}

void add(QMenu* m, const char* name, const char* text,
         QKeySequence::StandardKey key = QKeySequence::UnknownKey) {
    QAction* a = m->addAction(QString::fromUtf8(text));
    a->setObjectName(QString::fromLatin1(name));
    if (key != QKeySequence::UnknownKey) a->setShortcut(key);
}

} // namespace

MainMenu::MainMenu(QMenuBar* bar) : QObject(bar), m_bar(bar) {
    QMenu* file = menu(bar, "mnu_fichier", "Fichier");
    add(file, "mnu_wizard", "Assistant");
    add(file, "mnu_open", "Ouvrir Projet", QKeySequence::Open);
    add(file, "mnu_save", "Enregistrer Projet", QKeySequence::Save);
    add(file, "mnu_savedefaut", "Save defaut");
    add(file, "mnu_exportwcs", "Export WCS...");
    add(file, "mnu_blindsolve", "Solve without position...");
    add(file, "mnu_blindscales", "Scales known (10 %)");
    command(QStringLiteral("mnu_blindscales"))->setCheckable(true);
    command(QStringLiteral("mnu_blindscales"))
        ->setChecked(options::Value(QStringLiteral("blind/scalesKnown"), false).toBool());
    add(file, "mnu_reportposition", "Report position...");
    file->addSeparator();
    add(file, "mnu_quit", "Qutiter", QKeySequence::Quit);

    QMenu* options = menu(bar, "mnu_option", "Options");
    add(options, "mnu_config", "Correcteurs");
    add(options, "mnu_etalonage", "Etalonage par image");
    add(options, "mnu_etalonage2", "Etalonage classique");
    add(options, "mnu_superetalonage", "Super Etalonage");
    options->addSeparator();
    add(options, "mnu_modeauto", "Mode autonome");
    add(options, "mnu_webbugs", "Internet bugs");
    add(options, "mnu_mpcorb", "Download minor-planet elements...");
    add(options, "mnu_database", "Database");
    add(options, "mnu_lang", "Langue/Language");

    QMenu* help = menu(bar, "mnu_help", "?");
    QMenu* pages = menu(help, "mnu_Aide", "Aide");
    add(pages, "mnu_AideFR", "Français");
    add(pages, "mnu_AideEn", "English");
    add(help, "mnu_about", "A propos");
}

QAction* MainMenu::command(const QString& name) const {
    return m_bar->findChild<QAction*>(name);
}

void MainMenu::retranslate() {
    // FormTexts 2..14, in menu order; the other commands keep their design captions.
    const char* names[] = {"mnu_fichier",    "mnu_wizard",     "mnu_open",           "mnu_save",
                           "mnu_savedefaut", "mnu_quit",       "mnu_option",         "mnu_config",
                           "mnu_etalonage",  "mnu_etalonage2", "mnu_superetalonage", "mnu_help",
                           "mnu_about"};
    for (int k = 0; k < 13; ++k)
        SetFormCaption(m_bar->findChild<QObject*>(QString::fromLatin1(names[k])), k + 2);
    SetFormCaption(command(QStringLiteral("mnu_modeauto")), 82);
    command(QStringLiteral("mnu_exportwcs"))->setText(tr("Export WCS…"));
    command(QStringLiteral("mnu_blindsolve"))->setText(tr("Solve without position…"));
    command(QStringLiteral("mnu_blindscales"))
        ->setText(tr("Typed scales known (±10 %) for the solve without position"));
    // Commands the language files do not name.
    command(QStringLiteral("mnu_webbugs"))->setText(tr("Internet problems"));
    command(QStringLiteral("mnu_database"))->setText(tr("Database"));
    m_bar->findChild<QMenu*>(QStringLiteral("mnu_Aide"))->setTitle(tr("Help"));
    command(QStringLiteral("mnu_reportposition"))->setText(tr("Report position…"));
    command(QStringLiteral("mnu_reportposition"))
        ->setStatusTip(tr("The last point clicked on the solved image as an observation line "
                          "for the Minor Planet Center"));
    command(QStringLiteral("mnu_mpcorb"))->setText(tr("Download minor-planet elements…"));
}
