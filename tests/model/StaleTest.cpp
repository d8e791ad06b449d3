// Model constants are long double literals: 0.02 as a double is another
// number than 0.02L, and the difference shows in the stored values. Every
// floating literal of the model and the reports must carry the L suffix.
#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace {

// The code of a source file with comments, strings and characters blanked.
std::string samKod(const std::string& s) {
    std::string out = s;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s.compare(i, 2, "//") == 0) {
            while (i < s.size() && s[i] != '\n') out[i++] = ' ';
        } else if (s.compare(i, 2, "/*") == 0) {
            auto end = s.find("*/", i + 2);
            end = end == std::string::npos ? s.size() : end + 2;
            for (; i < end; ++i) out[i] = s[i] == '\n' ? '\n' : ' ';
            --i;
        } else if (s[i] == '"' || s[i] == '\'') {
            char q = s[i];
            out[i++] = ' ';
            while (i < s.size() && s[i] != q) {
                if (s[i] == '\\') out[i++] = ' ';
                if (i < s.size()) out[i++] = ' ';
            }
            if (i < s.size()) out[i] = ' ';
        }
    }
    return out;
}

// Floating literals without the L suffix, as "file:line: literal".
std::vector<std::string> literalyBezL(const std::filesystem::path& plik) {
    std::ifstream in(plik);
    std::string kod = samKod(std::string((std::istreambuf_iterator<char>(in)), {}));
    std::vector<std::string> bledy;
    int linia = 1;
    for (std::size_t i = 0; i < kod.size(); ++i) {
        if (kod[i] == '\n') ++linia;
        bool poczatek = std::isdigit(static_cast<unsigned char>(kod[i])) &&
                        (i == 0 || !(std::isalnum(static_cast<unsigned char>(kod[i - 1])) || kod[i - 1] == '_' || kod[i - 1] == '.'));
        if (!poczatek) continue;
        std::size_t j = i;
        while (j < kod.size() && std::isdigit(static_cast<unsigned char>(kod[j]))) ++j;
        bool zmiennoprzecinkowy = false;
        if (j < kod.size() && kod[j] == '.') {
            zmiennoprzecinkowy = true;
            ++j;
            while (j < kod.size() && std::isdigit(static_cast<unsigned char>(kod[j]))) ++j;
        }
        if (j < kod.size() && (kod[j] == 'e' || kod[j] == 'E')) {
            zmiennoprzecinkowy = true;
            ++j;
            if (j < kod.size() && (kod[j] == '+' || kod[j] == '-')) ++j;
            while (j < kod.size() && std::isdigit(static_cast<unsigned char>(kod[j]))) ++j;
        }
        if (zmiennoprzecinkowy && (j >= kod.size() || (kod[j] != 'L' && kod[j] != 'l')))
            bledy.push_back(plik.filename().string() + ":" + std::to_string(linia) + ": " + kod.substr(i, j - i));
        i = j - 1;
    }
    return bledy;
}

TEST(Stale, FloatingLiteralsOfTheModelAndTheReportsAreLongDouble) {
    int plikow = 0;
    for (const char* folder : {"model", "reports"}) {
        for (const auto& e : std::filesystem::recursive_directory_iterator(std::string(VESK_SOURCE_DIR) + folder)) {
            const auto ext = e.path().extension();
            if (ext != ".cpp" && ext != ".h") continue;
            ++plikow;
            for (const std::string& b : literalyBezL(e.path())) ADD_FAILURE() << b;
        }
    }
    EXPECT_GT(plikow, 40);
}

}  // namespace
