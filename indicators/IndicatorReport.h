// The running report of the indicator window ("<set stem>.<date time>.rap"
// in the operator folder) and the diagnosis file ("<set stem>.txt").
// The report begins with the decisions of the current node, then the set,
// the rule file and the current diagnosis; the window's commands append
// their lines while it runs. Any failure shows one message and leaves the
// report closed.
#pragma once

#include <cstdio>
#include <ctime>
#include <functional>
#include <string>
#include <vector>

#include "UserInterface.h"

namespace vesk {

class IndicatorReport {
public:
    // Writes the decisions report of the current node into a file name;
    // false when it could not.
    using RaportDecyzji = std::function<bool(const std::string& plik)>;
    // The local date and time.
    using Zegar = std::function<std::tm()>;

    IndicatorReport(std::string katalogOperatora, RaportDecyzji raportDecyzji, UserInterface& ui,
                    Zegar zegar = {});
    ~IndicatorReport();
    IndicatorReport(const IndicatorReport&) = delete;
    IndicatorReport& operator=(const IndicatorReport&) = delete;

    // The name a report started at chwila gets: the set file less its
    // extension, the date and time as "yyyy-MM-dd HH-mm-ss", ".rap", in
    // the operator folder.
    std::string NazwaRaportu(const std::string& plikZestawu, const std::tm& chwila) const;

    // Starts a report (a running one is closed first). plikRegul is the
    // rule file found for the indicator, empty for none. A name already in
    // use gets " (2)", " (3)" ... before ".rap". False (with a message,
    // the report closed) when the file cannot be written.
    bool Rozpocznij(const std::string& plikZestawu, const std::string& plikRegul,
                    const std::vector<std::string>& diagnozy);
    // Appends a line while the report runs; a write error closes it with a
    // message. False when nothing was written.
    bool Pisz(const std::string& linia);
    // Appends the diagnosis lines.
    bool DopiszDiagnoze(const std::vector<std::string>& diagnozy);
    // Closes the report once; later calls do nothing.
    void Zamknij();

    bool RaportZamkniety() const { return plik_ == nullptr; }
    const std::string& Plik() const { return nazwa_; }

private:
    bool Blad(const std::string& tekst);

    std::string katalogOperatora_;
    RaportDecyzji raportDecyzji_;
    UserInterface& ui_;
    Zegar zegar_;
    std::FILE* plik_ = nullptr;
    std::string nazwa_;
};

struct Kontekst;
// The decisions report of the current node of k (Raport_DEC_Tworz).
IndicatorReport::RaportDecyzji RaportDecyzjiWezla(Kontekst& k);

// The diagnosis file of a set: the set file's name with "txt" for its last
// three characters, in the operator folder.
std::string PlikDiagnozy(const std::string& katalogOperatora, const std::string& plikZestawu);
// Writes the diagnosis lines there (a temporary file renamed over the old
// one); a message and false on failure.
bool ZapiszDiagnoze(const std::string& katalogOperatora, const std::string& plikZestawu,
                    const std::vector<std::string>& diagnozy, UserInterface& ui);

}  // namespace vesk
