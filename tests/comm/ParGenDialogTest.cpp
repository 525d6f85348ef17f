#include "CommTestSupport.h"
#include "comm/GeneralParameterFile.h"
#include "comm/TFParGen.h"
#include "common/TextRules.h"
#include "configuration/ParGenLists.h"
#include "session/AppState.h"
#include "session/Startup.h"
#include "support/ModalDriver.h"
#include "support/RecordingPrompts.h"
#include "support/TempProgramDir.h"
#include "support/WaitUntil.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace veldrin {
namespace {

// Counts the showings of a window, to prove one never opened.
class ShowCounter : public QObject {
public:
    explicit ShowCounter(QWidget* window) { window->installEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Show)
            ++count;
        return false;
    }
};

// The dialog over a configuration "Plant" in a temporary program folder.
class ParGenDialog : public ::testing::Test {
protected:
    void SetUp() override
    {
        RunStartup(state, dir.path());
        dir.mkdir(QStringLiteral("PROJECTS/Plant"));
        state.OpenConfiguration(QStringLiteral("Plant"));
        dialog = std::make_unique<TFParGen>(state, prompts, nullptr);
    }

    template <typename T = QWidget> T* find(const char* name)
    {
        auto* found = dialog->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    QLineEdit* edit(const char* name) { return find<QLineEdit>(name); }
    QComboBox* list(const char* name) { return find<QComboBox>(name); }
    QPushButton* button(const char* name) { return find<QPushButton>(name); }

    void writeParGen(const QByteArray& xml) { dir.write(QStringLiteral("PROJECTS/Plant/ParGen.xml"), xml); }
    void copyParGen(const char* dataFile) { writeParGen(test::ReadDataFile(dataFile)); }
    QByteArray parGenBytes() const { return dir.read(QStringLiteral("PROJECTS/Plant/ParGen.xml")); }

    // Runs the dialog; action runs once it shows and must close it.
    int run(std::function<void()> action)
    {
        test::WhenModal([this, action](QWidget*) {
            // Focus and key handling as a user meets them: in the active window.
            EXPECT_TRUE(test::WaitUntil([&] { return dialog->isActiveWindow(); }));
            action();
        });
        return dialog->exec();
    }

    test::TempProgramDir dir;
    test::RecordingPrompts prompts;
    AppState state;
    std::unique_ptr<TFParGen> dialog;
};

TEST_F(ParGenDialog, ShowsTheDefaultsWithoutAFileAndCancelWritesNothing)
{
    const int result = run([this] {
        EXPECT_EQ(list("CB_Select_Device")->currentIndex(), 0);
        EXPECT_EQ(edit("E_IP1")->text(), QStringLiteral("192"));
        EXPECT_EQ(edit("E_IP4")->text(), QStringLiteral("5"));
        EXPECT_EQ(edit("E_SM4")->text(), QStringLiteral("0"));
        EXPECT_EQ(edit("E_GAT4")->text(), QStringLiteral("1"));
        EXPECT_FALSE(find<QCheckBox>("CB_Eth_EN_GAT")->isChecked());
        EXPECT_EQ(edit("E_PORT")->text(), QStringLiteral("10001"));
        EXPECT_EQ(list("CB_Baud_Modbus_Master")->currentText(), QStringLiteral("115200"));
        EXPECT_EQ(edit("E_TO_Modbus_Master")->text(), QStringLiteral("1000"));
        EXPECT_EQ(edit("E_CD_Modbus_Master")->text(), QStringLiteral("100"));
        EXPECT_FALSE(dialog->Is_Change());
        EXPECT_EQ(dialog->focusWidget(), list("CB_Select_Device"));
        button("Btn_Cancel")->click();
    });
    EXPECT_EQ(result, QDialog::Rejected);
    EXPECT_TRUE(prompts.messages().isEmpty());
    EXPECT_FALSE(QFileInfo::exists(state.ParGenPath));
}

TEST_F(ParGenDialog, ListsHoldTheirFixedEntries)
{
    const std::pair<const char*, QStringList> lists[] = {
        {"CB_Select_Device",
         {QStringLiteral("Device till April 2014 (with Jumper)"),
          QStringLiteral("Device from May 2014 (with Dip-Switch)")}},
        {"CB_Eth_Protocol", pargen::Entries(pargen::EthernetProtocols)},
        {"CB_Serial_Modbus_Master", pargen::Entries(pargen::SerialLines)},
        {"CB_Baud_Modbus_Master", pargen::Entries(pargen::BaudRates)},
        {"CB_Par_Modbus_Master", pargen::Entries(pargen::Parities)},
        {"CB_StopBit_Modbus_Master", pargen::Entries(pargen::StopBits)},
        {"CB_Modbus_Master_Protocol", pargen::Entries(pargen::SerialProtocols)}};
    for (const auto& [name, entries] : lists) {
        QComboBox* combo = list(name);
        QStringList shown;
        for (int i = 0; i < combo->count(); ++i)
            shown.append(combo->itemText(i));
        EXPECT_EQ(shown, entries) << name;
        EXPECT_FALSE(combo->isEditable()) << name;
    }
}

TEST_F(ParGenDialog, SavesTheEntriesExactlyAsTyped)
{
    copyParGen("pargen-other-order-extra-elements.xml");
    const int result = run([this] {
        EXPECT_EQ(list("CB_Select_Device")->currentIndex(), 1);
        EXPECT_EQ(edit("E_IP1")->text(), QStringLiteral("10"));
        EXPECT_EQ(edit("E_PORT")->text(), QStringLiteral("$1F"));
        EXPECT_TRUE(find<QCheckBox>("CB_Eth_EN_GAT")->isChecked());
        EXPECT_EQ(list("CB_StopBit_Modbus_Master")->currentIndex(), 1);
        EXPECT_EQ(edit("E_CD_Modbus_Master")->text(), QStringLiteral(" 50"));

        edit("E_IP1")->selectAll();
        QTest::keyClicks(edit("E_IP1"), QStringLiteral(" 192"));
        edit("E_GAT3")->setText(QStringLiteral("7"));
        QTest::mouseClick(find<QCheckBox>("CB_Eth_EN_GAT"), Qt::LeftButton);
        list("CB_Eth_Protocol")->setCurrentIndex(1);
        list("CB_Modbus_Master_Protocol")->setCurrentIndex(1);
        button("Btn_OK")->click();
    });
    EXPECT_EQ(result, QDialog::Accepted);
    EXPECT_TRUE(prompts.messages().isEmpty()) << prompts.texts().join(u'\n').toStdString();

    GeneralParameter expected = ReadGeneralParameter(test::DataFile("pargen-other-order-extra-elements.xml"));
    expected.IP1 = QStringLiteral(" 192");
    expected.GAT3 = QStringLiteral("7");
    expected.EN_GAT = false;
    expected.PROT_TYPE = 1;
    expected.Ser_Prot = 1;
    EXPECT_EQ(ReadGeneralParameter(state.ParGenPath), expected);
    EXPECT_TRUE(parGenBytes().startsWith("<GeneralParameter><Device_Type>1</Device_Type><IP1> 192</IP1>"));
}

TEST_F(ParGenDialog, AFailedCheckShowsItsMessageAndKeepsTheEntriesAndTheFocus)
{
    copyParGen("pargen-defaults.xml");
    const QByteArray before = parGenBytes();
    const int result = run([this, before] {
        edit("E_IP1")->setText(QStringLiteral("192 "));
        edit("E_PORT")->setText(QStringLiteral("65536"));
        edit("E_TO_Modbus_Master")->setFocus();
        button("Btn_OK")->click();
        EXPECT_EQ(prompts.texts(),
                  QStringList{QStringLiteral("Error Ethernet!! IP Address 1 must be between 0 and 255")});
        EXPECT_EQ(prompts.messages().value(0).kind, QStringLiteral("error"));
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_EQ(dialog->focusWidget(), edit("E_TO_Modbus_Master"));
        EXPECT_EQ(edit("E_IP1")->text(), QStringLiteral("192 "));
        EXPECT_EQ(parGenBytes(), before);

        edit("E_IP1")->setText(QStringLiteral("192"));
        button("Btn_OK")->click();
        EXPECT_EQ(prompts.texts().value(1),
                  QStringLiteral("Error Ethernet!! PORT must be between 0 and 65535"));
        EXPECT_TRUE(dialog->isVisible());

        edit("E_PORT")->setText(QStringLiteral("65535"));
        button("Btn_OK")->click();
    });
    EXPECT_EQ(result, QDialog::Accepted);
    EXPECT_EQ(prompts.messages().size(), 2);
    EXPECT_TRUE(parGenBytes().contains("<PORT>65535</PORT>"));
}

TEST_F(ParGenDialog, DeviceTypeDecidesWhichSerialFieldsAreChecked)
{
    copyParGen("pargen-defaults.xml");
    // Type 0: hidden fields pass unchecked and are still written.
    int result = run([this] {
        list("CB_StopBit_Modbus_Master")->setCurrentIndex(1);
        list("CB_Par_Modbus_Master")->setCurrentIndex(1);
        edit("E_CD_Modbus_Master")->setText(QStringLiteral("abc"));
        button("Btn_OK")->click();
    });
    EXPECT_EQ(result, QDialog::Accepted);
    EXPECT_TRUE(parGenBytes().contains("<Comm_Idle>abc</Comm_Idle>"));

    // Type 1: the same entries are refused, first the stop bits, then the idle time.
    result = run([this] {
        list("CB_Select_Device")->setCurrentIndex(1);
        button("Btn_OK")->click();
        list("CB_Par_Modbus_Master")->setCurrentIndex(0);
        button("Btn_OK")->click();
        edit("E_CD_Modbus_Master")->setText(QStringLiteral("0"));
        button("Btn_OK")->click();
    });
    EXPECT_EQ(result, QDialog::Accepted);
    EXPECT_EQ(
        prompts.texts(),
        (QStringList{QStringLiteral("Error Modbus Master!! Two Stop Bits can used only with Parity None"),
                     QStringLiteral("Error Modbus Master!! Communication Idle Time must be between 0 and "
                                    "100000000 ms")}));
    EXPECT_TRUE(parGenBytes().contains("<Device_Type>1</Device_Type>"));
}

TEST_F(ParGenDialog, CancelAsksOnlyAfterAnEdit)
{
    copyParGen("pargen-defaults.xml");
    // Collapsing and expanding are no edits.
    int result = run([this] {
        button("Btn_Ethernet_Collapse")->click();
        button("Btn_Ethernet_Expande")->click();
        EXPECT_FALSE(dialog->Is_Change());
        button("Btn_Cancel")->click();
    });
    EXPECT_EQ(result, QDialog::Rejected);
    EXPECT_TRUE(prompts.messages().isEmpty());

    // An edit undone by hand still counts; No keeps the dialog open with the entries.
    prompts.answer({false, true});
    result = run([this] {
        QTest::keyClick(edit("E_IP3"), Qt::Key_End);
        QTest::keyClick(edit("E_IP3"), Qt::Key_1);
        QTest::keyClick(edit("E_IP3"), Qt::Key_Backspace);
        EXPECT_EQ(edit("E_IP3")->text(), QStringLiteral("0"));
        EXPECT_TRUE(dialog->Is_Change());
        edit("E_SM1")->setText(QStringLiteral("1"));
        button("Btn_Cancel")->click();
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_EQ(edit("E_SM1")->text(), QStringLiteral("1"));
        // Escape is the Cancel button.
        QTest::keyClick(dialog.get(), Qt::Key_Escape);
    });
    EXPECT_EQ(result, QDialog::Rejected);
    EXPECT_EQ(prompts.texts(), QStringList(2, QStringLiteral("Do you want to exit without saving changes?")));
    EXPECT_EQ(prompts.messages().value(0).kind, QStringLiteral("question"));

    // The gateway box counts as an edit; the close box leaves without asking.
    prompts.clear();
    result = run([this] {
        find<QCheckBox>("CB_Eth_EN_GAT")->click();
        EXPECT_TRUE(dialog->Is_Change());
        dialog->close();
    });
    EXPECT_EQ(result, QDialog::Rejected);
    EXPECT_TRUE(prompts.messages().isEmpty());
    EXPECT_EQ(parGenBytes(), test::ReadDataFile("pargen-defaults.xml"));
}

TEST_F(ParGenDialog, TheDotKeyMovesAlongTheOctetBoxesAndAddsNothing)
{
    const char* chain[] = {"E_IP1", "E_IP2", "E_IP3",  "E_IP4",  "E_SM1",  "E_SM2",
                           "E_SM3", "E_SM4", "E_GAT1", "E_GAT2", "E_GAT3", "E_GAT4"};
    run([&] {
        for (std::size_t i = 0; i + 1 < std::size(chain); ++i) {
            QLineEdit* box = edit(chain[i]);
            box->setFocus();
            const QString before = box->text();
            QTest::keyClick(box, '.');
            EXPECT_EQ(box->text(), before) << chain[i];
            EXPECT_EQ(dialog->focusWidget(), edit(chain[i + 1])) << chain[i];
            // Selected, so typing replaces it.
            EXPECT_EQ(edit(chain[i + 1])->selectedText(), edit(chain[i + 1])->text()) << chain[i];
        }
        // The keypad's "." too; the last box keeps the focus.
        edit("E_GAT4")->setFocus();
        QTest::keyClick(edit("E_GAT4"), Qt::Key_Period, Qt::KeypadModifier);
        EXPECT_EQ(edit("E_GAT4")->text(), QStringLiteral("1"));
        EXPECT_EQ(dialog->focusWidget(), edit("E_GAT4"));
        // Other keys pass unfiltered, and E_PORT takes a ".".
        QTest::keyClick(edit("E_GAT4"), Qt::Key_End);
        QTest::keyClicks(edit("E_GAT4"), QStringLiteral("a,"));
        EXPECT_EQ(edit("E_GAT4")->text(), QStringLiteral("1a,"));
        QTest::keyClick(edit("E_PORT"), '.');
        EXPECT_TRUE(edit("E_PORT")->text().endsWith(u'.'));
        dialog->close();
    });
}

TEST_F(ParGenDialog, AListIndexOutsideItsListIsWrittenBackUnlessAnEntryIsPicked)
{
    copyParGen("pargen-list-index-out-of-range.xml");
    int result = run([this] {
        EXPECT_EQ(list("CB_Baud_Modbus_Master")->currentIndex(), -1);
        EXPECT_EQ(list("CB_Par_Modbus_Master")->currentIndex(), -1);
        EXPECT_EQ(list("CB_Select_Device")->currentIndex(), -1);
        // Type 2 is laid out as the dip-switch device.
        EXPECT_FALSE(find("CB_StopBit_Modbus_Master")->isHidden());
        button("Btn_OK")->click();
    });
    EXPECT_EQ(result, QDialog::Accepted);
    EXPECT_TRUE(parGenBytes().contains("<Device_Type>2</Device_Type>"));
    EXPECT_TRUE(parGenBytes().contains("<Baud_Rate>9</Baud_Rate><Parity>-1</Parity>"));

    result = run([this] {
        list("CB_Baud_Modbus_Master")->setCurrentIndex(3);
        button("Btn_OK")->click();
    });
    EXPECT_EQ(result, QDialog::Accepted);
    EXPECT_TRUE(parGenBytes().contains("<Baud_Rate>3</Baud_Rate><Parity>-1</Parity>"));
}

TEST_F(ParGenDialog, AFileThatIsNotWellFormedKeepsTheDialogClosed)
{
    copyParGen("pargen-not-well-formed.xml");
    ShowCounter shows(dialog.get());
    EXPECT_EQ(dialog->exec(), QDialog::Rejected);
    EXPECT_EQ(shows.count, 0);
    ASSERT_EQ(prompts.messages().size(), 1);
    EXPECT_EQ(prompts.messages()[0].kind, QStringLiteral("error"));
    EXPECT_TRUE(prompts.texts()[0].contains(QDir::toNativeSeparators(state.ParGenPath)))
        << prompts.texts()[0].toStdString();
    EXPECT_TRUE(prompts.texts()[0].contains(QStringLiteral("line 4, column")))
        << prompts.texts()[0].toStdString();
    EXPECT_EQ(parGenBytes(), test::ReadDataFile("pargen-not-well-formed.xml"));
}

TEST_F(ParGenDialog, AFailedWriteIsReportedAndTheDialogStaysOpenWithThePreviousFile)
{
    copyParGen("pargen-defaults.xml");
    const int result = run([this] {
        // A character no XML file can hold, in the idle time device type 0 does not check.
        edit("E_CD_Modbus_Master")->setText(QStringLiteral("1\u0007"));
        edit("E_IP2")->setText(QStringLiteral("10"));
        button("Btn_OK")->click();
        ASSERT_EQ(prompts.messages().size(), 1);
        EXPECT_TRUE(prompts.texts()[0].contains(QStringLiteral("ParGen.xml")))
            << prompts.texts()[0].toStdString();
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_EQ(parGenBytes(), test::ReadDataFile("pargen-defaults.xml"));

        // The configuration's folder removed meanwhile.
        edit("E_CD_Modbus_Master")->setText(QStringLiteral("1"));
        QDir(dir.file(QStringLiteral("PROJECTS/Plant"))).removeRecursively();
        button("Btn_OK")->click();
        ASSERT_EQ(prompts.messages().size(), 2);
        EXPECT_TRUE(prompts.texts()[1].startsWith(QStringLiteral("Cannot write")))
            << prompts.texts()[1].toStdString();
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_EQ(edit("E_IP2")->text(), QStringLiteral("10"));
        dialog->close();
    });
    EXPECT_EQ(result, QDialog::Rejected);
}

struct Placed {
    const char* name;
    QRect geometry;
    bool shown;
};

void expectPlaced(TFParGen& dialog, std::initializer_list<Placed> controls, const char* when)
{
    for (const Placed& c : controls) {
        auto* widget = dialog.findChild<QWidget*>(QString::fromLatin1(c.name));
        ASSERT_NE(widget, nullptr) << c.name;
        if (!c.geometry.isNull()) {
            if (c.geometry.size().isEmpty())
                EXPECT_EQ(widget->pos(), c.geometry.topLeft()) << c.name << ", " << when;
            else
                EXPECT_EQ(widget->geometry(), c.geometry) << c.name << ", " << when;
        }
        EXPECT_EQ(!widget->isHidden(), c.shown) << c.name << ", " << when;
    }
}

// A position only: an empty size.
QRect at(int left, int top)
{
    return QRect(left, top, 0, 0);
}

TEST_F(ParGenDialog, LaysItselfOutForTheDeviceTypeAndTheCollapsedBoxes)
{
    writeParGen("<GeneralParameter><Device_Type>1</Device_Type></GeneralParameter>");
    prompts.answer({true});
    run([this] {
        EXPECT_EQ(dialog->size(), QSize(312, 715));
        expectPlaced(*dialog,
                     {{"GB_select_Device", QRect(8, 70, 296, 58), true},
                      {"GB_Ethernet", QRect(8, 134, 296, 259), true},
                      {"GB_Modbus_Master", QRect(8, 399, 296, 262), true},
                      {"Btn_OK", QRect(71, 674, 112, 28), true},
                      {"Btn_Cancel", QRect(192, 674, 112, 28), true},
                      {"CB_Eth_Protocol", QRect(160, 222, 120, 22), true},
                      {"L_ModMaster_Serial", at(16, 24), true},
                      {"CB_Serial_Modbus_Master", at(160, 21), true},
                      {"L_ModMaster_Par", at(16, 92), true},
                      {"CB_Par_Modbus_Master", at(160, 89), true},
                      {"L_ModMaster_StopBits", at(16, 126), true},
                      {"CB_StopBit_Modbus_Master", at(160, 123), true},
                      {"L_ModMaster_TO", at(16, 160), true},
                      {"E_TO_Modbus_Master", at(160, 157), true},
                      {"L_ModMaster_Idle", at(16, 194), true},
                      {"E_CD_Modbus_Master", at(160, 191), true},
                      {"L_ModMaster_Protocol", at(16, 228), true},
                      {"CB_Modbus_Master_Protocol", QRect(160, 225, 120, 22), true},
                      {"Btn_Modbus_Master_Collapse", QRect(280, 10, 11, 11), true},
                      {"Btn_Modbus_Master_Expande", QRect(280, 10, 11, 11), false}},
                     "type 1");

        // The user picks the older device: its rows go, the rest moves up.
        list("CB_Select_Device")->setCurrentIndex(0);
        EXPECT_TRUE(dialog->Is_Change());
        EXPECT_EQ(dialog->size(), QSize(312, 647));
        expectPlaced(*dialog,
                     {{"GB_Modbus_Master", QRect(8, 399, 296, 194), true},
                      {"Btn_OK", QRect(71, 606, 112, 28), true},
                      {"Btn_Cancel", QRect(192, 606, 112, 28), true},
                      {"L_ModMaster_StopBits", {}, false},
                      {"CB_StopBit_Modbus_Master", {}, false},
                      {"L_ModMaster_TO", at(16, 126), true},
                      {"E_TO_Modbus_Master", at(160, 123), true},
                      {"L_ModMaster_Idle", {}, false},
                      {"E_CD_Modbus_Master", {}, false},
                      {"L_ModMaster_Protocol", at(16, 160), true},
                      {"CB_Modbus_Master_Protocol", at(160, 157), true}},
                     "type 0");

        // Collapsing Ethernet from the keyboard: only its caption and the expand button stay.
        button("Btn_Ethernet_Collapse")->setFocus();
        QTest::keyClick(button("Btn_Ethernet_Collapse"), Qt::Key_Space);
        expectPlaced(*dialog,
                     {{"GB_Ethernet", QRect(8, 134, 296, 26), true},
                      {"GB_Modbus_Master", QRect(8, 166, 296, 194), true},
                      {"Btn_OK", QRect(71, 373, 112, 28), true},
                      {"Btn_Ethernet_Collapse", {}, false},
                      {"Btn_Ethernet_Expande", QRect(280, 10, 11, 11), true},
                      {"L_Eth_IP", {}, false},
                      {"E_IP1", {}, false},
                      {"E_PORT", {}, false}},
                     "ethernet collapsed");
        EXPECT_EQ(dialog->size(), QSize(312, 414));
        EXPECT_EQ(dialog->focusWidget(), button("Btn_Ethernet_Expande"));

        button("Btn_Select_Device_Collapse")->click();
        button("Btn_Modbus_Master_Collapse")->click();
        expectPlaced(*dialog,
                     {{"GB_select_Device", QRect(8, 70, 296, 26), true},
                      {"CB_Select_Device", {}, false},
                      {"GB_Ethernet", QRect(8, 102, 296, 26), true},
                      {"GB_Modbus_Master", QRect(8, 134, 296, 26), true},
                      {"L_ModMaster_Serial", {}, false},
                      {"CB_Serial_Modbus_Master", {}, false},
                      {"Btn_OK", QRect(71, 173, 112, 28), true}},
                     "all collapsed");
        EXPECT_EQ(dialog->size(), QSize(312, 214));
        button("Btn_Cancel")->click();
    });

    // The boxes stay as they were left, for the type read again.
    run([this] {
        EXPECT_EQ(dialog->size(), QSize(312, 214));
        EXPECT_EQ(dialog->focusWidget(), button("Btn_OK"));
        button("Btn_Select_Device_Expande")->click();
        button("Btn_Modbus_Master_Expande")->click();
        expectPlaced(*dialog,
                     {{"GB_select_Device", QRect(8, 70, 296, 58), true},
                      {"CB_Select_Device", {}, true},
                      {"GB_Ethernet", QRect(8, 134, 296, 26), true},
                      {"GB_Modbus_Master", QRect(8, 166, 296, 262), true},
                      {"CB_StopBit_Modbus_Master", at(160, 123), true},
                      {"L_ModMaster_Serial", {}, true},
                      {"Btn_Modbus_Master_Collapse", {}, true},
                      {"Btn_Modbus_Master_Expande", {}, false}},
                     "expanded again");
        EXPECT_FALSE(dialog->Is_Change());
        button("Btn_Cancel")->click();
    });
    EXPECT_EQ(prompts.messages().size(), 1);
}

TEST_F(ParGenDialog, SetLangTakesTheTextsAndRefillsTheDeviceList)
{
    writeParGen("<GeneralParameter><Device_Type>1</Device_Type></GeneralParameter>");
    for (int index = 90; index <= 111; ++index)
        state.Strings.set(index, QStringLiteral("T%1").arg(index));
    state.Strings.set(177, QStringLiteral("T177"));
    dialog->Set_Lang();

    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("T90"));
    const std::pair<const char*, int> labels[] = {{"L_SW_Desc", 91},
                                                  {"L_Eth_IP", 98},
                                                  {"L_Eth_SM", 99},
                                                  {"L_Eth_Port", 101},
                                                  {"L_Eth_Protocol", 102},
                                                  {"L_ModMaster_Serial", 104},
                                                  {"L_ModMaster_Baud", 105},
                                                  {"L_ModMaster_Par", 106},
                                                  {"L_ModMaster_TO", 107},
                                                  {"L_ModMaster_Idle", 108},
                                                  {"L_ModMaster_Protocol", 109},
                                                  {"L_ModMaster_StopBits", 177}};
    for (const auto& [name, index] : labels)
        EXPECT_EQ(find<QLabel>(name)->text(), QStringLiteral("T%1").arg(index)) << name;
    EXPECT_EQ(find<QLabel>("L_SW_Code")->text(), QStringLiteral("PK30418"));
    EXPECT_EQ(button("Btn_OK")->text(), QStringLiteral("T92"));
    EXPECT_EQ(button("Btn_Cancel")->text(), QStringLiteral("T93"));
    EXPECT_EQ(find<QGroupBox>("GB_select_Device")->title(), QStringLiteral("T94"));
    EXPECT_EQ(find<QGroupBox>("GB_Ethernet")->title(), QStringLiteral("T97"));
    EXPECT_EQ(find<QGroupBox>("GB_Modbus_Master")->title(), QStringLiteral("T103"));
    EXPECT_EQ(find<QCheckBox>("CB_Eth_EN_GAT")->text(), QStringLiteral("T100"));
    for (const char* name :
         {"Btn_Select_Device_Collapse", "Btn_Ethernet_Collapse", "Btn_Modbus_Master_Collapse"}) {
        EXPECT_EQ(button(name)->toolTip(), QStringLiteral("T110")) << name;
        EXPECT_EQ(button(name)->accessibleName(), QStringLiteral("T110")) << name;
    }
    for (const char* name :
         {"Btn_Select_Device_Expande", "Btn_Ethernet_Expande", "Btn_Modbus_Master_Expande"})
        EXPECT_EQ(button(name)->toolTip(), QStringLiteral("T111")) << name;
    QComboBox* device = list("CB_Select_Device");
    EXPECT_EQ(device->itemText(0), QStringLiteral("T95"));
    EXPECT_EQ(device->itemText(1), QStringLiteral("T96"));
    EXPECT_EQ(device->currentIndex(), -1);
    EXPECT_FALSE(dialog->Is_Change());

    run([this] {
        EXPECT_EQ(list("CB_Select_Device")->currentIndex(), 1);
        dialog->close();
    });
}

TEST_F(ParGenDialog, EveryControlIsNamedAndTheKeyboardWalksThemInOrder)
{
    writeParGen("<GeneralParameter><Device_Type>1</Device_Type></GeneralParameter>");
    run([this] {
        for (QWidget* widget : dialog->findChildren<QWidget*>()) {
            if (widget->isHidden() || widget->objectName().startsWith(u"qt_"))
                continue;
            // What a screen reader says: the accessible name, else the visible text.
            QString name = widget->accessibleName();
            if (const auto* label = qobject_cast<QLabel*>(widget))
                name += label->text();
            else if (const auto* box = qobject_cast<QGroupBox*>(widget))
                name += box->title();
            else if (const auto* check = qobject_cast<QCheckBox*>(widget))
                name += check->text();
            const bool readOrUsed = (widget->focusPolicy() & Qt::TabFocus) || qobject_cast<QLabel*>(widget) ||
                                    qobject_cast<QGroupBox*>(widget);
            EXPECT_TRUE(!readOrUsed || !Trim(name).isEmpty()) << widget->objectName().toStdString();
        }

        QStringList walked;
        QWidget* start = button("Btn_Select_Device_Collapse");
        QWidget* w = start;
        do {
            if (w->isVisibleTo(dialog.get()) && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus))
                walked.append(w->objectName());
            w = w->nextInFocusChain();
        } while (w != start);
        EXPECT_EQ(walked, (QStringList{QStringLiteral("Btn_Select_Device_Collapse"),
                                       QStringLiteral("CB_Select_Device"),
                                       QStringLiteral("Btn_Ethernet_Collapse"),
                                       QStringLiteral("E_IP1"),
                                       QStringLiteral("E_IP2"),
                                       QStringLiteral("E_IP3"),
                                       QStringLiteral("E_IP4"),
                                       QStringLiteral("E_SM1"),
                                       QStringLiteral("E_SM2"),
                                       QStringLiteral("E_SM3"),
                                       QStringLiteral("E_SM4"),
                                       QStringLiteral("CB_Eth_EN_GAT"),
                                       QStringLiteral("E_GAT1"),
                                       QStringLiteral("E_GAT2"),
                                       QStringLiteral("E_GAT3"),
                                       QStringLiteral("E_GAT4"),
                                       QStringLiteral("E_PORT"),
                                       QStringLiteral("CB_Eth_Protocol"),
                                       QStringLiteral("Btn_Modbus_Master_Collapse"),
                                       QStringLiteral("CB_Serial_Modbus_Master"),
                                       QStringLiteral("CB_Baud_Modbus_Master"),
                                       QStringLiteral("CB_Par_Modbus_Master"),
                                       QStringLiteral("CB_StopBit_Modbus_Master"),
                                       QStringLiteral("E_TO_Modbus_Master"),
                                       QStringLiteral("E_CD_Modbus_Master"),
                                       QStringLiteral("CB_Modbus_Master_Protocol"),
                                       QStringLiteral("Btn_OK"),
                                       QStringLiteral("Btn_Cancel")}));
        EXPECT_EQ(edit("E_GAT2")->accessibleName(), QStringLiteral("GATEWAY 2"));
        EXPECT_EQ(list("CB_Modbus_Master_Protocol")->accessibleName(),
                  QStringLiteral("Modbus Master Protocol"));
        dialog->close();
    });
}

TEST_F(ParGenDialog, ActivationBringsATopAboveTheScreenBackOnIt)
{
    run([this] {
        dialog->move(40, -120);
        dialog->FormActivate();
        EXPECT_EQ(dialog->frameGeometry().top(), dialog->screen()->availableGeometry().top());
        EXPECT_EQ(dialog->x(), 40);
        dialog->move(40, 30);
        dialog->FormActivate();
        EXPECT_EQ(dialog->y(), 30);
        dialog->close();
    });
}

} // namespace
} // namespace veldrin
