#include "FormularzDecyzji.h"

#include "PomocWarsztatu.h"
#include "Teksty.h"

namespace vesk {
namespace {

TEST(FormularzDecyzji, TextsAndStoredValuesBothWays) {
    struct {
        const char* tekst;
        Jednostka j;
        char sep;
        long double zapisana;
        const char* pokazana;
    } przypadki[] = {
        {"250", Jednostka::Tysiace, ',', 0.25L, "250"},
        {"340", Jednostka::Tysiace, ',', 0.34L, "340"},
        {"12,5", Jednostka::Tysiace, ',', 0.0125L, "12,5"},
        {"12.5", Jednostka::Tysiace, '.', 0.0125L, "12.5"},
        {"30", Jednostka::Procent, ',', 0.3L, "30"},
        {"2,5", Jednostka::Procent, ',', 0.025L, "2,5"},
        {"400", Jednostka::Wprost, ',', 400.0L, "400"},
        {"0,1", Jednostka::Wprost, ',', 0.1L, "0,1"},
        {"1,5", Jednostka::Sztuki, ',', 1.5L, "1,5"},
        // Whole numbers up to the digits shown, and just past them.
        {"999999999", Jednostka::Sztuki, ',', 999999999.0L, "999999999"},
        {"1000000000", Jednostka::Sztuki, ',', 1e9L, "1E9"},
        {"123456789012", Jednostka::Wprost, ',', 123456789012.0L, "123456789012"},
        {"-5", Jednostka::Wprost, ',', -5.0L, "-5"},
        {"-0", Jednostka::Wprost, ',', 0.0L, "0"},
        {"100", Jednostka::Procent, ',', 1.0L, "100"},
    };
    for (const auto& p : przypadki) {
        std::optional<long double> v = WartoscPola(p.tekst, p.j, p.sep);
        ASSERT_TRUE(v) << p.tekst;
        const long double zapisana = roundToReal48(*v);
        EXPECT_EQ(zapisana, roundToReal48(p.zapisana)) << p.tekst;
        EXPECT_EQ(TekstPola(zapisana, p.j, p.sep), p.pokazana) << p.tekst;
    }
    for (const char* zly : {"", "abc", "1.5", "1,5,0", "1 5"}) EXPECT_FALSE(WartoscPola(zly, Jednostka::Wprost, ',')) << zly;
    EXPECT_FALSE(WartoscPola("1,5", Jednostka::Wprost, '.'));
}

TEST(FormularzDecyzji, BoxNamesAndOffsets) {
    const auto& p = PolaFormularza();
    EXPECT_STREQ(p[0].nazwa, "zlec_alfa_0");
    EXPECT_EQ(p[0].offset, 2784u);
    EXPECT_STREQ(p[13].nazwa, "cena_beta_1");
    EXPECT_EQ(p[13].offset, 2840u + 18 + 6);
    EXPECT_STREQ(p[26].nazwa, "Surowiec_Red_2");
    EXPECT_EQ(p[26].offset, 2896u + 36 + 12);
    EXPECT_STREQ(p[35].nazwa, "Emisja_Akcji_2");
    EXPECT_EQ(p[35].offset, 3012u);
    FormularzDecyzji f;
    ASSERT_NE(f.Pole("zadluzenie_1"), nullptr);
    EXPECT_EQ(f.Pole("zadluzenie_1"), &f.Pola[31]);
    EXPECT_EQ(f.Pole("zadluzenie_9"), nullptr);
}

TEST(FormularzDecyzji, GridKeysAndPopup) {
    ScriptedUserInterface ui;
    FormularzDecyzji f;
    f.Wiersz = 2;
    f.Kolumna = 3;
    EXPECT_FALSE(f.StringGrid1KeyPress('5'));
    EXPECT_EQ(f.Siatka[2][3], "5");
    EXPECT_FALSE(f.StringGrid1KeyPress('9'));
    EXPECT_FALSE(f.StringGrid1KeyPress('x'));
    EXPECT_EQ(f.Siatka[2][3], "5");
    EXPECT_TRUE(f.StringGrid1KeyPress('\r'));
    EXPECT_EQ(f.PopupMenu2Popup(ui), 5);
    f.KoniecPopupu();
    EXPECT_EQ(f.Siatka[2][3], "5");
    f.NClick(0);
    EXPECT_EQ(f.Siatka[2][3], "0");
    f.Siatka[2][3] = "";
    EXPECT_EQ(f.PopupMenu2Popup(ui), 0);
    f.KoniecPopupu();
    EXPECT_EQ(f.Siatka[2][3], "");
    f.Siatka[2][3] = "x";
    EXPECT_EQ(f.PopupMenu2Popup(ui), std::nullopt);
    EXPECT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(PodpisyWariantow()[0], std::string("&0 Brak inwestycji"));
}

struct Formularz : test::WarsztatTest {
    // Operator OP with the nodes 1 and 2 (children of the root), node 1 selected.
    void dwaWezly() {
        nowyOperator();
        w->Wybierz(0);
        w->Bazowy1Click();
        w->WyborWezlaDoEdycji();
        ASSERT_TRUE(w->dodanieweza1Click());
        ASSERT_TRUE(w->dodanieweza1Click());
        wybierzNumer(1);
    }
    StanModelu zapisany(int n) {
        StanModelu r;
        EXPECT_TRUE(ZnajdzStanModelu(*k, dir.file("OP.qad"), static_cast<std::uint8_t>(n), r));
        return r;
    }
    std::string wpis(const StanModelu& r, int e) const {
        return std::string(reinterpret_cast<const char*>(r.bajty.data()) + 3024 + 24 * e, 24);
    }
};

TEST_F(Formularz, ConfirmingStoresTheSheetAndTheFillShowsItBack) {
    dwaWezly();
    *w->Formularz.Pole("cena_alfa_0") = "250";
    *w->Formularz.Pole("Dywidenda_2") = "30";
    *w->Formularz.Pole("zlec_gamma_1") = "123,25";
    w->Formularz.Siatka[1][1] = "";
    w->Formularz.Widoczny = true;
    ASSERT_TRUE(w->Potwierdzenie1Click());
    EXPECT_FALSE(w->Formularz.Widoczny);
    const StanModelu r = zapisany(1);
    EXPECT_EQ(r.widok().real48(2840), roundToReal48(0.25L));
    EXPECT_EQ(r.widok().real48(2952 + 12), roundToReal48(0.3L));
    EXPECT_EQ(r.widok().real48(2784 + 18 + 12), 123.25L);
    EXPECT_EQ(r.bajty[3024], 0);
    EXPECT_EQ(k->RekordBiezacy, r);
    wybierzNumer(0);
    wybierzNumer(1);
    EXPECT_EQ(*w->Formularz.Pole("cena_alfa_0"), "250");
    EXPECT_EQ(*w->Formularz.Pole("Dywidenda_2"), "30");
    EXPECT_EQ(*w->Formularz.Pole("zlec_gamma_1"), "123,25");
    EXPECT_EQ(w->Formularz.Siatka[1][1], "0");
    k->SeparatorDziesietny = '.';
    w->Zmiana_wezla();
    EXPECT_EQ(*w->Formularz.Pole("zlec_gamma_1"), "123.25");
}

TEST_F(Formularz, TheScheduleEntryOfAVariantAndAllZeroForCodeZero) {
    dwaWezly();
    ASSERT_EQ(zapisany(1).Rok(), 2015);
    w->Formularz.Siatka[2][4] = "3";  // Beta, year index 1, project 2
    ASSERT_TRUE(w->Potwierdzenie1Click());
    StanModelu r = zapisany(1);
    EXPECT_EQ(r.bajty[3240], 3);
    EXPECT_EQ(r.widok().real48(3240 + 8), 2016.0L);
    EXPECT_EQ(r.widok().real48(3240 + 16), 2017.5L);
    // Node 1 with a code in every cell; node 2 keeps code 0 in its first
    // cell and gets nothing of node 1's entries.
    for (int row = 1; row <= 3; ++row)
        for (int c = 1; c <= 6; ++c) w->Formularz.Siatka[row][c] = "2";
    ASSERT_TRUE(w->Potwierdzenie1Click());
    wybierzNumer(2);
    w->Formularz.Siatka[1][2] = "5";
    ASSERT_TRUE(w->Potwierdzenie1Click());
    EXPECT_EQ(wpis(zapisany(2), 0), std::string(24, '\0'));
    EXPECT_EQ(zapisany(2).bajty[3024 + 24], 5);
    EXPECT_EQ(wpis(zapisany(2), 17), std::string(24, '\0'));
    // The simulation rebuilds it the same way after node 1 is confirmed again.
    wybierzNumer(1);
    ASSERT_TRUE(w->Potwierdzenie1Click());
    ASSERT_TRUE(w->Symulowanie(2));
    EXPECT_EQ(wpis(zapisany(2), 0), std::string(24, '\0'));
    EXPECT_EQ(zapisany(2).bajty[3024 + 24], 5);
    EXPECT_EQ(zapisany(2).widok().real48(3024 + 24 + 8), 2015.0L);
    EXPECT_EQ(zapisany(2).widok().real48(3024 + 24 + 16), 2015.5L);
}

TEST_F(Formularz, RefusedConfirmationsChangeNothing) {
    struct {
        const char* co;
        void (*zepsuj)(Formularz&);
    } przypadki[] = {
        {"bad text in box 20", [](Formularz& t) { t.w->Formularz.Pola[19] = "12a"; }},
        {"code 9", [](Formularz& t) { t.w->Formularz.Siatka[3][6] = "9"; }},
        {"negative code", [](Formularz& t) { t.w->Formularz.Siatka[1][1] = "-1"; }},
        {"record missing", [](Formularz& t) { t.w->Formularz.NumerDecyzji = "7"; }},
        {"simulated node", [](Formularz& t) { t.w->Formularz.NumerDecyzji = "0"; }},
    };
    dwaWezly();
    for (const auto& p : przypadki) {
        wybierzNumer(1);
        ui.messages.clear();
        const std::string plik = dir.read("OP.qad");
        const StanModelu rekord = k->RekordBiezacy;
        *w->Formularz.Pole("cena_alfa_0") = "999";
        p.zepsuj(*this);
        w->Formularz.Widoczny = true;
        EXPECT_FALSE(w->Potwierdzenie1Click()) << p.co;
        EXPECT_EQ(dir.read("OP.qad"), plik) << p.co;
        EXPECT_EQ(k->RekordBiezacy, rekord) << p.co;
        EXPECT_EQ(ui.messages.size(), 1u) << p.co;
        EXPECT_TRUE(w->Formularz.Widoczny) << p.co;
    }
    wybierzNumer(1);
    ui.messages.clear();
    w->Formularz.Pola[19] = "12a";
    w->Potwierdzenie1Click();
    // Named by the box's caption, not by its internal name.
    EXPECT_NE(ui.messages[0].find("Zam\xF3wienia surowc\xF3w [tys. j. sur. / rok], White, " + w->Formularz.Rok1),
              std::string::npos);
    EXPECT_NE(ui.messages[0].find("12a"), std::string::npos);
}

TEST_F(Formularz, OutOfRangeDecisionsAreRefusedNamingTheBoxAndItsRange) {
    dwaWezly();
    k->Zakresy.fill({0, 0});
    k->Zakresy[28] = {0, 100};  // dividend share, first year
    k->Zakresy[5] = {100, 600};  // price of Beta, second year
    const struct {
        const char* pole;
        const char* tekst;
        const char* zakres;  // "" where accepted
    } przypadki[] = {
        {"zlec_alfa_0", "-100", "od 0"},
        {"cena_gamma_2", "-0,5", "od 0"},
        {"Surowiec_Red_1", "-1", "od 0"},
        {"Dywidenda_0", "500", "od 0 do 100"},
        {"cena_alfa_0", "1000000", ""},
        {"cena_alfa_1", "1000000000000", "od 0 do 1000000"},  // no range read: the default bound
        {"cena_beta_1", "600,5", "od 0 do 600"},
        {"cena_beta_1", "60", ""},
        {"Emisja_Akcji_0", "-50", ""},  // no range read for it
    };
    for (const auto& p : przypadki) {
        wybierzNumer(1);
        ui.messages.clear();
        *w->Formularz.Pole(p.pole) = p.tekst;
        EXPECT_EQ(w->Potwierdzenie1Click(), !*p.zakres) << p.pole << " " << p.tekst;
        if (!*p.zakres) continue;
        ASSERT_EQ(ui.messages.size(), 1u) << p.pole;
        EXPECT_EQ(w->PoleBledne, p.pole);
        const std::size_t i = static_cast<std::size_t>(w->Formularz.Pole(p.pole) - w->Formularz.Pola.data());
        EXPECT_EQ(ui.messages[0].rfind(w->Formularz.PodpisPola(i), 0), 0u) << ui.messages[0];
        EXPECT_NE(ui.messages[0].find(std::string("zakresu ") + p.zakres), std::string::npos) << ui.messages[0];
    }
}

TEST_F(Formularz, AFailedSaveKeepsTheRecord) {
    dwaWezly();
    const StanModelu rekord = k->RekordBiezacy;
    k->NazwaPlikuStanu = "brak/OP.qad";  // a file that cannot be opened for writing
    *w->Formularz.Pole("cena_alfa_0") = "999";
    EXPECT_FALSE(w->Potwierdzenie1Click());
    EXPECT_EQ(k->RekordBiezacy, rekord);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].find("brak/OP.qad"), std::string::npos);
}

TEST_F(Formularz, LeavingAfterAnAddTakesTheNodeBack) {
    nowyOperator();
    w->Wybierz(0);
    w->Bazowy1Click();
    w->WyborWezlaDoEdycji();
    const std::string qad = dir.read("OP.qad"), tr1 = dir.read("OP.tr1");
    const TWezel baza = k->WezelBazowy, wzor = k->WezelDoEdycji;
    w->natychmiastowe_dodanie_i_edycja_wezla();
    ASSERT_EQ(w->Drzewo.Liczba(), 2);
    ASSERT_TRUE(w->PoDodaniuWezla);
    w->Wyjcie1Click();
    EXPECT_EQ(w->Drzewo.Liczba(), 1);
    EXPECT_EQ(dir.read("OP.qad"), qad);
    EXPECT_EQ(dir.read("OP.tr1"), tr1);
    EXPECT_TRUE(k->WezelBazowy.Ustawiony && k->WezelDoEdycji.Ustawiony);
    EXPECT_EQ(k->WezelBazowy.NumerTekst, baza.NumerTekst);
    EXPECT_EQ(k->WezelDoEdycji.NumerTekst, wzor.NumerTekst);
    EXPECT_TRUE(w->Polecenia.dodanieweza1);
    EXPECT_EQ(w->OkienkoBazowe, "d/r 0");
    EXPECT_EQ(w->OkienkoEdycji, "d/r 0");
    EXPECT_FALSE(w->Formularz.Widoczny);
    // Leaving again deletes nothing.
    w->Wyjcie1Click();
    EXPECT_EQ(w->Drzewo.Liczba(), 1);
    EXPECT_TRUE(ui.messages.empty());
}

}  // namespace
}  // namespace vesk
