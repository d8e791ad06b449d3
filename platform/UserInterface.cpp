#include "UserInterface.h"

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

std::string shortenedText(std::string_view original, std::size_t maxLines, std::size_t maxLineLength) {
    constexpr char kEllipsis = '\x85';
    const std::string lined = screenLines(original);
    const std::string_view text = lined;
    std::size_t lines = 1;
    for (const char c : text) lines += c == '\n';
    const std::size_t kept = lines <= maxLines ? lines : (maxLines > 0 ? maxLines - 1 : 0);
    std::string out;
    std::size_t start = 0;
    for (std::size_t i = 0; i < kept; ++i) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(start, end - start);
        if (i > 0) out += '\n';
        if (line.size() > maxLineLength) {
            out.append(line.substr(0, maxLineLength > 0 ? maxLineLength - 1 : 0));
            out += kEllipsis;
        } else {
            out.append(line);
        }
        start = end + 1;
    }
    if (kept < lines && maxLines > 0) {
        if (kept > 0) out += '\n';
        out += kEllipsis;
        out += " (pomini\xEAto wierszy: " + std::to_string(lines - kept) + ")";
    }
    return out;
}

}  // namespace vesk
