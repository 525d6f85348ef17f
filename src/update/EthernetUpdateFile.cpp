#include "update/EthernetUpdateFile.h"

#include "common/AtomicFile.h"
#include "common/XmlDoc.h"
#include "configuration/WorkspaceLayout.h"
#include "session/Identity.h"

#include <QDir>

namespace veldrin {
namespace {

struct Operation {
    QString fileName;
    const char* startAddress;
    const char* bankType;
    bool readBack;
    const char* writeCss;
    const char* addressCss;
    bool goToAppAfter;
};

void appendOperation(XmlNode& operations, const Operation& operation)
{
    XmlNode node = operations.appendElement(QStringLiteral("Operation"));
    auto add = [&node](const char* name, const QString& text) {
        node.appendTextElement(QString::fromLatin1(name), text);
    };
    auto fixed = [&add](const char* name, const char* text) {
        add(name, QString::fromLatin1(text));
    };
    fixed("Ope_Protection_Enabled", "");
    fixed("Ope_GoToBoot_Before", "0");
    fixed("Ope_GoToApp_Before", "0");
    fixed("Ope_IP_Address", "");
    fixed("Ope_Port", "2008");
    fixed("Ope_Port_Sec", "2007");
    fixed("Ope_Erase_Memory", "0");
    add("Ope_FileName", QDir::toNativeSeparators(operation.fileName));
    fixed("Ope_Start_Address", operation.startAddress);
    fixed("Ope_Memory_Type", "0");
    fixed("Ope_Bank_Type", operation.bankType);
    fixed("Ope_Read_Back", operation.readBack ? "1" : "0");
    fixed("Ope_Write_CSS", operation.writeCss);
    fixed("Ope_Address_CSS", operation.addressCss);
    fixed("Ope_Command_CSS", "0x0B");
    fixed("Ope_GoToApp_After", operation.goToAppAfter ? "1" : "0");
}

} // namespace

QString EthernetUpdateFilePath(const QString& workspaceDir)
{
    return layout::In(workspaceDir, layout::EthernetUpdateFile);
}

QString EthernetFirmwarePath(const QString& masterDir)
{
    return layout::In(masterDir, layout::EthernetFirmwareFile);
}

QByteArray EthernetUpdateBytes(const QString& deviceAddress, const UpdateOptions& options,
                               const QString& masterDir, const QString& activeConfigDir)
{
    XmlDoc doc;
    XmlNode root = doc.appendElement(QStringLiteral("Ethernet_Update"));
    auto fixed = [&root](const char* name, const char* text) {
        root.appendTextElement(QString::fromLatin1(name), QString::fromLatin1(text));
    };
    fixed("Version", "1000");
    root.appendTextElement(QStringLiteral("Title"),
                           identity::MakerDomain() + QStringLiteral(" - PK30418 Ethernet Update"));
    root.appendTextElement(QStringLiteral("IP_Address_Dev"), deviceAddress);
    fixed("Application_Port", "10000");
    fixed("Boot_Port", "2008");
    fixed("Boot_Port_Sec", "2007");
    fixed("Address_Protection", "0x78000");
    root.appendElement(QStringLiteral("Protections"))
        .appendTextElement(QStringLiteral("Protection"), QStringLiteral("0xDE"));
    XmlNode operations = root.appendElement(QStringLiteral("Operations"));
    // The firmware operation hands over to the application only when no configuration follows.
    if (options.firmware)
        appendOperation(operations, {EthernetFirmwarePath(masterDir), "0x8000", "1", options.readFirmware,
                                     "1", "0x78100", !options.config});
    if (options.config)
        appendOperation(operations, {layout::In(layout::ImageDir(activeConfigDir), layout::RequestImageFile),
                                     "0x60000", "2", options.readConfig, "0", "0x50100", true});
    return doc.toBytes();
}

void WriteEthernetUpdateFile(const QString& workspaceDir, const QString& deviceAddress,
                             const UpdateOptions& options, const QString& masterDir,
                             const QString& activeConfigDir)
{
    WriteFileAtomically(EthernetUpdateFilePath(workspaceDir),
                        EthernetUpdateBytes(deviceAddress, options, masterDir, activeConfigDir));
}

} // namespace veldrin
