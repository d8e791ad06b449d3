#include "Decimal.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

namespace vesk {

namespace {

// The text's value as from_chars reads it, with its error: a "+" may
// stand only before the digits (from_chars takes none).
std::from_chars_result readDecimal(std::string_view text, long double& v) {
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
        if (text.empty() || text.front() == '-' || text.front() == '+') return {nullptr, std::errc::invalid_argument};
    }
    if (text.empty()) return {nullptr, std::errc::invalid_argument};
    // The library's reader of long double looks for "inf" and "nan" with
    // strlen, past the end of a text that is not terminated: it reads a
    // terminated copy.
    const std::string copy(text);
    auto r = std::from_chars(copy.data(), copy.data() + copy.size(), v);
    if (r.ec == std::errc() && !std::isfinite(v)) r.ec = std::errc::invalid_argument;
    if (r.ptr != copy.data() + copy.size()) return {nullptr, std::errc::invalid_argument};
    return {nullptr, r.ec};
}

}  // namespace

std::optional<long double> parseDecimal(std::string_view text) {
    long double v = 0;
    if (readDecimal(text, v).ec != std::errc()) return std::nullopt;
    return v;
}

int decimalBeyondRange(std::string_view text) {
    long double v = 0;
    if (readDecimal(text, v).ec != std::errc::result_out_of_range) return 0;
    // The reader leaves the value as it was: the power of ten of the first
    // digit that is not 0, from the digits and the exponent, tells which.
    const std::size_t e = std::min(text.find_first_of("eE"), text.size());
    const std::string_view digits = text.substr(0, e);
    const std::size_t first = digits.find_first_of("123456789"), point = std::min(digits.find('.'), digits.size());
    long long power = first == std::string_view::npos ? 0
                      : first < point ? static_cast<long long>(point - first)
                                      : -static_cast<long long>(first - point - 1);
    if (e < text.size()) {
        std::string_view x = text.substr(e + 1);
        if (!x.empty() && x.front() == '+') x.remove_prefix(1);
        long long exponent = 0;
        if (std::from_chars(x.data(), x.data() + x.size(), exponent).ec != std::errc())
            exponent = x.substr(0, 1) == "-" ? -1000000 : 1000000;
        power += std::clamp(exponent, -1000000LL, 1000000LL);
    }
    return power > 0 ? 1 : -1;
}

}  // namespace vesk
