#include "comm/GeneralParameterFile.h"

#include "common/AtomicFile.h"
#include "common/IntOrDefault.h"
#include "common/VeldrinError.h"
#include "common/XmlDoc.h"
#include "session/Identity.h"

#include <QDir>
#include <QFileInfo>

#include <variant>

namespace veldrin {
namespace {

using TextField = QString GeneralParameter::*;
using IndexField = int GeneralParameter::*;
using FlagField = bool GeneralParameter::*;

struct Element {
    const char* name;
    std::variant<TextField, IndexField, FlagField> field;
};

// The elements in the order the file holds them.
const Element Elements[] = {
    {"Device_Type", &GeneralParameter::Device_Type},
    {"IP1", &GeneralParameter::IP1},
    {"IP2", &GeneralParameter::IP2},
    {"IP3", &GeneralParameter::IP3},
    {"IP4", &GeneralParameter::IP4},
    {"SUB1", &GeneralParameter::SUB1},
    {"SUB2", &GeneralParameter::SUB2},
    {"SUB3", &GeneralParameter::SUB3},
    {"SUB4", &GeneralParameter::SUB4},
    {"GAT1", &GeneralParameter::GAT1},
    {"GAT2", &GeneralParameter::GAT2},
    {"GAT3", &GeneralParameter::GAT3},
    {"GAT4", &GeneralParameter::GAT4},
    {"EN_GAT", &GeneralParameter::EN_GAT},
    {"PORT", &GeneralParameter::PORT},
    {"PROT_TYPE", &GeneralParameter::PROT_TYPE},
    {"Sel_Ser", &GeneralParameter::Sel_Ser},
    {"Baud_Rate", &GeneralParameter::Baud_Rate},
    {"Parity", &GeneralParameter::Parity},
    {"Time_Out", &GeneralParameter::Time_Out},
    {"Comm_Idle", &GeneralParameter::Comm_Idle},
    {"Ser_Prot", &GeneralParameter::Ser_Prot},
    {"Ser_StopBits", &GeneralParameter::Ser_StopBits},
};

// A list index, with the rules of the two lists that differ from the others.
int readIndex(IndexField field, const QString& text)
{
    if (field == &GeneralParameter::Baud_Rate)
        return IntOrDefault(text, 7);
    const int value = IntOrDefault(text, 0);
    if (field == &GeneralParameter::Ser_Prot)
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
    for (const Element& element : Elements) {
        const XmlNode node = root.child(QString::fromLatin1(element.name));
        if (node.isNull())
            continue;
        const QString text = node.text();
        if (const auto* field = std::get_if<TextField>(&element.field))
            record.*(*field) = text;
        else if (const auto* index = std::get_if<IndexField>(&element.field))
            record.*(*index) = readIndex(*index, text);
        else
            record.*std::get<FlagField>(element.field) = text == u"1";
    }
    return record;
}

QByteArray GeneralParameterBytes(const GeneralParameter& record, const QString& fileName)
{
    XmlDoc doc;
    XmlNode root = doc.appendElement(QStringLiteral("GeneralParameter"));
    doc.appendComment(QStringLiteral("SW_VERSION = ") + QString::fromLatin1(identity::SoftwareVersion));
    for (const Element& element : Elements) {
        QString text;
        if (const auto* field = std::get_if<TextField>(&element.field))
            text = record.*(*field);
        else if (const auto* index = std::get_if<IndexField>(&element.field))
            text = QString::number(record.*(*index));
        else
            text = record.*std::get<FlagField>(element.field) ? QStringLiteral("1") : QStringLiteral("0");
        root.appendTextElement(QString::fromLatin1(element.name), text);
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
