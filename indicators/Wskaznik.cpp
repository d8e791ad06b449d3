#include "Wskaznik.h"

namespace vesk {

namespace {

bool JestOperatorem(char c) { return c == '+' || c == '-' || c == '*' || c == '/'; }

}  // namespace

// ------------------------------------------------------------ the sources

const std::array<ZrodloWskaznika, 9>& ZrodlaWskaznikow() {
    static const std::array<ZrodloWskaznika, 9> t{{
        {"Bilans Aktywa", "bilans_aktywa"},
        {"Bilans Pasywa", "bilans_pasywa"},
        {"Rachunek Wynik\xF3w Koszty i Straty", "rachunek_wynikow_koszty_i_straty"},
        {"Rachunek Wynik\xF3w Przychody i Zyski", "rachunek_wynikow_przychody_i_zyski"},
        {"P\xB3ynno\x9C\xE6 Finansowa Przedsi\xEA" "biorstwa", "plynnosc_finansowa_przedsiebiorstwa"},
        {"Produkcja", "produkcja"},
        {"Zapasy", "zapasy"},
        {"Koszty", "koszty"},
        {"Zmienne decyzyjne", "zmienne_decyzyjne"},
    }};
    return t;
}

int IndeksZrodla(const std::string& nazwa) {
    const auto& t = ZrodlaWskaznikow();
    for (std::size_t i = 0; i < t.size(); ++i)
        if (nazwa == t[i].Nazwa) return static_cast<int>(i);
    return -1;
}

std::optional<std::string> PlikDrzewa(const std::string& katalog, const std::string& nazwa) {
    const int i = IndeksZrodla(nazwa);
    if (i < 0) return std::nullopt;
    return katalog + ZrodlaWskaznikow()[static_cast<std::size_t>(i)].Rdzen + ".tre";
}

// ------------------------------------------------------------- the items

std::string PozycjaWskaznika::Tekst() const { return Etykieta + "(" + Zrodlo + ")"; }

std::vector<std::pair<char, PozycjaWskaznika>> StronaWskaznika::Skladniki() const {
    std::vector<std::pair<char, PozycjaWskaznika>> wynik;
    if (Pierwsza) wynik.emplace_back('!', *Pierwsza);
    if (Druga && Operator.size() == 1 && JestOperatorem(Operator[0])) wynik.emplace_back(Operator[0], *Druga);
    return wynik;
}

std::string StronaWskaznika::Formula() const {
    std::string f = Pierwsza ? Pierwsza->Tekst() : std::string();
    if (!Operator.empty()) f += Operator + (Druga ? Druga->Tekst() : std::string());
    return f;
}

// ------------------------------------------------------------ the parsers

std::string RozbiorPozycja(const std::string& Formula, int N) {
    std::string wynik;
    int ops = 0, opens = 0;
    for (char c : Formula) {
        if (c == '(') ++opens;
        if (ops + 1 == N) {
            if (opens < N)
                wynik += c;
            else
                break;
        }
        if (JestOperatorem(c)) ++ops;
    }
    return wynik;
}

std::string RozbiorZrodlo(const std::string& Formula, int N) {
    std::string wynik;
    int ops = 0, opens = 0, closes = 0;
    for (char c : Formula) {
        if (c == ')') {
            ++closes;
            if (closes == N) break;
        }
        if (ops + 1 == N && opens == N) wynik += c;
        if (c == '(') ++opens;
        if (JestOperatorem(c)) ++ops;
    }
    return wynik;
}

char RozbiorOperand(const std::string& Formula, int N) {
    char wynik = '\x14';
    int ops = 0;
    for (char c : Formula) {
        if (JestOperatorem(c)) {
            ++ops;
            wynik = c;
            if (ops == N) break;
        } else if (N == 1) {
            wynik = '!';
            break;
        }
    }
    return wynik;
}

// ------------------------------------------------------------- the table

namespace {

// A field of blanks only is empty: a spreadsheet program that drops empty
// cells leaves " " (no cell) where the program wrote an empty text.
std::string Pole(const WierszWskaznika& w, int kolumna) {
    const std::string& t = w[static_cast<std::size_t>(kolumna)];
    return t.find_first_not_of(' ') == std::string::npos ? std::string() : t;
}

}  // namespace

IndicatorDef IndicatorDef::ZWiersza(const WierszWskaznika& wiersz) {
    WierszWskaznika w = wiersz;
    for (int c : {kol::ZrodloLicznika1, kol::PozycjaLicznika1, kol::ZrodloMianownika1, kol::PozycjaMianownika1,
                  kol::OperatorLicznika, kol::OperatorMianownika, kol::ZrodloLicznika2, kol::PozycjaLicznika2,
                  kol::ZrodloMianownika2, kol::PozycjaMianownika2})
        w[static_cast<std::size_t>(c)] = Pole(wiersz, c);
    IndicatorDef d;
    d.Nazwa = w[kol::Nazwa];
    d.Kolumna2 = w[kol::Nieuzywana];
    auto strona = [&](int zrodlo1, int pozycja1, int op, int zrodlo2, int pozycja2) {
        StronaWskaznika s;
        if (!w[zrodlo1].empty() || !w[pozycja1].empty()) s.Pierwsza = PozycjaWskaznika{w[zrodlo1], w[pozycja1]};
        if (!w[pozycja2].empty()) {
            s.Operator = w[op];
            s.Druga = PozycjaWskaznika{w[zrodlo2], w[pozycja2]};
        }
        return s;
    };
    d.Licznik = strona(kol::ZrodloLicznika1, kol::PozycjaLicznika1, kol::OperatorLicznika, kol::ZrodloLicznika2,
                       kol::PozycjaLicznika2);
    d.Mianownik = strona(kol::ZrodloMianownika1, kol::PozycjaMianownika1, kol::OperatorMianownika,
                         kol::ZrodloMianownika2, kol::PozycjaMianownika2);
    d.Relacja = w[kol::Relacja];
    d.T1 = w[kol::Prog1];
    d.T2 = w[kol::Prog2];
    return d;
}

WierszWskaznika IndicatorDef::DoWiersza() const {
    WierszWskaznika w;
    w[kol::Nazwa] = Nazwa;
    w[kol::Nieuzywana] = Kolumna2;
    auto strona = [&](const StronaWskaznika& s, int zrodlo1, int pozycja1, int op, int zrodlo2, int pozycja2) {
        if (s.Pierwsza) {
            w[zrodlo1] = s.Pierwsza->Zrodlo;
            w[pozycja1] = s.Pierwsza->Etykieta;
        }
        w[op] = s.Operator;
        if (s.Druga) {
            w[zrodlo2] = s.Druga->Zrodlo;
            w[pozycja2] = s.Druga->Etykieta;
        }
    };
    strona(Licznik, kol::ZrodloLicznika1, kol::PozycjaLicznika1, kol::OperatorLicznika, kol::ZrodloLicznika2,
           kol::PozycjaLicznika2);
    strona(Mianownik, kol::ZrodloMianownika1, kol::PozycjaMianownika1, kol::OperatorMianownika,
           kol::ZrodloMianownika2, kol::PozycjaMianownika2);
    w[kol::Relacja] = Relacja;
    w[kol::Prog1] = T1;
    w[kol::Prog2] = T2;
    return w;
}

TabelaWskaznikow::TabelaWskaznikow() : Wiersze(2) {
    for (int c = 1; c < KolumnWiersza; ++c) Wiersze[0][static_cast<std::size_t>(c)] = std::string(1, 'A' + (c - 1));
    Wiersze[1][0] = "1";
}

const std::string& TabelaWskaznikow::Komorka(int wiersz, int kolumna) const {
    static const std::string pusta;
    if (wiersz < 0 || kolumna < 0 || kolumna >= KolumnWiersza || wiersz >= static_cast<int>(Wiersze.size()))
        return pusta;
    return Wiersze[static_cast<std::size_t>(wiersz)][static_cast<std::size_t>(kolumna)];
}

bool TabelaWskaznikow::UstawKomorke(int wiersz, int kolumna, const std::string& tekst) {
    if (wiersz < 0 || kolumna < 0 || kolumna >= KolumnWiersza) return false;
    while (static_cast<int>(Wiersze.size()) <= wiersz) {
        Wiersze.emplace_back();
        Wiersze.back()[0] = std::to_string(Wiersze.size() - 1);
    }
    Wiersze[static_cast<std::size_t>(wiersz)][static_cast<std::size_t>(kolumna)] = tekst;
    return true;
}

bool TabelaWskaznikow::WierszWskaznikaIstnieje(int wiersz) const {
    return wiersz >= 2 && wiersz <= LiczbaWskaznikow && wiersz < static_cast<int>(Wiersze.size());
}

void TabelaWskaznikow::Dodaj(const IndicatorDef& d) {
    const int wiersz = LiczbaWskaznikow + 1;
    const WierszWskaznika w = d.DoWiersza();
    for (int c = 1; c < KolumnWiersza; ++c) UstawKomorke(wiersz, c, w[static_cast<std::size_t>(c)]);
    LiczbaWskaznikow = wiersz;
}

std::vector<std::string> TabelaWskaznikow::Nazwy() const {
    std::vector<std::string> n;
    for (int r = 2; r <= LiczbaWskaznikow; ++r) n.push_back(Komorka(r, kol::Nazwa));
    return n;
}

}  // namespace vesk
