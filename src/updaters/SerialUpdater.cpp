#include "updaters/SerialUpdater.h"

#include "configuration/WorkspaceLayout.h"
#include "image/ImageLayout.h"
#include "updaters/DeviceAddress.h"
#include "updaters/EmulatedDevice.h"
#include "updaters/FirmwareFile.h"
#include "updaters/ImageFileChecks.h"
#include "updaters/UpdateRun.h"
#include "updaters/UpdaterReport.h"

#include <QDir>
#include <QFileInfo>

#include <optional>

namespace veldrin::updaters {
namespace {

constexpr int FieldCount = 7;

QString usage()
{
    return QStringLiteral("%1 \\\\.\\PORT FW|NO FR|NO PW|NO PR|NO \"FIRMWARE FILE\" \"BIN FOLDER/\"")
        .arg(QLatin1String(layout::SerialUpdaterProgram));
}

QString native(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

bool endsWithSeparator(const QString& path)
{
#ifdef Q_OS_WIN
    return path.endsWith(u'/') || path.endsWith(u'\\');
#else
    return path.endsWith(u'/');
#endif
}

// Field number (from 1) holds yes or "NO".
bool option(const QStringList& fields, int number, const char* yes, const char* meaning,
            QStringList& problems)
{
    const QString& field = fields[number - 1];
    if (field == QLatin1String(yes))
        return true;
    if (field != u"NO")
        problems.append(QStringLiteral("Field %1 of the command line is \"%2\": it must be %3 (%4) or NO")
                            .arg(number)
                            .arg(field, QLatin1String(yes), QLatin1String(meaning)));
    return false;
}

// The configuration's two images, checked.
struct Configuration {
    QByteArray General;
    QByteArray Request;
};

} // namespace

SerialRequest ParseSerialFields(const QStringList& fields, QStringList& problems)
{
    SerialRequest request;
    if (fields.size() != FieldCount) {
        problems.append(QStringLiteral("The command line has %1 fields; it must have %2: %3")
                            .arg(fields.size())
                            .arg(FieldCount)
                            .arg(usage()));
        return request;
    }
    if (const std::optional<QString> port = PortNameOfField(fields[0])) {
        request.Port = *port;
    } else if (!fields[0].startsWith(QLatin1String(SerialPortPrefix))) {
        problems.append(
            QStringLiteral("Field 1 of the command line is \"%1\": it must be \\\\.\\ followed by "
                           "the port name, for example \\\\.\\ttyUSB0 or \\\\.\\COM3")
                .arg(fields[0]));
    } else {
        problems.append(
            QStringLiteral("Field 1 of the command line is \"%1\": a port name holds 1 to 64 letters, "
                           "digits, \"-\", \"_\" and \".\", and does not begin or end with \".\"")
                .arg(fields[0]));
    }
    request.Options.firmware = option(fields, 2, "FW", "write the firmware", problems);
    request.Options.readFirmware = option(fields, 3, "FR", "read the firmware back", problems);
    request.Options.config = option(fields, 4, "PW", "write the configuration", problems);
    request.Options.readConfig = option(fields, 5, "PR", "read the configuration back", problems);
    request.FirmwarePath = fields[5];
    if (request.FirmwarePath.isEmpty())
        problems.append(QStringLiteral("Field 6 of the command line, the firmware file, is empty"));
    request.BinDir = fields[6];
    if (request.BinDir.isEmpty())
        problems.append(
            QStringLiteral("Field 7 of the command line, the configuration's bin folder, is empty"));
    else if (!endsWithSeparator(request.BinDir))
        problems.append(
            QStringLiteral("Field 7 of the command line is \"%1\": the configuration's bin folder "
                           "must end with a path separator")
                .arg(request.BinDir));
    return request;
}

int RunSerialUpdater(const QStringList& fields, const QString& workspaceDir, UpdaterReport& report)
{
    UpdateRun run(report);
    QStringList problems;
    const SerialRequest request = ParseSerialFields(fields, problems);
    report.heading(request.Port.isEmpty()
                       ? QStringLiteral("%1: serial update").arg(QLatin1String(layout::SerialUpdaterProgram))
                       : QStringLiteral("%1: serial update of the device on %2")
                             .arg(QLatin1String(layout::SerialUpdaterProgram), request.Port));
    for (const QString& text : problems)
        run.problem(text, ExitBadRequest);
    if (fields.size() != FieldCount)
        return run.finish({});

    const UpdateOptions& options = request.Options;
    std::optional<FirmwareFile> firmware;
    if ((options.firmware || options.readFirmware) && !request.FirmwarePath.isEmpty()) {
        try {
            firmware = ReadFirmwareFile(request.FirmwarePath, QLatin1String(SerialFirmwareFamily));
        } catch (const VeldrinError& error) {
            run.problem(error.message(), ExitBadInput);
        }
    }
    std::optional<Configuration> configuration;
    if ((options.config || options.readConfig) && !request.BinDir.isEmpty()) {
        const QString bin = QDir::cleanPath(request.BinDir) + u'/';
        if (!QFileInfo(bin).isDir()) {
            run.problem(
                QStringLiteral("The configuration's bin folder %1 is missing").arg(native(request.BinDir)),
                ExitBadInput);
        } else {
            const auto read = [&](const char* name, QByteArray (*reader)(const QString&)) {
                try {
                    return std::optional<QByteArray>(reader(bin + QLatin1String(name)));
                } catch (const VeldrinError& error) {
                    run.problem(error.message(), ExitBadInput);
                    return std::optional<QByteArray>();
                }
            };
            const std::optional<QByteArray> general = read(layout::GeneralImageFile, &ReadGeneralImageFile);
            const std::optional<QByteArray> requests = read(layout::RequestImageFile, &ReadRequestImageFile);
            if (general && requests)
                configuration = Configuration{*general, *requests};
        }
    }
    if (run.hasProblems())
        return run.finish({});

    const EmulatedDevice device(workspaceDir, DeviceFolderOfPort(request.Port));
    report.info(
        QStringLiteral("Device: serial port %1, emulated in %2").arg(request.Port, native(device.folder())));
    if (firmware)
        report.info(QStringLiteral("Firmware: %1 (%2 firmware, version %3, %4 bytes)")
                        .arg(native(request.FirmwarePath), firmware->Family, firmware->Version)
                        .arg(firmware->Payload.size()));
    if (configuration)
        report.info(QStringLiteral("Configuration: %1 (%2 bytes) and %3 (%4 bytes) in %5")
                        .arg(QLatin1String(layout::GeneralImageFile))
                        .arg(configuration->General.size())
                        .arg(QLatin1String(layout::RequestImageFile))
                        .arg(configuration->Request.size())
                        .arg(native(request.BinDir)));

    run.setStepCount(int(options.firmware) + int(options.readFirmware) + int(options.config) +
                     int(options.readConfig));
    const QString firmwareName = QFileInfo(request.FirmwarePath).fileName();
    const auto compare = [&](const QString& what, const QString& area, const QByteArray& expected,
                             const QString& file) {
        const QString difference = ReadBackDifference(device.read(area), expected);
        if (!difference.isEmpty())
            throw ReadBackMismatch(QStringLiteral("The %1 read back from %2 differs from %3: %4")
                                       .arg(what, request.Port, file, difference));
    };
    if (options.firmware &&
        !run.step(QStringLiteral("Writing the firmware %1 to %2").arg(firmwareName, request.Port), [&] {
            device.write({{QLatin1String(FirmwareArea), firmware->Payload}});
            return QStringLiteral("done");
        }))
        return run.finish({});
    if (options.readFirmware &&
        !run.step(QStringLiteral("Reading the firmware back from %1").arg(request.Port), [&] {
            compare(QStringLiteral("firmware"), QLatin1String(FirmwareArea), firmware->Payload, firmwareName);
            return QStringLiteral("matches %1").arg(firmwareName);
        }))
        return run.finish({});
    if (options.config && !run.step(QStringLiteral("Writing the configuration to %1").arg(request.Port), [&] {
            device.write({{QLatin1String(layout::GeneralImageFile), configuration->General},
                          {QLatin1String(layout::RequestImageFile), configuration->Request}});
            return QStringLiteral("done");
        }))
        return run.finish({});
    if (options.readConfig &&
        !run.step(QStringLiteral("Reading the configuration back from %1").arg(request.Port), [&] {
            compare(QStringLiteral("general image"), QLatin1String(layout::GeneralImageFile),
                    configuration->General, QLatin1String(layout::GeneralImageFile));
            compare(QStringLiteral("request image"), QLatin1String(layout::RequestImageFile),
                    configuration->Request, QLatin1String(layout::RequestImageFile));
            return QStringLiteral("matches %1 and %2")
                .arg(QLatin1String(layout::GeneralImageFile), QLatin1String(layout::RequestImageFile));
        }))
        return run.finish({});
    return run.finish(request.Port);
}

} // namespace veldrin::updaters
