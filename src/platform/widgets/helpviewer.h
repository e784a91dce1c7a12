// Opens a help page with the desktop's viewer for its file type (the web
// browser for .html). Tests can take the request instead of starting a viewer.
#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace helpviewer {

// Starts the viewer on the file at `path` and returns at once. False, with a
// description of the failure in `error`, when the file is missing or no
// viewer could be started.
bool Open(const QString& path, QString* error = nullptr);

// Opens the page `name` of the program folder; a failure is told in a
// message box naming the page's path.
void OpenProgramPage(QWidget* parent, const QString& name);

// Tests: every request goes to `opener` instead; an empty function restores
// the desktop's viewer.
using Opener = std::function<bool(const QString& path, QString* error)>;
void SetOpener(Opener opener);

} // namespace helpviewer
