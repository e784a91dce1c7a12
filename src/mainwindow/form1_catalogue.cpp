// Main window: catalogue download and reading, cache mode and site windows.
#include "catalogues/web/download.h"
#include "catalogues/widgets/frminternet.h"
#include "catalogues/widgets/frmmode.h"
#include "catalogues/usnoa2.h"
#include "catalogues/web/starquery.h"
#include "catalogues/sites.h"
#include "catalogues/webswitches.h"
#include "mainwindow/form1.h"
#include "platform/widgets/messagebox.h"
#include "platform/programfolder.h"
#include "reduction/precession.h"
#include "text/language.h"

#include <QCheckBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <memory>

namespace {

// The minor-planet query of a download (asked for when a match exists and
// minor planets are ticked). Not written yet: the download ends without it.
void RunMinorPlanetQuery(Form1& /*form*/) {}

// One status line that shows how much of an answer has arrived, updated in
// place a few times a second rather than adding a line per block. The line is
// found again by a tag, so lines added meanwhile do not matter.
class ProgressLine {
public:
    ProgressLine(QListWidget* list, QString name) : m_list(list), m_name(std::move(name)) {
        static int serial = 0;
        m_tag = QStringLiteral("download-progress-%1").arg(++serial);
    }

    void update(qint64 received, bool last) {
        if (!last && m_clock.isValid() && m_clock.elapsed() < 250) return;
        m_clock.start();
        const QString text = QStringLiteral("%1: %2 bytes received").arg(m_name).arg(received);
        for (int i = 0; i < m_list->count(); ++i) {
            QListWidgetItem* item = m_list->item(i);
            if (item->data(Qt::UserRole).toString() == m_tag) {
                item->setText(text);
                return;
            }
        }
        m_list->insertItem(0, text);
        m_list->item(0)->setData(Qt::UserRole, m_tag);
    }

private:
    QListWidget* m_list;
    QString m_name;
    QString m_tag;
    QElapsedTimer m_clock;
};

} // namespace

void Form1::DownloadData_Click() {
    const QString position = txt_ra(0)->text() + txt_ra(1)->text() + txt_ra(2)->text() +
                             txt_dec(0)->text() + txt_dec(1)->text() + txt_dec(2)->text();
    Web().StarCacheKey = position + txt_distance->text() + txt_mag->text();
    Web().MinorPlanetCacheKey = position + txt_Adate(0)->text() + txt_Adate(1)->text() +
                                txt_Adate(2)->text() + txt_Adate(3)->text() + txt_Adate(4)->text() +
                                txt_Afield->text() + Txt_Amag->text();
    SetIdleIndicator(false);

    TypedCentreFields fields;
    for (int i = 0; i < 3; ++i) {
        fields.ra[i] = txt_ra(i)->text();
        fields.dec[i] = txt_dec(i)->text();
    }
    fields.decSign = txt_dec_sign_show(0)->text();
    fields.epoch = txt_epoch->text();
    const TypedCentreReading reading = ReadTypedCentre(fields);
    if (!reading.centre) {
        LogMessage(QStringLiteral("%1: not a number in %2 (\"%3\"), nothing downloaded")
                       .arg(DownloadData->text(), reading.badField, reading.badText));
        SetIdleIndicator(true);
        return;
    }
    const TypedCentre& centre = *reading.centre;
    m_session.CentreRA = centre.ra;
    m_session.CentreDec = centre.dec;
    // 4000 - epoch: precess from the typed equinox back to J2000.
    const PrecessionDelta delta = PrecessFromJ2000(4000 - centre.epoch, centre.ra, centre.dec);
    const StarQueryCoordinates query = MakeStarQueryCoordinates(centre, delta.dRA, delta.dDec);

    LogMessage(FormMessage(8));
    auto progress = std::make_shared<ProgressLine>(status, QStringLiteral("data"));
    DownloadOptions options;
    options.log = [this](const QString& line) { LogMessage(line); };
    options.progress = [progress](qint64 received, qint64) { progress->update(received, false); };
    const DownloadResult result =
        QueryUsnoA2(txt_epoch->text(), query.ra, query.dec, txt_distance->text(), txt_mag->text(),
                    Web(), Sites().starServer, Web().StarCacheKey, options);
    if (result.status == DownloadResult::Status::Blocked)
        LogMessage(QStringLiteral("Star server blocked (Internet bugs): nothing downloaded"));
    else if (result.status == DownloadResult::Status::Downloaded)
        progress->update(result.bytes, true);
    LogMessage(FormMessage(9));

    if (m_session.MatchFound && CheckValue(CheckAster) == 1 &&
        messagebox::yesNo(this, FormMessage(23), FormMessage(21)))
        RunMinorPlanetQuery(*this);
    SetIdleIndicator(true);
}

void Form1::READFILE() {
    LogMessage(FormMessage(18));
    const StarFileResult read =
        ReadUsnoA2File(programfolder::file(QStringLiteral("data")), m_session.Plate.corrAsd,
                       m_session.Plate.corrDec, m_session.Stars);
    if (!read.opened) LogMessage(QStringLiteral("data: %1").arg(read.error));
    LogMessage(Lang().FormTexts[20] + QStringLiteral(": ") + QString::number(read.rows.inUse) +
               QLatin1Char('/') + QString::number(read.rows.rowsRead) + FormMessage(19));
}

void Form1::READFILE_ASTER() {}
void Form1::READFILE_NGCIC() {}

void Form1::mnu_modeauto_Click() {
    FrmMode window(this);
    window.exec();
}

void Form1::mnu_webbugs_Click() {
    frmInternet window(this);
    window.exec();
}

void Form1::mnu_database_Click() {}
