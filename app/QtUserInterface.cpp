#include "QtUserInterface.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QFontMetrics>
#include <QIdentityProxyModel>
#include <QLocale>
#include <QGridLayout>
#include <QSpacerItem>
#include <QHeaderView>
#include <QTreeView>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QChildEvent>
#include <QMessageBox>
#include <QPushButton>
#include <algorithm>
#include <cctype>
#include <utility>
#include <vector>

#include "FileSystem.h"
#include "Liczebniki.h"
#include "NazwaOperatora.h"
#include "Paths.h"
#include "OknaWZasiegu.h"
#include "QtTekst.h"
#include "TekstyOkien.h"
#include "TextFileLines.h"

namespace vesk {

namespace {

// Whatever the core says fits a box on the screen: at most 30 lines of 100
// characters as shortenedText wraps them, in a box as wide as its longest
// line (szerokoscNaTytul), so that the screen shows the lines counted. A
// long run without blanks still gets places to wrap, for a line of wide
// letters that the screen's bound on a box's width would not let through.
QString tekstOkna(const std::string& text) {
    const QString t = q(shortenedText(text, 30, 100));
    QString out;
    int ciag = 0;
    for (const QChar c : t) {
        ciag = c.isSpace() ? 0 : ciag + 1;
        if (ciag > 60) {
            out += QChar(0x200B);
            ciag = 1;
        }
        out += c;
    }
    return out;
}

// "*.tr1" -> "*.[tT][rR]1": Qt matches file names with letter case on Linux.
QString bezWielkosciLiter(const QString& pattern) {
    QString out;
    for (QChar c : pattern) {
        if (c.isLetter() && c.toLower() != c.toUpper())
            out += QStringLiteral("[") + c.toLower() + c.toUpper() + QStringLiteral("]");
        else
            out += c;
    }
    return out;
}

// The width a window needs for its whole caption in the title bar, which
// a window manager draws larger and bold, beside its buttons.
int szerokoscTytulu(const QWidget& okno, const QString& tytul) {
    QFont f = okno.font();
    f.setBold(true);
    if (f.pointSizeF() > 0)
        f.setPointSizeF(f.pointSizeF() * 1.25);
    else if (f.pixelSize() > 0)
        f.setPixelSize(f.pixelSize() * 5 / 4);
    return QFontMetrics(f).horizontalAdvance(tytul) + 200;
}

// A message box no narrower than its caption, its text as wide as its
// longest line within Qt's bound on a box's width (less the icon and the
// margins), so that Qt wraps it no further.
void szerokoscNaTytul(QMessageBox& box) {
    if (auto* uklad = qobject_cast<QGridLayout*>(box.layout()))
        uklad->addItem(new QSpacerItem(szerokoscTytulu(box, box.windowTitle()), 0, QSizePolicy::Minimum,
                                       QSizePolicy::Fixed),
                       uklad->rowCount(), 0, 1, uklad->columnCount());
    if (auto* etykieta = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))) {
        const QScreen* ekran = box.screen();
        const int ekranu = ekran ? ekran->availableGeometry().width() : 1024;
        const int granica = (ekranu > 1024 ? std::min(ekranu - 480, 1000) : ekranu) - 120;
        int najszerszy = 0;
        for (const QString& wiersz : etykieta->text().split(QLatin1Char('\n')))
            najszerszy = std::max(najszerszy, etykieta->fontMetrics().horizontalAdvance(wiersz));
        etykieta->setMinimumWidth(std::min(najszerszy + 2, granica));
    }
}

// The file dialog's own message boxes ("... nie istnieje", a folder that
// cannot be made) carry the dialog's caption: each is made as wide as its
// caption when it is shown, as the program's own boxes are.
class TytulyOknaPlikow : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* obiekt, QEvent* zdarzenie) override {
        if (zdarzenie->type() == QEvent::ChildPolished)
            if (auto* box = qobject_cast<QMessageBox*>(static_cast<QChildEvent*>(zdarzenie)->child()))
                box->installEventFilter(this);
        if (zdarzenie->type() == QEvent::Show)
            if (auto* box = qobject_cast<QMessageBox*>(obiekt); box && !box->property("szerokoscNaTytul").toBool()) {
                box->setProperty("szerokoscNaTytul", true);
                szerokoscNaTytul(*box);
            }
        return QObject::eventFilter(obiekt, zdarzenie);
    }
};

// The file dialog's size and type columns in Polish whatever the system's
// language: sizes as a Polish locale writes them, a type named by its
// extension ("Plik TR1"), as the file managers of the program's users do.
class PolskieKolumnyPlikow : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;
    QVariant data(const QModelIndex& indeks, int rola) const override {
        auto* pliki = qobject_cast<QFileSystemModel*>(sourceModel());
        if (rola != Qt::DisplayRole || !pliki || (indeks.column() != 1 && indeks.column() != 2))
            return QIdentityProxyModel::data(indeks, rola);
        const QFileInfo info = pliki->fileInfo(mapToSource(indeks));
        if (indeks.column() == 1) return info.isDir() ? QString() : RozmiarPliku(info.size());
        return OpisTypuPliku(info);
    }
};

// A file dialog whose open side asks of a name only what the core asks: a
// file found without regard to letter case, as the core finds it, is taken.
// A name that several files match but for case is the core's to refuse,
// naming them, in the operators' dialogs (`rdzenRozstrzyga`); the others
// refuse it here in the same words. A name no file has is refused here
// as Qt refuses it.
class DialogPliku : public QFileDialog {
public:
    DialogPliku(QWidget* rodzic, const QString& tytul, const QString& folder, bool rdzenRozstrzyga)
        : QFileDialog(rodzic, tytul, folder), rdzenRozstrzyga_(rdzenRozstrzyga) {}

    // The open side's check; a save takes any name, as Qt does.
    void accept() override {
        const QStringList pliki = selectedFiles();
        if (acceptMode() != AcceptOpen || pliki.size() != 1 || QFileInfo::exists(pliki.front())) {
            QFileDialog::accept();
            return;
        }
        const QString nazwa = pliki.front();
        const std::optional<std::string> sciezka = fileNameToCp1250(QFile::encodeName(nazwa).toStdString());
        const bool wzorzec = nazwa.contains(QLatin1Char('*')) || nazwa.contains(QLatin1Char('?'));
        if (sciezka && !wzorzec) {
            if (fileExists(*sciezka)) {
                QFileDialog::accept();
                return;
            }
            if (const std::vector<std::string> pasujace = ambiguousMatches(*sciezka); !pasujace.empty()) {
                if (rdzenRozstrzyga_) {
                    QFileDialog::accept();
                } else {
                    QMessageBox::warning(this, windowTitle(),
                                         tekstOkna("Plik " + *sciezka + ": " + ambiguousNameText(pasujace)));
                }
                return;
            }
            // An operator's name the core refuses as it stands (dots alone,
            // a control character, a folder that cannot be read): its
            // refusal says why.
            if (rdzenRozstrzyga_)
                if (const OdmowaNazwy o = ZnajdzOperatora(*sciezka, FormaNazwy::Nazwa).odmowa;
                    o == OdmowaNazwy::Pusta || o == OdmowaNazwy::ZnakSterujacy || o == OdmowaNazwy::Nieczytelny) {
                    QFileDialog::accept();
                    return;
                }
        }
        QMessageBox::warning(this, windowTitle(),
                             QFileDialog::tr("%1\nFile not found.\nPlease verify the correct file name was given.")
                                 .arg(QFileInfo(nazwa).fileName()));
    }

private:
    bool rdzenRozstrzyga_;
};

}  // namespace

QString RozmiarPliku(qint64 bajty) {
    // Qt's Polish data has one word for every count of bytes ("115 bajty").
    if (bajty >= 0 && bajty < 1024) return q(LiczbaBajtow(static_cast<std::uint64_t>(bajty)));
    return QLocale(QLocale::Polish, QLocale::Poland).formattedDataSize(bajty);
}

QString OpisTypuPliku(const QFileInfo& plik) {
    if (plik.isDir()) return QStringLiteral("Folder");
    const QString rozszerzenie = plik.suffix();
    return rozszerzenie.isEmpty() ? QStringLiteral("Plik") : QStringLiteral("Plik ") + rozszerzenie.toUpper();
}

QStringList filtryPlikow(const std::string& filter) {
    QStringList parts = q(filter).split(QLatin1Char('|'));
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns = parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (auto& p : patterns) p = bezWielkosciLiter(p.trimmed());
        // A description that shows its patterns already has them replaced.
        QString opis = parts[i].trimmed();
        if (opis.endsWith(QLatin1Char(')')) && opis.contains(QStringLiteral(" (")))
            opis = opis.left(opis.lastIndexOf(QStringLiteral(" (")));
        out << opis + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QStringLiteral(")");
    }
    if (out.isEmpty()) out << QStringLiteral("* (*)");
    return out;
}

std::string rozszerzenieDomyslne(const std::string& filter) {
    auto bar = filter.find('|');
    if (bar == std::string::npos) return {};
    std::string pattern = filter.substr(bar + 1);
    pattern = pattern.substr(0, pattern.find_first_of(";|"));
    if (pattern.rfind("*.", 0) != 0 || pattern.size() < 3) return {};
    std::string ext = pattern.substr(2);
    if (ext.find_first_of("*?") != std::string::npos) return {};
    for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return ext;
}

void QtUserInterface::beep() { QApplication::beep(); }

void QtUserInterface::message(const std::string& text) {
    QMessageBox box(QMessageBox::Information, QString::fromUtf8(tekst::TytulAplikacji), tekstOkna(text), QMessageBox::NoButton,
                    parent_);
    box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    szerokoscNaTytul(box);
    box.exec();
}

namespace {

// A question box with its buttons in order: the first is the default, the
// last also Escape's (and the window's close). The index of the one pressed.
std::size_t zapytaj(QWidget* rodzic, const QString& tytul, const QString& tekst,
                    std::initializer_list<std::pair<QString, QMessageBox::ButtonRole>> przyciski,
                    QMessageBox::Icon ikona = QMessageBox::Question) {
    QMessageBox box(ikona, tytul, tekst, QMessageBox::NoButton, rodzic);
    std::vector<QPushButton*> dodane;
    for (const auto& [napis, rola] : przyciski) dodane.push_back(box.addButton(napis, rola));
    box.setDefaultButton(dodane.front());
    box.setEscapeButton(dodane.back());
    szerokoscNaTytul(box);
    box.exec();
    const auto it = std::find(dodane.begin(), dodane.end(), box.clickedButton());
    return it == dodane.end() ? dodane.size() - 1 : static_cast<std::size_t>(it - dodane.begin());
}

}  // namespace

bool QtUserInterface::question(const std::string& text) {
    return zapytaj(parent_, QString::fromUtf8(tekst::TytulAplikacji), tekstOkna(text),
                   {{QStringLiteral("Tak"), QMessageBox::YesRole}, {QStringLiteral("Nie"), QMessageBox::NoRole}}) == 0;
}

UserInterface::Choice QtUserInterface::choose(const std::string& text, const std::string& yes, const std::string& no,
                                              const std::string& cancel) {
    const std::size_t i = zapytaj(parent_, QString::fromUtf8(tekst::TytulAplikacji), tekstOkna(text),
                                  {{q(yes), QMessageBox::YesRole}, {q(no), QMessageBox::NoRole},
                                   {q(cancel), QMessageBox::RejectRole}});
    return i == 0 ? Choice::Yes : i == 1 ? Choice::No : Choice::Cancel;
}

bool QtUserInterface::confirm(const std::string& text, const std::string& caption) {
    return zapytaj(parent_, q(caption), tekstOkna(text),
                   {{QStringLiteral("OK"), QMessageBox::AcceptRole},
                    {QStringLiteral("Anuluj"), QMessageBox::RejectRole}}) == 0;
}

bool QtUserInterface::retry(const std::string& text, const std::string& caption) {
    return zapytaj(parent_, q(caption), tekstOkna(text),
                   {{QStringLiteral("Ponów próbę"), QMessageBox::AcceptRole},
                    {QStringLiteral("Anuluj"), QMessageBox::RejectRole}},
                   QMessageBox::Warning) == 0;
}

std::optional<std::string> QtUserInterface::chooseFile(const std::string& title, const std::string& filter,
                                                       bool forSaving, const std::string& initialFolder) {
    // Names pass as the system's bytes (QFile::encodeName, decodeName). An
    // ambiguous name is the core's to refuse for the operators' files only.
    const std::string rozszerzenie = rozszerzenieDomyslne(filter);
    DialogPliku dialog(parent_, q(title),
                       initialFolder.empty() ? QString() : QFile::decodeName(cp1250ToUtf8(initialFolder).c_str()),
                       rozszerzenie == "tr1");
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setAcceptMode(forSaving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    // An open dialog checks the name as the core finds files (DialogPliku),
    // not as Qt would, spelt exactly.
    dialog.setFileMode(QFileDialog::AnyFile);
    // A bare name gets the filter's extension.
    if (!rozszerzenie.empty()) dialog.setDefaultSuffix(q(rozszerzenie));
    dialog.setProxyModel(new PolskieKolumnyPlikow(&dialog));
    dialog.installEventFilter(new TytulyOknaPlikow(&dialog));
    dialog.setNameFilters(filtryPlikow(filter));
    // The patterns that ignore letter case are not for the user's eyes.
    dialog.setOption(QFileDialog::HideNameFilterDetails, true);
    dialog.resize(std::max(dialog.width(), 760), dialog.height());
    new WPoluEkranu(&dialog);  // no wider than the screen has room for
    // Size and date in full.
    if (auto* lista = dialog.findChild<QTreeView*>(QStringLiteral("treeView")))
        for (int kolumna = 1; kolumna < lista->header()->count(); ++kolumna)
            lista->header()->setSectionResizeMode(kolumna, QHeaderView::ResizeToContents);
    if (forSaving) dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    // A name the core cannot carry unchanged (one Qt could not decode shows
    // replacement characters) is refused, never taken for another file.
    const std::string bajty = QFile::encodeName(dialog.selectedFiles().front()).toStdString();
    if (std::optional<std::string> nazwa = fileNameToCp1250(bajty)) return nazwa;
    // A name given for a new file is to be chosen anew; an existing file's renamed.
    message(forSaving ? unusableNewFileNameMessage(bajty) : unusableFileNameMessage(bajty));
    return std::nullopt;
}

std::optional<std::string> QtUserInterface::chooseFolder(const std::string& title, const std::string& initialFolder) {
    QFileDialog dialog(parent_, q(title),
                       initialFolder.empty() ? QString() : QFile::decodeName(cp1250ToUtf8(initialFolder).c_str()));
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly, true);
    new WPoluEkranu(&dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    const std::string bajty = QFile::encodeName(dialog.selectedFiles().front()).toStdString();
    if (std::optional<std::string> nazwa = fileNameToCp1250(bajty)) return normalizeFolder(*nazwa);
    message(unusableFolderMessage(bajty, "okno wyboru folderu", "nale\xBFy wybra\xE6 inny folder"));
    return std::nullopt;
}

std::optional<std::string> QtUserInterface::inputText(const std::string& caption, const std::string& prompt,
                                                      const std::string& initial) {
    QInputDialog d(parent_);
    d.setWindowTitle(q(caption));
    d.setLabelText(q(prompt));
    d.setTextValue(q(initial));
    d.setOkButtonText(QStringLiteral("OK"));
    d.setCancelButtonText(QStringLiteral("Anuluj"));
    // Wide enough for its whole caption in the title bar.
    // The dialog sizes itself from its layout: the box sets the width.
    const int szerokosc = std::max(szerokoscTytulu(d, q(caption)), d.fontMetrics().horizontalAdvance(q(prompt)) + 60);
    d.setMinimumWidth(szerokosc);
    if (auto* pole = d.findChild<QLineEdit*>()) pole->setMinimumWidth(szerokosc - 40);
    // The text is taken as a line of a text file in UTF-8 is (the window's
    // text is UTF-8, which the mark says): one with a character code page
    // 1250 lacks is refused and asked again, never turned into "?".
    for (;;) {
        if (d.exec() != QDialog::Accepted) return std::nullopt;
        const TextFileLines t = textFileLines("\xEF\xBB\xBF" + d.textValue().toStdString(), LoneCr::InLine);
        if (t.refusal == TextFileLines::Refusal::None) return t.lines.empty() ? std::string() : t.lines.front();
        // "ma znak ... spoza strony kodowej 1250 - wpisz go inaczej"
        message("Tekst " + t.text + " ma znak " + t.character + " spoza strony kodowej 1250 - wpisz go inaczej");
    }
}

void QtUserInterface::endProgram(int exitCode) {
    QMetaObject::invokeMethod(
        qApp, [exitCode] { QCoreApplication::exit(exitCode); }, Qt::QueuedConnection);
}

}  // namespace vesk
