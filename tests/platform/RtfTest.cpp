#include "Rtf.h"

#include <gtest/gtest.h>


namespace vesk {
namespace {

// The text of each <p> of the HTML, tags removed, blanks at both ends trimmed.
std::vector<std::string> akapity(const std::string& html) {
    std::vector<std::string> out;
    std::size_t pos = 0;
    while ((pos = html.find("<p>", pos)) != std::string::npos) {
        auto end = html.find("</p>", pos);
        std::string inner = html.substr(pos + 3, end == std::string::npos ? std::string::npos : end - pos - 3);
        std::string text;
        bool tag = false;
        for (char c : inner) {
            if (c == '<') tag = true;
            else if (c == '>') tag = false;
            else if (!tag) text += c;
        }
        auto a = text.find_first_not_of(' ');
        auto b = text.find_last_not_of(' ');
        out.push_back(a == std::string::npos ? "" : text.substr(a, b - a + 1));
        pos = end == std::string::npos ? html.size() : end;
    }
    return out;
}

TEST(Rtf, ParagraphsWithCodePageCharactersAndSkippedFontTable) {
    auto html = rtfToHtml(R"({\rtf1\ansi\ansicpg1250{\fonttbl{\f0 Arial;}} Za\'b3\'f3\'bf\par x})");
    EXPECT_EQ(akapity(html), (std::vector<std::string>{"Za\xb3\xf3\xbf", "x"})) << html;
    EXPECT_EQ(html.find("Arial"), std::string::npos);
}

TEST(Rtf, UnicodeCharactersAndTheirFallbacks) {
    struct Case {
        const char* rtf;
        const char* text;
    } cases[] = {
        {R"({\rtf1 \u321?})", "\xa3"},                 // Ł, its "?" skipped
        {R"({\rtf1 \uc2\u321??x})", "\xa3x"},          // two fallback characters
        {R"({\rtf1 \uc0\u322 y})", "\xb3y"},           // none
        {R"({\rtf1 \u-3?})", "&#65533;"},              // negative: counted from 65536
        {R"({\rtf1 \u8364\'80})", "\x80"},             // euro exists in 1250, \'80 is its fallback
        {R"({\rtf1 \u1046?})", "&#1046;"},             // Cyrillic: not in the code page
        {R"({\rtf1 \u63?})", "?"},
    };
    for (const auto& c : cases) EXPECT_EQ(akapity(rtfToHtml(c.rtf)), std::vector<std::string>{c.text}) << c.rtf;
}

TEST(Rtf, FormattingBreaksTabsAndEscapes) {
    auto html = rtfToHtml(R"({\rtf1 a{\b b\i c}d\line e\tab f <&>\par})");
    EXPECT_EQ(html, "<p>a<b>b</b><b><i>c</i></b>d<br>e\tf &lt;&amp;&gt;</p>");
    EXPECT_EQ(rtfToHtml(R"({\rtf1 \b x\b0 y})"), "<p><b>x</b>y</p>");
    EXPECT_EQ(rtfToHtml(R"({\rtf1 \{\}\\})"), "<p>{}\\</p>");
}

TEST(Rtf, SkippedGroupsAndBinaryData) {
    auto html = rtfToHtml(
        R"({\rtf1{\colortbl;\red0\green0\blue0;}{\stylesheet{\s0 Normal;}}{\info{\title T}})"
        R"({\*\generator Gen;}A\bin3 {}\B})");
    EXPECT_EQ(akapity(html), std::vector<std::string>{"AB"}) << html;
}

TEST(Rtf, TruncatedAndHostileInputEndsCleanly) {
    const char* inputs[] = {"{\\rtf1 abc", "{\\rtf1 \\'b", "{\\rtf1 \\u", "{\\rtf1 \\bin99999 x", "\\",
                            "}}}}a{{{", "{\\*", "{\\rtf1 \\u321", "{\\rtf1 \\b99999999999999999 x}"};
    for (const char* in : inputs) EXPECT_NO_THROW(rtfToHtml(in)) << in;
    EXPECT_EQ(akapity(rtfToHtml("{\\rtf1 abc")), std::vector<std::string>{"abc"});
    std::string deep(100000, '{');
    deep += "x";
    EXPECT_EQ(akapity(rtfToHtml(deep)), std::vector<std::string>{"x"});
}

}  // namespace
}  // namespace vesk
