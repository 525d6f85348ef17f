#include "cli/ImageReportCommand.h"

#include "common/Ipv4Address.h"
#include "common/ReadWholeFile.h"
#include "common/VeldrinError.h"
#include "configuration/ParGenLists.h"
#include "configuration/WorkspaceLayout.h"
#include "image/GeneralImage.h"
#include "image/ImageDecoder.h"
#include "image/ImageLayout.h"
#include "image/ImageReport.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>

#include <array>

namespace veldrin::cli {
namespace {

// The entry a list index stands for, in brackets after the number.
QString withEntry(std::uint32_t index, const QStringList& entries)
{
    if (index >= static_cast<std::uint32_t>(entries.size()))
        return QStringLiteral("%1 (not in the list)").arg(index);
    return QStringLiteral("%1 (%2)").arg(index).arg(entries[index]);
}

// Returns true when the image is one the compiler writes.
bool inspectGeneral(const QString& file, const QByteArray& bytes, bool json, QTextStream& out)
{
    const DecodedGeneralImage image = DecodeGeneralImage(bytes);
    const bool headerOk = image.Header == GeneralImageHeader;
    if (json) {
        QJsonObject report = GeneralImageReport(bytes);
        report.insert(QStringLiteral("file"), file);
        out << QJsonDocument(report).toJson(QJsonDocument::Indented);
        return headerOk;
    }

    out << "File: " << file << '\n';
    out << "Kind: general image (" << layout::GeneralImageFile << "), " << bytes.size() << " bytes\n";
    out << "Header: " << image.Header;
    if (!headerOk)
        out << " (expected " << GeneralImageHeader << ')';
    out << '\n';
    if (!image.Fields) {
        out << "No communication settings: the configuration had no ParGen.xml\n";
        return headerOk;
    }
    const GeneralImageFields& f = *image.Fields;
    out << "IP1-IP4 (IP address): " << DottedQuad(f.IP) << '\n';
    out << "SUB1-SUB4 (subnet mask): " << DottedQuad(f.SUB) << '\n';
    out << "GAT1-GAT4 (gateway): " << DottedQuad(f.GAT) << '\n';
    out << "EN_GAT (gateway used): " << f.EN_GAT << '\n';
    out << "PORT: " << f.PORT << '\n';
    out << "PROT_TYPE (Ethernet protocol): "
        << withEntry(f.PROT_TYPE, pargen::Entries(pargen::EthernetProtocols)) << '\n';
    out << "Baud_Rate (baud rate index): " << withEntry(f.Baud_Rate, pargen::Entries(pargen::BaudRates))
        << '\n';
    out << "Parity: " << withEntry(f.Parity, pargen::Entries(pargen::Parities)) << '\n';
    out << "Time_Out (ms): " << f.Time_Out << '\n';
    out << "Sel_Ser (serial line): " << withEntry(f.Sel_Ser, pargen::Entries(pargen::SerialLines)) << '\n';
    out << "Ser_Prot (serial protocol): " << withEntry(f.Ser_Prot, pargen::Entries(pargen::SerialProtocols))
        << '\n';
    return headerOk;
}

QString strayText(const std::vector<qsizetype>& offsets)
{
    if (offsets.empty())
        return QStringLiteral("every byte outside the fields is as the compiler writes it");
    constexpr std::size_t Shown = 8;
    QStringList shown;
    for (std::size_t i = 0; i < offsets.size() && i < Shown; ++i)
        shown << QStringLiteral("0x") + QString::number(offsets[i], 16).toUpper().rightJustified(4, u'0');
    QString text =
        offsets.size() == 1
            ? QStringLiteral("1 byte outside the fields differs from what the compiler writes, at %1")
                  .arg(shown.first())
            : QStringLiteral("%1 bytes outside the fields differ from what the compiler writes, at %2")
                  .arg(offsets.size())
                  .arg(shown.join(QStringLiteral(", ")));
    if (offsets.size() > Shown)
        text += QStringLiteral(" and %1 more").arg(offsets.size() - Shown);
    return text;
}

bool inspectRequest(const QString& file, const QByteArray& bytes, bool json, QTextStream& out)
{
    const DecodedRequestImage image = DecodeRequestImage(bytes);
    const ParameterBlock& b = image.Block;
    const bool ok = image.ChecksumOk() && image.StrayOffsets.empty();
    const std::vector<int> slots = image.FilledSlots();

    if (json) {
        QJsonObject report = RequestImageReport(bytes);
        report.insert(QStringLiteral("file"), file);
        out << QJsonDocument(report).toJson(QJsonDocument::Indented);
        return ok;
    }

    out << "File: " << file << '\n';
    out << "Kind: request image (" << layout::RequestImageFile << "), " << bytes.size() << " bytes\n";
    out << "Requests: " << b.RequestCount << ", first write request: " << b.FirstWriteRequest << '\n';
    if (slots.empty()) {
        out << "No request records\n";
    } else {
        out << "slot  dir    slave  code  address  points  position  bit  poll time   max error  bytes  on "
               "change\n";
        for (int slot : slots) {
            const RequestRecord& r = image.Records[slot];
            out << QStringLiteral("%1  %2  %3  %4  %5  %6  %7  %8  %9  %10  %11  %12\n")
                       .arg(slot, 4)
                       .arg(image.IsWriteSlot(slot) ? QStringLiteral("write") : QStringLiteral("read"), -5)
                       .arg(r.Slave_ID, 5)
                       .arg(r.FunctionCode, 4)
                       .arg(r.Address, 7)
                       .arg(r.NPoint, 6)
                       .arg(r.Position, 8)
                       .arg(r.Bit, 3)
                       .arg(r.PollTime, 10)
                       .arg(r.MaxError, 10)
                       .arg(r.ByteCount, 5)
                       .arg(r.OnChangeFlag, 9);
        }
    }
    out << "Parameter block:\n";
    out << "  SerialBaud: " << b.SerialBaud << '\n';
    out << "  SerialParity: " << withEntry(b.SerialParity, pargen::Entries(pargen::Parities)) << '\n';
    out << "  SerialStopBits: " << b.SerialStopBits << '\n';
    out << "  TimeOut: " << b.TimeOut << '\n';
    out << "  CommIdle: " << b.CommIdle << '\n';
    out << "  IpAddress: " << DottedQuad(b.IpAddress) << '\n';
    out << "  SubnetMask: " << DottedQuad(b.SubnetMask) << '\n';
    out << "  Gateway: " << DottedQuad(b.Gateway) << '\n';
    out << "  Port: " << b.Port << '\n';
    out << "  RequestCount: " << b.RequestCount << '\n';
    out << "  Rs232Flag: " << b.Rs232Flag << '\n';
    out << "  EthProtocol: " << withEntry(b.EthProtocol, pargen::Entries(pargen::EthernetProtocols)) << '\n';
    out << "  SerialAsciiFlag: " << b.SerialAsciiFlag << '\n';
    out << "  FirstWriteRequest: " << b.FirstWriteRequest << '\n';
    out << "Layout: " << strayText(image.StrayOffsets) << '\n';
    out << "Checksum: stored " << image.StoredChecksum << ", computed " << image.ComputedChecksum << ": "
        << (image.ChecksumOk() ? "checksum OK" : "checksum MISMATCH") << '\n';
    return ok;
}

} // namespace

ImageReportCommand::ImageReportCommand()
    : m_jsonOption(QStringLiteral("json"), QStringLiteral("Prints the report as JSON, with the same fields."))
{}

QString ImageReportCommand::description() const
{
    return QStringLiteral("Shows what a bank.bin or bank2.bin holds, field by field, and checks it.\n"
                          "Exits with 1 when the image is not as the compiler writes it: a wrong size\n"
                          "or header, a changed byte outside the fields, or a wrong checksum.");
}

QList<CliArgument> ImageReportCommand::arguments() const
{
    return {{QStringLiteral("FILE"),
             QStringLiteral("The image to read; its size tells which of the two it is.")}};
}

int ImageReportCommand::run(const QCommandLineParser& commandLine, QTextStream& out, QTextStream& err)
{
    const QString path = commandLine.positionalArguments().constFirst();
    const bool json = commandLine.isSet(m_jsonOption);
    const QString shown = QDir::toNativeSeparators(path);
    // No more than the largest image is read, so a wrong size shows without reading a huge file.
    const FileContents file = ReadWholeFile(path, RequestImageSize);
    if (!file.read() && file.status != FileContents::Status::TooLarge) {
        err << "veldrin-cli inspect: cannot read " << shown
            << (file.status == FileContents::Status::NotAFile ? QStringLiteral(": not a regular file")
                                                              : QString())
            << '\n';
        return ExitUsage;
    }
    const QByteArray& bytes = file.bytes;
    const std::optional<ImageKind> kind = file.read() ? ImageKindOfSize(bytes.size()) : std::nullopt;
    if (!kind) {
        err << "veldrin-cli inspect: " << shown << " has " << QFileInfo(path).size() << " bytes: neither a "
            << layout::GeneralImageFile << " (" << GeneralImageHeaderSize << " or " << GeneralImageSize
            << " bytes) nor a " << layout::RequestImageFile << " (" << RequestImageSize << " bytes)\n";
        return ExitFailed;
    }
    try {
        const bool ok = *kind == ImageKind::General ? inspectGeneral(shown, bytes, json, out)
                                                    : inspectRequest(shown, bytes, json, out);
        return ok ? ExitOk : ExitFailed;
    } catch (const VeldrinError& error) {
        err << "veldrin-cli inspect: " << error.message() << '\n';
        return ExitFailed;
    }
}

} // namespace veldrin::cli
