// The field centre as it is typed: the right ascension in three boxes
// txt_ra(0..2) (hours, minutes, seconds) and the declination as a sign
// (DecSignBox: buttons txt_dec_sign(0) "-" and (1) "+", and the label the
// program reads) and three boxes txt_dec(0..2) (degrees, minutes, seconds).
// The field panel of the main window and the wizard both show it, with their
// captions beside its two rows.
#pragma once

#include <QString>
#include <QWidget>
#include <array>

class DecSignBox;
class QLineEdit;
class QRadioButton;

class CentreEntry : public QWidget {
    Q_OBJECT
public:
    // `signLabel` names the sign label; `secondsWidth` and `width` are the
    // boxes' fixed widths (0: free).
    CentreEntry(const QString& signLabel, int width, int secondsWidth, QWidget* parent = nullptr);

    std::array<QString, 3> ra() const;
    std::array<QString, 3> dec() const;
    void setRa(const std::array<QString, 3>& texts);
    void setDec(const std::array<QString, 3>& texts);

    DecSignBox* sign() const { return m_sign; }
    QLineEdit* raBox(int i) const { return m_ra.at(i); }
    QLineEdit* decBox(int i) const { return m_dec.at(i); }

signals:
    void signClicked(int index); // txt_dec_sign(index)

private:
    std::array<QLineEdit*, 3> m_ra{};
    std::array<QLineEdit*, 3> m_dec{};
    DecSignBox* m_sign;
};
