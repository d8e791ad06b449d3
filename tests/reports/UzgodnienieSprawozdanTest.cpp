// A tree grown with extreme decisions (no production, absurd prices, big
// investments, share issues, full debt and dividend, no raw materials, huge
// orders) and read as statements: every stored year of every node must add
// up to the 0.01 that the pages print.
#include <gtest/gtest.h>

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

// The decisions of year y (1..3) of a node whose period starts in Y.
using Decyzje = std::function<void(ZmienneModelu&, int Y, int y)>;

struct DrzewoSkrajne {
    test::TempDir dir;
    ScriptedUserInterface ui;
    std::unique_ptr<Kontekst> k = std::make_unique<Kontekst>(ui);
    std::vector<int> wezly{0};

    int wezel(int baza, const Decyzje& zmien = [](ZmienneModelu&, int, int) {}) {
        k->WezelBazowy.NumerTekst = k->WezelDoEdycji.NumerTekst = std::to_string(baza);
        EXPECT_TRUE(NowyWezel(*k, 1));
        OdtworzDecyzjeZeStanu(k->RekordBiezacy, k->m);
        for (int y = 1; y <= 3; ++y) zmien(k->m, k->RekordBiezacy.Rok(), y);
        ZapiszDecyzjeDoStanu(k->m, k->RekordBiezacy);
        EXPECT_TRUE(SymulujWezel(*k));
        wezly.push_back(k->NumerNowegoWezla);
        return k->NumerNowegoWezla;
    }

    DrzewoSkrajne() {
        k->catPARAMETR = std::string(VESK_DATA_DIR) + "PARAMETR/";
        k->SciezkaOperatora = dir.folder() + "SKRAJ.";
        EXPECT_TRUE(UtworzStanOperatora(*k));
        wezel(0);
        const int bezProdukcji = wezel(0, [](ZmienneModelu& m, int, int y) { m.DecyzjeProdukcji[y].fill(0); });
        wezel(0, [](ZmienneModelu& m, int, int y) { m.DecyzjeCen[y].fill(99); });
        // Variants 8, 7, 6, 5, 4 started in the first two years.
        wezel(0, [](ZmienneModelu& m, int Y, int y) {
            for (int n = 0; n < 5 && y == 1; ++n) {
                WpisHarmonogramu& e = m.HarmonogramInwestycji[1 + n % 3][1 + n / 3][1 + n % 2];
                e.UstawKodWariantu(static_cast<std::uint8_t>(8 - n));
                e.UstawStart(Y + n / 3);
                e.UstawKoniec(Y + n / 3 + m.WariantyInwestycji[7 - n].CzasRealizacji);
            }
        });
        wezel(0, [](ZmienneModelu& m, int, int y) { m.EmisjaAkcji[y] = 700 - 200 * y; });
        wezel(0, [](ZmienneModelu& m, int, int y) { m.DecyzjeZadluzenia[y] = m.UdzialDywidendyZwyklej[y] = 1; });
        wezel(wezel(bezProdukcji));
        wezel(0, [](ZmienneModelu& m, int, int y) { m.DecyzjeZakupuSurowcow[y].fill(0); });
        wezel(0, [](ZmienneModelu& m, int, int y) {
            m.DecyzjeProdukcji[y].fill(99000);
            m.DecyzjeZakupuSurowcow[y].fill(999000);
            m.DecyzjeCen[y].fill(0.001L);
        });
    }
};

// The whole check: each identity of each stored year of each node, named
// where it fails.
struct Tozsamosc {
    const char* nazwa;
    Wyrazenie lewa, prawa;
    bool bilans = false;  // the right side as the balance sheet prints it, after its closing step
};

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
        {"aktywa razem = A + B", SumaAktywow, MajatekTrwaly() + MajatekObrotowy},
        {"pasywa razem = A + B", SumaPasywow,
         KapitalWlasny + ZobowiazaniaDlugoterminowe + Zobowiazania + KredytSanacyjny, true},
        {"zysk netto: rachunek dochodow = rachunek wynikow", WynikDoBilansu, ZyskNettoRachunku()},
        {"wynik do kapitalow = zmiana kapitalu wlasnego bez emisji", WynikDoBilansu - DywidendaZwykla,
         KapitalWlasny - KapitalWlasnyNaPoczatek - EmisjaAkcjiWRoku},
        {"srodki pieniezne: rachunek przeplywow = bilans", RachunekRozliczeniowy, RachunekRozliczeniowy, true},
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
                EXPECT_NEAR(static_cast<double>(t.lewa(rec, y)), static_cast<double>(t.prawa(t.bilans ? domkniety : rec, y)),
                            0.01)
                    << t.nazwa << ", node " << n << ", year " << rec.Rok() - 4 + y;
    }
}

}  // namespace
}  // namespace vesk
