// The operator's names through vesk-wsad: the forms of its argument, and
// operators whose names differ only in letter case side by side, named by
// the argument, "wczytaj plik" and "utwórz plik".
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cctype>
#include <filesystem>
#include <iostream>
#include <map>
#include <sstream>
#include <tuple>

#include "CodePage.h"
#include "TempDir.h"

namespace vesk::test {
namespace {

namespace fs = std::filesystem;

// A working folder with settings and a folder OP/.
struct Folder : TempDir {
    Folder() {
        const std::string d = VESK_DATA_DIR;
        write("VE-SK.INI", "[Katalogi]\ncatPARAMETR=" + d + "PARAMETR/\ncatOGRAN=" + d + "PARAMETR/\ncatKARTOPERATORA=" + folder());
        fs::create_directory(file("OP"));
    }
    // vesk-wsad on the lines with the argument (none: ""): its exit status, stderr in bledy.
    int wsad(const std::vector<std::string>& linie, const std::string& argument) {
        std::string t = "run\r\n";
        for (const std::string& l : linie) t += l + "\r\n";
        write("p.roz", t);
        const std::string op = argument.empty() ? "" : " '" + argument + "'";
        const int s = std::system(("cd '" + folder() + "' && '" VESK_WSAD "' p.roz" + op + " >/dev/null 2>bledy").c_str());
        bledy = read("bledy");
        return WIFEXITED(s) ? WEXITSTATUS(s) : -1;
    }
    // The files under the folder (settings, command file and stderr aside), named from there, with their bytes.
    std::map<std::string, std::string> pliki(const std::string& pod = "") const {
        std::map<std::string, std::string> m;
        for (const auto& e : fs::recursive_directory_iterator(folder()))
            if (const std::string n = fs::relative(e.path(), folder()).string();
                e.is_regular_file() && n.rfind(pod, 0) == 0 && n.find('.') != n.npos && n != "p.roz" && n != "VE-SK.INI")
                m[n.substr(pod.size())] = read(n);
        return m;
    }
    std::string bledy;
};

std::string nazwy(const std::map<std::string, std::string>& pliki) {
    std::string t;
    for (const auto& p : pliki) t += (t.empty() ? "" : " ") + p.first;
    return t;
}

TEST(NazwyOperatora, TheArgumentNamesATreeFileOrNothingIsMade) {
    struct Wiersz {
        std::string argument, przed;  // the argument; an operator opened before
        int kod;
        std::string nazwy, komunikat;  // the files after it; stderr's text ("{}": the folder)
    };
    const std::string nic = " - nic nie utworzono ani nie otwarto", T = "T.lck T.qad T.tr1";
    const Wiersz wiersze[] = {
        {"Test", "", 2, "", "\"Test\" nie jest plikiem drzewa (*.tr1): nale\xC5\xBCy poda\xC4\x87 plik drzewa operatora, np. Test.tr1" + nic},
        {"Firma", "", 2, "", "np. Firma.tr1" + nic},
        {"T.qad", "", 2, "", "np. T.tr1" + nic},
        {".tr1", "", 2, "", "\".tr1\" nie ma nazwy przed \".tr1\""},
        {"OP/ .tr1", "", 2, "", "np. OP/firma.tr1" + nic},
        // A name of dots alone is none; an extension with a blank after its dot is dropped from the example.
        {"OP/..tr1", "", 2, "", "\"OP/..tr1\" nie ma nazwy przed \".tr1\": nale\xC5\xBCy poda\xC4\x87 plik drzewa operatora, np. OP/firma.tr1" + nic},
        {"...TR1", "", 2, "", "\"...TR1\" nie ma nazwy przed \".tr1\""},
        {"OP/t. tr1", "", 2, "", "\"OP/t. tr1\" nie jest plikiem drzewa (*.tr1): nale\xC5\xBCy poda\xC4\x87 plik drzewa operatora, np. OP/t.tr1" + nic},
        {"firma.TR1", "", 0, "firma.lck firma.qad firma.tr1", "utworzono nowy operator {}firma.tr1\n"},
        {"firma.TR1", "firma.tr1", 0, "firma.lck firma.qad firma.tr1", "otwarto operator {}firma.tr1\n"},
        {"T.tr1 ", "", 0, T, "utworzono nowy operator {}T.tr1\n"},
        {"  T.tr1", "", 0, T, "utworzono nowy operator {}T.tr1\n"},
        {"  T.tr1", "T.tr1", 0, T, "otwarto operator {}T.tr1\n"},
        {"OP/T.tr1", "T.tr1", 0, "OP/T.lck OP/T.qad OP/T.tr1 " + T, "utworzono nowy operator {}OP/T.tr1\n"},
    };
    for (const Wiersz& w : wiersze) {
        SCOPED_TRACE("[" + w.argument + "] after [" + w.przed + "]");
        Folder f;
        ASSERT_TRUE(w.przed.empty() || f.wsad({}, w.przed) == 0) << f.bledy;
        EXPECT_EQ(f.wsad({"stop"}, w.argument), w.kod) << f.bledy;
        EXPECT_EQ(nazwy(f.pliki()), w.nazwy);
        std::string tekst = w.komunikat;
        if (const auto p = tekst.find("{}"); p != std::string::npos) tekst.replace(p, 2, f.folder());
        EXPECT_NE(f.bledy.find(tekst), std::string::npos) << f.bledy;
    }
}

TEST(NazwyOperatora, ANameSpeltAsAFileIsThatFileAndSeveralOtherSpellingsAreRefused) {
    // "T" has the root alone, "t" two nodes more.
    Folder wzory;
    ASSERT_EQ(wzory.wsad({}, "T.tr1"), 0) << wzory.bledy;
    ASSERT_EQ(wzory.wsad({"w\xEAze\xB3 dodaj 0 0", "w\xEAze\xB3 dodaj 0 0"}, "OP/t.tr1"), 0) << wzory.bledy;
    struct Wiersz {
        std::vector<std::string> pliki;  // in OP/, copies of the models' files (the first letter's; ".nowy": a killed creation's)
        std::string argument, linia;
        int kod;
        std::string zmieniony, nazwy;  // the stem whose files change (none: no file does); OP/ after it
    };
    const std::string wczytaj = "wczytaj plik \"OP/T.tr1\"", utworz = "utw\xF3rz plik \"OP/T.tr1\"";
    const std::vector<std::string> obok = {"T.qad", "T.tr1", "t.qad", "t.tr1"}, dwa = {"T.TR1", "T.qad", "t.qad", "t.tr1"},
                                   qad = {"T.QAD", "T.tr1", "t.qad", "t.tr1"}, trzy = {"T.TR1", "T.Tr1", "T.qad", "t.qad", "t.tr1"};
    const Wiersz wiersze[] = {
        {obok, "A.tr1", wczytaj, 0, "T", "T.lck T.qad T.tr1 t.qad t.tr1"},
        {obok, "A.tr1", utworz, 0, "T", "T.lck T.qad T.tr1 t.qad t.tr1"},
        {obok, "OP/T.tr1", utworz, 0, "T", "T.lck T.qad T.tr1 t.qad t.tr1"},
        {{"T.qad", "T.tr1"}, "OP/T.tr1", utworz, 0, "T", "T.lck T.qad T.tr1"},
        {{"T.qad", "T.tr1", "t.qad", "t.tr1.nowy"}, "OP/T.tr1", "stop", 0, "", "T.lck T.qad T.tr1 t.qad t.tr1.nowy"},
        {{"t.qad", "t.tr1"}, "A.tr1", utworz, 0, "t", "t.lck t.qad t.tr1"},
        {{"t.qad", "t.tr1"}, "A.tr1", wczytaj, 0, "t", "t.lck t.qad t.tr1"},
        // The extension's case does not matter: T.TR1 and T.QAD are T's beside t's files, a
        // creation gives them its spelling.
        {dwa, "A.tr1", wczytaj, 0, "T", "T.TR1 T.lck T.qad t.qad t.tr1"},
        {dwa, "A.tr1", utworz, 0, "T", "T.lck T.qad T.tr1 t.qad t.tr1"},
        {dwa, "OP/T.tr1", "stop", 0, "", "T.TR1 T.lck T.qad t.qad t.tr1"},
        {qad, "A.tr1", wczytaj, 0, "T", "T.QAD T.lck T.tr1 t.qad t.tr1"},
        {qad, "A.tr1", utworz, 0, "T", "T.lck T.qad T.tr1 t.qad t.tr1"},
        {qad, "OP/T.tr1", "stop", 0, "", "T.QAD T.lck T.tr1 t.qad t.tr1"},
        // "T.tr1" spelt as none of T.TR1 and T.Tr1.
        {trzy, "A.tr1", wczytaj, 1, "", "T.TR1 T.Tr1 T.qad t.qad t.tr1"},
        {trzy, "OP/T.tr1", "stop", 2, "", "T.TR1 T.Tr1 T.qad t.qad t.tr1"},
    };
    for (const Wiersz& w : wiersze) {
        SCOPED_TRACE(w.pliki.front() + " [" + w.argument + "] " + w.linia);
        Folder f;
        for (const std::string& p : w.pliki) {
            std::string wzor = p.substr(0, 5);
            for (char& c : wzor) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            f.write("OP/" + p, wzory.read(p[0] == 't' ? "OP/" + wzor : "T" + wzor.substr(1)));
        }
        const auto przed = f.pliki("OP/");
        EXPECT_EQ(f.wsad({w.linia, "w\xEAze\xB3 dodaj 0 0"}, w.argument), w.kod) << f.bledy;
        const auto po = f.pliki("OP/");
        for (const auto& [n, bajty] : przed) {
            const bool zmieniony = !w.zmieniony.empty() && n.rfind(w.zmieniony + ".", 0) == 0;
            EXPECT_EQ(!po.count(n) || po.at(n) != bajty, zmieniony) << n;
        }
        EXPECT_EQ(nazwy(po), w.nazwy);
        EXPECT_EQ(f.bledy.find("niejednoznaczna - nie ma pliku o tej pisowni, a pasuje do niej kilka plik\xC3\xB3w r\xC3\xB3\xC5\xBCni\xC4\x85"
                               "cych si\xC4\x99 tylko wielko\xC5\x9B" "ci\xC4\x85 liter: OP/T.TR1, OP/T.Tr1") != f.bledy.npos, w.kod != 0) << f.bledy;
    }
}

// Every path takes a name by one rule (NazwaOperatora.h): the argument,
// "wczytaj plik" and "utwórz plik" alike, for the operator folder of
// VE-SK.INI too. Each row runs twice: the second run finds what the first
// left as it was (no lock file in a third spelling, no false "in use").
TEST(NazwyOperatora, EveryPathTakesTheNameByOneRule) {
    Folder wzory;  // the model operator: the root and two nodes
    ASSERT_EQ(wzory.wsad({"w\xEAze\xB3 dodaj 0 0", "w\xEAze\xB3 dodaj 0 0"}, "M.tr1"), 0) << wzory.bledy;
    struct Wiersz {
        std::string ini;                                // catKARTOPERATORA under the folder ("": the folder)
        std::vector<std::string> pliki, foldery;        // the model's files (by extension) and empty folders made
        std::string argument, linia;                    // the operator argument; a line before "węzeł dodaj"
        int kod;
        std::string komunikat, nazwy, zmienione;        // stderr ("{}": the folder; a part of it unless it ends a
                                                        // line); the files
                                                        // after; the stem (any case) whose files change
    };
    const std::vector<std::string> T = {"OP/T.tr1", "OP/T.qad"}, t = {"t.tr1", "t.qad", "OP/T.tr1", "OP/T.qad"};
    const std::string otwarto = "otwarto operator {}", nowy = "utworzono nowy operator {}", nic = " - nic nie utworzono ani nie otwarto";
    const std::string nieOtwarto = " - operator nie zosta\xC5\x82 otwarty", A = "A.lck A.qad A.tr1 ";
    const std::string sterujacy = " ma w nazwie znak steruj\xC4\x85" "cy \\x09 (tabulator): nale\xC5\xBCy poda\xC4\x87 plik drzewa operatora bez "
                                  "znak\xC3\xB3w steruj\xC4\x85" "cych, np. OP/";
    const std::string zolw = "\xC5\xBB\xC3\x93\xC5\x81W", wiersz4 = " (plik ustawie\xC5\x84 {}VE-SK.INI, wiersz 4: catKARTOPERATORA)";
    const Wiersz wiersze[] = {
        // T asked as t: the argument, "wczytaj plik", "utwórz plik"; Polish letters.
        {"OP/", T, {}, "OP/t.tr1", "", 0, otwarto + "OP/T.tr1\n", "OP/T.lck OP/T.qad OP/T.tr1", "OP/T."},
        {"OP/", T, {}, "A.tr1", "wczytaj plik \"OP/t.tr1\"", 0, nowy + "A.tr1\n", "A.lck A.qad A.tr1 OP/T.lck OP/T.qad OP/T.tr1", "OP/T."},
        // Replacing an operator is told, with the nodes it held.
        {"OP/", T, {}, "A.tr1", "utw\xF3rz plik \"OP/t.tr1\"", 0,
         nowy + "A.tr1\nzast\xC4\x85piono operator {}OP/T.tr1 (w\xC4\x99z\xC5\x82\xC3\xB3w: 3)\n", "A.lck A.qad A.tr1 OP/T.lck OP/T.qad OP/T.tr1", "OP/T."},
        {"OP/", {"OP/" + zolw + ".tr1", "OP/" + zolw + ".qad"}, {}, "OP/\xC5\xBC\xC3\xB3\xC5\x82w.tr1", "", 0,
         otwarto + "OP/" + zolw + ".tr1\n", "OP/" + zolw + ".lck OP/" + zolw + ".qad OP/" + zolw + ".tr1", "OP/" + zolw + "."},
        // t in the working folder, T spelt exactly in the operator folder.
        {"OP/", t, {}, "T.tr1", "", 0, "", "OP/T.lck OP/T.qad OP/T.tr1 t.qad t.tr1", "OP/T."},
        {"OP/", t, {}, "X.tr1", "wczytaj plik \"T.tr1\"", 0, nowy + "X.tr1\n", "OP/T.lck OP/T.qad OP/T.tr1 X.lck X.qad X.tr1 t.qad t.tr1", "OP/T."},
        // The folder spelt otherwise, in VE-SK.INI and in the argument.
        {"op/", T, {}, "T.tr1", "", 0, "", "OP/T.lck OP/T.qad OP/T.tr1", "OP/T."},
        {"OP/", T, {}, "op/T.tr1", "", 0, otwarto + "OP/T.tr1\n", "OP/T.lck OP/T.qad OP/T.tr1", "OP/T."},
        // VE-SK.INI's operator folder matching two folders, or none.
        {"op/", T, {"Op"}, "T.tr1", "", 2, "Folder {}op/" + wiersz4 + ": nazwa niejednoznaczna - nie ma folderu", "OP/T.qad OP/T.tr1", ""},
        {"op/", T, {"Op"}, "T.tr1", "", 2, "liter: {}OP, {}Op; nale", "OP/T.qad OP/T.tr1", ""},
        {"op2/", T, {}, "T.tr1", "", 2, "a folder operator\xC3\xB3w {}op2/" + wiersz4 + " nie istnieje", "OP/T.qad OP/T.tr1", ""},
        // A tree and a state file spelt otherwise, asked in a third spelling.
        {"OP/", {"OP/Ab.tr1", "OP/ab.qad"}, {}, "OP/aB.tr1", "", 0, otwarto + "OP/Ab.tr1\n", "OP/Ab.lck OP/Ab.tr1 OP/ab.qad", "OP/ab."},
        // Blanks around the name.
        {"OP/", {}, {}, "OP/sp .tr1", "", 0, nowy + "OP/sp.tr1\n", "OP/sp.lck OP/sp.qad OP/sp.tr1", ""},
        {"OP/", {"OP/sp.tr1", "OP/sp.qad"}, {}, "A.tr1", "wczytaj plik \"OP/sp .tr1\"", 0, nowy + "A.tr1\n", "A.lck A.qad A.tr1 OP/sp.lck OP/sp.qad OP/sp.tr1", "OP/sp."},
        {"OP/", {}, {}, "OP/T.tr1.", "", 2, "\"OP/T.tr1.\" nie jest plikiem drzewa (*.tr1): nale\xC5\xBCy poda\xC4\x87 plik drzewa operatora, np. OP/T.tr1" + nic, "", ""},
        // A folder is no operator's file: "t.tr1" a folder beside T names T; a folder where the file
        // would be looked for is named as it is spelt.
        {"OP/", T, {"OP/t.tr1"}, "OP/t.tr1", "", 0, otwarto + "OP/T.tr1\n", "OP/T.lck OP/T.qad OP/T.tr1", "OP/T."},
        {"OP/", T, {"OP/t.tr1"}, "A.tr1", "wczytaj plik \"OP/t.tr1\"", 0, nowy + "A.tr1\n", A + "OP/T.lck OP/T.qad OP/T.tr1", "OP/T."},
        {"OP/", {"OP/T.tr1"}, {"OP/t.qad"}, "OP/T.tr1", "", 2, "Operator OP/T.tr1 nie ma pliku stanu (OP/t.qad jest folderem)" + nieOtwarto + "\n", "OP/T.tr1", ""},
        {"OP/", {"OP/T.tr1"}, {"OP/t.qad"}, "A.tr1", "wczytaj plik \"OP/t.tr1\"", 1, "Operator OP/T.tr1 nie ma pliku stanu (OP/t.qad jest folderem)" + nieOtwarto, A + "OP/T.tr1", ""},
        {"OP/", {"OP/T.qad"}, {"OP/t.tr1"}, "A.tr1", "wczytaj plik \"OP/T.tr1\"", 1, "Operator OP/T.tr1 nie ma pliku drzewa (OP/t.tr1 jest folderem)" + nieOtwarto, A + "OP/T.qad", ""},
        // A control character anywhere is refused, shown escaped; nothing is made.
        {"OP/", T, {}, "OP/t\t.tr1", "", 2, "Operator \"OP/t\\x09.tr1\"" + sterujacy + "t.tr1" + nic + "\n", "OP/T.qad OP/T.tr1", ""},
        {"OP/", T, {}, "A.tr1", "wczytaj plik \"OP/\tT.tr1\"", 1, "Operator \"OP/\\x09T.tr1\"" + sterujacy + "T.tr1" + nic, A + "OP/T.qad OP/T.tr1", ""},
        {"OP/", T, {}, "A.tr1", "utw\xF3rz plik \"OP/t\tx.tr1\"", 1, "Operator \"OP/t\\x09x.tr1\"" + sterujacy + "tx.tr1" + nic, A + "OP/T.qad OP/T.tr1", ""},
        {"OP/", {}, {}, "A.tr1", "utw\xF3rz plik \"OP/...TR1\"", 1, "\"OP/...TR1\" nie ma nazwy przed \".tr1\"", "A.lck A.qad A.tr1", ""},
        // No operator: "testint", the program's name, spelt so; a user's Testint (and TESTINT) is
        // another operator, left as it is; a testint there is replaced, told as "utwórz plik" tells it.
        {"OP/", {"OP/Testint.tr1", "OP/Testint.qad"}, {}, "", "", 0, nowy + "OP/testint.tr1\n",
         "OP/Testint.qad OP/Testint.tr1 OP/testint.lck OP/testint.qad OP/testint.tr1", ""},
        {"OP/", {"OP/Testint.tr1", "OP/Testint.qad", "OP/TESTINT.tr1"}, {}, "", "", 0, nowy + "OP/testint.tr1\n",
         "OP/TESTINT.tr1 OP/Testint.qad OP/Testint.tr1 OP/testint.lck OP/testint.qad OP/testint.tr1", ""},
        {"OP/", {"OP/testint.tr1", "OP/testint.qad"}, {}, "", "", 0, "zast\xC4\x85piono operator {}OP/testint.tr1 (w\xC4\x99z\xC5\x82\xC3\xB3w: 3)\n",
         "OP/testint.lck OP/testint.qad OP/testint.tr1", "OP/testint."},
    };
    for (const Wiersz& w : wiersze) {
        SCOPED_TRACE("[" + w.argument + "] " + w.linia + " (" + w.ini + ")");
        Folder f;
        f.write("VE-SK.INI", f.read("VE-SK.INI") + w.ini);
        for (const std::string& d : w.foldery) fs::create_directory(f.file(d));
        for (const std::string& p : w.pliki) f.write(p, wzory.read("M" + p.substr(p.size() - 4)));
        const auto przed = f.pliki();
        std::vector<std::string> linie = {"w\xEAze\xB3 dodaj 0 0"};
        if (!w.linia.empty()) linie.insert(linie.begin(), w.linia);
        for (int raz = 0; raz < 2; ++raz) {
            EXPECT_EQ(f.wsad(linie, w.argument), w.kod) << raz << f.bledy;
            std::string tekst = w.komunikat;
            for (std::size_t p; (p = tekst.find("{}")) != std::string::npos;) tekst.replace(p, 2, f.folder());
            if (raz == 0 && (tekst.empty() || tekst.back() == '\n')) EXPECT_EQ(f.bledy, tekst);
            if (raz == 0 && !tekst.empty()) EXPECT_NE(f.bledy.find(tekst), std::string::npos) << f.bledy;
            const auto po = f.pliki();
            EXPECT_EQ(nazwy(po), w.nazwy);
            for (const auto& [n, bajty] : przed) {
                const bool zmieniony = !w.zmienione.empty() && n.size() > w.zmienione.size() &&
                                       equalNoCaseCp1250(n.substr(0, w.zmienione.size()), w.zmienione);
                EXPECT_EQ(!po.count(n) || po.at(n) != bajty, zmieniony) << n;
            }
        }
    }
}

// Copies of one stem in other spellings, as an old disk leaves them: the
// name typed is that file, and a tree goes with its own state file (its
// extension in the tree's letter case) on every path; a choice among
// several is refused, and nothing is repaired against another copy.
TEST(NazwyOperatora, ATreeGoesWithItsOwnStateFileAndANameTypedIsThatFile) {
    Folder wzory;  // M: the root and two nodes; R: the root alone
    ASSERT_EQ(wzory.wsad({"w\xEAze\xB3 dodaj 0 0", "w\xEAze\xB3 dodaj 0 0"}, "M.tr1"), 0) << wzory.bledy;
    ASSERT_EQ(wzory.wsad({}, "R.tr1"), 0) << wzory.bledy;
    struct Wiersz {
        std::string pliki;  // "T.TR1:M": OP/T.TR1 a copy of M.tr1; ":@" a link to a file elsewhere
        std::string argument, linia;
        int kod;
        std::string zmienione, komunikat;  // the files of OP/ that change; stderr ("{}": the folder; a part
                                           // of it unless it ends a line)
    };
    const std::string stray = "T.TR1:M T.QAD:M T.qad:R", para = "T.TR1:M T.QAD:M T.tr1:M T.qad:M";
    const std::string copies = para + " T.Tr1:R T.Qad:R", krzyz = "T.TR1:M T.qad:M T.Tr1:R T.QAD:R";
    const std::string niejednoznaczna = "niejednoznaczna - nie ma pliku o tej pisowni, a pasuje do niej kilka plik\xC3\xB3w "
                                        "r\xC3\xB3\xC5\xBCni\xC4\x85" "cych si\xC4\x99 tylko wielko\xC5\x9B" "ci\xC4\x85 liter: ";
    const Wiersz wiersze[] = {
        {stray, "OP/T.TR1", "", 0, "T.QAD T.TR1", ""},
        {stray, "OP/t.tr1", "", 0, "T.QAD T.TR1", "otwarto operator {}OP/T.TR1\n"},
        {stray, "A.tr1", "wczytaj plik \"OP/T.TR1\"", 0, "T.QAD T.TR1", "utworzono nowy operator {}A.tr1\n"},
        {para, "OP/T.TR1", "", 0, "T.QAD T.TR1", ""},
        {para, "OP/T.tr1", "", 0, "T.qad T.tr1", ""},
        {para, "A.tr1", "wczytaj plik \"OP/T.TR1\"", 0, "T.QAD T.TR1", "utworzono nowy operator {}A.tr1\n"},
        {"T.TR1:M T.Tr1:M T.QAD:M", "OP/T.TR1", "", 0, "T.QAD T.TR1", ""},
        {"t.tr1:M T.qad:M T.QAD:R", "OP/t.tr1", "", 2, "", "niejednoznaczna - nie ma pliku o tej pisowni, a pasuje do niej kilka "
                                                           "plik\xC3\xB3w r\xC3\xB3\xC5\xBCni\xC4\x85" "cych si\xC4\x99 tylko "
                                                           "wielko\xC5\x9B" "ci\xC4\x85 liter: OP/T.QAD, OP/T.qad"},
        // A spelling no file has among copies is refused, the one spelt as the program writes too; so is a
        // name whose own state file is there without its tree, and a repair against a state file of the
        // stem beside other copies (the trees would trade places).
        {copies, "OP/T.tR1", "", 2, "", niejednoznaczna + "OP/T.TR1, OP/T.Tr1, OP/T.tr1; nale"},
        {"T.TR1:M T.QAD:M T.tr1:R T.qad:R", "A.tr1", "wczytaj plik \"OP/T.tR1\"", 1, "", niejednoznaczna + "OP/T.TR1, OP/T.tr1; nale"},
        {"T.QAD:M T.tr1:R T.qad:R", "OP/T.TR1", "", 2, "", "Plik stanu OP/T.QAD nie ma swojego pliku drzewa OP/T.TR1 (plik OP/T.tr1 jest"},
        {"T.QAD:M T.tr1:R T.qad:R", "A.tr1", "wczytaj plik \"OP/T.TR1\"", 1, "", "Plik stanu OP/T.QAD nie ma swojego"},
        {krzyz, "OP/T.TR1", "", 2, "", "Plik drzewa OP/T.TR1 i plik stanu OP/T.QAD maj\xC4\x85 r\xC3\xB3\xC5\xBCne w\xC4\x99z\xC5\x82y "
                                       "(w drzewie: 0, 1, 2; w pliku stanu: 0), a obok s\xC4\x85 inne kopie operatora: OP/T.Tr1, OP/T.qad"},
        {krzyz, "OP/T.Tr1", "", 2, "", "Plik drzewa OP/T.Tr1 i plik stanu OP/T.qad"},
        // A creation never writes over another copy.
        {para, "A.tr1", "utw\xF3rz plik \"OP/T.TR1\"", 1, "", "Plik OP/T.tr1 jest inn\xC4\x85 kopi\xC4\x85 operatora ni\xC5\xBC OP/T.TR1"},
        // A replaced operator without a state file is said so.
        {"T.TR1:M", "A.tr1", "utw\xF3rz plik \"OP/T.tr1\"", 0, "T.TR1",
         "zast\xC4\x85piono operator {}OP/T.tr1 (w\xC4\x99z\xC5\x82\xC3\xB3w: 3; bez pliku stanu)"},
        // The program's own testint beside a user's Testint of any kind.
        {"Testint.tr1:@ Testint.qad:R", "", "", 0, "", "utworzono nowy operator {}OP/testint.tr1\n"},
    };
    for (const Wiersz& w : wiersze) {
        SCOPED_TRACE(w.pliki + " [" + w.argument + "] " + w.linia);
        Folder f;
        f.write("VE-SK.INI", f.read("VE-SK.INI") + "OP/");
        std::istringstream pliki(w.pliki);
        for (std::string p; pliki >> p;) {
            const std::string n = p.substr(0, p.find(':')), wzor = p.substr(p.find(':') + 1);
            std::string rozszerzenie = n.substr(n.size() - 3);
            for (char& c : rozszerzenie) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            if (wzor == "@") {
                f.write("gdzie.tr1", "d/r 0\r\n");
                fs::create_symlink("../gdzie.tr1", f.file("OP/" + n));
            } else {
                f.write("OP/" + n, wzory.read(wzor + "." + rozszerzenie));
            }
        }
        const auto przed = f.pliki("OP/");
        std::vector<std::string> linie = {"w\xEAze\xB3 dodaj 0 0"};
        if (!w.linia.empty()) linie.insert(linie.begin(), w.linia);
        EXPECT_EQ(f.wsad(linie, w.argument), w.kod) << f.bledy;
        std::string tekst = w.komunikat;
        for (std::size_t p; (p = tekst.find("{}")) != std::string::npos;) tekst.replace(p, 2, f.folder());
        if (tekst.empty() || tekst.back() == '\n') EXPECT_EQ(f.bledy, tekst);
        else EXPECT_NE(f.bledy.find(tekst), std::string::npos) << f.bledy;
        const auto po = f.pliki("OP/");
        std::string zmienione;
        for (const auto& [n, bajty] : przed)
            if (!po.count(n) || po.at(n) != bajty) zmienione += (zmienione.empty() ? "" : " ") + n;
        EXPECT_EQ(zmienione, w.zmienione);
    }
}

// What a creation killed before its commit point left beside a lone state
// file is removed and named by the next run, which makes nothing.
TEST(NazwyOperatora, WhatAKilledCreationOverALoneStateFileLeftIsRemovedAndNamed) {
    Folder f;
    for (const char* p : {"T.qad", "T.qad.nowy", "T.tr1.nowy", "T.qad.nowy.tmpAb12Cd"}) f.write(std::string("OP/") + p, p);
    const std::string brak = "Brak pliku drzewa OP/T.tr1 obok istniej\xC4\x85" "cego pliku stanu OP/T.qad - operator nie zosta\xC5\x82 utworzony";
    for (const std::string& tekst : {brak + "; usuni\xC4\x99to pliki pozostawione przez przerwane tworzenie operatora: "
                                            "OP/T.tr1.nowy, OP/T.qad.nowy, OP/T.qad.nowy.tmpAb12Cd\n",
                                     brak + "\n"}) {
        EXPECT_EQ(f.wsad({}, "OP/T.tr1"), 2);
        EXPECT_EQ(f.bledy, tekst);
        EXPECT_EQ(nazwy(f.pliki("OP/")), "T.qad");
    }
    EXPECT_EQ(f.read("OP/T.qad"), "T.qad");
}

// An operator folder that can be entered but not listed (mode 333, to an
// ordinary user: root reads every folder) tells nothing of the operators
// in it: every path refuses, naming it and why. One where no file can be
// made (mode 555; a read-only medium, with the lock file every opened
// operator has) opens the operator for reading, and a change is refused
// before a byte of it is written. Nothing is made or changed. An entry
// that cannot be followed (a link into a folder of root's, mode 700) tells
// nothing only of a file of its name: beside T, in its folder or in the
// working folder, it blocks nothing; as one of T's files in another letter
// case it refuses T, naming it and why.
TEST(NazwyOperatora, AFolderThatCannotBeListedOrWrittenIsRefusedOnEveryPath) {
    const bool root = ::geteuid() == 0;
    const std::string jako = root ? "setpriv --reuid=65534 --regid=65534 --clear-groups " : "";
    if (root && std::system((jako + "true 2>/dev/null").c_str()) != 0)
        GTEST_SKIP() << "runs as root without setpriv: no user to whom a folder cannot be listed";
    Folder wzory;
    ASSERT_EQ(wzory.wsad({"w\xEAze\xB3 dodaj 0 0"}, "M.tr1"), 0) << wzory.bledy;
    // The program and its parameters where the user can reach them, wherever
    // the build is (a clone in a folder of root's own).
    TempDir program;
    fs::permissions(program.folder(), fs::perms::all);
    fs::copy(VESK_DATA_DIR "PARAMETR", program.file("PARAMETR"));
    fs::copy_file(VESK_WSAD, program.file("vesk-wsad"));
    fs::permissions(program.file("PARAMETR"), fs::perms::all);
    for (const auto& e : fs::directory_iterator(program.file("PARAMETR"))) fs::permissions(e.path(), fs::perms::all);
    fs::permissions(program.file("vesk-wsad"), fs::perms::all);
    // T in OP/ with its lock file, its settings pointing at the program's
    // copy; the folder then the user's.
    const auto przygotuj = [&](Folder& f, const std::string& linia) {
        std::string ini = f.read("VE-SK.INI");
        for (std::size_t p; (p = ini.find(VESK_DATA_DIR)) != std::string::npos;)
            ini.replace(p, std::string_view(VESK_DATA_DIR).size(), program.folder());
        f.write("VE-SK.INI", ini + "OP/");
        for (const char* p : {"OP/T.tr1", "OP/T.qad", "OP/T.lck"}) f.write(p, wzory.read(std::string("M") + (p + 4)));
        f.write("p.roz", "run\r\n" + linia + "\r\nstop\r\n");
    };
    const auto oddaj = [&](Folder& f) {
        fs::permissions(f.folder(), fs::perms::all);
        if (root) {
            ASSERT_EQ(std::system(("chown -R 65534 '" + f.folder() + "'").c_str()), 0);
        }
    };
    const auto wsad = [&](Folder& f, const std::string& argument, const std::string& kto) {
        const int s = std::system(("cd '" + f.folder() + "' && " + kto + "'" + program.file("vesk-wsad") + "' p.roz '" +
                                   argument + "' 2>bledy >/dev/null").c_str());
        return WIFEXITED(s) ? WEXITSTATUS(s) : -1;
    };
    const std::string nieczytelny = "nie daje si\xC4\x99 odczyta\xC4\x87: brak uprawnie\xC5\x84",
                      zmiana = "w\xEAze\xB3 dodaj 0 0 x1\r\nw\xEAze\xB3 symuluj x1",
                      tylko = "Operator OP/T.tr1 jest tylko do odczytu - zmiana odrzucona";
    const int nosnik = 0;  // a read-only medium: a bind mount, where one can be made
    for (const auto& [tryb, argument, linia, kod, tekst] :
         {std::tuple{0333, "OP/T.tr1", std::string(), 2, nieczytelny}, {0333, "T.tr1", "", 2, nieczytelny},
          {0333, "./A.tr1", "wczytaj plik \"OP/T.tr1\"", 1, nieczytelny},
          {0333, "./A.tr1", "utw\xF3rz plik \"OP/T.tr1\"", 1, nieczytelny},
          {0333, "./A.tr1", "utw\xF3rz plik \"T.tr1\"", 1, nieczytelny}, {0555, "OP/T.tr1", zmiana, 1, tylko},
          {nosnik, "OP/T.tr1", zmiana, 1, tylko}}) {
        SCOPED_TRACE(std::to_string(tryb) + " " + argument + " " + linia);
        Folder f;
        przygotuj(f, linia);
        const auto przed = f.pliki("OP/");
        const std::string op = f.file("OP");
        oddaj(f);
        if (tryb != nosnik) fs::permissions(op, static_cast<fs::perms>(tryb));
        else if (!root || std::system(("mount --bind '" + op + "' '" + op + "' 2>/dev/null").c_str()) != 0) {
            std::cout << "no bind mount here: the read-only medium is not tried\n";
            continue;
        } else
            EXPECT_EQ(std::system(("mount -o remount,ro,bind '" + op + "'").c_str()), 0);
        const int s = wsad(f, argument, tryb != nosnik ? jako : "");
        if (tryb == nosnik) {
            EXPECT_EQ(std::system(("umount '" + op + "'").c_str()), 0);
        }
        fs::permissions(op, fs::perms::all);
        EXPECT_EQ(s, kod);
        EXPECT_NE(f.read("bledy").find(tekst), std::string::npos) << f.read("bledy");
        EXPECT_EQ(f.pliki("OP/"), przed);
        EXPECT_FALSE(f.exists("T.tr1") || f.exists("T.qad"));
    }
    TempDir zamkniety;
    fs::permissions(zamkniety.folder(), fs::perms::none);
    for (const auto& [dowiazanie, argument, kod] : {std::tuple{"OP/zz", "OP/T.tr1", 0}, {"zz", "T.tr1", 0}, {"OP/t.QAD", "OP/T.tr1", 2}}) {
        Folder f;
        przygotuj(f, "");
        fs::create_symlink(zamkniety.file("y"), f.file(dowiazanie));
        oddaj(f);
        EXPECT_EQ(wsad(f, argument, jako), kod) << dowiazanie << f.read("bledy");
        if (kod) {
            EXPECT_NE(f.read("bledy").find("Plik OP/t.QAD nie daje si\xC4\x99 odczyta\xC4\x87: brak uprawnie\xC5\x84"), std::string::npos);
        }
    }
    fs::permissions(zamkniety.folder(), fs::perms::owner_all);
}

// What a killed program left beside t (a pending save, a new tree, a lock)
// stays t's while T beside it is opened or created and saved.
TEST(NazwyOperatora, SavingTLeavesTheFilesOfTAlone) {
    Folder wzory;
    ASSERT_EQ(wzory.wsad({}, "T.tr1"), 0) << wzory.bledy;
    ASSERT_EQ(wzory.wsad({"w\xEAze\xB3 dodaj 0 0", "w\xEAze\xB3 dodaj 0 0"}, "OP/t.tr1"), 0) << wzory.bledy;
    // t's save of record 1 killed once its journal was in place (FNV-1a checksum).
    const std::size_t rs = 22480;
    const std::string stary = wzory.read("OP/t.qad").substr(rs, rs);
    std::string nowy = stary, zapis = "VESKZAP2\1" + stary.substr(0, 1);
    nowy[100] ^= 1;
    zapis += nowy + stary;
    std::uint64_t h = 14695981039346656037ull;
    for (char c : zapis) h = (h ^ static_cast<unsigned char>(c)) * 1099511628211ull;
    for (int i = 0; i < 8; ++i) zapis += static_cast<char>(h >> (8 * i));
    const std::vector<std::string> zapisT = {"w\xEAze\xB3 dodaj 0 0 x1", "w\xEAze\xB3 symuluj x1"};
    for (const std::string& linia : {std::string(), std::string("wczytaj plik \"OP/T.tr1\""), std::string("utw\xF3rz plik \"OP/T.tr1\"")}) {
        SCOPED_TRACE(linia);
        Folder f;
        for (const std::string p : {"T.qad", "T.tr1"}) f.write("OP/" + p, wzory.read(p));
        for (const std::string p : {"t.qad", "t.tr1"}) f.write("OP/" + p, wzory.read("OP/" + p));
        f.write("OP/t.qad.zapis", zapis);
        f.write("OP/t.tr1.nowy", wzory.read("OP/t.tr1"));
        f.write("OP/t.lck", "");
        auto linie = zapisT;
        if (!linia.empty()) linie.insert(linie.begin(), linia);
        const auto przed = f.pliki("OP/");
        EXPECT_EQ(f.wsad(linie, linia.empty() ? "OP/T.tr1" : "A.tr1"), 0) << f.bledy;
        const auto po = f.pliki("OP/");
        for (const auto& [n, bajty] : przed)
            if (n[0] == 't') EXPECT_TRUE(po.count(n) && po.at(n) == bajty) << n;
        EXPECT_EQ(nazwy(po), "T.lck T.qad T.tr1 t.lck t.qad t.qad.zapis t.tr1 t.tr1.nowy");
        EXPECT_EQ(po.at("T.qad").size(), 2 * rs);
        // t opens with its save finished.
        EXPECT_EQ(f.wsad({"stop"}, "OP/t.tr1"), 0) << f.bledy;
        EXPECT_TRUE(f.read("OP/t.qad").substr(rs, rs) == nowy);
        EXPECT_EQ(nazwy(f.pliki("OP/")), "T.lck T.qad T.tr1 t.lck t.qad t.tr1");
    }
}

}  // namespace
}  // namespace vesk::test
