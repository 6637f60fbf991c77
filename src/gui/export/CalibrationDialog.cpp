// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "gui/export/CalibrationDialog.h"

#include "core/app/UserSettings.h"
#include "core/common/Errors.h"

#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QLabel>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>

namespace Quillet {
namespace {

QString number(double value, int decimals)
{
    return QLocale().toString(value, 'f', decimals);
}

// Millimetres as a ruler reads them: a tenth shown only where there is one.
QString mm(double value)
{
    const double tenths = std::round(value * 10);
    return number(value, std::fmod(tenths, 10) == 0 ? 0 : 1);
}

QString shiftAcross(double mm)
{
    const QString distance = number(std::fabs(mm), 1);
    return mm < 0 ? CalibrationDialog::tr("%1 мм влево").arg(distance)
                  : CalibrationDialog::tr("%1 мм вправо").arg(distance);
}

QString shiftDown(double mm)
{
    const QString distance = number(std::fabs(mm), 1);
    return mm < 0 ? CalibrationDialog::tr("%1 мм вверх").arg(distance)
                  : CalibrationDialog::tr("%1 мм вниз").arg(distance);
}

} // namespace

QString describeCalibration(const PrinterCalibration& c)
{
    if (c.isIdentity())
        return CalibrationDialog::tr("Принтер печатает точно, поправка не нужна.");
    return CalibrationDialog::tr("Принтер сдвигает печать на %1 и на %2; масштаб по "
                                 "горизонтали %3, по вертикали %4.")
        .arg(shiftAcross(c.offsetXMm), shiftDown(c.offsetYMm), number(c.scaleX, 4),
             number(c.scaleY, 4));
}

CalibrationDialog::CalibrationDialog(const QString& printer, const AlignmentPage& page,
                                     UserSettings& settings, QWidget* parent)
    : QDialog(parent), m_printer(printer), m_page(page), m_settings(settings)
{
    setObjectName(QStringLiteral("CalibrationDialog"));
    //: Put into the explanation below as "в %2 ориентации листа" (in … orientation)
    const QString portrait = tr("книжной");
    //: Put into the explanation below as "в %2 ориентации листа" (in … orientation)
    const QString landscape = tr("альбомной");
    const QString orientation = page.portrait ? portrait : landscape;
    setWindowTitle(page.portrait ? tr("Калибровка принтера: книжная ориентация")
                                 : tr("Калибровка принтера: альбомная ориентация"));
    auto* layout = new QVBoxLayout(this);
    auto* heading = new QLabel(page.portrait ? tr("<b>Поправка для книжной ориентации листа</b>")
                                             : tr("<b>Поправка для альбомной ориентации листа</b>"),
                               this);
    heading->setObjectName(QStringLiteral("CalibrationOrientation"));
    layout->addWidget(heading);
    auto* intro =
        new QLabel(tr("Принтер «%1» напечатал калибровочную страницу с крестами A и B "
                      "в %2 ориентации листа. Положите лист так, чтобы надписи на нём "
                      "читались, и настоящей линейкой измерьте, на каком расстоянии от левого "
                      "края листа и от верхнего края листа оказался центр каждого креста "
                      "(точка пересечения его линий). Шкалы на самом листе для этого не "
                      "годятся: принтер печатает их с той же ошибкой. Введите расстояния в "
                      "миллиметрах: после сохранения программа будет исправлять эту ошибку "
                      "при каждой печати на этом принтере в %2 ориентации.")
                       .arg(printer, orientation),
                   this);
    intro->setWordWrap(true);
    layout->addWidget(intro);

    const QPointF crosses[2] = {page.crossA, page.crossB};
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(tr("от левого края, мм"), this), 0, 1);
    grid->addWidget(new QLabel(tr("от верхнего края, мм"), this), 0, 2);
    const char* names[4] = {"CrossAX", "CrossAY", "CrossBX", "CrossBY"};
    for (int k = 0; k < 2; ++k) {
        const QString caption = tr("Крест %1 (должен быть в %2; %3 мм):")
                                    .arg(QLatin1Char(k == 0 ? 'A' : 'B'))
                                    .arg(mm(crosses[k].x()), mm(crosses[k].y()));
        grid->addWidget(new QLabel(caption, this), k + 1, 0);
        m_edits[2 * k] = measureEdit(names[2 * k], crosses[k].x());
        m_edits[2 * k + 1] = measureEdit(names[2 * k + 1], crosses[k].y());
        grid->addWidget(m_edits[2 * k], k + 1, 1);
        grid->addWidget(m_edits[2 * k + 1], k + 1, 2);
    }
    layout->addLayout(grid);

    m_result = new QLabel(this);
    m_result->setObjectName(QStringLiteral("CalibrationResult"));
    m_result->setWordWrap(true);
    layout->addWidget(m_result);
    m_stored = new QLabel(storedText(), this);
    m_stored->setWordWrap(true);
    layout->addWidget(m_stored);

    auto* buttons = new QDialogButtonBox(this);
    m_save = buttons->addButton(tr("Сохранить"), QDialogButtonBox::AcceptRole);
    m_save->setObjectName(QStringLiteral("CalibrationSave"));
    QPushButton* reset = buttons->addButton(tr("Сбросить"), QDialogButtonBox::ResetRole);
    reset->setObjectName(QStringLiteral("CalibrationReset"));
    reset->setToolTip(tr("Забыть поправку для этой ориентации: принтер будет "
                         "печатать в ней без поправки"));
    buttons->addButton(tr("Отмена"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &CalibrationDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CalibrationDialog::reject);
    connect(reset, &QPushButton::clicked, this, &CalibrationDialog::resetCalibration);
    layout->addWidget(buttons);
    showResult();
    setMinimumWidth(560);
}

QDoubleSpinBox* CalibrationDialog::measureEdit(const char* name, double value)
{
    auto* edit = new QDoubleSpinBox(this);
    edit->setObjectName(QString::fromLatin1(name));
    // Room for any plausible misfeed of a cross however far from the corner it stands.
    edit->setRange(0, 2 * value + 50);
    edit->setDecimals(1);
    edit->setSingleStep(0.5);
    edit->setValue(value);
    connect(edit, &QDoubleSpinBox::valueChanged, this, &CalibrationDialog::showResult);
    return edit;
}

void CalibrationDialog::setMeasurements(QPointF crossA, QPointF crossB)
{
    m_edits[0]->setValue(crossA.x());
    m_edits[1]->setValue(crossA.y());
    m_edits[2]->setValue(crossB.x());
    m_edits[3]->setValue(crossB.y());
}

PrinterCalibration CalibrationDialog::measuredCalibration() const
{
    return calibrationFromMeasurements(m_page.crossA, m_page.crossB,
                                       {m_edits[0]->value(), m_edits[1]->value()},
                                       {m_edits[2]->value(), m_edits[3]->value()});
}

void CalibrationDialog::showResult()
{
    try {
        m_result->setText(describeCalibration(measuredCalibration()));
        m_result->setStyleSheet(QString());
        m_save->setEnabled(true);
    } catch (const Error& e) {
        m_result->setText(e.message());
        m_result->setStyleSheet(QStringLiteral("color: #b00000"));
        m_save->setEnabled(false);
    }
    // A window does not grow for wrapped labels by itself: a longer result would take its
    // lines from the explanation above it.
    if (layout() != nullptr && isVisible()) {
        layout()->activate();
        const int needed = heightForWidth(width());
        if (needed > height())
            resize(width(), needed);
    }
}

QString CalibrationDialog::storedText() const
{
    try {
        const PrinterCalibration stored = m_settings.calibration(m_printer, m_page.portrait);
        if (stored.isIdentity())
            return tr("Сейчас для этого принтера в этой ориентации поправки нет.");
        return tr("Сейчас сохранено: %1").arg(describeCalibration(stored));
    } catch (const Error& e) {
        return e.message();
    }
}

void CalibrationDialog::accept()
{
    try {
        m_settings.setCalibration(m_printer, m_page.portrait, measuredCalibration());
    } catch (const Error& e) {
        QMessageBox::critical(this, QStringLiteral("Quillet"), e.message());
        return;
    }
    QDialog::accept();
}

void CalibrationDialog::resetCalibration()
{
    try {
        m_settings.setCalibration(m_printer, m_page.portrait, PrinterCalibration());
    } catch (const Error& e) {
        QMessageBox::critical(this, QStringLiteral("Quillet"), e.message());
        return;
    }
    QDialog::accept();
}

} // namespace Quillet
