// The files the statement writers make for an operator, by the names they
// give them after the operator's stem and "." (T.BIK, T.BIK.html,
// T.kap.html, ...): what deleting an operator takes away with it.
#pragma once

#include <string>
#include <vector>

namespace vesk {

// Each statement's text file and pages: "ZAO", "ZAO.html", "BIK",
// "BIK.html", "kap.html", ..., "SRE", "SRE.html"; read from the reports'
// own descriptions, so that a page added to a report is named here too.
const std::vector<std::string>& RozszerzeniaSprawozdan();

}  // namespace vesk
