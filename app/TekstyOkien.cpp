#include "TekstyOkien.h"

#include "CodePage.h"

namespace vesk {

std::string cp1250(std::string_view utf8) { return utf8ToCp1250(utf8); }

}  // namespace vesk
