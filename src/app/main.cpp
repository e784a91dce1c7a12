#include "mainwindow/commandline.h"
#include "mainwindow/form1.h"
#include "mainwindow/startup.h"
#include "platform/programfolder.h"

#include <QApplication>
#include <QFileInfo>
#include <QIcon>
#include <cstdio>

using namespace reduction;
using namespace imaging;
using namespace field;

namespace {
// Help and version are answered before the application object exists, so
// that they need no display.
int answerEarly(int argc, char* argv[]) {
    for (int i = 1; i < argc; ++i) {
        const QString a = QString::fromLocal8Bit(argv[i]);
        if (a == QLatin1String("--")) break;
        if (a == QLatin1String("--help") || a == QLatin1String("-h")) {
            std::fputs(commandline::kUsage, stdout);
            return 0;
        }
        if (a == QLatin1String("--version")) {
            std::printf("astroplate %d.%d.%d\n", APP_VERSION_MAJOR, APP_VERSION_MINOR,
                        APP_VERSION_PATCH);
            return 0;
        }
    }
    return -1;
}
} // namespace

int main(int argc, char* argv[]) {
    if (const int rc = answerEarly(argc, argv); rc >= 0) return rc;
    QApplication app(argc, argv);
    programfolder::SetApplicationNames();
    QApplication::setApplicationDisplayName(QStringLiteral("Astroplate"));
    QApplication::setDesktopFileName(QStringLiteral("org.astroplate.Astroplate"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/app.svg")));
    const commandline::Parsed args = commandline::Parse(QApplication::arguments().mid(1));
    if (args.request == commandline::Request::Error) {
        std::fprintf(stderr, "astroplate: unknown argument \"%s\"\n%s", qPrintable(args.argument),
                     commandline::kUsage);
        return 2;
    }
    const QString folderProblem = programfolder::SetUp();
    Form1* form = StartupSequence();
    if (!folderProblem.isEmpty()) form->LogMessage(folderProblem);
    // An image or reduction file named on the command line is opened at once.
    if (!args.file.isEmpty()) form->OpenFile(QFileInfo(args.file).absoluteFilePath());
    const int rc = QApplication::exec();
    delete form;
    return rc;
}
