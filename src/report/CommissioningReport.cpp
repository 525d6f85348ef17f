#include "report/CommissioningReport.h"

#include "access/BusLoad.h"
#include "access/DataAreaMapTexts.h"
#include "access/RequestColumns.h"
#include "access/RowMessages.h"
#include "comm/ParGenLayout.h"
#include "common/VeldrinError.h"
#include "configuration/ParGenLists.h"
#include "configuration/WorkspaceLayout.h"
#include "image/DeviceImages.h"
#include "lang/StringTable.h"
#include "session/Identity.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLocale>

namespace veldrin {
namespace {

constexpr int DeviceText = 94;         // " Select Device ", then the two device types
constexpr int EthernetText = 97;       // " Ethernet ", then its fields' labels
constexpr int ModbusMasterText = 103;  // " Modbus Master ", then its fields' labels
constexpr int StopBitsText = 177;      // "Stop Bits"
constexpr int TableNameText = 134;     // "Modbus Read", then "Modbus Write"
constexpr int UpdateOptionText = 82;   // "Firmware", "Read Firmware After Write", ...
constexpr int ParametersText = 276;    // "Communication parameters"
constexpr int MapText = 231;           // "Data-area map"
constexpr int TitleText = 336;         // "Commissioning report"
constexpr int ConfigurationText = 337; // "Configuration"
constexpr int FolderText = 338;        // "Folder"
constexpr int VersionText = 339;       // "Configurator version"
constexpr int WrittenText = 340;       // "Written on"
constexpr int NotUsedText = 341;       // "%1 (not used)"
constexpr int NotSetText = 342;        // "Not set yet."
constexpr int NoRowsText = 343;        // "No request rows."
constexpr int BusLoadText = 344;       // "Bus load"
constexpr int ImagesText = 345;        // "Device images"
constexpr int FileText = 346;          // "File", then "Size (bytes)", "SHA-256"
constexpr int NotCompiledText = 349;   // "not compiled yet"
constexpr int MismatchText = 350;      // "The images do not match the configuration's files: ..."
constexpr int MatchText = 351;         // "The images match the configuration's files."
constexpr int CompileText = 352;       // "The configuration cannot be compiled: %1"
constexpr int LastLoadText = 353;      // "Last load"
constexpr int HowText = 354;           // "When and how", then "Loaded", "Result"
constexpr int ExitCodeText = 357;      // "The updater ended with exit code %1."
constexpr int PageText = 358;          // "Page %1 of %2"
constexpr int SignOffText = 359;       // "Sign-off", then "Name", "Date", "Signature"
constexpr int LegendText = 363;        // what the map's colours and hatching mean, in print
constexpr int NothingText = 364;       // "nothing"

QString escaped(const QString& text)
{
    return text.trimmed().toHtmlEscaped();
}

QString heading(int level, const QString& text, bool newPage = false)
{
    return QStringLiteral("<h%1%2>%3</h%1>")
        .arg(level)
        .arg(newPage ? QStringLiteral(" style=\"page-break-before:always\"") : QString(), escaped(text));
}

QString table(const QString& body, bool fullWidth = true)
{
    return QStringLiteral("<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\"%1>%2</table>")
        .arg(fullWidth ? QStringLiteral(" width=\"100%\"") : QString(), body);
}

QString fieldRow(const QString& label, const QString& value)
{
    return QStringLiteral("<tr><td width=\"40%\">%1</td><td>%2</td></tr>")
        .arg(escaped(label), escaped(value));
}

QString groupRow(const QString& title)
{
    return QStringLiteral("<tr><th colspan=\"2\" align=\"left\" bgcolor=\"#e8e8e8\">%1</th></tr>")
        .arg(escaped(title));
}

template <typename List> QString entry(int index, const List& list)
{
    const QStringList entries = pargen::Entries(list);
    return index >= 0 && index < entries.size() ? entries.at(index) : QString::number(index);
}

QString address(const QString& a, const QString& b, const QString& c, const QString& d)
{
    return QStringList{a.trimmed(), b.trimmed(), c.trimmed(), d.trimmed()}.join(u'.');
}

// The parameters under the titles and labels of the Communication dialog, list fields as its
// lists name their entries; the rows the dialog hides for the device type are left out.
QString parametersSection(const ReportFacts& facts, const StringTable& s)
{
    QString page = heading(2, s[ParametersText]);
    if (!facts.files.parameters)
        return page + QStringLiteral("<p>%1</p>").arg(escaped(s[NotSetText]));
    const GeneralParameter& p = *facts.files.parameters;
    const ParGenLayout layout = LayOutParGen(p.Device_Type, {true, true, true});
    const QString device = p.Device_Type == 0 || p.Device_Type == 1 ? s[DeviceText + 1 + p.Device_Type]
                                                                    : QString::number(p.Device_Type);
    const QString gateway = address(p.GAT1, p.GAT2, p.GAT3, p.GAT4);
    QString body = fieldRow(s[DeviceText], device);
    body += groupRow(s[EthernetText]);
    body += fieldRow(s[EthernetText + 1], address(p.IP1, p.IP2, p.IP3, p.IP4));
    body += fieldRow(s[EthernetText + 2], address(p.SUB1, p.SUB2, p.SUB3, p.SUB4));
    body += fieldRow(s[EthernetText + 3], p.EN_GAT ? gateway : s[NotUsedText].arg(gateway));
    body += fieldRow(s[EthernetText + 4], p.PORT);
    body += fieldRow(s[EthernetText + 5], entry(p.PROT_TYPE, pargen::EthernetProtocols));
    body += groupRow(s[ModbusMasterText]);
    const std::pair<const ParGenRow&, std::pair<int, QString>> rows[] = {
        {layout.serial, {ModbusMasterText + 1, entry(p.Sel_Ser, pargen::SerialLines)}},
        {layout.baudRate, {ModbusMasterText + 2, entry(p.Baud_Rate, pargen::BaudRates)}},
        {layout.parity, {ModbusMasterText + 3, entry(p.Parity, pargen::Parities)}},
        {layout.stopBits, {StopBitsText, entry(p.Ser_StopBits, pargen::StopBits)}},
        {layout.timeOut, {ModbusMasterText + 4, p.Time_Out}},
        {layout.idleTime, {ModbusMasterText + 5, p.Comm_Idle}},
        {layout.protocol, {ModbusMasterText + 6, entry(p.Ser_Prot, pargen::SerialProtocols)}}};
    for (const auto& [row, field] : rows) {
        if (row.shown)
            body += fieldRow(s[field.first], field.second);
    }
    return page + table(body);
}

// A request table's used rows under the grid's column titles; the header repeats on each page.
QString requestTableSection(TableKind kind, const ReportFacts& facts, const StringTable& s)
{
    QString page = heading(2, s[TableNameText + (kind == TableKind::Read ? 0 : 1)]);
    const int used = facts.files.tables ? UsedRowCount(facts.files.tables->table(kind)) : 0;
    if (used == 0)
        return page + QStringLiteral("<p>%1</p>").arg(escaped(s[NoRowsText]));
    QString body = QStringLiteral("<thead><tr bgcolor=\"#e8e8e8\">");
    for (const GridColumn& column : GridColumns(kind))
        body += QStringLiteral("<th align=\"left\">%1</th>").arg(escaped(s[column.header]));
    body += QStringLiteral("</tr></thead>");
    const RequestTable& rows = facts.files.tables->table(kind);
    for (int number = 1; number <= used; ++number) {
        body += QStringLiteral("<tr>");
        for (const GridColumn& column : GridColumns(kind)) {
            const QString text = column.cell ? rows.row(number)[*column.cell] : QString::number(number);
            body += QStringLiteral("<td>%1</td>").arg(escaped(text));
        }
        body += QStringLiteral("</tr>");
    }
    return page + QStringLiteral("<div style=\"font-size:8pt\">") + table(body) + QStringLiteral("</div>");
}

QString mapSection(const ReportFacts& facts, const StringTable& s, const MapPictureSources& pictures)
{
    QString page = heading(2, s[MapText], true);
    for (std::size_t area = 0; area < facts.maps.size(); ++area) {
        const AreaMap& map = facts.maps.at(area);
        page += heading(3, AreaTitle(map.kind, s));
        page += QStringLiteral("<p>%1</p>").arg(escaped(AreaSummary(map, s)));
        if (const std::optional<QString> leftOut = LeftOutLine(map, s))
            page += QStringLiteral("<p>%1</p>").arg(escaped(*leftOut));
        page += QStringLiteral("<p><img src=\"%1\" width=\"%2\" alt=\"%3\"></p>")
                    .arg(pictures.at(area).toHtmlEscaped())
                    .arg(ReportMapWidth)
                    .arg(escaped(AreaTitle(map.kind, s)));
    }
    return page + QStringLiteral("<p>%1</p>").arg(escaped(s[LegendText]));
}

QString busLoadSection(const ReportFacts& facts, const StringTable& s)
{
    QString page = heading(2, s[BusLoadText]);
    if (!facts.files.parameters)
        return page + QStringLiteral("<p>%1</p>").arg(escaped(s[NotSetText]));
    const GeneralParameter& p = *facts.files.parameters;
    const SerialLine line = SerialLineOf(p.Baud_Rate, p.Parity, p.Ser_StopBits, p.Ser_Prot);
    const RequestTables tables = facts.files.tables.value_or(RequestTables{});
    return page + QStringLiteral("<p><b>%1</b></p><p>%2</p>")
                      .arg(escaped(BusLoadStatus(tables, line, s).text), escaped(BusLoadNote(s)));
}

QString imagesSection(const ReportFacts& facts, const StringTable& s)
{
    QString body = QStringLiteral("<thead><tr bgcolor=\"#e8e8e8\">");
    for (int column = 0; column < 3; ++column)
        body += QStringLiteral("<th align=\"left\">%1</th>").arg(escaped(s[FileText + column]));
    body += QStringLiteral("</tr></thead>");
    bool any = false;
    for (const ReportImage& image : facts.images) {
        any = any || image.size.has_value();
        body += QStringLiteral("<tr><td>%1</td><td>%2</td><td><tt>%3</tt></td></tr>")
                    .arg(escaped(image.file),
                         escaped(image.size ? QString::number(*image.size) : s[NotCompiledText]),
                         escaped(image.sha256));
    }
    QString page = heading(2, s[ImagesText]) + table(body);
    if (!facts.compileProblem.isEmpty())
        page += QStringLiteral("<p><b>%1</b></p>").arg(escaped(s[CompileText].arg(facts.compileProblem)));
    else if (any)
        page +=
            QStringLiteral("<p><b>%1</b></p>").arg(escaped(s[facts.imagesMatch ? MatchText : MismatchText]));
    return page;
}

QString lastLoadSection(const ReportFacts& facts, const StringTable& s)
{
    QString page = heading(2, s[LastLoadText]);
    if (const std::optional<LastLoad>& load = facts.lastLoad) {
        QStringList loaded;
        const bool ticked[] = {load->options.firmware, load->options.readFirmware, load->options.config,
                               load->options.readConfig};
        for (int option = 0; option < 4; ++option) {
            if (ticked[option])
                loaded.append(s[UpdateOptionText + option].trimmed());
        }
        QString body = fieldRow(s[HowText], LoadDescription(*load, s));
        body +=
            fieldRow(s[HowText + 1], loaded.isEmpty() ? s[NothingText] : loaded.join(QStringLiteral(", ")));
        body += fieldRow(s[HowText + 2], s[ExitCodeText].arg(load->exitCode));
        page += table(body);
    }
    return page + ChangesPage(facts.lastLoad, facts.changes, s);
}

QString signOffSection(const StringTable& s)
{
    QString body = QStringLiteral("<thead><tr bgcolor=\"#e8e8e8\">");
    for (int column = 1; column <= 3; ++column)
        body +=
            QStringLiteral("<th align=\"left\" width=\"33%\">%1</th>").arg(escaped(s[SignOffText + column]));
    body += QStringLiteral("</tr></thead>");
    // Room to write by hand.
    const QString blank = QStringLiteral("<td>&nbsp;<br>&nbsp;<br>&nbsp;</td>");
    for (int line = 0; line < 2; ++line)
        body += QStringLiteral("<tr>") + blank + blank + blank + QStringLiteral("</tr>");
    return heading(2, s[SignOffText]) + table(body);
}

ReportImage imageOf(const std::optional<QByteArray>& bytes, const char* file)
{
    ReportImage image{QString::fromLatin1(file), std::nullopt, {}};
    if (bytes) {
        image.size = bytes->size();
        image.sha256 =
            QString::fromLatin1(QCryptographicHash::hash(*bytes, QCryptographicHash::Sha256).toHex());
    }
    return image;
}

} // namespace

ReportFormat ReportFormatOf(const QString& path)
{
    return path.endsWith(QLatin1String(".html"), Qt::CaseInsensitive) ||
                   path.endsWith(QLatin1String(".htm"), Qt::CaseInsensitive)
               ? ReportFormat::Html
               : ReportFormat::Pdf;
}

ReportFacts GatherReportFacts(const QString& configDir, const QDateTime& now)
{
    ReportFacts facts;
    facts.folder = QFileInfo(configDir).absoluteFilePath();
    facts.name = QFileInfo(facts.folder).fileName();
    facts.time = now;
    facts.files = ReadConfigurationFiles(configDir);
    const RequestTables tables = facts.files.tables.value_or(RequestTables{});
    facts.maps = {MapDataArea(TableKind::Read, tables.Modbus_Read),
                  MapDataArea(TableKind::Write, tables.Modbus_Write)};
    facts.images = {imageOf(facts.files.generalImage, layout::GeneralImageFile),
                    imageOf(facts.files.requestImage, layout::RequestImageFile)};
    try {
        const DeviceImages compiled =
            CompileDeviceImages(layout::ParGenPath(configDir), layout::SetAccessPath(configDir));
        facts.imagesMatch = facts.files.generalImage == compiled.GeneralImage &&
                            facts.files.requestImage == compiled.RequestImage;
    } catch (const VeldrinError& error) {
        facts.compileProblem = error.message();
    }
    facts.lastLoad = NewestLoad(configDir);
    if (facts.lastLoad)
        facts.changes = DiffConfigurations(ReadConfigurationFiles(facts.lastLoad->entry), facts.files);
    return facts;
}

QString CommissioningReportHtml(const ReportFacts& facts, const StringTable& s,
                                const MapPictureSources& pictures)
{
    const QString title = CommissioningReportTitle(s);
    QString page =
        QStringLiteral("<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>%1 - %2</title>"
                       "</head><body style=\"font-family:sans-serif; font-size:10pt\">")
            .arg(escaped(title), escaped(facts.name));
    page += heading(1, title);
    QString body = fieldRow(s[ConfigurationText], facts.name);
    body += fieldRow(s[FolderText], QDir::toNativeSeparators(facts.folder));
    body += fieldRow(s[VersionText], QStringLiteral("%1 %2").arg(QLatin1String(identity::SoftwareCode),
                                                                 QLatin1String(identity::SoftwareVersion)));
    body += fieldRow(s[WrittenText], QLocale().toString(facts.time.toLocalTime(), QLocale::LongFormat));
    page += table(body);
    // The sign-off right below, where it is never split over two pages.
    page += signOffSection(s);
    page += parametersSection(facts, s);
    page += requestTableSection(TableKind::Read, facts, s);
    page += requestTableSection(TableKind::Write, facts, s);
    page += mapSection(facts, s, pictures);
    page += busLoadSection(facts, s);
    page += imagesSection(facts, s);
    page += lastLoadSection(facts, s);
    return page + QStringLiteral("</body></html>\n");
}

QString CommissioningReportTitle(const StringTable& strings)
{
    return strings[TitleText].trimmed();
}

QString ReportPageFooter(const ReportFacts& facts, int page, int pages, const StringTable& strings)
{
    return QStringLiteral("%1 - %2 - %3")
        .arg(CommissioningReportTitle(strings), facts.name, strings[PageText].arg(page).arg(pages));
}

} // namespace veldrin
