// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

// What the print devices that write PDF through QPdfWriter share: the sheet a page is
// drawn on and the painter's state at the start of each page.

#include <QPageLayout>
#include <QSizeF>

class QPainter;

namespace Quillet {

/// A sheet of `sheetMm` (width across × height down, mm) with no margin, painted from its
/// very corner: described upright and turned when it is wider than tall, as a printer's
/// paper is, so that the orientation reads as the sheet's. Throws Error when the sheet has
/// no area.
QPageLayout pdfSheetLayout(QSizeF sheetMm);

/// Sheet pixels of a length in hundredths of a millimetre at `dpi` (ties to even).
int hundredthsMmToPixels(int hundredthsMm, int dpi);

/// Gives `painter`, active on a QPdfWriter, the state a page starts from: no transform,
/// clip or opacity, default pen and brush, and pictures stored as their exact pixels (Qt
/// stores them as JPEG otherwise, which rings round small text on a page printed as a
/// picture). A page after the first would otherwise inherit what the previous one left.
void resetPrintPainter(QPainter& painter);

} // namespace Quillet
