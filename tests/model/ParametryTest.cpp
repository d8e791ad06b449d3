#include "Parametry.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "IoError.h"
#include "TempDir.h"

namespace vesk {
namespace {

// Values of a plausible file: value k is k unless set otherwise.
std::vector<long double> wartosci(std::size_t n = 46) {
    std::vector<long double> w(n);
    for (std::size_t i = 0; i < n; ++i) w[i] = static_cast<long double>(i + 1);
    return w;
}

std::string bajty(const std::vector<long double>& w) {
    std::string b;
    for (long double v : w) {
        Real48Bytes r = encodeReal48(v);
        b.append(r.begin(), r.end());
    }
    return b;
}

class ParametryTest : public ::testing::Test {
protected:
    void SetUp() override { k.catPARAMETR = dir.folder(); }
    void plik(const std::vector<long double>& w) { dir.write("parametr.mdl", bajty(w)); }
    long double v(const Real& r) const { return r.value(); }

    test::TempDir dir;
    Kontekst k;
};

TEST_F(ParametryTest, AssignsEachValueToItsParameter) {
    std::vector<long double> w = wartosci(47);
    w[13] = 0.5L;  // value 14..16: raw-material prices
    w[14] = 0.6L;
    w[15] = 0.7L;
    w[46] = -1.0E30L;  // a 47th value is ignored
    plik(w);
    WczytajParametryModelu(k);
    const ZmienneModelu& m = k.m;
    EXPECT_EQ(v(m.StawkaAmortyzacji), 1.0L);
    EXPECT_EQ(v(m.StawkaPodatkuDochodowego), 5.0L);
    EXPECT_EQ(v(m.StopaDywidendy), 8.0L);
    EXPECT_EQ(v(m.NormatywPodzialuAmortyzacji), 11.0L);
    EXPECT_EQ(v(m.StawkaDekapitalizacji), 12.0L);
    EXPECT_EQ(v(m.NormatywZapasu), 13.0L);
    for (int rok = 1; rok <= 3; ++rok) {
        EXPECT_EQ(v(m.CenySurowcow[rok][1]), roundToReal48(0.5L));
        EXPECT_EQ(v(m.CenySurowcow[rok][2]), roundToReal48(0.6L));
        EXPECT_EQ(v(m.CenySurowcow[rok][3]), roundToReal48(0.7L));
    }
    for (int i = 1; i <= 3; ++i) {
        EXPECT_EQ(v(m.CzasPrzejsciaProdukcji[i]), 16.0L + i);
        EXPECT_EQ(v(m.PracochlonnoscProdukcji[i]), 19.0L + i);
        EXPECT_EQ(v(m.WspolczynnikiPopytuA[i]), 25.0L + i);
        EXPECT_EQ(v(m.WspolczynnikiPopytuB[i]), 28.0L + i);
        EXPECT_EQ(v(m.WspolczynnikiKosztuZdolnosci[i]), 32.0L + i);
    }
    EXPECT_EQ(v(m.WspolczynnikKorygujacy), 32.0L);
    EXPECT_EQ(v(m.OprocentowanieKredytuInwestycyjnego), 36.0L);
    EXPECT_EQ(v(m.OprocentowanieKredytuObrotowego), 37.0L);
    EXPECT_EQ(v(m.OprocentowanieKredytuSanacyjnego), 38.0L);
    EXPECT_EQ(v(m.StawkaSkladekZUS), 39.0L);
    // Rates that take nothing from the file stay 0.
    EXPECT_EQ(v(m.StawkaPodatkuOdWynagrodzen), 0.0L);
    EXPECT_EQ(v(m.StawkaFunduszuSocjalnego), 0.0L);
    EXPECT_EQ(v(m.StawkaFunduszuMieszkaniowego), 0.0L);
}

TEST_F(ParametryTest, SetsTheFixedParameters) {
    plik(wartosci());
    WczytajParametryModelu(k);
    const ZmienneModelu& m = k.m;
    EXPECT_EQ(m.LiczbaWariantowKredytowanych, 4);
    EXPECT_EQ(v(m.StawkaDodatkowa), 0.0L);
    EXPECT_EQ(v(m.OkresSplatyNaleznosci), roundToReal48(0.12L));
    EXPECT_EQ(v(m.OkresSplatyZobowiazan), roundToReal48(0.12L));
    EXPECT_EQ(v(m.ParametrStaly), 70.0L);
    const long double normy[3][3] = {{0.7L, 0.1L, 0.2L}, {0.2L, 0.7L, 0.1L}, {0.1L, 0.2L, 0.7L}};
    for (int j = 1; j <= 3; ++j)
        for (int i = 1; i <= 3; ++i) EXPECT_EQ(v(m.NormyZuzyciaSurowcow[j][i]), roundToReal48(normy[j - 1][i - 1]));
    // The investment variants come last.
    EXPECT_EQ(v(m.WariantyInwestycji[3].Koszt), 9.0L);
    EXPECT_EQ(m.WariantyInwestycji[4].Rodzaj, 1);
}

TEST_F(ParametryTest, DerivesTheRatesOfOneStep) {
    std::vector<long double> w = wartosci();
    w[0] = 10;   // depreciation, % a year
    w[11] = 5;   // decapitalisation
    w[35] = 12;  // investment credit
    w[36] = 14;  // working-capital credit: shown, no per-step form
    w[37] = 20;  // rescue credit
    w[38] = 20;  // social insurance
    w[10] = 50;  // depreciation split
    plik(w);
    k.m.StrataBrutto = 1;
    k.m.KorektaZyskuBrutto1 = 2;
    k.m.KorektaZyskuBrutto2 = 4;
    WczytajParametryModelu(k);
    const ZmienneModelu& m = k.m;
    EXPECT_EQ(v(m.StawkaAmortyzacjiKroku), roundToReal48(0.002L));
    EXPECT_EQ(v(m.StawkaDekapitalizacjiKroku), roundToReal48(0.001L));
    EXPECT_EQ(v(m.StawkaKredytuInwestycyjnegoKroku), roundToReal48(0.0024L));
    EXPECT_EQ(v(m.StawkaKredytuSanacyjnegoKroku), roundToReal48(0.004L));
    EXPECT_EQ(v(m.OprocentowanieKredytuObrotowego), 14.0L);
    EXPECT_EQ(v(m.NarzutNaWynagrodzenia), roundToReal48(0.2L));
    EXPECT_EQ(v(m.UdzialPodzialuAmortyzacji), 0.5L);
    EXPECT_EQ(v(m.StawkaDodatkowaKroku), 0.0L);
    EXPECT_EQ(v(m.ZyskPoWyplatachNarastajaco), roundToReal48(0.0012L));
    EXPECT_EQ(v(m.ZapasyNaPoczatkuRoku), roundToReal48(0.0012L));
    EXPECT_EQ(v(m.UdzialFunduszuMieszkaniowego), 0.0L);
    EXPECT_EQ(v(m.ZyskBrutto), 7.0L);
    EXPECT_EQ(v(m.ZyskBruttoPoczatkowy), 7.0L);
}

TEST_F(ParametryTest, FindsTheFileWithoutRegardToCase) {
    dir.write("PARAMETR.MDL", bajty(wartosci()));
    WczytajParametryModelu(k);
    EXPECT_EQ(v(k.m.StawkaSkladekZUS), 39.0L);
}

TEST_F(ParametryTest, ARejectedFileRaisesTheErrorAndAssignsNothing) {
    k.m.StawkaAmortyzacji = 7;
    k.m.CenySurowcow[2][2] = 3;
    k.m.ParametrStaly = 1;
    k.m.CzasPrzejsciaProdukcji[1] = 0.5L;

    auto odrzucony = [&](const std::vector<long double>& w, const std::string& powod) {
        plik(w);
        try {
            WczytajParametryModelu(k);
            ADD_FAILURE() << "no error for " << powod;
        } catch (const IoError& e) {
            EXPECT_NE(std::string(e.what()).find("parametr.mdl"), std::string::npos) << e.what();
            EXPECT_EQ(e.operation(), "odczyt parametr\xF3w modelu");
        }
        EXPECT_EQ(v(k.m.StawkaAmortyzacji), 7.0L) << powod;
        EXPECT_EQ(v(k.m.CenySurowcow[2][2]), 3.0L) << powod;
        EXPECT_EQ(v(k.m.ParametrStaly), 1.0L) << powod;
        EXPECT_EQ(v(k.m.CzasPrzejsciaProdukcji[1]), 0.5L) << powod;
    };

    odrzucony(wartosci(45), "45 values");
    odrzucony({}, "an empty file");
    std::vector<long double> w = wartosci();
    w[17] = 0;  // lead time of Beta
    odrzucony(w, "a lead time of 0");
    w[17] = -0.1L;
    odrzucony(w, "a negative lead time");
    w = wartosci();
    w[38] = -100;  // social insurance
    odrzucony(w, "a social insurance rate of -100 %");

    dir.write("parametr.mdl", bajty(wartosci()).substr(0, 275));  // 45 values and a part
    EXPECT_THROW(WczytajParametryModelu(k), IoError);
}

TEST_F(ParametryTest, AMissingFileRaisesTheError) { EXPECT_THROW(WczytajParametryModelu(k), IoError); }

TEST_F(ParametryTest, ASocialInsuranceRateAboveMinus100Loads) {
    std::vector<long double> w = wartosci();
    w[38] = -99;
    plik(w);
    WczytajParametryModelu(k);
    EXPECT_EQ(v(k.m.NarzutNaWynagrodzenia), roundToReal48(-0.99L));
}

TEST_F(ParametryTest, AnyFileContentsLoadOrRaiseTheError) {
    std::mt19937 los(46u);  // fixed seed
    for (int n = 0; n < 50; ++n) {
        std::string b(6 * 46, '\0');
        for (char& c : b) c = static_cast<char>(los());
        dir.write("parametr.mdl", b);
        try {
            WczytajParametryModelu(k);
            EXPECT_GT(v(k.m.CzasPrzejsciaProdukcji[1]), 0.0L);
        } catch (const IoError&) {
        }
    }
}

// The shipped file: positive lead times, and demand near 400 thousand a
// year at the default prices 250, 340 and 411 zl.
TEST(ParametryDostarczone, GiveADemandOfAbout400AtTheDefaultPrices) {
    Kontekst k;
    k.catPARAMETR = std::string(VESK_DATA_DIR) + "PARAMETR/";
    WczytajParametryModelu(k);
    const long double ceny[] = {250.0L, 340.0L, 411.0L};
    for (int i = 1; i <= 3; ++i) {
        EXPECT_GT(k.m.CzasPrzejsciaProdukcji[i].value(), 0.0L);
        EXPECT_GT(k.m.PracochlonnoscProdukcji[i].value(), 0.0L);
        const long double popyt = k.m.WspolczynnikiPopytuB[i] - k.m.WspolczynnikiPopytuA[i] * ceny[i - 1];
        EXPECT_NEAR(static_cast<double>(popyt), 400.0, 0.01) << "product " << i;
    }
    EXPECT_GT(k.m.StawkaSkladekZUS.value(), -100.0L);
}

}  // namespace
}  // namespace vesk
