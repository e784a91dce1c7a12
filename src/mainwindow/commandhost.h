// What the window's command classes (catalogue, solve and minor-planet
// commands) need of the window: a widget their messages and dialogs belong
// to, the session and the markers they work on, the message log, the idle
// light, the hints and the typed centre. The main window is one; a test can
// give a fake and run a command without building the window.
#pragma once

#include <QString>

class QWidget;
namespace field {
struct MarkerStore;
struct SessionState;
}

class CommandHost {
public:
    virtual ~CommandHost() = default;

    // The parent of the commands' messages and dialogs (and of the commands).
    virtual QWidget* hostWidget() = 0;
    virtual field::SessionState& session() = 0;
    virtual field::MarkerStore& markers() = 0;
    // A line of the message log.
    virtual void LogMessage(const QString& text) = 0;
    // The idle light: false while a long task runs.
    virtual void SetIdleIndicator(bool idle) = 0;
    // The hint `key` at `step`, with its two values.
    virtual void ShowSuggestion(const QString& key, int step,
                                const QString& value1 = QStringLiteral("0"),
                                const QString& value2 = QStringLiteral("0")) = 0;
    // Reads the typed centre into the session (scaled J2000); false when a
    // coordinate box holds no number.
    virtual bool CentreJ2000() = 0;
    // The caption of the window's button `name`, to name it in a message.
    virtual QString buttonText(const QString& name) = 0;
};
