#include "DrzewoDecyzji.h"

#include <gtest/gtest.h>

#include "TempDir.h"
#include "WorkbenchError.h"

namespace vesk {
namespace {

TEST(Rozbierz, KindAndNumberOfALabel) {
    struct {
        const char* etykieta;
        std::uint8_t rodzaj;
        const char* rodzajTekst;
        const char* numer;
    } przypadki[] = {
        {"d/r 12", 0, "d/r", "12"}, {"d/r 0", 0, "d/r", "0"}, {"d 7", 1, "d", "7"},
        {"q 3", 2, "przed", "przed"}, {"", 2, "przed", "przed"}, {"D 3", 2, "przed", "przed"},
    };
    for (const auto& p : przypadki) {
        std::string r = "przed", n = "przed";
        EXPECT_EQ(rozbierz(p.etykieta, r, n), p.rodzaj) << p.etykieta;
        EXPECT_EQ(r, p.rodzajTekst) << p.etykieta;
        EXPECT_EQ(n, p.numer) << p.etykieta;
    }
}

TEST(Rozbierz, ANodeNumberOnlyFromALabelInItsExactForm) {
    const std::pair<const char*, int> przypadki[] = {
        {"d/r 0", 0}, {"d/r 12", 12}, {"d 50", 50}, {"d/r 51", -1}, {"d 05", -1}, {"d/r5", -1},  {"dX5", -1},
        {"d/r 7 ", -1}, {"d ", -1},   {"", -1},     {"x 5", -1},    {"d -1", -1}, {"d/r 1a", -1},
    };
    for (const auto& [etykieta, numer] : przypadki) EXPECT_EQ(NumerZEtykiety(etykieta), numer) << etykieta;
}

TEST(DrzewoTr1, AFourNodeTreeReadWithLfIsWrittenBackWithCrLf) {
    test::TempDir dir;
    dir.write("a.tr1", "d/r 0\n\td/r 3\n\t\td 7\n\td 1\n");
    DrzewoDecyzji d = DrzewoDecyzji::Wczytaj(dir.file("a.tr1"));
    ASSERT_EQ(d.Liczba(), 4);
    EXPECT_EQ(d.Rodzic(2), 1);
    EXPECT_EQ(d.Dzieci(0), (std::vector<int>{1, 3}));
    EXPECT_EQ(d.Zaglebienie(), 2);
    EXPECT_EQ(d.Znajdz(7), 2);
    ASSERT_TRUE(d.Zapisz(dir.file("b.tr1")));
    EXPECT_EQ(dir.read("b.tr1"), "d/r 0\r\n\td/r 3\r\n\t\td 7\r\n\td 1\r\n");
    EXPECT_FALSE(dir.exists("b.tr1.nowy"));
    // Blanks indent as TABs do.
    EXPECT_EQ(DrzewoDecyzji::ZTekstu("d/r 0\r\n d/r 3\r\n  d 7\r\n d 1\r\n", "c.tr1"), d);
}

TEST(DrzewoTr1, BadFilesAreRefusedNamingTheLine) {
    struct {
        const char* co;
        std::string bajty;
        int wiersz;
    } przypadki[] = {
        {"level jump", "d/r 0\r\n\t\td 2\r\n", 2},
        {"second root", "d/r 0\r\n\td 1\r\nd/r 2\r\n", 3},
        {"root not first", "\td/r 0\r\n", 1},
        {"node 51", "d/r 0\r\n\td 51\r\n", 2},
        {"number twice", "d/r 0\r\n\td 7\r\n\td 7\r\n", 3},
        {"not a label", "d/r 0\r\n\tq 3\r\n", 2},
        {"leading zero", "d/r 0\r\n\td 07\r\n", 2},
        {"empty", "", 0},
        {"binary", std::string("\x00\x01\xff\xfe", 4), 1},
    };
    for (const auto& p : przypadki) {
        try {
            DrzewoDecyzji::ZTekstu(p.bajty, "zly.tr1");
            ADD_FAILURE() << p.co << " accepted";
        } catch (const WorkbenchError& e) {
            EXPECT_EQ(e.kind(), WorkbenchError::Kind::TreeFormat) << p.co;
            EXPECT_EQ(e.line(), p.wiersz) << p.co;
            EXPECT_NE(std::string(e.what()).find("zly.tr1"), std::string::npos) << p.co;
        }
    }
}

TEST(DrzewoTr1, SortingOrdersSiblingsByNumberWithTheirSubtrees) {
    DrzewoDecyzji d = DrzewoDecyzji::ZTekstu("d/r 0\n\td/r 10\n\t\td 3\n\t\td 2\n\td/r 9\n", "x");
    d.Sortuj();
    EXPECT_EQ(d.Linie(), (std::vector<std::string>{"d/r 0", "\td/r 9", "\td/r 10", "\t\td 2", "\t\td 3"}));
}

TEST(DrzewoTr1, AMissingFileIsAReadError) {
    try {
        DrzewoDecyzji::Wczytaj("/nonexistent/x.tr1");
        ADD_FAILURE();
    } catch (const WorkbenchError& e) {
        EXPECT_EQ(e.kind(), WorkbenchError::Kind::TreeRead);
    }
}

}  // namespace
}  // namespace vesk
