// The "Internet problems" window (Internet bugs): lets the user block each of the three web sites
// so that the program keeps working when a site or the connection fails.
#pragma once

#include <QDialog>
#include <array>

class QCheckBox;
class QLabel;
class QPushButton;

class frmInternet : public QDialog {
    Q_OBJECT
public:
    explicit frmInternet(QWidget* parent = nullptr);

    // Chk(0): maker's site (update check), Chk(1): star server,
    // Chk(2): minor-planet service.
    QCheckBox* Chk(int i) const { return m_Chk.at(i); }
    QLabel* label = nullptr;
    QPushButton* cmdOK = nullptr;
    // Stars from the local index files instead of the star server (for the
    // session; sites.cfg sets it for every start).
    QCheckBox* ChkLocalStars = nullptr;
    // Minor planets computed from the element file instead of asked of the
    // minor-planet service (for the session; sites.cfg sets it for every start).
    QCheckBox* ChkLocalMinorPlanets = nullptr;

    // Captions with the configured hosts; each box ticked when its site is on.
    void Form_Load();
    // Clears the three switches, then sets those whose box is ticked, and
    // takes the star and minor-planet sources; closes.
    void cmdOK_Click();

private:
    std::array<QCheckBox*, 3> m_Chk{};
};
