#include "FormularzDecyzji.h"

#include <array>
#include <cmath>
#include <cstdio>

#include "Decimal.h"
#include "Real48.h"
#include "Teksty.h"
#include "UserInterface.h"

namespace vesk {

namespace {

std::array<PoleFormularza, LiczbaPol> zbudujPola() {
    static const char* const nazwy[] = {
        "zlec_alfa_0", "zlec_alfa_1", "zlec_alfa_2", "zlec_beta_0", "zlec_beta_1", "zlec_beta_2",
        "zlec_gamma_0", "zlec_gamma_1", "zlec_gamma_2", "cena_alfa_0", "cena_alfa_1", "cena_alfa_2",
        "cena_beta_0", "cena_beta_1", "cena_beta_2", "cena_gamma_0", "cena_gamma_1", "cena_gamma_2",
        "Surowiec_White_0", "Surowiec_White_1", "Surowiec_White_2", "Surowiec_Black_0", "Surowiec_Black_1",
        "Surowiec_Black_2", "Surowiec_Red_0", "Surowiec_Red_1", "Surowiec_Red_2", "Dywidenda_0",
        "Dywidenda_1", "Dywidenda_2", "zadluzenie_0", "zadluzenie_1", "zadluzenie_2", "Emisja_Akcji_0",
        "Emisja_Akcji_1", "Emisja_Akcji_2",
    };
    std::array<PoleFormularza, LiczbaPol> p{};
    int i = 0;
    // Three blocks of [item][year] at 18 bytes a year, 6 an item.
    const struct {
        std::size_t poczatek;
        Jednostka j;
    } bloki[] = {{2784, Jednostka::Wprost}, {2840, Jednostka::Tysiace}, {2896, Jednostka::Wprost}};
    for (const auto& b : bloki)
        for (int item = 0; item < 3; ++item)
            for (int y = 0; y < 3; ++y, ++i)
                p[static_cast<std::size_t>(i)] = {nazwy[i], b.poczatek + 18 * static_cast<std::size_t>(y) + 6 * static_cast<std::size_t>(item), b.j};
    // Three yearly rows 6 bytes apart.
    const struct {
        std::size_t poczatek;
        Jednostka j;
    } wiersze[] = {{2952, Jednostka::Procent}, {2976, Jednostka::Procent}, {3000, Jednostka::Sztuki}};
    for (const auto& w : wiersze)
        for (int y = 0; y < 3; ++y, ++i)
            p[static_cast<std::size_t>(i)] = {nazwy[i], w.poczatek + 6 * static_cast<std::size_t>(y), w.j};
    return p;
}

// printf's general form with the exponent as the windows write it ("1E-7").
// A whole number of at most cyfry digits is written as it is, as printf
// would.
std::string ogolny(long double v, int cyfry) {
    static constexpr auto potegi = [] {
        std::array<long double, 19> p{};
        long double q = 1;
        for (long double& x : p) x = q, q *= 10;
        return p;
    }();
    if (cyfry >= 0 && cyfry <= 18 && v == std::trunc(v) && std::fabs(v) < potegi[static_cast<std::size_t>(cyfry)])
        return std::to_string(static_cast<long long>(v));
    char bufor[64];
    std::snprintf(bufor, sizeof bufor, "%.*Lg", cyfry, v);
    std::string s = bufor;
    if (s == "-0") s = "0";
    const auto e = s.find('e');
    if (e == std::string::npos) return s;
    std::string mantysa = s.substr(0, e), wykladnik = s.substr(e + 1);
    std::string znak;
    if (!wykladnik.empty() && (wykladnik[0] == '+' || wykladnik[0] == '-')) {
        if (wykladnik[0] == '-') znak = "-";
        wykladnik.erase(0, 1);
    }
    while (wykladnik.size() > 1 && wykladnik[0] == '0') wykladnik.erase(0, 1);
    return mantysa + "E" + znak + wykladnik;
}

// The shortest general form, at most 15 significant digits, that reads
// back as the same stored value.
std::string najkrotszy(long double v) {
    // A whole number reads back from its own digits, and fewer digits give
    // the exponent form.
    if (v == std::trunc(v) && std::fabs(v) < 1e15L) return ogolny(v, 15);
    const std::string pelny = ogolny(v, 15);
    const bool wykladniczy = pelny.find('E') != std::string::npos;
    for (int cyfry = 1; cyfry < 15; ++cyfry) {
        std::string s = ogolny(v, cyfry);
        if (!wykladniczy && s.find('E') != std::string::npos) continue;
        std::string liczba = s;
        if (auto e = liczba.find('E'); e != std::string::npos) liczba[e] = 'e';
        if (std::optional<long double> z = parseDecimal(liczba)) {
            try {
                if (roundToReal48(*z) == v) return s;
            } catch (const Real48Error&) {
            }
        }
    }
    return pelny;
}

std::string zSeparatorem(std::string s, char separator) {
    for (char& c : s)
        if (c == '.') c = separator;
    return s;
}

}  // namespace

const std::array<PoleFormularza, LiczbaPol>& PolaFormularza() {
    static const std::array<PoleFormularza, LiczbaPol> pola = zbudujPola();
    return pola;
}

const std::array<GrupaPol, 6>& GrupyPol() {
    // "Zlecenia na produkcję wyrobów [tys. j. wyr. / rok]", "Ceny wyrobów gotowych [zł. / j. wyr.]",
    // "Zamówienia surowców [tys. j. sur. / rok]", "Udział dywidendy zwykłej [% zysku po opodatkowaniu]",
    // "Wskaźnik zadluzenia [% wartości śr. trwałych]", "Emisja Akcji [mln. sztuk]"
    static const std::array<GrupaPol, 6> grupy = {{
        {"GrupaZlecen", "Zlecenia na produkcj\xEA wyrob\xF3w [tys. j. wyr. / rok]", 0, 3, {"Alfa", "Beta", "Gamma"}},
        {"GrupaCen", "Ceny wyrob\xF3w gotowych [z\xB3. / j. wyr.]", 9, 3, {"Alfa", "Beta", "Gamma"}},
        {"GrupaSurowcow", "Zam\xF3wienia surowc\xF3w [tys. j. sur. / rok]", 18, 3, {"White", "Black", "Red"}},
        {"GrupaDywidendy", "Udzia\xB3 dywidendy zwyk\xB3" "ej [% zysku po opodatkowaniu]", 27, 1, {"", "", ""}},
        {"GrupaZadluzenia", "Wska\x9Fnik zadluzenia [% warto\x9C" "ci \x9Cr. trwa\xB3ych]", 30, 1, {"", "", ""}},
        {"GrupaEmisji", "Emisja Akcji [mln. sztuk]", 33, 1, {"", "", ""}},
    }};
    return grupy;
}

std::optional<ZakresPola> ZakresPolaFormularza(std::size_t pole,
                                              const Tab<std::pair<std::int32_t, std::int32_t>, 1, 54>& zakresy) {
    if (pole >= 9 && pole < 18) {
        // Prices (parameters 1..9): below the range's maximum where one was
        // read, else below a bound no price of the model comes near.
        const auto [min, max] = zakresy[static_cast<int>(pole) - 8];
        return ZakresPola{0, min < max ? static_cast<long double>(max) : NajwyzszaCenaDomyslna};
    }
    if (pole < 27) return ZakresPola{};
    if (pole >= LiczbaPol) return std::nullopt;
    // Boxes 27..35 are decision parameters 28..36.
    const auto [min, max] = zakresy[static_cast<int>(pole) + 1];
    if (min >= max) return std::nullopt;
    return ZakresPola{static_cast<long double>(min), static_cast<long double>(max)};
}

const std::array<const char*, 9>& PodpisyWariantow() {
    // Code page 1250: "zł" is "z\xB3", "Śr. wł." is "\x8Cr. w\xB3.", "Wydajność" is "Wydajno\x9C\xE6".
    static const std::array<const char*, 9> podpisy = {
        "&0 Brak inwestycji",
        "&1 Kredyt 5 mln z\xB3 Realizacja 0.5 roku Kredytowanie 0.5 roku Wydajno\x9C\xE6 50 tys wyr./rok",
        "&2 Kredyt 6 mln z\xB3 Realizacja 1 rok Kredytowanie 1 rok Wydajno\x9C\xE6 60 tys wyr./rok",
        "&3 Kredyt 7.5 mln z\xB3 Realizacja 1.5 roku Kredytowanie 1.5 roku Wydajno\x9C\xE6 75 tys wyr./rok",
        "&4 Kredyt 9 mln z\xB3 Realizacja 2 lata Kredytowanie 1.5 roku Wydajno\x9C\xE6 90 tys wyr./rok",
        "&5 \x8Cr. w\xB3. 1 mln z\xB3 Realizacja 0.5 roku Wydajno\x9C\xE6 10 tys wyr./rok",
        "&6 \x8Cr. w\xB3. 2 mln z\xB3 Realizacja 0.5 roku Wydajno\x9C\xE6 20 tys wyr./rok",
        "&7 \x8Cr. w\xB3. 3 mln z\xB3 Realizacja 0.5 roku Wydajno\x9C\xE6 30 tys wyr./rok",
        "&8 \x8Cr. w\xB3. 4 mln z\xB3 Realizacja 1 rok Wydajno\x9C\xE6 40 tys wyr./rok",
    };
    return podpisy;
}

std::string TekstPola(long double v, Jednostka j, char separator) {
    switch (j) {
        case Jednostka::Wprost:
            return zSeparatorem(najkrotszy(v), separator);
        case Jednostka::Tysiace:
            return zSeparatorem(ogolny(std::round(v * 1000.0L * 10000.0L) / 10000.0L, 15), separator);
        case Jednostka::Procent:
            return zSeparatorem(ogolny(v * 100.0L, 9), separator);
        case Jednostka::Sztuki:
            return zSeparatorem(ogolny(v, 9), separator);
    }
    return {};
}

std::optional<long double> WartoscPola(const std::string& tekst, Jednostka j, char separator) {
    std::string s = tekst;
    while (!s.empty() && s.front() == ' ') s.erase(0, 1);
    while (!s.empty() && s.back() == ' ') s.pop_back();
    if (separator != '.') {
        if (s.find('.') != std::string::npos) return std::nullopt;
        for (char& c : s)
            if (c == separator) c = '.';
    }
    std::optional<long double> v = parseDecimal(s);
    if (!v) return std::nullopt;
    switch (j) {
        case Jednostka::Tysiace:
            return *v / 1000.0L;
        case Jednostka::Procent:
            return *v / 100.0L;
        default:
            return *v;
    }
}

FormularzDecyzji::FormularzDecyzji() {
    Siatka[0][0] = "Rok / Wyr\xF3" "b";  // "Rok / Wyrób"
    for (int c = 1; c <= 6; ++c) Siatka[0][static_cast<std::size_t>(c)] = c % 2 ? "projekt #1" : "projekt #2";
    Siatka[1][0] = "Alfa";
    Siatka[2][0] = "Beta";
    Siatka[3][0] = "Gamma";
    ZapamietajStan();
}

std::string FormularzDecyzji::PodpisPola(std::size_t pole) const {
    const std::array<const std::string*, 3> lata = {&Rok0, &Rok1, &Rok2};
    for (const GrupaPol& g : GrupyPol()) {
        const auto p = static_cast<int>(pole) - g.pierwszePole;
        if (p < 0 || p >= 3 * g.liczbaWierszy) continue;
        std::string s = g.tytul;
        if (*g.wiersze[static_cast<std::size_t>(p / 3)]) s += std::string(", ") + g.wiersze[static_cast<std::size_t>(p / 3)];
        return s + ", " + *lata[static_cast<std::size_t>(p % 3)];
    }
    return {};
}

std::string FormularzDecyzji::PodpisKomorki(int r, int c) const {
    if (r < 1 || r > 3 || c < 1 || c > 6) return "Inwestycje";
    const std::array<const std::string*, 3> lata = {&Rok0, &Rok1, &Rok2};
    return "Inwestycje, " + Siatka[static_cast<std::size_t>(r)][0] + ", " + *lata[static_cast<std::size_t>((c - 1) / 2)] +
           ", " + Siatka[0][static_cast<std::size_t>(c)];
}

bool FormularzDecyzji::NiezatwierdzoneZmiany() const {
    return Edytowalny && (Pola != wypelnionePola_ || Siatka != wypelnionaSiatka_);
}

void FormularzDecyzji::PorzucZmiany() {
    Pola = wypelnionePola_;
    Siatka = wypelnionaSiatka_;
}

void FormularzDecyzji::ZapamietajStan() {
    wypelnionePola_ = Pola;
    wypelnionaSiatka_ = Siatka;
}

std::string* FormularzDecyzji::Pole(const std::string& nazwa) {
    for (std::size_t i = 0; i < Pola.size(); ++i)
        if (nazwa == PolaFormularza()[i].nazwa) return &Pola[i];
    return nullptr;
}

void FormularzDecyzji::UstawEdytowalny(unsigned char flaga) {
    if (flaga > 1) return;
    Edytowalny = flaga == 1;
    Status = Edytowalny ? teksty::NieSymulowany : teksty::Symulowany;
}

void FormularzDecyzji::Wypelnij_Formularz_Decyzyjny(const StanModelu& rec, char separator) {
    const ByteView b = rec.widok();
    for (std::size_t i = 0; i < Pola.size(); ++i) {
        const PoleFormularza& p = PolaFormularza()[i];
        Pola[i] = TekstPola(b.real48(p.offset), p.jednostka, separator);
    }
    for (int r = 1; r <= 3; ++r)
        for (int c = 1; c <= 6; ++c)
            Siatka[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)] =
                std::to_string(b.u8(OffsetInwestycji(r, (c + 1) / 2, 2 - c % 2)));
    ZapamietajStan();
}

bool FormularzDecyzji::StringGrid1KeyPress(char klawisz) {
    if (klawisz == '\r') return true;
    if (klawisz >= '0' && klawisz <= '8') Siatka[static_cast<std::size_t>(Wiersz)][static_cast<std::size_t>(Kolumna)] = std::string(1, klawisz);
    return false;
}

std::optional<int> FormularzDecyzji::PopupMenu2Popup(UserInterface& ui) {
    const std::string& komorka = Siatka[static_cast<std::size_t>(Wiersz)][static_cast<std::size_t>(Kolumna)];
    if (komorka.empty()) {
        WybranyWariantInwestycji = 0;
        return 0;
    }
    std::optional<long double> v = parseDecimal(komorka);
    if (!v || *v != std::floor(*v) || std::fabs(*v) > 2147483647.0L) {
        ui.message("'" + komorka + "' nie jest liczba calkowita");
        return std::nullopt;
    }
    WybranyWariantInwestycji = static_cast<std::int32_t>(*v);
    if (WybranyWariantInwestycji >= 0 && WybranyWariantInwestycji <= 8) return WybranyWariantInwestycji;
    return std::nullopt;
}

void FormularzDecyzji::KoniecPopupu() {
    Siatka[static_cast<std::size_t>(Wiersz)][static_cast<std::size_t>(Kolumna)] =
        WybranyWariantInwestycji == 0 ? "" : std::to_string(WybranyWariantInwestycji);
}

void FormularzDecyzji::NClick(int pozycja) {
    if (pozycja < 0 || pozycja > 8) return;
    WybranyWariantInwestycji = pozycja;
    Siatka[static_cast<std::size_t>(Wiersz)][static_cast<std::size_t>(Kolumna)] = std::to_string(pozycja);
}

}  // namespace vesk
