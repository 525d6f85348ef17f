#include "update/SerialPorts.h"

#include "lang/StringTable.h"

#include <QRegularExpression>

#include <algorithm>

namespace veldrin {

namespace {

constexpr int NoAccessHintText = 213;   // "No access: join the dialout group"
constexpr int NoAccessAdviceText = 214; // "You may not open this port: ..."

// Compares names with runs of digits taken as numbers and letters without regard to case.
bool naturallyBefore(const QString& a, const QString& b)
{
    qsizetype i = 0;
    qsizetype j = 0;
    while (i < a.size() && j < b.size()) {
        if (a[i].isDigit() && b[j].isDigit()) {
            qsizetype endA = i;
            qsizetype endB = j;
            while (endA < a.size() && a[endA].isDigit())
                ++endA;
            while (endB < b.size() && b[endB].isDigit())
                ++endB;
            const QString numberA = a.mid(i, endA - i).remove(QRegularExpression(QStringLiteral("^0+(?=.)")));
            const QString numberB = b.mid(j, endB - j).remove(QRegularExpression(QStringLiteral("^0+(?=.)")));
            if (numberA.size() != numberB.size())
                return numberA.size() < numberB.size();
            if (numberA != numberB)
                return numberA < numberB;
            i = endA;
            j = endB;
            continue;
        }
        const QChar ca = a[i].toLower();
        const QChar cb = b[j].toLower();
        if (ca != cb)
            return ca < cb;
        ++i;
        ++j;
    }
    return a.size() - i < b.size() - j;
}

} // namespace

void SortPortsNaturally(QList<SerialPort>& ports)
{
    std::stable_sort(ports.begin(), ports.end(), [](const SerialPort& a, const SerialPort& b) {
        return naturallyBefore(a.name, b.name);
    });
}

PortAccessAdvice AccessAdviceFor(const SerialPort& port, const StringTable& strings)
{
    if (port.usable)
        return {};
    // The lister finds a port unusable where its device file may not be written, which on
    // these systems means the user is not in the group that owns the serial ports.
    return {strings[NoAccessHintText], strings[NoAccessAdviceText]};
}

} // namespace veldrin
