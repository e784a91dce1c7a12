// The main window: one reduction at a time.
//
// Controls keep the names the rest of the program refers to them by; control
// arrays are reached through accessors (txt_ra(0), Etalo(7), frm(4)). Handlers
// are named after their control and event and stay short: the work is done by
// plain functions of the reduction, catalogue, settings and text modules.
// The implementation is split by subject over the form1_*.cpp files.
#pragma once

#include "field/markers.h"
#include "field/session.h"

#include <QMainWindow>
#include <array>

class QAction;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPushButton;
class QRadioButton;
class QTabBar;
class QTextEdit;
class QTimer;
class QFrame;
class ImageCanvas;
class Magnifier;

class Form1 : public QMainWindow {
    Q_OBJECT
public:
    explicit Form1(QWidget* parent = nullptr);
    ~Form1() override;

    SessionState& session() { return m_session; }
    MarkerStore& markers() { return m_markers; }

    // ---- controls -------------------------------------------------------
    QGroupBox* frm(int i) const { return m_frm.at(i); }
    QLineEdit* txt_ra(int i) const { return m_txt_ra.at(i); }
    QLineEdit* txt_dec(int i) const { return m_txt_dec.at(i); }
    QRadioButton* txt_dec_sign(int i) const { return m_txt_dec_sign.at(i); }
    QLabel* txt_dec_sign_show(int i) const { return m_txt_dec_sign_show.at(i); }
    QLineEdit* txt_Adate(int i) const { return m_txt_Adate.at(i); }
    QLineEdit* Etalo(int i) const { return m_Etalo.at(i); }
    QLabel* lbl(int i) const { return m_lbl.at(i); }
    QWidget* PicMove(int i) const { return m_PicMove.at(i - 1); }

    QLineEdit* txt_epoch = nullptr;
    QLineEdit* txt_distance = nullptr;
    QLineEdit* txt_mag = nullptr;
    QLineEdit* txt_mag2 = nullptr;
    QLineEdit* txt_url = nullptr;
    QLineEdit* txt_tolerance = nullptr;
    QLineEdit* txt_corrasd = nullptr;
    QLineEdit* txt_corrdec = nullptr;
    QLineEdit* txt_calcul = nullptr;
    QLineEdit* txt_Afield = nullptr;
    QLineEdit* Txt_Amag = nullptr;
    QPushButton* DownloadData = nullptr;
    QPushButton* SelectStar = nullptr;
    QPushButton* startCalcul = nullptr;
    QPushButton* FullMap = nullptr;
    QPushButton* Loadimg = nullptr;
    QPushButton* LoadCorr = nullptr;
    QPushButton* BoutonEtalo = nullptr;
    QCheckBox* CheckAutoload = nullptr;
    QCheckBox* CheckSelectStars = nullptr;
    QCheckBox* Checkcenter = nullptr;
    QCheckBox* CheckDecideur = nullptr;
    QCheckBox* CheckAster = nullptr;
    QCheckBox* CheckDeepObj1 = nullptr;
    QCheckBox* CheckDeepObj2 = nullptr;
    QTabBar* TabStrip1 = nullptr;
    QListWidget* status = nullptr;
    QLabel* info = nullptr;
    QLabel* sugestion = nullptr;
    QLabel* Picture2 = nullptr; // the hint icon, Picture2(0)
    QLabel* icoG = nullptr;
    QLabel* icoR = nullptr;
    QFrame* Frm6 = nullptr;
    QTextEdit* InfoMore = nullptr;
    QPushButton* Frm6close = nullptr;
    QWidget* PicOrange = nullptr;
    ImageCanvas* Picture1 = nullptr;
    Magnifier* zoom = nullptr;
    QTimer* Timer1 = nullptr;
    QTimer* Timer2 = nullptr;
    QTimer* Timer3 = nullptr;

    QMenu* mnu_fichier = nullptr;
    QMenu* mnu_option = nullptr;
    QMenu* mnu_help = nullptr;
    QMenu* mnu_Aide = nullptr;
    QAction* mnu_wizard = nullptr;
    QAction* mnu_open = nullptr;
    QAction* mnu_save = nullptr;
    QAction* mnu_savedefaut = nullptr;
    QAction* mnu_quit = nullptr;
    QAction* mnu_config = nullptr;
    QAction* mnu_etalonage = nullptr;
    QAction* mnu_etalonage2 = nullptr;
    QAction* mnu_superetalonage = nullptr;
    QAction* mnu_modeauto = nullptr;
    QAction* mnu_webbugs = nullptr;
    QAction* mnu_database = nullptr;
    QAction* mnu_lang = nullptr;
    QAction* mnu_AideFR = nullptr;
    QAction* mnu_AideEn = nullptr;
    QAction* mnu_about = nullptr;

    // Set by the optical-configuration button while its window is open.
    int ConfigOpenMode = 0;

    // ---- start-up and frame (form1.cpp) -----------------------------------
    void Form_Load();
    void TabStrip1_Click(int tab); // tab 1..4
    void Timer1_Timer();
    void Timer2_Timer();
    void mnu_quit_Click();
    void LogMessage(const QString& text);
    void SetIdleIndicator(bool idle);
    void txt_dec_sign_Click(int index);
    // Ticks the sign buttons that match the two sign labels (after the
    // labels were set from a file).
    void SyncSignButtons();

    // ---- language, hints, help (form1_language.cpp) -----------------------
    void ApplyLanguageToForm(); // ApplyLanguage("Form")
    void ShowSuggestion(const QString& key, int step, const QString& value1, const QString& value2);
    void mnu_lang_Click();
    void mnu_about_Click();
    void mnu_AideFR_Click();
    void mnu_AideEn_Click();

    // ---- coordinates and calibration (form1_calibration.cpp) --------------
    // Reads the typed centre into CentrePlateRA/Dec (scaled J2000); false when
    // a coordinate box holds no number.
    bool CentreJ2000();
    void CalculAngle();
    void mnu_etalonage_Click();
    void mnu_superetalonage_Click();
    void mnu_etalonage2_Click();
    void LoadCorr_Click();
    void BoutonEtalo_Click();
    void Etalo_Change(int index);
    void PlaceCentre();

    // ---- matching (form1_matching.cpp) ------------------------------------
    void startCalcul_Click();
    void Algo();

    // ---- catalogues (form1_catalogue.cpp) ---------------------------------
    void DownloadData_Click();
    void READFILE();
    void READFILE_ASTER();
    void READFILE_NGCIC();
    void mnu_modeauto_Click();
    void mnu_webbugs_Click();
    void mnu_database_Click();

    // ---- image view, picking, overlay, readout (form1_image.cpp) ---------
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
    void Picture1_Click();
    void Picture1_DblClick();
    void Picture1_MouseMove(float x, float y);
    void doselect();
    void map();
    void mapcroix(int s1, int s2, int s3, int s4, int s5);
    void FullMap_Click();
    void aster_lbl_Click(int index);
    void deepobj_lbl_Click(int index);

    // ---- files (form1_files.cpp) ------------------------------------------
    void mnu_save_Click();
    void mnu_open_Click();
    void mnu_savedefaut_Click();
    void mnu_config_Click();
    void mnu_wizard_Click();
    // The work of the two commands once a file name is known; false (after a
    // message) when the file could not be written or read.
    bool SaveReduction(const QString& path);
    bool OpenReduction(const QString& path);
    // Reads defaut.cfg into the controls and the web switches (keeps design
    // values for what cannot be read, and says so once in the message list).
    void LoadDefaults();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void buildMenus();
    void connectHandlers();

    SessionState m_session;
    MarkerStore m_markers;
    bool m_reloading = false; // Timer3 is reloading the image (its error box may be open)

    std::array<QGroupBox*, 9> m_frm{};
    std::array<QLineEdit*, 3> m_txt_ra{};
    std::array<QLineEdit*, 3> m_txt_dec{};
    std::array<QRadioButton*, 4> m_txt_dec_sign{};
    std::array<QLabel*, 2> m_txt_dec_sign_show{};
    std::array<QLineEdit*, 5> m_txt_Adate{};
    std::array<QLineEdit*, 8> m_Etalo{};
    std::array<QLabel*, 20> m_lbl{};
    std::array<QWidget*, 4> m_PicMove{};
};

// Check boxes hold the states 0 (clear), 1 (ticked) and 2 (greyed).
int CheckValue(const QCheckBox* box);
void SetCheckValue(QCheckBox* box, int value);
