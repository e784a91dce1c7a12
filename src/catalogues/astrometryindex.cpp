// The star index files of astrometry.net, read through its library: the star
// kd-tree gives the positions, the tag-along table the magnitudes.
//
// The library maps the files into memory and trusts what their headers say:
// a file cut short faults on the first read beyond its end, and a star count
// or tree size that disagrees with the tables makes its star search read and
// write outside them (it only prints a warning). Every file is therefore
// checked with cfitsio first: each HDU must end within the file, and the star
// tree's header must agree with every table of the tree (sizes, node links,
// split dimensions, value ranges). What the library reports on failure is
// caught and shown, not printed.
#include "catalogues/localstars.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <bit>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fitsio.h>
#include <limits>
#include <map>
#include <optional>

extern "C" {
#include <astrometry/errors.h>
#include <astrometry/fitstable.h>
#include <astrometry/healpix.h>
#include <astrometry/starkd.h>
}

using namespace reduction;
using namespace field;

namespace catalogues {

namespace {

// The texts of this file, in the translation context "LocalStars".
struct Texts {
    Q_DECLARE_TR_FUNCTIONS(LocalStars)
};

// Column names of the magnitudes, in order of preference.
constexpr const char* kVisualColumns[] = {"MAG_VT", "MAG_V", "MAG", "mag", "phot_g_mean_mag"};
constexpr const char* kBlueColumns[] = {"MAG_BT", "MAG_B", "phot_bp_mean_mag"};

struct Layout {
    bool allSky = true;
    int healpix = -1;
    int nside = 0;
};

// One binary table of the file, by the name of its first column.
struct Table {
    int hdu = 0;
    LONGLONG rows = 0;
    LONGLONG width = 0; // bytes per row
    LONGLONG bytes() const { return rows * width; }
};

// What the star tree's header says about its tables.
struct TreeHeader {
    bool found = false;
    long long stars = 0;        // KDT_NDAT
    long long dims = 0;         // KDT_NDIM
    long long nodes = 0;        // KDT_NNOD
    QByteArray ext, tree, data; // KDT_EXT, KDT_INT, KDT_DATA
    QByteArray endian;          // ENDIAN of the tree's tables, when given
};

// Bytes of one value of a tree's value type; 0 for an unknown type.
int typeSize(const QByteArray& type) {
    if (type == "double") return 8;
    if (type == "float" || type == "u32") return 4;
    if (type == "u16") return 2;
    return 0;
}

QByteArray nativeEndian() {
    return std::endian::native == std::endian::little ? QByteArrayLiteral("04:03:02:01")
                                                      : QByteArrayLiteral("01:02:03:04");
}

bool readKey(fitsfile* f, int type, const char* key, void* value) {
    int s = 0;
    return fits_read_key(f, type, key, value, nullptr, &s) == 0;
}

QByteArray readStringKey(fitsfile* f, const char* key) {
    char text[FLEN_VALUE] = {};
    return readKey(f, TSTRING, key, text) ? QByteArray(text).trimmed() : QByteArray();
}

// The whole table in native order, or nothing when cfitsio cannot read it.
std::optional<QByteArray> tableBytes(fitsfile* f, const Table& t) {
    int status = 0, type = 0;
    QByteArray bytes(static_cast<qsizetype>(t.bytes()), Qt::Uninitialized);
    if (fits_movabs_hdu(f, t.hdu, &type, &status)) return std::nullopt;
    if (t.bytes() > 0 &&
        fits_read_tblbytes(f, 1, 1, t.bytes(), reinterpret_cast<unsigned char*>(bytes.data()),
                           &status))
        return std::nullopt;
    return bytes;
}

template <class T> T valueAt(const QByteArray& bytes, qsizetype i) {
    T v;
    std::memcpy(&v, bytes.constData() + i * qsizetype(sizeof(T)), sizeof(T));
    return v;
}

// Checks that the star tree's tables are what its header says, so that the
// library's search stays within them. `tables` maps table names to tables,
// `magnitudeRows` the rows of every table holding a magnitude column the
// program reads. An empty text when the tree is sound.
QString checkStarTree(fitsfile* f, const TreeHeader& h, const std::map<QByteArray, Table>& tables,
                      const std::vector<LONGLONG>& magnitudeRows, qint64 fileSize) {
    const auto damaged = [](const QString& what) {
        return Texts::tr("damaged star tree (%1)").arg(what);
    };
    const auto lacks = [](const char* what) {
        return Texts::tr("the star tree lacks %1").arg(QString::fromLatin1(what));
    };
    if (!h.found) return lacks("kdtree_header_stars");
    const int extSize = typeSize(h.ext), treeSize = typeSize(h.tree), dataSize = typeSize(h.data);
    if (!extSize || !treeSize || !dataSize)
        return damaged(QStringLiteral("KDT_EXT/KDT_INT/KDT_DATA = %1/%2/%3")
                           .arg(QString::fromLatin1(h.ext), QString::fromLatin1(h.tree),
                                QString::fromLatin1(h.data)));
    if (!h.endian.isEmpty() && h.endian != nativeEndian())
        return damaged(QStringLiteral("ENDIAN = %1").arg(QString::fromLatin1(h.endian)));
    // Stars are unit vectors: three dimensions.
    if (h.dims != 3) return damaged(QStringLiteral("KDT_NDIM = %1").arg(h.dims));
    // Every star takes several bytes of the file; the library counts in int.
    if (h.stars < 1 || h.stars > fileSize || h.stars > std::numeric_limits<qint32>::max())
        return damaged(QStringLiteral("KDT_NDAT = %1").arg(h.stars));
    // A complete binary tree: 2^k - 1 nodes, and no more leaves than stars.
    const long long leaves = (h.nodes + 1) / 2;
    if (h.nodes < 1 || h.nodes > 2 * h.stars || !std::has_single_bit(quint64(h.nodes + 1)) ||
        leaves > h.stars)
        return damaged(QStringLiteral("KDT_NNOD = %1, KDT_NDAT = %2").arg(h.nodes).arg(h.stars));
    const long long interior = h.nodes - leaves;

    const auto table = [&](const char* name) -> const Table* {
        const auto it = tables.find(QByteArray(name));
        return it == tables.end() ? nullptr : &it->second;
    };
    // A table of `count` items of `itemSize` bytes each.
    const auto sized = [&](const char* name, const Table* t, long long count,
                           long long itemSize) -> QString {
        if (t->bytes() == count * itemSize && t->width > 0 && t->width % itemSize == 0)
            return QString();
        return damaged(QStringLiteral("%1: %2 × %3 B, not %4 × %5 B")
                           .arg(QString::fromLatin1(name))
                           .arg(t->rows)
                           .arg(t->width)
                           .arg(count)
                           .arg(itemSize));
    };
    const auto unreadable = [](const char* name) {
        return Texts::tr("the star tree's table %1 cannot be read").arg(QString::fromLatin1(name));
    };
    const auto entry = [&](const char* name, qsizetype i, qint64 value) {
        return damaged(
            QStringLiteral("%1[%2] = %3").arg(QString::fromLatin1(name)).arg(i).arg(value));
    };

    const Table* data = table("kdtree_data_stars");
    if (!data) return Texts::tr("holds no star tree");
    if (QString e = sized("kdtree_data_stars", data, h.stars, h.dims * dataSize); !e.isEmpty())
        return e;
    if (const Table* sweep = table("sweep"))
        if (QString e = sized("sweep", sweep, h.stars, 1); !e.isEmpty()) return e;
    for (const LONGLONG rows : magnitudeRows)
        if (rows < h.stars)
            return damaged(QStringLiteral("MAG: %1 < KDT_NDAT = %2").arg(rows).arg(h.stars));

    // Leaves: the last star of each, in order, the last one the last star.
    if (const Table* lr = table("kdtree_lr_stars")) {
        if (QString e = sized("kdtree_lr_stars", lr, leaves, 4); !e.isEmpty()) return e;
        const auto bytes = tableBytes(f, *lr);
        if (!bytes) return unreadable("kdtree_lr_stars");
        qint32 previous = -1;
        for (qsizetype i = 0; i < leaves; ++i) {
            const auto last = valueAt<qint32>(*bytes, i);
            if (last < previous || last >= h.stars || (i == leaves - 1 && last != h.stars - 1))
                return entry("kdtree_lr_stars", i, last);
            previous = last;
        }
    }

    // The permutation to the catalogue order: every star once.
    if (const Table* perm = table("kdtree_perm_stars")) {
        if (QString e = sized("kdtree_perm_stars", perm, h.stars, 4); !e.isEmpty()) return e;
        const auto bytes = tableBytes(f, *perm);
        if (!bytes) return unreadable("kdtree_perm_stars");
        for (qsizetype i = 0; i < h.stars; ++i) {
            const auto to = valueAt<quint32>(*bytes, i);
            if (to >= quint64(h.stars)) return entry("kdtree_perm_stars", i, to);
        }
    }

    // Split dimensions: from their own table, or the low bits of an integer
    // split value; always one of the three.
    const Table* splitDim = table("kdtree_splitdim_stars");
    if (splitDim) {
        if (QString e = sized("kdtree_splitdim_stars", splitDim, interior, 1); !e.isEmpty())
            return e;
        const auto bytes = tableBytes(f, *splitDim);
        if (!bytes) return unreadable("kdtree_splitdim_stars");
        for (qsizetype i = 0; i < interior; ++i)
            if (quint8((*bytes)[i]) >= h.dims)
                return entry("kdtree_splitdim_stars", i, quint8((*bytes)[i]));
    }
    const Table* split = table("kdtree_split_stars");
    const Table* boxes = table("kdtree_bb_stars");
    if (!split && !boxes) return lacks("kdtree_split_stars");
    if (split) {
        if (QString e = sized("kdtree_split_stars", split, interior, treeSize); !e.isEmpty())
            return e;
        const bool integerTree = h.tree == "u32" || h.tree == "u16";
        if (!splitDim && !integerTree) return lacks("kdtree_splitdim_stars");
        if (!splitDim) {
            const auto bytes = tableBytes(f, *split);
            if (!bytes) return unreadable("kdtree_split_stars");
            const quint32 mask = 3; // two bits hold a dimension of three
            for (qsizetype i = 0; i < interior; ++i) {
                const quint32 v =
                    treeSize == 4 ? valueAt<quint32>(*bytes, i) : valueAt<quint16>(*bytes, i);
                if ((v & mask) >= h.dims) return entry("kdtree_split_stars", i, v);
            }
        }
    }
    if (boxes)
        if (QString e = sized("kdtree_bb_stars", boxes, h.nodes, 2 * h.dims * treeSize);
            !e.isEmpty())
            return e;

    // Integer values are scaled into the sky's range: finite, in order.
    const Table* range = table("kdtree_range_stars");
    if (!range && h.data != h.ext) return lacks("kdtree_range_stars");
    if (range) {
        if (QString e = sized("kdtree_range_stars", range, 2 * h.dims + 1, 8); !e.isEmpty())
            return e;
        const auto bytes = tableBytes(f, *range);
        if (!bytes) return unreadable("kdtree_range_stars");
        for (qsizetype d = 0; d < h.dims; ++d) {
            const double low = valueAt<double>(*bytes, d),
                         high = valueAt<double>(*bytes, h.dims + d);
            if (!std::isfinite(low) || !std::isfinite(high) || low > high)
                return damaged(QStringLiteral("kdtree_range_stars: %1 > %2").arg(low).arg(high));
        }
        const double scale = valueAt<double>(*bytes, 2 * h.dims);
        const bool integerData = h.data == "u32" || h.data == "u16";
        if (integerData && (!std::isfinite(scale) || scale <= 0))
            return damaged(QStringLiteral("kdtree_range_stars: scale %1").arg(scale));
    }
    return QString();
}

// Checks the file's FITS structure; an empty text when it is a complete
// file holding a sound star tree.
QString checkStructure(const QString& path, Layout& layout, TreeHeader& header) {
    int status = 0;
    fitsfile* f = nullptr;
    if (fits_open_diskfile(&f, QFile::encodeName(path).constData(), READONLY, &status)) {
        fits_clear_errmsg();
        return Texts::tr("not a FITS file");
    }
    const qint64 size = QFileInfo(path).size();
    QString problem;
    int hdus = 0;
    fits_get_num_hdus(f, &hdus, &status);
    bool starTree = false;
    std::map<QByteArray, Table> tables;
    std::vector<LONGLONG> magnitudeRows;
    LONGLONG lastEnd = 0;
    for (int i = 1; i <= hdus && status == 0 && problem.isEmpty(); ++i) {
        int type = 0;
        if (fits_movabs_hdu(f, i, &type, &status)) break;
        LONGLONG head = 0, data = 0, end = 0;
        if (fits_get_hduaddrll(f, &head, &data, &end, &status)) break;
        if (end > size) problem = Texts::tr("the file is cut short");
        lastEnd = end;
        if (i == 1) {
            int value = 0;
            if (readKey(f, TINT, "HEALPIX", &value)) layout.healpix = value;
            if (readKey(f, TINT, "HPNSIDE", &value)) layout.nside = value;
            int logical = 0;
            const bool haveAllSky = readKey(f, TLOGICAL, "ALLSKY", &logical);
            layout.allSky = haveAllSky ? logical != 0 : layout.healpix < 0;
        }
        if (type != BINARY_TBL) continue;
        // The tree's tables are named by their first column.
        const QByteArray name = readStringKey(f, "TTYPE1");
        if (name == "kdtree_header_stars" && !header.found) {
            header.found = readKey(f, TLONGLONG, "KDT_NDAT", &header.stars) &&
                           readKey(f, TLONGLONG, "KDT_NDIM", &header.dims) &&
                           readKey(f, TLONGLONG, "KDT_NNOD", &header.nodes);
            header.ext = readStringKey(f, "KDT_EXT");
            header.tree = readStringKey(f, "KDT_INT");
            header.data = readStringKey(f, "KDT_DATA");
            header.endian = readStringKey(f, "ENDIAN");
        }
        Table t;
        t.hdu = i;
        readKey(f, TLONGLONG, "NAXIS1", &t.width);
        readKey(f, TLONGLONG, "NAXIS2", &t.rows);
        starTree = starTree || name == "kdtree_data_stars";
        if (!name.isEmpty() && !tables.count(name)) tables[name] = t;
        // A table holding a magnitude column the program reads is read by
        // star number.
        const auto holds = [f](const auto& columns) {
            for (const char* c : columns) {
                int column = 0, s = 0;
                if (fits_get_colnum(f, CASESEN, const_cast<char*>(c), &column, &s) == 0)
                    return true;
            }
            return false;
        };
        if (holds(kVisualColumns) || holds(kBlueColumns)) magnitudeRows.push_back(t.rows);
        fits_clear_errmsg();
    }
    if (status != 0 && problem.isEmpty()) {
        char text[FLEN_STATUS] = {};
        fits_get_errstatus(status, text);
        problem = Texts::tr("damaged FITS file (%1)").arg(QString::fromLatin1(text));
    }
    // Bytes after the last part cfitsio finds are a part it could not read
    // (a damaged header): the index library finds its parts on its own and
    // would take them for the end of the table before them.
    constexpr LONGLONG kBlock = 2880;
    const LONGLONG parsedEnd = (lastEnd + kBlock - 1) / kBlock * kBlock;
    if (status == 0 && problem.isEmpty() && parsedEnd < size)
        problem = Texts::tr("damaged FITS file (%1)")
                      .arg(QStringLiteral("%1 bytes past the last HDU").arg(size - parsedEnd));
    if (problem.isEmpty() && !starTree) problem = Texts::tr("holds no star tree");
    if (problem.isEmpty()) problem = checkStarTree(f, header, tables, magnitudeRows, size);
    int closeStatus = 0;
    fits_close_file(f, &closeStatus);
    fits_clear_errmsg();
    if (problem.isEmpty() && !layout.allSky && (layout.healpix < 0 || layout.nside <= 0))
        layout.allSky = true;
    return problem;
}

// Checks the tree as the library loaded it against the header checked with
// cfitsio: the library finds the tables on its own, and a table it could not
// find or whose size it disputes is left out with only a warning, to be
// dereferenced by the first search. An empty text when it agrees.
QString checkLoadedTree(startree_t* s, const TreeHeader& h) {
    const kdtree_t* kd = s->tree;
    const auto missing = [](const char* what) {
        return Texts::tr("the star tree lacks %1").arg(QString::fromLatin1(what));
    };
    if (!kd) return missing("kdtree_header_stars");
    if (kd->ndata != h.stars || kd->ndim != h.dims || kd->nnodes != h.nodes ||
        kd->nbottom != (h.nodes + 1) / 2 || kd->ninterior != h.nodes - (h.nodes + 1) / 2)
        return Texts::tr("damaged star tree (%1)")
            .arg(QStringLiteral("KDT_NDAT = %1, KDT_NNOD = %2").arg(kd->ndata).arg(kd->nnodes));
    if (!kd->data.any) return missing("kdtree_data_stars");
    if (!kd->lr && !kd->has_linear_lr && kd->nbottom > 1) return missing("kdtree_lr_stars");
    if (!kd->split.any && !kd->bb.any) return missing("kdtree_split_stars");
    const bool integerData = h.data == "u32" || h.data == "u16";
    if (integerData && (!kd->minval || !kd->maxval)) return missing("kdtree_range_stars");
    if (startree_has_tagalong(s)) {
        fitstable_t* tagalong = startree_get_tagalong(s);
        if (!tagalong || fitstable_nrows(tagalong) < h.stars) return missing("MAG");
    }
    return QString();
}

// The library's own error text of the last call.
QString libraryErrors(char* captured) {
    QString text = captured ? QString::fromLocal8Bit(captured).simplified() : QString();
    std::free(captured);
    return text;
}

class AstrometryIndexFile final : public StarIndex {
public:
    AstrometryIndexFile(QString name, startree_t* tree, Layout layout)
        : m_name(std::move(name)), m_tree(tree), m_layout(layout) {
        if (!startree_has_tagalong(m_tree)) return;
        const int columns = startree_get_tagalong_N_columns(m_tree);
        auto pick = [&](const auto& wanted, QByteArray& chosen) {
            for (const char* w : wanted)
                for (int i = 0; i < columns; ++i)
                    if (qstrcmp(startree_get_tagalong_column_name(m_tree, i), w) == 0) {
                        chosen = w;
                        return;
                    }
        };
        pick(kVisualColumns, m_visual);
        pick(kBlueColumns, m_blue);
    }
    ~AstrometryIndexFile() override { startree_close(m_tree); }
    AstrometryIndexFile(const AstrometryIndexFile&) = delete;
    AstrometryIndexFile& operator=(const AstrometryIndexFile&) = delete;

    QString name() const override { return m_name; }

    bool covers(double ra, double dec) const override {
        if (m_layout.allSky) return true;
        return radecdegtohealpix(ra, dec, m_layout.nside) == m_layout.healpix;
    }

    std::vector<IndexStar> starsWithin(double ra, double dec, double radius) override {
        double* radec = nullptr;
        int* indices = nullptr;
        int n = 0;
        errors_start_logging_to_string();
        startree_search_for_radec(m_tree, ra, dec, radius, nullptr, &radec, &indices, &n);
        std::vector<IndexStar> stars(static_cast<size_t>(std::max(n, 0)));
        for (int i = 0; i < n; ++i) {
            stars[static_cast<size_t>(i)].ra = radec[2 * i];
            stars[static_cast<size_t>(i)].dec = radec[2 * i + 1];
        }
        if (n > 0) {
            readColumn(m_visual, indices, n, stars, &IndexStar::mag);
            readColumn(m_blue, indices, n, stars, &IndexStar::magBlue);
        }
        libraryErrors(errors_stop_logging_to_string(": "));
        std::free(radec);
        std::free(indices);
        return stars;
    }

private:
    void readColumn(const QByteArray& column, const int* indices, int n,
                    std::vector<IndexStar>& stars, double IndexStar::*field) {
        if (column.isEmpty()) return;
        double* values = startree_get_data_column(m_tree, column.constData(), indices, n);
        if (!values) return;
        for (int i = 0; i < n; ++i)
            stars[static_cast<size_t>(i)].*field = values[i];
        startree_free_data_column(m_tree, values);
    }

    QString m_name;
    startree_t* m_tree;
    Layout m_layout;
    QByteArray m_visual, m_blue;
};

} // namespace

QString CheckStarIndexFile(const QString& path) {
    Layout layout;
    TreeHeader header;
    return checkStructure(path, layout, header);
}

StarIndexFolder OpenStarIndexFolder(const QString& folder) {
    StarIndexFolder result;
    result.folder = folder;
    const QDir dir(folder);
    const QFileInfoList entries =
        dir.entryInfoList({QStringLiteral("*.fits"), QStringLiteral("*.fit")},
                          QDir::Files | QDir::Readable, QDir::Name);
    for (const QFileInfo& info : entries) {
        if (!info.isFile()) continue; // never a FIFO or device
        Layout layout;
        TreeHeader header;
        const QString problem = checkStructure(info.filePath(), layout, header);
        if (!problem.isEmpty()) {
            result.skipped << info.fileName() + QStringLiteral(": ") + problem;
            continue;
        }
        errors_start_logging_to_string();
        startree_t* tree = startree_open(QFile::encodeName(info.filePath()).constData());
        const QString why = libraryErrors(errors_stop_logging_to_string(": "));
        if (!tree) {
            result.skipped << info.fileName() + QStringLiteral(": ") +
                                  (why.isEmpty() ? Texts::tr("cannot be read") : why);
            continue;
        }
        errors_start_logging_to_string();
        const QString loaded = checkLoadedTree(tree, header);
        libraryErrors(errors_stop_logging_to_string(": "));
        if (!loaded.isEmpty()) {
            result.skipped << info.fileName() + QStringLiteral(": ") + loaded;
            startree_close(tree);
            continue;
        }
        result.files.push_back(
            std::make_unique<AstrometryIndexFile>(info.fileName(), tree, layout));
    }
    return result;
}

} // namespace catalogues
