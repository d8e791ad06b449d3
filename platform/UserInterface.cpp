#include "UserInterface.h"

#include <vector>

namespace vesk {

std::string screenLines(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
        out += c == '\r' || c == '\v' || c == '\f' ? '\n' : c;
    }
    return out;
}

namespace {

// One screen line cut into pieces of at most `dlugosc` bytes: after the
// last blank that fits (the blank dropped), else after the last path
// separator, else at the bound itself.
void zawin(std::string_view linia, std::size_t dlugosc, std::vector<std::string_view>& out) {
    while (linia.size() > dlugosc) {
        const std::string_view okno = linia.substr(0, dlugosc + 1);
        std::size_t p = okno.find_last_of(' ');
        if (p != std::string_view::npos && p > 0) {
            out.push_back(linia.substr(0, p));
            linia.remove_prefix(p + 1);
            continue;
        }
        p = okno.substr(0, dlugosc).find_last_of("/\\");
        const std::size_t ciecie = p != std::string_view::npos ? p + 1 : dlugosc;
        out.push_back(linia.substr(0, ciecie));
        linia.remove_prefix(ciecie);
    }
    out.push_back(linia);
}

}  // namespace

std::string shortenedText(std::string_view original, std::size_t maxLines, std::size_t maxLineLength) {
    constexpr char kEllipsis = '\x85';
    const std::string lined = screenLines(original);
    const std::string_view text = lined;
    const std::size_t dlugosc = maxLineLength > 0 ? maxLineLength : 1;
    std::vector<std::string_view> wiersze;
    for (std::size_t start = 0;;) {
        const std::size_t end = text.find('\n', start);
        zawin(text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start), dlugosc,
              wiersze);
        if (end == std::string_view::npos) break;
        start = end + 1;
    }
    // Too many: the first lines (what happened) and the last third (the
    // names at the end, what to do) around the count of those left out.
    std::size_t poczatek = wiersze.size(), koniec = 0;
    if (wiersze.size() > maxLines) {
        koniec = maxLines / 3;
        poczatek = maxLines > 0 ? maxLines - 1 - koniec : 0;
    }
    std::string out;
    for (std::size_t i = 0; i < poczatek; ++i) {
        if (i > 0) out += '\n';
        out.append(wiersze[i]);
    }
    if (poczatek < wiersze.size() && maxLines > 0) {
        if (poczatek > 0) out += '\n';
        out += kEllipsis;
        out += " (pomini\xEAto wierszy: " + std::to_string(wiersze.size() - poczatek - koniec) + ")";
        for (std::size_t i = wiersze.size() - koniec; i < wiersze.size(); ++i) {
            out += '\n';
            out.append(wiersze[i]);
        }
    }
    return out;
}

}  // namespace vesk
