// The interpreter view and the main window's parts of a command file's
// run: presses, the selected line, the stop question from the band, Esc
// and the wheel, the grid, script errors, "zapytaj", the batch button and
// the optimisation menu.
#include <QApplication>
#include <QKeyEvent>
#include <QWheelEvent>
#include <filesystem>
#include <functional>
#include <fstream>
#include <gtest/gtest.h>

#include "Aplikacja.h"
#include "OknoGlowne.h"
#include "OknoStartowe.h"
#include "Interpretator.h"
#include "OknaFixture.h"
#include "OknoInterpretatora.h"
#include "Warsztat.h"

namespace vesk {
namespace {

constexpr const char* Pytanie = "Czy zako\xF1" "czy\xE6 wykonywanie skryptu ?";

struct OknoInterpretatoraTest : test::OknaFixture<> {
    void SetUp() override {
        przygotuj({"pracawtrybiewsadowym"});
        uruchom();
        ui.messages.clear();
    }
    OknoGlowne& f() { return app->oknoGlowne(); }
    OknoInterpretatora& v() { return app->interpreterView(); }
    double x(int n) { return app->kontekst().ZmienneSkryptu[static_cast<std::size_t>(n - 1)]; }
    // Writes a command file (code page 1250) with the given line end.
    std::string plik(const std::string& nazwa, const std::vector<std::string>& linie, const char* koniec = "\r\n") {
        std::string t;
        for (const auto& l : linie) t += l + koniec;
        work.write(nazwa, t);
        return work.file(nazwa);
    }
    // Opens through the menu item and its dialog.
    void otworz(const std::string& sciezka) {
        ui.files.push_back(sciezka);
        f().akcja("Podanienazwyplikuzrozkazami1")->trigger();
    }
    void nacisnij() { f().PrzyciskWykonaniaNastepnegoPolecenia->click(); }
    // Runs what once the running loop has counted x1 past 1, however slowly
    // the machine starts it (a fixed delay raced a loaded machine).
    void gdyPetlaRuszy(std::function<void()> what) {
        test::Gdy([this] { return x(1) > 1.0; }, std::move(what), &f());
    }
    QString zaznaczone() {
        return v().Okienko_Interpretatora->textCursor().selectedText();
    }
};

TEST_F(OknoInterpretatoraTest, ControlsAtStart) {
    EXPECT_EQ(v().windowTitle(), QString::fromUtf8("Podgląd programu sterowania eksperymentem"));
    EXPECT_EQ(v().geometry(), QRect(362, 185, 657, 375));
    EXPECT_TRUE(v().Okienko_Interpretatora->isReadOnly());
    EXPECT_FALSE(v().tabelka_zmiennych->isEnabled());
    EXPECT_EQ(v().tabelka_zmiennych->rowCount(), 20);
    EXPECT_EQ(v().tabelka_zmiennych->columnCount(), 2);
    EXPECT_EQ(v().tabelka_zmiennych->columnWidth(0), 120);
    EXPECT_FALSE(v().isVisible());
    EXPECT_FALSE(f().PrzyciskWykonaniaNastepnegoPolecenia->isEnabled());
    EXPECT_EQ(f().PrzyciskWykonaniaNastepnegoPolecenia->text(), QStringLiteral("nastepne polecenie"));
    EXPECT_FALSE(f().PrzyciskWykonaniaNastepnegoPolecenia->isHidden());
    EXPECT_TRUE(f().wsk->isHidden());
    EXPECT_TRUE(f().epsilon->isHidden());
    EXPECT_TRUE(f().akcja("Podanienazwyplikuzrozkazami1")->isVisible());
    EXPECT_TRUE(f().wlaczona("Interpretator"));
    EXPECT_TRUE(f().wlaczona("Optymalizacja3"));
    // "Test" does nothing.
    f().akcja("Optymalizacja3")->trigger();
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_TRUE(ui.questions.empty());
}

// The optimisation runs through the run's port: a failure is told once, the
// progress label is hidden at the end and the context's port is back.
TEST_F(OknoInterpretatoraTest, AnOptimisationWithoutItsOperatorIsTold) {
    f().akcja("Optymalizacja1")->trigger();
    // The workbench's refusal alone, not repeated by the command.
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages.back().find("we.tr1"), std::string::npos);
    EXPECT_TRUE(f().epsilon->isHidden());
    EXPECT_EQ(app->kontekst().Okna, &ui);
}

TEST_F(OknoInterpretatoraTest, EachPressSelectsItsLineWhateverTheLineEnds) {
    const std::vector<std::string> linie{"rem za\xBF\xF3\xB3\xE6", "przypisz x1 1", "   + x2 x1 1"};
    for (const char* koniec : {"\r\n", "\n"}) {
        otworz(plik("a.roz", linie, koniec));
        ASSERT_TRUE(f().PrzyciskWykonaniaNastepnegoPolecenia->isEnabled());
        EXPECT_TRUE(v().isVisible());
        EXPECT_EQ(ui.dialogFolders.back(), work.folder());
        EXPECT_EQ(ui.dialogs.back(), "Podanie nazwy pliku z rozkazami");
        const QString echa[] = {QString::fromUtf8("rem zażółć"), QStringLiteral("przypisz x1 1"),
                                QStringLiteral("+ x2 x1 1")};
        const QString wiersze[] = {QString::fromUtf8("rem zażółć"), QStringLiteral("przypisz x1 1"),
                                   QStringLiteral("   + x2 x1 1")};
        for (int i = 0; i < 3; ++i) {
            nacisnij();
            EXPECT_EQ(f().OknoLiniiRozkazow->text(), echa[i]) << koniec;
            EXPECT_EQ(zaznaczone(), wiersze[i]) << koniec;
        }
        EXPECT_EQ(x(2), 2.0);
        EXPECT_TRUE(f().PrzyciskWykonaniaNastepnegoPolecenia->isEnabled());
        nacisnij();
        EXPECT_FALSE(f().PrzyciskWykonaniaNastepnegoPolecenia->isEnabled());
    }
}

TEST_F(OknoInterpretatoraTest, RunGoesToTheBreakTheNextPressRunsOneLine) {
    otworz(plik("a.roz", {"przypisz x1 1", "run", "+ x1 x1 1", "+ x1 x1 1", "break", "+ x1 x1 10", "pauza"}));
    nacisnij();
    EXPECT_EQ(x(1), 1.0);
    nacisnij();
    EXPECT_EQ(x(1), 3.0);
    EXPECT_EQ(zaznaczone(), QStringLiteral("break"));
    nacisnij();
    EXPECT_EQ(x(1), 13.0);
    EXPECT_EQ(zaznaczone(), QStringLiteral("+ x1 x1 10"));
}

TEST_F(OknoInterpretatoraTest, TheBandAsksAndYesEndsTheRunUntilANewOpen) {
    const std::string a = plik("a.roz", {"run", "+ x1 x1 1", "+ x1 x1 1"});
    // "Nie" goes on.
    v().Sonda = [] { return true; };
    ui.answers = {false, false, false};
    otworz(a);
    nacisnij();
    EXPECT_EQ(x(1), 2.0);
    EXPECT_EQ(ui.questions.size(), 3u);
    // "Tak" on the second line: no further line, later presses do nothing.
    ui.questions.clear();
    ui.answers = {false, true};
    otworz(a);
    nacisnij();
    EXPECT_EQ(x(1), 2.0);
    ASSERT_EQ(ui.questions.size(), 2u);
    EXPECT_EQ(ui.questions[0], Pytanie);
    EXPECT_FALSE(app->interpretator().PlikRaportuOtwarty());
    v().Sonda = nullptr;
    nacisnij();
    nacisnij();
    EXPECT_EQ(x(1), 2.0);
    otworz(a);
    nacisnij();
    EXPECT_EQ(x(1), 4.0);
}

const std::vector<std::string> BezKonca{"run", "hide", "przypisz x2 1", "while equal___ x2 1", "+ x1 x1 1", "endwhile"};

TEST_F(OknoInterpretatoraTest, EscEndsALoopWithoutEndAfterHide) {
    otworz(plik("a.roz", BezKonca));
    ui.answers = {true};
    gdyPetlaRuszy([this] {
        QApplication::postEvent(&f(), new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
        // Any other input is dropped: no second press starts.
        f().PrzyciskWykonaniaNastepnegoPolecenia->setFocus();
        QApplication::postEvent(f().PrzyciskWykonaniaNastepnegoPolecenia,
                                new QKeyEvent(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier));
    });
    nacisnij();
    ASSERT_EQ(ui.questions.size(), 1u);
    EXPECT_EQ(ui.questions[0], Pytanie);
    EXPECT_TRUE(app->interpretator().ZatrzymanieSkryptu);
    EXPECT_GT(x(1), 1.0);
    EXPECT_FALSE(v().isVisible());
}

// A report is its command file's own: left at its `break` for another file,
// or stopped by "Tak", it is put in place with what it noted, and the next
// file, without `raport`, notes to no file.
TEST_F(OknoInterpretatoraTest, AReportLeftOrStoppedIsPutInPlaceAndTheNextFileNotesToNone) {
    const struct {
        const char* plik;
        std::deque<bool> pasmo;  // the band's stop question before each line
    } przypadki[] = {{"a.roz", {}}, {"L.roz", {false, false, false, false, true}}};
    for (const auto& p : przypadki) {
        SCOPED_TRACE(p.plik);
        ui.answers = p.pasmo;
        v().Sonda = [&p] { return !p.pasmo.empty(); };
        otworz(plik(p.plik, {"run", "raport", "przypisz x1 111", "zanotuj x1", "break", "stop"}));
        nacisnij();
        v().Sonda = nullptr;
        otworz(plik("b.roz", {"run", "przypisz x2 999", "zanotuj x2", "stop"}));
        nacisnij();
        const std::string raport = work.read(std::string(p.plik) + ".txt");
        EXPECT_TRUE(raport.find("1.11") != std::string::npos && raport.find("9.99") == std::string::npos) << raport;
        EXPECT_FALSE(work.exists(std::string(p.plik) + ".txt.nowy") || work.exists("b.roz.txt"));
    }
}

// The main window closed during a run after `hide` is the ending dialog:
// "Tak" stops the run after its line, its report in place, and ends the
// program; "Nie" goes on with the window shown (a stop then ends the run).
TEST_F(OknoInterpretatoraTest, ClosingTheMainWindowDuringARunAsksTheEndingDialog) {
    const std::string Koniec = "Czy zako\xF1" "czy\xE6 program VeskWin ?";
    for (const bool tak : {true, false}) {
        SCOPED_TRACE(tak);
        const std::string roz = tak ? "t.roz" : "n.roz";
        f().show();
        ui.questions.clear();
        ui.answers = {tak};
        ui.stop = ui.endRequested = false;
        otworz(plik(roz, {"run", "raport", "hide", "przypisz x2 1", "while equal___ x2 1", "+ x1 x1 1", "zanotuj x1",
                          "endwhile"}));
        gdyPetlaRuszy([this] {
            f().close();
            test::Gdy([this] { return x(1) > 100.0; }, [this] { ui.stop = true; }, &f());
        });
        nacisnij();
        const std::vector<std::string> pytania{Koniec, Pytanie};
        EXPECT_EQ(ui.questions, std::vector<std::string>(pytania.begin(), pytania.end() - (tak ? 1 : 0)));
        EXPECT_EQ(ui.endRequested, tak);
        EXPECT_EQ(f().isVisible(), !tak);
        EXPECT_EQ(x(1) < 100.0, tak);
        EXPECT_TRUE(work.read(roz + ".txt").find("E+") != std::string::npos && !work.exists(roz + ".txt.nowy"));
    }
}

TEST_F(OknoInterpretatoraTest, TheViewIsAWindowOfTheMainWindowAndARunShowsABusyCursor) {
    otworz(plik("a.roz", BezKonca));
    ASSERT_TRUE(v().isVisible());
    // Kept above the main window by the window manager.
    EXPECT_EQ(v().windowType(), Qt::Tool);
    EXPECT_EQ(v().parentWidget(), &f());
    Qt::CursorShape wTrakcie = Qt::ArrowCursor;
    ui.answers = {true};
    gdyPetlaRuszy([&] {
        if (const QCursor* c = QApplication::overrideCursor()) wTrakcie = c->shape();
        QApplication::postEvent(&f(), new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
    });
    nacisnij();
    EXPECT_EQ(wTrakcie, Qt::BusyCursor);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(OknoInterpretatoraTest, AfterTheFileTheViewNoLongerCoversTheMainWindow) {
    otworz(plik("a.roz", {"przypisz x1 1", "pauza"}));
    EXPECT_EQ(v().parentWidget(), &f());
    for (int i = 0; i < 5 && f().PrzyciskWykonaniaNastepnegoPolecenia->isEnabled(); ++i) nacisnij();
    EXPECT_TRUE(v().isVisible() && v().windowType() == Qt::Window && !v().parentWidget());
    // It goes with the main window.
    app->zamknietoOknoGlowne();
    EXPECT_FALSE(v().isVisible());
}

TEST_F(OknoInterpretatoraTest, TheWheelDownLeavesTheRunAfterTheCurrentLine) {
    otworz(plik("a.roz", BezKonca));
    gdyPetlaRuszy([this] {
        QPointF p(10, 10);
        QApplication::postEvent(&f(), new QWheelEvent(p, f().mapToGlobal(p), QPoint(), QPoint(0, -120), Qt::NoButton,
                                                      Qt::NoModifier, Qt::NoScrollPhase, false));
    });
    nacisnij();
    EXPECT_TRUE(ui.questions.empty());
    EXPECT_FALSE(app->interpretator().ZatrzymanieSkryptu);
    EXPECT_TRUE(f().PrzyciskWykonaniaNastepnegoPolecenia->isEnabled());
    const double przed = x(1);
    EXPECT_GT(przed, 1.0);
    nacisnij();  // the next press runs one line
    EXPECT_LE(x(1), przed + 1.0);
}

TEST_F(OknoInterpretatoraTest, ASecondFileShowsItsNamesACancelEmptiesTheView) {
    otworz(plik("a.roz", {"deklaracja alfa", "deklaracja beta", "przypisz alfa 5", "pauza"}));
    for (int i = 0; i < 4; ++i) nacisnij();
    EXPECT_EQ(v().tabelka_zmiennych->item(1, 0)->text(), QStringLiteral("beta"));
    EXPECT_EQ(v().tabelka_zmiennych->item(0, 1)->text().trimmed(), QStringLiteral("5"));
    otworz(plik("b.roz", {"deklaracja gamma", "pauza", "pauza"}));
    nacisnij();
    nacisnij();
    EXPECT_EQ(v().tabelka_zmiennych->item(0, 0)->text(), QStringLiteral("gamma"));
    EXPECT_EQ(v().tabelka_zmiennych->item(0, 1)->text().trimmed(), QStringLiteral("5"));
    EXPECT_EQ(v().tabelka_zmiennych->item(1, 0)->text(), QString());
    EXPECT_EQ(v().tabelka_zmiennych->item(1, 1)->text(), QString());
    f().akcja("Podanienazwyplikuzrozkazami1")->trigger();  // cancelled
    EXPECT_FALSE(f().PrzyciskWykonaniaNastepnegoPolecenia->isEnabled());
    EXPECT_TRUE(v().Okienko_Interpretatora->toPlainText().isEmpty());
}

TEST_F(OknoInterpretatoraTest, AScriptErrorIsOneBoxAndTheNextFileRuns) {
    otworz(plik("zly.roz", {"run", "przypisz x1 1", "/ x3 x1 0", "przypisz x1 7"}));
    nacisnij();
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].find("zly.roz, wiersz 3: / x3 x1 0"), std::string::npos) << ui.messages[0];
    EXPECT_FALSE(f().PrzyciskWykonaniaNastepnegoPolecenia->isEnabled());
    EXPECT_EQ(x(1), 1.0);
    otworz(plik("dobry.roz", {"run", "deklaracja popyt", "zapytaj popyt", "+ x2 x1 1"}));
    ui.inputs = {std::string("12,5")};
    nacisnij();
    ASSERT_EQ(ui.inputPrompts.size(), 1u);
    EXPECT_EQ(ui.inputPrompts[0], "popyt");
    EXPECT_EQ(ui.inputCaptions[0], "Wprowad\x9F warto\x9C\xE6 zmiennej");
    EXPECT_EQ(x(2), 13.0);
    EXPECT_EQ(ui.messages.size(), 1u);
}

TEST_F(OknoInterpretatoraTest, ScreenshotOfARun) {
    otworz(plik("a.roz", {"deklaracja popyt", "deklaracja cena", "przypisz popyt 120", "przypisz cena 8",
                          "pauza", "pauza"}));
    for (int i = 0; i < 5; ++i) nacisnij();
    QImage obraz = v().grab().toImage();
    ASSERT_FALSE(obraz.isNull());
    obraz.save(QStringLiteral(VESK_DATA_DIR "../podglad_interpretatora.png"));
    const QColor podswietlenie = v().Okienko_Interpretatora->palette().color(QPalette::Active, QPalette::Highlight);
    int wPodswietleniu = 0, inne = 0;
    const QRgb tlo = obraz.pixel(obraz.width() / 2, obraz.height() - 5);
    for (int y = 0; y < obraz.height(); y += 2)
        for (int xx = 0; xx < obraz.width(); xx += 2) {
            const QRgb p = obraz.pixel(xx, y);
            if (p == podswietlenie.rgb()) ++wPodswietleniu;
            if (p != tlo) ++inne;
        }
    EXPECT_GT(wPodswietleniu, 20);
    EXPECT_GT(inne, 200);
    EXPECT_EQ(v().tabelka_zmiennych->item(0, 0)->text(), QStringLiteral("popyt"));
    EXPECT_EQ(v().tabelka_zmiennych->item(1, 0)->text(), QStringLiteral("cena"));
}

TEST_F(OknoInterpretatoraTest, TheBatchButtonPrintsX4AndEnds) {
    std::filesystem::copy_file(std::string(VESK_DATA_DIR) + "ROZKAZY/przyklad.roz", work.file("przyklad.roz"));
    testing::internal::CaptureStdout();
    app->oknoStartowe().Button1->click();
    const std::string wyjscie = testing::internal::GetCapturedStdout();
    EXPECT_TRUE(ui.endRequested);
    EXPECT_EQ(ui.exitCode, 0) << (ui.messages.empty() ? "" : ui.messages[0]);
    EXPECT_TRUE(work.exists("OPERATOR/testint.tr1"));
    ASSERT_EQ(wyjscie.size(), 24u) << wyjscie;
    EXPECT_EQ(wyjscie.back(), '\n');
    EXPECT_NE(wyjscie.find("E+"), std::string::npos);
    EXPECT_NE(wyjscie, " 0.00000000000000E+0000\n");
}

TEST_F(OknoInterpretatoraTest, TheBatchButtonWithoutTheFileRunsNothing) {
    app->oknoStartowe().Button1->click();
    EXPECT_TRUE(ui.endRequested);
    EXPECT_EQ(ui.exitCode, 2);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].find("przyklad.roz"), std::string::npos);
    EXPECT_FALSE(work.exists("OPERATOR/testint.tr1"));
}

}  // namespace
}  // namespace vesk
