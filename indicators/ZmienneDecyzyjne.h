// The 54 decision variables of the sensitivity panel: their labels with
// the calendar years of the node's period and their units.
#pragma once

#include <array>
#include <string>

namespace vesk {

// Entry i is decision parameter k = i + 1; pierwszyRok is the first
// calendar year of the node's period. Code page 1250.
std::array<std::string, 54> EtykietyZmiennych(int pierwszyRok);
// The unit of parameter k (1..54); empty for none chosen (k = 0) or an
// unknown k.
std::string JednostkaZmiennej(int k);

}  // namespace vesk
