// Decimal-comma repair of a numeric text box: every comma of the text
// becomes a point in one edit, the caret staying where it was. The box's
// change handler runs again on the new text and finds nothing to do, so the
// repair takes the same small stack depth whatever the text.
#pragma once

class QLineEdit;

void CommaToPoint(QLineEdit* box);
