#include "platform/spreadsheet/sheet_table_model.h"

#include <algorithm>
#include <string>
#include <string_view>

#include "common/cell_text_limit.h"
#include "common/leading_characters.h"
#include "common/sheet_cell_reference.h"

namespace stelvador {

namespace {

constexpr int kShownRowsAtLeast = 100;
constexpr int kShownColumnsAtLeast = 26;
// The most characters a cell shows, far more than the widest column holds.
constexpr std::size_t kShownCharacters = 1000;

int ShownRows(int lastRow) {
    return std::min(kMaxSheetRows, std::max(kShownRowsAtLeast, lastRow + 20));
}

int ShownColumns(int lastColumn) {
    return std::min(kMaxSheetColumns, std::max(kShownColumnsAtLeast, lastColumn + 5));
}

}  // namespace

QString ColumnLetters(int column) {
    return QString::fromStdString(SheetColumnLetters(column));
}

SheetTableModel::SheetTableModel(SheetState& sheet, QObject* parent)
    : QAbstractTableModel(parent),
      m_sheet(sheet),
      m_rows(ShownRows(sheet.data.cells.LastRow())),
      m_columns(ShownColumns(sheet.data.cells.LastColumn())) {}

int SheetTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_rows;
}

int SheetTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_columns;
}

QVariant SheetTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole)) {
        return {};
    }
    const CellValue* value = m_sheet.data.cells.Find(index.row() + 1, index.column() + 1);
    if (value == nullptr) {
        return QString();
    }
    if (role == Qt::EditRole) {
        return QString::fromStdString(value->text);
    }
    // A long text is shown cut, ending in an ellipsis: the cell is drawn elided anyway, and a
    // long text then costs the view no more than this.
    const std::string_view shown = LeadingCharacters(value->text, kShownCharacters);
    QString text = QString::fromUtf8(shown.data(), static_cast<qsizetype>(shown.size()));
    if (shown.size() < value->text.size()) {
        text += QChar(0x2026);
    }
    return text;
}

bool SheetTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::EditRole) {
        return false;
    }
    std::string text = value.toString().toStdString();
    // A value longer than a cell holds is refused whole; the cell keeps its text.
    if (ExceedsCellTextLimit(text)) {
        return false;
    }
    SetCellText(m_sheet, index.row() + 1, index.column() + 1, std::move(text));
    return true;
}

Qt::ItemFlags SheetTableModel::flags(const QModelIndex& index) const {
    return QAbstractTableModel::flags(index) | Qt::ItemIsEditable;
}

QVariant SheetTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) {
        return {};
    }
    return orientation == Qt::Horizontal ? QVariant(ColumnLetters(section + 1))
                                         : QVariant(section + 1);
}

void SheetTableModel::CellChanged(int row, int column) {
    const int rows = ShownRows(row);
    if (rows > m_rows) {
        beginInsertRows({}, m_rows, rows - 1);
        m_rows = rows;
        endInsertRows();
    }
    const int columns = ShownColumns(column);
    if (columns > m_columns) {
        beginInsertColumns({}, m_columns, columns - 1);
        m_columns = columns;
        endInsertColumns();
    }
    const QModelIndex changed = index(row - 1, column - 1);
    emit dataChanged(changed, changed, {Qt::DisplayRole, Qt::EditRole});
}

}  // namespace stelvador
