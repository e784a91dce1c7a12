#include "settings/widgets/config2.h"

#include "platform/numbers.h"
#include "platform/widgets/messagebox.h"
#include "reduction/ccdfield.h"
#include "text/language.h"
#include "text/widgets/applylanguage.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>

using namespace reduction;
using namespace text;

namespace {

// The box txt(i) of an input: the inputs are listed in the order of the boxes.
int boxOf(CcdInput input) {
    static_assert(static_cast<int>(CcdInput::Focal) == 4);
    return static_cast<int>(input) + 1;
}
// The label lbl(r) that names box txt(i): the rows are W, H, F, Nx, Ny.
constexpr int kLabelOfBox[6] = {0, 1, 2, 4, 5, 3};

} // namespace

Config2::Config2(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Config2"));
    setWindowTitle(QString::fromUtf8("Étalonnage classique"));
    setModal(true);
    // Rows in the order of the labels: width, height, focal length, pixels across, pixels down.
    const char* names[6] = {"Calcul des correcteurs à partir du capteur et de la focale:",
                            "Largeur du capteur:",
                            "Hauteur du capteur:",
                            "Focale:",
                            "Largeur en pixels:",
                            "Hauteur en pixels:"};
    for (int i = 0; i < 6; ++i) {
        m_lbl[i] = new QLabel(QString::fromUtf8(names[i]));
        m_lbl[i]->setObjectName(QStringLiteral("lbl(%1)").arg(i));
    }
    for (int i = 0; i < 5; ++i) {
        m_txt[i] = new QLineEdit;
        m_txt[i]->setObjectName(QStringLiteral("txt(%1)").arg(i + 1));
        m_Label1[i] = new QLabel(i < 3 ? QStringLiteral("mm") : QStringLiteral("pixels"));
        m_Label1[i]->setObjectName(QStringLiteral("Label1(%1)").arg(i));
    }
    cmd1 = new QPushButton(QStringLiteral("Calculer"));
    cmd1->setObjectName(QStringLiteral("cmd1"));
    cmdClose = new QPushButton(tr("Close"));
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    cmdClose->setAutoDefault(false);

    auto* layout = new QGridLayout(this);
    layout->addWidget(m_lbl[0], 0, 0, 1, 3);
    // Row r shows lbl(r), its box and Label1(r - 1): W, H, F, Nx, Ny.
    const int boxOfRow[5] = {1, 2, 5, 3, 4};
    for (int r = 1; r <= 5; ++r) {
        layout->addWidget(m_lbl[r], r, 0);
        layout->addWidget(txt(boxOfRow[r - 1]), r, 1);
        layout->addWidget(m_Label1[r - 1], r, 2);
    }
    layout->addWidget(cmdClose, 6, 0, Qt::AlignLeft);
    layout->addWidget(cmd1, 6, 1, 1, 2, Qt::AlignRight);
    setTabOrder(txt(1), txt(2));
    setTabOrder(txt(2), txt(5));
    setTabOrder(txt(5), txt(3));
    setTabOrder(txt(3), txt(4));
    setTabOrder(txt(4), cmd1);
    setTabOrder(cmd1, cmdClose);
    cmd1->setDefault(true);
    connect(cmd1, &QPushButton::clicked, this, &Config2::cmd1_Click);
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::reject);
    Form_Load();
}

void Config2::Form_Load() {
    const auto& texts = Lang().Config2Texts;
    if (std::any_of(texts.begin(), texts.end(), [](const QString& t) { return !t.isEmpty(); }))
        ApplyLanguage(QStringLiteral("Config2"), this);
}

void Config2::cmd1_Click() {
    // Every input is read alike: "." or "," as decimal point, anything else refused.
    auto name = [this](int box) { return m_lbl[kLabelOfBox[box]]->text(); };
    double values[6] = {};
    for (int box = 1; box <= 5; ++box) {
        const QString text = txt(box)->text();
        const auto v = ReadCcdNumber(text);
        if (!v) {
            messagebox::Ok(this, tr("%1 \"%2\" is not a number.").arg(name(box), text));
            return;
        }
        values[box] = *v;
    }
    const auto r = CcdFieldScales({values[1], values[2], values[3], values[4], values[5]});
    if (!r) {
        const auto input = InputAtFault(r.error().kind);
        messagebox::Ok(this, input ? name(boxOf(*input)) + QLatin1Char(' ') + r.error().message
                                   : r.error().message);
        return;
    }
    const QString cx = numbers::Text(r->cx);
    const QString cy = numbers::Text(r->cy);
    emit coefficientsComputed(cx, cy);
    m_message = tr("%1: CX = %2 and CY = %3\nField of the sensor: %4' x %5'")
                    .arg(FormMessage(7), cx, cy, numbers::Text(r->widthArcmin),
                         numbers::Text(r->heightArcmin));
    messagebox::Ok(this, m_message);
}
