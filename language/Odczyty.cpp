#include "Odczyty.h"

#include <cstring>
#include <optional>
#include <stdexcept>
#include <vector>

#include "BladSkryptu.h"
#include "IoError.h"
#include "MapaRekordu.h"
#include "PolaRoku.h"
#include "PozycjaBilansu.h"
#include "RaportPRF.h"
#include "RaportPRO.h"
#include "RaportSRE.h"
#include "Real48.h"
#include "Wyrazenie.h"
#include "ZmienneSkryptu.h"

namespace vesk {

namespace {

using namespace pola;

using Tabela = std::vector<Wyrazenie>;

bool RokOkresu(int rok) { return rok >= 1 && rok <= 3; }

// Cell pozycja (from 1) of a table in year rok; BrakWartosci when either
// selects nothing.
double Komorka(const Tabela& tabela, int pozycja, const StanModelu& rekord, int rok) {
    if (pozycja < 1 || pozycja > static_cast<int>(tabela.size()) || !RokOkresu(rok)) return BrakWartosci;
    return static_cast<double>(tabela[static_cast<std::size_t>(pozycja - 1)](rekord, rok));
}

// The three elements of a per-product (or per-material, per-department) field.
void DodajElementy(Tabela& t, PoleRoku pole) {
    for (int e = 1; e <= 3; ++e) t.push_back(ElementPola(pole, e));
}

Tabela Polaczone(const Tabela& a, const Tabela& b) {
    Tabela t = a;
    t.insert(t.end(), b.begin(), b.end());
    return t;
}

// ------------------------------------------------------ income statement
const Tabela& KosztyIStraty() {
    static const Tabela t{
        KosztyWytworzenia,
        Amortyzacja,
        ZuzycieMaterialow,
        PodatkiIOplaty,
        WynagrodzeniaISwiadczenia,
        UslugiObce,
        KosztyFinansowe,
        ZmniejszenieStanuProduktow(),
        WynikNaDzialalnosci(),
        PozostaleKoszty,
        ZyskBruttoKonta(),
        ObciazeniaWyniku(),
        ZyskNettoRachunku(),
        DywidendaZwykla,
        ZyskZatrzymany,
        RazemKosztyIStraty(),
    };
    return t;
}

const Tabela& PrzychodyIZyski() {
    static const Tabela t = [] {
        Tabela w{PrzychodyZeSprzedazy};
        DodajElementy(w, SprzedazWyrobow);
        w.push_back(ZwiekszenieStanuProduktow());
        w.push_back(StrataBruttoKonta());
        w.push_back(RazemPrzychodyIZyski());
        return w;
    }();
    return t;
}

// -------------------------------------------------------------- cash flow
Wyrazenie ZDzialalnosciOperacyjnej() { return WplywyRoku - WydatkiRoku; }
Wyrazenie InneZrodla() { return EmisjaAkcjiZwyklych + KredytyZaciagnieteRoku; }
Wyrazenie ZrodlaPieniadza() { return ZDzialalnosciOperacyjnej() + EmisjaAkcjiZwyklych + KredytyZaciagnieteRoku; }

const Tabela& CashFlow() {
    static const Tabela t{
        ZrodlaPieniadza(),
        ZDzialalnosciOperacyjnej(),
        WplywyRoku,
        WydatkiRoku,
        InneZrodla(),
        EmisjaAkcjiZwyklych,
        KredytyZaciagnieteRoku,
        WykorzystaniePieniadza,
        NabycieGruntowIUrzadzen,
        SplataKredytowInwestycyjnych,
        KredytySplaconeRoku,
        DywidendaZwykla,
        ZrodlaPieniadza() - WykorzystaniePieniadza,
        RachunekRozliczeniowyNaPoczatkuRoku,
        RachunekRozliczeniowy,
    };
    return t;
}

// ------------------------------------------------------------ production
const Tabela& Produkcja() {  // the language's numbering
    static const Tabela t = [] {
        Tabela w;
        DodajElementy(w, ProdukcjaRoku);
        DodajElementy(w, SprzedazRoku);
        for (int e = 1; e <= 3; ++e) w.push_back(ZdolnoscNaKrok(e));
        for (int e = 1; e <= 3; ++e) w.push_back(WykorzystanieZdolnosci(e));
        return w;
    }();
    return t;
}

// ------------------------------------------------------------ inventories
const Tabela& Zapasy() {  // the language's numbering
    static const Tabela t = [] {
        Tabela w;
        DodajElementy(w, ZapasSurowcow);
        DodajElementy(w, ZapasWyrobowGotowych);
        DodajElementy(w, ProdukcjaWToku);
        return w;
    }();
    return t;
}

// ------------------------------------------------------------------ costs
const Tabela& KosztyLewe() {  // side 1 without its two empty cells
    static const Tabela t = [] {
        Tabela w{KosztyWytworzenia};
        DodajElementy(w, KosztyOperacyjneWyrobu);
        w.push_back(ZuzycieMaterialow);
        DodajElementy(w, ZuzycieMaterialowRoku);
        w.push_back(WynagrodzeniaISwiadczenia);
        DodajElementy(w, WynagrodzeniaWydzialu);
        return w;
    }();
    return t;
}

const Tabela& KosztyPrawe() {
    static const Tabela t = [] {
        Tabela w{Amortyzacja};
        DodajElementy(w, AmortyzacjaWydzialu);
        w.push_back(UslugiObce);
        DodajElementy(w, UslugiObceWydzialu);
        w.push_back(PodatkiIOplaty);
        w.push_back(KosztyFinansowe);
        w.push_back(KosztySprzedanychProduktow);
        DodajElementy(w, KosztSprzedanychRoku);
        return w;
    }();
    return t;
}

// ----------------------------------------------------------------- ratios
// The stored quotients, read where the printed ratio has no value.
const Tabela& TabelaWskaznikow(Wskazniki grupa) {
    static const Tabela plynnosci{KapitalObrotowy, WskaznikBiezacejPlynnosci, WskaznikSzybkiejPlynnosci};
    static const Tabela zadluzenia{WskaznikZadluzeniaOgolnego, WskaznikZadluzeniaKapitaluWlasnego,
                                   WskaznikPokryciaOdsetek};
    static const Tabela rentownosci{RentownoscAktywow, RentownoscMajatkuTrwalego, RentownoscSprzedazy,
                                    RentownoscKapitaluWlasnego};
    static const Tabela obrotowosci{RotacjaZapasow, RotacjaMajatkuTrwalego, RotacjaAktywow};
    switch (grupa) {
        case Wskazniki::Plynnosci: return plynnosci;
        case Wskazniki::Zadluzenia: return zadluzenia;
        case Wskazniki::Rentownosci: return rentownosci;
        case Wskazniki::Obrotowosci: break;
    }
    return obrotowosci;
}

// -------------------------------------------------------------- decisions
// The record offset of a decision field, by the record map's name.
std::size_t PolozenieDecyzji(const char* nazwa) {
    for (const PoleDecyzji& p : MapaDecyzji())
        if (std::strcmp(p.wielkosc.nazwa, nazwa) == 0) return p.offset;
    throw std::logic_error(std::string("no decision field ") + nazwa);
}

constexpr std::size_t BajtowRokuTrojki = 18, BajtowRokuPojedynczej = 6;
constexpr std::size_t BajtowProduktuInwestycji = 144, BajtowRokuInwestycji = 48, BajtowProjektu = 24;

}  // namespace

double WartoscRachunkuWynikow(const StanModelu& rekord, int pozycja, int strona, int rok) {
    if (strona == 1) return Komorka(KosztyIStraty(), pozycja, rekord, rok);
    if (strona == 2) return Komorka(PrzychodyIZyski(), pozycja, rekord, rok);
    return BrakWartosci;
}

double WartoscWynikuSyntetycznego(Kontekst& k, int pozycja, int rodzaj) {
    if (pozycja < 1 || pozycja > LiczbaPozycjiSRE) return BrakWartosci;
    const std::size_t i = static_cast<std::size_t>(pozycja - 1);
    if (rodzaj == 1) {
        long double v = PozycjeSRE()[i].wartosc(k.RekordBiezacy, 3);
        if (BezWartosci(v)) v = Odczyt(k.RekordBiezacy, PozycjeSRE()[i].pole, 3);
        return static_cast<double>(roundToReal48(v));
    }
    if (rodzaj != 2) return BrakWartosci;
    const std::optional<std::vector<int>> sciezka = SciezkaDoKorzenia(k.TabelaWezlow, k.RekordBiezacy.Numer());
    if (!sciezka || sciezka->size() < 2) return BrakWartosci;
    std::optional<SrednieSRE> srednie;
    try {
        srednie = SrednieNaSciezce(k, *sciezka, true);
        if (srednie && BezWartosci(srednie->srednie[i])) srednie = SrednieNaSciezce(k, *sciezka);
    } catch (const IoError& e) {
        throw BladSkryptu(BladSkryptu::Rodzaj::PlikStanu, e.what());
    } catch (const Real48Error&) {
        throw BladSkryptu(BladSkryptu::Rodzaj::PozaZakresem, "suma wyniku syntetycznego poza zakresem");
    }
    if (!srednie) return BrakWartosci;
    return static_cast<double>(roundToReal48(srednie->srednie[i]));
}

double WartoscCashFlow(const StanModelu& rekord, int pozycja, int rok) {
    return Komorka(CashFlow(), pozycja, rekord, rok);
}

double WartoscDecyzji(const StanModelu& rekord, int pozycja, int rok) {
    if (pozycja < 1 || pozycja > 18 || !RokOkresu(rok)) return BrakWartosci;
    const std::size_t r = static_cast<std::size_t>(rok - 1);
    const ByteView b = rekord.widok();
    auto trojka = [&](const char* pole, int pierwsza) {
        return b.real48(PolozenieDecyzji(pole) + BajtowRokuTrojki * r +
                        6 * static_cast<std::size_t>(pozycja - pierwsza));
    };
    auto pojedyncza = [&](const char* pole) { return b.real48(PolozenieDecyzji(pole) + BajtowRokuPojedynczej * r); };
    if (pozycja <= 3) return static_cast<double>(trojka("DecyzjeProdukcji", 1));
    if (pozycja <= 6) return static_cast<double>(1000.0L * trojka("DecyzjeCen", 4));
    if (pozycja <= 9) return static_cast<double>(trojka("DecyzjeZakupuSurowcow", 7));
    if (pozycja == 10) return static_cast<double>(100.0L * pojedyncza("UdzialDywidendyZwyklej"));
    if (pozycja == 11) return static_cast<double>(100.0L * pojedyncza("DecyzjeZadluzenia"));
    if (pozycja == 12) return static_cast<double>(pojedyncza("EmisjaAkcji"));
    const std::size_t produkt = static_cast<std::size_t>(pozycja - 13) / 2;  // 0..2
    const std::size_t projekt = static_cast<std::size_t>(pozycja - 13) % 2;  // 0..1
    return b.u8(PolozenieDecyzji("HarmonogramInwestycji") + BajtowProduktuInwestycji * produkt +
                BajtowRokuInwestycji * r + BajtowProjektu * projekt);
}

double WartoscProdukcji(const StanModelu& rekord, int pozycja, int strona, int rok) {
    if (strona != 1 && strona != 2) return BrakWartosci;
    if (pozycja >= 1 && pozycja <= 3) return WartoscProdukcji(rekord, pozycja + 3 * (strona - 1), rok);
    if (pozycja >= 4 && pozycja <= 6) return WartoscProdukcji(rekord, pozycja + 3 + 3 * (strona - 1), rok);
    return BrakWartosci;
}

double WartoscProdukcji(const StanModelu& rekord, int pozycja, int rok) {
    return Komorka(Produkcja(), pozycja, rekord, rok);
}

double WartoscZapasow(const StanModelu& rekord, int pozycja, int strona, int rok) {
    if (!RokOkresu(rok)) return BrakWartosci;
    if (strona == 1 && pozycja >= 1 && pozycja <= 3) return WartoscZapasow(rekord, pozycja, rok);
    if (strona == 2 && pozycja >= 1 && pozycja <= 3) return WartoscZapasow(rekord, pozycja + 3, rok);
    if (strona == 1 && pozycja >= 4 && pozycja <= 6) return WartoscZapasow(rekord, pozycja + 3, rok);
    if (strona == 2 && pozycja >= 4 && pozycja <= 6) return 0.0;
    return BrakWartosci;
}

double WartoscZapasow(const StanModelu& rekord, int pozycja, int rok) {
    return Komorka(Zapasy(), pozycja, rekord, rok);
}

double WartoscKosztow(const StanModelu& rekord, int pozycja, int strona, int rok) {
    if (strona == 1) {
        if ((pozycja == 13 || pozycja == 14) && RokOkresu(rok)) return 0.0;
        return Komorka(KosztyLewe(), pozycja, rekord, rok);
    }
    if (strona == 2) return Komorka(KosztyPrawe(), pozycja, rekord, rok);
    return BrakWartosci;
}

double WartoscKosztow(const StanModelu& rekord, int pozycja, int rok) {
    static const Tabela wszystkie = Polaczone(KosztyLewe(), KosztyPrawe());
    return Komorka(wszystkie, pozycja, rekord, rok);
}

double WartoscWskaznika(const StanModelu& rekord, Wskazniki grupa, int pozycja, int rok) {
    const double v = Komorka(DrukowaneWskazniki(grupa), pozycja, rekord, rok);
    return BezWartosci(v) ? Komorka(TabelaWskaznikow(grupa), pozycja, rekord, rok) : v;
}

// ------------------------------------------------------------------ store

bool wyjscie_transform(Kontekst& k, const std::string& Name, double Value) {
    for (int N = 1; N <= LiczbaZmiennych; ++N) {
        if (Name != "x" + std::to_string(N)) continue;
        UstawWartoscZmiennej(k, N, Value);
        return true;
    }
    return false;
}

bool Wyjscie_rachunek_wynikow(Kontekst& k, int Item, int Side, int Year, const std::string& Name) {
    return wyjscie_transform(k, Name, WartoscRachunkuWynikow(k.RekordBiezacy, Item, Side, Year));
}
bool Wyjscie_wynik_syntetyczny(Kontekst& k, int Item, int Kind, const std::string& Name) {
    return wyjscie_transform(k, Name, WartoscWynikuSyntetycznego(k, Item, Kind));
}
bool Wyjscie_CashFlow(Kontekst& k, int Item, int Year, const std::string& Name) {
    return wyjscie_transform(k, Name, WartoscCashFlow(k.RekordBiezacy, Item, Year));
}
bool Wyjscie_Decyzje(Kontekst& k, int Item, int Year, const std::string& Name) {
    return wyjscie_transform(k, Name, WartoscDecyzji(k.RekordBiezacy, Item, Year));
}
bool Wyjscie_Produkcja(Kontekst& k, int Item, int Side, int Year, const std::string& Name) {
    return wyjscie_transform(k, Name, WartoscProdukcji(k.RekordBiezacy, Item, Side, Year));
}
bool _produkcja(Kontekst& k, int Item, int Year, const std::string& Name) {
    return wyjscie_transform(k, Name, WartoscProdukcji(k.RekordBiezacy, Item, Year));
}
bool Wyjscie_Zapasy(Kontekst& k, int Item, int Side, int Year, const std::string& Name) {
    return wyjscie_transform(k, Name, WartoscZapasow(k.RekordBiezacy, Item, Side, Year));
}
bool _zapasy(Kontekst& k, int Item, int Year, const std::string& Name) {
    return wyjscie_transform(k, Name, WartoscZapasow(k.RekordBiezacy, Item, Year));
}
bool Wyjscie_Koszty(Kontekst& k, int Item, int Side, int Year, const std::string& Name) {
    return wyjscie_transform(k, Name, WartoscKosztow(k.RekordBiezacy, Item, Side, Year));
}
bool _koszty(Kontekst& k, int Item, int Year, const std::string& Name) {
    return wyjscie_transform(k, Name, WartoscKosztow(k.RekordBiezacy, Item, Year));
}
bool Wyjscie_wskazniki_rentownosci(Kontekst& k, int Item, int Year, const std::string& Name) {
    return wyjscie_transform(k, Name, WartoscWskaznika(k.RekordBiezacy, Wskazniki::Rentownosci, Item, Year));
}
bool Wyjscie_wskazniki_plynnosci(Kontekst& k, int Item, int Year, const std::string& Name) {
    return wyjscie_transform(k, Name, WartoscWskaznika(k.RekordBiezacy, Wskazniki::Plynnosci, Item, Year));
}
bool Wyjscie_wskazniki_zadluzenia(Kontekst& k, int Item, int Year, const std::string& Name) {
    return wyjscie_transform(k, Name, WartoscWskaznika(k.RekordBiezacy, Wskazniki::Zadluzenia, Item, Year));
}
bool Wyjscie_wskazniki_obrotowosci(Kontekst& k, int Item, int Year, const std::string& Name) {
    return wyjscie_transform(k, Name, WartoscWskaznika(k.RekordBiezacy, Wskazniki::Obrotowosci, Item, Year));
}

bool Pozycja_Bilansu(Kontekst& k, int Row, int Column, const std::string& Name) {
    double v = 0.0;
    try {
        v = KomorkaBilansu(k.RekordBiezacy, Row, Column);
    } catch (const Real48Error& e) {
        throw BladSkryptu(BladSkryptu::Rodzaj::PozaZakresem, e.what());
    }
    return wyjscie_transform(k, Name, v);
}

bool _bilans(Kontekst& k, int Item, int Side, int Year, const std::string& Name) {
    return wyjscie_transform(k, Name, WartoscBilansu(k.RekordBiezacy, Item, Side, Year));
}

bool Odczyt_Rachunek_Wynikow(Kontekst& k, int Item, int Side, int Year, const std::string& Name) {
    return Wyjscie_rachunek_wynikow(k, Item, Side, Year, Name);
}
bool Odczyt_Produkcja(Kontekst& k, int Item, int Side, int Year, const std::string& Name) {
    return Wyjscie_Produkcja(k, Item, Side, Year, Name);
}
bool Odczyt_Zapasy(Kontekst& k, int Item, int Side, int Year, const std::string& Name) {
    return Wyjscie_Zapasy(k, Item, Side, Year, Name);
}
bool Odczyt_Koszty(Kontekst& k, int Item, int Side, int Year, const std::string& Name) {
    return Wyjscie_Koszty(k, Item, Side, Year, Name);
}
bool Odczyt_Wynik_Syntetyczny(Kontekst& k, int Item, int Kind, const std::string& Name) {
    return Wyjscie_wynik_syntetyczny(k, Item, Kind, Name);
}
bool Odczyt_Bilans(Kontekst& k, int Row, int Column, const std::string& Name) {
    return Pozycja_Bilansu(k, Row, Column, Name);
}
bool Odczyt_CashFlow(Kontekst& k, int Item, int Year, const std::string& Name) {
    return Wyjscie_CashFlow(k, Item, Year, Name);
}
bool Odczyt_Decyzje(Kontekst& k, int Item, int Year, const std::string& Name) {
    return Wyjscie_Decyzje(k, Item, Year, Name);
}

}  // namespace vesk
