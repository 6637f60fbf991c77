// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/numfmt/NumberFormatLocale.h"

namespace Quillet {

namespace {

QStringList split(const char* words)
{
    return QString::fromUtf8(words).split(QLatin1Char(' '));
}

FormatLocale englishLocale()
{
    FormatLocale f;
    f.decimal = QStringLiteral(".");
    f.group = QStringLiteral(",");
    f.dateSeparator = QStringLiteral("/");
    f.timeSeparator = QStringLiteral(":");
    f.monthsFull = split("January February March April May June July August September "
                         "October November December");
    f.monthsGenitive = f.monthsFull;
    f.monthsAbbr = split("Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec");
    f.monthsAbbrGenitive = f.monthsAbbr;
    f.daysFull = split("Monday Tuesday Wednesday Thursday Friday Saturday Sunday");
    f.daysAbbr = split("Mon Tue Wed Thu Fri Sat Sun");
    f.am = QStringLiteral("AM");
    f.pm = QStringLiteral("PM");
    f.trueWord = QStringLiteral("TRUE");
    f.falseWord = QStringLiteral("FALSE");
    f.systemLongDate = QStringLiteral("dddd, mmmm d, yyyy");
    f.systemTime = QStringLiteral("hh:mm:ss AM/PM");
    f.language = QLocale::English;
    return f;
}

FormatLocale russianLocale()
{
    FormatLocale f;
    f.decimal = QStringLiteral(",");
    f.group = QString(QChar(0x00A0));
    f.dateSeparator = QStringLiteral(".");
    f.timeSeparator = QStringLiteral(":");
    f.monthsFull = split("Январь Февраль Март Апрель Май Июнь Июль Август Сентябрь Октябрь "
                         "Ноябрь Декабрь");
    f.monthsGenitive = split("января февраля марта апреля мая июня июля августа сентября "
                             "октября ноября декабря");
    f.monthsAbbr = split("янв фев мар апр май июн июл авг сен окт ноя дек");
    f.monthsAbbrGenitive = f.monthsAbbr;
    f.daysFull = split("понедельник вторник среда четверг пятница суббота воскресенье");
    f.daysAbbr = split("Пн Вт Ср Чт Пт Сб Вс");
    f.am = QStringLiteral("AM");
    f.pm = QStringLiteral("PM");
    f.trueWord = QStringLiteral("ИСТИНА");
    f.falseWord = QStringLiteral("ЛОЖЬ");
    f.systemLongDate = QStringLiteral("dddd, dd mmmm, yyyy");
    f.systemTime = QStringLiteral("hh:mm:ss");
    f.language = QLocale::Russian;
    return f;
}

FormatLocale qtLocale(const QLocale& locale)
{
    FormatLocale f = englishLocale();
    f.language = locale.language();
    f.decimal = locale.decimalPoint();
    f.group = locale.groupSeparator();
    // A date separator is the first non-letter of the short date format.
    const QString shortDate = locale.dateFormat(QLocale::ShortFormat);
    for (const QChar c : shortDate) {
        if (!c.isLetter()) {
            f.dateSeparator = c;
            break;
        }
    }
    for (int m = 1; m <= 12; ++m) {
        f.monthsFull[m - 1] = locale.standaloneMonthName(m, QLocale::LongFormat);
        f.monthsGenitive[m - 1] = locale.monthName(m, QLocale::LongFormat);
        f.monthsAbbr[m - 1] = locale.standaloneMonthName(m, QLocale::ShortFormat);
        f.monthsAbbrGenitive[m - 1] = locale.monthName(m, QLocale::ShortFormat);
    }
    for (int d = 1; d <= 7; ++d) {
        f.daysFull[d - 1] = locale.dayName(d, QLocale::LongFormat);
        f.daysAbbr[d - 1] = locale.dayName(d, QLocale::ShortFormat);
    }
    if (locale.timeFormat(QLocale::LongFormat).contains(QLatin1Char('a'), Qt::CaseInsensitive))
        f.systemTime = QStringLiteral("hh:mm:ss AM/PM");
    else
        f.systemTime = QStringLiteral("hh:mm:ss");
    return f;
}

struct LanguageId {
    unsigned id;
    QLocale::Language language;
    QLocale::Territory territory;
};

const LanguageId LanguageIds[] = {
    {0x0409, QLocale::English, QLocale::UnitedStates},
    {0x0809, QLocale::English, QLocale::UnitedKingdom},
    {0x0C09, QLocale::English, QLocale::Australia},
    {0x1009, QLocale::English, QLocale::Canada},
    {0x0419, QLocale::Russian, QLocale::Russia},
    {0x0422, QLocale::Ukrainian, QLocale::Ukraine},
    {0x0423, QLocale::Belarusian, QLocale::Belarus},
    {0x043F, QLocale::Kazakh, QLocale::Kazakhstan},
    {0x0407, QLocale::German, QLocale::Germany},
    {0x040C, QLocale::French, QLocale::France},
    {0x0410, QLocale::Italian, QLocale::Italy},
    {0x0C0A, QLocale::Spanish, QLocale::Spain},
    {0x040A, QLocale::Spanish, QLocale::Spain},
    {0x0415, QLocale::Polish, QLocale::Poland},
    {0x0405, QLocale::Czech, QLocale::CzechRepublic},
    {0x0413, QLocale::Dutch, QLocale::Netherlands},
    {0x0416, QLocale::Portuguese, QLocale::Brazil},
    {0x0816, QLocale::Portuguese, QLocale::Portugal},
    {0x041D, QLocale::Swedish, QLocale::Sweden},
    {0x0411, QLocale::Japanese, QLocale::Japan},
    {0x0804, QLocale::Chinese, QLocale::China},
};

} // namespace

FormatLocale makeFormatLocale(const QLocale& locale)
{
    switch (locale.language()) {
    case QLocale::Russian:
        return russianLocale();
    case QLocale::English:
    case QLocale::C: {
        FormatLocale f = englishLocale();
        if (locale.language() == QLocale::English && locale.territory() != QLocale::UnitedStates) {
            f.decimal = locale.decimalPoint();
            f.group = locale.groupSeparator();
        }
        return f;
    }
    default:
        return qtLocale(locale);
    }
}

bool localeForLanguageId(unsigned id, QLocale* locale)
{
    for (const LanguageId& known : LanguageIds) {
        if (known.id == id) {
            *locale = QLocale(known.language, known.territory);
            return true;
        }
    }
    return false;
}

namespace {

QString englishBuiltin(int id)
{
    switch (id) {
    case 5:
        return QStringLiteral("\"$\"#,##0_);(\"$\"#,##0)");
    case 6:
        return QStringLiteral("\"$\"#,##0_);[Red](\"$\"#,##0)");
    case 7:
        return QStringLiteral("\"$\"#,##0.00_);(\"$\"#,##0.00)");
    case 8:
        return QStringLiteral("\"$\"#,##0.00_);[Red](\"$\"#,##0.00)");
    case 14:
        return QStringLiteral("m/d/yyyy");
    case 15:
        return QStringLiteral("d-mmm-yy");
    case 16:
        return QStringLiteral("d-mmm");
    case 17:
        return QStringLiteral("mmm-yy");
    case 22:
        return QStringLiteral("m/d/yyyy h:mm");
    case 37:
        return QStringLiteral("#,##0_);(#,##0)");
    case 38:
        return QStringLiteral("#,##0_);[Red](#,##0)");
    case 39:
        return QStringLiteral("#,##0.00_);(#,##0.00)");
    case 40:
        return QStringLiteral("#,##0.00_);[Red](#,##0.00)");
    case 41:
        return QStringLiteral("_(* #,##0_);_(* \\(#,##0\\);_(* \"-\"_);_(@_)");
    case 42:
        return QStringLiteral("_(\"$\"* #,##0_);_(\"$\"* \\(#,##0\\);_(\"$\"* \"-\"_);_(@_)");
    case 43:
        return QStringLiteral("_(* #,##0.00_);_(* \\(#,##0.00\\);_(* \"-\"??_);_(@_)");
    case 44:
        return QStringLiteral(
            "_(\"$\"* #,##0.00_);_(\"$\"* \\(#,##0.00\\);_(\"$\"* \"-\"??_);_(@_)");
    default:
        return {};
    }
}

QString russianBuiltin(int id)
{
    switch (id) {
    case 5:
        return QStringLiteral("#,##0\"р.\";-#,##0\"р.\"");
    case 6:
        return QStringLiteral("#,##0\"р.\";[Red]-#,##0\"р.\"");
    case 7:
        return QStringLiteral("#,##0.00\"р.\";-#,##0.00\"р.\"");
    case 8:
        return QStringLiteral("#,##0.00\"р.\";[Red]-#,##0.00\"р.\"");
    case 14:
        return QStringLiteral("dd.mm.yyyy");
    case 15:
        return QStringLiteral("dd.mmm.yy");
    case 16:
        return QStringLiteral("dd.mmm");
    case 17:
        return QStringLiteral("mmm.yy");
    case 22:
        return QStringLiteral("dd.mm.yyyy h:mm");
    case 37:
        return QStringLiteral("#,##0_р_.;-#,##0_р_.");
    case 38:
        return QStringLiteral("#,##0_р_.;[Red]-#,##0_р_.");
    case 39:
        return QStringLiteral("#,##0.00_р_.;-#,##0.00_р_.");
    case 40:
        return QStringLiteral("#,##0.00_р_.;[Red]-#,##0.00_р_.");
    case 41:
        return QStringLiteral("_-* #,##0_р_._-;\\-* #,##0_р_._-;_-* \"-\"_р_._-;_-@_-");
    case 42:
        return QStringLiteral("_-* #,##0\"р.\"_-;\\-* #,##0\"р.\"_-;_-* \"-\"\"р.\"_-;_-@_-");
    case 43:
        return QStringLiteral("_-* #,##0.00_р_._-;\\-* #,##0.00_р_._-;_-* \"-\"??_р_._-;_-@_-");
    case 44:
        return QStringLiteral(
            "_-* #,##0.00\"р.\"_-;\\-* #,##0.00\"р.\"_-;_-* \"-\"??\"р.\"_-;_-@_-");
    default:
        return {};
    }
}

// Other languages: the short date of the locale with a four-digit year.
QString localeShortDate(const QLocale& locale)
{
    QString code = locale.dateFormat(QLocale::ShortFormat).toLower();
    if (!code.contains(QLatin1String("yyyy")))
        code.replace(QLatin1String("yy"), QLatin1String("yyyy"));
    return code;
}

} // namespace

QString builtinFormatCode(int id, const QLocale& locale)
{
    switch (id) {
    case 1:
        return QStringLiteral("0");
    case 2:
        return QStringLiteral("0.00");
    case 3:
        return QStringLiteral("#,##0");
    case 4:
        return QStringLiteral("#,##0.00");
    case 9:
        return QStringLiteral("0%");
    case 10:
        return QStringLiteral("0.00%");
    case 11:
        return QStringLiteral("0.00E+00");
    case 12:
        return QStringLiteral("# ?/?");
    case 13:
        return QStringLiteral("# ?\?/?\?");
    case 18:
        return QStringLiteral("h:mm AM/PM");
    case 19:
        return QStringLiteral("h:mm:ss AM/PM");
    case 20:
        return QStringLiteral("h:mm");
    case 21:
        return QStringLiteral("h:mm:ss");
    case 45:
        return QStringLiteral("mm:ss");
    case 46:
        return QStringLiteral("[h]:mm:ss");
    case 47:
        return QStringLiteral("mm:ss.0");
    case 48:
        return QStringLiteral("##0.0E+0");
    case 49:
        return QStringLiteral("@");
    default:
        break;
    }
    if (locale.language() == QLocale::Russian)
        return russianBuiltin(id);
    if (locale.language() == QLocale::English || locale.language() == QLocale::C)
        return englishBuiltin(id);
    if (id == 14)
        return localeShortDate(locale);
    if (id == 22)
        return localeShortDate(locale) + QStringLiteral(" h:mm");
    return englishBuiltin(id);
}

} // namespace Quillet
