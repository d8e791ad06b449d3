// Helpers of the indicator tests: texts written in UTF-8 here, held in
// code page 1250 by the core; the item trees of a program folder, the
// fixed clock of the report files.
#pragma once

#include <ctime>
#include <filesystem>
#include <string>

#include "CodePage.h"
#include "TempDir.h"

namespace vesk::test {

inline std::string P(const char* utf8) { return utf8ToCp1250(utf8); }

// 2012-02-14 10:22:33, the moment every report of a test is started at.
inline std::tm Chwila() {
    std::tm t{};
    t.tm_year = 2012 - 1900;
    t.tm_mon = 1;
    t.tm_mday = 14;
    t.tm_hour = 10;
    t.tm_min = 22;
    t.tm_sec = 33;
    return t;
}

// The shipped trees of the balance and account items (the ".tre" files)
// copied into a program folder of a test.
inline void KopiujDrzewaPozycji(const TempDir& program) {
    for (const auto& e : std::filesystem::directory_iterator(std::string(VESK_SOURCE_DATA_DIR) + "PROGRAM/"))
        if (e.path().extension() == ".tre")
            std::filesystem::copy_file(e.path(), program.file(e.path().filename().string()));
}

// The templates of the facts an indicator session exports, for the rule
// files of a test.
inline constexpr const char* kSzablony =
    "(deftemplate years (slot rok1) (slot rok2) (slot rok3))\n"
    "(deftemplate prog (slot nazwa-progu) (slot wartosc))\n"
    "(deftemplate prog-dolny (slot nazwa-progu) (slot wartosc))\n"
    "(deftemplate prog-gorny (slot nazwa-progu) (slot wartosc))\n"
    "(deftemplate wskaznik (slot nazwa-wskaznika) (slot rok1) (slot wartosc1) (slot rok2) (slot wartosc2)\n"
    "  (slot rok3) (slot wartosc3) (slot dynamika-1-2) (slot dynamika-1-3) (slot dynamika-2-2)\n"
    "  (slot dynamika-2-3) (slot dynamika-3-2) (slot dynamika-3-3))\n";

// The rule line of the report files.
inline const std::string kKreska(80, '-');

}  // namespace vesk::test
