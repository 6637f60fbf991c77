// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

#include "core/app/FieldTree.h"
#include "core/fields/FieldEditor.h"

#include <QScrollArea>

#include <functional>

class QPushButton;
class QVBoxLayout;

namespace Quillet {

class AnglePanel;
class BackgroundSettings;
class CoordsPanel;
class DividePanel;
class ImageFieldPanel;
class ProjectDocument;
class ReplacePanel;
class ShapePanel;
class SpreadsheetLink;
class TextFieldPanel;

/// `AddOpt`, the editing area at the bottom of the settings panel: one editor panel at a
/// time above `OkBtn` and `CancelBtn`. The session itself (which node, the values, apply
/// and cancel) is the core FieldEditor; this class shows its panel and reports errors.
///
/// A panel taller than the room scrolls; the two buttons stand outside the scrolled part,
/// below it, so they stay in sight. A panel
/// opens scrolled to its top with the focus in its first edit (`Text` for a text field),
/// and Enter in a one-line edit of the panel applies as `OkBtn` does.
class EditingArea : public QScrollArea {
    Q_OBJECT
public:
    /// `projectPath` gives the current project file's path (image names are relative to
    /// its folder); `document` holds the auto-replace list the replace panel edits and
    /// the sheet and page direction whose columns `link`'s workbook offers to a text
    /// field; `page` gives the page the view shows, whose value the division counts.
    EditingArea(FieldEditor& editor, ProjectDocument& document, BackgroundSettings& background,
                const SpreadsheetLink& link, std::function<QString()> projectPath,
                std::function<int()> page, QWidget* parent = nullptr);
    ~EditingArea() override;

    /// Create buttons: a new field of `kind`.
    void openNew(FieldKind kind);
    /// Double click on the tree: loads `node`. A node text that does not convert is
    /// reported while the panel shows what was read.
    void openNode(const NodeRef& node);
    /// `DivideBtn`: the division of the block `node`; nothing for a field.
    void openDivide(const NodeRef& node);
    /// `sSpeedButton3`: the background angle panel.
    void openAngle();
    /// `ToolButton11`: the auto-replace list panel, with a snapshot of the list that
    /// Cancel restores.
    void openReplace();
    /// The height the area takes for the open panel: the panel's own, or what the
    /// window has room for.
    int openHeight() const;
    /// `OkBtn` and `CancelBtn`, for the window to place right below the area. It shows
    /// and hides with the area.
    QWidget* buttonBar() const { return m_buttons; }
    void setVisible(bool visible) override;

    /// Undo with the area open or closed (FieldEditor::undo): an open panel closes keeping
    /// what the user typed, the auto-replace panel its list. Returns true when the tree
    /// was restored.
    bool undo();
    /// Redo, closing an open panel as undo does (FieldEditor::redo). Returns true when the
    /// tree was restored.
    bool redo();

public Q_SLOTS:
    void OkBtnClick();
    void CancelBtnClick();

Q_SIGNALS:
    /// A panel opened; `pageViewEnabled` is false for the field and block panels.
    void opened(bool pageViewEnabled);
    /// The area closed (after apply or cancel).
    void closed();
    /// An apply wrote the tree; the window acts on what the result asks for.
    void applied(const ApplyResult& result);
    /// The values of an open panel changed: the preview must be drawn again.
    void valuesChanged();
    /// A line for the status bar.
    void statusMessage(const QString& line);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showPanel(EditorPanel panel);
    void focusFirstEdit(EditorPanel panel);
    QWidget* widgetOf(EditorPanel panel) const;
    void refreshPanel(EditorPanel panel);
    void close();
    void showError(const QString& message);
    void columnsFromValue();

    FieldEditor& m_editor;
    BackgroundSettings& m_background;
    const SpreadsheetLink& m_link;
    std::function<int()> m_page;
    QVBoxLayout* m_panels = nullptr;
    TextFieldPanel* m_text = nullptr;
    ImageFieldPanel* m_image = nullptr;
    ShapePanel* m_shape = nullptr;
    CoordsPanel* m_coords = nullptr;
    DividePanel* m_divide = nullptr;
    AnglePanel* m_angle = nullptr;
    ReplacePanel* m_replace = nullptr;
    QWidget* m_buttons = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
};

} // namespace Quillet
