// Configuration files for the compiler's tests, built the way the two dialogs write them.
#pragma once

#include "common/XmlDoc.h"
#include "support/TempProgramDir.h"

#include <QByteArray>
#include <QString>

#include <algorithm>
#include <optional>
#include <utility>
#include <vector>

namespace veldrin::test {

// Bytes from hexadecimal pairs separated by blanks: "04 00 00 00".
inline QByteArray Hex(const char* pairs)
{
    return QByteArray::fromHex(QByteArray(pairs).replace(' ', ""));
}

// Element or attribute names with new texts; nothing removes the element or attribute.
using Changes = std::vector<std::pair<QString, std::optional<QString>>>;
using Attributes = std::vector<std::pair<QString, QString>>;

inline void ApplyChanges(Attributes& fields, const Changes& changes)
{
    for (const auto& [name, text] : changes) {
        auto it = std::find_if(fields.begin(), fields.end(), [&](const auto& f) { return f.first == name; });
        if (!text) {
            if (it != fields.end())
                fields.erase(it);
        } else if (it != fields.end()) {
            it->second = *text;
        } else {
            fields.emplace_back(name, *text);
        }
    }
}

// ParGen.xml as the Set Communication dialog writes it with its defaults, changed.
inline QByteArray ParGenFile(const Changes& changes = {})
{
    Attributes elements = {
        {"Device_Type", "0"}, {"IP1", "192"},    {"IP2", "168"},       {"IP3", "0"},    {"IP4", "5"},
        {"SUB1", "255"},      {"SUB2", "255"},   {"SUB3", "255"},      {"SUB4", "0"},   {"GAT1", "192"},
        {"GAT2", "168"},      {"GAT3", "0"},     {"GAT4", "1"},        {"EN_GAT", "0"}, {"PORT", "10001"},
        {"PROT_TYPE", "0"},   {"Sel_Ser", "0"},  {"Baud_Rate", "7"},   {"Parity", "0"}, {"Time_Out", "1000"},
        {"Comm_Idle", "100"}, {"Ser_Prot", "0"}, {"Ser_StopBits", "0"}};
    ApplyChanges(elements, changes);
    XmlDoc doc;
    XmlNode root = doc.appendElement(QStringLiteral("GeneralParameter"));
    doc.appendComment(QStringLiteral("SW_VERSION = 2.003"));
    for (const auto& [name, text] : elements)
        root.appendTextElement(name, text);
    return doc.toBytes();
}

// A read row as setaccess-two-rows-good.xml has it (ten holding registers of slave 1), changed.
inline Attributes ReadRow(const Changes& changes = {})
{
    Attributes row = {{"Slave_ID", "1"},    {"Type", "Holding Register"},
                      {"Address", "100"},   {"NPoint", "10"},
                      {"PollTime", "1000"}, {"MaxError", "3"},
                      {"Position", "0"},    {"Bit", ""},
                      {"Mnemonic", ""}};
    ApplyChanges(row, changes);
    return row;
}

// A write row as setaccess-two-rows-good.xml has it (one coil of slave 2, on change), changed.
inline Attributes WriteRow(const Changes& changes = {})
{
    Attributes row = {{"Slave_ID", "2"},   {"Type", "Coil Status"}, {"Address", "5"},  {"NPoint", "1"},
                      {"PollTime", "500"}, {"OnChange", "Y"},       {"MaxError", "0"}, {"Position", "20"},
                      {"Bit", "3"},        {"Mnemonic", ""}};
    ApplyChanges(row, changes);
    return row;
}

// ModbusM_SetAccess.xml as the Set Modbus Access dialog writes it.
inline QByteArray SetAccessFile(const std::vector<Attributes>& reads, const std::vector<Attributes>& writes)
{
    XmlDoc doc;
    XmlNode root = doc.appendElement(QStringLiteral("EtherNetIP_to_Modbus"));
    for (const auto& [section, rows] :
         {std::pair{"Modbus_Read", &reads}, std::pair{"Modbus_Write", &writes}}) {
        XmlNode node = root.appendElement(QLatin1String(section));
        for (const Attributes& attributes : *rows) {
            XmlNode row = node.appendElement(QStringLiteral("row"));
            for (const auto& [name, value] : attributes)
                row.setAttribute(name, value);
        }
    }
    return doc.toBytes();
}

// A configuration folder with its two files and its bin folder.
class ConfigDir : public TempProgramDir {
public:
    QString parGen() const { return file(QStringLiteral("ParGen.xml")); }
    QString setAccess() const { return file(QStringLiteral("ModbusM_SetAccess.xml")); }
    QString bin() const { return file(QStringLiteral("bin")); }

    void writeParGen(const QByteArray& bytes) const { write(QStringLiteral("ParGen.xml"), bytes); }
    void writeSetAccess(const QByteArray& bytes) const
    {
        write(QStringLiteral("ModbusM_SetAccess.xml"), bytes);
    }
};

} // namespace veldrin::test
