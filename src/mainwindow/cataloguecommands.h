// The work behind the main window's catalogue commands: the star download of
// "1-Download" with the version check, the minor-planet query into data2, the
// reading of the three answers (stars, minor planets, NGC/IC objects) into
// the session, and the field the catalogue browser opens on.
//
// The window's handlers DownloadData_Click, READFILE, READFILE_ASTER,
// READFILE_NGCIC and mnu_database_Click hand their work to this class.
#pragma once

#include "catalogues/browser.h"
#include "catalogues/minorplanets.h"

#include <QObject>
#include <optional>

class CommandBar;
class FieldPanel;
class CommandHost;
class MessagePanel;
class MinorPlanetPage;

class CatalogueCommands : public QObject {
    Q_OBJECT
public:
    CatalogueCommands(CommandHost& host, FieldPanel& field, const MinorPlanetPage& minorPlanets,
                      MessagePanel& messages, const CommandBar& commands);

    // Downloads (or answers from the local catalogue) the stars of the typed
    // field into data, then checks for a newer version. False when the centre
    // holds no number: nothing is downloaded and the old answer is stale.
    bool downloadStars();
    // Queries the minor planets of the typed field and date into data2 (the
    // typed boxes are left as they are). A blocked or failed query leaves no
    // data2 and does not say "downloaded".
    void queryMinorPlanets();
    // Whether data2 answers the minor-planet query typed now (a query of
    // this session succeeded with the same fields).
    bool minorPlanetAnswerCurrent() const;

    // Read data, data2 and the NGC/IC files into the session, each with its
    // status lines; data2 only when it answers the typed query.
    void readStars();
    void readMinorPlanets();
    void readDeepSky();

    // The browser's deep-sky window from the typed centre and scales, worked
    // out without touching the session; nothing when they hold no numbers.
    std::optional<catalogues::BrowserField> browserField() const;

private:
    catalogues::MinorPlanetFields typedMinorPlanetFields() const;
    // The typed minor-planet query as one text, to tell answers apart.
    QString typedMinorPlanetQuery() const;

    CommandHost& m_host;
    FieldPanel& m_field;
    const MinorPlanetPage& m_minorPlanets;
    MessagePanel& m_messages;
    const CommandBar& m_commands;
};
