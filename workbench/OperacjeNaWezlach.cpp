// The node operations of the workbench: confirming and leaving the
// decision sheet, simulating a node, deleting a node.
#include <algorithm>
#include <exception>
#include <map>
#include <memory>

#include "FileSystem.h"
#include "HarmonogramInwestycji.h"
#include "OperacjeWezlow.h"
#include "PlikStanu.h"
#include "Pomocnicze.h"
#include "Teksty.h"
#include "UserInterface.h"
#include "Warsztat.h"

namespace vesk {

namespace {

std::string brakRekordu(int n, const std::string& plik) {
    return "Brak rekordu w\xEAz\xB3" "a " + std::to_string(n) + " w pliku " + plik;
}

// Node n holds decisions of its own: a box of the form or a variant code
// differs from the root's, which a node added from the root starts with.
bool wlasneDecyzje(Kontekst& k, int n) {
    auto rec = std::make_unique<StanModelu>(), korzen = std::make_unique<StanModelu>();
    const std::string plik = SciezkaPlikuStanu(k);
    try {
        if (!ZnajdzStanModelu(k, plik, static_cast<std::uint8_t>(n), *rec) || !ZnajdzStanModelu(k, plik, 0, *korzen))
            return false;
    } catch (const std::exception&) {
        return false;
    }
    auto rozne = [&](std::size_t od, std::size_t ile) {
        return !std::equal(rec->bajty.begin() + od, rec->bajty.begin() + od + ile, korzen->bajty.begin() + od);
    };
    for (const PoleFormularza& p : PolaFormularza())
        if (rozne(p.offset, 6)) return true;
    for (int p = 1; p <= 3; ++p)
        for (int y = 1; y <= 3; ++y)
            for (int e = 1; e <= 2; ++e)
                if (rozne(OffsetInwestycji(p, y, e), 1)) return true;
    return false;
}

}  // namespace

bool Warsztat::PrzyciskOKClick() {
    PoleBledne.clear();
    if (!WolnoZmieniac()) return false;
    const std::string plik = SciezkaPlikuStanu(k);
    int n = 0;
    if (!NumerZTekstu(Formularz.NumerDecyzji, n) || n > NajwiekszyNumerWezla) {
        komunikat("Formularz nie nale\xBFy do \xBF" "adnego w\xEAz\xB3" "a");
        return false;
    }
    // The node's stored record: what the sheet does not show is kept.
    auto rec = std::make_unique<StanModelu>();
    try {
        if (!ZnajdzStanModelu(k, plik, static_cast<std::uint8_t>(n), *rec)) {
            komunikat(brakRekordu(n, plik));
            return false;
        }
    } catch (const std::exception& e) {
        komunikat(e.what());
        return false;
    }
    if (rec->Symulowany() != 0) {
        komunikat("W\xEAze\xB3 " + std::to_string(n) + " jest ju\xBF symulowany - jego decyzji nie mo\xBFna zmieni\xE6");
        return false;
    }
    // Every box and cell is checked before anything is stored; a refusal
    // names the box by its caption and the focus goes to it.
    auto odmowaPola = [&](std::size_t i, const std::string& tekst) {
        PoleBledne = PolaFormularza()[i].nazwa;
        komunikat(Formularz.PodpisPola(i) + ": " + tekst);
        return false;
    };
    std::array<long double, LiczbaPol> wartosci{};
    for (std::size_t i = 0; i < wartosci.size(); ++i) {
        const PoleFormularza& p = PolaFormularza()[i];
        std::optional<long double> v = WartoscPola(Formularz.Pola[i], p.jednostka, k.SeparatorDziesietny);
        if (v) {
            try {
                wartosci[i] = roundToReal48(*v);
            } catch (const Real48Error&) {
                v.reset();
            }
        }
        // "nie jest poprawną liczbą"
        if (!v) return odmowaPola(i, "'" + Formularz.Pola[i] + "' nie jest poprawn\xB9 liczb\xB9");
        if (std::optional<ZakresPola> z = ZakresPolaFormularza(i, k.Zakresy)) {
            const long double pokazana = *WartoscPola(Formularz.Pola[i], Jednostka::Wprost, k.SeparatorDziesietny);
            if (pokazana < z->min || (z->max && pokazana > *z->max)) {
                // "wartość spoza zakresu od ... do ..."
                std::string zakres = "od " + TekstPola(z->min, Jednostka::Wprost, k.SeparatorDziesietny);
                if (z->max) zakres += " do " + TekstPola(*z->max, Jednostka::Wprost, k.SeparatorDziesietny);
                return odmowaPola(i, "'" + Formularz.Pola[i] + "' - warto\x9C\xE6 spoza zakresu " + zakres);
            }
        }
    }
    std::array<std::uint8_t, 18> kody{};
    for (int r = 1; r <= 3; ++r)
        for (int c = 1; c <= 6; ++c) {
            const std::string& t = Formularz.Siatka[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)];
            int kod = 0;
            if (!t.empty() && (!NumerZTekstu(t, kod) || kod > 8)) {
                PoleBledne = "StringGrid1";
                komunikat(Formularz.PodpisKomorki(r, c) + ": '" + t + "' nie jest kodem wariantu 0..8");
                return false;
            }
            kody[static_cast<std::size_t>(6 * (r - 1) + (c - 1))] = static_cast<std::uint8_t>(kod);
        }

    MutableByteView z = rec->zapis();
    for (std::size_t i = 0; i < wartosci.size(); ++i) z.setReal48(PolaFormularza()[i].offset, wartosci[i]);
    for (std::size_t e = 0; e < kody.size(); ++e) rec->bajty[3024 + 24 * e] = kody[e];
    const Harmonogram przed = k.HarmonogramInwestycjiRoboczy;
    ZbudujHarmonogramInwestycji(k, *rec);

    bool zapisano = false;
    setLastFileError(0);
    try {
        zapisano = ZapiszStanModelu(k, *rec, k.NumerWezla, k.RokWezla, k.ZnacznikWezla);
    } catch (const std::exception& e) {
        komunikat(e.what());
    }
    if (!zapisano) {
        k.HarmonogramInwestycjiRoboczy = przed;
        bladZapisu("Nie uda\xB3o si\xEA zapisa\xE6 decyzji do pliku " + SciezkaPlikuStanu(k));
        return false;
    }
    k.RekordBiezacy = *rec;
    Formularz.Widoczny = false;
    Formularz.ZapamietajStan();
    // A confirmed node is no longer one that leaving the form takes back.
    PoDodaniuWezla = false;
    DodanyWezel = -1;
    return true;
}

bool Warsztat::PrzedPorzuceniemFormularza() {
    if (!Formularz.NiezatwierdzoneZmiany()) return true;
    // "Formularz decyzyjny węzła d N zawiera niezatwierdzone zmiany. Zatwierdzić je?"
    int n = 0;
    const std::string wezel = NumerZTekstu(Formularz.NumerDecyzji, n) ? EtykietaWezla(n, false) : Formularz.NumerDecyzji;
    const std::string pytanie =
        "Formularz decyzyjny w\xEAz\xB3" "a " + wezel + " zawiera niezatwierdzone zmiany.\nZatwierdzi\xE6 je?";
    // "Zatwierdź", "Porzuć"
    switch (k.Okna->choose(pytanie, "Zatwierd\x9F", "Porzu\xE6", "Anuluj")) {
        case UserInterface::Choice::Yes: {
            const bool widoczny = Formularz.Widoczny;
            if (!PrzyciskOKClick()) {
                // The form stays open at the refused box.
                Formularz.Widoczny = true;
                return false;
            }
            Formularz.Widoczny = widoczny;
            return true;
        }
        case UserInterface::Choice::No:
            Formularz.PorzucZmiany();
            return true;
        case UserInterface::Choice::Cancel:
            break;
    }
    return false;
}

bool Warsztat::Kasowaniewza1Click() {
    const int i = IndeksWybranego();
    std::string rodzajTekst, numerTekst;
    if (i >= 0 && Drzewo.Numer(i) > 0 && Drzewo.MaDzieci(i)) {
        // Its branch opens, so that the user sees what keeps it.
        Zwiniete.erase(Drzewo.Numer(i));
        // "Węzła ... nie można skasować: ma następne węzły (najpierw skasuj je)"
        komunikat("W\xEAz\xB3" "a " + Drzewo.Etykieta(i) +
                  " nie mo\xBFna skasowa\xE6: ma nast\xEApne w\xEAz\xB3y (najpierw skasuj je)");
        return false;
    }
    if (i < 0 || Drzewo.Numer(i) <= 0 || Drzewo.MaDzieci(i)) return KasowanieWezla();
    // A deletion that would be refused is refused before it is asked about.
    if (!WolnoZmieniac()) return false;
    // "Węzeł ... zawiera wyniki symulacji. Skasować go?", nor confirmed
    // decisions of its own without a word: "... zawiera zatwierdzone decyzje."
    const std::uint8_t rodzaj = rozbierz(Drzewo.Etykieta(i), rodzajTekst, numerTekst);
    if (rodzaj == RodzajSymulowany &&
        !k.Okna->question("W\xEAze\xB3 " + Drzewo.Etykieta(i) + " zawiera wyniki symulacji.\nSkasowa\xE6 go?"))
        return false;
    if (rodzaj == RodzajNiesymulowany && wlasneDecyzje(k, Drzewo.Numer(i)) &&
        !k.Okna->question("W\xEAze\xB3 " + Drzewo.Etykieta(i) + " zawiera zatwierdzone decyzje.\nSkasowa\xE6 go?"))
        return false;
    return KasowanieWezla();
}

void Warsztat::Wyjcie1Click() {
    Formularz.Widoczny = false;
    if (PoDodaniuWezla && DodanyWezel > 0 && Drzewo.Znajdz(DodanyWezel) >= 0) {
        const TWezel baza = k.WezelBazowy, wzor = k.WezelDoEdycji;
        const std::string okienkoBazowe = OkienkoBazowe, okienkoEdycji = OkienkoEdycji;
        WybierzWezel(DodanyWezel);
        KasowanieWezla();
        k.WezelBazowy = baza;
        k.WezelDoEdycji = wzor;
        k.WezelBazowy.Ustawiony = k.WezelDoEdycji.Ustawiony = true;
        Polecenia.dodanieweza1 = true;
        OkienkoBazowe = okienkoBazowe;
        OkienkoEdycji = okienkoEdycji;
    }
    // Leaving once more must not delete anything again.
    Zwiniete.clear();
    PoDodaniuWezla = false;
    DodanyWezel = -1;
    Zmiana_wezla();
}

bool Warsztat::Symulowanie(int numer) {
    WybierzWezel(numer);
    return Wybrany && Symulowanie();
}

bool Warsztat::Symulowanie() {
    const int i = IndeksWybranego();
    std::string rodzajTekst, numerTekst;
    if (i < 0 || rozbierz(Drzewo.Etykieta(i), rodzajTekst, numerTekst) != RodzajNiesymulowany) {
        ZapiszDrzewo();
        return false;
    }
    if (!WolnoZmieniac()) return false;
    const int n = Drzewo.Numer(i);
    const std::string plik = SciezkaPlikuStanu(k);
    auto rec = std::make_unique<StanModelu>();
    auto odmowa = [&](const std::string& tekst) {
        komunikat(tekst);
        ZapiszDrzewo();
        return false;
    };
    try {
        if (!ZnajdzStanModelu(k, plik, static_cast<std::uint8_t>(n), *rec)) return odmowa(brakRekordu(n, plik));
    } catch (const std::exception& e) {
        return odmowa(e.what());
    }
    // The parent's calendar start as the node table holds it from the file.
    const int rodzic = SzukajWezla(k, rec->Rodzic());
    if (!k.TabelaWezlow.Zajety[rodzic] || k.TabelaWezlow.Wpisy[rodzic].Numer != rec->Rodzic())
        return odmowa("W\xEAze\xB3 " + std::to_string(n) + ": " + brakRekordu(rec->Rodzic(), plik));
    rec->UstawRok(static_cast<std::int16_t>(k.TabelaWezlow.Wpisy[rodzic].Rok + 3));
    if (!ZbudujHarmonogramInwestycji(k, *rec))
        return odmowa("W\xEAze\xB3 " + std::to_string(n) + ": kod inwestycji spoza 0..8 w pliku " + plik);

    // The run takes the node's number and calendar start from the record
    // itself and saves it when done; a failed run leaves the file as it was.
    setLastFileError(0);
    k.RekordBiezacy = *rec;
    k.RekordPomocniczy = *rec;
    Postep = 0;

    bool ok = true;
    if (SymulujWezel(k)) {
        Formularz.UstawEdytowalny(0);
        Polecenia.Rezultaty2 = Polecenia.Bazowy1 = Polecenia.WynikSyntetyczny1 = true;
        Polecenia.symuluj = false;
        Drzewo.UstawEtykiete(i, EtykietaWezla(n, true));
        Drzewo.UstawObrazek(i, 1);
    } else {
        const bool plik = !lastFileError().empty();
        BladZapisu = BladZapisu || plik;
        komunikat(withFileError("Symulacja w\xEAz\xB3" "a " + std::to_string(n) + " nie powiod\xB3" "a si\xEA"));
        ok = false;
    }
    // A run that was saved left its record in RekordBiezacy.
    zmianaWezla(!ok);
    // The saved tree leaves the progress bar full, as after an add.
    if (ZapiszDrzewo()) Postep = 100;
    return ok;
}

bool Warsztat::KasowanieWezla(int numer) {
    WybierzWezel(numer);
    return Wybrany && KasowanieWezla();
}

bool Warsztat::KasowanieWezla() {
    const int i = IndeksWybranego();
    if (i < 0) return false;
    const int n = Drzewo.Numer(i);
    auto odmowa = [&](const std::string& tekst) {
        komunikat(tekst);
        ZapiszDrzewo();
        return false;
    };
    if (Drzewo.MaDzieci(i) || n <= 0) return odmowa(teksty::MaPotomkow);
    if (!WolnoZmieniac()) return false;

    // The other records, once each, in ascending node number, into a file
    // beside the state file that replaces it when complete.
    const std::string plik = SciezkaPlikuStanu(k);
    // Never rewritten beside a journal whose place the new order would move.
    if (std::string blad = RozliczDziennik(plik); !blad.empty()) {
        BladZapisu = true;
        return odmowa(blad + "; w\xEAze\xB3 " + std::to_string(n) + " nie zosta\xB3 usuni\xEAty");
    }
    std::map<int, std::string> rekordy;
    std::optional<std::string> stare;
    {
        BinaryFile f;
        if (f.open(plik, BinaryFile::Mode::Read)) stare = f.readRest(NajdluzszyPlikStanu);
        if (stare && stare->size() % RozmiarStanuModelu != 0) setLastFileError(0);
        if (!stare || stare->size() % RozmiarStanuModelu != 0)
            return odmowa(withFileError("Nie uda\xB3o si\xEA odczyta\xE6 pliku " + plik));
        for (std::size_t o = 0; o < stare->size(); o += RozmiarStanuModelu) {
            const int numer = static_cast<std::uint8_t>((*stare)[o]);
            if (numer != n && numer <= NajwiekszyNumerWezla && !rekordy.count(numer))
                rekordy[numer] = stare->substr(o, RozmiarStanuModelu);
        }
    }
    // The commit point of a deletion: the new state file renamed into place.
    std::string zawartosc;
    for (const auto& [numer, bajty] : rekordy) zawartosc += bajty;
    if (!replaceFile(plik, zawartosc, true)) {
        BladZapisu = true;
        std::string tekst = withFileError("Nie uda\xB3o si\xEA zapisa\xE6 pliku " + plik);
        // A new file in place whose folder could not be flushed: the old
        // one goes back.
        if (lastFailureAfterRename() && !replaceFile(plik, *stare, true))
            tekst += withFileError("; nie uda\xB3o si\xEA te\xBF przywr\xF3" "ci\xE6 jego poprzedniej wersji");
        return odmowa(tekst + "; w\xEAze\xB3 " + std::to_string(n) + " nie zosta\xB3 usuni\xEAty");
    }

    for (int s = 0; s <= NajwiekszyNumerWezla; ++s) {
        const auto r = rekordy.find(s);
        k.TabelaWezlow.Zajety[s] = r != rekordy.end();
        if (r != rekordy.end()) {
            const auto* b = reinterpret_cast<const std::uint8_t*>(r->second.data());
            k.TabelaWezlow.Wpisy[s] =
                WpisWezla{b[0], b[1], static_cast<std::int16_t>(b[2] | (b[3] << 8)), b[4]};
        }
    }
    k.ZespolZapasowy = k.TabelaWezlow;
    WyczyscPrzebiegiWezla(k, n);

    const int rodzic = Drzewo.Rodzic(i);
    Drzewo.Usun(i);
    k.WezelBazowy.Ustawiony = k.WezelDoEdycji.Ustawiony = false;
    Polecenia.dodanieweza1 = false;
    Wybierz(rodzic);
    Zmiana_wezla();
    OkienkoBazowe.clear();
    OkienkoEdycji.clear();
    // The saved tree leaves the progress bar full, as after an add.
    Postep = ZapiszDrzewo() ? 100 : 0;
    return true;
}

}  // namespace vesk
