// A window test on an offscreen screen of a given size: the offscreen
// screen takes its size from a configuration file at start, so the test
// runs itself again in a child process whose screen has that size.
#pragma once

#include <QCoreApplication>
#include <QGuiApplication>
#include <QProcess>
#include <QScreen>
#include <string>
#include <gtest/gtest.h>

#include "TempDir.h"

namespace vesk::test {

// True in the process whose screen is w x h: the test goes on there. Else
// the current test is run in a child process with that screen, its result
// checked here, and false returned.
inline bool NaEkranie(int w, int h) {
    const char* const znacznik = "VESK_TEST_EKRANU";
    const QScreen* s = QGuiApplication::primaryScreen();
    if (s && s->virtualGeometry().size() == QSize(w, h)) return true;
    if (!qEnvironmentVariableIsEmpty(znacznik)) {
        ADD_FAILURE() << "the screen of the test was not set up";
        return false;
    }
    TempDir dir;
    dir.write("ekran.json", "{\"screens\": [{\"name\": \"E\", \"x\": 0, \"y\": 0, \"width\": " + std::to_string(w) +
                                ", \"height\": " + std::to_string(h) +
                                ", \"logicalDpi\": 96, \"logicalBaseDpi\": 96, \"dpr\": 1}]}");
    const ::testing::TestInfo* t = ::testing::UnitTest::GetInstance()->current_test_info();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"),
               QStringLiteral("offscreen:configfile=") + QString::fromStdString(dir.file("ekran.json")));
    env.insert(QString::fromLatin1(znacznik), QStringLiteral("1"));
    QProcess p;
    p.setProcessEnvironment(env);
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(QCoreApplication::applicationFilePath(),
            {QStringLiteral("--gtest_filter=%1.%2").arg(QString::fromLatin1(t->test_suite_name()),
                                                        QString::fromLatin1(t->name()))});
    EXPECT_TRUE(p.waitForStarted(-1));
    EXPECT_TRUE(p.waitForFinished(-1));
    const QString wyjscie = QString::fromLocal8Bit(p.readAll());
    EXPECT_EQ(p.exitStatus(), QProcess::NormalExit) << wyjscie.toStdString();
    EXPECT_EQ(p.exitCode(), 0) << wyjscie.toStdString();
    EXPECT_TRUE(wyjscie.contains(QStringLiteral("[  PASSED  ] 1 test"))) << wyjscie.toStdString();
    return false;
}

}  // namespace vesk::test
