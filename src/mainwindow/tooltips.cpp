#include "mainwindow/tooltips.h"

#include <QCoreApplication>
#include <QWidget>

namespace {

struct Tip {
    const char* control; // object name
    const char* text;
};

const Tip kTips[] = {
    {"DownloadData",
     QT_TRANSLATE_NOOP("ToolTips", "Fetches the catalogue stars around the typed centre")},
    {"SelectStar",
     QT_TRANSLATE_NOOP("ToolTips",
                       "Starts the picking: click five well separated stars on the image")},
    {"startCalcul",
     QT_TRANSLATE_NOOP(
         "ToolTips",
         "Searches the catalogue stars that match the five picks and offers each candidate")},
    {"FullMap",
     QT_TRANSLATE_NOOP("ToolTips", "Once a plate is accepted: draws the deeper catalogue, the "
                                   "minor planets and the NGC/IC objects")},
    {"txt_ra(0)",
     QT_TRANSLATE_NOOP("ToolTips", "Right ascension of the field centre: hours (0 to 24)")},
    {"txt_ra(1)", QT_TRANSLATE_NOOP("ToolTips", "Right ascension of the field centre: minutes")},
    {"txt_ra(2)", QT_TRANSLATE_NOOP("ToolTips", "Right ascension of the field centre: seconds")},
    {"txt_dec(0)",
     QT_TRANSLATE_NOOP("ToolTips", "Declination of the field centre: degrees (0 to 90)")},
    {"txt_dec(1)",
     QT_TRANSLATE_NOOP("ToolTips", "Declination of the field centre: minutes of arc")},
    {"txt_dec(2)",
     QT_TRANSLATE_NOOP("ToolTips", "Declination of the field centre: seconds of arc")},
    {"txt_dec_sign(0)", QT_TRANSLATE_NOOP("ToolTips", "South of the celestial equator")},
    {"txt_dec_sign(1)", QT_TRANSLATE_NOOP("ToolTips", "North of the celestial equator")},
    {"txt_dec_sign(2)", QT_TRANSLATE_NOOP("ToolTips", "South of the celestial equator")},
    {"txt_dec_sign(3)", QT_TRANSLATE_NOOP("ToolTips", "North of the celestial equator")},
    {"txt_epoch",
     QT_TRANSLATE_NOOP("ToolTips",
                       "The equinox of the typed coordinates, in years (2000.0 for J2000)")},
    {"txt_distance",
     QT_TRANSLATE_NOOP("ToolTips",
                       "The radius of the catalogue query, in arcminutes (above 0, up to 1200)")},
    {"txt_mag",
     QT_TRANSLATE_NOOP("ToolTips", "The faintest magnitude of the stars fetched for the search")},
    {"txt_mag2",
     QT_TRANSLATE_NOOP("ToolTips", "The faintest magnitude of the stars of the full map")},
    {"txt_url", QT_TRANSLATE_NOOP("ToolTips", "The image file: a picture or a FITS file")},
    {"Loadimg", QT_TRANSLATE_NOOP("ToolTips", "Loads the image named in the box")},
    {"CheckAutoload",
     QT_TRANSLATE_NOOP(
         "ToolTips",
         "Reloads the image whenever its file is rewritten (a camera saving into the same file)")},
    {"txt_tolerance",
     QT_TRANSLATE_NOOP(
         "ToolTips",
         "How far, in pixels, a distance between picks may differ from the catalogue's")},
    {"txt_corrasd",
     QT_TRANSLATE_NOOP("ToolTips", "The scale along right ascension, in pixels per degree")},
    {"txt_corrdec",
     QT_TRANSLATE_NOOP("ToolTips", "The scale along declination, in pixels per degree")},
    {"LoadCorr",
     QT_TRANSLATE_NOOP("ToolTips", "Takes the two scales of one of the optical configurations")},
    {"CheckSelectStars",
     QT_TRANSLATE_NOOP("ToolTips",
                       "Each pick moves to the brightest spot within 3 pixels of the click")},
    {"Checkcenter",
     QT_TRANSLATE_NOOP("ToolTips", "Skips the candidates that put the typed centre off the image")},
    {"CheckDecideur",
     QT_TRANSLATE_NOOP("ToolTips",
                       "Offers only the candidates whose catalogue stars fall on the picks")},
    {"txt_calcul",
     QT_TRANSLATE_NOOP(
         "ToolTips",
         "The decision threshold: how close, in pixels, a catalogue star must fall to a pick")},
    {"CheckAster", QT_TRANSLATE_NOOP("ToolTips", "At each full map, asks whether to fetch the "
                                                 "minor planets of the field for the date below")},
    {"Txt_Amag", QT_TRANSLATE_NOOP("ToolTips", "The faintest magnitude of the minor planets")},
    {"txt_Afield",
     QT_TRANSLATE_NOOP("ToolTips", "The radius of the minor-planet query, in arcminutes")},
    {"txt_Adate(0)", QT_TRANSLATE_NOOP("ToolTips", "Day of the middle of the exposure (UTC)")},
    {"txt_Adate(1)", QT_TRANSLATE_NOOP("ToolTips", "Month of the middle of the exposure (UTC)")},
    {"txt_Adate(2)", QT_TRANSLATE_NOOP("ToolTips", "Year of the middle of the exposure (UTC)")},
    {"txt_Adate(3)", QT_TRANSLATE_NOOP("ToolTips", "Hour of the middle of the exposure (UTC)")},
    {"txt_Adate(4)", QT_TRANSLATE_NOOP("ToolTips", "Minute of the middle of the exposure (UTC)")},
    {"CheckDeepObj1",
     QT_TRANSLATE_NOOP("ToolTips", "Draws the NGC/IC objects over each candidate offered")},
    {"CheckDeepObj2", QT_TRANSLATE_NOOP("ToolTips", "Draws the NGC/IC objects on the full map")},
    {"Etalo(0)", QT_TRANSLATE_NOOP("ToolTips", "The picked reference star: column, in pixels")},
    {"Etalo(1)", QT_TRANSLATE_NOOP("ToolTips", "The picked reference star: row, in pixels")},
    {"Etalo(2)", QT_TRANSLATE_NOOP("ToolTips", "Right ascension of the reference star: hours")},
    {"Etalo(3)", QT_TRANSLATE_NOOP("ToolTips", "Right ascension of the reference star: minutes")},
    {"Etalo(4)", QT_TRANSLATE_NOOP("ToolTips", "Right ascension of the reference star: seconds")},
    {"Etalo(5)", QT_TRANSLATE_NOOP("ToolTips", "Declination of the reference star: degrees")},
    {"Etalo(6)",
     QT_TRANSLATE_NOOP("ToolTips", "Declination of the reference star: minutes of arc")},
    {"Etalo(7)",
     QT_TRANSLATE_NOOP("ToolTips", "Declination of the reference star: seconds of arc")},
    {"BoutonEtalo",
     QT_TRANSLATE_NOOP("ToolTips", "Records this reference star and goes on to the next")},
    {"status", QT_TRANSLATE_NOOP("ToolTips", "The messages, the newest at the top")},
    {"Frm6close", QT_TRANSLATE_NOOP("ToolTips", "Closes the details")},
    {"InfoMore", QT_TRANSLATE_NOOP("ToolTips", "The details of the point or object clicked")},
    {"Picture1",
     QT_TRANSLATE_NOOP(
         "ToolTips",
         "Click: pick a star or read a position; double-click: the details of an object")},
    {"zoom",
     QT_TRANSLATE_NOOP("ToolTips", "The magnifier: a click picks the star under its centre")},
    {"ResidualTable",
     QT_TRANSLATE_NOOP(
         "ToolTips",
         "Each catalogue star of the fit: its offset from the star found on the image")},
};

} // namespace

void ApplyToolTips(QWidget* window) {
    for (const Tip& tip : kTips)
        if (auto* w = window->findChild<QWidget*>(QLatin1String(tip.control)))
            w->setToolTip(QCoreApplication::translate("ToolTips", tip.text));
}
