#include "platform/widgets/helpviewer.h"

#include "platform/programfolder.h"
#include "platform/widgets/messagebox.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

namespace helpviewer {
namespace {
Opener& opener() {
    static Opener o;
    return o;
}
} // namespace

void SetOpener(Opener o) {
    opener() = std::move(o);
}

bool Open(const QString& path, QString* error) {
    if (opener()) return opener()(path, error);
    if (!QFileInfo(path).isFile()) {
        if (error) *error = QCoreApplication::translate("HelpViewer", "File not found");
        return false;
    }
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(path))) {
        if (error)
            *error = QCoreApplication::translate("HelpViewer",
                                                 "No program could be started to show the file");
        return false;
    }
    return true;
}

void OpenProgramPage(QWidget* parent, const QString& name) {
    QString error;
    if (!Open(programfolder::File(name), &error))
        messagebox::Ok(parent, error + QStringLiteral(" (") + programfolder::Path() +
                                   QLatin1Char('/') + name + QLatin1Char(')'));
}

} // namespace helpviewer
