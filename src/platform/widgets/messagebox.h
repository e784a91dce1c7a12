// Message boxes of the program. Every box goes through here so that tests can
// see what was shown and answer Yes or No without a person at the screen.
#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace messagebox {

enum class Kind { Information, Exclamation, Question };
enum class Answer { Ok, Yes, No, Cancel };

struct Shown {
    Kind kind;
    QString title;
    QString text;
};

// A box with only an OK button (no icon).
void Ok(QWidget* parent, const QString& text, const QString& title = QString());

// A box with only an OK button and the exclamation icon (reported failures).
void Exclamation(QWidget* parent, const QString& text, const QString& title = QString());

// A Yes/No question; true for Yes.
bool YesNo(QWidget* parent, const QString& text, const QString& title);

// A Yes/No/Cancel question: Yes, No, or Cancel (also for closing the box).
Answer YesNoCancel(QWidget* parent, const QString& text, const QString& title);

// Tests: every box is handed to `responder` instead of being shown; its answer
// is used for questions (Ok is taken as Yes; Cancel is No for a Yes/No question). An empty function
// restores the real boxes.
using Responder = std::function<Answer(const Shown&)>;
void SetResponder(Responder responder);

} // namespace messagebox
