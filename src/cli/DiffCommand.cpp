#include "cli/DiffCommand.h"

#include "common/VeldrinError.h"
#include "projects/ConfigurationDiff.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace veldrin::cli {
namespace {

QString tableName(TableKind kind)
{
    return kind == TableKind::Read ? QStringLiteral("read") : QStringLiteral("write");
}

QString changeName(RowChange::Kind kind)
{
    switch (kind) {
    case RowChange::Kind::Added:
        return QStringLiteral("added");
    case RowChange::Kind::Removed:
        return QStringLiteral("removed");
    case RowChange::Kind::Changed:
        break;
    }
    return QStringLiteral("changed");
}

QJsonObject fieldJson(const FieldChange& change)
{
    return {{QStringLiteral("field"), change.field},
            {QStringLiteral("before"), change.before},
            {QStringLiteral("after"), change.after}};
}

QJsonObject diffJson(const ConfigurationDiff& diff)
{
    QJsonArray parameters;
    for (const FieldChange& change : diff.parameters)
        parameters.append(fieldJson(change));
    QJsonArray rows;
    for (const RowChange& row : diff.rows) {
        QJsonArray fields;
        for (const FieldChange& change : row.fields)
            fields.append(fieldJson(change));
        rows.append(QJsonObject{{QStringLiteral("table"), tableName(row.table)},
                                {QStringLiteral("row"), row.row},
                                {QStringLiteral("change"), changeName(row.kind)},
                                {QStringLiteral("fields"), fields}});
    }
    QJsonArray images;
    for (const ImageChange& image : diff.images) {
        QJsonObject change = fieldJson(image.change);
        change.insert(QStringLiteral("file"), image.file);
        images.append(change);
    }
    return {{QStringLiteral("equal"), diff.equal()},
            {QStringLiteral("compared"), QJsonArray::fromStringList(diff.compared)},
            {QStringLiteral("parameters"), parameters},
            {QStringLiteral("rows"), rows},
            {QStringLiteral("images"), images}};
}

QString quoted(const QString& value)
{
    return value.isEmpty() ? QStringLiteral("(empty)") : u'"' + value + u'"';
}

void printDiff(const ConfigurationDiff& diff, QTextStream& out)
{
    out << "Compared: " << diff.compared.join(QStringLiteral(", ")) << '\n';
    if (diff.equal()) {
        out << "No differences\n";
        return;
    }
    if (!diff.parameters.empty()) {
        out << "ParGen.xml:\n";
        for (const FieldChange& change : diff.parameters)
            out << "  " << change.field << ": " << quoted(change.before) << " -> " << quoted(change.after)
                << '\n';
    }
    TableKind shown = TableKind::Write;
    bool first = true;
    for (const RowChange& row : diff.rows) {
        if (first || row.table != shown) {
            out << (row.table == TableKind::Read ? "Modbus_Read:\n" : "Modbus_Write:\n");
            shown = row.table;
            first = false;
        }
        QStringList fields;
        for (const FieldChange& change : row.fields) {
            fields.append(
                row.kind == RowChange::Kind::Changed
                    ? QStringLiteral("%1 %2 -> %3")
                          .arg(change.field, quoted(change.before), quoted(change.after))
                    : QStringLiteral("%1 %2").arg(
                          change.field,
                          quoted(row.kind == RowChange::Kind::Added ? change.after : change.before)));
        }
        out << "  row " << row.row << ' ' << changeName(row.kind) << ": " << fields.join(QStringLiteral(", "))
            << '\n';
    }
    QString file;
    for (const ImageChange& image : diff.images) {
        if (image.file != file) {
            out << image.file << ":\n";
            file = image.file;
        }
        out << "  " << image.change.field << ": " << quoted(image.change.before) << " -> "
            << quoted(image.change.after) << '\n';
    }
}

} // namespace

DiffCommand::DiffCommand()
    : m_jsonOption(QStringLiteral("json"), QStringLiteral("Prints the differences as one JSON object."))
{}

QString DiffCommand::description() const
{
    return QStringLiteral("Shows what differs between two configurations, image pairs or loads.\n"
                          "Each of A and B is a configuration folder, a bin folder of images or an\n"
                          "entry of a configuration's history/; the parts both hold are compared:\n"
                          "the communication parameters by name, the request rows added, removed\n"
                          "and changed, and every field of the images the inspect command decodes.\n"
                          "Exits with 0 when they are equal, 1 when they differ, 2 when one of them\n"
                          "cannot be read or they have no part in common.");
}

QList<CliArgument> DiffCommand::arguments() const
{
    return {{QStringLiteral("A"), QStringLiteral("The folder before.")},
            {QStringLiteral("B"), QStringLiteral("The folder after.")}};
}

int DiffCommand::run(const QCommandLineParser& commandLine, QTextStream& out, QTextStream& err)
{
    const QStringList folders = commandLine.positionalArguments();
    ConfigurationDiff diff;
    try {
        diff = DiffConfigurations(ReadConfigurationFiles(folders[0]), ReadConfigurationFiles(folders[1]));
    } catch (const VeldrinError& error) {
        err << "veldrin-cli diff: " << error.message() << '\n';
        return ExitUsage;
    }
    if (diff.compared.isEmpty()) {
        err << "veldrin-cli diff: the two folders have no part in common to compare\n";
        return ExitUsage;
    }
    if (commandLine.isSet(m_jsonOption))
        out << QJsonDocument(diffJson(diff)).toJson(QJsonDocument::Indented);
    else
        printDiff(diff, out);
    return diff.equal() ? ExitOk : ExitFailed;
}

} // namespace veldrin::cli
