// The info panel's markup, rendered into a real rich-text box.
#include "support.h"
#include "text/widgets/infoview.h"

#include <QTextEdit>
#include <QWidget>

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzzing::EnsureApplication();
    QTextEdit warmUp; // loads the fonts once
    text::details::ShowInfoMarkup({&warmUp, nullptr}, QStringLiteral("<B>a</B><S2>b</S2>"));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzzing::EnsureApplication();
    // The box sits in a frame that is never shown, as the panel's box does
    // until the first panel: nothing is painted, the text is laid out.
    static QWidget* frame = new QWidget;
    static QTextEdit* box = new QTextEdit(frame);
    text::details::ShowInfoMarkup({box, nullptr}, fuzzing::Text(data, size));
    if (box->toPlainText().size() > static_cast<qsizetype>(size)) __builtin_trap();
    // The same through the box's own text, as the panel routines do.
    box->setPlainText(fuzzing::Text(data, size));
    text::details::RenderInfoMarkup(box);
    return 0;
}
