#include "Warsztat.h"

#include <algorithm>
#include <cctype>
#include <exception>

#include "Deklaracje.h"
#include "OperacjeWezlow.h"
#include "PlikStanu.h"
#include "Pomocnicze.h"
#include "Teksty.h"

namespace vesk {

namespace {
// The first year of the period of a node at that level (the root's: 2009).
int rokPoczatku(int poziom) { return 2009 + 3 * poziom; }
// The period's years, as the label and the headers above the tree name
// them: "2012-2014".
std::string lataOkresu(int poziom) {
    const int rok = rokPoczatku(poziom);
    return std::to_string(rok) + "-" + std::to_string(rok + 2);
}
}  // namespace

Warsztat::Warsztat(Kontekst& kontekst) : k(kontekst), Wskazniki(&brakWskaznikow_) {
    // The sheet's schedule needs the variants' realisation times before any
    // simulation has read the parameters.
    DomyslneWariantyInwestycji(k.m);
}

void Warsztat::komunikat(const std::string& tekst) { k.Okna->message(tekst); }

void Warsztat::bladZapisu(const std::string& tekst) {
    BladZapisu = true;
    komunikat(withFileError(tekst));
}

bool Warsztat::WolnoZmieniac() {
    if (TylkoDoOdczytu) {
        komunikat("Operator " + k.SciezkaOperatora + "tr1 jest tylko do odczytu - zmiana odrzucona");
        return false;
    }
    // A state file put in the locked one's place is not kept from other
    // programs, which may have changed it since.
    if (std::string powod = powodNiezapisania(); !powod.empty()) {
        BladZapisu = true;
        powod[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(powod[0])));
        komunikat(powod + " - zmiana odrzucona");
        return false;
    }
    return true;
}

std::string Warsztat::powodNiezapisania() {
    const FileLock::Guarded stan = Blokada.guardedFile();
    std::string powod = changedFileText(stan, "plik " + SciezkaPlikuStanu(k));
    // One put in its place is another program's; the file moved away comes
    // back as the one still locked.
    if (stan == FileLock::Guarded::Replaced)
        powod += ", odk\xB9" "d operator jest otwarty (otw\xF3rz operatora ponownie)";
    else if (stan == FileLock::Guarded::Removed)
        powod += ", odk\xB9" "d operator jest otwarty (przywr\xF3\xE6 go na miejsce)";
    return powod;
}

void Warsztat::WybierzWezel(int numer) { Wybierz(Drzewo.Znajdz(numer)); }

int Warsztat::IndeksWybranego() const { return Wybrany ? Drzewo.Znajdz(*Wybrany) : -1; }

void Warsztat::Wybierz(int indeks) {
    if (indeks < 0 || indeks >= Drzewo.Liczba()) {
        Wybrany.reset();
        return;
    }
    Wybrany = Drzewo.Numer(indeks);
    // The way to the item opens; no other branch closes, so that no node
    // drops out of sight because another one was selected.
    for (int j = indeks; j >= 0; j = Drzewo.Rodzic(j)) Zwiniete.erase(Drzewo.Numer(j));
    std::string rodzaj, numer;
    switch (rozbierz(Drzewo.Etykieta(indeks), rodzaj, numer)) {
        case RodzajNiesymulowany:
            Polecenia.symuluj = true;
            Polecenia.Bazowy1 = false;
            break;
        case RodzajSymulowany:
            Polecenia.symuluj = false;
            Polecenia.Bazowy1 = true;
            break;
        default:
            break;
    }
}

void Warsztat::Zmiana_wezla() { zmianaWezla(true); }

std::string Warsztat::tytulFormularza(const char* rodzaj) const {
    return std::string(rodzaj) + (TylkoDoOdczytu ? teksty::FormularzTylkoDoOdczytu : "");
}

void Warsztat::zmianaWezla(bool wczytajRekord) {
    const int i = IndeksWybranego();
    if (i < 0) return;
    const std::string etykieta = Drzewo.Etykieta(i);
    const int poziom = Drzewo.Poziom(i);
    std::string rodzajTekst, numerTekst;
    const std::uint8_t rodzaj = rozbierz(etykieta, rodzajTekst, numerTekst);
    Widok.lewa = rodzajTekst;
    Widok.prawa = numerTekst;
    Widok.Nazwa_Biezacego_Wezla = etykieta;

    if (rodzajTekst == "d/r") {
        Polecenia.KonstrukcjaWskaznikow = Polecenia.Wykresy1 = true;
        Formularz.Potwierdzenie1 = false;
        Formularz.Tytul = tytulFormularza(teksty::FormularzPodglad);
        Widok.PrzyciskPodgladu = teksty::PodgladDecyzji;
        Widok.przeglad1 = teksty::Przeglad;
        Formularz.Status = teksty::Symulowany;
        Polecenia.symuluj = false;
        Polecenia.Bazowy1 = Polecenia.Rezultaty2 = true;
        Polecenia.OkienkoBazowe = true;
    }
    for (int j = 0; j < Drzewo.Liczba(); ++j)
        Drzewo.UstawObrazek(j, Drzewo.Etykieta(j).rfind("d/r", 0) == 0 ? 1 : 0);

    // The node's record; a node missing from the state file is told, and
    // the buffer keeps what it held rather than another node's record.
    const int numer = Drzewo.Numer(i);
    const std::string plikStanu = SciezkaPlikuStanu(k);
    if (wczytajRekord || numer < 0 || k.RekordBiezacy.Numer() != numer) {
        try {
            if (numer < 0 || !ZnajdzStanModelu(k, plikStanu, static_cast<std::uint8_t>(numer), k.RekordBiezacy))
                komunikat("Brak rekordu w\xEAz\xB3" "a " + numerTekst + " w pliku " + plikStanu);
        } catch (const std::exception& e) {
            komunikat(e.what());
        }
    }
    if (rodzaj == RodzajInny) return;

    if (numerTekst == "0") Drzewo.UstawObrazek(0, 1);
    // Offered for every node but a root with children; a node with
    // children says why it stays.
    Polecenia.Kasowaniewza1 = numer > 0 || !Drzewo.MaDzieci(i);

    if (rodzaj == RodzajNiesymulowany) {
        Polecenia.SpeedButton3 = Polecenia.KonstrukcjaWskaznikow = Polecenia.Wykresy1 = false;
        if (!Wskazniki->active()) Wskazniki->hide();
        Formularz.Potwierdzenie1 = true;
        Formularz.Tytul = tytulFormularza(teksty::FormularzWprowadzanie);
        Widok.PrzyciskPodgladu = teksty::PodgladEdycjaDecyzji;
        Widok.przeglad1 = teksty::EdycjaPrzeglad;
        Polecenia.symuluj = true;
        Polecenia.Bazowy1 = Polecenia.Rezultaty2 = false;
        Polecenia.OkienkoBazowe = false;
        Formularz.UstawEdytowalny(1);
        // A read-only operator's decisions are shown in closed boxes: a
        // value typed there could never be kept.
        if (TylkoDoOdczytu) Formularz.Edytowalny = false;
        Drzewo.UstawObrazek(i, 2);
    } else {
        Polecenia.WynikSyntetyczny1 = Polecenia.SpeedButton3 = numerTekst != "0";
        Formularz.UstawEdytowalny(0);
    }

    Widok.Absolutny_numer_wezla_biezacego = std::to_string(i);
    Widok.okienkonumerupoziomu = std::to_string(poziom);

    const int glebokosc = Drzewo.Zaglebienie();
    for (int h = 1; h <= 9; ++h) {
        NaglowekOkresu& n = Widok.Okresy[static_cast<std::size_t>(h - 1)];
        // The first header, over the root, has no bar before it; each later
        // one's opening bar closes the one before (as after creating).
        const std::string lata = lataOkresu(h - 1);
        n.Napis = h == 1 ? lata : "| " + lata + " |";
        n.Aktywny = false;
        // The large view scrolls sideways over a deep tree: a header for
        // every level it holds.
        n.Widoczny = k.WidokPowiekszony ? h <= std::max(4, glebokosc + 1) : (glebokosc <= 8 && h <= glebokosc + 1);
    }
    if (poziom + 1 <= 9) Widok.Okresy[static_cast<std::size_t>(poziom)].Aktywny = true;

    const int rok = rokPoczatku(poziom);

    const int rodzic = Drzewo.Rodzic(i);
    Widok.nazwa_wezla_poprzednika = rodzic >= 0 ? Drzewo.Etykieta(rodzic) : teksty::Root;
    Formularz.NumerPoprzednika = Widok.nazwa_wezla_poprzednika;

    // The path up to the root through the node table, at most one step per
    // node, stopping at a number the table does not hold.
    std::string sciezka = numerTekst;
    int n = numer;
    for (int krok = 0; n > 0 && krok <= NajwiekszyNumerWezla; ++krok) {
        const int slot = SzukajWezla(k, n);
        if (!k.TabelaWezlow.Zajety[slot] || k.TabelaWezlow.Wpisy[slot].Numer != n) break;
        n = k.TabelaWezlow.Wpisy[slot].Rodzic;
        if (n > NajwiekszyNumerWezla) break;
        sciezka += "-" + std::to_string(n);
    }
    Widok.okienko_sciezki = sciezka;

    Formularz.NumerDecyzji = numerTekst;
    Formularz.Rok0 = std::to_string(rok);
    Formularz.Rok1 = std::to_string(rok + 1);
    Formularz.Rok2 = std::to_string(rok + 2);
    Formularz.Wypelnij_Formularz_Decyzyjny(k.RekordBiezacy, k.SeparatorDziesietny);

    Drzewo.Sortuj();

    if (Wskazniki->visible() && !Wskazniki->active()) Wskazniki->refreshAndEvaluate();
}

void Warsztat::UstawZoom(bool zoom) {
    Zoom = zoom;
    k.WidokPowiekszony = zoom;
    Zmiana_wezla();
}

void Warsztat::TreeView1Enter() {
    if (Drzewo.Pusty()) return;
    const std::string& etykieta = Drzewo.Etykieta(0);
    Widok.Nazwa_Biezacego_Wezla = etykieta;
    Widok.nazwa_wezla_poprzednika = teksty::Root;
    Widok.Absolutny_numer_wezla_biezacego = "0";
    rozbierz(etykieta, Widok.lewa, Widok.prawa);
    Widok.okienkonumerupoziomu = "0";
}

std::string Warsztat::LataWybranego() const {
    const int i = IndeksWybranego();
    return lataOkresu(i >= 0 ? Drzewo.Poziom(i) : 0);
}

std::string Warsztat::PodpisPrzyciskuPodgladu() const {
    const int i = IndeksWybranego();
    // "Podgląd decyzji: ("
    return std::string("Podgl\xB9" "d decyzji: (") + (i >= 0 ? Drzewo.Etykieta(i) : std::string()) + ") <F3>";
}

void Warsztat::UpuszczenieNaBazowy(int numer) {
    if (int i = Drzewo.Znajdz(numer); i >= 0) ustawBazowy(i);
}

void Warsztat::UpuszczenieNaEdycji(int numer) {
    if (int i = Drzewo.Znajdz(numer); i >= 0) ustawDoEdycji(i);
}

void Warsztat::Bazowy1Click() { ustawBazowy(IndeksWybranego()); }

void Warsztat::WyborWezlaDoEdycji() { ustawDoEdycji(IndeksWybranego()); }

void Warsztat::ustawBazowy(int i) {
    if (i < 0) return;
    std::string rodzajTekst, numerTekst;
    TWezel& w = k.WezelBazowy;
    w.Rodzaj = rozbierz(Drzewo.Etykieta(i), rodzajTekst, numerTekst);
    w.NumerTekst = numerTekst;
    w.Indeks = i;
    if (w.Rodzaj != RodzajSymulowany) {
        w.Ustawiony = false;
        Polecenia.dodanieweza1 = false;
        OkienkoBazowe.clear();
        komunikat(teksty::BazowymTylkoSymulowany);
        return;
    }
    w.Ustawiony = true;
    Polecenia.dodanieweza1 = k.WezelDoEdycji.Ustawiony;
    OkienkoBazowe = Drzewo.Etykieta(i);
}

void Warsztat::ustawDoEdycji(int i) {
    if (i < 0) return;
    std::string rodzajTekst, numerTekst;
    TWezel& w = k.WezelDoEdycji;
    w.Ustawiony = true;
    Polecenia.dodanieweza1 = k.WezelBazowy.Ustawiony;
    w.Rodzaj = rozbierz(Drzewo.Etykieta(i), rodzajTekst, numerTekst);
    w.NumerTekst = numerTekst;
    w.Indeks = i;
    OkienkoEdycji = Drzewo.Etykieta(i);
}

bool Warsztat::Doedycji1Click() {
    WyborWezlaDoEdycji();
    const bool dodano = Polecenia.dodanieweza1 && natychmiastowe_dodanie_i_edycja_wezla();
    Polecenia.dodanieweza1 = true;
    return dodano;
}

bool Warsztat::Dodajemy_Wezel() {
    if (!WolnoZmieniac()) return false;
    if (LiczbaWezlow(k.TabelaWezlow) >= 50) {
        // An operator holds 50 nodes, the root included. After an open that
        // failed every number stays taken with no tree shown: then the
        // limit is not the reason.
        std::string powod = teksty::BuforPelny;
        if (Drzewo.Liczba() >= 50) powod += teksty::LimitWezlow;
        komunikat(powod);
        Polecenia.dodanieweza1 = false;
        return false;
    }
    if (!k.WezelBazowy.Ustawiony || !k.WezelDoEdycji.Ustawiony) {
        komunikat(teksty::NieUstawionoBazowego);
        return false;
    }
    // The base item is found by its number, wherever sorting has moved it.
    int baza = -1;
    if (int n = 0; NumerZTekstu(k.WezelBazowy.NumerTekst, n)) baza = Drzewo.Znajdz(n);
    if (baza < 0) {
        komunikat(teksty::NieUstawionoBazowego);
        return false;
    }
    bool dodano = false;
    try {
        dodano = NowyWezel(k, 0);
    } catch (const std::exception& e) {
        komunikat(e.what());
        return false;
    }
    if (!dodano) {
        bladZapisu("Nie uda\xB3o si\xEA doda\xE6 w\xEAz\xB3" "a do pliku " + SciezkaPlikuStanu(k));
        return false;
    }
    const int nowy = Drzewo.DodajDziecko(baza, EtykietaWezla(k.RekordBiezacy.Numer(), false));
    Wybierz(nowy);
    zmianaWezla(false);
    Postep = 0;
    return true;
}

bool Warsztat::dodanieweza1Click() {
    Polecenia.OkienkoBazowe = true;
    // A refused add changed nothing: there is no tree to save.
    const bool dodano = Dodajemy_Wezel();
    if (dodano) ZapiszDrzewo();
    Postep = 100;
    return dodano;
}

bool Warsztat::natychmiastowe_dodanie_i_edycja_wezla() {
    // The sheet opens as "just added" only for a node that was added:
    // leaving it then deletes that node, never the one selected before.
    if (!dodanieweza1Click()) return false;
    przeglad1Click(true);
    return true;
}

void Warsztat::przeglad1Click(bool poDodaniu) {
    PoDodaniuWezla = poDodaniu;
    DodanyWezel = poDodaniu && Wybrany ? *Wybrany : -1;
    // The caption, the node's kind, is the selection's.
    Zmiana_wezla();
    Formularz.Widoczny = true;
    ++Formularz.Otwarcia;
}

bool Warsztat::ZapiszDrzewo() {
    if (k.SciezkaOperatora.empty() || Drzewo.Pusty() || TylkoDoOdczytu) return false;
    const std::string plik = k.PlikDrzewa;
    // The state file holds what was done; the next open brings the tree
    // file into line with it.
    const std::string nieZapisano = "Nie uda\xB3o si\xEA zapisa\xE6 pliku drzewa " + plik +
                                    " (zostanie uzgodniony z plikiem stanu przy nast\xEApnym otwarciu)";
    // Not beside a state file put in the locked one's place, nor beside one
    // that could not be looked at.
    if (const std::string powod = powodNiezapisania(); !powod.empty()) {
        BladZapisu = true;
        komunikat(nieZapisano + ": " + powod);
        return false;
    }
    if (Drzewo.Zapisz(plik)) return true;
    // In place, its folder not flushed: the files agree now.
    const bool wMiejscu = lastFailureAfterRename();
    BladZapisu = true;
    komunikat(failedWriteText(nieZapisano, "Plik drzewa " + plik) +
              (wMiejscu ? " (wtedy nast\xEApne otwarcie uzgodni go z plikiem stanu)" : ""));
    return false;
}

}  // namespace vesk
