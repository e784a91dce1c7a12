#include "mainwindow/questions.h"

#include "platform/widgets/messagebox.h"
#include "text/language.h"

ReviewAnswer AskAboutCandidate(QWidget* parent, int k, int total, bool centreOutside) {
    // Lines break as in the hints.
    const QString question = (centreOutside ? FormMessage(20) + QLatin1Char('\n') : QString()) +
                             FormMessage(2) + QStringLiteral(" (%1/%2)").arg(k).arg(total);
    switch (messagebox::yesNoCancel(parent, question, FormMessage(3))) {
    case messagebox::Answer::Yes:
        return ReviewAnswer::Yes;
    case messagebox::Answer::No:
        return ReviewAnswer::No;
    default:
        return ReviewAnswer::Cancel;
    }
}
