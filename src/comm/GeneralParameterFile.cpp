#include "comm/GeneralParameterFile.h"

#include "common/AtomicFile.h"
#include "common/IntOrDefault.h"
#include "common/VeldrinError.h"
#include "common/XmlDoc.h"
#include "configuration/ParGenElements.h"
#include "session/Identity.h"

#include <QDir>
#include <QFileInfo>

#include <variant>

namespace veldrin {
namespace {

using pargen::Element;
using TextField = QString GeneralParameter::*;
using IndexField = int GeneralParameter::*;
using FlagField = bool GeneralParameter::*;

// Where each element of the file goes, in the order the file holds them.
struct Member {
    Element element;
    std::variant<TextField, IndexField, FlagField> field;
};

constexpr Member Members[] = {
    {Element::Device_Type, &GeneralParameter::Device_Type},
    {Element::IP1, &GeneralParameter::IP1},
    {Element::IP2, &GeneralParameter::IP2},
    {Element::IP3, &GeneralParameter::IP3},
    {Element::IP4, &GeneralParameter::IP4},
    {Element::SUB1, &GeneralParameter::SUB1},
    {Element::SUB2, &GeneralParameter::SUB2},
    {Element::SUB3, &GeneralParameter::SUB3},
    {Element::SUB4, &GeneralParameter::SUB4},
    {Element::GAT1, &GeneralParameter::GAT1},
    {Element::GAT2, &GeneralParameter::GAT2},
    {Element::GAT3, &GeneralParameter::GAT3},
    {Element::GAT4, &GeneralParameter::GAT4},
    {Element::EN_GAT, &GeneralParameter::EN_GAT},
    {Element::PORT, &GeneralParameter::PORT},
    {Element::PROT_TYPE, &GeneralParameter::PROT_TYPE},
    {Element::Sel_Ser, &GeneralParameter::Sel_Ser},
    {Element::Baud_Rate, &GeneralParameter::Baud_Rate},
    {Element::Parity, &GeneralParameter::Parity},
    {Element::Time_Out, &GeneralParameter::Time_Out},
    {Element::Comm_Idle, &GeneralParameter::Comm_Idle},
    {Element::Ser_Prot, &GeneralParameter::Ser_Prot},
    {Element::Ser_StopBits, &GeneralParameter::Ser_StopBits},
};
static_assert(
    [] {
        for (std::size_t i = 0; i < std::size(Members); ++i) {
            if (Members[i].element != pargen::Elements[i].element)
                return false;
        }
        return std::size(Members) == pargen::Elements.size();
    }(),
    "every element once, in the file's order");

// A list index; Ser_Prot keeps the rule that 1 and 4 both mean Modbus ASCII.
int readIndex(Element element, const QString& text)
{
    const int value = IntOrDefault(text, pargen::Row(element).dialog);
    if (element == Element::Ser_Prot)
        return value == 1 || value == 4 ? 1 : 0;
    return value;
}

} // namespace

GeneralParameter ReadGeneralParameter(const QString& path)
{
    GeneralParameter record;
    if (!QFileInfo::exists(path))
        return record;
    const XmlDoc doc = XmlDoc::Load(path);
    const XmlNode root = doc.root();
    for (const Member& member : Members) {
        const XmlNode node = root.child(pargen::Name(member.element));
        if (node.isNull())
            continue;
        const QString text = node.text();
        if (const auto* field = std::get_if<TextField>(&member.field))
            record.*(*field) = text;
        else if (const auto* index = std::get_if<IndexField>(&member.field))
            record.*(*index) = readIndex(member.element, text);
        else
            record.*std::get<FlagField>(member.field) = text == u"1";
    }
    return record;
}

QByteArray GeneralParameterBytes(const GeneralParameter& record, const QString& fileName)
{
    XmlDoc doc;
    XmlNode root = doc.appendElement(QStringLiteral("GeneralParameter"));
    doc.appendComment(QStringLiteral("SW_VERSION = ") + QString::fromLatin1(identity::SoftwareVersion));
    for (const Member& member : Members) {
        QString text;
        if (const auto* field = std::get_if<TextField>(&member.field))
            text = record.*(*field);
        else if (const auto* index = std::get_if<IndexField>(&member.field))
            text = QString::number(record.*(*index));
        else
            text = record.*std::get<FlagField>(member.field) ? QStringLiteral("1") : QStringLiteral("0");
        root.appendTextElement(pargen::Name(member.element), text);
    }
    try {
        return doc.toBytes();
    } catch (const VeldrinError& error) {
        if (fileName.isEmpty())
            throw;
        throw VeldrinError(
            QStringLiteral("Cannot write %1: %2").arg(QDir::toNativeSeparators(fileName), error.message()));
    }
}

void WriteGeneralParameter(const QString& path, const GeneralParameter& record)
{
    WriteFileAtomically(path, GeneralParameterBytes(record, path));
}

} // namespace veldrin
