#include "RaportOkna.h"

#include "CodePage.h"
#include "Kontekst.h"
#include "SzablonRaportu.h"

namespace vesk {

std::string PodpisRaportowania(bool dziala) {
    return utf8ToCp1250(dziala ? "/ Koniec / raportowania do pliku" : "/Początek/ raportowania do pliku");
}

std::vector<std::string> LinieBazyRegul(const std::string& katalogOperatora, const std::string& nazwaZestawu,
                                        const std::string& nazwa, const std::optional<std::string>& plikRegul) {
    const std::string kreska(80, '-');
    std::string linia;
    if (plikRegul) {
        linia = utf8ToCp1250("zmieniono bazę reguł na: ") + *plikRegul;
    } else {
        linia = utf8ToCp1250("brak bazy reguł: ") + katalogOperatora + utf8ToCp1250("reguły-");
        if (!nazwaZestawu.empty()) linia += nazwaZestawu + "-";
        linia += nazwa + ".clp";
    }
    return {kreska, linia, kreska};
}

RaportOkna::RaportOkna(Kontekst& k) : RaportDecyzji(RaportDecyzjiWezla(k)), k_(k) {}

RaportOkna::~RaportOkna() = default;

bool RaportOkna::Rozpocznij(const std::string& plikZestawu, const std::string& plikRegul,
                            const std::vector<std::string>& diagnozy) {
    Zakoncz();
    // The folder is taken at each start: the operator may change. It is
    // where the operator's statements go (a read-only operator's are
    // written in a folder of the user's own).
    const std::optional<std::string> folder = FolderSprawozdan(k_);
    if (!folder) {
        raport_.reset();
        k_.Okna->message("Nie mo\xBFna utworzy\xE6 pliku raportu: " + k_.PowodBleduRaportu);
        return false;
    }
    raport_ = std::make_unique<IndicatorReport>(*folder, RaportDecyzji, *k_.Okna, Zegar);
    const bool dobrze = raport_->Rozpocznij(plikZestawu, plikRegul, diagnozy);
    plik_ = raport_->Plik();
    if (!dobrze) raport_->Zamknij();
    return dobrze && Dziala();
}

void RaportOkna::Zakoncz() {
    if (raport_) raport_->Zamknij();
}

bool RaportOkna::Pisz(const std::vector<std::string>& linie) {
    if (!Dziala()) return false;
    for (const std::string& l : linie)
        if (!raport_->Pisz(l)) return false;
    return true;
}

}  // namespace vesk
