#include <QAbstractButton>
#include <QApplication>
#include <QScreen>
#include <QFileDialog>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>
#include <QTimer>
#include <QTreeView>
#include <QTreeWidgetItemIterator>
#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <functional>
#include <initializer_list>
#include <set>
#include <gtest/gtest.h>

#include "Aplikacja.h"
#include "CodePage.h"
#include "OknoFormularzaDecyzji.h"
#include "OknoGlowne.h"
#include "OknoStartowe.h"
#include "OknaFixture.h"
#include "OknaPomocy.h"
#include "QtTekst.h"
#include "QtUserInterface.h"
#include "TempDir.h"
#include "Teksty.h"
#include "Warsztat.h"
#include "ZakladkiWynikow.h"

namespace vesk {
namespace {

struct Okna : test::OknaFixture<> {
    void SetUp() override {
        przygotuj();
        utworz();
    }
    void utworz(const std::vector<std::string>& parametry = {}) {
        uruchom(parametry);
        ui.messages.clear();
    }
};

TEST_F(Okna, StartWindowAloneAtFirst) {
    EXPECT_TRUE(app->oknoStartowe().isVisible());
    EXPECT_FALSE(app->oknoGlowne().isVisible());
    EXPECT_EQ(app->oknoStartowe().windowTitle(), QString::fromUtf8("Vesk dla Windows"));
    EXPECT_FALSE(app->oknoStartowe().SpeedButton3->isVisible());
    EXPECT_TRUE(app->oknoStartowe().SpeedButton5->text().startsWith(QStringLiteral("Informacja o programie:\n")));
}

// A VESK_HOME code page 1250 cannot spell, from an empty working folder and
// as run.sh starts it (OPERATOR/ and the ranges there): one whole refusal,
// no window, the program ends, nothing made.
TEST(StartOdrzucony, AnUnusableHomeIsRefusedOnceAndNoWindowShows) {
    const std::string przed = std::getenv("VESK_HOME") ? std::getenv("VESK_HOME") : "";
    for (const std::vector<const char*>& pliki : {std::vector<const char*>{}, {"zakresy.txt", "OPERATOR/.keep"}}) {
        test::TempDir work;
        for (const char* p : pliki) work.write(p, std::string());
        ::setenv("VESK_HOME", (work.folder() + "\xD0\x94\xD0\xBE\xD0\xBC").c_str(), 1);  // "Дом"
        const auto ile = [&] { return std::distance(std::filesystem::recursive_directory_iterator(work.folder()), {}); };
        const auto przedStartem = ile();
        ScriptedUserInterface ui;
        {
            Aplikacja app(ui, {}, work.folder());
            app.start();
            ASSERT_EQ(ui.messages.size(), 1u) << cp1250ToUtf8(ui.messages.back());
            EXPECT_NE(ui.messages[0].find("(zmienna \x9Crodowiska VESK_HOME)"), std::string::npos);
            EXPECT_TRUE(ui.endRequested && ui.exitCode != 0);
            EXPECT_FALSE(app.oknoStartowe().isVisible() || app.oknoGlowne().isVisible());
        }
        EXPECT_EQ(ile(), przedStartem);
    }
    przed.empty() ? ::unsetenv("VESK_HOME") : ::setenv("VESK_HOME", przed.c_str(), 1);
}

TEST_F(Okna, MainWindowStartStates) {
    OknoGlowne& f = app->oknoGlowne();
    EXPECT_TRUE(f.windowTitle().startsWith(QStringLiteral("Vesk dla Windows 2012: ")));
    struct Case {
        const char* nazwa;
        bool wlaczona, widoczna;
    } cases[] = {
        {"Wzy1", false, true},           {"Rezultaty2", false, true},     {"Nowy1", true, true},
        {"NowyPlik1", true, true},       {"Wyjscie1", true, true},        {"Zachowajjako1", false, true},
        {"dodanieweza1", false, false},  {"Interpretator", true, true},  {"Dodanienowegowza1", true, false},
        {"Podanienazwyplikuzrozkazami1", true, false},
    };
    for (const auto& c : cases) {
        QAction* a = f.akcja(c.nazwa);
        ASSERT_NE(a, nullptr) << c.nazwa;
        EXPECT_EQ(f.wlaczona(c.nazwa), c.wlaczona) << c.nazwa;
        if (c.widoczna) {
            EXPECT_EQ(a->isEnabled(), c.wlaczona) << c.nazwa;
        }
        EXPECT_EQ(a->isVisible(), c.widoczna) << c.nazwa;
    }
    EXPECT_EQ(f.akcja("Nowy1")->shortcut(), QKeySequence(Qt::Key_F4));
    EXPECT_EQ(f.akcja("Kasowanieoperatora1")->shortcut(), QKeySequence(Qt::SHIFT | Qt::Key_Delete));
    EXPECT_EQ(f.akcja("Nowy1")->text(), QString::fromUtf8("&Inicjacja"));
    EXPECT_EQ(f.menu("Plik1")->title(), QString::fromUtf8("O&perator"));
    EXPECT_EQ(f.PageControl1->currentWidget(), f.TabPodpowiedz);
    EXPECT_FALSE(f.PageControl1->isTabVisible(f.PageControl1->indexOf(f.TabDrzewo)));
    EXPECT_FALSE(f.PageControl1->isTabEnabled(f.PageControl1->indexOf(f.TabDebug)));
    EXPECT_FALSE(f.TreeView1->isEnabled());
    EXPECT_EQ(f.panel0->text(), QStringLiteral("Plik drzewa"));
}

TEST_F(Okna, HiddenInsertItemKeepsAWorkingShortcutThatFollowsItsState) {
    OknoGlowne& f = app->oknoGlowne();
    QAction* dodaj = f.akcja("dodanieweza1");
    QShortcut* skrot = nullptr;
    for (auto* s : f.findChildren<QShortcut*>())
        if (s->key() == QKeySequence(Qt::Key_Insert)) skrot = s;
    ASSERT_NE(skrot, nullptr);
    EXPECT_FALSE(skrot->isEnabled());
    int razy = 0;
    QObject::connect(dodaj, &QAction::triggered, [&] { ++razy; });
    f.ustawWlaczenie("dodanieweza1", true);
    EXPECT_TRUE(skrot->isEnabled());
    emit skrot->activated();
    EXPECT_EQ(razy, 1);
    f.ustawWlaczenie("dodanieweza1", false);
    EXPECT_FALSE(skrot->isEnabled());
}

TEST_F(Okna, ClosingTheMainWindowAndAnsweringNoShowsTheStartWindow) {
    nowyOperator("nowy.tr1");
    ASSERT_TRUE(app->oknoGlowne().isVisible());
    // The decision form goes with the main window.
    app->oknoGlowne().akcja("przeglad1")->trigger();
    ASSERT_TRUE(app->oknoFormularzaDecyzji().isVisible());
    EXPECT_FALSE(app->oknoStartowe().isVisible());
    ui.answers = {false};
    app->oknoStartowe().showMinimized();  // by the user, after "Informacja"
    app->oknoGlowne().close();
    EXPECT_TRUE(app->oknoStartowe().isVisible());
    EXPECT_FALSE(app->oknoStartowe().isMinimized());
    EXPECT_FALSE(app->oknoGlowne().isVisible());
    EXPECT_FALSE(app->oknoFormularzaDecyzji().isVisible());
    EXPECT_FALSE(ui.endRequested);
    EXPECT_EQ(ui.questions.size(), 1u);
    // It tells what "OK" does now.
    EXPECT_TRUE(app->oknoStartowe().OkienkoInformacyjne->toPlainText().endsWith(
        QString::fromUtf8("przywraca okno główne z otwartym operatorem ") + q(operatorzy()) + "nowy.tr1."));
    // "OK" again brings the main window back; nothing else happens.
    app->startOK();
    EXPECT_TRUE(app->oknoGlowne().isVisible());
    EXPECT_FALSE(app->oknoStartowe().isVisible());
}

TEST_F(Okna, WithoutAnOperatorTheMainWindowShowsTheFirstSteps) {
    work.write("moduls.rtf", "{\\rtf1 Vesk - pierwsze kroki\\par}");
    app->startOK();  // naming the operator cancelled
    OknoGlowne& f = app->oknoGlowne();
    EXPECT_EQ(f.PageControl1->currentWidget(), f.TabPodpowiedz);
    EXPECT_TRUE(f.PageControl1->isTabVisible(f.PageControl1->indexOf(f.TabPodpowiedz)));
    EXPECT_TRUE(f.MemoStart->toPlainText().contains(QStringLiteral("pierwsze kroki")));
}

TEST_F(Okna, EndingFromTheMenuWithYesThanksAndEnds) {
    app->startOK();
    ui.messages.clear();
    ui.answers = {true};
    app->oknoGlowne().akcja("Wyjscie1")->trigger();
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(cp1250ToUtf8(ui.messages[0]), "System Veskwin dziękuje za współpracę");
    EXPECT_TRUE(ui.endRequested);
    EXPECT_EQ(ui.exitCode, 0);
    EXPECT_FALSE(app->oknoGlowne().isVisible());
}

TEST_F(Okna, ClosingOrEndingTheStartWindowEndsTheProgram) {
    app->oknoStartowe().close();
    EXPECT_TRUE(ui.endRequested);
    ui.endRequested = false;
    app->oknoStartowe().SpeedButton1->click();
    EXPECT_TRUE(ui.endRequested);
}

TEST_F(Okna, InformationShowsTheStartWindowWithTheHelpButton) {
    app->startOK();
    app->oknoGlowne().akcja("Informacja1")->trigger();
    EXPECT_TRUE(app->oknoStartowe().isVisible());
    EXPECT_TRUE(app->oknoStartowe().SpeedButton3->isVisible());
    app->oknoStartowe().SpeedButton3->click();
    EXPECT_TRUE(app->oknoPomocy().isVisible());
}

TEST_F(Okna, KeysMeantForTheWindowItselfAreAnswered) {
    app->startOK();
    ui.messages.clear();
    OknoGlowne& f = app->oknoGlowne();
    f.setFocus();
    QApplication::setActiveWindow(&f);
    f.TreeView1->clearFocus();
    QKeyEvent klawisz(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
    QApplication::sendEvent(&f, &klawisz);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0], "a has been pressed");
}

// With the main window itself focused, not yet active (no shortcut caught
// the keys): Shift+Del runs "Kasowanie", which asks about the operator
// chosen; Ctrl+Del, typing DEL, raises no box.
TEST_F(Okna, ShiftDelOnTheWindowItselfRunsItsMenuItemCtrlDelRaisesNoBox) {
    nowyOperator("inny.tr1");
    ui.files = {operatorzy() + "op.tr1", operatorzy() + "inny.tr1"};
    app->nowyOperator();
    ui.messages.clear();
    ui.answers = {false};
    app->oknoGlowne().setFocus();
    for (Qt::KeyboardModifier mod : {Qt::ShiftModifier, Qt::ControlModifier}) {
        QKeyEvent klawisz(QEvent::KeyPress, Qt::Key_Delete, mod, QStringLiteral("\x7f"));
        QApplication::sendEvent(&app->oknoGlowne(), &klawisz);
    }
    EXPECT_TRUE(ui.messages.empty()) << ui.messages.front();
    ASSERT_EQ(ui.questions.size(), 1u);
    EXPECT_EQ(ui.questions[0].rfind("Skasowa\xE6 operatora", 0), 0u) << ui.questions[0];
}

TEST_F(Okna, HelpTableRefillsAtEveryShow) {
    OknoPomocy& faq = app->oknoPomocy();
    faq.show();
    EXPECT_EQ(faq.parametry->item(1, 0)->text(), QStringLiteral("0.0"));
    EXPECT_EQ(faq.parametry->item(0, 2)->text(), QString::fromUtf8("wyszczególnienie"));
    EXPECT_EQ(faq.parametry->columnWidth(2), 350);
    faq.hide();
    app->kontekst().m.StawkaAmortyzacji = 19;
    app->kontekst().m.CenySurowcow[1][2] = 0.0125L;
    faq.show();
    EXPECT_EQ(faq.parametry->item(1, 0)->text(), QStringLiteral("19.0"));
    EXPECT_EQ(faq.parametry->item(15, 0)->text(), QStringLiteral("0.0125"));
    // The language description comes from the program folder.
    EXPECT_FALSE(faq.OpisJezyka->toPlainText().isEmpty());
    faq.Label2->klik();
    EXPECT_TRUE(app->oknoPomocyDwudzielne().isVisible());
}

TEST_F(Okna, MissingLanguageTextLeavesTheHelpWindowComplete) {
    test::TempDir pusty;
    ui.messages.clear();
    Aplikacja inna(ui, {}, work.folder(), pusty.folder(),
                   [this](Kontekst& k) { k.DomyslneKatalogi.Operatorzy = operatorzy(); });
    bool nazwany = false;
    for (const auto& m : ui.messages) nazwany = nazwany || m.find("Jezyk.rtf") != std::string::npos;
    EXPECT_TRUE(nazwany);
    EXPECT_EQ(inna.oknoPomocy().parametry->columnWidth(1), 150);
    inna.oknoPomocy().show();
    EXPECT_EQ(inna.oknoPomocy().parametry->item(29, 0)->text(), QStringLiteral("0.000"));
}

TEST_F(Okna, ReportWindowShowsCodePageTextInFixedPitch) {
    OknoRaportu& f = app->oknoRaportu();
    f.ustawTekst(std::string("Zysk netto \xb3\xb9\xe6ny\n  12.5"));
    EXPECT_EQ(f.RichEdit1->toPlainText(), QString::fromUtf8("Zysk netto łąćny\n  12.5"));
    EXPECT_TRUE(f.RichEdit1->isReadOnly());
    EXPECT_EQ(f.RichEdit1->lineWrapMode(), QPlainTextEdit::NoWrap);
    EXPECT_TRUE(f.windowFlags() & Qt::WindowStaysOnTopHint);
    const QFontMetrics m(f.RichEdit1->font());
    EXPECT_EQ(m.horizontalAdvance(QStringLiteral("iiii")), m.horizontalAdvance(QStringLiteral("WWWW")));
}

TEST_F(Okna, ReportFontIsChosenByItsGlyphWidths) {
    const QFont wybrana = CzcionkaRaportu({QFont(QStringLiteral("DejaVu Sans")), QFont(QStringLiteral("DejaVu Sans Mono"))});
    EXPECT_EQ(QFontInfo(wybrana).family(), QStringLiteral("DejaVu Sans Mono"));
}

TEST_F(Okna, AboutBoxLeadsBackToTheStartWindow) {
    app->pokazOknoOProgramie();
    EXPECT_TRUE(app->oknoOProgramie().isVisible());
    EXPECT_TRUE(app->oknoAutorow().Version->text() == app->oknoOProgramie().Version->text());
    app->oknoStartowe().hide();
    app->oknoOProgramie().OKButton->click();
    EXPECT_FALSE(app->oknoOProgramie().isVisible());
    EXPECT_TRUE(app->oknoStartowe().isVisible());
    EXPECT_EQ(app->oknoOProgramie().height(), 400);
}

TEST_F(Okna, ReturnPressesTheDefaultButton) {
    const struct {
        const char* okno;
        std::function<QWidget*()> pokaz;
        std::function<bool()> nacisniety;
    } przypadki[] = {
        {"start window", [&] { return static_cast<QWidget*>(&app->oknoStartowe()); },
         [&] { return app->oknoGlowne().isVisible(); }},
        {"help table", [&] { app->pokazOknoPomocy(); return static_cast<QWidget*>(&app->oknoPomocy()); },
         [&] { return !app->oknoPomocy().isVisible(); }},
        {"about window", [&] { app->pokazOknoOProgramie(); return static_cast<QWidget*>(&app->oknoOProgramie()); },
         [&] { return !app->oknoOProgramie().isVisible(); }},
    };
    ui.files = {operatorzy() + "enter.tr1"};
    for (const auto& p : przypadki) {
        QWidget* okno = p.pokaz();
        QWidget* cel = okno->focusWidget() ? okno->focusWidget() : okno;
        QKeyEvent wcisniety(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
        QApplication::sendEvent(cel, &wcisniety);
        EXPECT_TRUE(p.nacisniety()) << p.okno;
    }
}

TEST_F(Okna, MainWindowsFrameAtTheTopLeftAndTheWindowShrinks) {
    nowyOperator("maly.tr1");
    OknoGlowne& f = app->oknoGlowne();
    EXPECT_EQ(f.frameGeometry().topLeft(), QPoint(0, 0));
    f.resize(640, 480);
    QApplication::processEvents();
    EXPECT_EQ(f.size(), QSize(640, 480));
    // The tree gives way: the buttons below it stay on the page.
    EXPECT_TRUE(f.TabDrzewo->rect().contains(f.ButtonFinal->geometry()));
}

// At the window's own minimum size no control of the tree tab is cut off
// or out of reach: each lies whole on the tab's surface, which scrolls.
TEST_F(Okna, AtItsMinimumSizeTheTreeTabScrollsToEveryControl) {
    nowyOperator("maly.tr1");
    OknoGlowne& f = app->oknoGlowne();
    f.resize(f.minimumSize());
    QApplication::processEvents();
    EXPECT_GT(f.PrzewijanieDrzewa->verticalScrollBar()->maximum(), 0);
    for (QWidget* w : std::initializer_list<QWidget*>{f.TreeView1, f.PrzyciskPodgladu, f.ButtonFinal, f.CheckBox1,
                                                      f.SpeedBazowy, f.OkienkoBazowe, f.SpeedWzorcowy, f.OkienkoEdycji,
                                                      f.Wyniki->SpeedButton3})
        EXPECT_TRUE(f.PowierzchniaDrzewa->rect().contains(w->geometry())) << w->objectName().toStdString();
}

// Narrowed, the command line gives way first; the progress bar stays whole.
TEST_F(Okna, ANarrowedWindowKeepsTheProgressBarWhole) {
    work.write("pracawtrybiewsadowym", std::string());
    utworz();
    nowyOperator("nowy.tr1");
    OknoGlowne& f = app->oknoGlowne();
    const QWidget *pole = f.OknoLiniiRozkazow, *przycisk = f.PrzyciskWykonaniaNastepnegoPolecenia;
    for (int szerokosc : {520, 440, 420, f.minimumSizeHint().width()}) {
        f.resize(szerokosc, 480);
        QApplication::processEvents();
        EXPECT_GE(f.ProgressBar1->width(), 100) << szerokosc;
        EXPECT_LT(pole->geometry().right(), f.ProgressBar1->x()) << szerokosc;
        EXPECT_TRUE(przycisk->width() == przycisk->sizeHint().width() || pole->width() == pole->minimumWidth());
    }
}

TEST_F(Okna, ChartsWithoutAnOperatorSayWhatIsMissingAndShowNoTree) {
    app->startOK();  // the naming dialog cancelled
    OknoGlowne& f = app->oknoGlowne();
    ui.messages.clear();
    for (const char* wykres : {"Zysknetto1", "Sprzeda1", "Bilans2"}) {
        f.akcja(wykres)->trigger();
        EXPECT_FALSE(f.PageControl1->isTabVisible(f.PageControl1->indexOf(f.TabDrzewo))) << wykres;
        EXPECT_FALSE(f.akcja(wykres)->isChecked()) << wykres;
    }
    EXPECT_EQ(ui.messages, std::vector<std::string>(3, teksty::NalezyZainicjowac));
}

TEST_F(Okna, OkTwiceCreatesOneOperatorAndStartsTheCoreOnce) {
    nowyOperator("nowy.tr1");
    EXPECT_TRUE(ui.messages.empty()) << ui.messages.front();
    EXPECT_TRUE(work.exists("OPERATOR/nowy.tr1"));
    EXPECT_TRUE(work.exists("OPERATOR/nowy.qad"));
    EXPECT_EQ(ui.dialogs.size(), 1u);
    // A changed constraint shows whether the core is started again.
    app->kontekst().Ograniczenia[1].Nazwa = "zmienione";
    ui.answers = {false};
    app->oknoGlowne().close();
    nowyOperator("drugi.tr1");
    EXPECT_EQ(ui.dialogs.size(), 1u);
    EXPECT_FALSE(work.exists("OPERATOR/drugi.tr1"));
    EXPECT_EQ(app->kontekst().Ograniczenia[1].Nazwa, "zmienione");
    EXPECT_TRUE(app->oknoGlowne().isVisible());
}

// F4 over the operator a second copy of the program holds: the refusal
// comes first, no question whether to delete it.
TEST_F(Okna, F4OverAnOperatorAnotherCopyHoldsIsRefusedBeforeAnyQuestion) {
    nowyOperator("nowy.tr1");
    work.write("OPERATOR/inny.tr1", work.read("OPERATOR/nowy.tr1"));
    work.write("OPERATOR/inny.qad", work.read("OPERATOR/nowy.qad"));
    FileLock drugaKopia;
    ASSERT_EQ(drugaKopia.lock(operatorzy() + "inny.lck", operatorzy() + "inny.qad"), FileLock::Result::Locked);
    ui.messages.clear();
    ui.files = {operatorzy() + "inny.tr1"};
    app->oknoGlowne().akcja("Nowy1")->trigger();
    EXPECT_TRUE(ui.questions.empty());
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].find("inny.tr1 jest u\xBFywany przez inny program"), std::string::npos) << ui.messages[0];
    EXPECT_EQ(app->kontekst().PlikDrzewa, operatorzy() + "nowy.tr1");
}

TEST_F(Okna, NewOperatorShowsItsTreeCaptionAndStatus) {
    nowyOperator("nowy.tr1");
    OknoGlowne& f = app->oknoGlowne();
    EXPECT_TRUE(f.wlaczona("Wzy1"));
    EXPECT_TRUE(f.akcja("Wzy1")->isEnabled());
    EXPECT_EQ(f.windowTitle(), QString::fromStdString("Vesk dla Windows " + cp1250ToUtf8(app->kontekst().DopisekTytulu) +
                                                      " " + operatorzy() + "nowy.tr1"));
    EXPECT_EQ(f.panel1->text(), QStringLiteral("nowy.tr1"));
    EXPECT_EQ(f.PageControl1->currentWidget(), f.TabDrzewo);
    EXPECT_TRUE(f.PageControl1->isTabVisible(f.PageControl1->indexOf(f.TabDrzewo)));
    ASSERT_EQ(f.TreeView1->topLevelItemCount(), 1);
    EXPECT_EQ(f.TreeView1->topLevelItem(0)->text(0), QStringLiteral("d/r 0"));
    EXPECT_EQ(f.TreeView1->currentItem(), f.TreeView1->topLevelItem(0));
    EXPECT_TRUE(f.TreeView1->isEnabled());
    // The arrows, Del and Enter reach the tree at once.
    EXPECT_EQ(f.focusWidget(), f.TreeView1);
    // The hints come from the working folder: none there, so none shown.
    EXPECT_TRUE(f.MemoStart->toPlainText().isEmpty());
}

// An operator opened over a report page of another shows its tree tab,
// the tree focused; the other one's page and command line are gone.
TEST_F(Okna, ShiftF3FromAReportPageShowsTheNewOperatorsTree) {
    nowyOperator("drugi.tr1");
    OknoGlowne& f = app->oknoGlowne();
    ui.files = {operatorzy() + "lekcja.tr1"};
    f.akcja("Nowy1")->trigger();
    ASSERT_NO_FATAL_FAILURE(symulowaneDziecko());
    f.akcja("WynikSyntetyczny1")->trigger();
    ASSERT_EQ(f.PageControl1->currentWidget(), f.Wyniki->TabSprawozdanie2);
    f.OknoLiniiRozkazow->setText(QStringLiteral("utw\u00F3rz plik lekcja.tr1"));
    ui.files = {operatorzy() + "drugi.tr1"};
    f.akcja("NowyPlik1")->trigger();
    EXPECT_EQ(f.PageControl1->currentWidget(), f.TabDrzewo);
    EXPECT_FALSE(f.PageControl1->isTabVisible(f.PageControl1->indexOf(f.Wyniki->TabSprawozdanie2)));
    EXPECT_EQ(f.focusWidget(), f.TreeView1);
    EXPECT_TRUE(f.OknoLiniiRozkazow->text().isEmpty());
}

TEST_F(Okna, HintTextOfTheWorkingFolderIsShownOnOpening) {
    work.write("moduls.rtf", "{\\rtf1 Pierwsze kroki\\par}");
    nowyOperator("nowy.tr1");
    EXPECT_EQ(app->oknoGlowne().MemoStart->toPlainText(), QStringLiteral("Pierwsze kroki"));
}

TEST_F(Okna, FailedOpenKeepsCaptionStatusAndTree) {
    nowyOperator("nowy.tr1");
    OknoGlowne& f = app->oknoGlowne();
    QString tytul = f.windowTitle();
    work.write("OPERATOR/zly.tr1", "d/r 0\r\n\t\t\td 3\r\n");
    work.write("OPERATOR/zly.qad", "");
    ui.messages.clear();
    ui.files = {operatorzy() + "zly.tr1"};
    f.akcja("NowyPlik1")->trigger();
    EXPECT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(f.windowTitle(), tytul);
    EXPECT_EQ(f.panel1->text(), QStringLiteral("nowy.tr1"));
    ASSERT_EQ(f.TreeView1->topLevelItemCount(), 1);
    EXPECT_EQ(f.TreeView1->topLevelItem(0)->text(0), QStringLiteral("d/r 0"));
}

// F4 cancelled or refused: the open operator stays, only a refusal is told.
TEST_F(Okna, NamingCancelledOrRefusedWhileAnOperatorIsOpenTellsNoOperatorIsMissing) {
    nowyOperator("nowy.tr1");
    const std::pair<const char*, std::vector<std::string>> przypadki[] = {
        {nullptr, {}}, {"Rozyczka9.tr1", {teksty::NazwaZaDluga}}, {"  ", {teksty::NazwaPusta}}};
    for (const auto& [nazwa, komunikaty] : przypadki) {
        ui.messages.clear();
        if (nazwa) ui.files = {operatorzy() + nazwa};
        app->oknoGlowne().akcja("Nowy1")->trigger();
        EXPECT_EQ(ui.messages, komunikaty) << (nazwa ? nazwa : "cancelled");
        EXPECT_TRUE(app->warsztat().Blokada.holds(operatorzy() + "nowy.lck"));
    }
}

TEST_F(Okna, StartFileOfTheCommandLineIsOpenedAtFirstShow) {
    nowyOperator("pierwszy.tr1");
    ASSERT_TRUE(work.exists("OPERATOR/pierwszy.tr1"));
    EXPECT_EQ(app->oknoGlowne().Okres[0]->text(), QStringLiteral("2009-2011"));
    ui.files.clear();
    utworz({"/f", operatorzy() + "pierwszy.tr1"});
    EXPECT_TRUE(app->oknoStartowe().OkienkoInformacyjne->toPlainText().contains(
        QString::fromUtf8("otwiera okno główne z operatorem ") + q(operatorzy()) + "pierwszy.tr1"));
    const std::size_t dialogi = ui.dialogs.size();
    app->startOK();  // opens "/f" and asks for no new operator
    EXPECT_EQ(ui.dialogs.size(), dialogi);
    EXPECT_EQ(app->oknoGlowne().panel1->text(), QStringLiteral("pierwszy.tr1"));
    EXPECT_EQ(app->oknoGlowne().TreeView1->topLevelItem(0)->text(0), QStringLiteral("d/r 0"));
    // The period header as just after creating.
    EXPECT_EQ(app->oknoGlowne().Okres[0]->text(), QStringLiteral("2009-2011"));
}

// Whatever opened the operator (F4, an optimisation), the traditional tab
// names its tree file.
TEST_F(Okna, TheTraditionalTabNamesTheOperatorAnOptimisationOpened) {
    nowyOperator("we.tr1");
    OknoGlowne& f = app->oknoGlowne();
    ui.files = {operatorzy() + "a.tr1"};
    f.akcja("Nowy1")->trigger();
    ui.stop = true;  // stopped once it has opened we.tr1
    f.akcja("Optymalizacja1")->trigger();
    f.PageControl1->setCurrentWidget(f.Wyniki->TabInterfejs);
    EXPECT_EQ(f.Wyniki->NazwaOperatoraPrim->text(), q(operatorzy()) + "we.tr1");
}

TEST_F(Okna, BadStartFileGetsAMessageAndTheProgramGoesOn) {
    utworz({"/f", operatorzy() + "brak.tr1"});
    app->startOK();
    ASSERT_GE(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].find("brak.tr1"), std::string::npos) << ui.messages[0];
    EXPECT_FALSE(ui.endRequested);
    EXPECT_TRUE(app->oknoGlowne().isVisible());
    EXPECT_FALSE(app->oknoGlowne().wlaczona("Wzy1"));
}

// The main window of a small operator (a root and two children, one of
// them simulated), drawn offscreen; the picture is kept in the build tree.
TEST_F(Okna, ScreenshotOfASmallSimulatedOperator) {
    nowyOperator("obraz.tr1");
    ASSERT_NO_FATAL_FAILURE(dodajDzieci(2));
    Warsztat& w = app->warsztat();
    ASSERT_EQ(w.Drzewo.Liczba(), 3);
    ASSERT_TRUE(w.Symulowanie(w.Drzewo.Numer(1)));
    w.Wybierz(0);
    w.Zmiana_wezla();
    app->oknoGlowne().odswiez(w);

    OknoGlowne& f = app->oknoGlowne();
    f.resize(900, 640);
    QImage obraz = f.grab().toImage();
    ASSERT_FALSE(obraz.isNull());
    obraz.save(QStringLiteral(VESK_DATA_DIR "../okno_glowne.png"));
    std::set<QRgb> kolory;
    for (int y = 0; y < obraz.height(); y += 3)
        for (int x = 0; x < obraz.width(); x += 3) kolory.insert(obraz.pixel(x, y));
    EXPECT_GT(kolory.size(), 8u);
    QStringList etykiety;
    for (QTreeWidgetItemIterator it(f.TreeView1); *it; ++it) etykiety << (*it)->text(0);
    EXPECT_EQ(etykiety.size(), 3);
    EXPECT_TRUE(etykiety.contains(QStringLiteral("d/r 0")));
    EXPECT_EQ(etykiety.filter(QStringLiteral("d/r ")).size(), 2);
}

TEST_F(Okna, AboutBoxClosesWhenTheFocusLeavesItsButtonNotWhenTheWindowDoes) {
    app->pokazOknoOProgramie();
    OknoOProgramie& a = app->oknoOProgramie();
    QFocusEvent inneOkno(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
    QApplication::sendEvent(a.OKButton, &inneOkno);
    EXPECT_TRUE(a.isVisible());
    QFocusEvent tab(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(a.OKButton, &tab);
    EXPECT_FALSE(a.isVisible());
}

TEST_F(Okna, TwoPaneHelpWindowGivesTheLeftPaneAThird) {
    OknoPomocyDwudzielne& f = app->oknoPomocyDwudzielne();
    f.show();
    QList<int> sizes = f.Split->sizes();
    ASSERT_EQ(sizes.size(), 2);
    int razem = sizes[0] + sizes[1];
    EXPECT_NEAR(sizes[0], razem / 3, razem / 20);
    f.OK->click();
    EXPECT_FALSE(f.isVisible());
}

// The real boxes: a live question answered with "Nie" is false.
TEST(QtPort, LiveQuestionAnsweredNo) {
    QtUserInterface port;
    QString pytanie;
    // Answered once the box stands, however late the machine shows it.
    const auto otwarte = [] { return qobject_cast<QMessageBox*>(QApplication::activeModalWidget()) != nullptr; };
    test::Gdy(otwarte, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        pytanie = box->text();
        for (auto* b : box->buttons())
            if (b->text() == QStringLiteral("Nie")) b->click();
    });
    EXPECT_FALSE(port.question(std::string("Czy zako\xf1" "czy\xe6?")));
    EXPECT_EQ(pytanie, QString::fromUtf8("Czy zakończyć?"));

    test::Gdy(otwarte, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        for (auto* b : box->buttons())
            if (b->text() == QStringLiteral("Tak")) b->click();
    });
    EXPECT_TRUE(port.question("?"));
}

// However long what the core says, the box holds a few lines and fits the
// screen.
TEST(QtPort, LongMessageFitsTheScreen) {
    QtUserInterface port;
    std::string tekst(1 << 20, 'x');
    for (int i = 0; i < 300000; ++i) tekst += "\nwiersz " + std::to_string(i);
    QString pokazany;
    int wysokosc = 0;
    test::Gdy([] { return qobject_cast<QMessageBox*>(QApplication::activeModalWidget()) != nullptr; }, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        pokazany = box->text();
        wysokosc = box->height();
        box->accept();
    });
    port.message(tekst);
    EXPECT_LE(pokazany.count(QLatin1Char('\n')), 29);
    EXPECT_LE(pokazany.size(), 30 * 110);
    // The first lines, how many were left out, the last ones.
    EXPECT_TRUE(pokazany.contains(QString::fromUtf8("(pominięto wierszy: 310457)\nwiersz 299990\n")));
    EXPECT_TRUE(pokazany.endsWith(QStringLiteral("\nwiersz 299999"))) << pokazany.right(40).toStdString();
    EXPECT_LE(wysokosc, QApplication::primaryScreen()->availableGeometry().height());
}

// A text with a character code page 1250 lacks is refused, naming it, and
// asked for again: never turned into "?".
TEST(QtPort, AnInputCodePage1250CannotSpellIsAskedAgain) {
    QtUserInterface port;
    QString odmowa;
    const auto dialog = [] { return qobject_cast<QInputDialog*>(QApplication::activeModalWidget()); };
    const auto wpisz = [&](const char* tekst) {
        dialog()->setTextValue(QString::fromUtf8(tekst));
        dialog()->accept();
    };
    test::Gdy([&] { return dialog() != nullptr; }, [&] {
        wpisz("5 \u0436");
        test::Gdy([] { return qobject_cast<QMessageBox*>(QApplication::activeModalWidget()) != nullptr; }, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            odmowa = box->text();
            box->accept();
            test::Gdy([&] { return dialog() != nullptr; }, [&] { wpisz("5 z\u0142"); });
        });
    });
    EXPECT_EQ(port.inputText("a", "b", ""), std::optional<std::string>("5 z\xB3"));
    EXPECT_TRUE(odmowa.contains(QStringLiteral("\\u0436"))) << odmowa.toStdString();
}

TEST(QtPort, TheFileDialogShowsSizesAndTypesInPolish) {
    test::TempDir d;
    d.write("a.roz", std::string(12, 'x'));
    QString kolumny;
    const auto pokazany = [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        auto* lista = dialog ? dialog->findChild<QTreeView*>(QStringLiteral("treeView")) : nullptr;
        const QModelIndex a = lista ? lista->model()->index(0, 0, lista->rootIndex()) : QModelIndex();
        if (a.data().toString() == QStringLiteral("a.roz"))
            kolumny = a.siblingAtColumn(1).data().toString() + "|" + a.siblingAtColumn(2).data().toString();
        return !kolumny.isEmpty();
    };
    // A name that does not exist: the dialog's own warning, under the
    // dialog's caption, is as wide as that caption.
    const QString tytul = QString::fromUtf8("Proszę podać nazwę pliku zestawu do wczytania u wskaźników");
    int szerokoscOstrzezenia = 0;
    const auto ostrzezenie = [] { return qobject_cast<QMessageBox*>(QApplication::activeModalWidget()) != nullptr; };
    test::Gdy(pokazany, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        test::Gdy(ostrzezenie, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            szerokoscOstrzezenia = box->windowTitle() == tytul ? box->width() : -1;
            box->reject();
            test::Gdy([] { return qobject_cast<QFileDialog*>(QApplication::activeModalWidget()) != nullptr; },
                      [] { qobject_cast<QFileDialog*>(QApplication::activeModalWidget())->reject(); });
        });
        dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(QStringLiteral("brak.roz"));
        QMetaObject::invokeMethod(dialog, "accept");
    });
    QtUserInterface().chooseFile(zQt(tytul), "Pliki rozkaz\xf3w (*.roz)|*.ROZ", false, d.folder());
    EXPECT_EQ(kolumny, QString::fromUtf8("12 bajtów|Plik ROZ"));
    // A window manager draws captions bold and larger.
    QFont pogrubiona = QApplication::font();
    pogrubiona.setBold(true);
    pogrubiona.setPointSizeF(pogrubiona.pointSizeF() * 1.25);
    EXPECT_GT(szerokoscOstrzezenia, QFontMetrics(pogrubiona).horizontalAdvance(tytul)) << szerokoscOstrzezenia;
}

TEST(QtPort, SizesBelowAKibibyteTakeThePolishPlural) {
    const std::pair<qint64, const char*> przypadki[] = {
        {0, "0 bajtów"},     {1, "1 bajt"},        {2, "2 bajty"},       {4, "4 bajty"},       {5, "5 bajtów"},
        {12, "12 bajtów"},   {14, "14 bajtów"},    {21, "21 bajtów"},    {22, "22 bajty"},     {70, "70 bajtów"},
        {104, "104 bajty"},  {112, "112 bajtów"},  {115, "115 bajtów"},  {582, "582 bajty"},   {1023, "1023 bajty"},
    };
    for (const auto& [bajty, tekst] : przypadki) EXPECT_EQ(RozmiarPliku(bajty), QString::fromUtf8(tekst)) << bajty;
    EXPECT_EQ(RozmiarPliku(6144), QLocale(QLocale::Polish).formattedDataSize(6144));
}

// A name code page 1250 cannot carry is refused, named, never turned into
// another name ("?uk.tr1").
TEST(QtPort, TheFileDialogRefusesANameCodePage1250CannotCarry) {
    test::TempDir d;
    const auto modalny = [] { return QApplication::activeModalWidget(); };
    QString komunikat;
    test::Gdy([&] { return qobject_cast<QFileDialog*>(modalny()); }, [&] {
        qobject_cast<QFileDialog*>(modalny())->selectFile(QString::fromUtf8("\xD0\x96uk.tr1"));
        static_cast<QDialog*>(modalny())->accept();
        test::Gdy([&] { return qobject_cast<QMessageBox*>(modalny()); }, [&] {
            komunikat = qobject_cast<QMessageBox*>(modalny())->text();
            static_cast<QDialog*>(modalny())->accept();
        });
    });
    EXPECT_FALSE(QtUserInterface().chooseFile("Plik", "Pliki operator\xf3w (*.tr1)|*.TR1", true, d.folder()));
    EXPECT_TRUE(komunikat.contains(QStringLiteral("\\u0416uk.tr1 ma znaki spoza"))) << komunikat.toStdString();
    // No file to rename: another name is to be chosen.
    EXPECT_TRUE(komunikat.endsWith(QString::fromUtf8("należy wybrać inną nazwę"))) << komunikat.toStdString();
}

// The open dialog hands the core a bare name (with the filter's extension)
// and one spelt otherwise; an operator's ambiguous name too, and one with
// a control character or of dots alone, for the core's refusal. A name no file has it refuses itself, and so other
// dialogs an ambiguous one, naming the files.
TEST(QtPort, TheOpenDialogLetsThroughWhatTheCoreResolves) {
    test::TempDir d;
    for (const char* n : {"Żabka.tr1", "Ab.tr1", "aB.tr1", "x.roz", "X.ROZ"}) d.write(n, "x");
    const auto modalny = [] { return QApplication::activeModalWidget(); };
    const auto wybierz = [&](const char* nazwa, const char* filtr) {
        QString komunikat;
        QObject zakres;  // no answer left waiting for a later box
        test::Gdy([&] { return qobject_cast<QFileDialog*>(modalny()); }, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(modalny());
            test::Gdy([&] { return qobject_cast<QMessageBox*>(modalny()); }, [&] {
                komunikat = qobject_cast<QMessageBox*>(modalny())->text().remove(QChar(0x200B)).replace('\n', ' ');
                static_cast<QDialog*>(modalny())->accept();
                test::Gdy([&] { return qobject_cast<QFileDialog*>(modalny()); },
                          [&] { static_cast<QDialog*>(modalny())->reject(); }, &zakres);
            }, &zakres);
            dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(QString::fromUtf8(nazwa));
            QMetaObject::invokeMethod(dialog, "accept");
        }, &zakres);
        const std::optional<std::string> plik = QtUserInterface().chooseFile("Plik", filtr, false, d.folder());
        return std::pair{plik ? cp1250ToUtf8(*plik) : std::string("-"), komunikat.toStdString()};
    };
    const char* operatory = "Pliki operator\xf3w VeskWin (*.tr1)|*.TR1";
    EXPECT_EQ(wybierz("Żabka", operatory), std::pair(d.folder() + "Żabka.tr1", std::string()));
    EXPECT_EQ(wybierz("żABKA.tr1", operatory), std::pair(d.folder() + "żABKA.tr1", std::string()));
    EXPECT_EQ(wybierz("AB.tr1", operatory), std::pair(d.folder() + "AB.tr1", std::string()));
    // A name the core refuses as it stands (a control character, dots alone): its refusal tells why.
    EXPECT_EQ(wybierz("\tT", operatory), std::pair(d.folder() + "\tT.tr1", std::string()));
    EXPECT_EQ(wybierz("..tr1", operatory), std::pair(d.folder() + "..tr1", std::string()));
    const auto [brak, nieMa] = wybierz("brak", operatory);
    EXPECT_TRUE(brak == "-" && nieMa.find("brak.tr1") != std::string::npos) << nieMa;
    const auto [roz, powod] = wybierz("X.roz", "Pliki rozkaz\xf3w (*.roz)|*.ROZ");
    EXPECT_TRUE(roz == "-" && powod.find("liter: " + d.folder() + "X.ROZ, " + d.folder() + "x.roz;") != std::string::npos)
        << powod;
}

TEST(QtPort, FileFiltersMatchWithoutLetterCase) {
    EXPECT_EQ(filtryPlikow("Pliki operator\xf3w VeskWin (*.tr1)|*.TR1"),
              QStringList{QString::fromUtf8("Pliki operatorów VeskWin (*.[tT][rR]1)")});
    EXPECT_EQ(filtryPlikow("Pliki rozkaz\xf3w (*.roz)|*.ROZ"),
              QStringList{QString::fromUtf8("Pliki rozkazów (*.[rR][oO][zZ])")});
    EXPECT_EQ(filtryPlikow("A|*.roz;*.txt|B|*"),
              (QStringList{QStringLiteral("A (*.[rR][oO][zZ] *.[tT][xX][tT])"), QStringLiteral("B (*)")}));
}

TEST(QtPort, EndIsQueuedNotImmediate) {
    QtUserInterface port;
    port.endProgram(3);
    // Still here: the exit runs from the event loop, which returns the code.
    // The application's own loop, as the program runs it: once it returns,
    // later loops of this process run again.
    EXPECT_EQ(QApplication::exec(), 3);
}

}  // namespace
}  // namespace vesk

namespace vesk {
namespace {

// The program's own start without a screen: the real boxes, the start
// window, the message loop, and "Koniec" ending it with status 0.
TEST(Program, StartsWithoutAScreenAndEndsCleanly) {
    test::TempDir work;
    work.write("zakresy.txt", "");
    std::filesystem::copy_file(std::string(VESK_DATA_DIR) + "PROGRAM/zakresy.txt", work.file("zakresy.txt"),
                               std::filesystem::copy_options::overwrite_existing);
    QtUserInterface port;
    Aplikacja app(port, {}, work.folder(), std::string(VESK_DATA_DIR) + "PROGRAM/",
                  [&](Kontekst& k) { k.DomyslneKatalogi.Operatorzy = work.folder() + "OPERATOR/"; });
    app.start();
    ASSERT_TRUE(app.oknoStartowe().isVisible());
    QTimer::singleShot(0, &app.oknoStartowe(), [&] { app.oknoStartowe().SpeedButton1->click(); });
    EXPECT_EQ(QApplication::exec(), 0);
}

}  // namespace
}  // namespace vesk

