// The common ground of the window tests: a temporary work folder (the
// range file and an operators' folder), the application over it answering
// through a scripted interface, and a small operator grown through the
// workbench as the user grows it.
#pragma once

#include <QAction>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QString>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>
#include <gtest/gtest.h>

#include "Aplikacja.h"
#include "OknoGlowne.h"
#include "TempDir.h"
#include "UserInterface.h"
#include "Warsztat.h"

namespace vesk::test {

inline QString u(const char* utf8) { return QString::fromUtf8(utf8); }

// Lets the event loop run, one pass of the pending events at a time, until
// gotowe() holds, however slowly a loaded machine gets there; the limit
// only keeps a broken case from hanging. Returns gotowe() at the end.
inline bool CzekajAz(const std::function<bool()>& gotowe, int limitMs = 60000) {
    const QDeadlineTimer koniec(limitMs);
    while (!gotowe() && !koniec.hasExpired()) QCoreApplication::processEvents();
    return gotowe();
}

// Runs co() from the event loop once gotowe() holds, looking a few times a
// millisecond apart: for what must happen inside a loop the test starts
// (a modal box's answer, a stop in a running command file), however late
// a loaded machine gets there.
inline void Gdy(std::function<bool()> gotowe, std::function<void()> co, QObject* wlasciciel = nullptr) {
    auto* t = new QTimer(wlasciciel);
    QObject::connect(t, &QTimer::timeout, t, [t, gotowe = std::move(gotowe), co = std::move(co)] {
        if (!gotowe()) return;
        t->stop();
        t->deleteLater();
        co();
    });
    t->start(5);
}

// Ui: the scripted interface the tests read (a subclass where a test
// records more); the application answers through interfejs().
template <class Ui = ScriptedUserInterface>
struct OknaFixture : ::testing::Test {
    TempDir work;
    Ui ui;
    std::unique_ptr<Aplikacja> app;

    // The interface the application is made with; a fixture wrapping `ui`
    // returns its wrapper.
    virtual UserInterface& interfejs() { return ui; }

    std::string operatorzy() const { return work.folder() + "OPERATOR/"; }
    static std::string programDostarczony() { return std::string(VESK_DATA_DIR) + "PROGRAM/"; }

    // The empty range file, the operators' folder and each named marker
    // file of the work folder.
    void przygotuj(std::initializer_list<const char*> znaczniki = {}) {
        work.write("zakresy.txt", std::string());
        work.write("OPERATOR/.keep", std::string());
        for (const char* z : znaczniki) work.write(z, std::string());
    }
    // A copy of the shipped program folder in the work folder, for tests
    // that change what is there; returns its path.
    std::string kopiaProgramu() {
        std::filesystem::copy(std::string(VESK_DATA_DIR) + "PROGRAM", work.file("PROGRAM"),
                              std::filesystem::copy_options::recursive);
        return work.folder() + "PROGRAM/";
    }
    // The application over the work folder with the given command line,
    // its windows made, none shown yet. A previous one is closed first.
    void utworzAplikacje(const std::vector<std::string>& parametry = {},
                         const std::string& program = programDostarczony()) {
        app.reset();
        app = std::make_unique<Aplikacja>(interfejs(), parametry, work.folder(), program,
                                          [this](Kontekst& k) { k.DomyslneKatalogi.Operatorzy = operatorzy(); });
    }
    // The same, started: the start window shown.
    void uruchom(const std::vector<std::string>& parametry = {}, const std::string& program = programDostarczony()) {
        utworzAplikacje(parametry, program);
        app->start();
    }
    // The start window's OK with a new operator of that file name.
    void nowyOperator(const char* plik) {
        ui.files = {operatorzy() + plik};
        app->startOK();
    }
    // n new children of the root, each made from the root as base and
    // template.
    void dodajDzieci(int n) {
        Warsztat& w = app->warsztat();
        for (int i = 0; i < n; ++i) {
            w.Wybierz(0);
            w.Zmiana_wezla();
            w.Bazowy1Click();
            w.WyborWezlaDoEdycji();
            ASSERT_TRUE(w.dodanieweza1Click());
        }
    }
    // One new child of the root, simulated and selected, the windows
    // refreshed.
    void symulowaneDziecko() {
        ASSERT_NO_FATAL_FAILURE(dodajDzieci(1));
        Warsztat& w = app->warsztat();
        ASSERT_TRUE(w.Symulowanie(w.Drzewo.Numer(1)));
        w.Wybierz(1);
        w.Zmiana_wezla();
        app->odswiezOkna();
    }
    // The usual start of the indicator window's tests: the work folder with
    // the markers, the application over the given program folder, a new
    // operator "wsk.tr1" with one simulated child, the child selected.
    void operatorZDzieckiem(std::initializer_list<const char*> znaczniki = {},
                            const std::string& program = programDostarczony()) {
        przygotuj(znaczniki);
        uruchom({}, program);
        nowyOperator("wsk.tr1");
        ASSERT_NO_FATAL_FAILURE(symulowaneDziecko());
    }
    // The indicator window shown from the main window's menu.
    void pokazWskazniki() {
        QAction* a = app->oknoGlowne().akcja("KonstrukcjaWskaznikow");
        ASSERT_NE(a, nullptr);
        ASSERT_TRUE(a->isEnabled());
        a->trigger();
    }
};

}  // namespace vesk::test
