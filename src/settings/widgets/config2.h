// The CCD field calculator window: the corrector coefficients from the sensor
// size, its pixel counts and the focal length. "Calculer" hands the two
// coefficients to whoever listens (the main window puts them into its
// corrector boxes) and reports them with the size of the field.
#pragma once

#include <QDialog>
#include <array>

class QLabel;
class QLineEdit;
class QPushButton;

class Config2 : public QDialog {
    Q_OBJECT
public:
    explicit Config2(QWidget* parent = nullptr);

    // txt(1) sensor width (mm), txt(2) height (mm), txt(3) width (pixels),
    // txt(4) height (pixels), txt(5) focal length (mm).
    QLineEdit* txt(int i) const { return m_txt.at(i - 1); }
    QLabel* lbl(int i) const { return m_lbl.at(i); }
    QLabel* Label1(int i) const { return m_Label1.at(i); }
    QPushButton* cmd1 = nullptr;     // "Calculer"
    QPushButton* cmdClose = nullptr; // closes the window (as Escape does)

    // The message of the last successful calculation.
    QString lastMessage() const { return m_message; }

    void Form_Load();
    void cmd1_Click();

signals:
    // CX and CY as texts, emitted before the result is shown.
    void coefficientsComputed(const QString& corrAsd, const QString& corrDec);

private:
    std::array<QLineEdit*, 5> m_txt{};
    std::array<QLabel*, 6> m_lbl{};
    std::array<QLabel*, 5> m_Label1{};
    QString m_message;
};
