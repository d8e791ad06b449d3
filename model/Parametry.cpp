#include "Parametry.h"

#include <array>
#include <string>

#include "ByteView.h"
#include "Deklaracje.h"
#include "FileSystem.h"
#include "IoError.h"
#include "Paths.h"

namespace vesk {

namespace {

constexpr const char* kOperacja = "odczyt parametr\xF3w modelu";
constexpr std::size_t kRozmiar = 6 * LiczbaParametrow;

// The values of the file, numbered from 1 as the file's documentation
// numbers them.
class Wartosci {
public:
    explicit Wartosci(const std::array<std::uint8_t, kRozmiar>& b) : v_(b.data(), b.size(), "parametr.mdl") {}
    long double operator()(int numer) const { return v_.real48(6 * static_cast<std::size_t>(numer - 1)); }
    Real real(int numer) const { return Real::fromStored((*this)(numer)); }

private:
    ByteView v_;
};

}  // namespace

void WczytajParametryModelu(Kontekst& k) {
    const std::string sciezka = joinPath(k.catPARAMETR, PlikParametrow);

    // The whole file is read and checked before anything is assigned, so a
    // rejected file leaves the model's parameters as they were.
    std::array<std::uint8_t, kRozmiar> bajty{};
    {
        BinaryFile plik;
        if (!plik.open(sciezka, BinaryFile::Mode::Read))
            throw IoError(sciezka, kOperacja, withFileError("nie mo\xBFna otworzy\xE6 pliku"));
        const std::size_t n = plik.read(bajty.data(), bajty.size());
        if (plik.failed()) throw IoError(sciezka, kOperacja, plik.failureText("plik nie daje si\xEA odczyta\xE6"));
        if (n < bajty.size())
            throw IoError(sciezka, kOperacja,
                          "plik zawiera " + std::to_string(n / 6) + " warto\x9C" "ci, potrzeba " +
                              std::to_string(LiczbaParametrow));
    }
    const Wartosci w(bajty);
    for (int i = 17; i <= 19; ++i)
        if (w(i) <= 0.0L)
            throw IoError(sciezka, kOperacja,
                          "warto\x9C\xE6 " + std::to_string(i) + " (czas przej\x9C" "cia produkcji) musi by\xE6 wi\xEAksza od 0");
    if (w(39) <= -100.0L)
        throw IoError(sciezka, kOperacja, "warto\x9C\xE6 39 (sk\xB3" "adka ZUS) musi by\xE6 wi\xEAksza od -100 %");

    ZmienneModelu& m = k.m;
    m.StawkaAmortyzacji = w.real(1);
    m.StawkaPodatkuDochodowego = w.real(5);
    m.StopaDywidendy = w.real(8);
    m.NormatywPodzialuAmortyzacji = w.real(11);
    m.StawkaDekapitalizacji = w.real(12);
    m.NormatywZapasu = w.real(13);
    for (int rok = 1; rok <= 3; ++rok)
        for (int j = 1; j <= 3; ++j) m.CenySurowcow[rok][j] = w.real(13 + j);
    for (int i = 1; i <= 3; ++i) {
        m.CzasPrzejsciaProdukcji[i] = w.real(16 + i);
        m.PracochlonnoscProdukcji[i] = w.real(19 + i);
        m.WspolczynnikiPopytuA[i] = w.real(25 + i);
        m.WspolczynnikiPopytuB[i] = w.real(28 + i);
        m.WspolczynnikiKosztuZdolnosci[i] = w.real(32 + i);
    }
    m.WspolczynnikKorygujacy = w.real(32);
    m.OprocentowanieKredytuInwestycyjnego = w.real(36);
    m.OprocentowanieKredytuObrotowego = w.real(37);
    m.OprocentowanieKredytuSanacyjnego = w.real(38);
    m.StawkaSkladekZUS = w.real(39);

    // Parameters fixed in the program.
    m.LiczbaWariantowKredytowanych = 4;
    m.StawkaDodatkowa = 0;
    m.OkresSplatyNaleznosci = 0.12L;
    m.OkresSplatyZobowiazan = 0.12L;
    m.ParametrStaly = 70;
    static const long double normy[3][3] = {{0.7L, 0.1L, 0.2L}, {0.2L, 0.7L, 0.1L}, {0.1L, 0.2L, 0.7L}};
    for (int j = 1; j <= 3; ++j)
        for (int i = 1; i <= 3; ++i) m.NormyZuzyciaSurowcow[j][i] = normy[j - 1][i - 1];

    // Derived values, in this order; one step is 0.02 year and 100 turns a
    // percentage into a fraction.
    m.ZyskBrutto = m.StrataBrutto + m.KorektaZyskuBrutto1 + m.KorektaZyskuBrutto2;
    m.ZyskBruttoPoczatkowy = m.ZyskBrutto;
    m.NarzutNaWynagrodzenia = m.StawkaPodatkuOdWynagrodzen / 100.0L + m.StawkaSkladekZUS / 100.0L;
    m.StawkaAmortyzacjiKroku = m.StawkaAmortyzacji * 0.02L / 100.0L;
    m.StawkaKredytuInwestycyjnegoKroku = m.OprocentowanieKredytuInwestycyjnego * 0.02L / 100.0L;
    m.StawkaKredytuSanacyjnegoKroku = m.OprocentowanieKredytuSanacyjnego * 0.02L / 100.0L;
    m.UdzialPodzialuAmortyzacji = m.NormatywPodzialuAmortyzacji / 100.0L;
    m.StawkaDodatkowaKroku = m.StawkaDodatkowa * 0.02L / 100.0L;
    m.ZyskPoWyplatachNarastajaco = m.OkresSplatyNaleznosci / 100.0L;
    m.UdzialFunduszuMieszkaniowego = m.StawkaFunduszuMieszkaniowego / 100.0L;
    m.ZapasyNaPoczatkuRoku = m.OkresSplatyZobowiazan / 100.0L;
    m.StawkaDekapitalizacjiKroku = m.StawkaDekapitalizacji * 0.02L / 100.0L;
    DomyslneWariantyInwestycji(m);
}

}  // namespace vesk
