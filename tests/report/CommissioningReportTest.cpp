#include "access/DataAreaMapPainter.h"
#include "access/RequestColumns.h"
#include "image/DeviceImages.h"
#include "report/ReportDocument.h"
#include "support/EnglishStrings.h"
#include "support/TempProgramDir.h"
#include "support/TestData.h"
#include "update/LoadHistory.h"

#include <QCryptographicHash>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace veldrin {
namespace {

// What a Debian tool prints of a PDF (poppler-utils, installed by scripts/setup).
QString popplerOutput(const QString& tool, const QStringList& args)
{
    QProcess process;
    process.start(tool, args);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return QStringLiteral("<%1 failed: %2>").arg(tool, QString::fromUtf8(process.readAllStandardError()));
    return QString::fromUtf8(process.readAllStandardOutput());
}

// A configuration folder holding a copy of the shipped sample.
class CommissioningReport : public ::testing::Test {
protected:
    void SetUp() override { dir.copySample(QStringLiteral("Demo")); }
    ReportFacts facts() const { return GatherReportFacts(config, time); }
    QString html() const
    {
        return CommissioningReportHtml(facts(), strings, {QStringLiteral("a.png"), QStringLiteral("b.png")});
    }
    void replaceInTables(const QByteArray& before, const QByteArray& after) const
    {
        QByteArray tables = dir.read(QStringLiteral("Demo/ModbusM_SetAccess.xml"));
        tables.replace(before, after);
        dir.write(QStringLiteral("Demo/ModbusM_SetAccess.xml"), tables);
    }

    test::TempProgramDir dir;
    QString config = dir.file(QStringLiteral("Demo"));
    QDateTime time = QDateTime(QDate(2026, 12, 10), QTime(14, 47), Qt::UTC);
    StringTable strings = test::EnglishStrings();
};

// The reviewer's copy: A4 pages numbered "Page N of M", the parameters as the dialog names
// them (list texts, not the indexes in the file) and every cell of every used row.
TEST_F(CommissioningReport, PdfOfTheSampleHoldsTheParametersAndEveryRowOnNumberedA4Pages)
{
    const ReportFacts sample = facts();
    const QString pdf = dir.file(QStringLiteral("report.pdf"));
    WriteCommissioningReport(sample, strings, ReportFormat::Pdf, pdf);

    const QString info = popplerOutput(QStringLiteral("pdfinfo"), {pdf});
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+4\\n")))) << info.toStdString();
    EXPECT_TRUE(info.contains(QStringLiteral("595 x 842 pts (A4)"))) << info.toStdString();

    const QString text =
        popplerOutput(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    for (int page = 1; page <= 4; ++page)
        EXPECT_TRUE(text.contains(QStringLiteral("Commissioning report - Demo - Page %1 of 4").arg(page)))
            << page;
    const char* parameters[][2] = {{"Select Device", "Device from May 2014 \\(with Dip-Switch\\)"},
                                   {"IP ADDRESS", "192\\.168\\.0\\.5"},
                                   {"SUBNET Mask", "255\\.255\\.255\\.0"},
                                   {"GATEWAY", "192\\.168\\.0\\.1"},
                                   {"Port", "10001"},
                                   {"Protocol", "TCP"},
                                   {"Serial", "RS485"},
                                   {"Baudrate", "19200"},
                                   {"Parity", "EVEN"},
                                   {"Stop Bits", "1"},
                                   {"TimeOut \\(ms\\)", "500"},
                                   {"Communication Idle Time \\(ms\\)", "50"},
                                   {"Protocol", "Modbus RTU"}};
    for (const auto& [label, value] : parameters) {
        const QRegularExpression line(
            QStringLiteral("\\n%1 +%2\\n").arg(QLatin1String(label), QLatin1String(value)));
        EXPECT_TRUE(text.contains(line)) << label;
    }

    // Each row on the line of its mnemonic, its cells in the grid's order (a Type may wrap
    // onto the next line, so words may stand between them).
    for (TableKind kind : {TableKind::Read, TableKind::Write}) {
        const RequestTable& table = sample.files.tables->table(kind);
        for (int number = 1; number <= UsedRowCount(table); ++number) {
            QStringList cells{QString::number(number)};
            for (const GridColumn& column : GridColumns(kind)) {
                if (column.cell && *column.cell != Cell::Type && !table.row(number)[*column.cell].isEmpty())
                    cells.append(QRegularExpression::escape(table.row(number)[*column.cell]));
            }
            const QRegularExpression row(QStringLiteral("\\n *") +
                                         cells.join(QStringLiteral(" +(?:[^\\n]* +)?")) +
                                         QStringLiteral("\\n"));
            EXPECT_TRUE(text.contains(row)) << number << ' ' << cells.join(u' ').toStdString();
        }
    }
}

// One file to mail or archive: both map pictures inside it, nothing fetched from elsewhere.
TEST_F(CommissioningReport, HtmlIsOneFileWithBothMapsInside)
{
    const ReportFacts sample = facts();
    const QString page = QString::fromUtf8(ReportHtmlBytes(sample, strings));
    const QRegularExpression picture(QStringLiteral("src=\"data:image/png;base64,([A-Za-z0-9+/=]+)\""));
    int pictures = 0;
    for (const QRegularExpressionMatch& match : picture.globalMatch(page)) {
        const QImage image = QImage::fromData(QByteArray::fromBase64(match.captured(1).toLatin1()), "PNG");
        const AreaMap& map = sample.maps.at(static_cast<std::size_t>(pictures));
        EXPECT_EQ(image.size(), DataAreaMapPainter(map).size() * 2) << pictures;
        ++pictures;
    }
    EXPECT_EQ(pictures, 2);
    EXPECT_EQ(page.count(QStringLiteral("src=")), 2);
    EXPECT_FALSE(page.contains(QStringLiteral("href=")));
    EXPECT_TRUE(page.contains(QStringLiteral("Requests: 4 · free bytes: 969 of 1000 · overlaps: 0")));
    EXPECT_TRUE(page.contains(QStringLiteral("Bus load 12 % at 19200 8E1")));
}

// The images are named with their size and digest, and checked against a compile of the
// files as they are now, so a report never vouches for images of an earlier state.
TEST_F(CommissioningReport, ImagesAreCheckedAgainstTheConfigurationsFiles)
{
    const QString notCompiled = QStringLiteral("not compiled yet");
    const QString match = QStringLiteral("The images in the bin folder match the configuration's files.");
    const QString mismatch = QStringLiteral("The images in the bin folder do not match");
    const QString broken = QStringLiteral("The configuration cannot be compiled: ");

    QString page = html();
    EXPECT_EQ(page.count(notCompiled), 2);
    EXPECT_FALSE(page.contains(match) || page.contains(mismatch) || page.contains(broken));

    const DeviceImages images = CompileConfigurationImages(
        dir.file(QStringLiteral("Demo/ParGen.xml")), dir.file(QStringLiteral("Demo/ModbusM_SetAccess.xml")),
        dir.file(QStringLiteral("Demo/bin")));
    page = html();
    EXPECT_TRUE(page.contains(match));
    for (const QByteArray& image : {images.GeneralImage, images.RequestImage}) {
        EXPECT_TRUE(page.contains(QStringLiteral("<td>%1</td>").arg(image.size())));
        EXPECT_TRUE(page.contains(
            QString::fromLatin1(QCryptographicHash::hash(image, QCryptographicHash::Sha256).toHex())));
    }

    replaceInTables("NPoint=\"10\"", "NPoint=\"9\"");
    page = html();
    EXPECT_TRUE(page.contains(mismatch));
    EXPECT_FALSE(page.contains(match));

    dir.write(
        QStringLiteral("Demo/ModbusM_SetAccess.xml"),
        "<EtherNetIP_to_Modbus><Modbus_Read><row Slave_ID=\"1\"/></Modbus_Read></EtherNetIP_to_Modbus>");
    page = html();
    EXPECT_TRUE(page.contains(broken)) << page.toStdString();
    EXPECT_FALSE(page.contains(match) || page.contains(mismatch));
}

// After a load: when, how and what was loaded, how the updater ended, and what changed since.
TEST_F(CommissioningReport, ShowsTheLastLoadAndTheChangesSinceIt)
{
    EXPECT_TRUE(html().contains(QStringLiteral("No load of this configuration has been recorded yet")));

    RecordLoad(
        config,
        {time, LoadRecord::Route::Ethernet, QStringLiteral("127.0.0.1"), {false, false, true, true}, 0});
    replaceInTables("Tank levels", "Tank level");
    const QString page = html();
    for (const char* text : {"over Ethernet to 127.0.0.1", "Configuration, Read Configuration After Write",
                             "The updater ended with exit code 0.", "~ Row 1, changed", "Tank level"})
        EXPECT_TRUE(page.contains(QString::fromUtf8(text))) << text;
}

// The parameters as the user set them in the dialog: a gateway left off says so, the rows the
// dialog hides for the device type are left out, and a configuration without parameters yet
// says that instead of inventing them.
TEST_F(CommissioningReport, ParametersFollowTheCommunicationDialog)
{
    QByteArray parGen = dir.read(QStringLiteral("Demo/ParGen.xml"));
    parGen.replace("<EN_GAT>1</EN_GAT>", "<EN_GAT>0</EN_GAT>");
    parGen.replace("<Device_Type>1</Device_Type>", "<Device_Type>0</Device_Type>");
    dir.write(QStringLiteral("Demo/ParGen.xml"), parGen);
    QString page = html();
    EXPECT_TRUE(page.contains(QStringLiteral("192.168.0.1 (not used)")));
    EXPECT_TRUE(page.contains(QStringLiteral("Device till April 2014 (with Jumper)")));
    EXPECT_FALSE(page.contains(QStringLiteral("Stop Bits")) || page.contains(QStringLiteral("Idle Time")));

    QFile::remove(dir.file(QStringLiteral("Demo/ParGen.xml")));
    page = html();
    EXPECT_EQ(page.count(QStringLiteral("Not set yet.")), 2); // the parameters and the bus load
    EXPECT_TRUE(page.contains(QStringLiteral("Tank levels")));
}

} // namespace
} // namespace veldrin
