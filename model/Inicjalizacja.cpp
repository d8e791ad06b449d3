#include "Inicjalizacja.h"

#include <algorithm>
#include <iterator>
#include <optional>
#include <utility>

#include "CodePage.h"
#include "Decimal.h"
#include "FileSystem.h"
#include "Paths.h"
#include "Pomocnicze.h"

namespace vesk {

std::string WartoscUstawienia(const std::string& line) {
    auto eq = line.find('=');
    std::string value = eq == std::string::npos ? line : line.substr(eq + 1);
    return UsunSpacjePoczatkowe(UsunSpacjeKoncowe(value));
}

std::vector<std::string> DomyslneUstawienia(const std::string& katalogParametrow,
                                            const std::string& katalogOperatorow,
                                            const std::string& katalogWzorcow) {
    return {
        "[Katalogi]",
        "catPARAMETR       =" + normalizeFolder(katalogParametrow),
        "catOGRAN          =" + normalizeFolder(katalogParametrow),
        "catKARTOPERATORA  =" + normalizeFolder(katalogOperatorow),
        "catTABWZOR        =" + normalizeFolder(katalogWzorcow),
    };
}

namespace {

// The settings file's lines in their order: its section, then its folders.
constexpr const char* kWierszeUstawien[] = {"[Katalogi]", "catPARAMETR", "catOGRAN", "catKARTOPERATORA", "catTABWZOR"};

// The first line of the settings file that cannot be what its place asks
// for ("[Katalogi]", then "catPARAMETR=folder" and so on; lines missing at
// the end are allowed): its number from 1 and what it should hold; nothing
// when every line is usable.
std::optional<std::pair<std::size_t, std::string>> blednyWierszUstawien(const std::vector<std::string>& lines) {
    const auto& klucze = kWierszeUstawien;
    for (std::size_t i = 0; i < lines.size() && i < std::size(klucze); ++i) {
        const std::string& l = lines[i];
        const bool sterujace = std::any_of(l.begin(), l.end(), [](char c) {
            return static_cast<unsigned char>(c) < 0x20 && c != '\t';
        });
        const auto eq = l.find('=');
        const std::string klucz = UsunSpacjePoczatkowe(UsunSpacjeKoncowe(i == 0 ? l : l.substr(0, eq)));
        if (sterujace || (i > 0 && eq == std::string::npos) || !equalNoCaseCp1250(klucz, klucze[i]))
            return std::pair{i + 1, i == 0 ? std::string(klucze[0]) : std::string(klucze[i]) + "=folder"};
    }
    return std::nullopt;
}

// A folder line read as UTF-8 (one textFileToCp1250 changed: `odczytane`
// are the lines it gave) of a settings file (`surowe`, its lines as
// written) whose folder code page 1250 cannot spell, which the conversion
// would turn into another folder of "?": the refusal naming the line;
// empty when every folder can be spelt.
std::string niezapisywalnyFolder(const std::string& ini, const std::vector<std::string>& surowe,
                                 const std::vector<std::string>& odczytane) {
    for (std::size_t i = 1; i < surowe.size() && i < odczytane.size() && i < std::size(kWierszeUstawien); ++i) {
        const std::string folder = WartoscUstawienia(surowe[i]);
        if (fileNameToCp1250(folder) || odczytane[i] == surowe[i]) continue;
        return unusableFolderMessage(folder,
                                     "plik ustawie\xF1 " + ini + ", wiersz " + std::to_string(i + 1) + ": " +
                                         kWierszeUstawien[i],
                                     "nale\xBFy wpisa\xE6 w tym wierszu folder o nazwie ze znak\xF3w strony kodowej 1250 "
                                     "(np. polskich liter) albo zmieni\xE6 nazw\xEA folderu");
    }
    return {};
}

}  // namespace

std::string ZrodloKataloguOperatorow(const Kontekst& k) {
    return "plik ustawie\xF1 " + joinPath(k.KatalogRoboczy.empty() ? currentFolder() : k.KatalogRoboczy, PlikUstawien) +
           ", wiersz 4: " + kWierszeUstawien[3];
}

void UstawFlagiWynikow(Kontekst& k, bool value) { k.FlagiWynikow.UstawWszystkie(value); }

bool Inicjalizacja(Kontekst& k) {
    k.ModelZainicjowany = true;
    k.NazwaPlikuStanu.clear();

    // The core is put back into the state with no operator open whatever
    // happens to the settings file below.
    k.NumerWezla = 0;
    k.RokWezla = -999;
    k.ZnacznikWezla = 0;
    UstawFlagiWynikow(k, true);
    k.TabelaWezlow.Oproznij();
    k.ZespolZapasowy.Oproznij();

    const std::string ini = joinPath(k.KatalogRoboczy, PlikUstawien);
    const bool jestIni = IstniejePlik(ini);
    // Defaults are written only where there is surely nothing: a look that
    // could not tell, a pipe, a device, a folder is refused for what it is.
    const std::string rodzaj = jestIni ? std::string() : lookupError() ? fileErrorText(lookupError()) : fileKindText(ini);
    if (!rodzaj.empty()) {
        k.Okna->message("Plik ustawie\xF1 " + ini + " nie daje si\xEA odczyta\xE6: " + rodzaj +
                        " - nic nie zosta\xB3o zmienione");
        return false;
    }
    if (!jestIni) {
        // The user's folder from the environment goes into the new file
        // only when a core path can spell it.
        if (!k.DomyslneKatalogi.BladOperatorow.empty()) {
            k.Okna->message(k.DomyslneKatalogi.BladOperatorow + " (plik ustawie\xF1 " + ini + " nie zosta\xB3 utworzony)");
            return false;
        }
        if (!writeTextLines(ini,
                            DomyslneUstawienia(k.DomyslneKatalogi.Parametry, k.DomyslneKatalogi.Operatorzy,
                                               k.DomyslneKatalogi.Wzorce),
                            true)) {
            k.Okna->message(withFileError("Nie mo\xBFna utworzy\xE6 pliku ustawie\xF1 " + ini));
            return false;
        }
        // The default settings point at the user's operator folder: it is
        // made with them, so that the first operator can be written there.
        createFolders(k.DomyslneKatalogi.Operatorzy);
    }
    // Written by a Linux editor the settings are UTF-8; the core's folder
    // names are code page 1250, as the program writes them.
    std::optional<std::vector<std::string>> lines;
    std::optional<std::string> bajty;
    {
        BinaryFile plik;
        if (plik.open(ini, BinaryFile::Mode::Read)) bajty = plik.readRest(LongestSettingsFile);
        if (bajty) lines = splitTextLines(textFileToCp1250(*bajty));
    }
    if (!lines) {
        k.Okna->message(withFileError("Nie mo\xBFna odczyta\xE6 pliku ustawie\xF1 " + ini) + " !");
        return false;
    }
    // Read as code page 1250, a byte that page gives no character is no
    // letter of a folder's name.
    for (std::size_t i = 0; i < lines->size(); ++i)
        if (const std::size_t at = firstUnusedCp1250Byte((*lines)[i]); at != std::string::npos) {
            // "ma bajt \x83, któremu strona kodowa 1250 nie przypisuje znaku - zapisz go w UTF-8 ..."
            k.Okna->message("Plik ustawie\xF1 " + ini + ", wiersz " + std::to_string(i + 1) + " (" +
                            readableCp1250Start((*lines)[i], 100) + ") ma bajt " +
                            readableCp1250Start(std::string_view((*lines)[i]).substr(at, 1), 1) +
                            ", kt\xF3remu strona kodowa 1250 nie przypisuje znaku - zapisz go w UTF-8 lub w stronie "
                            "kodowej 1250 !");
            return false;
        }
    if (auto zly = blednyWierszUstawien(*lines)) {
        k.Okna->message("Plik ustawie\xF1 " + ini + ", wiersz " + std::to_string(zly->first) +
                        ": uszkodzony, oczekiwano " + zly->second + " !");
        return false;
    }
    // Read as UTF-8 (the text changed by the conversion): its folders as
    // written must be ones code page 1250 spells.
    if (textFileToCp1250(*bajty) != *bajty) {
        if (std::string blad = niezapisywalnyFolder(ini, splitTextLines(*bajty), *lines); !blad.empty()) {
            k.Okna->message(blad);
            return false;
        }
    }
    auto value = [&](std::size_t i) {
        return i < lines->size() ? normalizeFolder(WartoscUstawienia((*lines)[i])) : std::string();
    };
    k.catPARAMETR = value(1);
    k.catOGRAN = value(2);
    k.catKARTOPERATORA = value(3);
    k.catTABWZOR = value(4);

    const bool katalog = !k.catKARTOPERATORA.empty() && folderExists(k.catKARTOPERATORA);
    if (!katalog && lookupError()) {
        k.Okna->message(unreadableText("Folder " + k.catKARTOPERATORA + " (" + ZrodloKataloguOperatorow(k) + ")"));
        return false;
    }
    if (katalog)
        k.KatalogOperatora = k.catKARTOPERATORA;
    else
        k.KatalogOperatora = FolderRoboczy(k);
    return true;
}

namespace {

bool liczba(const std::string& field, Real& out) {
    std::optional<long double> v = parseDecimal(UsunSpacjePoczatkowe(UsunSpacjeKoncowe(field)));
    if (!v) return false;
    try {
        out = *v;
    } catch (const Real48Error&) {
        return false;
    }
    return true;
}

// Splits a constraint line into its "#"-ended fields; a field without its
// closing "#" is not a field.
std::vector<std::string> pola(const std::string& line) {
    std::vector<std::string> result;
    std::string::size_type start = 0;
    while (true) {
        auto hash = line.find('#', start);
        if (hash == std::string::npos) break;
        result.push_back(line.substr(start, hash - start));
        start = hash + 1;
    }
    return result;
}

}  // namespace

bool WczytajOgraniczenia(Kontekst& k) {
    const std::string path = k.catOGRAN + PlikOgraniczen;
    auto lines = readTextLines(path, LongestSettingsFile);
    if (!lines) {
        // Told missing only when nothing is there; else what is there.
        const std::string blad = lastFileError();
        k.Okna->message("Zbior " + path + (surelyMissing(path) ? " nie istnieje !" : ": " + blad));
        k.Okna->endProgram(1);
        return false;
    }
    if (lines->size() < 50) {
        k.Okna->message("Zbior " + path + " jest niepelny !");
        k.Okna->endProgram(1);
        return false;
    }
    Tab<rec_OGR, 1, 50> tabela;
    for (int i = 1; i <= 50; ++i) {
        std::vector<std::string> f = pola((*lines)[static_cast<std::size_t>(i - 1)]);
        rec_OGR& r = tabela[i];
        if (f.size() >= 2) r.Nazwa = f[1];
        // A limit that is not a number (or lacks its "#") stays 0.
        if (f.size() >= 3) liczba(f[2], r.Granice[1]);
        if (f.size() >= 4) liczba(f[3], r.Granice[2]);
    }
    k.Ograniczenia = tabela;
    return true;
}

}  // namespace vesk
