// The main window's minor-planet commands beyond the query of a download:
// fetching the Minor Planet Center's element file for the local source, and
// reporting the position of a point measured on the solved image.
//
// The window's handlers mnu_mpcorb_Click and mnu_reportposition_Click hand
// their work to this class.
#pragma once

#include <QObject>
#include <QString>
#include <optional>

class CommandHost;
class ImageCanvas;
class MessagePanel;
class MinorPlanetPage;

class MinorPlanetCommands : public QObject {
    Q_OBJECT
public:
    MinorPlanetCommands(CommandHost& host, MessagePanel& messages, const ImageCanvas& canvas,
                        const MinorPlanetPage& minorPlanets);

    // A click on the solved image at pixel (x, y): the point a report measures.
    void noteClick(int x, int y);

    // Downloads MPCORB.DAT.gz from the address of sites.cfg and unpacks it
    // into the program folder, with progress and the cancel button.
    void downloadElements();
    // The report dialog for the last point clicked on the solved image,
    // measured at the brightest spot near the click.
    void reportPosition();

private:
    struct Click {
        int x = 0, y = 0;
        QString image; // the image file's stamp when it was clicked
    };

    CommandHost& m_host;
    MessagePanel& m_messages;
    const ImageCanvas& m_canvas;
    const MinorPlanetPage& m_minorPlanets;
    std::optional<Click> m_click;
    bool m_downloading = false;
};
