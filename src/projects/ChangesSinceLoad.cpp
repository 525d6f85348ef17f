#include "projects/ChangesSinceLoad.h"

#include "common/ReadWholeFile.h"
#include "common/VeldrinError.h"
#include "lang/StringTable.h"
#include "update/LoadHistory.h"

#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>

namespace veldrin {
namespace {

constexpr int TableNameText = 134;  // "Modbus Read", then "Modbus Write"
constexpr int NoLoadText = 271;     // "No load of this configuration has been recorded yet: ..."
constexpr int NoChangeText = 272;   // "Nothing has changed since the last load, %1."
constexpr int SinceText = 273;      // "Changes since the last load, %1."
constexpr int SerialText = 274;     // "on %1 over the serial port %2"
constexpr int EthernetText = 275;   // "on %1 over Ethernet to %2"
constexpr int ParametersText = 276; // "Communication parameters"
constexpr int AddedText = 277;      // "added", then "removed", "changed"
constexpr int BeforeText = 280;     // "At the last load"
constexpr int NowText = 281;        // "Now"
constexpr int RowText = 282;        // "Row %1, %2"
constexpr int ImagesText = 283;     // "Device images: %1"
constexpr int FieldText = 284;      // "Field"

const char* const AddedColour = "#dcf5dc";
const char* const RemovedColour = "#f8dcdc";
const char* const ChangedColour = "#fff3c4";

QString escaped(const QString& text)
{
    return text.toHtmlEscaped();
}

QString header(const StringTable& strings)
{
    return QStringLiteral(
               "<tr><th align=\"left\">%1</th><th align=\"left\">%2</th><th align=\"left\">%3</th></tr>")
        .arg(escaped(strings[FieldText]), escaped(strings[BeforeText]), escaped(strings[NowText]));
}

QString fieldRow(const FieldChange& change, const char* colour)
{
    return QStringLiteral("<tr style=\"background-color:%1\"><td>%2</td><td>%3</td><td>%4</td></tr>")
        .arg(QLatin1String(colour), escaped(change.field), escaped(change.before), escaped(change.after));
}

QString table(const QString& body)
{
    return QStringLiteral("<table cellspacing=\"0\" cellpadding=\"3\" border=\"1\" width=\"100%\">") + body +
           QStringLiteral("</table>");
}

} // namespace

std::optional<LastLoad> NewestLoad(const QString& configDir)
{
    const QStringList entries = HistoryEntries(configDir);
    if (entries.isEmpty())
        return std::nullopt;
    const QString note = QDir(entries.last()).filePath(QLatin1String(LoadNoteFile));
    const FileContents contents = ReadWholeFile(note, qint64{1024} * 1024);
    const QJsonObject object = QJsonDocument::fromJson(contents.bytes).object();
    if (!contents.read() || object.isEmpty())
        throw VeldrinError(QStringLiteral("Cannot read %1.").arg(QDir::toNativeSeparators(note)));
    LastLoad load;
    load.entry = entries.last();
    load.time = QDateTime::fromString(object.value(QStringLiteral("time")).toString(), Qt::ISODate);
    load.serial = object.value(QStringLiteral("route")).toString() != QStringLiteral("ethernet");
    load.target = object.value(load.serial ? QStringLiteral("port") : QStringLiteral("address")).toString();
    const QJsonObject options = object.value(QStringLiteral("options")).toObject();
    load.options = {options.value(QStringLiteral("firmware")).toBool(),
                    options.value(QStringLiteral("readFirmware")).toBool(),
                    options.value(QStringLiteral("configuration")).toBool(),
                    options.value(QStringLiteral("readConfiguration")).toBool()};
    load.exitCode = object.value(QStringLiteral("exitCode")).toInt();
    return load;
}

QString LoadDescription(const LastLoad& load, const StringTable& strings)
{
    return strings[load.serial ? SerialText : EthernetText].arg(
        QLocale().toString(load.time.toLocalTime(), QLocale::ShortFormat), load.target);
}

QString ChangesPage(const std::optional<LastLoad>& load, const ConfigurationDiff& diff,
                    const StringTable& strings)
{
    if (!load)
        return QStringLiteral("<p>%1</p>").arg(escaped(strings[NoLoadText]));
    const QString when = LoadDescription(*load, strings);
    if (diff.equal())
        return QStringLiteral("<p>%1</p>").arg(escaped(strings[NoChangeText].arg(when)));

    QString page = QStringLiteral("<p><b>%1</b></p>").arg(escaped(strings[SinceText].arg(when)));
    if (!diff.parameters.empty()) {
        QString body = header(strings);
        for (const FieldChange& change : diff.parameters)
            body += fieldRow(change, ChangedColour);
        page += QStringLiteral("<h3>%1</h3>").arg(escaped(strings[ParametersText])) + table(body);
    }
    for (TableKind kind : {TableKind::Read, TableKind::Write}) {
        QString body;
        for (const RowChange& row : diff.rows) {
            if (row.table != kind)
                continue;
            const int change =
                row.kind == RowChange::Kind::Added ? 0 : (row.kind == RowChange::Kind::Removed ? 1 : 2);
            const char* colour = change == 0 ? AddedColour : (change == 1 ? RemovedColour : ChangedColour);
            const QString mark =
                change == 0 ? QStringLiteral("+") : (change == 1 ? QStringLiteral("-") : QStringLiteral("~"));
            body +=
                QStringLiteral("<tr style=\"background-color:%1\"><td colspan=\"3\"><b>%2 %3</b></td></tr>")
                    .arg(QLatin1String(colour), mark,
                         escaped(strings[RowText].arg(row.row).arg(strings[AddedText + change])));
            for (const FieldChange& field : row.fields)
                body += fieldRow(field, colour);
        }
        if (!body.isEmpty())
            page += QStringLiteral("<h3>%1</h3>")
                        .arg(escaped(strings[TableNameText + (kind == TableKind::Read ? 0 : 1)])) +
                    table(header(strings) + body);
    }
    QString file;
    QString body;
    const auto flush = [&] {
        if (!body.isEmpty())
            page += QStringLiteral("<h3>%1</h3>").arg(escaped(strings[ImagesText].arg(file))) +
                    table(header(strings) + body);
        body.clear();
    };
    for (const ImageChange& image : diff.images) {
        if (image.file != file) {
            flush();
            file = image.file;
        }
        body += fieldRow(image.change, ChangedColour);
    }
    flush();
    return page;
}

} // namespace veldrin
