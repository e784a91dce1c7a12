// The autonomous-mode window: one check box that switches the catalogue cache
// on or off, with two lines of explanation.
#pragma once

#include <QDialog>
#include <array>

class QCheckBox;
class QLabel;
class QPushButton;

class FrmMode : public QDialog {
    Q_OBJECT
public:
    explicit FrmMode(QWidget* parent = nullptr);

    QLabel* lbl(int i) const { return m_lbl.at(i); }
    QCheckBox* Check = nullptr;
    QPushButton* cmdOK = nullptr;

    // Texts from the language table (when it has them), the box from the switch.
    void Form_Load();
    // Sets the autonomous mode from the box and closes the window.
    void cmdOK_Click();

private:
    std::array<QLabel*, 2> m_lbl{};
};
