// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

#include <QGroupBox>

class QCheckBox;
class QLineEdit;

namespace Quillet {

class ProjectDocument;
struct ExportOptions;
struct ViewState;

/// "Экспорт результата": the pages to export with their selection buttons, and the
/// options of image export and printing.
class ExportPanel : public QGroupBox {
    Q_OBJECT
public:
    ExportPanel(ExportOptions& options, ProjectDocument& document, const ViewState& view,
                QWidget* parent = nullptr);

    /// Shows the options again (after the program changed them).
    void refresh();

public Q_SLOTS:
    void ToolButton49Click();
    void ToolButton50Click();
    void ToolButton51Click();
    void ToolButton52Click();

private:
    int pageCount() const;
    void showPages(const QString& text);

    ExportOptions& m_options;
    ProjectDocument& m_document;
    const ViewState& m_view;
    QLineEdit* m_pages = nullptr;
    QCheckBox* m_withBack = nullptr;
    QCheckBox* m_reverse = nullptr;
    QCheckBox* m_printAsImg = nullptr;
};

} // namespace Quillet
