// "Report position": the observation line of a point measured on the image,
// in the Minor Planet Center's format, appended to the report file; the
// file's lines are shown so they can be copied into a report.
#pragma once

#include "catalogues/reportposition.h"

#include <QDialog>
#include <optional>

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

class ReportPositionDialog : public QDialog {
    Q_OBJECT
public:
    explicit ReportPositionDialog(catalogues::ReportDraft draft, QWidget* parent = nullptr);

    QLineEdit* txt_designation = nullptr;
    QLineEdit* txt_magnitude = nullptr;
    QComboBox* cmb_band = nullptr;
    QLineEdit* txt_observatory = nullptr;
    QLineEdit* txt_line = nullptr; // the line as it will be written
    QLabel* lbl_error = nullptr;   // why there is no line
    QPlainTextEdit* txt_report = nullptr;
    QPushButton* cmdAppend = nullptr;
    QPushButton* cmdCopy = nullptr;
    QPushButton* cmdClose = nullptr;

    // The line appended, once it was.
    const std::optional<QString>& appendedLine() const { return m_appended; }
    QString observatory() const;

    // Writes the line at the end of the report file (once per point).
    void cmdAppend_Click();
    // Puts the report file's lines on the clipboard.
    void cmdCopy_Click();

private:
    catalogues::ReportTexts texts() const;
    void updateLine();
    void showReport();

    catalogues::ReportDraft m_draft;
    std::optional<QString> m_appended;
};
