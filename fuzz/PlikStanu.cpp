// An operator's state file from outside, driven through the operations:
// check it (the same bytes also as a save's journal beside it), repair what
// a killed save may have left, open it, look its records up, make a child of node 0, simulate it, write
// every report. Each step succeeds or refuses; none may crash or let an
// error escape.
#include <cstdint>
#include <cstdlib>
#include <exception>
#include <memory>
#include <string>

#include "FuzzFolder.h"
#include "Kontekst.h"
#include "OperacjeWezlow.h"
#include "PlikStanu.h"
#include "RaportBIK.h"
#include "RaportPRF.h"
#include "RaportPRO.h"
#include "RaportRAW.h"
#include "RaportSRE.h"
#include "RaportZAO.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string folder = vesk::fuzz::folder().folder();
    vesk::fuzz::writeFile("FUZZ.qad", data, size);
    vesk::Kontekst* k = &vesk::fuzz::context();
    k->NazwaPlikuStanu.clear();
    k->TabelaWezlow = vesk::ZESPOL{};
    k->RekordBiezacy = vesk::StanModelu{};
    k->catPARAMETR = std::string(VESK_DATA_DIR) + "PARAMETR/";
    k->catTABWZOR = std::string(VESK_DATA_DIR) + "TABWZOR/";
    k->KatalogOperatora = folder;
    k->SciezkaOperatora = folder + "FUZZ.";
    const std::string bajty(reinterpret_cast<const char*>(data), size);
    const vesk::OcenaPlikuStanu o = vesk::OcenStan("FUZZ.qad", bajty, bajty, std::nullopt);
    if (!o.odmowa.empty() && (o.bajty || !o.naprawy.empty() || !o.wezly.empty())) std::abort();
    try {
        vesk::NaprawPlikStanu(folder + "FUZZ.qad");
    } catch (const std::exception&) {
        return 0;
    }
    if (!vesk::WczytajStanOperatora(*k, "FUZZ.qad")) return 0;

    vesk::StanModelu rec;
    for (int n : {0, 1, 50}) vesk::ZnajdzStanModelu(*k, vesk::SciezkaPlikuStanu(*k), static_cast<std::uint8_t>(n), rec);

    k->WezelBazowy.NumerTekst = "0";
    k->WezelDoEdycji.NumerTekst = "0";
    if (vesk::NowyWezel(*k, 1)) vesk::SymulujWezel(*k);

    vesk::Raport_BIK(*k);
    vesk::Raport_RAW(*k);
    vesk::Raport_PRF(*k);
    vesk::Raport_ZAO(*k);
    vesk::Raport_PRO(*k);
    vesk::Raport_SRE(*k);
    return 0;
}
