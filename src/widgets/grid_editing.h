#pragma once

#include <functional>
#include <string>
#include <utility>

#include <QMenu>
#include <QObject>
#include <QPointer>

#include "common/run_time_error.h"

class QLineEdit;

namespace stelvador {

class Clipboard;
class FlexGrid;
class FlexGridView;

// The two main windows edit their grids alike; they differ in where Enter and Tab move, where
// Select All starts, and in the data entry window's Clear All, Insert Row and Remove Row.
enum class GridEditingVariant {
    // Enter and Tab go right along the row, then to the sample column (column 1) of the next row,
    // or of row 1 after the last row; Select All selects the data block from row 1, column 1.
    DataEntry,
    // Enter and Tab go down the column, then to row 1, column 0; Select All selects every cell
    // from row 0, column 0. Clear All, Insert Row and Remove Row do nothing.
    Results,
};

// In-place editing of a window's grid: typing into the current cell key by key, the cell mirror
// (a text box beside the grid carrying a copy of the current cell's text), the right-button
// pop-up, Cut, Copy, Paste, Delete and Select All over the selection through the clipboard, and
// for the data entry window Clear All, Insert Row and Remove Row.
//
// The handlers are public and named after the window events and menu items that run them. They
// catch nothing: a failing grid or clipboard operation throws RunTimeError to the caller (the
// toolbar's continue-on-error dispatch, or the handler top of the menu item). The grid and
// mirror events are connected here and each runs inside the handler top the window hands in, so
// no error leaves a Qt event handler.
class GridEditing : public QObject {
  public:
    // Runs one event's work and reports whatever it throws; it must not throw itself.
    using HandlerTop = std::function<void(const std::function<void()>& work)>;
    // Lays the grid out again after Clear All empties it (the analysis grid's layout).
    using GridLayout = std::function<void(FlexGrid&)>;

    // The view, mirror and clipboard must outlive this object; parent it to the window.
    GridEditing(GridEditingVariant variant, FlexGridView& view, QLineEdit& cellMirror,
                Clipboard& clipboard, HandlerTop handlerTop, QObject* parent = nullptr);

    // The layout Clear All applies after emptying the grid; without one it only empties it.
    void setGridLayout(GridLayout layout) { m_gridLayout = std::move(layout); }
    // The window's Edit menu, popped up (without waiting for it) at the right-pressed point and
    // centred on it horizontally; without one a right press shows nothing.
    void setPopUpMenu(QMenu* menu) { m_popUpMenu = menu; }

    GridEditingVariant variant() const { return m_variant; }

    // Grid and mirror events.
    // A typed character: 13 Enter and 9 Tab move the current cell, 8 Backspace drops the last
    // character of its text, other codes below 32 do nothing, any other code point is appended
    // unless the text already holds kCellTextLimit characters.
    void MSFlexGrid1_KeyPress(int keyAscii);
    // Any button copies the current cell's text into the mirror; the right button (2) then pops
    // the Edit menu up at x, y (pixels of the grid view).
    void MSFlexGrid1_MouseDown(int button, int shift, int x, int y);
    // The current cell takes the mirror's text; a text longer than kCellTextLimit characters
    // throws RunTimeError 14 (its reason names the cell) and changes nothing.
    void MSFlexGrid1_Click();
    // As MSFlexGrid1_Click.
    void Text1_Change();
    // Any key in the mirror gives the keyboard focus back to the grid. (The connected mirror
    // takes no key itself, and the window's shortcuts win over its own editing keys.)
    void Text1_KeyDown(int keyCode, int shift);

    // Edit commands over the selection.
    void mnuEditCut_Click();
    void mnuEditCopy_Click();
    // A clipboard text with a cell longer than kCellTextLimit characters, among the cells that
    // land in the selection, throws RunTimeError 14 "Out of string space" (its reason names the
    // first such cell) and changes no cell.
    void mnuEditPaste_Click();
    void mnuEditDelete_Click();
    void mnuEditSelectAll_Click();

    // Data entry window only.
    void mnuClear_Click();
    void mnuEditInsertRow_Click();
    void mnuDelete_Click();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    FlexGrid& grid();
    void moveAfterEnter();
    void popUpAt(int x, int y);
    void runAtTop(const std::function<void()>& work);
    void setTextFromMirror();
    // The refusal of a text longer than a cell holds, for the grid's cell at row, col.
    RunTimeError tooLongText(int row, int col);

    GridEditingVariant m_variant;
    FlexGridView& m_view;
    QLineEdit& m_cellMirror;
    Clipboard& m_clipboard;
    HandlerTop m_handlerTop;
    GridLayout m_gridLayout;
    QPointer<QMenu> m_popUpMenu;
};

}  // namespace stelvador
