// Shared helpers of the tests, and the headers nearly every test needs.
#pragma once

#include "catalogues/minorplanets.h"
#include "platform/widgets/messagebox.h"
#include "reduction/platesolution.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonObject>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <array>
#include <cmath>
#include <gtest/gtest.h>
#include <memory>
#include <stdexcept>
#include <vector>

class QCheckBox;
class QLineEdit;

namespace testing_support {

// A fresh program folder holding a copy of the built program's data files;
// the program folder points at it for the life of the object.
class ProgramFolderFixture {
public:
    ProgramFolderFixture();
    ~ProgramFolderFixture();
    QString path() const { return m_dir.path(); }
    QString file(const QString& name) const { return m_dir.filePath(name); }
    // Writes `bytes` to `name` inside the folder.
    void write(const QString& name, const QByteArray& bytes) const;
    QByteArray read(const QString& name) const;

private:
    QTemporaryDir m_dir;
};

// Puts back a program-wide setting (web switches, sites, limits, language
// table) when the test ends, however it ends.
template <class T> class Restore {
public:
    explicit Restore(T& value) : m_value(value), m_saved(value) {}
    ~Restore() { m_value = m_saved; }
    Restore(const Restore&) = delete;
    Restore& operator=(const Restore&) = delete;

private:
    T& m_value;
    T m_saved;
};

// Whole files, for set-up and checks.
void writeFile(const QString& path, const QByteArray& bytes);
QByteArray readFile(const QString& path);
// Moves a file's modification time `seconds` from now (negative: into the past).
void touch(const QString& path, qint64 seconds);

// A sample file of the test data (the real field).
QString sampleFile(const QString& name);
QByteArray readSample(const QString& name);

// The sample field's true plate solution (gnomonic, from wcs.json): the J2000
// position in degrees of image pixel (x, y), 0-based with y downwards.
struct TrueSky {
    double ra;
    double dec;
};
TrueSky sampleTrueSky(double x, double y);

// The sample field's scales (sample.pam).
constexpr double kSampleCorrAsd = 833.27;
constexpr double kSampleCorrDec = 1575.63;

// The affine plate of the sample's scales that agrees with the true plate at
// three pixels (by default around the middle of the image).
reduction::PlateSolution sampleAffinePlate(const std::array<reduction::PixelPoint, 3>& at = {
                                               reduction::PixelPoint{300, 300},
                                               reduction::PixelPoint{700, 300},
                                               reduction::PixelPoint{500, 700}});

// Degrees of a page's "hh mm ss.s" or "+dd mm ss" (north or zero only).
double sexagesimal(const QString& text);

// The sample field's minor-planet query as a user types it (sample.pam):
// 2022-10-10 21:36 UTC, 22 47 12.2 +58 03 14, 960', V 19.0.
catalogues::MinorPlanetFields sampleMinorPlanetFields();

// (1) Ceres as a record of the MPC's MPCORB export (the layout the MPC publishes).
extern const QByteArray kCeresMpcorbLine;

// `bytes` compressed in the gzip format.
QByteArray gzip(const QByteArray& bytes);
// `unit` repeated `count` times, compressed in the gzip format without ever
// holding the whole text (a small bomb: megabytes that unpack to gigabytes).
QByteArray gzipRepeated(const QByteArray& unit, qint64 count);

// Angular distance in arcseconds between two positions given in degrees.
double separationArcsec(double ra1, double dec1, double ra2, double dec2);

// The command-line solver run with `args`: exit status (-1 for a crash), its
// JSON on standard output and its messages.
struct ToolRun {
    int status = -1;
    QJsonObject json;
    QByteArray out;
    QString err;
};
ToolRun runPlatesolve(const QStringList& args);
// "--pick" arguments a few pixels off the five stars of picks.json, and the
// sample's scales and tolerance.
QStringList samplePickArgs();

// Records every message box and answers questions from a script (default Yes).
class MessageRecorder {
public:
    MessageRecorder();
    ~MessageRecorder();
    std::vector<messagebox::Shown> shown;
    // Decides each question; by default Yes.
    std::function<messagebox::Answer(const messagebox::Shown&)> answer;
};

// The control named `name` (its object name) inside the window or panel
// `root`, of type T. A missing control or one of another type throws, which
// fails the running test with the name in the message.
template <class T> T* control(const QObject& root, const QString& name) {
    T* found = root.findChild<T*>(name);
    if (!found)
        throw std::runtime_error("no control \"" + name.toStdString() + "\" of the expected type");
    return found;
}

// The two kinds the tests reach most.
QLineEdit* edit(const QObject& root, const QString& name);
QCheckBox* check(const QObject& root, const QString& name);

} // namespace testing_support

// Readable QStrings in the messages of failed assertions.
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}
