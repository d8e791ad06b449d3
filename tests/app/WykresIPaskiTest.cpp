// The indicator window's chart, its controls, the product and limit tabs
// and the refresh after a called command file, offscreen over a real
// temporary operator.
#include <QAction>
#include <QApplication>
#include <QChart>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QMouseEvent>
#include <QEventLoop>
#include <QTimer>
#include <QTreeWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTabBar>
#include <QTabWidget>
#include <QValueAxis>
#include <gtest/gtest.h>

#include "Aplikacja.h"
#include "CodePage.h"
#include "DefiniowanieWskaznikow.h"
#include "OknoGlowne.h"
#include "OknaFixture.h"
#include "ZeroWMianowniku.h"
#include "PanelAnalizy.h"
#include "PaskiWidok.h"
#include "Warsztat.h"
#include "WykresWidok.h"

namespace vesk {
namespace {

using test::u;

// Records, with each message, how many points the chart had at that moment
// and whether it was in view; a box held open pudelkoMs milliseconds runs
// its own event loop as a modal box does.
struct UiZWykresem : ScriptedUserInterface {
    std::function<int()> punkty;
    std::function<bool()> wykresWidoczny;
    std::vector<int> punktyPrzyKomunikacie;
    std::vector<bool> wykresPrzyKomunikacie;
    int pudelkoMs = 0;
    void message(const std::string& tekst) override {
        punktyPrzyKomunikacie.push_back(punkty ? punkty() : -1);
        wykresPrzyKomunikacie.push_back(wykresWidoczny && wykresWidoczny());
        ScriptedUserInterface::message(tekst);
        if (pudelkoMs <= 0) return;
        QEventLoop petla;
        QTimer::singleShot(pudelkoMs, &petla, &QEventLoop::quit);
        petla.exec();
    }
};

int czerwonePiksele(const QImage& obraz) {
    int n = 0;
    for (int y = 0; y < obraz.height(); ++y)
        for (int x = 0; x < obraz.width(); ++x) {
            const QColor c = obraz.pixelColor(x, y);
            if (c.red() > 200 && c.green() < 60 && c.blue() < 60) ++n;
        }
    return n;
}

// The root and one simulated child "d/r 1" (period 2012-2014), the child
// selected, the window shown with the first indicator of the set chosen.
struct WykresIPaski : test::OknaFixture<UiZWykresem> {
    void SetUp() override {
        przygotuj({"pracawtrybiewsadowym"});
        uruchom();
        nowyOperator("wsk.tr1");
        for (int i = 1; i <= 54; ++i) app->kontekst().Zakresy[i] = {0, 100000};
        ASSERT_NO_FATAL_FAILURE(symulowaneDziecko());
        ui.punkty = [this] { return static_cast<int>(o().RysunekWykresu->Series1->count()); };
        ui.wykresWidoczny = [this] { return o().Chart1->isVisible(); };
        ASSERT_NO_FATAL_FAILURE(pokazWskazniki());
        ASSERT_GT(o().ComboBox1->count(), 0);
        o().ComboBox1->setCurrentIndex(0);
        emit o().ComboBox1->activated(0);
        ui.messages.clear();
        ui.punktyPrzyKomunikacie.clear();
    }
    DefiniowanieWskaznikow& o() { return app->definiowanieWskaznikow(); }
    // The window as the user's: shown and the active one, the main
    // window's pending activation (which steps it aside) past.
    void aktywne() {
        QApplication::processEvents();
        app->oknoGlowne().akcja("KonstrukcjaWskaznikow")->trigger();
        test::CzekajAz([this] { return app->warsztat().Wskazniki->active(); });
        ASSERT_TRUE(o().isVisible());
        ASSERT_TRUE(app->warsztat().Wskazniki->active());
    }
    QLineSeries* seria() { return o().RysunekWykresu->Series1; }
    // The first variable chosen on the panel.
    PanelAnalizy& zmienna() {
        PanelAnalizy& a = *o().panelAnalizy;
        a.WyborZmiennejBox->setCurrentIndex(0);
        emit a.WyborZmiennejBox->activated(0);
        return a;
    }
    // Each decision the panel and the product tab show equals the current
    // record's.
    void panelJakRekord() {
        const StanModelu& r = app->kontekst().RekordBiezacy;
        const WidokPaskow& v = o().sesja().Paski().Widok();
        for (std::size_t i = 0; i < 6; ++i)
            EXPECT_EQ(o().Paski->Pole[i]->text().toInt(), WartoscSuwaka(r, v.Paski[i].k)) << i;
        const AnalizaWrazliwosci& a = o().sesja().Analiza();
        EXPECT_EQ(o().panelAnalizy->WartoscZmiennejEdit->text().toInt(), WartoscSuwaka(r, a.Parametr()));
        EXPECT_EQ(o().panelAnalizy->Suwak->value(), WartoscSuwaka(r, a.Parametr()));
        EXPECT_TRUE(o().Analiza_wrazliwosci->isEnabled());
        EXPECT_EQ(o().panelAnalizy->Brat->text(), u(("d/r " + std::to_string(r.Numer())).c_str()));
    }
    std::string plik(const std::string& nazwa, const std::vector<std::string>& linie) {
        std::string t;
        for (const auto& l : linie) t += l + "\r\n";
        work.write(nazwa, t);
        return work.file(nazwa);
    }
};

TEST_F(WykresIPaski, ControlsAtCreation) {
    DefiniowanieWskaznikow& w = o();
    ASSERT_EQ(w.WyborTypuWykresu->count(), 5);
    const char* typy[] = {"wartości", "dynamika x2 / x1", "dynamika (x2-x1) / x1", "dynamika (x2-x1) / x2",
                          "dynamika x2-x1"};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(w.WyborTypuWykresu->itemText(i), u(typy[i]));
    EXPECT_EQ(w.LabelHoryzont->text(), u("Horyzont wykresu"));
    EXPECT_EQ(w.LabelTypWykresu->text(), u("Typ wykresu"));
    EXPECT_EQ(w.findChild<QComboBox*>("HoryzontyBox"), w.HoryzontyBox);
    EXPECT_EQ(w.Wykres->text(), u("Wykres wskaźnika <F6>"));
    EXPECT_EQ(w.Wykres1->shortcut(), QKeySequence(Qt::Key_F6));
    EXPECT_EQ(w.PageControl1->widget(2), w.TabSheet3);
    EXPECT_EQ(w.PageControl1->tabText(2), u("Ceny+zlecenia"));
    for (int m = 0; m < 3; ++m) EXPECT_EQ(w.Paski->ParGranica[m]->objectName(), QStringLiteral("ParGranica%1").arg(m + 1));
    EXPECT_EQ(w.Paski->ParGranica[0]->text(), "450");
    EXPECT_EQ(w.Paski->ParGranica[1]->text(), "490");
    EXPECT_EQ(w.Paski->ParGranica[2]->text(), "450");
    auto* granice = w.TabSheet5->findChild<QGroupBox*>("GroupBoxGranic");
    ASSERT_NE(granice, nullptr);
    EXPECT_EQ(granice->title(), u("Graniczne zużycie surowców [tys. jedn. surowca]"));
    for (QScrollBar* s : w.Paski->ScrollBar) {
        EXPECT_EQ(s->pageStep(), 10);
        EXPECT_FALSE(s->hasTracking());
    }
    EXPECT_TRUE(w.Chart1->isHidden());
}

TEST_F(WykresIPaski, TheButtonShowsTheChartOfTheRootAndTheChild) {
    DefiniowanieWskaznikow& w = o();
    ASSERT_TRUE(w.Wykres->isEnabled());
    w.Wykres->click();
    EXPECT_FALSE(w.Chart1->isHidden());
    EXPECT_FALSE(w.PodpowiedzJezykowa->isEnabled());
    EXPECT_TRUE(w.WyborTypuWykresu->isEnabled());
    EXPECT_TRUE(w.HoryzontyBox->isEnabled());
    // Horizon 0: the child's three years.
    ASSERT_EQ(seria()->count(), 3);
    EXPECT_EQ(seria()->at(0).x(), 2012);
    EXPECT_EQ(seria()->at(2).x(), 2014);
    EXPECT_EQ(w.RysunekWykresu->chart()->title(), w.ComboBox1->currentText().toHtmlEscaped());
    EXPECT_EQ(w.RysunekWykresu->OsLat->titleText(), "[lata]");
    EXPECT_EQ(w.RysunekWykresu->OsLat->labelFormat(), "%d");
    EXPECT_EQ(w.RysunekWykresu->OsLat->tickInterval(), 1);
    EXPECT_FALSE(w.RysunekWykresu->chart()->legend()->isVisible());
    EXPECT_EQ(seria()->pen().color(), QColor(Qt::red));
    EXPECT_EQ(seria()->pen().width(), 5);
    EXPECT_TRUE(seria()->pointsVisible());
    // Horizon 1 adds the root's years 2009-2011 in front.
    ASSERT_EQ(w.HoryzontyBox->count(), 2);
    w.HoryzontyBox->setCurrentIndex(1);
    emit w.HoryzontyBox->activated(1);
    ASSERT_EQ(seria()->count(), 6);
    EXPECT_EQ(seria()->at(0).x(), 2009);
    EXPECT_EQ(w.HoryzontyBox->currentIndex(), 1);
    // A dynamics type: one point fewer, a second title line.
    w.WyborTypuWykresu->setCurrentIndex(4);
    emit w.WyborTypuWykresu->activated(4);
    EXPECT_EQ(seria()->count(), 5);
    EXPECT_TRUE(w.RysunekWykresu->chart()->title().endsWith(u("(dynamika x2-x1)")));
    // The menu item toggles as the button does: hidden, hint box back.
    w.Wykres1->trigger();
    EXPECT_TRUE(w.Chart1->isHidden());
    EXPECT_TRUE(w.PodpowiedzJezykowa->isEnabled());
    EXPECT_FALSE(w.WyborTypuWykresu->isEnabled());
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(WykresIPaski, ButtonTwiceLeavesItHidden) {
    o().Wykres->click();
    o().Wykres->click();
    EXPECT_TRUE(o().Chart1->isHidden());
    EXPECT_TRUE(o().PodpowiedzJezykowa->isEnabled());
    EXPECT_TRUE(o().LabelKoduDostepu->isEnabled());
}

TEST_F(WykresIPaski, LeavingForAnotherWindowHidesTheChart) {
    aktywne();
    o().Wykres->click();
    ASSERT_FALSE(o().Chart1->isHidden());
    QWidget inne;
    inne.show();
    inne.activateWindow();
    // The window hears of it from the event loop, and hides the chart
    // after the session has decided.
    test::CzekajAz([this] { return o().Chart1->isHidden(); });
    EXPECT_FALSE(o().sesja().WykresWidoczny());
    EXPECT_TRUE(o().Chart1->isHidden());
}

TEST_F(WykresIPaski, TheProductTabIsHighlightedWhileShown) {
    QTabWidget* t = o().PageControl1;
    const QColor zwykly = t->tabBar()->tabTextColor(0);
    t->setCurrentWidget(o().TabSheet3);
    EXPECT_NE(t->tabBar()->tabTextColor(2), zwykly);
    t->setCurrentIndex(0);
    EXPECT_EQ(t->tabBar()->tabTextColor(2), o().palette().color(QPalette::WindowText));
}

TEST_F(WykresIPaski, StandInsAtTheFloatLimitAreDrawnRed) {
    WidokWykresu v;
    v.Widoczny = true;
    v.Tytul = {"x"};
    v.TytulOsi = TytulOsiLat;
    v.Punkty = {{2009, 3.4e38}, {2010, 1.5e-45}, {2011, -3.4e38}, {2012, 2.0}};
    WykresWidok widok(nullptr);
    widok.resize(545, 243);
    widok.pokaz(v);
    ASSERT_EQ(widok.Series1->count(), 4);
    EXPECT_EQ(widok.Series1->at(0).y(), 1e30);
    EXPECT_EQ(widok.Series1->at(2).y(), -1e30);
    EXPECT_EQ(widok.Series1->at(1).y(), 1.5e-45);
    EXPECT_GT(czerwonePiksele(widok.grab().toImage()), 50);
    EXPECT_EQ(WartoscDoRysowania(std::numeric_limits<double>::quiet_NaN()), 0);
    EXPECT_EQ(WartoscDoRysowania(std::numeric_limits<double>::infinity()), 1e30);
}

// The year labels of a deep node's chart fit whole, by period starts.
TEST_F(WykresIPaski, YearLabelsOfALongChartFit) {
    EXPECT_EQ(OdstepEtykietLat(12, 455), 1);
    EXPECT_EQ(OdstepEtykietLat(30, 455), 3);
    EXPECT_EQ(OdstepEtykietLat(30, 190), 6);
}

TEST_F(WykresIPaski, AnEmptyNameGivesTheStandInTitle) {
    // The chart shown, then the list's choice emptied: the formula stays.
    o().Wykres->click();
    o().sesja().chooseIndicator(-1);
    o().pokazWidok(o().sesja().UAktualnicWykres(false));
    EXPECT_EQ(o().RysunekWykresu->chart()->title(), u("nazwa niezdefiniowana"));
}

TEST_F(WykresIPaski, TheZeroWarningComesOnceAfterTheDrawing) {
    o().Wykres->click();
    ASSERT_FALSE(o().Chart1->isHidden());
    ui.messages.clear();
    ui.punktyPrzyKomunikacie.clear();
    // A message of an update waits for the drawing and is shown once.
    o().sesja().Wykres().Widok.Komunikaty = {TekstZeraWMianowniku};
    o().pokazWidok(o().sesja().Widok());
    o().pokazWidok(o().sesja().Widok());
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0], TekstZeraWMianowniku);
    EXPECT_EQ(ui.punktyPrzyKomunikacie, std::vector<int>{3});
}

TEST_F(WykresIPaski, Bar4WithBetaMakesAWhatIfStepWithItsDescription) {
    DefiniowanieWskaznikow& w = o();
    aktywne();
    PaskiWidok& p = *w.Paski;
    p.ComboBoxWyboruWyrobu->setCurrentIndex(1);
    emit p.ComboBoxWyboruWyrobu->activated(1);
    EXPECT_EQ(p.GroupBox2->title(), "Beta");
    EXPECT_EQ(p.GroupBox3->title(), "2012");
    EXPECT_EQ(p.GroupBox4->title(), "2013");
    EXPECT_EQ(p.GroupBox5->title(), "2014");
    ASSERT_TRUE(p.ScrollBar[3]->isEnabled());
    const int przed = p.ScrollBar[3]->value();
    EXPECT_EQ(p.Pole[3]->text(), QString::number(przed));
    const int wezlyPrzed = app->warsztat().Drzewo.Liczba();
    // One line step: one what-if step, a new simulated node in the tree.
    p.ScrollBar[3]->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    const KrokPaska& krok = w.sesja().OstatniKrokPaska();
    EXPECT_TRUE(krok.CoJesli);
    EXPECT_EQ(krok.k, 14);
    EXPECT_EQ(krok.Wartosc, przed + 1);
    ASSERT_TRUE(krok.NowyWezel.has_value());
    EXPECT_EQ(u(cp1250ToUtf8(krok.Opis).c_str()), u("Zamówienia Beta [2013] na: ") + QString::number(przed + 1));
    EXPECT_EQ(p.Pole[3]->text(), QString::number(przed + 1));
    EXPECT_EQ(app->warsztat().Drzewo.Liczba(), wezlyPrzed);  // the copy took the node's place
    EXPECT_EQ(app->kontekst().RekordBiezacy.Numer(), *krok.NowyWezel);
    EXPECT_TRUE(w.isVisible());
    // The release after it sends nothing more; neither does a drag.
    emit p.ScrollBar[3]->sliderReleased();
    EXPECT_FALSE(w.sesja().OstatniKrokPaska().CoJesli);
    p.ScrollBar[3]->setSliderPosition(przed + 40);
    EXPECT_FALSE(w.sesja().OstatniKrokPaska().CoJesli);
    EXPECT_EQ(p.Pole[3]->text(), QString::number(przed + 1));
    EXPECT_TRUE(ui.messages.empty()) << (ui.messages.empty() ? "" : ui.messages[0]);
}

TEST_F(WykresIPaski, LimitsRecolourAndAWrongOneIsMarked) {
    PaskiWidok& p = *o().Paski;
    const ZuzycieSurowcow& z = o().sesja().Paski().Zuzycie();
    const QString suma = p.InfoOZuzyciuM[1]->text();
    ASSERT_FALSE(suma.isEmpty());
    EXPECT_TRUE(p.InfoOZuzyciu->text().endsWith("[2012-2014]"));
    const auto czerwony = [&](int m) {
        return p.InfoOZuzyciuM[static_cast<std::size_t>(m)]->palette().color(QPalette::WindowText) == QColor(Qt::red);
    };
    // Below the total: red at once, nothing recomputed.
    const long double laczne = z.ZuzycieLaczne[1];
    p.ParGranica[1]->setText(QString::number(static_cast<double>(laczne) - 1, 'f', 2));
    EXPECT_TRUE(czerwony(1));
    EXPECT_EQ(p.InfoOZuzyciuM[1]->text(), suma);
    p.ParGranica[1]->setText(QString::number(static_cast<double>(laczne) + 1, 'f', 2));
    EXPECT_FALSE(czerwony(1));
    // Not a number: no limit, black, the box marked.
    p.ParGranica[1]->setText("abc");
    EXPECT_FALSE(czerwony(1));
    EXPECT_TRUE(p.ParGranica[1]->property("niepoprawna").toBool());
    EXPECT_FALSE(p.ParGranica[1]->styleSheet().isEmpty());
    p.ParGranica[1]->setText("0");
    EXPECT_TRUE(czerwony(1));
    EXPECT_FALSE(p.ParGranica[1]->property("niepoprawna").toBool());
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(WykresIPaski, ACalledFileSimulatingANodeUpdatesTheValueBox) {
    DefiniowanieWskaznikow& w = o();
    ASSERT_FALSE(w.Edit3->text().isEmpty());
    EXPECT_EQ(w.WyborRoku->itemText(0), "2012");
    const std::string W = "w\xEAze\xB3 ";
    const std::string c = plik("c.roz", {"run", W + "dodaj 1 1 x9", W + "symuluj x9"});
    ui.files.push_back(plik("a.roz", {"run", "call " + c}));
    app->oknoGlowne().akcja("Podanienazwyplikuzrozkazami1")->trigger();
    app->oknoGlowne().PrzyciskWykonaniaNastepnegoPolecenia->click();
    ASSERT_TRUE(ui.messages.empty()) << ui.messages[0];
    Kontekst& k = app->kontekst();
    EXPECT_EQ(k.RekordBiezacy.Numer(), static_cast<int>(k.ZmienneSkryptu[8]));
    EXPECT_EQ(k.ZmienneSkryptu[90], 2015.0);  // x91: the new node's first year
    EXPECT_EQ(w.WyborRoku->itemText(0), "2015");
    EXPECT_EQ(w.Edit3->text().toStdString(), cp1250ToUtf8(w.sesja().Widok().Wartosc));
    EXPECT_FALSE(w.Edit3->text().isEmpty());
    // The main window shows the new node too.
    EXPECT_TRUE(app->oknoGlowne().PrzyciskPodgladu->text().contains(
        QStringLiteral("d/r %1").arg(static_cast<int>(k.ZmienneSkryptu[8]))))
        << app->oknoGlowne().PrzyciskPodgladu->text().toStdString();
}

TEST_F(WykresIPaski, ScreenshotWithTheChartThePanelAfterTwoSliderStepsAndTwoBarSteps) {
    DefiniowanieWskaznikow& w = o();
    aktywne();
    w.Wykres->click();
    PaskiWidok& p = *w.Paski;
    p.ComboBoxWyboruWyrobu->setCurrentIndex(0);
    emit p.ComboBoxWyboruWyrobu->activated(0);
    p.ScrollBar[0]->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    p.ScrollBar[0]->triggerAction(QAbstractSlider::SliderPageStepAdd);
    // Two slider steps of the sensitivity panel beside the chart.
    ASSERT_NE(w.panelAnalizy, nullptr);
    PanelAnalizy& a = *w.panelAnalizy;
    a.WyborZmiennejBox->setCurrentIndex(0);
    emit a.WyborZmiennejBox->activated(0);
    const int c = a.WartoscZmiennejEdit->text().toInt();
    a.Suwak->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    a.Suwak->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(a.WartoscZmiennejEdit->text().toInt(), c + 2);
    EXPECT_TRUE(a.Suwak->isVisibleTo(&w));
    w.PageControl1->setCurrentIndex(0);
    ASSERT_FALSE(w.Chart1->isHidden());
    QImage obraz = w.grab().toImage();
    ASSERT_FALSE(obraz.isNull());
    obraz.save(QStringLiteral(VESK_DATA_DIR "../okno_wskaznikow_wykres.png"));
    EXPECT_GT(czerwonePiksele(obraz), 50);
    w.PageControl1->setCurrentWidget(w.TabSheet3);
    QImage paski = w.grab().toImage();
    paski.save(QStringLiteral(VESK_DATA_DIR "../okno_wskaznikow_paski.png"));
    EXPECT_FALSE(paski.isNull());
}

// One press on a bar's arrow is one what-if step, whether the box the step
// opens (a zero divisor on the chart) is closed before the bar would repeat
// or stays open past it; the window stays shown.
TEST_F(WykresIPaski, OnePressOnAnArrowIsOneStepWhateverBoxOpens) {
    DefiniowanieWskaznikow& w = o();
    aktywne();
    ASSERT_NO_FATAL_FAILURE(test::ZeroWMianowniku(w));
    w.Wykres->click();
    ASSERT_FALSE(w.Chart1->isHidden());
    PanelAnalizy& a = zmienna();
    PaskiWidok& p = *w.Paski;
    p.ComboBoxWyboruWyrobu->setCurrentIndex(0);
    emit p.ComboBoxWyboruWyrobu->activated(0);
    for (QScrollBar* pasek : {static_cast<QScrollBar*>(a.Suwak), p.ScrollBar[0]})
        for (int ms : {100, 800}) {
            SCOPED_TRACE(pasek->objectName().toStdString() + " box open " + std::to_string(ms) + " ms");
            ASSERT_TRUE(pasek->isEnabled());
            ui.messages.clear();
            ui.pudelkoMs = ms;
            const int przed = pasek->value();
            const QPointF strzalka(pasek->width() - 4, pasek->height() / 2.0);
            QMouseEvent nacisk(QEvent::MouseButtonPress, strzalka, pasek->mapToGlobal(strzalka), Qt::LeftButton,
                               Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(pasek, &nacisk);
            // The release went to the box; the bar gets none. Long enough
            // for any repeat to show.
            ui.pudelkoMs = 0;
            QEventLoop petla;
            QTimer::singleShot(900, &petla, &QEventLoop::quit);
            petla.exec();
            EXPECT_EQ(ui.messages.size(), 1u);
            EXPECT_EQ(pasek->value(), przed + 1);
            EXPECT_TRUE(w.isVisible());
            panelJakRekord();
        }
}

// After steps of the slider and of the bars the panel shows the node in
// view: the product tab's values, the variable's value and slider, the
// sibling buttons; and it stays open to more steps.
TEST_F(WykresIPaski, AfterStepsThePanelEqualsTheNodesRecord) {
    DefiniowanieWskaznikow& w = o();
    aktywne();
    PanelAnalizy& a = zmienna();  // Cena Alfa of the first year
    PaskiWidok& p = *w.Paski;
    p.ComboBoxWyboruWyrobu->setCurrentIndex(0);
    emit p.ComboBoxWyboruWyrobu->activated(0);
    a.Suwak->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    panelJakRekord();
    p.ScrollBar[0]->triggerAction(QAbstractSlider::SliderPageStepAdd);
    panelJakRekord();
    p.ScrollBar[3]->triggerAction(QAbstractSlider::SliderSingleStepSub);
    panelJakRekord();
    a.Suwak->triggerAction(QAbstractSlider::SliderSingleStepSub);
    panelJakRekord();
    EXPECT_FALSE(a.SpeedButton6->isEnabled());  // the only child: no siblings
    EXPECT_FALSE(a.SpeedButton7->isEnabled());
    a.SpeedButton8->click();  // back to the original: the node in view
    panelJakRekord();
    EXPECT_TRUE(ui.messages.empty()) << (ui.messages.empty() ? "" : ui.messages[0]);
}

// An animation is watched on the chart beside its controls, and a zero
// divisor is told once for the run.
TEST_F(WykresIPaski, TheChartIsInViewWhileAnAnimationRuns) {
    DefiniowanieWskaznikow& w = o();
    aktywne();
    ASSERT_NO_FATAL_FAILURE(test::ZeroWMianowniku(w));
    PanelAnalizy& a = zmienna();
    a.odstep = 1;
    for (int i = 0; i < 3; ++i) a.SterowanieGornaGranica->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    const int wezly = app->warsztat().Drzewo.Liczba();
    w.PageControl1->setCurrentIndex(1);
    ASSERT_TRUE(w.Chart1->isHidden());  // the chart off: the run turns it on
    ui.messages.clear();
    ui.wykresPrzyKomunikacie.clear();
    a.AnimacjaStartUp->click();
    ASSERT_TRUE(a.animacjaTrwa());
    EXPECT_TRUE(w.Chart1->isVisible());
    EXPECT_EQ(w.Chart1->parentWidget(), w.PageControl1->currentWidget());
    ASSERT_TRUE(test::CzekajAz([&] { return !a.animacjaTrwa(); }));
    EXPECT_EQ(a.WartoscZmiennejEdit->text().toInt(), a.Suwak->value());
    EXPECT_EQ(ui.messages, std::vector<std::string>{TekstZeraWMianowniku});
    EXPECT_EQ(ui.wykresPrzyKomunikacie, std::vector<bool>{true});
    EXPECT_EQ(app->warsztat().Drzewo.Liczba(), wezly);
    // Back on the indicators page the chart stands in the trees' place.
    w.PageControl1->setCurrentIndex(0);
    EXPECT_TRUE(w.Chart1->isVisible());
    EXPECT_TRUE(w.PageControl2->isHidden());
    EXPECT_FALSE(w.ComboBox1->geometry().translated(w.ComboBox1->mapTo(&w, QPoint(0, 0)) - w.ComboBox1->pos())
                     .intersects(QRect(w.Chart1->mapTo(&w, QPoint(0, 0)), w.Chart1->size())));
}

}  // namespace
}  // namespace vesk
