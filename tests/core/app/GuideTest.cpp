// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "core/app/Guide.h"

#include <QTest>

using namespace Quillet;

class GuideTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void guideFollowsTheLanguage_data();
    void guideFollowsTheLanguage();
};

void GuideTest::guideFollowsTheLanguage_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("file");
    QTest::newRow("Russian in Russia") << "ru_RU"
                                       << "guide_ru.html";
    QTest::newRow("Russian in Ukraine") << "ru_UA"
                                        << "guide_ru.html";
    QTest::newRow("Russian alone") << "ru"
                                   << "guide_ru.html";
    QTest::newRow("the environment's spelling") << "ru_RU.UTF-8"
                                                << "guide_ru.html";
    QTest::newRow("English") << "en_US"
                             << "guide_en.html";
    QTest::newRow("German") << "de_DE"
                            << "guide_en.html";
    QTest::newRow("a language that starts like Russian") << "rue_UA"
                                                         << "guide_en.html";
    QTest::newRow("the C locale") << "C"
                                  << "guide_en.html";
    QTest::newRow("none") << ""
                          << "guide_en.html";
}

void GuideTest::guideFollowsTheLanguage()
{
    QFETCH(QString, locale);
    QFETCH(QString, file);
    QCOMPARE(guideFileName(locale), file);
}

QTEST_GUILESS_MAIN(GuideTest)
#include "GuideTest.moc"
