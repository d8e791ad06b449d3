// The main window on a 1280 x 1024 screen: the window lies on the screen
// and every control of the tree tab's button rows lies whole inside the
// window and inside its page. The offscreen screen takes its size from a
// configuration file at start, so the test runs itself again in a process
// whose screen has that size.
#include <QApplication>
#include <QProcess>
#include <QScreen>
#include <gtest/gtest.h>

#include "Aplikacja.h"
#include "OknoGlowne.h"
#include "TempDir.h"
#include "Warsztat.h"

namespace vesk {
namespace {

constexpr int SzerokoscEkranu = 1280, WysokoscEkranu = 1024;
const char* const ZnacznikPotomka = "VESK_TEST_EKRANU_1280";

bool ekranTestu() {
    const QScreen* s = QGuiApplication::primaryScreen();
    return s && s->virtualGeometry().size() == QSize(SzerokoscEkranu, WysokoscEkranu);
}

// Runs the current test in a child process with the screen of the test.
void uruchomNaEkranieTestu() {
    test::TempDir dir;
    dir.write("ekran.json", "{\"screens\": [{\"name\": \"E\", \"x\": 0, \"y\": 0, \"width\": " +
                                std::to_string(SzerokoscEkranu) + ", \"height\": " + std::to_string(WysokoscEkranu) +
                                ", \"logicalDpi\": 96, \"logicalBaseDpi\": 96, \"dpr\": 1}]}");
    const ::testing::TestInfo* t = ::testing::UnitTest::GetInstance()->current_test_info();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"),
               QStringLiteral("offscreen:configfile=") + QString::fromStdString(dir.file("ekran.json")));
    env.insert(QString::fromLatin1(ZnacznikPotomka), QStringLiteral("1"));
    QProcess p;
    p.setProcessEnvironment(env);
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(QCoreApplication::applicationFilePath(),
            {QStringLiteral("--gtest_filter=%1.%2").arg(QString::fromLatin1(t->test_suite_name()),
                                                        QString::fromLatin1(t->name()))});
    ASSERT_TRUE(p.waitForStarted(-1));
    ASSERT_TRUE(p.waitForFinished(-1));
    const QString wyjscie = QString::fromLocal8Bit(p.readAll());
    EXPECT_EQ(p.exitStatus(), QProcess::NormalExit) << wyjscie.toStdString();
    EXPECT_EQ(p.exitCode(), 0) << wyjscie.toStdString();
    EXPECT_TRUE(wyjscie.contains(QStringLiteral("[  PASSED  ] 1 test"))) << wyjscie.toStdString();
}

TEST(OknoGlowneNaEkranie, TheTreeTabsButtonRowsLieWholeInsideTheWindowAt1280x1024) {
    if (!ekranTestu()) {
        ASSERT_TRUE(qEnvironmentVariableIsEmpty(ZnacznikPotomka)) << "the screen of the test was not set up";
        uruchomNaEkranieTestu();
        return;
    }
    test::TempDir work;
    ScriptedUserInterface ui;
    work.write("zakresy.txt", std::string());
    work.write("OPERATOR/.keep", std::string());
    Aplikacja app(ui, {}, work.folder(), std::string(VESK_DATA_DIR) + "PROGRAM/",
                  [&](Kontekst& k) { k.DomyslneKatalogi.Operatorzy = work.folder() + "OPERATOR/"; });
    app.start();
    ui.files = {work.folder() + "OPERATOR/ekran.tr1"};
    app.startOK();
    OknoGlowne& f = app.oknoGlowne();
    ASSERT_TRUE(f.isVisible());
    ASSERT_EQ(f.PageControl1->currentWidget(), f.TabDrzewo);
    QApplication::processEvents();

    const QRect ekran = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_TRUE(ekran.contains(f.frameGeometry())) << f.frameGeometry().width() << "x" << f.frameGeometry().height();
    const QRect strona = f.TabDrzewo->rect();
    const std::pair<const char*, QWidget*> kontrolki[] = {
        {"SpeedSymulacja", f.SpeedSymulacja}, {"PrzyciskPodgladu", f.PrzyciskPodgladu},
        {"PrzyciskDodaniaNowejDecyzji", f.PrzyciskDodaniaNowejDecyzji},
        {"ButtonFinal", f.ButtonFinal},       {"CheckBox1", f.CheckBox1},
        {"SpeedBazowy", f.SpeedBazowy},       {"OkienkoBazowe", f.OkienkoBazowe},
        {"SpeedWzorcowy", f.SpeedWzorcowy},   {"OkienkoEdycji", f.OkienkoEdycji},
    };
    for (const auto& [nazwa, w] : kontrolki) {
        SCOPED_TRACE(nazwa);
        ASSERT_EQ(w->parentWidget(), f.TabDrzewo);
        EXPECT_TRUE(w->isVisible());
        EXPECT_TRUE(strona.contains(w->geometry()))
            << w->geometry().bottom() << " below " << strona.bottom() << " of the page";
        EXPECT_TRUE(f.rect().contains(QRect(w->mapTo(&f, QPoint(0, 0)), w->size())));
        EXPECT_EQ(w->visibleRegion().boundingRect(), w->rect());
    }
}

}  // namespace
}  // namespace vesk
