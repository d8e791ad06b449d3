#include "InterfejsTradycyjny.h"

#include "CodePage.h"
#include "FileSystem.h"
#include "Teksty.h"
#include "Warsztat.h"

namespace vesk {

namespace {

std::string c(const char* utf8) { return utf8ToCp1250(utf8); }

// The five two-line captions that Szaro puts back.
struct DwaWiersze {
    const char* przycisk;
    const char* napis;  // UTF-8, lines split by "\n"
};
constexpr DwaWiersze Dwuwierszowe[] = {
    {"PrzyciskZestawienieZmian", "Zestawienie zmian\nw kapitale własnym"},
    {"PrzyciskRachunekZyskowiStrat", "Rachunek zysków i strat\n(wariant kalkulacyjny)"},
    {"PrzyciskRachunekZyskowiStrat2", "Rachunek zysków i strat\n(wariant porównawczy)"},
    {"PrzyciskCashFlow", "Rachunek\nprzepływów pieniężnych"},
    {"PrzyciskZadluzenie", "Zadłużenie\ni wiarygodność kredytowa"},
};

std::string napisDwuwierszowy(const char* przycisk) {
    for (const DwaWiersze& d : Dwuwierszowe)
        if (std::string(d.przycisk) == przycisk) return c(d.napis);
    return {};
}

// Group buttons: the group toggled, the groups hidden, the buttons bold.
struct PrzyciskGrupowy {
    const char* przycisk;
    const char* grupa;
    std::vector<const char*> ukrywa;
    std::vector<const char*> pogrubia;
};
const std::vector<PrzyciskGrupowy>& PrzyciskiGrupowe() {
    static const std::vector<PrzyciskGrupowy> t = {
        {"PrzyciskOperatora", "GrupaOperatora",
         {"GrupaSymulatora", "GrupaDecyzje", "GrupaRezultaty", "GrupaFinanse", "GrupaProdukcja", "GrupaWskaznikow"},
         {"PrzyciskOperatora"}},
        {"PrzyciskSymulatora", "GrupaSymulatora",
         {"GrupaOperatora", "GrupaRezultaty", "GrupaDecyzje", "GrupaFinanse", "GrupaWskaznikow", "GrupaProdukcja"},
         {"PrzyciskSymulatora"}},
        {"PrzyciskDecyzje1", "GrupaDecyzje", {"GrupaRezultaty", "GrupaFinanse", "GrupaWskaznikow", "GrupaProdukcja"},
         {"PrzyciskSymulatora", "PrzyciskDecyzje1"}},
        {"PrzyciskRezultaty1", "GrupaRezultaty", {"GrupaDecyzje"}, {"PrzyciskSymulatora", "PrzyciskRezultaty1"}},
        {"PrzyciskProdukcja1", "GrupaProdukcja", {"GrupaFinanse", "GrupaWskaznikow"},
         {"PrzyciskSymulatora", "PrzyciskRezultaty1", "PrzyciskProdukcja1"}},
        {"PrzyciskFinanse", "GrupaFinanse", {"GrupaProdukcja"},
         {"PrzyciskSymulatora", "PrzyciskRezultaty1", "PrzyciskFinanse"}},
        {"PrzyciskWskaznikiFinansowe", "GrupaWskaznikow", {"GrupaProdukcja"},
         {"PrzyciskSymulatora", "PrzyciskRezultaty1", "PrzyciskFinanse", "PrzyciskWskaznikiFinansowe"}},
        {"GrupaFinanse", nullptr, {"GrupaWskaznikow", "GrupaProdukcja"}, {"GrupaFinanse"}},
    };
    return t;
}

// Report buttons: the viewer, the page (which of its statement's pages,
// PlikiRaportu::strony: the balance's second is the capital statement),
// the groups hidden, the buttons bold besides the button itself, and
// whether the follow-up runs first.
struct PrzyciskRaportu {
    const char* przycisk;
    const char* podglad;
    std::size_t strona;
    std::vector<const char*> ukrywa;
    std::vector<const char*> pogrubia;
    bool zmianaWezla = false;
};
const std::vector<PrzyciskRaportu>& PrzyciskiRaportow() {
    static const std::vector<const char*> finanse = {"PrzyciskSymulatora", "PrzyciskRezultaty1", "PrzyciskFinanse"};
    static const std::vector<const char*> produkcja = {"PrzyciskSymulatora", "PrzyciskRezultaty1",
                                                       "PrzyciskProdukcja1"};
    static const std::vector<const char*> wskazniki = {"PrzyciskSymulatora", "PrzyciskRezultaty1", "PrzyciskFinanse",
                                                       "PrzyciskWskaznikiFinansowe"};
    static const std::vector<const char*> bezFinansow = {"GrupaProdukcja", "GrupaWskaznikow"};
    static const std::vector<const char*> bezProdukcji = {"GrupaFinanse", "GrupaWskaznikow"};
    static const std::vector<PrzyciskRaportu> t = {
        {"PrzyciskDecyzje2", "Formularzdecyzyjny1", 0, {"GrupaFinanse", "GrupaProdukcja", "GrupaWskaznikow"},
         {"PrzyciskSymulatora", "PrzyciskRezultaty1"}},
        {"PrzyciskWynikSyntetyczny", "WynikSyntetyczny1", 0,
         {"GrupaFinanse", "GrupaWskaznikow", "GrupaProdukcja"}, {"PrzyciskSymulatora", "PrzyciskRezultaty1"}},
        {"PrzyciskBilansOkresowy", "Bilans1", 0, bezFinansow, finanse},
        {"PrzyciskZestawienieZmian", "Bilans1", 1, bezFinansow, finanse},
        {"PrzyciskRachunekZyskowiStrat", "Dochodyizyski1", 0, bezFinansow, finanse},
        {"PrzyciskRachunekZyskowiStrat2", "Rachunekwynikw1", 0, bezFinansow, finanse},
        {"PrzyciskCashFlow", "Sytuacjapienina1", 0, bezFinansow, finanse},
        {"PrzyciskKoszty", "Koszty1", 0, bezFinansow, finanse},
        {"PrzyciskZapasy", "Zapasy1", 0, bezProdukcji, produkcja, true},
        {"PrzyciskProdukcja2", "Produkcja2", 0, bezProdukcji, produkcja, true},
        {"PrzyciskPlynnosc", "pynno1", 0, {}, wskazniki},
        {"PrzyciskZadluzenie", "zaduenie1", 0, {}, wskazniki},
        {"PrzyciskRentownosc", "rentowno1", 0, {}, wskazniki},
        {"PrzyciskObrotowosci", "aktywno1", 0, {}, wskazniki},
    };
    return t;
}

}  // namespace

const std::vector<GrupaInterfejsu>& GrupyInterfejsu() {
    static const std::vector<GrupaInterfejsu> g = [] {
        auto d = [](const char* nazwa) { return PrzyciskGrupy{nazwa, napisDwuwierszowy(nazwa)}; };
        auto p = [](const char* nazwa, const char* napis) { return PrzyciskGrupy{nazwa, c(napis)}; };
        return std::vector<GrupaInterfejsu>{
            {"GrupaMenuGlownego", c("Menu główne"),
             {p("PrzyciskOperatora", "Operator"), p("PrzyciskSymulatora", "Symulator"), p("PrzyciskKoniec", "Koniec")}},
            {"GrupaOperatora", "Operator",
             {p("PrzyciskInicjacja", "Inicjacja"), p("PrzyciskAktywacja1", "Aktywacja"),
              p("PrzyciskKasowanie1", "Kasowanie"), p("PrzyciskZmianaKartoteki", "Zmiana kartoteki")}},
            {"GrupaSymulatora", "Symulator",
             {p("PrzyciskDecyzje1", "Decyzje"), p("PrzyciskSymulacja", "Symulacja"),
              p("PrzyciskRezultaty1", "Rezultaty")}},
            {"GrupaDecyzje", "Decyzje",
             {p("PrzyciskAktywacja2", "Aktywacja"), p("PrzyciskEdycja", "Edycja"),
              p("PrzyciskKasowanie2", "Kasowanie")}},
            {"GrupaRezultaty", "Rezultaty",
             {p("PrzyciskDecyzje2", "Decyzje"), p("PrzyciskProdukcja1", "Produkcja"), p("PrzyciskFinanse", "Finanse"),
              p("PrzyciskWynikSyntetyczny", "Wynik Syntetyczny")}},
            {"GrupaFinanse", "Finanse",
             {p("PrzyciskWskaznikiFinansowe", "Wskaźniki finansowe"), p("PrzyciskBilansOkresowy", "Bilans okresowy"),
              d("PrzyciskZestawienieZmian"), d("PrzyciskRachunekZyskowiStrat"), d("PrzyciskRachunekZyskowiStrat2"),
              d("PrzyciskCashFlow"), p("PrzyciskKoszty", "Koszty")}},
            {"GrupaProdukcja", "Produkcja", {p("PrzyciskZapasy", "Zapasy"), p("PrzyciskProdukcja2", "Produkcja")}},
            {"GrupaWskaznikow", c("Wskaźniki finansowe"),
             {p("PrzyciskPlynnosc", "Płynność"), d("PrzyciskZadluzenie"), p("PrzyciskRentownosc", "Rentowność"),
              p("PrzyciskObrotowosci", "Obrotowość")}},
        };
    }();
    return g;
}

InterfejsTradycyjny::InterfejsTradycyjny(Warsztat& warsztat) : w(warsztat) {
    for (const GrupaInterfejsu& g : GrupyInterfejsu()) {
        Widoczna[g.nazwa] = std::string(g.nazwa) == "GrupaMenuGlownego";
        for (const PrzyciskGrupy& p : g.przyciski) {
            Wlaczony[p.nazwa] = true;
            Napis[p.nazwa] = p.napis;
        }
    }
    Wlaczony["PrzyciskSymulacja"] = false;
    // The commands that refill the decision form settle its unconfirmed
    // edits with the user first.
    Polecenia.Nowy1Click = [this] {
        if (w.PrzedPorzuceniemFormularza()) w.Nowy1Click();
    };
    Polecenia.NowyPlik1Click = [this] {
        if (w.PrzedPorzuceniemFormularza()) w.NowyPlik1Click();
    };
    Polecenia.Kasowanieoperatora1Click = [this] { w.Kasowanieoperatora1Click(); };
    Polecenia.Wyjscie1Click = [] {};
    Polecenia.Symulowanie = [this] { return w.PrzedPorzuceniemFormularza() && w.Symulowanie(); };
    Polecenia.Podglad = [this](const OpisPodgladu& o) {
        WynikPodgladu r = UruchomPodglad(w, o);
        PoPodgladzie(r);
        return r;
    };
    Polecenia.Doedycji1Click = [this] {
        if (w.PrzedPorzuceniemFormularza()) w.Doedycji1Click();
    };
    // The confirmation deletes as Del does: a node with results, or with
    // decisions of its own, only after the user's yes.
    Polecenia.KasowanieWezla = [this] { return w.PrzedPorzuceniemFormularza() && w.Kasowaniewza1Click(); };
    Polecenia.Sprawdz_bazowego = [this] { w.Bazowy1Click(); };
}

void InterfejsTradycyjny::Szaro() {
    Pogrubione.clear();
    for (const DwaWiersze& d : Dwuwierszowe) Napis[d.przycisk] = c(d.napis);
}

void InterfejsTradycyjny::pogrub(std::initializer_list<const char*> nazwy) {
    for (const char* n : nazwy) Pogrubione.insert(n);
}

void InterfejsTradycyjny::ukryj(std::initializer_list<const char*> grupy) {
    for (const char* g : grupy) Widoczna[g] = false;
}

std::string InterfejsTradycyjny::etykietaWybranego() const {
    const int i = w.IndeksWybranego();
    return i >= 0 ? w.Drzewo.Etykieta(i) : std::string();
}

bool InterfejsTradycyjny::niesymulowanyWybrany() const {
    std::string rodzaj, numer;
    return rozbierz(etykietaWybranego(), rodzaj, numer) == RodzajNiesymulowany;
}

void InterfejsTradycyjny::wlaczaniePoRodzaju() {
    std::string rodzaj, numer;
    rozbierz(etykietaWybranego(), rodzaj, numer);
    const bool niesymulowany = rodzaj == "d";
    Wlaczony["PrzyciskProdukcja1"] = Wlaczony["PrzyciskFinanse"] = !niesymulowany;
    Wlaczony["PrzyciskWynikSyntetyczny"] = !niesymulowany && numer != "0";
    Wlaczony["PrzyciskSymulacja"] = niesymulowany;
}

void InterfejsTradycyjny::pokazTylko(const char* zakladka) {
    for (auto& [nazwa, widoczna] : Zakladki.Widoczna) widoczna = nazwa == zakladka;
    Zakladki.Aktywna = zakladka;
}

void InterfejsTradycyjny::Klik(const std::string& nazwa) {
    for (const PrzyciskGrupowy& p : PrzyciskiGrupowe())
        if (nazwa == p.przycisk) return przyciskGrupy(nazwa);
    // Any other button is a command of its own: a pending deletion is
    // dropped rather than left armed for later.
    ZakonczKasowanie();
    for (const PrzyciskRaportu& p : PrzyciskiRaportow())
        if (nazwa == p.przycisk) return przyciskSprawozdania(nazwa);
    if (nazwa == "PrzyciskInicjacja" || nazwa == "PrzyciskAktywacja1" || nazwa == "PrzyciskKasowanie1" ||
        nazwa == "PrzyciskZmianaKartoteki")
        return przyciskOperatora(nazwa);
    if (nazwa == "PrzyciskAktywacja2" || nazwa == "PrzyciskEdycja" || nazwa == "PrzyciskKasowanie2")
        return przyciskDecyzji(nazwa);
    if (nazwa == "PrzyciskSymulacja") return PrzyciskSymulacja();
    if (nazwa == "PrzyciskKoniec") return Polecenia.Wyjscie1Click();
}

void InterfejsTradycyjny::przyciskGrupy(const std::string& nazwa) {
    Szaro();
    for (const PrzyciskGrupowy& p : PrzyciskiGrupowe()) {
        if (nazwa != p.przycisk) continue;
        if (p.grupa) Widoczna[p.grupa] = !Widoczna[p.grupa];
        for (const char* g : p.ukrywa) Widoczna[g] = false;
        if (nazwa == "PrzyciskRezultaty1" && !Widoczna["GrupaRezultaty"])
            ukryj({"GrupaProdukcja", "GrupaFinanse", "GrupaWskaznikow"});
        for (const char* b : p.pogrubia) Pogrubione.insert(b);
    }
}

void InterfejsTradycyjny::przyciskSprawozdania(const std::string& nazwa) {
    const PrzyciskRaportu* p = nullptr;
    for (const PrzyciskRaportu& r : PrzyciskiRaportow())
        if (nazwa == r.przycisk) p = &r;
    Szaro();
    for (const char* g : p->ukrywa) Widoczna[g] = false;
    for (const char* b : p->pogrubia) Pogrubione.insert(b);
    Pogrubione.insert(p->przycisk);
    if (nazwa == "PrzyciskZestawienieZmian") Napis[nazwa] = c("Zestawienie zmian w\nkapitale własnym");
    if (p->zmianaWezla) w.Zmiana_wezla();

    const WynikPodgladu r = Polecenia.Podglad(*ZnajdzPodglad(p->podglad));
    // Only a page its viewer wrote now, never one an earlier node left.
    StronaTradycyjna.clear();
    if (r.Status != StatusPodgladu::Pokazany) return;
    if (nazwa == "PrzyciskWynikSyntetyczny" && w.k.NumerWezla == 0) return;
    // The page its viewer wrote now, where it put it (a read-only
    // operator's in the user's folder), by the name its writer gave it;
    // none when it was not written now, the viewer having told why.
    if (p->strona >= r.Strony.size() || r.Strony[p->strona].empty()) return;
    StronaTradycyjna = r.Strony[p->strona];
    pokazTylko(ZakladkaSprawozdanie);
}

void InterfejsTradycyjny::przyciskOperatora(const std::string& nazwa) {
    Szaro();
    pogrub({"PrzyciskOperatora", "PrzyciskRezultaty1", "PrzyciskFinanse"});
    Pogrubione.insert(nazwa);
    if (nazwa == "PrzyciskKasowanie1") {
        Polecenia.Kasowanieoperatora1Click();
        return;
    }
    if (nazwa == "PrzyciskZmianaKartoteki") return;
    if (nazwa == "PrzyciskInicjacja")
        Polecenia.Nowy1Click();
    else
        Polecenia.NowyPlik1Click();
    Widoczna["GrupaOperatora"] = false;
    NumerZbioruPrim = etykietaWybranego();
    wlaczaniePoRodzaju();
    if (nazwa == "PrzyciskAktywacja1") {
        std::string rodzaj, numer;
        Wlaczony["PrzyciskRezultaty1"] = rozbierz(NumerZbioruPrim, rodzaj, numer) == RodzajSymulowany;
    }
}

void InterfejsTradycyjny::przyciskDecyzji(const std::string& nazwa) {
    // Activation and deletion refill the form: its unconfirmed edits are
    // settled with the user before anything changes.
    if (nazwa != "PrzyciskEdycja" && !w.PrzedPorzuceniemFormularza()) return;
    if (nazwa == "PrzyciskAktywacja2") wlaczaniePoRodzaju();
    Szaro();
    pogrub({"PrzyciskSymulatora", "PrzyciskDecyzje1"});
    Pogrubione.insert(nazwa);
    SpeedPotwierdzenieWidoczny = true;
    if (nazwa == "PrzyciskAktywacja2") {
        KrokPotwierdzenia = 1;
        SpeedPotwierdzenie = "Zatwierdzam";
        w.Zmiana_wezla();
    } else if (nazwa == "PrzyciskEdycja") {
        KrokPotwierdzenia = 2;
        SpeedPotwierdzenie = c("Wskaż węzeł bazowy");
    } else {
        KrokPotwierdzenia = 1;
        SpeedPotwierdzenie = c("Skasować?");
        w.Zmiana_wezla();
        NumerZbioruPrim = etykietaWybranego();
    }
    Zakladki.Widoczna[ZakladkaDrzewo] = true;
    Zakladki.Aktywna = ZakladkaDrzewo;
}

void InterfejsTradycyjny::SpeedPotwierdzenieClick() {
    NumerZbioruPrim = etykietaWybranego();
    if (KrokPotwierdzenia == 1) {
        if (SpeedPotwierdzenie == c("Wskaż węzeł do edycji")) {
            Polecenia.Doedycji1Click();
            Wlaczony["PrzyciskProdukcja1"] = Wlaczony["PrzyciskFinanse"] = Wlaczony["PrzyciskWynikSyntetyczny"] = false;
            Wlaczony["PrzyciskSymulacja"] = true;
        } else if (TrybKasowania()) {
            // One deletion per Kasowanie; a refused or declined one leaves
            // the button for another node.
            if (Polecenia.KasowanieWezla()) ZakonczKasowanie();
            NumerZbioruPrim = etykietaWybranego();
            Wlaczony["PrzyciskSymulacja"] = niesymulowanyWybrany();
        }
        Zakladki.Widoczna[ZakladkaInterfejs] = true;
        Zakladki.Aktywna = ZakladkaInterfejs;
        return;
    }
    if (KrokPotwierdzenia == 2 && SpeedPotwierdzenie == c("Wskaż węzeł bazowy")) {
        Polecenia.Sprawdz_bazowego();
        if (!w.OkienkoBazowe.empty()) {
            KrokPotwierdzenia = 1;
            SpeedPotwierdzenie = c("Wskaż węzeł do edycji");
        }
    }
}

void InterfejsTradycyjny::DodanieNowejDecyzji() {
    if (w.natychmiastowe_dodanie_i_edycja_wezla()) pokazDodany();
}

void InterfejsTradycyjny::WyborDoEdycji() {
    if (w.Doedycji1Click()) return pokazDodany();
    // The template chosen alone is seen in its box on the tree tab.
    zakladkiOperatora();
}

void InterfejsTradycyjny::pokazDodany() {
    NumerZbioruPrim = etykietaWybranego();
    StatusPrim = teksty::NieSymulowany;
    Wlaczony["PrzyciskProdukcja1"] = Wlaczony["PrzyciskFinanse"] = Wlaczony["PrzyciskWynikSyntetyczny"] = false;
    Wlaczony["PrzyciskSymulacja"] = true;
    zakladkiOperatora();
}

bool InterfejsTradycyjny::TrybKasowania() const {
    return SpeedPotwierdzenieWidoczny && KrokPotwierdzenia == 1 && SpeedPotwierdzenie == c("Skasować?");
}

void InterfejsTradycyjny::ZakonczKasowanie() {
    if (!TrybKasowania()) return;
    SpeedPotwierdzenie.clear();
    SpeedPotwierdzenieWidoczny = false;
}

void InterfejsTradycyjny::PrzyciskSymulacja() {
    // Only an unsimulated node is simulated; any other press says why.
    if (!niesymulowanyWybrany()) {
        const std::string wezel = etykietaWybranego();
        w.k.Okna->message(wezel.empty() ? c("Nie wybrano węzła do symulacji")
                                        : c("Węzeł ") + wezel + c(" jest już symulowany"));
        return;
    }
    // Asked before the form is refilled from the stored record.
    if (!w.PrzedPorzuceniemFormularza()) return;
    Szaro();
    ukryj({"GrupaDecyzje", "GrupaRezultaty", "GrupaFinanse", "GrupaProdukcja", "GrupaWskaznikow"});
    pogrub({"PrzyciskSymulatora", "PrzyciskSymulacja"});
    w.Zmiana_wezla();
    // The node is marked simulated only when its simulation succeeded.
    if (!Polecenia.Symulowanie()) return;
    Wlaczony["PrzyciskProdukcja1"] = Wlaczony["PrzyciskFinanse"] = Wlaczony["PrzyciskWynikSyntetyczny"] = true;
    StatusPrim = teksty::Symulowany;
    NumerZbioruPrim = etykietaWybranego();
    Wlaczony["PrzyciskSymulacja"] = false;
}

void InterfejsTradycyjny::InterfejsShow() { ZaWyborem(); }

void InterfejsTradycyjny::ZaWyborem() {
    NumerZbioruPrim = etykietaWybranego();
    const bool niesymulowany = niesymulowanyWybrany();
    StatusPrim = niesymulowany ? teksty::NieSymulowany : teksty::Symulowany;
    Wlaczony["PrzyciskSymulacja"] = niesymulowany;
}

void InterfejsTradycyjny::InterfejsEnter() {
    Zakladki.Widoczna[ZakladkaSprawozdanie] = false;
    Zakladki.Widoczna[ZakladkaInterfejs] = true;
}

void InterfejsTradycyjny::PrzyciskTabDrzewo() {
    Zakladki.Widoczna[ZakladkaDrzewo] = !Zakladki.Widoczna[ZakladkaDrzewo];
}

void InterfejsTradycyjny::PrzyciskPowrotDoInterfejsu() {
    Zakladki.Widoczna[ZakladkaSprawozdanie] = false;
    Zakladki.Widoczna[ZakladkaInterfejs] = true;
    Zakladki.Aktywna = ZakladkaInterfejs;
}

void InterfejsTradycyjny::BitBtn1Click() { zakladkiOperatora(); }

void InterfejsTradycyjny::zakladkiOperatora() {
    Zakladki.Widoczna = StanZakladek{}.Widoczna;
    Zakladki.Aktywna = ZakladkaDrzewo;
}

void InterfejsTradycyjny::PokazOperatora() {
    zakladkiOperatora();
    StronaTradycyjna.clear();
}

void InterfejsTradycyjny::PoPodgladzie(const WynikPodgladu& wynik) {
    if (wynik.PokazZakladke) pokazTylko(ZakladkaSprawozdanie2);
}

void InterfejsTradycyjny::PoWydruku(bool wydrukowano, const std::string& drukarka) {
    if (!wydrukowano)
        w.k.Okna->message(c("Brak drukarki - strona nie została wydrukowana"));
    else
        w.k.Okna->message(c("Strona wysłana do drukarki") + (drukarka.empty() ? std::string() : " " + drukarka));
}

}  // namespace vesk
