// Report templates from outside: the first byte chooses which template of
// the shipped set the rest of the input replaces; every report of a
// simulated operator is then written. Never a crash or an escaping error.
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "FuzzFolder.h"
#include "Inicjalizacja.h"
#include "Kontekst.h"
#include "OperacjeWezlow.h"
#include "RaportBIK.h"
#include "RaportPRF.h"
#include "RaportPRO.h"
#include "RaportRAW.h"
#include "RaportSRE.h"
#include "RaportZAO.h"

namespace {

const char* const kSzablony[] = {"QAD.BIK", "QAD.BIK.HTML", "QAD.BIL", "QAD.KAP", "QAD.KAP.HTML", "QAD.PRF",
                                 "QAD.PRG", "QAD.PRG.HTML", "QAD.PRO", "QAD.PRO.HTML", "QAD.RAW", "QAD.RAX",
                                 "QAD.RAX.HTML", "QAD.SRE", "QAD.SRE.HTML", "QAD.ZAO", "QAD.ZAO.HTML"};
constexpr std::size_t kLiczba = sizeof kSzablony / sizeof kSzablony[0];

// One operator with a simulated child, made once; the templates copied
// into the scratch folder.
vesk::Kontekst& operatorRaportow() {
    static std::unique_ptr<vesk::Kontekst> k = [] {
        namespace fs = std::filesystem;
        const std::string folder = vesk::fuzz::folder().folder();
        fs::create_directories(folder + "TABWZOR");
        for (const char* s : kSzablony)
            fs::copy_file(std::string(VESK_DATA_DIR) + "TABWZOR/" + s, folder + "TABWZOR/" + s,
                          fs::copy_options::overwrite_existing);
        auto c = std::make_unique<vesk::Kontekst>();
        c->catPARAMETR = std::string(VESK_DATA_DIR) + "PARAMETR/";
        c->catTABWZOR = folder + "TABWZOR/";
        c->SciezkaOperatora = folder + "RAPORT.";
        if (!vesk::UtworzStanOperatora(*c)) std::abort();
        c->WezelBazowy.NumerTekst = "0";
        c->WezelDoEdycji.NumerTekst = "0";
        if (!vesk::NowyWezel(*c, 1) || !vesk::SymulujWezel(*c)) std::abort();
        return c;
    }();
    return *k;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    vesk::Kontekst& k = operatorRaportow();
    const std::string nazwa = kSzablony[data[0] % kLiczba];
    const std::string sciezka = "TABWZOR/" + nazwa;
    const std::string oryginal = vesk::fuzz::folder().read(sciezka);
    vesk::fuzz::writeFile(sciezka, data + 1, size - 1);
    vesk::UstawFlagiWynikow(k, true);
    vesk::Raport_BIK(k);
    vesk::Raport_RAW(k);
    vesk::Raport_PRF(k);
    vesk::Raport_ZAO(k);
    vesk::Raport_PRO(k);
    vesk::Raport_SRE(k);
    vesk::fuzz::folder().write(sciezka, oryginal);
    return 0;
}
