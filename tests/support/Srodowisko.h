// What a test sets about the program for as long as it runs: a folder on
// a read-only medium, an environment variable.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace vesk::test {

// The folder (ending with "/") on a read-only medium for as long as this
// lives: a bind mount made read-only; `jest` false where none can be made.
struct NosnikTylkoDoOdczytu {
    std::string sciezka;
    bool jest = false;
    explicit NosnikTylkoDoOdczytu(const std::string& folder) : sciezka(folder.substr(0, folder.size() - 1)) {
        jest = std::system(("mount --bind '" + sciezka + "' '" + sciezka + "' 2>/dev/null").c_str()) == 0;
        if (jest && std::system(("mount -o remount,ro,bind '" + sciezka + "'").c_str()) != 0) zdejmij();
    }
    ~NosnikTylkoDoOdczytu() { zdejmij(); }
    void zdejmij() {
        if (jest) {
            EXPECT_EQ(std::system(("umount '" + sciezka + "'").c_str()), 0);
        }
        jest = false;
    }
};

// An environment variable set for as long as this lives.
struct ZmiennaSrodowiska {
    std::string nazwa, dawna;
    bool byla = false;
    ZmiennaSrodowiska(std::string n, const std::string& wartosc) : nazwa(std::move(n)) {
        if (const char* d = std::getenv(nazwa.c_str())) byla = true, dawna = d;
        ::setenv(nazwa.c_str(), wartosc.c_str(), 1);
    }
    ~ZmiennaSrodowiska() { byla ? ::setenv(nazwa.c_str(), dawna.c_str(), 1) : ::unsetenv(nazwa.c_str()); }
};

}  // namespace vesk::test
