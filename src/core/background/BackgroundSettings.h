// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

// The background settings panel without its widgets: size, margins and angle kept
// consistent with each other and with the processed background. The window reads its
// edits into here on each event and shows the values back; tests drive it directly.

#include "core/app/Project.h"
#include "core/common/Geometry.h"

#include <QByteArray>
#include <QImage>
#include <QPointF>

#include <array>

namespace Quillet {

class ProjectDocument;

/// Handlers of the background panel over a project's settings (`ImgWidth`, `ImgHeight`,
/// `MirTop`, `MirBottom`, `MirLeft`, `MirRight`, `Angle1`, alignment) and its stored
/// background (`BackgroundImage`, JPEG data). Both are referenced, not copied, and must
/// outlive this object, as must the document's `RepaintPending` flag, which every handler
/// sets (and none clears). Handlers that rebuild may throw Error (see RebuildBackground);
/// what they changed before stays changed.
class BackgroundSettings {
public:
    enum class Margin { Top, Bottom, Left, Right };

    /// Quality of the JPEG data an inverted background is stored as: high, because every
    /// inversion encodes the picture again.
    static constexpr int InvertedQuality = 95;

    BackgroundSettings(ProjectSettings& settings, QByteArray& backgroundImage, bool& repaintPending,
                       long double mmPerPixel = MmPerPixel);
    /// Over the document's project and RepaintPending, with its undo ring: replacing the
    /// background can then be undone. `doc` must outlive this object.
    explicit BackgroundSettings(ProjectDocument& doc, long double mmPerPixel = MmPerPixel);

    const ProjectSettings& settings() const { return m_settings; }
    const QByteArray& backgroundImage() const { return m_background; }
    /// `ShownBackground`: the processed background as last rebuilt; null when empty.
    const QImage& ShownBackground() const { return m_shown; }

    /// `ChkRatio` (ticked at start) and whether `ImgHeight` can be edited.
    bool ChkRatio() const { return m_ratio; }
    bool imgHeightEnabled() const { return !m_ratio; }
    /// `Exert` (ticked at start).
    bool Exert() const { return m_exert; }
    void setExert(bool ticked) { m_exert = ticked; }
    /// `SavedMargins`: top, bottom, left, right as the margin edits held on entering one;
    /// entering `Angle1` puts the turned width and height (pixels) into slots 1 and 2.
    const std::array<double, 4>& SavedMargins() const { return m_saved; }
    /// `Angle2`, the result of the two-point angle measurement (degrees).
    double Angle2() const { return m_angle2; }

    /// `RebuildBackground` into ShownBackground. Without a background nothing changes.
    void RebuildBackground();

    /// The project was replaced (loaded or created): forgets the processed background
    /// of the one before, then does what leaving `ImgWidth` does, so ShownBackground is
    /// made from the new background and settings (null without a background). Throws
    /// like RebuildBackground.
    void projectReplaced();

    /// A change of `ImgWidth` (typed or set by the program; nothing happens when the value
    /// stays). With `ChkRatio` ticked and a processed background, `ImgHeight` follows in
    /// the processed background's proportion (margins included), not snapped.
    void setImgWidth(double mm);
    /// A change of `ImgHeight`; nothing follows from it.
    void setImgHeight(double mm);
    /// Leaving `ImgWidth` or `ImgHeight`: the value snaps to whole pixels, then rebuild.
    void leaveImgWidth();
    void leaveImgHeight();

    /// A click on `ChkRatio`: toggles it and applies the new state.
    void clickChkRatio();
    /// Sets `ChkRatio` as the program does: the click handling runs only when the state
    /// changes. Ticked: `ImgHeight` from the processed background's proportion (0 when
    /// there is none) and disabled; unticked: enabled.
    void setChkRatio(bool ticked);

    /// Typing into a margin edit.
    void setMargin(Margin margin, double mm);
    /// Entering any margin edit: remembers the four margins.
    void enterMargin();
    /// Leaving a margin edit: snaps it; with `Exert` the outer size grows or shrinks by
    /// the margins' change (never below 0) so that the picture keeps its scale; rebuild.
    void leaveMargin(Margin margin);

    /// Typing into `Angle1` (degrees).
    void setAngle1(double degrees);
    /// Entering `Angle1`: remembers the background's size turned by the current angle.
    void enterAngle1();
    /// Leaving `Angle1`: with `Exert` the outer size changes by the change of the turned
    /// size; the angle is not snapped; rebuild.
    void leaveAngle1();

    /// `DefBack`: the background at its natural size (the resolution its JPEG data
    /// states, or one picture pixel per raster pixel when it states none), no margins, no
    /// turn; rebuild.
    void clickDefBack();
    /// `sSpeedButton1`: the stored background becomes its own negative (every byte of the
    /// decoded picture complemented, greyscale stays greyscale in its values), stored as
    /// JPEG data at InvertedQuality; rebuild. Until that data is replaced, rebuilding and
    /// inverting again work on the exact inverted pixels, not on what the JPEG data
    /// decodes to, so inverting twice gives the picture back unchanged. Throws Error when
    /// the data does not decode.
    void invertBackground();
    /// `sSpeedButton5`: no background, no processed background, then `DefBack`.
    void removeBackground();
    /// A new background from a file, the clipboard or the scanner: `page` is stored as
    /// JPEG data stating `dpi` (encodeImportedPage), then `DefBack`, so a page with a
    /// resolution (a document's, ImportDocument::pageDpi) keeps its paper size and one
    /// without (0) is laid one picture pixel per raster pixel. Over a document, the
    /// background and its settings as they were are first saved for undo
    /// (PushBackgroundSnapshot). Throws FileError for a null page or an encoder failure,
    /// before anything is changed.
    void replaceBackground(const QImage& page, int dpi = 0);
    /// After an undo or redo of the document: when it put another background in place,
    /// the processed background is made anew from it and true is returned. Throws like
    /// RebuildBackground (the background stays restored, without a processed one).
    bool followUndo();
    /// An alignment button: only the repaint.
    void setAlignment(HAlign horizontal, VAlign vertical);

    /// `sSpeedButton3`: the angle panel opens with `Angle2` = −`Angle1`.
    void openAngleOptions();
    /// A change of the two points `t1`, `t2` (mm, y downwards): `Angle2` := a − `Angle1`
    /// with a the direction from t1 to t2 in degrees (90 when the x values differ by less
    /// than 0.001).
    void setAnglePoints(QPointF t1, QPointF t2);
    /// `OkBtn` of the angle panel: `Angle1` := −`Angle2`; rebuild.
    void applyAngleOptions();

private:
    double snapped(double mm) const;
    double& marginRef(Margin margin);
    QSize backgroundSize() const;
    /// Millimetres per picture pixel at the background's natural size.
    long double pictureMmPerPixel() const;
    bool holdsExactPicture() const;

    ProjectDocument* m_doc = nullptr;
    int m_seenRestores = 0;
    ProjectSettings& m_settings;
    QByteArray& m_background;
    long double m_mmPerPixel;
    QImage m_shown;
    // The background's pixels after an inversion, and the data they were encoded into.
    QImage m_picture;
    QByteArray m_pictureData;
    bool& m_repaint;
    bool m_ratio = true;
    bool m_exert = true;
    std::array<double, 4> m_saved{};
    double m_angle2 = 0;
};

} // namespace Quillet
