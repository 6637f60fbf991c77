// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/app/ExampleProject.h"
#include "core/app/ProjectDocument.h"
#include "core/common/Errors.h"
#include "support/TestSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace Quillet;

class ExampleProjectTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void exampleIsFound_data();
    void exampleIsFound();
    void copyGoesToDocuments_data();
    void copyGoesToDocuments();
    void copyOpensAsTheExample_data();
    void copyOpensAsTheExample();
    void copyFailureIsReported_data();
    void copyFailureIsReported();

private:
    QTemporaryDir m_dir;
};

namespace {

const QString kSourceExample =
    QDir::cleanPath(QuilletTest::sourcePath(QStringLiteral("examples/demo")));

// `folder`/demo.qlet with `bytes`; true when written.
bool putProject(const QString& folder, const QByteArray& bytes)
{
    return QDir().mkpath(folder)
           && QuilletTest::writeFile(QDir(folder).filePath(ExampleProject::projectFileName()),
                                     bytes);
}

} // namespace

void ExampleProjectTest::exampleIsFound_data()
{
    QTest::addColumn<QString>("installed"); // what the installed folder holds
    QTest::addColumn<bool>("expectInstalled");
    QTest::newRow("installed beside the program") << "project" << true;
    // A program in the build tree has no share folder beside it.
    QTest::newRow("run from the build tree") << "nothing" << false;
    QTest::newRow("an installed folder without the project is passed over") << "folder" << false;
}

void ExampleProjectTest::exampleIsFound()
{
    QFETCH(QString, installed);
    QFETCH(bool, expectInstalled);
    const QDir prefix(m_dir.filePath(QStringLiteral("prefix-%1").arg(QTest::currentDataTag())));
    QVERIFY(prefix.mkpath(QStringLiteral("bin")));
    const QString shared = prefix.filePath(QStringLiteral("share/quillet/examples/demo"));
    if (installed == QLatin1String("project"))
        QVERIFY(putProject(shared, "installed"));
    else if (installed == QLatin1String("folder"))
        QVERIFY(QDir().mkpath(shared));

    const QString found = ExampleProject::findExampleFolder(prefix.filePath(QStringLiteral("bin")));
    QCOMPARE(found, expectInstalled ? QDir::cleanPath(shared) : kSourceExample);
    QVERIFY(QFileInfo(QDir(found).filePath(ExampleProject::projectFileName())).isFile());
}

void ExampleProjectTest::copyGoesToDocuments_data()
{
    QTest::addColumn<QString>("documents"); // relative to the temporary folder; "" for none
    QTest::addColumn<bool>("documentsExists");
    QTest::addColumn<QString>("parent"); // where the copy's folder is expected
    QTest::newRow("the documents folder") << "Документы" << true << "Документы";
    QTest::newRow("a documents folder that is not there") << "Documents" << false << "home";
    QTest::newRow("no documents folder") << "" << false << "home";
}

void ExampleProjectTest::copyGoesToDocuments()
{
    QFETCH(QString, documents);
    QFETCH(bool, documentsExists);
    QFETCH(QString, parent);
    const QDir root(m_dir.filePath(QStringLiteral("user-%1").arg(QTest::currentDataTag())));
    QVERIFY(root.mkpath(QStringLiteral("home")));
    if (documentsExists)
        QVERIFY(root.mkpath(documents));
    const QString documentsPath = documents.isEmpty() ? QString() : root.filePath(documents);

    const QString folder =
        ExampleProject::copyFolder(documentsPath, root.filePath(QStringLiteral("home")));
    QCOMPARE(folder, root.filePath(parent + QStringLiteral("/Quillet — пример")));
}

void ExampleProjectTest::copyOpensAsTheExample_data()
{
    QTest::addColumn<bool>("earlierCopy");
    QTest::newRow("into a new folder") << false;
    // The user agreed to replace it: an edited earlier copy becomes the example again.
    QTest::newRow("over an edited earlier copy") << true;
}

void ExampleProjectTest::copyOpensAsTheExample()
{
    QFETCH(bool, earlierCopy);
    const QString to =
        m_dir.filePath(QStringLiteral("copy-%1/Quillet — пример").arg(QTest::currentDataTag()));
    if (earlierCopy) {
        QVERIFY(putProject(to, "edited by the user"));
        QVERIFY(QuilletTest::writeFile(QDir(to).filePath(QStringLiteral("notes.txt")), "mine"));
    }

    ExampleProject::copyExample(kSourceExample, to);
    const QDir source(kSourceExample);
    for (const QString& name : source.entryList(QDir::Files)) {
        QCOMPARE(QuilletTest::readFile(QDir(to).filePath(name)),
                 QuilletTest::readFile(source.filePath(name)));
        QVERIFY(QFileInfo(QDir(to).filePath(name)).isWritable());
    }
    // What the user added beside the example is theirs.
    QCOMPARE(QFileInfo::exists(QDir(to).filePath(QStringLiteral("notes.txt"))), earlierCopy);
    // The copy finds its workbook and picture beside itself.
    ProjectDocument document;
    QVERIFY(document.LoadProject(QDir(to).filePath(ExampleProject::projectFileName())));
    QCOMPARE(document.project.settings.xlsFile, QStringLiteral("records.xlsx"));
    QVERIFY(QFileInfo(QDir(to).filePath(document.project.settings.xlsFile)).isFile());
}

void ExampleProjectTest::copyFailureIsReported_data()
{
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::addColumn<QString>("named"); // part of the message
    QTest::newRow("no example where it was looked for") << "nowhere"
                                                        << "copy"
                                                        << "nowhere";
    QTest::newRow("a file where the folder should be") << ""
                                                       << "file"
                                                       << "file";
}

void ExampleProjectTest::copyFailureIsReported()
{
    QFETCH(QString, from);
    QFETCH(QString, to);
    QFETCH(QString, named);
    const QDir root(m_dir.filePath(QStringLiteral("fail-%1").arg(QTest::currentDataTag())));
    QVERIFY(root.mkpath(QStringLiteral(".")));
    QVERIFY(QuilletTest::writeFile(root.filePath(QStringLiteral("file")), "not a folder"));
    const QString source = from.isEmpty() ? kSourceExample : root.filePath(from);
    try {
        ExampleProject::copyExample(source, root.filePath(to));
        QFAIL("no error");
    } catch (const FileError& e) {
        QVERIFY2(e.message().contains(root.filePath(named)), qPrintable(e.message()));
    }
}

QTEST_GUILESS_MAIN(ExampleProjectTest)
#include "ExampleProjectTest.moc"
