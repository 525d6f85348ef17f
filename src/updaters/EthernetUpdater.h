// Ethernet_Update: performs the operations that Ethernet_Update.xml, in the workspace, lists
// for the device at an IPv4 address: write a file into a bank of the device, read it back.
#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>
#include <vector>

namespace veldrin::updaters {

class UpdaterReport;

// The device's banks: 1 holds the firmware, 2 the configuration (bank2.bin).
inline constexpr int FirmwareBank = 1;
inline constexpr int ConfigurationBank = 2;

// One Operation of the file.
struct EthernetOperation {
    // 1 for the first Operation.
    int Number = 0;
    // The device's address: Ope_IP_Address, or IP_Address_Dev when that is empty.
    QString Device;
    int BankType = 0;
    QString FileName;
    std::int64_t StartAddress = 0;
    bool ReadBack = false;
    bool GoToAppAfter = false;
};

struct EthernetRequest {
    QString Title;
    // IP_Address_Dev in dotted decimal.
    QString Device;
    int BootPort = 0;
    int BootPortSec = 0;
    std::vector<EthernetOperation> Operations;
};

// Reads and checks Ethernet_Update.xml at path; every problem found goes to problems. A relative
// Ope_FileName is taken from the file's folder. Only the form is checked here, not the files named.
EthernetRequest ReadEthernetRequest(const QString& path, QStringList& problems);

// Reads workspaceDir/Ethernet_Update.xml and the files it names, reports every problem, then
// performs the operations on the device emulated in workspaceDir/DEVICES/<address>. arguments
// must be empty: the program takes everything from the file. Gives the exit code.
int RunEthernetUpdater(const QStringList& arguments, const QString& workspaceDir, UpdaterReport& report);

} // namespace veldrin::updaters
