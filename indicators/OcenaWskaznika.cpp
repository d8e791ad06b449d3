#include "OcenaWskaznika.h"

#include <cmath>

#include "BladSkryptu.h"
#include "Decimal.h"
#include "Pomocnicze.h"
#include "PozycjeSprawozdan.h"
#include "Real48.h"

namespace vesk {

namespace {

const char* const NieWiem = "nie wiem";
const char* const ZeroWMianowniku = "0 w mianowniku";
const char* const PozaZakresem = "poza zakresem";

// One side's value, or the text that shows why there is none.
struct WynikStrony {
    long double Wartosc = 0.0L;
    std::string Blad;
};

WynikStrony ObliczStrone(const StronaWskaznika& s, const StanModelu& rekord, int rok) {
    WynikStrony w;
    for (const auto& [op, pozycja] : s.Skladniki()) {
        std::optional<double> v;
        try {
            v = WartoscPozycji(rekord, pozycja, rok);
        } catch (const BladSkryptu&) {
            return WynikStrony{0.0L, PozaZakresem};
        }
        if (!v) return WynikStrony{0.0L, NieznanaPozycja(pozycja)};
        const long double x = *v;
        switch (op) {
            case '!':
            case '+': w.Wartosc += x; break;
            case '-': w.Wartosc -= x; break;
            case '*': w.Wartosc *= x; break;
            case '/':
                if (x == 0.0L) return WynikStrony{0.0L, ZeroWMianowniku};
                w.Wartosc /= x;
                break;
            default: break;
        }
        if (!std::isfinite(w.Wartosc)) return WynikStrony{0.0L, PozaZakresem};
    }
    return w;
}

// The indicator row of the list's choice; 0 when the list names none.
int WierszListy(PanelDefinicji& panel, const TabelaWskaznikow& t) {
    int wiersz = panel.IndeksListy + 2;
    if (t.Komorka(wiersz, kol::Nazwa) != panel.TekstListy) {
        const int wpisow = t.LiczbaWskaznikow - 1;
        for (int r = 2; r <= wpisow + 1; ++r)
            if (t.Komorka(r, kol::Nazwa) == panel.TekstListy) {
                panel.IndeksListy = r - 2;
                wiersz = r;
                break;
            }
    }
    return t.WierszWskaznikaIstnieje(wiersz) ? wiersz : 0;
}

int IndeksRelacji(const std::string& r) {
    const auto& w = WpisyRelacji();
    for (std::size_t i = 1; i < w.size(); ++i)
        if (r == w[i]) return static_cast<int>(i);
    return 0;
}

bool DwaProgi(int relacja) { return relacja == 2 || relacja == 4; }

}  // namespace

std::string NieznanaPozycja(const PozycjaWskaznika& p) {
    if (IndeksZrodla(p.Zrodlo) < 0) return "nieznane \x9Fr\xF3" "d\xB3o: " + p.Zrodlo;
    return "nieznana pozycja: " + p.Etykieta;
}

const std::array<const char*, 6>& WpisyRelacji() {
    static const std::array<const char*, 6> t{"", "x>", "x<>", "x<", "x><", "x="};
    return t;
}

std::optional<long double> LiczbaProgu(const std::string& tekst) {
    const std::size_t a = tekst.find_first_not_of(' ');
    if (a == std::string::npos) return std::nullopt;
    const std::size_t b = tekst.find_last_not_of(' ');
    return parseDecimal(std::string_view(tekst).substr(a, b - a + 1));
}

std::string TekstWartosci(long double licznik, long double mianownik) {
    if (mianownik == 0.0L) return ZeroWMianowniku;
    try {
        return RealNaTekst(roundToReal48(licznik / mianownik), 5, 3);
    } catch (const Real48Error&) {
        return PozaZakresem;
    }
}

std::string DiagnozaWartosci(const std::string& relacja, const std::string& wartosc, const std::string& t1,
                             const std::string& t2) {
    const int r = IndeksRelacji(relacja);
    if (r == 0) return NieWiem;
    const auto v = LiczbaProgu(wartosc);
    const auto p1 = LiczbaProgu(t1);
    const auto p2 = DwaProgi(r) ? LiczbaProgu(t2) : std::optional<long double>(0.0L);
    if (!v || !p1 || !p2) return NieWiem;
    long double x, T1, T2;
    try {
        x = roundToReal48(*v);
        T1 = roundToReal48(*p1);
        T2 = roundToReal48(*p2);
    } catch (const Real48Error&) {
        return NieWiem;
    }
    switch (r) {
        case 1: return x > T1 ? "Dobrze - wysoka" : "\x8Fle - za niska";
        case 2:
        case 4:
            if (T1 <= x && x <= T2) return "wewn\xB9trz";
            return x > T2 ? "powy\xBF" "ej" : "poni\xBF" "ej";
        case 3: return x < T1 ? "Dobrze - niska" : "\x8Fle - za wysoka";
        default: break;
    }
    if (x > T1) return "ponad progiem";
    if (x < T1) return "pod progiem";
    return "na granicy";
}

void Oblicz(PanelDefinicji& panel, OcenaWskaznika& o, const StanModelu& rekord) {
    if (!panel.Kompletny()) return;
    const WynikStrony l = ObliczStrone(panel.Licznik, rekord, o.Rok);
    const WynikStrony m = ObliczStrone(panel.Mianownik, rekord, o.Rok);
    const bool liczba = l.Blad.empty() && m.Blad.empty() && m.Wartosc != 0.0L;
    o.Wartosc = !l.Blad.empty() ? l.Blad : !m.Blad.empty() ? m.Blad : TekstWartosci(l.Wartosc, m.Wartosc);

    const int wiersz = WierszListy(panel, o.Tabela);
    o.RelacjaWskaznika = wiersz ? o.Tabela.Komorka(wiersz, kol::Relacja) : std::string();
    if (wiersz) {
        for (const int k : {kol::Prog2, kol::Prog1}) {
            std::string prog = o.Tabela.Komorka(wiersz, k);
            for (char& c : prog)
                if (c == ',') c = '.';
            o.Tabela.UstawKomorke(wiersz, k, prog);
            if (!o.ProgiEdytowane) (k == kol::Prog1 ? o.Prog1 : o.Prog2) = prog;
        }
    }
    o.Diagnoza = NieWiem;
    if (!liczba || !wiersz) return;
    const std::string t1 = o.ProgiEdytowane ? o.Prog1 : o.Tabela.Komorka(wiersz, kol::Prog1);
    const std::string t2 = o.ProgiEdytowane ? o.Prog2 : o.Tabela.Komorka(wiersz, kol::Prog2);
    o.Diagnoza = DiagnozaWartosci(o.RelacjaWskaznika, o.Wartosc, t1, t2);
    if (o.Prog1.empty() || (DwaProgi(IndeksRelacji(o.RelacjaWskaznika)) && o.Prog2.empty())) o.Diagnoza = NieWiem;
}

void DialogProgu(int ktory, PanelDefinicji& panel, OcenaWskaznika& o, const StanModelu& rekord, UserInterface& ui) {
    if (!panel.Kompletny() || (ktory != 1 && ktory != 2)) return;
    std::string& box = ktory == 1 ? o.Prog1 : o.Prog2;
    const std::string stary = box;
    const auto odpowiedz = ui.inputText(ktory == 1 ? "Podanie warto\x9C" "ci progowej (dolnej)"
                                                   : "Podanie warto\x9C" "ci progowej (g\xF3rnej)",
                                        "Podaj warto\x9C\xE6 liczbow\xB9 (z kropk\xB9 u\xB3" "amkow\xB9)", stary);
    const std::string nowy = odpowiedz ? *odpowiedz : stary;
    if (!nowy.empty() && !LiczbaProgu(nowy)) {
        ui.message("Warto\x9C\xE6 progowa musi by\xE6 liczb\xB9 (z kropk\xB9 u\xB3" "amkow\xB9): " + nowy);
        return;
    }
    box = nowy;
    Oblicz(panel, o, rekord);
    if (nowy == stary) return;
    o.ProgiEdytowane = true;
    const int wiersz = panel.IndeksListy + 2;
    const bool jestWiersz = o.Tabela.WierszWskaznikaIstnieje(wiersz);
    if (jestWiersz) o.Tabela.UstawKomorke(wiersz, ktory == 1 ? kol::Prog1 : kol::Prog2, nowy);
    box = nowy;
    if (box.empty()) {
        o.WpisRelacji = 0;
        if (jestWiersz) o.Tabela.UstawKomorke(wiersz, kol::Relacja, "");
    }
    // The diagnosis shown follows the threshold now in force.
    Oblicz(panel, o, rekord);
}

void ZmianaRelacji(int wpis, const PanelDefinicji& panel, OcenaWskaznika& o) {
    if (wpis < 0 || wpis >= static_cast<int>(WpisyRelacji().size())) return;
    if (o.Prog1.empty() || (DwaProgi(wpis) && o.Prog2.empty())) wpis = 0;
    o.WpisRelacji = wpis;
    const int wiersz = panel.IndeksListy + 2;
    if (o.Tabela.WierszWskaznikaIstnieje(wiersz)) o.Tabela.UstawKomorke(wiersz, kol::Relacja, WpisyRelacji()[static_cast<std::size_t>(wpis)]);
}

}  // namespace vesk
