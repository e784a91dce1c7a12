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
#include <QScrollArea>
#include <QVBoxLayout>

namespace panelparts {

QLineEdit* lineEdit(const QString& name, const QString& text, int width) {
    auto* e = new QLineEdit(text);
    e->setObjectName(name);
    if (width > 0) e->setFixedWidth(width);
    return e;
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
