#include "PrzebiegSkryptu.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWheelEvent>

#include "Powloka.h"
#include "QtTekst.h"

namespace vesk {

namespace {
// Counts a dialog open for as long as it lives.
struct Dialog {
    explicit Dialog(int& n) : n_(n) { ++n_; }
    ~Dialog() { --n_; }
    int& n_;
};

bool wejscie(QEvent::Type t) {
    switch (t) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
        case QEvent::Shortcut:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
        case QEvent::ContextMenu:
        case QEvent::TouchBegin:
        case QEvent::TouchUpdate:
        case QEvent::TouchEnd:
        case QEvent::Drop:
        case QEvent::Close:
            return true;
        default:
            return false;
    }
}
}  // namespace

void PortPrzebiegu::message(const std::string& text) {
    Dialog d(dialogi_);
    pod_.message(text);
}

bool PortPrzebiegu::question(const std::string& text) {
    if (koniec_) return true;
    Dialog d(dialogi_);
    esc_ = false;
    return pod_.question(text);
}

UserInterface::Choice PortPrzebiegu::choose(const std::string& text, const std::string& yes, const std::string& no,
                                            const std::string& cancel) {
    Dialog d(dialogi_);
    return pod_.choose(text, yes, no, cancel);
}

bool PortPrzebiegu::confirm(const std::string& text, const std::string& caption) {
    Dialog d(dialogi_);
    return pod_.confirm(text, caption);
}

bool PortPrzebiegu::retry(const std::string& text, const std::string& caption) {
    Dialog d(dialogi_);
    return pod_.retry(text, caption);
}

std::optional<std::string> PortPrzebiegu::chooseFile(const std::string& title, const std::string& filter,
                                                     bool forSaving, const std::string& initialFolder) {
    Dialog d(dialogi_);
    return pod_.chooseFile(title, filter, forSaving, initialFolder);
}

std::optional<std::string> PortPrzebiegu::inputText(const std::string& caption, const std::string& prompt,
                                                    const std::string& initial) {
    Dialog d(dialogi_);
    return pod_.inputText(caption, prompt, initial);
}

bool PortPrzebiegu::stopRequested() {
    QCoreApplication::processEvents();
    const bool esc = esc_;
    esc_ = false;
    return koniecProgramu() || pod_.stopRequested() || esc;
}

bool PortPrzebiegu::koniecProgramu() {
    if (zamkniecie_ && !koniec_) {
        zamkniecie_ = false;
        Dialog d(dialogi_);
        koniec_ = PytanieOZakonczenieProgramu(pod_);
    }
    return koniec_;
}

void PortPrzebiegu::progress(const std::string& text) {
    pod_.progress(text);
    if (!Postep) return;
    Postep->setText(q(text));
    Postep->show();
    Postep->repaint();
}

bool PortPrzebiegu::eventFilter(QObject* obiekt, QEvent* e) {
    // Dropped, a close would be taken as accepted: the main window would go,
    // the run going on unseen with no window left.
    if (e->type() == QEvent::Close && obiekt == glowne_) {
        e->ignore();
        zamkniecie_ = true;
        return true;
    }
    if (dialogi_ > 0 || !wejscie(e->type()) || !obiekt->isWidgetType()) return false;
    QWidget* okno = static_cast<QWidget*>(obiekt)->window();
    if (e->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(e)->key() == Qt::Key_Escape) {
        esc_ = true;
    } else if (e->type() == QEvent::Wheel && okno == glowne_ && static_cast<QWheelEvent*>(e)->angleDelta().y() < 0) {
        if (KolkoWDol) KolkoWDol();
    }
    return true;
}

PrzebiegSkryptu::PrzebiegSkryptu(Kontekst& k, QWidget* glowne, QLabel* postep, std::function<void()> kolkoWDol)
    : k_(k), poprzedni_(k.Okna), port_(*k.Okna, glowne) {
    port_.Postep = postep;
    port_.KolkoWDol = std::move(kolkoWDol);
    k_.Okna = &port_;
    qApp->installEventFilter(&port_);
    // A long run shows it is busy.
    QApplication::setOverrideCursor(Qt::BusyCursor);
}

PrzebiegSkryptu::~PrzebiegSkryptu() {
    QApplication::restoreOverrideCursor();
    qApp->removeEventFilter(&port_);
    k_.Okna = poprzedni_;
    if (port_.Postep) port_.Postep->hide();
}

}  // namespace vesk
