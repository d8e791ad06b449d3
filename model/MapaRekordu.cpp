#include "MapaRekordu.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <cmath>
#include <cstring>
#include <type_traits>
#include <utility>

#include "PlikStanu.h"

namespace vesk {

namespace {

// ------------------------------------------------ byte layout of model types
// How a model type lies in a record: a 6-byte real, a byte, a schedule
// entry (24 raw bytes), an investment variant (40 bytes: kind at 0, cost,
// realisation time, credit period and capacity at 8, 16, 24, 32), and
// arrays of these, element after element.
template <typename T>
struct Uklad;

template <>
struct Uklad<Real> {
    static constexpr std::size_t rozmiar = 6;
    static void doRekordu(const Real& v, std::uint8_t* p) { encodeReal48(v.value(), p); }
    static void zRekordu(const std::uint8_t* p, Real& v) { v = Real::fromStored(decodeReal48(p)); }
};

template <>
struct Uklad<std::uint8_t> {
    static constexpr std::size_t rozmiar = 1;
    static void doRekordu(const std::uint8_t& v, std::uint8_t* p) { *p = v; }
    static void zRekordu(const std::uint8_t* p, std::uint8_t& v) { v = *p; }
};

template <>
struct Uklad<WpisHarmonogramu> {
    static constexpr std::size_t rozmiar = 24;
    static void doRekordu(const WpisHarmonogramu& v, std::uint8_t* p) { std::memcpy(p, v.b.data(), rozmiar); }
    static void zRekordu(const std::uint8_t* p, WpisHarmonogramu& v) { std::memcpy(v.b.data(), p, rozmiar); }
};

template <>
struct Uklad<WariantInwestycji> {
    static constexpr std::size_t rozmiar = 40;
    static void doRekordu(const WariantInwestycji& v, std::uint8_t* p) {
        std::memset(p, 0, rozmiar);
        p[0] = v.Rodzaj;
        Uklad<Real>::doRekordu(v.Koszt, p + 8);
        Uklad<Real>::doRekordu(v.CzasRealizacji, p + 16);
        Uklad<Real>::doRekordu(v.OkresKredytu, p + 24);
        Uklad<Real>::doRekordu(v.Zdolnosc, p + 32);
    }
    static void zRekordu(const std::uint8_t* p, WariantInwestycji& v) {
        v.Rodzaj = p[0];
        Uklad<Real>::zRekordu(p + 8, v.Koszt);
        Uklad<Real>::zRekordu(p + 16, v.CzasRealizacji);
        Uklad<Real>::zRekordu(p + 24, v.OkresKredytu);
        Uklad<Real>::zRekordu(p + 32, v.Zdolnosc);
    }
};

template <typename T, int Lo, int Hi>
struct Uklad<Tab<T, Lo, Hi>> {
    static constexpr std::size_t rozmiar = Tab<T, Lo, Hi>::count * Uklad<T>::rozmiar;
    static void doRekordu(const Tab<T, Lo, Hi>& t, std::uint8_t* p) {
        for (int i = Lo; i <= Hi; ++i, p += Uklad<T>::rozmiar) Uklad<T>::doRekordu(t[i], p);
    }
    static void zRekordu(const std::uint8_t* p, Tab<T, Lo, Hi>& t) {
        for (int i = Lo; i <= Hi; ++i, p += Uklad<T>::rozmiar) Uklad<T>::zRekordu(p, t[i]);
    }
};

template <typename T>
using TypWielkosci = std::remove_cvref_t<T>;

// A row's binding to the model quantity written as in the model (m.X).
#define VESK_POLE(wyr)                                                                                 \
    WielkoscModelu {                                                                                   \
        #wyr, Uklad<TypWielkosci<decltype(std::declval<ZmienneModelu&>().wyr)>>::rozmiar,             \
            [](const ZmienneModelu& m, std::uint8_t* p) {                                              \
                Uklad<TypWielkosci<decltype(m.wyr)>>::doRekordu(m.wyr, p);                             \
            },                                                                                         \
            [](const std::uint8_t* p, ZmienneModelu& m) {                                              \
                Uklad<TypWielkosci<decltype(m.wyr)>>::zRekordu(p, m.wyr);                              \
            }                                                                                          \
    }

constexpr long Dziedziczone = -1;  // the field keeps the value of the record the node is built from

PoleOtwarcia otwarcie(std::size_t o, std::size_t w, WielkoscModelu q, long rodzic) {
    return {o, w, RodzajOtwarcia::Wielkosc, q, rodzic};
}
PoleOtwarcia zastrzezone(std::size_t o, std::size_t w, long rodzic) {
    return {o, w, RodzajOtwarcia::Zastrzezone, {}, rodzic};
}
PoleOtwarcia nieWczytywane(std::size_t o, std::size_t w, long rodzic) {
    return {o, w, RodzajOtwarcia::NieWczytywane, {}, rodzic};
}

PoleWyniku wynik(std::size_t o, std::size_t w, WielkoscModelu q) { return {o, w, RodzajWyniku::Wielkosc, q, 0, false}; }
PoleWyniku wynikBliskoZera(std::size_t o, std::size_t w, WielkoscModelu q) {
    return {o, w, RodzajWyniku::Wielkosc, q, 0, true};
}
PoleWyniku zero(std::size_t o, std::size_t w) { return {o, w, RodzajWyniku::Zero, {}, 0, false}; }
PoleWyniku powtorz(std::size_t o, std::size_t w, std::size_t otw) {
    return {o, w, RodzajWyniku::PowtorzOtwarcie, {}, otw, false};
}
PoleWyniku powtorzWRoku1(std::size_t o, std::size_t w, std::size_t otw) {
    return {o, w, RodzajWyniku::PowtorzWRoku1, {}, otw, false};
}

// ------------------------------------------------------------ opening state
// Rows in record order: offset, width, model quantity, and the offset in
// the parent's record from which node creation fills the field (inside the
// parent's year-3 block), or Dziedziczone.
const PoleOtwarcia kOtwarcie[] = {
    otwarcie(16, 6, VESK_POLE(WynikPrzedOpodatkowaniem), Dziedziczone),
    otwarcie(24, 6, VESK_POLE(PozostaleKoszty), Dziedziczone),
    otwarcie(32, 6, VESK_POLE(PozycjaWynikuZerowa), Dziedziczone),
    otwarcie(40, 6, VESK_POLE(WynikZeSprzedazy), Dziedziczone),
    otwarcie(56, 18, VESK_POLE(KosztyOkresoweWyrobu[0]), Dziedziczone),
    otwarcie(80, 18, VESK_POLE(KosztyOkresoweWyrobu[1]), Dziedziczone),
    otwarcie(104, 18, VESK_POLE(KosztyOkresoweWyrobu[2]), Dziedziczone),
    otwarcie(128, 18, VESK_POLE(KosztyOkresoweWyrobu[3]), Dziedziczone),
    otwarcie(248, 6, VESK_POLE(KosztyOkresoweKroku[0]), Dziedziczone),
    otwarcie(256, 6, VESK_POLE(KosztyOkresoweKroku[1]), Dziedziczone),
    otwarcie(264, 6, VESK_POLE(KosztyOkresoweKroku[2]), Dziedziczone),
    otwarcie(272, 6, VESK_POLE(KosztyOkresoweKroku[3]), Dziedziczone),
    zastrzezone(296, 18, Dziedziczone),  // reserved: carried into year field 3744
    otwarcie(320, 18, VESK_POLE(KosztyOkresoweWyrobuRoku[1]), Dziedziczone),
    otwarcie(344, 18, VESK_POLE(KosztyOkresoweWyrobuRoku[2]), Dziedziczone),
    otwarcie(368, 18, VESK_POLE(KosztyOkresoweWyrobuRoku[3]), Dziedziczone),
    zastrzezone(392, 18, Dziedziczone),  // reserved: carried into year field 3840
    otwarcie(416, 18, VESK_POLE(UslugiObceWydzialu), Dziedziczone),
    otwarcie(440, 18, VESK_POLE(WynagrodzeniaWydzialu), Dziedziczone),
    otwarcie(464, 18, VESK_POLE(AmortyzacjaWydzialu), Dziedziczone),
    otwarcie(488, 18, VESK_POLE(KosztZdolnosciRoku), Dziedziczone),
    otwarcie(512, 6, VESK_POLE(PozycjaRokuZerowa), Dziedziczone),
    otwarcie(520, 6, VESK_POLE(Zapasy), Dziedziczone),
    otwarcie(528, 6, VESK_POLE(KosztyOkresowe1), Dziedziczone),
    otwarcie(536, 6, VESK_POLE(KosztyOkresowe2), Dziedziczone),
    otwarcie(544, 6, VESK_POLE(KosztyOkresowe3), Dziedziczone),
    otwarcie(568, 18, VESK_POLE(KosztSprzedanychRoku), Dziedziczone),
    otwarcie(592, 6, VESK_POLE(KosztySprzedanychProduktow), Dziedziczone),
    zastrzezone(600, 6, 13120),  // reserved: carried into year field 4064
    otwarcie(608, 6, VESK_POLE(UmorzenieSrodkowTrwalych), 13128),
    otwarcie(616, 6, VESK_POLE(DekapitalizacjaGruntowIBudynkow), 13136),
    otwarcie(624, 6, VESK_POLE(DekapitalizacjaUrzadzenIMaszyn), 13144),
    otwarcie(632, 6, VESK_POLE(GruntyIBudynkiBrutto), 13152),
    otwarcie(640, 6, VESK_POLE(GruntyIBudynkiNetto), 13160),
    otwarcie(648, 6, VESK_POLE(UrzadzeniaIMaszynyNetto), 13168),
    otwarcie(656, 6, VESK_POLE(MajatekObrotowy), 13176),
    otwarcie(664, 6, VESK_POLE(ZobowiazaniaDlugoterminowe), 13184),
    otwarcie(672, 6, VESK_POLE(PozycjaBilansuZerowa), 13192),
    otwarcie(680, 6, VESK_POLE(EmisjaAkcjiZwyklych), 13200),
    otwarcie(688, 6, VESK_POLE(KapitalAkcyjny), 13208),
    otwarcie(696, 6, VESK_POLE(KapitalWlasny), 13216),
    otwarcie(704, 6, VESK_POLE(KapitalRezerwowy), 13224),
    otwarcie(736, 6, VESK_POLE(KapitalZapasowy), 13232),
    otwarcie(816, 6, VESK_POLE(KapitalObrotowy), 13240),
    otwarcie(824, 6, VESK_POLE(WskaznikBiezacejPlynnosci), 13248),
    otwarcie(832, 6, VESK_POLE(WskaznikSzybkiejPlynnosci), 13256),
    otwarcie(840, 6, VESK_POLE(WskaznikZadluzeniaOgolnego), 13264),
    otwarcie(848, 6, VESK_POLE(WskaznikZadluzeniaKapitaluWlasnego), 13272),
    otwarcie(856, 6, VESK_POLE(WskaznikPokryciaOdsetek), 13280),
    otwarcie(864, 6, VESK_POLE(RentownoscAktywow), 13288),
    otwarcie(872, 6, VESK_POLE(RentownoscMajatkuTrwalego), 13296),
    otwarcie(880, 6, VESK_POLE(RentownoscSprzedazy), 13304),
    otwarcie(888, 6, VESK_POLE(RentownoscKapitaluWlasnego), 13312),
    otwarcie(896, 6, VESK_POLE(SplataKredytowInwestycyjnych), 13320),
    otwarcie(904, 6, VESK_POLE(RotacjaZapasow), 13328),
    otwarcie(912, 6, VESK_POLE(RotacjaMajatkuTrwalego), 13336),
    otwarcie(920, 6, VESK_POLE(RotacjaAktywow), 13344),
    otwarcie(928, 6, VESK_POLE(SumaEmisjiAkcji), 13352),
    otwarcie(936, 6, VESK_POLE(WynikLatUbieglych), 13360),
    otwarcie(944, 6, VESK_POLE(SumaEmisjiAkcjiPoprzednia), 13368),
    otwarcie(952, 6, VESK_POLE(KapitalZapasowyPoczatkowy), 13376),
    otwarcie(960, 6, VESK_POLE(KapitalRezerwowyPoczatkowy), 13384),
    otwarcie(968, 6, VESK_POLE(WynikDoBilansu), 13392),
    zastrzezone(976, 6, 13424),  // reserved: carried into year field 4368
    otwarcie(984, 6, VESK_POLE(ZrodlaPieniadza), 13432),
    otwarcie(992, 6, VESK_POLE(WykorzystaniePieniadza), 13440),
    otwarcie(1000, 6, VESK_POLE(NabycieGruntowIUrzadzen), 13448),
    nieWczytywane(1008, 6, 13464),
    otwarcie(1016, 6, VESK_POLE(AktywaNaPoczatkuRoku), 13464),
    otwarcie(1024, 6, VESK_POLE(WartoscOddanychInwestycji), 13472),
    otwarcie(1032, 6, VESK_POLE(AktywaSrednie), 13480),
    otwarcie(1040, 6, VESK_POLE(WplywyRoku), 13488),
    otwarcie(1048, 6, VESK_POLE(RachunekRozliczeniowyNaPoczatkuRoku), 13496),
    otwarcie(1056, 6, VESK_POLE(WydatkiRoku), 13504),
    otwarcie(1064, 6, VESK_POLE(ZmianaStanuRachunku), 13512),
    zastrzezone(1072, 6, 13520),  // reserved: carried into year field 4464
    otwarcie(1080, 6, VESK_POLE(PozostaleZobowiazaniaKrotkoterminowe), 13528),
    otwarcie(1088, 6, VESK_POLE(OdpisNaKapitalZapasowy), 13536),
    otwarcie(1096, 6, VESK_POLE(ResztaZyskuZatrzymanego), 13544),
    otwarcie(1104, 6, VESK_POLE(KapitalRezerwowyStartRoku), 13552),
    otwarcie(1112, 6, VESK_POLE(KredytyZaciagnieteRoku), 13560),
    otwarcie(1120, 6, VESK_POLE(WynikNetto), 13568),
    otwarcie(1128, 6, VESK_POLE(KredytySplaconeRoku), 13576),
    otwarcie(1136, 6, VESK_POLE(KapitalAkcyjnyNaPoczatek), 13584),
    otwarcie(1144, 6, VESK_POLE(EmisjaAkcjiWRoku), 13592),
    zastrzezone(1152, 6, 13600),  // reserved: carried into year field 4544
    otwarcie(1160, 6, VESK_POLE(SumaEmisjiNaKoniec), 13608),
    otwarcie(1168, 6, VESK_POLE(SumaEmisjiNaPoczatek), 13616),
    otwarcie(1176, 6, VESK_POLE(KapitalZapasowyNaPoczatek), 13624),
    otwarcie(1184, 6, VESK_POLE(ZwiekszenieKapitaluZapasowego), 13632),
    otwarcie(1192, 6, VESK_POLE(KapitalRezerwowyNaPoczatek), 13640),
    otwarcie(1200, 6, VESK_POLE(ZwiekszenieKapitaluRezerwowego), 13648),
    otwarcie(1208, 6, VESK_POLE(KapitalWlasnyNaPoczatek), 13656),
    otwarcie(1216, 6, VESK_POLE(ZmniejszenieKapitaluZapasowego), 13664),
    zastrzezone(1224, 6, 13672),  // reserved: carried into year field 4616
    zastrzezone(1232, 6, 13680),  // reserved: carried into year field 4624
    zastrzezone(1240, 6, 13688),  // reserved: carried into year field 4632
    zastrzezone(1248, 6, 13696),  // reserved: carried into year field 4640
    zastrzezone(1256, 6, 13704),  // reserved: carried into year field 4648
    zastrzezone(1264, 6, 13712),  // reserved: carried into year field 4656
    zastrzezone(1272, 6, 13720),  // reserved: carried into year field 4664
    zastrzezone(1280, 6, 13728),  // reserved: carried into year field 4672
    zastrzezone(1288, 6, 13736),  // reserved: carried into year field 4680
    otwarcie(1296, 6, VESK_POLE(StrataRoku), 13744),
    otwarcie(1304, 6, VESK_POLE(DywidendaObowiazkowa), 13752),
    otwarcie(1312, 6, VESK_POLE(ZyskPoWyplatach), 13760),
    zastrzezone(1320, 6, 13768),  // reserved: carried into year field 4712
    otwarcie(1328, 6, VESK_POLE(WynikNiepodzielony), 13776),
    otwarcie(1336, 6, VESK_POLE(ZyskRoku), 13784),
    zastrzezone(1344, 6, Dziedziczone),  // reserved: carried, not used
    otwarcie(1352, 6, VESK_POLE(PozostaleWplywyRoku), Dziedziczone),
    otwarcie(1360, 18, VESK_POLE(KredytInwestycyjnyProduktu), 13816),
    otwarcie(1384, 144, VESK_POLE(KredytProjektu), 13840),
    otwarcie(1528, 6, VESK_POLE(KredytInwestycyjny), 13984),
    otwarcie(1536, 6, VESK_POLE(KredytInwestycyjnyWRealizacji), 13992),
    otwarcie(1544, 6, VESK_POLE(KredytObrotowy), 14000),
    otwarcie(1552, 6, VESK_POLE(KredytSanacyjny), 14008),
    otwarcie(1560, 6, VESK_POLE(KorektaZyskuBrutto2), 14016),
    zastrzezone(1568, 18, 14296),  // reserved: carried into year field 5240
    zastrzezone(1592, 18, 14320),  // reserved: carried into year field 5264
    otwarcie(1616, 6, VESK_POLE(InwestycjeRozpoczete), 14344),
    otwarcie(1624, 6, VESK_POLE(KredytIFinansowanieInwestycji), 14352),
    otwarcie(1632, 432, VESK_POLE(HarmonogramInwestycji), 14360),
    zastrzezone(2064, 6, 14808),  // reserved: carried into year field 5752
    otwarcie(2072, 6, VESK_POLE(KontoSumyBilansowej), 14816),
    otwarcie(2078, 6, VESK_POLE(PasywaKontrolne), 14822),
    otwarcie(2084, 6, VESK_POLE(FinansowanieRazem), 14828),
    otwarcie(2090, 6, VESK_POLE(AktywaKontrolne), 14834),
    otwarcie(2096, 6, VESK_POLE(NakladyInwestycjiWlasnychNarastajaco), 14840),
    otwarcie(2104, 6, VESK_POLE(FunduszInwestycjiWlasnych), 14848),
    zastrzezone(2112, 6, 14856),  // reserved: carried into year field 5800
    otwarcie(2120, 6, VESK_POLE(PrzeplywyNarastajaco), 14864),
    otwarcie(2126, 6, VESK_POLE(ZobowiazaniaBiezaceKontrolne), 14870),
    otwarcie(2136, 6, VESK_POLE(SrodkiIZobowiazaniaBiezace), 14880),
    otwarcie(2144, 6, VESK_POLE(FunduszObrotowyGotowkowy), 14888),
    otwarcie(2150, 6, VESK_POLE(SrodkiPieniezneKontrolne), 14894),
    zastrzezone(2160, 6, 14904),  // reserved: carried into year field 5848
    zastrzezone(2168, 6, 14912),  // reserved: carried into year field 5856
    otwarcie(2176, 6, VESK_POLE(KontoOddanychInwestycji), 14920),
    otwarcie(2184, 6, VESK_POLE(FunduszObrotowyRozliczeniowy), 14928),
    zastrzezone(2192, 6, 14936),  // reserved: carried into year field 5880
    otwarcie(2200, 6, VESK_POLE(KontoKapitalow), 14944),
    otwarcie(2206, 6, VESK_POLE(FunduszeRazemKontrolne), 14950),
    otwarcie(2216, 6, VESK_POLE(KontoFunduszuMajatkuTrwalego), 14960),
    otwarcie(2222, 6, VESK_POLE(FunduszMajatkuTrwalegoKopia), 14966),
    otwarcie(2232, 6, VESK_POLE(KontoMajatkuTrwalego), 14976),
    otwarcie(2238, 6, VESK_POLE(FunduszeMajatkuTrwalegoRazem), 14982),
    otwarcie(2248, 6, VESK_POLE(KontoZadluzenia), 15016),
    otwarcie(2254, 6, VESK_POLE(KredytSanacyjnyKopia), 15022),
    otwarcie(2260, 3, VESK_POLE(KolejnoscProduktow), 15514),
    otwarcie(2264, 18, VESK_POLE(WartoscInwestycjiProduktu), 15640),
    otwarcie(2288, 18, VESK_POLE(ZapasWyrobowGotowych), 15664),
    otwarcie(2312, 18, VESK_POLE(ProdukcjaWToku), 15688),
    otwarcie(2336, 18, VESK_POLE(ZapasSurowcow), 15720),
    otwarcie(2360, 6, VESK_POLE(Zobowiazania), 15816),
    otwarcie(2368, 6, VESK_POLE(UrzadzeniaIMaszynyBrutto), 15856),
    otwarcie(2376, 6, VESK_POLE(Naleznosci), 15872),
    otwarcie(2384, 6, VESK_POLE(RachunekRozliczeniowy), 15880),
    otwarcie(2392, 6, VESK_POLE(ZyskPoWyplatachNarastajaco), 15888),
    zastrzezone(2400, 6, 15896),  // reserved: carried into year field 6840
    zastrzezone(2406, 72, 16034),  // reserved: carried into year field 6978
    otwarcie(2480, 6, VESK_POLE(SplatyKredytuInwestycyjnegoNarastajaco), 16120),
    zastrzezone(2488, 18, 16272),  // reserved: carried into year field 7216
    otwarcie(2512, 6, VESK_POLE(SrodkiTrwale), 16416),
    otwarcie(2520, 6, VESK_POLE(FunduszMajatkuTrwalego), 16424),
    otwarcie(2528, 6, VESK_POLE(FunduszMajatkuTrwalegoPoczatkowy), 16432),
    otwarcie(2536, 6, VESK_POLE(WynikBrutto), Dziedziczone),
    otwarcie(2544, 6, VESK_POLE(ZyskNaDzialalnosciGospodarczej), Dziedziczone),
    zastrzezone(2552, 18, 16576),  // reserved: carried into year field 7520
    otwarcie(2576, 6, VESK_POLE(ZyskBruttoPoczatkowy), 16600),
    otwarcie(2584, 6, VESK_POLE(FunduszObrotowy), 16672),
    otwarcie(2592, 18, VESK_POLE(MaterialyWProdukcjiWToku), 16768),
    otwarcie(2616, 18, VESK_POLE(PraceWProdukcjiWToku), 16792),
    otwarcie(2640, 18, VESK_POLE(PraceWWyrobachGotowych), 16816),
    otwarcie(2664, 18, VESK_POLE(MaterialyWWyrobachGotowych), 16840),
    nieWczytywane(2688, 6, 16864),
    otwarcie(2696, 18, VESK_POLE(WartoscZapasuSurowcow), 16872),
    otwarcie(2720, 18, VESK_POLE(ZdolnoscProdukcyjna), 16960),
    otwarcie(2744, 6, VESK_POLE(WartoscProdukcjiWToku), 16984),
    otwarcie(2752, 6, VESK_POLE(ProduktyNaPoczatkuRoku), 16992),
    otwarcie(2760, 6, VESK_POLE(WartoscMaterialow), 17008),
    otwarcie(2768, 6, VESK_POLE(ZmianaStanuProduktow), 17016),
    otwarcie(2776, 6, VESK_POLE(WartoscWyrobowGotowych), 17024),
};

// --------------------------------------------------------------- decisions
// [year][item] blocks have a year stride of 18 bytes; prices are stored
// divided by 1000, the dividend share and the debt ratio divided by 100.
const PoleDecyzji kDecyzje[] = {
    {2784, 54, VESK_POLE(DecyzjeProdukcji)},
    {2840, 54, VESK_POLE(DecyzjeCen)},
    {2896, 54, VESK_POLE(DecyzjeZakupuSurowcow)},
    {2952, 18, VESK_POLE(UdzialDywidendyZwyklej)},
    {2976, 18, VESK_POLE(DecyzjeZadluzenia)},
    {3000, 18, VESK_POLE(EmisjaAkcji)},
    {3024, 432, VESK_POLE(HarmonogramInwestycji)},
};

// ------------------------------------------------------------ year results
// Year-1 offsets; year y adds 4528(y-1). Block bytes 0..7 are not written.
const PoleWyniku kWynikiRoku[] = {
    wynik(3464, 6, VESK_POLE(PozycjaWynikuZerowa)),
    wynik(3472, 6, VESK_POLE(WynikZeSprzedazy)),
    wynik(3480, 6, VESK_POLE(WynikOperacyjny)),
    wynik(3488, 6, VESK_POLE(WynikPrzedOpodatkowaniem)),
    wynik(3496, 6, VESK_POLE(PozostaleKoszty)),
    wynik(3504, 18, VESK_POLE(KosztyOkresoweWyrobu[0])),
    wynik(3528, 18, VESK_POLE(KosztyOkresoweWyrobu[1])),
    wynik(3552, 18, VESK_POLE(KosztyOkresoweWyrobu[2])),
    wynik(3576, 18, VESK_POLE(KosztyOkresoweWyrobu[3])),
    wynik(3648, 6, VESK_POLE(KosztyOkresoweKroku[0])),
    wynik(3656, 6, VESK_POLE(KosztyOkresoweKroku[1])),
    wynik(3664, 6, VESK_POLE(KosztyOkresoweKroku[2])),
    wynik(3672, 6, VESK_POLE(KosztyOkresoweKroku[3])),
    powtorzWRoku1(3744, 18, 296),
    wynik(3768, 18, VESK_POLE(KosztyOkresoweWyrobuRoku[1])),
    wynik(3792, 18, VESK_POLE(KosztyOkresoweWyrobuRoku[2])),
    wynik(3816, 18, VESK_POLE(KosztyOkresoweWyrobuRoku[3])),
    powtorzWRoku1(3840, 18, 392),
    wynik(3864, 18, VESK_POLE(UslugiObceWydzialu)),
    wynik(3912, 18, VESK_POLE(WynagrodzeniaWydzialu)),
    wynik(3936, 18, VESK_POLE(AmortyzacjaWydzialu)),
    wynik(3960, 6, VESK_POLE(Zapasy)),
    wynik(3968, 6, VESK_POLE(KosztyOkresowe1)),
    wynik(3976, 6, VESK_POLE(KosztyOkresowe2)),
    wynik(3984, 6, VESK_POLE(KosztyOkresowe3)),
    wynik(3992, 6, VESK_POLE(PodatkiIOplaty)),
    wynik(4000, 6, VESK_POLE(UslugiObce)),
    wynik(4008, 18, VESK_POLE(KosztSprzedanychRoku)),
    wynik(4032, 6, VESK_POLE(KosztySprzedanychProduktow)),
    powtorz(4064, 6, 600),
    wynik(4072, 6, VESK_POLE(UmorzenieSrodkowTrwalych)),
    wynik(4080, 6, VESK_POLE(DekapitalizacjaGruntowIBudynkow)),
    wynik(4088, 6, VESK_POLE(DekapitalizacjaUrzadzenIMaszyn)),
    wynik(4096, 6, VESK_POLE(GruntyIBudynkiBrutto)),
    wynik(4104, 6, VESK_POLE(GruntyIBudynkiNetto)),
    wynik(4112, 6, VESK_POLE(UrzadzeniaIMaszynyNetto)),
    wynik(4120, 6, VESK_POLE(MajatekObrotowy)),
    wynik(4128, 6, VESK_POLE(ZobowiazaniaDlugoterminowe)),
    wynik(4136, 6, VESK_POLE(PozycjaBilansuZerowa)),
    wynik(4144, 6, VESK_POLE(EmisjaAkcjiZwyklych)),
    wynik(4152, 6, VESK_POLE(KapitalAkcyjny)),
    wynik(4160, 6, VESK_POLE(KapitalWlasny)),
    wynik(4168, 6, VESK_POLE(KapitalRezerwowy)),
    wynik(4176, 6, VESK_POLE(KapitalZapasowy)),
    wynik(4184, 6, VESK_POLE(KapitalObrotowy)),
    wynik(4192, 6, VESK_POLE(WskaznikBiezacejPlynnosci)),
    wynik(4200, 6, VESK_POLE(WskaznikSzybkiejPlynnosci)),
    wynik(4208, 6, VESK_POLE(WskaznikZadluzeniaOgolnego)),
    wynik(4216, 6, VESK_POLE(WskaznikZadluzeniaKapitaluWlasnego)),
    wynik(4224, 6, VESK_POLE(WskaznikPokryciaOdsetek)),
    wynik(4232, 6, VESK_POLE(RentownoscAktywow)),
    wynik(4240, 6, VESK_POLE(RentownoscMajatkuTrwalego)),
    wynik(4248, 6, VESK_POLE(RentownoscSprzedazy)),
    wynik(4256, 6, VESK_POLE(RentownoscKapitaluWlasnego)),
    wynik(4264, 6, VESK_POLE(SplataKredytowInwestycyjnych)),
    wynik(4272, 6, VESK_POLE(RotacjaZapasow)),
    wynik(4280, 6, VESK_POLE(RotacjaMajatkuTrwalego)),
    wynik(4288, 6, VESK_POLE(RotacjaAktywow)),
    wynik(4296, 6, VESK_POLE(SumaEmisjiAkcji)),
    wynik(4304, 6, VESK_POLE(WynikLatUbieglych)),
    wynik(4312, 6, VESK_POLE(SumaEmisjiAkcjiPoprzednia)),
    wynik(4320, 6, VESK_POLE(KapitalZapasowyPoczatkowy)),
    wynik(4328, 6, VESK_POLE(KapitalRezerwowyPoczatkowy)),
    wynik(4336, 6, VESK_POLE(WynikDoBilansu)),
    powtorz(4368, 6, 976),
    wynik(4376, 6, VESK_POLE(ZrodlaPieniadza)),
    wynik(4384, 6, VESK_POLE(WykorzystaniePieniadza)),
    wynik(4392, 6, VESK_POLE(NabycieGruntowIUrzadzen)),
    wynik(4400, 6, VESK_POLE(AktywaNaPoczatkuRoku)),
    wynik(4408, 6, VESK_POLE(AktywaNaPoczatkuRoku)),
    wynik(4416, 6, VESK_POLE(WartoscOddanychInwestycji)),
    wynik(4424, 6, VESK_POLE(AktywaSrednie)),
    wynik(4432, 6, VESK_POLE(WplywyRoku)),
    wynik(4440, 6, VESK_POLE(RachunekRozliczeniowyNaPoczatkuRoku)),
    wynik(4448, 6, VESK_POLE(WydatkiRoku)),
    wynik(4456, 6, VESK_POLE(ZmianaStanuRachunku)),
    powtorz(4464, 6, 1072),
    wynik(4472, 6, VESK_POLE(PozostaleZobowiazaniaKrotkoterminowe)),
    wynik(4480, 6, VESK_POLE(OdpisNaKapitalZapasowy)),
    wynik(4488, 6, VESK_POLE(ResztaZyskuZatrzymanego)),
    wynik(4496, 6, VESK_POLE(KapitalRezerwowyStartRoku)),
    wynik(4504, 6, VESK_POLE(KredytyZaciagnieteRoku)),
    wynik(4512, 6, VESK_POLE(WynikNetto)),
    wynik(4520, 6, VESK_POLE(KredytySplaconeRoku)),
    wynik(4528, 6, VESK_POLE(KapitalAkcyjnyNaPoczatek)),
    wynik(4536, 6, VESK_POLE(EmisjaAkcjiWRoku)),
    powtorz(4544, 6, 1152),
    wynik(4552, 6, VESK_POLE(SumaEmisjiNaKoniec)),
    wynik(4560, 6, VESK_POLE(SumaEmisjiNaPoczatek)),
    wynik(4568, 6, VESK_POLE(KapitalZapasowyNaPoczatek)),
    wynik(4576, 6, VESK_POLE(ZwiekszenieKapitaluZapasowego)),
    wynik(4584, 6, VESK_POLE(KapitalRezerwowyNaPoczatek)),
    wynik(4592, 6, VESK_POLE(ZwiekszenieKapitaluRezerwowego)),
    wynik(4600, 6, VESK_POLE(KapitalWlasnyNaPoczatek)),
    wynik(4608, 6, VESK_POLE(ZmniejszenieKapitaluZapasowego)),
    powtorz(4616, 6, 1224),
    powtorz(4624, 6, 1232),
    powtorz(4632, 6, 1240),
    powtorz(4640, 6, 1248),
    powtorz(4648, 6, 1256),
    powtorz(4656, 6, 1264),
    powtorz(4664, 6, 1272),
    powtorz(4672, 6, 1280),
    powtorz(4680, 6, 1288),
    wynik(4688, 6, VESK_POLE(StrataRoku)),
    wynik(4696, 6, VESK_POLE(DywidendaObowiazkowa)),
    wynik(4704, 6, VESK_POLE(ZyskPoWyplatach)),
    powtorz(4712, 6, 1320),
    wynik(4720, 6, VESK_POLE(WynikNiepodzielony)),
    wynik(4728, 6, VESK_POLE(ZyskRoku)),
    zero(4736, 18),
    wynik(4760, 18, VESK_POLE(KredytInwestycyjnyProduktu)),
    wynik(4784, 144, VESK_POLE(KredytProjektu)),
    wynikBliskoZera(4928, 6, VESK_POLE(KredytInwestycyjny)),
    wynik(4936, 6, VESK_POLE(KredytInwestycyjnyWRealizacji)),
    wynik(4944, 6, VESK_POLE(KredytObrotowy)),
    wynik(4952, 6, VESK_POLE(KredytSanacyjny)),
    wynik(4960, 6, VESK_POLE(KorektaZyskuBrutto2)),
    wynik(4968, 6, VESK_POLE(Amortyzacja)),
    wynik(4976, 6, VESK_POLE(KosztyFinansowe)),
    wynik(4984, 6, VESK_POLE(ZuzycieMaterialow)),
    zero(4992, 6),
    wynik(5000, 6, VESK_POLE(KosztyWytworzenia)),
    wynik(5008, 6, VESK_POLE(WynagrodzeniaISwiadczenia)),
    wynik(5016, 18, VESK_POLE(CzasPrzejsciaProdukcji)),
    wynik(5040, 6, VESK_POLE(KosztZdolnosciRazem)),
    wynik(5048, 6, VESK_POLE(PozostaleWplywyRoku)),
    wynik(5056, 54, VESK_POLE(CenySurowcow)),
    zero(5112, 18),
    zero(5136, 18),
    zero(5160, 18),
    wynik(5184, 18, VESK_POLE(KosztPracyJednostkowy)),
    wynik(5208, 6, VESK_POLE(KosztWyrobowRazem)),
    zero(5216, 18),
    powtorz(5240, 18, 1568),
    powtorz(5264, 18, 1592),
    wynik(5288, 6, VESK_POLE(InwestycjeRozpoczete)),
    wynik(5296, 6, VESK_POLE(KredytIFinansowanieInwestycji)),
    wynik(5304, 432, VESK_POLE(HarmonogramInwestycji)),
    wynik(5736, 6, VESK_POLE(KredytDocelowy)),
    wynik(5744, 6, VESK_POLE(PrzychodyZeSprzedazy)),
    powtorz(5752, 6, 2064),
    wynik(5760, 6, VESK_POLE(KontoSumyBilansowej)),
    wynik(5766, 6, VESK_POLE(PasywaKontrolne)),
    wynik(5772, 6, VESK_POLE(FinansowanieRazem)),
    wynik(5778, 6, VESK_POLE(AktywaKontrolne)),
    wynik(5784, 6, VESK_POLE(NakladyInwestycjiWlasnychNarastajaco)),
    wynik(5792, 6, VESK_POLE(FunduszInwestycjiWlasnych)),
    powtorz(5800, 6, 2112),
    wynik(5808, 6, VESK_POLE(PrzeplywyNarastajaco)),
    wynik(5814, 6, VESK_POLE(ZobowiazaniaBiezaceKontrolne)),
    wynik(5824, 6, VESK_POLE(SrodkiIZobowiazaniaBiezace)),
    wynik(5832, 6, VESK_POLE(FunduszObrotowyGotowkowy)),
    wynik(5838, 6, VESK_POLE(SrodkiPieniezneKontrolne)),
    powtorz(5848, 6, 2160),
    powtorz(5856, 6, 2168),
    wynik(5864, 6, VESK_POLE(KontoOddanychInwestycji)),
    wynik(5872, 6, VESK_POLE(FunduszObrotowyRozliczeniowy)),
    powtorz(5880, 6, 2192),
    wynik(5888, 6, VESK_POLE(KontoKapitalow)),
    wynik(5894, 6, VESK_POLE(FunduszeRazemKontrolne)),
    wynik(5904, 6, VESK_POLE(KontoFunduszuMajatkuTrwalego)),
    wynik(5910, 6, VESK_POLE(FunduszMajatkuTrwalegoKopia)),
    wynik(5920, 6, VESK_POLE(KontoMajatkuTrwalego)),
    wynik(5926, 6, VESK_POLE(FunduszeMajatkuTrwalegoRazem)),
    wynik(5936, 18, VESK_POLE(AmortyzacjaRoku)),
    wynik(5960, 6, VESK_POLE(KontoZadluzenia)),
    wynik(5966, 6, VESK_POLE(KredytSanacyjnyKopia)),
    zero(5976, 18),
    wynik(6000, 320, VESK_POLE(WariantyInwestycji)),
    wynik(6320, 18, VESK_POLE(ZuzycieMaterialowRoku)),
    wynik(6344, 18, VESK_POLE(KosztyOperacyjneWyrobu)),
    wynik(6368, 18, VESK_POLE(PlaceRoku)),
    wynik(6392, 18, VESK_POLE(KosztZdolnosciRoku)),
    wynik(6458, 3, VESK_POLE(KolejnoscProduktow)),
    wynik(6464, 6, VESK_POLE(ParametrStaly)),
    wynik(6496, 18, VESK_POLE(KosztWyrobuRoku)),
    wynik(6520, 6, VESK_POLE(DywidendaZwykla)),
    wynik(6528, 6, VESK_POLE(ZyskDoPodzialu)),
    zero(6536, 6),
    zero(6544, 6),
    wynik(6552, 6, VESK_POLE(ZyskZatrzymany)),
    wynik(6560, 6, VESK_POLE(KorektaZyskuBrutto1)),
    wynik(6568, 6, VESK_POLE(PodatekDochodowy)),
    wynik(6576, 6, VESK_POLE(PozycjaRokuZerowa)),
    wynik(6584, 18, VESK_POLE(WartoscInwestycjiProduktu)),
    wynik(6608, 18, VESK_POLE(ZapasWyrobowGotowych)),
    wynik(6632, 18, VESK_POLE(ProdukcjaWToku)),
    wynik(6664, 18, VESK_POLE(ZapasSurowcow)),
    zero(6688, 18),
    wynik(6720, 18, VESK_POLE(SprzedazWyrobow)),
    wynik(6744, 6, VESK_POLE(UdzialPodzialuAmortyzacji)),
    wynik(6752, 6, VESK_POLE(StawkaDodatkowaKroku)),
    wynik(6760, 6, VESK_POLE(Zobowiazania)),
    wynik(6768, 6, VESK_POLE(WynikNiepodzielonyNarastajaco)),
    zero(6776, 18),
    wynik(6800, 6, VESK_POLE(UrzadzeniaIMaszynyBrutto)),
    wynik(6808, 6, VESK_POLE(UdzialFunduszuMieszkaniowego)),
    wynik(6816, 6, VESK_POLE(Naleznosci)),
    wynik(6824, 6, VESK_POLE(RachunekRozliczeniowy)),
    wynik(6832, 6, VESK_POLE(ZyskPoWyplatachNarastajaco)),
    powtorz(6840, 6, 2400),
    wynik(6848, 6, VESK_POLE(SumaAktywow)),
    wynik(6856, 6, VESK_POLE(SumaPasywow)),
    zero(6864, 6),
    zero(6872, 6),
    zero(6880, 6),
    zero(6888, 6),
    zero(6896, 6),
    zero(6904, 6),
    zero(6912, 18),
    wynik(6936, 18, VESK_POLE(ZuzycieSurowcow)),
    wynik(6960, 18, VESK_POLE(UruchomienieProdukcji)),
    powtorz(6978, 72, 2406),
    zero(7056, 6),
    wynik(7064, 6, VESK_POLE(SplatyKredytuInwestycyjnegoNarastajaco)),
    wynik(7072, 18, VESK_POLE(SprzedazRoku)),
    wynik(7096, 18, VESK_POLE(ProdukcjaRoku)),
    wynik(7120, 18, VESK_POLE(ZdolnoscRoku)),
    zero(7144, 6),
    zero(7152, 18),
    zero(7176, 6),
    wynik(7184, 6, VESK_POLE(StawkaPodatkuDochodowego)),
    zero(7192, 18),
    powtorz(7216, 18, 2488),
    zero(7240, 18),
    zero(7264, 18),
    wynik(7296, 6, VESK_POLE(StrataBrutto)),
    zero(7304, 6),
    zero(7312, 18),
    wynik(7336, 18, VESK_POLE(SprzedazIlosciowa)),
    wynik(7360, 6, VESK_POLE(SrodkiTrwale)),
    wynik(7368, 6, VESK_POLE(FunduszMajatkuTrwalego)),
    wynik(7376, 6, VESK_POLE(FunduszMajatkuTrwalegoPoczatkowy)),
    zero(7384, 6),
    zero(7392, 18),
    zero(7416, 6),
    zero(7424, 18),
    wynik(7448, 18, VESK_POLE(ZakonczenieProdukcji)),
    zero(7472, 6),
    zero(7480, 6),
    wynik(7504, 6, VESK_POLE(WynikBrutto)),
    wynik(7512, 6, VESK_POLE(ZyskBrutto)),
    powtorz(7520, 18, 2552),
    wynik(7544, 6, VESK_POLE(ZyskBruttoPoczatkowy)),
    wynik(7560, 6, VESK_POLE(WspolczynnikKorygujacy)),
    wynik(7568, 18, VESK_POLE(WspolczynnikiKosztuZdolnosci)),
    wynik(7592, 18, VESK_POLE(MaterialySprzedanychRoku)),
    wynik(7616, 6, VESK_POLE(FunduszObrotowy)),
    wynik(7624, 6, VESK_POLE(ZyskNaDzialalnosciGospodarczej)),
    wynik(7632, 18, VESK_POLE(PracochlonnoscProdukcji)),
    zero(7656, 6),
    zero(7664, 18),
    zero(7688, 18),
    wynik(7712, 18, VESK_POLE(MaterialyWProdukcjiWToku)),
    wynik(7736, 18, VESK_POLE(PraceWProdukcjiWToku)),
    wynik(7760, 18, VESK_POLE(PraceWWyrobachGotowych)),
    wynik(7784, 18, VESK_POLE(MaterialyWWyrobachGotowych)),
    wynik(7816, 18, VESK_POLE(WartoscZapasuSurowcow)),
    zero(7840, 6),
    zero(7872, 6),
    zero(7880, 6),
    zero(7888, 6),
    zero(7896, 6),
    wynik(7904, 18, VESK_POLE(ZdolnoscProdukcyjna)),
    wynik(7928, 6, VESK_POLE(WartoscProdukcjiWToku)),
    wynik(7936, 6, VESK_POLE(ProduktyNaPoczatkuRoku)),
    zero(7944, 6),
    wynik(7952, 6, VESK_POLE(WartoscMaterialow)),
    wynik(7960, 6, VESK_POLE(ZmianaStanuProduktow)),
    wynik(7968, 6, VESK_POLE(WartoscWyrobowGotowych)),
    zero(7976, 6),
};

// --------------------------------------------------------- tracking blocks
// Six groups of three blocks (one per element 1..3), then single blocks.
#define VESK_SLEDZ(offset, opis, wyr) \
    BlokSledzenia { offset, opis, [](const ZmienneModelu& m) -> long double { return wyr; } }

const BlokSledzenia kSledzenie[] = {
    VESK_SLEDZ(17040, "ZapasSurowcow[1]", m.ZapasSurowcow[1]),
    VESK_SLEDZ(17200, "ZapasSurowcow[2]", m.ZapasSurowcow[2]),
    VESK_SLEDZ(17360, "ZapasSurowcow[3]", m.ZapasSurowcow[3]),
    VESK_SLEDZ(17520, "ProdukcjaWToku[1]", m.ProdukcjaWToku[1]),
    VESK_SLEDZ(17680, "ProdukcjaWToku[2]", m.ProdukcjaWToku[2]),
    VESK_SLEDZ(17840, "ProdukcjaWToku[3]", m.ProdukcjaWToku[3]),
    VESK_SLEDZ(18000, "ZapasWyrobowGotowych[1]", m.ZapasWyrobowGotowych[1]),
    VESK_SLEDZ(18160, "ZapasWyrobowGotowych[2]", m.ZapasWyrobowGotowych[2]),
    VESK_SLEDZ(18320, "ZapasWyrobowGotowych[3]", m.ZapasWyrobowGotowych[3]),
    VESK_SLEDZ(18480, "ProdukcjaRoku[1]", m.ProdukcjaRoku[1]),
    VESK_SLEDZ(18640, "ProdukcjaRoku[2]", m.ProdukcjaRoku[2]),
    VESK_SLEDZ(18800, "ProdukcjaRoku[3]", m.ProdukcjaRoku[3]),
    VESK_SLEDZ(18960, "SprzedazRoku[1]", m.SprzedazRoku[1]),
    VESK_SLEDZ(19120, "SprzedazRoku[2]", m.SprzedazRoku[2]),
    VESK_SLEDZ(19280, "SprzedazRoku[3]", m.SprzedazRoku[3]),
    VESK_SLEDZ(19440, "ZdolnoscProdukcyjna[1]", m.ZdolnoscProdukcyjna[1]),
    VESK_SLEDZ(19600, "ZdolnoscProdukcyjna[2]", m.ZdolnoscProdukcyjna[2]),
    VESK_SLEDZ(19760, "ZdolnoscProdukcyjna[3]", m.ZdolnoscProdukcyjna[3]),
    VESK_SLEDZ(19920, "ZyskPoWyplatach + ZyskPoWyplatachNarastajaco + KapitalAkcyjny",
               m.ZyskPoWyplatach + m.ZyskPoWyplatachNarastajaco + m.KapitalAkcyjny),
    VESK_SLEDZ(20080, "Zobowiazania", m.Zobowiazania),
    VESK_SLEDZ(20240, "KredytInwestycyjny + KredytInwestycyjnyWRealizacji + KredytObrotowy",
               m.KredytInwestycyjny + m.KredytInwestycyjnyWRealizacji + m.KredytObrotowy),
    VESK_SLEDZ(20400, "SrodkiTrwale", m.SrodkiTrwale),
    VESK_SLEDZ(20560, "ZyskBrutto", m.ZyskBrutto),
    VESK_SLEDZ(20720, "WartoscMaterialow", m.WartoscMaterialow),
    VESK_SLEDZ(20880, "WartoscProdukcjiWToku", m.WartoscProdukcjiWToku),
    VESK_SLEDZ(21040, "WartoscWyrobowGotowych", m.WartoscWyrobowGotowych),
    VESK_SLEDZ(21200, "KosztyWytworzenia", m.KosztyWytworzenia),
    VESK_SLEDZ(21360, "PrzychodyZeSprzedazy", m.PrzychodyZeSprzedazy),
    VESK_SLEDZ(21520, "ZyskZatrzymany", m.ZyskZatrzymany),
    BlokSledzenia{21680, "(none: keeps its initial contents)", nullptr},
    VESK_SLEDZ(21840, "RachunekRozliczeniowy", m.RachunekRozliczeniowy),
    // A reserved quantity that no equation sets: 0 throughout a run.
    VESK_SLEDZ(22000, "(reserved, 0)", ((void)m, 0.0L)),
    VESK_SLEDZ(22160, "ZyskNetto", m.ZyskNetto),
    VESK_SLEDZ(22320, "WartoscMaterialow + WartoscProdukcjiWToku + WartoscWyrobowGotowych + RachunekRozliczeniowy",
               m.WartoscMaterialow + m.WartoscProdukcjiWToku + m.WartoscWyrobowGotowych + m.RachunekRozliczeniowy),
};

#undef VESK_SLEDZ
#undef VESK_POLE

// The record bytes of a field, after a bounds check that names the offset.
std::uint8_t* pole(StanModelu& rec, std::size_t offset, std::size_t rozmiar) {
    rec.widok().check(offset, rozmiar);
    return rec.bajty.data() + offset;
}
const std::uint8_t* pole(const StanModelu& rec, std::size_t offset, std::size_t rozmiar) {
    rec.widok().check(offset, rozmiar);
    return rec.bajty.data() + offset;
}

bool jestPermutacja(const Tab<std::uint8_t, 1, 3>& t) {
    std::array<bool, 4> byl{};
    for (std::uint8_t v : t) {
        if (v < 1 || v > 3 || byl[v]) return false;
        byl[v] = true;
    }
    return true;
}

}  // namespace

std::span<const PoleOtwarcia> MapaOtwarcia() { return kOtwarcie; }
std::span<const PoleDecyzji> MapaDecyzji() { return kDecyzje; }
std::span<const PoleWyniku> MapaWynikowRoku() { return kWynikiRoku; }
std::span<const BlokSledzenia> MapaSledzenia() { return kSledzenie; }

void WczytajStanOtwarcia(Kontekst& k, const StanModelu& rec) {
    for (const PoleOtwarcia& p : kOtwarcie) {
        const std::uint8_t* src = pole(rec, p.offset, p.rozmiar);
        switch (p.rodzaj) {
            case RodzajOtwarcia::Wielkosc:
                p.wielkosc.zRekordu(src, k.m);
                break;
            case RodzajOtwarcia::Zastrzezone:
                std::memcpy(k.m.OtwarcieZastrzezone.data() + p.offset, src, p.rozmiar);
                break;
            case RodzajOtwarcia::NieWczytywane:
                break;
        }
    }
    // The product order indexes the products: anything but a permutation
    // of 1..3 (a damaged or foreign record) falls back to the plain order.
    if (!jestPermutacja(k.m.KolejnoscProduktow))
        for (int i = 1; i <= 3; ++i) k.m.KolejnoscProduktow[i] = static_cast<std::uint8_t>(i);
}

void ZapiszWynikiRoku(Kontekst& k, std::uint8_t rok) {
    assert(rok >= 1 && rok <= 3);
    if (rok < 1 || rok > 3) return;
    StanModelu& rec = k.RekordBiezacy;
    for (const PoleWyniku& p : kWynikiRoku) {
        std::uint8_t* dst = pole(rec, PolePoRoku(p.offset, rok), p.rozmiar);
        switch (p.rodzaj) {
            case RodzajWyniku::Wielkosc:
                p.wielkosc.doRekordu(k.m, dst);
                if (p.zeroBliskoZera && std::fabs(decodeReal48(dst)) <= 1.0E-7L) encodeReal48(0.0L, dst);
                break;
            case RodzajWyniku::Zero:
                std::memset(dst, 0, p.rozmiar);
                break;
            case RodzajWyniku::PowtorzOtwarcie:
                std::memcpy(dst, k.m.OtwarcieZastrzezone.data() + p.otwarcie, p.rozmiar);
                break;
            case RodzajWyniku::PowtorzWRoku1:
                if (rok == 1)
                    std::memcpy(dst, k.m.OtwarcieZastrzezone.data() + p.otwarcie, p.rozmiar);
                else
                    std::memset(dst, 0, p.rozmiar);
                break;
        }
    }
}

bool PrzeniesStanZRodzica(Kontekst& k, std::uint8_t rodzic, StanModelu& rec) {
    if (!ZnajdzStanModelu(k, SciezkaPlikuStanu(k), rodzic, k.RekordPomocniczy)) return false;
    const StanModelu& r = k.RekordPomocniczy;
    for (const PoleOtwarcia& p : kOtwarcie) {
        if (p.rodzic < 0) continue;
        const std::uint8_t* src = pole(r, static_cast<std::size_t>(p.rodzic), p.rozmiar);
        std::uint8_t* dst = pole(rec, p.offset, p.rozmiar);
        std::memmove(dst, src, p.rozmiar);
    }
    return true;
}

void ZerujEkstremaStanu(StanModelu& rec) {
    for (int b = 0; b < LiczbaBlokowSledzenia; ++b) {
        std::uint8_t* blok = pole(rec, PoczatekSledzenia + RozmiarBlokuSledzenia * static_cast<std::size_t>(b),
                                  RozmiarBlokuSledzenia);
        std::memset(blok, 0, RozmiarBlokuSledzenia);
        encodeReal48(1.0E30L, blok + SledzenieMinimum);
        encodeReal48(-1.0E30L, blok + SledzenieMaksimum);
    }
}

void AktualizujBlokiSledzenia(Kontekst& k, StanModelu& rec) {
    for (const BlokSledzenia& b : kSledzenie) {
        if (!b.wartosc) continue;
        std::uint8_t* blok = pole(rec, b.offset, RozmiarBlokuSledzenia);
        const long double v = b.wartosc(k.m);
        if (v > decodeReal48(blok + SledzenieMaksimum)) encodeReal48(v, blok + SledzenieMaksimum);
        if (v < decodeReal48(blok + SledzenieMinimum)) encodeReal48(v, blok + SledzenieMinimum);
        encodeReal48(v, blok + SledzenieWartosc);
    }
}

}  // namespace vesk
