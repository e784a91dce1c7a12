// The program's command line: the help text (also the source of its manual
// page) and what a file given on it, or dropped on the window, is opened as.
#pragma once

#include <QString>
#include <QStringList>

class QMimeData;

namespace commandline {

// What `astroplate --help` prints.
extern const char* const kUsage;

enum class Request { Run, Help, Version, Error };

struct Parsed {
    Request request = Request::Run;
    QString file;     // the image or reduction file to open, when one is given
    QString argument; // Error: the argument that is not understood
};

// Reads the arguments after the program's name (Qt's own options such as
// -platform already taken out).
Parsed Parse(const QStringList& arguments);

// Whether `path` names a reduction file (.pam, any case); anything else is
// opened as an image.
bool IsReductionFile(const QString& path);

// The file a drop on the window carries: its first local file; empty when
// it carries none (text, a web address).
QString DroppedFile(const QMimeData* data);

} // namespace commandline
