// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

#include "core/app/Language.h"

#include <QSettings>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace Quillet {

struct PrinterCalibration;

/// A page size of the user's list, millimetres.
struct PageSize {
    double widthMm = 0;
    double heightMm = 0;
};

/// The user's named page sizes, as the project reader needs them.
class PageSizeCatalog {
public:
    virtual ~PageSizeCatalog() = default;
    /// The names in list order.
    virtual QStringList pageSizeNames() const = 0;
    /// The size stored under `name`; std::nullopt when there is no such entry. Throws
    /// Error when the entry exists but its width or height is not a number.
    virtual std::optional<PageSize> pageSize(const QString& name) const = 0;
};

/// Settings that belong to the user, not to a project: recent projects, named page sizes
/// and the screen calibration. Kept with QSettings (organisation "QARNEX", application
/// "LINDORA"): values "1"…"10" hold recent project paths, "mscale" the calibrated scale,
/// "adpage" the advertising page's address, "language" the interface language,
/// and each page size is a group named after it holding "width" and "height" doubles (every
/// group is a page size). The printers' calibrations are kept apart, in a store of their
/// own (application "LINDORA-printers", or "NAME.printers.ini" beside an INI file
/// "NAME.ini"), as the groups "portrait/<printer name, percent-encoded>" and
/// "landscape/<…>" holding "offsetX", "offsetY" (mm), "scaleX" and "scaleY".
/// Every operation reads or writes the store at once; nothing is cached. Every write that
/// the store cannot keep (a read-only or full file, a folder that cannot be made) throws
/// Error naming what was not saved and the file.
class UserSettings : public PageSizeCatalog {
public:
    /// The user's own settings store, or the INI file named by the environment variable
    /// QUILLET_SETTINGS_FILE when it is set.
    UserSettings();
    /// A store in the given INI file (tests, portable setups), the calibrations beside it.
    explicit UserSettings(const QString& iniPath);
    ~UserSettings() override;

    /// The names in list order: the standard sizes the store holds first, in their order
    /// (standardPageSizes), then the others as the store lists them.
    QStringList pageSizeNames() const override;
    std::optional<PageSize> pageSize(const QString& name) const override;
    void savePageSize(const QString& name, const PageSize& size);
    void removePageSize(const QString& name);

    /// The sizes a new user starts with: A4, A5, A3, Letter and Legal, each upright and
    /// then lying ("… альбомная"), their sides on whole page pixels; the names in the
    /// interface's language ("A4 landscape" in English).
    static std::vector<std::pair<QString, PageSize>> standardPageSizes();
    /// Gives a new user's store the standard sizes, once: when it holds no page size and
    /// has never been given them (the value "presets" remembers it, so sizes the user
    /// deleted do not come back). Returns whether it wrote them; throws Error like every
    /// write.
    bool addStandardPageSizes();

    /// Recent project paths, most recent first ("1", "2", … up to the first gap).
    QStringList recentProjects() const;
    /// Writes the given paths as "1"… (at most ten); values after the last one written
    /// are left as they are.
    void writeRecentProjects(const QStringList& paths);
    /// The recent list after saving `path`: `menuPaths` without every entry equal to
    /// `path` when both are folded with UpperCaseCyrillic, and `path` in front as given.
    static QStringList withRecentProject(const QStringList& menuPaths, const QString& path);

    std::optional<double> calibratedScale() const;
    void setCalibratedScale(double scale);

    /// The calibration stored for the printer named `printer` printing in portrait or in
    /// landscape; identity when none is stored or the name is empty. Throws Error naming
    /// the printer when the stored values are not numbers or not plausible
    /// (PrinterCalibration::isPlausible).
    PrinterCalibration calibration(const QString& printer, bool portrait) const;
    /// Stores the calibration for `printer` printing in portrait or in landscape; an
    /// identity calibration removes the entry. Throws Error for an empty name or an
    /// implausible calibration, storing nothing, and for a store that cannot be written.
    void setCalibration(const QString& printer, bool portrait,
                        const PrinterCalibration& calibration);
    /// The file holding the printers' calibrations.
    QString calibrationFile() const;

    /// The advertising page's address ("adpage"): an http(s) address, a local file or a
    /// "qrc:" resource; empty when none is set, which means the program's own page.
    QString advertPage() const;
    /// Stores the advertising page's address; an empty one removes the entry.
    void setAdvertPage(const QString& address);

    /// The interface language the user chose ("language": "ru" or "en"; none is the
    /// system's), used from the next start.
    InterfaceLanguage interfaceLanguage() const;
    /// Stores the choice; System removes the entry.
    void setInterfaceLanguage(InterfaceLanguage language);

private:
    std::unique_ptr<QSettings> m_settings;
    std::unique_ptr<QSettings> m_printers;
};

} // namespace Quillet
