#include "platform/widgets/messagebox.h"

#include <QApplication>
#include <QMessageBox>

namespace messagebox {
namespace {
Responder& responder() {
    static Responder r;
    return r;
}

QString titleOr(const QString& title) {
    return title.isEmpty() ? QApplication::applicationDisplayName() : title;
}
} // namespace

void setResponder(Responder r) {
    responder() = std::move(r);
}

void ok(QWidget* parent, const QString& text, const QString& title) {
    if (responder()) {
        responder()({Kind::Information, title, text});
        return;
    }
    QMessageBox box(QMessageBox::NoIcon, titleOr(title), text, QMessageBox::Ok, parent);
    box.exec();
}

void exclamation(QWidget* parent, const QString& text, const QString& title) {
    if (responder()) {
        responder()({Kind::Exclamation, title, text});
        return;
    }
    QMessageBox box(QMessageBox::Warning, titleOr(title), text, QMessageBox::Ok, parent);
    box.exec();
}

bool yesNo(QWidget* parent, const QString& text, const QString& title) {
    if (responder()) {
        const Answer a = responder()({Kind::Question, title, text});
        return a != Answer::No;
    }
    QMessageBox box(QMessageBox::Question, titleOr(title), text, QMessageBox::Yes | QMessageBox::No,
                    parent);
    return box.exec() == QMessageBox::Yes;
}

} // namespace messagebox
