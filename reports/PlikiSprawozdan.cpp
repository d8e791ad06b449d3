#include "PlikiSprawozdan.h"

#include <algorithm>

#include "CodePage.h"
#include "OpisRaportu.h"
#include "RaportBIK.h"
#include "RaportDEC.h"
#include "RaportINF.h"
#include "RaportKOS.h"
#include "RaportPRF.h"
#include "RaportPRO.h"
#include "RaportRAW.h"
#include "RaportSRE.h"
#include "RaportZAO.h"
#include "RaportyWskaznikow.h"
#include "ReplaceFile.h"

namespace vesk {

const std::vector<PlikiRaportu>& PlikiRaportow() {
    static const std::vector<PlikiRaportu> pliki = [] {
        // A statement's own report first, then those its entry writes too.
        auto wiersz = [](std::initializer_list<const OpisRaportu*> opisy) {
            PlikiRaportu p{.tekst = (*opisy.begin())->EXT, .strony = {}, .inne = {}};
            for (const OpisRaportu* o : opisy) {
                if (o != *opisy.begin()) p.inne.push_back(o->EXT);
                for (const StronaRaportu& s : o->strony) p.strony.push_back(NazwaStrony(o->EXT, s));
            }
            return p;
        };
        // The income statement's page names do not depend on its rate.
        const OpisRaportu prf = OpisRaportuPRF(0);
        return std::vector<PlikiRaportu>{
            wiersz({&OpisRaportuZAO()}), wiersz({&OpisRaportuPRO()}), wiersz({&OpisRaportuPLY()}),
            wiersz({&OpisRaportuZAD()}), wiersz({&OpisRaportuREN()}), wiersz({&OpisRaportuAKT()}),
            wiersz({&OpisRaportuBIK()}), wiersz({&OpisRaportuRAW()}), wiersz({&prf}),
            wiersz({&OpisRaportuINF(), &OpisRaportuING()}), wiersz({&OpisRaportuKOS()}), wiersz({&OpisRaportuSRE()}),
            wiersz({&OpisRaportuDEC()}),
        };
    }();
    return pliki;
}

const PlikiRaportu* PlikiRaportuEXT(std::string_view EXT) {
    for (const PlikiRaportu& p : PlikiRaportow())
        if (p.tekst == EXT) return &p;
    return nullptr;
}

const std::vector<std::string>& RozszerzeniaSprawozdan() {
    static const std::vector<std::string> nazwy = [] {
        std::vector<std::string> n;
        for (const PlikiRaportu& p : PlikiRaportow()) {
            n.push_back(p.tekst);
            n.insert(n.end(), p.inne.begin(), p.inne.end());
            n.insert(n.end(), p.strony.begin(), p.strony.end());
        }
        return n;
    }();
    return nazwy;
}

bool PlikSprawozdania(const std::string& rdzen, std::string_view nazwa) {
    if (nazwa.size() <= rdzen.size() + 1 || nazwa.substr(0, rdzen.size()) != rdzen || nazwa[rdzen.size()] != '.')
        return false;
    const std::string_view ext = nazwa.substr(rdzen.size() + 1);
    const std::vector<std::string>& r = RozszerzeniaSprawozdan();
    return std::any_of(r.begin(), r.end(), [&](const std::string& e) { return equalNoCaseCp1250(ext, e); });
}

std::vector<std::string> UsunPozostalosciSprawozdan(const std::string& folder, const std::string& rdzen) {
    return removeTemporaries(folder, [&](std::string_view cel) { return PlikSprawozdania(rdzen, cel); });
}

}  // namespace vesk
