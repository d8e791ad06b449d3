// The look of the indicator window: the marker of the expert commands,
// the "Wygląd" toggles and the alternative layout.
#include <gtest/gtest.h>

#include "TempDir.h"
#include "WygladOkna.h"

namespace vesk {
namespace {

TEST(WindowLook, MarkerShowsTheExpertCommands) {
    test::TempDir d;
    EXPECT_FALSE(ZnacznikEksperta(d.folder()));
    EXPECT_FALSE(WygladOkna(ZnacznikEksperta(d.folder())).Widok().PoleceniaEksperta);
    d.write("expertsystem", "");
    EXPECT_TRUE(ZnacznikEksperta(d.folder()));
    EXPECT_TRUE(WygladOkna(ZnacznikEksperta(d.folder())).Widok().PoleceniaEksperta);
    test::TempDir e;
    e.write("EXPERTSYSTEM", "");  // found without regard to case
    EXPECT_TRUE(ZnacznikEksperta(e.folder()));
}

TEST(WindowLook, TogglesAsCreatedAndEachOff) {
    const WidokWygladu poczatek = WygladOkna().Widok();
    EXPECT_TRUE(poczatek.GroupBox1 && poczatek.GroupBox9 && poczatek.TabSheet3 && poczatek.TabSheet5);
    EXPECT_EQ(poczatek.GoraGroupBox8, 16);
    EXPECT_FALSE(poczatek.Label20 || poczatek.Label21 || poczatek.Label22);
    EXPECT_EQ(poczatek.KolorAnalizy, KolorPanelu::PowierzchniaPrzycisku);

    struct Przypadek {
        const char* nazwa;
        bool WygladOkna::*pozycja;
        bool (*sprawdz)(const WidokWygladu&);
    };
    const Przypadek przypadki[] = {
        {"Mini SE", &WygladOkna::MiniSE, [](const WidokWygladu& w) { return !w.GroupBox1 && !w.GroupBox9; }},
        {"wersja PROD", &WygladOkna::WersjaPROD, [](const WidokWygladu& w) { return !w.TabSheet3 && !w.TabSheet5; }},
        {"wyrownanie", &WygladOkna::Wyrownanie, [](const WidokWygladu& w) { return w.GoraGroupBox8 == 24; }},
    };
    for (const auto& p : przypadki) {
        WygladOkna w;
        w.*p.pozycja = false;
        EXPECT_TRUE(p.sprawdz(w.Widok())) << p.nazwa;
        // The other toggles keep their state.
        EXPECT_EQ(w.Widok().GroupBox1, p.pozycja != &WygladOkna::MiniSE) << p.nazwa;
        EXPECT_EQ(w.Widok().GoraGroupBox8, p.pozycja == &WygladOkna::Wyrownanie ? 24 : 16) << p.nazwa;
    }
}

TEST(WindowLook, AlternativeLayoutScalesAndRestoresExactly) {
    WygladOkna w;
    const std::map<std::string, Geometria> przed = {
        {"Analiza_wrazliwosci", {562, 16, 230, 27}},  // 40.5: to even, 40
        {"WyborZmiennejBox", {4, 25, 100, 21}},        // 37.5: to even, 38
        {"Suwak", {4, 33, 100, 17}},                   // 49.5: to even, 50
        {"RaportowanieDoPliku", {4, 7, 200, 17}},      // 10.5: to even, 10
        {"PageControl2", {4, 4, 260, 455}},
        {"ComboBox1", {4, 4, 268, 22}},  // not scaled
    };
    auto na = w.Uklad(true, przed);
    EXPECT_TRUE(w.InnaWersja);
    EXPECT_EQ(na.at("Analiza_wrazliwosci"), (Geometria{562, 16, 230, 40}));
    EXPECT_EQ(na.at("WyborZmiennejBox").Gora, 38);
    EXPECT_EQ(na.at("Suwak").Gora, 50);
    EXPECT_EQ(na.at("RaportowanieDoPliku").Gora, 10);
    EXPECT_EQ(na.at("PageControl2"), (Geometria{8, 1, 260, 455}));
    EXPECT_EQ(na.at("ComboBox1"), przed.at("ComboBox1"));
    EXPECT_EQ(na.count("TraceOn"), 0u);  // a control the window lacks stays out
    const WidokWygladu v = w.Widok();
    EXPECT_TRUE(v.Label20 && v.Label21 && v.Label22);
    EXPECT_EQ(v.GoraLabel21, 37);
    EXPECT_FALSE(v.GroupBox7);
    EXPECT_EQ(v.KolorAnalizy, KolorPanelu::NieaktywnyNaglowek);
    EXPECT_EQ(v.KolorGroupBox2, KolorPanelu::NieaktywnyNaglowek);
    // On again does not scale twice.
    EXPECT_EQ(w.Uklad(true, na), na);
    // Off gives back exactly what was there, not a division by 1.5.
    EXPECT_EQ(w.Uklad(false, na), przed);
    EXPECT_FALSE(w.InnaWersja);
    EXPECT_EQ(w.Widok().GoraLabel21, 7);
    EXPECT_EQ(w.Widok().KolorGroupBox2, KolorPanelu::TekstNieaktywnegoNaglowka);
    // Off twice: unchanged.
    EXPECT_EQ(w.Uklad(false, przed), przed);
}

}  // namespace
}  // namespace vesk
