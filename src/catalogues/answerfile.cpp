#include "catalogues/answerfile.h"

#include "platform/textfile.h"

namespace catalogues {

outcome::Result<QByteArray, outcome::FileError> ReadAnswerFile(const QString& path) {
    auto bytes = regularfile::Read(path, kMaxAnswerFileBytes);
    if (!bytes) return textfile::Reasoned(bytes.error(), kMaxAnswerFileBytes);
    return bytes;
}

} // namespace catalogues
