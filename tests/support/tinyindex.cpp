#include "tinyindex.h"
#include "testing.h"

#include <QProcess>
#include <QStandardPaths>
#include <fitsio.h>

using namespace reduction;
using namespace field;
using namespace catalogues;

namespace testing_support {

std::vector<TinyIndexStar> sampleIndexStars() {
    std::vector<TinyIndexStar> stars;
    for (const QByteArray& line : readSample("tycho2-n7380.tsv").split('\n')) {
        if (line.startsWith('#') || line.trimmed().isEmpty()) continue;
        const QList<QByteArray> c = line.split('\t');
        stars.push_back({c[0].toDouble(), c[1].toDouble(), c[2].toDouble()});
    }
    return stars;
}

QString buildIndex(const std::vector<TinyIndexStar>& stars, const QString& out, int preset, int id,
                   const QStringList& extra) {
    const QString tool = QStandardPaths::findExecutable("build-astrometry-index");
    if (tool.isEmpty())
        return "build-astrometry-index is missing: install Debian's astrometry.net "
               "(scripts/setup.sh)";
    const QString table = out + ".cat";
    int status = 0;
    fitsfile* f = nullptr;
    char ra[] = "RA", dec[] = "DEC", mag[] = "MAG_VT", d[] = "1D";
    char* names[] = {ra, dec, mag};
    char* forms[] = {d, d, d};
    QFile::remove(table);
    fits_create_diskfile(&f, QFile::encodeName(table).constData(), &status);
    fits_create_tbl(f, BINARY_TBL, 0, 3, names, forms, nullptr, "stars", &status);
    for (size_t i = 0; i < stars.size(); ++i) {
        TinyIndexStar s = stars[i];
        for (int c = 0; c < 3; ++c)
            fits_write_col(f, TDOUBLE, c + 1, LONGLONG(i + 1), 1, 1, &s[size_t(c)], &status);
    }
    fits_close_file(f, &status);
    if (status != 0) return "cannot write the star table";
    QProcess p;
    p.start(tool, QStringList{"-i", table, "-o", out, "-P", QString::number(preset), "-S", "MAG_VT",
                              "-E", "-M", "-I", QString::number(id)} +
                      extra);
    const bool finished = p.waitForFinished(120000);
    QFile::remove(table);
    if (!finished || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return "build-astrometry-index failed: " + QString::fromLocal8Bit(p.readAllStandardError());
    return QString();
}

QString buildSampleIndex(const QString& out, int preset, int id) {
    return buildIndex(sampleIndexStars(), out, preset, id);
}

} // namespace testing_support
