// The declination sign of a panel: the radio buttons txt_dec_sign(first) "-"
// and txt_dec_sign(first + 1) "+" side by side, and after them the label
// txt_dec_sign_show(label) that holds the sign the program reads ("+" at
// first). A click on a button only reports it; the owner sets the label.
#pragma once

#include <QWidget>
#include <array>

class QLabel;
class QRadioButton;

class DecSignBox : public QWidget {
    Q_OBJECT
public:
    DecSignBox(int first, int label, QWidget* parent = nullptr);
    // The same with the label named `labelName`.
    DecSignBox(int first, const QString& labelName, QWidget* parent = nullptr);

    // The label's sign, "+" or "-".
    QString sign() const;
    void setSign(const QString& sign);
    // Ticks the button that matches the label (after a file set it).
    void syncButtons();
    // Whether each button is ticked ("-", "+"); ticks them so.
    std::array<bool, 2> buttonsChecked() const;
    void setButtonsChecked(const std::array<bool, 2>& checked);
    QRadioButton* button(int i) const { return m_buttons.at(i); }

signals:
    void clicked(int index); // the button txt_dec_sign(index)

private:
    std::array<QRadioButton*, 2> m_buttons{};
    QLabel* m_label;
};
