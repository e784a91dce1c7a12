// frm(3): the status list (newest line on top) and the one-line readout
// "info" under it; and the idle/busy indicator.
#pragma once

#include "catalogues/web/download.h"

#include <QElapsedTimer>
#include <QGroupBox>
#include <memory>

class QLabel;
class QListWidget;
class QPushButton;

class MessagePanel : public QGroupBox {
    Q_OBJECT
public:
    explicit MessagePanel(QWidget* parent = nullptr);
    void retranslate();

    // Adds a line at the top and lets pending events run.
    void log(const QString& text);
    // Adds a line at the top without letting events run (start-up).
    void note(const QString& text);
    void clear();
    void setReadout(const QString& text);

    // One line that shows how much of an answer `name` has arrived, updated
    // in place a few times a second (always when `last`).
    class ProgressLine {
    public:
        ProgressLine(MessagePanel& panel, QString name);
        void update(qint64 received, bool last);
        // The line shows `text` instead (same pace).
        void show(const QString& text, bool last);

    private:
        MessagePanel& m_panel;
        QString m_name;
        QString m_tag;
        QElapsedTimer m_clock;
    };
    std::shared_ptr<ProgressLine> progressLine(const QString& name);

    // Options of a download into the file `name`: status lines go to `log`,
    // the bytes received to a progress line (`progress`, also returned), and
    // the cancel button (shown until endDownload()) ends it.
    catalogues::web::DownloadOptions downloadOptions(const QString& name,
                                                     std::function<void(const QString&)> log,
                                                     std::shared_ptr<ProgressLine>& progress);
    void endDownload();
    // The running download ends at its next chance, as cancelled.
    void requestCancel();

private:
    QListWidget* m_status;
    QLabel* m_info;
    bool m_readoutShown = false; // the label shows a readout, not its caption
    QPushButton* m_cancel;       // cancelDownload: shown while a download runs
    bool m_cancelRequested = false;
};

// icoG / icoR: the idle and busy icons.
class IdleIndicator : public QWidget {
    Q_OBJECT
public:
    explicit IdleIndicator(QWidget* parent = nullptr);
    void setIdle(bool idle);
    void retranslate();

private:
    QLabel* m_idle;
    QLabel* m_busy;
};
