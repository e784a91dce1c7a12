// Small makers and readers shared by the panels of the main window.
#pragma once

#include <QString>
#include <initializer_list>
#include <optional>
#include <utility>

class QCheckBox;
class QLabel;
class QLineEdit;
class QObject;
class QPushButton;
class QWidget;

namespace panelparts {

QLineEdit* lineEdit(const QString& name, const QString& text = QString(), int width = 0);
// lbl(i) with its design caption.
QLabel* label(int i, const char* caption);
// A label whose text wraps at the width it is given; its height is that of
// its text, and it never makes the column it sits in taller than the sum of
// its parts' minimum heights.
QLabel* wrappedLabel(const QString& text = QString());
QCheckBox* checkBox(const char* name, const char* caption);
QPushButton* button(const char* name, const char* caption);

// lbl(i) <- FormTexts(i + 26).
void retranslateLabel(QLabel* label, int i);
// FormTexts(i) into `control` only when the language file has that entry:
// captions added after the first language files keep their design text with
// an older lang.cfg.
void retranslateOptional(QObject* control, int i);

// The number a box of the matching holds (read strictly), or nothing after a
// message naming the box (`what`) and its text.
std::optional<double> matchingNumber(QWidget* parent, const QString& what, const QString& text);
void notANumber(QWidget* parent, const QString& what, const QString& text);

// The window's central widget: `view` filling the left, and a column of
// fixed width on the right holding `column` top to bottom, each with its
// stretch factor.
QWidget* frame(QWidget* view, std::initializer_list<std::pair<QWidget*, int>> column);

} // namespace panelparts
