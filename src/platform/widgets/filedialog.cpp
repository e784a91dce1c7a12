#include "platform/widgets/filedialog.h"

#include "platform/programfolder.h"

#include <QFileDialog>
#include <QSettings>

namespace filedialog {
namespace {
Answerer& answerer() {
    static Answerer a;
    return a;
}

std::optional<QString> orCancel(const QString& path) {
    if (path.isEmpty()) return std::nullopt;
    return path;
}

// The type column of the dialog's file list: Qt's own French translation
// leaves these in English, so the program's translation carries them.
struct SourceText {
    const char* source;
    const char* comment;
};
[[maybe_unused]] const SourceText kFolderType =
    QT_TRANSLATE_NOOP3("QAbstractFileIconProvider", "Folder", "All other platforms");
[[maybe_unused]] const char* const kOtherTypes[] = {
    QT_TRANSLATE_NOOP("QAbstractFileIconProvider", "Drive"),
    QT_TRANSLATE_NOOP("QAbstractFileIconProvider", "Unknown")};
// Qt's file dialog keeps its state (last folder, history, view) in the
// user's settings of "QtProject"; keep that file in the program folder with
// the program's other settings instead of the user's configuration folder.
void keepDialogStateInProgramFolder() {
    for (const auto format : {QSettings::NativeFormat, QSettings::IniFormat})
        QSettings::setPath(format, QSettings::UserScope, programfolder::Path());
}
} // namespace

void SetAnswerer(Answerer a) {
    answerer() = std::move(a);
}

std::optional<QString> Open(QWidget* parent, const QString& title, const QString& filter,
                            const QString& folder) {
    if (answerer()) return answerer()(false, title);
    keepDialogStateInProgramFolder();
    return orCancel(QFileDialog::getOpenFileName(parent, title, folder, filter));
}

std::optional<QString> Save(QWidget* parent, const QString& title, const QString& filter,
                            const QString& folder) {
    if (answerer()) return answerer()(true, title);
    keepDialogStateInProgramFolder();
    return orCancel(QFileDialog::getSaveFileName(parent, title, folder, filter, nullptr,
                                                 QFileDialog::DontConfirmOverwrite));
}

} // namespace filedialog
