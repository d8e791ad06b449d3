#include "Powloka.h"

#include "FileSystem.h"
#include "Inicjalizacja.h"
#include "Paths.h"
#include "Rtf.h"
#include "SzablonRaportu.h"
#include "TekstyOkien.h"
#include "Zakresy.h"

#ifndef VESK_PROGRAM_DIR
#define VESK_PROGRAM_DIR "data/PROGRAM/"
#endif

namespace vesk {

std::string KatalogProgramuDomyslny() { return normalizeFolder(VESK_PROGRAM_DIR); }

std::string PlikStartowyZParametrow(const std::vector<std::string>& parametry) {
    if (parametry.empty()) return {};
    const std::string& p = parametry[0];
    if (p.size() >= 2 && p[0] == '/' && p[1] == 'f') return parametry.size() >= 2 ? parametry[1] : std::string();
    return {};
}

std::string UtworzenieOknaGlownego(Kontekst& k, StanPowloki& s, const std::vector<std::string>& parametry,
                                   const std::string& katalogProgramu) {
    k.LiczbaPunktowWykresu = 3;
    s.StartOdrzucony = !Inicjalizacja(k);
    k.DopisekTytulu = cp1250(tekst::DopisekTytulu);
    s.ZnacznikWsadowy = fileExists(joinPath(k.KatalogRoboczy, tekst::ZnacznikWsadowy));
    std::string tytul = std::string(tekst::TytulProjektu) + ": " + k.DopisekTytulu + " ";
    // A refused start-up reads nothing more: its one refusal is all that is said.
    if (!s.StartOdrzucony) WczytajZakresy(k, joinPath(k.KatalogRoboczy, PlikZakresow));
    k.FlagaPracy = false;
    k.PlikStartowy = PlikStartowyZParametrow(parametry);
    k.KatalogProgramu = katalogProgramu;
    s.OknoGlowneUtworzone = true;
    return tytul;
}

SkutekPokazania PokazanieOknaGlownego(Kontekst& k, StanPowloki& s) {
    if (s.OknoGlownePokazane) return {};
    s.OknoGlownePokazane = true;
    if (s.StartOdrzucony || !Inicjalizacja(k)) {
        k.Okna->endProgram(1);
        return {false, false};
    }
    if (!WczytajOgraniczenia(k)) return {false, false};
    return {true, !k.PlikStartowy.empty()};
}

std::optional<std::string> TekstOpisuJezyka(Kontekst& k) {
    const std::string sciezka = joinPath(k.KatalogProgramu, tekst::PlikOpisuJezyka);
    BinaryFile plik;
    std::optional<std::string> rtf;
    if (plik.open(sciezka, BinaryFile::Mode::Read)) rtf = plik.readRest(LongestTemplate);
    if (!rtf) {
        k.Okna->message("Nie mo\xBFna odczyta\xE6 pliku " + sciezka + " !");
        return std::nullopt;
    }
    return rtfToHtml(*rtf);
}

std::string TekstPodpowiedzi(const Kontekst& k) {
    const std::string sciezka = joinPath(k.KatalogRoboczy, tekst::PlikPodpowiedzi);
    BinaryFile plik;
    std::optional<std::string> rtf;
    if (plik.open(sciezka, BinaryFile::Mode::Read)) rtf = plik.readRest(LongestTemplate);
    if (rtf) return rtfToHtml(*rtf);
    // None there: no hints. Else what could not be read and why, in the
    // tab that would show it.
    const std::string powod = lastFileError();
    if (surelyMissing(sciezka)) return {};
    return "<p>" + TekstHTML("Nie mo\xBFna odczyta\xE6 pliku podpowiedzi " + sciezka + ": " + powod) + "</p>";
}

SkutekOK PrzyciskOK(Kontekst& k, StanPowloki& s) {
    k.TrybWsadowy = false;
    k.NazwaOperatoraWsadowego.clear();
    k.WidokPowiekszony = true;
    if (!s.PierwszeOK) return SkutekOK::PonownePokazanie;
    s.PierwszeOK = false;
    return SkutekOK::PierwszeUruchomienie;
}

std::string TekstOkienkaStartowego(const StanPowloki& s, const Kontekst& k, const std::string& otwarty) {
    std::string t = cp1250(
        "Wydanie dla systemu Linux. Operator to nazwany scenariusz: drzewo decyzji przedsiębiorstwa, "
        "którego węzły obejmują trzyletnie okresy. Przycisk \"OK\" ");
    if (s.PierwszeOK && !k.PlikStartowy.empty())
        return t + cp1250("otwiera okno główne z operatorem ") + k.PlikStartowy +
               cp1250(" (gdy go nie można otworzyć, zakłada nowego operatora).");
    if (s.PierwszeOK) return t + cp1250("otwiera okno główne i zakłada nowego operatora.");
    if (!otwarty.empty()) return t + cp1250("przywraca okno główne z otwartym operatorem ") + otwarty + ".";
    return t + cp1250("przywraca okno główne; żaden operator nie jest otwarty.");
}

bool PytanieOZakonczenieProgramu(UserInterface& ui) { return ui.question(cp1250(tekst::PytanieKoniec)); }

void KoniecProgramu(UserInterface& ui) {
    ui.message(cp1250(tekst::Podziekowanie));
    ui.endProgram(0);
}

bool ZakonczenieProgramu(UserInterface& ui) {
    if (!PytanieOZakonczenieProgramu(ui)) return false;
    KoniecProgramu(ui);
    return true;
}

void KlawiszOknaGlownego(Kontekst& k, char znak) {
    k.FlagaPracy = false;
    k.Okna->message(std::string(1, znak) + tekst::KlawiszWcisniety);
}

void EscOknaGlownego(const Kontekst& k) {
    k.Okna->message(tekst::PrzerwanieWydruku);
    if (k.FlagaPracy) k.Okna->message(tekst::PrzerwanieWydruku);
}

std::string TytulPrzyciskuInformacji() {
    return cp1250("Informacja o programie:") + "\n" + cp1250(tekst::Wersja);
}

}  // namespace vesk
