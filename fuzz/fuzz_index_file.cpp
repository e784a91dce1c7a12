// An astrometry.net index file, as the local star source opens it: the
// checks made before the index library sees the file, then the library's
// star search over the whole sky and around a few points. A file that passes
// the checks must be searched without reading outside it.
#include "catalogues/localstars.h"
#include "support.h"

#include <QFileInfo>

using namespace reduction;
using namespace field;
using namespace catalogues;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString path = fuzzing::WriteScratchFile(data, size, QStringLiteral("index.fits"));
    StarIndexFolder folder = OpenStarIndexFolder(QFileInfo(path).path());
    if (folder.files.size() + folder.skipped.size() != 1) __builtin_trap();
    for (const auto& file : folder.files) {
        const double points[][3] = {
            {0, 0, 180}, {341.8, 58.05, 0.5}, {10, -89.9, 5}, {359.99, 30, 20}};
        for (const auto& p : points) {
            file->covers(p[0], p[1]);
            // Damaged values may give any positions; only the reading counts.
            const std::vector<IndexStar> stars = file->starsWithin(p[0], p[1], p[2]);
            if (stars.size() > size) __builtin_trap(); // never more stars than bytes
        }
    }
    return 0;
}
