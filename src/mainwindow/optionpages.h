// The option pages of the tab strip beside the field panel: frm(6) the
// matching decider (tab 2), frm(7) minor planets (tab 3), frm(8) deep-sky
// objects (tab 4).
#pragma once

#include <QGroupBox>
#include <array>
#include <optional>

class QCheckBox;
class QDateTime;
class QLabel;
class QLineEdit;

class DeciderPage : public QGroupBox {
    Q_OBJECT
public:
    explicit DeciderPage(QWidget* parent = nullptr);
    void retranslate();
    bool starCentring() const;  // CheckSelectStars ticked: picks move to the brightest spot
    bool centreOnImage() const; // Checkcenter ticked: the typed centre must be on the image
    bool decider() const;       // CheckDecideur not clear: the automatic check decides
    // Candidates offered by image evidence (CheckRankEvidence), and the plate
    // refined on the stars found once one is accepted (CheckRefinePlate).
    // Both are kept in the options file.
    bool rankByEvidence() const;
    bool refinePlate() const;
    // The decision threshold S (txt_calcul) in pixels, whose window of
    // S + 4 pixels either side must fit 16 bits; nothing after a message.
    std::optional<double> readThreshold();

private:
    QCheckBox* m_centring;
    QCheckBox* m_centreOnImage;
    QCheckBox* m_decider;
    QCheckBox* m_rank;
    QCheckBox* m_refine;
    QLineEdit* m_threshold;
    std::array<QLabel*, 2> m_labels{}; // lbl(9), lbl(10)
};

class MinorPlanetPage : public QGroupBox {
    Q_OBJECT
public:
    explicit MinorPlanetPage(QWidget* parent = nullptr);
    void retranslate();
    bool wanted() const; // CheckAster ticked
    // Day, month, year, hour, minute of the query.
    std::array<QString, 5> date() const;
    void setDate(const QDateTime& when);
    QString field() const;     // txt_Afield, arcminutes
    QString magnitude() const; // Txt_Amag
    // The date boxes (day, month, year, hour, minute), for what fills them.
    std::array<QLineEdit*, 5> dateBoxes() const { return m_date; }

private:
    QCheckBox* m_wanted;
    QLineEdit* m_magnitude;
    QLineEdit* m_field;
    std::array<QLineEdit*, 5> m_date{};
    std::array<QLabel*, 2> m_labels{}; // lbl(18), lbl(19)
    QLabel* m_dateLabel;
};

class DeepSkyPage : public QGroupBox {
    Q_OBJECT
public:
    explicit DeepSkyPage(QWidget* parent = nullptr);
    void retranslate();
    bool inCalcul() const;  // CheckDeepObj1 ticked: drawn by "3-Calcul"
    bool inFullMap() const; // CheckDeepObj2 ticked: drawn by "4-Full map"

private:
    QCheckBox* m_inCalcul;
    QCheckBox* m_inFullMap;
};
