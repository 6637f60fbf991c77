// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/app/UserSettings.h"

#include "core/app/Project.h"
#include "core/app/PrinterCalibration.h"
#include "core/common/Errors.h"
#include "core/data/CellAddress.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

#include <cmath>

namespace Quillet {
namespace {

const QString kScaleKey = QStringLiteral("mscale");
const QString kAdvertKey = QStringLiteral("adpage");
const QString kLanguageKey = QStringLiteral("language");
const QString kWidthKey = QStringLiteral("width");
const QString kHeightKey = QStringLiteral("height");
const QString kPresetsKey = QStringLiteral("presets");
constexpr int kMaxRecent = 10;

// Printer names may hold anything, "/" and "\\" included: percent-encoding keeps each in
// one group of plain characters.
QString calibrationGroup(const QString& printer, bool portrait)
{
    return (portrait ? QStringLiteral("portrait/") : QStringLiteral("landscape/"))
           + QString::fromLatin1(QUrl::toPercentEncoding(printer));
}

// Every group of the user's store is a page size, whatever its name, so the printers'
// calibrations live in a store of their own beside it: "user.ini" has "user.printers.ini".
QString printersFileBeside(const QString& iniPath)
{
    const QFileInfo info(iniPath);
    const QString suffix = info.suffix().isEmpty() ? QString() : u'.' + info.suffix();
    return info.dir().filePath(info.completeBaseName() + QStringLiteral(".printers") + suffix);
}

// Page-size names are user text; keep QSettings from reading "/" as a group separator.
QString groupKey(const QString& name)
{
    QString key = name;
    key.replace(QLatin1Char('/'), QLatin1Char('\\'));
    return key;
}

// Writes what `settings` holds to its file. QSettings keeps a failed write in memory and
// only says so in its status, so a read-only or full store would lose the user's settings
// without a word: the failure becomes an Error naming what was not saved. The status never
// clears itself, so after an earlier failure the store is opened afresh, which writes what
// is pending (kept in memory, shared by every QSettings of the file) and judges that write
// on its own.
void commit(std::unique_ptr<QSettings>& settings, const QString& what)
{
    if (settings->status() == QSettings::NoError)
        settings->sync();
    else
        settings = std::make_unique<QSettings>(settings->fileName(), settings->format());
    if (settings->status() == QSettings::AccessError) {
        throw Error(
            QCoreApplication::translate("Quillet::UserSettings",
                                        "Не удаётся сохранить %1 в настройках пользователя (%2).")
                .arg(what, settings->fileName()));
    }
}

double readDouble(const QSettings& settings, const QString& key, const QString& name)
{
    bool ok = false;
    const QVariant value = settings.value(key);
    const double result = value.toDouble(&ok);
    if (!value.isValid() || !ok) {
        throw Error(QCoreApplication::translate("Quillet::UserSettings",
                                                "У размера страницы «%1» в настройках пользователя "
                                                "нет допустимого значения «%2».")
                        .arg(name, key));
    }
    return result;
}

} // namespace

UserSettings::UserSettings()
{
    // QUILLET_SETTINGS_FILE points tests and portable setups at an INI file of their own.
    const QString file = qEnvironmentVariable("QUILLET_SETTINGS_FILE");
    if (file.isEmpty()) {
        m_settings =
            std::make_unique<QSettings>(QStringLiteral("QARNEX"), QStringLiteral("LINDORA"));
        m_printers = std::make_unique<QSettings>(QStringLiteral("QARNEX"),
                                                 QStringLiteral("LINDORA-printers"));
    } else {
        m_settings = std::make_unique<QSettings>(file, QSettings::IniFormat);
        m_printers = std::make_unique<QSettings>(printersFileBeside(file), QSettings::IniFormat);
    }
}

UserSettings::UserSettings(const QString& iniPath)
    : m_settings(std::make_unique<QSettings>(iniPath, QSettings::IniFormat)),
      m_printers(std::make_unique<QSettings>(printersFileBeside(iniPath), QSettings::IniFormat))
{
}

UserSettings::~UserSettings() = default;

QStringList UserSettings::pageSizeNames() const
{
    QStringList stored = m_settings->childGroups();
    for (QString& name : stored)
        name.replace(QLatin1Char('\\'), QLatin1Char('/'));
    QStringList names;
    for (const auto& standard : standardPageSizes()) {
        if (stored.removeOne(standard.first))
            names.append(standard.first);
    }
    return names + stored;
}

std::vector<std::pair<QString, PageSize>> UserSettings::standardPageSizes()
{
    // The names are in the interface's language, so each call names them afresh; a store
    // keeps the names it was given when they were written.
    static const std::vector<std::pair<QString, PageSize>> sizes = [] {
        const struct {
            const char* name;
            double widthMm;
            double heightMm;
        } paper[] = {{"A4", 210, 297},
                     {"A5", 148, 210},
                     {"A3", 297, 420},
                     {"Letter", 215.9, 279.4},
                     {"Legal", 215.9, 355.6}};
        std::vector<std::pair<QString, PageSize>> list;
        for (const auto& p : paper) {
            const double width = pageSideAfterEdit(p.widthMm);
            const double height = pageSideAfterEdit(p.heightMm);
            const QString name = QString::fromLatin1(p.name);
            list.emplace_back(name, PageSize{width, height});
            list.emplace_back(name, PageSize{height, width});
        }
        return list;
    }();
    std::vector<std::pair<QString, PageSize>> named = sizes;
    for (size_t i = 1; i < named.size(); i += 2)
        named[i].first = QCoreApplication::translate("Quillet::UserSettings", "%1 альбомная")
                             .arg(named[i].first);
    return named;
}

bool UserSettings::addStandardPageSizes()
{
    if (m_settings->contains(kPresetsKey) || !m_settings->childGroups().isEmpty())
        return false;
    for (const auto& [name, size] : standardPageSizes()) {
        m_settings->beginGroup(groupKey(name));
        m_settings->setValue(kWidthKey, size.widthMm);
        m_settings->setValue(kHeightKey, size.heightMm);
        m_settings->endGroup();
    }
    m_settings->setValue(kPresetsKey, 1);
    commit(m_settings,
           QCoreApplication::translate("Quillet::UserSettings", "стандартные размеры страниц"));
    return true;
}

std::optional<PageSize> UserSettings::pageSize(const QString& name) const
{
    const QString group = groupKey(name);
    if (name.isEmpty() || !m_settings->childGroups().contains(group))
        return std::nullopt;
    m_settings->beginGroup(group);
    PageSize size;
    try {
        size.widthMm = readDouble(*m_settings, kWidthKey, name);
        size.heightMm = readDouble(*m_settings, kHeightKey, name);
    } catch (...) {
        m_settings->endGroup();
        throw;
    }
    m_settings->endGroup();
    return size;
}

void UserSettings::savePageSize(const QString& name, const PageSize& size)
{
    m_settings->beginGroup(groupKey(name));
    m_settings->setValue(kWidthKey, size.widthMm);
    m_settings->setValue(kHeightKey, size.heightMm);
    m_settings->endGroup();
    commit(m_settings,
           QCoreApplication::translate("Quillet::UserSettings", "размер страницы «%1»").arg(name));
}

void UserSettings::removePageSize(const QString& name)
{
    m_settings->remove(groupKey(name));
    commit(m_settings,
           QCoreApplication::translate("Quillet::UserSettings", "удаление размера страницы «%1»")
               .arg(name));
}

QStringList UserSettings::recentProjects() const
{
    QStringList paths;
    for (int n = 1;; ++n) {
        const QVariant value = m_settings->value(QString::number(n));
        if (!value.isValid())
            break;
        paths << value.toString();
    }
    return paths;
}

void UserSettings::writeRecentProjects(const QStringList& paths)
{
    const int count = std::min<int>(kMaxRecent, int(paths.size()));
    for (int i = 0; i < count; ++i)
        m_settings->setValue(QString::number(i + 1), paths[i]);
    commit(m_settings,
           QCoreApplication::translate("Quillet::UserSettings", "список последних проектов"));
}

std::optional<double> UserSettings::calibratedScale() const
{
    const QVariant value = m_settings->value(kScaleKey);
    if (!value.isValid())
        return std::nullopt;
    bool ok = false;
    const double scale = value.toDouble(&ok);
    if (!ok)
        throw Error(QCoreApplication::translate(
            "Quillet::UserSettings", "В настройках пользователя недопустимое значение «mscale»."));
    return scale;
}

void UserSettings::setCalibratedScale(double scale)
{
    m_settings->setValue(kScaleKey, scale);
    commit(m_settings, QCoreApplication::translate("Quillet::UserSettings", "калибровку экрана"));
}

PrinterCalibration UserSettings::calibration(const QString& printer, bool portrait) const
{
    PrinterCalibration c;
    if (printer.isEmpty())
        return c;
    const QString group = calibrationGroup(printer, portrait);
    const auto read = [&](const char* key, double& value) {
        const QVariant stored = m_printers->value(group + QLatin1Char('/') + QLatin1String(key));
        if (!stored.isValid())
            return;
        bool ok = false;
        value = stored.toDouble(&ok);
        if (!ok)
            value = std::nan("");
    };
    read("offsetX", c.offsetXMm);
    read("offsetY", c.offsetYMm);
    read("scaleX", c.scaleX);
    read("scaleY", c.scaleY);
    if (!c.isPlausible()) {
        throw Error(
            QCoreApplication::translate("Quillet::UserSettings",
                                        "Калибровка принтера «%1» в настройках пользователя "
                                        "повреждена; выполните калибровку заново.")
                .arg(printer));
    }
    return c;
}

void UserSettings::setCalibration(const QString& printer, bool portrait,
                                  const PrinterCalibration& calibration)
{
    if (printer.isEmpty())
        throw Error(QCoreApplication::translate("Quillet::UserSettings",
                                                "Не выбран принтер: калибровка не сохранена."));
    if (!calibration.isPlausible()) {
        throw Error(
            QCoreApplication::translate("Quillet::UserSettings",
                                        "Калибровка принтера «%1» недопустима и не сохранена.")
                .arg(printer));
    }
    const QString group = calibrationGroup(printer, portrait);
    m_printers->remove(group);
    if (!calibration.isIdentity()) {
        m_printers->beginGroup(group);
        m_printers->setValue(QStringLiteral("offsetX"), calibration.offsetXMm);
        m_printers->setValue(QStringLiteral("offsetY"), calibration.offsetYMm);
        m_printers->setValue(QStringLiteral("scaleX"), calibration.scaleX);
        m_printers->setValue(QStringLiteral("scaleY"), calibration.scaleY);
        m_printers->endGroup();
    }
    commit(m_printers,
           QCoreApplication::translate("Quillet::UserSettings", "калибровку принтера «%1»")
               .arg(printer));
}

QString UserSettings::calibrationFile() const
{
    return m_printers->fileName();
}

QString UserSettings::advertPage() const
{
    return m_settings->value(kAdvertKey).toString().trimmed();
}

void UserSettings::setAdvertPage(const QString& address)
{
    if (address.trimmed().isEmpty())
        m_settings->remove(kAdvertKey);
    else
        m_settings->setValue(kAdvertKey, address.trimmed());
    commit(m_settings,
           QCoreApplication::translate("Quillet::UserSettings", "адрес рекламной страницы"));
}

InterfaceLanguage UserSettings::interfaceLanguage() const
{
    return interfaceLanguageFromKey(m_settings->value(kLanguageKey).toString());
}

void UserSettings::setInterfaceLanguage(InterfaceLanguage language)
{
    if (language == InterfaceLanguage::System)
        m_settings->remove(kLanguageKey);
    else
        m_settings->setValue(kLanguageKey, interfaceLanguageKey(language));
    commit(m_settings, QCoreApplication::translate("Quillet::UserSettings", "язык интерфейса"));
}

QStringList UserSettings::withRecentProject(const QStringList& menuPaths, const QString& path)
{
    const QString folded = UpperCaseCyrillic(path);
    QStringList result{path};
    for (const QString& entry : menuPaths) {
        if (UpperCaseCyrillic(entry) != folded)
            result.append(entry);
    }
    return result;
}

} // namespace Quillet
