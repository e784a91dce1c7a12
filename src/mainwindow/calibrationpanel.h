// frm(4): the reference-star calibration. It takes the place of the
// messages frm(3) while a calibration runs: the eight boxes Etalo(0..7)
// (pixel x, y; right ascension h, m, s; declination d, m, s), the
// declination sign and the button BoutonEtalo that records each star.
#pragma once

#include <QGroupBox>
#include <array>

class DecSignBox;
class QLabel;
class QLineEdit;
class QPushButton;

class CalibrationPanel : public QGroupBox {
    Q_OBJECT
public:
    explicit CalibrationPanel(QWidget* parent = nullptr);
    void retranslate();

    std::array<QString, 8> boxes() const;
    void setBoxes(const std::array<QString, 8>& texts);
    void clearBoxes();
    // The picked pixel into Etalo(0) and Etalo(1).
    void setPixel(int x, int y);
    // After two typed characters the caret moves on to the next box (not from
    // the seconds boxes 4 and 7); a comma becomes a point.
    void hopAndRepair(int index);

    void setButtonCaption(const QString& text);
    // The sign label txt_dec_sign_show(1): "+" or "-".
    QString decSign() const;
    void setDecSign(const QString& sign);
    void syncSignButtons();

signals:
    void boxChanged(int index);  // Etalo(index)
    void signClicked(int index); // txt_dec_sign(2) "-", txt_dec_sign(3) "+"

private:
    std::array<QLineEdit*, 8> m_boxes{};
    DecSignBox* m_sign;
    QPushButton* m_next;
    std::array<QLabel*, 4> m_labels{}; // lbl(12..15)
};
