// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/workbook/XmlStream.h"

#include "core/common/Errors.h"

#include <QByteArray>
#include <QCoreApplication>

#include <expat.h>

#include <cstring>
#include <exception>
#include <limits>

namespace Quillet {

struct XmlStream::Private {
    XML_Parser parser = nullptr;
    XmlHandler* handler = nullptr;
    QString partName;
    QString failure;
    // An exception a handler threw: kept while expat unwinds its own frames normally
    // (C frames must not be unwound through; expat would leak its buffers), then rethrown.
    std::exception_ptr thrown;

    template <class Call> void guarded(Call call)
    {
        if (thrown)
            return;
        try {
            call();
        } catch (...) {
            thrown = std::current_exception();
            XML_StopParser(parser, XML_FALSE);
        }
    }
};

namespace {

void XMLCALL onStart(void* data, const XML_Char* name, const XML_Char** attributes)
{
    auto* d = static_cast<XmlStream::Private*>(data);
    d->guarded([&] { d->handler->startElement(XmlStream::localName(name), attributes); });
}

void XMLCALL onEnd(void* data, const XML_Char* name)
{
    auto* d = static_cast<XmlStream::Private*>(data);
    d->guarded([&] { d->handler->endElement(XmlStream::localName(name)); });
}

void XMLCALL onText(void* data, const XML_Char* text, int length)
{
    auto* d = static_cast<XmlStream::Private*>(data);
    d->guarded([&] { d->handler->characters(text, length); });
}

void XMLCALL onDoctype(void* data, const XML_Char*, const XML_Char*, const XML_Char*, int)
{
    auto* d = static_cast<XmlStream::Private*>(data);
    if (d->failure.isEmpty())
        d->failure = QCoreApplication::translate("Quillet::XmlStream",
                                                 "%1: объявлен DOCTYPE, какого в книгах не бывает")
                         .arg(d->partName);
    XML_StopParser(d->parser, XML_FALSE);
}

} // namespace

XmlStream::XmlStream(XmlHandler& handler, const QString& partName) : d(new Private)
{
    d->handler = &handler;
    d->partName = partName;
    d->parser = XML_ParserCreate("UTF-8");
    if (!d->parser) {
        delete d;
        throw FileError(
            QCoreApplication::translate("Quillet::XmlStream", "%1: не хватает памяти для чтения")
                .arg(partName));
    }
    XML_SetUserData(d->parser, d);
    XML_SetElementHandler(d->parser, onStart, onEnd);
    XML_SetCharacterDataHandler(d->parser, onText);
    XML_SetStartDoctypeDeclHandler(d->parser, onDoctype);
    XML_SetParamEntityParsing(d->parser, XML_PARAM_ENTITY_PARSING_NEVER);
}

XmlStream::~XmlStream()
{
    XML_ParserFree(d->parser);
    delete d;
}

void XmlStream::fail(const QString& message)
{
    if (d->failure.isEmpty())
        d->failure = message;
    XML_StopParser(d->parser, XML_FALSE);
}

void XmlStream::check(int status)
{
    if (d->thrown)
        std::rethrow_exception(d->thrown);
    if (!d->failure.isEmpty())
        throw FileError(d->failure);
    if (status == XML_STATUS_ERROR) {
        throw FileError(
            QCoreApplication::translate("Quillet::XmlStream", "%1, строка %2: ошибка в XML (%3)")
                .arg(d->partName)
                .arg(XML_GetCurrentLineNumber(d->parser))
                .arg(QString::fromUtf8(XML_ErrorString(XML_GetErrorCode(d->parser)))));
    }
}

void XmlStream::feed(const char* data, size_t size)
{
    constexpr size_t MaxPiece = size_t(std::numeric_limits<int>::max() / 2);
    while (size > 0) {
        const size_t piece = size < MaxPiece ? size : MaxPiece;
        check(XML_Parse(d->parser, data, int(piece), XML_FALSE));
        data += piece;
        size -= piece;
    }
}

void XmlStream::finish()
{
    check(XML_Parse(d->parser, "", 0, XML_TRUE));
}

const char* XmlStream::localName(const char* name)
{
    const char* colon = std::strrchr(name, ':');
    return colon ? colon + 1 : name;
}

const char* XmlStream::attribute(const char** attributes, const char* name)
{
    for (const char** a = attributes; a && *a; a += 2) {
        if (std::strcmp(localName(a[0]), name) == 0)
            return a[1];
    }
    return nullptr;
}

void parseXml(XmlHandler& handler, const QByteArray& document, const QString& partName)
{
    XmlStream stream(handler, partName);
    stream.feed(document.constData(), size_t(document.size()));
    stream.finish();
}

} // namespace Quillet
