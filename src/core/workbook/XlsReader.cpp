// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/workbook/XlsReader.h"

#include "core/common/Errors.h"
#include "core/workbook/CompoundFile.h"
#include "core/numfmt/NumberFormat.h"
#include "core/workbook/GridWorkbook.h"
#include "core/workbook/IsolatedCall.h"

#include <QDataStream>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <QtEndian>

#include <freexl.h>

#include <tuple>
#include <vector>

namespace Quillet {
namespace {

// BIFF8 limits: 65536 rows by 256 columns. Anything larger is a crafted file.
constexpr unsigned MaxRows = 65536;
constexpr unsigned MaxColumns = 256;
// Far more than the largest real workbook needs; a crafted file that loops is cut off.
constexpr int IsolationTimeoutMs = 60000;

QString freexlProblem(int code)
{
    switch (code) {
    case FREEXL_FILE_NOT_FOUND:
        return QStringLiteral("файл не найден");
    case FREEXL_INSUFFICIENT_MEMORY:
        return QStringLiteral("не хватает памяти");
    case FREEXL_INVALID_CFBF_HEADER:
    case FREEXL_CFBF_INVALID_SIGNATURE:
        return QStringLiteral("это не книга Excel 97–2003 (.xls)");
    case FREEXL_BIFF_WORKBOOK_NOT_FOUND:
        return QStringLiteral("в файле нет книги Excel");
    case FREEXL_UNSUPPORTED_CHARSET:
    case FREEXL_INVALID_CHARACTER:
        return QStringLiteral("неподдерживаемая кодировка текста");
    default:
        return QStringLiteral("файл повреждён (код freexl %1)").arg(code);
    }
}

[[noreturn]] void fail(const QString& fileName, const QString& problem)
{
    throw FileError(QStringLiteral("Не удаётся прочитать книгу %1: %2").arg(fileName, problem));
}

// Owns an open freexl handle.
class FreexlHandle {
public:
    explicit FreexlHandle(const QString& path, const QString& fileName)
    {
        const int rc = freexl_open(QFile::encodeName(path).constData(), &m_handle);
        if (rc != FREEXL_OK) {
            close();
            fail(fileName, freexlProblem(rc));
        }
    }
    ~FreexlHandle() { close(); }
    FreexlHandle(const FreexlHandle&) = delete;
    FreexlHandle& operator=(const FreexlHandle&) = delete;
    const void* get() const { return m_handle; }

private:
    void close()
    {
        if (m_handle)
            freexl_close(m_handle);
        m_handle = nullptr;
    }
    const void* m_handle = nullptr;
};

QString timeText(const QTime& time)
{
    return time.toString(QStringLiteral("HH:mm:ss"));
}

QString cellText(const FreeXL_CellValue& cell, const QLocale& locale)
{
    switch (cell.type) {
    case FREEXL_CELL_INT:
        return QString::number(cell.value.int_value);
    case FREEXL_CELL_DOUBLE:
        return formatGeneral(cell.value.double_value, locale);
    case FREEXL_CELL_TEXT:
    case FREEXL_CELL_SST_TEXT:
        return cell.value.text_value ? QString::fromUtf8(cell.value.text_value) : QString();
    default:
        break;
    }
    if (!cell.value.text_value)
        return QString();
    const QString text = QString::fromUtf8(cell.value.text_value);
    if (cell.type == FREEXL_CELL_DATE) {
        const QDate date = QDate::fromString(text, Qt::ISODate);
        return date.isValid() ? xlsDateText(date, locale) : text;
    }
    if (cell.type == FREEXL_CELL_DATETIME) {
        const QDateTime dateTime =
            QDateTime::fromString(text, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        if (!dateTime.isValid())
            return text;
        const QTime time = dateTime.time();
        const QString clock = time.second() == 0 ? time.toString(QStringLiteral("HH:mm"))
                                                 : timeText(time);
        return xlsDateText(dateTime.date(), locale) + u' ' + clock;
    }
    if (cell.type == FREEXL_CELL_TIME) {
        const QTime time = QTime::fromString(text, QStringLiteral("HH:mm:ss"));
        return time.isValid() ? timeText(time) : text;
    }
    return QString();
}

void readSheet(const void* handle, unsigned short index, GridWorkbook& workbook,
               const QString& fileName, const QLocale& locale)
{
    const char* name = nullptr;
    if (freexl_get_worksheet_name(handle, index, &name) != FREEXL_OK || !name)
        fail(fileName, QStringLiteral("нет имени листа %1").arg(index + 1));
    if (freexl_select_active_worksheet(handle, index) != FREEXL_OK)
        fail(fileName, QStringLiteral("лист %1 не читается").arg(index + 1));
    unsigned int rows = 0;
    unsigned short columns = 0;
    if (freexl_worksheet_dimensions(handle, &rows, &columns) != FREEXL_OK)
        fail(fileName, QStringLiteral("размеры листа %1 не читаются").arg(index + 1));
    if (rows > MaxRows || columns > MaxColumns)
        fail(fileName, QStringLiteral("лист %1 больше, чем допускает формат (%2 × %3)")
                           .arg(index + 1)
                           .arg(rows)
                           .arg(columns));
    GridWorksheet& sheet = workbook.addSheet(QString::fromUtf8(name));
    for (unsigned row = 0; row < rows; ++row) {
        for (unsigned short column = 0; column < columns; ++column) {
            FreeXL_CellValue cell;
            if (freexl_get_cell_value(handle, row, column, &cell) != FREEXL_OK)
                fail(fileName,
                     QStringLiteral("ячейка %1:%2 не читается").arg(row + 1).arg(column + 1));
            if (cell.type == FREEXL_CELL_NULL)
                continue;
            sheet.setCell(int(row) + 1, int(column) + 1, cellText(cell, locale));
        }
    }
}

std::unique_ptr<GridWorkbook> readWithFreexl(const QString& path, const QString& fileName,
                                             const QLocale& locale)
{
    FreexlHandle handle(path, fileName);
    unsigned int password = 0;
    if (freexl_get_info(handle.get(), FREEXL_BIFF_PASSWORD, &password) == FREEXL_OK
        && password != FREEXL_BIFF_PLAIN)
        fail(fileName, QStringLiteral("книга защищена паролем"));
    unsigned int sheetCount = 0;
    if (freexl_get_info(handle.get(), FREEXL_BIFF_SHEET_COUNT, &sheetCount) != FREEXL_OK)
        fail(fileName, QStringLiteral("список листов не читается"));
    if (sheetCount == 0)
        fail(fileName, QStringLiteral("в книге нет листов"));
    if (sheetCount > 0xFFFF)
        fail(fileName, QStringLiteral("слишком много листов"));
    auto workbook = std::make_unique<GridWorkbook>();
    for (unsigned index = 0; index < sheetCount; ++index)
        readSheet(handle.get(), (unsigned short)index, *workbook, fileName, locale);
    return workbook;
}

// The child's answer: the workbook's cells, or the error that ended the reading.
constexpr quint32 AnswerMagic = 0x51584C53; // "QXLS"
constexpr quint32 MaxCells = MaxRows * MaxColumns;

QByteArray serialize(const GridWorkbook& workbook)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_6_0);
    out << AnswerMagic << true << quint32(workbook.sheetNames().size());
    for (const QString& name : workbook.sheetNames()) {
        const auto* sheet = static_cast<const GridWorksheet*>(workbook.worksheet(name));
        std::vector<std::tuple<qint32, qint32, QString>> cells;
        for (int row = 1; row <= sheet->rowCount(); ++row) {
            for (int column = 1; column <= sheet->columnCount(); ++column) {
                QString text = sheet->cellText(row, column);
                if (!text.isEmpty())
                    cells.emplace_back(row, column, std::move(text));
            }
        }
        out << name << quint32(cells.size());
        for (const auto& [row, column, text] : cells)
            out << row << column << text;
    }
    out << AnswerMagic;
    return bytes;
}

QByteArray serializeError(const QString& message)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_6_0);
    out << AnswerMagic << false << message << AnswerMagic;
    return bytes;
}

std::unique_ptr<GridWorkbook> deserialize(const QByteArray& bytes, const QString& fileName)
{
    QDataStream in(bytes);
    in.setVersion(QDataStream::Qt_6_0);
    quint32 magic = 0;
    bool ok = false;
    in >> magic >> ok;
    if (magic != AnswerMagic)
        fail(fileName, QStringLiteral("разбор прерван"));
    if (!ok) {
        QString message;
        in >> message;
        throw FileError(message);
    }
    auto workbook = std::make_unique<GridWorkbook>();
    quint32 sheets = 0;
    in >> sheets;
    for (quint32 s = 0; s < sheets && in.status() == QDataStream::Ok; ++s) {
        QString name;
        quint32 cells = 0;
        in >> name >> cells;
        GridWorksheet& sheet = workbook->addSheet(name);
        for (quint32 c = 0; c < std::min(cells, MaxCells) && in.status() == QDataStream::Ok; ++c) {
            qint32 row = 0;
            qint32 column = 0;
            QString text;
            in >> row >> column >> text;
            sheet.setCell(row, column, text);
        }
    }
    in >> magic;
    if (in.status() != QDataStream::Ok || magic != AnswerMagic)
        fail(fileName, QStringLiteral("разбор прерван"));
    return workbook;
}

// freexl is not safe on crafted files (fuzzing found it reading and copying far past
// its buffers), so it runs in a child process: a fault there ends only the child.
std::unique_ptr<GridWorkbook> readPath(const QString& path, const QString& fileName,
                                       const QLocale& locale)
{
    const IsolatedResult result = runIsolated(
        [&]() -> QByteArray {
            try {
                return serialize(*readWithFreexl(path, fileName, locale));
            } catch (const Error& error) {
                return serializeError(error.message());
            }
        },
        IsolationTimeoutMs, XlsReader::MaxBytes * 8);
    if (!result.ok)
        fail(fileName, QStringLiteral("файл повреждён (%1)").arg(result.failure));
    return deserialize(result.output, fileName);
}

// The sheet that was active when the file was saved: the WINDOW1 record of the workbook
// globals (freexl does not report it). 0, the first sheet, when there is none.
int activeSheetIndex(const QByteArray& bytes)
{
    auto stream = compoundStream(bytes, u"Workbook");
    if (!stream)
        stream = compoundStream(bytes, u"Book");
    if (!stream)
        return 0;
    constexpr quint16 EofRecord = 0x000A;
    constexpr quint16 Window1Record = 0x003D;
    const char* data = stream->constData();
    for (qsizetype pos = 0; pos + 4 <= stream->size();) {
        const quint16 type = qFromLittleEndian<quint16>(data + pos);
        const quint16 length = qFromLittleEndian<quint16>(data + pos + 2);
        if (type == EofRecord && pos > 0)
            break;
        if (type == Window1Record && length >= 12 && pos + 4 + 12 <= stream->size())
            return qFromLittleEndian<quint16>(data + pos + 4 + 10);
        pos += 4 + qsizetype(length);
    }
    return 0;
}

std::unique_ptr<Workbook> withActiveSheet(std::unique_ptr<GridWorkbook> workbook,
                                          const QByteArray& bytes)
{
    const QStringList names = workbook->sheetNames();
    const int active = activeSheetIndex(bytes);
    if (active < names.size())
        workbook->setActiveSheetName(names[active]);
    return workbook;
}

} // namespace

QString xlsDateText(QDate date, const QLocale& locale)
{
    // Without a locale (LANG unset or C) a spreadsheet application falls back to en-US.
    const QLocale effective = locale.language() == QLocale::C
        ? QLocale(QLocale::English, QLocale::UnitedStates)
        : locale;
    QString format = effective.dateFormat(QLocale::ShortFormat);
    if (!format.contains(QStringLiteral("yyyy")))
        format.replace(QStringLiteral("yy"), QStringLiteral("yyyy"));
    return effective.toString(date, format);
}

std::unique_ptr<Workbook> XlsReader::read(QIODevice& device, const QString& fileName,
                                          const WorkbookOptions& options) const
{
    if (!device.isOpen() && !device.open(QIODevice::ReadOnly))
        fail(fileName, device.errorString());
    QByteArray bytes;
    char chunk[65536];
    for (;;) {
        const qint64 got = device.read(chunk, sizeof chunk);
        if (got < 0)
            fail(fileName, device.errorString());
        if (got == 0)
            break;
        bytes.append(chunk, got);
        if (bytes.size() > MaxBytes)
            fail(fileName, QStringLiteral("файл слишком велик"));
    }
    // freexl trusts parts of the container; a crafted one must not reach it.
    if (const QString problem = checkCompoundFile(bytes); !problem.isEmpty())
        fail(fileName, QStringLiteral("это не книга Excel 97–2003 или она повреждена (%1)")
                           .arg(problem));

    // A plain file is handed to freexl by its own path; anything else goes through a
    // private temporary copy, never into the program's folder.
    if (auto* file = qobject_cast<QFile*>(&device); file && !file->fileName().isEmpty()
        && QFileInfo(file->fileName()).isFile())
        return withActiveSheet(readPath(file->fileName(), fileName, options.locale), bytes);
    QTemporaryFile copy(QDir::tempPath() + QStringLiteral("/quillet-XXXXXX.xls"));
    if (!copy.open() || copy.write(bytes) != bytes.size() || !copy.flush())
        fail(fileName,
             QStringLiteral("нельзя записать временный файл: %1").arg(copy.errorString()));
    return withActiveSheet(readPath(copy.fileName(), fileName, options.locale), bytes);
}

} // namespace Quillet
