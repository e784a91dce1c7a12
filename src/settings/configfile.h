// Optical configurations: named telescope and camera combinations with their
// two corrector coefficients (pixels per degree in right ascension and in
// declination), kept as typed texts in the program folder's config.cfg.
//
// config.cfg, one value per line, CR LF:
//   line 1                the number N of configurations, written " N" (a blank
//                         in the sign position); readers ignore blanks around it
//   lines 2 + 3(i - 1)..  name, RA coefficient, Dec coefficient of entry i
// Lines after the 3N + 1st are ignored. At most 15 configurations are kept.
#pragma once

#include "platform/outcome.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace settings {

struct OpticalConfiguration {
    QString name;
    QString corrAsd; // goes to txt_corrasd
    QString corrDec; // goes to txt_corrdec
    bool operator==(const OpticalConfiguration&) const = default;
};

inline constexpr int kMaxOpticalConfigurations = 15;

// The program folder's config.cfg.
QString ConfigFilePath();

struct ConfigFileReading {
    bool opened = false;
    // The complete entries read, in file order, at most 15.
    std::vector<OpticalConfiguration> entries;
    // Why reading stopped early (a short file, a count that is no number, more
    // than 15 entries); empty when the whole file was read.
    QString problem;
};

// Reads the configurations of the file at `path`. Never fails hard: what could
// be read is kept.
ConfigFileReading ReadConfigFile(const QString& path);

// The same reading over the lines of a file; `path` names it in the problem.
ConfigFileReading ParseConfigLines(const QStringList& lines, const QString& path);

// The lines of a file holding `entries` (at most the first 15). A line break
// inside a text would shift every later entry, so it is written as a blank.
QStringList ConfigFileLines(const std::vector<OpticalConfiguration>& entries);

// Writes ConfigFileLines(entries), replacing the file atomically; a failure
// leaves the old file as it was (NotRegular or Unwritable, with the reason).
outcome::Status<outcome::FileError>
WriteConfigFile(const QString& path, const std::vector<OpticalConfiguration>& entries);

// The list the configuration window edits, addressed by list position
// (0-based). Commands with a position outside the list do nothing.
class OpticalConfigurationList {
public:
    explicit OpticalConfigurationList(std::vector<OpticalConfiguration> entries = {});

    int count() const { return static_cast<int>(m_entries.size()); }
    const std::vector<OpticalConfiguration>& entries() const { return m_entries; }
    // The entry at `position`, or nothing outside the list.
    const OpticalConfiguration* at(int position) const;

    // Appends "Config#" with both coefficients "0"; false when the list is full.
    bool addNew();

    // Removes the entry at `position` and gives the position to select next:
    // the same position (now the following entry), the new last one when the
    // last was removed, -1 when the list is empty or `position` is outside it.
    int remove(int position);

    // Stores a text typed into the entry at `position`: field 0 the name,
    // 1 the RA coefficient, 2 the Dec coefficient.
    void setField(int position, int field, const QString& text);

private:
    std::vector<OpticalConfiguration> m_entries;
};

} // namespace settings
