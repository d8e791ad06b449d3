// The indicator session's report file, diagnosis file and expert commands.
#include <exception>

#include "CodePage.h"
#include "IndicatorSession.h"
#include "PozycjaBilansu.h"
#include "PozycjeSprawozdan.h"

namespace vesk {

namespace {

// The workbook of the set in use; before any read, the default set's name
// in the program folder.
std::string PlikZestawu(const ZestawWskaznikow& z, const Kontekst& k) {
    return z.Plik.empty() ? k.KatalogProgramu + z.NazwaZestawu + ".xls" : z.Plik;
}

}  // namespace

void IndicatorSession::ZakonczRaport() {
    raport_.Zakoncz();
    raportowanie_ = false;
}

void IndicatorSession::PiszDoRaportu(const std::vector<std::string>& linie) {
    if (!raportowanie_) return;
    // A write error has shown its message and closed the file: the box is
    // unchecked and the work goes on.
    if (!raport_.Pisz(linie)) ZakonczRaport();
}

void IndicatorSession::RaportowanieDoPliku(bool zaznaczone) {
    if (!zaznaczone) {
        ZakonczRaport();
        return;
    }
    const std::string regul = plikRegul_ ? *plikRegul_ : std::string();
    raportowanie_ = raport_.Rozpocznij(PlikZestawu(zestaw_, k_),
                                       regul, ListaDiagnoz);
}

void IndicatorSession::WpisDoPlikuRaportu() { PiszDoRaportu(ListaDiagnoz); }

bool IndicatorSession::ZapisanieDiagnozDoPliku() {
    return ZapiszDiagnoze(k_.KatalogOperatora,
                          PlikZestawu(zestaw_, k_),
                          ListaDiagnoz, *k_.Okna);
}

ExpertSession& IndicatorSession::Ekspert() {
    // The engine belongs to the operator folder it writes into; another
    // operator gets a fresh one.
    const std::string katalogi = k_.KatalogOperatora + '\n' + k_.KatalogProgramu;
    if (!ekspert_ || katalogiEksperta_ != katalogi) {
        ekspert_ = std::make_unique<ExpertSession>(k_.KatalogOperatora, k_.KatalogProgramu, *k_.Okna);
        ++sesjaEksperta_;
        ekspert_->WTrakcie = [this] {
            if (WTrakcieWnioskowania) WTrakcieWnioskowania();
        };
        katalogiEksperta_ = katalogi;
    }
    return *ekspert_;
}

bool IndicatorSession::ExportWartosci() {
    if (!wezel_ || panel_.TekstListy.empty()) return false;
    DaneEksportu d;
    d.Tabela = &ocena_.Tabela;
    d.Rok1 = static_cast<int>(KomorkaBilansu(k_.RekordBiezacy, 0, 1));
    d.Wybrany = panel_.TekstListy;
    d.Relacja = ocena_.RelacjaWskaznika;
    d.Prog1 = ocena_.Prog1;
    d.Prog2 = ocena_.Prog2;
    const StanModelu& rekord = k_.RekordBiezacy;
    d.Odczyt = [&rekord](const PozycjaWskaznika& p, int rok) -> std::optional<long double> {
        try {
            if (auto v = WartoscPozycji(rekord, p, rok)) return *v;
        } catch (const std::exception&) {
            // a value beyond the 6-byte real: the indicator is left out
        }
        return std::nullopt;
    };
    return Ekspert().Eksport(d, PlikZestawu(zestaw_, k_), zestaw_.NazwaZestawu);
}

bool IndicatorSession::Wnioskowanie() {
    ExpertSession& e = Ekspert();
    // The engine keeps only this run's lines; the list keeps them all.
    e.WyczyscDiagnozy();
    if (!e.Wnioskowanie()) return false;
    return DolaczWnioski(e, ListaDiagnoz);
}

// The engine itself is cleared or reset; its notifications write the log
// lines "Clear" and "Reset".
void IndicatorSession::KomendaCLEAR() { Ekspert().Clear(); }
void IndicatorSession::KomendaRESET() { Ekspert().Reset(); }

const std::vector<std::string>& IndicatorSession::LogSilnika() const {
    static const std::vector<std::string> pusty;
    return ekspert_ ? ekspert_->Log() : pusty;
}

std::uint64_t IndicatorSession::ZmianyLogu() const { return ekspert_ ? ekspert_->ZmianyLogu() : 0; }

ExpertSession::StanLogu IndicatorSession::StanLogu() const {
    ExpertSession::StanLogu s = ekspert_ ? ekspert_->Stan() : ExpertSession::StanLogu{};
    s.Sesja = sesjaEksperta_;
    return s;
}

std::optional<ExpertSession::ZmianaLogu> IndicatorSession::ZmianaLoguOd(
    const std::optional<ExpertSession::StanLogu>& pokazany) const {
    if (!ekspert_ || !pokazany || pokazany->Sesja != sesjaEksperta_) return std::nullopt;
    return ekspert_->ZmianaOd(*pokazany);
}

void IndicatorSession::PrzerwijWnioskowanie() {
    if (ekspert_) ekspert_->Przerwij();
}

bool IndicatorSession::WnioskowanieDostepne() const { return ekspert_ && ekspert_->WnioskowanieDostepne(); }

}  // namespace vesk
