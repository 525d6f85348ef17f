// The elements of ParGen.xml, in the order the file holds them, and what each of its three
// readers takes for an element that is missing or holds no integer. The readers differ on
// purpose: the Communication dialog shows what a new configuration starts with, bank.bin
// keeps the device's own first settings, the parameter block of bank2.bin its own.
#pragma once

#include <QString>

#include <array>
#include <climits>
#include <optional>

namespace veldrin::pargen {

enum class Element {
    Device_Type,
    IP1,
    IP2,
    IP3,
    IP4,
    SUB1,
    SUB2,
    SUB3,
    SUB4,
    GAT1,
    GAT2,
    GAT3,
    GAT4,
    EN_GAT,
    PORT,
    PROT_TYPE,
    Sel_Ser,
    Baud_Rate,
    Parity,
    Time_Out,
    Comm_Idle,
    Ser_Prot,
    Ser_StopBits,
};

// A reader that does not read the element.
inline constexpr int NotRead = INT_MIN;

struct ElementRow {
    Element element;
    const char* name;
    // The Communication dialog's value, for a missing element and (list indexes) for a text
    // that is no integer; a text field keeps what the file holds.
    int dialog;
    // bank.bin's value, missing or no integer alike.
    int generalImage;
    // The parameter block's value for a text that is no integer, and for a missing element.
    int parameterBlock;
    int parameterBlockMissing;
};

//                      element               name            dialog  bank.bin  block   block, missing
inline constexpr std::array<ElementRow, 23> Elements = {{
    {Element::Device_Type, "Device_Type", 0, NotRead, NotRead, NotRead},
    {Element::IP1, "IP1", 192, 192, 192, 192},
    {Element::IP2, "IP2", 168, 168, 168, 168},
    {Element::IP3, "IP3", 0, 0, 0, 0},
    {Element::IP4, "IP4", 5, 10, 5, 5},
    {Element::SUB1, "SUB1", 255, 255, 255, 255},
    {Element::SUB2, "SUB2", 255, 255, 255, 255},
    {Element::SUB3, "SUB3", 255, 255, 255, 255},
    {Element::SUB4, "SUB4", 0, 255, 255, 0},
    {Element::GAT1, "GAT1", 192, 192, 192, 192},
    {Element::GAT2, "GAT2", 168, 168, 168, 168},
    {Element::GAT3, "GAT3", 0, 0, 0, 0},
    {Element::GAT4, "GAT4", 1, 1, 1, 1},
    // A flag: on only for the text "1".
    {Element::EN_GAT, "EN_GAT", 0, 0, 0, 0},
    {Element::PORT, "PORT", 10001, 10001, 10001, 10001},
    {Element::PROT_TYPE, "PROT_TYPE", 0, 0, 0, 0},
    {Element::Sel_Ser, "Sel_Ser", 0, 0, 0, 0},
    // A list index in the file and bank.bin; the block holds the rate.
    {Element::Baud_Rate, "Baud_Rate", 7, 3, 7, 7},
    {Element::Parity, "Parity", 0, 0, 0, 0},
    {Element::Time_Out, "Time_Out", 1000, 1000, 1000, 1000},
    {Element::Comm_Idle, "Comm_Idle", 100, NotRead, 100, 100},
    {Element::Ser_Prot, "Ser_Prot", 0, 0, 0, 0},
    {Element::Ser_StopBits, "Ser_StopBits", 0, NotRead, 0, 0},
}};

static_assert(
    [] {
        for (std::size_t i = 0; i < Elements.size(); ++i) {
            if (static_cast<std::size_t>(Elements[i].element) != i)
                return false;
        }
        return true;
    }(),
    "the rows follow the enumeration");

constexpr const ElementRow& Row(Element element)
{
    return Elements[static_cast<std::size_t>(element)];
}

inline QString Name(Element element)
{
    return QLatin1String(Row(element).name);
}

// The dialog's value as the text a text field starts with.
inline QString DialogText(Element element)
{
    return QString::number(Row(element).dialog);
}

inline constexpr std::array<Element, 4> IpAddress = {Element::IP1, Element::IP2, Element::IP3, Element::IP4};
inline constexpr std::array<Element, 4> SubnetMask = {Element::SUB1, Element::SUB2, Element::SUB3,
                                                      Element::SUB4};
inline constexpr std::array<Element, 4> Gateway = {Element::GAT1, Element::GAT2, Element::GAT3,
                                                   Element::GAT4};

} // namespace veldrin::pargen
