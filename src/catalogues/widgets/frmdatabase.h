// The catalogue browser ("DataBase-Debug"): lists the last star answer, the
// last minor-planet answer and the NGC/IC objects around the field centre, to
// check what was downloaded or read. It changes nothing the reduction uses.
#pragma once

#include "catalogues/browser.h"

#include <QDialog>
#include <optional>

class QLabel;
class QPushButton;
class QTreeWidget;

class Frmdatabase : public QDialog {
    Q_OBJECT
public:
    // `field` is the main window's field centre, search window and scales;
    // nothing when its fields hold no numbers (the deep-sky listing then says so).
    explicit Frmdatabase(std::optional<catalogues::BrowserField> field, QWidget* parent = nullptr);

    QTreeWidget* ListView1 = nullptr;
    QPushButton* Btn1 = nullptr; // stars
    QPushButton* Btn2 = nullptr; // deep-sky objects
    QPushButton* Btn3 = nullptr; // minor planets
    QLabel* Notes = nullptr;     // notes about the current listing

    void Btn1_Click();
    void Btn2_Click();
    void Btn3_Click();

    // Whether the star answer and the minor-planet answer on disk answer the
    // query typed in the main window; an old one is listed with a note
    // saying so (both are taken as current until told otherwise).
    void setAnswersCurrent(bool stars, bool minorPlanets);

    // Fills ListView1 from the current listing.
    void ShowData();

    const catalogues::BrowserListing& listing() const { return m_listing; }

    // The small icon of a listing's rows (1 stars, 3 minor planets, 5 deep-sky objects).
    static QIcon ImageList1(int index);

private:
    void setListing(catalogues::BrowserListing listing);

    std::optional<catalogues::BrowserField> m_field;
    bool m_starsCurrent = true;
    bool m_minorPlanetsCurrent = true;
    catalogues::BrowserListing m_listing;
};
