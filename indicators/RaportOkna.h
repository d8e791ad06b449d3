// The running report of the indicator window as the window sees it: the
// check box "RaportowanieDoPliku" with its two captions, the menu item for
// appending the diagnosis (shown while a report runs), the lines the
// window's commands append. A report that cannot be written shows one
// message and ends: the box is unchecked and the work goes on.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "IndicatorReport.h"

namespace vesk {

struct Kontekst;

// The caption of the report box: how to start a report, or how to end it.
std::string PodpisRaportowania(bool dziala);

// The three lines a choice of indicator nazwa writes into a running report:
// the rule base taken (plikRegul), or the one missing, framed by 80 "-".
std::vector<std::string> LinieBazyRegul(const std::string& katalogOperatora, const std::string& nazwaZestawu,
                                        const std::string& nazwa, const std::optional<std::string>& plikRegul);

class RaportOkna {
public:
    explicit RaportOkna(Kontekst& k);
    ~RaportOkna();

    // Where the decisions of the current node come from and what the clock
    // says; tests replace them.
    IndicatorReport::RaportDecyzji RaportDecyzji;
    IndicatorReport::Zegar Zegar;

    // Starts a report in the folder of the operator's statements
    // (FolderSprawozdan; one running is ended first);
    // false, the box unchecked, when the file cannot be written.
    bool Rozpocznij(const std::string& plikZestawu, const std::string& plikRegul,
                    const std::vector<std::string>& diagnozy);
    // Ends the report; the file is closed once.
    void Zakoncz();
    // Appends lines while a report runs; a write error ends the report.
    bool Pisz(const std::vector<std::string>& linie);

    bool Dziala() const { return raport_ && !raport_->RaportZamkniety(); }
    std::string Podpis() const { return PodpisRaportowania(Dziala()); }
    bool WpisWidoczny() const { return Dziala(); }
    // The file of the last report started; empty before the first.
    const std::string& Plik() const { return plik_; }

private:
    Kontekst& k_;
    std::unique_ptr<IndicatorReport> raport_;
    std::string plik_;
};

}  // namespace vesk
