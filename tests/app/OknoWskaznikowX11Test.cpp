// The indicator window under a real X server with a window manager: real
// modal boxes, the pointer pressed and let go through the X server (xdotool).
// Run by tests/x11/pod_x11.sh (Xvfb and openbox); skipped elsewhere.
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QMenuBar>
#include <QGuiApplication>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QWindow>
#include <filesystem>
#include <memory>
#include <gtest/gtest.h>

#include "CodePage.h"
#include "DefiniowanieWskaznikow.h"
#include "OknoFormularzaDecyzji.h"
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

// Whether the window manager keeps the window above the others.
bool NaWierzchu(const QWidget& okno) {
    QProcess p;
    p.start(QStringLiteral("xprop"), {"-id", QString::number(okno.winId()), "_NET_WM_STATE"});
    return p.waitForFinished(10000) && p.readAllStandardOutput().contains("_NET_WM_STATE_ABOVE");
}

// Counts the times a window became minimised (installed on its QWindow:
// went out of sight).
struct LicznikMinimalizacji : QObject {
    int razy = 0;
    bool eventFilter(QObject* o, QEvent* e) override {
        auto* w = qobject_cast<QWidget*>(o);
        if (e->type() == QEvent::WindowStateChange && w && w->isMinimized()) ++razy;
        if (e->type() == QEvent::Expose && !w && !static_cast<QWindow*>(o)->isExposed()) ++razy;
        return false;
    }
};

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
        ASSERT_NO_FATAL_FAILURE(pokazAktywne());
    }
    DefiniowanieWskaznikow& o() { return app->definiowanieWskaznikow(); }
    // Shown from the menu until it stays the active window (the main
    // window's own activation, still pending, steps it aside once).
    void pokazAktywne() {
        DefiniowanieWskaznikow& w = o();
        const auto aktywne = [&] { return w.isVisible() && !w.isMinimized() && w.isActiveWindow(); };
        for (int proba = 0; proba < 5 && !aktywne(); ++proba) {
            pokazWskazniki();
            test::CzekajAz([&] { return aktywne() || !w.isVisible(); }, 5000);
            Odczekaj(700);
        }
        ASSERT_TRUE(aktywne()) << "the window never stayed active";
    }
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

// The window minimised (by the window manager) while its threshold box is
// open: it comes back at once with the box, which takes the answer; then
// the main window takes a click again.
TEST_F(X11, AMinimiseWithItsBoxOpenBringsBothBackTheMainWindowRespondsOnceAnswered) {
    DefiniowanieWskaznikow& w = o();
    OknoGlowne& g = app->oknoGlowne();
    delete zamykacz;  // the box is answered here
    zamykacz = nullptr;
    LicznikMinimalizacji licznik;
    w.installEventFilter(&licznik);
    bool wrocilo = false, odpowiedziane = false;
    test::Gdy([] { return QApplication::activeModalWidget() != nullptr; }, [&] {
        QWidget* pudelko = QApplication::activeModalWidget();
        test::CzekajAz([&] { return pudelko->isActiveWindow(); }, 5000);
        for (int proba = 0; proba < 5 && licznik.razy == 0; ++proba) {
            xdotool({"windowminimize", QString::number(w.winId())});
            test::CzekajAz([&] { return licznik.razy > 0; }, 2000);
        }
        wrocilo = licznik.razy > 0 && test::CzekajAz([&] {
            return w.isVisible() && !w.isMinimized() && pudelko->isVisible() && !pudelko->isMinimized() &&
                   pudelko->isActiveWindow();
        }, 10000);
        xdotool({"key", "--clearmodifiers", "Escape"});
        odpowiedziane = test::CzekajAz([&] { return !pudelko->isVisible(); }, 5000);
        if (!odpowiedziane) pudelko->close();  // out of reach: closed here, not left to hang the test
    });
    w.SpeedButton2->click();
    EXPECT_TRUE(wrocilo) << "the window or its box stayed out of sight";
    EXPECT_TRUE(odpowiedziane) << "the box took no answer";
    // A click on the main window's menu bar, clear of the indicator window.
    const QPoint pasek = g.menuBar()->mapToGlobal(QPoint(g.menuBar()->width() - 8, g.menuBar()->height() / 2));
    xdotool({"mousemove", QString::number(pasek.x()), QString::number(pasek.y())});
    xdotool({"click", "1"});
    EXPECT_TRUE(test::CzekajAz([&] { return g.isActiveWindow(); }, 5000)) << "the main window did not respond";
}

// The window sent to another desktop while its threshold box is open: it
// comes back to the user's desktop with the box, which takes the answer.
TEST_F(X11, AWindowSentToAnotherDesktopWithItsBoxOpenComesBackWithIt) {
    DefiniowanieWskaznikow& w = o();
    delete zamykacz;  // the box is answered here
    zamykacz = nullptr;
    LicznikMinimalizacji licznik;
    w.windowHandle()->installEventFilter(&licznik);
    bool wrocilo = false, odpowiedziane = false;
    test::Gdy([] { return QApplication::activeModalWidget() != nullptr; }, [&] {
        QWidget* pudelko = QApplication::activeModalWidget();
        test::CzekajAz([&] { return pudelko->isActiveWindow(); }, 5000);
        xdotool({"set_desktop_for_window", QString::number(w.winId()), "1"});
        wrocilo = test::CzekajAz(
            [&] { return licznik.razy > 0 && w.windowHandle()->isExposed() && pudelko->isActiveWindow(); }, 10000);
        xdotool({"key", "--clearmodifiers", "Escape"});
        odpowiedziane = test::CzekajAz([&] { return !pudelko->isVisible(); }, 5000);
        if (!odpowiedziane) pudelko->close();  // out of reach: closed here, not left to hang the test
    });
    w.SpeedButton2->click();
    EXPECT_TRUE(wrocilo) << "the window stayed on the other desktop";
    EXPECT_TRUE(odpowiedziane) << "the box took no answer";
}

// A menu of the main window opened with Alt+letter and closed with Escape:
// the focus is back in the tree, and Tab moves it on within the window.
TEST_F(X11Okno, AfterAMenuClosedWithEscapeTheFocusIsBackAndTabMovesIt) {
    OknoGlowne& g = app->oknoGlowne();
    o().close();
    g.activateWindow();
    ASSERT_TRUE(test::CzekajAz([&] { return g.isActiveWindow(); }, 5000));
    g.TreeView1->setFocus();
    xdotool({"key", "alt+p"});
    ASSERT_TRUE(test::CzekajAz([] { return QApplication::activePopupWidget() != nullptr; }, 5000));
    xdotool({"key", "Escape"});
    ASSERT_TRUE(test::CzekajAz([] { return QApplication::activePopupWidget() == nullptr; }, 5000));
    EXPECT_TRUE(test::CzekajAz([&] { return QApplication::focusWidget() == g.TreeView1; }, 5000));
    xdotool({"key", "Tab"});
    EXPECT_TRUE(test::CzekajAz([&] {
        const QWidget* f = QApplication::focusWidget();
        return f && f != g.TreeView1 && f->window() == &g && f->isVisible() && !qobject_cast<const QMenuBar*>(f);
    }, 5000));
}

// Kept above the others through a minimise that the main window's
// activation turns into a hide, and F6; then a minimise and a restore by
// F6; and a close and F6.
TEST_F(X11Okno, TheWindowStaysOnTopThroughAMinimiseARestoreAHideAndAClose) {
    DefiniowanieWskaznikow& w = o();
    OknoGlowne& g = app->oknoGlowne();
    ASSERT_TRUE(test::CzekajAz([&] { return NaWierzchu(w); }, 5000));
    enum Jak { Ukrycie, Minimalizacja, Zamkniecie };
    for (const Jak jak : {Ukrycie, Minimalizacja, Zamkniecie}) {
        SCOPED_TRACE(jak == Minimalizacja ? "minimised" : jak == Ukrycie ? "hidden" : "closed");
        if (jak == Zamkniecie) {
            w.close();
        } else {
            // Iconic (the focus going to no other window of the program), or
            // stepped aside for the main window taking the focus.
            if (jak == Minimalizacja) g.hide();
            const auto poza = [&] { return jak == Minimalizacja ? w.isMinimized() : !w.isVisible(); };
            for (int proba = 0; proba < 5 && !poza(); ++proba) {
                xdotool({"windowminimize", QString::number(w.winId())});
                test::CzekajAz(poza, 2000);
            }
            ASSERT_TRUE(poza());
        }
        ASSERT_NO_FATAL_FAILURE(pokazAktywne());
        EXPECT_TRUE(test::CzekajAz([&] { return NaWierzchu(w); }, 5000));
    }
}

// The decision form of a node just added, sent to another desktop (its title
// bar's menu): F3 on the main window brings it back to the user's desktop,
// active, its first box's value selected for what is typed next.
using X11Formularz = test::OknaFixture<>;
TEST_F(X11Formularz, F3BringsTheFormFromAnotherDesktopActiveAtItsFirstBox) {
    if (QGuiApplication::platformName() != QLatin1String("xcb")) GTEST_SKIP() << "needs tests/x11/pod_x11.sh";
    przygotuj();
    uruchom();
    nowyOperator("x11.tr1");
    ASSERT_NO_FATAL_FAILURE(dodajDzieci(1));
    app->oknoGlowne().akcja("przeglad1")->trigger();
    OknoFormularzaDecyzji& f3 = app->oknoFormularzaDecyzji();
    ASSERT_TRUE(test::CzekajAz([&] { return f3.isActiveWindow(); }, 10000));
    xdotool({"set_desktop_for_window", QString::number(f3.winId()), "1"});
    ASSERT_TRUE(test::CzekajAz([&] { return !f3.windowHandle()->isExposed(); }, 5000));
    xdotool({"windowactivate", "--sync", QString::number(app->oknoGlowne().winId())});
    ASSERT_TRUE(test::CzekajAz([&] { return app->oknoGlowne().isActiveWindow(); }, 5000));
    xdotool({"key", "F3"});
    EXPECT_TRUE(test::CzekajAz([&] { return f3.isActiveWindow() && f3.windowHandle()->isExposed(); }, 10000));
    EXPECT_EQ(QApplication::focusWidget(), f3.Pola[0]);
    EXPECT_EQ(f3.Pola[0]->selectedText(), f3.Pola[0]->text());
}

// On an 800 x 600 screen (tests/x11/pod_x11.sh with that size, also scaled
// by QT_SCALE_FACTOR): both windows lie whole on the screen, their captions
// included; the indicator window may be made smaller still and brings each
// control into view.
struct MalyEkranX11 : X11Okno {
    void SetUp() override {
        const QScreen* s = QGuiApplication::primaryScreen();
        if (QGuiApplication::platformName() != QLatin1String("xcb") || !s ||
            (QSizeF(s->size()) * s->devicePixelRatio()).toSize() != QSize(800, 600))
            GTEST_SKIP() << "needs an 800 x 600 X screen with a window manager (tests/x11/pod_x11.sh)";
        X11Okno::SetUp();
    }
};

TEST_F(MalyEkranX11, BothWindowsFitTheScreenEveryControlInReach) {
    DefiniowanieWskaznikow& w = o();
    const QRect ekran = QGuiApplication::primaryScreen()->availableGeometry();
    for (QWidget* okno : {static_cast<QWidget*>(&w), static_cast<QWidget*>(&app->oknoGlowne())}) {
        EXPECT_TRUE(test::CzekajAz([&] { return ekran.contains(okno->frameGeometry()); }, 5000))
            << okno->objectName().toStdString();
    }
    EXPECT_LE(w.minimumSizeHint().width(), ekran.width() / 2);
    EXPECT_LE(w.minimumSizeHint().height(), ekran.height() / 2);
    auto* przewijanie = w.findChild<QScrollArea*>(QStringLiteral("Przewijanie"));
    ASSERT_NE(przewijanie, nullptr);
    for (QWidget* c : std::vector<QWidget*>{w.Wykres, w.HoryzontyBox, w.GroupBox9, w.Analiza_wrazliwosci, w.ComboBox1}) {
        SCOPED_TRACE(c->objectName().toStdString());
        const QPoint srodek = c->mapTo(przewijanie->widget(), c->rect().center());
        przewijanie->ensureVisible(srodek.x(), srodek.y(), c->width() / 2 + 1, c->height() / 2 + 1);
        QCoreApplication::processEvents();
        EXPECT_TRUE(przewijanie->viewport()->rect().contains(
            QRect(c->mapTo(przewijanie->viewport(), QPoint(0, 0)), c->size())));
    }
}

// The decision form and a file dialog of the program lie whole on the
// screen; the form scrolls to each of its controls.
TEST_F(MalyEkranX11, TheDecisionFormAndAFileDialogFitTheScreen) {
    const QRect ekran = QGuiApplication::primaryScreen()->availableGeometry();
    OknoFormularzaDecyzji& f3 = app->oknoFormularzaDecyzji();
    app->oknoGlowne().PrzyciskPodgladu->click();
    ASSERT_TRUE(f3.isVisible());
    EXPECT_TRUE(test::CzekajAz([&] { return ekran.contains(f3.frameGeometry()); }, 5000));
    auto* przewijanie = f3.findChild<QScrollArea*>(QStringLiteral("Przewijanie"));
    ASSERT_NE(przewijanie, nullptr);
    for (QWidget* c : {static_cast<QWidget*>(f3.PrzyciskOK), static_cast<QWidget*>(f3.Pola.back())}) {
        QCoreApplication::processEvents();
        const QPoint srodek = c->mapTo(przewijanie->widget(), c->rect().center());
        przewijanie->ensureVisible(srodek.x(), srodek.y(), c->width() / 2 + 1, c->height() / 2 + 1);
        EXPECT_TRUE(przewijanie->viewport()->rect().contains(
            QRect(c->mapTo(przewijanie->viewport(), QPoint(0, 0)), c->size())));
    }
    QtUserInterface dialogi(&app->oknoGlowne());
    bool wPolu = false;
    test::Gdy([] { return qobject_cast<QFileDialog*>(QApplication::activeModalWidget()) != nullptr; }, [&] {
        QWidget* d = QApplication::activeModalWidget();
        wPolu = test::CzekajAz(
            [&] { return d->frameGeometry() != d->geometry() && ekran.contains(d->frameGeometry()); }, 5000);
        d->close();
    });
    dialogi.chooseFile(utf8ToCp1250("Proszę podać nazwę operatora celem inicjacji"), "Operator|*.tr1", true,
                       operatorzy());
    EXPECT_TRUE(wPolu) << "the file dialog sticks out of the screen";
}

// Shown again after the user left them partly off the screen, a window is
// moved whole onto it, not shrunk: the indicator window by F6 after a
// close, the main window by the start window's OK.
TEST_F(MalyEkranX11, WindowsShownAgainComeBackWithinTheScreen) {
    const QRect ekran = QGuiApplication::primaryScreen()->availableGeometry();
    DefiniowanieWskaznikow& w = o();
    OknoGlowne& g = app->oknoGlowne();
    for (QWidget* okno : {static_cast<QWidget*>(&w), static_cast<QWidget*>(&g)}) {
        SCOPED_TRACE(okno->objectName().toStdString());
        const QString id = QString::number(okno->winId());
        xdotool({"windowsize", id, "400", okno == &w ? "300" : "346"});
        xdotool({"windowmove", id, okno == &w ? "600" : "480", okno == &w ? "450" : "330"});
        ASSERT_TRUE(test::CzekajAz([&] { return !ekran.contains(okno->frameGeometry()); }, 5000));
        const QSize rozmiar = okno->size();
        okno == &w ? void(w.close()) : g.hide();
        okno == &w ? pokazWskazniki() : app->startOK();
        EXPECT_TRUE(test::CzekajAz([&] { return okno->isVisible() && ekran.contains(okno->frameGeometry()); }, 5000));
        EXPECT_EQ(okno->size(), rozmiar);
    }
}

}  // namespace
}  // namespace vesk
