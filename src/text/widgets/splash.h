// The splash window: shown while the program starts (its progress bar paces
// the start-up) and again as the "about" box.
#pragma once

#include <QDialog>
#include <array>

class QLabel;
class QProgressBar;
class QTimer;

class frmSplash : public QDialog {
    Q_OBJECT
public:
    explicit frmSplash(QWidget* parent = nullptr);

    // Shows the splash as the about box: modal for the whole program, without
    // a nested event loop, gone (deleted) after the click that closes it.
    static void showAbout(QWidget* parent);

    // "Version 1.4.14".
    static QString versionText();

    QLabel* Label1 = nullptr;
    QLabel* lblVersion = nullptr;
    std::array<QLabel*, 5> Label2{};
    QLabel* Label3 = nullptr;
    QLabel* BarT = nullptr;
    QProgressBar* Bar = nullptr;
    QTimer* Timer1 = nullptr;

    void Timer1_Timer();
    void Form_Click();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};
