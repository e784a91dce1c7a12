// The main window: one reduction at a time.
//
// The window is a frame of panels (panels.h), each owning its controls.
// Form1 builds and wires them, owns the session state and the markers, and
// keeps the event handlers, named after their control and event; each is a
// few lines that hand the work to plain functions of the lower layers. A
// push button or menu command named N calls the slot N_Click() (see
// platform/widgets/clickhandlers.h).
#pragma once

#include "field/markers.h"
#include "field/session.h"
#include "imaging/imagefile.h"
#include "mainwindow/commandhost.h"
#include "platform/widgets/controlvalue.h"

#include <QMainWindow>
#include <functional>
#include <vector>

class BlindSolveCommand;
class CalibrationPanel;
class CatalogueCommands;
class CommandBar;
class DeciderPage;
class DeepSkyPage;
class FieldPanel;
class FitsHintFields;
class HintPanel;
class IdleIndicator;
class ImageView;
class MainMenu;
class MessagePanel;
class MinorPlanetCommands;
class MinorPlanetPage;
class OptionTabs;
class SolvePanel;
class SolveCommands;

class Form1 : public QMainWindow, public CommandHost {
    Q_OBJECT
public:
    explicit Form1(QWidget* parent = nullptr);
    ~Form1() override;

    field::SessionState& session() override { return m_session; }
    field::MarkerStore& markers() override { return m_markers; }
    QWidget* hostWidget() override { return this; }
    QString buttonText(const QString& name) override;

    // Set by the optical-configuration button while its window is open.
    int ConfigOpenMode = 0;

    // Reads the typed centre into CentrePlateRA/Dec (scaled J2000); false when
    // a coordinate box holds no number.
    bool CentreJ2000() override;
    void LogMessage(const QString& text) override;
    void SetIdleIndicator(bool idle) override;
    void ShowSuggestion(const QString& key, int step, const QString& value1 = QStringLiteral("0"),
                        const QString& value2 = QStringLiteral("0")) override;
    // The captions of the panels from the language table.
    void ApplyLanguageToForm();
    // Ticks the sign buttons that match the two sign labels (after a file set them).
    void SyncSignButtons();
    // The work of the save and open commands once a file name is known; false
    // (after a message) when the file could not be written or read.
    bool SaveReduction(const QString& path);
    bool OpenReduction(const QString& path);
    // Opens a file given on the command line or dropped on the window: a
    // reduction file (.pam) as File -> Open project does, anything else as
    // the image (typed into the image box and loaded); false when it could
    // not be read (after a message).
    bool OpenFile(const QString& path);
    // Reads defaut.cfg into the controls and the web switches (keeps design
    // values for what cannot be read, and says so once in the message list).
    void LoadDefaults();

public slots:
    // start-up, frame, language, files (form1.cpp)
    void Form_Load();
    void TabStrip1_Click(int tab); // tab 1..4
    void Timer1_Timer();
    void Timer2_Timer();
    void txt_dec_sign_Click(int index);
    void mnu_quit_Click();
    void mnu_lang_Click();
    void mnu_about_Click();
    void mnu_AideFR_Click();
    void mnu_AideEn_Click();
    void mnu_save_Click();
    void mnu_open_Click();
    void mnu_savedefaut_Click();
    void mnu_config_Click();
    void mnu_wizard_Click();

    // calibration, matching, catalogues (form1_reduction.cpp)
    void CalculAngle();
    void mnu_etalonage_Click();
    void mnu_superetalonage_Click();
    void mnu_etalonage2_Click();
    void LoadCorr_Click();
    void BoutonEtalo_Click();
    void Etalo_Change(int index);
    bool PlaceCentre(); // false (after a status line naming the box) for an unreadable centre
    void startCalcul_Click();
    void Algo();
    void DownloadData_Click();
    void cancelDownload_Click();
    void READFILE();
    void READFILE_ASTER();
    void READFILE_NGCIC();
    void mnu_modeauto_Click();
    void mnu_webbugs_Click();
    void mnu_database_Click();
    void mnu_mpcorb_Click();         // downloads the minor-planet element file
    void mnu_reportposition_Click(); // MPC line of the last point clicked
    void mnu_exportwcs_Click();

    // image view, picking, overlay, readout (form1_image.cpp)
    void Loadimg_Click();
    void CheckAutoload_Click();
    void Timer3_Timer();
    void dozoom();
    void zoom_MouseMove(float x, float y);
    void zoom_Click();
    void PicMove_MouseDown(int index);
    void PicMove_MouseUp(int index);
    void Frm6close_Click();
    void SelectStar_Click();
    void AutoPicks_Click();  // five picks among the stars found on the image
    void BlindSolve_Click(); // solve without position from the local index files
    void mnu_blindsolve_Click();
    void mnu_blindscales_Click(); // keeps the tick in the options file
    void Picture1_Click();
    void Picture1_DblClick();
    void Picture1_MouseMove(float x, float y);
    void doselect();
    void map();
    void mapcroix(int s1, int s2, int s3, int s4, int s5);
    void FullMap_Click();
    void aster_lbl_Click(int index);
    void deepobj_lbl_Click(int index);

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void buildPanels();
    void connectHandlers();
    template <class Panel> Panel* add(Panel* panel); // keeps `panel` for ApplyLanguageToForm
    // The calibration panel (its button captioned afresh) in place of the messages, or back.
    void showCalibration(bool on);
    void repaintImage();
    // Shows an image read from `path`; another file (or the same one at
    // another size) drops the picks, the plate and the marks first.
    void showLoadedImage(imaging::LoadedImage loaded, const QString& path);
    void dropImageWork();
    // After the fifth pick: the hint names the next step; "3-Calcul" when
    // the wizard asked for it.
    void calculateIfAuto();
    // The caption of the command button named `name`, as the window shows it.
    QString commandCaption(const char* name) const;

    field::SessionState m_session;
    field::MarkerStore m_markers;
    bool m_reloading = false;           // Timer3 is reloading the image (its error box may be open)
    bool m_reviewCancelled = false;     // the last review of candidates was cancelled
    bool m_minorPlanetsQueried = false; // the last download asked for the minor planets too
    std::vector<std::function<void()>> m_retranslate;
    MainMenu* m_menu = nullptr;
    CommandBar* m_commands = nullptr;
    OptionTabs* m_tabs = nullptr;
    FieldPanel* m_field = nullptr;
    DeciderPage* m_decider = nullptr;
    MinorPlanetPage* m_minorPlanets = nullptr;
    DeepSkyPage* m_deepSky = nullptr;
    HintPanel* m_hint = nullptr;
    MessagePanel* m_messages = nullptr;
    CalibrationPanel* m_calibration = nullptr;
    IdleIndicator* m_idle = nullptr;
    ImageView* m_view = nullptr;
    SolvePanel* m_solve = nullptr;
    MinorPlanetCommands* m_minorPlanetCommands = nullptr; // element download, position reports
    CatalogueCommands* m_catalogueCommands = nullptr;     // downloads and reading of the answers
    SolveCommands* m_solveCommands = nullptr;             // review, automatic picks, refined plate
    FitsHintFields* m_fitsHints = nullptr;                // the fields a FITS header fills
    BlindSolveCommand* m_blindSolve = nullptr;            // solving without position
};
