// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/background/BackgroundSettings.h"

#include "core/app/ProjectDocument.h"
#include "core/background/Background.h"
#include "core/background/DocumentImport.h"
#include "core/common/Errors.h"
#include "core/raster/FastDIB.h"
#include "core/raster/JpegImage.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include <QCoreApplication>

namespace Quillet {

BackgroundSettings::BackgroundSettings(ProjectSettings& settings, QByteArray& backgroundImage,
                                       bool& repaintPending, long double mmPerPixel)
    : m_settings(settings), m_background(backgroundImage), m_mmPerPixel(mmPerPixel),
      m_repaint(repaintPending)
{
}

BackgroundSettings::BackgroundSettings(ProjectDocument& doc, long double mmPerPixel)
    : BackgroundSettings(doc.project.settings, doc.project.BackgroundImage, doc.RepaintPending,
                         mmPerPixel)
{
    m_doc = &doc;
    m_seenRestores = doc.backgroundRestores();
}

double BackgroundSettings::snapped(double mm) const
{
    if (!std::isfinite(mm))
        return mm; // left for the rebuild to refuse
    return double(snapToPixel(mm, m_mmPerPixel));
}

double& BackgroundSettings::marginRef(Margin margin)
{
    switch (margin) {
    case Margin::Top:
        return m_settings.MirTop;
    case Margin::Bottom:
        return m_settings.MirBottom;
    case Margin::Left:
        return m_settings.MirLeft;
    case Margin::Right:
        break;
    }
    return m_settings.MirRight;
}

QSize BackgroundSettings::backgroundSize() const
{
    int width = 0;
    int height = 0;
    if (m_background.isEmpty() || !readJpegSize(m_background, width, height))
        return QSize(0, 0);
    return QSize(width, height);
}

long double BackgroundSettings::pictureMmPerPixel() const
{
    const int dpi = readJpegDpi(m_background);
    return dpi > 0 ? 25.4L / dpi : m_mmPerPixel;
}

bool BackgroundSettings::holdsExactPicture() const
{
    return !m_picture.isNull() && m_background == m_pictureData;
}

void BackgroundSettings::RebuildBackground()
{
    if (!hasBackground(m_background))
        return;
    m_shown = holdsExactPicture()
                  ? Quillet::RebuildBackground(m_picture, m_settings, m_mmPerPixel)
                  : Quillet::RebuildBackground(m_background, m_settings, m_mmPerPixel);
}

void BackgroundSettings::projectReplaced()
{
    m_shown = QImage();
    m_picture = QImage();
    m_pictureData.clear();
    leaveImgWidth();
}

void BackgroundSettings::setImgWidth(double mm)
{
    if (mm == m_settings.ImgWidth)
        return; // an edit that keeps its text reports no change
    m_settings.ImgWidth = mm;
    if (m_ratio && !m_shown.isNull() && m_shown.width() > 0)
        m_settings.ImgHeight = double(m_shown.height()) * m_settings.ImgWidth / m_shown.width();
}

void BackgroundSettings::setImgHeight(double mm)
{
    m_settings.ImgHeight = mm;
}

void BackgroundSettings::leaveImgWidth()
{
    setImgWidth(snapped(m_settings.ImgWidth));
    RebuildBackground();
    m_repaint = true;
}

void BackgroundSettings::leaveImgHeight()
{
    setImgHeight(snapped(m_settings.ImgHeight));
    RebuildBackground();
    m_repaint = true;
}

void BackgroundSettings::clickChkRatio()
{
    setChkRatio(!m_ratio);
}

void BackgroundSettings::setChkRatio(bool ticked)
{
    if (ticked == m_ratio)
        return;
    m_ratio = ticked;
    if (ticked) {
        // The proportion of the processed background, margins included.
        setImgHeight(m_shown.isNull() || m_shown.width() == 0
                         ? 0.0
                         : double(m_shown.height()) * m_settings.ImgWidth / m_shown.width());
    }
    m_repaint = true;
}

void BackgroundSettings::setMargin(Margin margin, double mm)
{
    marginRef(margin) = mm;
}

void BackgroundSettings::enterMargin()
{
    m_saved = {m_settings.MirTop, m_settings.MirBottom, m_settings.MirLeft, m_settings.MirRight};
}

void BackgroundSettings::leaveMargin(Margin margin)
{
    double& value = marginRef(margin);
    value = snapped(value);
    const bool ratio = m_ratio;
    setChkRatio(false);
    if (m_exert) {
        // The outer size absorbs the change, so the inner size and the picture's scale
        // stay as they were.
        const ProjectSettings& s = m_settings;
        setImgWidth(std::max(0.0, s.ImgWidth + s.MirLeft - m_saved[2] + s.MirRight - m_saved[3]));
        setImgHeight(std::max(0.0, s.ImgHeight + s.MirTop - m_saved[0] + s.MirBottom - m_saved[1]));
        enterMargin();
    }
    RebuildBackground();
    setChkRatio(ratio);
    m_repaint = true;
}

void BackgroundSettings::setAngle1(double degrees)
{
    m_settings.Angle1 = degrees;
}

void BackgroundSettings::enterAngle1()
{
    const QSize turned = turnedSize(backgroundSize(), m_settings.Angle1);
    m_saved[1] = turned.width();
    m_saved[2] = turned.height();
}

void BackgroundSettings::leaveAngle1()
{
    const bool ratio = m_ratio;
    setChkRatio(false);
    if (m_exert) {
        // The turned size grows in the picture's own pixels.
        const QSize turned = turnedSize(backgroundSize(), m_settings.Angle1);
        const long double mm = pictureMmPerPixel();
        setImgWidth(double((m_settings.ImgWidth / mm + turned.width() - m_saved[1]) * mm));
        setImgHeight(double((m_settings.ImgHeight / mm + turned.height() - m_saved[2]) * mm));
    }
    RebuildBackground();
    setChkRatio(ratio);
    m_repaint = true;
}

void BackgroundSettings::clickDefBack()
{
    const QSize size = backgroundSize();
    const long double mm = pictureMmPerPixel();
    setImgWidth(double(size.width() * mm));
    setImgHeight(double(size.height() * mm));
    for (const Margin margin : {Margin::Top, Margin::Bottom, Margin::Left, Margin::Right})
        setMargin(margin, 0);
    setAngle1(0);
    RebuildBackground();
    m_repaint = true;
}

void BackgroundSettings::invertBackground()
{
    TFastDIB picture;
    const bool decoded =
        holdsExactPicture() ? DibFromBitmap(m_picture, picture) : decodeJpeg(m_background, picture);
    if (!decoded)
        throw Error(QCoreApplication::translate("Quillet::BackgroundSettings",
                                                "Не удаётся декодировать изображение подложки."));
    // The decoded bytes as they are: a greyscale picture inverts its grey levels.
    picture.InvertBytes();
    QByteArray inverted;
    if (!encodeJpeg(picture, InvertedQuality, inverted, readJpegDpi(m_background)))
        throw Error(QCoreApplication::translate("Quillet::BackgroundSettings",
                                                "Не удаётся сохранить инвертированную подложку."));
    m_background = inverted;
    CopyDibToBitmap(picture, m_picture);
    m_pictureData = m_background;
    RebuildBackground();
    m_repaint = true;
}

void BackgroundSettings::removeBackground()
{
    m_background.clear();
    m_shown = QImage();
    m_picture = QImage();
    m_pictureData.clear();
    clickDefBack();
}

void BackgroundSettings::replaceBackground(const QImage& page, int dpi)
{
    QByteArray encoded = encodeImportedPage(page, dpi);
    if (m_doc != nullptr)
        m_doc->PushBackgroundSnapshot();
    m_background = std::move(encoded);
    clickDefBack();
}

bool BackgroundSettings::followUndo()
{
    if (m_doc == nullptr || m_doc->backgroundRestores() == m_seenRestores)
        return false;
    m_seenRestores = m_doc->backgroundRestores();
    // Whatever was made from the background replaced goes, also when the rebuild fails.
    m_shown = QImage();
    m_picture = QImage();
    m_pictureData.clear();
    RebuildBackground();
    m_repaint = true;
    return true;
}

void BackgroundSettings::setAlignment(HAlign horizontal, VAlign vertical)
{
    m_settings.horizontalAlign = horizontal;
    m_settings.verticalAlign = vertical;
    m_repaint = true;
}

void BackgroundSettings::openAngleOptions()
{
    m_angle2 = -m_settings.Angle1;
}

void BackgroundSettings::setAnglePoints(QPointF t1, QPointF t2)
{
    constexpr double Pi = 3.14159265358979323846;
    const double a = std::fabs(t2.x() - t1.x()) < 0.001
                         ? 90.0
                         : std::atan2(t2.y() - t1.y(), t2.x() - t1.x()) * 180.0 / Pi;
    m_angle2 = a - m_settings.Angle1;
}

void BackgroundSettings::applyAngleOptions()
{
    setAngle1(-m_angle2);
    RebuildBackground();
    m_repaint = true;
}

} // namespace Quillet
