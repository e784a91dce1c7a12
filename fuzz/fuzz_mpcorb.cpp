// Element files as the local minor-planet answer reads them from disk:
// MPCORB text, gzip-compressed or not (the format is found from the content).
// Each input is read as it is, then compressed and read again, repeated up to
// 4096 times so that the unpacked text crosses the reader's blocks and its
// limits (made small here).
#include "ephemeris/elementfile.h"
#include "support.h"

#include <cmath>
#include <vector>
#include <zlib.h>

namespace {

void Check(const ephemeris::OrbitFileReading& reading) {
    // Either orbits or a reason, never both missing.
    if (!reading) {
        if (reading.error().message.isEmpty()) __builtin_trap();
        if (reading.error().kind == ephemeris::OrbitFileFailure::None) __builtin_trap();
        return;
    }
    const ephemeris::OrbitFile& r = *reading;
    if (r.catalogue.empty()) __builtin_trap();
    for (std::size_t i = 0; i < r.catalogue.size(); ++i) {
        const auto p = ephemeris::HeliocentricPosition(r.catalogue.orbit(i), 8000.0);
        if (!std::isfinite(p[0] + p[1] + p[2])) __builtin_trap();
        (void)r.catalogue.name(i);
    }
}

// `text` repeated `times` times, gzip-compressed.
QByteArray GzipRepeated(const QByteArray& text, int times) {
    QByteArray out;
    std::vector<char> buffer(1 << 16);
    z_stream z{};
    deflateInit2(&z, 1, Z_DEFLATED, 16 + MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
    for (int i = 0; i <= times; ++i) {
        const bool last = i == times;
        z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(text.constData()));
        z.avail_in = last ? 0 : uInt(text.size());
        do {
            z.next_out = reinterpret_cast<Bytef*>(buffer.data());
            z.avail_out = uInt(buffer.size());
            deflate(&z, last ? Z_FINISH : Z_NO_FLUSH);
            out.append(buffer.data(), qsizetype(buffer.size() - z.avail_out));
        } while (z.avail_out == 0);
    }
    deflateEnd(&z);
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString path = fuzzing::WriteScratchFile(data, size, QStringLiteral("elements"));
    Check(ephemeris::ReadOrbitFile(path));
    if (size == 0) return 0;

    ephemeris::OrbitFileLimits limits;
    limits.maxText = 3 << 20;
    limits.maxJson = 1 << 20;
    limits.firstOrbitWithin = 2 << 20;
    const int times = 1 << (data[size - 1] % 13);
    const QByteArray packed = GzipRepeated(fuzzing::Bytes(data, size - 1), times);
    const QString gz =
        fuzzing::WriteScratchFile(reinterpret_cast<const uint8_t*>(packed.constData()),
                                  size_t(packed.size()), QStringLiteral("elements.gz"));
    Check(ephemeris::ReadOrbitFile(gz, limits));
    return 0;
}
