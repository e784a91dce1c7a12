// frm(5): the hint "sugestion" with its icon Picture2(0), which blinks for a
// few seconds after each hint (Timer2, 500 ms).
#pragma once

#include <QGroupBox>

class QLabel;
class QTimer;

class HintPanel : public QGroupBox {
    Q_OBJECT
public:
    explicit HintPanel(QWidget* parent = nullptr);
    // Shows the first hint of the language table.
    void retranslate();

    // The hint for `key` and `step` (SuggestionCaption); the blinking starts
    // even when the hint stays as it was.
    void showHint(const QString& key, int step, const QString& value1, const QString& value2);
    // One tick of the blinking: the icon toggles; the eleventh tick stops the
    // timer and resets `count`.
    void blink(int16_t& count);

signals:
    void blinkTimer(); // Timer2 ran out

private:
    QLabel* m_icon;
    QLabel* m_text;
    QTimer* m_timer;
};
