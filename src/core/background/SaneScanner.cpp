// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

// Scanner over SANE; NoScanner.cpp stands in for it in builds without libsane.

#include "core/background/ScanModes.h"
#include "core/background/Scanner.h"

#include <sane/sane.h>
#include <sane/saneopts.h>

#include <QByteArray>
#include <QCoreApplication>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace Quillet {

namespace {

std::atomic<bool> g_saneInUse = false;

// Beyond this QImage and the background's rasters cannot follow.
constexpr int MaxSide = 32767;
constexpr int ReadBlockBytes = 64 * 1024;
constexpr int UsualResolutions[] = {50, 75, 100, 150, 200, 300, 400, 600, 1200, 2400};
constexpr int PreferredResolution = 300;

SANE_Handle handleOf(void* handle)
{
    return static_cast<SANE_Handle>(handle);
}

QString statusText(SANE_Status status)
{
    return scanStatusText(int(status), QString::fromUtf8(sane_strstatus(status)));
}

QString noScannerMessage()
{
    return QCoreApplication::translate("Quillet::SaneScanner",
                                       "Сканер не найден: нет ни одного подключённого сканера "
                                       "или не установлен его драйвер SANE.");
}

struct Option {
    SANE_Int index = -1;
    const SANE_Option_Descriptor* descriptor = nullptr;
};

// Options are looked up by name every time: a backend may rebuild its list after any set.
Option findOption(SANE_Handle handle, const char* name)
{
    for (SANE_Int i = 1;; ++i) {
        const SANE_Option_Descriptor* d = sane_get_option_descriptor(handle, i);
        if (!d)
            return {};
        if (d->name && std::strcmp(d->name, name) == 0 && SANE_OPTION_IS_ACTIVE(d->cap))
            return {i, d};
    }
}

int dpiOf(SANE_Word word, SANE_Value_Type type)
{
    return type == SANE_TYPE_FIXED ? int(std::lround(SANE_UNFIX(word))) : int(word);
}

QList<int> resolutionsOf(const SANE_Option_Descriptor& d)
{
    QList<int> result;
    if (d.type != SANE_TYPE_INT && d.type != SANE_TYPE_FIXED)
        return result;
    if (d.constraint_type == SANE_CONSTRAINT_WORD_LIST) {
        const SANE_Word* list = d.constraint.word_list;
        for (SANE_Word i = 1; i <= list[0]; ++i)
            result.append(dpiOf(list[i], d.type));
    } else if (d.constraint_type == SANE_CONSTRAINT_RANGE) {
        const SANE_Range& r = *d.constraint.range;
        const int low = dpiOf(r.min, d.type);
        const int high = dpiOf(r.max, d.type);
        const double quant = d.type == SANE_TYPE_FIXED ? SANE_UNFIX(r.quant) : r.quant;
        for (int dpi : UsualResolutions) {
            const double steps = quant > 0 ? (dpi - low) / quant : 0;
            if (dpi >= low && dpi <= high && std::fabs(steps - std::round(steps)) < 1e-6)
                result.append(dpi);
        }
        if (result.isEmpty())
            result = {low, high};
    }
    std::sort(result.begin(), result.end());
    result.erase(std::unique(result.begin(), result.end()), result.end());
    result.removeIf([](int dpi) { return dpi <= 0; });
    return result;
}

bool isSeparateChannel(SANE_Frame format)
{
    return format == SANE_FRAME_RED || format == SANE_FRAME_GREEN || format == SANE_FRAME_BLUE;
}

int channelsOf(SANE_Frame format)
{
    return format == SANE_FRAME_RGB ? 3 : 1;
}

/// One frame as the device sent it.
struct Frame {
    SANE_Parameters params{};
    QByteArray data;
    int lines = 0;
};

// Sample `index` of a line, scaled to 0..255. 16-bit samples come in the machine's order.
int sampleAt(const uchar* line, int index, int depth)
{
    if (depth == 8)
        return line[index];
    if (depth == 16) {
        quint16 value;
        std::memcpy(&value, line + 2 * index, 2);
        return value >> 8;
    }
    return (line[index / 8] >> (7 - index % 8)) & 1 ? 255 : 0;
}

QImage greyImage(const Frame& f)
{
    QImage image(f.params.pixels_per_line, f.lines, QImage::Format_Grayscale8);
    // A set bit of a one-bit grey scan is black.
    const bool inverted = f.params.depth == 1;
    for (int y = 0; y < f.lines; ++y) {
        const auto* in = reinterpret_cast<const uchar*>(f.data.constData())
                         + qsizetype(y) * f.params.bytes_per_line;
        uchar* out = image.scanLine(y);
        for (int x = 0; x < image.width(); ++x) {
            const int v = sampleAt(in, x, f.params.depth);
            out[x] = uchar(inverted ? 255 - v : v);
        }
    }
    return image;
}

// Colour from one RGB frame or from red, green and blue frames (three-pass devices).
QImage colourImage(const std::vector<Frame>& frames)
{
    const Frame& first = frames.front();
    int lines = first.lines;
    for (const Frame& f : frames)
        lines = std::min(lines, f.lines);
    QImage image(first.params.pixels_per_line, lines, QImage::Format_RGB888);
    for (const Frame& f : frames) {
        const int channel = f.params.format == SANE_FRAME_GREEN  ? 1
                            : f.params.format == SANE_FRAME_BLUE ? 2
                                                                 : 0;
        const int channels = channelsOf(f.params.format);
        for (int y = 0; y < lines; ++y) {
            const auto* in = reinterpret_cast<const uchar*>(f.data.constData())
                             + qsizetype(y) * f.params.bytes_per_line;
            uchar* out = image.scanLine(y);
            for (int x = 0; x < image.width(); ++x) {
                for (int c = 0; c < channels; ++c)
                    out[3 * x + channel + c] =
                        uchar(sampleAt(in, x * channels + c, f.params.depth));
            }
        }
    }
    return image;
}

/// Leaves the device idle however a scan ends, as SANE wants after every scan.
class ScanGuard {
public:
    explicit ScanGuard(SANE_Handle handle) : m_handle(handle) {}
    ~ScanGuard() { sane_cancel(m_handle); }
    ScanGuard(const ScanGuard&) = delete;
    ScanGuard& operator=(const ScanGuard&) = delete;

private:
    SANE_Handle m_handle;
};

} // namespace

QString scannerUnavailableReason()
{
    return {};
}

Scanner::Scanner()
{
    if (g_saneInUse.exchange(true))
        throw ScannerError(QCoreApplication::translate(
            "Quillet::SaneScanner", "Сканер уже занят другой операцией программы."));
    SANE_Int version = 0;
    const SANE_Status status = sane_init(&version, nullptr);
    if (status != SANE_STATUS_GOOD) {
        g_saneInUse = false;
        throw ScannerError(QCoreApplication::translate("Quillet::SaneScanner",
                                                       "Не удалось запустить SANE (%1). %2")
                               .arg(statusText(status), noScannerMessage()));
    }
}

Scanner::~Scanner()
{
    close();
    sane_exit();
    g_saneInUse = false;
}

QList<ScannerDevice> Scanner::devices()
{
    const SANE_Device** list = nullptr;
    const SANE_Status status = sane_get_devices(&list, SANE_FALSE);
    if (status != SANE_STATUS_GOOD) {
        throw ScannerError(QCoreApplication::translate("Quillet::SaneScanner",
                                                       "Не удалось получить список сканеров (%1).")
                               .arg(statusText(status)));
    }
    QList<ScannerDevice> result;
    for (; list && *list; ++list) {
        const SANE_Device& d = **list;
        result.append({QString::fromUtf8(d.name), QString::fromUtf8(d.vendor),
                       QString::fromUtf8(d.model), QString::fromUtf8(d.type)});
    }
    if (result.isEmpty())
        throw ScannerError(noScannerMessage());
    return result;
}

void Scanner::open(const QString& name)
{
    close();
    SANE_Handle handle = nullptr;
    const SANE_Status status = sane_open(name.toUtf8().constData(), &handle);
    if (status != SANE_STATUS_GOOD || !handle) {
        throw ScannerError(QCoreApplication::translate("Quillet::SaneScanner",
                                                       "Не удалось открыть сканер «%1» (%2).")
                               .arg(name, statusText(status)));
    }
    m_handle = handle;
    m_deviceName = name;
}

void Scanner::close()
{
    if (m_handle)
        sane_close(handleOf(m_handle));
    m_handle = nullptr;
    m_deviceName.clear();
}

QString Scanner::deviceText() const
{
    return QCoreApplication::translate("Quillet::SaneScanner", "Сканер «%1»").arg(m_deviceName);
}

QList<int> Scanner::resolutions() const
{
    if (!m_handle)
        return {};
    const Option option = findOption(handleOf(m_handle), SANE_NAME_SCAN_RESOLUTION);
    return option.descriptor ? resolutionsOf(*option.descriptor) : QList<int>{};
}

int Scanner::defaultResolution() const
{
    const QList<int> offered = resolutions();
    int best = 0;
    for (int dpi : offered) {
        if (best == 0 || std::abs(dpi - PreferredResolution) < std::abs(best - PreferredResolution))
            best = dpi;
    }
    return best;
}

QStringList Scanner::colourModes() const
{
    QStringList result;
    if (!m_handle)
        return result;
    const Option option = findOption(handleOf(m_handle), SANE_NAME_SCAN_MODE);
    if (!option.descriptor || option.descriptor->type != SANE_TYPE_STRING
        || option.descriptor->constraint_type != SANE_CONSTRAINT_STRING_LIST)
        return result;
    for (const SANE_String_Const* s = option.descriptor->constraint.string_list; *s; ++s)
        result.append(QString::fromUtf8(*s));
    return result;
}

QString Scanner::defaultColourMode() const
{
    const QStringList modes = colourModes();
    for (const QString& mode : modes) {
        if (mode.contains(QLatin1String("color"), Qt::CaseInsensitive)
            || mode.contains(QLatin1String("colour"), Qt::CaseInsensitive))
            return mode;
    }
    if (modes.isEmpty())
        return {};
    const Option option = findOption(handleOf(m_handle), SANE_NAME_SCAN_MODE);
    QByteArray value(std::max<SANE_Int>(option.descriptor->size, 1) + 1, '\0');
    if (sane_control_option(handleOf(m_handle), option.index, SANE_ACTION_GET_VALUE, value.data(),
                            nullptr)
        != SANE_STATUS_GOOD)
        return modes.front();
    return QString::fromUtf8(value.constData());
}

namespace {

void setOption(SANE_Handle handle, const char* name, const QString& what, const QString& device,
               const std::function<void(const Option&, void*)>& fill)
{
    const Option option = findOption(handle, name);
    if (!option.descriptor || !SANE_OPTION_IS_SETTABLE(option.descriptor->cap)) {
        throw ScannerError(
            QCoreApplication::translate("Quillet::SaneScanner", "%1 не позволяет выбрать %2.")
                .arg(device, what));
    }
    std::vector<char> value(std::max<size_t>(option.descriptor->size, sizeof(SANE_Word)) + 1);
    fill(option, value.data());
    SANE_Int info = 0;
    const SANE_Status status =
        sane_control_option(handle, option.index, SANE_ACTION_SET_VALUE, value.data(), &info);
    if (status != SANE_STATUS_GOOD) {
        throw ScannerError(
            QCoreApplication::translate("Quillet::SaneScanner", "%1 не принял %2 (%3).")
                .arg(device, what, statusText(status)));
    }
}

void applySettings(SANE_Handle handle, const ScanSettings& settings, const QString& device)
{
    if (!settings.colourMode.isEmpty()) {
        const QByteArray mode = settings.colourMode.toUtf8();
        setOption(handle, SANE_NAME_SCAN_MODE,
                  QCoreApplication::translate("Quillet::SaneScanner", "режим «%1»")
                      .arg(settings.colourMode),
                  device, [&](const Option& o, void* value) {
                      if (o.descriptor->type != SANE_TYPE_STRING
                          || mode.size() >= o.descriptor->size)
                          throw ScannerError(QCoreApplication::translate("Quillet::SaneScanner",
                                                                         "%1 не знает режима «%2».")
                                                 .arg(device, settings.colourMode));
                      std::memcpy(value, mode.constData(), size_t(mode.size()));
                  });
    }
    if (settings.resolutionDpi > 0) {
        const int dpi = settings.resolutionDpi;
        setOption(handle, SANE_NAME_SCAN_RESOLUTION,
                  QCoreApplication::translate("Quillet::SaneScanner", "разрешение %1 dpi").arg(dpi),
                  device, [&](const Option& o, void* value) {
                      const SANE_Value_Type type = o.descriptor->type;
                      if (type != SANE_TYPE_INT && type != SANE_TYPE_FIXED)
                          throw ScannerError(QCoreApplication::translate("Quillet::SaneScanner",
                                                                         "%1 не позволяет выбрать "
                                                                         "разрешение.")
                                                 .arg(device));
                      // Some backends keep one resolution per axis in the same option.
                      const SANE_Word word = type == SANE_TYPE_FIXED ? SANE_FIX(dpi) : dpi;
                      auto* words = static_cast<SANE_Word*>(value);
                      const size_t count =
                          std::max<size_t>(size_t(o.descriptor->size) / sizeof(SANE_Word), 1);
                      std::fill(words, words + count, word);
                  });
    }
}

// The parameters of a frame this program can take: a known format and depth, the line
// length the pixel count needs, sides QImage can hold.
bool usable(const SANE_Parameters& p)
{
    if (p.format != SANE_FRAME_GRAY && p.format != SANE_FRAME_RGB && !isSeparateChannel(p.format))
        return false;
    if (p.depth != 1 && p.depth != 8 && p.depth != 16)
        return false;
    if (p.pixels_per_line <= 0 || p.pixels_per_line > MaxSide || p.lines > MaxSide || p.lines == 0
        || p.lines < -1)
        return false;
    const qint64 bits = qint64(p.pixels_per_line) * channelsOf(p.format) * p.depth;
    return p.bytes_per_line >= (bits + 7) / 8 && p.bytes_per_line <= 16 * qint64(MaxSide) * 3;
}

/// What reading a page needs besides the frame: `keepGoing` gets the fraction done and
/// answers false when the user cancelled.
struct ReadContext {
    SANE_Handle handle;
    QString device;
    std::function<bool(double)> keepGoing;
};

ScanCancelled cancelledError()
{
    return ScanCancelled(
        QCoreApplication::translate("Quillet::SaneScanner", "Сканирование отменено."));
}

ScannerError failure(const ReadContext& c, const QString& step, SANE_Status status)
{
    return ScannerError(QStringLiteral("%1: %2 (%3).").arg(c.device, step, statusText(status)));
}

/// Starts the next frame and reads its parameters; `previous` are the frames read before.
Frame startFrame(const ReadContext& c, const std::vector<Frame>& previous)
{
    SANE_Status status = sane_start(c.handle);
    // Only separate-channel frames follow others, three to a page.
    if (status == SANE_STATUS_CANCELLED || !c.keepGoing(double(previous.size()) / 3))
        throw cancelledError();
    if (status != SANE_STATUS_GOOD)
        throw failure(
            c,
            QCoreApplication::translate("Quillet::SaneScanner", "не удалось начать сканирование"),
            status);
    Frame frame;
    status = sane_get_parameters(c.handle, &frame.params);
    if (status != SANE_STATUS_GOOD)
        throw failure(c,
                      QCoreApplication::translate("Quillet::SaneScanner",
                                                  "не удалось узнать размер изображения"),
                      status);
    if (!usable(frame.params)) {
        throw ScannerError(QCoreApplication::translate("Quillet::SaneScanner",
                                                       "%1 передаёт изображение в виде, который "
                                                       "программа не принимает.")
                               .arg(c.device));
    }
    if (!previous.empty()
        && (!isSeparateChannel(frame.params.format)
            || frame.params.pixels_per_line != previous.front().params.pixels_per_line)) {
        throw ScannerError(
            QCoreApplication::translate("Quillet::SaneScanner",
                                        "%1 передал несогласованные части изображения.")
                .arg(c.device));
    }
    return frame;
}

/// Reads the started frame to its end; `framesBefore` of `framesInAll` are done.
void readFrame(const ReadContext& c, Frame& frame, int framesBefore)
{
    const SANE_Parameters& p = frame.params;
    const int framesInAll = isSeparateChannel(p.format) ? 3 : 1;
    const qint64 expected = qint64(p.lines > 0 ? p.lines : MaxSide) * p.bytes_per_line;
    std::vector<char> block(ReadBlockBytes);
    for (;;) {
        SANE_Int got = 0;
        const SANE_Status status = sane_read(c.handle, reinterpret_cast<SANE_Byte*>(block.data()),
                                             SANE_Int(block.size()), &got);
        if (status == SANE_STATUS_EOF)
            break;
        if (status == SANE_STATUS_CANCELLED)
            throw cancelledError();
        if (status != SANE_STATUS_GOOD)
            throw failure(c,
                          QCoreApplication::translate("Quillet::SaneScanner",
                                                      "ошибка при чтении изображения"),
                          status);
        const qint64 room = expected - frame.data.size();
        if (room <= 0 && p.lines < 0) {
            throw ScannerError(
                QCoreApplication::translate("Quillet::SaneScanner",
                                            "%1 передаёт изображение длиннее %2 строк.")
                    .arg(c.device)
                    .arg(MaxSide));
        }
        // A device that sends more than it announced gets its surplus dropped.
        frame.data.append(block.data(), qsizetype(std::clamp<qint64>(got, 0, room)));
        const double part = p.lines > 0 ? double(frame.data.size()) / double(expected) : 0;
        if (!c.keepGoing(std::min((framesBefore + part) / framesInAll, 1.0)))
            throw cancelledError();
    }
    // A page of unknown length has only now come to its end.
    if (p.lines < 0 && !c.keepGoing(double(framesBefore + 1) / framesInAll))
        throw cancelledError();
    frame.lines = int(frame.data.size() / p.bytes_per_line);
    if (frame.lines == 0)
        throw ScannerError(
            QCoreApplication::translate("Quillet::SaneScanner", "%1 не передал изображения.")
                .arg(c.device));
}

} // namespace

QImage Scanner::scan(const ScanSettings& settings, const ScanProgress& progress)
{
    if (!m_handle)
        throw ScannerError(
            QCoreApplication::translate("Quillet::SaneScanner", "Сканер не выбран."));
    m_cancel = false;
    const ReadContext context{handleOf(m_handle), deviceText(), [&](double fraction) {
                                  return !m_cancel && (!progress || progress(fraction))
                                         && !m_cancel;
                              }};
    applySettings(context.handle, settings, context.device);

    ScanGuard guard(context.handle);
    std::vector<Frame> frames;
    for (;;) {
        Frame frame = startFrame(context, frames);
        readFrame(context, frame, int(frames.size()));
        // Grey and RGB come whole; separate channels end with the third at the latest.
        const bool last = frame.params.last_frame || !isSeparateChannel(frame.params.format)
                          || frames.size() == 2;
        frames.push_back(std::move(frame));
        if (last)
            break;
    }
    if (frames.front().params.format == SANE_FRAME_GRAY)
        return greyImage(frames.front());
    return colourImage(frames);
}

void Scanner::cancel()
{
    m_cancel = true;
}

} // namespace Quillet
