#include "mainwindow/messagepanel.h"

#include "mainwindow/panelparts.h"

#include "text/widgets/applylanguage.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

using namespace catalogues::web;

MessagePanel::MessagePanel(QWidget* parent)
    : QGroupBox(QStringLiteral("Debug"), parent), m_status(new QListWidget),
      m_info(panelparts::wrappedLabel(tr("Info:"))),
      m_cancel(new QPushButton(tr("Cancel download"))) {
    setObjectName(QStringLiteral("frm(3)"));
    m_cancel->setObjectName(QStringLiteral("cancelDownload"));
    m_cancel->setToolTip(tr("Stop the running download; the previous answer is kept"));
    m_cancel->hide();
    m_status->setObjectName(QStringLiteral("status"));
    // Four lines at least, so that the plate panel below keeps room for its table.
    m_status->setMinimumHeight(4 * m_status->fontMetrics().lineSpacing() + 8);
    m_info->setObjectName(QStringLiteral("info"));
    m_info->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* l = new QVBoxLayout(this);
    l->addWidget(m_status, 1);
    l->addWidget(m_info);
    l->addWidget(m_cancel, 0, Qt::AlignRight);
}

void MessagePanel::retranslate() {
    SetFormCaption(this, 22);
    if (!m_readoutShown) m_info->setText(tr("Info:"));
    m_cancel->setText(tr("Cancel download"));
    m_cancel->setToolTip(tr("Stop the running download; the previous answer is kept"));
}

void MessagePanel::log(const QString& text) {
    note(text);
    QCoreApplication::processEvents();
}

void MessagePanel::note(const QString& text) {
    m_status->insertItem(0, text);
}

void MessagePanel::clear() {
    m_status->clear();
}

void MessagePanel::setReadout(const QString& text) {
    m_info->setText(text);
    m_readoutShown = !text.isEmpty();
}

MessagePanel::ProgressLine::ProgressLine(MessagePanel& panel, QString name)
    : m_panel(panel), m_name(std::move(name)) {
    static int serial = 0;
    m_tag = QStringLiteral("download-progress-%1").arg(++serial);
}

void MessagePanel::ProgressLine::update(qint64 received, bool last) {
    show(QCoreApplication::translate("MessagePanel", "%1: %2 bytes received")
             .arg(m_name)
             .arg(received),
         last);
}

void MessagePanel::ProgressLine::show(const QString& text, bool last) {
    if (!last && m_clock.isValid() && m_clock.elapsed() < 250) return;
    m_clock.start();
    // The line is found again by its tag, so lines added meanwhile do not matter.
    QListWidget* list = m_panel.m_status;
    for (int i = 0; i < list->count(); ++i) {
        QListWidgetItem* item = list->item(i);
        if (item->data(Qt::UserRole).toString() == m_tag) {
            item->setText(text);
            return;
        }
    }
    list->insertItem(0, text);
    list->item(0)->setData(Qt::UserRole, m_tag);
}

std::shared_ptr<MessagePanel::ProgressLine> MessagePanel::progressLine(const QString& name) {
    return std::make_shared<ProgressLine>(*this, name);
}

DownloadOptions MessagePanel::downloadOptions(const QString& name,
                                              std::function<void(const QString&)> log,
                                              std::shared_ptr<ProgressLine>& progress) {
    progress = progressLine(name);
    DownloadOptions options;
    options.log = std::move(log);
    options.progress = [line = progress](qint64 received, qint64) {
        line->update(received, false);
    };
    m_cancelRequested = false;
    m_cancel->setEnabled(true);
    m_cancel->show();
    options.cancelled = [this] { return m_cancelRequested; };
    return options;
}

void MessagePanel::requestCancel() {
    m_cancelRequested = true;
    m_cancel->setEnabled(false);
}

void MessagePanel::endDownload() {
    m_cancel->hide();
    m_cancelRequested = false;
}

namespace {
QLabel* iconLabel(const char* name, const QColor& colour, const QString& text) {
    auto* l = new QLabel(text);
    l->setObjectName(QString::fromLatin1(name));
    l->setAlignment(Qt::AlignCenter);
    l->setStyleSheet(QStringLiteral("QLabel { background: %1; color: white; border-radius: 4px; "
                                    "padding: 2px 8px; font-weight: bold; }")
                         .arg(colour.name()));
    return l;
}
} // namespace

IdleIndicator::IdleIndicator(QWidget* parent)
    : QWidget(parent), m_idle(iconLabel("icoG", QColor(0, 150, 0), QStringLiteral("idle"))),
      m_busy(iconLabel("icoR", QColor(200, 0, 0), QStringLiteral("Busy"))) {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->addStretch();
    row->addWidget(m_idle);
    row->addWidget(m_busy);
    m_busy->hide();
}

void IdleIndicator::retranslate() {
    m_idle->setText(tr("idle"));
    m_busy->setText(tr("Busy"));
}

void IdleIndicator::setIdle(bool idle) {
    m_idle->hide();
    m_busy->hide();
    (idle ? m_idle : m_busy)->show();
}
