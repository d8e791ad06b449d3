#include "QtUserInterface.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <cctype>

#include "QtTekst.h"
#include "TekstyOkien.h"

namespace vesk {

namespace {

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

}  // namespace

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
    QMessageBox box(QMessageBox::Information, QString::fromUtf8(tekst::TytulAplikacji), q(text), QMessageBox::NoButton,
                    parent_);
    box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box.exec();
}

bool QtUserInterface::question(const std::string& text) {
    QMessageBox box(QMessageBox::Question, QString::fromUtf8(tekst::TytulAplikacji), q(text), QMessageBox::NoButton,
                    parent_);
    QPushButton* tak = box.addButton(QStringLiteral("Tak"), QMessageBox::YesRole);
    QPushButton* nie = box.addButton(QStringLiteral("Nie"), QMessageBox::NoRole);
    box.setDefaultButton(tak);
    box.setEscapeButton(nie);
    box.exec();
    return box.clickedButton() == tak;
}

bool QtUserInterface::confirm(const std::string& text, const std::string& caption) {
    QMessageBox box(QMessageBox::Question, q(caption), q(text), QMessageBox::NoButton, parent_);
    QPushButton* ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    QPushButton* anuluj = box.addButton(QStringLiteral("Anuluj"), QMessageBox::RejectRole);
    box.setDefaultButton(ok);
    box.setEscapeButton(anuluj);
    box.exec();
    return box.clickedButton() == ok;
}

std::optional<std::string> QtUserInterface::chooseFile(const std::string& title, const std::string& filter,
                                                       bool forSaving, const std::string& initialFolder) {
    QFileDialog dialog(parent_, q(title), initialFolder.empty() ? QString() : q(initialFolder));
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setAcceptMode(forSaving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(forSaving ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setNameFilters(filtryPlikow(filter));
    if (forSaving) {
        dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
        const std::string rozszerzenie = rozszerzenieDomyslne(filter);
        if (!rozszerzenie.empty()) dialog.setDefaultSuffix(q(rozszerzenie));
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return zQt(dialog.selectedFiles().front());
}

std::optional<std::string> QtUserInterface::inputText(const std::string& caption, const std::string& prompt,
                                                      const std::string& initial) {
    QInputDialog d(parent_);
    d.setWindowTitle(q(caption));
    d.setLabelText(q(prompt));
    d.setTextValue(q(initial));
    d.setOkButtonText(QStringLiteral("OK"));
    d.setCancelButtonText(QStringLiteral("Anuluj"));
    // Wide enough for its whole caption in the frame's title bar.
    d.setMinimumWidth(d.fontMetrics().horizontalAdvance(d.windowTitle()) + 160);
    if (d.exec() != QDialog::Accepted) return std::nullopt;
    return zQt(d.textValue());
}

void QtUserInterface::endProgram(int exitCode) {
    QMetaObject::invokeMethod(
        qApp, [exitCode] { QCoreApplication::exit(exitCode); }, Qt::QueuedConnection);
}

}  // namespace vesk
