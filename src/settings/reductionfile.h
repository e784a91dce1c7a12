// The reduction file (.pam): the main window's input controls, one value per
// line, 29 lines, no header and no keys. Check boxes are stored as their
// state 0, 1 or 2; everything else exactly as typed.
#pragma once

#include <QString>
#include <QStringList>

namespace settings {

namespace reductionfile {

// The 29 control names in file order.
const QStringList& controlNames();
bool isCheckBox(int line); // 1-based

// The name a save writes to: ".pam" is appended unless the name already
// holds ".pam" somewhere (case-sensitive).
QString withExtension(const QString& name);

} // namespace reductionfile

} // namespace settings
