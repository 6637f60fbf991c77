// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/workbook/XlsxReaderParts.h"

#include "core/common/Errors.h"
#include "core/workbook/XmlStream.h"
#include "core/workbook/ZipArchive.h"

#include <QMap>

#include <cstring>

namespace Quillet {

namespace {

bool named(const char* name, const char* expected)
{
    return std::strcmp(name, expected) == 0;
}

QString text(const char* utf8)
{
    return utf8 ? QString::fromUtf8(utf8) : QString();
}

class RelationshipsHandler : public XmlHandler {
public:
    explicit RelationshipsHandler(const QString& folder) : m_folder(folder) {}
    void startElement(const char* name, const char** attributes) override
    {
        if (!named(name, "Relationship"))
            return;
        const QString id = text(XmlStream::attribute(attributes, "Id"));
        const QString target = text(XmlStream::attribute(attributes, "Target"));
        const QString mode = text(XmlStream::attribute(attributes, "TargetMode"));
        QString type = text(XmlStream::attribute(attributes, "Type"));
        type = type.mid(type.lastIndexOf(QLatin1Char('/')) + 1);
        if (!id.isEmpty() && mode.compare(QLatin1String("External"), Qt::CaseInsensitive) != 0)
            relationships.insert(id, {resolvePackagePath(m_folder, target), type});
    }
    void endElement(const char*) override {}
    void characters(const char*, int) override {}

    QHash<QString, XlsxRelationship> relationships;

private:
    QString m_folder;
};

class WorkbookHandler : public XmlHandler {
public:
    void startElement(const char* name, const char** attributes) override
    {
        if (named(name, "sheet")) {
            XlsxSheetEntry entry;
            entry.name = text(XmlStream::attribute(attributes, "name"));
            entry.relationshipId = text(XmlStream::attribute(attributes, "id"));
            info.sheets.push_back(entry);
        } else if (named(name, "workbookView") && !m_viewSeen) {
            m_viewSeen = true;
            if (const char* tab = XmlStream::attribute(attributes, "activeTab"))
                info.activeTab = std::atoi(tab);
        } else if (named(name, "workbookPr")) {
            const QString flag = text(XmlStream::attribute(attributes, "date1904"));
            info.date1904 = flag == QLatin1String("1")
                            || flag.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0;
        }
    }
    void endElement(const char*) override {}
    void characters(const char*, int) override {}

    XlsxWorkbookInfo info;

private:
    bool m_viewSeen = false;
};

// Strings are the text runs of each <si>, phonetic guides (<rPh>) left out.
class SharedStringsHandler : public XmlHandler {
public:
    void startElement(const char* name, const char**) override
    {
        if (named(name, "si")) {
            m_item.clear();
            m_inItem = true;
        } else if (named(name, "t")) {
            m_inText = m_inItem && m_phonetic == 0;
        } else if (named(name, "rPh")) {
            ++m_phonetic;
        }
    }
    void endElement(const char* name) override
    {
        if (named(name, "si")) {
            strings.push_back(decodeOoxmlText(m_item));
            m_inItem = false;
        } else if (named(name, "t")) {
            m_inText = false;
        } else if (named(name, "rPh")) {
            --m_phonetic;
        }
    }
    void characters(const char* data, int length) override
    {
        if (m_inText)
            m_item.append(data, size_t(length));
    }

    std::vector<QString> strings;

private:
    std::string m_item;
    bool m_inItem = false;
    bool m_inText = false;
    int m_phonetic = 0;
};

class StylesHandler : public XmlHandler {
public:
    void startElement(const char* name, const char** attributes) override
    {
        if (named(name, "numFmt")) {
            const char* id = XmlStream::attribute(attributes, "numFmtId");
            if (id)
                codes.insert(std::atoi(id), text(XmlStream::attribute(attributes, "formatCode")));
        } else if (named(name, "cellXfs")) {
            m_inCellXfs = true;
        } else if (named(name, "xf") && m_inCellXfs) {
            const char* id = XmlStream::attribute(attributes, "numFmtId");
            formatIds.push_back(id ? std::atoi(id) : 0);
        }
    }
    void endElement(const char* name) override
    {
        if (named(name, "cellXfs"))
            m_inCellXfs = false;
    }
    void characters(const char*, int) override {}

    QMap<int, QString> codes;
    std::vector<int> formatIds;

private:
    bool m_inCellXfs = false;
};

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

QString packageFolder(const QString& path)
{
    const int slash = int(path.lastIndexOf(QLatin1Char('/')));
    return slash < 0 ? QString() : path.left(slash + 1);
}

QString resolvePackagePath(const QString& folder, const QString& target)
{
    QString joined = target.startsWith(QLatin1Char('/')) ? target.mid(1) : folder + target;
    QStringList parts;
    for (const QString& part : joined.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        if (part == QLatin1String(".."))
            parts.isEmpty() ? void() : parts.removeLast();
        else if (part != QLatin1String("."))
            parts << part;
    }
    return parts.join(QLatin1Char('/'));
}

QString decodeOoxmlText(const std::string& utf8)
{
    if (utf8.find('_') == std::string::npos && utf8.find('\r') == std::string::npos)
        return QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
    std::string out;
    out.reserve(utf8.size());
    for (size_t i = 0; i < utf8.size(); ++i) {
        const char c = utf8[i];
        if (c == '_' && i + 6 < utf8.size() + 0 && utf8[i + 1] == 'x' && utf8[i + 6] == '_') {
            int code = 0;
            bool ok = true;
            for (size_t k = 2; k < 6 && ok; ++k) {
                const int v = hexValue(utf8[i + k]);
                ok = v >= 0;
                code = code * 16 + v;
            }
            if (ok) {
                const QByteArray bytes = QString(QChar(char16_t(code))).toUtf8();
                out.append(bytes.constData(), size_t(bytes.size()));
                i += 6;
                continue;
            }
        }
        out.push_back(c);
    }
    QString decoded = QString::fromUtf8(out.data(), qsizetype(out.size()));
    decoded.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    decoded.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return decoded;
}

QHash<QString, XlsxRelationship>
parseRelationships(const QByteArray& xml, const QString& baseFolder, const QString& partName)
{
    RelationshipsHandler handler(baseFolder);
    parseXml(handler, xml, partName);
    return handler.relationships;
}

XlsxWorkbookInfo parseWorkbook(const QByteArray& xml, const QString& partName)
{
    WorkbookHandler handler;
    parseXml(handler, xml, partName);
    return handler.info;
}

std::vector<QString> parseSharedStrings(ZipArchive& zip, const QString& partName)
{
    SharedStringsHandler handler;
    XmlStream stream(handler, partName);
    zip.stream(partName, [&stream](const char* data, size_t size) { stream.feed(data, size); });
    stream.finish();
    return std::move(handler.strings);
}

std::vector<NumberFormat> parseStyles(const QByteArray& xml, const QString& partName,
                                      const QLocale& locale)
{
    StylesHandler handler;
    parseXml(handler, xml, partName);
    // Many cell formats share one number format: compile each code once.
    QHash<int, NumberFormat> compiled;
    std::vector<NumberFormat> formats;
    formats.reserve(handler.formatIds.size());
    for (const int id : handler.formatIds) {
        auto it = compiled.find(id);
        if (it == compiled.end()) {
            const auto code = handler.codes.constFind(id);
            it = compiled.insert(id, code != handler.codes.constEnd()
                                         ? NumberFormat(*code, locale)
                                         : NumberFormat::builtin(id, locale));
        }
        formats.push_back(*it);
    }
    return formats;
}

} // namespace Quillet
