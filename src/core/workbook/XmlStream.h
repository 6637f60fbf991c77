// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

#include <QString>

#include <cstddef>

namespace Quillet {

/// Receives the events of a streamed XML document. Element and attribute names come
/// without their namespace prefix ("x:c" arrives as "c"), as UTF-8.
class XmlHandler {
public:
    virtual ~XmlHandler() = default;
    /// `attributes` is a null-terminated list of name, value pairs.
    virtual void startElement(const char* name, const char** attributes) = 0;
    virtual void endElement(const char* name) = 0;
    virtual void characters(const char* text, int length) = 0;
};

/// Streaming XML parser over expat: no tree is built, so memory does not grow with
/// the document. Documents with a DOCTYPE are refused, which also shuts out entity
/// expansion attacks.
class XmlStream {
public:
    /// `partName` names the document in error messages.
    XmlStream(XmlHandler& handler, const QString& partName);
    ~XmlStream();
    XmlStream(const XmlStream&) = delete;
    XmlStream& operator=(const XmlStream&) = delete;

    /// Parses the next piece. Throws FileError on malformed XML or after fail(). A
    /// handler may throw too: parsing stops and the exception comes out of here.
    void feed(const char* data, size_t size);
    /// Ends the document; throws FileError when it is incomplete.
    void finish();
    /// Called from a handler: stops parsing; the next feed()/finish() throws a
    /// FileError with `message`.
    void fail(const QString& message);

    /// The value of attribute `name` (prefix ignored) or nullptr.
    static const char* attribute(const char** attributes, const char* name);
    /// Name without namespace prefix.
    static const char* localName(const char* name);

private:
    void check(int status);

public:
    struct Private; // reached by the expat callbacks

private:
    Private* d;
};

/// Parses a whole in-memory document.
void parseXml(XmlHandler& handler, const QByteArray& document, const QString& partName);

} // namespace Quillet
