#include "BladSkryptu.h"

namespace vesk {

BladSkryptu::BladSkryptu(Rodzaj rodzaj, const std::string& powod)
    : std::runtime_error(powod), rodzaj_(rodzaj), powod_(powod), opis_(powod) {}

void BladSkryptu::UstawMiejsce(const std::string& plik, int numerWiersza, const std::string& wiersz) {
    if (bezMiejsca_) return;
    plik_ = plik;
    numerWiersza_ = numerWiersza;
    wiersz_ = wiersz;
    opis_ = plik_ + ":" + std::to_string(numerWiersza_) + ": " + powod_;
}

const char* BladSkryptu::what() const noexcept { return opis_.c_str(); }

}  // namespace vesk
