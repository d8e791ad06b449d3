// The indicator window's look ("Wygląd"), its expert menu and its report
// box: each shows what the session decides and turns clicks into its calls.
#include <QAction>
#include <QCoreApplication>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHideEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QElapsedTimer>
#include <QPointer>
#include <QProgressDialog>
#include <QScrollArea>
#include <QTimer>

#include <memory>
#include <QTabWidget>

#include "Aplikacja.h"
#include "DefiniowanieWskaznikow.h"
#include "OknaWZasiegu.h"
#include "QtTekst.h"

namespace vesk {

namespace {

QColor kolor(const QWidget* w, KolorPanelu k) {
    switch (k) {
        case KolorPanelu::NieaktywnyNaglowek: return w->palette().color(QPalette::Inactive, QPalette::Highlight);
        case KolorPanelu::TekstNieaktywnegoNaglowka:
            return w->palette().color(QPalette::Inactive, QPalette::HighlightedText);
        case KolorPanelu::PowierzchniaPrzycisku: break;
    }
    return w->palette().color(QPalette::Button);
}

void pomaluj(QWidget* w, KolorPanelu k) {
    QPalette p = w->palette();
    p.setColor(QPalette::Window, kolor(w, k));
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

int indeksZakladki(const QTabWidget* t, const char* tytul) {
    for (int i = 0; i < t->count(); ++i)
        if (t->tabText(i) == QString::fromUtf8(tytul)) return i;
    return -1;
}

// Lines od to od + ile of a list (the diagnoses, the engine log) as a
// list box takes them.
template <class Lista>
QStringList linieListy(const Lista& lista, std::size_t od, std::size_t ile) {
    QStringList l;
    l.reserve(static_cast<qsizetype>(ile));
    for (std::size_t i = od; i < od + ile; ++i) l << q(lista[i]);
    return l;
}

}  // namespace

void DefiniowanieWskaznikow::utworzDodatki() {
    // "Wygląd" in its order: Mini SE, Inna wersja interface, wersja PROD,
    // wyrównanie; as designed all but the alternative layout checked.
    WersjaPROD = new QAction(q(utf8ToCp1250("wersja PROD")), this);
    WersjaPROD->setObjectName("wersjaPROD");
    WersjaPROD->setCheckable(true);
    WersjaPROD->setChecked(true);
    for (QObject* o : Wyrownanie->associatedObjects())
        if (auto* menu = qobject_cast<QMenu*>(o)) menu->insertAction(Wyrownanie, WersjaPROD);
    Wyrownanie->setChecked(true);

    MenuEksperta = menuBar()->addMenu(q(utf8ToCp1250("System ekspertowy")));
    MenuEksperta->setObjectName("MenuEksperta");
    auto pozycja = [&](const char* tytul, const char* nazwa) {
        QAction* a = MenuEksperta->addAction(q(utf8ToCp1250(tytul)));
        a->setObjectName(nazwa);
        return a;
    };
    ExportWartosci = pozycja("Export wartości wskaźników do pliku programu CLIPS", "ExportWartosci");
    Wnioskowanie1 = pozycja("Wnioskowanie - RUN", "Wnioskowanie1");
    komendaCLEAR1 = pozycja("komenda CLEAR", "komendaCLEAR1");
    komendaRESET1 = pozycja("komenda RESET", "komendaRESET1");
    ZapisanieDiagnozDoPliku = pozycja("Zapisanie BIEŻĄCEJ diagnozy do pliku", "ZapisanieDiagnozDoPliku");
    WpisDoPlikuRaportu = pozycja("Dołączenie bieżącej diagnozy do raportu", "WpisDoPlikuRaportu");

    // The report box at the menu bar's right end: the bottom row belongs to
    // the chart's controls, and the menu bar shows at every width.
    RaportowanieDoPliku = new QCheckBox(menuBar());
    RaportowanieDoPliku->setObjectName("RaportowanieDoPliku");
    RaportowanieDoPliku->setText(q(PodpisRaportowania(false)));
    menuBar()->setCornerWidget(RaportowanieDoPliku, Qt::TopRightCorner);

    // The headings of the alternative layout, hidden as designed.
    auto etykieta = [&](const char* tekst, const char* nazwa, int lewa, int gora, int szerokosc) {
        auto* l = new QLabel(q(utf8ToCp1250(tekst)), srodek_);
        l->setObjectName(nazwa);
        l->setGeometry(lewa, gora, szerokosc, 16);
        l->hide();
        return l;
    };
    Label20 = etykieta("Panel sterowania zmiennymi decyzyjnymi", "Label20", 562, 0, 230);
    Label21 = etykieta("Panel sterowania parametrami eksperymentu", "Label21", 8, 7, 260);
    Label22 = etykieta("Ekran funkcji celu", "Label22", 280, 27, 200);

    // The diagnosis list above the engine log, which shows while the viewer
    // is checked; long diagnoses wrap. The wrapped rows are laid out a
    // batch at a time between events, so a long list keeps the window
    // answering.
    ListBox1->setWordWrap(true);
    // Its scroll bar always there: a list that grows one never narrows the
    // rows already wrapped, which would cut them at the edge.
    ListBox1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    ListBox1->setResizeMode(QListView::Adjust);
    ListBox1->setLayoutMode(QListView::Batched);
    GroupBox8->move(GroupBox8->x(), 16);

    connect(MiniSE, &QAction::toggled, this, [this](bool wl) {
        sesja_->Wyglad().MiniSE = wl;
        pokazWyglad();
    });
    connect(WersjaPROD, &QAction::toggled, this, [this](bool wl) {
        sesja_->Wyglad().WersjaPROD = wl;
        pokazWyglad();
    });
    connect(Wyrownanie, &QAction::toggled, this, [this](bool wl) {
        sesja_->Wyglad().Wyrownanie = wl;
        pokazWyglad();
    });
    connect(InnaWersja, &QAction::toggled, this, [this](bool wl) { ukladAlternatywny(wl); });

    auto polecenie = [this](QAction* a, std::function<void()> f) {
        connect(a, &QAction::triggered, this, [this, f] {
            zdarzenie([this, &f] {
                f();
                return sesja_->Widok();
            });
        });
    };
    polecenie(ExportWartosci, [this] { sesja_->ExportWartosci(); });
    polecenie(Wnioskowanie1, [this] { sesja_->Wnioskowanie(); });
    // The run's diagnoses in sight, also in a window scrolled on a small screen.
    connect(Wnioskowanie1, &QAction::triggered, this, [this] {
        if (auto* obszar = qobject_cast<QScrollArea*>(centralWidget())) WidokNa(obszar, ListBox1, true);
    });
    polecenie(komendaCLEAR1, [this] { sesja_->KomendaCLEAR(); });
    polecenie(komendaRESET1, [this] { sesja_->KomendaRESET(); });
    polecenie(ZapisanieDiagnozDoPliku, [this] { sesja_->ZapisanieDiagnozDoPliku(); });
    polecenie(WpisDoPlikuRaportu, [this] { sesja_->WpisDoPlikuRaportu(); });
    connect(RaportowanieDoPliku, &QCheckBox::clicked, this, [this](bool zaznaczone) {
        zdarzenie([this, zaznaczone] {
            sesja_->RaportowanieDoPliku(zaznaczone);
            return sesja_->Widok();
        });
    });

    // Paints and timers go on while the rules run; clicks and keys wait.
    // A run that takes a moment shows a modal box whose Stop button (or
    // Esc) ends it; the box goes once the calls stop coming.
    struct Bieg {
        QPointer<QProgressDialog> okno;
        QElapsedTimer odPoczatku, odOstatniego;
        QTimer koniec;
    };
    auto bieg = std::make_shared<Bieg>();
    bieg->koniec.setInterval(200);
    connect(&bieg->koniec, &QTimer::timeout, this, [bieg] {
        if (bieg->odOstatniego.elapsed() < 150) return;
        bieg->koniec.stop();
        if (bieg->okno) bieg->okno->deleteLater();
    });
    sesja_->WTrakcieWnioskowania = [this, bieg] {
        if (!bieg->koniec.isActive()) {
            bieg->odPoczatku.start();
            bieg->koniec.start();
        }
        bieg->odOstatniego.start();
        if (!bieg->okno && bieg->odPoczatku.elapsed() > 400) {
            auto* okno = new QProgressDialog(QString::fromUtf8("Trwa wnioskowanie. Stop lub Esc przerywa."), QStringLiteral("Stop"), 0, 0, this);
            okno->setWindowTitle(QStringLiteral("System ekspertowy"));
            okno->setWindowModality(Qt::ApplicationModal);
            okno->setAutoReset(false);
            connect(okno, &QProgressDialog::canceled, this, [this] { sesja_->PrzerwijWnioskowanie(); });
            okno->show();
            bieg->okno = okno;
        }
        QCoreApplication::processEvents(bieg->okno ? QEventLoop::AllEvents : QEventLoop::ExcludeUserInputEvents);
    };

    pokazDodatki(sesja_->Widok());
}

void DefiniowanieWskaznikow::pokazWyglad() {
    const WidokWygladu w = sesja_->Wyglad().Widok();
    const bool ekspert = w.PoleceniaEksperta;
    CheckBoxExpert->setVisible(ekspert);
    MenuEksperta->menuAction()->setVisible(ekspert);
    for (QAction* a : {ExportWartosci, Wnioskowanie1, komendaCLEAR1, komendaRESET1, ZapisanieDiagnozDoPliku, InnaWersja})
        a->setVisible(ekspert);
    WpisDoPlikuRaportu->setVisible(ekspert && sesja_->Raport().WpisWidoczny());
    GroupBox1->setVisible(w.GroupBox1);
    GroupBox9->setVisible(w.GroupBox9);
    const int ceny = indeksZakladki(PageControl1, "Ceny+zlecenia");
    const int setup = indeksZakladki(PageControl1, "Setup (graniczne zużycie)");
    if (ceny >= 0) PageControl1->setTabVisible(ceny, w.TabSheet3);
    if (setup >= 0) PageControl1->setTabVisible(setup, w.TabSheet5);
    GroupBox8->move(GroupBox8->x(), w.GoraGroupBox8);
    Label20->setVisible(w.Label20);
    Label21->setVisible(w.Label21);
    Label22->setVisible(w.Label22);
    if (auto* drzewa = findChild<QWidget*>("GroupBox7")) drzewa->setVisible(w.GroupBox7);
    ulozKolumneIDol();  // the lists take the room of what is not shown
    dopasujSzerokosc();
    umiescWykres();
}

void DefiniowanieWskaznikow::ukladAlternatywny(bool wlaczony) {
    std::map<std::string, Geometria> obecne;
    std::vector<std::string> nazwy = SkalowaneGory();
    nazwy.push_back(PanelSkalowany);
    nazwy.push_back("PageControl2");
    // The panel's own controls; the expert and report boxes of this window
    // sit outside the panel and keep their place.
    for (const std::string& n : nazwy)
        if (auto* w = findChild<QWidget*>(QString::fromStdString(n));
            w && (w == Analiza_wrazliwosci || w == PageControl2 || Analiza_wrazliwosci->isAncestorOf(w))) {
            const QRect r = w->geometry();
            obecne[n] = {r.x(), r.y(), r.width(), r.height()};
        }
    for (const auto& [n, g] : sesja_->Wyglad().Uklad(wlaczony, obecne))
        if (auto* w = findChild<QWidget*>(QString::fromStdString(n)))
            w->setGeometry(g.Lewa, g.Gora, g.Szerokosc, g.Wysokosc);
    const WidokWygladu w = sesja_->Wyglad().Widok();
    pomaluj(Analiza_wrazliwosci, w.KolorAnalizy);
    pomaluj(GroupBox2, w.KolorGroupBox2);
    pokazWyglad();
}

void DefiniowanieWskaznikow::pokazDiagnozy() {
    const SpisDiagnoz& spis = sesja_->ListaDiagnoz;
    const auto wstawienia = pokazaneDiagnozy_ ? spis.WstawieniaOd(*pokazaneDiagnozy_) : std::nullopt;
    if (wstawienia) {
        for (const SpisDiagnoz::Blok& b : *wstawienia)
            ListBox1->insertItems(static_cast<int>(b.Wiersz), linieListy(spis, b.Wiersz, b.Ile));
    } else {
        ListBox1->clear();
        ListBox1->addItems(linieListy(spis, 0, spis.size()));
    }
    pokazaneDiagnozy_ = spis.Zmiany();
}

void DefiniowanieWskaznikow::pokazDodatki(const WidokWskaznikow& v) {
    pokazWyglad();
    const bool raport = sesja_->Raportowanie();
    RaportowanieDoPliku->setChecked(raport);
    RaportowanieDoPliku->setText(q(PodpisRaportowania(raport)));
    ExportWartosci->setEnabled(v.ExportWartosci);
    const bool wnioskowanie = sesja_->WnioskowanieDostepne();
    Wnioskowanie1->setEnabled(wnioskowanie);
    ZapisanieDiagnozDoPliku->setEnabled(wnioskowanie);
    const std::vector<std::string>& log = sesja_->LogSilnika();
    if (InterpreterBox1->count() != static_cast<int>(log.size()) || pokazanyLog_ != sesja_->ZmianyLogu()) {
        pokazanyLog_ = sesja_->ZmianyLogu();
        // Only the rows that changed: a long log takes long to show whole.
        if (const auto zmiana = sesja_->ZmianaLoguOd(stanLogu_)) {
            if (zmiana->UsunOdGory > 0) InterpreterBox1->model()->removeRows(0, static_cast<int>(zmiana->UsunOdGory));
            if (zmiana->Naglowek) InterpreterBox1->insertItem(0, q(log.front()));
            InterpreterBox1->addItems(linieListy(log, log.size() - zmiana->Dopisz, zmiana->Dopisz));
        } else {
            InterpreterBox1->clear();
            InterpreterBox1->addItems(linieListy(log, 0, log.size()));
        }
        stanLogu_ = sesja_->StanLogu();
        InterpreterBox1->scrollToBottom();
    }
}

void DefiniowanieWskaznikow::opuszczenie(QWidget* aktywne) {
    // Ours: a dialog this window owns, or the modal box one of its commands
    // brought up (messages come with the program's own parent).
    const bool wlasne =
        (aktywne && aktywne != this &&
         ((aktywne->parentWidget() && aktywne->parentWidget()->window() == this) ||
          (aktywne->inherits("QDialog") && QApplication::activeModalWidget() == aktywne) ||
          aktywne->windowType() == Qt::Popup)) ||
        (!aktywne && QApplication::activePopupWidget());
    if (wlasne) return;
    opuszczone_ = true;
    sesja_->Deaktywacja(true);
    if (!sesja_->WykresWidoczny()) pokazWykres(false);
    pokazDodatki(sesja_->Widok());
}

void DefiniowanieWskaznikow::hideEvent(QHideEvent* e) {
    QMainWindow::hideEvent(e);
    if (e->spontaneous()) return;  // minimised: the window is not left
    opuszczone_ = true;
    try {
        sesja_->hide();
    } catch (const std::exception& ex) {
        app_.ui().message(ex.what());
    }
    pokazWykres(false);
    pokazDodatki(sesja_->Widok());
}

}  // namespace vesk
