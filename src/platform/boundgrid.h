#pragma once
// DBGrid: a table view bound to a data source. Leaving a row stores it, the Delete key deletes
// the current row when allowed, Escape drops the pending edit, and the current row follows the
// data source both ways.
#include "platform/datasource.h"

#include <QTableView>

namespace vx {

class DBGrid : public QTableView {
    Q_OBJECT
public:
    explicit DBGrid(QWidget* parent = nullptr);
    void setDataSource(DataSource* source);
    DataSource* dataSource() const { return ds_; }
    DataSourceModel* gridModel() const { return model_; }

    // Permissions, switchable at any time (all off until set).
    void setAllowAddNew(bool allow);
    void setAllowUpdate(bool allow);
    void setAllowDelete(bool allow);
    bool AllowAddNew() const;
    bool AllowUpdate() const;
    bool AllowDelete() const;

    void setColumns(const QStringList& fields);
    void setCaption(int column, const QString& caption);

    // Stores the row being edited (an open cell editor included); false when refused.
    bool commitRow();

Q_SIGNALS:
    void rowCommitted(int row);
    void error(const QString& message);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void followSource(int row);
    // Figures are never cut: a column too narrow for a cell in view widens (it never narrows).
    void widenToShownCells();

    QPointer<DataSource> ds_;
    DataSourceModel* model_ = nullptr;
    bool syncing_ = false;
};

}  // namespace vx
