#include "comm/CommunicationChecks.h"

#include "CommTestSupport.h"
#include "lang/StringTable.h"

#include <gtest/gtest.h>

#include <functional>

namespace veldrin {
namespace {

struct CheckCase {
    const char* what;
    std::function<void(GeneralParameter&)> edit; // applied to the defaults
    int message;                                 // -1: every check passes
};

class CommunicationChecks : public ::testing::TestWithParam<CheckCase> {
protected:
    static StringTable english()
    {
        StringTable table;
        table.LoadDefaultStrings();
        return table;
    }
};

TEST_P(CommunicationChecks, ReportTheFirstFailureInTheirOrder)
{
    const StringTable strings = english();
    GeneralParameter record;
    GetParam().edit(record);
    const std::optional<QString> refused = Controllo_Dati(record, strings);
    const std::optional<QString> expected =
        GetParam().message < 0 ? std::nullopt : std::optional<QString>(strings[GetParam().message]);
    EXPECT_EQ(refused, expected) << GetParam().what;
}

// Sets a text field of the record.
std::function<void(GeneralParameter&)> set(QString GeneralParameter::*field, const char* text)
{
    return [field, text](GeneralParameter& r) {
        r.*field = QString::fromUtf8(text);
    };
}

using G = GeneralParameter;

INSTANTIATE_TEST_SUITE_P(
    Cases, CommunicationChecks,
    ::testing::Values(
        CheckCase{"defaults", [](G&) {}, -1},
        // Each number field at its bounds, with its message.
        CheckCase{"IP1 empty", set(&G::IP1, ""), 112}, CheckCase{"IP1 255", set(&G::IP1, "255"), -1},
        CheckCase{"IP1 256", set(&G::IP1, "256"), 112}, CheckCase{"IP1 -1", set(&G::IP1, "-1"), 112},
        CheckCase{"IP1 0", set(&G::IP1, "0"), -1}, CheckCase{"IP1 leading blank", set(&G::IP1, " 192"), -1},
        CheckCase{"IP1 trailing blank", set(&G::IP1, "192 "), 112},
        CheckCase{"IP1 hexadecimal", set(&G::IP1, "$FF"), -1},
        CheckCase{"IP1 hexadecimal 256", set(&G::IP1, "0x100"), 112},
        CheckCase{"IP1 beyond 32 bits", set(&G::IP1, "4294967296"), 112},
        CheckCase{"IP2", set(&G::IP2, "a"), 113}, CheckCase{"IP3", set(&G::IP3, "256"), 114},
        CheckCase{"IP4", set(&G::IP4, "1.5"), 115}, CheckCase{"SUB1", set(&G::SUB1, "256"), 116},
        CheckCase{"SUB2", set(&G::SUB2, ""), 117}, CheckCase{"SUB3", set(&G::SUB3, "x"), 118},
        CheckCase{"SUB4", set(&G::SUB4, "999"), 119},
        // The gateway is checked only while it is used.
        CheckCase{"gateway off, letters", set(&G::GAT3, "abc"), -1},
        CheckCase{"gateway on, GAT1", [](G& r) { r.EN_GAT = true; r.GAT1 = QStringLiteral("256"); }, 120},
        CheckCase{"gateway on, GAT2", [](G& r) { r.EN_GAT = true; r.GAT2 = QString(); }, 121},
        CheckCase{"gateway on, GAT3", [](G& r) { r.EN_GAT = true; r.GAT3 = QStringLiteral("abc"); }, 122},
        CheckCase{"gateway on, GAT4", [](G& r) { r.EN_GAT = true; r.GAT4 = QStringLiteral("-0x1"); }, 123},
        CheckCase{"gateway on, all good", [](G& r) { r.EN_GAT = true; }, -1},
        CheckCase{"PORT 65535", set(&G::PORT, "65535"), -1}, CheckCase{"PORT 65536", set(&G::PORT, "65536"), 124},
        CheckCase{"PORT 0", set(&G::PORT, "0"), -1},
        // Two stop bits need parity NONE, on the dip-switch device only.
        CheckCase{"type 1, two stop bits, ODD",
                  [](G& r) { r.Device_Type = 1; r.Ser_StopBits = 1; r.Parity = 1; }, 178},
        CheckCase{"type 1, two stop bits, EVEN",
                  [](G& r) { r.Device_Type = 1; r.Ser_StopBits = 1; r.Parity = 2; }, 178},
        CheckCase{"type 1, two stop bits, NONE", [](G& r) { r.Device_Type = 1; r.Ser_StopBits = 1; }, -1},
        CheckCase{"type 1, one stop bit, ODD", [](G& r) { r.Device_Type = 1; r.Parity = 1; }, -1},
        CheckCase{"type 0, two stop bits, ODD", [](G& r) { r.Ser_StopBits = 1; r.Parity = 1; }, -1},
        CheckCase{"type 2, two stop bits, ODD",
                  [](G& r) { r.Device_Type = 2; r.Ser_StopBits = 1; r.Parity = 1; }, -1},
        CheckCase{"time-out 100000000", set(&G::Time_Out, "100000000"), -1},
        CheckCase{"time-out 100000001", set(&G::Time_Out, "100000001"), 125},
        CheckCase{"time-out empty", set(&G::Time_Out, ""), 125},
        // The idle time counts for the dip-switch device only.
        CheckCase{"type 0, idle letters", set(&G::Comm_Idle, "abc"), -1},
        CheckCase{"type 1, idle letters", [](G& r) { r.Device_Type = 1; r.Comm_Idle = QStringLiteral("abc"); }, 126},
        CheckCase{"type 1, idle 100000000",
                  [](G& r) { r.Device_Type = 1; r.Comm_Idle = QStringLiteral("100000000"); }, -1},
        CheckCase{"type 1, idle 100000001",
                  [](G& r) { r.Device_Type = 1; r.Comm_Idle = QStringLiteral("100000001"); }, 126},
        // Several faults: only the first in the table's order.
        CheckCase{"IP4 and SUB1", [](G& r) { r.IP4 = QString(); r.SUB1 = QString(); }, 115},
        CheckCase{"everything wrong",
                  [](G& r) {
                      r.Device_Type = 1; r.EN_GAT = true; r.Ser_StopBits = 1; r.Parity = 1;
                      r.SUB2 = r.GAT1 = r.PORT = r.Time_Out = r.Comm_Idle = QStringLiteral("x");
                  },
                  117},
        CheckCase{"gateway, port and stop bits",
                  [](G& r) {
                      r.Device_Type = 1; r.EN_GAT = true; r.Ser_StopBits = 1; r.Parity = 1;
                      r.GAT4 = r.PORT = QStringLiteral("x");
                  },
                  123},
        CheckCase{"stop bits before time-out",
                  [](G& r) {
                      r.Device_Type = 1; r.Ser_StopBits = 1; r.Parity = 1;
                      r.Time_Out = r.Comm_Idle = QStringLiteral("x");
                  },
                  178},
        CheckCase{"time-out before idle time",
                  [](G& r) { r.Device_Type = 1; r.Time_Out = r.Comm_Idle = QStringLiteral("x"); }, 125}));

TEST(CommunicationChecksTexts, ComeFromTheStringTable)
{
    StringTable strings;
    strings.LoadDefaultStrings();
    strings.set(124, QStringLiteral("Porta non valida"));
    GeneralParameter record;
    record.PORT = QStringLiteral("70000");
    EXPECT_EQ(Controllo_Dati(record, strings), QStringLiteral("Porta non valida"));
}

} // namespace
} // namespace veldrin
