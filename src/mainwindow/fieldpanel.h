// frm(1), tab 1: the field centre and the query (right ascension,
// declination with its sign, equinox, radius, the two limiting magnitudes),
// the image file with its automatic reload, and frm(2) "CCD": the matching
// tolerance and the two scales.
#pragma once

#include "field/typedcentre.h"

#include <QGroupBox>
#include <array>
#include <optional>

class CentreEntry;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

class FieldPanel : public QGroupBox {
    Q_OBJECT
public:
    explicit FieldPanel(QWidget* parent = nullptr);
    void retranslate();

    field::TypedCentreFields centre() const;
    // Rewrites the six coordinate boxes (the sign and the equinox stay).
    void setCoordinateTexts(const std::array<QString, 3>& ra, const std::array<QString, 3>& dec);
    QString epoch() const;
    QString radius() const;    // txt_distance, arcminutes
    QString magnitude() const; // txt_mag
    void setMagnitude(const QString& text);
    QString fullMapMagnitude() const; // txt_mag2
    QString imagePath() const;        // txt_url as typed
    int autoload() const;             // CheckAutoload: 0, 1 or 2
    void setImagePath(const QString& path);
    // The matching tolerance in pixels; nothing after a message when the box
    // holds no number or one out of range.
    std::optional<double> readTolerance();
    // Whether the field centre, the radius and the faintest magnitude can be
    // queried; false after a message naming the box.
    bool checkQuery();
    // Whether the boxes can be saved (a number within its range in the
    // radius, the magnitudes and the tolerance); false after a message.
    bool checkSave();
    // Why the centre boxes cannot be read, naming the box (a status line).
    QString centreProblem() const;
    // The two scales (pixels per degree), each a positive number; nothing
    // after a message naming the box otherwise.
    std::optional<std::pair<double, double>> readScales();
    QString corrAsd() const;
    QString corrDec() const;
    // Puts two coefficient texts into the scale boxes (their comma repair runs).
    void setCorrectors(const QString& corrAsd, const QString& corrDec);
    // Puts measured scales into the two boxes (each only when given).
    void setScales(std::optional<double> corrAsd, std::optional<double> corrDec);
    void setRadius(const QString& arcmin);

    // The boxes a FITS header can fill, for what watches and fills them.
    struct HeaderBoxes {
        std::array<QLineEdit*, 3> ra{}, dec{};
        QLineEdit* epoch = nullptr;
        QLineEdit* corrAsd = nullptr;
        QLineEdit* corrDec = nullptr;
    };
    HeaderBoxes headerBoxes() const;

    // The sign label txt_dec_sign_show(0): "+" or "-".
    QString decSign() const;
    void setDecSign(const QString& sign);
    // Ticks the sign button that matches the label (after a file set it).
    void syncSignButtons();

signals:
    void autoloadChanged();      // CheckAutoload
    void signClicked(int index); // txt_dec_sign(0) "-", txt_dec_sign(1) "+"

private:
    // The caption of label lbl(label), without its colon: how the box is named.
    QString boxName(int label) const;

    CentreEntry* m_centre;
    QLineEdit* m_epoch;
    QLineEdit* m_radius;
    QLineEdit* m_mag;
    QLineEdit* m_mag2;
    QLineEdit* m_url;
    QPushButton* m_loadImage;
    QCheckBox* m_autoload;
    QGroupBox* m_ccd;
    QLineEdit* m_tolerance;
    QLineEdit* m_corrAsd;
    QLineEdit* m_corrDec;
    QPushButton* m_loadScales;
    std::array<QLabel*, 12> m_labels{}; // lbl(0..8), lbl(11), lbl(16), lbl(17)
};
