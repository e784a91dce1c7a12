#include "catalogues/widgets/frmdatabase.h"

#include "platform/programfolder.h"
#include "platform/widgets/messagebox.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QIcon>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace reduction;
using namespace field;
using namespace catalogues;

namespace {

// Column widths of the design, in twips (15 to a pixel at 96 dpi).
constexpr int kColumnTwips[5] = {650, 2500, 1000, 1000, 1000};

} // namespace

Frmdatabase::Frmdatabase(std::optional<BrowserField> field, QWidget* parent)
    : QDialog(parent), m_field(field) {
    setObjectName(QStringLiteral("Frmdatabase"));
    setWindowTitle(tr("Catalogue browser"));
    setModal(true);

    ListView1 = new QTreeWidget;
    ListView1->setObjectName(QStringLiteral("ListView1"));
    ListView1->setRootIsDecorated(false);
    ListView1->setUniformRowHeights(true);
    ListView1->setColumnCount(5);
    ListView1->setHeaderLabels({QString(), tr("Name"), tr("RA (°)"), tr("Dec (°)"), QString()});
    for (int c = 0; c < 5; ++c) {
        ListView1->setColumnWidth(c, kColumnTwips[c] / 15);
        if (c > 0) ListView1->headerItem()->setTextAlignment(c, Qt::AlignCenter);
    }

    Btn1 = new QPushButton(QStringLiteral("USNO-A2.0"));
    Btn1->setObjectName(QStringLiteral("Btn1"));
    Btn3 = new QPushButton(tr("MPC - MinorPlanet"));
    Btn3->setObjectName(QStringLiteral("Btn3"));
    Btn2 = new QPushButton(tr("Deepsky"));
    Btn2->setObjectName(QStringLiteral("Btn2"));
    Notes = new QLabel;
    Notes->setObjectName(QStringLiteral("Notes"));
    Notes->setWordWrap(true);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Btn1);
    buttons->addWidget(Btn3);
    buttons->addWidget(Btn2);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(ListView1, 1);
    layout->addWidget(Notes);
    resize(440, 420);

    connect(Btn1, &QPushButton::clicked, this, &Frmdatabase::Btn1_Click);
    connect(Btn2, &QPushButton::clicked, this, &Frmdatabase::Btn2_Click);
    connect(Btn3, &QPushButton::clicked, this, &Frmdatabase::Btn3_Click);
}

void Frmdatabase::setAnswersCurrent(bool stars, bool minorPlanets) {
    m_starsCurrent = stars;
    m_minorPlanetsCurrent = minorPlanets;
}

void Frmdatabase::Btn1_Click() {
    BrowserListing listing = ListStarAnswer(programfolder::File(QStringLiteral("data")));
    if (!m_starsCurrent && !listing.rows.empty())
        listing.notes.prepend(tr("Old answer: these stars belong to an earlier query; the last "
                                 "download for the typed field failed."));
    setListing(std::move(listing));
}

void Frmdatabase::Btn3_Click() {
    BrowserListing listing = ListMinorPlanetAnswer(programfolder::File(QStringLiteral("data2")));
    if (!m_minorPlanetsCurrent && !listing.rows.empty())
        listing.notes.prepend(tr("Old answer: these minor planets belong to an earlier query, "
                                 "not to the typed field and date."));
    setListing(std::move(listing));
}

void Frmdatabase::Btn2_Click() {
    if (!m_field || m_field->corrAsd == 0 || m_field->corrDec == 0) {
        messagebox::Ok(this, tr("Type the field centre and the two correctors in the main "
                                "window first."));
        return;
    }
    setListing(ListDeepSkyObjects(programfolder::Path(), *m_field));
}

void Frmdatabase::setListing(BrowserListing listing) {
    m_listing = std::move(listing);
    // The last column holds what the listing has there.
    ListView1->headerItem()->setText(4, m_listing.icon == kStarIcon          ? tr("Mag R")
                                        : m_listing.icon == kMinorPlanetIcon ? tr("Motion (\"/h)")
                                                                             : tr("Size (')"));
    ShowData();
}

void Frmdatabase::ShowData() {
    ListView1->clear();
    const QIcon icon = ImageList1(m_listing.icon);
    QList<QTreeWidgetItem*> items;
    items.reserve(static_cast<qsizetype>(m_listing.rows.size()));
    for (const BrowserRow& row : m_listing.rows) {
        auto* item = new QTreeWidgetItem;
        item->setIcon(0, icon);
        for (int c = 1; c <= 4; ++c) {
            item->setText(c, row[c - 1]);
            item->setTextAlignment(c, Qt::AlignCenter);
        }
        items << item;
    }
    ListView1->addTopLevelItems(items);
    // The design widths are the least; a column widens to show its texts whole.
    for (int c = 1; c <= 4; ++c) {
        ListView1->resizeColumnToContents(c);
        if (ListView1->columnWidth(c) < kColumnTwips[c] / 15)
            ListView1->setColumnWidth(c, kColumnTwips[c] / 15);
    }
    Notes->setText(m_listing.notes.join(QLatin1Char('\n')));
    Notes->setVisible(!m_listing.notes.isEmpty());
}

QIcon Frmdatabase::ImageList1(int index) {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    switch (index) {
    case kStarIcon: // the overlay's green star marker
        p.setPen(QPen(QColor(0, 200, 0), 2));
        p.drawEllipse(QRectF(3, 3, 10, 10));
        break;
    case kMinorPlanetIcon: // the yellow minor-planet square
        p.fillRect(QRectF(4, 4, 8, 8), QColor(230, 200, 0));
        break;
    case kDeepSkyIcon: // a light-blue ellipse
        p.setPen(QPen(QColor(128, 128, 255), 2));
        p.drawEllipse(QRectF(1, 4, 14, 8));
        break;
    default:
        break;
    }
    return QIcon(pixmap);
}
