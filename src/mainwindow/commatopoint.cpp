#include "mainwindow/commatopoint.h"

#include <QLineEdit>

void CommaToPoint(QLineEdit* box) {
    QString text = box->text();
    if (!text.contains(QLatin1Char(','))) return;
    const int caret = box->cursorPosition();
    text.replace(QLatin1Char(','), QLatin1Char('.'));
    // One undoable edit of the whole text, as typing it would be.
    box->selectAll();
    box->insert(text);
    box->setCursorPosition(caret);
}
