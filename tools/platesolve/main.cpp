// platesolve: the program's matching, reading and minor-planet code without a
// window, as commands:
//
//   platesolve solve ...           the field matching of an image (solve.cpp)
//   platesolve minor-planets ...   a field's minor planets from elements (minorplanets.cpp)
//   platesolve COMMAND --help      the options of one command
//
// The forms without a command name still work: "platesolve --image ..." is
// the solve command, "platesolve --local-minor-planets FILE ..." the
// minor-planets one. Errors go to stderr with a non-zero exit status (see
// command.h).
#include "command.h"
#include "minorplanets.h"
#include "solve.h"

#include "platform/programfolder.h"

#include <QCoreApplication>
#include <cstdio>

namespace {

struct Command {
    const char* name;
    const char* summary;
    int (*run)(const QStringList& args);
};

// A new command is one row here and a file of its own beside these.
constexpr Command kCommands[] = {
    {"solve", "match five picks of an image with the stars of a catalogue answer",
     platesolve::RunSolve},
    {"minor-planets", "compute the minor planets of a field from an element file",
     platesolve::RunMinorPlanets},
};

QString overview() {
    QString text = QStringLiteral("usage: platesolve COMMAND [options]\n"
                                  "       platesolve COMMAND --help: the options of COMMAND\n"
                                  "commands:\n");
    for (const Command& c : kCommands)
        text += QStringLiteral("  %1  %2\n").arg(QLatin1String(c.name), -14).arg(c.summary);
    text += QStringLiteral(
        "without a command name, --local-minor-planets ELEMENTS ... is the minor-planets\n"
        "command and any other options (--image ...) are the solve command\n"
        "  platesolve -h | --help: print this help and exit\n");
    return text;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    programfolder::SetApplicationNames();
    if (const QString problem = programfolder::SetUp(); !problem.isEmpty())
        platesolve::Note(problem);
    QStringList args = QCoreApplication::arguments();
    const QString first = args.value(1);
    if (first == QLatin1String("-h") || first == QLatin1String("--help")) {
        std::fputs(qPrintable(overview()), stdout);
        return platesolve::kSuccess;
    }
    for (const Command& c : kCommands)
        if (first == QLatin1String(c.name)) {
            args.removeAt(1);
            return c.run(args);
        }
    if (args.size() < 2) platesolve::Fail(QStringLiteral("no command given\n") + overview());
    if (!first.startsWith(QLatin1Char('-')))
        platesolve::Fail(QStringLiteral("unknown command \"%1\"\n%2").arg(first, overview()));
    // The forms of the earlier versions, which had no command names.
    if (args.contains(QLatin1String("--local-minor-planets")))
        return platesolve::RunMinorPlanets(args);
    return platesolve::RunSolve(args);
}
