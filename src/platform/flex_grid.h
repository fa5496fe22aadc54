#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace stelvador {

// Told of every change of a FlexGrid, so a view can follow it. The "about to" calls come before
// the change, the others after it.
class FlexGridListener {
  public:
    virtual ~FlexGridListener() = default;
    virtual void gridAboutToReshape() {}  // Rows, Cols written
    virtual void gridReshaped() {}
    virtual void rowAboutToBeInserted(int /*row*/) {}  // AddItem
    virtual void rowInserted(int /*row*/) {}
    virtual void rowAboutToBeRemoved(int /*row*/) {}  // RemoveItem
    virtual void rowRemoved(int /*row*/) {}
    // Texts or alignments of the cells in the rectangle changed (Text, Clip, Clear, ...).
    virtual void cellsChanged(int /*top*/, int /*left*/, int /*bottom*/, int /*right*/) {}
    virtual void selectionChanged() {}   // Row, Col, RowSel, ColSel
    virtual void propertiesChanged() {}  // Visible, TopRow, RowHeightMin
};

// The flexible grid control: Rows x Cols text cells indexed from 0, with fixed rows and columns
// shown as headings, a current cell (Row, Col) and a selection between (Row, Col) and
// (RowSel, ColSel). Texts are UTF-8. Every operation the program calls on the control is here,
// under the control's own names; an index the grid does not have throws RunTimeError.
class FlexGrid {
  public:
    FlexGrid(int rows, int cols, int fixedRows = 1, int fixedCols = 1);

    void setListener(FlexGridListener* listener) { m_listener = listener; }

    // Writing resizes; cells inside the new size keep their text, new cells are empty. The
    // current cell and selection are pulled inside the new size.
    int Rows() const { return m_rows; }
    void setRows(int rows);
    int Cols() const { return m_cols; }
    void setCols(int cols);
    int FixedRows() const { return m_fixedRows; }
    int FixedCols() const { return m_fixedCols; }

    // Writing Row or Col makes that the current cell and collapses the selection onto it
    // (RowSel = Row, ColSel = Col), as the control does. An index outside the grid throws
    // RunTimeError kInvalidRowValue / kInvalidColValue and changes nothing.
    int Row() const { return m_row; }
    void setRow(int row);
    int Col() const { return m_col; }
    void setCol(int col);
    int RowSel() const { return m_rowSel; }
    void setRowSel(int row);
    int ColSel() const { return m_colSel; }
    void setColSel(int col);

    // The current cell's text.
    const std::string& Text() const;
    void setText(std::string_view text);

    // Any cell, for views and for the code that lays grids out (the control's TextMatrix).
    const std::string& TextMatrix(int row, int col) const;
    void setTextMatrix(int row, int col, std::string_view text);

    // The selection as a grid text block (TAB between cells, CR between rows).
    std::string Clip() const;
    // Split at CR and TAB and written into the selection from its top-left cell; what lies beyond
    // the selection's last row or column is dropped; cells the text does not reach keep their
    // text. The empty text makes the top-left cell empty.
    void setClip(std::string_view text);

    // Adds a row whose cells, from column 0, take the TAB-separated parts of text; appended at
    // the bottom, or inserted at index with the rows below moving down. Rows grows by 1.
    void AddItem(std::string_view text);
    void AddItem(std::string_view text, int index);
    // Removes that row; the rows below move up; Rows shrinks by 1.
    void RemoveItem(int index);
    // Every cell, fixed ones included, becomes empty; the size stays.
    void Clear();

    // Alignment of the current cell's text: 4 centred, 6 right and top; 0 until set (general).
    static constexpr int kAlignCenterCenter = 4;
    static constexpr int kAlignRightTop = 6;
    int CellAlignment() const;
    void setCellAlignment(int alignment);
    int cellAlignmentAt(int row, int col) const;

    // The first non-fixed row shown.
    int TopRow() const { return m_topRow; }
    void setTopRow(int row);
    // Minimum row height in twips.
    int RowHeightMin() const { return m_rowHeightMin; }
    void setRowHeightMin(int twips);
    bool Visible() const { return m_visible; }
    void setVisible(bool visible);

  private:
    struct Cell {
        std::string text;
        int alignment = 0;
    };

    Cell& cell(int row, int col) { return m_cells[static_cast<std::size_t>(row) * m_cols + col]; }
    const Cell& cell(int row, int col) const {
        return m_cells[static_cast<std::size_t>(row) * m_cols + col];
    }
    void checkRow(int row) const;
    void checkCol(int col) const;
    void resize(int rows, int cols);
    void clampSelection();

    int m_rows;
    int m_cols;
    int m_fixedRows;
    int m_fixedCols;
    std::vector<Cell> m_cells;
    int m_row;
    int m_col;
    int m_rowSel;
    int m_colSel;
    int m_topRow;
    int m_rowHeightMin = 0;
    bool m_visible = true;
    FlexGridListener* m_listener = nullptr;
};

}  // namespace stelvador
