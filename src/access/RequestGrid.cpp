#include "access/RequestGrid.h"

#include "access/RequestCellDelegate.h"
#include "access/RequestColumns.h"
#include "access/RequestTableModel.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QUndoStack>

#include <algorithm>
#include <functional>

namespace veldrin {

RequestGrid::RequestGrid(const QString& objectName, RequestTableModel* model, QWidget* parent)
    : QTableView(parent), m_model(model)
{
    setObjectName(objectName);
    // The row heights are fixed before the model arrives, so 513 rows are never measured.
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
    setModel(model);
    setItemDelegate(new RequestCellDelegate(this));
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
    // Tab leaves the grid, so the buttons stay within reach of the keyboard.
    setTabKeyNavigation(false);
    setWordWrap(false);
    horizontalHeader()->setHighlightSections(false);
    applyStartingWidths();
    setCurrentIndex(model->index(0, 1));

    // An undone or redone change shows where it happened.
    connect(model, &RequestTableModel::changeShown, this, [this](const QModelIndex& at) {
        setCurrentIndex(at);
        scrollTo(at);
    });

    // The context menu's edits; their shortcuts are the grid's own keys, shown in the menu.
    const struct {
        const char* name;
        QKeySequence keys;
        std::function<void()> run;
    } edits[] = {
        {"Act_Undo", QKeySequence::Undo,
         [this] {
             m_model->undoStack()->undo();
         }},
        {"Act_Redo", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z),
         [this] {
             m_model->undoStack()->redo();
         }},
        {"Act_Cut", QKeySequence::Cut,
         [this] {
             copySelection();
             clearSelection();
         }},
        {"Act_Copy", QKeySequence::Copy,
         [this] {
             copySelection();
         }},
        {"Act_Paste", QKeySequence::Paste,
         [this] {
             paste();
         }},
        {"Act_Delete", QKeySequence(Qt::Key_Delete),
         [this] {
             clearSelection();
         }},
    };
    for (const auto& edit : edits) {
        auto* action = new QAction(this);
        action->setObjectName(QString::fromLatin1(edit.name));
        action->setShortcut(edit.keys);
        // Only shown: the keys reach keyPressEvent, which also handles them while no menu is open.
        action->setShortcutContext(Qt::WidgetShortcut);
        connect(action, &QAction::triggered, this, edit.run);
        m_edits.append(action);
    }
}

QAction* RequestGrid::editAction(Edit edit) const
{
    return m_edits.at(static_cast<qsizetype>(edit));
}

void RequestGrid::contextMenuEvent(QContextMenuEvent* event)
{
    editAction(Edit::Undo)->setEnabled(m_model->undoStack()->canUndo());
    editAction(Edit::Redo)->setEnabled(m_model->undoStack()->canRedo());
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("PM_Grid"));
    menu.addActions({editAction(Edit::Undo), editAction(Edit::Redo)});
    menu.addSeparator();
    menu.addActions(
        {editAction(Edit::Cut), editAction(Edit::Copy), editAction(Edit::Paste), editAction(Edit::Delete)});
    if (!m_menuActions.isEmpty()) {
        menu.addSeparator();
        menu.addActions(m_menuActions);
    }
    menu.exec(event->globalPos());
}

void RequestGrid::applyStartingWidths()
{
    const auto& columns = GridColumns(m_model->kind());
    for (std::size_t i = 0; i < columns.size(); ++i)
        setColumnWidth(static_cast<int>(i), columns[i].width);
}

void RequestGrid::copySelection()
{
    QModelIndexList indexes = selectionModel()->selectedIndexes();
    if (indexes.isEmpty() && currentIndex().isValid())
        indexes.append(currentIndex());
    if (indexes.isEmpty())
        return;
    int top = indexes[0].row(), bottom = top, left = indexes[0].column(), right = left;
    for (const QModelIndex& index : indexes) {
        top = std::min(top, index.row());
        bottom = std::max(bottom, index.row());
        left = std::min(left, index.column());
        right = std::max(right, index.column());
    }
    std::vector<QStringList> rows;
    for (int row = top; row <= bottom; ++row) {
        QStringList fields;
        for (int column = left; column <= right; ++column)
            fields.append(m_model->cellText(row, column));
        rows.push_back(fields);
    }
    QApplication::clipboard()->setText(ToTabText(rows));
}

void RequestGrid::paste()
{
    pasteText(QApplication::clipboard()->text());
}

void RequestGrid::pasteText(const QString& text)
{
    const QModelIndex current = currentIndex();
    const std::vector<QStringList> rows = ParseTabText(text);
    if (!current.isValid() || rows.empty())
        return;

    const QModelIndexList selected = selectionModel()->selectedIndexes();
    if (rows.size() == 1 && rows[0].size() == 1 && selected.size() > 1) {
        m_model->pasteIntoCells(selected, rows[0][0]);
    } else {
        const QModelIndex end = m_model->pasteBlock(current.row(), current.column(), rows);
        selectionModel()->select(QItemSelection(current, end), QItemSelectionModel::ClearAndSelect);
    }
    if (!m_model->refusedByLastPaste().empty())
        Q_EMIT pasteRefused();
}

void RequestGrid::clearSelection()
{
    const QItemSelection selection = selectionModel()->selection();
    if (selection.isEmpty()) {
        if (currentIndex().isValid())
            m_model->clearCells(currentIndex().row(), currentIndex().column(), currentIndex().row(),
                                currentIndex().column());
        return;
    }
    for (const QItemSelectionRange& range : selection)
        m_model->clearCells(range.top(), range.left(), range.bottom(), range.right());
}

void RequestGrid::moveTo(int rowDelta, int columnDelta)
{
    const QModelIndex current = currentIndex();
    if (!current.isValid())
        return;
    const int row = std::clamp(current.row() + rowDelta, 0, m_model->rowCount() - 1);
    const int column = std::clamp(current.column() + columnDelta, 1, m_model->columnCount() - 1);
    setCurrentIndex(m_model->index(row, column));
}

void RequestGrid::keyPressEvent(QKeyEvent* event)
{
    const bool redo =
        event == QKeySequence::Redo ||
        (event->key() == Qt::Key_Z && event->modifiers() == (Qt::ControlModifier | Qt::ShiftModifier)) ||
        (event->key() == Qt::Key_Y && event->modifiers() == Qt::ControlModifier);
    if (event == QKeySequence::Undo) {
        m_model->undoStack()->undo();
    } else if (redo) {
        m_model->undoStack()->redo();
    } else if (event == QKeySequence::Copy) {
        copySelection();
    } else if (event == QKeySequence::Paste) {
        paste();
    } else if (event == QKeySequence::Cut) {
        copySelection();
        clearSelection();
    } else if (event->key() == Qt::Key_Delete && event->modifiers() == Qt::NoModifier) {
        clearSelection();
    } else if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
               !(event->modifiers() & ~Qt::KeypadModifier)) {
        moveTo(1, 0);
    } else {
        QTableView::keyPressEvent(event);
        return;
    }
    event->accept();
}

void RequestGrid::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint)
{
    // As in a spreadsheet, Tab moves across without opening the next cell for editing. Enter
    // reaches keyPressEvent after the editor has let it pass, which moves down.
    const bool wasEditing = state() == QAbstractItemView::EditingState;
    QTableView::closeEditor(
        editor, hint == QAbstractItemDelegate::RevertModelCache ? hint : QAbstractItemDelegate::NoHint);
    if (!wasEditing)
        return;
    if (hint == QAbstractItemDelegate::EditNextItem)
        moveTo(0, 1);
    else if (hint == QAbstractItemDelegate::EditPreviousItem)
        moveTo(0, -1);
}

} // namespace veldrin
