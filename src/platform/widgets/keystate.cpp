#include "platform/widgets/keystate.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

KeyState& KeyState::instance() {
    static KeyState* s = new KeyState();
    return *s;
}

KeyState::KeyState() {
    if (qApp) qApp->installEventFilter(this);
}

bool KeyState::downOrPressed(int key) {
    const bool result = m_down.contains(key) || m_pressed.contains(key);
    m_pressed.remove(key);
    return result;
}

bool KeyState::leftButtonDown() const {
    return QGuiApplication::mouseButtons().testFlag(Qt::LeftButton);
}

bool KeyState::isActive(const QWidget* window) {
    return window && QApplication::activeWindow() == window;
}

void KeyState::simulate(int key, bool down) {
    if (down) {
        m_down.insert(key);
        m_pressed.insert(key);
    } else {
        m_down.remove(key);
    }
}

bool KeyState::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) {
        auto* ke = static_cast<QKeyEvent*>(event);
        // Each event reaches the filter once per object it passes; count it once.
        if (watched->isWidgetType() && !ke->isAutoRepeat())
            simulate(ke->key(), event->type() == QEvent::KeyPress);
    } else if (event->type() == QEvent::ApplicationDeactivate) {
        m_down.clear();
    }
    return QObject::eventFilter(watched, event);
}
