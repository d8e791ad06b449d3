#include "SpisDiagnoz.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace vesk {

std::string_view NazwaLinii(std::string_view linia) {
    const std::size_t p = linia.find(": ", 4);
    return p == std::string_view::npos ? std::string_view() : linia.substr(0, p);
}

// A line cut to its bound, in a buffer of its own size.
std::string SpisDiagnoz::Przyciety(const std::string& wiersz) const {
    if (wiersz.size() <= DlugoscWiersza) return wiersz;
    return wiersz.substr(0, DlugoscWiersza - std::strlen(kSandboxCutMark)) + kSandboxCutMark;
}

void SpisDiagnoz::Zmieniona() {
    ++zmiany_;
    scalenie_ = false;
    wstawienia_.clear();
}

SpisDiagnoz& SpisDiagnoz::operator=(const std::vector<std::string>& wiersze) {
    Zastap(wiersze);
    return *this;
}

SpisDiagnoz& SpisDiagnoz::operator=(std::initializer_list<std::string> wiersze) {
    Zastap(std::vector<std::string>(wiersze));
    return *this;
}

void SpisDiagnoz::assign(std::size_t n, const std::string& wiersz) { Zastap(std::vector<std::string>(n, wiersz)); }

void SpisDiagnoz::clear() { Zastap({}); }

bool SpisDiagnoz::Zastap(const std::vector<std::string>& wiersze, const std::function<bool()>& dalej) {
    std::vector<std::string> nowe;
    nowe.reserve(wiersze.size());
    std::unordered_set<std::string> sa;
    std::vector<Odcinek> odcinki;
    std::unordered_map<std::string, std::size_t> ostatni;
    std::size_t bajty = 0;
    for (const std::string& w : wiersze) {
        if (++kroki_ % KrokDalej == 0 && dalej && !dalej()) return false;
        nowe.push_back(Przyciety(w));
        const std::string& l = nowe.back();
        bajty += l.size();
        sa.insert(l);
        const std::string_view nazwa = NazwaLinii(l);
        if (odcinki.empty() || odcinki.back().Nazwa != nazwa) odcinki.push_back({std::string(nazwa), 0});
        ++odcinki.back().Wierszy;
        ostatni[odcinki.back().Nazwa] = odcinki.size() - 1;
    }
    wiersze_ = std::move(nowe);
    sa_ = std::move(sa);
    odcinki_ = std::move(odcinki);
    ostatni_ = std::move(ostatni);
    bajty_ = bajty;
    Zmieniona();
    return true;
}

std::optional<SpisDiagnoz::Dolaczenie> SpisDiagnoz::Dolacz(const std::vector<std::string>& nowe,
                                                             const std::function<bool()>& dalej, bool odNowa) {
    // The new lines, cut, each once and not in the list yet. Their
    // buffer is never reallocated: the views of the set stay good.
    std::vector<std::string> dodawane;
    dodawane.reserve(nowe.size());
    std::unordered_set<std::string_view> widziane;
    std::size_t bajty = 0;
    for (const std::string& w : nowe) {
        if (++kroki_ % KrokDalej == 0 && dalej && !dalej()) return std::nullopt;
        std::string l = Przyciety(w);
        if (sa_.count(l) || widziane.count(l)) continue;
        dodawane.push_back(std::move(l));
        widziane.insert(dodawane.back());
        bajty += dodawane.back().size();
    }
    Dolaczenie wynik;
    if (dodawane.empty()) return wynik;
    if (odNowa && (wiersze_.size() + dodawane.size() > najwiecejWierszy_ || bajty_ + bajty > najwiecejBajtow_) &&
        !wiersze_.empty()) {
        Zastap({});
        wynik.OdNowa = true;
    }
    // Those within the bounds, per stretch of the list they go after (new
    // indicators' stretches at the end).
    std::unordered_map<std::size_t, std::vector<std::string*>> doOdcinka;
    std::vector<std::size_t> odcinki;
    for (std::string& l : dodawane) {
        if (wiersze_.size() + wynik.Dodane >= najwiecejWierszy_ || bajty_ + l.size() > najwiecejBajtow_) {
            ++wynik.Pominiete;
            continue;
        }
        bajty_ += l.size();
        ++wynik.Dodane;
        const std::string_view nazwa = NazwaLinii(l);
        auto [at, nowy] = ostatni_.try_emplace(std::string(nazwa), odcinki_.size());
        if (nowy) odcinki_.push_back({at->first, 0});
        std::vector<std::string*>& linie = doOdcinka[at->second];
        if (linie.empty()) odcinki.push_back(at->second);
        linie.push_back(&l);
    }
    if (wynik.Dodane == 0) return wynik;
    // Each stretch's new lines at its end, from the top of the list down.
    std::sort(odcinki.begin(), odcinki.end());
    std::vector<Blok> bloki;
    std::size_t koniec = 0, odcinek = 0;
    for (const std::size_t o : odcinki) {
        for (; odcinek <= o; ++odcinek) koniec += odcinki_[odcinek].Wierszy;
        std::vector<std::string*>& linie = doOdcinka[o];
        std::vector<std::string> wstawiane;
        wstawiane.reserve(linie.size());
        for (std::string* l : linie) {
            sa_.insert(*l);
            wstawiane.push_back(std::move(*l));
        }
        wiersze_.insert(wiersze_.begin() + static_cast<std::ptrdiff_t>(koniec),
                        std::make_move_iterator(wstawiane.begin()), std::make_move_iterator(wstawiane.end()));
        bloki.push_back({koniec, wstawiane.size()});
        koniec += wstawiane.size();
    }
    for (const std::size_t o : odcinki) odcinki_[o].Wierszy += doOdcinka[o].size();
    const bool poScaleniu = !wynik.OdNowa;
    Zmieniona();
    // A list emptied first is shown anew.
    scalenie_ = poScaleniu;
    wstawienia_ = std::move(bloki);
    return wynik;
}

std::optional<std::vector<SpisDiagnoz::Blok>> SpisDiagnoz::WstawieniaOd(std::uint64_t pokazana) const {
    if (pokazana == zmiany_) return std::vector<Blok>{};
    if (scalenie_ && pokazana + 1 == zmiany_) return wstawienia_;
    return std::nullopt;
}

}  // namespace vesk
