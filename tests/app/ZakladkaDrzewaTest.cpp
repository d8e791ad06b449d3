// The tree tab and the decision form on a small operator: a root with the
// children "d/r 1" and "d 2", driven through the widgets.
#include <QApplication>
#include <functional>
#include <optional>
#include <set>
#include <tuple>
#include <utility>
#include <vector>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QLocale>
#include <QMimeData>
#include <QMouseEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QTreeWidgetItemIterator>
#include <gtest/gtest.h>

#include "Aplikacja.h"
#include "CodePage.h"
#include "OknoGlowne.h"
#include "OknoFormularzaDecyzji.h"
#include "PlikStanu.h"
#include "OknaFixture.h"
#include "Real48.h"
#include "Teksty.h"
#include "Warsztat.h"
#include "ZakladkiWynikow.h"

namespace vesk {
namespace {

using test::u;

struct ZakladkaDrzewa : test::OknaFixture<> {
    void SetUp() override {
        przygotuj();
        utworz();
    }
    void TearDown() override { QLocale::setDefault(QLocale::c()); }

    void utworz() {
        uruchom();
        nowyOperator("op.tr1");
        ASSERT_NO_FATAL_FAILURE(dodajDzieci(2));
        Warsztat& w = app->warsztat();
        ASSERT_TRUE(w.Symulowanie(1));
        // No base or template to begin with; the root selected.
        w.k.WezelBazowy.Ustawiony = w.k.WezelDoEdycji.Ustawiony = false;
        w.OkienkoBazowe.clear();
        w.OkienkoEdycji.clear();
        w.Polecenia.dodanieweza1 = false;
        w.Wybierz(0);
        w.Zmiana_wezla();
        app->odswiezOkna();
        QApplication::setActiveWindow(&f());
        ui.messages.clear();
    }

    OknoGlowne& f() { return app->oknoGlowne(); }
    OknoFormularzaDecyzji& f3() { return app->oknoFormularzaDecyzji(); }
    Warsztat& w() { return app->warsztat(); }

    QTreeWidgetItem* item(const char* etykieta) {
        for (QTreeWidgetItemIterator it(f().TreeView1); *it; ++it)
            if ((*it)->text(0) == QString::fromLatin1(etykieta)) return *it;
        return nullptr;
    }
    // A click on an item, as the user makes it.
    void klik(const char* etykieta) {
        QTreeWidgetItem* i = item(etykieta);
        ASSERT_NE(i, nullptr) << etykieta;
        f().TreeView1->setCurrentItem(i);
        emit f().TreeView1->itemClicked(i, 0);
    }
    void klawisz(QWidget* cel, int key, Qt::KeyboardModifiers mod = Qt::NoModifier, const QString& tekst = {}) {
        QKeyEvent wcisniety(QEvent::KeyPress, key, mod, tekst);
        QApplication::sendEvent(cel, &wcisniety);
        QKeyEvent puszczony(QEvent::KeyRelease, key, mod, tekst);
        QApplication::sendEvent(cel, &puszczony);
    }
    void upusc(QWidget* cel, QMimeData* dane) {
        QDragEnterEvent wejscie(QPoint(5, 5), Qt::CopyAction | Qt::MoveAction, dane, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(cel, &wejscie);
        QDropEvent e(QPointF(5, 5), Qt::CopyAction | Qt::MoveAction, dane, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(cel, &e);
        delete dane;
    }
    QMimeData* wezel(int n) {
        auto* d = new QMimeData;
        d->setData(QStringLiteral("application/x-vesk-wezel"), QByteArray::number(n));
        return d;
    }
    QStringList dzieci(const char* etykieta) {
        QStringList l;
        QTreeWidgetItem* i = item(etykieta);
        for (int c = 0; i && c < i->childCount(); ++c) l << i->child(c)->text(0);
        return l;
    }
    void wpisz(const char* pole, const QString& tekst) {
        QLineEdit* e = f3().pole(pole);
        ASSERT_NE(e, nullptr) << pole;
        e->setText(tekst);
        emit e->textEdited(tekst);
    }
    std::string plikStanu() { return work.read("OPERATOR/op.qad"); }
};

TEST_F(ZakladkaDrzewa, SelectingAnUnsimulatedNodeFollowsIt) {
    klik("d 2");
    EXPECT_TRUE(f().SpeedSymulacja->isEnabled());
    EXPECT_TRUE(f().wlaczona("symuluj"));
    EXPECT_FALSE(f().wlaczona("Bazowy1"));
    EXPECT_FALSE(f().SpeedBazowy->isEnabled());
    EXPECT_FALSE(f().wlaczona("Rezultaty2"));
    EXPECT_TRUE(f().wlaczona("Kasowaniewza1"));
    EXPECT_EQ(f3().Status->text(), QStringLiteral("Nie symulowany"));
    EXPECT_TRUE(f3().pole("zlec_alfa_0")->isEnabled());
    EXPECT_FALSE(f3().pole("zlec_alfa_0")->isReadOnly());
    EXPECT_TRUE(f3().Potwierdzenie1->isVisible() || !f3().isVisible());
    EXPECT_EQ(f3().NumerDecyzji->text(), QStringLiteral("2"));
    EXPECT_EQ(f3().NumerPoprzednika->text(), QStringLiteral("d/r 0"));
    EXPECT_EQ(f().LataSymulacji->text(), QStringLiteral("2012-2014"));
    EXPECT_EQ(f().PrzyciskPodgladu->text(), u("Podgląd decyzji: (d 2) <F3>"));
    EXPECT_FALSE(f().OkienkoBazowe->isEnabled());
    EXPECT_EQ(f().OkienkoBazowe->cursor().shape(), Qt::ForbiddenCursor);
    EXPECT_EQ(f().Debug.at("okienko_sciezki")->text(), QStringLiteral("2-0"));
    EXPECT_FALSE(f().Okres[0]->isEnabled());
    EXPECT_TRUE(f().Okres[1]->isEnabled());
    auto widoczne = [&] {
        int n = 0;
        for (QLabel* o : f().Okres) n += o->isVisibleTo(f().TabDrzewo) ? 1 : 0;
        return n;
    };
    EXPECT_EQ(widoczne(), 4);
    f().CheckBox1->setChecked(false);
    EXPECT_EQ(widoczne(), 2);
    EXPECT_EQ(f().TreeView1->indentation(), 64);
    // One bar between two headers, the last one closed; none before the first.
    EXPECT_EQ(f().Okres[0]->text() + f().Okres[1]->text(), QStringLiteral("2009-2011| 2012-2014 |"));
    f().CheckBox1->setChecked(true);
    EXPECT_EQ(widoczne(), 4);
    EXPECT_EQ(f().TreeView1->indentation(), 130);
    // The simulated node: the opposite.
    klik("d/r 1");
    EXPECT_FALSE(f().SpeedSymulacja->isEnabled());
    EXPECT_TRUE(f().SpeedBazowy->isEnabled());
    EXPECT_TRUE(f().OkienkoBazowe->isEnabled());
    EXPECT_EQ(f().OkienkoBazowe->cursor().shape(), Qt::UpArrowCursor);
    EXPECT_EQ(f3().Status->text(), QStringLiteral("Symulowany"));
    EXPECT_FALSE(f3().pole("cena_alfa_0")->isEnabled());
    EXPECT_TRUE(f3().pole("zlec_alfa_0")->isReadOnly());
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(ZakladkaDrzewa, FocusFromAnotherControlShowsTheRootNotFromTheWindow) {
    klik("d 2");
    QFocusEvent okno(QEvent::FocusIn, Qt::ActiveWindowFocusReason);
    QApplication::sendEvent(f().TreeView1, &okno);
    EXPECT_EQ(f().Debug.at("Nazwa_Biezacego_Wezla")->text(), QStringLiteral("d 2"));
    QFocusEvent tab(QEvent::FocusIn, Qt::TabFocusReason);
    QApplication::sendEvent(f().TreeView1, &tab);
    EXPECT_EQ(f().Debug.at("Nazwa_Biezacego_Wezla")->text(), QStringLiteral("d/r 0"));
    // The years above the tree stay the selected node's.
    EXPECT_EQ(f().LataSymulacji->text(), QStringLiteral("2012-2014"));
    EXPECT_EQ(f().TreeView1->currentItem(), item("d 2"));
}

TEST_F(ZakladkaDrzewa, UnsimulatedBaseIsRefused) {
    upusc(f().OkienkoEdycji, wezel(0));
    klik("d 2");
    EXPECT_FALSE(f().akcja("Bazowy1")->isEnabled());
    f().akcja("Ustawieniejakowzabazowego1")->trigger();
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(cp1250ToUtf8(ui.messages[0]), "bazowym może być tylko symulowany");
    EXPECT_TRUE(f().OkienkoBazowe->text().isEmpty());
    EXPECT_FALSE(f().wlaczona("dodanieweza1"));
}

TEST_F(ZakladkaDrzewa, InsAddsUnderTheBaseInNumericOrder) {
    // Ins while adding is disabled adds nothing and says why, as the
    // button does.
    const std::string przed = plikStanu();
    klawisz(&f(), Qt::Key_Insert);
    EXPECT_EQ(w().Drzewo.Liczba(), 3);
    EXPECT_EQ(plikStanu(), przed);
    EXPECT_EQ(ui.messages, std::vector<std::string>{teksty::NieUstawionoBazowego});
    ui.messages.clear();

    auto ustaw = [&] {
        klik("d/r 1");
        f().TreeView1->setFocus();
        klawisz(f().TreeView1, Qt::Key_A, Qt::ControlModifier);  // Ctrl+A in the tree: the base
        ASSERT_EQ(f().OkienkoBazowe->text(), QStringLiteral("d/r 1"));
        upusc(f().OkienkoEdycji, wezel(2));
        ASSERT_EQ(f().OkienkoEdycji->text(), QStringLiteral("d 2"));
        ASSERT_TRUE(f().wlaczona("dodanieweza1"));
    };
    ustaw();
    klawisz(&f(), Qt::Key_Insert);
    EXPECT_EQ(dzieci("d/r 1"), (QStringList{QStringLiteral("d 3")}));
    klawisz(&f(), Qt::Key_Insert);
    EXPECT_EQ(dzieci("d/r 1"), (QStringList{QStringLiteral("d 3"), QStringLiteral("d 4")}));
    EXPECT_FALSE(f3().isVisible());
    // Number 3 freed and used again: before 4.
    klik("d 3");
    f().akcja("Kasowaniewza1")->trigger();
    EXPECT_EQ(dzieci("d/r 1"), (QStringList{QStringLiteral("d 4")}));
    ustaw();
    klawisz(&f(), Qt::Key_Insert);
    EXPECT_EQ(dzieci("d/r 1"), (QStringList{QStringLiteral("d 3"), QStringLiteral("d 4")}));
    EXPECT_EQ(f().TreeView1->currentItem()->text(0), QStringLiteral("d 3"));
    EXPECT_NE(work.read("OPERATOR/op.tr1").find("\t\td 3\r\n\t\td 4\r\n"), std::string::npos);
    EXPECT_TRUE(ui.messages.empty()) << ui.messages.front();
}

TEST_F(ZakladkaDrzewa, TheTreeDragsTheNodeNumberAsACopy) {
    QTreeWidget* t = f().TreeView1;
    const QModelIndex i = t->indexFromItem(item("d 2"));
    std::unique_ptr<QMimeData> dane(t->model()->mimeData({i}));
    ASSERT_NE(dane, nullptr);
    EXPECT_EQ(dane->formats(), QStringList{QStringLiteral("application/x-vesk-wezel")});
    EXPECT_EQ(dane->data(QStringLiteral("application/x-vesk-wezel")), QByteArray("2"));
    EXPECT_EQ(t->model()->supportedDragActions(), Qt::CopyAction);
    upusc(f().OkienkoEdycji, dane.release());
    EXPECT_EQ(f().OkienkoEdycji->text(), QStringLiteral("d 2"));
}

TEST_F(ZakladkaDrzewa, OnlyOurNodesAreTakenByTheBoxes) {
    upusc(f().OkienkoBazowe, wezel(1));
    EXPECT_EQ(f().OkienkoBazowe->text(), QStringLiteral("d/r 1"));
    EXPECT_TRUE(w().k.WezelBazowy.Ustawiony);
    auto* tekst = new QMimeData;
    tekst->setText(QStringLiteral("d/r 0"));
    upusc(f().OkienkoEdycji, tekst);
    EXPECT_TRUE(f().OkienkoEdycji->text().isEmpty());
    EXPECT_FALSE(w().k.WezelDoEdycji.Ustawiony);
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(ZakladkaDrzewa, FormShowsAndStoresWithTheLocaleSeparator) {
    QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
    utworz();
    klik("d 2");
    f().akcja("przeglad1")->trigger();
    ASSERT_TRUE(f3().isVisible());
    EXPECT_EQ(f3().windowTitle(), u("Formularz decyzyjny - wprowadzanie wartości"));
    wpisz("cena_alfa_0", QStringLiteral("250,5"));
    f3().Potwierdzenie1->trigger();
    EXPECT_TRUE(ui.messages.empty()) << ui.messages.front();
    EXPECT_FALSE(f3().isVisible());
    StanModelu rec;
    ASSERT_TRUE(ZnajdzStanModelu(app->kontekst(), work.folder() + "OPERATOR/op.qad", 2, rec));
    EXPECT_EQ(rec.widok().real48(2840), roundToReal48(0.2505L));
    klik("d 2");
    EXPECT_EQ(f3().pole("cena_alfa_0")->text(), QStringLiteral("250,5"));
    // A form made under a locale writing "." shows the same price so.
    QLocale::setDefault(QLocale::c());
    OknoFormularzaDecyzji drugi(*app);
    w().Zmiana_wezla();
    drugi.pokaz(w());
    EXPECT_EQ(drugi.pole("cena_alfa_0")->text(), QStringLiteral("250.5"));
}

TEST_F(ZakladkaDrzewa, RefusedConfirmationKeepsTheFileAndFocusesTheBox) {
    klik("d 2");
    f().PrzyciskPodgladu->click();
    ASSERT_TRUE(f3().isVisible());
    QApplication::setActiveWindow(&f3());
    const std::string przed = plikStanu();
    // A letter code page 1250 lacks shows as typed, never as "?".
    wpisz("zadluzenie_1", QStringLiteral("dużo Ж"));
    f3().PrzyciskOK->click();
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].find("du\xBFo \\u0416"), std::string::npos) << ui.messages[0];
    EXPECT_EQ(plikStanu(), przed);
    EXPECT_TRUE(f3().isVisible());
    EXPECT_EQ(QApplication::focusWidget(), f3().pole("zadluzenie_1"));
    // Closed by its title bar with the bad text: asked; dropping the edits
    // only hides it.
    ui.choices = {UserInterface::Choice::No};
    f3().close();
    EXPECT_EQ(ui.questions.size(), 1u);
    EXPECT_FALSE(f3().isVisible());
    EXPECT_EQ(w().Drzewo.Liczba(), 3);
}

// What is typed first after F3 goes into the first box (production of
// Alfa, the first year), so that F2 refuses it.
TEST_F(ZakladkaDrzewa, TheFormOpensWithTheFocusInItsFirstBox) {
    klik("d 2");
    f().akcja("przeglad1")->trigger();
    QApplication::setActiveWindow(&f3());
    ASSERT_EQ(QApplication::focusWidget(), f3().pole("zlec_alfa_0"));
    klawisz(QApplication::focusWidget(), Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
    f3().Potwierdzenie1->trigger();
    EXPECT_EQ(ui.messages.size(), 1u);
    EXPECT_TRUE(f3().isVisible());
}

// The first box opens with its value selected: 600 typed there replaces it.
TEST_F(ZakladkaDrzewa, WhatIsTypedFirstReplacesTheFirstBoxsValue) {
    klik("d 2");
    f().akcja("przeglad1")->trigger();
    QApplication::setActiveWindow(&f3());
    for (const char* c : {"6", "0", "0"}) klawisz(QApplication::focusWidget(), c[0] - '0' + Qt::Key_0, {}, u(c));
    f3().Potwierdzenie1->trigger();
    f().akcja("przeglad1")->trigger();
    EXPECT_EQ(f3().pole("zlec_alfa_0")->text(), QStringLiteral("600"));
}

// Each way of opening the form brings it from behind the main window,
// active, at its first box.
TEST_F(ZakladkaDrzewa, EveryOpeningBringsTheFormFromBehindTheMainWindow) {
    const std::pair<const char*, std::function<void()>> sposoby[] = {
        {"F3", [&] { f().akcja("przeglad1")->trigger(); }},
        {"Ctrl+B",
         [&] {
             f().akcja("Bazowy1")->trigger();
             f().akcja("Doedycji1")->trigger();
         }},
    };
    for (const auto& [jak, otworz] : sposoby) {
        klik("d/r 1");
        f().akcja("przeglad1")->trigger();
        ASSERT_TRUE(test::CzekajAz([&] { return f3().isActiveWindow(); }, 5000)) << jak;
        f().activateWindow();
        ASSERT_TRUE(test::CzekajAz([&] { return f().isActiveWindow(); }, 5000)) << jak;
        klik(jak == std::string("F3") ? "d 2" : "d/r 1");
        otworz();
        EXPECT_TRUE(test::CzekajAz([&] { return f3().isActiveWindow(); }, 5000)) << jak;
        EXPECT_EQ(QApplication::focusWidget(), f3().pole("zlec_alfa_0")) << jak;
    }
}

// A simulated node's form, every box closed, is read by keys all the same:
// each of them scrolls a form smaller than its surface on from its top.
TEST_F(ZakladkaDrzewa, KeysScrollTheClosedFormOfASimulatedNode) {
    klik("d/r 1");
    f().akcja("przeglad1")->trigger();
    ASSERT_TRUE(f3().isVisible());
    ASSERT_FALSE(f3().pole("zlec_alfa_0")->isEnabled());
    f3().resize(360, 240);
    QApplication::setActiveWindow(&f3());
    QCoreApplication::processEvents();
    auto* przewijanie = f3().findChild<QScrollArea*>(QStringLiteral("Przewijanie"));
    ASSERT_NE(przewijanie, nullptr);
    QScrollBar* pionowy = przewijanie->verticalScrollBar();
    const std::pair<const char*, std::vector<int>> klawisze[] = {
        {"PgDn", {Qt::Key_PageDown}}, {"Down", {Qt::Key_Down}}, {"End", {Qt::Key_End}},
        {"Tab to the second row", {Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Tab}},
    };
    for (const auto& [jak, ktore] : klawisze) {
        pionowy->setValue(0);
        przewijanie->horizontalScrollBar()->setValue(0);
        for (int k : ktore) {
            // Where a key pressed goes: the focused control, else the window.
            QWidget* cel = QApplication::focusWidget();
            klawisz(cel && cel->window() == &f3() ? cel : &f3(), k);
        }
        EXPECT_GT(pionowy->value(), 0) << jak;
    }
}

// Ins, or Ctrl+B with a base set, with the traditional tab in front (back
// from a report) adds the node in sight: the tree tab with the new node and
// its form.
TEST_F(ZakladkaDrzewa, InsAwayFromTheTreeTabAddsInSight) {
    const std::pair<const char*, std::function<void()>> klawisze[] = {
        {"Ins",
         [&] {
             for (auto* s : f().findChildren<QShortcut*>())
                 if (s->key() == QKeySequence(Qt::Key_Insert)) emit s->activated();
         }},
        {"Ctrl+B", [&] { f().akcja("Doedycji1")->trigger(); }},
    };
    for (const auto& [jak, nacisnij] : klawisze) {
        klik("d/r 1");
        f().akcja("Bazowy1")->trigger();
        w().WyborWezlaDoEdycji();
        app->odswiezOkna();
        f().Wyniki->klik("PrzyciskBilansOkresowy");
        f().Wyniki->PrzyciskPowrotDoInterfejsu->click();
        nacisnij();
        EXPECT_EQ(f().PageControl1->currentWidget(), f().TabDrzewo) << jak;
        EXPECT_EQ(dzieci("d/r 1"), (QStringList{QStringLiteral("d 3")})) << jak;
        EXPECT_TRUE(f3().isVisible()) << jak;
        EXPECT_EQ(f3().NumerDecyzji->text(), QStringLiteral("3")) << jak;
        f3().Wyjcie1->trigger();  // the node just added goes again
    }
}

// The decision form's caption names the node's kind however the form
// opens: F3 on a simulated node, F3 on one to edit, Ctrl+B adding a node
// from a report page.
TEST_F(ZakladkaDrzewa, TheFormsCaptionNamesTheNodesKind) {
    const QString podglad = u("Formularz decyzyjny - podgląd");
    const QString wprowadzanie = u("Formularz decyzyjny - wprowadzanie wartości");
    const std::tuple<const char*, const char*, QString> przypadki[] = {
        {"d/r 1", "przeglad1", podglad}, {"d 2", "przeglad1", wprowadzanie}, {"d/r 1", "Doedycji1", wprowadzanie}};
    for (const auto& [wezel, polecenie, tytul] : przypadki) {
        klik(wezel);
        if (std::string(polecenie) == "Doedycji1") {
            f().akcja("Bazowy1")->trigger();
            f().akcja("WynikSyntetyczny1")->trigger();
            ASSERT_EQ(f().PageControl1->currentWidget(), f().Wyniki->TabSprawozdanie2);
        }
        f().akcja(polecenie)->trigger();
        ASSERT_TRUE(f3().isVisible()) << polecenie;
        EXPECT_EQ(f3().windowTitle(), tytul) << wezel << " " << polecenie;
        f3().Wyjcie1->trigger();
    }
}

// Ctrl+B on a report page with no base set: the template chosen is seen on
// the tree tab, the tree focused, the traditional tab beside it.
TEST_F(ZakladkaDrzewa, CtrlBOnAReportPageWithoutABaseShowsTheTreeTab) {
    klik("d/r 1");
    f().akcja("WynikSyntetyczny1")->trigger();
    ASSERT_EQ(f().PageControl1->currentWidget(), f().Wyniki->TabSprawozdanie2);
    f().akcja("Doedycji1")->trigger();
    EXPECT_EQ(f().PageControl1->currentWidget(), f().TabDrzewo);
    EXPECT_EQ(f().OkienkoEdycji->text(), QStringLiteral("d/r 1"));
    EXPECT_EQ(f().focusWidget(), f().TreeView1);
    klawisz(f().PageControl1, Qt::Key_Tab, Qt::ControlModifier);  // the operator's tabs, not the report
    EXPECT_EQ(f().PageControl1->currentWidget(), f().Wyniki->TabInterfejs);
}

// Ctrl+B on a report page adding a node, confirmed by F2: the operator's
// tabs as "Powrót do operatora" leaves them (Ctrl+Tab to the traditional
// tab, not to the stale report), the years above the tree the new node's.
TEST_F(ZakladkaDrzewa, CtrlBOnAReportPageAddingANodeBringsBackTheOperatorsTabs) {
    klik("d/r 1");
    f().akcja("Bazowy1")->trigger();
    f().akcja("WynikSyntetyczny1")->trigger();
    f().akcja("Doedycji1")->trigger();
    f3().Potwierdzenie1->trigger();
    EXPECT_EQ(f().LataSymulacji->text(), QStringLiteral("2015-2017"));
    klawisz(f().PageControl1, Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(f().PageControl1->currentWidget(), f().Wyniki->TabInterfejs);
}

// Selecting nodes and the refresh after every view give the items the
// tree's own icons: none is made anew, whose pictures the pixmap cache
// would keep for good.
TEST_F(ZakladkaDrzewa, RefreshesGiveTheItemsTheTreesOwnIcons) {
    auto klucze = [&] {
        std::vector<qint64> k;
        for (QTreeWidgetItemIterator it(f().TreeView1); *it; ++it) k.push_back((*it)->icon(0).cacheKey());
        return k;
    };
    const std::vector<qint64> przed = klucze();
    for (int i = 0; i < 3; ++i) {
        klik("d 2");
        klik("d/r 1");
        app->odswiezOkna();
    }
    klik("d/r 0");
    EXPECT_EQ(klucze(), przed);
    EXPECT_LE(std::set<qint64>(przed.begin(), przed.end()).size(), 3u);
}

// With the tree full, once the tree tab's button has been refused, Ins on a
// report page says why every time, as Ctrl+B there does.
TEST_F(ZakladkaDrzewa, InsOnAReportPageWithTheTreeFullSaysWhyEveryTime) {
    w().k.catTABWZOR = std::string(VESK_DATA_DIR) + "TABWZOR/";
    ASSERT_NO_FATAL_FAILURE(dodajDzieci(47));
    app->odswiezOkna();
    klik("d/r 1");
    const std::vector<std::string> pelny{std::string(teksty::BuforPelny) + teksty::LimitWezlow};
    ui.messages.clear();
    f().PrzyciskDodaniaNowejDecyzji->click();
    ASSERT_EQ(ui.messages, pelny);
    f().akcja("WynikSyntetyczny1")->trigger();
    ASSERT_EQ(f().PageControl1->currentWidget(), f().Wyniki->TabSprawozdanie2);
    for (const auto& [klucz, mod] : {std::pair(Qt::Key_Insert, Qt::NoModifier), std::pair(Qt::Key_Insert, Qt::NoModifier),
                                     std::pair(Qt::Key_B, Qt::ControlModifier), std::pair(Qt::Key_Insert, Qt::NoModifier)}) {
        ui.messages.clear();
        klawisz(f().Wyniki->WebBrowser2, klucz, mod);
        EXPECT_EQ(ui.messages, pelny) << klucz;
    }
    EXPECT_EQ(w().Drzewo.Liczba(), 50);
}

TEST_F(ZakladkaDrzewa, TypedDecisionsAreAskedForBeforeACommandWouldDropThem) {
    using C = UserInterface::Choice;
    const struct {
        const char* co;
        std::function<void()> zrob;
        std::function<bool()> zrobione;
    } przypadki[] = {
        {"another node", [&] { klik("d/r 1"); }, [&] { return w().Formularz.NumerDecyzji == "1"; }},
        {"closing the form", [&] { f3().close(); }, [&] { return !f3().isVisible(); }},
        {"simulating", [&] { f().SpeedSymulacja->click(); }, [&] { return item("d/r 2") != nullptr; }},
    };
    int cena = 500;
    for (const auto& p : przypadki) {
        klik("d 2");
        f().PrzyciskPodgladu->click();
        ASSERT_TRUE(f3().isVisible()) << p.co;
        cena += 100;
        wpisz("cena_gamma_0", QString::number(cena));
        ui.questions.clear();
        // The release of a key pressed elsewhere (Enter on a box) asks nothing.
        QKeyEvent puszczony(QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier);
        QApplication::sendEvent(f().TreeView1, &puszczony);
        EXPECT_TRUE(ui.questions.empty()) << p.co;
        // Cancelled: nothing done, the typed value still there.
        ui.choices = {C::Cancel};
        p.zrob();
        EXPECT_EQ(ui.questions.size(), 1u) << p.co;
        EXPECT_FALSE(p.zrobione()) << p.co;
        EXPECT_EQ(f3().pole("cena_gamma_0")->text(), QString::number(cena)) << p.co;
        // Confirmed: stored, then done.
        ui.choices = {C::Yes};
        p.zrob();
        EXPECT_TRUE(p.zrobione()) << p.co;
        StanModelu rec;
        ASSERT_TRUE(ZnajdzStanModelu(app->kontekst(), work.folder() + "OPERATOR/op.qad", 2, rec));
        EXPECT_EQ(rec.widok().real48(2840 + 12), roundToReal48(cena / 1000.0L)) << p.co;
    }
    EXPECT_TRUE(ui.messages.empty());
}

// Another node selected while the form holds typed values: the question's
// window takes the key's (or the click's) release; once either answer is
// given the form is the node selected, unsimulated or simulated, as a click
// on it with nothing typed shows it.
TEST_F(ZakladkaDrzewa, OnceTheQuestionIsAnsweredTheFormIsTheNodeSelected) {
    ASSERT_NO_FATAL_FAILURE(dodajDzieci(1));
    app->odswiezOkna();
    auto formularz = [&] {
        QStringList s{f3().windowTitle(), f3().NumerDecyzji->text(), f3().Status->text()};
        for (QLineEdit* e : f3().Pola) s << e->text() << QString::number(e->isEnabled() + 2 * e->isReadOnly());
        return s.join(QLatin1Char('|')).toStdString();
    };
    int cena = 500;
    for (auto odpowiedz : {UserInterface::Choice::No, UserInterface::Choice::Yes})
        for (const auto& [klawisz, wezel] : {std::pair{Qt::Key_Down, "d 3"}, std::pair{Qt::Key_Up, "d/r 1"}}) {
            klik("d 2");
            f().PrzyciskPodgladu->click();
            wpisz("cena_gamma_0", QString::number(++cena));
            ui.choices = {odpowiedz};
            QKeyEvent wcisniety(QEvent::KeyPress, klawisz, Qt::NoModifier);
            QApplication::sendEvent(f().TreeView1, &wcisniety);
            ASSERT_TRUE(ui.choices.empty() && f().TreeView1->currentItem() == item(wezel)) << wezel;
            const std::string poOdpowiedzi = formularz();
            klik(wezel);
            EXPECT_EQ(poOdpowiedzi, formularz()) << wezel;
        }
    EXPECT_TRUE(ui.messages.empty());
}

// One right click on d/r 1 with a value typed in d 2's form asks once:
// cancelled, d 2 stays with the value and no menu opens; dropped (there, or
// before the ending question answered "Nie"), the form shows the stored value.
TEST_F(ZakladkaDrzewa, ARightClickAsksOnceAndADroppedValueLeavesTheForm) {
    using C = UserInterface::Choice;
    f().show();
    QWidget* v = f().TreeView1->viewport();
    const QPoint pos = f().TreeView1->visualItemRect(item("d/r 1")).center();
    QMouseEvent prawy(QEvent::MouseButtonPress, pos, v->mapToGlobal(pos), Qt::RightButton, Qt::RightButton, {});
    QContextMenuEvent menu(QContextMenuEvent::Mouse, pos, v->mapToGlobal(pos));
    for (const auto& [odpowiedz, wezel, menuPrawe] : {std::tuple{C::Cancel, "d 2", true},
                                                      std::tuple{C::No, "d/r 1", true}, std::tuple{C::No, "d 2", false}}) {
        ui.choices = {C::No};
        klik("d 2");
        f().PrzyciskPodgladu->click();
        const QString zapisana = f3().pole("cena_gamma_0")->text();
        wpisz("cena_gamma_0", QStringLiteral("777"));
        ui.questions.clear();
        ui.choices = {odpowiedz};
        ui.answers = {false};
        menuPrawe ? (void)QApplication::sendEvent(v, &prawy), (void)QApplication::sendEvent(v, &menu)
                  : f().akcja("Wyjscie1")->trigger();
        EXPECT_EQ(ui.questions.size(), menuPrawe ? 1u : 2u) << wezel;
        EXPECT_EQ(f().TreeView1->currentItem(), item(wezel)) << wezel;
        EXPECT_EQ(f().PopupMenu1->isVisible(), menuPrawe && odpowiedz == C::No) << wezel;
        EXPECT_EQ(f3().pole("cena_gamma_0")->text(), odpowiedz == C::Cancel ? u("777") : zapisana) << wezel;
        f().PopupMenu1->hide();
    }
}

TEST_F(ZakladkaDrzewa, TraditionalTabButtonsAskBeforeRefillingTheForm) {
    const InterfejsTradycyjny& t = f().Wyniki->Interfejs;
    int cena = 700;
    for (const char* przycisk : {"PrzyciskAktywacja2", "PrzyciskKasowanie2", "PrzyciskSymulacja"}) {
        klik("d 2");
        f().PrzyciskPodgladu->click();
        wpisz("cena_gamma_0", QString::number(++cena));
        ui.questions.clear();
        ui.choices = {UserInterface::Choice::Cancel};
        f().Wyniki->klik(przycisk);
        EXPECT_EQ(ui.questions.size(), 1u) << przycisk;
        EXPECT_EQ(f3().pole("cena_gamma_0")->text(), QString::number(cena)) << przycisk;
        EXPECT_TRUE(t.SpeedPotwierdzenie.empty() && item("d 2")) << przycisk;
        ui.choices = {UserInterface::Choice::Yes};
        f().Wyniki->klik(przycisk);
        StanModelu rec;
        ASSERT_TRUE(ZnajdzStanModelu(app->kontekst(), work.folder() + "OPERATOR/op.qad", 2, rec));
        EXPECT_EQ(rec.widok().real48(2840 + 12), roundToReal48(cena / 1000.0L)) << przycisk;
        f().Wyniki->Interfejs.SpeedPotwierdzenie.clear();
    }
    EXPECT_NE(item("d/r 2"), nullptr);
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(ZakladkaDrzewa, DeletingASimulatedNodeAsksOnce) {
    klik("d/r 1");
    ui.answers = {false};
    f().akcja("Kasowaniewza1")->trigger();
    EXPECT_EQ(ui.questions.size(), 1u);
    EXPECT_NE(item("d/r 1"), nullptr);
    ui.answers = {true};
    f().akcja("KasowanieWza2")->trigger();
    EXPECT_EQ(ui.questions.size(), 2u);
    EXPECT_EQ(item("d/r 1"), nullptr);
    // A node without results goes without a question.
    klik("d 2");
    f().akcja("Kasowaniewza1")->trigger();
    EXPECT_EQ(ui.questions.size(), 2u);
    EXPECT_EQ(item("d 2"), nullptr);
}

TEST_F(ZakladkaDrzewa, DeepLevelsAreDrawnWholeAndScrolledToInTheZoomView) {
    // A chain of simulated nodes from the root down to level 8.
    for (int poziom = 1; poziom <= 8; ++poziom) {
        w().Bazowy1Click();
        w().WyborWezlaDoEdycji();
        ASSERT_TRUE(w().dodanieweza1Click());
        ASSERT_TRUE(w().Symulowanie(*w().Wybrany));
    }
    app->odswiezOkna();
    QTreeWidgetItem* najglebszy = f().TreeView1->currentItem();
    ASSERT_EQ(najglebszy->text(0), QStringLiteral("d/r 10"));
    const QRect r = f().TreeView1->visualItemRect(najglebszy);
    EXPECT_GT(f().TreeView1->horizontalScrollBar()->maximum(), 0);
    EXPECT_LE(r.left() + f().TreeView1->fontMetrics().horizontalAdvance(najglebszy->text(0)),
              f().TreeView1->viewport()->width());
}

TEST_F(ZakladkaDrzewa, InvestmentGridKeepsItsFrameOnACellLetsTabGoAndItsYearsLineUp) {
    f().PrzyciskPodgladu->click();
    QTableWidget* g = f3().StringGrid1;
    g->setCurrentCell(3, 6);
    g->setCurrentCell(0, 6);
    EXPECT_EQ(std::make_pair(g->currentRow(), g->currentColumn()), std::make_pair(3, 6));
    for (int y = 0; y < 3; ++y) {
        auto* rok = f3().findChild<QLabel*>(QStringLiteral("InwestycjeRok%1").arg(y));
        EXPECT_NEAR(rok->mapTo(&f3(), rok->rect().center()).x(),
                    g->viewport()->mapTo(&f3(), QPoint(g->columnViewportPosition(2 * y + 2), 0)).x(), 4);
    }
    QApplication::setActiveWindow(&f3());
    g->setFocus();
    klawisz(g, Qt::Key_Tab);
    EXPECT_NE(QApplication::focusWidget(), g);
}

TEST_F(ZakladkaDrzewa, SelectingAcrossBranchesLeavesEveryNodeInSight) {
    ASSERT_TRUE(w().Symulowanie(2));
    for (int baza : {1, 2}) {  // d/r 1 -> d 3 and d/r 2 -> d 4
        w().WybierzWezel(baza);
        w().Bazowy1Click();
        w().WyborWezlaDoEdycji();
        ASSERT_TRUE(w().dodanieweza1Click());
    }
    app->odswiezOkna();
    for (const char* etykieta : {"d 3", "d/r 2", "d 4", "d/r 1", "d/r 0", "d 3"}) {
        klik(etykieta);
        for (QTreeWidgetItemIterator it(f().TreeView1); *it; ++it)
            for (QTreeWidgetItem* p = (*it)->parent(); p; p = p->parent())
                EXPECT_TRUE(p->isExpanded()) << etykieta << " hides " << (*it)->text(0).toStdString();
    }
}

TEST_F(ZakladkaDrzewa, LeavingAFormOpenedByAnAddRemovesTheNewNode) {
    upusc(f().OkienkoBazowe, wezel(1));
    upusc(f().OkienkoEdycji, wezel(2));
    f().PrzyciskDodaniaNowejDecyzji->click();
    ASSERT_TRUE(f3().isVisible());
    EXPECT_EQ(dzieci("d/r 1"), (QStringList{QStringLiteral("d 3")}));
    EXPECT_EQ(f3().NumerDecyzji->text(), QStringLiteral("3"));
    f3().Wyjcie1->trigger();
    EXPECT_FALSE(f3().isVisible());
    EXPECT_TRUE(dzieci("d/r 1").isEmpty());
    EXPECT_EQ(f().OkienkoBazowe->text(), QStringLiteral("d/r 1"));
    EXPECT_EQ(f().OkienkoEdycji->text(), QStringLiteral("d 2"));
    EXPECT_TRUE(f().wlaczona("dodanieweza1"));
    EXPECT_TRUE(ui.messages.empty()) << ui.messages.front();
}

TEST_F(ZakladkaDrzewa, ClosingByTheTitleBarKeepsANodeJustAdded) {
    upusc(f().OkienkoBazowe, wezel(1));
    upusc(f().OkienkoEdycji, wezel(2));
    f().PrzyciskDodaniaNowejDecyzji->click();
    ASSERT_TRUE(f3().isVisible());
    f3().close();
    EXPECT_FALSE(f3().isVisible());
    EXPECT_EQ(dzieci("d/r 1"), (QStringList{QStringLiteral("d 3")}));
    // Opened again for viewing, F3 leaves it alone as well.
    f().akcja("przeglad1")->trigger();
    ASSERT_TRUE(f3().isVisible());
    f3().Wyjcie1->trigger();
    EXPECT_EQ(dzieci("d/r 1"), (QStringList{QStringLiteral("d 3")}));
}

TEST_F(ZakladkaDrzewa, GridTakesCodesByKeyAndFromItsPopup) {
    klik("d 2");
    f().akcja("przeglad1")->trigger();
    QTableWidget* g = f3().StringGrid1;
    g->setCurrentCell(2, 3);
    klawisz(g, Qt::Key_3, Qt::NoModifier, QStringLiteral("3"));
    EXPECT_EQ(g->item(2, 3)->text(), QStringLiteral("3"));
    klawisz(g, Qt::Key_9, Qt::NoModifier, QStringLiteral("9"));
    EXPECT_EQ(g->item(2, 3)->text(), QStringLiteral("3"));
    klawisz(g, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    EXPECT_TRUE(f3().PopupMenu2->isVisible());
    EXPECT_EQ(f3().PopupMenu2->defaultAction(), f3().N[3]);
    f3().N[5]->trigger();
    f3().PopupMenu2->hide();
    EXPECT_EQ(g->item(2, 3)->text(), QStringLiteral("5"));
    EXPECT_EQ(w().Formularz.Siatka[2][3], "5");
    EXPECT_EQ(g->item(0, 0)->text(), u("Rok / Wyrób"));
    EXPECT_EQ(g->editTriggers(), QAbstractItemView::NoEditTriggers);
}

TEST_F(ZakladkaDrzewa, SimulationRelabelsAndSavesOrKeepsTheLabel) {
    // Node 2's record removed from the state file: the run fails.
    const std::string stan = plikStanu();
    std::string bez;
    for (std::size_t o = 0; o < stan.size(); o += RozmiarStanuModelu)
        if (static_cast<unsigned char>(stan[o]) != 2) bez += stan.substr(o, RozmiarStanuModelu);
    work.write("OPERATOR/op.qad", bez);
    klik("d 2");
    ui.messages.clear();
    f().akcja("symuluj")->trigger();
    EXPECT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(item("d 2"), nullptr);
    work.write("OPERATOR/op.qad", stan);
    ui.messages.clear();
    f().SpeedSymulacja->click();
    EXPECT_TRUE(ui.messages.empty()) << ui.messages.front();
    EXPECT_EQ(item("d 2"), nullptr);
    ASSERT_NE(item("d/r 2"), nullptr);
    EXPECT_EQ(f().TreeView1->currentItem(), item("d/r 2"));
    EXPECT_EQ(work.read("OPERATOR/op.tr1"), "d/r 0\r\n\td/r 1\r\n\td/r 2\r\n");
    EXPECT_FALSE(f().SpeedSymulacja->isEnabled());
}

TEST_F(ZakladkaDrzewa, DeletingANodeWithConfirmedDecisionsAsks) {
    klik("d 2");
    f().PrzyciskPodgladu->click();
    wpisz("cena_gamma_0", QStringLiteral("420"));
    f3().PrzyciskOK->click();
    ui.answers = {false};
    f().akcja("Kasowaniewza1")->trigger();
    ASSERT_EQ(ui.questions.size(), 1u);
    EXPECT_NE(ui.questions[0].find("zatwierdzone decyzje"), std::string::npos);
    EXPECT_NE(item("d 2"), nullptr);
}

TEST_F(ZakladkaDrzewa, TheTraditionalTabsDeleteButtonAsksAsDelAndEndsAfterItsDeletionOnEscOrAnotherCommand) {
    QPushButton* skasowac = f().Wyniki->SpeedPotwierdzenie;
    auto kasowanie = [&](const char* etykieta) {
        klik(etykieta);
        f().Wyniki->klik("PrzyciskKasowanie2");
        ASSERT_FALSE(skasowac->isHidden());
        ASSERT_EQ(skasowac->text(), u("Skasować?"));
    };
    const std::pair<const char*, std::function<void()>> konce[] = {
        {"Esc in the tree", [&] { klawisz(f().TreeView1, Qt::Key_Escape); }},
        {"a menu command", [&] { f().akcja("przeglad1")->trigger(); }},
        {"a tree tab button", [&] { f().SpeedBazowy->click(); }},
        {"a button of the tab", [&] { f().Wyniki->klik("PrzyciskZmianaKartoteki"); }},
    };
    for (const auto& [co, koniec] : konce) {
        ASSERT_NO_FATAL_FAILURE(kasowanie("d/r 1"));
        koniec();
        EXPECT_TRUE(skasowac->isHidden()) << co;
        EXPECT_NE(item("d/r 1"), nullptr) << co;
    }
    // A simulated node: asked; "Nie" keeps it and the button.
    ASSERT_NO_FATAL_FAILURE(kasowanie("d/r 1"));
    ui.answers = {false};
    skasowac->click();
    EXPECT_EQ(ui.questions.size(), 1u);
    EXPECT_NE(item("d/r 1"), nullptr);
    EXPECT_FALSE(skasowac->isHidden());
    // A node with decisions of its own: asked; "Tak" deletes it, once.
    klik("d 2");
    f().PrzyciskPodgladu->click();
    wpisz("cena_gamma_0", QStringLiteral("420"));
    f3().PrzyciskOK->click();
    ASSERT_NO_FATAL_FAILURE(kasowanie("d 2"));
    ui.answers = {true};
    skasowac->click();
    ASSERT_EQ(ui.questions.size(), 2u);
    EXPECT_NE(ui.questions[1].find("zatwierdzone decyzje"), std::string::npos);
    EXPECT_EQ(item("d 2"), nullptr);
    EXPECT_TRUE(skasowac->isHidden());
    EXPECT_TRUE(ui.messages.empty()) << ui.messages.front();
}

TEST_F(ZakladkaDrzewa, AClickOnEmptySpaceChangesNothing) {
    klik("d/r 1");
    QWidget* pole = f().TreeView1->viewport();
    const QRect ostatni = f().TreeView1->visualItemRect(item("d 2"));
    ASSERT_LT(ostatni.bottom() + 40, pole->height());
    const QPointF pusto(ostatni.left() + 10, ostatni.bottom() + 30);
    // Focus by the click, a press, a small drag, the release; then the
    // window activated again.
    QFocusEvent mysz(QEvent::FocusIn, Qt::MouseFocusReason);
    QApplication::sendEvent(f().TreeView1, &mysz);
    for (auto [typ, miejsce, przyciski] : {std::tuple{QEvent::MouseButtonPress, pusto, Qt::LeftButton},
                                          std::tuple{QEvent::MouseMove, pusto + QPointF(3, 2), Qt::LeftButton},
                                          std::tuple{QEvent::MouseButtonRelease, pusto + QPointF(3, 2), Qt::NoButton}}) {
        QMouseEvent e(typ, miejsce, pole->mapToGlobal(miejsce), Qt::LeftButton, przyciski, Qt::NoModifier);
        QApplication::sendEvent(pole, &e);
    }
    QFocusEvent okno(QEvent::FocusIn, Qt::ActiveWindowFocusReason);
    QApplication::sendEvent(f().TreeView1, &okno);
    EXPECT_EQ(w().Wybrany, std::optional<int>(1));
    EXPECT_EQ(f().TreeView1->currentItem(), item("d/r 1"));
    EXPECT_EQ(f().LataSymulacji->text(), QStringLiteral("2012-2014"));
    EXPECT_TRUE(f().PrzyciskPodgladu->text().contains(QStringLiteral("(d/r 1)")));
}

TEST_F(ZakladkaDrzewa, DeletingALeafAndRefusingTheRoot) {
    upusc(f().OkienkoBazowe, wezel(1));
    upusc(f().OkienkoEdycji, wezel(2));
    klik("d 2");
    f().akcja("Kasowaniewza1")->trigger();
    EXPECT_EQ(item("d 2"), nullptr);
    EXPECT_TRUE(f().OkienkoBazowe->text().isEmpty());
    EXPECT_TRUE(f().OkienkoEdycji->text().isEmpty());
    EXPECT_EQ(work.read("OPERATOR/op.tr1"), "d/r 0\r\n\td/r 1\r\n");
    EXPECT_TRUE(ui.messages.empty());
    klik("d/r 0");
    f().akcja("KasowanieWza2")->trigger();
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(cp1250ToUtf8(ui.messages[0]), "ma potomków lub jest root-em");
    EXPECT_NE(item("d/r 0"), nullptr);
}

TEST_F(ZakladkaDrzewa, ScreenshotWithBaseAndTemplate) {
    upusc(f().OkienkoBazowe, wezel(1));
    upusc(f().OkienkoEdycji, wezel(2));
    f().PrzyciskDodaniaNowejDecyzji->click();  // a fourth node, its form open
    ASSERT_EQ(w().Drzewo.Liczba(), 4);
    f().resize(1000, 720);
    QImage obraz = f().grab().toImage();
    ASSERT_FALSE(obraz.isNull());
    obraz.save(QStringLiteral(VESK_DATA_DIR "../zakladka_drzewa.png"));
    int czerwone = 0, zolte = 0;
    for (int y = 0; y < obraz.height(); ++y)
        for (int x = 0; x < obraz.width(); ++x) {
            const QColor c = obraz.pixelColor(x, y);
            czerwone += c == QColor(Qt::red);
            zolte += c == QColor(Qt::yellow);
        }
    EXPECT_GT(czerwone, 200);
    EXPECT_GT(zolte, 200);
    QImage formularz = f3().grab().toImage();
    ASSERT_FALSE(formularz.isNull());
    formularz.save(QStringLiteral(VESK_DATA_DIR "../formularz.png"));
    std::set<QRgb> kolory;
    for (int y = 0; y < formularz.height(); y += 4)
        for (int x = 0; x < formularz.width(); x += 4) kolory.insert(formularz.pixel(x, y));
    EXPECT_GT(kolory.size(), 4u);
}

}  // namespace
}  // namespace vesk
