// The state file of a 20-node operator, byte for byte. The file under
// tests/model/wzorce/ was written once by an earlier build of the model; any
// change to the arithmetic, the rounding or the record layout that alters a
// single stored byte fails here. Running the test with VESK_NOWY_WZORZEC set
// writes the file anew (only for a change meant to alter the results).
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>

#include "Kontekst.h"
#include "OperacjeWezlow.h"
#include "PlikStanu.h"
#include "TempDir.h"

namespace vesk {
namespace {

const std::string kWzorzec = std::string(VESK_SOURCE_DIR) + "tests/model/wzorce/DRZEWO20.qad";

// The decisions of node n (1..19): prices from 12 % below to 12 % above the
// defaults, production plans with the purchases that feed them, dividend,
// debt ratio, a share issue every third node, and one own-funds project.
void decyzjeWezla(int n, ZmienneModelu& m, int Y) {
    static const long double kCeny[4] = {0, 0.25L, 0.34L, 0.411L};
    const long double czynnik = 1.0L + 0.04L * static_cast<long double>(n % 7 - 3);
    long double plan[3];
    for (int i = 0; i < 3; ++i) plan[i] = 340.0L + 20.0L * static_cast<long double>((n + i) % 5);
    for (int y = 1; y <= 3; ++y) {
        for (int i = 1; i <= 3; ++i) {
            m.DecyzjeCen[y][i] = kCeny[i] * czynnik * (1.0L + 0.01L * (y - 2));
            m.DecyzjeProdukcji[y][i] = plan[i - 1];
        }
        for (int j = 1; j <= 3; ++j) {
            long double potrzeba = 0;
            for (int i = 1; i <= 3; ++i) potrzeba += m.NormyZuzyciaSurowcow[j][i] * plan[i - 1];
            m.DecyzjeZakupuSurowcow[y][j] = potrzeba;
        }
        m.UdzialDywidendyZwyklej[y] = 0.05L * static_cast<long double>(n % 5);
        m.DecyzjeZadluzenia[y] = 0.2L + 0.1L * static_cast<long double>(n % 4);
        m.EmisjaAkcji[y] = (y == 2 && n % 3 == 0) ? 2.0L : 0.0L;
    }
    Harmonogram h{};
    WpisHarmonogramu& e = h[1 + n % 3][2][1];
    const int kod = 5 + n % 3;
    e.UstawKodWariantu(static_cast<std::uint8_t>(kod));
    e.UstawStart(Y + 1.0L);
    e.UstawKoniec(Y + 1.0L + m.WariantyInwestycji[kod - 1].CzasRealizacji);
    m.HarmonogramInwestycji = h;
}

TEST(WzorcowyPlikStanu, TwentyNodesOfATreeGiveTheSameStateFileByteForByte) {
    test::TempDir dir;
    ScriptedUserInterface ui;
    auto k = std::make_unique<Kontekst>(ui);
    k->catPARAMETR = std::string(VESK_DATA_DIR) + "PARAMETR/";
    k->SciezkaOperatora = dir.folder() + "DRZEWO20.";
    ASSERT_TRUE(UtworzStanOperatora(*k));
    // A tree, not a chain: node n grows from node (n - 1) / 2, which is also
    // the template of its decisions.
    for (int n = 1; n < 20; ++n) {
        const int rodzic = (n - 1) / 2;
        k->WezelBazowy.NumerTekst = std::to_string(rodzic);
        k->WezelDoEdycji.NumerTekst = std::to_string(rodzic);
        ASSERT_TRUE(NowyWezel(*k, 1)) << n;
        ASSERT_EQ(k->NumerNowegoWezla, n);
        OdtworzDecyzjeZeStanu(k->RekordBiezacy, k->m);
        decyzjeWezla(n, k->m, k->RekordBiezacy.Rok());
        ZapiszDecyzjeDoStanu(k->m, k->RekordBiezacy);
        ASSERT_TRUE(SymulujWezel(*k)) << n;
    }
    const std::string plik = dir.read("DRZEWO20.qad");
    ASSERT_EQ(plik.size(), 20u * RozmiarStanuModelu);

    if (std::getenv("VESK_NOWY_WZORZEC")) {
        std::ofstream(kWzorzec, std::ios::binary) << plik;
        GTEST_SKIP() << "written " << kWzorzec;
    }
    std::ifstream in(kWzorzec, std::ios::binary);
    ASSERT_TRUE(in) << kWzorzec;
    const std::string wzorzec(std::istreambuf_iterator<char>(in), {});
    ASSERT_EQ(wzorzec.size(), plik.size());
    for (std::size_t i = 0; i < plik.size(); ++i)
        ASSERT_EQ(static_cast<int>(static_cast<unsigned char>(plik[i])), static_cast<int>(static_cast<unsigned char>(wzorzec[i])))
            << "first difference at byte " << i << " (record " << i / RozmiarStanuModelu + 1 << ", offset "
            << i % RozmiarStanuModelu << ")";
}

}  // namespace
}  // namespace vesk
