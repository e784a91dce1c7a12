#include "catalogues/deepsky.h"

#include "field/catalogueviews.h"
#include "platform/numbers.h"
#include "platform/regularfile.h"
#include "platform/textfile.h"
#include "reduction/rightascension.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <algorithm>
#include <cmath>

using namespace reduction;
using namespace field;

namespace catalogues {

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

        CatalogueRow object;
        object.kind = SkyObjectKind::DeepSky;
        const double hours =
            (value(line, 24, 25) * 60 + value(line, 21, 22) * 3600 + value(line, 27, 30)) / 3600;
        const double ra = hours * 15;
        object.ra = UnwrapRa(ra, centreRaDegrees);
        const double scaledRa = numbers::RoundHalfEven(object.ra * corrAsd);
        if (!(window.centreRa - w < scaledRa && scaledRa < window.centreRa + w)) continue;
        const double factor = Columns(line, 32, 32) == QByteArrayView("-") ? -1.0 : 1.0;
        const double d = value(line, 32, 34);
        object.dec =
            (factor * d * 3600 + value(line, 36, 37) * 60 + value(line, 39, 40)) * factor / 3600;
        const double scaledDec = numbers::RoundHalfEven(object.dec * corrDec);
        if (!(window.centreDec - w < scaledDec && scaledDec < window.centreDec + w)) continue;

        ++result.inWindow;
        if (result.count >= capacity) continue;
        object.id = prefix + numbers::Text(value(line, 1, 5));
        const QString magnitude = text(line, 51, 54).trimmed();
        if (!magnitude.isEmpty()) object.mag = numbers::Strict(magnitude);
        object.size1 = value(line, 62, 67);
        const double size2 = value(line, 69, 73);
        object.size2 = size2 == 0 ? object.size1 : size2;
        object.positionAngle = value(line, 75, 77);
        object.description = text(line, 79, 86);
        object.otherIds = {QStringLiteral("PGC ") + numbers::Text(value(line, 88, 94)),
                           text(line, 97, 111), text(line, 113, 127)};
        ScaleDeepSkyRow(object, corrAsd, corrDec, table, ++result.count);
        result.positions.push_back({ra, object.dec});
        result.objects.push_back(std::move(object));
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
        const auto bytes =
            regularfile::Read(QDir(folder).filePath(status.name), kMaxDeepSkyFileBytes);
        if (!bytes) {
            status.read = textfile::Reasoned(bytes.error(), kMaxDeepSkyFileBytes);
            continue;
        }
        ReadDeepSkyCatalogue(*bytes, QString::fromLatin1(kDeepSkyFiles[k].prefix), window, corrAsd,
                             corrDec, table, result);
    }
    return result;
}

QStringList DeepSkyReadNotes(const DeepSkyReadResult& r) {
    QStringList notes;
    for (const DeepSkyFileStatus& f : r.files)
        if (!f.read)
            notes << Texts::tr("NGC/IC objects: %1 could not be read (%2); its objects are missing")
                         .arg(f.name, f.read.error().message);
    if (r.truncated())
        notes << Texts::tr(
                     "NGC/IC objects: %1 objects lie in the window; only the first %2 are kept")
                     .arg(r.inWindow)
                     .arg(r.count);
    return notes;
}

} // namespace catalogues
