// A request-table grid that behaves like a spreadsheet: ranges are copied and pasted as
// tab-separated text, Delete clears the selected cells, Enter moves down, typing replaces,
// Ctrl+Z undoes and Ctrl+Shift+Z or Ctrl+Y redoes. Its context menu holds the same edits.
#pragma once

#include <QList>
#include <QTableView>

class QAction;

namespace veldrin {

class RequestTableModel;

class RequestGrid : public QTableView {
    Q_OBJECT

public:
    RequestGrid(const QString& objectName, RequestTableModel* model, QWidget* parent);

    RequestTableModel* requestModel() const { return m_model; }

    // The selected range (or the current cell) on the clipboard as tab-separated text.
    void copySelection();
    // Tab-separated text from the clipboard into the grid from the current cell: cells past
    // the grid's edges are dropped, and a cell that refuses its text keeps its own. One value
    // with a range selected fills the range.
    void paste();
    // Empties every selected cell (or the current one).
    void clearSelection();

    // Puts the grid at the column widths it starts with.
    void applyStartingWidths();

    // The edits of the context menu, whose texts the dialog sets.
    enum class Edit { Undo, Redo, Cut, Copy, Paste, Delete };
    QAction* editAction(Edit edit) const;
    // Actions the context menu shows after the edits, such as import and export.
    void addMenuActions(const QList<QAction*>& actions) { m_menuActions += actions; }

Q_SIGNALS:
    // A paste left cells as they were, their texts not being among the column's entries
    // (RequestTableModel::refusedByLastPaste names them).
    void pasteRefused();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;

private:
    void moveTo(int rowDelta, int columnDelta);
    void pasteText(const QString& text);

    RequestTableModel* m_model;
    QList<QAction*> m_edits; // in the order of Edit
    QList<QAction*> m_menuActions;
};

} // namespace veldrin
