#include "OpisRaportu.h"

#include <algorithm>
#include <array>

#include "Kontekst.h"
#include "Real48.h"
#include "SzablonRaportu.h"

namespace vesk {

namespace {

// Years 1, 2, 3 of the expression, each rounded to the 6-byte grid; a year
// marked for noise gets it when the program runs "wolny".
std::array<long double, 3> wartosciRoku(Kontekst& k, const Wyrazenie& w, Szum szum) {
    std::array<long double, 3> v{};
    for (int rok = 1; rok <= 3; ++rok) {
        long double x = w(k.RekordBiezacy, rok);
        if (BezWartosci(x)) {
            v[static_cast<std::size_t>(rok - 1)] = x;
            continue;
        }
        x = roundToReal48(x);
        if ((szum & (1u << rok)) != 0 && TrybWolny(k))
            x = (szum & SzumWezszy) != 0 ? Zaszum(k, x, 1.5L, 300) : Zaszum(k, x);
        v[static_cast<std::size_t>(rok - 1)] = x;
    }
    return v;
}

void piszWiersz(Kontekst& k, RaportTekstowy& t, const WierszTekstu& w) {
    switch (w.rodzaj) {
        case RodzajWiersza::Lata:
        case RodzajWiersza::LataLewe: {
            auto l = wartosciRoku(k, RokKalendarzowy(), BezSzumu);
            t.PiszLata(w.linia, w.miejsca, {l[0], l[1], l[2], l[0], l[1], l[2]});
            break;
        }
        case RodzajWiersza::Lata3:
            t.PiszLata3(w.linia, w.miejsca, wartosciRoku(k, RokKalendarzowy(), BezSzumu));
            break;
        case RodzajWiersza::Wiersz3L:
            t.PiszWiersz3L(w.linia, w.miejsca, wartosciRoku(k, w.lewa, w.szumLewa));
            break;
        case RodzajWiersza::Wiersz3P:
            t.PiszWiersz3P(w.linia, w.miejsca, wartosciRoku(k, w.lewa, w.szumLewa));
            break;
        case RodzajWiersza::Wiersz6: {
            auto l = wartosciRoku(k, w.lewa, w.szumLewa);
            auto p = wartosciRoku(k, w.prawa, w.szumPrawa);
            t.PiszWiersz6(w.linia, w.miejsca, {l[0], l[1], l[2], p[0], p[1], p[2]});
            break;
        }
        case RodzajWiersza::Cyfry6:
            t.PiszWiersz6Cyfr(w.linia, w.kody(k.RekordBiezacy));
            break;
    }
}

// Header and lines 3..ostatnia of one text template, already loaded.
void piszCzesc(Kontekst& k, RaportTekstowy& t, const CzescTekstu& czesc) {
    t.ustawKolumny(czesc.c1, czesc.c2, czesc.W);
    t.PiszNaglowek();
    for (int linia = 3; linia <= czesc.ostatnia; ++linia) {
        for (const Wstawka& w : czesc.wstawki)
            if (w.przedLinia == linia) w.akcja(k);
        if (std::find(czesc.pominiete.begin(), czesc.pominiete.end(), linia) != czesc.pominiete.end()) continue;
        auto wiersz = std::find_if(czesc.wiersze.begin(), czesc.wiersze.end(),
                                   [linia](const WierszTekstu& w) { return w.linia == linia; });
        if (wiersz != czesc.wiersze.end())
            piszWiersz(k, t, *wiersz);
        else
            t.PiszLinie(linia, linia);
    }
}

bool piszStrone(Kontekst& k, const OpisRaportu& opis, const StronaRaportu& strona, TabelaLinii tabela,
                const std::string& wyjscie) {
    StronaHTML h(k);
    if (!h.utworz(NazwaStrony(wyjscie, strona))) return false;
    h.tabela() = std::move(tabela);
    h.PiszNaglowek();
    h.PiszLinieHTML(1, strona.pierwsza - 1);
    for (const WypelnienieHTML& w : strona.wypelnienia) {
        if (w.kody) {
            for (int kod : w.kody(k.RekordBiezacy)) h.WypelnijKropka(w.linia, kod, 0);
            continue;
        }
        auto v = wartosciRoku(k, w.wartosc, w.szum);
        for (long double x : v) h.Wypelnij(w.linia, x, w.miejsca);
    }
    h.PiszLinieHTML(strona.pierwsza, strona.ostatnia);
    h.zamknij();
    k.FlagiWynikow.*opis.flaga = false;
    return true;
}

bool tworz(Kontekst& k, const OpisRaportu& opis, const std::string& wyjscie) {
    // Every template is read before anything is written: one that cannot
    // be read leaves every file of the report as it was.
    std::vector<TabelaLinii> czesci(opis.czesci.size()), strony(opis.strony.size());
    for (std::size_t i = 0; i < czesci.size(); ++i)
        if (!WczytajSzablon(k, opis.czesci[i].wzorzec, opis.czesci[i].N, opis.czesci[i].K, czesci[i])) return false;
    for (std::size_t i = 0; i < strony.size(); ++i)
        if (!WczytajSzablon(k, opis.strony[i].wzorzec, opis.strony[i].N, opis.strony[i].K, strony[i])) return false;
    // What the text's actions did to the record is undone when the text
    // is not put in place.
    const StanModelu przed = k.RekordBiezacy;
    try {
        RaportTekstowy t(k);
        if (!t.utworz(wyjscie)) return false;
        for (std::size_t i = 0; i < czesci.size(); ++i) {
            t.tabela() = std::move(czesci[i]);
            piszCzesc(k, t, opis.czesci[i]);
        }
        t.zamknij();
        k.FlagiWynikow.*opis.flaga = false;
    } catch (...) {
        k.RekordBiezacy = przed;
        throw;
    }
    for (std::size_t i = 0; i < strony.size(); ++i)
        if (!piszStrone(k, opis, opis.strony[i], std::move(strony[i]), wyjscie)) return false;
    return true;
}

}  // namespace

std::string NazwaStrony(const std::string& wyjscie, const StronaRaportu& strona) {
    if (strona.rozszerzenie.empty()) return wyjscie + ".html";
    std::size_t zostaje = wyjscie.size() >= 3 ? wyjscie.size() - 3 : 0;
    return wyjscie.substr(0, zostaje) + strona.rozszerzenie + ".html";
}

bool TworzRaport(Kontekst& k, const OpisRaportu& opis, const std::string& wyjscie) {
    return WykonajRaport(k, [&] { return tworz(k, opis, wyjscie); });
}

bool UruchomRaport(Kontekst& k, const OpisRaportu& opis) {
    if (!(k.FlagiWynikow.*opis.flaga)) return false;
    const std::optional<std::string> wyjscie = NazwaWyjscia(k, opis.EXT);
    return wyjscie && TworzRaport(k, opis, *wyjscie);
}

int MinimalnaDlugosc(const CzescTekstu& czesc, const WierszTekstu& wiersz) {
    const int W = czesc.W;
    switch (wiersz.rodzaj) {
        case RodzajWiersza::Lata: return czesc.c2 + 3 * W - 1;
        case RodzajWiersza::Lata3:
        case RodzajWiersza::LataLewe: return czesc.c1 + 3 * W - 1;
        case RodzajWiersza::Wiersz3L: return czesc.c1 + 3 * W;
        case RodzajWiersza::Wiersz3P:
        case RodzajWiersza::Wiersz6: return czesc.c2 + 3 * W;
        // The last code's first digit.
        case RodzajWiersza::Cyfry6: return czesc.c1 + 2 * W + 8;
    }
    return 0;
}

}  // namespace vesk
