#include "platform/flex_grid_view.h"

#include <algorithm>

#include <QAbstractButton>
#include <QAction>
#include <QFontMetrics>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QScrollBar>
#include <QStyleOptionHeader>

#include "platform/flex_grid_header.h"
#include "platform/flex_grid_key_code.h"
#include "platform/flex_grid_table_model.h"

namespace stelvador {

namespace {

int buttonCode(Qt::MouseButton button) {
    switch (button) {
        case Qt::LeftButton:
            return 1;
        case Qt::RightButton:
            return 2;
        case Qt::MiddleButton:
            return 4;
        default:
            return 0;
    }
}

int shiftCode(Qt::KeyboardModifiers modifiers) {
    return (modifiers.testFlag(Qt::ShiftModifier) ? 1 : 0) |
           (modifiers.testFlag(Qt::ControlModifier) ? 2 : 0) |
           (modifiers.testFlag(Qt::AltModifier) ? 4 : 0);
}

// The look both program grids are designed with.
QFont gridFont() {
    QFont font(QStringLiteral("Arial Narrow"));
    font.setPointSizeF(9.75);
    return font;
}

}  // namespace

FlexGridView::FlexGridView(int rows, int cols, QWidget* parent)
    : FlexGridView(rows, cols, 1, 1, parent) {}

FlexGridView::FlexGridView(int rows, int cols, int fixedRows, int fixedCols, QWidget* parent)
    : QTableView(parent),
      m_grid(std::make_unique<FlexGrid>(rows, cols, fixedRows, fixedCols)),
      m_model(std::make_unique<FlexGridTableModel>(*m_grid)) {
    setFont(gridFont());
    auto* top = new FlexGridHeader(Qt::Horizontal, this);
    auto* side = new FlexGridHeader(Qt::Vertical, this);
    setHorizontalHeader(top);
    setVerticalHeader(side);
    setModel(m_model.get());

    // The window edits cells itself, key by key; the view only shows and selects.
    setEditTriggers(NoEditTriggers);
    setSelectionMode(ContiguousSelection);
    setSelectionBehavior(SelectItems);
    setVerticalScrollMode(ScrollPerItem);
    setHorizontalScrollMode(ScrollPerItem);
    setTabKeyNavigation(false);
    setWordWrap(false);
    setContextMenuPolicy(Qt::PreventContextMenu);
    top->setContextMenuPolicy(Qt::PreventContextMenu);
    side->setContextMenuPolicy(Qt::PreventContextMenu);
    top->setVisible(m_model->rowOffset() > 0);
    side->setVisible(m_model->colOffset() > 0);

    const QFontMetrics metrics(font());
    m_defaultRowHeight = metrics.height() + 4;
    side->setDefaultSectionSize(m_defaultRowHeight);
    top->setDefaultSectionSize(metrics.horizontalAdvance(QLatin1Char('0')) * 10 + 8);

    m_corner = findChild<QAbstractButton*>(QString(), Qt::FindDirectChildrenOnly);
    if (m_corner != nullptr) {
        m_corner->installEventFilter(this);
    }

    connect(m_model.get(), &FlexGridTableModel::gridSelectionChanged, this,
            &FlexGridView::followSelection);
    connect(m_model.get(), &FlexGridTableModel::gridPropertiesChanged, this,
            &FlexGridView::followProperties);
    connect(m_model.get(), &FlexGridTableModel::gridStructureChanged, this,
            &FlexGridView::followStructure);
    connect(m_model.get(), &FlexGridTableModel::cornerChanged, this, &FlexGridView::followCorner);
    connect(top, &FlexGridHeader::pressed, this,
            [this, top](int section, bool onEdge, Qt::MouseButton button,
                        Qt::KeyboardModifiers modifiers, QPoint position) {
                pressHeader(Qt::Horizontal, section, onEdge, button, modifiers, position,
                            top->viewport());
            });
    connect(side, &FlexGridHeader::pressed, this,
            [this, side](int section, bool onEdge, Qt::MouseButton button,
                         Qt::KeyboardModifiers modifiers, QPoint position) {
                pressHeader(Qt::Vertical, section, onEdge, button, modifiers, position,
                            side->viewport());
            });
    connect(top, &FlexGridHeader::released, this, &FlexGridView::reportRelease);
    connect(side, &FlexGridHeader::released, this, &FlexGridView::reportRelease);

    followProperties();
    followSelection();
    followCorner();
}

FlexGridView::~FlexGridView() {
    // The view lets go of the adapter before the adapter and then the grid go.
    setModel(nullptr);
}

int FlexGridView::twipsToPixels(int twips) const {
    return qRound(static_cast<double>(twips) * logicalDpiY() / 1440.0);
}

int FlexGridView::sizeHintForColumn(int column) const {
    return std::min(QTableView::sizeHintForColumn(column), FittedColumnWidthLimit(fontMetrics()));
}

bool FlexGridView::hasScrollingCells() const {
    return m_grid->Rows() > m_grid->FixedRows() && m_grid->Cols() > m_grid->FixedCols();
}

// --- following the grid ----------------------------------------------------------------------

void FlexGridView::followSelection() {
    const FlexGrid& grid = *m_grid;
    const int rowOffset = m_model->rowOffset();
    const int colOffset = m_model->colOffset();
    QModelIndex current;
    if (grid.Row() >= rowOffset && grid.Col() >= colOffset) {
        current = m_model->index(grid.Row() - rowOffset, grid.Col() - colOffset);
    }
    const int top = std::max(std::min(grid.Row(), grid.RowSel()), rowOffset);
    const int bottom = std::max(grid.Row(), grid.RowSel());
    const int left = std::max(std::min(grid.Col(), grid.ColSel()), colOffset);
    const int right = std::max(grid.Col(), grid.ColSel());
    QItemSelection wanted;
    if (top <= bottom && left <= right) {
        wanted.select(m_model->index(top - rowOffset, left - colOffset),
                      m_model->index(bottom - rowOffset, right - colOffset));
    }
    QItemSelectionModel* selection = selectionModel();
    if (selection->currentIndex() != current) {
        selection->setCurrentIndex(current, QItemSelectionModel::NoUpdate);
    }
    if (selection->selection() != wanted) {
        selection->select(wanted, QItemSelectionModel::ClearAndSelect);
    }
}

void FlexGridView::followProperties() {
    const FlexGrid& grid = *m_grid;
    if (grid.Visible() != m_visible) {
        m_visible = grid.Visible();
        setVisible(m_visible);
    }
    if (grid.RowHeightMin() != m_rowHeightMin) {
        m_rowHeightMin = grid.RowHeightMin();
        const int pixels = twipsToPixels(m_rowHeightMin);
        verticalHeader()->setMinimumSectionSize(pixels > 0 ? pixels : -1);
        verticalHeader()->setDefaultSectionSize(std::max(m_defaultRowHeight, pixels));
    }
    if (grid.TopRow() != m_appliedTopRow) {
        applyTopRow();
    }
}

void FlexGridView::applyTopRow() {
    m_appliedTopRow = m_grid->TopRow();
    const int row = m_appliedTopRow - m_model->rowOffset();
    if (row < 0 || row >= m_model->rowCount()) {
        return;
    }
    // The scroll range is only right once the pending layout has run.
    executeDelayedItemsLayout();
    verticalScrollBar()->setValue(row);
    m_topRowPending = !isVisible();
}

void FlexGridView::followStructure() {
    followSelection();
    if (m_grid->TopRow() != m_appliedTopRow) {
        applyTopRow();
    }
}

void FlexGridView::followCorner() {
    if (m_corner == nullptr) {
        return;
    }
    const QString text = m_model->cornerText();
    const int margin = style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, this);
    verticalHeader()->setMinimumWidth(
        text.isEmpty() ? 0 : verticalHeader()->fontMetrics().horizontalAdvance(text) + 4 * margin);
    m_corner->update();
}

bool FlexGridView::paintCorner() {
    QPainter painter(m_corner);
    QStyleOptionHeader option;
    option.initFrom(m_corner);
    option.state = QStyle::State_None;
    if (m_corner->isEnabled()) {
        option.state |= QStyle::State_Enabled;
    }
    if (m_corner->isActiveWindow()) {
        option.state |= QStyle::State_Active;
    }
    option.rect = m_corner->rect();
    option.position = QStyleOptionHeader::OnlyOneSection;
    option.text = m_model->cornerText();
    option.textAlignment = m_model->cornerAlignment();
    painter.setFont(verticalHeader()->font());
    style()->drawControl(QStyle::CE_Header, &option, &painter, m_corner);
    return true;
}

void FlexGridView::showEvent(QShowEvent* event) {
    QTableView::showEvent(event);
    if (m_topRowPending) {
        applyTopRow();
    }
}

// --- the user's selection --------------------------------------------------------------------

void FlexGridView::selectCell(int row, int col, bool extend) {
    FlexGrid& grid = *m_grid;
    if (extend) {
        if (grid.RowSel() != row) {
            grid.setRowSel(row);
        }
        if (grid.ColSel() != col) {
            grid.setColSel(col);
        }
        return;
    }
    grid.setRow(row);
    grid.setCol(col);
}

void FlexGridView::selectAll() {
    if (!hasScrollingCells()) {
        return;
    }
    FlexGrid& grid = *m_grid;
    grid.setRow(grid.FixedRows());
    grid.setCol(grid.FixedCols());
    grid.setRowSel(grid.Rows() - 1);
    grid.setColSel(grid.Cols() - 1);
}

void FlexGridView::showGridCell(int row, int col) {
    const int rowOffset = m_model->rowOffset();
    const int colOffset = m_model->colOffset();
    if (m_model->rowCount() == 0 || m_model->columnCount() == 0) {
        return;
    }
    // A fixed row or column is always in view; only the other direction may need scrolling.
    const int modelRow = row >= rowOffset ? row - rowOffset : std::max(rowAt(0), 0);
    const int modelCol = col >= colOffset ? col - colOffset : std::max(columnAt(0), 0);
    scrollTo(m_model->index(modelRow, modelCol), EnsureVisible);
}

bool FlexGridView::moveByKey(int key, Qt::KeyboardModifiers modifiers) {
    switch (key) {
        case Qt::Key_Left:
        case Qt::Key_Right:
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
        case Qt::Key_Home:
        case Qt::Key_End:
            break;
        default:
            return false;
    }
    if (modifiers.testFlag(Qt::AltModifier)) {
        return false;
    }
    if (!hasScrollingCells()) {
        return true;
    }
    const FlexGrid& grid = *m_grid;
    const bool extend = modifiers.testFlag(Qt::ShiftModifier);
    const bool control = modifiers.testFlag(Qt::ControlModifier);
    int row = extend ? grid.RowSel() : grid.Row();
    int col = extend ? grid.ColSel() : grid.Col();
    const int firstRow = grid.FixedRows();
    const int firstCol = grid.FixedCols();
    const int lastRow = grid.Rows() - 1;
    const int lastCol = grid.Cols() - 1;
    const int shownRows = rowAt(viewport()->height() - 1) - rowAt(0);
    const int page = std::max(1, shownRows);
    switch (key) {
        case Qt::Key_Left:
            --col;
            break;
        case Qt::Key_Right:
            ++col;
            break;
        case Qt::Key_Up:
            --row;
            break;
        case Qt::Key_Down:
            ++row;
            break;
        case Qt::Key_PageUp:
            row -= page;
            break;
        case Qt::Key_PageDown:
            row += page;
            break;
        case Qt::Key_Home:
            col = firstCol;
            if (control) {
                row = firstRow;
            }
            break;
        default:  // End
            col = lastCol;
            if (control) {
                row = lastRow;
            }
            break;
    }
    row = std::clamp(row, firstRow, lastRow);
    col = std::clamp(col, firstCol, lastCol);
    selectCell(row, col, extend);
    showGridCell(row, col);
    return true;
}

// --- keyboard --------------------------------------------------------------------------------

bool FlexGridView::event(QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        // Tab is a character for the grid, not a move to the next widget.
        if (key->key() == Qt::Key_Tab &&
            !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
            keyPressEvent(key);
            return true;
        }
    }
    return QTableView::event(event);
}

bool FlexGridView::isWindowShortcut(const QKeyEvent& event) const {
    const Qt::KeyboardModifiers modifiers = event.modifiers();
    const bool modified =
        (modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) != 0;
    const bool functionKey = event.key() >= Qt::Key_F1 && event.key() <= Qt::Key_F35;
    if (!modified && !functionKey) {
        return false;  // plain typing is never one of the window's shortcuts
    }
    const QKeySequence pressed(event.keyCombination());
    for (const QAction* action : window()->findChildren<QAction*>()) {
        for (const QKeySequence& shortcut : action->shortcuts()) {
            if (shortcut.matches(pressed) == QKeySequence::ExactMatch) {
                return true;
            }
        }
    }
    return false;
}

void FlexGridView::keyPressEvent(QKeyEvent* event) {
    // A key of one of the window's menu or toolbar items belongs to that item, enabled or not:
    // an enabled item has run already; a disabled one's key (Ctrl+H is a Backspace to the
    // grid, Ctrl+M an Enter) must not edit the cell.
    if (isWindowShortcut(*event)) {
        event->accept();
        return;
    }
    if (moveByKey(event->key(), event->modifiers())) {
        event->accept();
        return;
    }
    const int code = KeyPressCode(event->key(), event->modifiers(), event->text());
    if (code < 0) {
        event->ignore();
        return;
    }
    event->accept();
    const int row = m_grid->Row();
    const int col = m_grid->Col();
    const QPointer<FlexGridView> self(this);
    emit KeyPress(code);
    if (self != nullptr && (m_grid->Row() != row || m_grid->Col() != col)) {
        showGridCell(m_grid->Row(), m_grid->Col());
    }
}

void FlexGridView::inputMethodEvent(QInputMethodEvent* event) {
    event->accept();
    const QList<uint> codes = event->commitString().toUcs4();
    const QPointer<FlexGridView> self(this);
    for (const uint code : codes) {
        emit KeyPress(static_cast<int>(code));
        if (self == nullptr) {
            return;
        }
    }
}

void FlexGridView::focusInEvent(QFocusEvent* event) {
    // The item view's own focus handling would make a first cell current; the grid's current
    // cell stays where the program left it.
    QAbstractScrollArea::focusInEvent(event);
    viewport()->update();
}

// --- mouse -----------------------------------------------------------------------------------

void FlexGridView::reportPress(Qt::MouseButton button, Qt::KeyboardModifiers modifiers,
                               QPoint position) {
    if (button == Qt::LeftButton) {
        m_leftPressed = true;
    }
    emit MouseDown(buttonCode(button), shiftCode(modifiers), position.x(), position.y());
}

void FlexGridView::reportRelease(Qt::MouseButton button) {
    if (button != Qt::LeftButton || !m_leftPressed) {
        return;
    }
    m_leftPressed = false;
    m_dragging = false;
    emit Click();
}

void FlexGridView::mousePressEvent(QMouseEvent* event) {
    const QPoint position = event->position().toPoint();
    const QModelIndex index = indexAt(position);
    if (index.isValid()) {
        const int row = index.row() + m_model->rowOffset();
        const int col = index.column() + m_model->colOffset();
        if (event->button() == Qt::LeftButton) {
            selectCell(row, col, event->modifiers().testFlag(Qt::ShiftModifier));
            m_dragging = true;
        } else if (!selectionModel()->isSelected(index)) {
            // Another button inside the selection keeps it, so a pop-up acts on all of it.
            selectCell(row, col, false);
        }
    }
    reportPress(event->button(), event->modifiers(), viewport()->mapTo(this, position));
}

void FlexGridView::mouseDoubleClickEvent(QMouseEvent* event) {
    mousePressEvent(event);
}

int FlexGridView::modelRowNear(int y) const {
    const int count = m_model->rowCount();
    if (count == 0) {
        return -1;
    }
    const int height = viewport()->height();
    if (y < 0) {
        return std::max(rowAt(0) - 1, 0);
    }
    if (y >= height) {
        const int last = rowAt(height - 1);
        return last < 0 ? count - 1 : std::min(last + 1, count - 1);
    }
    const int at = rowAt(y);
    return at < 0 ? count - 1 : at;
}

int FlexGridView::modelColumnNear(int x) const {
    const int count = m_model->columnCount();
    if (count == 0) {
        return -1;
    }
    const int width = viewport()->width();
    if (x < 0) {
        return std::max(columnAt(0) - 1, 0);
    }
    if (x >= width) {
        const int last = columnAt(width - 1);
        return last < 0 ? count - 1 : std::min(last + 1, count - 1);
    }
    const int at = columnAt(x);
    return at < 0 ? count - 1 : at;
}

void FlexGridView::mouseMoveEvent(QMouseEvent* event) {
    if (!m_dragging || !(event->buttons() & Qt::LeftButton)) {
        return;
    }
    const QPoint position = event->position().toPoint();
    const int modelRow = modelRowNear(position.y());
    const int modelCol = modelColumnNear(position.x());
    if (modelRow < 0 || modelCol < 0) {
        return;
    }
    const int row = modelRow + m_model->rowOffset();
    const int col = modelCol + m_model->colOffset();
    selectCell(row, col, true);
    showGridCell(row, col);
}

void FlexGridView::mouseReleaseEvent(QMouseEvent* event) {
    reportRelease(event->button());
}

void FlexGridView::pressHeader(Qt::Orientation orientation, int section, bool onEdge,
                               Qt::MouseButton button, Qt::KeyboardModifiers modifiers,
                               QPoint position, QWidget* from) {
    if (!onEdge && section >= 0 && button == Qt::LeftButton && hasScrollingCells()) {
        // A heading selects its whole column or row of scrolling cells.
        FlexGrid& grid = *m_grid;
        if (orientation == Qt::Horizontal) {
            grid.setRow(grid.FixedRows());
            grid.setCol(section + m_model->colOffset());
            grid.setRowSel(grid.Rows() - 1);
        } else {
            grid.setRow(section + m_model->rowOffset());
            grid.setCol(grid.FixedCols());
            grid.setColSel(grid.Cols() - 1);
        }
    }
    reportPress(button, modifiers, from->mapTo(this, position));
}

bool FlexGridView::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_corner || m_corner == nullptr) {
        return QTableView::eventFilter(watched, event);
    }
    switch (event->type()) {
        case QEvent::Paint:
            return paintCorner();
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick: {
            // The corner selects every scrolling cell at the press, before the press is told.
            auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() == Qt::LeftButton) {
                selectAll();
            }
            reportPress(mouse->button(), mouse->modifiers(),
                        m_corner->mapTo(this, mouse->position().toPoint()));
            return true;
        }
        case QEvent::MouseButtonRelease:
            reportRelease(static_cast<QMouseEvent*>(event)->button());
            return true;
        default:
            return QTableView::eventFilter(watched, event);
    }
}

}  // namespace stelvador
