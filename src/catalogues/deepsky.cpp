#include "catalogues/deepsky.h"

#include "platform/numbers.h"
#include "platform/regularfile.h"
#include "platform/textfile.h"
#include "reduction/rightascension.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <algorithm>
#include <cmath>

namespace {

// The largest NGC or IC file read: some twenty times the shipped ones.
constexpr qint64 kMaxDeepSkyFileBytes = 16 * 1024 * 1024;

// The texts of this file, in the translation context "DeepSky".
struct Texts {
    Q_DECLARE_TR_FUNCTIONS(DeepSky)
};

using textfile::Columns;

double value(QByteArrayView line, qsizetype first, qsizetype last) {
    return numbers::Lenient(Columns(line, first, last));
}

QString text(QByteArrayView line, qsizetype first, qsizetype last) {
    return QString::fromLatin1(Columns(line, first, last));
}

bool blank(QByteArrayView line) {
    return std::all_of(line.begin(), line.end(), [](char c) { return c == ' ' || c == '\t'; });
}

} // namespace

double DeepSkyWindowHalfWidth(double radius, double corrAsd, double corrDec) {
    const double s = std::max(std::abs(corrAsd), std::abs(corrDec));
    return numbers::RoundHalfEven((s + s) / 60 * radius);
}

void ReadDeepSkyCatalogue(QByteArrayView bytes, const QString& prefix, const DeepSkyWindow& window,
                          double corrAsd, double corrDec, DeepSkyTable& table,
                          DeepSkyReadResult& result) {
    const int capacity = std::min(DeepSkyTable::kCapacity, static_cast<int>(table.ra.size()) - 1);
    const double centreRaDegrees = corrAsd != 0 ? window.centreRa / corrAsd : 0.0;
    const double w = window.halfWidth;
    const qsizetype n = bytes.size();
    qsizetype pos = 0;
    int lineNumber = 0;
    while (pos < n) {
        qsizetype end = pos;
        while (end < n && bytes[end] != '\r' && bytes[end] != '\n')
            ++end;
        const QByteArrayView line = bytes.sliced(pos, end - pos);
        if (end < n) end += (bytes[end] == '\r' && end + 1 < n && bytes[end + 1] == '\n') ? 2 : 1;
        pos = end;
        if (++lineNumber <= 2 || blank(line)) continue;

        const double hours =
            (value(line, 24, 25) * 60 + value(line, 21, 22) * 3600 + value(line, 27, 30)) / 3600;
        const double ra = hours * 15;
        const double scaledRa = numbers::RoundHalfEven(UnwrapRa(ra, centreRaDegrees) * corrAsd);
        if (!(window.centreRa - w < scaledRa && scaledRa < window.centreRa + w)) continue;
        const double factor = Columns(line, 32, 32) == QByteArrayView("-") ? -1.0 : 1.0;
        const double d = value(line, 32, 34);
        const double dec =
            (factor * d * 3600 + value(line, 36, 37) * 60 + value(line, 39, 40)) * factor / 3600;
        const double scaledDec = numbers::RoundHalfEven(dec * corrDec);
        if (!(window.centreDec - w < scaledDec && scaledDec < window.centreDec + w)) continue;

        ++result.inWindow;
        if (result.count >= capacity) continue;
        const int i = ++result.count;
        table.ra[i] = scaledRa + 0.0; // + 0.0 turns -0 into 0
        table.dec[i] = scaledDec + 0.0;
        table.name[i] = prefix + numbers::Text(value(line, 1, 5));
        table.magnitude[i] = text(line, 51, 54);
        table.size1[i] = value(line, 62, 67);
        const double size2 = value(line, 69, 73);
        table.size2[i] = size2 == 0 ? table.size1[i] : size2;
        table.positionAngle[i] = value(line, 75, 77);
        table.description[i] = text(line, 79, 86);
        table.pgcName[i] = QStringLiteral("PGC ") + numbers::Text(value(line, 88, 94));
        table.otherName1[i] = text(line, 97, 111);
        table.otherName2[i] = text(line, 113, 127);
        result.positions.push_back({ra, dec});
    }
    table.count = static_cast<int16_t>(result.count);
}

DeepSkyReadResult ReadDeepSkyFiles(const QString& folder, const DeepSkyWindow& window,
                                   double corrAsd, double corrDec, DeepSkyTable& table) {
    DeepSkyReadResult result;
    table.count = 0;
    for (std::size_t k = 0; k < kDeepSkyFiles.size(); ++k) {
        DeepSkyFileStatus& status = result.files[k];
        status.name = QString::fromLatin1(kDeepSkyFiles[k].file);
        QByteArray bytes;
        const regularfile::Failure failure =
            regularfile::Read(QDir(folder).filePath(status.name), kMaxDeepSkyFileBytes, bytes);
        if (failure != regularfile::Failure::None) {
            status.error = textfile::ReasonOf(failure, kMaxDeepSkyFileBytes);
            continue;
        }
        status.opened = true;
        ReadDeepSkyCatalogue(bytes, QString::fromLatin1(kDeepSkyFiles[k].prefix), window, corrAsd,
                             corrDec, table, result);
    }
    return result;
}

QStringList DeepSkyReadNotes(const DeepSkyReadResult& r) {
    QStringList notes;
    for (const DeepSkyFileStatus& f : r.files)
        if (!f.opened)
            notes << Texts::tr("NGC/IC objects: %1 could not be read (%2); its objects are missing")
                         .arg(f.name, f.error);
    if (r.truncated())
        notes << Texts::tr(
                     "NGC/IC objects: %1 objects lie in the window; only the first %2 are kept")
                     .arg(r.inWindow)
                     .arg(r.count);
    return notes;
}
