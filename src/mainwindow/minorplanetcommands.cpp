#include "mainwindow/minorplanetcommands.h"

#include "catalogues/reportposition.h"
#include "catalogues/sites.h"
#include "catalogues/web/elementsdownload.h"
#include "catalogues/widgets/reportpositiondialog.h"
#include "field/markers.h"
#include "field/session.h"
#include "mainwindow/commandhost.h"
#include "mainwindow/imagecanvas.h"
#include "mainwindow/messagepanel.h"
#include "mainwindow/optionpages.h"
#include "platform/widgets/messagebox.h"

#include <QAbstractButton>
#include <QDir>

using namespace reduction;
using namespace imaging;
using namespace field;
using namespace catalogues;
using namespace catalogues::web;

MinorPlanetCommands::MinorPlanetCommands(CommandHost& host, MessagePanel& messages,
                                         const ImageCanvas& canvas,
                                         const MinorPlanetPage& minorPlanets)
    : QObject(host.hostWidget()), m_host(host), m_messages(messages), m_canvas(canvas),
      m_minorPlanets(minorPlanets) {
    setObjectName(QStringLiteral("minorPlanetCommands"));
}

void MinorPlanetCommands::noteClick(int x, int y) {
    m_click = Click{x, y, m_host.session().ImageFileStamp};
}

void MinorPlanetCommands::downloadElements() {
    if (m_downloading) return; // the download is running (its progress lets clicks through)
    const QString url = Sites().minorPlanetElementsUrl;
    const QString unpacked = QString::fromLatin1(kMpcorbName);
    if (url.isEmpty())
        return messagebox::Exclamation(
            m_host.hostWidget(),
            tr("No address is set for the element file: give one as "
               "minor_planet_elements_url in sites.cfg of the program folder."));
    if (!messagebox::YesNo(m_host.hostWidget(),
                           tr("Download the minor-planet elements from\n%1\nand unpack them to "
                              "%2 in the program folder?\nThe file is large: some 70 MB to "
                              "download, about 300 MB once unpacked.")
                               .arg(url, unpacked),
                           tr("Minor-planet elements")))
        return;

    m_downloading = true;
    m_host.SetIdleIndicator(false);
    const auto log = [this](const QString& line) { m_host.LogMessage(line); };
    log(tr("Downloading the minor-planet elements from %1").arg(url));
    std::shared_ptr<MessagePanel::ProgressLine> progress;
    const DownloadOptions options =
        m_messages.downloadOptions(QString::fromLatin1(kMpcorbArchiveName), log, progress);
    const auto unpacking = m_messages.progressLine(unpacked);
    const auto result =
        DownloadMinorPlanetElements(url, options, [unpacking, unpacked](qint64 done, qint64 total) {
            unpacking->show(tr("%1: unpacking, %2 % done")
                                .arg(unpacked)
                                .arg(total > 0 ? done * 100 / total : 100),
                            done == total);
        });
    m_messages.endDownload();
    m_host.SetIdleIndicator(true);
    m_downloading = false;
    if (!result) {
        log(result.error().message);
        return messagebox::Exclamation(
            m_host.hostWidget(),
            tr("The minor-planet elements were not downloaded: %1\nThe files of the "
               "program folder are unchanged.")
                .arg(result.error().message));
    }
    log(result->message);

    SiteHosts& sites = Sites();
    if (sites.localMinorPlanets() && sites.minorPlanetElements == unpacked) return;
    if (messagebox::YesNo(m_host.hostWidget(),
                          tr("Compute the minor planets of the field from %1 for the rest of "
                             "this session?\n(To keep this choice, set minor_planet_source=local "
                             "and minor_planet_elements=%1 in sites.cfg.)")
                              .arg(unpacked),
                          tr("Minor-planet elements"))) {
        sites.minorPlanetSource = QStringLiteral("local");
        sites.minorPlanetElements = unpacked;
        log(tr("Minor planets: computed from %1").arg(unpacked));
    }
}

void MinorPlanetCommands::reportPosition() {
    const SessionState& s = m_host.session();
    if (!s.MatchFound || s.WorkflowMode != WorkflowMode::Coordinates)
        return messagebox::Exclamation(
            m_host.hostWidget(),
            tr("There is no plate to measure with yet: accept an identification with "
               "\"%1\" first, then click the object on the image.")
                .arg(m_host.buttonText(QStringLiteral("startCalcul"))));
    if (!m_click || m_click->image != s.ImageFileStamp)
        return messagebox::Exclamation(
            m_host.hostWidget(),
            tr("Click the object on the image first, then choose this command."));

    // Always centred: a hand's click is only good to a few pixels.
    const auto pixel = [this](int x, int y) { return m_canvas.pickValue(x, y); };
    ReportDraft draft;
    draft.point = MeasurePoint(s.plateInUse(), m_click->x, m_click->y, pixel);
    draft.nearest = NearestMinorPlanet(s.Catalogue.minorPlanets, draft.point.sky);
    draft.date = m_minorPlanets.date();
    draft.observatory = StoredObservatoryCode();
    draft.reportPath = ReportFilePath();

    ReportPositionDialog dialog(draft, m_host.hostWidget());
    dialog.exec();
    if (!dialog.appendedLine()) return;
    m_host.LogMessage(tr("Added to %1: %2")
                          .arg(QDir::toNativeSeparators(draft.reportPath), *dialog.appendedLine()));
    if (dialog.observatory() != draft.observatory && !StoreObservatoryCode(dialog.observatory()))
        m_host.LogMessage(tr("The observatory code could not be stored in the options file"));
}
