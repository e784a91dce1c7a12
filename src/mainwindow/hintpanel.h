// frm(5): the hint "sugestion" with its icon Picture2(0), which blinks for a
// few seconds after each hint (Timer2, 500 ms).
#pragma once

#include <QGroupBox>
#include <functional>
#include <optional>

class QLabel;
class QTimer;

class HintPanel : public QGroupBox {
    Q_OBJECT
public:
    explicit HintPanel(QWidget* parent = nullptr);
    // Shows the hint last shown, in the new language (the first hint of the
    // language table before any).
    void retranslate();

    // The hint for `key` and `step` (SuggestionCaption); the blinking starts
    // even when the hint stays as it was.
    void showHint(const QString& key, int step, const QString& value1, const QString& value2);
    // A hint the language table does not hold: the text `make` gives, made
    // again when the language changes.
    void showMade(std::function<QString()> make);
    // Whether the hint shown is that of `key` and `step`.
    bool showing(const QString& key, int step) const;
    // One tick of the blinking: the icon toggles; the eleventh tick stops the
    // timer and resets `count`.
    void blink(int16_t& count);

signals:
    void blinkTimer(); // Timer2 ran out

private:
    QLabel* m_icon;
    QLabel* m_text;
    QTimer* m_timer;
    struct Shown {
        QString key;
        int step = 0;
        QString value1, value2;
        std::function<QString()> make; // instead of key and step
    };
    std::optional<Shown> m_shown; // the last hint that changed the text
};
