// The tree tab's own widgets: the tree that drags its nodes and reports
// key releases and focus, the delegate that draws each item in the look
// the core gives it, and the read-only boxes that take dropped nodes.
#pragma once

#include <QIcon>
#include <QLineEdit>
#include <QStyledItemDelegate>
#include <QTreeWidget>
#include <array>
#include <functional>

namespace vesk {

class Warsztat;

// The drag type of a tree node; the data is its number in decimal.
inline const QString TypWezla = QStringLiteral("application/x-vesk-wezel");
// The item data role holding the node number.
inline constexpr int RolaNumeru = Qt::UserRole;

class TDrzewoWezlow : public QTreeWidget {
public:
    explicit TDrzewoWezlow(QWidget* rodzic = nullptr);
    std::function<void()> poKlawiszu;  // a key released in the tree
    std::function<void()> poWejsciu;   // the tree got the focus

protected:
    QStringList mimeTypes() const override;
    // A node is only ever copied out: no drop removes it from the tree.
    Qt::DropActions supportedDropActions() const override { return Qt::CopyAction; }
    QMimeData* mimeData(const QList<QTreeWidgetItem*>& items) const override;
    bool event(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    // No lines or buttons: the indent stays blank, also on the selected row.
    void drawBranches(QPainter* p, const QRect& r, const QModelIndex& indeks) const override;
    // The column is as wide as its deepest item needs, at least the view:
    // deep levels scroll into sight instead of being cut off.
    int sizeHintForColumn(int kolumna) const override;
    void resizeEvent(QResizeEvent* e) override;

public:
    // The selected item scrolled into sight, across as well as down.
    void pokazBiezacy();
    // The item icons, drawn once with the tree and given to every item
    // and every refresh: 0 not simulated, 1 simulated, 2 being edited (any
    // other number as 0). An icon made anew for each refresh would leave
    // its pictures in the pixmap cache at every view.
    const QIcon& ikona(int obrazek) const;

private:
    std::array<QIcon, 3> ikony_;
    bool naPustym_ = false;  // the mouse button went down on empty space
    bool wcisniety_ = false;  // a key went down in the tree (not in a box it then let go in)
};

// Draws an item in one of the five looks of the core: the base and
// template boxes' texts and the selected node come from the workbench.
class TDelegatWezla : public QStyledItemDelegate {
public:
    TDelegatWezla(const Warsztat& w, QObject* rodzic);

    // The current item framed while the tree has the focus: the keys act
    // there, whatever the item's own look.
    void paint(QPainter* p, const QStyleOptionViewItem& opcja, const QModelIndex& indeks) const override;

protected:
    void initStyleOption(QStyleOptionViewItem* opcja, const QModelIndex& indeks) const override;

private:
    const Warsztat& w_;
};

// A read-only box that takes any drag and acts only on a dropped node.
class TPoleWezla : public QLineEdit {
public:
    explicit TPoleWezla(QWidget* rodzic = nullptr);
    std::function<void(int)> poUpuszczeniu;  // the dropped node's number

protected:
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dragMoveEvent(QDragMoveEvent* e) override;
    void dropEvent(QDropEvent* e) override;
};

}  // namespace vesk
