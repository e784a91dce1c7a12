#include "mainwindow/questions.h"

#include <QCoreApplication>

#include "platform/widgets/messagebox.h"
#include "text/language.h"

using namespace reduction;
using namespace field;
using namespace text;

ReviewAnswer AskAboutCandidate(QWidget* parent, int k, int total, bool centreOutside, int evidence,
                               std::optional<double> odds) {
    // Lines break as in the hints.
    QString question = (centreOutside ? FormMessage(20) + QLatin1Char('\n') : QString()) +
                       FormMessage(2) + QStringLiteral(" (%1/%2)").arg(k).arg(total);
    if (evidence >= 0)
        question += QLatin1Char('\n') +
                    QCoreApplication::translate(
                        "Form1", "Evidence: %1 catalogue stars fall on stars of the image.")
                        .arg(evidence);
    if (odds)
        question += QLatin1Char('\n') +
                    QCoreApplication::translate(
                        "Form1", "Identified from the stars of the whole image: log-odds %1 "
                                 "against chance.")
                        .arg(*odds, 0, 'f', 1);
    switch (messagebox::YesNoCancel(parent, question, FormMessage(3))) {
    case messagebox::Answer::Yes:
        return ReviewAnswer::Yes;
    case messagebox::Answer::No:
        return ReviewAnswer::No;
    default:
        return ReviewAnswer::Cancel;
    }
}
