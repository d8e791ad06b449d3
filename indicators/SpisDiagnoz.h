// The diagnosis lines of the indicator window ("==> name: ..."), kept
// for merging: a line already there is not repeated, the lines of one
// indicator stay together (new ones after its last line), the indicators
// in the order they first appear. The list is bounded in lines and bytes,
// and each line is cut (with kSandboxCutMark) to DlugoscWiersza bytes.
//
// A merge costs time in proportion to the lines it is given, not to the
// list: the list keeps its own index of the lines it holds and of where
// each indicator's lines end. The window learns what a merge inserted and
// where, so it need not show the whole list again.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "TClipsSandbox.h"

namespace vesk {

// Long work on diagnosis lines asks whether to go on every KrokDalej lines.
constexpr std::size_t KrokDalej = 1024;

class SpisDiagnoz {
public:
    static constexpr std::size_t DlugoscWiersza = kSandboxLogLine;
    static constexpr std::size_t NajwiecejWierszy = 100000;
    static constexpr std::size_t NajwiecejBajtow = std::size_t(8) << 20;

    explicit SpisDiagnoz(std::size_t wierszy = NajwiecejWierszy, std::size_t bajtow = NajwiecejBajtow)
        : najwiecejWierszy_(wierszy), najwiecejBajtow_(bajtow) {}
    // The list becomes these lines as they are (cut to their bound).
    SpisDiagnoz& operator=(const std::vector<std::string>& wiersze);
    SpisDiagnoz& operator=(std::initializer_list<std::string> wiersze);
    void assign(std::size_t n, const std::string& wiersz);
    void clear();
    // The same, asking dalej every KrokDalej lines; false, the list as it
    // was, when it says to stop.
    bool Zastap(const std::vector<std::string>& wiersze, const std::function<bool()>& dalej = {});

    struct Dolaczenie {
        std::size_t Dodane = 0;
        std::size_t Pominiete = 0;  // new lines left out beyond the bounds
        bool OdNowa = false;        // the earlier lines went to make room
    };
    // Adds the lines, asking dalej every KrokDalej of them; nothing, the
    // list as it was, when it says to stop. With odNowa a list the new
    // lines would push past a bound is emptied first; past the bounds the
    // rest of the new lines are left out and counted.
    std::optional<Dolaczenie> Dolacz(const std::vector<std::string>& nowe, const std::function<bool()>& dalej = {},
                                     bool odNowa = false);

    const std::vector<std::string>& Wiersze() const { return wiersze_; }
    operator const std::vector<std::string>&() const { return wiersze_; }
    using value_type = std::string;
    using const_iterator = std::vector<std::string>::const_iterator;
    using iterator = const_iterator;
    const_iterator begin() const { return wiersze_.begin(); }
    const_iterator end() const { return wiersze_.end(); }
    std::size_t size() const { return wiersze_.size(); }
    bool empty() const { return wiersze_.empty(); }
    const std::string& operator[](std::size_t i) const { return wiersze_[i]; }
    friend bool operator==(const SpisDiagnoz& a, const std::vector<std::string>& b) { return a.wiersze_ == b; }
    std::size_t Bajty() const { return bajty_; }
    std::size_t NajwiecejWierszyListy() const { return najwiecejWierszy_; }
    std::size_t NajwiecejBajtowListy() const { return najwiecejBajtow_; }

    // Counts every change, so a window knows when to show the list again.
    std::uint64_t Zmiany() const { return zmiany_; }
    // Rows inserted at once: Ile lines from row Wiersz of the list after it.
    struct Blok {
        std::size_t Wiersz = 0, Ile = 0;
        bool operator==(const Blok&) const = default;
    };
    // What a window showing the list as it was at change `pokazana` is to
    // insert (in this order) to show it as it is: nothing when the change
    // since then was not one merge, and the whole list is to be shown.
    std::optional<std::vector<Blok>> WstawieniaOd(std::uint64_t pokazana) const;
    // Lines looked at by merges and replacements so far: a measure of
    // their work.
    std::uint64_t Kroki() const { return kroki_; }

private:
    // A stretch of the list's lines of one indicator.
    struct Odcinek {
        std::string Nazwa;
        std::size_t Wierszy = 0;
    };
    std::string Przyciety(const std::string& wiersz) const;
    void Zmieniona();

    std::size_t najwiecejWierszy_ = NajwiecejWierszy, najwiecejBajtow_ = NajwiecejBajtow;
    std::vector<std::string> wiersze_;
    std::size_t bajty_ = 0;
    std::unordered_set<std::string> sa_;
    std::vector<Odcinek> odcinki_;
    std::unordered_map<std::string, std::size_t> ostatni_;  // indicator: its last stretch
    std::uint64_t zmiany_ = 0, kroki_ = 0;
    std::vector<Blok> wstawienia_;  // of the last change, when a merge
    bool scalenie_ = false;
};

// The indicator of a line "==> name: ...".
std::string_view NazwaLinii(std::string_view linia);

}  // namespace vesk
