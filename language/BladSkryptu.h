// The one error of the command language. A fault in a command line stops
// the command file that holds it, never the program: the operation that
// finds the fault throws BladSkryptu with the reason, and the executor,
// which knows where the line came from, adds the file, the line number and
// the line's text before it reports the fault and ends the run.
#pragma once

#include <stdexcept>
#include <string>

namespace vesk {

class BladSkryptu : public std::runtime_error {
public:
    enum class Rodzaj {
        NumerZmiennej,      // a variable number outside 1..100 ("x0", "x101", "xa")
        NieLiczba,          // a text where a number is needed is not one
        PozaZakresem,       // a number the variable or the 6-byte real cannot hold
        BrakMiejscaNaNazwe, // a declaration when all 100 names are taken
        PlikStanu,          // the operator's model-state file cannot be read
        BrakOperandu,       // a word the command needs is missing
        Arytmetyka,         // division by zero, logarithm of 0 or less
        Sterowanie,         // depth over 10 or below 0, "call" on the last level
        BrakWezla,          // no node of that number or at that position
        Odmowa,             // the workbench refused the operation
        Plik,               // a command or report file cannot be read or written
        Wykonanie,          // any other fault met while the line ran
    };

    BladSkryptu(Rodzaj rodzaj, const std::string& powod);

    Rodzaj rodzaj() const { return rodzaj_; }
    // The reason alone, without the place.
    const std::string& powod() const { return powod_; }

    // Where the fault was met: the command file, the line number (from 1)
    // and the line's text. what() then reads "file:line: reason".
    void UstawMiejsce(const std::string& plik, int numerWiersza, const std::string& wiersz);
    const std::string& plik() const { return plik_; }
    int numerWiersza() const { return numerWiersza_; }
    const std::string& wiersz() const { return wiersz_; }
    // A fault of the run as a whole, met after its last line (the report
    // file that cannot be put in place at its end): no place is set, and it
    // is told without one.
    void BezMiejsca() { bezMiejsca_ = true; }
    bool bezMiejsca() const { return bezMiejsca_; }

    const char* what() const noexcept override;

private:
    Rodzaj rodzaj_;
    std::string powod_;
    std::string plik_;
    int numerWiersza_ = 0;
    std::string wiersz_;
    std::string opis_;
    bool bezMiejsca_ = false;
};

}  // namespace vesk
