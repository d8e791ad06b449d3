// The indicator window's layout: where each control sits in both looks.
// Every field has its caption to the left; the window holds every control
// it shows within itself at 1024 x 768 and above, and shows them scrolled
// on a smaller screen; the chart takes the statement trees' place on the
// indicators page (the list, the year and the relation stay in reach) and
// a place below the controls on the animation page, so that a run can be
// watched.
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTabBar>
#include <QTabWidget>
#include <algorithm>

#include "DefiniowanieWskaznikow.h"
#include "OknaWZasiegu.h"
#include "PanelAnalizy.h"

namespace vesk {

namespace {

// The measures of the layout (pixels).
constexpr int SzerokoscStron = 768, WysokoscStron = 612;
constexpr int SzerokoscDrzew = 276;
constexpr int SzerokoscOpisu = 156, SzerokoscPola = 300, WysokoscWiersza = 22, Odstep = 3;
constexpr int LewaKolumny = SzerokoscStron + 4, SzerokoscKolumny = 232;
constexpr int GoraDolnegoWiersza = WysokoscStron + 4;
// The sensitivity panel, and its height in the alternative look (half as
// high again), for which the column keeps room.
constexpr int WysokoscAnalizy = 88, WysokoscAnalizyInnej = WysokoscAnalizy * 3 / 2;

}  // namespace

QRect DefiniowanieWskaznikow::obszarWykresu() const {
    return QRect(GroupBox8->pos() + PageControl2->pos(), PageControl2->size());
}

QRect DefiniowanieWskaznikow::obszarWykresuAnimacji() const {
    const int gora = panelAnalizy ? panelAnalizy->TraceOn->geometry().bottom() + 6 : 220;
    const int wysokoscStrony = WysokoscStron - PageControl1->tabBar()->sizeHint().height() - 6;
    return QRect(8, gora, SzerokoscStron - 4 - 16, wysokoscStrony - gora - 6);
}

void DefiniowanieWskaznikow::ulozOkno() {
    PageControl1->setGeometry(0, 0, SzerokoscStron, WysokoscStron);
    // The pages' height below the tabs (the tab widget sizes them once shown).
    const int wysokoscStrony = WysokoscStron - PageControl1->tabBar()->sizeHint().height() - 6;

    // The indicators page: the trees, and the panel with its captions.
    const int wysokoscGrupy = wysokoscStrony - 24 - 4;
    GroupBox8->setGeometry(4, GroupBox8->y(), SzerokoscStron - 12, wysokoscGrupy);
    PageControl2->setGeometry(4, 4, SzerokoscDrzew, wysokoscGrupy - 8);
    for (auto [zrodlo, drzewo] : {std::pair<QWidget*, QWidget*>{LicznikComboBox, LicznikTree},
                                  std::pair<QWidget*, QWidget*>{MianownikComboBox, MianownikTree}}) {
        zrodlo->setGeometry(2, 2, SzerokoscDrzew - 10, 24);
        drzewo->setGeometry(2, 30, SzerokoscDrzew - 10, wysokoscGrupy - 8 - 30 - 32);
    }
    const int szerokoscPanelu = SzerokoscOpisu + SzerokoscPola + 16;
    ProbnyBox1->setGeometry(SzerokoscDrzew + 8, 4, szerokoscPanelu, wysokoscGrupy - 8);
    const int lewaPola = 6 + SzerokoscOpisu + 4;
    int y = 8;
    for (const auto& [pole, opis] : wiersze_) {
        if (opis) opis->setGeometry(6, y + 2, SzerokoscOpisu, WysokoscWiersza - 4);
        pole->setGeometry(lewaPola, y, SzerokoscPola, WysokoscWiersza);
        y += WysokoscWiersza + Odstep;
    }
    const int calosc = lewaPola + SzerokoscPola - 6;
    const int polowa = calosc / 2;
    SpeedButton2->setGeometry(6, y, polowa, 24);
    SpeedButton4->setGeometry(6 + polowa, y, calosc - polowa, 24);
    y += 24 + Odstep;
    SpeedButton1->setGeometry(6, y, calosc, 24);
    y += 24 + 2 * Odstep;
    LabelKoduDostepu->setGeometry(6, y + 2, SzerokoscOpisu + 40, WysokoscWiersza - 4);
    y += WysokoscWiersza;
    PodpowiedzJezykowa->setGeometry(6, y, calosc, WysokoscWiersza);

    // The animation page: the heading of the alternative look, the group
    // below it, the chart below the trace box.
    if (panelAnalizy) {
        Label21->setParent(PageControl1->widget(1));
        Label21->setGeometry(8, 4, 320, 16);
        panelAnalizy->GrupaAnimacji->move(8, 24);
        panelAnalizy->TraceOn->move(8, panelAnalizy->GrupaAnimacji->geometry().bottom() + 8);
    }

    // The boxes within the right-hand column, which keep their places in
    // any height.
    CheckBoxExpert->setGeometry(6, 6, SzerokoscKolumny - 12, 20);
    CheckBoxClipsViewer->setGeometry(6, 28, SzerokoscKolumny - 12, 20);
    // Two lines: the hint is wider than the column in larger fonts.
    InfoOKoniecznosciOpracowaniaWskaznikow->setWordWrap(true);
    if (panelAnalizy) {
        const int w = (SzerokoscKolumny - 16) * 3 / 10;
        panelAnalizy->SpeedButton6->setGeometry(6, 20, w, 24);
        panelAnalizy->SpeedButton7->setGeometry(8 + w, 20, w, 24);
        panelAnalizy->SpeedButton8->setGeometry(10 + 2 * w, 20, SzerokoscKolumny - 16 - 2 * w, 24);
    }
    Brat->setGeometry(6, 50, SzerokoscKolumny - 12, 22);
    Label20->setWordWrap(true);
    if (panelAnalizy) {
        panelAnalizy->WyborZmiennejBox->setGeometry(4, 16, SzerokoscKolumny - 8, 22);
        panelAnalizy->WartoscZmiennejEdit->setGeometry(4, 40, 110, 22);
        panelAnalizy->LabelJednostki->setGeometry(120, 42, SzerokoscKolumny - 124, 18);
        panelAnalizy->Suwak->setGeometry(4, 65, SzerokoscKolumny - 8, 18);
    }

    srodek_->setMinimumSize(LewaKolumny + SzerokoscKolumny + 4, GoraDolnegoWiersza + 30);
    // The sensitivity panel at the column's foot; the window's height moves
    // it, the alternative look makes it taller (and puts it back).
    przesuniecieKolumny_ = std::max(0, srodek_->height() - srodek_->minimumHeight());
    Analiza_wrazliwosci->setGeometry(LewaKolumny, WysokoscStron + przesuniecieKolumny_ - WysokoscAnalizyInnej,
                                     SzerokoscKolumny, WysokoscAnalizy);
    ulozKolumneIDol();
    srodek_->installEventFilter(this);  // the column follows the window's height
    resize(width(), menuBar()->sizeHint().height() + GoraDolnegoWiersza + 30);
    dopasujSzerokosc();
    umiescWykres();
}

void DefiniowanieWskaznikow::ulozKolumneIDol() {
    if (srodek_->minimumHeight() == 0) return;  // not laid out yet (ulozOkno)
    // What the window has below its least height goes to the right-hand
    // column's lists; the bottom row stays at the window's foot.
    const int wiecej = std::max(0, srodek_->height() - srodek_->minimumHeight());

    // The right-hand column, from its foot (the pages' foot) up: the
    // sensitivity panel (room for its taller look kept), the heading of
    // the alternative look, the siblings, each when shown; the expert
    // lists take the rest.
    // The panel keeps the place and size its look gave it, moved down as
    // far as the window grew.
    Analiza_wrazliwosci->move(Analiza_wrazliwosci->x(), Analiza_wrazliwosci->y() + wiecej - przesuniecieKolumny_);
    przesuniecieKolumny_ = wiecej;
    int dol = WysokoscStron + wiecej;
    if (!Analiza_wrazliwosci->isHidden()) dol -= WysokoscAnalizyInnej;
    if (!Label20->isHidden()) dol -= 36;
    Label20->setGeometry(LewaKolumny, dol, SzerokoscKolumny, 34);
    if (!GroupBox9->isHidden()) dol -= 84;
    GroupBox9->setGeometry(LewaKolumny, dol, SzerokoscKolumny, 80);
    const int grupa = dol - 4;
    GroupBox1->setGeometry(LewaKolumny, 0, SzerokoscKolumny, grupa);
    // The diagnoses and the engine's log share what the boxes above and
    // the hint below leave; without the log shown the diagnoses take it all.
    const int listy = grupa - 52 - 42;
    const int dzielone = (listy - 4) * 3 / 5;
    ListBox1->setGeometry(6, 52, SzerokoscKolumny - 12, InterpreterBox1->isHidden() ? listy : dzielone);
    InterpreterBox1->setGeometry(6, 52 + dzielone + 4, SzerokoscKolumny - 12, listy - dzielone - 4);
    InfoOKoniecznosciOpracowaniaWskaznikow->setGeometry(6, grupa - 42, SzerokoscKolumny - 12, 36);

    // The bottom row: the chart button, type and horizon, the heading of
    // the alternative look.
    const int d = GoraDolnegoWiersza + wiecej;
    int x = 4;
    auto obok = [&](QWidget* w, int szerokosc, int wysokosc, int dy) {
        w->setGeometry(x, d + dy, szerokosc, wysokosc);
        x += szerokosc + 6;
    };
    obok(Wykres, 176, 26, 0);
    obok(LabelTypWykresu, 80, 18, 4);
    obok(WyborTypuWykresu, std::max(190, WyborTypuWykresu->sizeHint().width()), 26, 0);
    obok(LabelHoryzont, 112, 18, 4);
    obok(HoryzontyBox, 110, 26, 0);
    Label22->setGeometry(x + 8, d + 4, 180, 18);
}

void DefiniowanieWskaznikow::dopasujSzerokosc() {
    // As wide as the controls shown: without the right-hand column the
    // pages alone.
    int prawa = PageControl1->geometry().right();
    for (QWidget* w : {static_cast<QWidget*>(GroupBox1), static_cast<QWidget*>(GroupBox9),
                       static_cast<QWidget*>(Analiza_wrazliwosci), static_cast<QWidget*>(Label20)})
        if (!w->isHidden()) prawa = std::max(prawa, w->geometry().right());
    const int szerokosc = prawa + 5;
    srodek_->setMinimumWidth(szerokosc);
    // The window follows a change of the controls shown, within the
    // screen; a width the user gave it stays otherwise.
    if (szerokosc == szerokoscUkladu_) return;
    szerokoscUkladu_ = szerokosc;
    resize(szerokosc, height());
    wPoluEkranu(this);
}

}  // namespace vesk
