// frm(0): the four numbered commands of a reduction, DownloadData ("1-Download"),
// SelectStar ("2-Etoiles"), startCalcul ("3-Calcul") and FullMap ("4-Full map"),
// in one row; under them BlindSolve (the field found without a position) and
// AutoPicks (five picks chosen on the image).
#pragma once

#include <QGroupBox>

class QPushButton;

class CommandBar : public QGroupBox {
    Q_OBJECT
public:
    explicit CommandBar(QWidget* parent = nullptr);
    void retranslate();
    QString downloadCaption() const;

private:
    QPushButton* m_download;
    QPushButton* m_select;
    QPushButton* m_autoPicks; // AutoPicks: five stars chosen among the stars found
    QPushButton* m_blind;     // BlindSolve: solve without position
    QPushButton* m_calcul;
    QPushButton* m_fullMap;
};
