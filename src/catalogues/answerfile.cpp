#include "catalogues/answerfile.h"

#include "platform/textfile.h"

namespace catalogues {

regularfile::Failure ReadAnswerFile(const QString& path, QByteArray& bytes) {
    const regularfile::Failure failure = regularfile::Read(path, kMaxAnswerFileBytes, bytes);
    if (failure != regularfile::Failure::None) bytes.clear();
    return failure;
}

QString AnswerFileReason(regularfile::Failure failure) {
    return textfile::ReasonOf(failure, kMaxAnswerFileBytes);
}

} // namespace catalogues
