#include "OknaPomocy.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMouseEvent>
#include <QScreen>
#include <QVBoxLayout>

#include "Aplikacja.h"
#include "Powloka.h"
#include "ParametryPomocy.h"
#include "QtTekst.h"
#include "TekstyOkien.h"
#include "Uklad.h"

namespace vesk {

namespace {

QString u(const char* utf8) { return QString::fromUtf8(utf8); }

QFont pogrubiona16() {
    QFont f;
    f.setBold(true);
    f.setPixelSize(16);
    return f;
}

const char* TekstTworcow =
    "VE_SK_WIN 2012\n"
    "SYSTEM WSPOMAGANIA DECYZJI\n"
    "Symulator finansowy przedsiębiorstwa produkcyjnego\n"
    "\n"
    "Program dydaktyczny: decyzje produkcyjne, cenowe, zakupowe\n"
    "i finansowe w drzewie decyzji, symulacja trzyletnich okresów,\n"
    "sprawozdania finansowe i wskaźniki.\n"
    "\n"
    "Wydanie dla systemu Linux.";

}  // namespace

void EtykietaKlikana::mousePressEvent(QMouseEvent* e) {
    QLabel::mousePressEvent(e);
    if (klik) klik();
}

// ------------------------------------------------------------ OknoRaportu

QFont CzcionkaRaportu(const QList<QFont>& kandydaci) {
    for (const QFont& f : kandydaci) {
        const QFontMetrics m(f);
        if (m.horizontalAdvance(QLatin1Char('i')) == m.horizontalAdvance(QLatin1Char('W'))) return f;
    }
    return kandydaci.isEmpty() ? QFont() : kandydaci.front();
}

QFont CzcionkaRaportu() {
    QList<QFont> kandydaci{QFontDatabase::systemFont(QFontDatabase::FixedFont)};
    for (const char* rodzina : {"DejaVu Sans Mono", "Liberation Mono", "Noto Sans Mono", "Courier New"}) {
        QFont f(QString::fromLatin1(rodzina));
        f.setStyleHint(QFont::Monospace);
        kandydaci.push_back(f);
    }
    QFont wskazowka;
    wskazowka.setStyleHint(QFont::TypeWriter);
    kandydaci.push_back(wskazowka);
    return CzcionkaRaportu(kandydaci);
}

OknoRaportu::OknoRaportu() {
    setObjectName(QStringLiteral("Form6"));
    setWindowTitle(u("Sprawozdanie - rezultaty symulacji"));
    setWindowFlags(Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    RichEdit1 = new QPlainTextEdit(this);
    RichEdit1->setReadOnly(true);
    RichEdit1->setLineWrapMode(QPlainTextEdit::NoWrap);
    RichEdit1->setFrameShape(QFrame::NoFrame);
    RichEdit1->setFont(CzcionkaRaportu());
    RichEdit1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    RichEdit1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Button1 = new QPushButton(u("&Zamknij okno"), this);
    connect(Button1, &QPushButton::clicked, this, &QWidget::hide);

    QSize ekran = QGuiApplication::primaryScreen() ? QGuiApplication::primaryScreen()->size() : QSize(1024, 768);
    UkladRaportu l = UkladOknaRaportu(ekran.width(), ekran.height(), Button1->sizeHint().height());
    RichEdit1->setGeometry(l.tekst.x, l.tekst.y, l.tekst.w, l.tekst.h);
    Button1->setGeometry(l.przycisk.x, l.przycisk.y, std::max(l.przycisk.w, Button1->sizeHint().width()),
                         l.przycisk.h);
    setGeometry(l.okno.x, l.okno.y, l.okno.w, l.okno.h);
}

void OknoRaportu::ustawTekst(const std::string& tekst) {
    RichEdit1->setPlainText(q(tekst));
    RichEdit1->moveCursor(QTextCursor::Start);
}

// ------------------------------------------------------------- OknoPomocy

OknoPomocy::OknoPomocy(Aplikacja& app) : app_(app) {
    setObjectName(QStringLiteral("FAQ3"));
    setWindowTitle(QStringLiteral("FAQ3"));
    Label3 = new EtykietaKlikana(u("Parametry eksperymentów symulacyjnych"), this);
    Label2 = new EtykietaKlikana(u("Wykaz instrukcji języka sterowania"), this);
    Label1 = new EtykietaKlikana(u("eksperymentem symulacyjnym"), this);
    for (auto* l : {Label1, Label2, Label3}) {
        l->setFont(pogrubiona16());
        l->setCursor(Qt::PointingHandCursor);
        l->klik = [this] { app_.pokazOknoPomocyDwudzielne(); };
    }
    parametry = new QTableWidget(30, 3, this);
    parametry->horizontalHeader()->hide();
    parametry->verticalHeader()->hide();
    parametry->setEditTriggers(QAbstractItemView::NoEditTriggers);
    parametry->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    OpisJezyka = new QTextEdit(this);
    OpisJezyka->setReadOnly(true);
    OpisJezyka->document()->setDefaultStyleSheet(QStringLiteral("p { white-space: pre-wrap; margin: 0 0 4px 0; }"));
    BitBtn1 = new QPushButton(u("Powrót"), this);
    BitBtn1->setDefault(true);
    connect(BitBtn1, &QPushButton::clicked, this, &QWidget::close);

    auto* uklad = new QVBoxLayout(this);
    uklad->addWidget(Label3);
    uklad->addWidget(parametry, 3);
    uklad->addWidget(Label2);
    uklad->addWidget(Label1);
    uklad->addWidget(OpisJezyka, 2);
    auto* dol = new QHBoxLayout;
    dol->addStretch();
    dol->addWidget(BitBtn1);
    uklad->addLayout(dol);
    resize(640, 700);

    // The column widths are set even when the description cannot be read.
    parametry->setColumnWidth(0, 100);
    parametry->setColumnWidth(1, 150);
    parametry->setColumnWidth(2, 350);
    if (std::optional<std::string> html = TekstOpisuJezyka(app_.kontekst())) OpisJezyka->setHtml(q(*html));
}

void OknoPomocy::wypelnijParametry() {
    auto rows = WierszeParametrow(app_.kontekst().m);
    for (int r = 0; r < static_cast<int>(rows.size()) && r < parametry->rowCount(); ++r)
        for (int c = 0; c < 3; ++c) {
            auto* item = new QTableWidgetItem(q(rows[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)]));
            if (c == 0 && r > 0) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            parametry->setItem(r, c, item);
        }
}

void OknoPomocy::showEvent(QShowEvent* e) {
    wypelnijParametry();
    QDialog::showEvent(e);
}

// --------------------------------------------------- OknoPomocyDwudzielne

OknoPomocyDwudzielne::OknoPomocyDwudzielne() {
    setObjectName(QStringLiteral("FormFAQ1"));
    setWindowTitle(QStringLiteral("FormFAQ1"));
    resize(600, 400);
    Split = new QSplitter(Qt::Horizontal, this);
    lewy = new QTextEdit(Split);
    prawy = new QTextEdit(Split);
    Split->addWidget(lewy);
    Split->addWidget(prawy);
    OK = new QPushButton(QStringLiteral("OK"), this);
    connect(OK, &QPushButton::clicked, this, &QWidget::close);
    auto* uklad = new QVBoxLayout(this);
    uklad->addWidget(Split, 1);
    auto* dol = new QHBoxLayout;
    dol->addStretch();
    dol->addWidget(OK);
    uklad->addLayout(dol);
    int szerokosc = width() - uklad->contentsMargins().left() - uklad->contentsMargins().right();
    Split->setSizes({szerokosc / 3, szerokosc - szerokosc / 3});
}

// ------------------------------------------------------------ OknoAutorow

OknoAutorow::OknoAutorow(const OknoOProgramie& about) {
    setObjectName(QStringLiteral("FormFAQ2"));
    setWindowTitle(u("FAQ o programie"));
    Memo1 = new QPlainTextEdit(u(TekstTworcow), this);
    Memo1->setReadOnly(true);
    Comments = new QLabel(u("Autorzy: zespół projektu Vesk"), this);
    Version = new QLabel(about.Version->text(), this);
    BitBtn1 = new QPushButton(QStringLiteral("OK"), this);
    connect(BitBtn1, &QPushButton::clicked, this, &QWidget::close);
    auto* uklad = new QVBoxLayout(this);
    uklad->addWidget(Memo1, 1);
    uklad->addWidget(Comments);
    uklad->addWidget(Version);
    uklad->addWidget(BitBtn1, 0, Qt::AlignRight);
    resize(480, 320);
}

// --------------------------------------------------------- OknoOProgramie

OknoOProgramie::OknoOProgramie(Aplikacja& app) : app_(app) {
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(u("Informacje o programie"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    Panel1 = new QWidget(this);
    Panel1->setGeometry(10, 10, 460, 350);
    OKButton = new QPushButton(u("&Wejście do programu VE_SK_WIN / 2012"), Panel1);
    OKButton->setFont(pogrubiona16());
    OKButton->setDefault(true);
    OKButton->adjustSize();
    Version = new QLabel(q(cp1250(tekst::Wersja)), Panel1);
    Version->setGeometry(15, 80, 430, 20);
    Comments = new QLabel(u("Program dydaktyczny"), Panel1);
    Comments->setGeometry(15, 105, 430, 20);
    auto* informacje = new QPushButton(u("Informacje o programie"), Panel1);
    informacje->setGeometry(15, 130, 200, 26);
    informacje->setFocusPolicy(Qt::NoFocus);
    Memo1 = new QPlainTextEdit(u(TekstTworcow), Panel1);
    Memo1->setReadOnly(true);
    Memo1->setGeometry(15, 165, 430, 175);
    Memo1->setFocusPolicy(Qt::NoFocus);
    RichEdit1 = new QTextEdit(this);
    RichEdit1->setReadOnly(true);
    RichEdit1->hide();
    connect(OKButton, &QPushButton::clicked, this, [this] {
        app_.wejscieZOknaInformacji();
        RichEdit1->show();
        ukladPoczatkowy();
        hide();
    });
    OKButton->installEventFilter(this);
    ukladPoczatkowy();
    setFixedWidth(480);
    srodkujNaEkranie(this);
}

void OknoOProgramie::ukladPoczatkowy() {
    OKButton->move(15, 32);
    resize(480, 400);
    Panel1->resize(Panel1->width(), 350);
    RichEdit1->setGeometry(10, 365, 460, 30);
}

bool OknoOProgramie::eventFilter(QObject* watched, QEvent* event) {
    // The window closes when the focus moves from its button to another
    // control; not when another window is activated.
    if (watched == OKButton && event->type() == QEvent::FocusOut) {
        auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason || reason == Qt::MouseFocusReason ||
            reason == Qt::ShortcutFocusReason || reason == Qt::OtherFocusReason)
            if (isVisible()) close();
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace vesk
