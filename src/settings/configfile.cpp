#include "settings/configfile.h"

#include "platform/numbers.h"
#include "platform/programfolder.h"
#include "platform/textfile.h"

#include <QCoreApplication>
#include <QStringList>

namespace settings {

namespace {

// The texts of this file, in the translation context "ConfigFile".
struct Texts {
    Q_DECLARE_TR_FUNCTIONS(ConfigFile)
};

QString oneLine(QString text) {
    text.replace(QLatin1String("\r\n"), QLatin1String(" "));
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text;
}

} // namespace

QString ConfigFilePath() {
    return programfolder::File(QStringLiteral("config.cfg"));
}

ConfigFileReading ReadConfigFile(const QString& path) {
    const auto lines = textfile::ReadLines(path);
    if (!lines) {
        ConfigFileReading r;
        r.problem = Texts::tr("%1: %2").arg(path, lines.error().message);
        return r;
    }
    return ParseConfigLines(*lines, path);
}

ConfigFileReading ParseConfigLines(const QStringList& lines, const QString& path) {
    ConfigFileReading r;
    r.opened = true;
    if (lines.isEmpty()) {
        r.problem = Texts::tr("%1 is empty: it holds no number of configurations.").arg(path);
        return r;
    }
    const auto count = numbers::TextToInt16(lines[0]);
    if (!count || *count < 0) {
        r.problem =
            Texts::tr("%1, line 1: \"%2\" is not a number of configurations.").arg(path, lines[0]);
        return r;
    }
    int wanted = *count;
    if (wanted > kMaxOpticalConfigurations) {
        r.problem =
            Texts::tr("%1 holds %2 configurations; only the first %3 are read.")
                .arg(path, QString::number(wanted), QString::number(kMaxOpticalConfigurations));
        wanted = kMaxOpticalConfigurations;
    }
    for (int i = 0; i < wanted; ++i) {
        const int first = 1 + 3 * i; // 0-based line of the name
        if (first + 2 >= lines.size()) {
            r.problem =
                Texts::tr("%1 ends at line %2: configuration %3 of %4 is missing or incomplete.")
                    .arg(path, QString::number(lines.size()), QString::number(i + 1),
                         QString::number(*count));
            return r;
        }
        r.entries.push_back({lines[first], lines[first + 1], lines[first + 2]});
    }
    return r;
}

QStringList ConfigFileLines(const std::vector<OpticalConfiguration>& entries) {
    const int n = std::min(static_cast<int>(entries.size()), kMaxOpticalConfigurations);
    QStringList lines;
    lines << QStringLiteral(" %1").arg(n);
    for (int i = 0; i < n; ++i)
        lines << oneLine(entries[i].name) << oneLine(entries[i].corrAsd)
              << oneLine(entries[i].corrDec);
    return lines;
}

outcome::Status<outcome::FileError>
WriteConfigFile(const QString& path, const std::vector<OpticalConfiguration>& entries) {
    return textfile::WriteLines(path, ConfigFileLines(entries));
}

OpticalConfigurationList::OpticalConfigurationList(std::vector<OpticalConfiguration> entries)
    : m_entries(std::move(entries)) {
    if (count() > kMaxOpticalConfigurations) m_entries.resize(kMaxOpticalConfigurations);
}

const OpticalConfiguration* OpticalConfigurationList::at(int position) const {
    if (position < 0 || position >= count()) return nullptr;
    return &m_entries[position];
}

bool OpticalConfigurationList::addNew() {
    if (count() >= kMaxOpticalConfigurations) return false;
    m_entries.push_back({QStringLiteral("Config#"), QStringLiteral("0"), QStringLiteral("0")});
    return true;
}

int OpticalConfigurationList::remove(int position) {
    if (position < 0 || position >= count()) return -1;
    m_entries.erase(m_entries.begin() + position);
    return std::min(position, count() - 1); // -1 when the list is now empty
}

void OpticalConfigurationList::setField(int position, int field, const QString& text) {
    if (position < 0 || position >= count()) return;
    OpticalConfiguration& e = m_entries[position];
    switch (field) {
    case 0:
        e.name = text;
        break;
    case 1:
        e.corrAsd = text;
        break;
    case 2:
        e.corrDec = text;
        break;
    default:
        break;
    }
}

} // namespace settings
