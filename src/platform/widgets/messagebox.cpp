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

void SetResponder(Responder r) {
    responder() = std::move(r);
}

void Ok(QWidget* parent, const QString& text, const QString& title) {
    if (responder()) {
        responder()({Kind::Information, title, text});
        return;
    }
    QMessageBox box(QMessageBox::NoIcon, titleOr(title), text, QMessageBox::Ok, parent);
    box.exec();
}

void Exclamation(QWidget* parent, const QString& text, const QString& title) {
    if (responder()) {
        responder()({Kind::Exclamation, title, text});
        return;
    }
    QMessageBox box(QMessageBox::Warning, titleOr(title), text, QMessageBox::Ok, parent);
    box.exec();
}

bool YesNo(QWidget* parent, const QString& text, const QString& title) {
    if (responder()) {
        const Answer a = responder()({Kind::Question, title, text});
        return a == Answer::Yes || a == Answer::Ok;
    }
    QMessageBox box(QMessageBox::Question, titleOr(title), text, QMessageBox::Yes | QMessageBox::No,
                    parent);
    return box.exec() == QMessageBox::Yes;
}

Answer YesNoCancel(QWidget* parent, const QString& text, const QString& title) {
    if (responder()) {
        const Answer a = responder()({Kind::Question, title, text});
        return a == Answer::Ok ? Answer::Yes : a;
    }
    QMessageBox box(QMessageBox::Question, titleOr(title), text,
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, parent);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return Answer::Cancel;
    }
}

} // namespace messagebox
