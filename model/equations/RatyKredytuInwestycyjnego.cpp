// Half-year instalments of the investment credit of completed credit-
// financed projects, per product and variant. The instalment of a variant
// is half a year's share of its cost over its credit period, capped by the
// balance left; the rest of the balance is then written down at the
// depreciation rate for one step. The write-down moves no balance item, so
// `KredytInwestycyjny` keeps the written-down parts.
#include "Rownania.h"

#include <algorithm>
#include <cmath>

namespace vesk {

void RatyKredytuInwestycyjnego(Kontekst& k) {
    ZmienneModelu& m = k.m;
    m.OddaneInwestycjeWlasne = 0;
    m.OddaneInwestycjeKredytowane = 0;
    m.NakladyInwestycjiWlasnych = 0;
    m.NakladyInwestycjiKredytowanych = 0;
    m.SplataKredytuInwestycyjnego = 0;

    for (int p = 1; p <= 3; ++p) {
        m.KredytInwestycyjnyProduktu[p] = 0;
        for (int v = 1; v <= m.LiczbaWariantowKredytowanych; ++v) {
            const WariantInwestycji& wariant = m.WariantyInwestycji[v - 1];
            Real& rata = m.RataKredytuProjektu[p][v];
            Real& odpis = m.OdpisKredytuProjektu[p][v];
            long double K = m.KredytProjektu[p][v];

            if (std::abs(K) <= 1.0E-7L) {
                rata = 0;
                odpis = 0;
                K = 0;
            } else {
                rata = wariant.Koszt * 0.5L / wariant.OkresKredytu;
            }
            rata = std::min<long double>(rata, K);
            K = K - rata;
            m.KredytInwestycyjnyProduktu[p] += K;
            m.SplataKredytuInwestycyjnego += rata;
            odpis = m.StawkaAmortyzacji * K * 0.02L / 100;
            m.KredytProjektu[p][v] = std::max<long double>(K - odpis, 0.0L);
        }
    }

    const long double S = m.SplataKredytuInwestycyjnego;
    m.SplatyKredytuInwestycyjnegoNarastajaco += S;
    m.SplataKredytowInwestycyjnych += S;
    m.RachunekRozliczeniowy -= S;
    m.FunduszMajatkuTrwalego += S;
    m.KredytInwestycyjny -= S;
    m.FunduszObrotowyGotowkowy -= S;
    m.KontoFunduszuMajatkuTrwalego += S;
    m.KontoZadluzenia -= S;
    m.KontoSumyBilansowej -= S;
}

}  // namespace vesk
