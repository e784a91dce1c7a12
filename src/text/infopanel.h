// The info panel: the details of a clicked point, catalogue star, minor
// planet or deep-sky object, written in a small tag language and shown with
// its formatting in a rich-text box.
//
// Tags come in pairs and give the text between them one attribute:
//   <B>..</B> bold, <I>..</I> italic, <S0>/<S1>/<S2> font size 10/11/12,
//   <C1>..</C1> blue, <S>..</S> underlined.
// Everything else is plain: not bold, not italic, size 10, black. Lines are
// separated by CR LF. Labels come from the language table (InfoTexts).
#pragma once

#include <QString>

namespace text {

namespace details {

// ---- panel texts (markup) -------------------------------------------------
// Positions in degrees J2000; `equinox` is the equinox text typed by the
// user (years), used for the second pair of coordinates, precessed to it.

QString StarInfoMarkup(const QString& identifier, double ra, double dec, const QString& magRed,
                       const QString& magBlue, const QString& equinox);
QString PointInfoMarkup(double ra, double dec, const QString& equinox);
// `motion2` and `motion1` are the two motion columns of the minor-planet
// answer (characters 77-79 and 70-72).
QString MinorPlanetInfoMarkup(const QString& designation, const QString& name, double ra,
                              double dec, const QString& magnitude, const QString& motion2,
                              const QString& motion1);
// The PGC line is left out when `pgcName` is "PGC 0" (no PGC number).
QString DeepSkyInfoMarkup(const QString& name, double ra, double dec, const QString& magnitude,
                          double size1, double size2, const QString& description,
                          const QString& pgcName, const QString& otherName1,
                          const QString& otherName2);

} // namespace details

} // namespace text
