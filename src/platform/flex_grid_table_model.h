#pragma once

#include <QAbstractTableModel>

#include "platform/flex_grid.h"

namespace stelvador {

// Table model adapter over a FlexGrid, kept in step with it as the grid's listener. The grid's
// first fixed row and fixed column are the header sections; the cells below and right of them
// are the model's cells, so model (r, c) is grid (r + rowOffset(), c + colOffset()). The grid
// must outlive the adapter.
class FlexGridTableModel : public QAbstractTableModel, public FlexGridListener {
    Q_OBJECT

  public:
    explicit FlexGridTableModel(FlexGrid& grid, QObject* parent = nullptr);
    ~FlexGridTableModel() override;

    FlexGrid& grid() { return m_grid; }
    const FlexGrid& grid() const { return m_grid; }
    int rowOffset() const { return m_rowOffset; }
    int colOffset() const { return m_colOffset; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // The corner cell (grid row 0, column 0), shown above the row headers.
    QString cornerText() const;
    Qt::Alignment cornerAlignment() const;

  signals:
    void gridSelectionChanged();
    void gridPropertiesChanged();
    // After a reshape or a row insert or removal.
    void gridStructureChanged();
    void cornerChanged();

  private:
    void gridAboutToReshape() override;
    void gridReshaped() override;
    void rowAboutToBeInserted(int row) override;
    void rowInserted(int row) override;
    void rowAboutToBeRemoved(int row) override;
    void rowRemoved(int row) override;
    void cellsChanged(int top, int left, int bottom, int right) override;
    void selectionChanged() override;
    void propertiesChanged() override;

    QVariant cellData(int gridRow, int gridCol, int role) const;

    FlexGrid& m_grid;
    const int m_rowOffset;
    const int m_colOffset;
    // A row change that moves the header row is shown as a reset.
    bool m_resetting = false;
};

}  // namespace stelvador
