// The values of controls as the program's files store them: a text box's
// text, a label's caption, a check box's state 0 (clear), 1 (ticked) or
// 2 (greyed).
#pragma once

#include <QString>
#include <QStringList>

class QCheckBox;
class QWidget;

int CheckValue(const QCheckBox* box);
void SetCheckValue(QCheckBox* box, int value);

// The stored text of a text box, check box or label; empty for anything else.
QString ControlValue(const QWidget* w);

// Puts a stored value into a text box, check box or label. False when the
// control is none of these or a check-box value is not 0, 1 or 2.
bool SetControlValue(QWidget* w, const QString& value);

// The stored texts of the controls `names` (object names) inside `root`.
QStringList ControlValues(const QWidget* root, const QStringList& names);

// Puts values[i] into the control names[i] inside `root`, in order, and stops
// at the first value that cannot be put or when the values run out. Returns
// how many were put.
int SetControlValues(QWidget* root, const QStringList& names, const QStringList& values);

// Whether the lines of a stored file fit the controls `names` inside `root`
// (one line per control, check-box states 0, 1 or 2): an empty text, or what
// does not fit, naming `path` and the line. A file is applied
// (SetControlValues) only once all of its lines fit.
QString CheckStoredLines(const QWidget* root, const QStringList& names, const QStringList& lines,
                         const QString& path);

// Writes the stored texts of the controls `names` inside `root` to the file
// at `path`, one a line (atomically); false after a message box when the file
// could not be written.
bool SaveControls(QWidget* root, const QStringList& names, const QString& path);
