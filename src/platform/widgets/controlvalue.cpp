#include "platform/widgets/controlvalue.h"

#include "platform/numbers.h"
#include "platform/textfile.h"
#include "platform/widgets/messagebox.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>

int CheckValue(const QCheckBox* box) {
    switch (box->checkState()) {
    case Qt::Checked:
        return 1;
    case Qt::PartiallyChecked:
        return 2;
    default:
        return 0;
    }
}

void SetCheckValue(QCheckBox* box, int value) {
    box->setCheckState(value == 1   ? Qt::Checked
                       : value == 2 ? Qt::PartiallyChecked
                                    : Qt::Unchecked);
}

QString ControlValue(const QWidget* w) {
    if (auto* e = qobject_cast<const QLineEdit*>(w)) return e->text();
    if (auto* c = qobject_cast<const QCheckBox*>(w)) return QString::number(CheckValue(c));
    if (auto* l = qobject_cast<const QLabel*>(w)) return l->text();
    return QString();
}

bool SetControlValue(QWidget* w, const QString& value) {
    if (auto* e = qobject_cast<QLineEdit*>(w)) {
        e->setText(value);
        return true;
    }
    if (auto* c = qobject_cast<QCheckBox*>(w)) {
        const auto v = numbers::TextToInt16(value);
        if (!v || *v < 0 || *v > 2) return false;
        SetCheckValue(c, *v);
        return true;
    }
    if (auto* l = qobject_cast<QLabel*>(w)) {
        l->setText(value);
        return true;
    }
    return false;
}

QStringList ControlValues(const QWidget* root, const QStringList& names) {
    QStringList values;
    for (const QString& name : names)
        values << ControlValue(root->findChild<QWidget*>(name));
    return values;
}

int SetControlValues(QWidget* root, const QStringList& names, const QStringList& values) {
    int put = 0;
    while (put < names.size() && put < values.size() &&
           SetControlValue(root->findChild<QWidget*>(names[put]), values[put]))
        ++put;
    return put;
}

QString CheckStoredLines(const QWidget* root, const QStringList& names, const QStringList& lines,
                         const QString& path) {
    for (int i = 0; i < names.size(); ++i) {
        if (i >= lines.size())
            return QCoreApplication::translate("StoredControls",
                                               "%1: the file ends after line %2; line %3 (%4) is "
                                               "missing.")
                .arg(path)
                .arg(lines.size())
                .arg(i + 1)
                .arg(names[i]);
        const QWidget* w = root->findChild<QWidget*>(names[i]);
        const bool fits = qobject_cast<const QLineEdit*>(w) || qobject_cast<const QLabel*>(w) ||
                          (qobject_cast<const QCheckBox*>(w) && [&] {
                              const auto v = numbers::TextToInt16(lines[i]);
                              return v && *v >= 0 && *v <= 2;
                          }());
        if (!fits)
            return QCoreApplication::translate(
                       "StoredControls",
                       "%1, line %2: \"%3\" is not a check-box state (0, 1 or 2).")
                .arg(path)
                .arg(i + 1)
                .arg(lines[i]);
    }
    return {};
}

bool SaveControls(QWidget* root, const QStringList& names, const QString& path) {
    const auto written = textfile::WriteLines(path, ControlValues(root, names));
    if (written) return true;
    messagebox::Exclamation(root, path + QStringLiteral(": ") + written.error().message);
    return false;
}
