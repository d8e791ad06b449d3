#include "ZakladkiWynikow.h"

#include <QChart>
#include <QFile>
#include <QHBoxLayout>
#include <QLineSeries>
#include <QMouseEvent>
#include <QPrinter>
#include <QPrinterInfo>
#include <QScrollArea>
#include <QUrl>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>
#include <vector>

#include "Aplikacja.h"
#include "FileSystem.h"
#include "OknoGlowne.h"
#include "FormularzBilans.h"
#include "OknoFormularzaDecyzji.h"
#include "OknaPomocy.h"
#include "OknaWZasiegu.h"
#include "QtTekst.h"
#include "Warsztat.h"

namespace vesk {

namespace {

QString u(const char* utf8) { return QString::fromUtf8(utf8); }

class DrukarkaSystemowa : public Drukarka {
public:
    bool drukuj(const QTextDocument& dokument) override {
        const QPrinterInfo info = QPrinterInfo::defaultPrinter();
        if (info.isNull()) return false;
        nazwa_ = zQt(info.description().isEmpty() ? info.printerName() : info.description());
        QPrinter drukarka(info, QPrinter::HighResolution);
        if (!drukarka.isValid()) return false;
        dokument.print(&drukarka);
        return drukarka.printerState() != QPrinter::Error && drukarka.printerState() != QPrinter::Aborted;
    }
    std::string nazwa() const override { return nazwa_; }

private:
    std::string nazwa_;
};

// A page this program wrote, read no further than the longest template
// gives (a page put in its place that never ends shows empty), and held
// no bigger than it is: a view does not leave megabytes of room behind.
// A pipe put in its place is never waited on.
std::string czytaj(const std::string& sciezka) {
    BinaryFile plik;
    if (!plik.open(sciezka, BinaryFile::Mode::Read)) return {};
    return plik.readRest(LongestTemplate).value_or(std::string());
}

}  // namespace

std::unique_ptr<Drukarka> DrukarkaDomyslna() { return std::make_unique<DrukarkaSystemowa>(); }

void WykresDrzewa::mousePressEvent(QMouseEvent* e) {
    if (klik) klik();
    e->accept();
}

ZakladkiWynikow::ZakladkiWynikow(Aplikacja& app, OknoGlowne& f)
    : QObject(&f), Interfejs(app.warsztat()), app_(app), f_(f), drukarka_(DrukarkaDomyslna()) {
    Interfejs.Polecenia.Nowy1Click = [this] { app_.nowyOperator(); };
    Interfejs.Polecenia.NowyPlik1Click = [this] { app_.otworzOperatora(); };
    Interfejs.Polecenia.Kasowanieoperatora1Click = [this] { app_.kasujOperatora(); };
    Interfejs.Polecenia.Wyjscie1Click = [this] { app_.wyjscie(); };
    Interfejs.Polecenia.Podglad = [this](const OpisPodgladu& o) {
        WynikPodgladu r = UruchomPodglad(app_.warsztat(), o);
        Interfejs.PoPodgladzie(r);
        pokazWynik(r);
        return r;
    };

    zbudujInterfejs();
    zbudujSprawozdania();
    formularzBilans = std::make_unique<FormularzBilans>();

    // The tree tab's own controls.
    SpeedPotwierdzenie = new QPushButton(f_.PowierzchniaDrzewa);
    SpeedPotwierdzenie->setObjectName(QStringLiteral("SpeedPotwierdzenie"));
    SpeedPotwierdzenie->hide();
    connect(SpeedPotwierdzenie, &QPushButton::clicked, this, [this] { SpeedPotwierdzenieClick(); });
    SpeedButton3 = new QPushButton(u("Rezultaty: Wynik syntetyczny"), f_.PowierzchniaDrzewa);
    SpeedButton3->setObjectName(QStringLiteral("SpeedButton3"));
    SpeedButton3->setEnabled(false);
    connect(SpeedButton3, &QPushButton::clicked, this, [this] {
        zakonczKasowanie();
        podglad("WynikSyntetyczny1");
    });
    umiescPrzyciski();
    Chart1 = new WykresDrzewa(f_.PowierzchniaDrzewa);
    Chart1->setObjectName(QStringLiteral("Chart1"));
    Chart1->klik = [this] {
        zakonczKasowanie();
        Chart1Click();
    };
    Chart1->hide();

    // The results menu and the charts menu.
    for (const OpisPodgladu& o : Podglady()) {
        const std::string nazwa = o.nazwa;
        if (QAction* a = f_.akcja(nazwa)) connect(a, &QAction::triggered, this, [this, nazwa] { podglad(nazwa); });
    }
    if (QAction* a = f_.akcja("ZapisSprawozdanDoPliku"))
        connect(a, &QAction::triggered, this, [this] { zapisSprawozdan(); });
    for (const char* n : {"Zysknetto1", "Sprzeda1"})
        if (QAction* a = f_.akcja(n)) a->setCheckable(true);
    if (QAction* a = f_.akcja("Zysknetto1")) connect(a, &QAction::triggered, this, [this] { Zysknetto1Click(); });
    if (QAction* a = f_.akcja("Sprzeda1")) connect(a, &QAction::triggered, this, [this] { Sprzeda1Click(); });
    if (QAction* a = f_.akcja("Bilans2")) connect(a, &QAction::triggered, this, [this] { Bilans2Click(); });

    connect(f_.PageControl1, &QTabWidget::currentChanged, this, [this](int) {
        if (wTrakcie_ || f_.PageControl1->currentWidget() != TabInterfejs) return;
        Interfejs.InterfejsShow();
        Interfejs.InterfejsEnter();
        odswiez();
    });
}

ZakladkiWynikow::~ZakladkiWynikow() = default;

bool ZakladkiWynikow::eventFilter(QObject* obiekt, QEvent* zdarzenie) {
    if (obiekt == Grupy["GrupaFinanse"] && zdarzenie->type() == QEvent::MouseButtonPress) {
        klik("GrupaFinanse");
        return true;
    }
    return QObject::eventFilter(obiekt, zdarzenie);
}

void ZakladkiWynikow::zbudujInterfejs() {
    TabInterfejs = new QWidget;
    TabInterfejs->setObjectName(QStringLiteral("Interfejs"));
    f_.PageControl1->addTab(TabInterfejs, u("&Interfejs tradycyjny"));
    f_.PageControl1->setTabVisible(f_.PageControl1->indexOf(TabInterfejs), false);

    // Columns of groups, each from the top: the main menu, operator and
    // simulator, decisions and results, finance, production and ratios.
    const std::map<std::string, int> kolumny = {
        {"GrupaMenuGlownego", 0}, {"GrupaOperatora", 1}, {"GrupaSymulatora", 1}, {"GrupaDecyzje", 2},
        {"GrupaRezultaty", 2},    {"GrupaFinanse", 3},   {"GrupaProdukcja", 4},  {"GrupaWskaznikow", 4},
    };
    // On a page too small for them the columns scroll, none squeezed.
    auto* przewijanie = new QScrollArea;
    przewijanie->setFrameShape(QFrame::NoFrame);
    przewijanie->setWidgetResizable(true);
    auto* tresc = new QWidget;
    przewijanie->setWidget(tresc);
    auto* strona = new QVBoxLayout(TabInterfejs);
    strona->setContentsMargins(0, 0, 0, 0);
    strona->addWidget(przewijanie);
    PrzewijanieZaFokusem(przewijanie);
    auto* siatka = new QVBoxLayout(tresc);
    auto* rzad = new QHBoxLayout;
    siatka->addLayout(rzad, 1);
    std::vector<QVBoxLayout*> kolumna;
    for (int i = 0; i < 5; ++i) {
        kolumna.push_back(new QVBoxLayout);
        rzad->addLayout(kolumna.back());
    }
    QFont czcionka = TabInterfejs->font();
    czcionka.setPointSize(13);
    for (const GrupaInterfejsu& g : GrupyInterfejsu()) {
        auto* box = new QGroupBox(q(g.napis));
        box->setObjectName(QString::fromLatin1(g.nazwa));
        auto* uklad = new QVBoxLayout(box);
        for (const PrzyciskGrupy& p : g.przyciski) {
            auto* b = new QPushButton(q(p.napis));
            b->setObjectName(QString::fromLatin1(p.nazwa));
            b->setFont(czcionka);
            b->setMinimumHeight(p.napis.find('\n') != std::string::npos ? 56 : 34);
            const std::string nazwa = p.nazwa;
            connect(b, &QPushButton::clicked, this, [this, nazwa] { klik(nazwa); });
            uklad->addWidget(b);
            Przyciski[nazwa] = b;
        }
        kolumna[static_cast<std::size_t>(kolumny.at(g.nazwa))]->addWidget(box);
        Grupy[g.nazwa] = box;
    }
    for (QVBoxLayout* k : kolumna) k->addStretch();
    // A click on the finance box itself.
    Grupy["GrupaFinanse"]->installEventFilter(this);

    auto* informacje = new QHBoxLayout;
    auto dodaj = [&](const char* nazwa, const char* tytul) {
        auto* box = new QGroupBox(u(tytul));
        auto* e = new QLineEdit;
        e->setReadOnly(true);
        e->setObjectName(QString::fromLatin1(nazwa));
        (new QVBoxLayout(box))->addWidget(e);
        informacje->addWidget(box);
        return e;
    };
    NazwaOperatoraPrim = dodaj("NazwaOperatoraPrim", "Operator");
    NumerZbioruPrim = dodaj("NumerZbioruPrim", "Zbiór aktywny");
    StatusPrim = dodaj("StatusPrim", "Status");
    PrzyciskTabDrzewo = new QPushButton(u("Drzewo decyzyjne"));
    PrzyciskTabDrzewo->setObjectName(QStringLiteral("PrzyciskTabDrzewo"));
    connect(PrzyciskTabDrzewo, &QPushButton::clicked, this, [this] {
        Interfejs.PrzyciskTabDrzewo();
        odswiez();
    });
    informacje->addWidget(PrzyciskTabDrzewo);
    siatka->addLayout(informacje);
}

void ZakladkiWynikow::zbudujSprawozdania() {
    auto strona = [&](QWidget*& tab, const char* nazwa, const char* tytul, QTextBrowser*& przegladarka,
                      const char* nazwaPrzegladarki) {
        tab = new QWidget;
        tab->setObjectName(QString::fromLatin1(nazwa));
        f_.PageControl1->addTab(tab, u(tytul));
        f_.PageControl1->setTabVisible(f_.PageControl1->indexOf(tab), false);
        przegladarka = new QTextBrowser;
        przegladarka->setObjectName(QString::fromLatin1(nazwaPrzegladarki));
        przegladarka->setOpenLinks(false);
        auto* uklad = new QVBoxLayout(tab);
        uklad->addWidget(przegladarka, 1);
        auto* przyciski = new QHBoxLayout;
        uklad->addLayout(przyciski);
        return przyciski;
    };
    QHBoxLayout* p1 = strona(TabSprawozdanie, "TabSprawozdanie", "Sprawozdanie", WebBrowser1, "WebBrowser1");
    BitBtn2 = new QPushButton(u("Drukuj"));
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    PrzyciskPowrotDoInterfejsu = new QPushButton(u("Powrót do interfejsu"));
    PrzyciskPowrotDoInterfejsu->setObjectName(QStringLiteral("PrzyciskPowrotDoInterfejsu"));
    p1->addWidget(BitBtn2);
    p1->addWidget(PrzyciskPowrotDoInterfejsu);
    p1->addStretch();
    connect(BitBtn2, &QPushButton::clicked, this, [this] { drukuj(); });
    connect(PrzyciskPowrotDoInterfejsu, &QPushButton::clicked, this, [this] {
        Interfejs.PrzyciskPowrotDoInterfejsu();
        odswiez();
    });

    QHBoxLayout* p2 = strona(TabSprawozdanie2, "TabSprawozdanie2", "SprawozdaniaHTML", WebBrowser2, "WebBrowser2");
    BitBtn1 = new QPushButton(u("Powrót do operatora"));
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    PrzyciskTekstu = new QPushButton(u("Tekst sprawozdania"));
    PrzyciskTekstu->setObjectName(QStringLiteral("PrzyciskTekstu"));
    p2->addWidget(BitBtn1);
    p2->addWidget(PrzyciskTekstu);
    p2->addStretch();
    connect(BitBtn1, &QPushButton::clicked, this, [this] {
        Interfejs.BitBtn1Click();
        odswiez();
    });
    connect(PrzyciskTekstu, &QPushButton::clicked, this, [this] {
        app_.oknoRaportu().show();
        app_.oknoRaportu().raise();
    });
}

void ZakladkiWynikow::pokazStrone(QTextBrowser* b, const std::string& sciezka) {
    b->clear();
    if (sciezka.empty()) return;
    const std::string folder = sciezka.substr(0, sciezka.find_last_of('/') + 1);
    b->setSearchPaths({QString::fromStdString(folder)});
    b->document()->setBaseUrl(QUrl::fromLocalFile(QString::fromStdString(folder)));
    b->setHtml(q(czytaj(sciezka)));
}

void ZakladkiWynikow::pokazWynik(const WynikPodgladu& r) {
    OknoRaportu& okno = app_.oknoRaportu();
    if (r.Wyczysc) {
        okno.ustawTekst(std::string());
        WebBrowser2->clear();
        wezly_.erase(&okno);
        wezly_.erase(WebBrowser2);
        return;
    }
    if (r.Status != StatusPodgladu::Pokazany) return;
    okno.hide();
    okno.setWindowTitle(q(r.Podpis));
    okno.ustawTekst(czytaj(r.Tekst));
    wezly_[&okno] = r.Numer;
    if (!r.PokazZakladke) return;
    pokazStrone(WebBrowser2, r.Strona);
    wezly_[WebBrowser2] = r.Numer;
}

void ZakladkiWynikow::podglad(const std::string& nazwa) {
    const OpisPodgladu* o = ZnajdzPodglad(nazwa);
    if (!o) return;
    Interfejs.Polecenia.Podglad(*o);
    odswiez();
}

void ZakladkiWynikow::zapisSprawozdan() {
    const WynikPodgladu r = ZapisSprawozdanDoPliku(app_.warsztat());
    Interfejs.PoPodgladzie(r);
    pokazWynik(r);
    odswiez();
}

void ZakladkiWynikow::klik(const std::string& nazwa) {
    app_.warsztat().PoleBledne.clear();
    Interfejs.Klik(nazwa);
    pokazStrone(WebBrowser1, Interfejs.StronaTradycyjna);
    // A page comes with the report text of its view, of the same node.
    const auto tekst = wezly_.find(&app_.oknoRaportu());
    if (Interfejs.StronaTradycyjna.empty() || tekst == wezly_.end())
        wezly_.erase(WebBrowser1);
    else
        wezly_[WebBrowser1] = tekst->second;
    app_.odswiezOkna();
    odswiez();
    // Unconfirmed edits the user chose to confirm were refused: the form,
    // behind this tab, comes forward at the refused box.
    if (!app_.warsztat().PoleBledne.empty()) app_.oknoFormularzaDecyzji().pokazBledne();
}

void ZakladkiWynikow::dodanieNowejDecyzji() {
    dodanieWWidoku(&InterfejsTradycyjny::DodanieNowejDecyzji);
}

void ZakladkiWynikow::wyborDoEdycji() {
    dodanieWWidoku(&InterfejsTradycyjny::WyborDoEdycji);
}

void ZakladkiWynikow::dodanieWWidoku(void (InterfejsTradycyjny::*polecenie)()) {
    if (!app_.porzucenieFormularza()) return;
    (Interfejs.*polecenie)();
    app_.odswiezOkna();
}

void ZakladkiWynikow::SpeedPotwierdzenieClick() {
    Interfejs.SpeedPotwierdzenieClick();
    app_.odswiezOkna();
    odswiez();
}

bool ZakladkiWynikow::zakonczKasowanie() {
    if (!Interfejs.TrybKasowania()) return false;
    Interfejs.ZakonczKasowanie();
    SpeedPotwierdzenie->setVisible(Interfejs.SpeedPotwierdzenieWidoczny);
    return true;
}

void ZakladkiWynikow::drukuj() {
    const bool wydrukowano = drukarka_ && !WebBrowser1->document()->isEmpty() && drukarka_->drukuj(*WebBrowser1->document());
    Interfejs.PoWydruku(wydrukowano, drukarka_ ? drukarka_->nazwa() : std::string());
}

void ZakladkiWynikow::Bilans2Click() {
    formularzBilans->ustaw(vesk::Bilans2Click(app_.warsztat()));
    if (app_.warsztat().Drzewo.Pusty()) return;
    formularzBilans->show();
    formularzBilans->raise();
    formularzBilans->activateWindow();
}

void ZakladkiWynikow::Zysknetto1Click() {
    Wykres.Zysknetto1Click(app_.warsztat());
    poWykresie();
}

void ZakladkiWynikow::Sprzeda1Click() {
    Wykres.Sprzeda1Click(app_.warsztat());
    poWykresie();
}

void ZakladkiWynikow::poWykresie() {
    if (app_.warsztat().Drzewo.Pusty()) {
        if (QAction* a = f_.akcja("Zysknetto1")) a->setChecked(Wykres.Zysknetto1);
        if (QAction* a = f_.akcja("Sprzeda1")) a->setChecked(Wykres.Sprzeda1);
        return;
    }
    app_.odswiezOkna();
    odswiez();
}

void ZakladkiWynikow::Chart1Click() {
    Wykres.Chart1Click(app_.warsztat());
    app_.odswiezOkna();
    odswiez();
}

void ZakladkiWynikow::pokazOperatora() {
    Interfejs.PokazOperatora();
    oproznijStrony();
    pokazZakladki();
}

void ZakladkiWynikow::oproznij(QWidget* strona) {
    OknoRaportu& okno = app_.oknoRaportu();
    if (strona == &okno) {
        okno.hide();
        okno.ustawTekst(std::string());
    } else {
        static_cast<QTextBrowser*>(strona)->clear();
        // Its page in front goes as by "Powrót do operatora": the tree
        // tab, the keys in the tree.
        if (f_.PageControl1->currentWidget() == (strona == WebBrowser1 ? TabSprawozdanie : TabSprawozdanie2))
            Interfejs.BitBtn1Click();
    }
    wezly_.erase(strona);
}

void ZakladkiWynikow::oproznijStrony() {
    // The report text goes with its pages.
    for (QWidget* s : {static_cast<QWidget*>(&app_.oknoRaportu()), static_cast<QWidget*>(WebBrowser1),
                       static_cast<QWidget*>(WebBrowser2)})
        oproznij(s);
}

void ZakladkiWynikow::zamknijStronySkasowanego() {
    std::vector<QWidget*> skasowane;
    for (const auto& [strona, numer] : wezly_)
        if (app_.warsztat().Drzewo.Znajdz(numer) < 0) skasowane.push_back(strona);
    for (QWidget* s : skasowane) oproznij(s);
}

void ZakladkiWynikow::pokazZakladki() {
    wTrakcie_ = true;
    QTabWidget* p = f_.PageControl1;
    const std::map<std::string, QWidget*> strony = {{ZakladkaInterfejs, TabInterfejs},
                                                    {ZakladkaDrzewo, f_.TabDrzewo},
                                                    {ZakladkaSprawozdanie, TabSprawozdanie},
                                                    {ZakladkaSprawozdanie2, TabSprawozdanie2}};
    // The page to become active is shown first, so that hiding the others
    // never lands on a page that is about to go.
    StanZakladek& z = Interfejs.Zakladki;
    if (!z.Aktywna.empty()) {
        QWidget* w = strony.at(z.Aktywna);
        p->setTabVisible(p->indexOf(w), true);
        p->setTabEnabled(p->indexOf(w), true);
        p->setCurrentWidget(w);
        // A report shown is read by keys at once: PgDn and the arrows scroll it.
        // The tree tab brought back ("Powrót do operatora", a node added
        // from a report) gives its keys to the tree, not to the tab bar the
        // focus fell to from the button hidden.
        if (w == TabSprawozdanie || w == TabSprawozdanie2)
            (w == TabSprawozdanie ? WebBrowser1 : WebBrowser2)->setFocus(Qt::OtherFocusReason);
        else if (w == f_.TabDrzewo)
            f_.TreeView1->setFocus(Qt::OtherFocusReason);
    }
    for (const auto& [nazwa, widoczna] : z.Widoczna) {
        const int i = p->indexOf(strony.at(nazwa));
        p->setTabVisible(i, widoczna);
        if (widoczna) p->setTabEnabled(i, true);
    }
    const bool naInterfejs = z.Aktywna == ZakladkaInterfejs;
    z.Aktywna.clear();
    wTrakcie_ = false;
    if (naInterfejs) {
        Interfejs.InterfejsShow();
        Interfejs.InterfejsEnter();
    }
}

void ZakladkiWynikow::umiescPrzyciski() {
    // After the tree tab's own row of buttons, as its layout places it.
    SpeedButton3->setGeometry(f_.MiejsceWyniku);
    // The confirmation above the tree's right end, where it is always seen.
    const QRect drzewo = f_.TreeView1->geometry();
    SpeedPotwierdzenie->setGeometry(drzewo.right() - 260, f_.LataSymulacji->geometry().top(), 260, 32);
}

void ZakladkiWynikow::zaWyborem() {
    Warsztat& w = app_.warsztat();
    Interfejs.ZaWyborem();
    Wykres.PoZmianie(w);
    if (!formularzBilans->isVisible()) return;
    StanBilansu bilans = formularzBilans->Stan;
    if (BilansPoZmianie(w, bilans))
        formularzBilans->ustaw(bilans);
    else
        formularzBilans->hide();
}

void ZakladkiWynikow::odswiez() {
    zaWyborem();
    umiescPrzyciski();
    zamknijStronySkasowanego();
    pokazZakladki();
    for (const auto& [nazwa, box] : Grupy) {
        box->setVisible(Interfejs.Widoczna[nazwa]);
        QFont f = box->font();
        f.setBold(Interfejs.Pogrubione.count(nazwa) > 0);
        box->setFont(f);
        // The buttons keep their own font.
        for (QPushButton* b : box->findChildren<QPushButton*>()) {
            QFont fb = b->font();
            fb.setPointSize(13);
            b->setFont(fb);
        }
    }
    for (const auto& [nazwa, b] : Przyciski) {
        b->setText(q(Interfejs.Napis[nazwa]));
        b->setEnabled(Interfejs.Wlaczony[nazwa]);
        QFont f = b->font();
        f.setPointSize(13);
        f.setBold(Interfejs.Pogrubione.count(nazwa) > 0);
        b->setFont(f);
    }
    NazwaOperatoraPrim->setText(q(app_.warsztat().NazwaOperatoraPrim));
    NumerZbioruPrim->setText(q(Interfejs.NumerZbioruPrim));
    StatusPrim->setText(q(Interfejs.StatusPrim));
    SpeedPotwierdzenie->setText(q(Interfejs.SpeedPotwierdzenie));
    SpeedPotwierdzenie->setVisible(Interfejs.SpeedPotwierdzenieWidoczny);
    SpeedButton3->setEnabled(app_.warsztat().Polecenia.SpeedButton3);
    if (QAction* a = f_.akcja("Zysknetto1")) a->setChecked(Wykres.Zysknetto1);
    if (QAction* a = f_.akcja("Sprzeda1")) a->setChecked(Wykres.Sprzeda1);
    // Adding decisions waits while the chart covers the tree.
    if (f_.PrzyciskDodaniaNowejDecyzji)
        f_.PrzyciskDodaniaNowejDecyzji->setEnabled(app_.warsztat().Polecenia.PrzyciskDodaniaNowejDecyzji);
    rysujChart1();
}

void ZakladkiWynikow::rysujChart1() {
    if (!Wykres.Widoczny) {
        Chart1->hide();
        return;
    }
    const Warsztat& w = app_.warsztat();
    const int i = w.IndeksWybranego();
    const QRect d = f_.TreeView1->geometry();
    const ProstokatWykresu g = GeometriaWykresu({d.x(), d.y(), d.width(), d.height()}, i >= 0 ? w.Drzewo.Poziom(i) : 0);
    Chart1->setGeometry(g.x, g.y, g.w, g.h);

    auto* chart = new QChart;
    chart->setTitle(q(Wykres.Tytul).replace(QLatin1Char('\n'), QStringLiteral("<br>")));
    auto* seria = new QLineSeries;
    seria->setPointsVisible(true);
    seria->setMarkerSize(9);
    QPen pioro(Qt::red);
    pioro.setWidth(3);
    seria->setPen(pioro);
    for (const PunktWykresuTrzyletniego& p : Wykres.Punkty) seria->append(p.x, p.y);
    chart->addSeries(seria);
    chart->legend()->hide();
    auto* lata = new QValueAxis;
    lata->setTitleText(q(Wykres.TytulOsi));
    lata->setLabelFormat(QStringLiteral("%d"));
    auto* wartosci = new QValueAxis;
    chart->addAxis(lata, Qt::AlignBottom);
    chart->addAxis(wartosci, Qt::AlignLeft);
    seria->attachAxis(lata);
    seria->attachAxis(wartosci);
    // Ranges after the series are attached, which would fit them to the data.
    if (!Wykres.Punkty.empty()) {
        // Half a year of room at either end, so that the end points are
        // drawn whole; a tick at every year.
        lata->setTickType(QValueAxis::TicksDynamic);
        lata->setTickAnchor(Wykres.Punkty.front().x);
        lata->setTickInterval(1);
        lata->setRange(Wykres.Punkty.front().x - 0.5, Wykres.Punkty.back().x + 0.5);
        // The values from zero (a loss below it), on round ticks: a small
        // change does not look like a fall to nothing.
        const ZakresOsi os = OsWartosci(Wykres.Punkty);
        wartosci->setRange(os.Od, os.Do);
        wartosci->applyNiceNumbers();
    }
    QChart* stary = Chart1->chart();
    Chart1->setChart(chart);
    delete stary;
    Chart1->show();
    Chart1->raise();
}

}  // namespace vesk
