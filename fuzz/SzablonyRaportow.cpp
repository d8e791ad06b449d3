// Report templates are outside data: any bytes in place of one of the
// templates of the costs, decision-variables, cash-flow and ratio reports
// must give a written report or a false result, never a crash. The first
// byte picks the template, the rest is its content; the record is the
// root's with a few decision and schedule bytes from the input.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "Kontekst.h"
#include "RaportDEC.h"
#include "RaportINF.h"
#include "RaportKOS.h"
#include "RaportyWskaznikow.h"
#include "TempDir.h"

namespace {

struct Wzorzec {
    const char* nazwa;
    bool (*raport)(vesk::Kontekst&);
};

const Wzorzec kWzorce[] = {
    {"QAD.KOS", vesk::Raport_KOS},      {"QAD.KOS.HTML", vesk::Raport_KOS}, {"QAD.DEC", vesk::Raport_DEC},
    {"QAD.DEC.HTML", vesk::Raport_DEC}, {"QAD.ING", vesk::Raport_INF},      {"QAD.INF", vesk::Raport_INF},
    {"QAD.ING.HTML", vesk::Raport_INF}, {"QAD.PLY", vesk::Raport_PLY},      {"QAD.PLY.HTML", vesk::Raport_PLY},
    {"QAD.ZAD", vesk::Raport_ZAD},      {"QAD.ZAD.HTML", vesk::Raport_ZAD}, {"QAD.REN", vesk::Raport_REN},
    {"QAD.REN.HTML", vesk::Raport_REN}, {"QAD.AKT", vesk::Raport_AKT},      {"QAD.AKT.HTML", vesk::Raport_AKT},
};

struct Folder {
    vesk::test::TempDir tmp;
    Folder() {
        std::filesystem::create_directories(tmp.file("TABWZOR"));
        std::filesystem::create_directories(tmp.file("OPER"));
        for (const auto& e : std::filesystem::directory_iterator(std::string(VESK_DATA_DIR) + "TABWZOR"))
            std::filesystem::copy_file(e.path(), tmp.file("TABWZOR/" + e.path().filename().string()),
                                       std::filesystem::copy_options::overwrite_existing);
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static Folder folder;
    if (size < 1) return 0;
    const Wzorzec& w = kWzorce[data[0] % std::size(kWzorce)];
    const std::string sciezka = folder.tmp.file(std::string("TABWZOR/") + w.nazwa);
    const std::string dawny = [&] {
        std::ifstream in(sciezka, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }();
    {
        std::ofstream out(sciezka, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data + 1), static_cast<std::streamsize>(size - 1));
    }
    vesk::Kontekst k;
    k.catTABWZOR = folder.tmp.folder() + "TABWZOR/";
    k.KatalogOperatora = folder.tmp.folder() + "OPER/";
    k.NazwaPlikuStanu = "firma.qad";
    k.RekordBiezacy.UstawRok(2012);
    // Schedule codes from the input's first bytes.
    for (std::size_t j = 0; j < 18 && j + 1 < size; ++j) k.RekordBiezacy.bajty[3024 + 24 * j] = data[j + 1];
    k.FlagiWynikow.UstawWszystkie(true);
    w.raport(k);
    std::ofstream(sciezka, std::ios::binary | std::ios::trunc) << dawny;
    return 0;
}
