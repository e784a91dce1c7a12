#include "text/widgets/splash.h"

#include <QLabel>
#include <QProgressBar>
#include <QTimer>
#include <QVBoxLayout>

frmSplash::frmSplash(QWidget* parent)
    : QDialog(parent, Qt::SplashScreen | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("frmSplash"));
    setStyleSheet(QStringLiteral("frmSplash { background: #0b1a33; } QLabel { color: #e8eef8; }"));
    auto* l = new QVBoxLayout(this);
    l->setContentsMargins(24, 20, 24, 20);
    Label1 = new QLabel(QStringLiteral("Astroplate"));
    Label1->setStyleSheet(QStringLiteral("font-size: 26px; font-weight: bold;"));
    lblVersion = new QLabel(versionText());
    for (auto& lab : Label2)
        lab = new QLabel;
    Label2[0]->setText(tr("Astrometry for amateur astronomers. Free software (GPL-3.0-or-later)."));
    Label2[1]->setText(tr("Credits:"));
    Label2[2]->setText(tr("USNO-A2.0: European Southern Observatory database"));
    Label2[3]->setText(tr("Minor Planet Center online services"));
    Label2[4]->setText(tr("Images: NASA, ESA"));
    Label3 = new QLabel(tr("Sample image: Cristina Cellini (CC BY-SA)"));
    BarT = new QLabel(tr("LOADING..."));
    Bar = new QProgressBar;
    Bar->setRange(0, 100);
    Bar->setValue(0);
    Bar->setTextVisible(false);
    BarT->hide();
    Bar->hide();
    l->addWidget(Label1);
    l->addWidget(lblVersion);
    l->addSpacing(8);
    l->addWidget(Label2[0]);
    l->addSpacing(8);
    for (int i = 1; i < 5; ++i)
        l->addWidget(Label2[i]);
    l->addWidget(Label3);
    l->addSpacing(8);
    l->addWidget(BarT);
    l->addWidget(Bar);
    setFixedSize(520, 320);

    Timer1 = new QTimer(this);
    Timer1->setInterval(1);
    connect(Timer1, &QTimer::timeout, this, &frmSplash::Timer1_Timer);
}

QString frmSplash::versionText() {
    return tr("Version %1.%2.%3")
        .arg(APP_VERSION_MAJOR)
        .arg(APP_VERSION_MINOR)
        .arg(APP_VERSION_PATCH);
}

void frmSplash::Timer1_Timer() {
    Bar->show();
    BarT->show();
    Bar->setValue(Bar->value() < 97 ? Bar->value() + 4 : 100);
    if (Bar->value() == 100) Timer1->setInterval(500);
}

void frmSplash::Form_Click() {
    // Only the about box closes on a click; during start-up the timer runs
    // (even before its first tick has shown the bar).
    if (Bar->isHidden() && !Timer1->isActive()) close();
}

void frmSplash::mouseReleaseEvent(QMouseEvent*) {
    Form_Click();
}

void frmSplash::showAbout(QWidget* parent) {
    auto* about = new frmSplash(parent);
    about->setAttribute(Qt::WA_DeleteOnClose);
    about->setWindowModality(Qt::ApplicationModal);
    about->show();
}
