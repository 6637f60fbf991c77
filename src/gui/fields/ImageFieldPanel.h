// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

#include "core/fields/FieldPanels.h"

#include <QFrame>
#include <QGroupBox>
#include <QImage>

#include <functional>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QSlider;
class QSpinBox;
class QToolButton;

namespace Quillet {

class ColorButton;

/// `LoadPreviewPicture`: the picture file at `path` as an image for the preview box, or a
/// null image when the file is missing or does not decode (no message: the box stays
/// empty).
QImage LoadPreviewPicture(const QString& path);

/// `DXPaintBox1`: a 114 × 114 box showing a picture scaled to fit, centred, its aspect
/// kept. Small pictures are enlarged too, so the box always shows the whole picture.
class PicturePreview : public QFrame {
    Q_OBJECT
public:
    explicit PicturePreview(QWidget* parent = nullptr);

    /// Shows `picture`; a null image empties the box.
    void setPicture(const QImage& picture);
    bool hasPicture() const { return !m_picture.isNull(); }
    /// Size of the picture last set, in its own pixels; empty when there is none.
    QSize pictureSize() const { return m_pictureSize; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage m_picture;
    QSize m_pictureSize;
};

/// `ImgField`, "Настройка поля изображения": an image field's options bound to one
/// ImagePanelValues, with a preview of the named picture.
class ImageFieldPanel : public QGroupBox {
    Q_OBJECT
public:
    /// `values` must outlive the panel. `projectPath` returns the current project file's
    /// path (empty for an unsaved project); stored picture names are relative to its
    /// folder.
    ImageFieldPanel(ImagePanelValues& values, std::function<QString()> projectPath,
                    QWidget* parent = nullptr);

    /// Shows the values in every control and loads the preview, without emitting
    /// valuesChanged.
    void refresh();

public Q_SLOTS:
    /// The browse button: the picture-open dialog; a chosen file inside the project's
    /// folder is stored relative to it.
    void ImgFieldNameButtonClick();

Q_SIGNALS:
    /// A user change wrote the values.
    void valuesChanged();

private:
    void buildPictureRows();
    void buildTransparency();
    void buildBlending();
    void connectControls();
    void showTransparencyState();
    void loadPreview();
    void changed();

    ImagePanelValues& m_values;
    std::function<QString()> m_projectPath;
    QLineEdit* m_name = nullptr;
    QToolButton* m_browse = nullptr;
    PicturePreview* m_preview = nullptr;
    QCheckBox* m_stretch = nullptr;
    QCheckBox* m_cut = nullptr;
    QCheckBox* m_keepRate = nullptr;
    QCheckBox* m_center = nullptr;
    ColorButton* m_fonColor = nullptr;
    QCheckBox* m_transFon = nullptr;
    QButtonGroup* m_mode = nullptr;
    QSpinBox* m_pixelX = nullptr;
    QSpinBox* m_pixelY = nullptr;
    QWidget* m_colorPanel = nullptr;
    ColorButton* m_transColor = nullptr;
    QComboBox* m_copyMode = nullptr;
    QSlider* m_alpha = nullptr;
};

} // namespace Quillet
