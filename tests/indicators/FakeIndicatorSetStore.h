// An indicator set store held in memory: files are tables by path, reads
// can find the file held by another program, writes can fail.
#pragma once

#include <map>
#include <stdexcept>
#include <string>

#include "IndicatorSetStore.h"

namespace vesk::test {

class FakeIndicatorSetStore : public IndicatorSetStore {
public:
    TabelaWskaznikow read(const std::string& path) override {
        ++reads;
        if (failingReads > 0) {
            --failingReads;
            throw BladZestawu(BladZestawu::Rodzaj::Zajety, "held " + path);
        }
        auto it = files.find(path);
        if (it == files.end()) throw std::runtime_error("no file " + path);
        return it->second;
    }
    void write(const std::string& path, const TabelaWskaznikow& tabela) override {
        ++writes;
        if (failWrites || path.empty()) throw std::runtime_error("cannot write " + path);
        TabelaWskaznikow kopia;
        for (int r = 1; r <= tabela.LiczbaWskaznikow; ++r)
            for (int c = 1; c <= KolumnZestawu; ++c) kopia.UstawKomorke(r, c, tabela.Komorka(r, c));
        files[path] = kopia;
    }

    // A file of the title row and one row per name.
    void put(const std::string& path, const std::vector<std::string>& names, bool title = true) {
        TabelaWskaznikow t;
        if (title) t.UstawKomorke(1, kol::Nazwa, "nazwa");
        int r = 2;
        for (const auto& n : names) t.UstawKomorke(r++, kol::Nazwa, n);
        files[path] = t;
    }

    std::map<std::string, TabelaWskaznikow> files;
    int failingReads = 0;
    bool failWrites = false;
    int reads = 0, writes = 0;
};

}  // namespace vesk::test
