// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/workbook/XlsxReader.h"

#include "core/common/Errors.h"
#include "core/workbook/XlsxReaderParts.h"
#include "core/workbook/XlsxReaderSheet.h"

#include <QCoreApplication>
#include <QIODevice>

namespace Quillet {

namespace {

// Workbooks larger than this are not spreadsheets anyone fills forms from.
constexpr qint64 MaxFileBytes = qint64(1) << 30;

class XlsxWorkbook : public Workbook {
public:
    QStringList sheetNames() const override { return m_names; }
    QString activeSheetName() const override
    {
        return m_active >= 0 && m_active < m_names.size() ? m_names.at(m_active) : QString();
    }
    const Worksheet* worksheet(const QString& name) const override
    {
        const int index = int(m_names.indexOf(name));
        return index < 0 ? nullptr : m_sheets[size_t(index)].get();
    }

    QStringList m_names;
    std::vector<std::unique_ptr<XlsxWorksheet>> m_sheets;
    int m_active = 0;
};

struct RootParts {
    QString workbook;
    QString properties; ///< extended properties (docProps/app.xml); empty without them
};

RootParts findRootParts(ZipArchive& zip)
{
    RootParts parts;
    const QString rootRels = QStringLiteral("_rels/.rels");
    if (zip.contains(rootRels)) {
        const auto rels = parseRelationships(zip.read(rootRels), QString(), rootRels);
        for (const XlsxRelationship& rel : rels) {
            if (!zip.contains(rel.target))
                continue;
            if (rel.type == QLatin1String("officeDocument") && parts.workbook.isEmpty())
                parts.workbook = rel.target;
            else if (rel.type == QLatin1String("extended-properties"))
                parts.properties = rel.target;
        }
    }
    const QString properties = QStringLiteral("docProps/app.xml");
    if (parts.properties.isEmpty() && zip.contains(properties))
        parts.properties = properties;
    if (!parts.workbook.isEmpty())
        return parts;
    parts.workbook = QStringLiteral("xl/workbook.xml");
    if (!zip.contains(parts.workbook)) {
        throw FileError(QCoreApplication::translate(
            "Quillet::XlsxReader", "Файл не является книгой xlsx: в нём нет основной "
                                   "части книги"));
    }
    return parts;
}

// LibreOffice counts its serials on the real calendar and writes them so: a date before
// March 1900 it saved is a day off in Excel's count, which its own files keep.
DateSystem datesOf(const XlsxWorkbookInfo& info, ZipArchive& zip, const QString& properties)
{
    if (info.date1904)
        return DateSystem::Date1904;
    if (properties.isEmpty())
        return DateSystem::Date1900;
    const QString application = readApplication(zip, properties);
    if (application.startsWith(QLatin1String("LibreOffice"), Qt::CaseInsensitive)
        || application.contains(QLatin1String("OpenOffice"), Qt::CaseInsensitive))
        return DateSystem::Calendar1899;
    return DateSystem::Date1900;
}

QString relationshipsPart(const QString& part)
{
    const QString folder = packageFolder(part);
    return folder + QStringLiteral("_rels/") + part.mid(folder.size()) + QStringLiteral(".rels");
}

QString partOfType(const QHash<QString, XlsxRelationship>& rels, const char* type,
                   const QString& fallback, ZipArchive& zip)
{
    for (const XlsxRelationship& rel : rels) {
        if (rel.type == QLatin1String(type) && zip.contains(rel.target))
            return rel.target;
    }
    return zip.contains(fallback) ? fallback : QString();
}

} // namespace

QByteArray readWholeDevice(QIODevice& device, qint64 maxBytes)
{
    if (!device.isOpen() && !device.open(QIODevice::ReadOnly))
        throw FileError(QCoreApplication::translate("Quillet::XlsxReader",
                                                    "Не удаётся открыть книгу для чтения"));
    QByteArray data;
    if (!device.isSequential() && device.size() > 0 && device.size() <= maxBytes)
        data.reserve(device.size() - device.pos() + 1);
    char buffer[64 * 1024];
    for (;;) {
        const qint64 got = device.read(buffer, sizeof buffer);
        if (got < 0)
            throw FileError(
                QCoreApplication::translate("Quillet::XlsxReader", "Не удаётся прочитать книгу: %1")
                    .arg(reasonInRussian(device.errorString())));
        if (got == 0)
            break;
        if (data.size() + got > maxBytes)
            throw FileError(
                QCoreApplication::translate("Quillet::XlsxReader", "Файл книги слишком велик"));
        data.append(buffer, got);
    }
    return data;
}

XlsxReader::XlsxReader(const ZipLimits& limits) : m_limits(limits) {}

std::unique_ptr<Workbook> XlsxReader::read(QIODevice& device, const QString& fileName,
                                           const WorkbookOptions& options) const
{
    Q_UNUSED(fileName);
    ZipArchive zip(readWholeDevice(device, MaxFileBytes), m_limits);
    const RootParts root = findRootParts(zip);
    const QString& workbookPart = root.workbook;
    const XlsxWorkbookInfo info = parseWorkbook(zip.read(workbookPart), workbookPart);
    if (info.sheets.empty())
        throw FileError(QCoreApplication::translate("Quillet::XlsxReader", "В книге нет листов"));
    const QString relsPart = relationshipsPart(workbookPart);
    QHash<QString, XlsxRelationship> rels;
    if (zip.contains(relsPart))
        rels = parseRelationships(zip.read(relsPart), packageFolder(workbookPart), relsPart);

    auto shared = std::make_shared<CellFormatting>();
    shared->locale = options.locale;
    shared->dates = datesOf(info, zip, root.properties);
    shared->general = NumberFormat(QString(), options.locale);
    const QString folder = packageFolder(workbookPart);
    const QString stringsPart =
        partOfType(rels, "sharedStrings", folder + QStringLiteral("sharedStrings.xml"), zip);
    if (!stringsPart.isEmpty())
        shared->strings = parseSharedStrings(zip, stringsPart);
    const QString stylesPart =
        partOfType(rels, "styles", folder + QStringLiteral("styles.xml"), zip);
    if (!stylesPart.isEmpty())
        shared->formats = parseStyles(zip.read(stylesPart), stylesPart, options.locale);

    auto workbook = std::make_unique<XlsxWorkbook>();
    int index = 0;
    for (const XlsxSheetEntry& entry : info.sheets) {
        ++index;
        auto sheet = std::make_unique<XlsxWorksheet>(entry.name, shared);
        const auto rel = rels.constFind(entry.relationshipId);
        // Without a relationship, the part name every writer uses.
        const QString guessed = folder + QStringLiteral("worksheets/sheet%1.xml").arg(index);
        if (rel != rels.constEnd() && rel->type == QLatin1String("worksheet")) {
            if (!zip.contains(rel->target))
                throw FileError(QCoreApplication::translate("Quillet::XlsxReader",
                                                            "В книге нет части %1 для листа «%2»")
                                    .arg(rel->target, entry.name));
            sheet->load(zip, rel->target);
        } else if (rel == rels.constEnd() && zip.contains(guessed)) {
            sheet->load(zip, guessed);
        } else if (rel == rels.constEnd()) {
            throw FileError(
                QCoreApplication::translate("Quillet::XlsxReader", "У листа «%1» нет части в книге")
                    .arg(entry.name));
        }
        for (FormulaCell& cell : sheet->takeUncachedFormulas())
            workbook->addUncachedFormula(std::move(cell));
        // Chart sheets and dialog sheets have no cells; they still count as tabs.
        workbook->m_names << entry.name;
        workbook->m_sheets.push_back(std::move(sheet));
    }
    workbook->m_active =
        info.activeTab >= 0 && info.activeTab < int(info.sheets.size()) ? info.activeTab : 0;
    return workbook;
}

} // namespace Quillet
