#include "text/widgets/richtext.h"

#include <QColor>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <algorithm>

namespace {
void mergeFormat(QTextEdit* box, int start, int length, const QTextCharFormat& f) {
    if (length <= 0) return;
    QTextCursor c(box->document());
    c.setPosition(start);
    c.setPosition(start + length, QTextCursor::KeepAnchor);
    c.mergeCharFormat(f);
}
} // namespace

QString RichTextBox::text() const {
    return m_box->toPlainText();
}

void RichTextBox::select(int start, int length) {
    // The plain text's length without copying it (the document counts one
    // more, the end of its last block).
    const int n = std::max(m_box->document()->characterCount() - 1, 0);
    m_start = std::clamp(start, 0, n);
    m_length = std::clamp(length, 0, n - m_start);
}

void RichTextBox::setBold(bool on) {
    QTextCharFormat f;
    f.setFontWeight(on ? QFont::Bold : QFont::Normal);
    mergeFormat(m_box, m_start, m_length, f);
}

void RichTextBox::setItalic(bool on) {
    QTextCharFormat f;
    f.setFontItalic(on);
    mergeFormat(m_box, m_start, m_length, f);
}

void RichTextBox::setFontSize(double points) {
    QTextCharFormat f;
    f.setFontPointSize(points);
    mergeFormat(m_box, m_start, m_length, f);
}

void RichTextBox::setColour(uint32_t colour) {
    QTextCharFormat f;
    f.setForeground(QColor(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                           static_cast<int>((colour >> 16) & 0xFF)));
    mergeFormat(m_box, m_start, m_length, f);
}

void RichTextBox::setUnderline(bool on) {
    QTextCharFormat f;
    f.setFontUnderline(on);
    mergeFormat(m_box, m_start, m_length, f);
}

void RichTextBox::replaceSelection(const QString& text) {
    QTextCursor c(m_box->document());
    c.setPosition(m_start);
    c.setPosition(m_start + m_length, QTextCursor::KeepAnchor);
    c.insertText(text);
    m_length = static_cast<int>(text.size());
}

int RichTextBox::find(const QString& what, int from, int to) const {
    const QString t = text();
    const qsizetype pos = t.indexOf(what, std::max(from, 0));
    if (pos < 0 || pos + what.size() > to) return -1;
    return static_cast<int>(pos);
}

void RichTextBox::setVisible(bool visible) {
    m_box->setVisible(visible);
}
