#pragma once

#include <QAbstractTableModel>

#include "platform/spreadsheet/application_state.h"

namespace stelvador {

// A worksheet's cells as an editable table; edits go through the workbook, so they count as
// changes and reach every reader of the sheet.
class SheetTableModel : public QAbstractTableModel {
    Q_OBJECT

  public:
    SheetTableModel(SheetState& sheet, QObject* parent);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    // A text longer than kCellTextLimit characters is refused (false) and the cell keeps its
    // text. DisplayRole shows a long text cut, ending in an ellipsis; EditRole gives it whole.
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    const SheetState& Sheet() const { return m_sheet; }
    // Called after a cell of the sheet changed, from here or from the program.
    void CellChanged(int row, int column);

  private:
    SheetState& m_sheet;
    int m_rows;
    int m_columns;
};

// "A", "B", ..., "Z", "AA", ...: the letters of a column counted from 1.
QString ColumnLetters(int column);

}  // namespace stelvador
