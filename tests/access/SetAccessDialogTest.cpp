#include "access/DataAreaMapView.h"
#include "access/DataAreaMapWindow.h"
#include "access/RequestCsv.h"
#include "access/RequestGrid.h"
#include "access/RequestTableModel.h"
#include "access/TFSetAccess.h"
#include "app/Application.h"
#include "app/TFVeldrineFirmWare.h"
#include "poll/PollRunner.h"
#include "poll/TestPollWindow.h"
#include "session/AppState.h"
#include "session/Startup.h"
#include "support/FakeFileChooser.h"
#include "support/FakeUrlOpener.h"
#include "support/ModalDriver.h"
#include "support/ReadingOrder.h"
#include "support/RecordingPrompts.h"
#include "support/TempProgramDir.h"
#include "support/TestData.h"
#include "support/WaitUntil.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QUndoStack>

#include <gtest/gtest.h>

namespace veldrin {
namespace {

QByteArray dataFile(const char* name)
{
    QFile file(test::DataDir() + u'/' + QString::fromLatin1(name));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name;
    return file.readAll();
}

class SetAccessDialog : public ::testing::Test {
protected:
    void SetUp() override
    {
        RunStartup(state, dir.path());
        dir.mkdir(QStringLiteral("PROJECTS/Plant"));
        state.OpenConfiguration(QStringLiteral("Plant"));
        dialog = std::make_unique<TFSetAccess>(state, prompts, files, nullptr);
    }

    void writeFile(const QByteArray& bytes)
    {
        dir.write(QStringLiteral("PROJECTS/Plant/ModbusM_SetAccess.xml"), bytes);
    }
    QByteArray file() const { return dir.read(QStringLiteral("PROJECTS/Plant/ModbusM_SetAccess.xml")); }
    bool fileExists() const { return QFile::exists(state.SetAccessPath); }

    RequestGrid* grid(const char* name) const
    {
        return dialog->findChild<RequestGrid*>(QString::fromLatin1(name));
    }
    RequestGrid* readGrid() const { return grid("ACG_Modbus_Read"); }
    RequestGrid* writeGrid() const { return grid("ACG_Modbus_Write"); }
    QPushButton* button(const char* name) const
    {
        auto* found = dialog->findChild<QPushButton*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    QTabWidget* pages() const { return dialog->findChild<QTabWidget*>(QStringLiteral("PageControl1")); }
    static QString cell(RequestGrid* grid, int row, int column)
    {
        return grid->model()->index(row, column).data(Qt::EditRole).toString();
    }
    static void setCell(RequestGrid* grid, int row, int column, const QString& text)
    {
        grid->model()->setData(grid->model()->index(row, column), text, Qt::EditRole);
    }
    // Fills a row of the grid from its cells, column 1 onwards.
    static void setRow(RequestGrid* grid, int row, const QStringList& cells)
    {
        for (int i = 0; i < cells.size(); ++i)
            setCell(grid, row, i + 1, cells[i]);
    }
    // Clicks a cell, as the user picks the cell a paste starts from.
    static void clickCell(RequestGrid* grid, int row, int column)
    {
        const QModelIndex index = grid->model()->index(row, column);
        grid->scrollTo(index);
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, grid->visualRect(index).center());
    }
    void fillForTheMap() const;
    static QStringList rowOf(RequestGrid* grid, int row)
    {
        QStringList cells;
        for (int column = 1; column < grid->model()->columnCount(); ++column)
            cells.append(cell(grid, row, column));
        return cells;
    }

    // Shows the dialog modally and runs body while it shows; a dialog that body leaves open
    // (or a failed assertion leaves open) is cancelled. Expects the dialog's result.
    void whileShown(int expected, std::function<void()> body)
    {
        test::WhenModal([this, body](QWidget* modal) {
            EXPECT_EQ(modal, dialog.get());
            // Keys go where the focus is only once the window is active.
            EXPECT_TRUE(test::WaitUntil([&] { return modal->isActiveWindow(); }));
            body();
            if (dialog->isVisible())
                dialog->reject();
        });
        EXPECT_EQ(dialog->exec(), expected);
    }

    test::TempProgramDir dir;
    test::RecordingPrompts prompts;
    test::FakeFileChooser files;
    AppState state;
    std::unique_ptr<TFSetAccess> dialog;
};

const QStringList readRegisters{QStringLiteral("1"),           QStringLiteral("Holding Register"),
                                QStringLiteral("100"),         QStringLiteral("10"),
                                QStringLiteral("1000"),        QStringLiteral("3"),
                                QStringLiteral("0"),           QString(),
                                QStringLiteral("Temperatures")};

// Ten registers from byte 0 (row 1), a coil bit at byte 40 (row 2) and ten registers from
// byte 19 (row 3), which share byte 19 with row 1; one write row of 8 coils at byte 5.
void SetAccessDialog::fillForTheMap() const
{
    QStringList shared = readRegisters;
    shared[6] = QStringLiteral("19");
    setRow(readGrid(), 0, readRegisters);
    setRow(readGrid(), 1, {"1", "Coil Status", "0", "1", "1000", "3", "40", "2", ""});
    setRow(readGrid(), 2, shared);
    setRow(writeGrid(), 0, {"4", "Coil Status", "0", "8", "0", "Y", "0", "5", "0", ""});
}

TEST_F(SetAccessDialog, ShowsTheFileInTwoGridsAndWritesItBackOnOk)
{
    writeFile(dataFile("setaccess-valid.xml"));
    const QByteArray before = file();
    whileShown(QDialog::Accepted, [&] {
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Set Modbus Access"));
        EXPECT_EQ(dialog->size(), QSize(780, 337));
        EXPECT_EQ(dialog->findChild<QLabel*>(QStringLiteral("L_SW_Code"))->text(), QStringLiteral("PK30418"));
        EXPECT_EQ(pages()->currentWidget()->objectName(), QStringLiteral("TS_Modbus_Read"));
        EXPECT_EQ(pages()->tabText(1), QStringLiteral("Modbus Write"));

        for (RequestGrid* g : {readGrid(), writeGrid()}) {
            ASSERT_NE(g, nullptr);
            EXPECT_EQ(g->model()->rowCount(), 512);
            EXPECT_EQ(g->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("N"));
            EXPECT_EQ(g->model()->index(511, 0).data().toInt(), 512);
            EXPECT_EQ(g->columnWidth(0), 40);
            EXPECT_EQ(g->columnWidth(2), 115);
        }
        EXPECT_EQ(readGrid()->model()->columnCount(), 10);
        EXPECT_EQ(writeGrid()->model()->columnCount(), 11);
        EXPECT_EQ(writeGrid()->model()->headerData(6, Qt::Horizontal).toString(),
                  QStringLiteral("On Change"));
        EXPECT_EQ(writeGrid()->columnWidth(10), 88);
        EXPECT_EQ(rowOf(readGrid(), 0), readRegisters);
        EXPECT_EQ(writeGrid()->model()->index(0, 6).data(Qt::CheckStateRole).value<Qt::CheckState>(),
                  Qt::Checked);
        EXPECT_EQ(cell(readGrid(), 1, 1), QString());
        // The row numbers cannot be edited or selected.
        EXPECT_FALSE(readGrid()->model()->flags(readGrid()->model()->index(3, 0)) & Qt::ItemIsEditable);

        button("Btn_OK")->click();
    });
    EXPECT_EQ(file(), before);
    EXPECT_TRUE(prompts.messages().isEmpty());
}

TEST_F(SetAccessDialog, AFailedCheckKeepsTheDialogOpenAndWritesNothing)
{
    whileShown(QDialog::Accepted, [&] {
        setRow(readGrid(), 0, readRegisters);
        setCell(readGrid(), 0, 4, QStringLiteral("126"));
        readGrid()->setCurrentIndex(readGrid()->model()->index(0, 9));
        button("Btn_OK")->click();
        EXPECT_EQ(prompts.texts(), QStringList{QStringLiteral(
                                       "Error row 1!! [Modbus Read] NPoint must be between 1 and 125")});
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_FALSE(fileExists());
        // Neither the page nor the current cell moved.
        EXPECT_EQ(readGrid()->currentIndex(), readGrid()->model()->index(0, 9));

        setCell(readGrid(), 0, 4, QStringLiteral("125"));
        button("Btn_OK")->click();
    });
    EXPECT_TRUE(file().contains("NPoint=\"125\""));
}

// Read rows filling the same bytes: OK asks; No goes back to the first of them, Yes saves.
TEST_F(SetAccessDialog, AsksBeforeSavingReadRowsThatOverlap)
{
    whileShown(QDialog::Accepted, [&] {
        // Ten registers from byte 0 and from byte 19: byte 19 is shared.
        QStringList second = readRegisters;
        second[6] = QStringLiteral("19");
        setRow(readGrid(), 0, readRegisters);
        setRow(readGrid(), 1, second);
        pages()->setCurrentIndex(1);
        prompts.answer({false});
        button("Btn_OK")->click();
        ASSERT_EQ(prompts.messages().size(), 1);
        EXPECT_EQ(prompts.messages()[0].kind, QStringLiteral("question"));
        EXPECT_EQ(prompts.messages()[0].text,
                  QStringLiteral("These read rows fill the same bytes of the input area, so one answer "
                                 "overwrites another:\nRows 1 and 2: bytes 19-19\nSave anyway?"));
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_FALSE(fileExists());
        EXPECT_EQ(pages()->currentIndex(), 0);
        EXPECT_EQ(readGrid()->currentIndex().row(), 0);
        prompts.answer({true});
        button("Btn_OK")->click();
    });
    EXPECT_EQ(file().count("<row "), 2);
}

TEST_F(SetAccessDialog, AsksBeforeDroppingRowsAfterAnEmptySlaveId)
{
    whileShown(QDialog::Accepted, [&] {
        setRow(readGrid(), 0, readRegisters);
        setRow(readGrid(), 2, readRegisters);
        prompts.answer({false});
        button("Btn_OK")->click();
        ASSERT_EQ(prompts.messages().size(), 1);
        EXPECT_EQ(prompts.messages()[0].kind, QStringLiteral("question"));
        EXPECT_TRUE(prompts.messages()[0].text.contains(QStringLiteral("\nModbus Read: 3\n")));
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_FALSE(fileExists());
        prompts.answer({true});
        button("Btn_OK")->click();
    });
    EXPECT_EQ(file().count("<row "), 1);
}

TEST_F(SetAccessDialog, DeletesAndInsertsRowsOfThePageOnShow)
{
    whileShown(QDialog::Rejected, [&] {
        pages()->setCurrentIndex(1);
        RequestGrid* g = writeGrid();
        const auto fill = [g] {
            for (int row = 0; row < 512; ++row)
                setCell(g, row, 1, QString());
            for (int row : {0, 1, 2, 511})
                setCell(g, row, 1, QString::number(row + 1));
        };
        // The Slave IDs of rows 1 to 4, 511 and 512.
        const auto slaveIds = [g] {
            return QStringList{cell(g, 0, 1), cell(g, 1, 1),   cell(g, 2, 1),
                               cell(g, 3, 1), cell(g, 510, 1), cell(g, 511, 1)};
        };

        fill();
        g->setCurrentIndex(g->model()->index(0, 4));
        prompts.answer({false});
        button("Btn_DelRow")->click();
        EXPECT_EQ(prompts.texts().last(), QStringLiteral("Are you sure to delete the Row number 1"));
        EXPECT_EQ(slaveIds(), (QStringList{"1", "2", "3", "", "", "512"}));
        prompts.answer({true});
        button("Btn_DelRow")->click();
        EXPECT_EQ(slaveIds(), (QStringList{"2", "3", "", "", "512", ""}));
        EXPECT_EQ(g->model()->index(0, 0).data().toInt(), 1);

        // Row 512 holds data: inserting would push it out, so it is refused.
        fill();
        prompts.clear();
        button("Btn_InsRow")->click();
        ASSERT_EQ(prompts.messages().size(), 1);
        EXPECT_EQ(prompts.messages()[0].kind, QStringLiteral("error"));
        EXPECT_EQ(slaveIds(), (QStringList{"1", "2", "3", "", "", "512"}));

        g->setCurrentIndex(g->model()->index(511, 1));
        prompts.answer({true});
        button("Btn_DelRow")->click();
        EXPECT_EQ(prompts.texts().last(), QStringLiteral("Are you sure to delete the Row number 512"));
        EXPECT_EQ(slaveIds(), (QStringList{"1", "2", "3", "", "", ""}));

        g->setCurrentIndex(g->model()->index(0, 1));
        button("Btn_InsRow")->click();
        EXPECT_EQ(slaveIds(), (QStringList{"", "1", "2", "3", "", ""}));
        EXPECT_EQ(g->model()->index(511, 0).data().toInt(), 512);

        setCell(g, 510, 1, QStringLiteral("511"));
        g->setCurrentIndex(g->model()->index(511, 1));
        button("Btn_InsRow")->click();
        EXPECT_EQ(slaveIds(), (QStringList{"", "1", "2", "3", "511", ""}));
        // The read table was not touched.
        EXPECT_EQ(cell(readGrid(), 0, 1), QString());
    });
    EXPECT_FALSE(fileExists());
}

TEST_F(SetAccessDialog, CopiesAndPastesRangesAsTabSeparatedText)
{
    whileShown(QDialog::Rejected, [&] {
        RequestGrid* g = writeGrid();
        pages()->setCurrentIndex(1);
        g->setFocus();
        setRow(g, 0, {"1", "Coil Status", "5", "1", "500", "Y", "0", "20", "3", "Pump"});
        setRow(g, 1, {"2", "Holding Register", "6", "2", "500", "N", "0", "22", "", "Valve"});

        // Select rows 1 and 2 from Slave ID to On Change with the keyboard, then copy.
        clickCell(g, 0, 1);
        for (int i = 0; i < 5; ++i)
            QTest::keyClick(g, Qt::Key_Right, Qt::ShiftModifier);
        QTest::keyClick(g, Qt::Key_Down, Qt::ShiftModifier);
        QTest::keyClick(g, Qt::Key_C, Qt::ControlModifier);
        EXPECT_EQ(QApplication::clipboard()->text(),
                  QStringLiteral("1\tCoil Status\t5\t1\t500\tY\n2\tHolding Register\t6\t2\t500\tN\n"));

        // Pasted at row 10; list and check columns keep what they cannot take.
        clickCell(g, 9, 1);
        QTest::keyClick(g, Qt::Key_V, Qt::ControlModifier);
        EXPECT_TRUE(prompts.messages().isEmpty()) << "every value fitted";
        EXPECT_EQ(rowOf(g, 9).mid(0, 6), (QStringList{"1", "Coil Status", "5", "1", "500", "Y"}));
        EXPECT_EQ(rowOf(g, 10).mid(0, 6), (QStringList{"2", "Holding Register", "6", "2", "500", "N"}));
        QApplication::clipboard()->setText(
            QStringLiteral("7\tInput Status\t8\t9\t10\tmaybe\t11\t1000\t8\tx\textra\r\n"
                           "12\tcoil status\r\n"));
        clickCell(g, 10, 1);
        QTest::keyClick(g, Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(rowOf(g, 10),
                  (QStringList{"7", "Holding Register", "8", "9", "10", "N", "11", "", "", "x"}));
        EXPECT_EQ(rowOf(g, 11).mid(0, 2), (QStringList{"12", "Coil Status"}));
        // One message names what did not fit; the rest stays pasted.
        EXPECT_EQ(prompts.texts(), QStringList{QStringLiteral(
                                       "These pasted values are not among their columns' entries, so their "
                                       "cells were left as they were:\n"
                                       "Row 11, Type: \"Input Status\"\n"
                                       "Row 11, On Change: \"maybe\"\n"
                                       "Row 11, Position: \"1000\"\n"
                                       "Row 11, Start Bit: \"8\"")});
        EXPECT_EQ(prompts.messages()[0].kind, QStringLiteral("warning"));
        prompts.clear();

        // Cells past the last row and column are dropped.
        clickCell(g, 511, 9);
        QTest::keyClick(g, Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(cell(g, 511, 9), QStringLiteral("7"));
        EXPECT_EQ(cell(g, 511, 10), QStringLiteral("Input Status"));
        EXPECT_TRUE(prompts.messages().isEmpty()) << "only dropped cells past the edges";

        // One value fills a selected range; Delete clears it.
        clickCell(g, 20, 9);
        QTest::keyClick(g, Qt::Key_Down, Qt::ShiftModifier);
        QApplication::clipboard()->setText(QStringLiteral("5\n"));
        QTest::keyClick(g, Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(cell(g, 20, 9), QStringLiteral("5"));
        EXPECT_EQ(cell(g, 21, 9), QStringLiteral("5"));
        QTest::keyClick(g, Qt::Key_Delete);
        EXPECT_EQ(cell(g, 20, 9), QString());
        EXPECT_EQ(cell(g, 21, 9), QString());
        EXPECT_EQ(cell(g, 0, 1), QStringLiteral("1"));
    });
}

TEST_F(SetAccessDialog, EditsLikeASpreadsheetWithAnEditorPerColumn)
{
    whileShown(QDialog::Rejected, [&] {
        RequestGrid* g = readGrid();
        g->setFocus();
        g->setCurrentIndex(g->model()->index(0, 1));

        // Typing replaces the cell; Enter keeps it and moves down.
        setCell(g, 0, 1, QStringLiteral("7"));
        QTest::keyClick(g, Qt::Key_4);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_2);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        EXPECT_EQ(cell(g, 0, 1), QStringLiteral("42"));
        EXPECT_EQ(g->currentIndex(), g->model()->index(1, 1));
        QTest::keyClick(g, Qt::Key_Return);
        EXPECT_EQ(g->currentIndex(), g->model()->index(2, 1));
        // Tab ends an edit and moves across; the row numbers are never the current cell.
        QTest::keyClick(g, Qt::Key_5);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(cell(g, 2, 1), QStringLiteral("5"));
        EXPECT_EQ(g->currentIndex(), g->model()->index(2, 2));
        EXPECT_EQ(QApplication::focusWidget(), g);
        QTest::keyClick(g, Qt::Key_Left);
        QTest::keyClick(g, Qt::Key_Left);
        clickCell(g, 2, 0);
        EXPECT_EQ(g->currentIndex(), g->model()->index(2, 1));
        // Escape in an open cell ends the edit only, the cell as it was.
        g->setCurrentIndex(g->model()->index(2, 1));
        QTest::keyClick(g, Qt::Key_F2);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_9);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        EXPECT_EQ(cell(g, 2, 1), QStringLiteral("5"));
        EXPECT_TRUE(dialog->isVisible());

        // The list columns offer only their entries.
        const auto listAt = [g](int column) {
            g->setCurrentIndex(g->model()->index(0, column));
            QTest::keyClick(g, Qt::Key_F2);
            return qobject_cast<QComboBox*>(QApplication::focusWidget());
        };
        QComboBox* types = listAt(2);
        ASSERT_NE(types, nullptr);
        EXPECT_FALSE(types->isEditable());
        EXPECT_EQ(types->count(), 4);
        EXPECT_EQ(types->itemText(1), QStringLiteral("Input Status"));
        EXPECT_EQ(types->accessibleName(), QStringLiteral("Type"));
        types->setCurrentIndex(2);
        QTest::keyClick(types, Qt::Key_Return);
        EXPECT_EQ(cell(g, 0, 2), QStringLiteral("Holding Register"));
        QComboBox* positions = listAt(7);
        ASSERT_NE(positions, nullptr);
        EXPECT_EQ(positions->count(), 1000);
        QTest::keyClick(positions, Qt::Key_Escape);
        EXPECT_EQ(cell(g, 0, 7), QString());
        QComboBox* bits = listAt(8);
        ASSERT_NE(bits, nullptr);
        EXPECT_EQ(bits->count(), 8);
        QTest::keyClick(bits, Qt::Key_Escape);

        // On Change is a check box holding Y or N; Space toggles it.
        pages()->setCurrentIndex(1);
        RequestGrid* w = writeGrid();
        w->setFocus();
        w->setCurrentIndex(w->model()->index(3, 6));
        QTest::keyClick(w, Qt::Key_Space);
        EXPECT_EQ(cell(w, 3, 6), QStringLiteral("Y"));
        QTest::keyClick(w, Qt::Key_Space);
        EXPECT_EQ(cell(w, 3, 6), QStringLiteral("N"));
        // A click anywhere in the cell toggles it too, not only on the small box.
        const QRect box = w->visualRect(w->model()->index(3, 6));
        QTest::mouseClick(w->viewport(), Qt::LeftButton, {}, QPoint(box.right() - 2, box.center().y()));
        EXPECT_EQ(cell(w, 3, 6), QStringLiteral("Y"));
        QTest::mouseClick(w->viewport(), Qt::LeftButton, {}, QPoint(box.right() - 2, box.center().y()));
        EXPECT_EQ(cell(w, 3, 6), QStringLiteral("N"));
    });
}

TEST_F(SetAccessDialog, EveryControlIsNamedAndReachedByTheKeyboard)
{
    whileShown(QDialog::Rejected, [&] {
        for (const char* name : {"Btn_ImportCsv", "Btn_ExportCsv", "Btn_Map", "Btn_TestPoll", "Btn_OK",
                                 "Btn_Cancel", "Btn_DelRow", "Btn_InsRow"}) {
            EXPECT_FALSE(button(name)->accessibleName().isEmpty()) << name;
            EXPECT_NE(button(name)->focusPolicy() & Qt::TabFocus, 0) << name;
        }
        EXPECT_EQ(readGrid()->accessibleName(), QStringLiteral("Modbus Read"));
        EXPECT_EQ(writeGrid()->accessibleName(), QStringLiteral("Modbus Write"));
        EXPECT_FALSE(pages()->accessibleName().isEmpty());
        // Tab leaves the grid for the buttons, in band order.
        EXPECT_TRUE(readGrid()->hasFocus());
        QStringList order;
        for (int i = 0; i < 4; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            order.append(QApplication::focusWidget()->objectName());
        }
        EXPECT_EQ(order, (QStringList{"Btn_OK", "Btn_Cancel", "Btn_DelRow", "Btn_InsRow"}));
        // Escape outside the grid is Cancel.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    });
}

// In the middle of the screen whatever window it belongs to, at the size it was left.
TEST_F(SetAccessDialog, OpensCentredOnTheScreen)
{
    whileShown(QDialog::Rejected, [&] {
        const QPoint off = dialog->geometry().center() - dialog->screen()->availableGeometry().center();
        EXPECT_LE(off.manhattanLength(), 2) << off.x() << "," << off.y();
    });
}

// A screen reader reads the grids' cells with their column headers, and the On Change box's
// state.
TEST_F(SetAccessDialog, ScreenReadersReadTheCellsAndTheirHeaders)
{
    whileShown(QDialog::Rejected, [&] {
        RequestGrid* g = writeGrid();
        pages()->setCurrentIndex(1);
        setRow(g, 0, {"1", "Coil Status", "5", "1", "500", "Y", "0", "20", "3", "Pump"});
        QAccessibleInterface* grid = QAccessible::queryAccessibleInterface(g);
        ASSERT_NE(grid, nullptr);
        QAccessibleTableInterface* table = grid->tableInterface();
        ASSERT_NE(table, nullptr);
        EXPECT_EQ(table->columnDescription(2), QStringLiteral("Type"));
        EXPECT_EQ(table->columnDescription(6), QStringLiteral("On Change"));
        const auto cellText = [table](int row, int column) {
            QAccessibleInterface* cell = table->cellAt(row, column);
            return cell ? cell->text(QAccessible::Name) : QStringLiteral("<no cell>");
        };
        EXPECT_EQ(cellText(0, 2), QStringLiteral("Coil Status"));
        EXPECT_EQ(cellText(0, 10), QStringLiteral("Pump"));
        QAccessibleInterface* onChange = table->cellAt(0, 6);
        ASSERT_NE(onChange, nullptr);
        EXPECT_TRUE(onChange->state().checkable);
        EXPECT_TRUE(onChange->state().checked);
    });
}

// Below the grids, the bus load both tables ask of the line, following every edit; red when
// more than the line carries.
TEST_F(SetAccessDialog, TheStatusLineShowsTheBusLoadAsTheTablesChange)
{
    whileShown(QDialog::Rejected, [&] {
        auto* status = dialog->findChild<QLabel*>(QStringLiteral("L_Bus_Load"));
        ASSERT_NE(status, nullptr);
        EXPECT_TRUE(status->isVisible());
        const QString before = status->text();
        EXPECT_TRUE(before.startsWith(QStringLiteral("Bus load "))) << before.toStdString();
        EXPECT_TRUE(status->toolTip().contains(QStringLiteral("not a measurement")));
        RequestGrid* g = readGrid();
        setRow(g, 0, {"1", "Holding Register", "0", "125", "1", "3", "0", ""});
        EXPECT_NE(status->text(), before);
        EXPECT_EQ(status->accessibleName(), status->text());
        EXPECT_EQ(status->palette().color(QPalette::WindowText), QColor(0xC0, 0x00, 0x00))
            << status->text().toStdString();
        // The buttons keep their places in the band.
        EXPECT_EQ(button("Btn_InsRow")->geometry().right(), dialog->width() - 9);
    });
}

TEST_F(SetAccessDialog, TheMapShowsEachAreaAndPickingASpanSelectsItsRow)
{
    whileShown(QDialog::Rejected, [&] {
        fillForTheMap();
        button("Btn_Map")->click();
        DataAreaMapWindow* map = dialog->mapWindow();
        ASSERT_NE(map, nullptr);
        EXPECT_TRUE(map->isVisible());
        EXPECT_FALSE(map->frameGeometry().intersects(dialog->frameGeometry()) &&
                     map->screen()->availableGeometry().width() >=
                         dialog->frameGeometry().width() + map->frameGeometry().width())
            << "the map covers the grids though the screen has room beside them";
        DataAreaMapView* input = map->view(TableKind::Read);
        DataAreaMapView* output = map->view(TableKind::Write);
        // Both areas, top to bottom, then the buttons (the output area scrolls out of sight, so
        // the reading order of the window's geometry does not apply).
        EXPECT_EQ(test::Names(test::TabChain(map)),
                  (QStringList{"Map_Input", "Map_Output", "Btn_SavePng", "Btn_Close"}));
        for (QWidget* control : test::TabChain(map))
            EXPECT_FALSE(control->accessibleName().isEmpty()) << control->objectName().toStdString();
        EXPECT_EQ(input->map().spans.size(), 3U);
        EXPECT_EQ(input->map().overlaps.size(), 1U);
        EXPECT_EQ(output->map().spans.size(), 1U);
        auto* summary = map->findChild<QLabel*>(QStringLiteral("L_Input_Summary"));
        ASSERT_NE(summary, nullptr);
        EXPECT_EQ(summary->text(), QStringLiteral("Requests: 3 · free bytes: 960 of 1000 · overlaps: 1"));

        // Byte 40 holds only bit 2 of row 2: a click anywhere in the byte picks it.
        QTest::mouseClick(input, Qt::LeftButton, Qt::NoModifier,
                          input->byteRect(40).topLeft() + QPoint(1, 1));
        EXPECT_EQ(readGrid()->currentIndex().row(), 1);
        EXPECT_TRUE(readGrid()->selectionModel()->isRowSelected(1, {}));
        // On the shared byte the later row is drawn on top, and picked.
        QTest::mouseClick(input, Qt::LeftButton, Qt::NoModifier, input->byteRect(19).center());
        EXPECT_EQ(readGrid()->currentIndex().row(), 2);
        // A span of the output area turns to the write page.
        QTest::mouseClick(output, Qt::LeftButton, Qt::NoModifier, output->byteRect(5).center());
        EXPECT_EQ(pages()->currentIndex(), 1);
        EXPECT_EQ(writeGrid()->currentIndex().row(), 0);
        // A free byte picks nothing.
        QTest::mouseClick(input, Qt::LeftButton, Qt::NoModifier, input->byteRect(600).center());
        EXPECT_EQ(pages()->currentIndex(), 1);

        // From the keyboard: the cursor from byte 600 to byte 0, then Enter picks row 1.
        input->setFocus();
        QTest::keyClick(input, Qt::Key_Home, Qt::ControlModifier);
        EXPECT_TRUE(input->accessibleDescription().startsWith(QStringLiteral("Byte 0\nRow 1: slave 1")))
            << input->accessibleDescription().toStdString();
        QTest::keyClick(input, Qt::Key_Return);
        EXPECT_EQ(pages()->currentIndex(), 0);
        EXPECT_EQ(readGrid()->currentIndex().row(), 0);
    });
    EXPECT_FALSE(dialog->mapWindow()->isVisible()) << "the map outlives its dialog";
}

TEST_F(SetAccessDialog, TheMapFollowsEditsAndHatchesSharedBytesRed)
{
    whileShown(QDialog::Rejected, [&] {
        fillForTheMap();
        button("Btn_Map")->click();
        DataAreaMapView* input = dialog->mapWindow()->view(TableKind::Read);
        const auto redPixels = [input](int byte) {
            const QImage picture = input->grab(input->byteRect(byte).adjusted(2, 2, -2, -2)).toImage();
            int red = 0;
            for (int y = 0; y < picture.height(); ++y) {
                for (int x = 0; x < picture.width(); ++x)
                    red += picture.pixelColor(x, y) == QColor(0xC0, 0x00, 0x00) ? 1 : 0;
            }
            return red;
        };
        EXPECT_GT(redPixels(19), 5);
        EXPECT_EQ(redPixels(18), 0);
        EXPECT_EQ(redPixels(20), 0);

        // Row 3 moved on to byte 20: nothing is shared any more.
        setCell(readGrid(), 2, 7, QStringLiteral("20"));
        EXPECT_TRUE(input->map().overlaps.empty());
        EXPECT_EQ(redPixels(19), 0);
        // A row that fails the checks leaves the map, and the summary says so.
        setCell(readGrid(), 1, 4, QStringLiteral("0"));
        EXPECT_EQ(input->map().leftOut, std::vector<int>{2});
        auto* summary = dialog->mapWindow()->findChild<QLabel*>(QStringLiteral("L_Input_Summary"));
        EXPECT_TRUE(summary->text().endsWith(QStringLiteral("Left out, as they fail the checks: rows 2")))
            << summary->text().toStdString();
    });
}

// What a test poll heard, on the input map: rows that answered outlined green, rows that did
// not cross-hatched black (a pattern, so it reads without colour), and a legend line while
// marks show.
TEST_F(SetAccessDialog, TheMapMarksTheRowsATestPollHeardFrom)
{
    whileShown(QDialog::Rejected, [&] {
        fillForTheMap();
        button("Btn_Map")->click();
        DataAreaMapWindow* map = dialog->mapWindow();
        DataAreaMapView* input = map->view(TableKind::Read);
        // Inside a byte, off the outline of the grid's current row, unless edges is set.
        const auto pixels = [input](int byte, const QColor& colour, bool edges = false) {
            const QRect rect = input->byteRect(byte);
            const QImage picture = input->grab(edges ? rect : rect.adjusted(3, 3, -3, -3)).toImage();
            int count = 0;
            for (int y = 0; y < picture.height(); ++y) {
                for (int x = 0; x < picture.width(); ++x)
                    count += picture.pixelColor(x, y) == colour ? 1 : 0;
            }
            return count;
        };
        const QColor green(0x00, 0x80, 0x00);
        auto* legend = map->findChild<QLabel*>(QStringLiteral("L_Legend"));
        ASSERT_NE(legend, nullptr);
        EXPECT_EQ(pixels(5, Qt::black), 0);
        EXPECT_EQ(pixels(30, green, true), 0);

        map->showPollResults({3}, {1});
        EXPECT_GT(pixels(5, Qt::black), 10) << "row 1 did not answer";
        EXPECT_GT(pixels(30, green, true), 5) << "row 3 answered";
        EXPECT_TRUE(legend->text().endsWith(QStringLiteral("a span cross-hatched black did not answer.")));

        map->showPollResults({}, {});
        EXPECT_EQ(pixels(5, Qt::black), 0);
        EXPECT_FALSE(legend->text().contains(QStringLiteral("Test poll")));
    });
}

// A poll that runs until it is stopped, on no port at all.
class EndlessPoll : public PollRunner {
public:
    void setListener(Listener listener) override { m_listener = std::move(listener); }
    std::optional<PortOpenFailure> start(const PollSettings&, std::vector<PollRequest> requests) override
    {
        m_results.clear();
        for (PollRequest& request : requests) {
            RowResult result;
            result.request = std::move(request);
            m_results.push_back(std::move(result));
        }
        m_end = PollEnd::Running;
        return std::nullopt;
    }
    void stop() override
    {
        if (m_end != PollEnd::Running)
            return;
        m_end = PollEnd::Stopped;
        if (m_listener.finished)
            m_listener.finished();
    }
    bool running() const override { return m_end == PollEnd::Running; }
    PollEnd end() const override { return m_end; }
    QString portError() const override { return {}; }
    QString portPath() const override { return {}; }
    const std::vector<RowResult>& results() const override { return m_results; }
    const TrafficLog& traffic() const override { return m_traffic; }
    int roundsDone() const override { return 0; }
    PollSummary summary() const override { return {}; }

private:
    Listener m_listener;
    PollEnd m_end = PollEnd::Done;
    std::vector<RowResult> m_results;
    TrafficLog m_traffic;
};

class EndlessPolls : public PollService {
public:
    std::unique_ptr<PollRunner> newRunner() override { return std::make_unique<EndlessPoll>(); }
};

TEST_F(SetAccessDialog, TheTestPollOpensBesideTheGridsAndStopsWhenTheyClose)
{
    EndlessPolls polls;
    dialog->setPolling(&polls, nullptr);
    whileShown(QDialog::Rejected, [&] {
        fillForTheMap();
        button("Btn_TestPoll")->click();
        TestPollWindow* poll = dialog->pollWindow();
        ASSERT_NE(poll, nullptr);
        EXPECT_TRUE(poll->isVisible());
        EXPECT_FALSE(poll->isModal());
        // It polls the rows as the grids hold them.
        auto* results = poll->findChild<QTableWidget*>(QStringLiteral("TV_Results"));
        EXPECT_EQ(results->rowCount(),
                  UsedRowCount(dialog->tables().Modbus_Read) + UsedRowCount(dialog->tables().Modbus_Write));
        poll->findChild<QComboBox*>(QStringLiteral("CB_Port"))->setEditText(QStringLiteral("/dev/null"));
        poll->startPoll();
        EXPECT_TRUE(poll->running());
        EXPECT_TRUE(prompts.messages().isEmpty()) << prompts.texts().join(u'\n').toStdString();
    });
    EXPECT_FALSE(dialog->pollWindow()->isVisible());
    EXPECT_FALSE(dialog->pollWindow()->running()) << "the poll outlives its dialog";
}

// The map marks what the test poll heard, whether it opens before or after the poll reports,
// and forgets it when the tables are shown again.
TEST_F(SetAccessDialog, TheMapShowsWhatTheTestPollHeard)
{
    EndlessPolls polls;
    dialog->setPolling(&polls, nullptr);
    const auto marks = [this] {
        const PollMarks& shown = dialog->mapWindow()->view(TableKind::Read)->pollMarks();
        return std::pair(shown.answered, shown.silent);
    };
    using Rows = std::vector<int>;
    whileShown(QDialog::Rejected, [&] {
        fillForTheMap();
        button("Btn_TestPoll")->click();
        TestPollWindow* poll = dialog->pollWindow();
        Q_EMIT poll->rowsAnswered({1, 3}, {2});
        button("Btn_Map")->click();
        EXPECT_EQ(marks(), std::pair(Rows{1, 3}, Rows{2}));
        Q_EMIT poll->rowsAnswered({1}, {2, 3});
        EXPECT_EQ(marks(), std::pair(Rows{1}, Rows{2, 3}));
    });
    whileShown(QDialog::Rejected, [&] {
        button("Btn_Map")->click();
        EXPECT_EQ(marks(), std::pair(Rows{}, Rows{}));
    });
}

TEST_F(SetAccessDialog, TheMapIsSavedAsAPngWhereTheUserChooses)
{
    whileShown(QDialog::Rejected, [&] {
        fillForTheMap();
        button("Btn_Map")->click();
        DataAreaMapWindow* map = dialog->mapWindow();
        auto* save = map->findChild<QPushButton*>(QStringLiteral("Btn_SavePng"));
        ASSERT_NE(save, nullptr);

        // Cancelled: nothing written, nothing said.
        save->click();
        EXPECT_EQ(files.asked, 1);
        EXPECT_EQ(files.lastSuggested, QDir(state.ActiveConfigDir).filePath(QStringLiteral("Plant-map.png")));
        EXPECT_TRUE(prompts.messages().isEmpty());

        // A name without its extension gets it.
        files.answer = dir.path() + QStringLiteral("/plant map");
        save->click();
        const QImage saved(dir.path() + QStringLiteral("/plant map.png"));
        EXPECT_FALSE(saved.isNull());
        EXPECT_EQ(saved.size(), map->picture().size());
        EXPECT_TRUE(prompts.messages().isEmpty());

        // A folder that does not exist: reported, naming the file.
        files.answer = dir.path() + QStringLiteral("/gone/map.png");
        save->click();
        ASSERT_EQ(prompts.messages().size(), 1);
        EXPECT_EQ(prompts.messages()[0].kind, QStringLiteral("error"));
        EXPECT_TRUE(prompts.messages()[0].text.contains(QStringLiteral("map.png")))
            << prompts.messages()[0].text.toStdString();
    });
}

// Every kind of edit, undone back to the start and redone again, each a step of its own.
TEST_F(SetAccessDialog, UndoesEveryEditBackToTheStartAndRedoesIt)
{
    writeFile(
        "<EtherNetIP_to_Modbus><Modbus_Read/><Modbus_Write>"
        "<row Slave_ID=\"1\" Type=\"Coil Status\" Address=\"0\" NPoint=\"8\" PollTime=\"0\" OnChange=\"N\" "
        "MaxError=\"0\" Position=\"0\" Bit=\"0\" Mnemonic=\"Pumps\"/>"
        "<row Slave_ID=\"2\" Type=\"Holding Register\" Address=\"4\" NPoint=\"2\" PollTime=\"500\" "
        "OnChange=\"N\" MaxError=\"0\" Position=\"2\" Bit=\"\" Mnemonic=\"Valves\"/>"
        "</Modbus_Write></EtherNetIP_to_Modbus>");
    whileShown(QDialog::Rejected, [&] {
        pages()->setCurrentIndex(1);
        RequestGrid* g = writeGrid();
        g->setFocus();
        std::vector<RequestTable> states{dialog->tables().Modbus_Write};
        const auto step = [&](const char* what, const std::function<void()>& edit) {
            edit();
            EXPECT_NE(dialog->tables().Modbus_Write, states.back()) << what << " changed nothing";
            states.push_back(dialog->tables().Modbus_Write);
        };
        step("typing", [&] {
            clickCell(g, 0, 3);
            QTest::keyClick(g, Qt::Key_7);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_7);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        });
        step("On Change ticked", [&] {
            QTest::mouseClick(g->viewport(), Qt::LeftButton, Qt::NoModifier,
                              g->visualRect(g->model()->index(1, 6)).center());
        });
        step("a list choice", [&] { setCell(g, 1, 2, QStringLiteral("Coil Status")); });
        step("a paste", [&] {
            QApplication::clipboard()->setText(QStringLiteral("9\tHolding Register\n10\tCoil Status\n"));
            clickCell(g, 2, 1);
            QTest::keyClick(g, Qt::Key_V, Qt::ControlModifier);
        });
        step("Delete on a range", [&] {
            clickCell(g, 0, 1);
            QTest::keyClick(g, Qt::Key_Right, Qt::ShiftModifier);
            QTest::keyClick(g, Qt::Key_Down, Qt::ShiftModifier);
            QTest::keyClick(g, Qt::Key_Delete);
        });
        step("a cut", [&] {
            clickCell(g, 3, 2);
            QTest::keyClick(g, Qt::Key_X, Qt::ControlModifier);
        });
        step("Insert Row", [&] {
            clickCell(g, 0, 1);
            button("Btn_InsRow")->click();
        });
        step("Delete Row", [&] {
            clickCell(g, 3, 1);
            prompts.answer({true});
            button("Btn_DelRow")->click();
        });

        // Back to the start, one step at a time, from the keys and from the menu's action.
        EXPECT_EQ(g->editAction(RequestGrid::Edit::Undo)->text(), QStringLiteral("Undo"));
        for (std::size_t i = states.size() - 1; i > 0; --i) {
            if (i == 4)
                g->editAction(RequestGrid::Edit::Undo)->trigger();
            else
                QTest::keyClick(g, Qt::Key_Z, Qt::ControlModifier);
            EXPECT_EQ(dialog->tables().Modbus_Write, states[i - 1]) << "undo to state " << i - 1;
        }
        QTest::keyClick(g, Qt::Key_Z, Qt::ControlModifier);
        EXPECT_EQ(dialog->tables().Modbus_Write, states.front()) << "nothing before the start";
        EXPECT_EQ(g->currentIndex(), g->model()->index(0, 3)) << "the undone typing shows where it was";
        // And forward again, with both redo keys.
        for (std::size_t i = 1; i < states.size(); ++i) {
            QTest::keyClick(g, i % 2 ? Qt::Key_Y : Qt::Key_Z,
                            i % 2 ? Qt::KeyboardModifiers(Qt::ControlModifier)
                                  : (Qt::ControlModifier | Qt::ShiftModifier));
            EXPECT_EQ(dialog->tables().Modbus_Write, states[i]) << "redo to state " << i;
        }
    });
    // Each showing reads the file afresh, with nothing to undo.
    whileShown(QDialog::Rejected, [&] {
        EXPECT_FALSE(writeGrid()->requestModel()->undoStack()->canUndo());
        EXPECT_EQ(cell(writeGrid(), 0, 10), QStringLiteral("Pumps"));
    });
}

TEST_F(SetAccessDialog, ImportsAndExportsTheTableOnShowAsCsv)
{
    writeFile(
        "<EtherNetIP_to_Modbus><Modbus_Read><row Slave_ID=\"1\" Type=\"Holding Register\" Address=\"0\" "
        "NPoint=\"10\" PollTime=\"1000\" MaxError=\"3\" Position=\"0\" Bit=\"\" Mnemonic=\"Tanks\"/>"
        "</Modbus_Read><Modbus_Write/></EtherNetIP_to_Modbus>");
    whileShown(QDialog::Accepted, [&] {
        // Export: the grid as it is now, edits included; the extension added.
        setCell(readGrid(), 0, 9, QStringLiteral("Tanks, north"));
        files.answer = dir.path() + QStringLiteral("/tables");
        button("Btn_ExportCsv")->click();
        EXPECT_EQ(
            dir.read(QStringLiteral("tables.csv")),
            QByteArray("\xEF\xBB\xBFSlave_ID,Type,Address,NPoint,PollTime,MaxError,Position,Bit,Mnemonic\r\n"
                       "1,Holding Register,0,10,1000,3,0,,\"Tanks, north\"\r\n"));

        // A refused line: nothing changes, and no choice is offered.
        dir.write(QStringLiteral("bad.csv"), "Slave_ID;Type\n1;Holding Register\n2;Holding\n");
        files.answer = dir.file(QStringLiteral("bad.csv"));
        button("Btn_ImportCsv")->click();
        ASSERT_EQ(prompts.messages().size(), 1);
        EXPECT_EQ(prompts.messages()[0].kind, QStringLiteral("error"));
        EXPECT_EQ(
            prompts.messages()[0].text,
            QStringLiteral("Nothing was imported from %1:\nLine 3, column Type: \"Holding\" is not among "
                           "the column's entries.")
                .arg(QDir::toNativeSeparators(files.answer)));
        EXPECT_EQ(UsedRowCount(dialog->tables().Modbus_Read), 1);
        prompts.clear();

        // Appended after row 1, then undone in one step; then in place of the table.
        dir.write(QStringLiteral("good.csv"),
                  "Mnemonic,Slave_ID,Type,Address,NPoint,PollTime,MaxError,Position,Bit\n"
                  "Flow,2,input register,0,4,2000,0,20,\n"
                  "Doors,3,Input Status,10,5,250,5,30,3\n");
        files.answer = dir.file(QStringLiteral("good.csv"));
        prompts.choose({1});
        button("Btn_ImportCsv")->click();
        ASSERT_EQ(prompts.messages().size(), 1);
        EXPECT_EQ(prompts.messages()[0].text,
                  QStringLiteral(
                      "%1 holds 2 rows for the Modbus Read table.\n[Replace the table] [Append after row 1]")
                      .arg(QDir::toNativeSeparators(files.answer)));
        EXPECT_EQ(UsedRowCount(dialog->tables().Modbus_Read), 3);
        EXPECT_EQ(cell(readGrid(), 1, 2), QStringLiteral("Input Register"));
        EXPECT_EQ(cell(readGrid(), 2, 9), QStringLiteral("Doors"));
        QTest::keyClick(readGrid(), Qt::Key_Z, Qt::ControlModifier);
        EXPECT_EQ(UsedRowCount(dialog->tables().Modbus_Read), 1);
        prompts.choose({-1});
        button("Btn_ImportCsv")->click();
        EXPECT_EQ(UsedRowCount(dialog->tables().Modbus_Read), 1) << "cancelled";
        prompts.choose({0});
        dialog->findChild<QAction*>(QStringLiteral("Act_ImportCsv"))->trigger();
        EXPECT_EQ(UsedRowCount(dialog->tables().Modbus_Read), 2);
        EXPECT_EQ(cell(readGrid(), 0, 9), QStringLiteral("Flow"));
        prompts.clear();
        button("Btn_OK")->click();
        EXPECT_TRUE(prompts.messages().isEmpty()) << prompts.texts().join(u'\n').toStdString();
    });
    EXPECT_EQ(file().count("<row "), 2);
}

// Escape is Cancel wherever the focus is, the grids included.
TEST_F(SetAccessDialog, EscapeInAGridIsCancel)
{
    whileShown(QDialog::Rejected, [&] {
        EXPECT_TRUE(readGrid()->hasFocus());
        QTest::keyClick(readGrid(), Qt::Key_Escape);
        EXPECT_FALSE(dialog->isVisible());
    });
}

TEST_F(SetAccessDialog, CancelWritesNothingAndTheNextShowingRereadsTheFile)
{
    writeFile(dataFile("setaccess-valid.xml"));
    const QByteArray before = file();
    whileShown(QDialog::Rejected, [&] {
        pages()->setCurrentIndex(1);
        setCell(readGrid(), 0, 9, QStringLiteral("changed"));
        button("Btn_Cancel")->click();
    });
    EXPECT_EQ(file(), before);
    whileShown(QDialog::Rejected, [&] {
        EXPECT_EQ(pages()->currentIndex(), 0);
        EXPECT_EQ(cell(readGrid(), 0, 9), QStringLiteral("Temperatures"));
    });
}

TEST_F(SetAccessDialog, AFileItCannotShowIsReportedAndTheDialogDoesNotOpen)
{
    const QByteArray declared = dataFile("setaccess-declaration-first.xml");
    writeFile(declared);
    EXPECT_EQ(dialog->exec(), QDialog::Rejected);
    EXPECT_FALSE(dialog->isVisible());
    ASSERT_EQ(prompts.messages().size(), 1);
    EXPECT_EQ(prompts.messages()[0].kind, QStringLiteral("error"));
    EXPECT_TRUE(prompts.messages()[0].text.contains(QDir::toNativeSeparators(state.SetAccessPath)));
    EXPECT_EQ(file(), declared);
}

TEST_F(SetAccessDialog, AFileThatCannotBeWrittenLeavesTheDialogOpenWithTheEntries)
{
    whileShown(QDialog::Rejected, [&] {
        setRow(readGrid(), 0, readRegisters);
        QDir(state.ActiveConfigDir).removeRecursively();
        button("Btn_OK")->click();
        ASSERT_EQ(prompts.messages().size(), 1);
        EXPECT_EQ(prompts.messages()[0].kind, QStringLiteral("error"));
        EXPECT_TRUE(prompts.messages()[0].text.contains(QDir::toNativeSeparators(state.SetAccessPath)));
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_EQ(rowOf(readGrid(), 0), readRegisters);
    });
}

TEST_F(SetAccessDialog, TakesItsTextsFromTheStringTable)
{
    state.Strings.set(128, QStringLiteral("Accesso Modbus"));
    state.Strings.set(133, QStringLiteral("Inserisci"));
    state.Strings.set(135, QStringLiteral("Scrittura"));
    state.Strings.set(146, QStringLiteral("Nr"));
    state.Strings.set(156, QStringLiteral("Nome"));
    dialog->Set_Lang();
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Accesso Modbus"));
    EXPECT_EQ(button("Btn_InsRow")->text(), QStringLiteral("Inserisci"));
    EXPECT_EQ(pages()->tabText(1), QStringLiteral("Scrittura"));
    EXPECT_EQ(writeGrid()->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Nr"));
    EXPECT_EQ(writeGrid()->model()->headerData(10, Qt::Horizontal).toString(), QStringLiteral("Nome"));
    EXPECT_EQ(readGrid()->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("N"));
}

TEST(RequestTableModelPaste, AnnouncesOneChangeCoveringTheCellsThatChanged)
{
    RequestTable table;
    RequestTableModel model(TableKind::Write, table, nullptr);
    QList<QRect> announced;
    QObject::connect(&model, &QAbstractItemModel::dataChanged,
                     [&announced](const QModelIndex& topLeft, const QModelIndex& bottomRight) {
                         announced.append(QRect(QPoint(topLeft.column(), topLeft.row()),
                                                QPoint(bottomRight.column(), bottomRight.row())));
                     });
    const std::vector<QStringList> block{{"1", "coil status", "5"}, {"2", "Input Status", "6", "1", "2"}};

    EXPECT_EQ(model.pasteBlock(2, 1, block), model.index(3, 5));
    EXPECT_EQ(announced, (QList<QRect>{QRect(QPoint(1, 2), QPoint(5, 3))}));
    EXPECT_EQ(table.rows[2][Cell::Type], QStringLiteral("Coil Status"));
    EXPECT_EQ(table.rows[3][Cell::Type], QString()); // refused: not a type of the write table

    // The same block again changes nothing, so nothing is announced; one changed cell is.
    announced.clear();
    model.pasteBlock(2, 1, block);
    EXPECT_TRUE(announced.isEmpty());
    model.pasteBlock(3, 1, {{"2", "x", "7"}});
    EXPECT_EQ(announced, (QList<QRect>{QRect(QPoint(3, 3), QPoint(3, 3))}));

    // One text into selected cells: the row number column keeps its place, the rest take it.
    announced.clear();
    model.pasteIntoCells({model.index(0, 0), model.index(0, 3), model.index(1, 3)}, QStringLiteral("9"));
    EXPECT_EQ(announced, (QList<QRect>{QRect(QPoint(3, 0), QPoint(3, 1))}));
    EXPECT_EQ(table.rows[1][Cell::Address], QStringLiteral("9"));
    EXPECT_TRUE(model.refusedByLastPaste().empty());

    // The texts a paste could not put anywhere, in grid order whatever the selection's order.
    model.pasteBlock(3, 1, {{"2", "x", "7"}});
    EXPECT_EQ(model.refusedByLastPaste(), (std::vector<RefusedPaste>{{3, 2, QStringLiteral("x")}}));
    model.pasteIntoCells({model.index(5, 9), model.index(4, 2), model.index(4, 9)}, QStringLiteral("9"));
    EXPECT_EQ(model.refusedByLastPaste(),
              (std::vector<RefusedPaste>{
                  {4, 2, QStringLiteral("9")}, {4, 9, QStringLiteral("9")}, {5, 9, QStringLiteral("9")}}));
}

TEST(SetAccessFromTheMainWindow, OpensForAnOpenConfigurationAndFollowsTheLanguage)
{
    test::TempProgramDir dir;
    dir.mkdir(QStringLiteral("PROJECTS/Plant"));
    dir.write(QStringLiteral("PROJECTS/Plant/ParGen.xml"),
              "<GeneralParameter><Device_Type>1</Device_Type></GeneralParameter>");
    dir.write(QStringLiteral("Veldrin.xml"), "<c><lastproj><projectname>Plant</projectname></lastproj></c>");
    test::RecordingPrompts prompts;
    test::FakeUrlOpener urls;
    Application app(dir.path(), Services{&prompts, &urls});
    app.show();
    auto* modbus = app.mainWindow().findChild<QPushButton*>(QStringLiteral("Btn_Modbus_Req"));
    ASSERT_NE(modbus, nullptr);
    ASSERT_TRUE(modbus->isEnabled());
    QString shown;
    test::WhenModal([&shown](QWidget* modal) {
        shown = modal->objectName();
        modal->findChild<QPushButton*>(QStringLiteral("Btn_OK"))->click();
    });
    modbus->click();
    EXPECT_EQ(shown, QStringLiteral("TFSetAccess"));
    EXPECT_EQ(dir.read(QStringLiteral("PROJECTS/Plant/ModbusM_SetAccess.xml")),
              QByteArray("<EtherNetIP_to_Modbus><Modbus_Read/><Modbus_Write/></EtherNetIP_to_Modbus>"));
    // Created last among the windows.
    EXPECT_EQ(app.mainWindow().findChildren<QDialog*>(Qt::FindDirectChildrenOnly).last()->objectName(),
              QStringLiteral("TFSetAccess"));

    app.state().Strings.set(132, QStringLiteral("Cancella Riga"));
    app.mainWindow().Change_Language();
    EXPECT_EQ(
        app.mainWindow().setAccessDialog().findChild<QPushButton*>(QStringLiteral("Btn_DelRow"))->text(),
        QStringLiteral("Cancella Riga"));
    EXPECT_TRUE(prompts.messages().isEmpty());
}

} // namespace
} // namespace veldrin
