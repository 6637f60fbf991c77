// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "support/PrintSupport.h"

#include "core/app/FieldTree.h"
#include "core/app/NodeGrammar.h"
#include "core/app/Project.h"
#include "core/app/ProjectFile.h"
#include "core/common/Errors.h"

#include <QDir>
#include <QFile>

// poppler comes with the core, which links it privately for PDF backgrounds.
#include <poppler/qt6/poppler-qt6.h>

#include <algorithm>
#include <memory>

namespace QuilletTest {
namespace {

bool inked(QRgb pixel, int threshold)
{
    return qGray(pixel) < threshold;
}

// Dark pixels of `a` with no ink of `b` within one pixel around, over `size`.
qint64 strayMarks(const QImage& a, const QImage& b, QSize size, qint64* marks)
{
    qint64 stray = 0;
    for (int y = 0; y < size.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(a.constScanLine(y));
        for (int x = 0; x < size.width(); ++x) {
            if (!inked(row[x], 96))
                continue;
            ++*marks;
            bool near = false;
            for (int dy = std::max(0, y - 1); dy <= std::min(size.height() - 1, y + 1); ++dy) {
                const auto* other = reinterpret_cast<const QRgb*>(b.constScanLine(dy));
                for (int dx = std::max(0, x - 1); dx <= std::min(size.width() - 1, x + 1); ++dx)
                    near = near || inked(other[dx], 208);
            }
            stray += !near;
        }
    }
    return stray;
}

} // namespace

QStringList pdfPageTexts(const QByteArray& pdf)
{
    QStringList texts;
    const std::unique_ptr<Poppler::Document> document = Poppler::Document::loadFromData(pdf);
    if (!document || document->isLocked())
        return texts;
    for (int i = 0; i < document->numPages(); ++i) {
        const std::unique_ptr<Poppler::Page> page = document->page(i);
        texts.append(page ? page->text(QRectF()) : QString());
    }
    return texts;
}

QImage pdfPageImage(const QByteArray& pdf, int index, double dpi, const QColor& paper)
{
    const std::unique_ptr<Poppler::Document> document = Poppler::Document::loadFromData(pdf);
    if (!document || document->isLocked() || index < 0 || index >= document->numPages())
        return {};
    document->setRenderHint(Poppler::Document::Antialiasing, true);
    document->setRenderHint(Poppler::Document::TextAntialiasing, true);
    document->setPaperColor(paper);
    const std::unique_ptr<Poppler::Page> page = document->page(index);
    if (!page)
        return {};
    return page->renderToImage(dpi, dpi).convertToFormat(QImage::Format_RGB32);
}

bool MarkComparison::linesUp() const
{
    return missing * 5000 <= expectedMarks && extra * 5000 <= actualMarks;
}

QString MarkComparison::describe() const
{
    return QStringLiteral("%1 of %2 expected marks missing, %3 of %4 marks out of place")
        .arg(missing)
        .arg(expectedMarks)
        .arg(extra)
        .arg(actualMarks);
}

MarkComparison compareMarks(const QImage& expected, const QImage& actual)
{
    const QImage a = expected.convertToFormat(QImage::Format_RGB32);
    const QImage b = actual.convertToFormat(QImage::Format_RGB32);
    const QSize common(std::min(a.width(), b.width()), std::min(a.height(), b.height()));
    MarkComparison result;
    result.missing = strayMarks(a, b, common, &result.expectedMarks);
    result.extra = strayMarks(b, a, common, &result.actualMarks);
    return result;
}

QString demoWithFontSize(const QString& folder, int points)
{
    const QDir demo(QStringLiteral(QUILLET_SOURCE_DIR "/examples/demo"));
    for (const QString& file : {QStringLiteral("records.xlsx"), QStringLiteral("stamp.png")}) {
        QFile::remove(QDir(folder).filePath(file));
        if (!QFile::copy(demo.filePath(file), QDir(folder).filePath(file)))
            throw Quillet::FileError(QStringLiteral("cannot copy %1").arg(file));
    }
    Quillet::Project project = Quillet::ProjectFile::load(demo.filePath("demo.qlet"));
    for (Quillet::FieldNode& field : project.Structure.fields) {
        if (field.kind() != Quillet::FieldKind::Text)
            continue;
        Quillet::TOptTextField options = Quillet::ParseTextOptions(QStringView(field.text).mid(4));
        options.fontSize = points;
        field.text = Quillet::composeTextField(field.text.left(4), options);
    }
    const QString path = QDir(folder).filePath(QStringLiteral("demo%1.qlet").arg(points));
    Quillet::ProjectFile::save(project, path);
    return path;
}

} // namespace QuilletTest
