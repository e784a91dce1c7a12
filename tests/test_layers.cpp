// The direction of dependency between the source folders: a file includes
// only from its own folder and from the folders its layer uses (directly or
// through them), as the top CMakeLists.txt lists them; a layer that links
// neither Qt Widgets nor Qt Network (itself or through what it uses)
// includes none of their headers.
#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>

namespace {

using Table = QHash<QString, QStringList>; // key: folder, tools file or "app"

// Reads "key: word word ..." lines.
Table readTable(const QString& path) {
    Table table;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) return table;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        const qsizetype colon = line.indexOf(QLatin1Char(':'));
        if (colon <= 0) continue;
        table.insert(line.left(colon).trimmed(),
                     line.mid(colon + 1).split(QLatin1Char(' '), Qt::SkipEmptyParts));
    }
    return table;
}

// The key itself and every folder it reaches through its uses.
QSet<QString> closure(const Table& uses, const QString& key) {
    QSet<QString> seen{key};
    QStringList todo{key};
    while (!todo.isEmpty())
        for (const QString& next : uses.value(todo.takeLast()))
            if (!seen.contains(next)) {
                seen.insert(next);
                todo << next;
            }
    return seen;
}

struct Source {
    QString path;   // relative to the source root, e.g. src/field/session.h
    QString key;    // its entry of the layer table
    QString folder; // the folder its own includes start from
};

std::vector<Source> sources(const Table& uses) {
    const QDir root(QStringLiteral(SOURCE_ROOT));
    std::vector<Source> out;
    for (const QString& top : {QStringLiteral("src"), QStringLiteral("tools")}) {
        QDirIterator it(root.filePath(top), {QStringLiteral("*.h"), QStringLiteral("*.cpp")},
                        QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString rel = root.relativeFilePath(it.next());
            const QString dir = QFileInfo(rel).path();
            Source s{rel, QString(), dir.mid(top.size() + 1)};
            // A tool is one file of tools/ or a folder of its own there.
            if (top == QLatin1String("tools"))
                s.key = dir == top ? rel : dir;
            else
                s.key = s.folder;
            if (!uses.contains(s.key)) s.key.clear();
            out.push_back(s);
        }
    }
    return out;
}

struct Include {
    int line;
    QString target;
    bool quoted;
};

std::vector<Include> includes(const QString& path) {
    static const QRegularExpression re(QStringLiteral(R"(^\s*#\s*include\s*([<"])([^">]+)[">])"));
    std::vector<Include> out;
    QFile file(QStringLiteral(SOURCE_ROOT "/") + path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) return out;
    int n = 0;
    while (!file.atEnd()) {
        ++n;
        const auto m = re.match(QString::fromUtf8(file.readLine()));
        if (m.hasMatch()) out.push_back({n, m.captured(2), m.captured(1) == QLatin1String("\"")});
    }
    return out;
}

bool qtHeaderIn(const char* dirs, const QString& name) {
    for (const QString& dir : QString::fromUtf8(dirs).split(QLatin1Char(';'), Qt::SkipEmptyParts))
        if (QFileInfo::exists(dir + QLatin1Char('/') + name)) return true;
    return false;
}

} // namespace

TEST(Layers, TableListsTheFoldersInOrder) {
    const Table uses = readTable(QStringLiteral(LAYERS_FILE));
    ASSERT_FALSE(uses.isEmpty()) << LAYERS_FILE;
    // Nothing below the main window reaches it, and the solver links no window code.
    for (auto it = uses.begin(); it != uses.end(); ++it)
        if (it.key() != QLatin1String("mainwindow") && it.key() != QLatin1String("app")) {
            EXPECT_FALSE(closure(uses, it.key()).contains(QStringLiteral("mainwindow")))
                << it.key().toStdString();
        }
    const QSet<QString> solver = closure(uses, QStringLiteral("tools/platesolve"));
    for (const QString& folder : solver)
        EXPECT_FALSE(folder.endsWith(QLatin1String("widgets")) ||
                     folder.endsWith(QLatin1String("net")))
            << folder.toStdString();
    // Every folder of src/ holding sources is a layer (or the program's entry).
    for (const Source& s : sources(uses))
        EXPECT_FALSE(s.key.isEmpty()) << s.path.toStdString() << ": its folder is no layer";
}

TEST(Layers, EveryIncludePointsDownward) {
    const Table uses = readTable(QStringLiteral(LAYERS_FILE));
    const Table qt = readTable(QStringLiteral(LAYERS_QT_FILE));
    ASSERT_FALSE(uses.isEmpty());
    int checked = 0;
    for (const Source& s : sources(uses)) {
        if (s.key.isEmpty()) continue;
        const QSet<QString> allowed = closure(uses, s.key) << s.folder;
        bool widgets = false, network = false;
        for (const QString& folder : allowed) {
            widgets |= qt.value(folder).contains(QStringLiteral("Widgets"));
            network |= qt.value(folder).contains(QStringLiteral("Network"));
        }
        for (const Include& inc : includes(s.path)) {
            ++checked;
            const std::string where = s.path.toStdString() + ":" + std::to_string(inc.line) + ": " +
                                      inc.target.toStdString();
            if (!inc.quoted) {
                if (!widgets) {
                    EXPECT_FALSE(qtHeaderIn(QT_WIDGETS_HEADERS, inc.target))
                        << where << " is a Qt Widgets header; the layer does not link Qt Widgets";
                }
                if (!network) {
                    EXPECT_FALSE(qtHeaderIn(QT_NETWORK_HEADERS, inc.target))
                        << where << " is a Qt Network header; the layer does not link Qt Network";
                }
                continue;
            }
            EXPECT_FALSE(inc.target.contains(QLatin1String(".."))) << where << " climbs folders";
            const qsizetype slash = inc.target.lastIndexOf(QLatin1Char('/'));
            const QString folder = slash < 0 ? s.folder : inc.target.left(slash);
            // A name without a folder is a file beside the source.
            const QString file =
                slash < 0
                    ? QFileInfo(QStringLiteral(SOURCE_ROOT "/") + s.path).dir().filePath(inc.target)
                    : QStringLiteral(SOURCE_ROOT "/src/") + inc.target;
            EXPECT_TRUE(QFileInfo::exists(file))
                << where << " names no file beside it or under src/";
            EXPECT_TRUE(allowed.contains(folder))
                << where << " points upward or sideways: " << s.key.toStdString()
                << " does not use " << folder.toStdString();
        }
    }
    EXPECT_GT(checked, 100);
}

TEST(Layers, SolverLinksNoWidgetsOrNetwork) {
    QProcess ldd;
    ldd.start(QStringLiteral("ldd"), {QStringLiteral(PLATESOLVE_PATH)});
    if (!ldd.waitForFinished(10000) || ldd.exitCode() != 0) GTEST_SKIP() << "ldd did not run";
    const QByteArray libs = ldd.readAllStandardOutput();
    EXPECT_TRUE(libs.contains("libQt6Core"));
    EXPECT_FALSE(libs.contains("libQt6Widgets"));
    EXPECT_FALSE(libs.contains("libQt6Network"));
}
