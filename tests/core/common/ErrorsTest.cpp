// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

// The reasons Qt and the C library give in English, said in Russian where a message
// quotes them.

#include "core/app/ProjectFile.h"
#include "core/common/Errors.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace Quillet;

class ErrorsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void reasons_data();
    void reasons();
    void projectFileMessages_data();
    void projectFileMessages();
};

void ErrorsTest::reasons_data()
{
    QTest::addColumn<QString>("reason");
    QTest::addColumn<QString>("said");
    QTest::newRow("strerror") << "Permission denied"
                              << "нет прав доступа";
    QTest::newRow("QProcess names the call first") << "execvp: No such file or directory"
                                                   << "нет такого файла или папки";
    QTest::newRow("QImageWriter names the device first")
        << "Cannot open device for writing: No space left on device"
        << "на диске нет места";
    QTest::newRow("a full stop") << "Unsupported image format."
                                 << "формат изображения не поддерживается";
    QTest::newRow("unknown stays as it is") << "Stale file handle"
                                            << "Stale file handle";
    QTest::newRow("unknown after a known prefix stays whole") << "execvp: Stale file handle"
                                                              << "execvp: Stale file handle";
    QTest::newRow("already Russian") << "Нет такого файла или каталога"
                                     << "Нет такого файла или каталога";
}

void ErrorsTest::reasons()
{
    QFETCH(QString, reason);
    QFETCH(QString, said);
    QCOMPARE(reasonInRussian(reason), said);
}

void ErrorsTest::projectFileMessages_data()
{
    QTest::addColumn<bool>("saving");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("message");
    QTest::newRow("opening a folder") << false << "folder.qlet"
                                      << "Не удаётся открыть файл проекта %1: это папка";
    QTest::newRow("saving over a folder") << true << "folder.qlet"
                                          << "Не удаётся записать файл проекта %1: это папка";
    QTest::newRow("saving into a missing folder")
        << true << "missing/form.qlet"
        << "Не удаётся записать файл проекта %1: нет такого файла или папки";
}

void ErrorsTest::projectFileMessages()
{
    QFETCH(bool, saving);
    QFETCH(QString, name);
    QFETCH(QString, message);
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder.qlet")));
    const QString path = dir.filePath(name);
    try {
        if (saving)
            ProjectFile::save(Project(), path);
        else
            ProjectFile::load(path);
        QFAIL("no error");
    } catch (const FileError& e) {
        QCOMPARE(e.message(), message.arg(path));
    }
}

QTEST_GUILESS_MAIN(ErrorsTest)
#include "ErrorsTest.moc"
