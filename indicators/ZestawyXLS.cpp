#include "ZestawyXLS.h"

#include <exception>

#include "ExpertSession.h"
#include "XLSIndicatorSetStore.h"

namespace vesk {

namespace {

class ZestawyXLS : public ZestawyWskaznikow {
public:
    explicit ZestawyXLS(const Kontekst& k) : k_(k) {}
    std::optional<std::string> Wczytaj(const std::string& sciezka, TabelaWskaznikow& tabela) override {
        try {
            tabela = magazyn_.read(sciezka);
            return std::nullopt;
        } catch (const std::exception& e) {
            return std::string(e.what());
        }
    }
    std::optional<std::string> PlikRegul(const std::string& katalogOperatora, const std::string& zestaw,
                                         const std::string& nazwa) override {
        return resolveRuleFile(katalogOperatora, k_.KatalogProgramu, zestaw, nazwa);
    }

private:
    const Kontekst& k_;
    XLSIndicatorSetStore magazyn_;
};

}  // namespace

std::unique_ptr<ZestawyWskaznikow> UtworzZestawyXLS(const Kontekst& k) { return std::make_unique<ZestawyXLS>(k); }

}  // namespace vesk
