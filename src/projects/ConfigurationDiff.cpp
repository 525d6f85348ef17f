#include "projects/ConfigurationDiff.h"

#include "access/RequestTablesFile.h"
#include "comm/GeneralParameterFile.h"
#include "common/ReadWholeFile.h"
#include "common/VeldrinError.h"
#include "configuration/ParGenElements.h"
#include "configuration/ParGenLists.h"
#include "configuration/WorkspaceLayout.h"
#include "image/ImageReport.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>

#include <map>

namespace veldrin {
namespace {

// Images are small; anything larger is not one.
constexpr qint64 ImageLimit = qint64{1024} * 1024;

std::optional<QByteArray> readImage(const QString& folder, const char* name)
{
    for (const QString& path : {layout::In(folder, name), layout::In(layout::ImageDir(folder), name)}) {
        FileContents contents = ReadWholeFile(path, ImageLimit);
        if (contents.status == FileContents::Status::Missing)
            continue;
        if (!contents.read())
            throw VeldrinError(
                QStringLiteral("Cannot read %1: %2")
                    .arg(QDir::toNativeSeparators(path),
                         contents.reason.isEmpty() ? QStringLiteral("it is not an image") : contents.reason));
        return std::move(contents.bytes);
    }
    return std::nullopt;
}

template <std::size_t N, typename List> QString entry(int index, const List& list)
{
    if (index < 0 || index >= static_cast<int>(N))
        return QString::number(index);
    if constexpr (std::is_same_v<typename List::value_type, const char*>)
        return QString::fromLatin1(list[static_cast<std::size_t>(index)]);
    else
        return QString::number(list[static_cast<std::size_t>(index)]);
}

// The parameters by their names in ParGen.xml, lists as the dialog names their entries.
std::vector<std::pair<QString, QString>> parameterFields(const GeneralParameter& p)
{
    using pargen::Element;
    using pargen::Name;
    return {{Name(Element::Device_Type), QString::number(p.Device_Type)},
            {Name(Element::IP1), p.IP1},
            {Name(Element::IP2), p.IP2},
            {Name(Element::IP3), p.IP3},
            {Name(Element::IP4), p.IP4},
            {Name(Element::SUB1), p.SUB1},
            {Name(Element::SUB2), p.SUB2},
            {Name(Element::SUB3), p.SUB3},
            {Name(Element::SUB4), p.SUB4},
            {Name(Element::GAT1), p.GAT1},
            {Name(Element::GAT2), p.GAT2},
            {Name(Element::GAT3), p.GAT3},
            {Name(Element::GAT4), p.GAT4},
            {Name(Element::EN_GAT), p.EN_GAT ? QStringLiteral("yes") : QStringLiteral("no")},
            {Name(Element::PORT), p.PORT},
            {Name(Element::PROT_TYPE), entry<2>(p.PROT_TYPE, pargen::EthernetProtocols)},
            {Name(Element::Sel_Ser), entry<2>(p.Sel_Ser, pargen::SerialLines)},
            {Name(Element::Baud_Rate), entry<8>(p.Baud_Rate, pargen::BaudRates)},
            {Name(Element::Parity), entry<3>(p.Parity, pargen::Parities)},
            {Name(Element::Time_Out), p.Time_Out},
            {Name(Element::Comm_Idle), p.Comm_Idle},
            {Name(Element::Ser_Prot), entry<2>(p.Ser_Prot, pargen::SerialProtocols)},
            {Name(Element::Ser_StopBits), entry<2>(p.Ser_StopBits, pargen::StopBits)}};
}

QString valueText(const QJsonValue& value)
{
    switch (value.type()) {
    case QJsonValue::Bool:
        return value.toBool() ? QStringLiteral("true") : QStringLiteral("false");
    case QJsonValue::Double:
        return QString::number(value.toInteger());
    case QJsonValue::String:
        return value.toString();
    case QJsonValue::Array:
    case QJsonValue::Object:
        return QString::fromUtf8(
            QJsonDocument::fromVariant(value.toVariant()).toJson(QJsonDocument::Compact));
    default:
        return {};
    }
}

// The report's leaves by path: "parameterBlock.SerialBaud", "slot 3.address"; the records by
// their slot, so a record moved to another slot shows as one removed and one added.
void flatten(const QJsonObject& object, const QString& prefix, std::map<QString, QString>& leaves)
{
    for (auto it = object.begin(); it != object.end(); ++it) {
        const QString path = prefix.isEmpty() ? it.key() : prefix + u'.' + it.key();
        if (it.key() == QStringLiteral("records") && it.value().isArray()) {
            for (const QJsonValue record : it.value().toArray()) {
                const QJsonObject fields = record.toObject();
                flatten(fields, QStringLiteral("slot %1").arg(fields.value(QStringLiteral("slot")).toInt()),
                        leaves);
            }
        } else if (it.value().isObject()) {
            flatten(it.value().toObject(), path, leaves);
        } else {
            leaves[path] = valueText(it.value());
        }
    }
}

std::vector<FieldChange> diffLeaves(const std::map<QString, QString>& before,
                                    const std::map<QString, QString>& after)
{
    std::vector<FieldChange> changes;
    std::map<QString, std::pair<QString, QString>> both;
    for (const auto& [path, value] : before)
        both[path].first = value;
    for (const auto& [path, value] : after)
        both[path].second = value;
    for (const auto& [path, values] : both) {
        if (values.first != values.second || before.count(path) != after.count(path))
            changes.push_back({path, values.first, values.second});
    }
    return changes;
}

std::map<QString, QString> imageLeaves(const QByteArray& image, bool general)
{
    std::map<QString, QString> leaves;
    flatten(general ? GeneralImageReport(image) : RequestImageReport(image), QString(), leaves);
    leaves.erase(QStringLiteral("kind"));
    return leaves;
}

std::vector<FieldChange> rowFields(TableKind kind, const RequestRow* before, const RequestRow* after)
{
    std::vector<FieldChange> fields;
    for (Cell cell : TableCells(kind)) {
        const QString was = before ? (*before)[cell] : QString();
        const QString is = after ? (*after)[cell] : QString();
        if (!before || !after || was != is)
            fields.push_back({CellName(cell), was, is});
    }
    return fields;
}

} // namespace

ConfigurationFiles ReadConfigurationFiles(const QString& folder)
{
    if (!QFileInfo(folder).isDir())
        throw VeldrinError(QStringLiteral("%1 is not a folder.").arg(QDir::toNativeSeparators(folder)));
    ConfigurationFiles files;
    if (QFileInfo::exists(layout::ParGenPath(folder)))
        files.parameters = ReadGeneralParameter(layout::ParGenPath(folder));
    if (QFileInfo::exists(layout::SetAccessPath(folder)))
        files.tables = ReadRequestTables(layout::SetAccessPath(folder));
    files.generalImage = readImage(folder, layout::GeneralImageFile);
    files.requestImage = readImage(folder, layout::RequestImageFile);
    if (!files.parameters && !files.tables && !files.generalImage && !files.requestImage)
        throw VeldrinError(QStringLiteral("%1 holds neither a configuration's files nor device images.")
                               .arg(QDir::toNativeSeparators(folder)));
    return files;
}

ConfigurationDiff DiffConfigurations(const ConfigurationFiles& before, const ConfigurationFiles& after)
{
    ConfigurationDiff diff;
    if (before.parameters && after.parameters) {
        diff.compared.append(QStringLiteral("parameters"));
        const auto was = parameterFields(*before.parameters);
        const auto is = parameterFields(*after.parameters);
        for (std::size_t i = 0; i < was.size(); ++i) {
            if (was[i].second != is[i].second)
                diff.parameters.push_back({was[i].first, was[i].second, is[i].second});
        }
    }
    if (before.tables && after.tables) {
        diff.compared.append(QStringLiteral("tables"));
        for (TableKind kind : {TableKind::Read, TableKind::Write}) {
            const RequestTable& was = before.tables->table(kind);
            const RequestTable& is = after.tables->table(kind);
            const int usedBefore = UsedRowCount(was);
            const int usedAfter = UsedRowCount(is);
            for (int row = 1; row <= std::max(usedBefore, usedAfter); ++row) {
                const RequestRow* a = row <= usedBefore ? &was.row(row) : nullptr;
                const RequestRow* b = row <= usedAfter ? &is.row(row) : nullptr;
                std::vector<FieldChange> fields = rowFields(kind, a, b);
                if (fields.empty())
                    continue;
                const RowChange::Kind change =
                    !a ? RowChange::Kind::Added : (!b ? RowChange::Kind::Removed : RowChange::Kind::Changed);
                diff.rows.push_back({kind, row, change, std::move(fields)});
            }
        }
    }
    const struct {
        const std::optional<QByteArray>& was;
        const std::optional<QByteArray>& is;
        const char* file;
        bool general;
    } images[] = {{before.generalImage, after.generalImage, layout::GeneralImageFile, true},
                  {before.requestImage, after.requestImage, layout::RequestImageFile, false}};
    for (const auto& image : images) {
        if (!image.was || !image.is)
            continue;
        diff.compared.append(QLatin1String(image.file));
        if (*image.was == *image.is)
            continue;
        const QString file = QLatin1String(image.file);
        std::vector<FieldChange> changes;
        try {
            changes =
                diffLeaves(imageLeaves(*image.was, image.general), imageLeaves(*image.is, image.general));
        } catch (const VeldrinError&) {
            // Not an image the decoder reads: the sizes, at least, tell them apart.
        }
        // Bytes no decoded field shows still differ.
        if (changes.empty())
            changes.push_back({QStringLiteral("bytes"), QStringLiteral("%1 bytes").arg(image.was->size()),
                               QStringLiteral("%1 bytes, other content").arg(image.is->size())});
        for (FieldChange& change : changes)
            diff.images.push_back({file, std::move(change)});
    }
    return diff;
}

} // namespace veldrin
