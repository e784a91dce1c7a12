#include "text/widgets/infoview.h"

#include "text/infopanel.h"

#include <QColor>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextEdit>
#include <QWidget>
#include <algorithm>
#include <vector>

using namespace text;

namespace text::details {

namespace {
// Renders `markup` into `box`: tags become formatting and disappear.
void renderInto(QTextEdit* box, const QString& markup);
} // namespace

void ShowInfoMarkup(const InfoPanel& panel, const QString& markup) {
    if (!panel.box) return;
    // Rendered straight from the markup: the box never holds the raw tags,
    // and lays its text out once.
    renderInto(panel.box, markup);
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

namespace {

const char* const kPairs[][2] = {{"<B>", "</B>"},   {"<I>", "</I>"},   {"<S0>", "</S0>"},
                                 {"<S1>", "</S1>"}, {"<S2>", "</S2>"}, {"<C1>", "</C1>"},
                                 {"<S>", "</S>"}};

// The attribute a pair gives, as a format to merge.
QTextCharFormat attributeOf(const QString& open) {
    QTextCharFormat f;
    if (open == QLatin1String("<B>"))
        f.setFontWeight(QFont::Bold);
    else if (open == QLatin1String("<I>"))
        f.setFontItalic(true);
    else if (open == QLatin1String("<S0>"))
        f.setFontPointSize(10);
    else if (open == QLatin1String("<S1>"))
        f.setFontPointSize(11);
    else if (open == QLatin1String("<S2>"))
        f.setFontPointSize(12);
    else if (open == QLatin1String("<C1>"))
        f.setForeground(QColor(0, 0, 255)); // 0xFF0000 in 0x00BBGGRR form
    else if (open == QLatin1String("<S>"))
        f.setFontUnderline(true);
    return f;
}

// One pass over the text, whatever the number of tags: each opening tag,
// from the left, is paired with the first closing tag after it that no
// earlier pair took (what removing the pairs one by one from the left
// gives). The text between the tags of each pair gets the attribute, then
// all the tags go, from the right so that positions hold. Runs inside one
// edit block of `doc`, which the caller opens.
void applyPair(QTextDocument* doc, const QString& open, const QString& close) {
    const QString text = doc->toPlainText();
    const qsizetype openLength = open.size();
    const qsizetype closeLength = close.size();
    if (openLength == 0 || closeLength == 0) return;
    std::vector<qsizetype> opens, closes;
    for (qsizetype i = 0; i < text.size();) {
        const QStringView rest = QStringView(text).sliced(i);
        if (rest.startsWith(open)) {
            opens.push_back(i);
            i += openLength;
        } else if (rest.startsWith(close)) {
            closes.push_back(i);
            i += closeLength;
        } else {
            ++i;
        }
    }
    if (opens.empty() && closes.empty()) return;

    // Pairs, merged into disjoint runs [from, to) of `text`.
    std::vector<std::pair<qsizetype, qsizetype>> runs;
    size_t c = 0;
    for (const qsizetype a : opens) {
        while (c < closes.size() && closes[c] < a + openLength)
            ++c;
        if (c == closes.size()) break; // no closing tag after it: formats nothing
        const qsizetype b = closes[c++];
        if (!runs.empty() && a <= runs.back().second)
            runs.back().second = std::max(runs.back().second, b);
        else
            runs.emplace_back(a, b);
    }
    QTextCursor cursor(doc);
    const QTextCharFormat attribute = attributeOf(open);
    for (const auto& [from, to] : runs) {
        cursor.setPosition(static_cast<int>(from));
        cursor.setPosition(static_cast<int>(to), QTextCursor::KeepAnchor);
        cursor.mergeCharFormat(attribute);
    }

    // Every tag of the pair goes, matched or not.
    std::vector<std::pair<qsizetype, qsizetype>> tags; // start, length
    tags.reserve(opens.size() + closes.size());
    size_t i = 0, j = 0;
    while (i < opens.size() || j < closes.size()) {
        if (j == closes.size() || (i < opens.size() && opens[i] < closes[j]))
            tags.emplace_back(opens[i++], openLength);
        else
            tags.emplace_back(closes[j++], closeLength);
    }
    for (auto t = tags.rbegin(); t != tags.rend(); ++t) {
        cursor.setPosition(static_cast<int>(t->first));
        cursor.setPosition(static_cast<int>(t->first + t->second), QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
    }
}

void renderInto(QTextEdit* box, const QString& markup) {
    box->setVisible(false);
    // The work is done on a document of its own, which nothing lays out, and
    // the result goes into the box in one step: the box lays the text out
    // once instead of after every change.
    QTextDocument work;
    work.setUndoRedoEnabled(false);
    work.setPlainText(markup);
    QTextCursor cursor(&work);
    cursor.beginEditBlock();
    cursor.select(QTextCursor::Document);
    QTextCharFormat plain;
    plain.setFontWeight(QFont::Normal);
    plain.setFontItalic(false);
    plain.setFontPointSize(10);
    plain.setForeground(QColor(0, 0, 0));
    plain.setFontUnderline(false);
    cursor.mergeCharFormat(plain);
    for (const auto& p : kPairs)
        applyPair(&work, QString::fromLatin1(p[0]), QString::fromLatin1(p[1]));
    cursor.endEditBlock();

    QTextCursor target(box->document());
    target.beginEditBlock();
    target.select(QTextCursor::Document);
    target.removeSelectedText();
    target.insertFragment(QTextDocumentFragment(&work));
    target.endEditBlock();
    box->setVisible(true);
}

} // namespace

void RenderInfoMarkup(QTextEdit* box) {
    renderInto(box, box->toPlainText());
}

void ApplyMarkupTag(QTextEdit* box, const QString& open, const QString& close) {
    QTextCursor block(box->document());
    block.beginEditBlock();
    applyPair(box->document(), open, close);
    block.endEditBlock();
}

} // namespace text::details
