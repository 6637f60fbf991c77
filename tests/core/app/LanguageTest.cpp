// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/app/Language.h"
#include "core/app/UserSettings.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

using namespace Quillet;

namespace {

struct TsMessage {
    QString context;
    QString source;
    QStringList translations;
    QString type; // "", "unfinished", "vanished", "obsolete"
};

std::vector<TsMessage> readTs(const QString& path)
{
    std::vector<TsMessage> messages;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return messages;
    QXmlStreamReader xml(&file);
    QString context;
    TsMessage current;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        const auto name = xml.name();
        if (name == QLatin1String("context")) {
            context.clear();
        } else if (name == QLatin1String("name")) {
            context = xml.readElementText();
        } else if (name == QLatin1String("message")) {
            current = TsMessage{context, {}, {}, {}};
        } else if (name == QLatin1String("source")) {
            current.source = xml.readElementText(QXmlStreamReader::IncludeChildElements);
        } else if (name == QLatin1String("translation")) {
            current.type = xml.attributes().value(QLatin1String("type")).toString();
            // Numerus forms come together: each keeps the source's placeholders.
            const QString text = xml.readElementText(QXmlStreamReader::IncludeChildElements);
            if (!text.isEmpty())
                current.translations << text;
            messages.push_back(current);
        }
    }
    if (xml.hasError())
        messages.push_back({QStringLiteral("XML"), xml.errorString(), {}, QStringLiteral("error")});
    return messages;
}

QSet<QString> placeholders(const QString& text)
{
    static const QRegularExpression marker(QStringLiteral("%(\\d+|n)"));
    QSet<QString> found;
    for (const auto& match : marker.globalMatch(text))
        found.insert(match.captured());
    return found;
}

} // namespace

class LanguageTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void languageFollowsTheChoice_data();
    void languageFollowsTheChoice();
    void choiceIsKept();
    void translationsAreComplete_data();
    void translationsAreComplete();
    void englishIsEmbedded();
};

void LanguageTest::languageFollowsTheChoice_data()
{
    QTest::addColumn<InterfaceLanguage>("choice");
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("code");
    const auto row = [](const char* name, InterfaceLanguage choice, const char* locale,
                        const char* code) {
        QTest::newRow(name) << choice << QString::fromLatin1(locale) << QString::fromLatin1(code);
    };
    row("system Russian", InterfaceLanguage::System, "ru_RU", "ru");
    row("system Russian of Ukraine", InterfaceLanguage::System, "ru_UA", "ru");
    row("system English", InterfaceLanguage::System, "en_US", "en");
    row("system German", InterfaceLanguage::System, "de_DE", "en");
    row("system Ukrainian", InterfaceLanguage::System, "uk_UA", "en");
    row("system C", InterfaceLanguage::System, "C", "en");
    row("Russian chosen on an English system", InterfaceLanguage::Russian, "en_US", "ru");
    row("English chosen on a Russian system", InterfaceLanguage::English, "ru_RU", "en");
}

void LanguageTest::languageFollowsTheChoice()
{
    QFETCH(InterfaceLanguage, choice);
    QFETCH(QString, locale);
    QFETCH(QString, code);
    QCOMPARE(interfaceLanguageCode(choice, QLocale(locale)), code);
}

void LanguageTest::choiceIsKept()
{
    QTemporaryDir dir;
    const QString ini = QDir(dir.path()).filePath(QStringLiteral("settings.ini"));
    for (const InterfaceLanguage choice :
         {InterfaceLanguage::English, InterfaceLanguage::Russian, InterfaceLanguage::System}) {
        UserSettings(ini).setInterfaceLanguage(choice);
        QCOMPARE(UserSettings(ini).interfaceLanguage(), choice);
    }
    // The language is a value, not a group: it never shows as a page size.
    UserSettings(ini).setInterfaceLanguage(InterfaceLanguage::English);
    QVERIFY(!UserSettings(ini).pageSizeNames().contains(QStringLiteral("language")));
}

void LanguageTest::translationsAreComplete_data()
{
    QTest::addColumn<QString>("file");
    const QDir translations(QStringLiteral(QUILLET_SOURCE_DIR "/translations"));
    for (const QString& name : translations.entryList({QStringLiteral("*.ts")}))
        QTest::newRow(qPrintable(name)) << translations.filePath(name);
}

// The committed file, brought up to date with the sources as it would be by
// update_translations: every text the sources give must be translated, none may be left
// over from texts that are gone, and a translation keeps its source's placeholders.
void LanguageTest::translationsAreComplete()
{
    QFETCH(QString, file);
    QTemporaryDir dir;
    const QString updated = QDir(dir.path()).filePath(QFileInfo(file).fileName());
    QVERIFY(QFile::copy(file, updated));
    QFile::setPermissions(updated, QFile::ReadOwner | QFile::WriteOwner);
    QProcess lupdate;
    lupdate.start(QStringLiteral(QUILLET_LUPDATE_PATH),
                  {QStringLiteral("-silent"), QStringLiteral("-locations"), QStringLiteral("none"),
                   QStringLiteral("-I"), QStringLiteral(QUILLET_SOURCE_DIR "/src"),
                   QStringLiteral(QUILLET_SOURCE_DIR "/src"), QStringLiteral("-ts"), updated});
    QVERIFY2(lupdate.waitForFinished(120000), "lupdate did not finish");
    QVERIFY2(lupdate.exitCode() == 0, lupdate.readAllStandardError().constData());

    const std::vector<TsMessage> messages = readTs(updated);
    QVERIFY(!messages.empty());
    QStringList faults;
    for (const TsMessage& m : messages) {
        const QString where = m.context + QStringLiteral(": ") + m.source;
        if (!m.type.isEmpty()) {
            faults << m.type + QStringLiteral(" — ") + where;
            continue;
        }
        for (const QString& translation : m.translations) {
            if (translation.isEmpty() || placeholders(translation) != placeholders(m.source))
                faults << QStringLiteral("placeholders differ — ") + where + QStringLiteral(" → ")
                              + translation;
        }
    }
    QVERIFY2(faults.isEmpty(),
             qPrintable(QStringLiteral("%1 entries to mend, first ones:\n").arg(faults.size())
                        + faults.mid(0, 30).join(QLatin1Char('\n'))));
}

// The built translation is inside the program and speaks English.
void LanguageTest::englishIsEmbedded()
{
    QVERIFY(installTranslations(*QCoreApplication::instance(), QStringLiteral("en")));
    QCOMPARE(currentInterfaceLanguage(), QStringLiteral("en"));
    const QString translated = QCoreApplication::translate(
        "Quillet::BlockDivision", "Значение поля пусто: число колонок не изменено.");
    QVERIFY(!translated.isEmpty());
    QVERIFY2(!translated.contains(QRegularExpression(QStringLiteral("[а-яА-ЯёЁ]"))),
             qPrintable(translated));
}

QTEST_GUILESS_MAIN(LanguageTest)
#include "LanguageTest.moc"
