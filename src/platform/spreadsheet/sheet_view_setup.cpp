#include "platform/spreadsheet/sheet_view_setup.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QValidator>

#include "common/cell_text_limit.h"

namespace stelvador {

namespace {

constexpr int kWidestColumnDigits = 40;

// Accepts a text of at most kCellTextLimit characters (a character outside the Basic
// Multilingual Plane takes two UTF-16 units but counts once).
class CellTextValidator : public QValidator {
  public:
    using QValidator::QValidator;
    State validate(QString& input, int& /*position*/) const override {
        qsizetype characters = input.size();
        for (const QChar unit : input) {
            characters -= unit.isLowSurrogate() ? 1 : 0;
        }
        return characters > static_cast<qsizetype>(kCellTextLimit) ? Invalid : Acceptable;
    }
};

class SheetCellDelegate : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override {
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        if (auto* line = qobject_cast<QLineEdit*>(editor)) {
            // Room for the limit in UTF-16 units; the validator counts the characters.
            line->setMaxLength(static_cast<int>(2 * kCellTextLimit));
            line->setValidator(new CellTextValidator(line));
        }
        return editor;
    }
};

}  // namespace

void SetUpSheetView(QTableView& view) {
    view.setItemDelegate(new SheetCellDelegate(&view));
    view.setWordWrap(false);
    view.setTextElideMode(Qt::ElideRight);
    // A double click on a heading's edge fits the column to its contents, up to the bound; a
    // drag may still make it as wide as the user likes.
    QHeaderView* header = view.horizontalHeader();
    QObject::disconnect(header, &QHeaderView::sectionHandleDoubleClicked, &view, nullptr);
    QObject::connect(header, &QHeaderView::sectionHandleDoubleClicked, &view, [&view](int column) {
        view.resizeColumnToContents(column);
        const int widest =
            view.fontMetrics().horizontalAdvance(QLatin1Char('0')) * kWidestColumnDigits;
        if (view.columnWidth(column) > widest) {
            view.setColumnWidth(column, widest);
        }
    });
}

}  // namespace stelvador
