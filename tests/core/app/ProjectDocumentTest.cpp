// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/app/ProjectDocument.h"
#include "core/app/ProjectFile.h"
#include "core/common/Errors.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace Quillet;

class ProjectDocumentTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void projectIsOpen_data();
    void projectIsOpen();

private:
    QTemporaryDir m_dir;
};

namespace {

// What happens to a document that starts with no project.
enum class Step {
    Nothing,
    Edited,
    EditedBack,
    NamedMissing,
    LoadedMissing,
    LoadedDamaged,
    Loaded,
    Written,
    MadeNew
};

} // namespace

Q_DECLARE_METATYPE(Step)

void ProjectDocumentTest::projectIsOpen_data()
{
    QTest::addColumn<Step>("step");
    QTest::addColumn<bool>("open");
    QTest::newRow("a start without a project") << Step::Nothing << false;
    // Work in the unnamed project is a project to show, and to save.
    QTest::newRow("the unnamed project edited") << Step::Edited << true;
    QTest::newRow("the unnamed project edited and undone") << Step::EditedBack << false;
    QTest::newRow("a missing file named on the command line") << Step::NamedMissing << false;
    QTest::newRow("a missing file loaded") << Step::LoadedMissing << false;
    QTest::newRow("a damaged file loaded") << Step::LoadedDamaged << false;
    QTest::newRow("a project loaded") << Step::Loaded << true;
    QTest::newRow("the unnamed project saved") << Step::Written << true;
    QTest::newRow("a new project") << Step::MadeNew << true;
}

void ProjectDocumentTest::projectIsOpen()
{
    QFETCH(Step, step);
    QFETCH(bool, open);
    const QDir dir(m_dir.path());
    const QString saved = dir.filePath(QStringLiteral("saved.qlet"));
    const QString damaged = dir.filePath(QStringLiteral("damaged.qlet"));
    const QString missing = dir.filePath(QStringLiteral("missing.qlet"));
    ProjectFile::save(Project(), saved);
    QVERIFY(QuilletTest::writeFile(damaged, QByteArray("\x05\0\0\0\0\0\0\0ab", 10)));

    ProjectDocument document;
    switch (step) {
    case Step::Nothing:
        break;
    case Step::Edited:
    case Step::EditedBack:
        document.PushUndoSnapshot();
        document.project.Structure.fields.push_back(FieldNode{{QStringLiteral("0000"), false}, {}});
        if (step == Step::EditedBack)
            QVERIFY(document.Undo());
        break;
    case Step::NamedMissing:
        document.ProjectPath = missing;
        break;
    case Step::LoadedMissing:
        QVERIFY(!document.LoadProject(missing));
        break;
    case Step::LoadedDamaged:
        QVERIFY_THROWS_EXCEPTION(Error, document.LoadProject(damaged));
        break;
    case Step::Loaded:
        QVERIFY(document.LoadProject(saved));
        break;
    case Step::Written:
        document.WriteProjectFile(dir.filePath(QStringLiteral("written.qlet")));
        break;
    case Step::MadeNew:
        document.resetToNew(dir.filePath(QStringLiteral("Project1.qlet")), Project());
        break;
    }
    QCOMPARE(document.isProjectOpen(), open);
}

QTEST_GUILESS_MAIN(ProjectDocumentTest)
#include "ProjectDocumentTest.moc"
