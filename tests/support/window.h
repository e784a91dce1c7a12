// Helpers of the tests that drive the main window through a session on the
// shipped sample, and its modal windows; the widget headers they all need.
#pragma once

#include "mainwindow/form1.h"
#include "testing.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <functional>
#include <utility>

namespace testing_support {

// The English language file in the program-wide table for the life of the
// object; the empty table again afterwards.
class EnglishTexts {
public:
    explicit EnglishTexts(const ProgramFolderFixture& folder);
    ~EnglishTexts();
};

// Five picks on the sample image as a user clicks them, each `offset` from
// its star, through the pointer and the magnifier ("2-Stars" first, the
// star-centring box ticked, unless `start` is false).
void pickSampleStars(Form1& form, QPoint offset = {}, bool start = true);
// The five picks of the sample in order (pixel of each star, to 1.5 px).
extern const int kSamplePicks[5][2];

// Answers Yes only to the candidate that puts catalogue rows 9, 13, 19, 20
// and 45 (the sample's true identification) on picks 1..5; counts the
// questions and the Yes answers when asked to.
std::function<messagebox::Answer(const messagebox::Shown&)>
yesToTheTrueIdentification(Form1& form, int* questions = nullptr, int* accepted = nullptr);

// sample.pam opened, downloaded (from the shipped cache), picked by hand and
// solved with the true identification; afterwards every question is a Yes.
void solveSample(Form1& form, MessageRecorder& boxes, const ProgramFolderFixture& folder);

// A click on the image at pixel `at` (pointer moved there first).
void clickImage(Form1& form, QPoint at);

// Triggers the menu command (action) named `action`.
void trigger(const Form1& form, const char* action);

// RA and Dec (J2000, degrees) of the first two coordinate lines of the info panel.
std::pair<double, double> readoutDegrees(const Form1& form);

// True when a line of the status list contains `part`.
bool logged(const Form1& form, const QString& part);

// Drives the next modal window of type T once it shows, then closes it if
// the driver left it open (as closing by its frame would).
template <class T> class NextDialog {
public:
    explicit NextDialog(std::function<void(T&)> drive) : m_drive(std::move(drive)) {
        m_timer.setInterval(10);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            auto* d = qobject_cast<T*>(QApplication::activeModalWidget());
            if (!d) return;
            m_timer.stop();
            ran = true;
            m_drive(*d);
            if (d->isVisible()) d->reject();
        });
        m_timer.start();
    }
    bool ran = false;

private:
    std::function<void(T&)> m_drive;
    QTimer m_timer;
};

} // namespace testing_support
