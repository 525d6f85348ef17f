#include "access/RequestTablesFile.h"

#include "common/AtomicFile.h"
#include "common/VeldrinError.h"
#include "common/XmlDoc.h"

#include <QDir>
#include <QFileInfo>

namespace veldrin {
namespace {

const QString RootName = QStringLiteral("EtherNetIP_to_Modbus");
const QString RowName = QStringLiteral("row");

QString sectionName(TableKind kind)
{
    return kind == TableKind::Read ? QStringLiteral("Modbus_Read") : QStringLiteral("Modbus_Write");
}

QString describe(XmlNode::Kind kind)
{
    switch (kind) {
    case XmlNode::Kind::Declaration:
        return QStringLiteral("an XML declaration");
    case XmlNode::Kind::Comment:
        return QStringLiteral("a comment");
    case XmlNode::Kind::ProcessingInstruction:
        return QStringLiteral("a processing instruction");
    default:
        return QStringLiteral("something else");
    }
}

void readSection(const XmlNode& root, TableKind kind, RequestTable& table, const QString& path)
{
    const XmlNode section = root.child(sectionName(kind));
    std::vector<XmlNode> rows;
    for (const XmlNode& node : section.children()) {
        // Only row elements are rows: a comment among them must not end the table, or the
        // next save would drop every row after it.
        if (node.isElement() && node.name() == RowName)
            rows.push_back(node);
    }
    if (rows.size() > static_cast<std::size_t>(RowCount))
        throw VeldrinError(QStringLiteral("%1: %2 holds %3 rows, more than the %4 a table can show; the "
                                          "file is left as it is")
                               .arg(QDir::toNativeSeparators(path), sectionName(kind))
                               .arg(rows.size())
                               .arg(RowCount));
    for (std::size_t i = 0; i < rows.size(); ++i) {
        for (Cell cell : TableCells(kind))
            table.rows[i][cell] = rows[i].attribute(CellName(cell)).value_or(QString());
    }
}

void writeSection(XmlNode& root, TableKind kind, const RequestTable& table)
{
    XmlNode section = root.appendElement(sectionName(kind));
    const int used = UsedRowCount(table);
    for (int number = 1; number <= used; ++number) {
        XmlNode row = section.appendElement(RowName);
        for (Cell cell : TableCells(kind))
            row.setAttribute(CellName(cell), table.row(number)[cell]);
    }
}

// The first used cell that XML cannot carry, as "Modbus_Read row 3, Mnemonic".
QString unsavableCell(const RequestTables& tables)
{
    for (TableKind kind : {TableKind::Read, TableKind::Write}) {
        const RequestTable& table = tables.table(kind);
        const int used = UsedRowCount(table);
        for (int number = 1; number <= used; ++number) {
            for (Cell cell : TableCells(kind)) {
                XmlDoc probe;
                probe.appendElement(RowName).setAttribute(CellName(cell), table.row(number)[cell]);
                try {
                    probe.toBytes();
                } catch (const VeldrinError&) {
                    return QStringLiteral("%1 row %2, %3")
                        .arg(sectionName(kind))
                        .arg(number)
                        .arg(CellName(cell));
                }
            }
        }
    }
    return {};
}

} // namespace

RequestTables ReadRequestTables(const QString& path)
{
    RequestTables tables;
    if (!QFileInfo::exists(path))
        return tables;
    const XmlDoc doc = XmlDoc::Load(path);
    const XmlNode root = doc.root();
    // Read past a declaration or comment, the tables would look empty and the next save
    // would replace every row; refuse the file instead.
    if (!root.isElement())
        throw VeldrinError(QStringLiteral("%1 begins with %2 instead of its root element %3, so its rows "
                                          "cannot be read; the file is left as it is")
                               .arg(QDir::toNativeSeparators(path), describe(root.kind()), RootName));
    readSection(root, TableKind::Read, tables.Modbus_Read, path);
    readSection(root, TableKind::Write, tables.Modbus_Write, path);
    return tables;
}

QByteArray RequestTablesBytes(const RequestTables& tables)
{
    XmlDoc doc;
    XmlNode root = doc.appendElement(RootName);
    writeSection(root, TableKind::Read, tables.Modbus_Read);
    writeSection(root, TableKind::Write, tables.Modbus_Write);
    return doc.toBytes();
}

void WriteRequestTables(const QString& path, const RequestTables& tables)
{
    QByteArray bytes;
    try {
        bytes = RequestTablesBytes(tables);
    } catch (const VeldrinError& error) {
        const QString cell = unsavableCell(tables);
        throw VeldrinError(QStringLiteral("Cannot save %1: %2")
                               .arg(QDir::toNativeSeparators(path),
                                    cell.isEmpty()
                                        ? error.message()
                                        : cell + QStringLiteral(" holds a character that "
                                                                "cannot be saved in an XML file")));
    }
    WriteFileAtomically(path, bytes);
}

} // namespace veldrin
