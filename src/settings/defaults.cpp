#include "settings/defaults.h"

#include "platform/numbers.h"
#include "platform/textfile.h"

#include <QCoreApplication>

namespace settings {

const QStringList& DefaultsFile::controlNames() {
    static const QStringList names = {
        "txt_calcul",    "txt_corrasd", "txt_corrdec",   "txt_distance", "txt_mag",    "txt_mag2",
        "txt_tolerance", "txt_url",     "CheckDecideur", "CheckAster",   "txt_Afield", "Txt_Amag",
        "CheckAutoload", "Checkcenter", "CheckDeepObj1", "CheckDeepObj2"};
    return names;
}

bool DefaultsFile::isCheckBox(int line) {
    return controlNames().value(line - 1).startsWith(QLatin1String("Check"));
}

std::optional<bool> ParseSwitch(const QString& text) {
    const QString t = text.trimmed();
    if (t.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0) return true;
    if (t.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0) return false;
    if (const auto v = numbers::Strict(t)) return *v != 0.0;
    return std::nullopt;
}

DefaultsFile ReadDefaults(const QString& path) {
    DefaultsFile d;
    const auto read = textfile::ReadLines(path);
    if (!read) {
        d.problems << QStringLiteral("defaut.cfg: %1").arg(read.error().message);
        return d;
    }
    const QStringList& lines = read.value();
    for (int i = 0; i < 16; ++i) {
        if (i >= lines.size()) {
            d.problems << QCoreApplication::translate("DefaultsFile",
                                                      "defaut.cfg: the file ends at line %1 of 18")
                              .arg(lines.size());
            return d;
        }
        if (DefaultsFile::isCheckBox(i + 1)) {
            const auto v = numbers::TextToInt16(lines[i]);
            if (!v || *v < 0 || *v > 2) {
                d.problems << QCoreApplication::translate(
                                  "DefaultsFile",
                                  "defaut.cfg, line %1: \"%2\" is not a check state (0, 1 or 2)")
                                  .arg(i + 1)
                                  .arg(lines[i]);
                continue;
            }
            d.values[i] = QString::number(*v);
        } else {
            d.values[i] = lines[i];
        }
    }
    auto readSwitch = [&](int index, std::optional<bool>& out) {
        if (index >= lines.size()) {
            d.problems << QCoreApplication::translate("DefaultsFile",
                                                      "defaut.cfg: the file ends at line %1 of 18")
                              .arg(lines.size());
            return false;
        }
        out = ParseSwitch(lines[index]);
        if (!out)
            d.problems << QCoreApplication::translate(
                              "DefaultsFile",
                              "defaut.cfg, line %1: \"%2\" is neither True nor False")
                              .arg(index + 1)
                              .arg(lines[index]);
        return true;
    };
    if (readSwitch(16, d.autonomousMode)) readSwitch(17, d.updateCheck);
    return d;
}

outcome::Status<outcome::FileError> WriteDefaults(const QString& path, const QStringList& values16,
                                                  bool autonomousMode, bool updateCheck) {
    QStringList lines = values16.mid(0, 16);
    while (lines.size() < 16)
        lines << QString();
    lines << (autonomousMode ? QStringLiteral("True") : QStringLiteral("False"));
    lines << (updateCheck ? QStringLiteral("True") : QStringLiteral("False"));
    return textfile::WriteLines(path, lines);
}

} // namespace settings
