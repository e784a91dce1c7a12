#include "mainwindow/form1.h"
#include "mainwindow/startup.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Astroplate"));
    QApplication::setApplicationDisplayName(QStringLiteral("Astroplate"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/app.svg")));
    Form1* form = StartupSequence();
    const int rc = QApplication::exec();
    delete form;
    return rc;
}
