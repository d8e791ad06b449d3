#include "Rtf.h"

#include <cctype>
#include <cstdint>
#include <optional>
#include <vector>

#include "CodePage.h"

namespace vesk {

namespace {

struct GroupState {
    bool bold = false;
    bool italic = false;
    bool skip = false;
    int uc = 1;  // characters that stand in for a \uN
};

// Groups deeper than this are read as if they were not opened; the text
// still comes out, only formatting kept in them is shared.
constexpr std::size_t MaxDepth = 256;

class Reader {
public:
    explicit Reader(std::string_view in) : in_(in) {}

    std::string run() {
        states_.push_back({});
        while (pos_ < in_.size()) {
            char c = in_[pos_++];
            if (c == '{') {
                openGroup();
            } else if (c == '}') {
                closeGroup();
            } else if (c == '\\') {
                control();
            } else if (c == '\r' || c == '\n') {
                // line ends in the source are not text
            } else {
                text(c);
            }
        }
        endParagraph(false);
        return out_;
    }

private:
    GroupState& state() { return states_.back(); }

    void openGroup() {
        if (states_.size() >= MaxDepth) {
            ++ignoredOpens_;
            return;
        }
        states_.push_back(states_.back());
        destinationPending_ = true;
    }

    void closeGroup() {
        destinationPending_ = false;
        if (ignoredOpens_ > 0) {
            --ignoredOpens_;
            return;
        }
        if (states_.size() > 1) states_.pop_back();
    }

    std::optional<long> number() {
        std::size_t start = pos_;
        bool negative = false;
        if (pos_ < in_.size() && in_[pos_] == '-') {
            negative = true;
            ++pos_;
        }
        std::size_t digits = pos_;
        long value = 0;
        while (pos_ < in_.size() && std::isdigit(static_cast<unsigned char>(in_[pos_]))) {
            if (value < 100000000L) value = value * 10 + (in_[pos_] - '0');
            ++pos_;
        }
        if (pos_ == digits) {
            pos_ = start;
            return std::nullopt;
        }
        return negative ? -value : value;
    }

    static int hexDigit(char c) {
        if (c >= '0' && c <= '9') return c - '0';
        if (c >= 'a' && c <= 'f') return c - 'a' + 10;
        if (c >= 'A' && c <= 'F') return c - 'A' + 10;
        return -1;
    }

    void control() {
        if (pos_ >= in_.size()) return;
        char c = in_[pos_];
        if (!std::isalpha(static_cast<unsigned char>(c))) {
            ++pos_;
            bool first = destinationPending_;
            destinationPending_ = false;
            switch (c) {
                case '\'': {
                    int hi = pos_ < in_.size() ? hexDigit(in_[pos_]) : -1;
                    int lo = pos_ + 1 < in_.size() ? hexDigit(in_[pos_ + 1]) : -1;
                    if (hi < 0 || lo < 0) return;
                    pos_ += 2;
                    text(static_cast<char>(hi * 16 + lo));
                    return;
                }
                case '*':
                    if (first) state().skip = true;
                    return;
                case '~':
                    text(' ');
                    return;
                case '_':
                    text('-');
                    return;
                case '\\':
                case '{':
                case '}':
                    text(c);
                    return;
                case '\r':
                case '\n':
                    endParagraph(true);
                    return;
                default:
                    return;  // \- and other symbols
            }
        }
        std::size_t start = pos_;
        while (pos_ < in_.size() && std::isalpha(static_cast<unsigned char>(in_[pos_])) && pos_ - start < 32)
            ++pos_;
        std::string_view word = in_.substr(start, pos_ - start);
        while (pos_ < in_.size() && std::isalpha(static_cast<unsigned char>(in_[pos_]))) ++pos_;
        auto arg = number();
        if (pos_ < in_.size() && in_[pos_] == ' ') ++pos_;
        bool first = destinationPending_;
        destinationPending_ = false;
        controlWord(word, arg, first);
    }

    void controlWord(std::string_view w, std::optional<long> arg, bool first) {
        if (w == "bin") {
            long n = arg.value_or(0);
            if (n < 0) n = 0;
            std::size_t skip = static_cast<std::size_t>(n);
            pos_ = skip > in_.size() - pos_ ? in_.size() : pos_ + skip;
            return;
        }
        if (first && (w == "fonttbl" || w == "colortbl" || w == "stylesheet" || w == "info" || w == "pict" ||
                      w == "header" || w == "footer")) {
            state().skip = true;
            return;
        }
        if (w == "par") {
            endParagraph(true);
        } else if (w == "line") {
            emit("<br>");
        } else if (w == "tab") {
            emit("\t");
        } else if (w == "b") {
            state().bold = arg.value_or(1) != 0;
        } else if (w == "i") {
            state().italic = arg.value_or(1) != 0;
        } else if (w == "plain") {
            state().bold = state().italic = false;
        } else if (w == "uc") {
            long n = arg.value_or(1);
            state().uc = n < 0 ? 0 : (n > 8 ? 8 : static_cast<int>(n));
        } else if (w == "u" && arg) {
            long code = *arg;
            if (code < 0) code += 65536;
            unicode(static_cast<std::uint32_t>(code));
            skipFallback(state().uc);
        }
    }

    // Skips the characters that stand in for a \uN: plain characters, \'hh
    // and control words count one each; a group or its end stops the skip.
    void skipFallback(int count) {
        while (count > 0 && pos_ < in_.size()) {
            char c = in_[pos_];
            if (c == '{' || c == '}') return;
            if (c == '\r' || c == '\n') {
                ++pos_;
                continue;
            }
            if (c == '\\') {
                std::size_t save = pos_;
                ++pos_;
                if (pos_ >= in_.size()) return;
                if (in_[pos_] == '\'') {
                    pos_ = std::min(in_.size(), pos_ + 3);
                } else if (std::isalpha(static_cast<unsigned char>(in_[pos_]))) {
                    while (pos_ < in_.size() && std::isalpha(static_cast<unsigned char>(in_[pos_]))) ++pos_;
                    number();
                    if (pos_ < in_.size() && in_[pos_] == ' ') ++pos_;
                } else if (in_[pos_] == '{' || in_[pos_] == '}' || in_[pos_] == '\\') {
                    ++pos_;
                } else {
                    pos_ = save;
                    return;
                }
            } else {
                ++pos_;
            }
            --count;
        }
    }

    void unicode(std::uint32_t code) {
        if (state().skip) return;
        if (code >= 0xD800 && code <= 0xDFFF) code = 0xFFFD;
        std::string utf8;
        if (code < 0x80) {
            utf8 += static_cast<char>(code);
        } else if (code < 0x800) {
            utf8 += static_cast<char>(0xC0 | (code >> 6));
            utf8 += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            utf8 += static_cast<char>(0xE0 | (code >> 12));
            utf8 += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            utf8 += static_cast<char>(0x80 | (code & 0x3F));
        }
        std::string single = utf8ToCp1250(utf8);
        if (code >= 0x20 && single.size() == 1 && (single != "?" || code == '?')) {
            text(single[0]);
        } else if (code >= 0x20) {
            emit("&#" + std::to_string(code) + ";");
        }
    }

    void text(char c) {
        if (state().skip) return;
        switch (c) {
            case '&':
                emit("&amp;");
                return;
            case '<':
                emit("&lt;");
                return;
            case '>':
                emit("&gt;");
                return;
            default:
                if (static_cast<unsigned char>(c) < 0x20 && c != '\t') return;
                emit(std::string(1, c));
        }
    }

    // Writes output in the current group's formatting.
    void emit(const std::string& s) {
        if (state().skip) return;
        if (!inParagraph_) {
            out_ += "<p>";
            inParagraph_ = true;
        }
        bool b = state().bold, i = state().italic;
        if (b != bold_ || i != italic_) {
            closeFormatting();
            if (b) out_ += "<b>";
            if (i) out_ += "<i>";
            bold_ = b;
            italic_ = i;
        }
        out_ += s;
    }

    void closeFormatting() {
        if (italic_) out_ += "</i>";
        if (bold_) out_ += "</b>";
        bold_ = italic_ = false;
    }

    void endParagraph(bool explicitEnd) {
        if (explicitEnd && state().skip) return;
        if (!inParagraph_) {
            if (explicitEnd) out_ += "<p></p>";
            return;
        }
        closeFormatting();
        out_ += "</p>";
        inParagraph_ = false;
    }

    std::string_view in_;
    std::size_t pos_ = 0;
    std::vector<GroupState> states_;
    std::size_t ignoredOpens_ = 0;
    bool destinationPending_ = false;
    std::string out_;
    bool inParagraph_ = false;
    bool bold_ = false;
    bool italic_ = false;
};

}  // namespace

std::string rtfToHtml(std::string_view rtf) { return Reader(rtf).run(); }

}  // namespace vesk
