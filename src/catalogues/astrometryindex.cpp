// The star index files of astrometry.net, read through its library: the star
// kd-tree gives the positions, the tag-along table the magnitudes.
//
// The library maps the files into memory, so a file cut short would fault on
// the first read beyond its end. Every file is therefore checked with cfitsio
// first: each HDU must end within the file, and the file must hold a star
// tree. What the library reports on failure is caught and shown, not printed.
#include "catalogues/localstars.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdlib>
#include <fitsio.h>

extern "C" {
#include <astrometry/errors.h>
#include <astrometry/healpix.h>
#include <astrometry/starkd.h>
}

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

// Checks the file's FITS structure; an empty text when it is a complete
// file holding a star tree.
QString checkStructure(const QString& path, Layout& layout) {
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
    for (int i = 1; i <= hdus && status == 0 && problem.isEmpty(); ++i) {
        int type = 0;
        if (fits_movabs_hdu(f, i, &type, &status)) break;
        LONGLONG head = 0, data = 0, end = 0;
        if (fits_get_hduaddrll(f, &head, &data, &end, &status)) break;
        if (end > size) problem = Texts::tr("the file is cut short");
        if (i == 1) {
            int value = 0;
            int s = 0;
            if (!fits_read_key(f, TINT, "HEALPIX", &value, nullptr, &s)) layout.healpix = value;
            s = 0;
            if (!fits_read_key(f, TINT, "HPNSIDE", &value, nullptr, &s)) layout.nside = value;
            s = 0;
            int logical = 0;
            const bool haveAllSky = !fits_read_key(f, TLOGICAL, "ALLSKY", &logical, nullptr, &s);
            layout.allSky = haveAllSky ? logical != 0 : layout.healpix < 0;
        }
        // The star tree's tables are named by their first column.
        char name[FLEN_VALUE] = {};
        int s = 0;
        if (!fits_read_key(f, TSTRING, "TTYPE1", name, nullptr, &s))
            starTree = starTree || qstrcmp(name, "kdtree_data_stars") == 0;
    }
    if (status != 0 && problem.isEmpty()) {
        char text[FLEN_STATUS] = {};
        fits_get_errstatus(status, text);
        problem = Texts::tr("damaged FITS file (%1)").arg(QString::fromLatin1(text));
    }
    int closeStatus = 0;
    fits_close_file(f, &closeStatus);
    fits_clear_errmsg();
    if (problem.isEmpty() && !starTree) problem = Texts::tr("holds no star tree");
    if (problem.isEmpty() && !layout.allSky && (layout.healpix < 0 || layout.nside <= 0))
        layout.allSky = true;
    return problem;
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
        const QString problem = checkStructure(info.filePath(), layout);
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
        result.files.push_back(
            std::make_unique<AstrometryIndexFile>(info.fileName(), tree, layout));
    }
    return result;
}
