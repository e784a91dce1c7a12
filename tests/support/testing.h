// Shared helpers of the tests.
#pragma once

#include "platform/messagebox.h"

#include <QString>
#include <QTemporaryDir>
#include <memory>
#include <vector>

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

// A sample file of the test data (the real field).
QString sampleFile(const QString& name);
QByteArray readSample(const QString& name);

// Records every message box and answers questions from a script (default Yes).
class MessageRecorder {
public:
    MessageRecorder();
    ~MessageRecorder();
    std::vector<messagebox::Shown> shown;
    // Decides each question; by default Yes.
    std::function<messagebox::Answer(const messagebox::Shown&)> answer;
};

} // namespace testing_support
