#include "Aplikacja.h"

#include <QAction>
#include <QApplication>
#include <iostream>

#include "CzasownikiWarsztatu.h"
#include "DefiniowanieWskaznikow.h"
#include "FileSystem.h"
#include "Interpretator.h"
#include "OknoInterpretatora.h"
#include "Optymalizacja.h"
#include "Paths.h"
#include "PrzebiegSkryptu.h"
#include "ZmienneSkryptu.h"
#include "OknoGlowne.h"
#include "OknoFormularzaDecyzji.h"
#include "OknoStartowe.h"
#include "OknaPomocy.h"
#include "OknaWZasiegu.h"
#include "QtTekst.h"

namespace vesk {

Aplikacja::Aplikacja(UserInterface& ui, const std::vector<std::string>& parametry, const std::string& katalogRoboczy,
                     const std::string& katalogProgramu, const std::function<void(Kontekst&)>& przygotowanie)
    : ui_(ui), k_(std::make_unique<Kontekst>(ui, CommandLine(parametry))) {
    k_->KatalogRoboczy = katalogRoboczy;
    k_->ModelZainicjowany = false;
    if (przygotowanie) przygotowanie(*k_);
    w_ = std::make_unique<Warsztat>(*k_);
    oknoStartowe_ = std::make_unique<OknoStartowe>(*this);
    std::string tytul = UtworzenieOknaGlownego(*k_, s_, parametry, katalogProgramu);
    oknoGlowne_ = std::make_unique<OknoGlowne>(*this, tytul);
    oknoFormularzaDecyzji_ = std::make_unique<OknoFormularzaDecyzji>(*this);
    oknoOProgramie_ = std::make_unique<OknoOProgramie>(*this);
    oknoPomocyDwudzielne_ = std::make_unique<OknoPomocyDwudzielne>();
    oknoAutorow_ = std::make_unique<OknoAutorow>(*oknoOProgramie_);
    oknoPomocy_ = std::make_unique<OknoPomocy>(*this);
    oknoRaportu_ = std::make_unique<OknoRaportu>();
    czasowniki_ = std::make_unique<CzasownikiWarsztatu>(*w_);
    interpreterView_ = std::make_unique<OknoInterpretatora>(oknoGlowne_->PrzyciskWykonaniaNastepnegoPolecenia,
                                                            oknoGlowne_->OknoLiniiRozkazow, oknoGlowne_->wsk, oknoGlowne_.get());
    interpretator_ = std::make_unique<Interpretator>(*k_, *czasowniki_, *interpreterView_);
    definiowanieWskaznikow_ = std::make_unique<DefiniowanieWskaznikow>(*this);
    new WPoluEkranu(definiowanieWskaznikow_.get());
    w_->Wskazniki = &definiowanieWskaznikow_->port();
    if (QAction* a = oknoGlowne_->akcja("KonstrukcjaWskaznikow"))
        QObject::connect(a, &QAction::triggered, oknoGlowne_.get(), [this] { pokazWskazniki(); });
    // No modal box goes out of sight with a minimised window, nor with one
    // on another desktop.
    pudelka_ = std::make_unique<PudelkaWZasiegu>();
    qApp->installEventFilter(pudelka_.get());
    qApp->installNativeEventFilter(pudelka_.get());
}

Aplikacja::~Aplikacja() {
    // The executor closes its report file through the view and the verbs.
    interpretator_.reset();
    // The workbench outlives the window it points at only without it.
    static IndicatorWindow brak;
    if (w_) w_->Wskazniki = &brak;
    definiowanieWskaznikow_.reset();
}

void Aplikacja::pokazWskazniki() {
    // A minimised window (or one closed or stepped aside while minimised)
    // comes back on screen as a hidden one does.
    pokazNaWierzchu(definiowanieWskaznikow_.get());
    // Activation events are not delivered on every platform: the session is
    // asked at once as well.
    definiowanieWskaznikow_->aktywacja();
}

void Aplikacja::start() {
    // A refused start-up has told its reason: the program ends, no window shown.
    if (s_.StartOdrzucony) {
        ui_.endProgram(1);
        return;
    }
    oknoStartowe_->show();
}

bool Aplikacja::pokazOknoGlowne() {
    oknoGlowne_->show();
    SkutekPokazania skutek = PokazanieOknaGlownego(*k_, s_);
    if (!skutek.RdzenGotowy) return false;
    if (skutek.OtworzPlikStartowy) otworzOperatora();
    oknoGlowne_->pokazPodpowiedzBezOperatora(q(TekstPodpowiedzi(*k_)));
    return true;
}

void Aplikacja::startOK() {
    SkutekOK skutek = PrzyciskOK(*k_, s_);
    if (skutek == SkutekOK::PierwszeUruchomienie) {
        oknoAutorow_->show();
        oknoAutorow_->hide();
        umiescRamke(oknoGlowne_.get(), QPoint(0, 0));
    }
    oknoStartowe_->hide();
    if (skutek == SkutekOK::PierwszeUruchomienie) {
        // The operator of "/f" opened stays; none open: a new one.
        if (pokazOknoGlowne() && w_->Drzewo.Pusty()) nowyOperator();
    } else {
        oknoGlowne_->show();
        oknoGlowne_->raise();
    }
}

std::string Aplikacja::tekstOkienkaStartowego() const {
    return TekstOkienkaStartowego(s_, *k_, w_->Drzewo.Pusty() ? std::string() : k_->PlikDrzewa);
}

namespace {
// What tells an operator command's success from outside: the tree file and
// the caption it sets.
std::string slad(const Kontekst& k, const Warsztat& w) { return k.PlikDrzewa + '\n' + w.Tytul; }
}  // namespace

void Aplikacja::nowyOperator() {
    if (!porzucenieFormularza()) return;
    std::string przed = slad(*k_, *w_);
    w_->Nowy1Click();
    poPoleceniuOperatora(slad(*k_, *w_) != przed);
}

void Aplikacja::otworzOperatora() {
    if (!porzucenieFormularza()) return;
    std::string przed = slad(*k_, *w_);
    w_->NowyPlik1Click();
    poPoleceniuOperatora(slad(*k_, *w_) != przed);
}

void Aplikacja::kasujOperatora() {
    w_->Kasowanieoperatora1Click();
    poPoleceniuOperatora(false);
}

void Aplikacja::poPoleceniuOperatora(bool otwarto, bool zPlikuRozkazow) {
    if (otwarto) {
        oknoGlowne_->pokazStroneDrzewa();
        oknoGlowne_->ustawPodpowiedz(q(TekstPodpowiedzi(*k_)));
        // A command file's line stays only beside the operator it opened.
        if (!zPlikuRozkazow) oknoGlowne_->OknoLiniiRozkazow->clear();
    } else {
        oknoGlowne_->pokazPodpowiedzBezOperatora(q(TekstPodpowiedzi(*k_)));
    }
    odswiezOkna();
    // An operator opened: its tree (enabled by the refresh) takes the keys,
    // arrows, Del and Enter, at once, not after a Tab into it.
    if (otwarto) oknoGlowne_->TreeView1->setFocus(Qt::OtherFocusReason);
}

bool Aplikacja::porzucenieFormularza() {
    const bool zmiany = w_->Formularz.NiezatwierdzoneZmiany();
    if (w_->PrzedPorzuceniemFormularza()) {
        // Edits dropped (or stored): the form shows the stored values,
        // whatever the command does next.
        if (zmiany) oknoFormularzaDecyzji_->pokaz(*w_);
        return true;
    }
    odswiezOkna();
    oknoFormularzaDecyzji_->pokazBledne();
    return false;
}

void Aplikacja::odswiezOkna() {
    oknoGlowne_->odswiez(*w_);
    oknoFormularzaDecyzji_->pokaz(*w_);
}

void Aplikacja::podanieNazwyPlikuZRozkazami() {
    if (!porzucenieFormularza()) return;
    PrzebiegSkryptu przebieg(*k_, oknoGlowne_.get());
    interpretator_->Podanienazwyplikuzrozkazami1Click();
}

void Aplikacja::nastepnePolecenie() {
    if (!interpretator_->PrzyciskAktywny() || !porzucenieFormularza()) return;
    const std::string przed = slad(*k_, *w_);
    bool koniec = false;
    {
        PrzebiegSkryptu przebieg(*k_, oknoGlowne_.get(), nullptr, [this] {
            interpretator_->Poziomy[static_cast<std::size_t>(interpretator_->PoziomWywolania)].Zakoncz = true;
        });
        interpretator_->PrzyciskWykonaniaNastepnegoPoleceniaClick();
        koniec = przebieg.KoniecProgramu();
    }
    if (koniec) return koniecPoPrzebiegu();
    // The view with its line and variables stays in sight over the main
    // window, whose button was pressed.
    if (interpreterView_->isVisible()) interpreterView_->raise();
    // A file may open operators, add, simulate and delete nodes.
    if (slad(*k_, *w_) != przed && !w_->Drzewo.Pusty())
        poPoleceniuOperatora(true, true);
    else
        odswiezOkna();
}

void Aplikacja::przyciskWsadowy() {
    // "testint" made without a dialog, "przyklad.roz" of the working folder
    // opened without one, one press; x4 on standard output.
    k_->TrybWsadowy = true;
    k_->NazwaOperatoraWsadowego = "testint";
    k_->PlikRozkazowWsadowy = joinPath(k_->KatalogRoboczy, "przyklad.roz");
    // Nothing is done without a readable command file, nor for one whose
    // report could not be written.
    if (const WierszeRozkazow plik = WierszePlikuRozkazowDoWykonania(k_->PlikRozkazowWsadowy); !plik.powod.empty()) {
        ui_.message(plik.powod);
        ui_.endProgram(2);
        return;
    }
    umiescRamke(oknoGlowne_.get(), QPoint(0, 0));
    oknoStartowe_->hide();
    k_->WidokPowiekszony = true;
    if (!PokazanieOknaGlownego(*k_, s_).RdzenGotowy) return;
    w_->Nowy1Click();
    if (k_->SciezkaOperatora.empty() || w_->Drzewo.Pusty()) {
        ui_.endProgram(2);
        return;
    }
    {
        PrzebiegSkryptu przebieg(*k_, oknoGlowne_.get());
        if (!interpretator_->Podanienazwyplikuzrozkazami1Click()) {
            ui_.endProgram(2);
            return;
        }
        interpretator_->PrzyciskWykonaniaNastepnegoPoleceniaClick();
    }
    std::cout << Wartosc_Zmiennej(*k_, 4) << std::endl;
    ui_.endProgram(interpretator_->OstatniBlad() ? 1 : 0);
}

void Aplikacja::optymalizacja(bool druga) {
    if (!porzucenieFormularza()) return;
    std::string zakonczenie;
    bool koniec = false;
    {
        PrzebiegSkryptu przebieg(*k_, oknoGlowne_.get(), oknoGlowne_->epsilon);
        Optymalizacja o(*w_);
        if (druga)
            o.optymalizacja21Click();
        else
            o.Optymalizacja1Click();
        zakonczenie = o.Zakonczenie;
        koniec = przebieg.KoniecProgramu();
    }
    if (koniec) return koniecPoPrzebiegu();
    poPoleceniuOperatora(!w_->Drzewo.Pusty());
    if (!zakonczenie.empty()) ui_.message(zakonczenie);
}

void Aplikacja::wyjscie() {
    if (!porzucenieFormularza()) return;
    if (ZakonczenieProgramu(ui_)) {
        oknoGlowne_->hide();
        interpreterView_->hide();
    }
}

void Aplikacja::koniecPoPrzebiegu() {
    // The run has stopped after its line, its report put in place.
    oknoGlowne_->hide();
    interpreterView_->hide();
    KoniecProgramu(ui_);
}

void Aplikacja::zamknietoOknoGlowne() {
    if (!porzucenieFormularza()) return;
    // The decision form goes with the main window, as its title bar's
    // close takes it (a node just added stays); F3 brings it back.
    w_->Formularz.Widoczny = false;
    odswiezOkna();
    // Also when the user has minimised it: after "Nie" it is the window left.
    pokazNaWierzchu(oknoStartowe_.get());
    oknoGlowne_->hide();
    // The command file's view goes with the main window.
    interpreterView_->hide();
    ZakonczenieProgramu(ui_);
}

void Aplikacja::informacja() {
    oknoStartowe_->show();
    oknoStartowe_->raise();
    oknoStartowe_->SpeedButton3->show();
}

void Aplikacja::wejscieZOknaInformacji() {
    umiescRamke(oknoGlowne_.get(), QPoint(0, 0));
    oknoStartowe_->show();
}

void Aplikacja::pokazOknoPomocy() {
    oknoPomocy_->show();
    oknoPomocy_->raise();
}

void Aplikacja::pokazOknoPomocyDwudzielne() {
    oknoPomocyDwudzielne_->show();
    oknoPomocyDwudzielne_->raise();
}

void Aplikacja::pokazOknoAutorow() {
    oknoAutorow_->show();
    oknoAutorow_->raise();
}

void Aplikacja::pokazOknoOProgramie() {
    oknoOProgramie_->show();
    oknoOProgramie_->raise();
    oknoOProgramie_->OKButton->setFocus();
}

}  // namespace vesk
