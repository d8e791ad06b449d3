#include "Wykresy.h"

#include "Teksty.h"

#include <algorithm>
#include <exception>

#include "CodePage.h"
#include "PlikStanu.h"
#include "PolaRoku.h"
#include "PozycjaBilansu.h"
#include "RaportPRF.h"
#include "Warsztat.h"

namespace vesk {

namespace {

// The cells in the order they are read: (row, column) and their position.
struct KomorkaTabeli {
    int wiersz, kolumna, grupa, rok, strona;
};
constexpr KomorkaTabeli Komorki[] = {
    {1, 1, 0, 0, 0},  {9, 1, 1, 0, 0},  {1, 2, 0, 1, 0},  {9, 2, 1, 1, 0},  {1, 3, 0, 2, 0},
    {9, 3, 1, 2, 0},  {1, 4, 0, 0, 1},  {8, 4, 1, 0, 1},  {11, 4, 2, 0, 1}, {1, 5, 0, 1, 1},
    {8, 5, 1, 1, 1},  {11, 5, 2, 1, 1}, {1, 6, 0, 2, 1},  {8, 6, 1, 2, 1},  {11, 6, 2, 2, 1},
};

constexpr unsigned Czerwony = 0xFF0000, Zielony = 0x00A000, Zolty = 0xFFFF00;

}  // namespace

TabelaBilansu_t TabelaBilansu(const StanModelu& rekord) {
    TabelaBilansu_t t{};
    for (const KomorkaTabeli& c : Komorki)
        t[static_cast<std::size_t>(PozycjaBilansu(c.grupa, c.rok, c.strona))] =
            KomorkaBilansu(rekord, c.wiersz, c.kolumna);
    return t;
}

int PierwszyRokBilansu(const StanModelu& rekord) { return rekord.Rok() - 3; }

WykresyBilansu Rysuj(const TabelaBilansu_t& tabela, int pierwszyRok, bool pusty) {
    auto wartosci = [&](int grupa, int strona) {
        std::vector<double> v;
        if (!pusty)
            for (int t = 0; t < 3; ++t) v.push_back(tabela[static_cast<std::size_t>(PozycjaBilansu(grupa, t, strona))]);
        return v;
    };
    WykresyBilansu w;
    const std::string mln = utf8ToCp1250("[mln zł.]");
    w.Aktywa.Tytul = "Aktywa\n" + mln;
    w.Pasywa.Tytul = "Pasywa\n" + mln;
    if (!pusty)
        for (int t = 0; t < 3; ++t) {
            w.Aktywa.Lata.push_back(pierwszyRok + t);
            w.Pasywa.Lata.push_back(pierwszyRok + t);
        }
    w.Aktywa.Serie = {
        {utf8ToCp1250("Majątek trwały netto"), Czerwony, wartosci(0, 0)},
        {utf8ToCp1250("Majątek obrotowy"), Zielony, wartosci(1, 0)},
    };
    w.Pasywa.Serie = {
        {utf8ToCp1250("Zobowiązania krótkoterminowe"), Czerwony, wartosci(2, 1)},
        {utf8ToCp1250("Zobowiązania długoterminowe"), Zolty, wartosci(1, 1)},
        {utf8ToCp1250("Kapitał własny"), Zielony, wartosci(0, 1)},
    };
    return w;
}

std::vector<PunktWykresuTrzyletniego> PunktyTrzyletnie(const StanModelu& rekord, RodzajWykresu rodzaj) {
    std::vector<PunktWykresuTrzyletniego> p;
    if (rodzaj == RodzajWykresu::Brak) return p;
    // The net profit as the statements print it, a loss below zero.
    const Wyrazenie wartosc =
        rodzaj == RodzajWykresu::ZyskNetto ? ZyskNettoRachunku() : Wyrazenie(pola::PrzychodyZeSprzedazy);
    // Always the record's own three years, whatever else asks for more points.
    for (int i = 1; i <= 3; ++i)
        p.push_back({static_cast<double>(rekord.Rok() - 4 + i), static_cast<double>(wartosc(rekord, i))});
    return p;
}

ZakresOsi OsWartosci(const std::vector<PunktWykresuTrzyletniego>& punkty) {
    ZakresOsi z;
    for (const PunktWykresuTrzyletniego& p : punkty) {
        z.Od = std::min(z.Od, p.y);
        z.Do = std::max(z.Do, p.y);
    }
    if (z.Od == z.Do) return {-1.0, 1.0};
    return z;
}

ProstokatWykresu GeometriaWykresu(const ProstokatWykresu& d, int poziom) {
    const int przesuniecie = (poziom + 1) * 64;
    return {d.x + 5 + przesuniecie, d.y + 5, d.w - 10 - przesuniecie, d.h - 10};
}

WezelWykresu WezelWybrany(const Warsztat& w) {
    const int i = w.IndeksWybranego();
    return {i >= 0 ? w.Drzewo.Numer(i) : -1, w.PokolenieOperatora};
}

WykresPoZmianie ZaWyborem(Warsztat& w, WezelWykresu& dla, std::unique_ptr<StanModelu>& rekord) {
    const WezelWykresu teraz = WezelWybrany(w);
    if (teraz.Operator != dla.Operator) return WykresPoZmianie::Znika;
    if (teraz.Numer < 0) return dla.Numer < 0 ? WykresPoZmianie::Zostaje : WykresPoZmianie::Znika;
    std::string rodzaj, numer;
    if (rozbierz(w.Drzewo.Etykieta(w.IndeksWybranego()), rodzaj, numer) != RodzajSymulowany)
        return WykresPoZmianie::Znika;
    // The buffer holds the node's record once the selection's follow-up
    // ran (at a key's release); until then it is read from the state file.
    rekord = std::make_unique<StanModelu>(w.k.RekordBiezacy);
    try {
        if (rekord->Numer() != teraz.Numer &&
            !ZnajdzStanModelu(w.k, SciezkaPlikuStanu(w.k), static_cast<std::uint8_t>(teraz.Numer), *rekord))
            return WykresPoZmianie::Znika;
    } catch (const std::exception&) {
        return WykresPoZmianie::Znika;
    }
    dla = teraz;
    return WykresPoZmianie::Rysuj;
}

RodzajWykresu WykresTrzyletni::Rodzaj() const {
    if (Zysknetto1) return RodzajWykresu::ZyskNetto;
    if (Sprzeda1) return RodzajWykresu::Sprzedaz;
    return RodzajWykresu::Brak;
}

void WykresTrzyletni::Zysknetto1Click(Warsztat& w) { przelacz(w, Zysknetto1, Sprzeda1); }
void WykresTrzyletni::Sprzeda1Click(Warsztat& w) { przelacz(w, Sprzeda1, Zysknetto1); }

void WykresTrzyletni::przelacz(Warsztat& w, bool& ten, bool& inny) {
    // No operator, no tree to draw over.
    if (w.Drzewo.Pusty()) {
        w.k.Okna->message(teksty::NalezyZainicjowac);
        return;
    }
    inny = false;
    if (ten) {
        ten = false;
        Widoczny = false;
        w.Polecenia.Wzy1 = !w.Drzewo.Pusty();
        w.Polecenia.PrzyciskDodaniaNowejDecyzji = true;
        return;
    }
    ten = true;
    Widoczny = true;
    dla_ = WezelWybrany(w);
    w.Polecenia.Wzy1 = false;
    w.Polecenia.PrzyciskDodaniaNowejDecyzji = false;
    Maly_Wykres_Trzyletni(w.k.RekordBiezacy);
    // No node, no points: the buffer then holds no node's record.
    if (w.IndeksWybranego() < 0) Punkty.clear();
}

void WykresTrzyletni::Chart1Click(Warsztat& w) {
    Widoczny = false;
    // The decisions' menu comes back only where there is a tree to edit.
    w.Polecenia.Wzy1 = !w.Drzewo.Pusty();
    w.Polecenia.PrzyciskDodaniaNowejDecyzji = true;
    if (Zysknetto1)
        Zysknetto1 = false;
    else if (Sprzeda1)
        Sprzeda1 = false;
}

void WykresTrzyletni::Maly_Wykres_Trzyletni(const StanModelu& rekord) {
    if (!Widoczny) return;
    Tytul.clear();
    Punkty.clear();
    const std::string mln = utf8ToCp1250("[mln zł]");
    if (Zysknetto1) Tytul = "Zysk netto\n" + mln;
    else if (Sprzeda1) Tytul = utf8ToCp1250("Sprzedaż netto") + "\n" + mln;
    Punkty = PunktyTrzyletnie(rekord, Rodzaj());
}

void WykresTrzyletni::PoZmianie(Warsztat& w) {
    if (!Widoczny) return;
    std::unique_ptr<StanModelu> rekord;
    switch (ZaWyborem(w, dla_, rekord)) {
        case WykresPoZmianie::Zostaje: return;
        case WykresPoZmianie::Znika: return Chart1Click(w);
        case WykresPoZmianie::Rysuj: return Maly_Wykres_Trzyletni(*rekord);
    }
}

}  // namespace vesk

namespace vesk {

namespace {
// The table of the record into s; a cell beyond the 6-byte real is told
// the user and leaves the chart empty (false).
bool wypelnij(Warsztat& w, StanBilansu& s, const StanModelu& rekord) {
    try {
        s.Tabela = TabelaBilansu(rekord);
    } catch (const std::exception& e) {
        w.k.Okna->message(e.what());
        s.Tabela = {};
        s.PierwszyRok = 0;
        s.Pusty = true;
        return false;
    }
    s.PierwszyRok = PierwszyRokBilansu(rekord);
    s.Pusty = false;
    return true;
}
}  // namespace

StanBilansu Bilans2Click(Warsztat& w) {
    StanBilansu s;
    s.Wezel = WezelWybrany(w);
    if (w.Drzewo.Pusty()) w.k.Okna->message(teksty::NalezyZainicjowac);
    if (w.IndeksWybranego() >= 0) wypelnij(w, s, w.k.RekordBiezacy);
    return s;
}

bool BilansPoZmianie(Warsztat& w, StanBilansu& s) {
    std::unique_ptr<StanModelu> rekord;
    switch (ZaWyborem(w, s.Wezel, rekord)) {
        case WykresPoZmianie::Zostaje: return true;
        case WykresPoZmianie::Znika: return false;
        case WykresPoZmianie::Rysuj: break;
    }
    return wypelnij(w, s, *rekord);
}

}  // namespace vesk
