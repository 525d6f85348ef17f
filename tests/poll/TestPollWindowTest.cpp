#include "poll/TestPollWindow.h"

#include "comm/GeneralParameter.h"
#include "lang/StringTable.h"
#include "poll/ModbusFrames.h"
#include "poll/PollEngine.h"
#include "support/EnglishStrings.h"
#include "support/FakeFileChooser.h"
#include "support/ModbusSlaveProcess.h"
#include "support/PtyBridge.h"
#include "support/RecordingPrompts.h"
#include "support/RequestRows.h"
#include "support/WaitUntil.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTableWidget>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace veldrin {
namespace {

using test::WaitUntil;

// Runs on the serial-port service of the tests, as the online module would.
class EnginePolls : public PollService {
public:
    std::unique_ptr<PollRunner> newRunner() override { return std::make_unique<PollEngine>(); }
};

class TestPollWindowTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_bridge.ok());
        m_slave = std::make_unique<test::ModbusSlaveProcess>(m_bridge.slavePort(), QStringLiteral("rtu"));
        ASSERT_EQ(m_slave->error(), QString());
        test::FillRow(m_tables.Modbus_Read.row(1), "1", "Holding Register", "0", "2", "0");
        test::FillRow(m_tables.Modbus_Read.row(2), "2", "Coil Status", "0", "4", "4", "2");
        test::FillRow(m_tables.Modbus_Read.row(3), "1", "Input Register", "98", "5", "10");
        test::FillRow(m_tables.Modbus_Read.row(4), "7", "Holding Register", "0", "1", "20");
        test::FillRow(m_tables.Modbus_Write.row(1), "1", "Holding Register", "40", "2", "0");
        m_parameters.Time_Out = QStringLiteral("150");
        m_window = std::make_unique<TestPollWindow>(m_strings, m_prompts, m_files, m_polls, nullptr);
        m_window->setTexts(QStringLiteral("Plant"));
        m_window->setSource([this] { return m_tables; }, [this] { return m_parameters; });
        port()->setEditText(m_bridge.masterPort());
        m_window->show();
    }

    QComboBox* port() const { return m_window->findChild<QComboBox*>(QStringLiteral("CB_Port")); }
    QTableWidget* results() const { return m_window->findChild<QTableWidget*>(QStringLiteral("TV_Results")); }
    QString cell(int row, int column) const { return results()->item(row, column)->text(); }
    QAbstractButton* button(const char* name) const
    {
        return m_window->findChild<QAbstractButton*>(QString::fromLatin1(name));
    }
    bool runToEnd()
    {
        button("Btn_Start")->click();
        return WaitUntil([this] { return !m_window->running(); });
    }

    StringTable m_strings = test::EnglishStrings();
    test::RecordingPrompts m_prompts;
    test::FakeFileChooser m_files;
    EnginePolls m_polls;
    test::PtyBridge m_bridge;
    std::unique_ptr<test::ModbusSlaveProcess> m_slave;
    RequestTables m_tables;
    GeneralParameter m_parameters;
    std::unique_ptr<TestPollWindow> m_window;
};

// The columns of the results table.
enum { Table, Row, Slave, Function, Address, Points, Status, Last, Min, Max, Values, Area, Frame };

TEST_F(TestPollWindowTest, ListsTheRowsWithTheirFramesBeforeTheFirstRun)
{
    ASSERT_EQ(results()->rowCount(), 5);
    EXPECT_EQ(cell(0, Status), QStringLiteral("Not run"));
    EXPECT_EQ(cell(4, Table), QStringLiteral("Write"));
    EXPECT_EQ(cell(4, Status), QStringLiteral("Not sent (write)"));
    EXPECT_EQ(cell(4, Frame), FrameText(RtuFrame(1, WritePdu(16, 40, 2, {0, 0})), false));
    EXPECT_EQ(m_window->findChild<QSpinBox*>(QStringLiteral("SE_Timeout"))->value(), 150);
}

TEST_F(TestPollWindowTest, ShowsValuesExceptionsTimeoutsAndTheRowsThatAnswered)
{
    QSignalSpy answered(m_window.get(), &TestPollWindow::rowsAnswered);
    ASSERT_TRUE(runToEnd());
    EXPECT_TRUE(m_prompts.messages().isEmpty()) << m_prompts.texts().join(u'\n').toStdString();
    EXPECT_EQ(cell(0, Status), QStringLiteral("OK"));
    EXPECT_EQ(cell(0, Values), QStringLiteral("1000 (0x03E8), 1001 (0x03E9)"));
    EXPECT_EQ(cell(0, Area), QStringLiteral("bytes 0-3"));
    EXPECT_FALSE(cell(0, Last).isEmpty());
    EXPECT_EQ(cell(1, Values), QStringLiteral("1001"));
    EXPECT_EQ(cell(1, Area), QStringLiteral("byte 4 bits 2-5"));
    EXPECT_EQ(cell(2, Status), QStringLiteral("Exception 2 (Illegal Data Address)"));
    EXPECT_EQ(cell(3, Status), QStringLiteral("Time-out"));
    EXPECT_EQ(cell(4, Status), QStringLiteral("Not sent (write)"));
    const QString summary = m_window->findChild<QLabel*>(QStringLiteral("L_Summary"))->text();
    EXPECT_TRUE(summary.contains(QStringLiteral("Slaves that answered: 1, 2"))) << summary.toStdString();
    EXPECT_TRUE(summary.contains(QStringLiteral("Slaves that never answered: 7"))) << summary.toStdString();
    EXPECT_TRUE(summary.contains(QStringLiteral("estimated from the bus load"))) << summary.toStdString();

    ASSERT_FALSE(answered.isEmpty());
    const auto rows = answered.last();
    EXPECT_EQ(rows[0].value<std::vector<int>>(), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(rows[1].value<std::vector<int>>(), (std::vector<int>{4}));

    const QString traffic = m_window->findChild<QPlainTextEdit*>(QStringLiteral("M_Traffic"))->toPlainText();
    EXPECT_EQ(traffic.count(QStringLiteral(" TX ")), 4);
    EXPECT_EQ(traffic.count(QStringLiteral(" RX ")), 3);
    QTemporaryDir dir;
    m_files.answer = dir.filePath(QStringLiteral("traffic.txt"));
    button("Btn_SaveTraffic")->click();
    EXPECT_EQ(m_files.lastSuggested, QStringLiteral("Plant-traffic.txt"));
    QFile saved(m_files.answer);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(saved.readAll()).count(QStringLiteral(" TX ")), 4);
}

TEST_F(TestPollWindowTest, WritesGoOutOnlyAfterTheOptInIsConfirmed)
{
    // Values typed in the write row's cell.
    results()->item(4, Values)->setText(QStringLiteral("7, 8"));
    auto* optIn = m_window->findChild<QCheckBox*>(QStringLiteral("CB_SendWrites"));

    // Not ticked: reads only.
    ASSERT_TRUE(runToEnd());
    EXPECT_FALSE(m_bridge.sent().contains(RtuFrame(1, WritePdu(16, 40, 2, {7, 8}))));

    // Ticked but not confirmed: nothing at all.
    const qsizetype before = m_bridge.sent().size();
    optIn->setChecked(true);
    m_prompts.answer({false});
    button("Btn_Start")->click();
    ASSERT_EQ(m_prompts.messages().size(), 1);
    EXPECT_TRUE(m_prompts.messages()[0].text.contains(
        QStringLiteral("Write row 1: slave 1, address 40, values 7, 8")))
        << m_prompts.messages()[0].text.toStdString();
    EXPECT_FALSE(m_window->running());
    EXPECT_EQ(m_bridge.sent().size(), before);

    // Confirmed: the write goes out with the typed values, for this run only.
    m_prompts.answer({true});
    ASSERT_TRUE(runToEnd());
    EXPECT_TRUE(m_bridge.sent().contains(RtuFrame(1, WritePdu(16, 40, 2, {7, 8}))));
    EXPECT_EQ(cell(4, Status), QStringLiteral("OK"));
    EXPECT_FALSE(optIn->isChecked());

    // Values that do not fit: refused before anything is sent.
    results()->item(4, Values)->setText(QStringLiteral("7"));
    optIn->setChecked(true);
    m_prompts.clear();
    const qsizetype sent = m_bridge.sent().size();
    button("Btn_Start")->click();
    ASSERT_EQ(m_prompts.messages().size(), 1);
    EXPECT_EQ(m_prompts.messages()[0].kind, QStringLiteral("error"));
    EXPECT_EQ(m_bridge.sent().size(), sent);
}

TEST_F(TestPollWindowTest, StopAndCloseEndAnEndlessRunAtOnce)
{
    m_window->findChild<QCheckBox*>(QStringLiteral("CB_UntilStopped"))->setChecked(true);
    button("Btn_Start")->click();
    ASSERT_TRUE(m_window->running());
    EXPECT_FALSE(button("Btn_Start")->isEnabled());
    ASSERT_TRUE(WaitUntil([this] { return m_window->runner()->roundsDone() >= 2; }));
    QElapsedTimer clock;
    clock.start();
    button("Btn_Stop")->click();
    EXPECT_FALSE(m_window->running());
    EXPECT_LT(clock.elapsed(), 100);
    EXPECT_TRUE(button("Btn_Start")->isEnabled());

    button("Btn_Start")->click();
    ASSERT_TRUE(m_window->running());
    m_window->close();
    EXPECT_FALSE(m_window->running());
}

TEST_F(TestPollWindowTest, RefusalsAreOneMessageAndNothingIsSent)
{
    port()->setEditText(QStringLiteral("/dev/serial/by-id/no-such-adapter"));
    button("Btn_Start")->click();
    port()->setEditText(QString());
    button("Btn_Start")->click();
    port()->setEditText(m_bridge.masterPort());
    m_tables.Modbus_Read.row(2)[Cell::NPoint] = QStringLiteral("0");
    button("Btn_Start")->click();
    ASSERT_EQ(m_prompts.messages().size(), 3);
    EXPECT_EQ(m_prompts.messages()[0].text,
              QStringLiteral("The serial port /dev/serial/by-id/no-such-adapter does not exist."));
    EXPECT_EQ(m_prompts.messages()[1].text, QStringLiteral("Choose or type a serial port."));
    EXPECT_TRUE(m_prompts.messages()[2].text.startsWith(QStringLiteral("Error row 2")))
        << m_prompts.texts()[2].toStdString();
    EXPECT_TRUE(m_bridge.sent().isEmpty());
    EXPECT_FALSE(m_window->running());
}

TEST_F(TestPollWindowTest, EveryControlHasANameAndTheKeyboardReachesIt)
{
    const char* controls[] = {"CB_Port",         "SE_Timeout", "SE_Rounds", "CB_UntilStopped",
                              "CB_SendWrites",   "Btn_Start",  "Btn_Stop",  "TV_Results",
                              "Btn_SaveTraffic", "M_Traffic",  "Btn_Close"};
    QWidget* previous = nullptr;
    for (const char* name : controls) {
        auto* control = m_window->findChild<QWidget*>(QString::fromLatin1(name));
        ASSERT_NE(control, nullptr) << name;
        EXPECT_FALSE(control->accessibleName().isEmpty()) << name;
        EXPECT_NE(control->focusPolicy() & Qt::TabFocus, 0) << name;
        // The next stop of Tab, past the inner line edit of a combo box or spin box.
        if (previous) {
            QWidget* next = previous->nextInFocusChain();
            for (int step = 0; step < 3 && next != control; ++step)
                next = next->nextInFocusChain();
            EXPECT_EQ(next, control) << name;
        }
        previous = control;
    }
}

} // namespace
} // namespace veldrin
