// A reader of the rich-text subset the help texts use: groups, paragraphs
// (\par), line breaks (\line), tabs (\tab), bold (\b) and italic (\i),
// characters as \'hh (code page 1250) and \uN with \ucN, binary runs
// (\binN). Font, colour and style tables, document information and every
// {\*...} group are skipped; other control words are ignored.
#pragma once

#include <string>
#include <string_view>

namespace vesk {

// Simple HTML of the text: one <p> per paragraph, <br> for breaks, <b> and
// <i>, tabs kept, "&", "<" and ">" escaped. The result is in code page 1250;
// characters the code page lacks appear as "&#N;". Any input ends cleanly:
// an unclosed group or a cut control word simply ends the text.
std::string rtfToHtml(std::string_view rtf);

}  // namespace vesk
