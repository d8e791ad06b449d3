// The sensitivity panel's widgets offscreen: slider actions, the timed
// animation and its stops, the sibling buttons; over a fake what-if step,
// and once over a real operator in the indicator window.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QImage>
#include <QPixmap>
#include <set>
#include <gtest/gtest.h>

#include "Aplikacja.h"
#include "DefiniowanieWskaznikow.h"
#include "DrzewoDecyzji.h"
#include "OknoGlowne.h"
#include "KrokCoJesli.h"
#include "OknaFixture.h"
#include "PanelAnalizy.h"
#include "PaskiWidok.h"
#include "TempDir.h"
#include "Warsztat.h"
#include "../indicators/FakeIndicatorSetStore.h"
#include "../indicators/FakeRodzenstwo.h"
#include "../indicators/PomocWskaznikow.h"

namespace vesk {
namespace {

using test::FakeRodzenstwo;

struct PanelWidzety : ::testing::Test {
    test::TempDir dir;
    ScriptedUserInterface ui;
    Kontekst k{ui};
    FakeRodzenstwo w{k};
    test::FakeIndicatorSetStore z;  // no set files
    std::unique_ptr<IndicatorSession> s;
    QWidget okno;
    QWidget* produkty = nullptr;
    PanelAnalizy* p = nullptr;

    void SetUp() override {
        k.KatalogProgramu = dir.folder();
        test::KopiujDrzewaPozycji(dir);
        k.RekordBiezacy.UstawRok(2018);  // the period 2015-2017
        k.Zakresy[1] = {1000, 5000};
        k.Zakresy[10] = {0, 100};
        ASSERT_TRUE(UstawParametrDecyzji(k.RekordBiezacy, 1, 2500));
        ASSERT_TRUE(UstawParametrDecyzji(k.RekordBiezacy, 10, 50));
        w.etykiety = {"d/r 2", "d 3", "d/r 4"};
        w.Zmiana_wezla();
        s = std::make_unique<IndicatorSession>(k, w, z);

        PanelAnalizy::Miejsca m;
        m.Analiza_wrazliwosci = new QGroupBox(&okno);
        m.StronaAnimacji = new QWidget(&okno);
        m.GroupBox9 = new QGroupBox(&okno);
        m.CheckBoxExpert = new QCheckBox(&okno);
        m.Brat = new QLabel(&okno);
        produkty = new QWidget(&okno);
        m.Wstrzymywane = {produkty};
        p = new PanelAnalizy(
            okno, *s,
            [this](const std::function<WidokWskaznikow()>& f) {
                f();
                p->pokaz();
            },
            m);
        p->odstep = 0;
        okno.show();
        s->onActivated();
        p->pokaz();
        ui.messages.clear();
    }
    void wybierz(int i) {
        p->WyborZmiennejBox->setCurrentIndex(i);
        emit p->WyborZmiennejBox->activated(i);
    }
    void dobiegnij() {
        ASSERT_TRUE(test::CzekajAz([this] { return !p->animacjaTrwa(); }));
    }
    // Orders of Alfa (0..100, at 50), the bounds and the step moved as by hand.
    void granice(int lo, int hi, int krok) {
        wybierz(9);
        p->SterowanieGornaGranica->setSliderPosition(hi);
        p->SterowanieDolnaGranica->setSliderPosition(lo);
        p->SterowanieKrokiem->setSliderPosition(krok);
        ASSERT_EQ(p->DolnaGranica->text(), QString::number(lo));
        ASSERT_EQ(p->GornaGranica->text(), QString::number(hi));
        ASSERT_EQ(p->Krok->text(), QString::number(krok));
    }
};

TEST_F(PanelWidzety, LaidOutWithItsCaptions) {
    EXPECT_EQ(p->WyborZmiennejBox->count(), 54);
    EXPECT_EQ(p->WyborZmiennejBox->itemText(0), QString::fromUtf8("Cena Alfa [2015]"));
    EXPECT_TRUE(p->WartoscZmiennejEdit->isReadOnly());
    EXPECT_FALSE(p->Suwak->hasTracking());
    EXPECT_EQ(p->DolnaGranica->text(), QString::fromUtf8("Początek"));
    // Each bound bar keeps its caption beside the number it stands at.
    for (const char* n : {"DolnaGranica", "GornaGranica", "Krok"})
        EXPECT_FALSE(p->GrupaAnimacji->findChild<QLabel*>(QStringLiteral("Podpis") + n)->text().isEmpty()) << n;
    EXPECT_EQ(p->AnimacjaStartDown->text(), QString::fromUtf8("Start - zmiany w dół"));
    EXPECT_EQ(p->GroupBox9->title(), QString::fromUtf8("Przegląd \"kuzynów\""));
    EXPECT_EQ(p->CheckBoxExpert->text(), QString::fromUtf8("Wnioskowanie eksperckie"));
    EXPECT_EQ(p->Brat->text(), "d/r 2");
    EXPECT_FALSE(p->Suwak->isEnabled()) << "no variable chosen";
}

TEST_F(PanelWidzety, SliderActionsSendEachNewValueOnce) {
    wybierz(0);
    EXPECT_EQ(p->Suwak->value(), 2500);
    EXPECT_EQ(p->LabelJednostki->text(), QString::fromUtf8("zł"));
    p->Suwak->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    p->Suwak->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    p->Suwak->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(w.wartosci(), (std::vector<int>{2501, 2502, 2512}));
    EXPECT_EQ(p->WartoscZmiennejEdit->text(), "2512");
    EXPECT_EQ(p->Suwak->value(), 2512);
    // A jump to an end sends nothing and the slider shows the model again.
    p->Suwak->triggerAction(QAbstractSlider::SliderToMaximum);
    EXPECT_EQ(p->Suwak->value(), 2512);
    // A drag sends nothing until the thumb is let go, then once.
    p->Suwak->setSliderDown(true);
    p->Suwak->setSliderPosition(3000);
    p->Suwak->setSliderPosition(3100);
    EXPECT_EQ(w.kroki.size(), 3u);
    EXPECT_EQ(p->WartoscZmiennejEdit->text(), "3100") << "the value box follows the thumb";
    p->Suwak->setSliderDown(false);
    EXPECT_EQ(w.wartosci().back(), 3100);
    // A line step followed by the end of the scroll: one value.
    p->Suwak->triggerAction(QAbstractSlider::SliderSingleStepSub);
    p->Suwak->setSliderDown(true);
    p->Suwak->setSliderDown(false);
    EXPECT_EQ(w.wartosci(), (std::vector<int>{2501, 2502, 2512, 3100, 3099}));
    EXPECT_EQ(p->SterowanieDolnaGranica->value(), 3099);
    EXPECT_EQ(p->SterowanieGornaGranica->value(), 3100);
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(PanelWidzety, AnEmptyRangeTurnsSliderAndAnimationOff) {
    k.Zakresy[10] = {5, 5};
    wybierz(9);
    EXPECT_FALSE(p->Suwak->isEnabled());
    EXPECT_FALSE(p->AnimacjaStartUp->isEnabled());
    EXPECT_FALSE(p->Suwak->toolTip().isEmpty());
    EXPECT_EQ(p->WartoscZmiennejEdit->text(), "50");
}

TEST_F(PanelWidzety, AnimationRunsOnTheTimerWithTheOtherInputsOff) {
    granice(10, 15, 1);
    p->AnimacjaStartUp->click();
    ASSERT_TRUE(p->animacjaTrwa());
    for (QWidget* x : std::initializer_list<QWidget*>{p->WyborZmiennejBox, p->Suwak, p->SterowanieDolnaGranica,
                                                      p->SterowanieKrokiem, p->AnimacjaStartDown, p->SpeedButton6,
                                                      p->SpeedButton7, p->SpeedButton8, produkty})
        EXPECT_FALSE(x->isEnabled()) << x->objectName().toStdString();
    EXPECT_TRUE(p->AnimacjaStartUp->isEnabled()) << "a second click stops";
    EXPECT_EQ(p->AnimacjaStartUp->text(), "Stop");
    dobiegnij();
    EXPECT_EQ(p->AnimacjaStartUp->text(), QString::fromUtf8("Start - zmiany w górę"));
    EXPECT_EQ(w.wartosci(), (std::vector<int>{10, 11, 12, 13, 14, 15}));
    EXPECT_TRUE(produkty->isEnabled());
    EXPECT_TRUE(p->Suwak->isEnabled());
    EXPECT_TRUE(p->AnimacjaStartDown->isEnabled());
    EXPECT_EQ(p->Suwak->value(), 15) << "the slider shows the node's value";
    EXPECT_EQ(p->WartoscZmiennejEdit->text(), "15");
}

TEST_F(PanelWidzety, AnimationStops) {
    const char* sposoby[] = {"sonda", "drugie klikniecie", "Esc"};
    for (const char* sposob : sposoby) {
        w.kroki.clear();
        p->sonda = [] { return false; };
        granice(10, 20, 1);
        if (std::string(sposob) == "sonda") p->sonda = [] { return true; };
        p->AnimacjaStartDown->click();
        ASSERT_TRUE(test::CzekajAz([this] { return !w.kroki.empty(); })) << sposob;
        if (std::string(sposob) == "drugie klikniecie") p->AnimacjaStartDown->click();
        if (std::string(sposob) == "Esc") {
            QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
            QApplication::sendEvent(&okno, &esc);
        }
        EXPECT_FALSE(p->animacjaTrwa()) << sposob;
        for (int i = 0; i < 20; ++i) QCoreApplication::processEvents();
        EXPECT_EQ(w.wartosci(), (std::vector<int>{20})) << sposob;
        EXPECT_TRUE(p->AnimacjaStartUp->isEnabled()) << sposob;
    }
}

TEST_F(PanelWidzety, SiblingButtons) {
    wybierz(0);
    EXPECT_TRUE(p->SpeedButton6->isEnabled());
    EXPECT_FALSE(p->SpeedButton7->isEnabled());
    p->SpeedButton6->click();
    EXPECT_EQ(p->Brat->text(), "d/r 4") << "d 3 is skipped";
    EXPECT_FALSE(p->Analiza_wrazliwosci->isEnabled());
    EXPECT_EQ(p->Analiza_wrazliwosci->toolTip(), QString::fromUtf8("Aby aktywować wróć do oryginalnego węzła"));
    EXPECT_FALSE(p->SpeedButton6->isEnabled());
    EXPECT_TRUE(p->SpeedButton7->isEnabled());
    p->SpeedButton8->click();
    EXPECT_EQ(p->Brat->text(), "d/r 2");
    EXPECT_EQ(k.RekordBiezacy.Numer(), 2) << "the original's record is current again";
    EXPECT_TRUE(p->Analiza_wrazliwosci->isEnabled());
    EXPECT_TRUE(p->Analiza_wrazliwosci->toolTip().isEmpty());
    p->Suwak->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(w.wartosci(), (std::vector<int>{2501}));
}

// The indicator window over a temporary operator with the root and one
// simulated child, the child selected.
struct PanelWOknie : test::OknaFixture<> {
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(operatorZDzieckiem());
        ui.messages.clear();
    }
};

TEST_F(PanelWOknie, SliderStepReplacesTheNodeBySimulatedCopy) {
    Kontekst& k = app->kontekst();
    k.Zakresy[1] = {1, 100000};
    ASSERT_NO_FATAL_FAILURE(pokazWskazniki());
    DefiniowanieWskaznikow& o = app->definiowanieWskaznikow();
    o.aktywacja();
    ASSERT_NE(o.panelAnalizy, nullptr);
    PanelAnalizy& p = *o.panelAnalizy;
    EXPECT_TRUE(o.Analiza_wrazliwosci->isVisibleTo(&o));
    const int przed = *app->warsztat().Wybrany;
    p.WyborZmiennejBox->setCurrentIndex(0);
    emit p.WyborZmiennejBox->activated(0);
    const int c = p.WartoscZmiennejEdit->text().toInt();
    ASSERT_GT(c, 0);
    p.Suwak->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(p.WartoscZmiennejEdit->text().toInt(), c + 1);
    const Warsztat& w = app->warsztat();
    ASSERT_TRUE(w.Wybrany.has_value());
    EXPECT_NE(*w.Wybrany, przed) << "a new node took the place of the old one";
    EXPECT_LT(w.Drzewo.Znajdz(przed), 0);
    EXPECT_EQ(w.Drzewo.Etykieta(w.Drzewo.Znajdz(*w.Wybrany)), EtykietaWezla(*w.Wybrany, true));
    EXPECT_EQ(k.RekordBiezacy.Numer(), *w.Wybrany);
    EXPECT_EQ(WartoscSuwaka(k.RekordBiezacy, 1), c + 1);
    EXPECT_EQ(o.Brat->text().toStdString(), EtykietaWezla(*w.Wybrany, true));
    EXPECT_TRUE(ui.messages.empty()) << ui.messages.front();

    // A second step; the window as it looks then, kept for a look.
    p.Suwak->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(WartoscSuwaka(k.RekordBiezacy, 1), c + 11);
    const QImage obraz = o.grab().toImage();
    ASSERT_FALSE(obraz.isNull());
    obraz.save(QStringLiteral(VESK_DATA_DIR "../PanelAnalizy.png"));
    const QImage panel = p.Analiza_wrazliwosci->grab().toImage();
    std::set<QRgb> kolory;
    for (int y = 0; y < panel.height(); y += 2)
        for (int x = 0; x < panel.width(); x += 2) kolory.insert(panel.pixel(x, y));
    EXPECT_GT(kolory.size(), 3u) << "the panel is drawn";
    o.PageControl1->setCurrentIndex(1);
    o.grab().toImage().save(QStringLiteral(VESK_DATA_DIR "../PanelAnimacji.png"));
}

TEST_F(PanelWOknie, SiblingsOfARealTree) {
    // Children 1 (simulated), 2 (not simulated) and 3 (simulated) of the root.
    Warsztat& w = app->warsztat();
    ASSERT_NO_FATAL_FAILURE(dodajDzieci(2));
    ASSERT_TRUE(w.Symulowanie(3));
    w.WybierzWezel(1);
    w.Zmiana_wezla();
    app->odswiezOkna();
    ui.messages.clear();
    app->oknoGlowne().akcja("KonstrukcjaWskaznikow")->trigger();
    DefiniowanieWskaznikow& o = app->definiowanieWskaznikow();
    o.aktywacja();
    PanelAnalizy& p = *o.panelAnalizy;
    ASSERT_EQ(p.Brat->text(), "d/r 1");
    EXPECT_TRUE(p.SpeedButton6->isEnabled());
    EXPECT_FALSE(p.SpeedButton7->isEnabled());
    p.SpeedButton6->click();
    EXPECT_EQ(p.Brat->text(), "d/r 3");
    EXPECT_EQ(*w.Wybrany, 3);
    EXPECT_EQ(app->kontekst().RekordBiezacy.Numer(), 3);
    EXPECT_FALSE(o.Analiza_wrazliwosci->isEnabled());
    EXPECT_FALSE(p.SpeedButton6->isEnabled());
    EXPECT_TRUE(p.SpeedButton7->isEnabled());
    p.SpeedButton8->click();
    EXPECT_EQ(p.Brat->text(), "d/r 1");
    EXPECT_EQ(*w.Wybrany, 1);
    EXPECT_EQ(app->kontekst().RekordBiezacy.Numer(), 1);
    EXPECT_TRUE(o.Analiza_wrazliwosci->isEnabled());
    EXPECT_TRUE(p.SpeedButton6->isEnabled());
    EXPECT_TRUE(ui.messages.empty()) << ui.messages.front();
}

TEST_F(PanelWOknie, ProductBarsAreLockedWhileACousinIsInView) {
    Warsztat& w = app->warsztat();
    ASSERT_NO_FATAL_FAILURE(dodajDzieci(2));
    ASSERT_TRUE(w.Symulowanie(3));
    w.WybierzWezel(1);
    w.Zmiana_wezla();
    app->oknoGlowne().akcja("KonstrukcjaWskaznikow")->trigger();
    DefiniowanieWskaznikow& o = app->definiowanieWskaznikow();
    o.aktywacja();
    PaskiWidok& paski = *o.Paski;
    emit paski.ComboBoxWyboruWyrobu->activated(0);
    o.panelAnalizy->SpeedButton6->click();
    ASSERT_EQ(*w.Wybrany, 3);
    for (QScrollBar* b : paski.ScrollBar) EXPECT_FALSE(b->isEnabled());
    // In their place the reason, as on the root; the product choice waits.
    EXPECT_TRUE(paski.GroupBox2->isHidden());
    EXPECT_FALSE(paski.ComboBoxWyboruWyrobu->isEnabled());
    EXPECT_TRUE(paski.BrakPaskow->text().endsWith(QString::fromUtf8(
        "Węzeł d/r 3 jest kuzynem węzła oryginalnego. Aby aktywować wróć do oryginalnego węzła.")));
    // Even a step that reaches a bar leaves the cousin as it is.
    paski.ScrollBar[0]->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(*w.Wybrany, 3);
    o.panelAnalizy->SpeedButton8->click();
    for (QScrollBar* b : paski.ScrollBar) EXPECT_TRUE(b->isEnabled());
    EXPECT_FALSE(paski.GroupBox2->isHidden() || !paski.BrakPaskow->isHidden());
}

}  // namespace
}  // namespace vesk
