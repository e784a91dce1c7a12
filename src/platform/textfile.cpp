#include "platform/textfile.h"

#include <QFile>
#include <QSaveFile>

namespace textfile {

QString decode(const QByteArray& bytes) {
    // Files written by the program are Latin-1; accept UTF-8 too when it is valid.
    QString s = QString::fromUtf8(bytes);
    if (!s.contains(QChar::ReplacementCharacter)) return s;
    return QString::fromLatin1(bytes);
}

QByteArray encode(const QString& text) {
    return text.toUtf8();
}

bool readLines(const QString& path, QStringList& lines, QString* error) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        if (error) *error = f.errorString();
        return false;
    }
    const QString text = decode(f.readAll());
    lines.clear();
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (c == u'\r' || c == u'\n') {
            lines << text.mid(start, i - start);
            if (c == u'\r' && i + 1 < n && text[i + 1] == u'\n') ++i;
            start = i + 1;
        }
    }
    if (start < n) lines << text.mid(start);
    return true;
}

bool writeLines(const QString& path, const QStringList& lines, QString* error) {
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly)) {
        if (error) *error = f.errorString();
        return false;
    }
    QByteArray out;
    for (const QString& l : lines) {
        out += encode(l);
        out += "\r\n";
    }
    if (f.write(out) != out.size() || !f.commit()) {
        if (error) *error = f.errorString();
        return false;
    }
    return true;
}

} // namespace textfile
