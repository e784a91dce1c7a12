#include "mainwindow/panelparts.h"

#include "platform/numbers.h"
#include "platform/widgets/messagebox.h"
#include "text/language.h"
#include "text/widgets/applylanguage.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QResizeEvent>
#include <QScrollArea>
#include <QVBoxLayout>

using namespace text;

namespace panelparts {

QLineEdit* lineEdit(const QString& name, const QString& text, int width) {
    auto* e = new QLineEdit(text);
    e->setObjectName(name);
    if (width > 0) e->setFixedWidth(width);
    return e;
}

namespace {
// A word-wrapped label that asks for the height of its text at its own width
// without making the column above it ask every part for its preferred height
// at a given width: the column then keeps to its parts' minimum heights.
class WrappedLabel : public QLabel {
public:
    using QLabel::QLabel;
    bool hasHeightForWidth() const override { return false; }
    QSize minimumSizeHint() const override {
        return {QLabel::minimumSizeHint().width(), heightForWidth(width() > 0 ? width() : 400)};
    }

protected:
    void resizeEvent(QResizeEvent* event) override {
        QLabel::resizeEvent(event);
        if (event->oldSize().width() != event->size().width()) updateGeometry();
    }
};
} // namespace

QLabel* wrappedLabel(const QString& text) {
    auto* l = new WrappedLabel(text);
    l->setWordWrap(true);
    return l;
}

QLabel* label(int i, const char* caption) {
    auto* l = new QLabel(QString::fromUtf8(caption));
    l->setObjectName(QStringLiteral("lbl(%1)").arg(i));
    return l;
}

QCheckBox* checkBox(const char* name, const char* caption) {
    auto* c = new QCheckBox(QString::fromUtf8(caption));
    c->setObjectName(QString::fromLatin1(name));
    c->setTristate(false);
    return c;
}

QPushButton* button(const char* name, const char* caption) {
    auto* b = new QPushButton(QString::fromUtf8(caption));
    b->setObjectName(QString::fromLatin1(name));
    return b;
}

QWidget* frame(QWidget* view, std::initializer_list<std::pair<QWidget*, int>> column) {
    auto* central = new QWidget;
    auto* top = new QHBoxLayout(central);
    top->setContentsMargins(6, 6, 6, 6);
    top->addWidget(view, 1);
    auto* side = new QWidget;
    side->setObjectName(QStringLiteral("sideColumn"));
    // As wide as the area shows (less its scroll bar, when there is one),
    // never so narrow that the command buttons lose their captions.
    side->setMinimumWidth(400);
    auto* col = new QVBoxLayout(side);
    col->setContentsMargins(0, 0, 0, 0);
    for (const auto& [widget, stretch] : column) {
        // Parts without stretch keep their height; the others share the rest.
        if (stretch == 0)
            widget->setSizePolicy(widget->sizePolicy().horizontalPolicy(), QSizePolicy::Fixed);
        col->addWidget(widget, stretch);
    }
    // Should the column ever need more height than the window has, it scrolls
    // rather than squeezing its controls or making the window grow.
    auto* scroll = new QScrollArea;
    scroll->setObjectName(QStringLiteral("sideScroll"));
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setWidgetResizable(true);
    scroll->setWidget(side);
    scroll->setFixedWidth(430);
    top->addWidget(scroll);
    return central;
}

void retranslateLabel(QLabel* label, int i) {
    SetFormCaption(label, i + 26);
}

} // namespace panelparts

namespace panelparts {
void notANumber(QWidget* parent, const QString& what, const QString& text) {
    messagebox::Exclamation(
        parent, QCoreApplication::translate(
                    "Form1", "The %1 \"%2\" is not a usable number: the matching cannot go on.")
                    .arg(what, text));
}

std::optional<double> matchingNumber(QWidget* parent, const QString& what, const QString& text) {
    const auto v = numbers::Strict(text);
    if (!v) notANumber(parent, what, text);
    return v;
}

void retranslateOptional(QObject* control, int i) {
    const QString text = FormText(i);
    if (!text.isEmpty() && text != QLatin1String("[WIZARD]")) SetCaption(control, text);
}
} // namespace panelparts
