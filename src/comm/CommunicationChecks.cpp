#include "comm/CommunicationChecks.h"

#include "common/IntOrDefault.h"
#include "lang/StringTable.h"

namespace veldrin {
namespace {

using TextField = QString GeneralParameter::*;

struct RangeCheck {
    TextField field;
    int max;
    int message;
};

constexpr int OctetMax = 255;
constexpr int PortMax = 65535;
constexpr int MillisecondsMax = 100000000;

// The device type that offers stop bits and the idle time.
constexpr int DipSwitchDevice = 1;

const RangeCheck Address[] = {
    {&GeneralParameter::IP1, OctetMax, 112},  {&GeneralParameter::IP2, OctetMax, 113},
    {&GeneralParameter::IP3, OctetMax, 114},  {&GeneralParameter::IP4, OctetMax, 115},
    {&GeneralParameter::SUB1, OctetMax, 116}, {&GeneralParameter::SUB2, OctetMax, 117},
    {&GeneralParameter::SUB3, OctetMax, 118}, {&GeneralParameter::SUB4, OctetMax, 119},
};
const RangeCheck Gateway[] = {
    {&GeneralParameter::GAT1, OctetMax, 120},
    {&GeneralParameter::GAT2, OctetMax, 121},
    {&GeneralParameter::GAT3, OctetMax, 122},
    {&GeneralParameter::GAT4, OctetMax, 123},
};
const RangeCheck Port{&GeneralParameter::PORT, PortMax, 124};
const RangeCheck TimeOut{&GeneralParameter::Time_Out, MillisecondsMax, 125};
const RangeCheck IdleTime{&GeneralParameter::Comm_Idle, MillisecondsMax, 126};
constexpr int StopBitsWithParity = 178;

bool passes(const GeneralParameter& record, const RangeCheck& check)
{
    const int value = IntOrDefault(record.*check.field, -1);
    return value >= 0 && value <= check.max;
}

} // namespace

std::optional<QString> Controllo_Dati(const GeneralParameter& record, const StringTable& strings)
{
    for (const RangeCheck& check : Address) {
        if (!passes(record, check))
            return strings[check.message];
    }
    if (record.EN_GAT) {
        for (const RangeCheck& check : Gateway) {
            if (!passes(record, check))
                return strings[check.message];
        }
    }
    if (!passes(record, Port))
        return strings[Port.message];
    if (record.Device_Type == DipSwitchDevice && record.Ser_StopBits > 0 && record.Parity > 0)
        return strings[StopBitsWithParity];
    if (!passes(record, TimeOut))
        return strings[TimeOut.message];
    if (record.Device_Type == DipSwitchDevice && !passes(record, IdleTime))
        return strings[IdleTime.message];
    return std::nullopt;
}

} // namespace veldrin
