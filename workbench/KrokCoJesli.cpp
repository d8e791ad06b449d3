// The what-if step: the selected leaf S is replaced by a simulated sibling
// C carrying S's decisions with one parameter changed.
#include "KrokCoJesli.h"

#include <cmath>
#include <exception>
#include <memory>

#include "HarmonogramInwestycji.h"
#include "PlikStanu.h"
#include "Real48.h"
#include "Teksty.h"
#include "Warsztat.h"

namespace vesk {

std::optional<MiejsceParametruDecyzji> PoleParametruDecyzji(int k) {
    if (k < 1 || k > LiczbaParametrowDecyzji) return std::nullopt;
    if (k >= 37) return MiejsceParametruDecyzji{static_cast<std::size_t>(3024 + 24 * (k - 37)), 1, true};
    if (k <= 9)  // price of product p, year y: k = 1 + 3p + y
        return MiejsceParametruDecyzji{static_cast<std::size_t>(2840 + 18 * ((k - 1) % 3) + 6 * ((k - 1) / 3)), 1000, false};
    if (k <= 18)  // production order
        return MiejsceParametruDecyzji{static_cast<std::size_t>(2784 + 18 * ((k - 10) % 3) + 6 * ((k - 10) / 3)), 1, false};
    if (k <= 27)  // raw-material order
        return MiejsceParametruDecyzji{static_cast<std::size_t>(2896 + 18 * ((k - 19) % 3) + 6 * ((k - 19) / 3)), 1, false};
    if (k <= 30) return MiejsceParametruDecyzji{static_cast<std::size_t>(2952 + 6 * (k - 28)), 100, false};
    if (k <= 33) return MiejsceParametruDecyzji{static_cast<std::size_t>(2976 + 6 * (k - 31)), 100, false};
    return MiejsceParametruDecyzji{static_cast<std::size_t>(3000 + 6 * (k - 34)), 1, false};
}

bool UstawParametrDecyzji(StanModelu& rekord, int k, long double v) {
    const std::optional<MiejsceParametruDecyzji> pole = PoleParametruDecyzji(k);
    if (!pole) return true;
    if (pole->Kod) {
        const long double kod = std::round(v);
        if (!(kod >= 0 && kod <= 8)) return false;
        rekord.bajty[pole->Offset] = static_cast<std::uint8_t>(kod);
        return true;
    }
    try {
        rekord.zapis().setReal48(pole->Offset, roundToReal48(v / pole->Dzielnik));
    } catch (const std::exception&) {
        return false;
    }
    return true;
}

std::optional<int> Warsztat::OO(int wezel, int parametr, long double v) {
    const int s = Drzewo.Znajdz(wezel);
    if (s < 0 || !WolnoZmieniac()) return std::nullopt;
    // Everything that can be refused is refused before the files change.
    if (Drzewo.MaDzieci(s) || wezel <= 0) {
        komunikat(teksty::MaPotomkow);
        return std::nullopt;
    }
    {
        auto proba = std::make_unique<StanModelu>();
        if (!UstawParametrDecyzji(*proba, parametr, v)) {
            komunikat("Parametr " + std::to_string(parametr) + ": warto\x9C\xE6 poza zakresem");
            return std::nullopt;
        }
    }
    // One operation for a kill: until S is deleted, the next open takes
    // back what the step added (PlikStanu.h). Here, whichever way the step
    // ends, the intent goes.
    const std::string stan = SciezkaPlikuStanu(k);
    if (!ZapiszZamiar(stan, wezel)) {
        bladZapisu("Nie uda\xB3o si\xEA zapisa\xE6 pliku " + stan + ".krok");
        return std::nullopt;
    }
    const std::unique_ptr<const std::string, void (*)(const std::string*)> zamiar(&stan, [](const std::string* p) {
        UsunZamiar(*p);
    });
    Wybierz(Drzewo.Rodzic(s));
    Bazowy1Click();
    WybierzWezel(wezel);
    WyborWezlaDoEdycji();
    if (!Polecenia.dodanieweza1) return std::nullopt;
    Polecenia.OkienkoBazowe = true;
    if (!Dodajemy_Wezel()) return std::nullopt;
    const int c = *Wybrany;

    // C's record as the add wrote it, with the parameter changed.
    const std::string plik = SciezkaPlikuStanu(k);
    auto rec = std::make_unique<StanModelu>();
    bool ok = false;
    setLastFileError(0);
    try {
        ok = ZnajdzStanModelu(k, plik, static_cast<std::uint8_t>(c), *rec) &&
             UstawParametrDecyzji(*rec, parametr, v) && ZbudujHarmonogramInwestycji(k, *rec) &&
             ZapiszStanModelu(k, *rec, k.NumerWezla, k.RokWezla, k.ZnacznikWezla);
    } catch (const std::exception& e) {
        komunikat(e.what());
        ZapiszDrzewo();
        return std::nullopt;
    }
    if (!ok) {
        bladZapisu("Nie uda\xB3o si\xEA zapisa\xE6 w\xEAz\xB3" "a " + std::to_string(c) + " do pliku " + plik);
        ZapiszDrzewo();
        return std::nullopt;
    }
    // Simulated before S goes: a failure keeps S.
    if (!Symulowanie(c)) return std::nullopt;
    if (!KasowanieWezla(wezel)) return std::nullopt;
    WybierzWezel(c);
    Zmiana_wezla();
    ZapiszDrzewo();
    return c;
}

}  // namespace vesk
