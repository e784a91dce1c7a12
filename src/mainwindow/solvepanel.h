// The plate of the accepted identification: which plate is in use (the
// three-star model or the refined plate, with its figures) and, once a plate
// has been refined, the residual of every catalogue star of the fit.
#pragma once

#include "field/solve.h"

#include <QGroupBox>
#include <functional>
#include <vector>

class QLabel;
class QTableWidget;

class SolvePanel : public QGroupBox {
    Q_OBJECT
public:
    explicit SolvePanel(QWidget* parent = nullptr);
    void retranslate();

    // Shows the panel with the text `plateText` makes and the table lines
    // (none: the table is hidden). The text is made again in the new
    // language when the language changes.
    void showPlate(std::function<QString()> plateText, std::vector<field::ResidualLine> lines);
    // Empties and hides the panel (no identification accepted).
    void clearPlate();

    QString plateText() const;
    const QTableWidget* table() const { return m_table; }

private:
    void render();

    QLabel* m_plate;
    QTableWidget* m_table;
    std::function<QString()> m_plateText; // empty while no plate is shown
    std::vector<field::ResidualLine> m_lines;
};
