#include "ParametryPomocy.h"

#include "Pomocnicze.h"
#include "TekstyOkien.h"

namespace vesk {

std::vector<WierszParametru> WierszeParametrow(const ZmienneModelu& m) {
    struct Opis {
        long double wartosc;
        int miejsca;
        const char* jednostka;
        const char* opis;
    };
    const char* popytA = "(tys. j. wyr.)^2 / (rok*zł)";
    const char* popytB = "tys. j. wyr./rok";
    const char* surowiec = "mln.zł/tys.j.sur";
    const char* praca = "osoba*rok/tys.j.wyr.";
    const Opis opisy[] = {
        {m.StawkaAmortyzacji, 1, "% / rok", "Stawka odpisów amortyzacyjnych (%/rok)"},
        {m.OprocentowanieKredytuInwestycyjnego, 1, "% / rok", "Stawka oprocentowania kredytu inwestycyjnego"},
        {m.OprocentowanieKredytuObrotowego, 1, "% / rok", "Stawka oprocentowania kredytu obrotowego"},
        {m.OprocentowanieKredytuSanacyjnego, 1, "% / rok", "Stawka oprocentowania kredytu sanacyjnego (%/rok)"},
        {m.StawkaPodatkuDochodowego, 1, "%", "Stawka podatku dochodowego"},
        {m.StawkaPodatkuOdWynagrodzen, 1, "%", "Stawka podatku od wynagrodzeń"},
        {m.StawkaSkladekZUS, 1, "%", "Stawka składek na ZUS"},
        {m.StopaDywidendy, 1, "%", "Stopa dywidendy"},
        {m.StawkaFunduszuSocjalnego, 1, "%", "Stawka odpisu na fundusz socjalny"},
        {m.StawkaFunduszuMieszkaniowego, 1, "%", "Stawka odpisu na fundusz mieszkaniowy"},
        {m.NormatywPodzialuAmortyzacji, 1, "%", "Normatyw podziału amortyzacji"},
        {m.StawkaDekapitalizacji, 1, "%", "Roczna stawka dekapitalizacji(%)"},
        {m.NormatywZapasu, 2, "tydzień", "Normatyw zapasu surowców i wyrobów gotowych"},
        {m.CenySurowcow[1][1], 4, surowiec, "Cena surowca WHITE"},
        {m.CenySurowcow[1][2], 4, surowiec, "Cena surowca BLACK"},
        {m.CenySurowcow[1][3], 4, surowiec, "Cena surowca RED"},
        {m.CzasPrzejsciaProdukcji[1], 2, "rok", "Czas przejscia produkcji w toku ALFA"},
        {m.CzasPrzejsciaProdukcji[2], 2, "rok", "Czas przejscia produkcji w toku BETA"},
        {m.CzasPrzejsciaProdukcji[3], 2, "rok", "Czas przejscia produkcji w toku GAMMA"},
        {m.PracochlonnoscProdukcji[1], 1, praca, "Pracochłonnosc produkcji w toku ALFA"},
        {m.PracochlonnoscProdukcji[2], 1, praca, "Pracochłonnosc produkcji w toku BETA"},
        {m.PracochlonnoscProdukcji[3], 1, praca, "Pracochłonnosc produkcji w toku GAMMA"},
        {m.WspolczynnikiPopytuA[1], 1, popytA, "Współczynnik A funkcji popytu wyrobu ALFA"},
        {m.WspolczynnikiPopytuB[1], 1, popytB, "Współczynnik B funkcji popytu wyrobu ALFA"},
        {m.WspolczynnikiPopytuA[2], 1, popytA, "Współczynnik A funkcji popytu wyrobu BETA"},
        {m.WspolczynnikiPopytuB[2], 1, popytB, "Współczynnik B funkcji popytu wyrobu BETA"},
        {m.WspolczynnikiPopytuA[3], 1, popytA, "Współczynnik A funkcji popytu wyrobu GAMMA"},
        {m.WspolczynnikiPopytuB[3], 1, popytB, "Współczynnik B funkcji popytu wyrobu GAMMA"},
        {m.WspolczynnikKorygujacy, 3, "", "Współczynnik korygujący przy spadku produkcji sprzed. netto"},
    };
    std::vector<WierszParametru> rows;
    rows.push_back({"wartosc", "jednostka", cp1250("wyszczególnienie")});
    for (const auto& o : opisy) rows.push_back({RealNaTekst(o.wartosc, 3, o.miejsca), cp1250(o.jednostka), cp1250(o.opis)});
    return rows;
}

}  // namespace vesk
