// The main window's tree tab: the tree, the period headers, the node
// buttons, the base and template boxes, "Zoom" and the debug boxes. The
// controls forward to the workbench and show what it holds afterwards.
#include <QFormLayout>
#include <QGuiApplication>
#include <QScreen>
#include <QScrollBar>
#include <QTreeWidgetItemIterator>
#include <QVBoxLayout>
#include <algorithm>

#include "Aplikacja.h"
#include "OknaWZasiegu.h"
#include "OknoGlowne.h"
#include "QtTekst.h"
#include "Uklad.h"
#include "Warsztat.h"
#include "ZakladkiWynikow.h"

namespace vesk {

namespace {
QString u(const char* utf8) { return QString::fromUtf8(utf8); }
void umiesc(QWidget* w, const Prostokat& r) { w->setGeometry(r.x, r.y, r.w, r.h); }

const char* const NazwyDebug[] = {"Nazwa_Biezacego_Wezla", "nazwa_wezla_poprzednika", "Absolutny_numer_wezla_biezacego",
                                  "okienkonumerupoziomu", "okienko_sciezki", "lewa", "prawa"};
}  // namespace

void OknoGlowne::zbudujZakladkeDrzewa() {
    PrzewijanieDrzewa = new QScrollArea;
    PrzewijanieDrzewa->setObjectName(QStringLiteral("PrzewijanieDrzewa"));
    PrzewijanieDrzewa->setFrameShape(QFrame::NoFrame);
    PrzewijanieDrzewa->setWidgetResizable(true);
    PowierzchniaDrzewa = new QWidget;
    PrzewijanieDrzewa->setWidget(PowierzchniaDrzewa);
    auto* strona = new QVBoxLayout(TabDrzewo);
    strona->setContentsMargins(0, 0, 0, 0);
    strona->addWidget(PrzewijanieDrzewa);
    PrzewijanieZaFokusem(PrzewijanieDrzewa);
    TreeView1 = new TDrzewoWezlow(PowierzchniaDrzewa);
    TreeView1->setObjectName(QStringLiteral("TreeView1"));
    TreeView1->setItemDelegate(new TDelegatWezla(app_.warsztat(), TreeView1));
    for (int k = 0; k < 9; ++k) {
        Okres[static_cast<std::size_t>(k)] = new QLabel(PowierzchniaDrzewa);
        Okres[static_cast<std::size_t>(k)]->setObjectName(QStringLiteral("Okres%1").arg(k + 1));
        Okres[static_cast<std::size_t>(k)]->hide();
    }
    LataSymulacji = new QLabel(PowierzchniaDrzewa);
    LataSymulacji->setObjectName(QStringLiteral("LataSymulacji"));
    auto przycisk = [this](const char* nazwa, const char* tytul) {
        auto* p = new QPushButton(u(tytul), PowierzchniaDrzewa);
        p->setObjectName(QString::fromLatin1(nazwa));
        return p;
    };
    SpeedSymulacja = przycisk("SpeedSymulacja", "Przeprowadzenie symulacji");
    PrzyciskPodgladu = przycisk("PrzyciskPodgladu", "Podgląd decyzji - <F3>");
    PrzyciskDodaniaNowejDecyzji = przycisk("PrzyciskDodaniaNowejDecyzji", "Dodanie nowej decyzji <INS>");
    ButtonFinal = przycisk("ButtonFinal", "Wyjscie z programu");
    SpeedBazowy = przycisk("SpeedBazowy", "Bazowy");
    SpeedWzorcowy = przycisk("SpeedWzorcowy", "Do edycji");
    // Reached by Tab, not taken by a click: the focus stays in the tree.
    for (QPushButton* p : {SpeedSymulacja, PrzyciskPodgladu, PrzyciskDodaniaNowejDecyzji, SpeedBazowy, SpeedWzorcowy})
        p->setFocusPolicy(Qt::TabFocus);
    auto okienko = [this](const char* nazwa, QColor kolor) {
        auto* o = new TPoleWezla(PowierzchniaDrzewa);
        o->setObjectName(QString::fromLatin1(nazwa));
        QPalette p = o->palette();
        for (auto grupa : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) p.setColor(grupa, QPalette::Base, kolor);
        o->setPalette(p);
        return o;
    };
    OkienkoBazowe = okienko("OkienkoBazowe", Qt::red);
    OkienkoEdycji = okienko("OkienkoEdycji", Qt::yellow);
    OkienkoEdycji->setToolTip(u("Wybierz decyzję w drzewie i przeciągnij do tego pola"));
    CheckBox1 = new QCheckBox(u("Zoom"), PowierzchniaDrzewa);
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
    CheckBox1->setChecked(true);

    auto* debug = new QFormLayout(TabDebug);
    for (const char* nazwa : NazwyDebug) {
        auto* e = new QLineEdit;
        e->setObjectName(QString::fromLatin1(nazwa));
        e->setReadOnly(true);
        debug->addRow(QString::fromLatin1(nazwa), e);
        Debug[nazwa] = e;
    }
    ulozZakladkeDrzewa(true);
}

void OknoGlowne::ulozZakladkeDrzewa(bool zoom) {
    QRect pulpit = QGuiApplication::primaryScreen() ? QGuiApplication::primaryScreen()->virtualGeometry()
                                                     : QRect(0, 0, 1024, 768);
    zoom_ = zoom;
    // The pages' own size once shown: the tree grows and shrinks with the window.
    const QSize strony = PageControl1->isVisible() ? PageControl1->size() : QSize();
    // The tree's font at this zoom first: its rows are measured in it.
    QFont czcionka = TreeView1->font();
    czcionka.setPixelSize(UkladDrzewa(UkladOknaGlownego(pulpit.width(), pulpit.height()), zoom).drzewoCzcionka);
    TreeView1->setFont(czcionka);
    const int wiersze = wysokoscWierszyDrzewa();
    const auto uklad = [&](int pasek) {
        const int szerokosc = strony.isValid() ? strony.width() - pasek : 0;
        return UkladDrzewa(UkladOknaGlownego(pulpit.width(), pulpit.height(), zakladki_, szerokosc, strony.height()),
                           zoom, wiersze);
    };
    UkladZakladkiDrzewa l = uklad(0);
    // A page too low for every control scrolls; its bar takes its room.
    const int wysokosc = PageControl1->height() - zakladki_;
    if (strony.isValid() && l.wysokosc > wysokosc)
        l = uklad(PrzewijanieDrzewa->verticalScrollBar()->sizeHint().width());
    PowierzchniaDrzewa->setMinimumHeight(l.wysokosc);
    for (std::size_t k = 0; k < 9; ++k) {
        miejscaOkresow_[k] = QRect(l.okresy[k].x, l.okresy[k].y, l.okresy[k].w, l.okresy[k].h);
        QFont f = Okres[k]->font();
        f.setPixelSize(l.okresCzcionka);
        Okres[k]->setFont(f);
    }
    umiesc(LataSymulacji, l.lata);
    umiesc(TreeView1, l.drzewo);
    TreeView1->setIndentation(l.wciecie);
    umiesc(SpeedSymulacja, l.symulacja);
    umiesc(PrzyciskPodgladu, l.podglad);
    umiesc(PrzyciskDodaniaNowejDecyzji, l.dodanie);
    umiesc(ButtonFinal, l.koniec);
    umiesc(CheckBox1, l.zoom);
    umiesc(SpeedBazowy, l.bazowy);
    umiesc(OkienkoBazowe, l.okienkoBazowe);
    umiesc(SpeedWzorcowy, l.wzorcowy);
    umiesc(OkienkoEdycji, l.okienkoEdycji);
    MiejsceWyniku = QRect(l.wynik.x, l.wynik.y, l.wynik.w, l.wynik.h);
    przesunOkresy();
    if (Wyniki) Wyniki->umiescPrzyciski();
}

int OknoGlowne::wysokoscWierszyDrzewa() const {
    int wiersze = 0;
    for (QTreeWidgetItemIterator it(TreeView1); *it; ++it) {
        bool widoczny = !(*it)->isHidden();
        for (const QTreeWidgetItem* p = (*it)->parent(); widoczny && p; p = p->parent()) widoczny = p->isExpanded();
        wiersze += widoczny ? 1 : 0;
    }
    const QScrollBar* poziomy = TreeView1->horizontalScrollBar();
    return wiersze * std::max(TreeView1->sizeHintForRow(0), TreeView1->fontMetrics().height()) +
           2 * TreeView1->frameWidth() + (poziomy->isVisible() ? poziomy->sizeHint().height() : 0);
}

void OknoGlowne::przesunOkresy() {
    const int przesuniecie = TreeView1->horizontalScrollBar()->value();
    const QRect drzewo = TreeView1->geometry();
    std::array<bool, 9> widoczny{};
    for (std::size_t k = 0; k < 9; ++k) {
        QRect r = miejscaOkresow_[k].translated(-przesuniecie, 0);
        const bool wDrzewie = r.left() >= drzewo.left() - 2 && r.left() < drzewo.right() - 8;
        r.setRight(std::min(r.right(), drzewo.right()));
        Okres[k]->setGeometry(r);
        widoczny[k] = okresyWidoczne_[k] && wDrzewie;
    }
    // Each header after the first is "| years |": where the next one
    // follows, its opening bar closes this one, so that no two bars stand
    // side by side.
    for (std::size_t k = 0; k < 9; ++k) {
        QString napis = napisyOkresow_[k];
        if (k + 1 < 9 && widoczny[k + 1] && napis.endsWith(QLatin1Char('|'))) napis.chop(1);
        Okres[k]->setText(napis);
        Okres[k]->setVisible(widoczny[k]);
    }
}

void OknoGlowne::polecenie(const std::function<void(Warsztat&)>& f, bool formularz) {
    // Unconfirmed decisions are never dropped without a word.
    if (formularz && !app_.porzucenieFormularza()) return;
    f(app_.warsztat());
    app_.odswiezOkna();
}

void OknoGlowne::polaczZakladkeDrzewa() {
    auto numer = [](QTreeWidgetItem* item) { return item->data(0, RolaNumeru).toInt(); };
    // A selection by the user: the enabling by kind at once; a click or a
    // released key then runs the full follow-up. The question on the
    // form's unconfirmed edits takes that release: once answered, the
    // follow-up runs here, the form then the node selected.
    connect(TreeView1, &QTreeWidget::currentItemChanged, this, [this, numer](QTreeWidgetItem* item) {
        if (odswiezanie_ || !item) return;
        const int n = numer(item);
        const bool pytanie = app_.warsztat().Formularz.NiezatwierdzoneZmiany();
        polecenie([n, pytanie](Warsztat& w) {
            w.WybierzWezel(n);
            if (pytanie) w.Zmiana_wezla();
        });
    });
    auto zmiana = [this] {
        if (!odswiezanie_) polecenie([](Warsztat& w) { w.Zmiana_wezla(); });
    };
    // A click on an item the selection did not move to (the change was
    // cancelled) changes nothing.
    connect(TreeView1, &QTreeWidget::itemClicked, this, [this, numer, zmiana](QTreeWidgetItem* item) {
        if (item && app_.warsztat().Wybrany == numer(item)) zmiana();
    });
    TreeView1->poKlawiszu = zmiana;
    TreeView1->poWejsciu = [this] {
        if (!odswiezanie_) polecenie([](Warsztat& w) { w.TreeView1Enter(); }, false);
    };
    // The tree keeps room for the rows it shows.
    connect(TreeView1, &QTreeWidget::itemExpanded, this, [this, numer](QTreeWidgetItem* item) {
        if (odswiezanie_) return;
        app_.warsztat().Zwiniete.erase(numer(item));
        ulozZakladkeDrzewa(zoom_);
    });
    connect(TreeView1, &QTreeWidget::itemCollapsed, this, [this, numer](QTreeWidgetItem* item) {
        if (odswiezanie_) return;
        app_.warsztat().Zwiniete.insert(numer(item));
        ulozZakladkeDrzewa(zoom_);
    });
    connect(TreeView1->horizontalScrollBar(), &QScrollBar::valueChanged, this, [this] { przesunOkresy(); });

    auto podlacz = [this](std::initializer_list<QObject*> zrodla, const std::function<void(Warsztat&)>& f,
                          bool formularz = true) {
        for (QObject* z : zrodla) {
            if (auto* a = qobject_cast<QAction*>(z))
                connect(a, &QAction::triggered, this, [this, f, formularz] { polecenie(f, formularz); });
            if (auto* p = qobject_cast<QPushButton*>(z))
                connect(p, &QPushButton::clicked, this, [this, f, formularz] {
                    zakonczKasowanie();
                    polecenie(f, formularz);
                });
        }
    };
    podlacz({akcja("przeglad1"), akcja("Przegldanieformularza1"), PrzyciskPodgladu},
            [](Warsztat& w) { w.przeglad1Click(false); });
    podlacz({akcja("Bazowy1"), akcja("Ustawieniejakowzabazowego1"), SpeedBazowy}, [](Warsztat& w) { w.Bazowy1Click(); },
            false);
    podlacz({akcja("Ustawieniejakowzadokopiowania1"), SpeedWzorcowy}, [](Warsztat& w) { w.Doedycji1Click(); });
    connect(akcja("dodanieweza1"), &QAction::triggered, this, [this] { dodanieNowejDecyzji(); });
    connect(akcja("Doedycji1"), &QAction::triggered, this,
            [this] { wWidoku(&ZakladkiWynikow::wyborDoEdycji, [](Warsztat& w) { w.Doedycji1Click(); }); });
    podlacz({PrzyciskDodaniaNowejDecyzji}, [](Warsztat& w) { w.natychmiastowe_dodanie_i_edycja_wezla(); });
    podlacz({akcja("Dodanienowegowza1")}, [](Warsztat& w) { w.Dodajemy_Wezel(); });
    podlacz({akcja("Kasowaniewza1"), akcja("KasowanieWza2")}, [](Warsztat& w) { w.Kasowaniewza1Click(); });
    podlacz({akcja("symuluj"), SpeedSymulacja}, [](Warsztat& w) { w.Symulowanie(); });
    connect(ButtonFinal, &QPushButton::clicked, this, [this] {
        zakonczKasowanie();
        app_.wyjscie();
    });
    OkienkoBazowe->poUpuszczeniu = [this](int n) {
        zakonczKasowanie();
        polecenie([n](Warsztat& w) { w.UpuszczenieNaBazowy(n); }, false);
    };
    OkienkoEdycji->poUpuszczeniu = [this](int n) {
        zakonczKasowanie();
        polecenie([n](Warsztat& w) { w.UpuszczenieNaEdycji(n); }, false);
    };
    connect(CheckBox1, &QCheckBox::toggled, this, [this](bool zaznaczony) {
        if (!odswiezanie_) polecenie([zaznaczony](Warsztat& w) { w.UstawZoom(zaznaczony); });
    });
}

void OknoGlowne::wWidoku(void (ZakladkiWynikow::*zInnej)(), const std::function<void(Warsztat&)>& f) {
    if (PageControl1->currentWidget() != TabDrzewo && Wyniki)
        (Wyniki->*zInnej)();
    else
        polecenie(f);
}

void OknoGlowne::dodanieNowejDecyzji() {
    // Ins belongs to the menu "Decyzje": while that is greyed (the
    // three-year chart over the tree) the key adds nothing, as the greyed
    // button says.
    if (!app_.warsztat().Polecenia.Wzy1) return;
    wWidoku(&ZakladkiWynikow::dodanieNowejDecyzji, [](Warsztat& w) { w.dodanieweza1Click(); });
}

void OknoGlowne::changeEvent(QEvent* e) {
    QMainWindow::changeEvent(e);
    // The main window activated: the indicator window steps aside.
    if (e->type() == QEvent::ActivationChange && isActiveWindow() && app_.warsztat().Wskazniki->visible())
        app_.warsztat().Wskazniki->hide();
}

void OknoGlowne::odswiezZakladkeDrzewa(const Warsztat& w) {
    odswiezanie_ = true;
    // The items are made again only when labels or levels changed; the
    // core's order is kept (the control never sorts).
    std::vector<std::pair<std::string, int>> teraz;
    for (int i = 0; i < w.Drzewo.Liczba(); ++i) teraz.emplace_back(w.Drzewo.Etykieta(i), w.Drzewo.Poziom(i));
    if (teraz != pokazaneDrzewo_) {
        TreeView1->clear();
        std::vector<QTreeWidgetItem*> naPoziomie;
        for (int i = 0; i < w.Drzewo.Liczba(); ++i) {
            const auto poziom = static_cast<std::size_t>(w.Drzewo.Poziom(i));
            auto* item = poziom == 0 || naPoziomie.size() < poziom ? new QTreeWidgetItem(TreeView1)
                                                                    : new QTreeWidgetItem(naPoziomie[poziom - 1]);
            item->setText(0, q(w.Drzewo.Etykieta(i)));
            item->setData(0, RolaNumeru, w.Drzewo.Numer(i));
            naPoziomie.resize(poziom + 1);
            naPoziomie[poziom] = item;
        }
        pokazaneDrzewo_ = teraz;
    }
    int i = 0;
    const int wybrany = w.IndeksWybranego();
    QTreeWidgetItem* biezacy = nullptr;
    for (QTreeWidgetItemIterator it(TreeView1); *it; ++it, ++i) {
        const QIcon& ikona = TreeView1->ikona(w.Drzewo[i].Obrazek);
        if ((*it)->icon(0).cacheKey() != ikona.cacheKey()) (*it)->setIcon(0, ikona);
        (*it)->setExpanded(!w.Zwiniete.count(w.Drzewo.Numer(i)));
        if (i == wybrany || (i == 0 && wybrany < 0)) biezacy = *it;
    }
    if (biezacy && TreeView1->currentItem() != biezacy) TreeView1->setCurrentItem(biezacy);
    TreeView1->setEnabled(w.Polecenia.TreeView1);
    TreeView1->setVisible(w.Polecenia.TreeView1);
    TreeView1->viewport()->update();

    for (std::size_t k = 0; k < 9; ++k) {
        const NaglowekOkresu& o = w.Widok.Okresy[k];
        napisyOkresow_[k] = q(o.Napis);
        okresyWidoczne_[k] = o.Widoczny;
        Okres[k]->setEnabled(o.Aktywny);
    }
    LataSymulacji->setText(q(w.LataWybranego()));
    const StanPolecen& p = w.Polecenia;
    SpeedSymulacja->setEnabled(p.symuluj);
    SpeedBazowy->setEnabled(p.Bazowy1);
    PrzyciskPodgladu->setText(q(w.PodpisPrzyciskuPodgladu()));
    if (!w.Widok.przeglad1.empty()) akcja("przeglad1")->setText(q(w.Widok.przeglad1));
    OkienkoBazowe->setText(q(w.OkienkoBazowe));
    OkienkoBazowe->setEnabled(p.OkienkoBazowe);
    OkienkoBazowe->setToolTip(p.OkienkoBazowe ? u("Wybierz decyzję symulowaną w drzewie i przeciągnij do tego pola")
                                              : QString());
    OkienkoBazowe->setCursor(p.OkienkoBazowe ? Qt::UpArrowCursor : Qt::ForbiddenCursor);
    OkienkoEdycji->setText(q(w.OkienkoEdycji));
    OkienkoEdycji->setEnabled(p.OkienkoEdycji);
    if (CheckBox1->isChecked() != w.Zoom) {
        CheckBox1->setChecked(w.Zoom);
    }
    ulozZakladkeDrzewa(w.Zoom);
    TreeView1->pokazBiezacy();
    przesunOkresy();
    ProgressBar1->setValue(w.Postep);
    const std::map<std::string, std::string> debug = {
        {"Nazwa_Biezacego_Wezla", w.Widok.Nazwa_Biezacego_Wezla},
        {"nazwa_wezla_poprzednika", w.Widok.nazwa_wezla_poprzednika},
        {"Absolutny_numer_wezla_biezacego", w.Widok.Absolutny_numer_wezla_biezacego},
        {"okienkonumerupoziomu", w.Widok.okienkonumerupoziomu},
        {"okienko_sciezki", w.Widok.okienko_sciezki},
        {"lewa", w.Widok.lewa},
        {"prawa", w.Widok.prawa},
    };
    for (const auto& [nazwa, tekst] : debug) Debug.at(nazwa)->setText(q(tekst));
    odswiezanie_ = false;
}

}  // namespace vesk
