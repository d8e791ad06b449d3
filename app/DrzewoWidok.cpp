#include "DrzewoWidok.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QHeaderView>
#include <QScrollBar>
#include <algorithm>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>

#include "QtTekst.h"
#include "WidokDrzewa.h"
#include "Warsztat.h"

namespace vesk {

namespace {

QIcon rysujIkone(int obrazek) {
    // A hollow grey ring waiting for simulation, a filled green disc once
    // simulated, an orange disc with a pen stroke while being edited.
    QPixmap p(16, 16);
    p.fill(Qt::transparent);
    QPainter m(&p);
    m.setRenderHint(QPainter::Antialiasing);
    switch (obrazek) {
        case 1:
            m.setPen(QPen(QColor(0, 100, 0), 1.5));
            m.setBrush(QColor(40, 170, 60));
            m.drawEllipse(QRectF(2, 2, 12, 12));
            break;
        case 2:
            m.setPen(QPen(QColor(150, 70, 0), 1.5));
            m.setBrush(QColor(255, 160, 40));
            m.drawEllipse(QRectF(2, 2, 12, 12));
            m.setPen(QPen(Qt::black, 2));
            m.drawLine(QPointF(5, 11), QPointF(11, 5));
            break;
        default:
            m.setPen(QPen(QColor(110, 110, 110), 2));
            m.setBrush(Qt::NoBrush);
            m.drawEllipse(QRectF(3, 3, 10, 10));
            break;
    }
    return QIcon(p);
}

}  // namespace

TDrzewoWezlow::TDrzewoWezlow(QWidget* rodzic)
    : QTreeWidget(rodzic), ikony_{rysujIkone(0), rysujIkone(1), rysujIkone(2)} {
    setHeaderHidden(true);
    setRootIsDecorated(false);
    setSortingEnabled(false);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setDragEnabled(true);
    setDragDropMode(QAbstractItemView::DragOnly);
    setDefaultDropAction(Qt::CopyAction);
    setContextMenuPolicy(Qt::CustomContextMenu);
    // The tree shows no expand markers: a double click must not hide a
    // branch the user then cannot see how to bring back.
    setExpandsOnDoubleClick(false);
    header()->setStretchLastSection(false);
    header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    // The selection stays visible, white on black, without the focus.
    QPalette p = palette();
    for (auto grupa : {QPalette::Active, QPalette::Inactive}) {
        p.setColor(grupa, QPalette::Highlight, Qt::black);
        p.setColor(grupa, QPalette::HighlightedText, Qt::white);
    }
    setPalette(p);
}

const QIcon& TDrzewoWezlow::ikona(int obrazek) const {
    return ikony_[obrazek >= 0 && obrazek < static_cast<int>(ikony_.size()) ? static_cast<std::size_t>(obrazek) : 0];
}

QStringList TDrzewoWezlow::mimeTypes() const { return {TypWezla}; }

QMimeData* TDrzewoWezlow::mimeData(const QList<QTreeWidgetItem*>& items) const {
    if (items.isEmpty()) return nullptr;
    auto* dane = new QMimeData;
    dane->setData(TypWezla, QByteArray::number(items.first()->data(0, RolaNumeru).toInt()));
    return dane;
}

bool TDrzewoWezlow::event(QEvent* e) {
    // Ctrl+A is the base command's shortcut, not select-all.
    if (e->type() == QEvent::ShortcutOverride && static_cast<QKeyEvent*>(e)->matches(QKeySequence::SelectAll)) {
        e->ignore();
        return false;
    }
    return QTreeWidget::event(e);
}

void TDrzewoWezlow::keyPressEvent(QKeyEvent* e) {
    wcisniety_ = true;
    if (e->matches(QKeySequence::SelectAll)) {
        e->ignore();
        return;
    }
    QTreeWidget::keyPressEvent(e);
}

void TDrzewoWezlow::keyReleaseEvent(QKeyEvent* e) {
    QTreeWidget::keyReleaseEvent(e);
    // Only a key pressed here: the release of one that answered a box, or
    // opened another window, finds the tree with the focus again.
    if (e->isAutoRepeat() || !wcisniety_) return;
    wcisniety_ = false;
    if (poKlawiszu) poKlawiszu();
}

void TDrzewoWezlow::focusOutEvent(QFocusEvent* e) {
    wcisniety_ = false;
    QTreeWidget::focusOutEvent(e);
}

void TDrzewoWezlow::focusInEvent(QFocusEvent* e) {
    QTreeWidget::focusInEvent(e);
    // Only focus coming from another control, not the window's activation,
    // a closed popup or a click: a click on an item brings its own
    // follow-up, and one on empty space changes nothing.
    if (poWejsciu && e->reason() != Qt::ActiveWindowFocusReason && e->reason() != Qt::PopupFocusReason &&
        e->reason() != Qt::MouseFocusReason)
        poWejsciu();
}

void TDrzewoWezlow::mousePressEvent(QMouseEvent* e) {
    QTreeWidgetItem* item = itemAt(e->position().toPoint());
    // A press on empty space, and the drag and release after it, change
    // nothing: the view would clear its current item, which the next focus
    // would then move to the first item, the root.
    naPustym_ = item == nullptr;
    if (naPustym_) {
        e->accept();
        return;
    }
    // A right click selects the item under it, once, before the popup
    // opens; the view's own press would select it a second time.
    if (e->button() == Qt::RightButton) {
        setCurrentItem(item);
        e->accept();
        return;
    }
    QTreeWidget::mousePressEvent(e);
}

void TDrzewoWezlow::mouseMoveEvent(QMouseEvent* e) {
    if (naPustym_ && e->buttons() != Qt::NoButton) {
        e->accept();
        return;
    }
    QTreeWidget::mouseMoveEvent(e);
}

void TDrzewoWezlow::mouseReleaseEvent(QMouseEvent* e) {
    if (naPustym_) {
        naPustym_ = e->buttons() != Qt::NoButton;
        e->accept();
        return;
    }
    QTreeWidget::mouseReleaseEvent(e);
}

void TDrzewoWezlow::mouseDoubleClickEvent(QMouseEvent* e) {
    if (!itemAt(e->position().toPoint())) {
        naPustym_ = true;
        e->accept();
        return;
    }
    QTreeWidget::mouseDoubleClickEvent(e);
}

void TDrzewoWezlow::drawBranches(QPainter* p, const QRect& r, const QModelIndex& indeks) const {
    p->fillRect(r, palette().brush(QPalette::Base));
    // A closed branch shows a "+" box just before its item, so that no
    // node is hidden without a sign.
    if (!indeks.isValid() || isExpanded(indeks) || !model()->hasChildren(indeks)) return;
    const int bok = std::min(12, r.height() - 4);
    if (bok < 6 || r.width() < bok + 2) return;
    const QRect ramka(r.right() - bok - 2, r.center().y() - bok / 2, bok, bok);
    p->save();
    p->setPen(palette().color(QPalette::Text));
    p->setBrush(palette().brush(QPalette::Base));
    p->drawRect(ramka);
    const QPoint s = ramka.center();
    const int ramie = bok / 2 - 2;
    p->drawLine(s.x() - ramie, s.y(), s.x() + ramie, s.y());
    p->drawLine(s.x(), s.y() - ramie, s.x(), s.y() + ramie);
    p->restore();
}

int TDrzewoWezlow::sizeHintForColumn(int kolumna) const {
    return std::max(QTreeWidget::sizeHintForColumn(kolumna), viewport()->width());
}

void TDrzewoWezlow::resizeEvent(QResizeEvent* e) {
    QTreeWidget::resizeEvent(e);
    resizeColumnToContents(0);
}

void TDrzewoWezlow::pokazBiezacy() {
    QTreeWidgetItem* item = currentItem();
    if (!item) return;
    resizeColumnToContents(0);
    scrollToItem(item);
    // The item's text, not only its row: from its indent to its end.
    const QRect r = visualItemRect(item);
    // The delegate draws the labels bold: measured so, the whole label.
    QFont pogrubiona = font();
    pogrubiona.setBold(true);
    const int tekst = r.left() + QFontMetrics(pogrubiona).horizontalAdvance(item->text(0)) + iconSize().width() + 24;
    QScrollBar* pasek = horizontalScrollBar();
    if (tekst > viewport()->width()) pasek->setValue(pasek->value() + tekst - viewport()->width());
    else if (r.left() < 0) pasek->setValue(pasek->value() + r.left());
}

TDelegatWezla::TDelegatWezla(const Warsztat& w, QObject* rodzic) : QStyledItemDelegate(rodzic), w_(w) {}

void TDelegatWezla::paint(QPainter* p, const QStyleOptionViewItem& opcja, const QModelIndex& indeks) const {
    QStyledItemDelegate::paint(p, opcja, indeks);
    if (!(opcja.state & QStyle::State_HasFocus)) return;
    // Two frames, light inside dark, seen on each of the five looks.
    p->save();
    p->setBrush(Qt::NoBrush);
    const QRect r = opcja.rect.adjusted(0, 0, -1, -1);
    p->setPen(QPen(QColor(0, 90, 200), 2, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p->drawRect(r.adjusted(1, 1, -1, -1));
    p->setPen(QPen(Qt::white, 1, Qt::DotLine));
    p->drawRect(r.adjusted(3, 3, -3, -3));
    p->restore();
}

void TDelegatWezla::initStyleOption(QStyleOptionViewItem* opcja, const QModelIndex& indeks) const {
    QStyledItemDelegate::initStyleOption(opcja, indeks);
    const std::string etykieta = zQt(indeks.data(Qt::DisplayRole).toString());
    const bool wybrany = w_.Wybrany && indeks.data(RolaNumeru).toInt() == *w_.Wybrany;
    QColor tlo = Qt::white, tekst = Qt::black;
    bool pogrubiona = true, podkreslona = false;
    switch (WygladWezla(etykieta, w_.OkienkoBazowe, w_.OkienkoEdycji, wybrany)) {
        case WygladPozycji::BazowyIEdycji:
            tlo = Qt::red;
            tekst = Qt::yellow;
            pogrubiona = false;
            podkreslona = true;
            break;
        case WygladPozycji::Bazowy:
            tlo = Qt::red;
            tekst = Qt::white;
            break;
        case WygladPozycji::Edycji:
            tlo = Qt::yellow;
            break;
        case WygladPozycji::Wybrany:
            tlo = Qt::black;
            tekst = Qt::white;
            break;
        case WygladPozycji::Zwykly:
            break;
    }
    opcja->font.setBold(pogrubiona);
    opcja->font.setUnderline(podkreslona);
    // The look is drawn by the delegate itself, not by the style's own
    // selection or focus marks.
    opcja->state &= ~(QStyle::State_Selected | QStyle::State_HasFocus);
    opcja->backgroundBrush = tlo;
    for (auto grupa : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        opcja->palette.setColor(grupa, QPalette::Text, tekst);
        opcja->palette.setColor(grupa, QPalette::WindowText, tekst);
    }
}

TPoleWezla::TPoleWezla(QWidget* rodzic) : QLineEdit(rodzic) {
    setReadOnly(true);
    setAcceptDrops(true);
}

void TPoleWezla::dragEnterEvent(QDragEnterEvent* e) { e->acceptProposedAction(); }

void TPoleWezla::dragMoveEvent(QDragMoveEvent* e) { e->acceptProposedAction(); }

void TPoleWezla::dropEvent(QDropEvent* e) {
    const QMimeData* dane = e->mimeData();
    if (!dane || !dane->hasFormat(TypWezla)) {
        e->ignore();
        return;
    }
    bool ok = false;
    const int numer = dane->data(TypWezla).toInt(&ok);
    e->setDropAction(Qt::CopyAction);
    e->accept();
    if (ok && poUpuszczeniu) poUpuszczeniu(numer);
}

}  // namespace vesk
