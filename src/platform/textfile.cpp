#include "platform/textfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <algorithm>

namespace textfile {

namespace {

// Characters 0x80-0x9F of Windows-1252 (0 where the code page has none;
// those bytes keep their Latin-1 meaning).
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

// Length of the well-formed UTF-8 sequence at `i` (1 for ASCII), 0 when the
// bytes there are not one (overlong forms, surrogates and values above
// U+10FFFF included).
int utf8SequenceAt(const QByteArray& b, qsizetype i) {
    const auto at = [&](qsizetype k) { return static_cast<unsigned char>(b[k]); };
    const unsigned char c = at(i);
    if (c < 0x80) return 1;
    int length = 0;
    unsigned char low = 0x80, high = 0xBF;
    if (c >= 0xC2 && c <= 0xDF)
        length = 2;
    else if (c >= 0xE0 && c <= 0xEF) {
        length = 3;
        if (c == 0xE0) low = 0xA0;
        if (c == 0xED) high = 0x9F;
    } else if (c >= 0xF0 && c <= 0xF4) {
        length = 4;
        if (c == 0xF0) low = 0x90;
        if (c == 0xF4) high = 0x8F;
    } else
        return 0;
    if (i + length > b.size()) return 0;
    if (at(i + 1) < low || at(i + 1) > high) return 0;
    for (int k = 2; k < length; ++k)
        if (at(i + k) < 0x80 || at(i + k) > 0xBF) return 0;
    return length;
}

} // namespace

TextEncoding DetectEncoding(const QByteArray& bytes) {
    qsizetype multibyte = 0, invalid = 0;
    for (qsizetype i = 0; i < bytes.size();) {
        const int n = utf8SequenceAt(bytes, i);
        if (n == 0) {
            ++invalid;
            ++i;
        } else {
            multibyte += n > 1;
            i += n;
        }
    }
    if (invalid == 0 || invalid <= multibyte) return TextEncoding::Utf8;
    return TextEncoding::Windows1252;
}

QString Decode(const QByteArray& bytes) {
    if (DetectEncoding(bytes) == TextEncoding::Utf8) {
        QString s = QString::fromUtf8(bytes); // invalid bytes become U+FFFD
        if (s.startsWith(QChar(0xFEFF))) s.remove(0, 1);
        return s;
    }
    QString s(bytes.size(), Qt::Uninitialized);
    QChar* out = s.data();
    for (const char c : bytes) {
        const auto u = static_cast<unsigned char>(c);
        const char16_t mapped = u >= 0x80 && u <= 0x9F ? kCp1252High[u - 0x80] : 0;
        *out++ = QChar(mapped ? mapped : char16_t{u});
    }
    return s;
}

QByteArray Encode(const QString& text) {
    return text.toUtf8();
}

QString ReasonOf(FileError failure, qint64 maxBytes) {
    const auto tr = [](const char* text) { return QCoreApplication::translate("textfile", text); };
    switch (failure) {
    case FileError::Missing:
        return tr("no such file");
    case FileError::NotRegular:
        return tr("not an ordinary file (a device, a pipe or a folder)");
    case FileError::TooLarge:
        return tr("larger than the %1 bytes such a file can hold").arg(maxBytes);
    case FileError::Unreadable:
        return tr("the file cannot be read");
    case FileError::Unwritable: // the writer gives the system's reason
    case FileError::BadContent: // the reader of the content says what is wrong
        return QString();
    }
    return QString();
}

outcome::Error<FileError> Reasoned(const outcome::Error<FileError>& error, qint64 maxBytes) {
    return {error.kind, ReasonOf(error.kind, maxBytes)};
}

outcome::Result<QStringList, FileError> ReadLines(const QString& path, qint64 maxBytes) {
    const auto bytes = regularfile::Read(path, maxBytes);
    if (!bytes) return Reasoned(bytes.error(), maxBytes);
    const QString text = Decode(*bytes);
    QStringList lines;
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
    return lines;
}

outcome::Status<FileError> WriteBytes(const QString& path, const QByteArray& bytes) {
    // Renaming the new contents over a device node or a FIFO would put an
    // ordinary file in its place: refuse before anything is written.
    const auto target = regularfile::CheckSaveTarget(path);
    if (!target && target.error().kind == FileError::NotRegular) return Reasoned(target.error(), 0);
    QSaveFile f(regularfile::SaveTargetOf(path));
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size() || !f.commit())
        return outcome::Error{FileError::Unwritable, f.errorString()};
    return {};
}

outcome::Status<FileError> WriteLines(const QString& path, const QStringList& lines) {
    QByteArray out;
    for (const QString& l : lines) {
        out += Encode(l);
        out += "\r\n";
    }
    return WriteBytes(path, out);
}

namespace {

template <class View> View columnsOf(View line, qsizetype first, qsizetype last) {
    if (first > line.size()) return {};
    return line.sliced(first - 1, std::min(last, line.size()) - first + 1);
}

} // namespace

QStringView Columns(QStringView line, qsizetype first, qsizetype last) {
    return columnsOf(line, first, last);
}

QByteArrayView Columns(QByteArrayView line, qsizetype first, qsizetype last) {
    return columnsOf(line, first, last);
}

} // namespace textfile

namespace {

// "<name>.XXXXXX": the suffix a temporary save file gets, six letters and
// digits; at least one letter, so that a cache key ending in a point and six
// digits (a magnitude typed with six decimals) is never taken for one.
bool isTemporarySuffix(QStringView suffix) {
    if (suffix.size() != 7 || suffix[0] != u'.') return false;
    bool letter = false;
    for (const QChar c : suffix.sliced(1)) {
        if (!(c.isDigit() || (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'))) return false;
        letter |= c.isLetter();
    }
    return letter;
}

} // namespace

QStringList RemoveStaleSaveFiles(const QString& folder, const QDateTime& olderThan) {
    static const QRegularExpression saved(QStringLiteral(
        R"(^(defaut\.cfg|config\.cfg|data2?|astroplate\.ini|QtProject\.conf|lang[^/\\]*\.cfg|)"
        R"([^/\\]+\.pam|[^/\\]+\.wcs|mpc-report\.txt|temp\.tmp|version\.tmp|)"
        R"(MPCORB\.DAT(\.gz(\.part)?)?)$)"));
    // Files the program writes under a fixed name of their own before putting
    // them in place.
    static const QStringList partial = {QStringLiteral("MPCORB.DAT.gz.part")};
    QStringList removed;
    const auto sweep = [&](const QString& sub, const auto& isSavedName) {
        const QDir dir(sub.isEmpty() ? folder : folder + QLatin1Char('/') + sub);
        for (const QFileInfo& f : dir.entryInfoList(QDir::Files | QDir::Hidden | QDir::System)) {
            const QString name = f.fileName();
            const bool temporary = name.size() > 7 &&
                                   isTemporarySuffix(QStringView(name).right(7)) &&
                                   isSavedName(name.left(name.size() - 7));
            if (!temporary && !(sub.isEmpty() && partial.contains(name))) continue;
            if (f.isSymLink() || f.lastModified() >= olderThan) continue;
            if (QFile::remove(f.filePath()))
                removed << (sub.isEmpty() ? name : sub + QLatin1Char('/') + name);
        }
    };
    sweep(QString(), [](const QString& base) { return saved.match(base).hasMatch(); });
    sweep(QStringLiteral("cat"),
          [](const QString& base) { return base.startsWith(QLatin1String("data")); });
    return removed;
}
