#include "Decimal.h"

#include <charconv>
#include <cmath>

namespace vesk {

std::optional<long double> parseDecimal(std::string_view text) {
    // from_chars takes no "+"; a "+" may stand only before the digits.
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
        if (text.empty() || text.front() == '-' || text.front() == '+') return std::nullopt;
    }
    if (text.empty()) return std::nullopt;
    long double v = 0;
    auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (ec != std::errc() || ptr != text.data() + text.size() || !std::isfinite(v)) return std::nullopt;
    return v;
}

}  // namespace vesk
