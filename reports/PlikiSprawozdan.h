// The files the statement writers make for an operator, by the names they
// give them after the operator's stem and "." (T.BIK, T.BIK.html,
// T.kap.html, ...): what deleting an operator takes away with it, and
// whose temporary files an open clears.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vesk {

// Each statement's text file and pages: "ZAO", "ZAO.html", "BIK",
// "BIK.html", "kap.html", ..., "SRE", "SRE.html"; read from the reports'
// own descriptions, so that a page added to a report is named here too.
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
