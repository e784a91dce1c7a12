#include "testing.h"

#include "platform/programfolder.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

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
    copyTree(QStringLiteral(TEST_PROGRAM_DIR), m_dir.path());
    programfolder::setPath(m_dir.path());
}

ProgramFolderFixture::~ProgramFolderFixture() { programfolder::setPath(QString()); }

void ProgramFolderFixture::write(const QString& name, const QByteArray& bytes) const {
    QFile f(file(name));
    QDir().mkpath(QFileInfo(f).path());
    if (f.open(QIODevice::WriteOnly))
        f.write(bytes);
}

QByteArray ProgramFolderFixture::read(const QString& name) const {
    QFile f(file(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString sampleFile(const QString& name) { return QStringLiteral(TEST_SAMPLES_DIR "/") + name; }

QByteArray readSample(const QString& name) {
    QFile f(sampleFile(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

MessageRecorder::MessageRecorder() {
    messagebox::setResponder([this](const messagebox::Shown& s) {
        shown.push_back(s);
        if (s.kind == messagebox::Kind::Question)
            return answer ? answer(s) : messagebox::Answer::Yes;
        return messagebox::Answer::Ok;
    });
}

MessageRecorder::~MessageRecorder() { messagebox::setResponder({}); }

} // namespace testing_support
