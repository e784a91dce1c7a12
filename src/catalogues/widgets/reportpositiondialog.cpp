#include "catalogues/widgets/reportpositiondialog.h"

#include "catalogues/mpcreport.h"
#include "platform/regularfile.h"
#include "platform/widgets/messagebox.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFontDatabase>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>
#include <QVBoxLayout>

using namespace reduction;
using namespace field;
using namespace catalogues;

namespace {

template <class W> W* named(W* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

} // namespace

ReportPositionDialog::ReportPositionDialog(ReportDraft draft, QWidget* parent)
    : QDialog(parent), m_draft(std::move(draft)) {
    setObjectName(QStringLiteral("frmReport"));
    setWindowTitle(tr("Report position"));
    setModal(true);
    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    const MeasuredPoint& p = m_draft.point;

    auto* point = named(new QLabel, "lbl_point");
    const QString plate = p.refinedPlate ? tr("refined plate") : tr("three-star model");
    point->setText(p.x == p.clickX && p.y == p.clickY
                       ? tr("Image point %1, %2 (%3)").arg(p.x).arg(p.y).arg(plate)
                       : tr("Image point %1, %2, the brightest spot near the click at %3, %4 (%5)")
                             .arg(p.x)
                             .arg(p.y)
                             .arg(p.clickX)
                             .arg(p.clickY)
                             .arg(plate));
    point->setWordWrap(true);

    txt_designation = named(new QLineEdit(OfferedDesignation(m_draft)), "txt_designation");
    txt_designation->setToolTip(tr("A number (433), a provisional designation (2022 HK5), a "
                                   "packed form, or your own temporary designation of up to 7 "
                                   "letters and digits"));
    auto* nearest = named(new QLabel, "lbl_nearest");
    if (const auto& n = m_draft.nearest)
        nearest->setText(tr("Nearest minor planet on the map: %1 (%2), %3′ away")
                             .arg(n->label, n->packed, QString::number(n->arcminutes, 'f', 1)));
    else
        nearest->setText(tr("No minor planet on the map"));
    nearest->setWordWrap(true);

    const auto& d = m_draft.date;
    auto* date =
        named(new QLabel(QStringLiteral("%1-%2-%3 %4:%5 UTC").arg(d[2], d[1], d[0], d[3], d[4])),
              "lbl_date");
    date->setToolTip(tr("The minor-planet date fields: the middle of the exposure"));

    txt_magnitude = named(new QLineEdit, "txt_magnitude");
    txt_magnitude->setToolTip(tr("Optional; leave empty when not measured"));
    cmb_band = named(new QComboBox, "cmb_band");
    cmb_band->setEditable(true);
    cmb_band->addItems({QStringLiteral("V"), QStringLiteral("R"), QStringLiteral("B"),
                        QStringLiteral("I"), QStringLiteral("C"), QStringLiteral("G")});
    auto* magnitudeRow = new QHBoxLayout;
    magnitudeRow->addWidget(txt_magnitude);
    magnitudeRow->addWidget(new QLabel(tr("Band:")));
    magnitudeRow->addWidget(cmb_band);

    txt_observatory = named(new QLineEdit(m_draft.observatory), "txt_observatory");
    txt_observatory->setMaxLength(3);
    txt_observatory->setToolTip(tr("Your observatory code of the Minor Planet Center; 500 "
                                   "stands for the centre of the Earth"));

    txt_line = named(new QLineEdit, "txt_line");
    txt_line->setReadOnly(true);
    txt_line->setFont(fixed);
    txt_line->setMinimumWidth(QFontMetrics(fixed).horizontalAdvance(QString(82, u'0')));
    lbl_error = named(new QLabel, "lbl_error");
    lbl_error->setWordWrap(true);
    lbl_error->setStyleSheet(QStringLiteral("color: #a00000"));

    txt_report = named(new QPlainTextEdit, "txt_report");
    txt_report->setReadOnly(true);
    txt_report->setFont(fixed);
    txt_report->setLineWrapMode(QPlainTextEdit::NoWrap);

    auto* form = new QFormLayout;
    form->addRow(point);
    form->addRow(tr("Designation:"), txt_designation);
    form->addRow(QString(), nearest);
    form->addRow(tr("Date:"), date);
    form->addRow(tr("Magnitude:"), magnitudeRow);
    form->addRow(tr("Observatory code:"), txt_observatory);
    form->addRow(tr("Line:"), txt_line);
    form->addRow(QString(), lbl_error);

    cmdAppend = named(new QPushButton(tr("Append to the report")), "cmdAppend");
    cmdAppend->setDefault(true);
    cmdCopy = named(new QPushButton(tr("Copy the report")), "cmdCopy");
    cmdClose = named(new QPushButton(tr("Close")), "cmdClose");
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdAppend);
    buttons->addWidget(cmdCopy);
    buttons->addWidget(cmdClose);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(
        new QLabel(tr("Report file %1:").arg(QDir::toNativeSeparators(m_draft.reportPath))));
    layout->addWidget(txt_report, 1);
    layout->addLayout(buttons);

    connect(cmdAppend, &QPushButton::clicked, this, &ReportPositionDialog::cmdAppend_Click);
    connect(cmdCopy, &QPushButton::clicked, this, &ReportPositionDialog::cmdCopy_Click);
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::accept);
    for (QLineEdit* e : {txt_designation, txt_magnitude, txt_observatory})
        connect(e, &QLineEdit::textChanged, this, &ReportPositionDialog::updateLine);
    connect(cmb_band, &QComboBox::currentTextChanged, this, &ReportPositionDialog::updateLine);
    updateLine();
    showReport();
}

QString ReportPositionDialog::observatory() const {
    return txt_observatory->text().trimmed();
}

ReportTexts ReportPositionDialog::texts() const {
    return {txt_designation->text(), m_draft.date, txt_magnitude->text(), cmb_band->currentText(),
            txt_observatory->text()};
}

void ReportPositionDialog::updateLine() {
    const auto line = ReportLine(texts(), m_draft.point.sky);
    txt_line->setText(line.value_or(QString()));
    lbl_error->setText(line ? QString() : line.error().message);
    cmdAppend->setEnabled(line.ok() && !m_appended);
}

void ReportPositionDialog::cmdAppend_Click() {
    const auto line = ReportLine(texts(), m_draft.point.sky);
    if (!line || m_appended) return;
    if (const auto appended = AppendReportLine(m_draft.reportPath, *line); !appended) {
        messagebox::Exclamation(
            this, tr("The line could not be added to %1: %2")
                      .arg(QDir::toNativeSeparators(m_draft.reportPath), appended.error().message));
        return;
    }
    m_appended = *line;
    cmdAppend->setEnabled(false);
    showReport();
}

void ReportPositionDialog::cmdCopy_Click() {
    QApplication::clipboard()->setText(txt_report->toPlainText());
}

void ReportPositionDialog::showReport() {
    const QByteArray report = regularfile::Read(m_draft.reportPath, kMaxReportBytes).value_or({});
    txt_report->setPlainText(QString::fromLatin1(report).remove(QLatin1Char('\r')));
    // The newest line is the last: show it selected.
    QTextCursor end = txt_report->textCursor();
    end.movePosition(QTextCursor::End);
    if (txt_report->toPlainText().endsWith(QLatin1Char('\n'))) end.movePosition(QTextCursor::Left);
    end.movePosition(QTextCursor::StartOfBlock, QTextCursor::KeepAnchor);
    txt_report->setTextCursor(end);
}
