#include "mainwindow/cataloguecommands.h"

#include "catalogues/cachekeys.h"
#include "catalogues/deepsky.h"
#include "catalogues/localstars.h"
#include "catalogues/minorplanets.h"
#include "catalogues/sites.h"
#include "catalogues/usnoa2.h"
#include "catalogues/web/minorplanetquery.h"
#include "catalogues/web/starquery.h"
#include "catalogues/web/versioncheck.h"
#include "catalogues/webswitches.h"
#include "field/markers.h"
#include "field/session.h"
#include "mainwindow/commandbar.h"
#include "mainwindow/commandhost.h"
#include "mainwindow/fieldpanel.h"
#include "mainwindow/messagepanel.h"
#include "mainwindow/optionpages.h"
#include "platform/numbers.h"
#include "platform/programfolder.h"
#include "text/language.h"

using namespace reduction;
using namespace field;
using namespace catalogues;
using namespace catalogues::web;
using namespace text;

namespace {
// "3 objects read", in the plural form the count takes in the user's language.
QString objectsRead(int count) {
    return CatalogueCommands::tr("%n object(s) read", nullptr, count);
}
} // namespace

CatalogueCommands::CatalogueCommands(CommandHost& host, FieldPanel& field,
                                     const MinorPlanetPage& minorPlanets, MessagePanel& messages,
                                     const CommandBar& commands)
    : QObject(host.hostWidget()), m_host(host), m_field(field), m_minorPlanets(minorPlanets),
      m_messages(messages), m_commands(commands) {
    setObjectName(QStringLiteral("catalogueCommands"));
}

bool CatalogueCommands::downloadStars() {
    SessionState& s = m_host.session();
    const TypedCentreFields typed = m_field.centre();
    Web().StarCacheKey = StarCacheKey(typed, m_field.radius(), m_field.magnitude());
    Web().MinorPlanetCacheKey = MinorPlanetCacheKey(
        typed, m_minorPlanets.date(), m_minorPlanets.field(), m_minorPlanets.magnitude());
    const StarQueryPlan plan = PlanStarQuery(typed);
    if (!plan.reading) {
        m_host.LogMessage(tr("%1: not a number in %2 (\"%3\"), nothing downloaded")
                              .arg(m_commands.downloadCaption(),
                                   CentreBoxName(plan.reading.error().kind),
                                   plan.reading.error().message));
        s.StarAnswerStale = true;
        return false;
    }
    s.CentreRA = plan.reading->ra;
    s.CentreDec = plan.reading->dec;
    m_host.LogMessage(FormMessage(8));
    std::shared_ptr<MessagePanel::ProgressLine> progress;
    const DownloadOptions options = m_messages.downloadOptions(
        QStringLiteral("data"), [this](const QString& line) { m_host.LogMessage(line); }, progress);
    // The local catalogue, when chosen, answers the same query in-process.
    const DownloadResult result = QueryUsnoA2(
        m_field.epoch(), plan.coordinates.ra, plan.coordinates.dec, m_field.radius(),
        m_field.magnitude(), Web(), Sites().starServer, Web().StarCacheKey, options, StarSource());
    m_messages.endDownload();
    if (result.status == DownloadResult::Status::Blocked)
        m_host.LogMessage(tr("Star server blocked (Internet problems): nothing downloaded"));
    else if (result.status == DownloadResult::Status::Downloaded)
        progress->update(result.bytes, true);
    s.StarAnswerStale = !result.ok();
    s.StarAnswerRows = result.ok() ? result.rows : std::nullopt;
    if (CheckForUpdate({Web().UpdateCheckEnabled, Sites().makerSite, RunningVersionText()})
            .newVersion)
        m_host.ShowSuggestion(QStringLiteral("softupdate"), 1);
    if (result.ok()) m_host.LogMessage(FormMessage(9));
    return true;
}

MinorPlanetFields CatalogueCommands::typedMinorPlanetFields() const {
    MinorPlanetFields f;
    const TypedCentreFields typed = m_field.centre();
    f.ra = typed.ra;
    f.dec = typed.dec;
    f.decSign = typed.decSign;
    f.date = m_minorPlanets.date();
    f.radius = m_minorPlanets.field();
    f.limit = m_minorPlanets.magnitude();
    return f;
}

QString CatalogueCommands::typedMinorPlanetQuery() const {
    const MinorPlanetFields f = typedMinorPlanetFields();
    return MinorPlanetCacheKey(f) + QLatin1Char('|') + f.decSign;
}

void CatalogueCommands::queryMinorPlanets() {
    SessionState& s = m_host.session();
    // data2 answers no query until this one succeeds.
    s.MinorPlanetAnswerQuery.clear();
    s.MinorPlanetAnswerRows.reset();
    const QString typedQuery = typedMinorPlanetQuery();
    // Only the query is padded: the boxes keep what was typed, which the
    // star cache key is made of.
    MinorPlanetFields f = typedMinorPlanetFields();
    PadCoordinateFields(f);
    const MinorPlanetQueryReading reading = MakeMinorPlanetQuery(f);
    if (!reading) {
        DiscardMinorPlanetAnswer(); // it answers another field or date
        return m_host.LogMessage(
            tr("Minor planets: not a number in the %1 field (\"%2\"), "
               "nothing downloaded")
                .arg(MinorPlanetDateBoxName(reading.error().kind), reading.error().message));
    }
    m_host.LogMessage(FormMessage(21));
    std::shared_ptr<MessagePanel::ProgressLine> progress;
    const DownloadOptions options = m_messages.downloadOptions(
        QStringLiteral("data2"), [this](const QString& line) { m_host.LogMessage(line); },
        progress);
    const auto local = ChosenLocalSource(Sites(), f); // computed here instead of downloaded
    const DownloadResult result = QueryMpcChecker(*reading, Web(), Sites().minorPlanetService,
                                                  Web().MinorPlanetCacheKey, options, local);
    m_messages.endDownload();
    if (result.status == DownloadResult::Status::Blocked)
        m_host.LogMessage(tr("Minor-planet service blocked (Internet bugs): nothing downloaded"));
    else if (result.status == DownloadResult::Status::Downloaded && !local)
        progress->update(result.bytes, true);
    if (!result.ok()) return;
    s.MinorPlanetAnswerQuery = typedQuery;
    s.MinorPlanetAnswerRows = result.rows;
    m_host.LogMessage(FormMessage(22));
}

void CatalogueCommands::readStars() {
    m_host.LogMessage(FormMessage(18));
    const StarFileResult read = ReadSessionStars(
        m_host.session(), programfolder::File(QStringLiteral("data")), m_field.centre());
    if (!read.read) m_host.LogMessage(QStringLiteral("data: %1").arg(read.read.error().message));
    m_host.LogMessage(tr("%1: %2").arg(FormText(20), QString::number(read.rows.inUse) +
                                                         QLatin1Char('/') +
                                                         objectsRead(read.rows.rowsRead)));
}

void CatalogueCommands::readMinorPlanets() {
    SessionState& s = m_host.session();
    if (!minorPlanetAnswerCurrent()) {
        // data2 holds the answer of another field or date, or none: nothing
        // of it is drawn or listed as this query's.
        s.forgetMinorPlanets();
        m_host.LogMessage(tr("Minor planets: no answer for the typed field and date, none shown"));
        return;
    }
    // Right ascensions are taken on the field's side of 0h: about the typed
    // centre at J2000, or as typed when it holds no number.
    const auto centre = TypedCentreJ2000(m_field.centre(), 1, 1);
    const double centreRa = centre ? centre->ra : s.CentreRA;
    MinorPlanetFileResult read;
    if (s.MinorPlanetAnswerRows) { // computed here: the rows written to data2
        read.rows = ReadHandedMinorPlanetRows(*s.MinorPlanetAnswerRows, s.Plate.corrAsd,
                                              s.Plate.corrDec, centreRa, s.MinorPlanets);
    } else {
        read = ReadMinorPlanetFile(programfolder::File(QStringLiteral("data2")), s.Plate.corrAsd,
                                   s.Plate.corrDec, centreRa, s.MinorPlanets);
    }
    s.Catalogue.minorPlanets = read.rows.planets;
    for (const QString& note : MinorPlanetReadNotes(read))
        m_host.LogMessage(note);
    m_host.LogMessage(tr("%1: %2").arg(FormText(76), objectsRead(read.rows.count)));
}

bool CatalogueCommands::minorPlanetAnswerCurrent() const {
    const QString& answered = m_host.session().MinorPlanetAnswerQuery;
    return !answered.isEmpty() && answered == typedMinorPlanetQuery();
}

void CatalogueCommands::readDeepSky() {
    SessionState& s = m_host.session();
    if (!m_host.CentreJ2000()) {
        s.DeepSky.count = 0;
        s.Catalogue.deepSky.clear();
        m_host.LogMessage(tr("NGC/IC objects: the field centre holds no number, none are read"));
    } else {
        const DeepSkyWindow window{s.CentrePlateRA, s.CentrePlateDec,
                                   DeepSkyWindowHalfWidth(numbers::Lenient(m_field.radius()),
                                                          s.Plate.corrAsd, s.Plate.corrDec)};
        const DeepSkyReadResult read = ReadDeepSkyFiles(
            programfolder::Path(), window, s.Plate.corrAsd, s.Plate.corrDec, s.DeepSky);
        s.Catalogue.deepSky = read.objects;
        for (const QString& note : DeepSkyReadNotes(read))
            m_host.LogMessage(note);
    }
    m_host.LogMessage(tr("%1: %2").arg(FormText(77), objectsRead(s.DeepSky.count)));
}

std::optional<BrowserField> CatalogueCommands::browserField() const {
    const auto asd = numbers::Strict(m_field.corrAsd());
    const auto dec = numbers::Strict(m_field.corrDec());
    if (!asd || !dec) return std::nullopt;
    const auto c = TypedCentreJ2000(m_field.centre(), *asd, *dec);
    if (!c) return std::nullopt;
    return BrowserField{
        {c->ra, c->dec, DeepSkyWindowHalfWidth(numbers::Lenient(m_field.radius()), *asd, *dec)},
        *asd,
        *dec};
}
