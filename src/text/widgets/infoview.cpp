#include "text/widgets/infoview.h"

#include "text/infopanel.h"
#include "text/widgets/richtext.h"

#include <QTextEdit>
#include <QWidget>

namespace details {

void ShowInfoMarkup(const InfoPanel& panel, const QString& markup) {
    if (!panel.box) return;
    panel.box->setPlainText(markup);
    RenderInfoMarkup(panel.box);
    if (panel.frame) panel.frame->setVisible(true);
}

void StarInfoText(const InfoPanel& panel, const QString& identifier, double ra, double dec,
                  const QString& magRed, const QString& magBlue, const QString& equinox) {
    ShowInfoMarkup(panel, StarInfoMarkup(identifier, ra, dec, magRed, magBlue, equinox));
}

void PointInfoText(const InfoPanel& panel, double ra, double dec, const QString& equinox) {
    ShowInfoMarkup(panel, PointInfoMarkup(ra, dec, equinox));
}

void MinorPlanetInfoText(const InfoPanel& panel, const QString& designation, const QString& name,
                         double ra, double dec, const QString& magnitude, const QString& motion2,
                         const QString& motion1) {
    ShowInfoMarkup(panel,
                   MinorPlanetInfoMarkup(designation, name, ra, dec, magnitude, motion2, motion1));
}

void DeepSkyInfoText(const InfoPanel& panel, const QString& name, double ra, double dec,
                     const QString& magnitude, double size1, double size2,
                     const QString& description, const QString& pgcName, const QString& otherName1,
                     const QString& otherName2) {
    ShowInfoMarkup(panel, DeepSkyInfoMarkup(name, ra, dec, magnitude, size1, size2, description,
                                            pgcName, otherName1, otherName2));
}

void RenderInfoMarkup(QTextEdit* box) {
    RichTextBox r(box);
    r.setVisible(false);
    r.select(0, static_cast<int>(r.text().size()));
    r.setBold(false);
    r.setItalic(false);
    r.setFontSize(10);
    r.setColour(0);
    r.setUnderline(false);
    static const char* const pairs[][2] = {{"<B>", "</B>"},   {"<I>", "</I>"},   {"<S0>", "</S0>"},
                                           {"<S1>", "</S1>"}, {"<S2>", "</S2>"}, {"<C1>", "</C1>"},
                                           {"<S>", "</S>"}};
    for (const auto& p : pairs)
        ApplyMarkupTag(box, QString::fromLatin1(p[0]), QString::fromLatin1(p[1]));
    r.setVisible(true);
}

void ApplyMarkupTag(QTextEdit* box, const QString& open, const QString& close) {
    RichTextBox r(box);
    const int openLength = static_cast<int>(open.size());
    const int closeLength = static_cast<int>(close.size());
    for (;;) {
        const int end = static_cast<int>(r.text().size());
        const int a = r.find(open, 0, end);
        if (a == -1) break;
        // The closing tag is looked for after the opening one, so a stray
        // closing tag earlier in the text never gives a backward range.
        const int b = r.find(close, a + openLength, end);
        if (b == -1) {
            r.select(a, openLength);
            r.replaceSelection(QString());
            continue;
        }
        r.select(a, b - a);
        if (open == QLatin1String("<B>"))
            r.setBold(true);
        else if (open == QLatin1String("<I>"))
            r.setItalic(true);
        else if (open == QLatin1String("<S0>"))
            r.setFontSize(10);
        else if (open == QLatin1String("<S1>"))
            r.setFontSize(11);
        else if (open == QLatin1String("<S2>"))
            r.setFontSize(12);
        else if (open == QLatin1String("<C1>"))
            r.setColour(0xFF0000);
        else if (open == QLatin1String("<S>"))
            r.setUnderline(true);
        r.select(a, openLength);
        r.replaceSelection(QString());
        r.select(b - openLength, closeLength);
        r.replaceSelection(QString());
    }
    // Closing tags without an opening tag before them.
    for (int c = r.find(close, 0, static_cast<int>(r.text().size())); c != -1;
         c = r.find(close, c, static_cast<int>(r.text().size()))) {
        r.select(c, closeLength);
        r.replaceSelection(QString());
    }
}

} // namespace details
