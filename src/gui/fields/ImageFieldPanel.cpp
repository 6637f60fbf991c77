// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "gui/fields/ImageFieldPanel.h"

#include "core/app/NodeGrammar.h"
#include "core/raster/FastDIB.h"
#include "gui/app/Icons.h"
#include "gui/fields/PanelControls.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QImageReader>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

#include <array>

namespace Quillet {
namespace {

constexpr int kPreviewSide = 114;
constexpr int kMaxNameLength = 255;
constexpr int kMaxPickPoint = 9999;
constexpr int kIndentPx = 20;

// Qt separates the patterns of one filter with spaces; the native dialogs turn them into
// their own separators.
QString pictureFilter()
{
    return QStringLiteral("All (*.png *.dib *.jpg *.jpeg *.bmp *.ico *.emf *.wmf);;"
                          "PNG (*.png);;DIB (*.dib);;JPG (*.jpg);;JPEG (*.jpeg);;"
                          "BMP (*.bmp);;ICO (*.ico);;EMF (*.emf);;WMF (*.wmf)");
}

QCheckBox* checkBox(QWidget* parent, const char* name, const QString& caption)
{
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(QString::fromLatin1(name));
    return box;
}

QSpinBox* pickPointEdit(QWidget* parent, const char* name)
{
    auto* edit = new QSpinBox(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setRange(0, kMaxPickPoint);
    return edit;
}

} // namespace

QImage LoadPreviewPicture(const QString& path)
{
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return {};
    // A large picture is decoded straight at a size near the preview's: a scanned sheet
    // decoded whole would hold the window for seconds each time the panel opens.
    QImageReader reader(path);
    const QSize full = reader.size();
    // Beyond this a preview is not worth the memory the decoder would take.
    constexpr qint64 kMaxPreviewPixels = 100'000'000;
    if (full.isValid() && qint64(full.width()) * full.height() > kMaxPreviewPixels)
        return {};
    constexpr int kDecodeSide = 4 * kPreviewSide;
    if (full.isValid() && (full.width() > kDecodeSide || full.height() > kDecodeSide)) {
        reader.setScaledSize(full.scaled(kDecodeSide, kDecodeSide, Qt::KeepAspectRatio));
        const QImage scaled = reader.read();
        if (!scaled.isNull())
            return scaled;
    }
    TFastDIB raster;
    if (!LoadPictureFile(path, raster) || raster.isEmpty())
        return {};
    QImage picture;
    CopyDibToBitmap(raster, picture);
    return picture;
}

PicturePreview::PicturePreview(QWidget* parent) : QFrame(parent)
{
    setObjectName(QStringLiteral("DXPaintBox1"));
    setFixedSize(kPreviewSide, kPreviewSide);
    setFrameShape(QFrame::Box);
    setStyleSheet(QStringLiteral("#DXPaintBox1 { border: 1px solid #b9bec5; "
                                 "background: white; }"));
}

void PicturePreview::setPicture(const QImage& picture)
{
    m_pictureSize = picture.isNull() ? QSize() : picture.size();
    // Only the fitted copy is kept: a scanned page would otherwise stay in memory and be
    // scaled again on every paint.
    const QSize room = contentsRect().size() * devicePixelRatioF();
    m_picture = picture.isNull()
                    ? QImage()
                    : picture.scaled(room, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    m_picture.setDevicePixelRatio(devicePixelRatioF());
    update();
}

void PicturePreview::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event);
    if (m_picture.isNull())
        return;
    QPainter painter(this);
    const QRect room = contentsRect();
    const QSizeF shown = m_picture.deviceIndependentSize();
    const QPointF topLeft(room.x() + (room.width() - shown.width()) / 2.0,
                          room.y() + (room.height() - shown.height()) / 2.0);
    painter.drawImage(topLeft, m_picture);
}

ImageFieldPanel::ImageFieldPanel(ImagePanelValues& values, std::function<QString()> projectPath,
                                 QWidget* parent)
    : QGroupBox(tr("Настройка поля изображения"), parent), m_values(values),
      m_projectPath(std::move(projectPath))
{
    setObjectName(QStringLiteral("ImgField"));
    auto* column = new QVBoxLayout(this);
    column->setSpacing(6);
    buildPictureRows();
    buildTransparency();
    buildBlending();
    connectControls();
    refresh();
}

void ImageFieldPanel::buildPictureRows()
{
    auto* column = static_cast<QVBoxLayout*>(layout());
    auto* nameRow = new QHBoxLayout;
    m_name = new QLineEdit(this);
    m_name->setObjectName(QStringLiteral("ImgFieldName"));
    m_name->setMaxLength(kMaxNameLength);
    m_name->setPlaceholderText(tr("Файл картинки"));
    m_browse =
        iconButton(this, "ImgFieldNameButton", IconName::DocumentOpen, tr("Выбрать файл картинки"));
    nameRow->addWidget(m_name, 1);
    nameRow->addWidget(m_browse);
    column->addLayout(nameRow);

    auto* previewRow = new QHBoxLayout;
    m_preview = new PicturePreview(this);
    previewRow->addWidget(m_preview, 0, Qt::AlignTop);
    auto* background = new QVBoxLayout;
    // Beside the preview there is room for two short lines per caption.
    m_fonColor = new ColorButton(QStringLiteral("FonImgColor"), tr("Цвет фона\nдля поля"), this);
    m_transFon = checkBox(this, "TransFon", tr("Цвет фона\nпрозрачный"));
    background->addWidget(m_fonColor, 0, Qt::AlignLeft);
    background->addWidget(m_transFon);
    background->addStretch(1);
    previewRow->addLayout(background, 1);
    column->addLayout(previewRow);

    m_stretch = checkBox(this, "stretch", tr("Растягивать\n(иначе оставить свой размер)"));
    m_cut = checkBox(this, "cutimg", tr("Обрезать в размер блока"));
    m_keepRate = checkBox(this, "keeprate", tr("Сохранять пропорции"));
    m_center =
        checkBox(this, "CenterImg", tr("Картинка в центре блока\n(иначе в верхнем левом углу)"));
    for (QCheckBox* box : {m_stretch, m_cut, m_keepRate, m_center})
        column->addWidget(box);
}

void ImageFieldPanel::buildTransparency()
{
    auto* group = new QGroupBox(tr("Прозрачный цвет"), this);
    group->setObjectName(QStringLiteral("transperentImg"));
    auto* rows = new QVBoxLayout(group);
    rows->setSpacing(4);
    m_mode = exclusiveGroup(this);
    const std::array<QString, 3> modes{tr("Без прозрачности"), tr("цвет по координатам"),
                                       tr("выбрать цвет")};
    std::array<QRadioButton*, 3> radios{};
    for (int i = 0; i < 3; ++i) {
        radios[size_t(i)] = new QRadioButton(modes[size_t(i)], group);
        m_mode->addButton(radios[size_t(i)], i);
    }
    rows->addWidget(radios[0]);
    rows->addWidget(radios[1]);

    // The pick point sits under its choice, indented like the radio buttons' captions.
    auto* pick = new QHBoxLayout;
    m_pixelX = pickPointEdit(group, "C_X");
    m_pixelY = pickPointEdit(group, "C_Y");
    pick->addSpacing(kIndentPx);
    pick->addWidget(new QLabel(QStringLiteral("X:"), group));
    pick->addWidget(m_pixelX, 1);
    pick->addSpacing(6);
    pick->addWidget(new QLabel(QStringLiteral("Y:"), group));
    pick->addWidget(m_pixelY, 1);
    rows->addLayout(pick);

    auto* colorRow = new QHBoxLayout;
    colorRow->addWidget(radios[2]);
    colorRow->addStretch(1);
    m_colorPanel = new QWidget(group);
    m_colorPanel->setObjectName(QStringLiteral("TransColorPanel"));
    auto* panelRow = new QHBoxLayout(m_colorPanel);
    panelRow->setContentsMargins(0, 0, 0, 0);
    m_transColor = new ColorButton(QStringLiteral("Trans_color"), QString(), m_colorPanel);
    m_transColor->setToolTip(tr("Прозрачный цвет"));
    m_transColor->setAccessibleName(m_transColor->toolTip());
    panelRow->addWidget(m_transColor);
    colorRow->addWidget(m_colorPanel);
    rows->addLayout(colorRow);
    static_cast<QVBoxLayout*>(layout())->addWidget(group);
}

void ImageFieldPanel::buildBlending()
{
    auto* form = new QFormLayout;
    m_copyMode = new QComboBox(this);
    m_copyMode->setObjectName(QStringLiteral("CopyMode"));
    m_copyMode->addItems(
        {tr("Копирование"), tr("Затемнение (And) "), tr("Осветление (Or)"), tr("Инверсия (Xor)")});
    form->addRow(tr("Наложение:"), m_copyMode);

    auto* alphaRow = new QHBoxLayout;
    m_alpha = new QSlider(Qt::Horizontal, this);
    m_alpha->setObjectName(QStringLiteral("AlfaBlend"));
    m_alpha->setRange(0, 255);
    m_alpha->setPageStep(16);
    alphaRow->addWidget(new QLabel(tr("Видимость: 0"), this));
    alphaRow->addWidget(m_alpha, 1);
    alphaRow->addWidget(new QLabel(QStringLiteral("100"), this));
    form->addRow(alphaRow);
    static_cast<QVBoxLayout*>(layout())->addLayout(form);
}

void ImageFieldPanel::connectControls()
{
    connect(m_name, &QLineEdit::textEdited, this, [this](const QString& name) {
        m_values.ImgFieldName = name;
        loadPreview();
        changed();
    });
    connect(m_browse, &QToolButton::clicked, this, &ImageFieldPanel::ImgFieldNameButtonClick);
    const auto bindCheck = [this](QCheckBox* box, bool ImagePanelValues::*member) {
        connect(box, &QCheckBox::toggled, this, [this, member](bool on) {
            m_values.*member = on;
            changed();
        });
    };
    bindCheck(m_stretch, &ImagePanelValues::stretch);
    bindCheck(m_cut, &ImagePanelValues::cutimg);
    bindCheck(m_keepRate, &ImagePanelValues::keeprate);
    bindCheck(m_center, &ImagePanelValues::CenterImg);
    bindCheck(m_transFon, &ImagePanelValues::TransFon);
    connect(m_fonColor, &ColorButton::colorChosen, this, [this](int32_t bgr) {
        m_values.FonImgColor = bgr;
        changed();
    });
    connect(m_transColor, &ColorButton::colorChosen, this, [this](int32_t bgr) {
        m_values.Trans_color = bgr;
        changed();
    });
    connect(m_mode, &QButtonGroup::idClicked, this, [this](int mode) {
        m_values.transperentImg = mode;
        showTransparencyState();
        changed();
    });
    connect(m_pixelX, &QSpinBox::valueChanged, this, [this](int x) {
        m_values.C_X = x;
        changed();
    });
    connect(m_pixelY, &QSpinBox::valueChanged, this, [this](int y) {
        m_values.C_Y = y;
        changed();
    });
    connect(m_copyMode, &QComboBox::activated, this, [this](int mode) {
        m_values.setCopyMode(mode);
        m_fonColor->setBgr(m_values.FonImgColor);
        changed();
    });
    connect(m_alpha, &QSlider::valueChanged, this, [this](int opacity) {
        m_values.AlfaBlend = opacity;
        changed();
    });
}

void ImageFieldPanel::refresh()
{
    const std::array<QSignalBlocker, 10> blockers{
        QSignalBlocker(m_name),     QSignalBlocker(m_stretch), QSignalBlocker(m_cut),
        QSignalBlocker(m_keepRate), QSignalBlocker(m_center),  QSignalBlocker(m_transFon),
        QSignalBlocker(m_pixelX),   QSignalBlocker(m_pixelY),  QSignalBlocker(m_copyMode),
        QSignalBlocker(m_alpha)};
    m_name->setText(m_values.ImgFieldName);
    m_stretch->setChecked(m_values.stretch);
    m_cut->setChecked(m_values.cutimg);
    m_keepRate->setChecked(m_values.keeprate);
    m_center->setChecked(m_values.CenterImg);
    m_fonColor->setBgr(m_values.FonImgColor);
    m_transFon->setChecked(m_values.TransFon);
    checkGroupButton(m_mode, m_values.transperentImg);
    m_pixelX->setValue(m_values.C_X);
    m_pixelY->setValue(m_values.C_Y);
    m_transColor->setBgr(m_values.Trans_color);
    m_copyMode->setCurrentIndex(m_values.CopyMode);
    m_alpha->setValue(m_values.AlfaBlend);
    showTransparencyState();
    loadPreview();
}

void ImageFieldPanel::ImgFieldNameButtonClick()
{
    const QString projectPath = m_projectPath();
    QString start = QFileInfo(resolveImagePath(m_values.ImgFieldName, projectPath)).path();
    if (m_values.ImgFieldName.isEmpty())
        start = projectPath.isEmpty() ? QString() : QFileInfo(projectPath).path();
    const QString chosen =
        QFileDialog::getOpenFileName(this, tr("Картинка для поля"), start, pictureFilter());
    if (chosen.isEmpty())
        return;
    m_values.ImgFieldName = storedImageName(chosen, projectPath);
    {
        const QSignalBlocker blocker(m_name);
        m_name->setText(m_values.ImgFieldName);
    }
    loadPreview();
    changed();
}

void ImageFieldPanel::showTransparencyState()
{
    m_pixelX->setEnabled(m_values.pixelEditsEnabled());
    m_pixelY->setEnabled(m_values.pixelEditsEnabled());
    m_colorPanel->setEnabled(m_values.colorPanelEnabled());
}

void ImageFieldPanel::loadPreview()
{
    const QString name = m_values.ImgFieldName;
    m_preview->setPicture(
        name.isEmpty() ? QImage() : LoadPreviewPicture(resolveImagePath(name, m_projectPath())));
}

void ImageFieldPanel::changed()
{
    Q_EMIT valuesChanged();
}

} // namespace Quillet
