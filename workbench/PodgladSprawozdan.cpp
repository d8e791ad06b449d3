#include "PodgladSprawozdan.h"

#include <algorithm>
#include <exception>
#include <optional>

#include "CodePage.h"
#include "FileLookup.h"
#include "FileSystem.h"
#include "IoError.h"
#include "Paths.h"
#include "PlikStanu.h"
#include "PlikiSprawozdan.h"
#include "Pomocnicze.h"
#include "RaportBIK.h"
#include "RaportDEC.h"
#include "RaportINF.h"
#include "RaportKOS.h"
#include "RaportPRF.h"
#include "RaportPRO.h"
#include "RaportRAW.h"
#include "RaportSRE.h"
#include "RaportZAO.h"
#include "RaportyWskaznikow.h"
#include "SzablonRaportu.h"
#include "Warsztat.h"

namespace vesk {

namespace {

// Texts written in UTF-8 here, handed on in code page 1250.
std::string c(const char* utf8) { return utf8ToCp1250(utf8); }

constexpr const char* NiedostepnyDlaKorzenia = "Dla decyzji inicjującej niedostępny";
constexpr const char* TworzenieWszystkich = "Tworzenie plików ze wszystkimi sprawozdaniami";

struct Stany {
    std::vector<OpisPodgladu> wiersze;
};

const Stany& stany() {
    static const Stany s = [] {
        auto p = [](const char* podpis) { return utf8ToCp1250(podpis); };
        static std::vector<std::string> podpisy = {
            p("Wyniki symulacji - Zapasy"),
            p("Wyniki symulacji - Produkcja"),
            p("Wyniki symulacji - Wskaźniki płynności"),
            p("Wyniki symulacji - Zadłużenie"),
            p("Wyniki symulacji - Rentowność"),
            p("Wyniki symulacji - Obrotowość"),
            p("Wyniki symulacji - BILANS"),
            p("Wyniki symulacji - Rachunek dochodów i zysków"),
            p("Wyniki symulacji - Rachunek wyników"),
            p("Wyniki symulacji - Sytuacja pieniężna"),
            p("Wyniki symulacji - Koszty"),
            p("Wyniki symulacji - Wynik syntetyczny"),
            p("Zmienne decyzyjne"),
        };
        using F = FlagiWynikow_t;
        Stany t;
        t.wiersze = {
            {"Zapasy1", Raport_ZAO, &F::ZAO, "ZAO", podpisy[0].c_str(), true},
            {"Produkcja2", Raport_PRO, &F::PRO, "PRO", podpisy[1].c_str(), true},
            {"pynno1", Raport_PLY, &F::PLY, "PLY", podpisy[2].c_str(), true},
            {"zaduenie1", Raport_ZAD, &F::ZAD, "ZAD", podpisy[3].c_str(), true},
            {"rentowno1", Raport_REN, &F::REN, "REN", podpisy[4].c_str(), true},
            {"aktywno1", Raport_AKT, &F::AKT, "AKT", podpisy[5].c_str(), true},
            {"Bilans1", Raport_BIK, &F::BIK, "BIK", podpisy[6].c_str(), true},
            {"Dochodyizyski1", Raport_RAW, &F::RAW, "RAW", podpisy[7].c_str(), true},
            {"Rachunekwynikw1", Raport_PRF, &F::PRF, "PRF", podpisy[8].c_str(), true},
            {"Sytuacjapienina1", Raport_INF, &F::INF, "INF", podpisy[9].c_str(), true},
            {"Koszty1", Raport_KOS, &F::KOS, "KOS", podpisy[10].c_str(), true},
            {"WynikSyntetyczny1", Raport_SRE, &F::SRE, "SRE", podpisy[11].c_str(), true},
            {"Formularzdecyzyjny1", Raport_DEC, &F::DEC, "DEC", podpisy[12].c_str(), false},
        };
        return t;
    }();
    return s;
}

bool jest(const OpisPodgladu& o, const char* nazwa) { return std::string(o.nazwa) == nazwa; }

// The viewer; messages told at once when `zglaszaj`, else the failure is
// left in *blad for the caller to name.
WynikPodgladu podglad(Warsztat& w, const OpisPodgladu& o, bool zglaszaj, std::string* blad) {
    Kontekst& k = w.k;
    auto powiedz = [&](const std::string& tekst) {
        if (zglaszaj) k.Okna->message(tekst);
        if (blad) *blad = tekst;
    };
    WynikPodgladu r;

    // 1. The selected item's label, the root's when none is selected.
    const int i = w.IndeksWybranego();
    const std::string etykieta = i >= 0 ? w.Drzewo.Etykieta(i) : "d/r 0";
    std::string rodzajTekst, numerTekst;
    const std::uint8_t rodzaj = rozbierz(etykieta, rodzajTekst, numerTekst);
    int numer = 0;
    if (rodzaj == RodzajInny || !NumerZTekstu(numerTekst, numer) || numer < 0 || numer > NajwiekszyNumerWezla) {
        r.Status = StatusPodgladu::Pominiety;
        return r;
    }
    r.Numer = numer;

    // 2. The node's record; a missing one stops the viewer here.
    const std::string plikStanu = SciezkaPlikuStanu(k);
    bool wczytano = false;
    try {
        wczytano = ZnajdzStanModelu(k, plikStanu, static_cast<std::uint8_t>(numer), k.RekordBiezacy);
    } catch (const std::exception&) {
        wczytano = false;
    }
    if (!wczytano) {
        powiedz("Brak rekordu w\xEAz\xB3" "a " + numerTekst + " w pliku " + plikStanu);
        r.Status = StatusPodgladu::BladRekordu;
        r.Wyczysc = true;
        return r;
    }

    const bool decyzje = jest(o, "Formularzdecyzyjny1");
    if (jest(o, "Dochodyizyski1")) {
        // Flag and node number are set for every kind.
        k.NumerWezla = static_cast<std::uint8_t>(numer);
        k.FlagiWynikow.*o.flaga = true;
    }
    // 3. Reports only of simulated nodes, but the decisions' one.
    if (!decyzje && rodzaj != RodzajSymulowany) {
        r.Status = StatusPodgladu::Pominiety;
        return r;
    }
    if (jest(o, "WynikSyntetyczny1")) {
        k.NumerWezla = static_cast<std::uint8_t>(numer);
        if (numer == 0) {
            powiedz(c(NiedostepnyDlaKorzenia));
            r.Status = StatusPodgladu::Odmowa;
            return r;
        }
    }

    // 4. Caption, node, flag, entry.
    r.Podpis = o.podpis;
    k.NumerWezla = static_cast<std::uint8_t>(numer);
    k.FlagiWynikow.*o.flaga = true;
    bool napisano = false;
    std::string powod;  // why not, when the writer tells
    setLastFileError(0);
    // What killed writes left where no open clears it, once per view (once
    // for all when saving all).
    if (zglaszaj) UsunPozostalosciPoza(k);
    k.PowodBleduRaportu.clear();
    // The files the entry puts in place now, by the names it gave them:
    // nothing else, an older file or one spelt otherwise, is this view's.
    std::vector<std::string> zapisane;
    struct Zapis {
        Kontekst& k;
        ~Zapis() { k.PlikiZapisane = nullptr; }
    } zapis{k};
    k.PlikiZapisane = &zapisane;
    try {
        napisano = o.wejscie(k);
        if (!napisano) powod = k.PowodBleduRaportu.empty() ? lastFileError() : k.PowodBleduRaportu;
    } catch (const std::exception& e) {
        powod = exceptionText(e);
    }

    // 5. The text file. After a failed writer, what it did write is still
    // shown. A folder that cannot be used (a user's folder for the
    // statements of a read-only operator that is a link, say) shows nothing.
    const std::optional<std::string> folder = FolderSprawozdan(k);
    if (!folder && powod.empty()) {
        napisano = false;
        powod = k.PowodBleduRaportu;
    }
    if (!napisano)
        powiedz("Nie utworzono sprawozdania " + std::string(o.raport) + " (" + o.podpis + ")" +
                (powod.empty() ? " w " + *folder : ": " + powod));
    const PlikiRaportu& pliki = *PlikiRaportuEXT(o.raport);
    const std::string rdzen = RdzenSprawozdan(k);
    // The native path of a file written now, as spelt; nothing for one not
    // written now (told when the writer says it wrote all) or gone since.
    auto zapisany = [&](const std::string& ext) -> std::optional<std::string> {
        const std::string nazwa = NazwaWFolderze(*folder, rdzen, ext);
        std::optional<std::string> f;
        bool nieWiadomo = false;  // a look that could not tell
        if (std::find(zapisane.begin(), zapisane.end(), nazwa) != zapisane.end()) {
            const ExactFileNames wPisowni;
            f = findExisting(nazwa);
            nieWiadomo = !f && lookupError() != 0;
        }
        if (!f && napisano)
            powiedz(nieWiadomo ? unreadableText("Plik sprawozdania " + nazwa) : "Brak pliku sprawozdania " + nazwa);
        return f;
    };
    const std::optional<std::string> t = folder ? zapisany(pliki.tekst) : std::nullopt;
    if (!t) {
        r.Status = napisano ? StatusPodgladu::BrakTekstu : StatusPodgladu::BladRaportu;
        r.Wyczysc = true;
        return r;
    }
    r.Tekst = *t;
    r.Status = StatusPodgladu::Pokazany;
    for (const std::string& s : pliki.strony) r.Strony.push_back(zapisany(s).value_or(std::string()));
    if (!o.strona) return r;  // the browser and the tabs are left alone

    // 6, 7. The page and the viewers' tab.
    if (!r.Strony.empty()) r.Strona = r.Strony.front();
    r.PokazZakladke = true;
    return r;
}

}  // namespace

const std::vector<OpisPodgladu>& Podglady() { return stany().wiersze; }

const OpisPodgladu* ZnajdzPodglad(const std::string& nazwa) {
    for (const OpisPodgladu& o : Podglady())
        if (nazwa == o.nazwa) return &o;
    return nullptr;
}

const std::vector<std::string>& KolejnoscZapisu() {
    static const std::vector<std::string> kolejnosc = {
        "Formularzdecyzyjny1", "WynikSyntetyczny1", "Bilans1",         "Zapasy1",        "Produkcja2",
        "pynno1",              "zaduenie1",         "rentowno1",       "aktywno1",       "Dochodyizyski1",
        "Rachunekwynikw1",     "Sytuacjapienina1",  "Koszty1",
    };
    return kolejnosc;
}

WynikPodgladu UruchomPodglad(Warsztat& w, const OpisPodgladu& opis) { return podglad(w, opis, true, nullptr); }

WynikPodgladu ZapisSprawozdanDoPliku(Warsztat& w) {
    Kontekst& k = w.k;
    // Where the operator folder takes no file, the user names a folder of
    // his own for the files, one that takes them.
    std::string folder;
    while (!k.NazwaPlikuStanu.empty() && isReadOnlyFolderOf(TekstSciezki(k)) && folder.empty()) {
        const std::optional<std::string> wybrany = k.Okna->chooseFolder(
            "Folder na sprawozdania (w folderze operatora " + k.KatalogOperatora + " nie mo\xBFna zapisa\xE6 plik\xF3w)",
            FolderSprawozdan(k).value_or(std::string()));
        if (!wybrany || wybrany->empty()) return {};
        if (isReadOnlyFolderOf(normalizeFolder(*wybrany) + "x"))
            k.Okna->message("W folderze " + normalizeFolder(*wybrany) + " nie mo\xBFna zapisa\xE6 plik\xF3w - prosz\xEA wybra\xE6 inny");
        else
            folder = normalizeFolder(*wybrany);
    }
    k.Okna->message(c(TworzenieWszystkich));
    const std::string dawny = k.KatalogSprawozdan;
    if (!folder.empty()) k.KatalogSprawozdan = folder;
    UsunPozostalosciPoza(k);
    WynikPodgladu ostatni;
    std::string nieudane;
    for (const std::string& nazwa : KolejnoscZapisu()) {
        std::string blad;
        ostatni = podglad(w, *ZnajdzPodglad(nazwa), false, &blad);
        if (!blad.empty()) nieudane += (nieudane.empty() ? "" : "\n") + blad;
    }
    k.KatalogSprawozdan = dawny;
    if (!nieudane.empty()) {
        w.k.Okna->message("Nie wszystkie sprawozdania zapisano:\n" + nieudane);
    }
    return ostatni;
}

}  // namespace vesk
