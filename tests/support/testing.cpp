#include "testing.h"

#include "platform/programfolder.h"
#include "reduction/calibration.h"

#include <QCheckBox>
#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QProcess>
#include <algorithm>
#include <cmath>
#include <vector>
#include <zlib.h>

using namespace reduction;
using namespace field;
using namespace catalogues;

namespace testing_support {

namespace {
void copyTree(const QString& from, const QString& to) {
    QDirIterator it(from, QDir::Files | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString src = it.next();
        const QString rel = QDir(from).relativeFilePath(src);
        const QFileInfo info(src);
        if (info.isExecutable() && !rel.contains(QLatin1Char('.')))
            continue; // the executables themselves
        const QString dst = to + QLatin1Char('/') + rel;
        QDir().mkpath(QFileInfo(dst).path());
        QFile::copy(src, dst);
    }
}
} // namespace

ProgramFolderFixture::ProgramFolderFixture() {
    // What the program ships, not what a run of the built program left beside
    // it (lang.cfg, astroplate.ini, answers): those would change the tests.
    copyTree(QStringLiteral(TEST_PROGRAM_DATA_DIR), m_dir.path());
    copyTree(QStringLiteral(TEST_PROGRAM_DIR "/translations"), m_dir.path() + "/translations");
    programfolder::SetPath(m_dir.path());
}

ProgramFolderFixture::~ProgramFolderFixture() {
    programfolder::SetPath(QString());
}

void ProgramFolderFixture::write(const QString& name, const QByteArray& bytes) const {
    writeFile(file(name), bytes);
}

QByteArray ProgramFolderFixture::read(const QString& name) const {
    return readFile(file(name));
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write " + path.toStdString());
}

QByteArray readFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void touch(const QString& path, qint64 seconds) {
    QFile f(path);
    if (!f.open(QIODevice::ReadWrite) ||
        !f.setFileTime(QDateTime::currentDateTime().addSecs(seconds),
                       QFileDevice::FileModificationTime))
        throw std::runtime_error("cannot touch " + path.toStdString());
}

QString sampleFile(const QString& name) {
    return QStringLiteral(TEST_SAMPLES_DIR "/") + name;
}

QByteArray readSample(const QString& name) {
    return readFile(sampleFile(name));
}

TrueSky sampleTrueSky(double x, double y) {
    const QJsonObject wcs =
        QJsonDocument::fromJson(readSample("wcs.json")).object()["wcs"].toObject();
    const QJsonArray crval = wcs["crval"].toArray();
    const QJsonArray crpix = wcs["crpix_0based"].toArray();
    const QJsonArray cd = wcs["cd"].toArray();
    const double d2r = M_PI / 180.0;
    const double dx = x - crpix[0].toDouble(), dy = y - crpix[1].toDouble();
    const double xi =
        (cd[0].toArray()[0].toDouble() * dx + cd[0].toArray()[1].toDouble() * dy) * d2r;
    const double eta =
        (cd[1].toArray()[0].toDouble() * dx + cd[1].toArray()[1].toDouble() * dy) * d2r;
    const double ra0 = crval[0].toDouble() * d2r, dec0 = crval[1].toDouble() * d2r;
    const double den = std::cos(dec0) - eta * std::sin(dec0);
    double ra = (ra0 + std::atan2(xi, den)) / d2r;
    if (ra < 0) ra += 360;
    const double dec = std::atan2(std::sin(dec0) + eta * std::cos(dec0), std::hypot(xi, den)) / d2r;
    return {ra, dec};
}

PlateSolution sampleAffinePlate(const std::array<PixelPoint, 3>& at) {
    std::array<double, 3> r{}, d{};
    for (int i = 0; i < 3; ++i) {
        const TrueSky s = sampleTrueSky(at[i].x, at[i].y);
        r[i] = s.ra * kSampleCorrAsd;
        d[i] = s.dec * kSampleCorrDec;
    }
    PlateSolution p;
    p.corrAsd = kSampleCorrAsd;
    p.corrDec = kSampleCorrDec;
    p.a = ThreePointModel(at, r, d).value();
    return p;
}

double sexagesimal(const QString& text) {
    const QStringList p = text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    return p.value(0).toDouble() + p.value(1).toDouble() / 60 + p.value(2).toDouble() / 3600;
}

ToolRun runPlatesolve(const QStringList& args) {
    QProcess p;
    p.start(QStringLiteral(TEST_PROGRAM_DIR "/platesolve"), args);
    p.waitForFinished(60000);
    ToolRun r;
    r.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = p.readAllStandardOutput();
    r.json = QJsonDocument::fromJson(r.out).object();
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

QStringList samplePickArgs() {
    return {"--corrasd", "833.27",  "--corrdec", "1575.63", "--tolerance", "20.5",
            "--pick",    "631,135", "--pick",    "902,835", "--pick",      "303,262",
            "--pick",    "494,932", "--pick",    "235,638"};
}

MinorPlanetFields sampleMinorPlanetFields() {
    MinorPlanetFields t;
    t.date = {QStringLiteral("10"), QStringLiteral("10"), QStringLiteral("2022"),
              QStringLiteral("21"), QStringLiteral("36")};
    t.ra = {QStringLiteral("22"), QStringLiteral("47"), QStringLiteral("12.2")};
    t.decSign = QStringLiteral("+");
    t.dec = {QStringLiteral("58"), QStringLiteral("03"), QStringLiteral("14")};
    t.radius = QStringLiteral("960");
    t.limit = QStringLiteral("19.0");
    return t;
}

const QByteArray kCeresMpcorbLine =
    "00001    3.34  0.15 K2555 188.70269   73.27343   80.25221   10.58780  0.0794013  "
    "0.21424651   2.7660512  0 E2024-V47  7330 125 1801-2024 0.80 M-v 30k MPCLINUX   4000      "
    "(1) Ceres              20241101";

QByteArray gzip(const QByteArray& bytes) {
    QByteArray out(qsizetype(compressBound(uLong(bytes.size())) + 64), Qt::Uninitialized);
    z_stream z{};
    deflateInit2(&z, 6, Z_DEFLATED, 16 + MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.constData()));
    z.avail_in = uInt(bytes.size());
    z.next_out = reinterpret_cast<Bytef*>(out.data());
    z.avail_out = uInt(out.size());
    const bool done = deflate(&z, Z_FINISH) == Z_STREAM_END;
    out.truncate(done ? qsizetype(z.total_out) : 0);
    deflateEnd(&z);
    return out;
}

QByteArray gzipRepeated(const QByteArray& unit, qint64 count) {
    QByteArray block;
    while (block.size() < (1 << 20) && count > 0) {
        block += unit;
        --count;
    }
    const qint64 perBlock = block.size() / qMax<qsizetype>(unit.size(), 1);
    QByteArray out;
    std::vector<char> buffer(1 << 16);
    z_stream z{};
    deflateInit2(&z, 9, Z_DEFLATED, 16 + MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
    const auto push = [&](const char* data, qsizetype size, int flush) {
        z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data));
        z.avail_in = uInt(size);
        do {
            z.next_out = reinterpret_cast<Bytef*>(buffer.data());
            z.avail_out = uInt(buffer.size());
            deflate(&z, flush);
            out.append(buffer.data(), qsizetype(buffer.size() - z.avail_out));
        } while (z.avail_out == 0);
    };
    push(block.constData(), block.size(), Z_NO_FLUSH);
    for (; count >= perBlock && perBlock > 0; count -= perBlock)
        push(block.constData(), block.size(), Z_NO_FLUSH);
    for (; count > 0; --count)
        push(unit.constData(), unit.size(), Z_NO_FLUSH);
    push(nullptr, 0, Z_FINISH);
    deflateEnd(&z);
    return out;
}

double separationArcsec(double ra1, double dec1, double ra2, double dec2) {
    const double d2r = M_PI / 180.0;
    const double c = std::sin(dec1 * d2r) * std::sin(dec2 * d2r) +
                     std::cos(dec1 * d2r) * std::cos(dec2 * d2r) * std::cos((ra1 - ra2) * d2r);
    return std::acos(std::clamp(c, -1.0, 1.0)) / d2r * 3600.0;
}

MessageRecorder::MessageRecorder() {
    messagebox::SetResponder([this](const messagebox::Shown& s) {
        shown.push_back(s);
        if (s.kind == messagebox::Kind::Question)
            return answer ? answer(s) : messagebox::Answer::Yes;
        return messagebox::Answer::Ok;
    });
}

MessageRecorder::~MessageRecorder() {
    messagebox::SetResponder({});
}

QLineEdit* edit(const QObject& root, const QString& name) {
    return control<QLineEdit>(root, name);
}

QCheckBox* check(const QObject& root, const QString& name) {
    return control<QCheckBox>(root, name);
}

} // namespace testing_support
