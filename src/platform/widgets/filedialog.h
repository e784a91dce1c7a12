// Open and save dialogs. Tests can answer them with a fixed path (or a cancel)
// instead of showing them.
#pragma once

#include <QString>
#include <functional>
#include <optional>

class QWidget;

namespace filedialog {

// The chosen path, or nothing when the user cancelled.
std::optional<QString> Open(QWidget* parent, const QString& title, const QString& filter,
                            const QString& folder);
std::optional<QString> Save(QWidget* parent, const QString& title, const QString& filter,
                            const QString& folder);

// Tests: every dialog returns what `answer` gives (nullopt = cancel); an empty
// function restores the real dialogs.
using Answerer = std::function<std::optional<QString>(bool saving, const QString& title)>;
void SetAnswerer(Answerer answerer);

} // namespace filedialog
