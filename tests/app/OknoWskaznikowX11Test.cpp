// The indicator window under a real X server with a window manager: real
// modal boxes, the pointer pressed and let go through the X server (xdotool).
// Run by tests/x11/pod_x11.sh (Xvfb and openbox); skipped elsewhere.
#include <QApplication>
#include <QComboBox>
#include <QGuiApplication>
#include <QProcess>
#include <QPushButton>
#include <QScrollBar>
#include <filesystem>
#include <memory>
#include <gtest/gtest.h>

#include "DefiniowanieWskaznikow.h"
#include "OknaFixture.h"
#include "ZeroWMianowniku.h"
#include "PanelAnalizy.h"
#include "PaskiWidok.h"
#include "QtUserInterface.h"

namespace vesk {
namespace {

// Real message boxes (counted); the rest as scripted.
struct UiX11 : QtUserInterface {
    ScriptedUserInterface& s;
    int pudelka = 0;
    explicit UiX11(ScriptedUserInterface& skrypt) : s(skrypt) {}
    void message(const std::string& t) override {
        ++pudelka;
        s.messages.push_back(t);
        if (pudelka > 3) return;  // a runaway: counted, no more boxes
        QtUserInterface::message(t);
    }
    bool question(const std::string& t) override { return s.question(t); }
    bool confirm(const std::string& t, const std::string& c) override { return s.confirm(t, c); }
    std::optional<std::string> chooseFile(const std::string& t, const std::string& f, bool z,
                                          const std::string& k) override {
        return s.chooseFile(t, f, z, k);
    }
};

void xdotool(const QStringList& argumenty) {
    QProcess p;
    p.start(QStringLiteral("xdotool"), argumenty);
    ASSERT_TRUE(p.waitForFinished(10000)) << argumenty.join(' ').toStdString();
}

// Lets the event loop run ms milliseconds.
void Odczekaj(int ms) {
    const QDeadlineTimer koniec(ms);
    while (!koniec.hasExpired()) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

// The indicator window shown from the menu and active, over an operator
// with one simulated child, the child selected.
struct X11Okno : test::OknaFixture<> {
    void SetUp() override {
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            GTEST_SKIP() << "needs an X server with a window manager (tests/x11/pod_x11.sh)";
        przygotuj();
        std::filesystem::copy_file(programDostarczony() + "zakresy.txt", work.file("zakresy.txt"),
                                   std::filesystem::copy_options::overwrite_existing);
        uruchom();
        nowyOperator("x11.tr1");
        for (int i = 1; i <= 54; ++i) app->kontekst().Zakresy[i] = {0, 100000};
        ASSERT_NO_FATAL_FAILURE(symulowaneDziecko());
        // Shown from the menu until it stays the active window (the main
        // window's own activation, still pending, steps it aside once).
        DefiniowanieWskaznikow& w = o();
        for (int proba = 0; proba < 5 && !(w.isVisible() && w.isActiveWindow()); ++proba) {
            pokazWskazniki();
            test::CzekajAz([&] { return w.isActiveWindow(); }, 5000);
            Odczekaj(700);
        }
        ASSERT_TRUE(w.isVisible() && w.isActiveWindow()) << "the window never stayed active";
    }
    DefiniowanieWskaznikow& o() { return app->definiowanieWskaznikow(); }
};

// The same with an indicator of zero denominator chosen, the chart, the
// sensitivity panel and the product bars in use, real message boxes.
struct X11 : X11Okno {
    std::unique_ptr<UiX11> x;
    UserInterface& interfejs() override {
        if (!x) x = std::make_unique<UiX11>(ui);
        return *x;
    }
    void SetUp() override {
        X11Okno::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        DefiniowanieWskaznikow& w = o();
        w.ComboBox1->setCurrentIndex(0);
        emit w.ComboBox1->activated(0);
        ASSERT_NO_FATAL_FAILURE(test::ZeroWMianowniku(w));
        zamknijPudelko(0);
        w.Wykres->click();
        ASSERT_FALSE(w.Chart1->isHidden());
        x->pudelka = 0;
        PanelAnalizy& a = *w.panelAnalizy;
        a.WyborZmiennejBox->setCurrentIndex(0);
        emit a.WyborZmiennejBox->activated(0);
        w.Paski->ComboBoxWyboruWyrobu->setCurrentIndex(0);
        emit w.Paski->ComboBoxWyboruWyrobu->activated(0);
    }
    // Every box that opens is closed with Enter after ms milliseconds; with
    // puscic the mouse button is let go over the first one.
    QTimer* zamykacz = nullptr;
    void zamknijPudelko(int ms, bool puscic = false) {
        delete zamykacz;
        zamykacz = new QTimer;
        auto widziane = std::make_shared<std::pair<QWidget*, QDeadlineTimer>>(nullptr, QDeadlineTimer());
        auto pusc = std::make_shared<bool>(puscic);
        QObject::connect(zamykacz, &QTimer::timeout, [ms, widziane, pusc] {
            QWidget* m = QApplication::activeModalWidget();
            if (!m) return;
            if (m != widziane->first) {
                *widziane = {m, QDeadlineTimer(ms)};
                if (*pusc) xdotool({"mouseup", "1"});
                *pusc = false;
            } else if (widziane->second.hasExpired()) {
                widziane->second = QDeadlineTimer(1000);  // once a second until it is gone
                xdotool({"key", "--clearmodifiers", "Return"});
            }
        });
        zamykacz->start(10);
    }
    void TearDown() override { delete zamykacz; }
};

// A press on the arrow (the step opens a box), the button let go over the
// box, the box closed before the bar would repeat or well after: one step,
// one box, and the indicator window active again.
TEST_F(X11, OnePressOnAnArrowIsOneStepAndTheWindowComesBack) {
    DefiniowanieWskaznikow& w = o();
    for (QScrollBar* pasek : {static_cast<QScrollBar*>(w.panelAnalizy->Suwak), w.Paski->ScrollBar[0]})
        for (int ms : {100, 1000}) {
            SCOPED_TRACE(pasek->objectName().toStdString() + " box open " + std::to_string(ms) + " ms");
            if (pasek == w.Paski->ScrollBar[0]) w.PageControl1->setCurrentWidget(w.TabSheet3);
            ASSERT_TRUE(test::CzekajAz([&] { return w.isActiveWindow() && pasek->isVisible(); }, 10000));
            x->pudelka = 0;
            const int przed = pasek->value();
            const QPoint strzalka = pasek->mapToGlobal(QPoint(pasek->width() - 5, pasek->height() / 2));
            xdotool({"mousemove", QString::number(strzalka.x()), QString::number(strzalka.y())});
            Odczekaj(200);
            zamknijPudelko(ms, true);
            QProcess nacisk;
            nacisk.start(QStringLiteral("xdotool"), {"mousedown", "1"});
            ASSERT_TRUE(test::CzekajAz(
                [&] { return x->pudelka > 0 && QApplication::activeModalWidget() == nullptr; }, 10000));
            nacisk.waitForFinished(5000);
            Odczekaj(1200);  // a repeat would have shown by now
            EXPECT_EQ(pasek->value(), przed + 1);
            EXPECT_EQ(x->pudelka, 1);
            EXPECT_TRUE(w.isVisible());
            EXPECT_TRUE(test::CzekajAz([&] { return w.isActiveWindow(); }, 5000)) << "the window did not come back";
        }
}

// Minimised by the window manager (the main window taking the focus, or
// none), or closed while minimised: the results menu follows the selected
// node; F6 brings the window back on screen and active, the menu held off.
TEST_F(X11Okno, F6BringsBackAMinimisedWindowTheMenuFollowsTheNodeMeanwhile) {
    DefiniowanieWskaznikow& w = o();
    OknoGlowne& g = app->oknoGlowne();
    Warsztat& ws = app->warsztat();
    for (const auto& [bezGlownego, zamknac] : {std::pair{false, false}, {true, false}, {true, true}}) {
        SCOPED_TRACE(std::string(bezGlownego ? "no main window" : "main window") + (zamknac ? ", closed" : ""));
        EXPECT_FALSE(g.wlaczona("Rezultaty2"));
        if (bezGlownego) g.hide();
        // Iconic, or stepped aside for the main window taking the focus;
        // asked again while the window manager still finishes a restore.
        const auto poza = [&] { return bezGlownego ? w.isVisible() && w.isMinimized() : !w.isVisible(); };
        for (int proba = 0; proba < 5 && !poza(); ++proba) {
            xdotool({"windowminimize", QString::number(w.winId())});
            test::CzekajAz(poza, 2000);
        }
        ASSERT_TRUE(poza());
        if (zamknac) w.close();
        EXPECT_TRUE(test::CzekajAz([&] { return g.wlaczona("Rezultaty2"); }, 5000));
        ws.Wybierz(ws.IndeksWybranego() == 0 ? 1 : 0);  // the other simulated node
        ws.Zmiana_wezla();
        app->odswiezOkna();
        EXPECT_TRUE(g.wlaczona("Rezultaty2"));
        pokazWskazniki();
        ASSERT_TRUE(test::CzekajAz([&] { return w.isVisible() && !w.isMinimized() && w.isActiveWindow(); }, 10000));
        EXPECT_FALSE(g.wlaczona("Rezultaty2"));
    }
}

}  // namespace
}  // namespace vesk
