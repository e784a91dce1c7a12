// The default settings file defaut.cfg: 18 lines, one value per line, no keys.
// Lines 1-16 are control values (texts, or check states 0/1/2), in this order:
//   txt_calcul, txt_corrasd, txt_corrdec, txt_distance, txt_mag, txt_mag2,
//   txt_tolerance, txt_url, CheckDecideur, CheckAster, txt_Afield, Txt_Amag,
//   CheckAutoload, Checkcenter, CheckDeepObj1, CheckDeepObj2
// Lines 17 and 18 are the autonomous mode and the update check, "True"/"False".
#pragma once

#include "platform/outcome.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace settings {

struct DefaultsFile {
    static const QStringList& controlNames(); // the 16 control names in file order
    static bool isCheckBox(int line);         // 1-based line number

    // What could be read: values[i] for line i + 1; a line that is missing or
    // malformed is left out (nullopt), so the caller keeps the design value.
    std::optional<QString> values[16];
    std::optional<bool> autonomousMode;
    std::optional<bool> updateCheck;
    QStringList problems; // empty when the whole file was read cleanly
};

// Reads the file at `path`; never fails (a missing file gives no values and one problem).
DefaultsFile ReadDefaults(const QString& path);

// Reads a truth value as stored: "True"/"False" in any case, or a number (0 is false).
std::optional<bool> ParseSwitch(const QString& text);

// Writes the 16 values and the two switches with CR LF line ends, atomically.
// NotRegular or Unwritable, with the reason, when the file could not be
// written.
outcome::Status<outcome::FileError> WriteDefaults(const QString& path, const QStringList& values16,
                                                  bool autonomousMode, bool updateCheck);

} // namespace settings
