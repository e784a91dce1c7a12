// A WCS header read back with wcslib, an implementation independent of the
// program's own (only the tests that link wcslib include this).
#pragma once

#include "reduction/platesolution.h"

#include <QByteArray>
#include <optional>
#include <wcslib.h>

namespace testing_support {

class WcslibHeader {
public:
    explicit WcslibHeader(QByteArray header) : m_header(std::move(header)) {
        int rejected = 0;
        m_ok = wcspih(m_header.data(), static_cast<int>(m_header.size() / 80), WCSHDR_all, 0,
                      &rejected, &m_count, &m_wcs) == 0 &&
               m_count == 1 && wcsset(m_wcs) == 0;
    }
    ~WcslibHeader() { wcsvfree(&m_count, &m_wcs); }
    WcslibHeader(const WcslibHeader&) = delete;
    WcslibHeader& operator=(const WcslibHeader&) = delete;
    bool ok() const { return m_ok; }

    // 0-based pixels (FITS counts from 1) to degrees, and back.
    std::optional<reduction::SkyPoint> pixelToSky(double x, double y) const {
        double pixel[2] = {x + 1, y + 1}, image[2], phi, theta, world[2];
        int stat = 0;
        if (!ok() || wcsp2s(m_wcs, 1, 2, pixel, image, &phi, &theta, world, &stat) != 0) return {};
        return reduction::SkyPoint{world[0], world[1]};
    }
    std::optional<reduction::PixelPoint> skyToPixel(reduction::SkyPoint sky) const {
        double world[2] = {sky.ra, sky.dec}, image[2], phi, theta, pixel[2];
        int stat = 0;
        if (!ok() || wcss2p(m_wcs, 1, 2, world, &phi, &theta, image, pixel, &stat) != 0) return {};
        return reduction::PixelPoint{pixel[0] - 1, pixel[1] - 1};
    }

private:
    QByteArray m_header;
    int m_count = 0;
    bool m_ok = false;
    struct wcsprm* m_wcs = nullptr;
};

} // namespace testing_support
