#include "mainwindow/commatopoint.h"

#include <QLineEdit>

void CommaToPoint(QLineEdit* box) {
    const QString text = box->text();
    const qsizetype pos = text.indexOf(QLatin1Char(','));
    if (pos < 0) return;
    box->setSelection(static_cast<int>(pos), 1);
    box->insert(QStringLiteral("."));
}
