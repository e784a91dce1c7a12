#include "platform/widgets/filedialog.h"

#include <QFileDialog>

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
} // namespace

void SetAnswerer(Answerer a) {
    answerer() = std::move(a);
}

std::optional<QString> Open(QWidget* parent, const QString& title, const QString& filter,
                            const QString& folder) {
    if (answerer()) return answerer()(false, title);
    return orCancel(QFileDialog::getOpenFileName(parent, title, folder, filter));
}

std::optional<QString> Save(QWidget* parent, const QString& title, const QString& filter,
                            const QString& folder) {
    if (answerer()) return answerer()(true, title);
    return orCancel(QFileDialog::getSaveFileName(parent, title, folder, filter, nullptr,
                                                 QFileDialog::DontConfirmOverwrite));
}

} // namespace filedialog
