#include "mainwindow/form1.h"
#include "mainwindow/startup.h"

#include <QApplication>
#include <QFileInfo>
#include <QIcon>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Astroplate"));
    QApplication::setApplicationDisplayName(QStringLiteral("Astroplate"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/app.svg")));
    Form1* form = StartupSequence();
    // A reduction file named on the command line is opened at once.
    const QStringList args = QApplication::arguments();
    if (args.size() > 1 && args.at(1).endsWith(QLatin1String(".pam")))
        form->OpenReduction(QFileInfo(args.at(1)).absoluteFilePath());
    const int rc = QApplication::exec();
    delete form;
    return rc;
}
