#include "updaters/FirmwareFile.h"

#include "common/ReadWholeFile.h"
#include "common/VeldrinError.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringList>

#include <array>
#include <optional>

// A firmware file is one header line, then the firmware bytes the device receives:
//
//   VELDRIN-SIM 1 family=30418 version=1.00 size=4096 crc32=1A2B3C4D\n<4096 firmware bytes>
//
// * The header is printable ASCII and ends at the first line feed, which comes within the
//   file's first 128 bytes. Its six fields are separated by single blanks, in this order:
//   the magic text VELDRIN-SIM; the format version 1; family= the device family (1 to 16
//   letters and digits: 30418 for the serial device, 30418K for the Ethernet one); version=
//   the firmware version (digits, a dot, digits); size= the number of firmware bytes in
//   decimal (1 or more); crc32= the CRC-32 of the firmware bytes (the zip/zlib one) as eight
//   hexadecimal digits.
// * Exactly size bytes follow the line feed; the file ends there. The whole file is at most
//   1 MiB.

namespace veldrin::updaters {
namespace {

constexpr char Magic[] = "VELDRIN-SIM";
constexpr char FormatVersion[] = "1";
constexpr int MaxHeaderSize = 128;

constexpr std::array<std::uint32_t, 256> MakeCrcTable()
{
    std::array<std::uint32_t, 256> table{};
    for (std::uint32_t n = 0; n < 256; ++n) {
        std::uint32_t c = n;
        for (int k = 0; k < 8; ++k)
            c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        table[n] = c;
    }
    return table;
}

constexpr std::array<std::uint32_t, 256> CrcTable = MakeCrcTable();

QString hex8(std::uint32_t value)
{
    return QStringLiteral("%1").arg(value, 8, 16, QLatin1Char('0')).toUpper();
}

// The value of "name=value", or nothing when field is not that.
std::optional<QString> valueOf(const QString& field, const char* name)
{
    const QString prefix = QLatin1String(name) + u'=';
    if (!field.startsWith(prefix))
        return std::nullopt;
    return field.mid(prefix.size());
}

bool matches(const QString& text, const char* pattern)
{
    const QRegularExpression expression(QRegularExpression::anchoredPattern(QLatin1String(pattern)));
    return expression.match(text).hasMatch();
}

FirmwareFile decode(const QByteArray& bytes, const QString& shown, const QString& family)
{
    const auto notFirmware = [&](const QString& why) {
        return VeldrinError(QStringLiteral("%1 is not a firmware file of this updater: %2").arg(shown, why));
    };
    const qsizetype end = bytes.left(MaxHeaderSize).indexOf('\n');
    if (end < 0 || !bytes.startsWith(QByteArray(Magic) + ' '))
        throw notFirmware(QStringLiteral("it does not begin with the line \"%1 %2 family=... version=... "
                                         "size=... crc32=...\"")
                              .arg(QLatin1String(Magic), QLatin1String(FormatVersion)));
    const QByteArray headerBytes = bytes.left(end);
    for (char c : headerBytes) {
        if (c < 0x20 || c > 0x7E)
            throw notFirmware(
                QStringLiteral("its header line holds a character that is not printable ASCII"));
    }
    const QStringList fields = QString::fromLatin1(headerBytes).split(u' ');
    if (fields.size() >= 2 && fields[1] != QLatin1String(FormatVersion))
        throw notFirmware(QStringLiteral("it is in format %1; this updater reads format %2")
                              .arg(fields[1], QLatin1String(FormatVersion)));
    const std::optional<QString> fileFamily =
        fields.size() == 6 ? valueOf(fields[2], "family") : std::nullopt;
    const std::optional<QString> version = fields.size() == 6 ? valueOf(fields[3], "version") : std::nullopt;
    const std::optional<QString> size = fields.size() == 6 ? valueOf(fields[4], "size") : std::nullopt;
    const std::optional<QString> crc = fields.size() == 6 ? valueOf(fields[5], "crc32") : std::nullopt;
    if (!fileFamily || !version || !size || !crc)
        throw notFirmware(QStringLiteral("its header line \"%1\" does not hold family=, version=, size= and "
                                         "crc32=, in this order, separated by single blanks")
                              .arg(QString::fromLatin1(headerBytes)));
    if (!matches(*fileFamily, "[A-Za-z0-9]{1,16}"))
        throw notFirmware(
            QStringLiteral("its family \"%1\" is not 1 to 16 letters and digits").arg(*fileFamily));
    if (!matches(*version, "[0-9]{1,4}\\.[0-9]{1,4}"))
        throw notFirmware(QStringLiteral("its version \"%1\" is not digits, a dot and digits").arg(*version));
    if (!matches(*size, "[1-9][0-9]{0,6}") || size->toLongLong() > MaxFirmwareFileSize)
        throw notFirmware(QStringLiteral("its size \"%1\" is not a number of bytes from 1 to %2")
                              .arg(*size)
                              .arg(MaxFirmwareFileSize));
    if (!matches(*crc, "[0-9A-Fa-f]{8}"))
        throw notFirmware(QStringLiteral("its crc32 \"%1\" is not eight hexadecimal digits").arg(*crc));

    FirmwareFile firmware{*fileFamily, *version, bytes.mid(end + 1)};
    const qsizetype expected = size->toLongLong();
    if (firmware.Payload.size() < expected)
        throw VeldrinError(QStringLiteral("%1 is cut short: it holds %2 of the %3 firmware bytes its header "
                                          "announces")
                               .arg(shown)
                               .arg(firmware.Payload.size())
                               .arg(expected));
    if (firmware.Payload.size() > expected)
        throw VeldrinError(
            QStringLiteral("%1 has %2 bytes more than the %3 firmware bytes its header announces")
                .arg(shown)
                .arg(firmware.Payload.size() - expected)
                .arg(expected));
    const std::uint32_t actual = Crc32(firmware.Payload);
    if (actual != crc->toUInt(nullptr, 16))
        throw VeldrinError(QStringLiteral("%1 is damaged: its firmware bytes have the CRC-32 %2, its header "
                                          "says %3")
                               .arg(shown, hex8(actual), crc->toUpper()));
    if (firmware.Family != family)
        throw VeldrinError(QStringLiteral("%1 is firmware for %2 devices; this updater loads %3 firmware")
                               .arg(shown, firmware.Family, family));
    return firmware;
}

} // namespace

std::uint32_t Crc32(const QByteArray& bytes)
{
    std::uint32_t c = 0xFFFFFFFFu;
    for (char byte : bytes)
        c = CrcTable[(c ^ static_cast<std::uint8_t>(byte)) & 0xFFu] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

QByteArray EncodeFirmwareFile(const FirmwareFile& firmware)
{
    const QString header =
        QStringLiteral("%1 %2 family=%3 version=%4 size=%5 crc32=%6\n")
            .arg(QLatin1String(Magic), QLatin1String(FormatVersion), firmware.Family, firmware.Version)
            .arg(firmware.Payload.size())
            .arg(hex8(Crc32(firmware.Payload)));
    return header.toLatin1() + firmware.Payload;
}

FirmwareFile ReadFirmwareFile(const QString& path, const QString& family)
{
    const QString shown = QDir::toNativeSeparators(path);
    const FileContents file = ReadWholeFile(path, MaxFirmwareFileSize);
    switch (file.status) {
    case FileContents::Status::Read:
        return decode(file.bytes, shown, family);
    case FileContents::Status::Missing:
        throw VeldrinError(QStringLiteral("The firmware file %1 is missing").arg(shown));
    case FileContents::Status::NotAFile:
        throw VeldrinError(QStringLiteral("The firmware file %1 is not a file").arg(shown));
    case FileContents::Status::TooLarge:
        throw VeldrinError(
            QStringLiteral("%1 is not a firmware file of this updater: it is larger than 1 MiB").arg(shown));
    case FileContents::Status::Unreadable:
        break;
    }
    throw VeldrinError(QStringLiteral("Cannot read the firmware file %1: %2").arg(shown, file.reason));
}

} // namespace veldrin::updaters
