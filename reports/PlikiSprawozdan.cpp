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
#include "RaportZAO.h"
#include "RaportyWskaznikow.h"
#include "ReplaceFile.h"

namespace vesk {

const std::vector<std::string>& RozszerzeniaSprawozdan() {
    static const std::vector<std::string> nazwy = [] {
        std::vector<std::string> n;
        // The income statement's page names do not depend on its rate.
        const OpisRaportu prf = OpisRaportuPRF(0);
        for (const OpisRaportu* o : {&OpisRaportuZAO(), &OpisRaportuPRO(), &OpisRaportuPLY(), &OpisRaportuZAD(),
                                     &OpisRaportuREN(), &OpisRaportuAKT(), &OpisRaportuBIK(), &OpisRaportuRAW(), &prf,
                                     &OpisRaportuINF(), &OpisRaportuING(), &OpisRaportuKOS(), &OpisRaportuDEC()}) {
            n.push_back(o->EXT);
            for (const StronaRaportu& s : o->strony) n.push_back(NazwaStrony(o->EXT, s));
        }
        // The synthetic result writes its text file and page itself.
        n.insert(n.end(), {"SRE", "SRE.html"});
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
