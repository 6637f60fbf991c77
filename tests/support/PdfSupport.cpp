// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "support/PdfSupport.h"

#include "support/PrintSupport.h"
#include "support/TestSupport.h"

#include <QFile>

#include <poppler/qt6/poppler-qt6.h>
#include <qpdf/QPDF.hh>

#include <exception>
#include <memory>

namespace QuilletTest {

int pdfImageObjectCount(const QString& path)
{
    try {
        QPDF pdf;
        pdf.setSuppressWarnings(true);
        pdf.processFile(QFile::encodeName(path).constData());
        int images = 0;
        for (QPDFObjectHandle& object : pdf.getAllObjects()) {
            if (object.isStream() && object.getDict().getKey("/Subtype").isNameAndEquals("/Image"))
                ++images;
        }
        return images;
    } catch (const std::exception&) {
        return -1;
    }
}

namespace {

std::unique_ptr<Poppler::Document> openPdf(const QString& path)
{
    std::unique_ptr<Poppler::Document> document = Poppler::Document::load(path);
    if (document && document->isLocked())
        return {};
    if (document) {
        document->setRenderHint(Poppler::Document::Antialiasing, true);
        document->setRenderHint(Poppler::Document::TextAntialiasing, true);
    }
    return document;
}

} // namespace

QImage pdfPageImage(const QString& path, int index, int dpi)
{
    return pdfPageImage(readFile(path), index, double(dpi), Qt::white);
}

int pdfPageCount(const QString& path)
{
    const std::unique_ptr<Poppler::Document> document = openPdf(path);
    return document ? document->numPages() : -1;
}

} // namespace QuilletTest
