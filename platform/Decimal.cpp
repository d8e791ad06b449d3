#include "Decimal.h"

#include <charconv>
#include <cmath>
#include <string>

namespace vesk {

std::optional<long double> parseDecimal(std::string_view text) {
    // from_chars takes no "+"; a "+" may stand only before the digits.
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
        if (text.empty() || text.front() == '-' || text.front() == '+') return std::nullopt;
    }
    if (text.empty()) return std::nullopt;
    // The library's reader of long double looks for "inf" and "nan" with
    // strlen, past the end of a text that is not terminated: it reads a
    // terminated copy.
    const std::string copy(text);
    long double v = 0;
    auto [ptr, ec] = std::from_chars(copy.data(), copy.data() + copy.size(), v);
    if (ec != std::errc() || ptr != copy.data() + copy.size() || !std::isfinite(v)) return std::nullopt;
    return v;
}

}  // namespace vesk
