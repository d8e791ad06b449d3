#include "DefiniowanieWskaznikow.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QWindowStateChangeEvent>
#include <QGroupBox>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QMimeData>
#include <QPixmap>
#include <QPushButton>
#include <QScrollArea>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <exception>

#include "Aplikacja.h"
#include "FileSystem.h"
#include "ZestawyXLS.h"
#include "OcenaWskaznika.h"
#include "OknaWZasiegu.h"
#include "PanelAnalizy.h"
#include "PaskiWidok.h"
#include "QtTekst.h"
#include "WykresWidok.h"
#include "QtUserInterface.h"

namespace vesk {

namespace {

constexpr int RolaNumeruPozycji = Qt::UserRole + 1;

StronaPanelu stronaZ(int n) { return n == 0 ? StronaPanelu::Licznik : StronaPanelu::Mianownik; }

}  // namespace

// ------------------------------------------------------------ the trees

DrzewoPozycjiWidok::DrzewoPozycjiWidok(StronaPanelu strona, QWidget* parent) : QTreeWidget(parent), strona_(strona) {
    setHeaderHidden(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setDragEnabled(true);
    setDragDropMode(QAbstractItemView::DragOnly);
    setSelectionMode(QAbstractItemView::SingleSelection);
}

void DrzewoPozycjiWidok::pokaz(const DrzewoPozycji& drzewo, const std::string& zrodloDrzewa) {
    zrodlo = zrodloDrzewa;
    clear();
    std::vector<QTreeWidgetItem*> elementy;
    for (std::size_t i = 0; i < drzewo.Wezly.size(); ++i) {
        const WezelPozycji& w = drzewo.Wezly[i];
        auto* item = w.Rodzic < 0 ? new QTreeWidgetItem(this)
                                  : new QTreeWidgetItem(elementy[static_cast<std::size_t>(w.Rodzic)]);
        item->setText(0, q(w.Tekst));
        item->setToolTip(0, item->text(0));  // a label wider than the tree is read whole here
        item->setData(0, RolaNumeruPozycji, static_cast<int>(i) + 1);
        elementy.push_back(item);
    }
}

QStringList DrzewoPozycjiWidok::mimeTypes() const { return {QString::fromLatin1(MimePozycji)}; }

QMimeData* DrzewoPozycjiWidok::mimeData(const QList<QTreeWidgetItem*>& items) const {
    if (items.isEmpty()) return nullptr;
    auto* dane = new QMimeData;
    const QString tekst = QString::number(strona_ == StronaPanelu::Licznik ? 0 : 1) + ";" + q(zrodlo) + ";" +
                          items.front()->text(0) + ";" +
                          QString::number(items.front()->data(0, RolaNumeruPozycji).toInt());
    dane->setData(QString::fromLatin1(MimePozycji), tekst.toUtf8());
    return dane;
}

// ------------------------------------------------------------ the boxes

OkienkoUpuszczenia::OkienkoUpuszczenia(QWidget* parent) : QLineEdit(parent) {
    setReadOnly(true);
    setAcceptDrops(true);
}

void OkienkoUpuszczenia::dragEnterEvent(QDragEnterEvent* e) { e->acceptProposedAction(); }
void OkienkoUpuszczenia::dragMoveEvent(QDragMoveEvent* e) { e->acceptProposedAction(); }

void OkienkoUpuszczenia::dropEvent(QDropEvent* e) {
    if (upusc(e->mimeData())) e->acceptProposedAction();
}

bool OkienkoUpuszczenia::upusc(const QMimeData* dane) {
    if (!dane || !dane->hasFormat(QString::fromLatin1(MimePozycji))) return false;  // a foreign drop: nothing
    const QStringList czesci = QString::fromUtf8(dane->data(QString::fromLatin1(MimePozycji))).split(';');
    if (czesci.size() < 4) return false;
    bool ok1 = false, ok2 = false;
    const int strona = czesci.front().toInt(&ok1);
    const int numer = czesci.back().toInt(&ok2);
    if (!ok1 || !ok2 || (strona != 0 && strona != 1)) return false;
    if (poUpuszczeniu) poUpuszczeniu(stronaZ(strona), numer);
    return true;
}

// ------------------------------------------------------------ the ports

struct DefiniowanieWskaznikow::Haki : HakiWarsztatu {
    explicit Haki(Aplikacja& a) : app(a) {}
    Aplikacja& app;
    std::optional<WybranyWezel> Wybrany() const override {
        const Warsztat& w = app.warsztat();
        if (!w.Wybrany) return std::nullopt;
        const int i = w.Drzewo.Znajdz(*w.Wybrany);
        if (i < 0) return std::nullopt;
        WybranyWezel wezel;
        wezel.Numer = *w.Wybrany;
        wezel.Glebokosc = w.Drzewo.Poziom(i);
        wezel.Etykieta = w.Drzewo.Etykieta(i);
        wezel.MaDzieci = w.Drzewo.MaDzieci(i);
        const int rodzic = w.Drzewo.Rodzic(i);
        std::vector<int> rodzenstwo;
        if (rodzic >= 0) {
            rodzenstwo = w.Drzewo.Dzieci(rodzic);
        } else {
            for (int j = 0; j < w.Drzewo.Liczba(); ++j)
                if (w.Drzewo.Poziom(j) == w.Drzewo.Poziom(i)) rodzenstwo.push_back(j);
        }
        bool po = false;
        for (int j : rodzenstwo) {
            if (j == i) {
                po = true;
                continue;
            }
            if (po)
                wezel.Nastepne.push_back(w.Drzewo.Etykieta(j));
            else
                wezel.Poprzednie.insert(wezel.Poprzednie.begin(), w.Drzewo.Etykieta(j));
        }
        return wezel;
    }
    void Zmiana_wezla() override {
        app.warsztat().Zmiana_wezla();
        app.odswiezOkna();
    }
    // The session holds the results menu off or lets it go; the node's kind
    // still decides it (Warsztat::RezultatyWlaczone).
    void UstawRezultaty2(bool wlaczone) override {
        Warsztat& w = app.warsztat();
        if (w.RezultatyWstrzymane == !wlaczone) return;
        w.RezultatyWstrzymane = !wlaczone;
        app.odswiezOkna();
    }
    void UstawWzy1(bool wlaczone) override {
        app.warsztat().Polecenia.Wzy1 = wlaczone;
        app.odswiezOkna();
    }
    std::optional<int> CoJesli(int k, long double v) override {
        Warsztat& w = app.warsztat();
        if (!w.Wybrany) return std::nullopt;
        const std::optional<int> nowy = w.OO(*w.Wybrany, k, v);
        if (nowy) {
            w.WybierzWezel(*nowy);
            Zmiana_wezla();
        }
        return nowy;
    }
    bool WybierzEtykiete(const std::string& etykieta) override {
        Warsztat& w = app.warsztat();
        for (int i = 0; i < w.Drzewo.Liczba(); ++i)
            if (w.Drzewo.Etykieta(i) == etykieta) {
                w.Wybierz(i);
                Zmiana_wezla();
                return true;
            }
        return false;
    }
};

// What the workbench sees: the session's state, and hiding the window too.
struct DefiniowanieWskaznikow::Port : IndicatorWindow {
    explicit Port(DefiniowanieWskaznikow& o) : okno(o) {}
    DefiniowanieWskaznikow& okno;
    bool visible() const override { return okno.isVisible(); }
    bool minimized() const override { return okno.isMinimized(); }
    // A box the window's own command opened keeps it the active one.
    bool active() const override {
        if (!okno.isVisible()) return false;
        if (okno.isActiveWindow()) return true;
        const QWidget* modalne = QApplication::activeModalWidget();
        return modalne && modalne->parentWidget() && modalne->parentWidget()->window() == &okno;
    }
    void hide() override {
        okno.sesja().hide();
        okno.QMainWindow::hide();
    }
    // The session's refresh runs the workbench's node follow-up, which asks
    // a shown, inactive window to refresh: that inner call does nothing.
    bool refreshAndEvaluate() override {
        if (wOdswiezaniu) return false;
        wOdswiezaniu = true;
        bool wynik = false;
        try {
            wynik = okno.sesja().OdswiezIOblicz();
        } catch (...) {
            wOdswiezaniu = false;
            throw;
        }
        wOdswiezaniu = false;
        okno.pokazWidok(okno.sesja().Widok());
        return wynik;
    }
    bool wOdswiezaniu = false;
};

// ------------------------------------------------------------ the window

DefiniowanieWskaznikow::DefiniowanieWskaznikow(Aplikacja& app)
    : QMainWindow(nullptr, Qt::WindowStaysOnTopHint),
      app_(app),
      haki_(std::make_unique<Haki>(app)),
      zestawy_(UtworzZestawyXLS()),
      sesja_(std::make_unique<IndicatorSession>(app.kontekst(), *haki_, *zestawy_)),
      port_(std::make_unique<Port>(*this)) {
    setObjectName("DefiniowanieWskaznikow");
    setWindowTitle("DefiniowanieWskaznikow");
    move(2, 50);

    QMenu* plik = menuBar()->addMenu(q(utf8ToCp1250("&Plik")));
    QAction* wyjscie = plik->addAction(q(utf8ToCp1250("Wyjście")));
    wyjscie->setObjectName("Wyjscie");
    wyjscie->setShortcut(QKeySequence(Qt::Key_F5));
    connect(wyjscie, &QAction::triggered, this, [this] { close(); });

    QMenu* wyglad = menuBar()->addMenu(q(utf8ToCp1250("Wygląd")));
    auto przelacznik = [&](const char* tytul, const char* nazwa, bool zaznaczony) {
        QAction* a = wyglad->addAction(q(utf8ToCp1250(tytul)));
        a->setObjectName(nazwa);
        a->setCheckable(true);
        a->setChecked(zaznaczony);
        return a;
    };
    MiniSE = przelacznik("Mini SE", "MiniSE", true);
    InnaWersja = przelacznik("Inna wersja interface", "InnaWersjainterface", false);
    Wyrownanie = przelacznik("wyrównanie", "wyrownanie", false);

    // The controls in their places on one surface; a screen too small for
    // it shows it scrolled, every control in reach.
    auto* przewijanie = new QScrollArea(this);
    przewijanie->setObjectName("Przewijanie");
    przewijanie->setFrameShape(QFrame::NoFrame);
    przewijanie->setWidgetResizable(true);
    srodek_ = new QWidget;
    przewijanie->setWidget(srodek_);
    PrzewijanieZaFokusem(przewijanie);
    setCentralWidget(przewijanie);
    QWidget* srodek = srodek_;
    auto nazwij = [](QWidget* w, const char* nazwa) { w->setObjectName(nazwa); };

    PageControl1 = new QTabWidget(srodek);
    nazwij(PageControl1, "PageControl1");
    auto* strona = new QWidget;
    PageControl1->addTab(strona, q(utf8ToCp1250("Wskaźniki")));
    PageControl1->addTab(new QWidget, "Animacja");
    PageControl1->addTab(new QWidget, "Ceny+zlecenia");
    PageControl1->addTab(new QWidget, q(utf8ToCp1250("Setup (graniczne zużycie)")));
    // Its look may hide the last two pages: Ctrl+Tab passes them over then.
    ZakladkiKlawiszami(PageControl1);

    Chart1 = new QWidget(strona);
    nazwij(Chart1, "Chart1");
    Chart1->hide();

    GroupBox8 = new QGroupBox(strona);
    nazwij(GroupBox8, "GroupBox8");
    GroupBox8->move(4, 24);

    // The two statement trees as pages, each with its source box.
    PageControl2 = new QTabWidget(GroupBox8);
    nazwij(PageControl2, "PageControl2");
    auto strona2 = [&](const char* tytul, QComboBox*& zrodlo, DrzewoPozycjiWidok*& drzewo, StronaPanelu s,
                       const char* nzrodla, const char* ndrzewa) {
        auto* w = new QWidget;
        PageControl2->addTab(w, tytul);
        zrodlo = new QComboBox(w);
        nazwij(zrodlo, nzrodla);
        for (const ZrodloWskaznika& z : ZrodlaWskaznikow()) zrodlo->addItem(q(z.Nazwa));
        drzewo = new DrzewoPozycjiWidok(s, w);
        nazwij(drzewo, ndrzewa);
    };
    strona2("Licznik", LicznikComboBox, LicznikTree, StronaPanelu::Licznik, "LicznikComboBox", "LicznikTree");
    strona2("Mianownik", MianownikComboBox, MianownikTree, StronaPanelu::Mianownik, "MianownikComboBox",
            "MianownikTree");

    // The panel: boxes, operators, list, relation, value, diagnosis, each
    // field with its caption.
    ProbnyBox1 = new QGroupBox(GroupBox8);
    nazwij(ProbnyBox1, "ProbnyBox1");
    auto wiersz = [&](QWidget* w, const char* nazwa, const char* opis = nullptr) {
        nazwij(w, nazwa);
        QLabel* l = nullptr;
        if (opis) {
            l = new QLabel(q(utf8ToCp1250(opis)), ProbnyBox1);
            l->setObjectName(QStringLiteral("Opis") + QString::fromLatin1(nazwa));
            l->setBuddy(w);
        }
        wiersze_.push_back({w, l});
    };
    ComboBox1 = new QComboBox(ProbnyBox1);
    ComboBox1->setEditable(true);
    ComboBox1->setInsertPolicy(QComboBox::NoInsert);
    wiersz(ComboBox1, "ComboBox1", "&Wskaźnik");
    OkienkoLicznika1 = new OkienkoUpuszczenia(ProbnyBox1);
    wiersz(OkienkoLicznika1, "OkienkoLicznika1", "Licznik");
    OperandLicznika = new QComboBox(ProbnyBox1);
    wiersz(OperandLicznika, "OperandLicznika", "Działanie licznika");
    OkienkoLicznika2 = new OkienkoUpuszczenia(ProbnyBox1);
    wiersz(OkienkoLicznika2, "OkienkoLicznika2", "Licznik, 2. składnik");
    OkienkoMianownika1 = new OkienkoUpuszczenia(ProbnyBox1);
    wiersz(OkienkoMianownika1, "OkienkoMianownika1", "Mianownik");
    OperandMianownika = new QComboBox(ProbnyBox1);
    wiersz(OperandMianownika, "OperandMianownika", "Działanie mianownika");
    OkienkoMianownika2 = new OkienkoUpuszczenia(ProbnyBox1);
    wiersz(OkienkoMianownika2, "OkienkoMianownika2", "Mianownik, 2. składnik");
    for (QComboBox* op : {OperandLicznika, OperandMianownika})
        for (const char* o : {"xxx", "+", "-", "*", "/"}) op->addItem(o);
    WyborRoku = new QComboBox(ProbnyBox1);
    wiersz(WyborRoku, "WyborRoku", "&Rok");
    Horyzont = new QComboBox(ProbnyBox1);
    nazwij(Horyzont, "Horyzont");
    ComboBoxWskaznik = new QComboBox(ProbnyBox1);
    for (const char* r : WpisyRelacji()) ComboBoxWskaznik->addItem(q(r));
    wiersz(ComboBoxWskaznik, "ComboBoxWskaznik", "R&elacja");
    Edit3 = new QLineEdit(ProbnyBox1);
    Edit3->setReadOnly(true);
    wiersz(Edit3, "Edit3", "Wartość");
    Diagnoza = new QLineEdit(ProbnyBox1);
    Diagnoza->setReadOnly(true);
    wiersz(Diagnoza, "Diagnoza", "Diagnoza");
    ProgWskaznika1 = new QLineEdit(ProbnyBox1);
    wiersz(ProgWskaznika1, "ProgWskaznika1", "Próg dolny");
    ProgWskaznika2 = new QLineEdit(ProbnyBox1);
    wiersz(ProgWskaznika2, "ProgWskaznika2", "Próg górny");
    // The two threshold buttons side by side read as one caption.
    SpeedButton2 = new QPushButton("  wartosc progow", ProbnyBox1);
    nazwij(SpeedButton2, "SpeedButton2");
    SpeedButton2->setToolTip(q(utf8ToCp1250("Podanie wartości progowej (dolnej)")));
    SpeedButton4 = new QPushButton(q(utf8ToCp1250("a wskaźnika         ")), ProbnyBox1);
    nazwij(SpeedButton4, "SpeedButton4");
    SpeedButton4->setToolTip(q(utf8ToCp1250("Podanie wartości progowej (górnej)")));
    SpeedButton1 = new QPushButton(q(utf8ToCp1250("<= dodanie wskaźnika do wykazu =>")), ProbnyBox1);
    nazwij(SpeedButton1, "SpeedButton1");
    SpeedButton1->setEnabled(false);
    LabelKoduDostepu = new QLabel("Kod pozycji sprawozdania", ProbnyBox1);
    nazwij(LabelKoduDostepu, "LabelKoduDostepu");
    PodpowiedzJezykowa = new OkienkoUpuszczenia(ProbnyBox1);
    nazwij(PodpowiedzJezykowa, "PodpowiedzJezykowa");
    LabelKoduDostepu->setBuddy(PodpowiedzJezykowa);
    Brat = new QLabel(ProbnyBox1);
    nazwij(Brat, "Brat");

    // The right-hand column: expert lists and the places the chart side fills.
    GroupBox1 = new QGroupBox(srodek);
    nazwij(GroupBox1, "GroupBox1");
    CheckBoxExpert = new QCheckBox("Expert", GroupBox1);
    nazwij(CheckBoxExpert, "CheckBoxExpert");
    CheckBoxClipsViewer = new QCheckBox("CLIPS", GroupBox1);
    nazwij(CheckBoxClipsViewer, "CheckBoxClipsViewer");
    ListBox1 = new QListWidget(GroupBox1);
    nazwij(ListBox1, "ListBox1");
    InterpreterBox1 = new QListWidget(GroupBox1);
    nazwij(InterpreterBox1, "InterpreterBox1");
    InterpreterBox1->setVisible(false);
    InterpreterBox1->setLayoutMode(QListView::Batched);  // a long log laid out between events
    InfoOKoniecznosciOpracowaniaWskaznikow = new QLabel(q(utf8ToCp1250("Najpierw trzeba opracować wskaźnik")), GroupBox1);
    nazwij(InfoOKoniecznosciOpracowaniaWskaznikow, "InfoOKoniecznosciOpracowaniaWskaznikow");
    GroupBox9 = new QGroupBox(srodek);
    nazwij(GroupBox9, "GroupBox9");
    GroupBox2 = new QGroupBox(srodek);
    nazwij(GroupBox2, "GroupBox2");
    GroupBox2->hide();
    Analiza_wrazliwosci = new QGroupBox(srodek);
    nazwij(Analiza_wrazliwosci, "Analiza_wrazliwosci");
    Analiza_wrazliwosci->hide();
    Wykres = new QPushButton("Wykres <F6>", srodek);
    nazwij(Wykres, "Wykres");
    Wykres->setEnabled(false);

    // Events into the session.
    connect(LicznikComboBox, &QComboBox::activated, this, [this](int) {
        zdarzenie([this] { return sesja_->ZmianaZrodla(StronaPanelu::Licznik, zQt(LicznikComboBox->currentText())); });
    });
    connect(MianownikComboBox, &QComboBox::activated, this, [this](int) {
        zdarzenie(
            [this] { return sesja_->ZmianaZrodla(StronaPanelu::Mianownik, zQt(MianownikComboBox->currentText())); });
    });
    connect(OperandLicznika, &QComboBox::activated, this, [this](int) {
        zdarzenie([this] { return sesja_->ZmianaOperatora(StronaPanelu::Licznik, zQt(OperandLicznika->currentText())); });
    });
    connect(OperandMianownika, &QComboBox::activated, this, [this](int) {
        zdarzenie(
            [this] { return sesja_->ZmianaOperatora(StronaPanelu::Mianownik, zQt(OperandMianownika->currentText())); });
    });
    const std::pair<OkienkoUpuszczenia*, Okienko> okienka[] = {{OkienkoLicznika1, Okienko::Licznik1},
                                                               {OkienkoLicznika2, Okienko::Licznik2},
                                                               {OkienkoMianownika1, Okienko::Mianownik1},
                                                               {OkienkoMianownika2, Okienko::Mianownik2}};
    for (const auto& [okienko, cel] : okienka) {
        const Okienko c = cel;
        okienko->poUpuszczeniu = [this, c](StronaPanelu s, int numer) {
            zdarzenie([this, c, s, numer] { return sesja_->Upusc(c, s, numer); });
        };
    }
    PodpowiedzJezykowa->poUpuszczeniu = [this](StronaPanelu s, int numer) {
        const PanelDefinicji& p = sesja_->Panel();
        const std::string& zrodlo = s == StronaPanelu::Licznik ? p.ZrodloLicznika : p.ZrodloMianownika;
        PodpowiedzJezykowa->setText(q(PodpowiedzUpuszczenia(zrodlo, numer, zQt(PodpowiedzJezykowa->text()))));
    };
    connect(LicznikTree, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem* item) { klikniecieDrzewa(LicznikTree, item); });
    connect(MianownikTree, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem* item) { klikniecieDrzewa(MianownikTree, item); });
    connect(ComboBox1, &QComboBox::activated, this, [this](int i) {
        if (!pokazywanie_) zdarzenie([this, i] { return sesja_->chooseIndicator(i); });
    });
    connect(WyborRoku, &QComboBox::activated, this, [this](int i) {
        if (!pokazywanie_) zdarzenie([this, i] { return sesja_->chooseYear(i); });
    });
    connect(CheckBoxClipsViewer, &QCheckBox::toggled, InterpreterBox1, &QWidget::setVisible);
    connect(CheckBoxClipsViewer, &QCheckBox::toggled, this, [this] { ulozKolumneIDol(); });
    ComboBox1->installEventFilter(this);
    // A name typed whole and confirmed with Enter chooses its entry.
    connect(ComboBox1->lineEdit(), &QLineEdit::returnPressed, this, [this] {
        if (pokazywanie_) return;
        const std::string tekst = zQt(ComboBox1->currentText());
        zdarzenie([this, tekst] { return sesja_->WpisanieNazwy(tekst); });
    });

    utworzDodatki();

    // The expert part only where the working folder holds the marker.
    const bool ekspert = fileExists(app.kontekst().KatalogRoboczy + "expertsystem");
    CheckBoxExpert->setVisible(ekspert);
    CheckBoxClipsViewer->setVisible(ekspert);
    ListBox1->setVisible(ekspert);

    // Sensitivity panel in its places; the product page and group wait while an animation runs.
    PanelAnalizy::Miejsca miejsca;
    miejsca.Analiza_wrazliwosci = Analiza_wrazliwosci;
    miejsca.StronaAnimacji = PageControl1->widget(1);
    miejsca.GroupBox9 = GroupBox9;
    miejsca.CheckBoxExpert = CheckBoxExpert;
    miejsca.Brat = Brat;
    miejsca.Wstrzymywane = {GroupBox2, PageControl1->widget(2)};
    panelAnalizy = new PanelAnalizy(
        *this, *sesja_, [this](const std::function<WidokWskaznikow()>& f) { zdarzenie(f); }, miejsca);
    panelAnalizy->naStart = [this] { poczatekAnimacji(); };
    utworzWykresIPaski();
    polaczZestawy();  // indicator sets and thresholds
    ulozOkno();
    connect(PageControl1, &QTabWidget::currentChanged, this, [this] { umiescWykres(); });
}

DefiniowanieWskaznikow::~DefiniowanieWskaznikow() = default;

IndicatorWindow& DefiniowanieWskaznikow::port() { return *port_; }

void DefiniowanieWskaznikow::zdarzenie(const std::function<WidokWskaznikow()>& f) {
    const DialogiOkna dialogi(app_.ui(), this);  // indicator sets and thresholds: the boxes stay above the window
    const bool aktywne = isVisible() && isActiveWindow();
    try {
        pokazWidok(f());
    } catch (const std::exception& e) {
        app_.ui().message(e.what());
    } catch (...) {
        app_.ui().message(utf8ToCp1250("Nieoczekiwany błąd okna wskaźników"));
    }
    // After a box the window the user worked in is the active one again.
    if (aktywne && isVisible() && !isActiveWindow() && !QApplication::activeModalWidget()) {
        raise();
        activateWindow();
    }
}

void DefiniowanieWskaznikow::aktywacja() {
    opuszczone_ = false;
    sesja_->UstawWidoczne(true);
    zdarzenie([this] { return sesja_->onActivated(); });
}

void DefiniowanieWskaznikow::klikniecieDrzewa(DrzewoPozycjiWidok* drzewo, QTreeWidgetItem* item) {
    if (!item) return;
    const std::string podpowiedz = PodpowiedzKlikniecia(drzewo->zrodlo, item->data(0, RolaNumeruPozycji).toInt());
    PodpowiedzJezykowa->setText(q(podpowiedz));
    if (QClipboard* schowek = QApplication::clipboard()) schowek->setText(q(podpowiedz));
}

void DefiniowanieWskaznikow::pokazWidok(const WidokWskaznikow& v) {
    pokazywanie_ = true;
    if (!v.Tytul.empty()) setWindowTitle(q(v.Tytul));
    const PanelDefinicji& p = sesja_->Panel();
    if (LicznikTree->zrodlo != p.ZrodloLicznika || LicznikTree->topLevelItemCount() == 0)
        LicznikTree->pokaz(p.DrzewoLicznika, p.ZrodloLicznika);
    if (MianownikTree->zrodlo != p.ZrodloMianownika || MianownikTree->topLevelItemCount() == 0)
        MianownikTree->pokaz(p.DrzewoMianownika, p.ZrodloMianownika);
    LicznikComboBox->setCurrentIndex(IndeksZrodla(p.ZrodloLicznika));
    MianownikComboBox->setCurrentIndex(IndeksZrodla(p.ZrodloMianownika));
    // A box too narrow for an item and its source shows the item's start;
    // the whole is in its tip.
    const std::pair<OkienkoUpuszczenia*, const std::string*> okienka[] = {
        {OkienkoLicznika1, &v.Licznik1}, {OkienkoLicznika2, &v.Licznik2},
        {OkienkoMianownika1, &v.Mianownik1}, {OkienkoMianownika2, &v.Mianownik2}};
    for (const auto& [okienko, tekst] : okienka) {
        okienko->setText(q(*tekst));
        okienko->setCursorPosition(0);
        okienko->setToolTip(okienko->text());
    }
    OperandLicznika->setCurrentIndex(std::max(0, OperandLicznika->findText(q(v.OperandLicznika))));
    OperandMianownika->setCurrentIndex(std::max(0, OperandMianownika->findText(q(v.OperandMianownika))));
    // While the user types into the list, the text typed stays.
    if (!wpisywanie_) {
        ComboBox1->clear();
        for (const std::string& n : v.Lista) {
            ComboBox1->addItem(q(n));
            ComboBox1->setItemData(ComboBox1->count() - 1, q(n), Qt::ToolTipRole);
        }
        ComboBox1->setCurrentIndex(v.IndeksListy);
        ComboBox1->setEditText(q(v.TekstListy));
        ComboBox1->setToolTip(q(v.TekstListy));
        // The open list as wide as its longest name.
        ComboBox1->view()->setMinimumWidth(ComboBox1->view()->sizeHintForColumn(0) + 24);
    }
    WyborRoku->clear();
    for (const std::string& r : v.Lata) WyborRoku->addItem(q(r));
    WyborRoku->setCurrentIndex(v.Lata.empty() ? -1 : v.Rok);
    Horyzont->clear();
    for (const std::string& h : v.Horyzonty) Horyzont->addItem(q(h));
    ComboBoxWskaznik->setCurrentIndex(v.WpisRelacji);
    Edit3->setText(q(v.Wartosc));
    Diagnoza->setText(q(v.Diagnoza));
    Brat->setText(q(v.Brat));
    if (Paski)
        Paski->dostepnosc(v.GroupBox2, v.BrakPaskow);
    else
        GroupBox2->setVisible(v.GroupBox2);
    Analiza_wrazliwosci->setVisible(v.Panel);
    Wykres->setEnabled(v.Wykres);
    SpeedButton1->setEnabled(p.Kompletny());
    CheckBoxExpert->setEnabled(v.CheckBoxExpert);
    // The rule viewer goes with the rule file of the choice.
    CheckBoxClipsViewer->setEnabled(v.CheckBoxExpert);
    if (!v.CheckBoxExpert || v.OdznaczPodglad) CheckBoxClipsViewer->setChecked(false);
    InfoOKoniecznosciOpracowaniaWskaznikow->setVisible(v.InfoOKoniecznosci);
    pokazDiagnozy();
    if (panelAnalizy) panelAnalizy->pokaz();  // sensitivity panel
    pokazProgi(v);  // indicator sets and thresholds
    pokazDodatki(v);
    dopasujSzerokosc();
    pokazywanie_ = false;
    pokazWykresIPaski();
}

bool DefiniowanieWskaznikow::eventFilter(QObject* o, QEvent* e) {
    if (o == srodek_ && e->type() == QEvent::Resize) ulozKolumneIDol();
    // Text typed into the list: the choice is emptied and the viewer off,
    // then the box takes the key as usual (Tab and the arrows move on or
    // choose, Enter picks the entry typed).
    if (o == ComboBox1 && e->type() == QEvent::KeyPress) {
        const auto* k = static_cast<QKeyEvent*>(e);
        const bool edycja = (!k->text().isEmpty() && k->text().front().isPrint()) || k->key() == Qt::Key_Backspace ||
                            k->key() == Qt::Key_Delete;
        if (edycja && !(k->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) && sesja_->Panel().IndeksListy >= 0) {
            wpisywanie_ = true;
            zdarzenie([this] { return sesja_->chooseIndicator(-1); });
            wpisywanie_ = false;
            CheckBoxClipsViewer->setChecked(false);
            CheckBoxClipsViewer->setEnabled(false);
        }
    }
    return QMainWindow::eventFilter(o, e);
}

void DefiniowanieWskaznikow::changeEvent(QEvent* e) {
    QMainWindow::changeEvent(e);
    // Minimised or restored (here or by the window manager): the results
    // menu is shown again as the workbench decides it.
    if (e->type() == QEvent::WindowStateChange) app_.odswiezOkna();
    if (e->type() == QEvent::WindowStateChange &&
        (static_cast<QWindowStateChangeEvent*>(e)->oldState() & Qt::WindowMinimized) && !isMinimized())
        ponowNaWierzchu(this);  // restored: above the others again
    if (e->type() != QEvent::ActivationChange) return;
    if (isActiveWindow()) {
        ponowNaWierzchu(this);  // shown again after a hide, or restored
        // Back from its own dialog or menu the window keeps its state (a set
        // read, thresholds typed); from anywhere else it is activated anew.
        if (opuszczone_) {
            aktywacja();
        } else {
            sesja_->Aktywowane(true);
        }
    } else {
        // A dialog owned by this window does not count as leaving it.
        QWidget* aktywne = QApplication::activeWindow();
        const bool wlasne = aktywne && aktywne != this && aktywne->parentWidget() &&
                            aktywne->parentWidget()->window() == this;
        sesja_->Aktywowane(false);
        if (!wlasne) opuszczenie(aktywne);
    }
}

void DefiniowanieWskaznikow::closeEvent(QCloseEvent* e) {
    try {
        sesja_->Zamkniecie();
    } catch (const std::exception& ex) {
        app_.ui().message(ex.what());
    }
    sesja_->UstawWidoczne(false);
    app_.odswiezOkna();
    QMainWindow::closeEvent(e);
}

// ------------------------------------------------------------ chart and product tabs

namespace {

// Watches another object's events without taking them.
class FiltrZdarzen : public QObject {
public:
    FiltrZdarzen(QObject* rodzic, std::function<void(QEvent*)> f) : QObject(rodzic), f_(std::move(f)) {}
    bool eventFilter(QObject*, QEvent* e) override {
        f_(e);
        return false;
    }

private:
    std::function<void(QEvent*)> f_;
};

}  // namespace

void DefiniowanieWskaznikow::utworzWykresIPaski() {
    RysunekWykresu = new WykresWidok(Chart1);
    auto* uklad = new QVBoxLayout(Chart1);
    uklad->setContentsMargins(0, 0, 0, 0);
    uklad->addWidget(RysunekWykresu);

    // The chart's controls in the bottom row, next to the chart button.
    QWidget* srodek = srodek_;
    Wykres->setText(q(utf8ToCp1250("Wykres wskaźnika <F6>")));
    // The button's glyph from the working folder, read as every file is (a
    // pipe in its place never waited on); a missing or unreadable image
    // leaves it without one.
    BinaryFile plikGlifu;
    std::optional<std::string> obraz;
    if (plikGlifu.open(app_.kontekst().KatalogRoboczy + "wykres.BMP", BinaryFile::Mode::Read))
        obraz = plikGlifu.readRest(LongestTemplate);
    QPixmap glif;
    if (obraz && glif.loadFromData(reinterpret_cast<const uchar*>(obraz->data()), static_cast<uint>(obraz->size())))
        Wykres->setIcon(QIcon(glif));
    LabelTypWykresu = new QLabel("Typ wykresu", srodek);
    LabelTypWykresu->setObjectName("LabelTypWykresu");
    WyborTypuWykresu = new QComboBox(srodek);
    WyborTypuWykresu->setObjectName("WyborTypuWykresu");
    for (const char* t : TypyWykresu()) WyborTypuWykresu->addItem(q(t));
    WyborTypuWykresu->setCurrentIndex(0);
    WyborTypuWykresu->setEnabled(false);
    LabelHoryzont = new QLabel("Horyzont wykresu", srodek);
    LabelHoryzont->setObjectName("LabelHoryzont");
    HoryzontyBox = Horyzont;
    HoryzontyBox->setObjectName("HoryzontyBox");
    HoryzontyBox->setParent(srodek);
    HoryzontyBox->show();
    for (QWidget* w : {static_cast<QWidget*>(LabelHoryzont), static_cast<QWidget*>(LabelTypWykresu),
                       static_cast<QWidget*>(HoryzontyBox)})
        w->setEnabled(false);

    Wykres1 = menuBar()->addAction("Wykres <F6>");
    Wykres1->setObjectName("Wykres1");
    Wykres1->setShortcut(QKeySequence(Qt::Key_F6));
    Wykres1->setEnabled(false);
    auto przelacz = [this] { zdarzenie([this] { return sesja_->UAktualnicWykres(true); }); };
    connect(Wykres, &QPushButton::clicked, this, przelacz);
    connect(Wykres1, &QAction::triggered, this, przelacz);
    // Choosing an operator redraws a chart shown (after the session took the
    // operator); it does not bring the chart over the trees the second item
    // is dragged from next.
    auto odswiez = [this] { zdarzenie([this] { return sesja_->UAktualnicWykres(false); }); };
    connect(OperandLicznika, &QComboBox::activated, this, odswiez);
    connect(OperandMianownika, &QComboBox::activated, this, odswiez);
    connect(WyborTypuWykresu, &QComboBox::activated, this,
            [this](int i) { zdarzenie([this, i] { return sesja_->ZmianaTypuWykresu(i); }); });
    connect(HoryzontyBox, &QComboBox::activated, this,
            [this](int i) { zdarzenie([this, i] { return sesja_->ZmianaHoryzontu(i); }); });

    TabSheet3 = PageControl1->widget(2);
    TabSheet3->setObjectName("TabSheet3");
    TabSheet5 = PageControl1->widget(3);
    TabSheet5->setObjectName("TabSheet5");
    Paski = new PaskiWidok(TabSheet3, TabSheet5, GroupBox2);
    Paski->sesja = sesja_.get();
    Paski->zdarzenie = [this](const std::function<WidokWskaznikow()>& f) { zdarzenie(f); };
    // Leaving the window hides the chart (the session decides on the
    // activation change; the drawing follows once it has).
    auto* wyjscie = new FiltrZdarzen(this, [this](QEvent* e) {
        if (e->type() == QEvent::ActivationChange)
            QMetaObject::invokeMethod(
                this, [this] { pokazWykres(sesja_->WykresWidoczny()); }, Qt::QueuedConnection);
    });
    installEventFilter(wyjscie);
    // The product tab is highlighted while it is shown.
    connect(PageControl1, &QTabWidget::currentChanged, this, [this](int i) {
        const int t = PageControl1->indexOf(TabSheet3);
        PageControl1->tabBar()->setTabTextColor(t, i == t ? palette().color(QPalette::Highlight)
                                                          : palette().color(QPalette::WindowText));
    });
}

void DefiniowanieWskaznikow::pokazWykresIPaski() {
    const WykresWskaznika& w = sesja_->Wykres();
    const WidokWykresu& v = w.Widok;
    RysunekWykresu->pokaz(v);
    pokazWykres(v.Widoczny);
    WyborTypuWykresu->setEnabled(v.TypWlaczony);
    WyborTypuWykresu->setCurrentIndex(w.TypWykresu);
    for (QWidget* c : {static_cast<QWidget*>(HoryzontyBox), static_cast<QWidget*>(LabelHoryzont),
                       static_cast<QWidget*>(LabelTypWykresu)})
        c->setEnabled(v.HoryzontWlaczony);
    if (HoryzontyBox->count() > 0) HoryzontyBox->setCurrentIndex(std::clamp(w.Horyzont, 0, HoryzontyBox->count() - 1));
    PodpowiedzJezykowa->setEnabled(v.PodpowiedzWlaczona);
    LabelKoduDostepu->setEnabled(v.PodpowiedzWlaczona);
    Wykres1->setEnabled(Wykres->isEnabled());
    Paski->pokaz();
    // The messages of the update come after the drawing; during an
    // animation each once per run.
    std::vector<std::string> komunikaty = sesja_->KomunikatyWykresu();
    if (panelAnalizy && panelAnalizy->animacjaTrwa())
        std::erase_if(komunikaty, [this](const std::string& m) { return !komunikatyPrzebiegu_.insert(m).second; });
    if (komunikaty.empty()) return;
    if (Chart1->isVisible()) Chart1->repaint();
    for (const std::string& m : komunikaty) app_.ui().message(m);
}

void DefiniowanieWskaznikow::poczatekAnimacji() {
    komunikatyPrzebiegu_.clear();
    // The run is watched on the chart: shown where the indicator allows it.
    if (!sesja_->WykresWidoczny() && Wykres->isEnabled()) zdarzenie([this] { return sesja_->UAktualnicWykres(true); });
}

void DefiniowanieWskaznikow::umiescWykres() {
    // The chart goes with the page in view: over the list area of the
    // indicators page, below the controls of the animation page.
    QWidget* strona = PageControl1->currentWidget();
    const bool animacja = strona == PageControl1->widget(1);
    if (!animacja && strona != PageControl1->widget(0)) return;
    if (Chart1->parentWidget() != strona) {
        const bool widoczny = !Chart1->isHidden();
        Chart1->setParent(strona);
        Chart1->setVisible(widoczny);
    }
    const QRect r = animacja ? obszarWykresuAnimacji() : obszarWykresu();
    Chart1->setGeometry(r);
    if (!Chart1->isHidden()) Chart1->raise();
}

void DefiniowanieWskaznikow::pokazWykres(bool widoczny) {
    Chart1->setVisible(widoczny);
    PageControl2->setVisible(!widoczny);  // the chart stands in the trees' place
    if (widoczny) Chart1->raise();
}

}  // namespace vesk
