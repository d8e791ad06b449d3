// The yearly result fields of the model-state record that the reports
// read, each named by the record offset of its year-1 value; year y lies
// 4528 x (y - 1) bytes further. Declared once here and used by every
// reader and writer of the reports, so that an offset is never spelt twice.
#pragma once

#include <cassert>
#include <cstddef>

#include "Typy.h"

namespace vesk {

inline constexpr std::size_t PoczatekBlokowRoku = 3456;
inline constexpr std::size_t DlugoscBlokuRoku = 4528;

struct PoleRoku {
    const char* nazwa;
    std::size_t przesuniecie;  // record offset of the year-1 value
};

// Record offset of year rok (1..3) of the field.
inline std::size_t PrzesuniecieRoku(PoleRoku pole, int rok) {
    assert(rok >= 1 && rok <= 3);
    return pole.przesuniecie + DlugoscBlokuRoku * static_cast<std::size_t>(rok - 1);
}

// The value of year rok, widened to extended precision.
inline long double Odczyt(const StanModelu& rekord, PoleRoku pole, int rok) {
    return rekord.widok().real48(PrzesuniecieRoku(pole, rok));
}

// Stores v into year rok, rounded to the 6-byte grid; Real48Error when v
// cannot be stored (the record is then unchanged).
inline void Zapis(StanModelu& rekord, PoleRoku pole, int rok, long double v) {
    rekord.zapis().setReal48(PrzesuniecieRoku(pole, rok), v);
}

// Element k (1..3) of a field that holds one 6-byte real per product or
// per raw material, the elements lying side by side in the year block.
inline constexpr PoleRoku ElementPola(PoleRoku pole, int k) {
    return {pole.nazwa, pole.przesuniecie + 6 * static_cast<std::size_t>(k - 1)};
}

namespace pola {
// Balance sheet and capital statement.
inline constexpr PoleRoku DekapitalizacjaGruntowIBudynkow{"DekapitalizacjaGruntowIBudynkow", 4080};
inline constexpr PoleRoku DekapitalizacjaUrzadzenIMaszyn{"DekapitalizacjaUrzadzenIMaszyn", 4088};
inline constexpr PoleRoku GruntyIBudynkiBrutto{"GruntyIBudynkiBrutto", 4096};
inline constexpr PoleRoku GruntyIBudynkiNetto{"GruntyIBudynkiNetto", 4104};
inline constexpr PoleRoku UrzadzeniaIMaszynyNetto{"UrzadzeniaIMaszynyNetto", 4112};
inline constexpr PoleRoku MajatekObrotowy{"MajatekObrotowy", 4120};
inline constexpr PoleRoku ZobowiazaniaDlugoterminowe{"ZobowiazaniaDlugoterminowe", 4128};
inline constexpr PoleRoku KapitalAkcyjny{"KapitalAkcyjny", 4152};
inline constexpr PoleRoku KapitalWlasny{"KapitalWlasny", 4160};
inline constexpr PoleRoku KapitalRezerwowy{"KapitalRezerwowy", 4168};
inline constexpr PoleRoku KapitalZapasowy{"KapitalZapasowy", 4176};
inline constexpr PoleRoku WynikDoBilansu{"WynikDoBilansu", 4336};
inline constexpr PoleRoku KapitalAkcyjnyNaPoczatek{"KapitalAkcyjnyNaPoczatek", 4528};
inline constexpr PoleRoku EmisjaAkcjiWRoku{"EmisjaAkcjiWRoku", 4536};
inline constexpr PoleRoku SumaEmisjiNaKoniec{"SumaEmisjiNaKoniec", 4552};
inline constexpr PoleRoku SumaEmisjiNaPoczatek{"SumaEmisjiNaPoczatek", 4560};
inline constexpr PoleRoku KapitalZapasowyNaPoczatek{"KapitalZapasowyNaPoczatek", 4568};
inline constexpr PoleRoku ZwiekszenieKapitaluZapasowego{"ZwiekszenieKapitaluZapasowego", 4576};
inline constexpr PoleRoku KapitalRezerwowyNaPoczatek{"KapitalRezerwowyNaPoczatek", 4584};
inline constexpr PoleRoku ZwiekszenieKapitaluRezerwowego{"ZwiekszenieKapitaluRezerwowego", 4592};
inline constexpr PoleRoku KapitalWlasnyNaPoczatek{"KapitalWlasnyNaPoczatek", 4600};
inline constexpr PoleRoku ZmniejszenieKapitaluZapasowego{"ZmniejszenieKapitaluZapasowego", 4608};
inline constexpr PoleRoku KredytInwestycyjny{"KredytInwestycyjny", 4928};
inline constexpr PoleRoku KredytInwestycyjnyWRealizacji{"KredytInwestycyjnyWRealizacji", 4936};
inline constexpr PoleRoku KredytObrotowy{"KredytObrotowy", 4944};
inline constexpr PoleRoku KredytSanacyjny{"KredytSanacyjny", 4952};
inline constexpr PoleRoku PozostaleWplywyRoku{"PozostaleWplywyRoku", 5048};
inline constexpr PoleRoku InwestycjeRozpoczete{"InwestycjeRozpoczete", 5288};
inline constexpr PoleRoku ZyskZatrzymany{"ZyskZatrzymany", 6552};
inline constexpr PoleRoku PozostaleZobowiazaniaKrotkoterminowe{"PozostaleZobowiazaniaKrotkoterminowe", 4472};
inline constexpr PoleRoku Zobowiazania{"Zobowiazania", 6760};
inline constexpr PoleRoku UrzadzeniaIMaszynyBrutto{"UrzadzeniaIMaszynyBrutto", 6800};
inline constexpr PoleRoku Naleznosci{"Naleznosci", 6816};
inline constexpr PoleRoku RachunekRozliczeniowy{"RachunekRozliczeniowy", 6824};
inline constexpr PoleRoku SumaAktywow{"SumaAktywow", 6848};
inline constexpr PoleRoku SumaPasywow{"SumaPasywow", 6856};
inline constexpr PoleRoku StrataBrutto{"StrataBrutto", 7296};
inline constexpr PoleRoku SrodkiTrwale{"SrodkiTrwale", 7360};
inline constexpr PoleRoku WartoscProdukcjiWToku{"WartoscProdukcjiWToku", 7928};
inline constexpr PoleRoku WartoscMaterialow{"WartoscMaterialow", 7952};
inline constexpr PoleRoku WartoscWyrobowGotowych{"WartoscWyrobowGotowych", 7968};
// Inventories and production: one element per raw material or product
// (ElementPola).
inline constexpr PoleRoku ZapasWyrobowGotowych{"ZapasWyrobowGotowych", 6608};
inline constexpr PoleRoku ProdukcjaWToku{"ProdukcjaWToku", 6632};
inline constexpr PoleRoku ZapasSurowcow{"ZapasSurowcow", 6664};
inline constexpr PoleRoku SprzedazRoku{"SprzedazRoku", 7072};
inline constexpr PoleRoku ProdukcjaRoku{"ProdukcjaRoku", 7096};
inline constexpr PoleRoku ZdolnoscRoku{"ZdolnoscRoku", 7120};
inline constexpr PoleRoku ZdolnoscProdukcyjna{"ZdolnoscProdukcyjna", 7904};
// Synthetic result.
inline constexpr PoleRoku WskaznikBiezacejPlynnosci{"WskaznikBiezacejPlynnosci", 4192};
inline constexpr PoleRoku WskaznikZadluzeniaOgolnego{"WskaznikZadluzeniaOgolnego", 4208};
inline constexpr PoleRoku RentownoscAktywow{"RentownoscAktywow", 4232};
inline constexpr PoleRoku RentownoscSprzedazy{"RentownoscSprzedazy", 4248};
inline constexpr PoleRoku RotacjaZapasow{"RotacjaZapasow", 4272};
inline constexpr PoleRoku WartoscOddanychInwestycji{"WartoscOddanychInwestycji", 4416};
inline constexpr PoleRoku PrzychodyZeSprzedazy{"PrzychodyZeSprzedazy", 5744};
inline constexpr PoleRoku DywidendaZwykla{"DywidendaZwykla", 6520};
inline constexpr PoleRoku ZyskDoPodzialu{"ZyskDoPodzialu", 6528};
// Revenue and profit, income statement (SprzedazWyrobow: one element per
// product, ElementPola).
inline constexpr PoleRoku WynikZeSprzedazy{"WynikZeSprzedazy", 3472};
inline constexpr PoleRoku WynikOperacyjny{"WynikOperacyjny", 3480};
inline constexpr PoleRoku WynikPrzedOpodatkowaniem{"WynikPrzedOpodatkowaniem", 3488};
inline constexpr PoleRoku PozostaleKoszty{"PozostaleKoszty", 3496};
inline constexpr PoleRoku KosztyOkresowe1{"KosztyOkresowe1", 3968};
inline constexpr PoleRoku KosztyOkresowe2{"KosztyOkresowe2", 3976};
inline constexpr PoleRoku KosztyOkresowe3{"KosztyOkresowe3", 3984};
inline constexpr PoleRoku PodatkiIOplaty{"PodatkiIOplaty", 3992};
inline constexpr PoleRoku UslugiObce{"UslugiObce", 4000};
inline constexpr PoleRoku KosztySprzedanychProduktow{"KosztySprzedanychProduktow", 4032};
inline constexpr PoleRoku WynikLatUbieglych{"WynikLatUbieglych", 4304};
inline constexpr PoleRoku OdpisNaKapitalZapasowy{"OdpisNaKapitalZapasowy", 4480};
inline constexpr PoleRoku WynikNetto{"WynikNetto", 4512};
inline constexpr PoleRoku DywidendaObowiazkowa{"DywidendaObowiazkowa", 4696};
inline constexpr PoleRoku WynikNiepodzielony{"WynikNiepodzielony", 4720};
inline constexpr PoleRoku Amortyzacja{"Amortyzacja", 4968};
inline constexpr PoleRoku KosztyFinansowe{"KosztyFinansowe", 4976};
inline constexpr PoleRoku ZuzycieMaterialow{"ZuzycieMaterialow", 4984};
inline constexpr PoleRoku KosztyWytworzenia{"KosztyWytworzenia", 5000};
inline constexpr PoleRoku WynagrodzeniaISwiadczenia{"WynagrodzeniaISwiadczenia", 5008};
inline constexpr PoleRoku PodatekDochodowy{"PodatekDochodowy", 6568};
inline constexpr PoleRoku SprzedazWyrobow{"SprzedazWyrobow", 6720};
inline constexpr PoleRoku WynikBrutto{"WynikBrutto", 7504};
inline constexpr PoleRoku ZyskBrutto{"ZyskBrutto", 7512};
inline constexpr PoleRoku ZyskNaDzialalnosciGospodarczej{"ZyskNaDzialalnosciGospodarczej", 7624};
inline constexpr PoleRoku ZmianaStanuProduktow{"ZmianaStanuProduktow", 7960};
// Costs by type and by department: the per-department and per-product
// items hold one element each (ElementPola).
inline constexpr PoleRoku UslugiObceWydzialu{"UslugiObceWydzialu", 3864};
inline constexpr PoleRoku WynagrodzeniaWydzialu{"WynagrodzeniaWydzialu", 3912};
inline constexpr PoleRoku AmortyzacjaWydzialu{"AmortyzacjaWydzialu", 3936};
inline constexpr PoleRoku KosztSprzedanychRoku{"KosztSprzedanychRoku", 4008};
inline constexpr PoleRoku ZuzycieMaterialowRoku{"ZuzycieMaterialowRoku", 6320};
inline constexpr PoleRoku KosztyOperacyjneWyrobu{"KosztyOperacyjneWyrobu", 6344};
// Cash flow.
inline constexpr PoleRoku EmisjaAkcjiZwyklych{"EmisjaAkcjiZwyklych", 4144};
inline constexpr PoleRoku SplataKredytowInwestycyjnych{"SplataKredytowInwestycyjnych", 4264};
inline constexpr PoleRoku WykorzystaniePieniadza{"WykorzystaniePieniadza", 4384};
inline constexpr PoleRoku NabycieGruntowIUrzadzen{"NabycieGruntowIUrzadzen", 4392};
inline constexpr PoleRoku WplywyRoku{"WplywyRoku", 4432};
inline constexpr PoleRoku RachunekRozliczeniowyNaPoczatkuRoku{"RachunekRozliczeniowyNaPoczatkuRoku", 4440};
inline constexpr PoleRoku WydatkiRoku{"WydatkiRoku", 4448};
inline constexpr PoleRoku KredytyZaciagnieteRoku{"KredytyZaciagnieteRoku", 4504};
inline constexpr PoleRoku KredytySplaconeRoku{"KredytySplaconeRoku", 4520};
// Ratios (besides those of the synthetic result).
inline constexpr PoleRoku KapitalObrotowy{"KapitalObrotowy", 4184};
inline constexpr PoleRoku WskaznikSzybkiejPlynnosci{"WskaznikSzybkiejPlynnosci", 4200};
inline constexpr PoleRoku WskaznikZadluzeniaKapitaluWlasnego{"WskaznikZadluzeniaKapitaluWlasnego", 4216};
inline constexpr PoleRoku WskaznikPokryciaOdsetek{"WskaznikPokryciaOdsetek", 4224};
inline constexpr PoleRoku RentownoscMajatkuTrwalego{"RentownoscMajatkuTrwalego", 4240};
inline constexpr PoleRoku RentownoscKapitaluWlasnego{"RentownoscKapitaluWlasnego", 4256};
inline constexpr PoleRoku RotacjaMajatkuTrwalego{"RotacjaMajatkuTrwalego", 4280};
inline constexpr PoleRoku RotacjaAktywow{"RotacjaAktywow", 4288};
}  // namespace pola

}  // namespace vesk
