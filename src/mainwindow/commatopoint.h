// Decimal-comma repair of a numeric text box: the first comma of the text is
// replaced by a point, with the caret after it. The box's change handler runs
// again on the new text and replaces the next comma, so a text ends with none.
#pragma once

class QLineEdit;

void CommaToPoint(QLineEdit* box);
