#include "command.h"

#include "platform/numbers.h"
#include "reduction/sexagesimal.h"

#include <cstdio>
#include <cstdlib>

using namespace reduction;

namespace platesolve {

void Fail(const QString& message, int status) {
    Note(message);
    std::exit(status);
}

void Note(const QString& message) {
    std::fprintf(stderr, "platesolve: %s\n", qPrintable(message));
}

CommandLine::CommandLine(QString usage, const QList<QCommandLineOption>& options)
    : usage_(std::move(usage)), options_(options) {
    options_.append(QCommandLineOption({QStringLiteral("h"), QStringLiteral("help")},
                                       QStringLiteral("print this help and exit")));
    parser_.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser_.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsOptions);
    parser_.addOptions(options_);
}

QString CommandLine::help() const {
    QString text = usage_ + QStringLiteral("options:\n");
    for (const QCommandLineOption& o : options_) {
        QStringList names;
        for (const QString& n : o.names())
            names << (n.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + n;
        QString heading = names.join(QStringLiteral(", "));
        if (!o.valueName().isEmpty()) heading += QLatin1Char(' ') + o.valueName();
        // A long heading gets its description on the next line.
        if (heading.size() > 28) heading += QLatin1Char('\n') + QString(30, QLatin1Char(' '));
        text += QStringLiteral("  %1  %2\n").arg(heading, -28).arg(o.description());
    }
    return text;
}

void CommandLine::parse(const QStringList& args) {
    const bool parsed = parser_.parse(args);
    // Help wins over any other fault, as it always has.
    if (args.contains(QLatin1String("-h")) || args.contains(QLatin1String("--help"))) {
        std::fputs(qPrintable(help()), stdout);
        std::exit(kSuccess);
    }
    if (!parsed) Fail(QStringLiteral("%1\n%2").arg(parser_.errorText(), usage_));
    if (!parser_.positionalArguments().isEmpty())
        Fail(QStringLiteral("unknown argument \"%1\"\n%2")
                 .arg(parser_.positionalArguments().constFirst(), usage_));
}

double CommandLine::number(const QString& name) const {
    const QString text = parser_.value(name);
    const auto v = numbers::Strict(text);
    if (!v) Fail(QStringLiteral("--%1: \"%2\" is not a number").arg(name, text));
    return *v;
}

TypedAngle ReadTypedAngle(const QString& name, const QString& text, bool allThree, bool withSign) {
    const auto read = ReadSexagesimal(text);
    const bool signGiven =
        text.trimmed().startsWith(QLatin1Char('-')) || text.trimmed().startsWith(QLatin1Char('+'));
    if (!read || (allThree && read->fields.size() != 3) || (!withSign && signGiven))
        Fail(QStringLiteral("--%1: \"%2\" is not \"%3\"")
                 .arg(name, text,
                      withSign ? QStringLiteral("+DD MM SS") : QStringLiteral("HH MM SS.S")));
    TypedAngle angle{{QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0")},
                     read->negative ? QStringLiteral("-") : QStringLiteral("+")};
    for (qsizetype i = 0; i < read->fields.size(); ++i)
        angle.fields[i] = read->fields[i];
    return angle;
}

} // namespace platesolve
