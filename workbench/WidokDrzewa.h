// How the tree tab draws an item: which of the five looks it takes from the
// base and template boxes and the selection. The windows turn a look into
// colours and a font.
#pragma once

#include <string>

namespace vesk {

enum class WygladPozycji {
    BazowyIEdycji,  // underlined, yellow on red
    Bazowy,         // bold, white on red
    Edycji,         // bold, black on yellow
    Wybrany,        // bold, white on black
    Zwykly,         // bold, black on white
};

// The look of the item labelled etykieta; bazowe and edycji are the texts
// of the base and template boxes (an empty box matches no item).
WygladPozycji WygladWezla(const std::string& etykieta, const std::string& bazowe, const std::string& edycji,
                          bool wybrany);

}  // namespace vesk
