// The files the statement writers make for an operator, by the names they
// give them after the operator's stem and "." (T.BIK, T.BIK.html,
// T.kap.html, ...): what deleting an operator takes away with it, and
// whose temporary files an open clears.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vesk {

// The files one statement's entry writes, by the names its writers give
// them after the operator's stem and ".", taken from the reports' own
// descriptions (NazwaStrony): its text file, its pages in the order
// written, and the text files of the reports it writes besides its own.
struct PlikiRaportu {
    std::string tekst;                // "BIK", "INF"
    std::vector<std::string> strony;  // "BIK.html", "kap.html"; INF's "ING.html"
    std::vector<std::string> inne;    // INF's "ING"
};
// Every statement's files, one row per entry.
const std::vector<PlikiRaportu>& PlikiRaportow();
// The row of the statement whose text file is EXT ("BIK"); nullptr for none.
const PlikiRaportu* PlikiRaportuEXT(std::string_view EXT);
// Each statement's text file and pages: "ZAO", "ZAO.html", "BIK",
// "BIK.html", "kap.html", ..., "SRE", "SRE.html" (PlikiRaportow all in one),
// so that a page added to a report is named here too.
const std::vector<std::string>& RozszerzeniaSprawozdan();
// Whether a file name is one of those files of the operator whose stem
// (RdzenNazwy) is rdzen: rdzen as spelt, "." and one of
// RozszerzeniaSprawozdan in any letter case. No other operator's file is
// such a name: theirs have a dot after rdzen's.
bool PlikSprawozdania(const std::string& rdzen, std::string_view nazwa);
// Removes the temporary files that killed writes of those files left in
// the folder; the files removed (folder + name).
std::vector<std::string> UsunPozostalosciSprawozdan(const std::string& folder, const std::string& rdzen);

}  // namespace vesk
