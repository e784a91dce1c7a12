#include "mainwindow/startup.h"

#include "catalogues/webswitches.h"
#include "mainwindow/form1.h"
#include "platform/programfolder.h"
#include "text/widgets/splash.h"

#include <QApplication>
#include <QDir>
#include <QProgressBar>
#include <QTimer>

Form1* StartupSequence() {
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

    QDir folder(programfolder::path());
    if (!folder.exists(QStringLiteral("cat"))) folder.mkdir(QStringLiteral("cat"));
    return form;
}
