// A tree grown with extreme decisions (no production, absurd prices, big
// investments, share issues, full debt and dividend, no raw materials, huge
// orders) and read as statements: every stored year of every node must add
// up to the 0.01 that the pages print.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "DomknijBilans.h"
#include "Kontekst.h"
#include "OperacjeWezlow.h"
#include "PlikStanu.h"
#include "PolaRoku.h"
#include "RaportBIK.h"
#include "RaportINF.h"
#include "RaportPRF.h"
#include "TempDir.h"

namespace vesk {
namespace {

using Decyzje = std::function<void(ZmienneModelu&, int Y)>;

void KazdyRok(ZmienneModelu& m, const std::function<void(int y)>& f) {
    for (int y = 1; y <= 3; ++y) f(y);
    (void)m;
}

struct DrzewoSkrajne {
    test::TempDir dir;
    ScriptedUserInterface ui;
    std::unique_ptr<Kontekst> k = std::make_unique<Kontekst>(ui);
    std::vector<int> wezly{0};

    int wezel(int baza, const Decyzje& zmien) {
        k->WezelBazowy.NumerTekst = std::to_string(baza);
        k->WezelDoEdycji.NumerTekst = std::to_string(baza);
        EXPECT_TRUE(NowyWezel(*k, 1));
        OdtworzDecyzjeZeStanu(k->RekordBiezacy, k->m);
        zmien(k->m, k->RekordBiezacy.Rok());
        ZapiszDecyzjeDoStanu(k->m, k->RekordBiezacy);
        EXPECT_TRUE(SymulujWezel(*k));
        wezly.push_back(k->NumerNowegoWezla);
        return k->NumerNowegoWezla;
    }

    DrzewoSkrajne() {
        k->catPARAMETR = std::string(VESK_DATA_DIR) + "PARAMETR/";
        k->SciezkaOperatora = dir.folder() + "SKRAJ.";
        EXPECT_TRUE(UtworzStanOperatora(*k));
        auto& m = k->m;
        (void)m;
        wezel(0, [](ZmienneModelu&, int) {});
        const int bezProdukcji = wezel(0, [](ZmienneModelu& m, int) {
            KazdyRok(m, [&](int y) { m.DecyzjeProdukcji[y] = {}; });
        });
        wezel(0, [](ZmienneModelu& m, int) {
            KazdyRok(m, [&](int y) { m.DecyzjeCen[y][1] = m.DecyzjeCen[y][2] = m.DecyzjeCen[y][3] = 99; });
        });
        wezel(0, [](ZmienneModelu& m, int Y) {
            const int kody[5] = {8, 7, 6, 5, 4};
            for (int n = 0; n < 5; ++n) {
                WpisHarmonogramu& e = m.HarmonogramInwestycji[1 + n % 3][1 + n / 3][1 + n % 2];
                e.UstawKodWariantu(static_cast<std::uint8_t>(kody[n]));
                e.UstawStart(Y + n / 3);
                e.UstawKoniec(Y + n / 3 + m.WariantyInwestycji[kody[n] - 1].CzasRealizacji);
            }
        });
        wezel(0, [](ZmienneModelu& m, int) {
            m.EmisjaAkcji[1] = 500;
            m.EmisjaAkcji[2] = 300;
            m.EmisjaAkcji[3] = 100;
        });
        wezel(0, [](ZmienneModelu& m, int) {
            KazdyRok(m, [&](int y) {
                m.DecyzjeZadluzenia[y] = 1;
                m.UdzialDywidendyZwyklej[y] = 1;
            });
        });
        const int dziecko = wezel(bezProdukcji, [](ZmienneModelu&, int) {});
        wezel(dziecko, [](ZmienneModelu&, int) {});
        wezel(0, [](ZmienneModelu& m, int) { KazdyRok(m, [&](int y) { m.DecyzjeZakupuSurowcow[y] = {}; }); });
        wezel(0, [](ZmienneModelu& m, int) {
            KazdyRok(m, [&](int y) {
                for (int i = 1; i <= 3; ++i) {
                    m.DecyzjeProdukcji[y][i] = 99000;
                    m.DecyzjeZakupuSurowcow[y][i] = 999000;
                    m.DecyzjeCen[y][i] = 0.001L;
                }
            });
        });
    }
};

// The whole check: each identity of each stored year of each node, named
// where it fails.
struct Tozsamosc {
    const char* nazwa;
    Wyrazenie lewa, prawa;
    bool bilans = false;  // read, as the balance sheet prints it, after the closing step
};
// The same field as the balance sheet prints it: read after the closing step.
Wyrazenie WBilansie(PoleRoku pole) {
    return Wyrazenie([pole](const StanModelu& r, int rok) {
        StanModelu domkniety = r;
        DomknijBilans(domkniety);
        return Odczyt(domkniety, pole, rok);
    });
}

std::vector<Tozsamosc> Tozsamosci() {
    using namespace pola;
    return {
        {"aktywa = pasywa", SumaAktywow, SumaPasywow},
        {"stan poczatkowy + przeplywy = stan koncowy", RachunekRozliczeniowyNaPoczatkuRoku + PrzeplywyRazem(),
         RachunekRozliczeniowy},
        {"majatek trwaly = grunty i budynki + maszyny netto", SrodkiTrwale, GruntyIBudynkiNetto + UrzadzeniaIMaszynyNetto},
        {"rachunek wynikow: koszty i straty = przychody i zyski", RazemKosztyIStraty(), RazemPrzychodyIZyski()},
        {"kapital wlasny = I + II + III", KapitalWlasny, KapitalAkcyjny + KapitalZapasowy + KapitalRezerwowy},
        {"aktywa trwale = I + II", MajatekTrwaly(), SrodkiTrwale + InwestycjeRozpoczete},
        {"aktywa razem = A + B", SumaAktywow, MajatekTrwaly() + MajatekObrotowy, true},
        {"pasywa razem = A + B", SumaPasywow,
         KapitalWlasny + ZobowiazaniaDlugoterminowe + Zobowiazania + KredytSanacyjny, true},
        {"zysk netto: rachunek dochodow = rachunek wynikow", WynikDoBilansu, ZyskNettoRachunku()},
        {"srodki pieniezne: rachunek przeplywow = bilans", RachunekRozliczeniowy, WBilansie(RachunekRozliczeniowy)},
    };
}

TEST(UzgodnienieSprawozdan, EveryStoredYearOfEveryNodeOfAnExtremeTreeAddsUp) {
    DrzewoSkrajne d;
    const std::string sciezka = SciezkaPlikuStanu(*d.k);
    for (int n : d.wezly) {
        StanModelu rec;
        ASSERT_TRUE(ZnajdzStanModelu(*d.k, sciezka, static_cast<std::uint8_t>(n), rec)) << n;
        StanModelu domkniety = rec;
        DomknijBilans(domkniety);
        for (const Tozsamosc& t : Tozsamosci())
            for (int y = 1; y <= 3; ++y)
                EXPECT_NEAR(static_cast<double>(t.lewa(t.bilans ? domkniety : rec, y)),
                            static_cast<double>(t.prawa(t.bilans ? domkniety : rec, y)), 0.01)
                    << t.nazwa << ", node " << n << ", year " << rec.Rok() - 4 + y;
    }
}

}  // namespace
}  // namespace vesk
