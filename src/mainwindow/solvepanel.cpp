#include "mainwindow/solvepanel.h"

#include "mainwindow/panelparts.h"

#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

using namespace reduction;
using namespace imaging;
using namespace field;

SolvePanel::SolvePanel(QWidget* parent)
    : QGroupBox(parent), m_plate(panelparts::wrappedLabel()), m_table(new QTableWidget(0, 6)) {
    setObjectName(QStringLiteral("frm_plate"));
    m_plate->setObjectName(QStringLiteral("lbl_plate"));
    m_table->setObjectName(QStringLiteral("ResidualTable"));
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    auto* l = new QVBoxLayout(this);
    l->addWidget(m_plate);
    l->addWidget(m_table, 1);
    retranslate();
    clearPlate();
}

void SolvePanel::retranslate() {
    setTitle(tr("Plate"));
    m_table->setHorizontalHeaderLabels(
        {tr("Star"), tr("dx (px)"), tr("dy (px)"), tr("dx (\")"), tr("dy (\")"), tr("Fit")});
    if (m_plateText) render();
}

void SolvePanel::showPlate(std::function<QString()> plateText, std::vector<ResidualLine> lines) {
    m_plateText = std::move(plateText);
    m_lines = std::move(lines);
    render();
    show();
}

void SolvePanel::render() {
    const std::vector<ResidualLine>& lines = m_lines;
    m_plate->setText(m_plateText());
    m_table->setRowCount(static_cast<int>(lines.size()));
    for (int r = 0; r < static_cast<int>(lines.size()); ++r) {
        const ResidualLine& line = lines[r];
        const QString cells[6] = {line.star,
                                  QString::number(line.dxPx, 'f', 2),
                                  QString::number(line.dyPx, 'f', 2),
                                  QString::number(line.dxArcsec, 'f', 2),
                                  QString::number(line.dyArcsec, 'f', 2),
                                  line.used ? tr("used") : tr("rejected")};
        for (int c = 0; c < 6; ++c) {
            auto* item = new QTableWidgetItem(cells[c]);
            if (c > 0 && c < 5) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            m_table->setItem(r, c, item);
        }
    }
    m_table->setVisible(!lines.empty());
}

void SolvePanel::clearPlate() {
    m_plateText = nullptr;
    m_lines.clear();
    m_plate->clear();
    m_table->setRowCount(0);
    hide();
}

QString SolvePanel::plateText() const {
    return m_plate->text();
}
