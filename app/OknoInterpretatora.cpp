#include "OknoInterpretatora.h"

#include <QCloseEvent>
#include <QCursor>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QTextBlock>
#include <algorithm>

#include "QtTekst.h"

namespace vesk {

void MapaPozycji::ustaw(const std::string& tekst) {
    rdzen_.assign(1, 0);
    dokument_.assign(1, 0);
    std::size_t poczatek = 0;
    for (;;) {
        const std::size_t koniec = tekst.find('\n', poczatek);
        if (koniec == std::string::npos) break;
        std::size_t dlugosc = koniec - poczatek;
        if (dlugosc > 0 && tekst[koniec - 1] == '\r') --dlugosc;
        // One character of the document per byte of the single-byte text.
        const int n = static_cast<int>(q(tekst.substr(poczatek, dlugosc)).size());
        rdzen_.push_back(rdzen_.back() + static_cast<int>(dlugosc) + 2);
        dokument_.push_back(dokument_.back() + n + 1);
        poczatek = koniec + 1;
    }
}

int MapaPozycji::wDokumencie(int pozycja) const {
    // The last line starting at or before the position.
    auto it = std::upper_bound(rdzen_.begin(), rdzen_.end(), pozycja);
    const std::size_t i = static_cast<std::size_t>(std::max<std::ptrdiff_t>(0, it - rdzen_.begin() - 1));
    return dokument_[i] + (pozycja - rdzen_[i]);
}

OknoInterpretatora::OknoInterpretatora(QPushButton* przycisk, QLineEdit* echoLinii, QLabel* wsk, QWidget* glowne)
    : przycisk_(przycisk), echo_(echoLinii), wsk_(wsk), glowne_(glowne) {
    // A window of its own; above the main window only while a command file
    // is open (stepButton).
    setWindowFlags(Qt::Window);
    setObjectName(QStringLiteral("InterpreterView"));
    setWindowTitle(QString::fromUtf8("Podgląd programu sterowania eksperymentem"));
    setGeometry(362, 185, 657, 375);

    Split = new QSplitter(Qt::Horizontal, this);
    Split->setObjectName(QStringLiteral("Split"));
    Split->setOpaqueResize(true);
    Split->setChildrenCollapsible(false);

    Okienko_Interpretatora = new QPlainTextEdit;
    Okienko_Interpretatora->setObjectName(QStringLiteral("Okienko_Interpretatora"));
    Okienko_Interpretatora->setReadOnly(true);
    Okienko_Interpretatora->setLineWrapMode(QPlainTextEdit::NoWrap);
    Okienko_Interpretatora->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Okienko_Interpretatora->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // The current line stays highlighted while another window has the focus.
    QPalette p = Okienko_Interpretatora->palette();
    p.setColor(QPalette::Inactive, QPalette::Highlight, p.color(QPalette::Active, QPalette::Highlight));
    p.setColor(QPalette::Inactive, QPalette::HighlightedText, p.color(QPalette::Active, QPalette::HighlightedText));
    Okienko_Interpretatora->setPalette(p);

    tabelka_zmiennych = new QTableWidget(20, 2);
    tabelka_zmiennych->setObjectName(QStringLiteral("tabelka_zmiennych"));
    tabelka_zmiennych->horizontalHeader()->hide();
    tabelka_zmiennych->verticalHeader()->hide();
    tabelka_zmiennych->verticalHeader()->setMinimumSectionSize(1);
    tabelka_zmiennych->verticalHeader()->setDefaultSectionSize(16);
    tabelka_zmiennych->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    tabelka_zmiennych->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    tabelka_zmiennych->setEditTriggers(QAbstractItemView::NoEditTriggers);
    QFont f = tabelka_zmiennych->font();
    f.setPixelSize(12);
    tabelka_zmiennych->setFont(f);
    for (int r = 0; r < 20; ++r) {
        tabelka_zmiennych->setRowHeight(r, 16);
        for (int c = 0; c < 2; ++c) tabelka_zmiennych->setItem(r, c, new QTableWidgetItem);
    }
    tabelka_zmiennych->setEnabled(false);
    // Read-only, yet readable: black text, a long number cut at its end.
    QPalette pt = tabelka_zmiennych->palette();
    pt.setColor(QPalette::Disabled, QPalette::Text, pt.color(QPalette::Active, QPalette::Text));
    tabelka_zmiennych->setPalette(pt);
    tabelka_zmiennych->setTextElideMode(Qt::ElideRight);

    Split->addWidget(Okienko_Interpretatora);
    Split->addWidget(tabelka_zmiennych);
    auto* uklad = new QHBoxLayout(this);
    uklad->setContentsMargins(0, 0, 0, 0);
    uklad->addWidget(Split);

    const int szerokosc = 657;
    tabelka_zmiennych->setMinimumWidth(szerokosc / 16);
    Okienko_Interpretatora->setMinimumWidth(szerokosc / 16);
    Split->setSizes({szerokosc - szerokosc / 3, szerokosc / 3});
    ulozSiatke();
}

void OknoInterpretatora::ulozSiatke() {
    tabelka_zmiennych->setColumnWidth(0, 120);
    tabelka_zmiennych->setColumnWidth(1, std::max(0, tabelka_zmiennych->viewport()->width() - 120));
}

void OknoInterpretatora::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    ulozSiatke();
}

void OknoInterpretatora::closeEvent(QCloseEvent* e) {
    // Closing only hides the view.
    e->accept();
    QWidget::hide();
}

void OknoInterpretatora::show() {
    QWidget::show();
    ulozSiatke();
}

void OknoInterpretatora::hide() { QWidget::hide(); }

void OknoInterpretatora::setText(const std::string& text) {
    mapa_.ustaw(text);
    // Line ends of either kind become the document's own.
    std::string bezCR;
    bezCR.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i)
        if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) bezCR += text[i];
    Okienko_Interpretatora->setPlainText(q(bezCR));
}

void OknoInterpretatora::setCaption(const std::string& caption) { setWindowTitle(q(caption)); }

void OknoInterpretatora::select(int start, int length) {
    QTextCursor c(Okienko_Interpretatora->document());
    const int koniecDokumentu = std::max(0, Okienko_Interpretatora->document()->characterCount() - 1);
    const int od = std::clamp(mapa_.wDokumencie(start), 0, koniecDokumentu);
    const int doPozycji = std::clamp(mapa_.wDokumencie(start) + length, od, koniecDokumentu);
    c.setPosition(od);
    c.setPosition(doPozycji, QTextCursor::KeepAnchor);
    Okienko_Interpretatora->setTextCursor(c);
    Okienko_Interpretatora->ensureCursorVisible();
}

void OknoInterpretatora::echo(const std::string& line) {
    if (echo_) echo_->setText(q(line));
}

void OknoInterpretatora::activity(const std::string* text) {
    if (!wsk_) return;
    if (!text) {
        wsk_->hide();
        return;
    }
    wsk_->setText(q(*text));
    wsk_->show();
    if (glowne_) glowne_->repaint();
}

void OknoInterpretatora::gridRow(int row, const std::string& name, const std::string& value) {
    if (row < 0 || row >= tabelka_zmiennych->rowCount()) return;
    tabelka_zmiennych->item(row, 0)->setText(q(name));
    tabelka_zmiennych->item(row, 1)->setText(q(value));
    // A value longer than its column is read whole under the mouse.
    tabelka_zmiennych->item(row, 0)->setToolTip(q(name));
    tabelka_zmiennych->item(row, 1)->setToolTip(q(value));
}

void OknoInterpretatora::stepButton(bool enabled) {
    if (przycisk_) przycisk_->setEnabled(enabled);
    nadGlownym(enabled);
}

void OknoInterpretatora::nadGlownym(bool nad) {
    if (!glowne_ || nad == (parentWidget() == glowne_)) return;
    // While a command file is open (run or stepped) the view stays above
    // the main window, whose step button the user presses; afterwards it is
    // an ordinary window the main window may cover.
    const QRect miejsce = geometry();
    const bool widoczny = isVisible();
    if (nad)
        setParent(glowne_, Qt::Tool);
    else
        setParent(nullptr, Qt::Window);
    setGeometry(miejsce);
    if (widoczny) show();
}

bool OknoInterpretatora::cursorInStopBand() {
    if (Sonda) return Sonda();
    // Only X11 tells where the cursor is outside the program's windows.
    if (QGuiApplication::platformName() != QStringLiteral("xcb") || !isVisible()) return false;
    const QPoint kursor = QCursor::pos();
    const QRect ramka = frameGeometry();
    const int y = kursor.y() - ramka.top();
    const int x = kursor.x() - ramka.left();
    return y > 0 && y < 30 && x > 0 && x < ramka.width();
}

}  // namespace vesk
