// The communication parameters of one configuration, as ParGen.xml holds them.
#pragma once

#include "configuration/ParGenElements.h"

#include <QString>

namespace veldrin {

// Text fields keep what the user typed, untouched; list fields are zero-based indexes into
// the fixed lists (or whatever index the file held, even outside its list). A new record
// holds the dialog's values of ParGenElements.h.
struct GeneralParameter {
    int Device_Type = pargen::Row(pargen::Element::Device_Type).dialog;
    QString IP1 = pargen::DialogText(pargen::Element::IP1);
    QString IP2 = pargen::DialogText(pargen::Element::IP2);
    QString IP3 = pargen::DialogText(pargen::Element::IP3);
    QString IP4 = pargen::DialogText(pargen::Element::IP4);
    QString SUB1 = pargen::DialogText(pargen::Element::SUB1);
    QString SUB2 = pargen::DialogText(pargen::Element::SUB2);
    QString SUB3 = pargen::DialogText(pargen::Element::SUB3);
    QString SUB4 = pargen::DialogText(pargen::Element::SUB4);
    QString GAT1 = pargen::DialogText(pargen::Element::GAT1);
    QString GAT2 = pargen::DialogText(pargen::Element::GAT2);
    QString GAT3 = pargen::DialogText(pargen::Element::GAT3);
    QString GAT4 = pargen::DialogText(pargen::Element::GAT4);
    bool EN_GAT = pargen::Row(pargen::Element::EN_GAT).dialog != 0;
    QString PORT = pargen::DialogText(pargen::Element::PORT);
    int PROT_TYPE = pargen::Row(pargen::Element::PROT_TYPE).dialog;
    int Sel_Ser = pargen::Row(pargen::Element::Sel_Ser).dialog;
    int Baud_Rate = pargen::Row(pargen::Element::Baud_Rate).dialog;
    int Parity = pargen::Row(pargen::Element::Parity).dialog;
    QString Time_Out = pargen::DialogText(pargen::Element::Time_Out);
    QString Comm_Idle = pargen::DialogText(pargen::Element::Comm_Idle);
    int Ser_Prot = pargen::Row(pargen::Element::Ser_Prot).dialog;
    int Ser_StopBits = pargen::Row(pargen::Element::Ser_StopBits).dialog;

    bool operator==(const GeneralParameter&) const = default;
};

} // namespace veldrin
