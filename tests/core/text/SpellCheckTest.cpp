// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

// Spell checking: words and their positions, the dictionary a text starts with, small
// dictionaries in two encodings, the personal word list on disk, and a check walked
// through its answers.

#include "core/common/Errors.h"
#include "core/text/SpellCheck.h"

#include "support/TestSupport.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Quillet;

namespace {

// "word@start" for each word, so a wrong boundary and a wrong position both show.
QStringList wordsAt(const QString& text)
{
    QStringList out;
    for (const WordSpan& span : splitWords(text))
        out.append(QStringLiteral("%1@%2").arg(text.mid(span.start, span.length)).arg(span.start));
    return out;
}

QList<SpellDictionary> named(const QStringList& names)
{
    QList<SpellDictionary> list;
    for (const QString& name : names)
        list.append({name, name + QStringLiteral(".aff"), name + QStringLiteral(".dic")});
    return list;
}

// Loading a dictionary needs Hunspell, which a build may be without.
const char* const WithoutHunspell =
    "the program is built without Hunspell (libhunspell-dev was not found)";

SpellDictionary testDictionary(const QString& folder)
{
    const QList<SpellDictionary> found =
        installedSpellDictionaries({QuilletTest::dataPath(QStringLiteral("text/") + folder)});
    if (found.size() != 1)
        qFatal("test dictionary %s missing", qPrintable(folder));
    return found.first();
}

} // namespace

class SpellCheckTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void words_data();
    void words();
    void defaultDictionary_data();
    void defaultDictionary();
    void dictionariesInTheirEncoding_data();
    void dictionariesInTheirEncoding();
    void brokenDictionariesAreRefused_data();
    void brokenDictionariesAreRefused();
    void personalDictionaryPersists();
    void sessionAnswers();
    void initialsAndShortForms();
    void firstLineComesBack_data();
    void firstLineComesBack();
    void buildWithoutHunspellSaysSo();

private:
    QTemporaryDir m_dir;
};

void SpellCheckTest::initTestCase()
{
    QVERIFY(m_dir.isValid());
}

void SpellCheckTest::words_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("latin and cyrillic")
        << QStringLiteral("Иванов, Ivan!  ёлка") << QStringList{"Иванов@0", "Ivan@8", "ёлка@15"};
    QTest::newRow("inner apostrophe and hyphen")
        << QStringLiteral("don't какой-то l’eau")
        << QStringList{"don't@0", "какой-то@6", "l’eau@15"};
    QTest::newRow("connectors at the edges are not letters")
        << QStringLiteral("'цитата' -тире- -- o'") << QStringList{"цитата@1", "тире@10", "o@19"};
    QTest::newRow("runs with digits are left out whole")
        << QStringLiteral("A4 2-й дом 10кг ООО") << QStringList{"дом@7", "ООО@16"};
    QTest::newRow("combining accent stays in the word")
        << QStringLiteral("заме\u0301тка, да") << QStringList{"заме\u0301тка@0", "да@10"};
    QTest::newRow("letters beyond the basic plane")
        << QStringLiteral("x \U0001D49C\U0001D49Cb y")
        << QStringList{"x@0", "\U0001D49C\U0001D49Cb@2", "y@8"};
    QTest::newRow("nothing to check") << QStringLiteral(" ,.;-'") << QStringList{};
}

void SpellCheckTest::words()
{
    QFETCH(QString, text);
    QFETCH(QStringList, expected);
    QCOMPARE(wordsAt(text), expected);
}

void SpellCheckTest::defaultDictionary_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("installed");
    QTest::addColumn<QString>("expected");
    const QStringList both{"de_DE", "en_GB", "en_US", "ru_RU", "ru_UA"};
    QTest::newRow("cyrillic") << QStringLiteral("Заявление Smith") << both << "ru_RU";
    QTest::newRow("latin") << QStringLiteral("Order for Ивановъ Ltd") << both << "en_US";
    QTest::newRow("as many of each: russian") << QStringLiteral("abc где") << both << "ru_RU";
    QTest::newRow("no letters: english") << QStringLiteral("12.05.2026") << both << "en_US";
    QTest::newRow("russian missing")
        << QStringLiteral("текст") << QStringList{"de_DE", "en_GB"} << "en_GB";
    QTest::newRow("english missing")
        << QStringLiteral("text") << QStringList{"de_DE", "ru_UA"} << "ru_UA";
    QTest::newRow("neither") << QStringLiteral("текст") << QStringList{"de_DE", "fr_FR"} << "de_DE";
    QTest::newRow("none installed") << QStringLiteral("текст") << QStringList{} << QString();
}

void SpellCheckTest::defaultDictionary()
{
    QFETCH(QString, text);
    QFETCH(QStringList, installed);
    QFETCH(QString, expected);
    const int index = defaultSpellDictionary(text, named(installed));
    QCOMPARE(index < 0 ? QString() : installed.at(index), expected);
}

void SpellCheckTest::dictionariesInTheirEncoding_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("encoding");
    QTest::newRow("KOI8-R") << QStringLiteral("spell-koi8") << QStringLiteral("KOI8-R");
    QTest::newRow("UTF-8") << QStringLiteral("spell-utf8") << QStringLiteral("UTF-8");
}

void SpellCheckTest::dictionariesInTheirEncoding()
{
    if (!spellCheckUnavailableReason().isEmpty())
        QSKIP(WithoutHunspell);
    QFETCH(QString, folder);
    QFETCH(QString, encoding);
    const SpellDictionary dictionary = testDictionary(folder);
    QCOMPARE(dictionary.name, QStringLiteral("ru_TEST"));
    QCOMPARE(dictionary.displayName(), QStringLiteral("Русский (ru_TEST)"));
    SpellChecker checker(dictionary, {QStringLiteral("Квиллет")});
    QCOMPARE(checker.encoding(), encoding);
    // A stem, a form made by the affix file, and a letter outside the basic alphabet.
    for (const char* word : {"корова", "коровы", "Корову", "ёжик", "Квиллет"})
        QVERIFY2(checker.isCorrect(QString::fromUtf8(word)), word);
    for (const char* word : {"карова", "ежик", "коровой", "cow"})
        QVERIFY2(!checker.isCorrect(QString::fromUtf8(word)), word);
    QCOMPARE(checker.suggestions(QStringLiteral("карова")).value(0), QStringLiteral("корова"));
    QCOMPARE(checker.suggestions(QStringLiteral("малоко")).value(0), QStringLiteral("молоко"));
    // Letters the encoding has no byte for: unknown, no suggestions, and still addable.
    QVERIFY(!checker.isCorrect(QStringLiteral("їжак")));
    QVERIFY(checker.suggestions(QStringLiteral("їжак")).isEmpty() || encoding == "UTF-8");
    checker.addWord(QStringLiteral("їжак"));
    QVERIFY(checker.isCorrect(QStringLiteral("їжак")));
}

void SpellCheckTest::brokenDictionariesAreRefused_data()
{
    QTest::addColumn<QByteArray>("affix");
    QTest::addColumn<bool>("removeWords");
    QTest::addColumn<QString>("message");
    QTest::newRow("unknown encoding") << QByteArray("SET NO-SUCH-CODE\n") << false
                                      << QStringLiteral("в неизвестной кодировке «NO-SUCH-CODE»");
    QTest::newRow("words gone after listing")
        << QByteArray("SET UTF-8\n") << true << QStringLiteral("Не удалось открыть словарь");
}

void SpellCheckTest::brokenDictionariesAreRefused()
{
    if (!spellCheckUnavailableReason().isEmpty())
        QSKIP(WithoutHunspell);
    QFETCH(QByteArray, affix);
    QFETCH(bool, removeWords);
    QFETCH(QString, message);
    const QDir folder(m_dir.filePath(QString::fromLatin1(QTest::currentDataTag())));
    QVERIFY(folder.mkpath(QStringLiteral(".")));
    for (const auto& [name, bytes] : {std::pair{"xx_XX.aff", affix}, {"xx_XX.dic", "1\nword\n"}}) {
        QFile file(folder.filePath(QString::fromLatin1(name)));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    }
    const QList<SpellDictionary> found = installedSpellDictionaries({folder.path()});
    QCOMPARE(found.size(), 1);
    if (removeWords)
        QVERIFY(QFile::remove(found.first().dicPath));
    try {
        SpellChecker checker(found.first(), {});
        QFAIL("the dictionary was taken");
    } catch (const FileError& error) {
        QVERIFY2(error.message().contains(message), qPrintable(error.message()));
    }
}

void SpellCheckTest::personalDictionaryPersists()
{
    const QString path = m_dir.filePath(QStringLiteral("config/sub/personal.dic"));
    qputenv("QUILLET_PERSONAL_DICTIONARY", path.toLocal8Bit());
    QCOMPARE(PersonalDictionary::defaultPath(), path);
    {
        PersonalDictionary personal;
        QVERIFY(personal.words().isEmpty());
        personal.add(QStringLiteral(" Квиллет "));
        personal.add(QStringLiteral("Квиллет"));
        personal.add(QStringLiteral("   "));
        personal.add(QStringLiteral("два\nслова"));
        personal.add(QStringLiteral("Quillet"));
    }
    QCOMPARE(QuilletTest::readFile(path), QByteArray("Квиллет\nQuillet\n"));
    PersonalDictionary reread;
    QCOMPARE(reread.words(), (QStringList{"Квиллет", "Quillet"}));
    // A folder that cannot be made (a file stands in its place): the word is refused and
    // the list stays as it was.
    QFile blocker(m_dir.filePath(QStringLiteral("blocked")));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    PersonalDictionary unwritable(blocker.fileName() + QStringLiteral("/personal.dic"));
    QVERIFY_THROWS_EXCEPTION(FileError, unwritable.add(QStringLiteral("слово")));
    QVERIFY(unwritable.words().isEmpty());
    qunsetenv("QUILLET_PERSONAL_DICTIONARY");

    if (!spellCheckUnavailableReason().isEmpty())
        QSKIP(WithoutHunspell);
    // Every checker loaded from now on accepts them, whatever its encoding.
    SpellChecker checker(testDictionary(QStringLiteral("spell-koi8")), reread.words());
    QVERIFY(checker.isCorrect(QStringLiteral("Квиллет")));
    QVERIFY(checker.isCorrect(QStringLiteral("Quillet")));
}

void SpellCheckTest::sessionAnswers()
{
    if (!spellCheckUnavailableReason().isEmpty())
        QSKIP(WithoutHunspell);
    const QString path = m_dir.filePath(QStringLiteral("session.dic"));
    PersonalDictionary personal(path);
    SpellSession session(QStringLiteral("карова, малако: карова сено; Квиллет малако. ежик ежик"),
                         personal);
    QVERIFY(session.finished());
    session.setDictionary(testDictionary(QStringLiteral("spell-koi8")));
    QCOMPARE(session.current()->word, QStringLiteral("карова"));
    QCOMPARE(session.current()->span, (WordSpan{0, 6}));
    QCOMPARE(session.current()->suggestions.value(0), QStringLiteral("корова"));
    session.replaceAll(QStringLiteral("корова"));
    QCOMPARE(session.current()->word, QStringLiteral("малако"));
    session.skip();
    // The second "карова" was replaced on the way without stopping.
    QCOMPARE(session.current()->word, QStringLiteral("Квиллет"));
    QCOMPARE(session.current()->span.start, qsizetype(29));
    session.addToDictionary();
    QCOMPARE(session.current()->word, QStringLiteral("малако"));
    session.replace(QStringLiteral("молоко"));
    QCOMPARE(session.current()->word, QStringLiteral("ежик"));
    session.skipAll();
    QVERIFY(session.finished());
    QCOMPARE(session.text(),
             QStringLiteral("корова, малако: корова сено; Квиллет молоко. ежик ежик"));
    QCOMPARE(QuilletTest::readFile(path), QByteArray("Квиллет\n"));

    // Another dictionary starts over from the beginning; skip-all still holds and the
    // personal word is known to it too.
    session.setDictionary(testDictionary(QStringLiteral("spell-utf8")));
    QCOMPARE(session.current()->word, QStringLiteral("малако"));
    session.replace(QStringLiteral("молоко"));
    QVERIFY(session.finished());
    QCOMPARE(session.result(),
             QStringLiteral("корова, молоко: корова сено; Квиллет молоко. ежик ежик"));
}

void SpellCheckTest::initialsAndShortForms()
{
    if (!spellCheckUnavailableReason().isEmpty())
        QSKIP(WithoutHunspell);
    PersonalDictionary personal(m_dir.filePath(QStringLiteral("unused.dic")));
    SpellSession session(QStringLiteral("г. П.С. ул. Корова. д.5 к ул карова"), personal);
    session.setDictionary(testDictionary(QStringLiteral("spell-koi8")));
    QStringList stops;
    for (; !session.finished(); session.skip())
        stops.append(session.current()->word);
    // A letter or a listed short form without its dot is a word like any other.
    QCOMPARE(stops, (QStringList{"к", "ул", "карова"}));
}

void SpellCheckTest::firstLineComesBack_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("replacement");
    QTest::addColumn<QString>("expected");
    QTest::newRow("one line") << QStringLiteral("сено карова") << QStringLiteral("корова")
                              << QStringLiteral("сено корова");
    QTest::newRow("CR in the text")
        << QStringLiteral("карова\rсено") << QStringLiteral("корова") << QStringLiteral("корова");
    QTest::newRow("LF in the text")
        << QStringLiteral("сено\nкарова") << QStringLiteral("x") << QStringLiteral("сено");
    QTest::newRow("line break typed as replacement")
        << QStringLiteral("сено карова сено") << QStringLiteral("корова\r\nбык")
        << QStringLiteral("сено корова");
    QTest::newRow("empty replacement") << QStringLiteral("карова") << QString() << QString();
}

void SpellCheckTest::firstLineComesBack()
{
    if (!spellCheckUnavailableReason().isEmpty())
        QSKIP(WithoutHunspell);
    QFETCH(QString, text);
    QFETCH(QString, replacement);
    QFETCH(QString, expected);
    PersonalDictionary personal(m_dir.filePath(QStringLiteral("unused.dic")));
    SpellSession session(text, personal);
    session.setDictionary(testDictionary(QStringLiteral("spell-utf8")));
    session.replace(replacement);
    QCOMPARE(session.result(), expected);
    QCOMPARE(checkedFirstLine(session.text()), expected);
}

void SpellCheckTest::buildWithoutHunspellSaysSo()
{
    const QString reason = spellCheckUnavailableReason();
    if (reason.isEmpty())
        QSKIP("the program is built with Hunspell");
    QVERIFY2(reason.contains(QStringLiteral("libhunspell-dev")), qPrintable(reason));
    try {
        SpellChecker checker(testDictionary(QStringLiteral("spell-utf8")), {});
        QFAIL("a dictionary loaded without Hunspell");
    } catch (const FileError& error) {
        QCOMPARE(error.message(), reason);
    }
}

QTEST_GUILESS_MAIN(SpellCheckTest)
#include "SpellCheckTest.moc"
