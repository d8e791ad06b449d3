#include "OperacjeJezyka.h"

#include <array>
#include <memory>

#include "BladSkryptu.h"
#include "CodePage.h"
#include "PlikStanu.h"

namespace vesk {

namespace {

[[noreturn]] void odmowa(const std::string& co) { throw BladSkryptu(BladSkryptu::Rodzaj::Odmowa, co); }

void sprawdzPozycje(const Warsztat& w, int pozycja) {
    if (pozycja < 0 || pozycja >= w.Drzewo.Liczba())
        throw BladSkryptu(BladSkryptu::Rodzaj::BrakWezla,
                          "brak w\xEAz\xB3" "a na pozycji " + std::to_string(pozycja) + " drzewa");
}

void wczytajRekord(Warsztat& w, int numer) {
    Kontekst& k = w.k;
    const std::string plik = SciezkaPlikuStanu(k);
    // Read aside: a node missing from the file leaves RekordBiezacy as it was.
    auto rekord = std::make_unique<StanModelu>();
    bool jest = false;
    try {
        jest = numer >= 0 && numer <= 255 && ZnajdzStanModelu(k, plik, static_cast<std::uint8_t>(numer), *rekord);
    } catch (const std::exception& e) {
        throw BladSkryptu(BladSkryptu::Rodzaj::PlikStanu, e.what());
    }
    // The file put in place of the one locked (or gone for a moment) says so,
    // not that its node is missing.
    if (!jest)
        if (std::string powod = w.powodNiezapisania(); !powod.empty()) throw BladSkryptu(BladSkryptu::Rodzaj::PlikStanu, powod);
    if (!jest)
        throw BladSkryptu(BladSkryptu::Rodzaj::BrakWezla,
                          "brak rekordu w\xEAz\xB3" "a " + std::to_string(numer) + " w pliku " + plik);
    k.RekordBiezacy = *rekord;
}

void zmiana(Warsztat& w, const std::string& grupa, const std::string& selektor, const std::string& rok,
            const std::string& wartosc) {
    if (std::string* pole = PoleDecyzji(w, grupa, selektor, rok)) *pole = wartosc;
    PotwierdzFormularz(w);
}

// The name as its refusal showed it: a control character escaped ("\x09").
std::string czytelna(const std::string& plikDrzewa) { return readableFileName(cp1250ToUtf8(plikDrzewa)); }

}  // namespace

int IndeksRoku(const std::string& rok) {
    if (rok == "rok1") return 0;
    if (rok == "rok2") return 1;
    if (rok == "rok3") return 2;
    return -1;
}

std::string* PoleDecyzji(Warsztat& w, const std::string& grupa, const std::string& selektor,
                         const std::string& rok) {
    const int r = IndeksRoku(rok);
    if (r < 0) return nullptr;
    std::string nazwa = grupa + "_";
    if (grupa == "Surowiec") {
        static const std::array<std::pair<const char*, const char*>, 3> surowce{
            {{"white", "White"}, {"black", "Black"}, {"red", "Red"}}};
        const char* s = nullptr;
        for (const auto& [slowo, nazwaPola] : surowce)
            if (selektor == slowo) s = nazwaPola;
        if (!s) return nullptr;
        nazwa += std::string(s) + "_";
    } else if (grupa == "cena" || grupa == "zlec") {
        if (selektor != "alfa" && selektor != "beta" && selektor != "gamma") return nullptr;
        nazwa += selektor + "_";
    }
    return w.Formularz.Pole(nazwa + std::to_string(r));
}

void PotwierdzFormularz(Warsztat& w) {
    if (!w.Potwierdzenie1Click()) odmowa("formularz decyzyjny nie zosta\xB3 zapisany");
}

int PozycjaWezla(const Warsztat& w, int numer) {
    const int i = w.Drzewo.Znajdz(numer);
    if (i < 0) throw BladSkryptu(BladSkryptu::Rodzaj::BrakWezla, "brak w\xEAz\xB3" "a " + std::to_string(numer) + " w drzewie");
    return i;
}

void Wczytaj_Plik(Warsztat& w, const std::string& plikDrzewa) {
    if (!w.Roz_Wczytanie_istniejacego_operatora(plikDrzewa)) odmowa("nie otwarto operatora " + czytelna(plikDrzewa));
    wczytajRekord(w, 0);
    w.Wybierz(0);
}

void Utworz_Plik(Warsztat& w, const std::string& plikDrzewa) {
    if (!w.Roz_TworzenieNowegoOperatora(plikDrzewa)) odmowa("nie utworzono operatora " + czytelna(plikDrzewa));
    w.ZglosZastapienie();
    w.Wybierz(0);
}

void Utworz_Operator_Programu(Warsztat& w, const std::string& plikDrzewa) {
    if (!w.TworzenieOperatoraProgramu(plikDrzewa)) odmowa("nie utworzono operatora " + czytelna(plikDrzewa));
    w.Wybierz(0);
}

void Zmiana_Cena(Warsztat& w, const std::string& produkt, const std::string& rok, const std::string& wartosc) {
    zmiana(w, "cena", produkt, rok, wartosc);
}
void Zmiana_Produkcja(Warsztat& w, const std::string& produkt, const std::string& rok, const std::string& wartosc) {
    zmiana(w, "zlec", produkt, rok, wartosc);
}
void Zmiana_Zamowienia_Surowcow(Warsztat& w, const std::string& surowiec, const std::string& rok,
                                const std::string& wartosc) {
    zmiana(w, "Surowiec", surowiec, rok, wartosc);
}
void Zmiana_Emisja_Akcji(Warsztat& w, const std::string& rok, const std::string& wartosc) {
    zmiana(w, "Emisja_Akcji", {}, rok, wartosc);
}
void Zmiana_Dywidenda(Warsztat& w, const std::string& rok, const std::string& wartosc) {
    zmiana(w, "Dywidenda", {}, rok, wartosc);
}
void Zmiana_Zadluzenie(Warsztat& w, const std::string& rok, const std::string& wartosc) {
    zmiana(w, "zadluzenie", {}, rok, wartosc);
}

void Dodaj_Wezel(Warsztat& w, int pozycjaBazowego, int pozycjaWzoru) {
    sprawdzPozycje(w, pozycjaBazowego);
    sprawdzPozycje(w, pozycjaWzoru);
    const std::string wzor = w.Drzewo.Etykieta(pozycjaWzoru);
    w.Wybierz(pozycjaBazowego);
    w.Bazowy1Click();
    const bool bazowyUstawiony = w.k.WezelBazowy.Ustawiony;
    bool dodano = false;
    if (bazowyUstawiony) {
        w.Wybierz(w.Drzewo.Znajdz(NumerZEtykiety(wzor)));
        w.WyborWezlaDoEdycji();
        if (w.Polecenia.dodanieweza1) dodano = w.dodanieweza1Click();
    }
    w.Polecenia.dodanieweza1 = true;
    if (!bazowyUstawiony) odmowa("w\xEAze\xB3 bazowy nie jest symulowany");
    if (!dodano) odmowa("nie dodano w\xEAz\xB3" "a");
}

void Kasuj_Wezel(Warsztat& w, int pozycja) {
    sprawdzPozycje(w, pozycja);
    w.Wybierz(pozycja);
    if (!w.KasowanieWezla()) odmowa("w\xEAze\xB3 nie zosta\xB3 skasowany");
}

void Symuluj_Wezel(Warsztat& w, int pozycja) {
    sprawdzPozycje(w, pozycja);
    const bool symulowany = w.Drzewo.Etykieta(pozycja).rfind("d/r", 0) == 0;
    w.Wybierz(pozycja);
    if (!w.Symulowanie() && !symulowany) odmowa("symulacja w\xEAz\xB3" "a nie powiod\xB3" "a si\xEA");
}

void Ustaw_Biezacy(Warsztat& w, int pozycja) {
    sprawdzPozycje(w, pozycja);
    wczytajRekord(w, w.Drzewo.Numer(pozycja));
    w.Wybierz(pozycja);
    w.Zmiana_wezla();
}

}  // namespace vesk
