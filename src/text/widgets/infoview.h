// The info panel on screen: a panel text written into the rich-text box,
// its markup rendered, and the frame shown.
#pragma once

#include <QString>

class QTextEdit;
class QWidget;

namespace text::details {

// Where a panel text goes: the rich-text box and the frame that holds it.
struct InfoPanel {
    QTextEdit* box = nullptr;
    QWidget* frame = nullptr;
};

// ---- showing them ----------------------------------------------------------
// Each writes its text into the panel's box, renders the markup and shows the frame.

void StarInfoText(const InfoPanel& panel, const QString& identifier, double ra, double dec,
                  const QString& magRed, const QString& magBlue, const QString& equinox);
void PointInfoText(const InfoPanel& panel, double ra, double dec, const QString& equinox);
void MinorPlanetInfoText(const InfoPanel& panel, const QString& designation, const QString& name,
                         double ra, double dec, const QString& magnitude, const QString& motion2,
                         const QString& motion1);
void DeepSkyInfoText(const InfoPanel& panel, const QString& name, double ra, double dec,
                     const QString& magnitude, double size1, double size2,
                     const QString& description, const QString& pgcName, const QString& otherName1,
                     const QString& otherName2);

// Writes `markup` into the box, renders it and shows the frame.
void ShowInfoMarkup(const InfoPanel& panel, const QString& markup);

// Turns the tags of the box's text into formatting (the tags disappear).
void RenderInfoMarkup(QTextEdit* box);

// Formats and removes every pair `open` .. `close` of the box's text, in
// one pass (time linear in the length of the text). Each opening tag, from
// the left, pairs with the first closing tag after it not taken by an
// earlier one. An opening tag without a closing tag after it formats nothing
// and is removed; closing tags left without an opening tag are removed too.
void ApplyMarkupTag(QTextEdit* box, const QString& open, const QString& close);

} // namespace text::details
