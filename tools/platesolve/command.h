// What the commands of platesolve share: the exit statuses, the messages on
// stderr and the reading of a command's options.
#pragma once

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QList>
#include <QString>
#include <QStringList>
#include <array>

namespace platesolve {

// The exit statuses, the same for every command.
enum Status {
    kSuccess = 0,
    kBadInput = 2,         // bad arguments, a file that cannot be read or written
    kUnsolvable = 3,       // the field gives no model (too few stars, picks on a line)
    kNoResult = 4,         // nothing to write: no star in the index files, no WCS header
    kNoIdentification = 5, // --auto: the image and the star answer do not match
};

// Prints "platesolve: MESSAGE" on stderr and exits with `status`.
[[noreturn]] void Fail(const QString& message, int status = kBadInput);
// Prints "platesolve: MESSAGE" on stderr and goes on.
void Note(const QString& message);

// One command's options. `usage` is the synopsis its help starts with; the
// help then lists the options with their descriptions.
class CommandLine {
public:
    CommandLine(QString usage, const QList<QCommandLineOption>& options);

    // Reads `args` (args[0] names the program): prints the help and exits 0
    // on -h or --help; exits with kBadInput and the usage on an unknown
    // option, a missing value or a word that is no option.
    void parse(const QStringList& args);
    QString help() const;

    bool isSet(const QString& name) const { return parser_.isSet(name); }
    QString value(const QString& name) const { return parser_.value(name); }
    QStringList values(const QString& name) const { return parser_.values(name); }

    // The value of a number option: exits with kBadInput when it is none.
    double number(const QString& name) const;

private:
    QString usage_;
    QList<QCommandLineOption> options_;
    QCommandLineParser parser_;
};

// A typed angle as the window's boxes hold it: "HH MM SS.S" or "+DD MM SS"
// (blanks or colons between), as three texts and the sign ("+" or "-").
struct TypedAngle {
    std::array<QString, 3> fields;
    QString sign;
};
// Reads the value of option --`name`: with `allThree` the three numbers must
// all be there, otherwise the missing ones are "0"; with `signed` false a
// sign is refused. Exits with kBadInput when it is no such angle.
TypedAngle ReadTypedAngle(const QString& name, const QString& text, bool allThree, bool withSign);

} // namespace platesolve
