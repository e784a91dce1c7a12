// The few rich-text operations the info panel needs, on a QTextEdit: the
// whole text, a selection by start and length, character attributes of the
// selection, replacing the selection, searching and showing or hiding.
// Positions count characters of the plain text, a line break as one.
#pragma once

#include <QString>
#include <cstdint>

class QTextEdit;

class RichTextBox {
public:
    explicit RichTextBox(QTextEdit* box) : m_box(box) {}

    QString text() const;
    // Selects `length` characters from `start`; the range is clipped to the
    // text, and a negative length selects nothing.
    void select(int start, int length);
    void setBold(bool on);
    void setItalic(bool on);
    void setFontSize(double points);
    // `colour` in the form 0x00BBGGRR (0xFF0000 is blue).
    void setColour(uint32_t colour);
    void setUnderline(bool on);
    void replaceSelection(const QString& text);
    // 0-based position of the first occurrence of `what` starting in
    // [from, to), or -1.
    int find(const QString& what, int from, int to) const;
    void setVisible(bool visible);

private:
    QTextEdit* m_box;
    int m_start = 0;
    int m_length = 0;
};
