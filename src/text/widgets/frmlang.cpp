#include "text/widgets/frmlang.h"

#include "platform/programfolder.h"
#include "platform/regularfile.h"
#include "platform/textfile.h"
#include "platform/widgets/messagebox.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
FrmLang::Driver& driver() {
    static FrmLang::Driver d;
    return d;
}
} // namespace

bool ChooseLanguageFile(const QString& source, QString* error) {
    // The source is read first, so that a missing language file never costs
    // the user the lang.cfg that works; the copy then replaces lang.cfg whole.
    const QString in = programfolder::File(source);
    const auto bytes = regularfile::Read(in, textfile::kMaxLinesFileBytes);
    if (!bytes) {
        if (error)
            *error = textfile::ReasonOf(bytes.error().kind, textfile::kMaxLinesFileBytes) +
                     QStringLiteral(" (") + in + QLatin1Char(')');
        return false;
    }
    const QString out = programfolder::File(QStringLiteral("lang.cfg"));
    if (const auto written = textfile::WriteBytes(out, *bytes); !written) {
        if (error) *error = written.error().message + QStringLiteral(" (") + out + QLatin1Char(')');
        return false;
    }
    return true;
}

FrmLang::FrmLang(std::function<void()> chosen, QWidget* parent)
    : QDialog(parent), m_onChosen(std::move(chosen)) {
    setObjectName(QStringLiteral("FrmLang"));
    setWindowTitle(QStringLiteral("Langue/Language"));
    auto* l = new QVBoxLayout(this);
    Label1 =
        new QLabel(QStringLiteral("Veuillez choisir votre langue. Please choose your language."));
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setWordWrap(true);
    Command1 = new QPushButton(QString::fromUtf8("Français"));
    Command1->setObjectName(QStringLiteral("Command1"));
    OKButton = new QPushButton(QStringLiteral("English"));
    OKButton->setObjectName(QStringLiteral("OKButton"));
    for (QPushButton* b : {Command1, OKButton}) {
        b->setMinimumSize(120, 48);
        b->setAutoDefault(false);
    }
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(Command1);
    row->addWidget(OKButton);
    row->addStretch();
    l->addWidget(Label1);
    l->addLayout(row);
    connect(Command1, &QPushButton::clicked, this, &FrmLang::Command1_Click);
    connect(OKButton, &QPushButton::clicked, this, &FrmLang::OKButton_Click);
}

void FrmLang::Command1_Click() {
    choose(QStringLiteral("lang-fr.cfg"));
}

void FrmLang::OKButton_Click() {
    choose(QStringLiteral("lang-en.cfg"));
}

void FrmLang::choose(const QString& source) {
    QString error;
    if (!ChooseLanguageFile(source, &error)) {
        messagebox::Ok(this, error);
        return; // the window stays open for another try
    }
    m_chosen = true;
    if (m_onChosen) m_onChosen();
    accept();
}

bool FrmLang::showModal() {
    if (driver())
        driver()(*this);
    else
        exec();
    return m_chosen;
}

void FrmLang::setDriver(Driver d) {
    driver() = std::move(d);
}
