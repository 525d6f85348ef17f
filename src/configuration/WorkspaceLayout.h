// Where the system's files lie: beside the programs, in a configuration's folder and in its
// image folder. The one place for these names.
#pragma once

#include <QString>

namespace veldrin::layout {

// The updater programs beside the configurator (".exe" added on Windows).
inline constexpr char SerialUpdaterProgram[] = "Ser_30418_Update";
inline constexpr char EthernetUpdaterProgram[] = "Ethernet_Update";

// Beside the programs: a file that keeps the folder portable even where it cannot be written,
// and the file an installation marks its program folder with, naming its data folder (the
// shipped LANGUAGE, MASTER, PROJECTS and translations) relative to the program folder.
inline constexpr char PortableMarkerFile[] = "portable";
inline constexpr char InstalledMarkerFile[] = "installed";

// The workspace of an installed configurator: this folder in the user's data folder.
inline constexpr char UserWorkspaceFolder[] = "Veldrin";
// In it: the checksum of each shipped file as it was copied there, as sha256sum writes them.
inline constexpr char ShippedRecordFile[] = "Shipped.sha256";

// In the workspace: beside the programs in a portable folder, else in the user's data folder.
inline constexpr char SettingsFile[] = "Veldrin.xml";
inline constexpr char LockFile[] = "Veldrin.lock";
inline constexpr char MasterFolder[] = "MASTER";
inline constexpr char ProjectsFolder[] = "PROJECTS";
inline constexpr char LanguageFolder[] = "LANGUAGE";
// Qt's own texts (message box buttons, context menus) for the shipped languages.
inline constexpr char QtTranslationsFolder[] = "translations";
inline constexpr char EthernetUpdateFile[] = "Ethernet_Update.xml";
// The devices the stand-in updaters emulate, one folder each.
inline constexpr char DevicesFolder[] = "DEVICES";

// In MASTER: the firmware each updater loads.
inline constexpr char SerialFirmwareFile[] = "sim30418.sim";
inline constexpr char EthernetFirmwareFile[] = "Sim30418K.sim";

// In LANGUAGE: the flag shown for a language without one of its own.
inline constexpr char DefaultFlagFile[] = "DefaultFlag.bmp";

// In a configuration's folder.
inline constexpr char ParGenFile[] = "ParGen.xml";
inline constexpr char SetAccessFile[] = "ModbusM_SetAccess.xml";
inline constexpr char ImageFolder[] = "bin";

// In its image folder.
inline constexpr char GeneralImageFile[] = "bank.bin";
inline constexpr char RequestImageFile[] = "bank2.bin";

// dir + "/" + name.
inline QString In(const QString& dir, const char* name)
{
    return dir + u'/' + QLatin1String(name);
}

inline QString ParGenPath(const QString& configDir)
{
    return In(configDir, ParGenFile);
}
inline QString SetAccessPath(const QString& configDir)
{
    return In(configDir, SetAccessFile);
}
inline QString ImageDir(const QString& configDir)
{
    return In(configDir, ImageFolder);
}

} // namespace veldrin::layout
