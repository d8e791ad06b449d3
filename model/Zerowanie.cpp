#include "Zerowanie.h"

namespace vesk {

namespace {

void zeruj(Real& r) { r = 0; }
template <int Lo, int Hi>
void zeruj(Tab<Real, Lo, Hi>& t) {
    for (Real& r : t) r = 0;
}
template <int Lo, int Hi, int Lo2, int Hi2>
void zeruj(Tab<Tab<Real, Lo2, Hi2>, Lo, Hi>& t) {
    for (auto& row : t) zeruj(row);
}

}  // namespace

void ZerujZmienneModelu2(Kontekst& k) {
    ZmienneModelu& m = k.m;
    zeruj(m.CzasSymulacji);
    zeruj(m.CzasPolroczny);
    zeruj(m.RokKalendarzowy);
    zeruj(m.RokOkresu);
    zeruj(m.DecyzjeProdukcji);
    zeruj(m.DecyzjeCen);
    zeruj(m.DecyzjeZakupuSurowcow);
    zeruj(m.UdzialDywidendyZwyklej);
    zeruj(m.DecyzjeZadluzenia);
    zeruj(m.EmisjaAkcji);
    zeruj(m.KredytInwestycyjnyProduktu);
    zeruj(m.KredytProjektu);
    zeruj(m.CzasPrzejsciaProdukcji);
    zeruj(m.CenySurowcow);
    zeruj(m.KosztPracyJednostkowy);
    m.HarmonogramInwestycji = Harmonogram{};
    zeruj(m.StawkaDekapitalizacjiKroku);
    zeruj(m.WynikZeSprzedazy);
    zeruj(m.WynikOperacyjny);
    zeruj(m.PozycjaWynikuZerowa);
    zeruj(m.WartoscOddanychInwestycji);
    zeruj(m.KredytyZaciagnieteRoku);
    zeruj(m.KredytySplaconeRoku);
    zeruj(m.KredytInwestycyjny);
    zeruj(m.KredytInwestycyjnyWRealizacji);
    zeruj(m.KredytObrotowy);
    zeruj(m.KredytSanacyjny);
    zeruj(m.KorektaZyskuBrutto2);
    zeruj(m.Amortyzacja);
    zeruj(m.KosztyFinansowe);
    zeruj(m.KosztyOkresowe1);
    zeruj(m.KosztyOkresowe2);
    zeruj(m.KosztyOkresowe3);
    zeruj(m.Zapasy);
    zeruj(m.ZuzycieMaterialow);
    zeruj(m.KosztyWytworzenia);
    zeruj(m.WynagrodzeniaISwiadczenia);
    zeruj(m.KosztZdolnosciRazem);
    zeruj(m.KosztWyrobowRazem);
    zeruj(m.InwestycjeRozpoczete);
    zeruj(m.KredytIFinansowanieInwestycji);
    zeruj(m.KredytDocelowy);
    zeruj(m.PrzychodyZeSprzedazy);
    zeruj(m.KontoSumyBilansowej);
    zeruj(m.PasywaKontrolne);
    zeruj(m.FinansowanieRazem);
    zeruj(m.AktywaKontrolne);
    zeruj(m.NakladyInwestycjiWlasnychNarastajaco);
    zeruj(m.FunduszInwestycjiWlasnych);
    zeruj(m.PrzeplywyNarastajaco);
    zeruj(m.ZobowiazaniaBiezaceKontrolne);
    zeruj(m.SrodkiIZobowiazaniaBiezace);
    zeruj(m.FunduszObrotowyGotowkowy);
    zeruj(m.SrodkiPieniezneKontrolne);
    zeruj(m.KontoOddanychInwestycji);
    zeruj(m.FunduszObrotowyRozliczeniowy);
    zeruj(m.KontoKapitalow);
    zeruj(m.FunduszeRazemKontrolne);
    zeruj(m.KontoFunduszuMajatkuTrwalego);
    zeruj(m.FunduszMajatkuTrwalegoKopia);
    zeruj(m.KontoMajatkuTrwalego);
    zeruj(m.FunduszeMajatkuTrwalegoRazem);
    zeruj(m.NormatywPodzialuAmortyzacji);
    zeruj(m.StawkaDodatkowa);
    m.LiczbaWariantowKredytowanych = 0;
    zeruj(m.StawkaFunduszuMieszkaniowego);
    zeruj(m.OkresSplatyZobowiazan);
    zeruj(m.OkresSplatyNaleznosci);
    zeruj(m.StopaDywidendy);
    zeruj(m.StawkaAmortyzacji);
    zeruj(m.StawkaFunduszuSocjalnego);
    zeruj(m.OprocentowanieKredytuInwestycyjnego);
    zeruj(m.OprocentowanieKredytuObrotowego);
    zeruj(m.StawkaPodatkuOdWynagrodzen);
    zeruj(m.OprocentowanieKredytuSanacyjnego);
    zeruj(m.StawkaSkladekZUS);
    zeruj(m.AmortyzacjaRoku);
    zeruj(m.KontoZadluzenia);
    zeruj(m.KredytSanacyjnyKopia);
    zeruj(m.KosztyOkresoweWyrobuRoku[1]);
    zeruj(m.KosztyOkresoweWyrobuRoku[2]);
    zeruj(m.KosztyOkresoweWyrobuRoku[3]);
    zeruj(m.UslugiObceWydzialu);
    zeruj(m.WynagrodzeniaWydzialu);
    zeruj(m.AmortyzacjaWydzialu);
    zeruj(m.ZuzycieMaterialowRoku);
    zeruj(m.KosztyOperacyjneWyrobu);
    zeruj(m.PlaceRoku);
    zeruj(m.KosztZdolnosciRoku);
    m.KolejnoscProduktow.fill(0);
    zeruj(m.ParametrStaly);
    zeruj(m.KosztWyrobuRoku);
    zeruj(m.NormatywZapasu);
    zeruj(m.DywidendaZwykla);
    zeruj(m.ZyskDoPodzialu);
    zeruj(m.ZyskZatrzymany);
    zeruj(m.KorektaZyskuBrutto1);
    zeruj(m.PodatekDochodowy);
    zeruj(m.WartoscInwestycjiProduktu);
    zeruj(m.ZapasWyrobowGotowych);
    zeruj(m.ProdukcjaWToku);
    zeruj(m.ZapasSurowcow);
    zeruj(m.AmortyzacjaKroku);
    zeruj(m.UdzialPodzialuAmortyzacji);
    zeruj(m.StawkaDodatkowaKroku);
    zeruj(m.Zobowiazania);
    zeruj(m.WynikNiepodzielonyNarastajaco);
    zeruj(m.UrzadzeniaIMaszynyBrutto);
    zeruj(m.UdzialFunduszuMieszkaniowego);
    zeruj(m.Naleznosci);
    zeruj(m.RachunekRozliczeniowy);
    zeruj(m.ZyskPoWyplatachNarastajaco);
    zeruj(m.ZapasyNaPoczatkuRoku);
    zeruj(m.StawkaAmortyzacjiKroku);
    zeruj(m.StawkaDekapitalizacji);
    zeruj(m.StawkaKredytuInwestycyjnegoKroku);
    zeruj(m.StawkaKredytuSanacyjnegoKroku);
    zeruj(m.NormyZuzyciaSurowcow);
    zeruj(m.WyplatyZZysku);
    zeruj(m.SumaAktywow);
    zeruj(m.SumaPasywow);
    zeruj(m.ZuzycieSurowcow);
    zeruj(m.UruchomienieProdukcji);
    zeruj(m.SplatyKredytuInwestycyjnegoNarastajaco);
    zeruj(m.SprzedazRoku);
    zeruj(m.ProdukcjaRoku);
    zeruj(m.ZdolnoscRoku);
    zeruj(m.NarzutNaWynagrodzenia);
    zeruj(m.StawkaPodatkuDochodowego);
    zeruj(m.StrataBrutto);
    zeruj(m.SprzedazIlosciowa);
    zeruj(m.SrodkiTrwale);
    zeruj(m.FunduszMajatkuTrwalegoPoczatkowy);
    zeruj(m.FunduszMajatkuTrwalego);
    zeruj(m.ZakonczenieProdukcji);
    zeruj(m.ZyskBrutto);
    zeruj(m.ZyskBruttoPoczatkowy);
    zeruj(m.WspolczynnikKorygujacy);
    zeruj(m.WspolczynnikiKosztuZdolnosci);
    zeruj(m.MaterialySprzedanychRoku);
    zeruj(m.FunduszObrotowy);
    zeruj(m.PracochlonnoscProdukcji);
    zeruj(m.MaterialyWProdukcjiWToku);
    zeruj(m.PraceWProdukcjiWToku);
    zeruj(m.PraceWWyrobachGotowych);
    zeruj(m.MaterialyWWyrobachGotowych);
    zeruj(m.WartoscZapasuSurowcow);
    zeruj(m.ZyskNetto);
    zeruj(m.ZdolnoscProdukcyjna);
    zeruj(m.WartoscProdukcjiWToku);
    zeruj(m.ProduktyNaPoczatkuRoku);
    zeruj(m.WartoscMaterialow);
    zeruj(m.ZmianaStanuProduktow);
    zeruj(m.WartoscWyrobowGotowych);
    zeruj(m.ZyskPoWyplatach);
    zeruj(m.WynikNiepodzielony);
    zeruj(m.DywidendaObowiazkowa);
    zeruj(m.UmorzenieSrodkowTrwalych);
    zeruj(m.EmisjaAkcjiZwyklych);
    zeruj(m.KapitalAkcyjny);
    zeruj(m.KapitalWlasny);
    zeruj(m.KapitalRezerwowy);
    zeruj(m.WynikLatUbieglych);
    zeruj(m.KapitalZapasowyPoczatkowy);
    m.SumaEmisjiAkcji = 1.0E-12L;
    // The reserved fields that only the record carries start empty, so that
    // a root run never writes what an earlier run left in them.
    m.OtwarcieZastrzezone.fill(0);
}

void ZerujZmienneModelu1(Kontekst& k) {
    ZmienneModelu& m = k.m;
    zeruj(m.ZyskZatrzymany);
    zeruj(m.AktywaSrednie);
    zeruj(m.WplywyRoku);
    zeruj(m.WydatkiRoku);
    zeruj(m.OdpisNaKapitalZapasowy);
    zeruj(m.ResztaZyskuZatrzymanego);
    zeruj(m.WynikLatUbieglych);
    zeruj(m.WynikDoBilansu);
    zeruj(m.SaldoOperacyjneKroku);
    zeruj(m.AmortyzacjaKrokuRazem);
    zeruj(m.KosztyOkresoweKroku[1]);
    zeruj(m.KosztyOkresoweKroku[2]);
    zeruj(m.KosztyOkresoweKroku[3]);
    zeruj(m.KosztyOkresoweKroku[0]);
    zeruj(m.OdsetkiKroku);
    zeruj(m.WynikBrutto);
    zeruj(m.ZyskNaDzialalnosciGospodarczej);
    zeruj(m.WynikNetto);
    zeruj(m.PracePrzeniesioneKroku);
    zeruj(m.KosztyOkresoweWyrobu[1]);
    zeruj(m.KosztyOkresoweWyrobu[2]);
    zeruj(m.KosztyOkresoweWyrobu[3]);
    zeruj(m.KosztyOkresoweWyrobu[0]);
    zeruj(m.PlaceUruchomieniaKroku);
    zeruj(m.PlaceZakonczeniaKroku);
    zeruj(m.OdsetkiKredytuInwestycyjnegoKroku);
    zeruj(m.SplataKredytuInwestycyjnego);
    zeruj(m.NakladyInwestycjiKredytowanych);
    zeruj(m.NakladyInwestycjiWlasnych);
    zeruj(m.ZuzycieMaterialowKroku);
    zeruj(m.PlaceKroku);
    zeruj(m.ZakupySurowcowKroku);
    zeruj(m.OddaneInwestycjeKredytowane);
    zeruj(m.OddaneInwestycjeWlasne);
    zeruj(m.OdsetkiKredytuObrotowegoKroku);
    zeruj(m.ZaciagniecieKredytuKroku);
    zeruj(m.PlaceKrokuRazem);
    zeruj(m.OdpisKredytuProjektu);
    zeruj(m.KosztZdolnosciKrokuRazem);
    zeruj(m.KosztZdolnosciKroku);
    zeruj(m.PracaSprzedanychKroku);
    zeruj(m.PrzeplywKroku);
    zeruj(m.NadplataKredytuInwestycyjnego);
    zeruj(m.RataKredytuProjektu);
    zeruj(m.OdsetkiKredytuSanacyjnegoKroku);
    zeruj(m.SplataKredytuKroku);
    zeruj(m.KredytSanacyjnyKroku);
    zeruj(m.StrataKroku);
    zeruj(m.DekapitalizacjaKroku2);
    zeruj(m.DekapitalizacjaKroku1);
    zeruj(m.WplywyNaleznosciKroku);
    zeruj(m.SplataZobowiazanKroku);
    zeruj(m.PrzeniesienieKredytu);
    zeruj(m.KosztyKroku);
    zeruj(m.KosztWyrobuKroku);
    zeruj(m.PrzychodyKroku);
    zeruj(m.SprzedazWyrobow);
    zeruj(m.ZyskKroku);
    zeruj(m.WyplatyZZysku);
}

void KoniecRoku(Kontekst& k) {
    ZmienneModelu& m = k.m;
    // The year's result to the balance outlives the reset: the next year's
    // start refuses a share issue after a loss year, as a node's first year
    // does with the result its opening state brings from the parent.
    const Real wynikRoku = m.WynikDoBilansu;
    ZerujZmienneModelu1(k);
    m.WynikDoBilansu = wynikRoku;
    zeruj(m.SprzedazRoku);
    zeruj(m.ProdukcjaRoku);
    zeruj(m.AmortyzacjaRoku);
    zeruj(m.KosztyOkresoweWyrobuRoku[1]);
    zeruj(m.KosztyOkresoweWyrobuRoku[2]);
    zeruj(m.ZuzycieMaterialowRoku);
    zeruj(m.KosztyOperacyjneWyrobu);
    zeruj(m.PlaceRoku);
    zeruj(m.KosztZdolnosciRoku);
    zeruj(m.KosztWyrobuRoku);
    zeruj(m.PrzychodyZeSprzedazy);
    zeruj(m.MaterialySprzedanychRoku);
    zeruj(m.ZdolnoscRoku);
    zeruj(m.PodatekDochodowy);
    zeruj(m.ZyskDoPodzialu);
    zeruj(m.DywidendaZwykla);
    zeruj(m.StrataBrutto);
    zeruj(m.ZyskNetto);
    zeruj(m.ZyskBrutto);
}

namespace {
// Reserved opening fields that the root's record repeats in its year blocks.
constexpr std::size_t kZastrzezone600 = 600;    // the root writes 120
constexpr std::size_t kZastrzezone1152 = 1152;  // the root's share capital
constexpr std::size_t kZastrzezone1592 = 1592;  // 0.3 for each product

void ustawZastrzezone(ZmienneModelu& m, std::size_t offset, long double v) {
    encodeReal48(v, m.OtwarcieZastrzezone.data() + offset);
}
}  // namespace

void UstawStanPoczatkowy(Kontekst& k) {
    ZmienneModelu& m = k.m;
    m.CzasSymulacji = 0;
    m.RokSymulacji = 1;
    m.RokKalendarzowy = -2;
    m.RokOkresu = -2;
    m.CzasPolroczny = -2;
    m.SrodkiTrwale = 120;
    ustawZastrzezone(m, kZastrzezone600, 120.0L);
    m.InwestycjeRozpoczete = 0;
    m.WartoscMaterialow = 0;
    m.WartoscProdukcjiWToku = 0;
    m.WartoscWyrobowGotowych = 0;
    m.Naleznosci = 0;
    m.RachunekRozliczeniowy = 50;
    m.MajatekObrotowy =
        m.WartoscMaterialow + m.WartoscProdukcjiWToku + m.WartoscWyrobowGotowych + m.RachunekRozliczeniowy + m.Naleznosci;
    m.SumaAktywow = m.SrodkiTrwale + m.InwestycjeRozpoczete + m.MajatekObrotowy;
    m.FunduszMajatkuTrwalego = 60;
    m.FunduszMajatkuTrwalegoPoczatkowy = 60;
    m.FunduszObrotowy = 50;
    m.KapitalWlasny = 170;
    m.KredytInwestycyjny = 0;
    m.KredytObrotowy = 0;
    m.Zobowiazania = 0;
    m.ZyskPoWyplatachNarastajaco = 0;
    m.KontoOddanychInwestycji = 50;
    m.ZobowiazaniaDlugoterminowe = 0;
    m.KapitalZapasowy = 0;
    m.FunduszObrotowyRozliczeniowy = 0;
    m.KapitalAkcyjny = m.FunduszMajatkuTrwalego + m.FunduszMajatkuTrwalegoPoczatkowy + m.FunduszObrotowy;
    ustawZastrzezone(m, kZastrzezone1152, m.KapitalAkcyjny);
    m.SumaEmisjiNaKoniec = 0;
    m.SumaPasywow = m.KapitalWlasny + m.ZobowiazaniaDlugoterminowe + m.Zobowiazania;
    for (int i = 1; i <= 3; ++i) {
        m.ZapasSurowcow[i] = 0;
        m.MaterialyWProdukcjiWToku[i] = 0;
        m.ProdukcjaWToku[i] = 0;
        m.ZapasWyrobowGotowych[i] = 0;
        m.ZdolnoscProdukcyjna[i] = 400;
        m.WartoscInwestycjiProduktu[i] = 40;
        ustawZastrzezone(m, kZastrzezone1592 + 6 * static_cast<std::size_t>(i - 1), 0.3L);
    }
    m.KontoMajatkuTrwalego = 120;
    m.FunduszeMajatkuTrwalegoRazem = 120;
    m.PrzeplywyNarastajaco = 0;
    m.ZobowiazaniaBiezaceKontrolne = 0;
    m.FunduszObrotowyGotowkowy = 50;
    m.SrodkiPieniezneKontrolne = 50;
    m.KontoFunduszuMajatkuTrwalego = 60;
    m.FunduszMajatkuTrwalegoKopia = 60;
    m.KontoKapitalow = 110;
    m.FunduszeRazemKontrolne = 110;
    m.KontoZadluzenia = 0;
    m.KredytSanacyjnyKopia = 0;
    m.KontoSumyBilansowej = 170;
    m.PasywaKontrolne = 170;
    m.FinansowanieRazem = 170;
    m.AktywaKontrolne = 170;
    m.KolejnoscProduktow[1] = 1;
    m.KolejnoscProduktow[2] = 2;
    m.KolejnoscProduktow[3] = 3;
}

void DomyslneDecyzje(Kontekst& k) {
    ZmienneModelu& m = k.m;
    const long double ceny[4] = {0.0L, 0.25L, 0.34L, 0.411L};
    for (int rok = 1; rok <= 3; ++rok) {
        for (int i = 1; i <= 3; ++i) {
            m.DecyzjeProdukcji[rok][i] = 400;
            m.DecyzjeCen[rok][i] = ceny[i];
            m.DecyzjeZakupuSurowcow[rok][i] = rok == 1 ? 400 : 350;
        }
        m.UdzialDywidendyZwyklej[rok] = 0.1L;
        m.DecyzjeZadluzenia[rok] = 0.5L;
        m.EmisjaAkcji[rok] = 1;
    }
}

}  // namespace vesk
