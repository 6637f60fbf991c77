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

class ApplicationHandler : public XmlHandler {
public:
    void startElement(const char* name, const char**) override
    {
        m_inName = !done && named(name, "Application");
    }
    void endElement(const char*) override
    {
        done = done || m_inName;
        m_inName = false;
    }
    void characters(const char* data, int length) override
    {
        // A name is a few dozen characters; a longer one is not worth keeping.
        if (m_inName && application.size() < 256)
            application.append(data, size_t(length));
    }

    std::string application;
    bool done = false;

private:
    bool m_inName = false;
};

// The properties part lists a few short values; past this the name is not coming.
constexpr qint64 MaxPropertiesBytes = 64 * 1024;

// Strings are the text runs of each <si>, phonetic guides (<rPh>) left out. Escapes
// belong to one run: an escape cut in two by a run boundary is two pieces of text.
class SharedStringsHandler : public XmlHandler {
public:
    void startElement(const char* name, const char**) override
    {
        if (named(name, "si")) {
            m_item.clear();
            m_inItem = true;
        } else if (named(name, "t")) {
            m_inText = m_inItem && m_phonetic == 0;
            m_run.clear();
        } else if (named(name, "rPh")) {
            ++m_phonetic;
        }
    }
    void endElement(const char* name) override
    {
        if (named(name, "si")) {
            unifyLineBreaks(m_item);
            strings.push_back(std::move(m_item));
            m_item = QString();
            m_inItem = false;
        } else if (named(name, "t")) {
            if (m_inText)
                m_item += decodeOoxmlEscapes(m_run);
            m_inText = false;
        } else if (named(name, "rPh")) {
            --m_phonetic;
        }
    }
    void characters(const char* data, int length) override
    {
        if (m_inText)
            m_run.append(data, size_t(length));
    }

    std::vector<QString> strings;

private:
    QString m_item;
    std::string m_run;
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

QString decodeOoxmlEscapes(const std::string& utf8)
{
    QString text = QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
    qsizetype at = text.indexOf(QLatin1String("_x"));
    if (at < 0)
        return text;
    QString out;
    out.reserve(text.size());
    qsizetype copied = 0;
    for (; at >= 0; at = text.indexOf(QLatin1String("_x"), at)) {
        int code = 0;
        bool escape = at + 6 < text.size() && text.at(at + 6) == QLatin1Char('_');
        for (qsizetype k = at + 2; escape && k < at + 6; ++k) {
            const int v = text.at(k).unicode() < 128 ? hexValue(char(text.at(k).unicode())) : -1;
            escape = v >= 0;
            code = code * 16 + v;
        }
        if (!escape) {
            ++at;
            continue;
        }
        out += QStringView(text).mid(copied, at - copied);
        out += QChar(char16_t(code));
        at += 7;
        copied = at;
    }
    out += QStringView(text).mid(copied);
    return out;
}

void unifyLineBreaks(QString& text)
{
    if (!text.contains(QLatin1Char('\r')))
        return;
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
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

QString readApplication(ZipArchive& zip, const QString& partName)
{
    struct Enough {};
    ApplicationHandler handler;
    try {
        XmlStream stream(handler, partName);
        qint64 fed = 0;
        zip.stream(partName, [&](const char* data, size_t size) {
            stream.feed(data, size);
            fed += qint64(size);
            if (handler.done || fed > MaxPropertiesBytes)
                throw Enough();
        });
    } catch (const Enough&) {
    } catch (const FileError&) {
        // Who wrote the file is only a hint: a broken part gives none.
    }
    if (!handler.done)
        return {};
    return QString::fromUtf8(handler.application.data(), qsizetype(handler.application.size()))
        .trimmed();
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
