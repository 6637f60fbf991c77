// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/app/ProjectFile.h"

#include "core/app/ReplacePairs.h"
#include "core/app/UserSettings.h"
#include "core/common/Cp1251.h"
#include "core/common/Errors.h"
#include "core/common/Geometry.h"
#include "core/common/Numbers.h"
#include "core/raster/JpegImage.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFile>
#include <QSaveFile>
#include <QSize>

#include <algorithm>
#include <cmath>

namespace Quillet::ProjectFile {
namespace {

const QString kCrLf = QStringLiteral("\r\n");

// Settings lengths are stored as whole pixels; anything beyond these is not a real
// page and would only lead to absurd allocations later.
constexpr long long kMaxLengthPixels = 1000000;

QByteArray encodeOrThrow(const QString& text, const QString& what)
{
    const qsizetype bad = Cp1251::firstUnencodable(text);
    if (bad >= 0) {
        throw ConversionError(QCoreApplication::translate("Quillet::ProjectFile",
                                                          "%1: символ %2 нельзя сохранить в файле "
                                                          "проекта (Windows-1251). Замените его и "
                                                          "сохраните снова.")
                                  .arg(what, Cp1251::describeCharacter(text, bad)));
    }
    return *Cp1251::encode(text);
}

void appendChunk(QByteArray& out, const QByteArray& content)
{
    quint64 length = quint64(content.size());
    char bytes[8];
    for (char& b : bytes) {
        b = char(length & 0xFF);
        length >>= 8;
    }
    out.append(bytes, 8);
    out.append(content);
}

QByteArray treeChunk(const FieldTree& tree)
{
    QByteArray out;
    for (const FieldNode& field : tree.fields) {
        const QString fieldName =
            QCoreApplication::translate("Quillet::ProjectFile", "Поле %1").arg(field.text.left(4));
        out += encodeOrThrow(field.text, fieldName) + "\r\n";
        int n = 0;
        for (const TreeNode& block : field.blocks) {
            ++n;
            out += '\t'
                   + encodeOrThrow(block.text, QCoreApplication::translate("Quillet::ProjectFile",
                                                                           "Блок %1 поля %2")
                                                   .arg(n)
                                                   .arg(field.text.left(4)))
                   + "\r\n";
        }
    }
    return out;
}

} // namespace

QStringList settingsLines(const ProjectSettings& s)
{
    const auto px = [](double mm) { return QString::number(mmToPixel(mm)); };
    QStringList lines;
    lines << s.xlsFile << s.sheet << (s.Direct == 0 ? QStringLiteral("0") : QStringLiteral("1"));
    lines << s.SizeName + QLatin1Char('/') + px(s.PrWidth) + QLatin1Char(',') + px(s.PrHeight);
    lines << px(s.ImgWidth) << px(s.ImgHeight);
    lines << QString::number(int(s.horizontalAlign)) << QString::number(int(s.verticalAlign));
    lines << px(s.MirTop) << px(s.MirBottom) << px(s.MirLeft) << px(s.MirRight);
    lines << Numbers::formatGeneral(s.Angle1);
    return lines;
}

namespace {

QString settingsText(const ProjectSettings& s)
{
    return settingsLines(s).join(kCrLf) + kCrLf;
}

// ---- Reading -------------------------------------------------------------------------

class ChunkReader {
public:
    explicit ChunkReader(QIODevice& device) : m_device(device) {}

    bool atEnd() const { return m_device.atEnd(); }

    QByteArray next(const char* what)
    {
        char bytes[8];
        const qint64 got = m_device.read(bytes, 8);
        if (got != 8) {
            throw FileError(
                QCoreApplication::translate("Quillet::ProjectFile",
                                            "Файл проекта обрывается перед длиной раздела «%1».")
                    .arg(QCoreApplication::translate("Quillet::ProjectFile", what)));
        }
        quint64 length = 0;
        for (int i = 7; i >= 0; --i)
            length = (length << 8) | quint8(bytes[i]);
        const qint64 left = bytesLeft();
        if (left >= 0 && length > quint64(left)) {
            throw FileError(QCoreApplication::translate("Quillet::ProjectFile",
                                                        "Файл проекта повреждён: в разделе «%1» "
                                                        "заявлено байт: %2, а осталось только %3.")
                                .arg(QCoreApplication::translate("Quillet::ProjectFile", what))
                                .arg(length)
                                .arg(left));
        }
        // A sequential device cannot tell how much is left: read in bounded steps, so a
        // forged length runs into the end of the data instead of a huge allocation.
        QByteArray content;
        constexpr quint64 step = 1 << 20;
        while (quint64(content.size()) < length) {
            const quint64 want = std::min(step, length - quint64(content.size()));
            const QByteArray part = m_device.read(qint64(want));
            if (part.isEmpty())
                break;
            content += part;
        }
        if (quint64(content.size()) != length) {
            throw FileError(
                QCoreApplication::translate("Quillet::ProjectFile",
                                            "Файл проекта обрывается внутри раздела «%1».")
                    .arg(QCoreApplication::translate("Quillet::ProjectFile", what)));
        }
        return content;
    }

private:
    // Bytes left on a random-access device, -1 for a sequential one.
    qint64 bytesLeft() const
    {
        if (m_device.isSequential())
            return -1;
        return m_device.size() - m_device.pos();
    }

    QIODevice& m_device;
};

long long settingsInteger(const QString& line, int index, const char* what)
{
    const auto value = Numbers::parseInteger(line);
    if (!value || *value < -kMaxLengthPixels || *value > kMaxLengthPixels) {
        throw FileError(
            QCoreApplication::translate("Quillet::ProjectFile",
                                        "Строка настроек %1 (%2) файла проекта — "
                                        "недопустимое число: «%3».")
                .arg(index)
                .arg(QCoreApplication::translate("Quillet::ProjectFile", what), line.left(40)));
    }
    return *value;
}

double pixelsToMm(long long px)
{
    return double(pixelToMm(px));
}

// Latin letters only: the size names of the user's list are compared after this.
QString upperLatin(const QString& text)
{
    QString out = text;
    for (QChar& c : out) {
        if (c >= u'a' && c <= u'z')
            c = QChar(c.unicode() - 32);
    }
    return out;
}

void applyPageSize(ProjectSettings& s, const QString& line, const PageSizeCatalog* sizes)
{
    const qsizetype slash = line.indexOf(QLatin1Char('/'));
    const QString name = slash < 0 ? line : line.left(slash);
    const QString upper = upperLatin(name);
    if (sizes) {
        for (const QString& entry : sizes->pageSizeNames()) {
            if (entry != upper)
                continue;
            if (const auto size = sizes->pageSize(entry)) {
                s.SizeName = entry;
                s.PrWidth = size->widthMm;
                s.PrHeight = size->heightMm;
                return;
            }
        }
    }
    const QString numbers = slash < 0 ? QString() : line.mid(slash + 1);
    const qsizetype comma = numbers.indexOf(QLatin1Char(','));
    const auto width = Numbers::parseInteger(QStringView(numbers).left(comma < 0 ? 0 : comma));
    const auto height = Numbers::parseInteger(QStringView(numbers).mid(comma + 1));
    if (comma < 0 || !width || !height || *width > MaxPagePixels || *height > MaxPagePixels) {
        throw FileError(
            QCoreApplication::translate("Quillet::ProjectFile",
                                        "Строка настроек 3 (размер страницы) файла проекта "
                                        "не имеет вида «имя/ширина,высота» в пикселях: «%1».")
                .arg(line.left(60)));
    }
    // As when the size is typed: at least one pixel each way.
    s.SizeName = name;
    s.PrWidth = pixelsToMm(std::max<long long>(1, *width));
    s.PrHeight = pixelsToMm(std::max<long long>(1, *height));
}

void applySettings(ProjectSettings& s, const QStringList& lines, const PageSizeCatalog* sizes)
{
    if (lines.size() < 12) {
        throw FileError(
            QCoreApplication::translate("Quillet::ProjectFile",
                                        "В файле проекта строк настроек: %1, а нужно не "
                                        "меньше 12.")
                .arg(lines.size()));
    }
    s.xlsFile = lines[0];
    s.sheet = lines[1];
    s.Direct = lines[2] == QLatin1String("0") ? 0 : 1;
    applyPageSize(s, lines[3], sizes);
    s.ImgWidth = pixelsToMm(
        settingsInteger(lines[4], 4, QT_TRANSLATE_NOOP("Quillet::ProjectFile", "ширина подложки")));
    s.ImgHeight = pixelsToMm(
        settingsInteger(lines[5], 5, QT_TRANSLATE_NOOP("Quillet::ProjectFile", "высота подложки")));
    if (lines[6] == QLatin1String("0") || lines[6] == QLatin1String("1")
        || lines[6] == QLatin1String("2"))
        s.horizontalAlign = HAlign(lines[6].toInt());
    if (lines[7] == QLatin1String("0") || lines[7] == QLatin1String("1")
        || lines[7] == QLatin1String("2"))
        s.verticalAlign = VAlign(lines[7].toInt());
    s.MirTop = pixelsToMm(settingsInteger(
        lines[8], 8, QT_TRANSLATE_NOOP("Quillet::ProjectFile", "отступ подложки сверху")));
    s.MirBottom = pixelsToMm(settingsInteger(
        lines[9], 9, QT_TRANSLATE_NOOP("Quillet::ProjectFile", "отступ подложки снизу")));
    s.MirLeft = pixelsToMm(settingsInteger(
        lines[10], 10, QT_TRANSLATE_NOOP("Quillet::ProjectFile", "отступ подложки слева")));
    s.MirRight = pixelsToMm(settingsInteger(
        lines[11], 11, QT_TRANSLATE_NOOP("Quillet::ProjectFile", "отступ подложки справа")));
    if (lines.size() > 12) {
        const auto angle = Numbers::parseDecimal(lines[12]);
        if (!angle || std::fabs(*angle) > 1e9L) {
            throw FileError(QCoreApplication::translate("Quillet::ProjectFile",
                                                        "Строка настроек 12 (угол поворота) файла "
                                                        "проекта — не число: «%1».")
                                .arg(lines[12].left(40)));
        }
        s.Angle1 = double(*angle);
    }
}

} // namespace

QStringList splitLines(QStringView text)
{
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != u'\r' && text[i] != u'\n')
            continue;
        lines << text.mid(start, i - start).toString();
        if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines << text.mid(start).toString();
    return lines;
}

QByteArray serialize(const Project& project)
{
    QByteArray relations;
    for (const RelationItem& item : project.RelateList)
        relations += encodeOrThrow(item.text, QCoreApplication::translate("Quillet::ProjectFile",
                                                                          "Зависимость «%1»")
                                                  .arg(item.text))
                     + "\r\n";
    const ProjectSettings& s = project.settings;
    encodeOrThrow(s.xlsFile,
                  QCoreApplication::translate("Quillet::ProjectFile", "Имя файла таблицы"));
    encodeOrThrow(s.sheet, QCoreApplication::translate("Quillet::ProjectFile", "Имя листа"));
    encodeOrThrow(s.SizeName,
                  QCoreApplication::translate("Quillet::ProjectFile", "Название размера страницы"));
    const QByteArray settings = encodeOrThrow(
        settingsText(s), QCoreApplication::translate("Quillet::ProjectFile", "Настройки"));
    QByteArray replace;
    for (const ReplacePair& pair : project.ReplaceList) {
        const QString what =
            QCoreApplication::translate("Quillet::ProjectFile", "Пара автозамены «%1»")
                .arg(pair.find);
        replace += encodeOrThrow(pair.find, what) + "\r\n";
        replace += encodeOrThrow(pair.replacement, what) + "\r\n";
    }
    const QByteArray tree = treeChunk(project.Structure);

    QByteArray out;
    out.reserve(project.BackgroundImage.size() + tree.size() + relations.size() + settings.size()
                + replace.size() + 40);
    appendChunk(out, project.BackgroundImage);
    appendChunk(out, tree);
    appendChunk(out, relations);
    appendChunk(out, settings);
    if (!project.ReplaceList.empty())
        appendChunk(out, replace);
    return out;
}

void save(const Project& project, const QString& path)
{
    const QByteArray bytes = serialize(project);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        throw FileError(QCoreApplication::translate("Quillet::ProjectFile",
                                                    "Не удаётся записать файл проекта %1: %2")
                            .arg(path, reasonInRussian(file.errorString())));
    }
    if (file.write(bytes) != bytes.size() || !file.commit()) {
        throw FileError(QCoreApplication::translate("Quillet::ProjectFile",
                                                    "Не удаётся записать файл проекта %1: %2")
                            .arg(path, reasonInRussian(file.errorString())));
    }
}

QSize backgroundSize(const QByteArray& jpeg)
{
    if (jpeg.isEmpty())
        return QSize(0, 0);
    int width = 0;
    int height = 0;
    if (!readJpegSize(jpeg, width, height) || width <= 0 || height <= 0) {
        throw FileError(QCoreApplication::translate("Quillet::ProjectFile",
                                                    "Подложка в файле проекта не является "
                                                    "читаемым изображением JPEG."));
    }
    return QSize(width, height);
}

Project read(QIODevice& device, const ProjectSettings& current, const PageSizeCatalog* sizes)
{
    ChunkReader chunks(device);
    Project project;
    project.settings = current;

    project.BackgroundImage = chunks.next(QT_TRANSLATE_NOOP("Quillet::ProjectFile", "подложка"));
    backgroundSize(project.BackgroundImage);

    const QByteArray tree = chunks.next(QT_TRANSLATE_NOOP("Quillet::ProjectFile", "дерево полей"));
    project.Structure = FieldTree::fromText(Cp1251::decode(tree));
    project.NextFieldNumber = project.Structure.nextFieldNumberAfterLoad();

    const QByteArray relations =
        chunks.next(QT_TRANSLATE_NOOP("Quillet::ProjectFile", "список зависимостей"));
    for (const QString& line : splitLines(Cp1251::decode(relations)))
        project.RelateList.push_back(RelationItem{line, false});

    const QByteArray settings = chunks.next(QT_TRANSLATE_NOOP("Quillet::ProjectFile", "настройки"));
    applySettings(project.settings, splitLines(Cp1251::decode(settings)), sizes);

    if (!chunks.atEnd()) {
        const QStringList lines = splitLines(Cp1251::decode(
            chunks.next(QT_TRANSLATE_NOOP("Quillet::ProjectFile", "список автозамены"))));
        for (qsizetype i = 0; i + 1 < lines.size(); i += 2)
            project.ReplaceList.push_back(ReplacePair{lines[i], lines[i + 1]});
        // The renderer takes the first pair that matches, in list order; a file written
        // elsewhere need not be in that order.
        AutoReplace::sortPairs(project.ReplaceList);
    }
    return project;
}

Project load(const QString& path, const ProjectSettings& current, const PageSizeCatalog* sizes)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        throw FileError(QCoreApplication::translate("Quillet::ProjectFile",
                                                    "Не удаётся открыть файл проекта %1: %2")
                            .arg(path, reasonInRussian(file.errorString())));
    }
    return read(file, current, sizes);
}

} // namespace Quillet::ProjectFile
