// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/export/PdfJoin.h"

#include "core/common/Errors.h"
#include "core/export/ExportPlan.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>

#include <qpdf/ClosedFileInputSource.hh>
#include <qpdf/FileInputSource.hh>
#include <qpdf/Pipeline.hh>
#include <qpdf/Pl_Discard.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFExc.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFPageObjectHelper.hh>
#include <qpdf/QPDFWriter.hh>

#include <functional>
#include <map>
#include <memory>
#include <new>
#include <set>
#include <stdexcept>
#include <vector>

namespace Quillet {
namespace {

QString shown(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

// ---- The names of a sharded export ----------------------------------------------------

struct ShardName {
    QString prefix;    // as given, the path before "-IIII"
    QString extension; // ".pdf" as given
    QString set;       // the absolute prefix and N: parts of one set share it
    int index = 0;
    int count = 0;
};

bool parseShardName(const QString& path, ShardName& name)
{
    static const QRegularExpression pattern(QStringLiteral("^(.*)-(\\d{4})-of-(\\d{4})(\\.pdf)$"),
                                            QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = pattern.match(path);
    if (!match.hasMatch() || QFileInfo(match.captured(1)).fileName().isEmpty())
        return false;
    name.prefix = match.captured(1);
    name.index = match.captured(2).toInt();
    name.count = match.captured(3).toInt();
    name.extension = match.captured(4);
    name.set = QDir::cleanPath(QFileInfo(name.prefix).absoluteFilePath()) + QLatin1Char('/')
               + match.captured(3);
    return true;
}

QString shardPath(const ShardName& name, int index)
{
    return shardPrefix(name.prefix, Shard{index, name.count}) + name.extension;
}

// ---- Reading the parts ----------------------------------------------------------------

// Beyond this many parts the files are opened only while read, as qpdf's own page
// merging does, so that a join of thousands of shards stays under the limit of open files.
constexpr int MaxOpenParts = 200;

// qpdf reports what it cannot read by exceptions and, when it carries on past a fault, by
// warnings. A part with either is refused: a join must not quietly drop half a page.
[[noreturn]] void refuseDamaged(const QString& part)
{
    throw FileError(QCoreApplication::translate("Quillet::PdfJoin", "Файл %1 повреждён или обрезан")
                        .arg(shown(part)));
}

void checkLooksLikePdf(const QString& part)
{
    const QFileInfo info(part);
    if (!info.exists())
        throw FileError(QCoreApplication::translate("Quillet::PdfJoin", "Не существует файла: %1")
                            .arg(shown(part)));
    QFile file(part);
    if (info.isDir() || !file.open(QIODevice::ReadOnly))
        throw FileError(
            QCoreApplication::translate("Quillet::PdfJoin", "Не удаётся прочитать файл %1: %2")
                .arg(shown(part), reasonInRussian(file.errorString())));
    // A PDF opens with its header within the first kilobyte.
    if (!file.read(1024).contains("%PDF-"))
        throw FileError(
            QCoreApplication::translate("Quillet::PdfJoin", "Файл %1 — не PDF").arg(shown(part)));
}

// Every object of the part parsed and every stream read through its general filters, so
// that a fault is found here, where it can be put down to its part, not half-way through
// writing the joined file.
void readThrough(QPDF& pdf)
{
    Pl_Discard discard;
    for (QPDFObjectHandle& object : pdf.getAllObjects()) {
        if (object.isStream())
            object.pipeStreamData(&discard, 0, qpdf_dl_generalized);
    }
}

std::unique_ptr<QPDF> openPart(const QString& part, bool keepOpen)
{
    checkLooksLikePdf(part);
    auto pdf = std::make_unique<QPDF>();
    pdf->setSuppressWarnings(true);
    pdf->setAttemptRecovery(false);
    const QByteArray fileName = QFile::encodeName(part);
    try {
        if (keepOpen) {
            pdf->processFile(fileName.constData());
            readThrough(*pdf);
        } else {
            auto source = std::make_shared<ClosedFileInputSource>(fileName.constData());
            source->stayOpen(true);
            pdf->processInputSource(source);
            readThrough(*pdf);
            source->stayOpen(false);
        }
    } catch (const QPDFExc& error) {
        if (error.getErrorCode() == qpdf_e_password)
            throw FileError(
                QCoreApplication::translate("Quillet::PdfJoin", "Файл %1 защищён паролем")
                    .arg(shown(part)));
        refuseDamaged(part);
    } catch (const std::bad_alloc&) {
        throw;
    } catch (const std::exception&) {
        refuseDamaged(part);
    }
    if (pdf->anyWarnings())
        refuseDamaged(part);
    return pdf;
}

// ---- Images kept once -----------------------------------------------------------------

bool isImageStream(QPDFObjectHandle object)
{
    return object.isStream() && object.getDict().getKey("/Subtype").isNameAndEquals("/Image");
}

// Images are told apart by content: their encoded data and their dictionary, in which a
// reference to another stream (a soft mask, a colour profile) stands for that stream's own
// content, so that the copies each part brought of the same picture compare equal.
class ImageKeys {
public:
    std::string keyOf(QPDFObjectHandle stream)
    {
        const QPDFObjGen id = stream.getObjGen();
        if (const auto found = m_keys.find(id); found != m_keys.end())
            return found->second;
        if (!m_keying.insert(id).second) // a stream reaching itself: keep it apart
            return "cycle " + id.unparse(' ');
        const std::shared_ptr<Buffer> data = stream.getRawStreamData();
        QCryptographicHash hash(QCryptographicHash::Sha256);
        hash.addData(QByteArrayView(data->getBuffer(), qsizetype(data->getSize())));
        std::string key = describe(stream.getDict(), 0);
        key += " data ";
        key += hash.result().toHex().toStdString();
        m_keying.erase(id);
        return m_keys.emplace(id, key).first->second;
    }

private:
    std::string describe(QPDFObjectHandle object, int depth)
    {
        if (depth > 32) // deeper than any image dictionary: not worth telling apart
            return "deep " + object.getObjGen().unparse(' ');
        if (object.isStream())
            return "stream(" + keyOf(object) + ")";
        if (object.isDictionary()) {
            std::string text = "<<";
            for (const std::string& key : object.getKeys())
                text += key + " " + describe(object.getKey(key), depth + 1) + " ";
            return text + ">>";
        }
        if (object.isArray()) {
            std::string text = "[";
            for (QPDFObjectHandle& item : object.getArrayAsVector())
                text += describe(item, depth + 1) + " ";
            return text + "]";
        }
        return object.unparseResolved();
    }

    std::map<QPDFObjGen, std::string> m_keys;
    std::set<QPDFObjGen> m_keying;
};

class ImageDeduplicator {
public:
    /// The image to draw instead of `image`: the first one seen with the same content.
    QPDFObjectHandle kept(QPDFObjectHandle image)
    {
        const auto [entry, first] = m_first.emplace(m_keys.keyOf(image), image);
        if (first) {
            // Its masks too: two pictures that differ may still share one.
            QPDFObjectHandle dict = image.getDict();
            for (const char* mask : {"/SMask", "/Mask"}) {
                QPDFObjectHandle value = dict.getKey(mask);
                if (isImageStream(value) && value.getObjGen() != image.getObjGen())
                    dict.replaceKey(mask, kept(value));
            }
        }
        return entry->second;
    }

    void deduplicate(QPDF& pdf)
    {
        for (QPDFPageObjectHelper& page : QPDFPageDocumentHelper(pdf).getAllPages()) {
            page.forEachXObject(
                true,
                [this](QPDFObjectHandle& object, QPDFObjectHandle& xobjects,
                       const std::string& name) {
                    const QPDFObjectHandle keep = kept(object);
                    if (keep.getObjGen() != object.getObjGen())
                        xobjects.replaceKey(name, keep);
                },
                &isImageStream);
        }
    }

private:
    ImageKeys m_keys;
    std::map<std::string, QPDFObjectHandle> m_first;
};

// ---- Writing --------------------------------------------------------------------------

class WriteFailed : public std::runtime_error {
public:
    WriteFailed() : std::runtime_error("write failed") {}
};

// QPDFWriter's output straight into the scratch file of a QSaveFile.
class SaveFilePipeline : public Pipeline {
public:
    explicit SaveFilePipeline(QSaveFile& file) : Pipeline("joined file", nullptr), m_file(file) {}
    void write(unsigned char const* data, size_t length) override
    {
        if (m_file.write(reinterpret_cast<const char*>(data), qint64(length)) != qint64(length))
            throw WriteFailed();
    }
    void finish() override
    {
        if (!m_file.flush())
            throw WriteFailed();
    }

private:
    QSaveFile& m_file;
};

[[noreturn]] void refuseOutput(const QString& outPath, const QString& reason)
{
    throw FileError(
        QCoreApplication::translate("Quillet::PdfJoin", "Не удаётся записать файл %1: %2")
            .arg(shown(outPath), reason));
}

/// Writes `joined` beside `outPath`, calls `check` (which may throw) and only then puts
/// the file in place.
void writeJoined(QPDF& joined, const QString& outPath, const std::function<void()>& check)
{
    QSaveFile file(outPath);
    if (!file.open(QIODevice::WriteOnly))
        refuseOutput(outPath, reasonInRussian(file.errorString()));
    SaveFilePipeline pipeline(file);
    try {
        QPDFWriter writer(joined);
        writer.setOutputPipeline(&pipeline);
        // Pages, fonts and their dictionaries packed into compressed object streams; the
        // streams themselves (JPEG pictures, Qt's compressed page contents) as they are.
        writer.setObjectStreamMode(qpdf_o_generate);
        writer.setCompressStreams(true);
        // The same parts give the same file, byte for byte.
        writer.setDeterministicID(true);
        writer.write();
    } catch (const WriteFailed&) {
        refuseOutput(outPath, reasonInRussian(file.errorString()));
    }
    check();
    if (!file.commit())
        refuseOutput(outPath, reasonInRussian(file.errorString()));
}

} // namespace

QStringList pdfJoinOrder(const QStringList& parts)
{
    if (parts.isEmpty())
        throw Error(
            QCoreApplication::translate("Quillet::PdfJoin", "Не указаны файлы для соединения"));
    std::vector<ShardName> names(size_t(parts.size()));
    for (qsizetype i = 0; i < parts.size(); ++i) {
        if (!parseShardName(parts[i], names[size_t(i)]))
            return parts;
    }
    std::vector<QString> byIndex(size_t(names.front().count) + 1);
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const ShardName& name = names[size_t(i)];
        if (name.set != names.front().set)
            throw FileError(
                QCoreApplication::translate("Quillet::PdfJoin", "Части %1 и %2 из разных наборов")
                    .arg(shown(parts.front()), shown(parts[i])));
        if (name.index < 1 || name.index > name.count)
            throw FileError(QCoreApplication::translate("Quillet::PdfJoin",
                                                        "Лишняя часть %1: в наборе частей %2")
                                .arg(shown(parts[i]))
                                .arg(name.count));
        QString& slot = byIndex[size_t(name.index)];
        if (!slot.isEmpty())
            throw FileError(
                QCoreApplication::translate("Quillet::PdfJoin", "Часть %1 указана дважды")
                    .arg(shown(parts[i])));
        slot = parts[i];
    }
    QStringList missing;
    for (int index = 1; index <= names.front().count; ++index) {
        if (byIndex[size_t(index)].isEmpty())
            missing << shown(shardPath(names.front(), index));
    }
    if (!missing.isEmpty()) {
        constexpr int Listed = 5;
        QString list = QStringList(missing.mid(0, Listed)).join(QStringLiteral(", "));
        if (missing.size() > Listed)
            list += QStringLiteral(", …");
        throw FileError(
            QCoreApplication::translate("Quillet::PdfJoin", "Не хватает частей (%1 из %2): %3")
                .arg(missing.size())
                .arg(names.front().count)
                .arg(list));
    }
    return QStringList(byIndex.begin() + 1, byIndex.end());
}

int joinPdfFiles(const QStringList& parts, const QString& outPath)
{
    const QStringList ordered = pdfJoinOrder(parts);
    const bool keepOpen = ordered.size() <= MaxOpenParts;

    QPDF joined;
    joined.setSuppressWarnings(true);
    joined.emptyPDF();
    QPDFPageDocumentHelper joinedPages(joined);
    // The parts stay open until the joined file is written: the pictures and page contents
    // are read from them only then.
    std::vector<std::unique_ptr<QPDF>> opened;
    for (const QString& part : ordered) {
        opened.push_back(openPart(part, keepOpen));
        QPDF& pdf = *opened.back();
        try {
            for (QPDFPageObjectHelper& page : QPDFPageDocumentHelper(pdf).getAllPages())
                joinedPages.addPage(page, false);
            if (opened.size() == 1) {
                QPDFObjectHandle info = pdf.getTrailer().getKey("/Info");
                if (info.isIndirect() && info.isDictionary())
                    joined.getTrailer().replaceKey("/Info", joined.copyForeignObject(info));
            }
        } catch (const std::bad_alloc&) {
            throw;
        } catch (const std::exception&) {
            refuseDamaged(part);
        }
    }
    const int pageCount = int(joinedPages.getAllPages().size());
    try {
        ImageDeduplicator().deduplicate(joined);
    } catch (const std::bad_alloc&) {
        throw;
    } catch (const std::exception&) {
        // Every stream was read when its part was opened; a fault here is the file's
        // changing since.
        refuseDamaged(ordered.front());
    }
    // What a part says while its pages are copied out counts like a fault found on opening.
    const auto checkParts = [&] {
        for (size_t i = 0; i < opened.size(); ++i) {
            if (opened[i]->anyWarnings())
                refuseDamaged(ordered[qsizetype(i)]);
        }
    };
    try {
        writeJoined(joined, outPath, checkParts);
    } catch (const QPDFExc& error) {
        // A part changed or went away while being read for the joined file.
        const QByteArray part = QByteArray::fromStdString(error.getFilename());
        refuseDamaged(part.isEmpty() ? ordered.front() : QFile::decodeName(part));
    } catch (const Error&) {
        throw;
    } catch (const std::bad_alloc&) {
        throw;
    } catch (const std::exception& error) {
        refuseOutput(outPath, QString::fromStdString(error.what()));
    }
    return pageCount;
}

} // namespace Quillet
