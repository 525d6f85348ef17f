#include "updaters/EthernetUpdater.h"

#include "common/IntOrDefault.h"
#include "common/TextRules.h"
#include "common/VeldrinError.h"
#include "common/XmlDoc.h"
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

constexpr char FileVersion[] = "1000";
constexpr std::int64_t FirmwareStart = 0x8000;
constexpr std::int64_t ConfigurationStart = 0x60000;

QString native(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

QString hex(std::int64_t value)
{
    return QStringLiteral("0x") + QString::number(value, 16).toUpper();
}

// The child elements of one element, read with their rules; every fault becomes a problem that
// names the file, the place (where) and the element.
class ElementReader {
public:
    ElementReader(const XmlNode& node, const QString& where, QStringList& problems)
        : m_node(node), m_where(where), m_problems(problems)
    {}

    void problem(const QString& text) { m_problems.append(m_where + QStringLiteral(": ") + text); }

    // The child's text without surrounding blanks; nothing, and a problem, when it is missing.
    std::optional<QString> text(const char* name)
    {
        const XmlNode child = m_node.child(QLatin1String(name));
        if (child.isNull()) {
            problem(QStringLiteral("the element %1 is missing").arg(QLatin1String(name)));
            return std::nullopt;
        }
        return Trim(child.text());
    }

    std::optional<int> port(const char* name)
    {
        const std::optional<QString> value = text(name);
        if (!value)
            return std::nullopt;
        const std::optional<std::int32_t> number = ParseInt32(*value);
        if (!number || *number < 1 || *number > 65535) {
            problem(QStringLiteral("%1 is \"%2\", not a port number from 1 to 65535")
                        .arg(QLatin1String(name), *value));
            return std::nullopt;
        }
        return *number;
    }

    std::optional<std::int64_t> number(const char* name)
    {
        const std::optional<QString> value = text(name);
        if (!value)
            return std::nullopt;
        const std::optional<std::int64_t> number = ParseInt64(*value);
        if (!number || *number < 0) {
            problem(QStringLiteral("%1 is \"%2\", not a number").arg(QLatin1String(name), *value));
            return std::nullopt;
        }
        return *number;
    }

    // "0" or "1"; with emptyAllowed also nothing at all, which reads as false.
    std::optional<bool> flag(const char* name, bool emptyAllowed = false)
    {
        const std::optional<QString> value = text(name);
        if (!value)
            return std::nullopt;
        if (*value == u"1")
            return true;
        if (*value == u"0" || (emptyAllowed && value->isEmpty()))
            return false;
        problem(QStringLiteral("%1 is \"%2\"; it must be %3")
                    .arg(QLatin1String(name), *value,
                         emptyAllowed ? QStringLiteral("empty, 0 or 1") : QStringLiteral("0 or 1")));
        return std::nullopt;
    }

    // A device address in dotted decimal; with emptyAllowed an empty text gives "".
    std::optional<QString> address(const char* name, bool emptyAllowed = false)
    {
        const std::optional<QString> value = text(name);
        if (!value)
            return std::nullopt;
        if (emptyAllowed && value->isEmpty())
            return QString();
        if (std::optional<QString> device = DeviceAddressOf(*value))
            return device;
        problem(QStringLiteral("%1 is \"%2\", not the IPv4 address of a device (four numbers from 0 to 255, "
                               "for example 192.168.2.205)")
                    .arg(QLatin1String(name), *value));
        return std::nullopt;
    }

private:
    XmlNode m_node;
    QString m_where;
    QStringList& m_problems;
};

std::optional<EthernetOperation> readOperation(const XmlNode& node, int number, const QString& device,
                                               const QString& folder, QStringList& problems)
{
    const qsizetype before = problems.size();
    ElementReader reader(
        node, QStringLiteral("%1, Operation %2").arg(QLatin1String(layout::EthernetUpdateFile)).arg(number),
        problems);
    EthernetOperation operation;
    operation.Number = number;
    reader.flag("Ope_Protection_Enabled", true);
    reader.flag("Ope_GoToBoot_Before");
    reader.flag("Ope_GoToApp_Before");
    const std::optional<QString> own = reader.address("Ope_IP_Address", true);
    operation.Device = own && !own->isEmpty() ? *own : device;
    reader.port("Ope_Port");
    reader.port("Ope_Port_Sec");
    reader.flag("Ope_Erase_Memory");
    if (const std::optional<QString> file = reader.text("Ope_FileName")) {
        if (file->isEmpty())
            reader.problem(QStringLiteral("Ope_FileName is empty"));
        else
            operation.FileName = QFileInfo(QDir(folder), *file).filePath();
    }
    const std::optional<std::int64_t> start = reader.number("Ope_Start_Address");
    reader.number("Ope_Memory_Type");
    if (const std::optional<std::int64_t> bank = reader.number("Ope_Bank_Type")) {
        if (*bank != FirmwareBank && *bank != ConfigurationBank)
            reader.problem(
                QStringLiteral("Ope_Bank_Type is %1; it must be %2 (firmware) or %3 (configuration)")
                    .arg(*bank)
                    .arg(FirmwareBank)
                    .arg(ConfigurationBank));
        else
            operation.BankType = int(*bank);
    }
    if (start && operation.BankType != 0) {
        const std::int64_t bankStart =
            operation.BankType == FirmwareBank ? FirmwareStart : ConfigurationStart;
        if (*start != bankStart)
            reader.problem(QStringLiteral("Ope_Start_Address is %1; bank %2 starts at %3")
                               .arg(hex(*start))
                               .arg(operation.BankType)
                               .arg(hex(bankStart)));
        operation.StartAddress = *start;
    }
    operation.ReadBack = reader.flag("Ope_Read_Back").value_or(false);
    reader.flag("Ope_Write_CSS");
    reader.number("Ope_Address_CSS");
    reader.number("Ope_Command_CSS");
    operation.GoToAppAfter = reader.flag("Ope_GoToApp_After").value_or(false);
    if (problems.size() != before)
        return std::nullopt;
    return operation;
}

QString bankName(int bank)
{
    return bank == FirmwareBank ? QStringLiteral("firmware") : QStringLiteral("configuration");
}

EthernetRequest readRequest(const QString& path, QStringList& problems)
{
    EthernetRequest request;
    const QString fileName = QLatin1String(layout::EthernetUpdateFile);
    const QFileInfo info(path);
    if (!info.exists()) {
        problems.append(
            QStringLiteral("%1 is missing in %2: the configurator writes it there before it starts %3")
                .arg(fileName, native(info.absolutePath()), QLatin1String(layout::EthernetUpdaterProgram)));
        return request;
    }
    const XmlDoc doc = XmlDoc::Load(path);
    const XmlNode root = doc.root();
    if (!root.isElement() || root.name() != QLatin1String(layout::EthernetUpdaterProgram)) {
        problems.append(QStringLiteral("%1 does not begin with the element %2")
                            .arg(native(path), QLatin1String(layout::EthernetUpdaterProgram)));
        return request;
    }
    ElementReader reader(root, fileName, problems);
    if (const std::optional<QString> version = reader.text("Version");
        version && *version != QLatin1String(FileVersion))
        reader.problem(QStringLiteral("Version is \"%1\"; this updater reads version %2")
                           .arg(*version, QLatin1String(FileVersion)));
    request.Title = reader.text("Title").value_or(QString());
    request.Device = reader.address("IP_Address_Dev").value_or(QString());
    reader.port("Application_Port");
    request.BootPort = reader.port("Boot_Port").value_or(0);
    request.BootPortSec = reader.port("Boot_Port_Sec").value_or(0);
    reader.number("Address_Protection");
    const XmlNode protections = root.child(QStringLiteral("Protections"));
    if (protections.isNull()) {
        reader.problem(QStringLiteral("the element Protections is missing"));
    } else {
        for (const XmlNode& node : protections.children()) {
            if (!node.isElement())
                continue;
            const std::optional<std::int32_t> value = ParseInt32(Trim(node.text()));
            if (node.name() != u"Protection" || !value || *value < 0 || *value > 255)
                reader.problem(
                    QStringLiteral("Protections holds <%1>%2</%1>; only Protection elements with a "
                                   "byte value (0 to 255) belong there")
                        .arg(node.name(), node.text()));
        }
    }
    const XmlNode operations = root.child(QStringLiteral("Operations"));
    if (operations.isNull()) {
        reader.problem(QStringLiteral("the element Operations is missing"));
        return request;
    }
    const QString folder = info.absolutePath();
    int number = 0;
    for (const XmlNode& node : operations.children()) {
        if (!node.isElement())
            continue;
        if (node.name() != u"Operation") {
            reader.problem(
                QStringLiteral("Operations holds an element %1; only Operation elements belong there")
                    .arg(node.name()));
            continue;
        }
        if (std::optional<EthernetOperation> operation =
                readOperation(node, ++number, request.Device, folder, problems))
            request.Operations.push_back(*operation);
    }
    return request;
}

} // namespace

EthernetRequest ReadEthernetRequest(const QString& path, QStringList& problems)
{
    // A file that does not parse, or holds elements where a value belongs, is one problem.
    try {
        return readRequest(path, problems);
    } catch (const VeldrinError& error) {
        problems.append(error.message());
        return {};
    }
}

int RunEthernetUpdater(const QStringList& arguments, const QString& workspaceDir, UpdaterReport& report)
{
    UpdateRun run(report);
    const QString path = QDir(workspaceDir).filePath(QLatin1String(layout::EthernetUpdateFile));
    QStringList problems;
    const EthernetRequest request = ReadEthernetRequest(path, problems);
    report.heading(
        request.Title.isEmpty()
            ? QLatin1String(layout::EthernetUpdaterProgram)
            : QStringLiteral("%1: %2").arg(QLatin1String(layout::EthernetUpdaterProgram), request.Title));
    if (!arguments.isEmpty())
        run.problem(
            QStringLiteral("%1 takes no arguments: it reads everything from %2 (it was given \"%3\")")
                .arg(QLatin1String(layout::EthernetUpdaterProgram), native(path), arguments.join(u' ')),
            ExitBadRequest);
    for (const QString& text : problems)
        run.problem(text, ExitBadRequest);
    if (run.hasProblems())
        return run.finish({});

    // The bytes each operation writes, from its file, checked as the device would.
    std::vector<QByteArray> contents;
    std::vector<QString> descriptions;
    for (const EthernetOperation& operation : request.Operations) {
        const QString name = QFileInfo(operation.FileName).fileName();
        try {
            if (operation.BankType == FirmwareBank) {
                const FirmwareFile firmware =
                    ReadFirmwareFile(operation.FileName, QLatin1String(EthernetFirmwareFamily));
                contents.push_back(firmware.Payload);
                descriptions.push_back(QStringLiteral("%1 (%2 firmware, version %3, %4 bytes)")
                                           .arg(name, firmware.Family, firmware.Version)
                                           .arg(firmware.Payload.size()));
            } else {
                contents.push_back(ReadRequestImageFile(operation.FileName));
                descriptions.push_back(QStringLiteral("%1 (%2 bytes)").arg(name).arg(contents.back().size()));
            }
        } catch (const VeldrinError& error) {
            run.problem(error.message(), ExitBadInput);
            contents.emplace_back();
            descriptions.emplace_back();
        }
    }
    if (run.hasProblems())
        return run.finish({});

    report.info(QStringLiteral("Device: %1, emulated in %2; boot ports %3 and %4")
                    .arg(request.Device, native(EmulatedDevice(workspaceDir, request.Device).folder()))
                    .arg(request.BootPort)
                    .arg(request.BootPortSec));
    const std::vector<EthernetOperation>& operations = request.Operations;
    int steps = 0;
    for (std::size_t i = 0; i < operations.size(); ++i) {
        const EthernetOperation& operation = operations[i];
        report.info(QStringLiteral("Operation %1: the %2 %3 into bank %4 of %5 at %6%7")
                        .arg(operation.Number)
                        .arg(bankName(operation.BankType), descriptions[i])
                        .arg(operation.BankType)
                        .arg(operation.Device, hex(operation.StartAddress),
                             operation.ReadBack ? QStringLiteral(", then read back") : QString()));
        steps += operation.ReadBack ? 2 : 1;
    }
    run.setStepCount(steps);

    for (std::size_t i = 0; i < operations.size(); ++i) {
        const EthernetOperation& operation = operations[i];
        const EmulatedDevice device(workspaceDir, operation.Device);
        const QString area =
            QLatin1String(operation.BankType == FirmwareBank ? FirmwareArea : layout::RequestImageFile);
        const QString kind = bankName(operation.BankType);
        const QString name = QFileInfo(operation.FileName).fileName();
        const QByteArray& bytes = contents[i];
        if (!run.step(QStringLiteral("Writing the %1 %2 to %3").arg(kind, name, operation.Device), [&] {
                device.write({{area, bytes}});
                return QStringLiteral("done");
            }))
            return run.finish({});
        if (operation.ReadBack &&
            !run.step(QStringLiteral("Reading the %1 back from %2").arg(kind, operation.Device), [&] {
                const QString difference = ReadBackDifference(device.read(area), bytes);
                if (!difference.isEmpty())
                    throw ReadBackMismatch(QStringLiteral("The %1 read back from %2 differs from %3: %4")
                                               .arg(kind, operation.Device, name, difference));
                return QStringLiteral("matches %1").arg(name);
            }))
            return run.finish({});
        if (operation.GoToAppAfter)
            report.info(QStringLiteral("%1 starts its application.").arg(operation.Device));
    }
    return run.finish(request.Device);
}

} // namespace veldrin::updaters
