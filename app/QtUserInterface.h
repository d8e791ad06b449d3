// The user interface of the program in Qt: modal message boxes with Polish
// buttons, the non-native file dialog, the beep and the end of the program.
#pragma once

#include <QFileInfo>
#include <QMessageBox>
#include <QString>
#include <QWidget>

#include "UserInterface.h"

namespace vesk {

class QtUserInterface : public UserInterface {
public:
    // parent: the window the boxes belong to (may change later).
    explicit QtUserInterface(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }
    QWidget* parent() const { return parent_; }

    void beep() override;
    void message(const std::string& text) override;
    bool question(const std::string& text) override;
    Choice choose(const std::string& text, const std::string& yes, const std::string& no,
                  const std::string& cancel) override;
    // "OK" and "Anuluj" under the given caption.
    bool confirm(const std::string& text, const std::string& caption) override;
    // "Ponów próbę" and "Anuluj" under the given caption.
    bool retry(const std::string& text, const std::string& caption) override;
    // The non-native dialog; saving adds the filter's first extension to a
    // name given without one.
    std::optional<std::string> chooseFolder(const std::string& title, const std::string& initialFolder) override;
    std::optional<std::string> chooseFile(const std::string& title, const std::string& filter, bool forSaving,
                                          const std::string& initialFolder = {}) override;
    // QInputDialog; nothing on Cancel.
    std::optional<std::string> inputText(const std::string& caption, const std::string& prompt,
                                         const std::string& initial) override;
    // Queues the exit: the handler that asked returns first.
    void endProgram(int exitCode) override;
    bool stopRequested() override { return false; }

private:
    QWidget* parent_;
};

// The size the file dialog shows for a file: "1 bajt", "22 bajty", "115
// bajtów" below 1 KiB, "6,00 KiB" and the like above.
QString RozmiarPliku(qint64 bajty);
// The type the file dialog shows for a file: "Folder", "Plik TR1", "Plik".
QString OpisTypuPliku(const QFileInfo& plik);

// While alive, the boxes and dialogs of ui (when it is the Qt one) belong
// to okno: they stay above it, also when it stays on top, and count as its
// own when it asks who took the focus. The parent before is given back.
class DialogiOkna {
public:
    DialogiOkna(UserInterface& ui, QWidget* okno)
        : ui_(dynamic_cast<QtUserInterface*>(&ui)), dawny_(ui_ ? ui_->parent() : nullptr) {
        if (ui_) ui_->setParent(okno);
    }
    ~DialogiOkna() {
        if (ui_) ui_->setParent(dawny_);
    }
    DialogiOkna(const DialogiOkna&) = delete;
    DialogiOkna& operator=(const DialogiOkna&) = delete;

private:
    QtUserInterface* ui_;
    QWidget* dawny_;
};

// A filter of the form "description|*.ext;*.ext2|..." as a Qt name filter
// list whose patterns match without regard to letter case.
QStringList filtryPlikow(const std::string& filter);
// The extension of the filter's first pattern ("*.TR1" gives "tr1"); empty
// when the first pattern is no plain "*.ext".
std::string rozszerzenieDomyslne(const std::string& filter);

}  // namespace vesk
