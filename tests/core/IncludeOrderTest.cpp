// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

// The folders of src/core include one another in one direction only, in the order the
// README's "Include order" section lists them.

#include "support/TestSupport.h"

#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QTest>

namespace {

// The folder names of the README's "Include order" list, lowest first.
QStringList layerOrder()
{
    const QString readme =
        QString::fromUtf8(QuilletTest::readFile(QuilletTest::sourcePath("README.md")));
    const qsizetype start = readme.indexOf(QStringLiteral("\n## Include order\n"));
    if (start < 0)
        return {};
    const qsizetype end = readme.indexOf(QStringLiteral("\n## "), start + 1);
    const QString section = readme.mid(start, end < 0 ? -1 : end - start);
    static const QRegularExpression item(QStringLiteral("^\\d+\\. `([a-z]+)`"),
                                         QRegularExpression::MultilineOption);
    QStringList layers;
    for (auto it = item.globalMatch(section); it.hasNext();)
        layers << it.next().captured(1);
    return layers;
}

} // namespace

class IncludeOrderTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void coreIncludesPointDown_data();
    void coreIncludesPointDown();
};

void IncludeOrderTest::coreIncludesPointDown_data()
{
    QTest::addColumn<QString>("path");
    QDirIterator files(QuilletTest::sourcePath("src/core"), {"*.h", "*.cpp"}, QDir::Files,
                       QDirIterator::Subdirectories);
    QStringList paths;
    while (files.hasNext())
        paths << files.next();
    paths.sort();
    const qsizetype root = QuilletTest::sourcePath(QString()).size();
    for (const QString& path : paths)
        QTest::newRow(qPrintable(path.mid(root))) << path;
}

void IncludeOrderTest::coreIncludesPointDown()
{
    QFETCH(QString, path);
    const QStringList layers = layerOrder();
    QVERIFY2(layers.size() > 1, "README.md has no \"Include order\" list");
    static const QRegularExpression folderOf(QStringLiteral("/src/core/([a-z]+)/"));
    const QString own = folderOf.match(path).captured(1);
    const qsizetype ownLayer = layers.indexOf(own);
    QVERIFY2(ownLayer >= 0, qPrintable(QStringLiteral("src/core/%1 is not in README.md's "
                                                      "\"Include order\" list")
                                           .arg(own)));
    static const QRegularExpression include(
        QStringLiteral("^\\s*#\\s*include\\s+\"core/([a-z]+)/[^\"]*\""));
    const QStringList lines = QString::fromUtf8(QuilletTest::readFile(path)).split(u'\n');
    for (qsizetype n = 0; n < lines.size(); ++n) {
        const QRegularExpressionMatch match = include.match(lines[n]);
        if (!match.hasMatch())
            continue;
        const QString target = match.captured(1);
        const qsizetype targetLayer = layers.indexOf(target);
        QVERIFY2(targetLayer >= 0 && targetLayer <= ownLayer,
                 qPrintable(QStringLiteral("line %1: %2 — %3 lies below %4")
                                .arg(n + 1)
                                .arg(lines[n].trimmed(), own,
                                     targetLayer < 0 ? target + QStringLiteral(" (not listed)")
                                                     : target)));
    }
}

QTEST_GUILESS_MAIN(IncludeOrderTest)
#include "IncludeOrderTest.moc"
