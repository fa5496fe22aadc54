#include "platform/flex_grid_table_model.h"

#include <algorithm>

#include "common/leading_characters.h"
#include "platform/flex_grid_alignment.h"

namespace stelvador {

namespace {

// The most characters a cell or heading shows, far more than the widest column holds: a long
// text then costs the view no more than this to measure and draw, and is drawn elided.
constexpr std::size_t kShownCharacters = 1000;

QString ShownText(const std::string& text) {
    const std::string_view shown = LeadingCharacters(text, kShownCharacters);
    QString shownText = QString::fromUtf8(shown.data(), static_cast<qsizetype>(shown.size()));
    if (shown.size() < text.size()) {
        shownText += QChar(0x2026);  // the ellipsis
    }
    return shownText;
}

}  // namespace

FlexGridTableModel::FlexGridTableModel(FlexGrid& grid, QObject* parent)
    : QAbstractTableModel(parent),
      m_grid(grid),
      m_rowOffset(grid.FixedRows() > 0 ? 1 : 0),
      m_colOffset(grid.FixedCols() > 0 ? 1 : 0) {
    m_grid.setListener(this);
}

FlexGridTableModel::~FlexGridTableModel() {
    m_grid.setListener(nullptr);
}

int FlexGridTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : std::max(0, m_grid.Rows() - m_rowOffset);
}

int FlexGridTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : std::max(0, m_grid.Cols() - m_colOffset);
}

QVariant FlexGridTableModel::cellData(int gridRow, int gridCol, int role) const {
    switch (role) {
        case Qt::DisplayRole:
            return ShownText(m_grid.TextMatrix(gridRow, gridCol));
        case Qt::TextAlignmentRole:
            return static_cast<int>(ToQtAlignment(m_grid.cellAlignmentAt(gridRow, gridCol),
                                                  m_grid.TextMatrix(gridRow, gridCol)));
        default:
            return QVariant();
    }
}

QVariant FlexGridTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount()) {
        return QVariant();
    }
    return cellData(index.row() + m_rowOffset, index.column() + m_colOffset, role);
}

QVariant FlexGridTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal) {
        if (m_rowOffset == 0 || section < 0 || section >= columnCount()) {
            return QVariant();
        }
        return cellData(0, section + m_colOffset, role);
    }
    if (m_colOffset == 0 || section < 0 || section >= rowCount()) {
        return QVariant();
    }
    return cellData(section + m_rowOffset, 0, role);
}

Qt::ItemFlags FlexGridTableModel::flags(const QModelIndex& index) const {
    // Cells are shown and selected; typing reaches the grid's KeyPress, never a cell editor.
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

QString FlexGridTableModel::cornerText() const {
    if (m_rowOffset == 0 || m_colOffset == 0) {
        return QString();
    }
    return ShownText(m_grid.TextMatrix(0, 0));
}

Qt::Alignment FlexGridTableModel::cornerAlignment() const {
    return ToQtAlignment(m_grid.cellAlignmentAt(0, 0), m_grid.TextMatrix(0, 0));
}

void FlexGridTableModel::gridAboutToReshape() {
    beginResetModel();
}

void FlexGridTableModel::gridReshaped() {
    endResetModel();
    emit cornerChanged();
    emit gridStructureChanged();
}

void FlexGridTableModel::rowAboutToBeInserted(int row) {
    m_resetting = row < m_rowOffset;
    if (m_resetting) {
        beginResetModel();
    } else {
        beginInsertRows(QModelIndex(), row - m_rowOffset, row - m_rowOffset);
    }
}

void FlexGridTableModel::rowInserted(int /*row*/) {
    if (m_resetting) {
        m_resetting = false;
        endResetModel();
        emit cornerChanged();
    } else {
        endInsertRows();
    }
    emit gridStructureChanged();
}

void FlexGridTableModel::rowAboutToBeRemoved(int row) {
    m_resetting = row < m_rowOffset;
    if (m_resetting) {
        beginResetModel();
    } else {
        beginRemoveRows(QModelIndex(), row - m_rowOffset, row - m_rowOffset);
    }
}

void FlexGridTableModel::rowRemoved(int /*row*/) {
    if (m_resetting) {
        m_resetting = false;
        endResetModel();
        emit cornerChanged();
    } else {
        endRemoveRows();
    }
    emit gridStructureChanged();
}

void FlexGridTableModel::cellsChanged(int top, int left, int bottom, int right) {
    const int lastRow = rowCount() - 1;
    const int lastCol = columnCount() - 1;
    const int modelTop = std::max(top - m_rowOffset, 0);
    const int modelLeft = std::max(left - m_colOffset, 0);
    const int modelBottom = std::min(bottom - m_rowOffset, lastRow);
    const int modelRight = std::min(right - m_colOffset, lastCol);
    if (modelTop <= modelBottom && modelLeft <= modelRight) {
        emit dataChanged(index(modelTop, modelLeft), index(modelBottom, modelRight),
                         {Qt::DisplayRole, Qt::TextAlignmentRole});
    }
    if (m_rowOffset > 0 && top < m_rowOffset && modelLeft <= modelRight) {
        emit headerDataChanged(Qt::Horizontal, modelLeft, modelRight);
    }
    if (m_colOffset > 0 && left < m_colOffset && modelTop <= modelBottom) {
        emit headerDataChanged(Qt::Vertical, modelTop, modelBottom);
    }
    if (top < m_rowOffset && left < m_colOffset) {
        emit cornerChanged();
    }
}

void FlexGridTableModel::selectionChanged() {
    emit gridSelectionChanged();
}

void FlexGridTableModel::propertiesChanged() {
    emit gridPropertiesChanged();
}

}  // namespace stelvador
