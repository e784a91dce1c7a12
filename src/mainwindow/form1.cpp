// Main window: controls, start-up load, tab strip, panning and blink timers.
#include "mainwindow/form1.h"

#include "mainwindow/commatopoint.h"
#include "mainwindow/imagecanvas.h"
#include "mainwindow/magnifier.h"
#include "platform/widgets/keystate.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDateTime>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTextEdit>
#include <QTimer>
#include <QVBoxLayout>

int CheckValue(const QCheckBox* box) {
    switch (box->checkState()) {
    case Qt::Checked:
        return 1;
    case Qt::PartiallyChecked:
        return 2;
    default:
        return 0;
    }
}

void SetCheckValue(QCheckBox* box, int value) {
    box->setCheckState(value == 1   ? Qt::Checked
                       : value == 2 ? Qt::PartiallyChecked
                                    : Qt::Unchecked);
}

namespace {

// The viewport PicOrange: keeps the four pan strips along its edges.
class Viewport : public QWidget {
public:
    using QWidget::QWidget;
    std::array<QWidget*, 4> strips{};

protected:
    void resizeEvent(QResizeEvent* e) override {
        QWidget::resizeEvent(e);
        const int t = 10, w = width(), h = height();
        if (!strips[0]) return;
        strips[0]->setGeometry(0, t, t, h - 2 * t);     // PicMove(1) left
        strips[1]->setGeometry(t, h - t, w - 2 * t, t); // PicMove(2) bottom
        strips[2]->setGeometry(w - t, t, t, h - 2 * t); // PicMove(3) right
        strips[3]->setGeometry(t, 0, w - 2 * t, t);     // PicMove(4) top
        for (QWidget* s : strips)
            s->raise();
    }
};

// A pan strip: reports press and release to the main window.
class PanStrip : public QWidget {
public:
    PanStrip(int index, Form1* form, QWidget* parent)
        : QWidget(parent), m_index(index), m_form(form) {
        setAutoFillBackground(true);
        QPalette pal = palette();
        pal.setColor(QPalette::Window, QColor(255, 192, 192));
        setPalette(pal);
        setCursor(Qt::PointingHandCursor);
    }

protected:
    void mousePressEvent(QMouseEvent*) override { m_form->PicMove_MouseDown(m_index); }
    void mouseReleaseEvent(QMouseEvent*) override { m_form->PicMove_MouseUp(m_index); }

private:
    int m_index;
    Form1* m_form;
};

QLineEdit* lineEdit(const QString& name, const QString& text = QString(), int width = 0) {
    auto* e = new QLineEdit(text);
    e->setObjectName(name);
    if (width > 0) e->setFixedWidth(width);
    return e;
}

QLabel* iconLabel(const QColor& colour, const QString& text) {
    auto* l = new QLabel(text);
    l->setAlignment(Qt::AlignCenter);
    l->setStyleSheet(QStringLiteral("QLabel { background: %1; color: white; border-radius: 4px; "
                                    "padding: 2px 8px; font-weight: bold; }")
                         .arg(colour.name()));
    return l;
}

} // namespace

// The icons live in the static library's resources, which must be registered by hand.
static void initResources() {
    Q_INIT_RESOURCE(resources);
}

Form1::Form1(QWidget* parent) : QMainWindow(parent) {
    initResources();
    setObjectName(QStringLiteral("Form1"));
    buildMenus();
    buildControls();
    connectHandlers();
    Form_Load();
}

Form1::~Form1() = default;

void Form1::buildMenus() {
    auto action = [](QMenu* menu, QAction*& slot, const QString& name, const QString& text) {
        slot = menu->addAction(text);
        slot->setObjectName(name);
    };
    mnu_fichier = menuBar()->addMenu(QStringLiteral("Fichier"));
    mnu_fichier->setObjectName(QStringLiteral("mnu_fichier"));
    action(mnu_fichier, mnu_wizard, "mnu_wizard", "Assistant");
    action(mnu_fichier, mnu_open, "mnu_open", "Ouvrir Projet");
    action(mnu_fichier, mnu_save, "mnu_save", "Enregistrer Projet");
    action(mnu_fichier, mnu_savedefaut, "mnu_savedefaut", "Save defaut");
    mnu_fichier->addSeparator();
    action(mnu_fichier, mnu_quit, "mnu_quit", "Qutiter");
    mnu_open->setShortcut(QKeySequence::Open);
    mnu_save->setShortcut(QKeySequence::Save);
    mnu_quit->setShortcut(QKeySequence::Quit);

    mnu_option = menuBar()->addMenu(QStringLiteral("Options"));
    mnu_option->setObjectName(QStringLiteral("mnu_option"));
    action(mnu_option, mnu_config, "mnu_config", "Correcteurs");
    action(mnu_option, mnu_etalonage, "mnu_etalonage", "Etalonage par image");
    action(mnu_option, mnu_etalonage2, "mnu_etalonage2", "Etalonage classique");
    action(mnu_option, mnu_superetalonage, "mnu_superetalonage", "Super Etalonage");
    mnu_option->addSeparator();
    action(mnu_option, mnu_modeauto, "mnu_modeauto", "Mode autonome");
    action(mnu_option, mnu_webbugs, "mnu_webbugs", "Internet bugs");
    action(mnu_option, mnu_database, "mnu_database", "Database");
    action(mnu_option, mnu_lang, "mnu_lang", "Langue/Language");

    mnu_help = menuBar()->addMenu(QStringLiteral("?"));
    mnu_help->setObjectName(QStringLiteral("mnu_help"));
    mnu_Aide = mnu_help->addMenu(QStringLiteral("Aide"));
    mnu_Aide->setObjectName(QStringLiteral("mnu_Aide"));
    action(mnu_Aide, mnu_AideFR, "mnu_AideFR", "Français");
    action(mnu_Aide, mnu_AideEn, "mnu_AideEn", "English");
    action(mnu_help, mnu_about, "mnu_about", "A propos");
}

void Form1::buildControls() {
    setWindowTitle(QStringLiteral("Astroplate"));
    auto* central = new QWidget;
    auto* top = new QHBoxLayout(central);
    top->setContentsMargins(6, 6, 6, 6);

    // ---- image area -------------------------------------------------------
    auto* viewport = new Viewport;
    PicOrange = viewport;
    PicOrange->setObjectName(QStringLiteral("PicOrange"));
    PicOrange->setMinimumSize(480, 400);
    PicOrange->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    PicOrange->setAutoFillBackground(true);
    {
        QPalette pal = PicOrange->palette();
        pal.setColor(QPalette::Window, QColor(48, 48, 48));
        PicOrange->setPalette(pal);
    }
    Picture1 = new ImageCanvas(m_markers, PicOrange);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->move(0, 0);
    zoom = new Magnifier(Picture1);
    zoom->setObjectName(QStringLiteral("zoom"));
    for (int i = 0; i < 4; ++i) {
        m_PicMove[i] = new PanStrip(i + 1, this, PicOrange);
        m_PicMove[i]->setObjectName(QStringLiteral("PicMove(%1)").arg(i + 1));
        viewport->strips[i] = m_PicMove[i];
    }

    // The info panel floats over the top-right corner of the image area.
    Frm6 = new QFrame(PicOrange);
    Frm6->setObjectName(QStringLiteral("Frm6"));
    Frm6->setFrameShape(QFrame::StyledPanel);
    Frm6->setAutoFillBackground(true);
    {
        // The panel lies on the dark viewport but keeps the window's own colours.
        QPalette pal = Frm6->palette();
        pal.setColor(QPalette::Window, QApplication::palette().color(QPalette::Window));
        Frm6->setPalette(pal);
    }
    Frm6->setGeometry(20, 20, 360, 300);
    {
        auto* l = new QVBoxLayout(Frm6);
        auto* head = new QHBoxLayout;
        auto* title = new QLabel(QStringLiteral("<b>Info</b>"));
        Frm6close = new QPushButton(QStringLiteral("X"));
        Frm6close->setObjectName(QStringLiteral("Frm6close"));
        Frm6close->setFixedWidth(28);
        head->addWidget(title);
        head->addStretch();
        head->addWidget(Frm6close);
        InfoMore = new QTextEdit;
        InfoMore->setObjectName(QStringLiteral("InfoMore"));
        InfoMore->setReadOnly(true);
        l->addLayout(head);
        l->addWidget(InfoMore);
    }
    Frm6->hide();
    top->addWidget(PicOrange, 1);

    // ---- right-hand column ------------------------------------------------
    auto* side = new QWidget;
    side->setFixedWidth(430);
    auto* col = new QVBoxLayout(side);
    col->setContentsMargins(0, 0, 0, 0);
    top->addWidget(side);

    const char* frameCaptions[9] = {"Menu",     "Catalogue d'étoile", "CCD",
                                    "Debug",    "Etalonage",          "Sugestion",
                                    "Décideur", "Asteroide",          "Décideur"};
    for (int i = 0; i < 9; ++i) {
        m_frm[i] = new QGroupBox(QString::fromUtf8(frameCaptions[i]));
        m_frm[i]->setObjectName(QStringLiteral("frm(%1)").arg(i));
    }
    const char* labelCaptions[20] = {
        "Champ",
        "Arcmin",
        "Mag max:",
        "Mag fullmap:",
        "Img:",
        "Tolérance:",
        "pixels",
        "Corr Asd",
        "Corr Dec",
        "Seuil décision:",
        "pixels",
        "Epoch:",
        "Veuillez selectioner une étoile puis fournir ses coordonnées ci-dessous:",
        "pixels",
        "RA:",
        "DEC:",
        "Asd:",
        "Dec:",
        "Mag max:",
        "Champ:"};
    for (int i = 0; i < 20; ++i) {
        m_lbl[i] = new QLabel(QString::fromUtf8(labelCaptions[i]));
        m_lbl[i]->setObjectName(QStringLiteral("lbl(%1)").arg(i));
    }
    m_lbl[12]->setWordWrap(true);

    // frm(0) Menu: the four numbered commands.
    {
        auto* l = new QHBoxLayout(frm(0));
        DownloadData = new QPushButton(QStringLiteral("1-Download"));
        SelectStar = new QPushButton(QStringLiteral("2-Etoiles"));
        startCalcul = new QPushButton(QStringLiteral("3-Calcul"));
        FullMap = new QPushButton(QStringLiteral("4-Full map"));
        DownloadData->setObjectName(QStringLiteral("DownloadData"));
        SelectStar->setObjectName(QStringLiteral("SelectStar"));
        startCalcul->setObjectName(QStringLiteral("startCalcul"));
        FullMap->setObjectName(QStringLiteral("FullMap"));
        for (QPushButton* b : {DownloadData, SelectStar, startCalcul, FullMap})
            l->addWidget(b);
        col->addWidget(frm(0));
    }

    TabStrip1 = new QTabBar;
    TabStrip1->setObjectName(QStringLiteral("TabStrip1"));
    for (const char* t : {"Basic", "Décideur", "Asteroïde", "CielProfond"})
        TabStrip1->addTab(QString::fromUtf8(t));
    TabStrip1->setExpanding(false);
    col->addWidget(TabStrip1);

    // frm(1) field centre and query, with frm(2) CCD inside.
    {
        auto* g = new QGridLayout(frm(1));
        for (int i = 0; i < 3; ++i) {
            m_txt_ra[i] = lineEdit(QStringLiteral("txt_ra(%1)").arg(i), QString(), 48);
            m_txt_dec[i] = lineEdit(QStringLiteral("txt_dec(%1)").arg(i), QString(), 48);
        }
        m_txt_ra[2]->setFixedWidth(60);
        m_txt_dec[2]->setFixedWidth(60);
        auto* raRow = new QHBoxLayout;
        for (int i = 0; i < 3; ++i)
            raRow->addWidget(txt_ra(i));
        raRow->addStretch();
        g->addWidget(lbl(16), 0, 0);
        g->addLayout(raRow, 0, 1, 1, 3);

        m_txt_dec_sign[0] = new QRadioButton(QStringLiteral("-"));
        m_txt_dec_sign[1] = new QRadioButton(QStringLiteral("+"));
        m_txt_dec_sign_show[0] = new QLabel(QStringLiteral("+"));
        m_txt_dec_sign_show[0]->setObjectName(QStringLiteral("txt_dec_sign_show(0)"));
        m_txt_dec_sign_show[0]->setFixedWidth(12);
        auto* decRow = new QHBoxLayout;
        decRow->addWidget(txt_dec_sign(0));
        decRow->addWidget(txt_dec_sign(1));
        decRow->addWidget(txt_dec_sign_show(0));
        for (int i = 0; i < 3; ++i)
            decRow->addWidget(txt_dec(i));
        decRow->addStretch();
        g->addWidget(lbl(17), 1, 0);
        g->addLayout(decRow, 1, 1, 1, 3);

        txt_epoch = lineEdit(QStringLiteral("txt_epoch"), QStringLiteral("2000.0"), 70);
        g->addWidget(lbl(11), 2, 0);
        g->addWidget(txt_epoch, 2, 1);

        txt_distance = lineEdit(QStringLiteral("txt_distance"), QStringLiteral("20"), 70);
        g->addWidget(lbl(0), 3, 0);
        g->addWidget(txt_distance, 3, 1);
        g->addWidget(lbl(1), 3, 2);

        txt_mag = lineEdit(QStringLiteral("txt_mag"), QStringLiteral("13"), 70);
        txt_mag2 = lineEdit(QStringLiteral("txt_mag2"), QStringLiteral("16"), 70);
        g->addWidget(lbl(2), 4, 0);
        g->addWidget(txt_mag, 4, 1);
        g->addWidget(lbl(3), 4, 2);
        g->addWidget(txt_mag2, 4, 3);

        txt_url = lineEdit(QStringLiteral("txt_url"));
        Loadimg = new QPushButton(QStringLiteral("Load"));
        Loadimg->setObjectName(QStringLiteral("Loadimg"));
        g->addWidget(lbl(4), 5, 0);
        g->addWidget(txt_url, 5, 1, 1, 2);
        g->addWidget(Loadimg, 5, 3);
        CheckAutoload = new QCheckBox(QStringLiteral("Auto load si modifié"));
        CheckAutoload->setObjectName(QStringLiteral("CheckAutoload"));
        g->addWidget(CheckAutoload, 6, 1, 1, 3);

        auto* c = new QGridLayout(frm(2));
        txt_tolerance = lineEdit(QStringLiteral("txt_tolerance"), QStringLiteral("7"), 70);
        txt_corrasd = lineEdit(QStringLiteral("txt_corrasd"));
        txt_corrdec = lineEdit(QStringLiteral("txt_corrdec"));
        LoadCorr = new QPushButton(QStringLiteral("Load"));
        LoadCorr->setObjectName(QStringLiteral("LoadCorr"));
        c->addWidget(lbl(5), 0, 0);
        c->addWidget(txt_tolerance, 0, 1);
        c->addWidget(lbl(6), 0, 2);
        c->addWidget(lbl(7), 1, 0);
        c->addWidget(txt_corrasd, 1, 1, 1, 2);
        c->addWidget(lbl(8), 2, 0);
        c->addWidget(txt_corrdec, 2, 1, 1, 2);
        c->addWidget(LoadCorr, 1, 3, 2, 1);
        g->addWidget(frm(2), 7, 0, 1, 4);
        col->addWidget(frm(1));
    }

    // frm(6) matching decider.
    {
        auto* g = new QGridLayout(frm(6));
        CheckSelectStars =
            new QCheckBox(QString::fromUtf8("Recherche du centre de l'étoile pour la selection"));
        CheckSelectStars->setObjectName(QStringLiteral("CheckSelectStars"));
        Checkcenter =
            new QCheckBox(QString::fromUtf8("Les coordonnées indiqués se trouvent sur l'image"));
        Checkcenter->setObjectName(QStringLiteral("Checkcenter"));
        CheckDecideur = new QCheckBox(QString::fromUtf8("Décideur"));
        CheckDecideur->setObjectName(QStringLiteral("CheckDecideur"));
        txt_calcul = lineEdit(QStringLiteral("txt_calcul"), QStringLiteral("10"), 70);
        g->addWidget(CheckSelectStars, 0, 0, 1, 3);
        g->addWidget(Checkcenter, 1, 0, 1, 3);
        g->addWidget(CheckDecideur, 2, 0, 1, 3);
        g->addWidget(lbl(9), 3, 0);
        g->addWidget(txt_calcul, 3, 1);
        g->addWidget(lbl(10), 3, 2);
        g->setRowStretch(4, 1);
        col->addWidget(frm(6));
    }

    // frm(7) minor planets.
    {
        auto* g = new QGridLayout(frm(7));
        CheckAster =
            new QCheckBox(QString::fromUtf8("Télécharger et afficher les astéroides dans Fullmap"));
        CheckAster->setObjectName(QStringLiteral("CheckAster"));
        Txt_Amag = lineEdit(QStringLiteral("Txt_Amag"), QStringLiteral("16.0"), 70);
        txt_Afield = lineEdit(QStringLiteral("txt_Afield"), QStringLiteral("100"), 70);
        auto* dateRow = new QHBoxLayout;
        for (int i = 0; i < 5; ++i) {
            m_txt_Adate[i] = lineEdit(QStringLiteral("txt_Adate(%1)").arg(i),
                                      QStringLiteral("2007"), i == 2 ? 56 : 40);
            dateRow->addWidget(txt_Adate(i));
        }
        dateRow->addStretch();
        g->addWidget(CheckAster, 0, 0, 1, 3);
        g->addWidget(lbl(18), 1, 0);
        g->addWidget(Txt_Amag, 1, 1);
        g->addWidget(lbl(19), 2, 0);
        g->addWidget(txt_Afield, 2, 1);
        auto* dateLabel = new QLabel(QStringLiteral("Date:"));
        dateLabel->setObjectName(QStringLiteral("lbl_Adate"));
        g->addWidget(dateLabel, 3, 0);
        g->addLayout(dateRow, 3, 1, 1, 2);
        g->setRowStretch(4, 1);
        col->addWidget(frm(7));
    }

    // frm(8) deep-sky display.
    {
        auto* l = new QVBoxLayout(frm(8));
        CheckDeepObj1 =
            new QCheckBox(QStringLiteral("Afficher les catalogues NGC/IC dans Calcul."));
        CheckDeepObj1->setObjectName(QStringLiteral("CheckDeepObj1"));
        CheckDeepObj2 =
            new QCheckBox(QStringLiteral("Afficher les catalogues NGC/IC dans Fullmap"));
        CheckDeepObj2->setObjectName(QStringLiteral("CheckDeepObj2"));
        l->addWidget(CheckDeepObj1);
        l->addWidget(CheckDeepObj2);
        l->addStretch();
        col->addWidget(frm(8));
    }
    for (QCheckBox* b : {CheckAutoload, CheckSelectStars, Checkcenter, CheckDecideur, CheckAster,
                         CheckDeepObj1, CheckDeepObj2})
        b->setTristate(false);

    // frm(5) hint.
    {
        auto* l = new QHBoxLayout(frm(5));
        Picture2 = new QLabel;
        Picture2->setObjectName(QStringLiteral("Picture2(0)"));
        Picture2->setPixmap(QIcon(QStringLiteral(":/icons/hint.svg")).pixmap(24, 24));
        Picture2->setFixedSize(26, 26);
        sugestion = new QLabel;
        sugestion->setObjectName(QStringLiteral("sugestion"));
        sugestion->setWordWrap(true);
        sugestion->setMinimumHeight(48);
        sugestion->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        l->addWidget(Picture2, 0, Qt::AlignTop);
        l->addWidget(sugestion, 1);
        col->addWidget(frm(5));
    }

    // frm(3) Debug: message list and readout; frm(4) calibration takes its place.
    {
        auto* l = new QVBoxLayout(frm(3));
        status = new QListWidget;
        status->setObjectName(QStringLiteral("status"));
        info = new QLabel(QStringLiteral("Info:"));
        info->setObjectName(QStringLiteral("info"));
        info->setWordWrap(true);
        info->setTextInteractionFlags(Qt::TextSelectableByMouse);
        l->addWidget(status, 1);
        l->addWidget(info);
        col->addWidget(frm(3), 1);
    }
    {
        auto* g = new QGridLayout(frm(4));
        for (int i = 0; i < 8; ++i)
            m_Etalo[i] =
                lineEdit(QStringLiteral("Etalo(%1)").arg(i), QString(), i == 4 || i == 7 ? 70 : 48);
        m_txt_dec_sign[2] = new QRadioButton(QStringLiteral("-"));
        m_txt_dec_sign[3] = new QRadioButton(QStringLiteral("+"));
        m_txt_dec_sign_show[1] = new QLabel(QStringLiteral("+"));
        m_txt_dec_sign_show[1]->setObjectName(QStringLiteral("txt_dec_sign_show(1)"));
        m_txt_dec_sign_show[1]->setFixedWidth(12);
        BoutonEtalo = new QPushButton(QStringLiteral("Suivant"));
        BoutonEtalo->setObjectName(QStringLiteral("BoutonEtalo"));
        g->addWidget(lbl(12), 0, 0, 1, 6);
        g->addWidget(Etalo(0), 1, 1);
        g->addWidget(Etalo(1), 1, 2);
        g->addWidget(lbl(13), 1, 3);
        g->addWidget(lbl(14), 2, 0);
        for (int i = 2; i < 5; ++i)
            g->addWidget(Etalo(i), 2, i - 1);
        g->addWidget(lbl(15), 3, 0);
        auto* signRow = new QHBoxLayout;
        signRow->addWidget(txt_dec_sign(2));
        signRow->addWidget(txt_dec_sign(3));
        signRow->addWidget(txt_dec_sign_show(1));
        g->addLayout(signRow, 3, 1);
        for (int i = 5; i < 8; ++i)
            g->addWidget(Etalo(i), 3, i - 3);
        g->addWidget(BoutonEtalo, 4, 4, 1, 2);
        g->setRowStretch(5, 1);
        col->addWidget(frm(4), 1);
        frm(4)->hide();
    }
    for (int i = 0; i < 4; ++i)
        m_txt_dec_sign[i]->setObjectName(QStringLiteral("txt_dec_sign(%1)").arg(i));
    // Each pair of sign buttons is its own group.
    for (int pair = 0; pair < 2; ++pair) {
        auto* group = new QButtonGroup(this);
        group->addButton(m_txt_dec_sign[2 * pair]);
        group->addButton(m_txt_dec_sign[2 * pair + 1]);
    }

    // Idle / busy indicator.
    {
        auto* row = new QHBoxLayout;
        icoG = iconLabel(QColor(0, 150, 0), QStringLiteral("idle"));
        icoR = iconLabel(QColor(200, 0, 0), QStringLiteral("Busy"));
        icoG->setObjectName(QStringLiteral("icoG"));
        icoR->setObjectName(QStringLiteral("icoR"));
        icoR->hide();
        row->addStretch();
        row->addWidget(icoG);
        row->addWidget(icoR);
        col->addLayout(row);
    }

    setCentralWidget(central);
    resize(1280, 860);

    // Option panels: tab 1 shows frm(1).
    frm(6)->hide();
    frm(7)->hide();
    frm(8)->hide();

    Timer1 = new QTimer(this);
    Timer1->setInterval(50);
    Timer2 = new QTimer(this);
    Timer2->setInterval(500);
    Timer3 = new QTimer(this);
    Timer3->setInterval(1000);
}

void Form1::connectHandlers() {
    connect(mnu_quit, &QAction::triggered, this, &Form1::mnu_quit_Click);
    connect(mnu_wizard, &QAction::triggered, this, &Form1::mnu_wizard_Click);
    connect(mnu_open, &QAction::triggered, this, &Form1::mnu_open_Click);
    connect(mnu_save, &QAction::triggered, this, &Form1::mnu_save_Click);
    connect(mnu_savedefaut, &QAction::triggered, this, &Form1::mnu_savedefaut_Click);
    connect(mnu_config, &QAction::triggered, this, &Form1::mnu_config_Click);
    connect(mnu_etalonage, &QAction::triggered, this, &Form1::mnu_etalonage_Click);
    connect(mnu_etalonage2, &QAction::triggered, this, &Form1::mnu_etalonage2_Click);
    connect(mnu_superetalonage, &QAction::triggered, this, &Form1::mnu_superetalonage_Click);
    connect(mnu_modeauto, &QAction::triggered, this, &Form1::mnu_modeauto_Click);
    connect(mnu_webbugs, &QAction::triggered, this, &Form1::mnu_webbugs_Click);
    connect(mnu_database, &QAction::triggered, this, &Form1::mnu_database_Click);
    connect(mnu_lang, &QAction::triggered, this, &Form1::mnu_lang_Click);
    connect(mnu_AideFR, &QAction::triggered, this, &Form1::mnu_AideFR_Click);
    connect(mnu_AideEn, &QAction::triggered, this, &Form1::mnu_AideEn_Click);
    connect(mnu_about, &QAction::triggered, this, &Form1::mnu_about_Click);

    connect(DownloadData, &QPushButton::clicked, this, &Form1::DownloadData_Click);
    connect(SelectStar, &QPushButton::clicked, this, &Form1::SelectStar_Click);
    connect(startCalcul, &QPushButton::clicked, this, &Form1::startCalcul_Click);
    connect(FullMap, &QPushButton::clicked, this, &Form1::FullMap_Click);
    connect(Loadimg, &QPushButton::clicked, this, &Form1::Loadimg_Click);
    connect(LoadCorr, &QPushButton::clicked, this, &Form1::LoadCorr_Click);
    connect(BoutonEtalo, &QPushButton::clicked, this, &Form1::BoutonEtalo_Click);
    connect(Frm6close, &QPushButton::clicked, this, &Form1::Frm6close_Click);
    connect(CheckAutoload, &QCheckBox::stateChanged, this, &Form1::CheckAutoload_Click);
    connect(TabStrip1, &QTabBar::tabBarClicked, this, [this](int index) {
        if (index >= 0) TabStrip1_Click(index + 1);
    });
    for (int i = 0; i < 4; ++i)
        connect(m_txt_dec_sign[i], &QRadioButton::clicked, this,
                [this, i] { txt_dec_sign_Click(i); });
    for (QLineEdit* box : {txt_corrasd, txt_corrdec, txt_epoch})
        connect(box, &QLineEdit::textChanged, this, [box] { CommaToPoint(box); });
    for (int i = 0; i < 8; ++i)
        connect(m_Etalo[i], &QLineEdit::textChanged, this, [this, i] { Etalo_Change(i); });

    connect(Timer1, &QTimer::timeout, this, &Form1::Timer1_Timer);
    connect(Timer2, &QTimer::timeout, this, &Form1::Timer2_Timer);
    connect(Timer3, &QTimer::timeout, this, &Form1::Timer3_Timer);

    Picture1->onMouseMove = [this](float x, float y) { Picture1_MouseMove(x, y); };
    Picture1->onClick = [this] { Picture1_Click(); };
    Picture1->onDoubleClick = [this] { Picture1_DblClick(); };
    Picture1->onAsterLabelClick = [this](int i) { aster_lbl_Click(i); };
    Picture1->onDeepSkyLabelClick = [this](int i) { deepobj_lbl_Click(i); };
    zoom->onMouseMove = [this](float x, float y) { zoom_MouseMove(x, y); };
    zoom->onClick = [this] { zoom_Click(); };
}

void Form1::Form_Load() {
    const QDateTime now = QDateTime::currentDateTime();
    txt_Adate(0)->setText(QString::number(now.date().day()));
    txt_Adate(1)->setText(QString::number(now.date().month()));
    txt_Adate(2)->setText(QString::number(now.date().year()));
    txt_Adate(3)->setText(QString::number(now.time().hour()));
    txt_Adate(4)->setText(QString::number(now.time().minute()));
    LoadDefaults();
    SyncSignButtons();
    KeyState::instance();
    Timer1->start();
}

void Form1::TabStrip1_Click(int tab) {
    frm(1)->hide();
    frm(6)->hide();
    frm(7)->hide();
    frm(8)->hide();
    switch (tab) {
    case 1:
        frm(1)->show();
        break;
    case 2:
        frm(6)->show();
        break;
    case 3:
        frm(7)->show();
        break;
    case 4:
        frm(8)->show();
        break;
    default:
        break;
    }
}

void Form1::Timer1_Timer() {
    KeyState& keys = KeyState::instance();
    if (!KeyState::isActive(this) && !keys.leftButtonDown()) return;
    const int step = 10;
    const QRect pic = Picture1->geometry();
    const int innerW = PicOrange->width();
    const int innerH = PicOrange->height();
    const int dir = m_session.PanDirection;
    if (pic.x() + pic.width() > innerW && (dir == 3 || keys.downOrPressed(Qt::Key_Right)))
        Picture1->move(pic.x() - step, pic.y());
    else if (pic.y() < 0 && (dir == 4 || keys.downOrPressed(Qt::Key_Up)))
        Picture1->move(pic.x(), pic.y() + step);
    else if (pic.x() < 0 && (dir == 1 || keys.downOrPressed(Qt::Key_Left)))
        Picture1->move(pic.x() + step, pic.y());
    else if (pic.y() + pic.height() > innerH && (dir == 2 || keys.downOrPressed(Qt::Key_Down)))
        Picture1->move(pic.x(), pic.y() - step);
}

void Form1::Timer2_Timer() {
    m_session.BlinkCount = static_cast<int16_t>(m_session.BlinkCount + 1);
    if (m_session.BlinkCount >= 11) {
        m_session.BlinkCount = 0;
        Timer2->stop();
        return;
    }
    Picture2->setHidden(!Picture2->isHidden());
}

void Form1::mnu_quit_Click() {
    QApplication::exit(0);
}

void Form1::closeEvent(QCloseEvent* event) {
    event->accept();
    QApplication::exit(0);
}

void Form1::LogMessage(const QString& text) {
    Frm6->hide();
    status->insertItem(0, text);
    QCoreApplication::processEvents();
}

void Form1::SetIdleIndicator(bool idle) {
    icoG->hide();
    icoR->hide();
    (idle ? icoG : icoR)->show();
}

void Form1::txt_dec_sign_Click(int index) {
    switch (index) {
    case 0:
        txt_dec_sign_show(0)->setText(QStringLiteral("-"));
        break;
    case 1:
        txt_dec_sign_show(0)->setText(QStringLiteral("+"));
        break;
    case 2:
        txt_dec_sign_show(1)->setText(QStringLiteral("-"));
        break;
    case 3:
        txt_dec_sign_show(1)->setText(QStringLiteral("+"));
        break;
    default:
        break;
    }
}

void Form1::SyncSignButtons() {
    for (int pair = 0; pair < 2; ++pair) {
        const bool minus = txt_dec_sign_show(pair)->text() == QLatin1String("-");
        txt_dec_sign(2 * pair + (minus ? 0 : 1))->setChecked(true);
    }
}
