#include "platform/widgets/clickhandlers.h"

#include <QAction>
#include <QMetaMethod>
#include <QPushButton>

int ConnectClickHandlers(const QObject* root, const QObject* receiver) {
    const QMetaObject* meta = receiver->metaObject();
    int connected = 0;
    for (QObject* child : root->findChildren<QObject*>()) {
        QMetaMethod signal;
        if (qobject_cast<QPushButton*>(child))
            signal = QMetaMethod::fromSignal(&QPushButton::clicked);
        else if (qobject_cast<QAction*>(child))
            signal = QMetaMethod::fromSignal(&QAction::triggered);
        else
            continue;
        const QByteArray slot = child->objectName().toLatin1() + "_Click()";
        const int index = meta->indexOfSlot(slot.constData());
        if (index < 0) continue;
        if (QObject::connect(child, signal, receiver, meta->method(index))) ++connected;
    }
    return connected;
}
