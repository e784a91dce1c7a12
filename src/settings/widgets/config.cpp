#include "settings/widgets/config.h"

#include "platform/widgets/messagebox.h"
#include "text/language.h"
#include "text/widgets/applylanguage.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

using namespace settings;
using namespace text;

namespace {

// True when the language table holds texts for `section` (a table that was
// never read leaves the design texts in place).
bool hasTexts(const std::vector<QString>& section) {
    return std::any_of(section.begin(), section.end(),
                       [](const QString& t) { return !t.isEmpty(); });
}

} // namespace

Config::Config(Mode mode, QWidget* parent) : QDialog(parent), m_mode(mode) {
    setObjectName(QStringLiteral("Config"));
    setWindowTitle(QStringLiteral("Coefficient optique"));
    setModal(true);

    auto named = [](auto* w, const QString& name) {
        w->setObjectName(name);
        return w;
    };
    m_lbl[0] = named(new QLabel(QStringLiteral("Configuration optique de l'instrument:")),
                     QStringLiteral("lbl(0)"));
    m_lbl[1] = named(new QLabel(QStringLiteral("Nom:")), QStringLiteral("lbl(1)"));
    m_lbl[2] = named(new QLabel(QStringLiteral("Modification:")), QStringLiteral("lbl(2)"));
    Label4 = named(new QLabel(QStringLiteral("Nom:")), QStringLiteral("Label4(0)"));
    List1 = named(new QListWidget, QStringLiteral("List1"));
    for (int i = 0; i < 3; ++i)
        m_txt_coor[i] = named(new QLineEdit, QStringLiteral("txt_coor(%1)").arg(i));
    cmd1 = named(new QPushButton(QStringLiteral("Supprimer")), QStringLiteral("cmd1"));
    cmd2 = named(new QPushButton(QStringLiteral("Nouveau")), QStringLiteral("cmd2"));
    cmd3 = named(new QPushButton(QStringLiteral("Utiliser")), QStringLiteral("cmd3"));
    cmd4 = named(new QPushButton(QStringLiteral("Enregistrer")), QStringLiteral("cmd4"));
    Frame1 = named(new QFrame, QStringLiteral("Frame1"));

    auto* layout = new QHBoxLayout(this);
    auto* left = new QVBoxLayout;
    left->addWidget(m_lbl[0]);
    left->addWidget(Label4);
    left->addWidget(List1);
    layout->addLayout(left);

    auto* right = new QVBoxLayout;
    right->addWidget(m_lbl[2]);
    auto* boxes = new QGridLayout;
    boxes->addWidget(m_lbl[1], 0, 0);
    boxes->addWidget(m_txt_coor[0], 0, 1);
    boxes->addWidget(new QLabel(tr("Corr RA:")), 1, 0);
    boxes->addWidget(m_txt_coor[1], 1, 1);
    boxes->addWidget(new QLabel(tr("Corr Dec:")), 2, 0);
    boxes->addWidget(m_txt_coor[2], 2, 1);
    right->addLayout(boxes);
    auto* buttons = new QHBoxLayout(Frame1);
    buttons->setContentsMargins(0, 0, 0, 0);
    buttons->addWidget(cmd2);
    buttons->addWidget(cmd4);
    buttons->addWidget(cmd1);
    right->addWidget(Frame1);
    right->addWidget(cmd3, 0, Qt::AlignRight);
    right->addStretch();
    layout->addLayout(right);
    cmd3->hide();
    setMinimumWidth(460);

    connect(List1, &QListWidget::currentRowChanged, this, [this] { List1_Click(); });
    for (int i = 0; i < 3; ++i)
        connect(m_txt_coor[i], &QLineEdit::textChanged, this, [this, i] { txt_coor_Change(i); });
    connect(cmd1, &QPushButton::clicked, this, &Config::cmd1_Click);
    connect(cmd2, &QPushButton::clicked, this, &Config::cmd2_Click);
    connect(cmd3, &QPushButton::clicked, this, &Config::cmd3_Click);
    connect(cmd4, &QPushButton::clicked, this, &Config::cmd4_Click);
    Form_Load();
}

void Config::Form_Load() {
    if (hasTexts(Lang().ConfigTexts)) ApplyLanguage(QStringLiteral("Config"), this);
    Label4->setText(m_lbl[1]->text()); // the list's heading says what the name box says
    if (m_mode == Mode::Select) {
        Frame1->hide();
        cmd3->show();
        m_lbl[2]->setText(QString());
    }
    const ConfigFileReading read = ReadConfigFile(ConfigFilePath());
    m_list = OpticalConfigurationList(read.entries);
    fillList(m_list.count() > 0 ? 0 : -1);
    if (!read.problem.isEmpty()) messagebox::Ok(this, read.problem);
}

void Config::fillList(int select) {
    List1->blockSignals(true);
    List1->clear();
    for (const OpticalConfiguration& e : m_list.entries())
        List1->addItem(e.name);
    List1->setCurrentRow(select);
    List1->blockSignals(false);
    List1_Click();
}

void Config::List1_Click() {
    const OpticalConfiguration* e = m_list.at(List1->currentRow());
    m_filling = true;
    m_txt_coor[0]->setText(e ? e->name : QString());
    m_txt_coor[1]->setText(e ? e->corrAsd : QString());
    m_txt_coor[2]->setText(e ? e->corrDec : QString());
    m_filling = false;
}

void Config::txt_coor_Change(int index) {
    if (m_filling) return;
    m_list.setField(List1->currentRow(), index, m_txt_coor[index]->text());
}

void Config::cmd1_Click() {
    const int p = List1->currentRow();
    if (!m_list.at(p)) return;
    fillList(m_list.remove(p));
}

void Config::cmd2_Click() {
    if (!m_list.addNew()) {
        messagebox::Ok(this, tr("The list holds %1 configurations, the most it can keep. Delete "
                                "one before adding another.")
                                 .arg(kMaxOpticalConfigurations));
        return;
    }
    // The new entry is the one the boxes edit from now on.
    fillList(m_list.count() - 1);
    m_txt_coor[0]->setFocus();
    m_txt_coor[0]->selectAll();
}

void Config::cmd3_Click() {
    if (!m_list.at(List1->currentRow())) return;
    m_chosen = Coefficients{m_txt_coor[1]->text(), m_txt_coor[2]->text()};
    accept();
}

void Config::cmd4_Click() {
    if (const auto written = WriteConfigFile(ConfigFilePath(), m_list.entries()); !written) {
        messagebox::Ok(this, tr("The configurations could not be saved to %1: %2. The file is "
                                "unchanged.")
                                 .arg(ConfigFilePath(), written.error().message));
        return;
    }
    fillList(List1->currentRow());
    messagebox::Ok(
        this,
        tr("%n configuration(s) saved to %1.", nullptr, m_list.count()).arg(ConfigFilePath()));
    accept();
}
