// What the panning timer needs to know of the keyboard and the mouse: whether
// an arrow key is held down or was pressed since the last test, whether the
// left mouse button is down, and which window is active. Key states are kept
// by an application-wide event filter, so they are seen whatever widget has
// the focus.
#pragma once

#include <QObject>
#include <QSet>

class QWidget;

class KeyState : public QObject {
    Q_OBJECT
public:
    // The one instance, installed on the application at first use.
    static KeyState& instance();

    // True when `key` is down now or was pressed since the last call for it.
    bool downOrPressed(int key);
    bool leftButtonDown() const;
    // True when `window` is the active window of the application.
    static bool isActive(const QWidget* window);

    // Tests: press or release a key as the keyboard would.
    void simulate(int key, bool down);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    KeyState();
    QSet<int> m_down;
    QSet<int> m_pressed;
};
