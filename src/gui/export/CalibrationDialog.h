// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

#include "core/export/PrintJob.h"

#include <QDialog>
#include <QPointF>

class QDoubleSpinBox;
class QLabel;
class QPushButton;

namespace Quillet {

class UserSettings;

/// "Калибровка принтера" (objectName "CalibrationDialog"): after the alignment page has
/// been printed, the user types where the centres of its crosses A and B landed,
/// millimetres from the sheet's left and top edges as its text reads (`CrossAX`,
/// `CrossAY`, `CrossBX`, `CrossBY`). The dialog shows the calibration those measurements
/// give (`CalibrationResult`), stores it for the printer in the page's orientation on
/// `CalibrationSave` and removes the printer's calibration in that orientation on
/// `CalibrationReset`; the other orientation's calibration is left as it is.
class CalibrationDialog : public QDialog {
    Q_OBJECT
public:
    /// For the printer named `printer` (not empty) and the alignment page `page` it printed.
    /// The edits start at the crosses' true positions, so saving untouched values stores no
    /// correction. `settings` must outlive the dialog.
    CalibrationDialog(const QString& printer, const AlignmentPage& page, UserSettings& settings,
                      QWidget* parent = nullptr);

    /// Where the user says the crosses landed, mm from the sheet's corner.
    void setMeasurements(QPointF crossA, QPointF crossB);
    /// The calibration the edits give. Throws Error, with a message for the user, for
    /// measurements no printer gives.
    PrinterCalibration measuredCalibration() const;

public Q_SLOTS:
    /// Stores the measured calibration for the printer and closes the dialog; a failure
    /// (implausible measurements, a settings store that cannot be written) is shown in a
    /// message box and the dialog stays open.
    void accept() override;
    /// Removes the printer's calibration, so it prints uncorrected, and closes the dialog.
    void resetCalibration();

private:
    QDoubleSpinBox* measureEdit(const char* name, double value);
    void showResult();
    QString storedText() const;

    QString m_printer;
    AlignmentPage m_page;
    UserSettings& m_settings;
    QDoubleSpinBox* m_edits[4] = {};
    QLabel* m_stored = nullptr;
    QLabel* m_result = nullptr;
    QPushButton* m_save = nullptr;
};

/// A calibration in words for the user: where the printer moves the print and how it
/// stretches it.
QString describeCalibration(const PrinterCalibration& calibration);

} // namespace Quillet
