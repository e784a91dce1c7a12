// Main window: the frame of panels, start-up load, tabs, timers, language,
// reduction files and default settings.
#include "mainwindow/form1.h"

#include "mainwindow/blindsolvecommand.h"
#include "mainwindow/cataloguecommands.h"
#include "mainwindow/fitshintfields.h"
#include "mainwindow/minorplanetcommands.h"
#include "mainwindow/panelparts.h"
#include "mainwindow/panels.h"
#include "mainwindow/settingscommands.h"
#include "mainwindow/solvecommands.h"
#include "mainwindow/startup.h"
#include "mainwindow/tooltips.h"
#include "platform/programfolder.h"
#include "platform/textfile.h"
#include "platform/widgets/clickhandlers.h"
#include "platform/widgets/filedialog.h"
#include "platform/widgets/helpviewer.h"
#include "platform/widgets/keystate.h"
#include "platform/widgets/messagebox.h"
#include "settings/reductionfile.h"
#include "text/language.h"
#include "text/widgets/frmlang.h"
#include "text/widgets/splash.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QDateTime>
#include <QMenuBar>

using namespace reduction;
using namespace imaging;
using namespace settings;
using namespace field;
using namespace catalogues;
using namespace catalogues::web;
using namespace text;

// The icons live in the static library's resources, which must be registered by hand.
static void initResources() {
    Q_INIT_RESOURCE(resources);
}

Form1::Form1(QWidget* parent) : QMainWindow(parent) {
    initResources();
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Astroplate"));
    setAcceptDrops(true); // an image or .pam dropped on the window is opened
    buildPanels();
    ApplyToolTips(this);
    connectHandlers();
    Form_Load();
}

Form1::~Form1() = default;

template <class Panel> Panel* Form1::add(Panel* panel) {
    m_retranslate.push_back([panel] { panel->retranslate(); });
    return panel;
}

void Form1::buildPanels() {
    m_menu = add(new MainMenu(menuBar()));
    m_view = add(new ImageView(m_markers));
    m_commands = add(new CommandBar);
    m_field = add(new FieldPanel);
    m_decider = add(new DeciderPage);
    m_minorPlanets = add(new MinorPlanetPage);
    m_deepSky = add(new DeepSkyPage);
    m_messages = add(new MessagePanel);
    m_calibration = add(new CalibrationPanel);
    m_hint = add(new HintPanel);
    m_solve = add(new SolvePanel);
    m_tabs = add(new OptionTabs);
    m_idle = add(new IdleIndicator);
    m_tabs->addPage(m_field, QStringLiteral("Basic"));
    m_tabs->addPage(m_decider, QString::fromUtf8("Décideur"));
    m_tabs->addPage(m_minorPlanets, QString::fromUtf8("Asteroïde"));
    m_tabs->addPage(m_deepSky, QStringLiteral("CielProfond"));

    m_calibration->hide();
    setCentralWidget(panelparts::frame(m_view, {{m_commands, 0},
                                                {m_tabs, 0},
                                                {m_hint, 0},
                                                {m_messages, 1},
                                                {m_solve, 1},
                                                {m_calibration, 1},
                                                {m_idle, 0}}));
    resize(1280, 860);

    m_minorPlanetCommands =
        new MinorPlanetCommands(*this, *m_messages, m_view->canvas(), *m_minorPlanets);
    m_catalogueCommands =
        new CatalogueCommands(*this, *m_field, *m_minorPlanets, *m_messages, *m_commands);
    m_solveCommands = new SolveCommands(*this, *m_view, *m_field, *m_decider, *m_solve);
    m_fitsHints = new FitsHintFields(*this, *m_field, *m_minorPlanets);
    m_blindSolve = new BlindSolveCommand(*this, *m_view, *m_field, *m_solve);
}

void Form1::connectHandlers() {
    ConnectClickHandlers(this, this);
    connect(m_field, &FieldPanel::autoloadChanged, this, &Form1::CheckAutoload_Click);
    connect(m_field, &FieldPanel::signClicked, this, &Form1::txt_dec_sign_Click);
    connect(m_calibration, &CalibrationPanel::signClicked, this, &Form1::txt_dec_sign_Click);
    connect(m_calibration, &CalibrationPanel::boxChanged, this, &Form1::Etalo_Change);
    connect(m_tabs, &OptionTabs::tabClicked, this, &Form1::TabStrip1_Click);
    connect(m_hint, &HintPanel::blinkTimer, this, &Form1::Timer2_Timer);
    connect(m_view, &ImageView::panTimer, this, &Form1::Timer1_Timer);
    connect(m_view, &ImageView::reloadTimer, this, &Form1::Timer3_Timer);
    connect(m_view, &ImageView::stripPressed, this, &Form1::PicMove_MouseDown);
    connect(m_view, &ImageView::stripReleased, this, &Form1::PicMove_MouseUp);

    ImageCanvas& canvas = m_view->canvas();
    canvas.onMouseMove = [this](float x, float y) { Picture1_MouseMove(x, y); };
    canvas.onClick = [this] { Picture1_Click(); };
    canvas.onDoubleClick = [this] { Picture1_DblClick(); };
    canvas.onAsterLabelClick = [this](int i) { aster_lbl_Click(i); };
    canvas.onDeepSkyLabelClick = [this](int i) { deepobj_lbl_Click(i); };
    m_view->magnifier().onMouseMove = [this](float x, float y) { zoom_MouseMove(x, y); };
    m_view->magnifier().onClick = [this] { zoom_Click(); };
}

void Form1::Form_Load() {
    m_minorPlanets->setDate(QDateTime::currentDateTime());
    LoadDefaults();
    SyncSignButtons();
    KeyState::instance();
    m_view->startPanning();
}

void Form1::TabStrip1_Click(int tab) {
    m_tabs->showPage(tab);
}

void Form1::Timer1_Timer() {
    // The one place the window reads the keyboard and mouse state.
    KeyState& keys = KeyState::instance();
    if (!KeyState::isActive(this) && !keys.leftButtonDown()) return;
    m_view->pan(m_session.PanDirection, [&keys](int key) { return keys.downOrPressed(key); });
}

void Form1::Timer2_Timer() {
    m_hint->blink(m_session.BlinkCount);
}

void Form1::mnu_quit_Click() {
    QApplication::exit(0);
}

void Form1::closeEvent(QCloseEvent* event) {
    event->accept();
    QApplication::exit(0);
}

QString Form1::buttonText(const QString& name) {
    const auto* button = findChild<QAbstractButton*>(name);
    return button ? button->text() : name;
}

void Form1::LogMessage(const QString& text) {
    m_view->hideInfo();
    m_messages->log(text);
}

QString Form1::commandCaption(const char* name) const {
    const auto* button = findChild<QAbstractButton*>(QLatin1String(name));
    return button ? button->text() : QString();
}

void Form1::SetIdleIndicator(bool idle) {
    m_idle->setIdle(idle);
}

void Form1::txt_dec_sign_Click(int index) {
    const QString sign = index % 2 == 0 ? QStringLiteral("-") : QStringLiteral("+");
    if (index == 0 || index == 1) m_field->setDecSign(sign);
    if (index == 2 || index == 3) m_calibration->setDecSign(sign);
}

void Form1::SyncSignButtons() {
    m_field->syncSignButtons();
    m_calibration->syncSignButtons();
}

void Form1::showCalibration(bool on) {
    m_calibration->setButtonCaption(FormText(48));
    m_calibration->setVisible(on);
    m_messages->setVisible(!on);
}

void Form1::repaintImage() {
    m_view->canvas().update();
}

void Form1::ApplyLanguageToForm() {
    if (!FormText(1).isEmpty()) setWindowTitle(FormText(1));
    DeriveFormMessages(Lang());
    for (const auto& retranslate : m_retranslate)
        retranslate();
    ApplyToolTips(this);
}

void Form1::ShowSuggestion(const QString& key, int step, const QString& value1,
                           const QString& value2) {
    m_hint->showHint(key, step, value1, value2);
}

void Form1::mnu_lang_Click() {
    FrmLang window([this] { ReadLanguageAndApply(this); }, this);
    window.showModal();
}

void Form1::mnu_about_Click() {
    frmSplash::showAbout(this);
}

void Form1::mnu_AideFR_Click() {
    helpviewer::OpenProgramPage(this, QStringLiteral("aide-fr.html"));
}

void Form1::mnu_AideEn_Click() {
    helpviewer::OpenProgramPage(this, QStringLiteral("aide-en.html"));
}

void Form1::LoadDefaults() {
    if (const QString problem = ApplyDefaultsFile(this); !problem.isEmpty())
        m_messages->note(problem + tr(" (design values kept)"));
}

void Form1::mnu_savedefaut_Click() {
    if (!m_field->checkSave()) return;
    if (SaveDefaultsFile(this))
        LogMessage(tr("Default settings saved to %1")
                       .arg(programfolder::File(QStringLiteral("defaut.cfg"))));
}

bool Form1::SaveReduction(const QString& path) {
    return m_field->checkSave() && SaveControls(this, reductionfile::controlNames(), path);
}

bool Form1::OpenReduction(const QString& path) {
    const QStringList& names = reductionfile::controlNames();
    const auto read = textfile::ReadLines(path);
    const QStringList lines = read.value_or({});
    QString problem = read ? CheckStoredLines(this, names, lines, path)
                           : path + QStringLiteral(": ") + read.error().message;
    // The image the file names is read before anything changes, so that a
    // missing or unreadable one keeps the image, its picks and its name
    // together.
    LoadedImage image;
    QString imagePath;
    if (problem.isEmpty()) {
        const QString typed = lines.value(names.indexOf(QStringLiteral("txt_url")));
        if (!typed.isEmpty()) {
            imagePath = ImagePath(typed);
            auto read = ReadImageFile(imagePath);
            if (read)
                image = std::move(read).value();
            else
                problem = path + QStringLiteral(": ") + typed + QStringLiteral(": ") +
                          read.error().message;
        }
    }
    if (!problem.isEmpty()) return messagebox::Exclamation(this, problem), false;

    SetControlValues(this, names, lines);
    SyncSignButtons();
    if (!imagePath.isEmpty()) showLoadedImage(std::move(image), imagePath);
    // A project is a new reduction, even of the same image.
    dropImageWork();
    ShowSuggestion(QStringLiteral("open"), 0);
    repaintImage();
    m_messages->setReadout(QString());
    m_messages->clear();
    m_session.ImageLoaded = false;
    return true;
}

void Form1::mnu_save_Click() {
    const auto chosen =
        filedialog::Save(this, FormMessage(14), FormMessage(13), programfolder::Path());
    if (chosen) SaveReduction(reductionfile::withExtension(*chosen));
}

void Form1::mnu_open_Click() {
    const auto chosen =
        filedialog::Open(this, FormMessage(12), FormMessage(13), programfolder::Path());
    if (chosen) OpenReduction(*chosen);
}

void Form1::mnu_config_Click() {
    RunConfigurationEditor(this);
}

void Form1::mnu_wizard_Click() {
    m_session.AutoCalculate = 0;
    if (!RunWizard(this)) return;
    m_session.AutoCalculate = 1;
    DownloadData_Click();
    SelectStar_Click();
}
