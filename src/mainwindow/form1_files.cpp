// Main window: reduction files and default settings.
#include "catalogues/webswitches.h"
#include "mainwindow/form1.h"
#include "mainwindow/imagecanvas.h"
#include "platform/widgets/filedialog.h"
#include "platform/widgets/messagebox.h"
#include "platform/numbers.h"
#include "platform/programfolder.h"
#include "settings/defaults.h"
#include "settings/reductionfile.h"
#include "platform/textfile.h"
#include "text/language.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

namespace {

// The text a control holds as the files store it.
QString controlValue(QWidget* w) {
    if (auto* e = qobject_cast<QLineEdit*>(w)) return e->text();
    if (auto* c = qobject_cast<QCheckBox*>(w)) return QString::number(CheckValue(c));
    if (auto* l = qobject_cast<QLabel*>(w)) return l->text();
    return QString();
}

// Puts a stored value into a control; false when a check-box value is not 0, 1 or 2.
bool setControlValue(QWidget* w, const QString& value) {
    if (auto* e = qobject_cast<QLineEdit*>(w)) {
        e->setText(value);
        return true;
    }
    if (auto* c = qobject_cast<QCheckBox*>(w)) {
        const auto v = numbers::textToInt16(value);
        if (!v || *v < 0 || *v > 2) return false;
        SetCheckValue(c, *v);
        return true;
    }
    if (auto* l = qobject_cast<QLabel*>(w)) {
        l->setText(value);
        return true;
    }
    return false;
}

} // namespace

void Form1::LoadDefaults() {
    const DefaultsFile d = ReadDefaults(programfolder::file(QStringLiteral("defaut.cfg")));
    const QStringList& names = DefaultsFile::controlNames();
    for (int i = 0; i < 16; ++i) {
        if (d.values[i]) setControlValue(findChild<QWidget*>(names[i]), *d.values[i]);
    }
    if (d.autonomousMode) Web().AutonomousMode = *d.autonomousMode;
    if (d.updateCheck) Web().UpdateCheckEnabled = *d.updateCheck;
    if (!d.problems.isEmpty())
        status->insertItem(0, d.problems.first() + QStringLiteral(" (design values kept)"));
}

void Form1::mnu_savedefaut_Click() {
    QStringList values;
    for (const QString& name : DefaultsFile::controlNames())
        values << controlValue(findChild<QWidget*>(name));
    QString error;
    const QString path = programfolder::file(QStringLiteral("defaut.cfg"));
    if (!WriteDefaults(path, values, Web().AutonomousMode, Web().UpdateCheckEnabled, &error))
        messagebox::exclamation(this, path + QStringLiteral(": ") + error);
}

bool Form1::SaveReduction(const QString& path) {
    QStringList lines;
    for (const QString& name : reductionfile::controlNames())
        lines << controlValue(findChild<QWidget*>(name));
    QString error;
    if (!textfile::writeLines(path, lines, &error)) {
        messagebox::exclamation(this, path + QStringLiteral(": ") + error);
        return false;
    }
    return true;
}

bool Form1::OpenReduction(const QString& path) {
    QStringList lines;
    QString error;
    if (!textfile::readLines(path, lines, &error)) {
        messagebox::exclamation(this, path + QStringLiteral(": ") + error);
        return false;
    }
    const QStringList& names = reductionfile::controlNames();
    for (int i = 0; i < names.size(); ++i) {
        if (i >= lines.size()) {
            messagebox::exclamation(this,
                                    tr("%1: the file ends after line %2; line %3 (%4) is missing.")
                                        .arg(path)
                                        .arg(lines.size())
                                        .arg(i + 1)
                                        .arg(names[i]));
            return false;
        }
        if (!setControlValue(findChild<QWidget*>(names[i]), lines[i])) {
            messagebox::exclamation(this,
                                    tr("%1, line %2: \"%3\" is not a check-box state (0, 1 or 2).")
                                        .arg(path)
                                        .arg(i + 1)
                                        .arg(lines[i]));
            return false;
        }
    }
    SyncSignButtons();
    Loadimg_Click();
    ShowSuggestion(QStringLiteral("open"), 0, QStringLiteral("0"), QStringLiteral("0"));
    m_markers.hideAll();
    Picture1->update();
    Frm6->hide();
    info->setText(QString());
    status->clear();
    m_session.ImageLoaded = false;
    m_session.SelectionDone = false;
    m_session.MatchFound = false;
    return true;
}

void Form1::mnu_save_Click() {
    const auto chosen =
        filedialog::save(this, FormMessage(14), FormMessage(13), programfolder::path());
    if (chosen) SaveReduction(reductionfile::withExtension(*chosen));
}

void Form1::mnu_open_Click() {
    const auto chosen =
        filedialog::open(this, FormMessage(12), FormMessage(13), programfolder::path());
    if (chosen) OpenReduction(*chosen);
}

void Form1::mnu_config_Click() {}

void Form1::mnu_wizard_Click() {}
