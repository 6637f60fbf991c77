// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/workbook/CompoundFile.h"

#include <QCoreApplication>
#include <QtEndian>

#include <algorithm>
#include <optional>
#include <vector>

namespace Quillet {
namespace {

constexpr quint32 EndOfChain = 0xFFFFFFFE;
constexpr quint32 FreeSector = 0xFFFFFFFF;
constexpr int HeaderDifatEntries = 109;
constexpr int DirectoryEntrySize = 128;
constexpr int MaxNameBytes = 64;
constexpr quint8 StreamEntry = 2;
constexpr quint8 RootEntry = 5;

quint32 u32At(const QByteArray& bytes, qsizetype offset)
{
    return qFromLittleEndian<quint32>(bytes.constData() + offset);
}

quint16 u16At(const QByteArray& bytes, qsizetype offset)
{
    return qFromLittleEndian<quint16>(bytes.constData() + offset);
}

class Container {
public:
    Container(const QByteArray& bytes, int sectorSize)
        : m_bytes(bytes), m_sectorSize(sectorSize),
          m_sectorCount(quint32((bytes.size() - sectorSize) / sectorSize))
    {
    }

    bool hasSector(quint32 sector) const { return sector < m_sectorCount; }
    qsizetype offsetOf(quint32 sector) const
    {
        return qsizetype(m_sectorSize) * (qsizetype(sector) + 1);
    }
    quint32 sectorCount() const { return m_sectorCount; }
    int sectorSize() const { return m_sectorSize; }
    const QByteArray& bytes() const { return m_bytes; }

    // The allocation table from the sectors the header and the DIFAT chain list.
    QString readFat()
    {
        const quint32 perSector = quint32(m_sectorSize / 4);
        std::vector<quint32> fatSectors;
        for (int i = 0; i < HeaderDifatEntries; ++i) {
            const quint32 sector = u32At(m_bytes, 0x4C + 4 * i);
            if (sector != FreeSector)
                fatSectors.push_back(sector);
        }
        quint32 difat = u32At(m_bytes, 0x44);
        quint32 visited = 0;
        while (difat != EndOfChain && difat != FreeSector) {
            if (!hasSector(difat) || ++visited > m_sectorCount)
                return QCoreApplication::translate("Quillet::CompoundFile",
                                                   "цепочка DIFAT выходит за файл или зациклена");
            const qsizetype base = offsetOf(difat);
            for (quint32 i = 0; i + 1 < perSector; ++i) {
                const quint32 sector = u32At(m_bytes, base + 4 * qsizetype(i));
                if (sector != FreeSector)
                    fatSectors.push_back(sector);
            }
            difat = u32At(m_bytes, base + 4 * qsizetype(perSector - 1));
        }
        if (fatSectors.size() > m_sectorCount)
            return QCoreApplication::translate("Quillet::CompoundFile",
                                               "секторов таблицы размещения больше, чем секторов");
        for (const quint32 sector : fatSectors) {
            if (!hasSector(sector))
                return QCoreApplication::translate("Quillet::CompoundFile",
                                                   "сектор таблицы размещения вне файла");
            const qsizetype base = offsetOf(sector);
            for (quint32 i = 0; i < perSector; ++i)
                m_fat.push_back(u32At(m_bytes, base + 4 * qsizetype(i)));
        }
        return QString();
    }

    // The sectors of the chain starting at `first`; empty with `error` set when it leaves
    // the file or the table, or loops.
    std::vector<quint32> chain(quint32 first, QString& error) const
    {
        std::vector<quint32> sectors;
        quint32 sector = first;
        while (sector != EndOfChain) {
            if (!isTableSector(sector) || sectors.size() > m_sectorCount) {
                error = QCoreApplication::translate("Quillet::CompoundFile",
                                                    "цепочка секторов нарушена");
                return {};
            }
            sectors.push_back(sector);
            sector = m_fat[sector];
        }
        return sectors;
    }

    bool isTableSector(quint32 sector) const { return hasSector(sector) && sector < m_fat.size(); }
    quint32 next(quint32 sector) const { return m_fat[sector]; }

private:
    const QByteArray& m_bytes;
    int m_sectorSize;
    quint32 m_sectorCount;
    std::vector<quint32> m_fat;
};

// How many sectors each chain has from a given sector on, worked out once for the whole
// file. Some writers let directory entries share sectors (Excel and LibreOffice read such
// files), so sharing is no fault; but crafted entries that all name one long chain must not
// cost one walk each: every sector is walked once, however many entries lead to it.
class ChainLengths {
public:
    explicit ChainLengths(const Container& container)
        : m_container(container), m_length(container.sectorCount(), Unknown)
    {
    }

    // Sectors from `first` to the end of its chain; nullopt when it leaves the file or
    // the table, or loops.
    std::optional<quint32> from(quint32 first)
    {
        if (first == EndOfChain)
            return 0;
        std::vector<quint32> path;
        quint32 sector = first;
        quint32 tail = 0;
        for (;;) {
            if (sector == EndOfChain)
                break;
            if (!m_container.isTableSector(sector))
                return settle(path, Broken);
            const quint32 known = m_length[sector];
            if (known == Walking || known == Broken)
                return settle(path, Broken); // a loop, or a chain already found broken
            if (known != Unknown) {
                tail = known;
                break;
            }
            m_length[sector] = Walking;
            path.push_back(sector);
            sector = m_container.next(sector);
        }
        return settle(path, tail);
    }

private:
    static constexpr quint32 Unknown = 0;
    static constexpr quint32 Walking = 0xFFFFFFFE;
    static constexpr quint32 Broken = 0xFFFFFFFF;

    std::optional<quint32> settle(const std::vector<quint32>& path, quint32 tail)
    {
        quint32 length = tail;
        for (auto it = path.rbegin(); it != path.rend(); ++it)
            m_length[*it] = length == Broken ? Broken : ++length;
        if (length == Broken)
            return std::nullopt;
        return length;
    }

    const Container& m_container;
    std::vector<quint32> m_length;
};

// One directory entry: its name length, and for the root and for streams stored in
// regular sectors, a chain long enough for the stream's size.
QString checkEntry(const QByteArray& bytes, int sectorSize, qsizetype offset, ChainLengths& lengths)
{
    const quint16 nameBytes = u16At(bytes, offset + 64);
    if (nameBytes > MaxNameBytes || nameBytes % 2 != 0)
        return QCoreApplication::translate("Quillet::CompoundFile",
                                           "запись каталога с испорченным именем");
    const quint8 type = quint8(bytes[offset + 66]);
    const quint32 start = u32At(bytes, offset + 116);
    const quint32 size = u32At(bytes, offset + 120);
    const quint32 miniCutoff = u32At(bytes, 0x38);
    const bool regular = type == RootEntry || (type == StreamEntry && size >= miniCutoff);
    if (!regular || (size == 0 && start == EndOfChain))
        return QString();
    const std::optional<quint32> length = lengths.from(start);
    if (!length)
        return QCoreApplication::translate("Quillet::CompoundFile",
                                           "поток: цепочка секторов нарушена");
    if (qint64(*length) * sectorSize < qint64(size))
        return QCoreApplication::translate("Quillet::CompoundFile", "поток короче своего размера");
    return QString();
}

// Reading a stream needs the same table as checking; both start from a checked header.
std::optional<Container> openContainer(const QByteArray& bytes)
{
    if (!checkCompoundFile(bytes).isEmpty())
        return std::nullopt;
    Container container(bytes, 1 << u16At(bytes, 0x1E));
    container.readFat();
    return container;
}

QString entryName(const QByteArray& bytes, qsizetype offset)
{
    const int nameBytes = u16At(bytes, offset + 64);
    QString name;
    for (int i = 0; i + 1 < nameBytes; i += 2) {
        const char16_t c = u16At(bytes, offset + i);
        if (c == 0)
            break;
        name += QChar(c);
    }
    return name;
}

// Bytes of a chain of regular sectors, cut to `size`.
std::optional<QByteArray> regularStream(const Container& container, quint32 start, quint32 size)
{
    QString error;
    const std::vector<quint32> sectors = container.chain(start, error);
    if (!error.isEmpty())
        return std::nullopt;
    QByteArray data;
    data.reserve(qsizetype(sectors.size()) * container.sectorSize());
    // hasSector() keeps every sector of the chain inside the file.
    for (const quint32 sector : sectors)
        data.append(QByteArrayView(container.bytes())
                        .sliced(container.offsetOf(sector), container.sectorSize()));
    if (data.size() < qsizetype(size))
        return std::nullopt;
    data.truncate(size);
    return data;
}

// Bytes of a stream kept in the mini stream: 64-byte sectors inside the root's stream,
// chained by the mini allocation table.
std::optional<QByteArray> miniStream(const Container& container, qsizetype rootOffset,
                                     quint32 start, quint32 size)
{
    const QByteArray& bytes = container.bytes();
    const auto root =
        regularStream(container, u32At(bytes, rootOffset + 116), u32At(bytes, rootOffset + 120));
    const auto table = regularStream(container, u32At(bytes, 0x3C),
                                     u32At(bytes, 0x40) * quint32(container.sectorSize()));
    if (!root || !table)
        return std::nullopt;
    const int miniSize = 1 << std::min<int>(u16At(bytes, 0x20), 12);
    const quint32 entries = quint32(table->size() / 4);
    // A chain without a loop visits each mini sector of the root's stream once at most, so
    // a looping one is caught before it holds more than that stream's size.
    const qsizetype steps = std::min<qsizetype>(entries, root->size() / miniSize);
    QByteArray data;
    quint32 sector = start;
    for (qsizetype visited = 0; sector != EndOfChain; ++visited) {
        const qsizetype offset = qsizetype(sector) * miniSize;
        if (sector >= entries || visited >= steps || offset + miniSize > root->size())
            return std::nullopt;
        data += root->mid(offset, miniSize);
        sector = u32At(*table, 4 * qsizetype(sector));
    }
    if (data.size() < qsizetype(size))
        return std::nullopt;
    data.truncate(size);
    return data;
}

} // namespace

std::optional<QByteArray> compoundStream(const QByteArray& bytes, QStringView name)
{
    const auto container = openContainer(bytes);
    if (!container)
        return std::nullopt;
    QString error;
    const std::vector<quint32> directory = container->chain(u32At(bytes, 0x30), error);
    const quint32 perSector = quint32(container->sectorSize() / DirectoryEntrySize);
    const quint32 entryCount = quint32(directory.size()) * perSector;
    const auto offsetOf = [&](quint32 entry) {
        return container->offsetOf(directory[entry / perSector])
               + qsizetype(entry % perSector) * DirectoryEntrySize;
    };
    const qsizetype rootOffset = offsetOf(0);
    // The root's children form a tree through their sibling links; streams of embedded
    // objects sit in storages below and must not be taken for the workbook's own.
    std::vector<quint32> pending{u32At(bytes, rootOffset + 76)};
    std::vector<bool> seen(entryCount);
    while (!pending.empty()) {
        const quint32 entry = pending.back();
        pending.pop_back();
        if (entry >= entryCount || seen[entry])
            continue;
        seen[entry] = true;
        const qsizetype offset = offsetOf(entry);
        pending.push_back(u32At(bytes, offset + 68));
        pending.push_back(u32At(bytes, offset + 72));
        if (quint8(bytes[offset + 66]) != StreamEntry
            || entryName(bytes, offset).compare(name, Qt::CaseInsensitive) != 0)
            continue;
        const quint32 start = u32At(bytes, offset + 116);
        const quint32 size = u32At(bytes, offset + 120);
        if (size >= u32At(bytes, 0x38))
            return regularStream(*container, start, size);
        return miniStream(*container, rootOffset, start, size);
    }
    return std::nullopt;
}

QString checkCompoundFile(const QByteArray& bytes)
{
    if (bytes.size() < 512 || !bytes.startsWith("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1"))
        return QCoreApplication::translate("Quillet::CompoundFile",
                                           "это не составной документ Microsoft");
    const quint16 shift = u16At(bytes, 0x1E);
    if (shift != 9 && shift != 12)
        return QCoreApplication::translate("Quillet::CompoundFile",
                                           "неподдерживаемый размер сектора");
    const int sectorSize = 1 << shift;
    if (bytes.size() < 2 * sectorSize)
        return QCoreApplication::translate("Quillet::CompoundFile", "в файле нет секторов");
    Container container(bytes, sectorSize);
    if (QString error = container.readFat(); !error.isEmpty())
        return error;
    QString error;
    const std::vector<quint32> directory = container.chain(u32At(bytes, 0x30), error);
    if (!error.isEmpty())
        return QCoreApplication::translate("Quillet::CompoundFile", "каталог: ") + error;
    if (directory.empty())
        return QCoreApplication::translate("Quillet::CompoundFile", "нет каталога");
    ChainLengths lengths(container);
    for (const quint32 sector : directory) {
        const qsizetype base = container.offsetOf(sector);
        for (int entry = 0; entry < sectorSize / DirectoryEntrySize; ++entry) {
            if (QString problem =
                    checkEntry(bytes, sectorSize, base + entry * DirectoryEntrySize, lengths);
                !problem.isEmpty())
                return problem;
        }
    }
    if (const quint32 miniFat = u32At(bytes, 0x3C); miniFat != EndOfChain) {
        container.chain(miniFat, error);
        if (!error.isEmpty())
            return QCoreApplication::translate("Quillet::CompoundFile", "таблица мини-секторов: ")
                   + error;
    }
    return QString();
}

} // namespace Quillet
