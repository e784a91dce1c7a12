#include "mainwindow/settingscommands.h"

#include "catalogues/webswitches.h"
#include "platform/programfolder.h"
#include "platform/widgets/controlvalue.h"
#include "platform/widgets/messagebox.h"
#include "settings/defaults.h"
#include "settings/widgets/config2.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>

using namespace settings;
using namespace catalogues;

namespace {

QString boxText(const QWidget* window, const QString& name) {
    return ControlValue(window->findChild<QWidget*>(name));
}

void setText(QWidget* window, const QString& name, const QString& value) {
    SetControlValue(window->findChild<QWidget*>(name), value);
}

QString indexed(const char* name, int i) {
    return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(i);
}

} // namespace

QString ApplyDefaultsFile(QWidget* window) {
    const DefaultsFile d = ReadDefaults(programfolder::File(QStringLiteral("defaut.cfg")));
    const QStringList& names = DefaultsFile::controlNames();
    for (int i = 0; i < 16; ++i)
        if (d.values[i]) setText(window, names[i], *d.values[i]);
    if (d.autonomousMode) Web().AutonomousMode = *d.autonomousMode;
    if (d.updateCheck) Web().UpdateCheckEnabled = *d.updateCheck;
    return d.problems.value(0);
}

bool SaveDefaultsFile(QWidget* window) {
    const QString path = programfolder::File(QStringLiteral("defaut.cfg"));
    const auto written = WriteDefaults(path, ControlValues(window, DefaultsFile::controlNames()),
                                       Web().AutonomousMode, Web().UpdateCheckEnabled);
    if (written) return true;
    messagebox::Exclamation(
        window, QCoreApplication::translate("Form1", "The default settings could not be saved to "
                                                     "%1:\n%2\nThe previous file is unchanged.")
                    .arg(path, written.error().message));
    return false;
}

WizardFields MainWindowWizardFields(const QWidget* window) {
    WizardFields f;
    f.calcul = boxText(window, QStringLiteral("txt_calcul"));
    f.corrAsd = boxText(window, QStringLiteral("txt_corrasd"));
    f.corrDec = boxText(window, QStringLiteral("txt_corrdec"));
    for (int i = 0; i < 3; ++i) {
        f.dec[i] = boxText(window, indexed("txt_dec", i));
        f.ra[i] = boxText(window, indexed("txt_ra", i));
    }
    for (int i = 0; i < 2; ++i)
        if (auto* b = window->findChild<QAbstractButton*>(indexed("txt_dec_sign", i)))
            f.decSignOption[i] = b->isChecked();
    f.decSignShow = boxText(window, indexed("txt_dec_sign_show", 0));
    f.distance = boxText(window, QStringLiteral("txt_distance"));
    f.epoch = boxText(window, QStringLiteral("txt_epoch"));
    f.mag = boxText(window, QStringLiteral("txt_mag"));
    f.tolerance = boxText(window, QStringLiteral("txt_tolerance"));
    f.url = boxText(window, QStringLiteral("txt_url"));
    return f;
}

void SetMainWindowWizardFields(QWidget* window, const WizardFields& f) {
    setText(window, QStringLiteral("txt_calcul"), f.calcul);
    setText(window, QStringLiteral("txt_corrasd"), f.corrAsd);
    setText(window, QStringLiteral("txt_corrdec"), f.corrDec);
    for (int i = 0; i < 3; ++i)
        setText(window, indexed("txt_dec", i), f.dec[i]);
    // A radio button is ticked rather than cleared: ticking one clears the other.
    for (int i = 0; i < 2; ++i)
        if (auto* b = window->findChild<QAbstractButton*>(indexed("txt_dec_sign", i));
            b && f.decSignOption[i])
            b->setChecked(true);
    setText(window, indexed("txt_dec_sign_show", 0), f.decSignShow);
    setText(window, QStringLiteral("txt_distance"), f.distance);
    setText(window, QStringLiteral("txt_epoch"), f.epoch);
    setText(window, QStringLiteral("txt_mag"), f.mag);
    for (int i = 0; i < 3; ++i)
        setText(window, indexed("txt_ra", i), f.ra[i]);
    setText(window, QStringLiteral("txt_tolerance"), f.tolerance);
    setText(window, QStringLiteral("txt_url"), f.url);
}

bool RunWizard(QWidget* window) {
    std::optional<WizardFields> edited;
    {
        Wizard wizard(MainWindowWizardFields(window), window);
        if (wizard.exec() == QDialog::Accepted) edited = wizard.fields();
    }
    // The wizard's controls carry the same names: write back once it is gone.
    if (!edited) return false;
    SetMainWindowWizardFields(window, *edited);
    return true;
}

void RunConfigurationEditor(QWidget* parent) {
    Config window(Config::Mode::Edit, parent);
    window.exec();
}

std::optional<Config::Coefficients> ChooseConfiguration(QWidget* parent) {
    Config window(Config::Mode::Select, parent);
    window.exec();
    return window.chosen();
}

void RunCcdCalculator(QWidget* parent,
                      const std::function<void(const QString& cx, const QString& cy)>& apply) {
    Config2 window(parent);
    QObject::connect(&window, &Config2::coefficientsComputed, &window, apply);
    window.exec();
}
