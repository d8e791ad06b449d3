#include "Aplikacja.h"

#include "Form1.h"
#include "FormStart.h"
#include "OknaPomocy.h"

namespace vesk {

Aplikacja::Aplikacja(UserInterface& ui, const std::vector<std::string>& parametry, const std::string& katalogRoboczy,
                     const std::string& katalogProgramu, const std::function<void(Kontekst&)>& przygotowanie)
    : ui_(ui), k_(std::make_unique<Kontekst>(ui, CommandLine(parametry))) {
    k_->KatalogRoboczy = katalogRoboczy;
    k_->ModelZainicjowany = false;
    if (przygotowanie) przygotowanie(*k_);
    formStart_ = std::make_unique<FormStart>(*this);
    std::string tytul = UtworzenieOknaGlownego(*k_, s_, parametry, katalogProgramu);
    form1_ = std::make_unique<Form1>(*this, tytul);
    aboutBox_ = std::make_unique<AboutBox>(*this);
    formFAQ1_ = std::make_unique<FormFAQ1>();
    formFAQ2_ = std::make_unique<FormFAQ2>(*aboutBox_);
    faq3_ = std::make_unique<FAQ3>(*this);
    form6_ = std::make_unique<Form6>();
}

Aplikacja::~Aplikacja() = default;

void Aplikacja::start() { formStart_->show(); }

bool Aplikacja::pokazOknoGlowne() {
    form1_->show();
    bool otworzStartowy = PokazanieOknaGlownego(*k_, s_);
    (void)otworzStartowy;  // opening the "/f" operator comes with the operator files
    return true;
}

void Aplikacja::startOK() {
    SkutekOK skutek = PrzyciskOK(s_);
    if (skutek == SkutekOK::PierwszeUruchomienie) {
        formFAQ2_->show();
        formFAQ2_->hide();
        form1_->move(0, 0);
    }
    formStart_->hide();
    if (skutek == SkutekOK::PierwszeUruchomienie) {
        pokazOknoGlowne();
    } else {
        form1_->show();
        form1_->raise();
    }
}

void Aplikacja::wyjscie() {
    if (ZakonczenieProgramu(ui_)) form1_->hide();
}

void Aplikacja::zamknietoOknoGlowne() {
    formStart_->show();
    form1_->hide();
    ZakonczenieProgramu(ui_);
}

void Aplikacja::informacja() {
    formStart_->show();
    formStart_->raise();
    formStart_->SpeedButton3->show();
}

void Aplikacja::wejscieZOknaInformacji() {
    form1_->move(0, 0);
    formStart_->show();
}

void Aplikacja::pokazFAQ3() {
    faq3_->show();
    faq3_->raise();
}

void Aplikacja::pokazFormFAQ1() {
    formFAQ1_->show();
    formFAQ1_->raise();
}

void Aplikacja::pokazFormFAQ2() {
    formFAQ2_->show();
    formFAQ2_->raise();
}

void Aplikacja::pokazAboutBox() {
    aboutBox_->show();
    aboutBox_->raise();
    aboutBox_->OKButton->setFocus();
}

}  // namespace vesk
