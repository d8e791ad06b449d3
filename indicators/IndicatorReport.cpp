#include "IndicatorReport.h"

#include "Kontekst.h"

#include <fcntl.h>
#include <unistd.h>

#include <utility>

#include "FileSystem.h"
#include "RaportDEC.h"

namespace vesk {

namespace {

std::string NazwaPoSeparatorze(const std::string& s) {
    const auto p = s.find_last_of("\\/");
    return p == std::string::npos ? s : s.substr(p + 1);
}

// A file name made of a workbook name: "/", "\" and ":" become "_".
std::string BezZnakowSciezki(std::string s) {
    for (char& c : s)
        if (c == '/' || c == '\\' || c == ':') c = '_';
    return s;
}

std::string BezOstatnich(const std::string& s, std::size_t n) { return s.size() < n ? std::string() : s.substr(0, s.size() - n); }

std::tm Teraz() {
    const std::time_t t = std::time(nullptr);
    std::tm wynik{};
    localtime_r(&t, &wynik);
    return wynik;
}

const std::string kKreska(80, '-');

}  // namespace

IndicatorReport::IndicatorReport(std::string katalogOperatora, RaportDecyzji raportDecyzji, UserInterface& ui,
                                 Zegar zegar)
    : katalogOperatora_(std::move(katalogOperatora)),
      raportDecyzji_(std::move(raportDecyzji)),
      ui_(ui),
      zegar_(zegar ? std::move(zegar) : Zegar(Teraz)) {}

IndicatorReport::~IndicatorReport() {
    if (plik_) std::fclose(plik_);
}

std::string IndicatorReport::NazwaRaportu(const std::string& plikZestawu, const std::tm& c) const {
    char czas[64];
    std::snprintf(czas, sizeof czas, "%04d-%02d-%02d %02d-%02d-%02d", c.tm_year + 1900, c.tm_mon + 1, c.tm_mday,
                  c.tm_hour, c.tm_min, c.tm_sec);
    return katalogOperatora_ + BezZnakowSciezki(NazwaPoSeparatorze(BezOstatnich(plikZestawu, 3)) + czas) + ".rap";
}

bool IndicatorReport::Blad(const std::string& tekst) {
    if (plik_) std::fclose(plik_);
    plik_ = nullptr;
    ui_.message(tekst);
    return false;
}

bool IndicatorReport::Rozpocznij(const std::string& plikZestawu, const std::string& plikRegul,
                                 const std::vector<std::string>& diagnozy) {
    Zamknij();
    const std::string podstawa = NazwaRaportu(plikZestawu, zegar_());
    // The report is a file made new: a name anything has (a file, a link,
    // a pipe) is passed over for the next one; any other failure is told.
    // Names are taken as spelt: one of another spelling is another file.
    std::string nazwa = podstawa;
    int fd = -1;
    {
        const ExactFileNames wPisowni;
        fd = createNewFile(nazwa, O_WRONLY | O_APPEND);
        for (int n = 2; fd < 0 && n < 1000; ++n) {
            const std::string powod = lastFileError();
            if (surelyMissing(nazwa)) return Blad("Nie mo\xBFna utworzy\xE6 pliku raportu " + nazwa + ": " + powod);
            nazwa = BezOstatnich(podstawa, 4) + " (" + std::to_string(n) + ").rap";
            fd = createNewFile(nazwa, O_WRONLY | O_APPEND);
        }
    }
    nazwa_ = nazwa;
    if (fd < 0) return Blad(withFileError("Nie mo\xBFna utworzy\xE6 pliku raportu " + nazwa));
    // The decisions report takes the place of the file made here, by a
    // file of its own; the report goes on in that one.
    const bool decyzje = raportDecyzji_ && raportDecyzji_(nazwa);
    if (decyzje) {
        ::close(fd);
        fd = reopenOwnFile(nazwa, O_WRONLY | O_APPEND);
        if (fd < 0) return Blad(withFileError("Nie mo\xBFna dopisa\xE6 do pliku raportu " + nazwa));
    }
    plik_ = ::fdopen(fd, "ab");
    if (!plik_) {
        ::close(fd);
        return Blad(withFileError("Nie mo\xBFna utworzy\xE6 pliku raportu " + nazwa));
    }
    if (!decyzje && !Pisz("Nie utworzono raportu zmiennych decyzyjnych")) return false;
    if (!Pisz("") || !Pisz(kKreska) || !Pisz("Korzystam z bazy wska\x9Fnik\xF3w: " + plikZestawu) || !Pisz(kKreska))
        return false;
    if (!plikRegul.empty() && !Pisz("korzystam z bazy regu\xB3: " + plikRegul)) return false;
    return DopiszDiagnoze(diagnozy);
}

bool IndicatorReport::Pisz(const std::string& linia) {
    if (!plik_) return false;
    const std::string l = linia + "\r\n";
    if (std::fwrite(l.data(), 1, l.size(), plik_) != l.size() || std::fflush(plik_) != 0)
        return Blad("B\xB3\xB9" "d zapisu pliku raportu " + nazwa_ + "; raport zamkni\xEAto");
    return true;
}

bool IndicatorReport::DopiszDiagnoze(const std::vector<std::string>& diagnozy) {
    for (const auto& l : diagnozy)
        if (!Pisz(l)) return false;
    return !RaportZamkniety();
}

void IndicatorReport::Zamknij() {
    if (!plik_) return;
    const bool dobrze = std::fclose(plik_) == 0;
    plik_ = nullptr;
    if (!dobrze) ui_.message("B\xB3\xB9" "d zapisu pliku raportu " + nazwa_);
}

IndicatorReport::RaportDecyzji RaportDecyzjiWezla(Kontekst& k) {
    // The header names the node whose decisions follow: the current record,
    // not the node a simulation last wrote.
    return [&k](const std::string& plik) {
        struct Przywroc {
            Kontekst& k;
            std::uint8_t numer;
            ~Przywroc() { k.NumerWezla = numer; }
        } przywroc{k, k.NumerWezla};
        k.NumerWezla = static_cast<std::uint8_t>(k.RekordBiezacy.Numer());
        return Raport_DEC_Tworz(k, plik);
    };
}

std::string PlikDiagnozy(const std::string& katalogOperatora, const std::string& plikZestawu) {
    return katalogOperatora + BezZnakowSciezki(NazwaPoSeparatorze(BezOstatnich(plikZestawu, 3) + "txt"));
}

bool ZapiszDiagnoze(const std::string& katalogOperatora, const std::string& plikZestawu,
                    const std::vector<std::string>& diagnozy, UserInterface& ui) {
    std::string tresc;
    for (const auto& l : diagnozy) tresc += l + "\r\n";
    const std::string plik = PlikDiagnozy(katalogOperatora, plikZestawu);
    if (!replaceFileAsSpelt(plik, tresc)) {
        ui.message("Nie mo\xBFna zapisa\xE6 pliku " + plik);
        return false;
    }
    ui.message("Zapisano diagnoz\xEA do pliku " + plik);
    return true;
}

}  // namespace vesk
