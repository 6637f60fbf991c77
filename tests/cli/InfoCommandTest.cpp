// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "support/CliRun.h"
#include "support/TestSupport.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

class InfoCommandTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void demoProjectGivesJson();
    void badInputExitsTwoWithOneLine_data();
    void badInputExitsTwoWithOneLine();
};

namespace {

using Run = QuilletTest::CliRun;
using QuilletTest::runCli;

} // namespace

void InfoCommandTest::demoProjectGivesJson()
{
    const Run run = runCli({QStringLiteral("info"),
                            QuilletTest::sourcePath(QStringLiteral("examples/demo/demo.qlet"))});
    QCOMPARE(run.exitCode, 0);
    QJsonParseError error;
    const QJsonObject json = QJsonDocument::fromJson(run.out, &error).object();
    QCOMPARE(error.error, QJsonParseError::NoError);
    const QJsonObject page = json[QStringLiteral("page")].toObject();
    QCOMPARE(page[QStringLiteral("width_px")].toInt(), 2480);
    QCOMPARE(page[QStringLiteral("height_px")].toInt(), 3508);
    QCOMPARE(json[QStringLiteral("settings_lines")].toArray().size(), 13);
    const QJsonArray fields = json[QStringLiteral("fields")].toArray();
    QVERIFY(fields.size() >= 3);
    const QJsonObject first = fields[0].toObject();
    QCOMPARE(first[QStringLiteral("kind")].toString(), QStringLiteral("text"));
    QVERIFY(first[QStringLiteral("node")].toString().contains(QChar(8)));
    const QJsonObject block = first[QStringLiteral("blocks")].toArray()[0].toObject();
    QCOMPARE(block[QStringLiteral("px")].toArray().size(), 4);
    QVERIFY(json[QStringLiteral("background")].toObject()[QStringLiteral("jpeg_bytes")].toInt()
            > 0);
    // The tax number is the one comb field; the others show no comb items at all.
    int combFields = 0;
    for (const QJsonValue& field : fields) {
        const QJsonObject options = field.toObject()[QStringLiteral("options")].toObject();
        if (!options.contains(QStringLiteral("comb"))) {
            QVERIFY(!options.contains(QStringLiteral("dash")));
            QVERIFY(!options.contains(QStringLiteral("skip")));
            continue;
        }
        ++combFields;
        QCOMPARE(options[QStringLiteral("text")].toString(), QStringLiteral("=M2:M201"));
        QCOMPARE(options[QStringLiteral("comb")].toBool(), true);
        QCOMPARE(options[QStringLiteral("dash")].toBool(), true);
        QCOMPARE(options[QStringLiteral("skip")].toString(), QString());
    }
    QCOMPARE(combFields, 1);
    QVERIFY(run.err.isEmpty());
}

void InfoCommandTest::badInputExitsTwoWithOneLine_data()
{
    QTest::addColumn<QByteArray>("content"); // empty: no file at all
    QTest::addColumn<QStringList>("extra");
    const QByteArray demo =
        QuilletTest::readFile(QuilletTest::sourcePath(QStringLiteral("examples/demo/demo.qlet")));
    QTest::newRow("missing") << QByteArray() << QStringList();
    QTest::newRow("truncated") << demo.left(demo.size() / 2) << QStringList();
    QTest::newRow("garbage") << QByteArray(5000, '\xA7') << QStringList();
    QTest::newRow("cut in a length") << demo.left(4) << QStringList();
    QTest::newRow("unknown option") << demo << QStringList{QStringLiteral("--bogus")};
}

void InfoCommandTest::badInputExitsTwoWithOneLine()
{
    QFETCH(QByteArray, content);
    QFETCH(QStringList, extra);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("p.qlet"));
    if (!content.isEmpty()) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(content);
    }
    const Run run = runCli(QStringList{QStringLiteral("info"), path} + extra);
    QCOMPARE(run.exitCode, 2);
    QVERIFY(run.out.isEmpty());
    QVERIFY(!run.err.trimmed().isEmpty());
    if (extra.isEmpty())
        QCOMPARE(run.err.count('\n'), 1);
}

QTEST_GUILESS_MAIN(InfoCommandTest)
#include "InfoCommandTest.moc"
