// The configurator as a whole: its shared state, its services and its windows.
#pragma once

#include "common/MessageBoxPrompts.h"
#include "online/ModulePollService.h"
#include "online/ModuleSerialPortLister.h"
#include "online/ModuleUpdateCheck.h"
#include "online/OnlineModule.h"
#include "services/Clock.h"
#include "services/DesktopUrlOpener.h"
#include "services/DialogFileChooser.h"
#include "services/ProcessRunner.h"
#include "services/Services.h"
#include "session/AppState.h"
#include "session/Startup.h"
#include "session/WorkspaceLocation.h"
#include "update/SystemIcmpEcho.h"

#include <QString>

#include <memory>

namespace veldrin {

class TFVeldrineFirmWare;

class Application {
public:
    // Runs the start-up sequence for the workspace at where and creates the windows, main
    // window first. Services left null are the real ones.
    explicit Application(const WorkspaceLocation& where, Services services = {});
    // The same for a portable folder: everything in programDir.
    explicit Application(const QString& programDir, Services services = {});
    ~Application();

    AppState& state() { return m_state; }
    TFVeldrineFirmWare& mainWindow() { return *m_mainWindow; }
    const StartupResult& startup() const { return m_startup; }

    // Shows the main window and, once, the start-up warning if there is one.
    void show();

private:
    AppState m_state;
    StartupResult m_startup;
    MessageBoxPrompts m_messageBoxes;
    DesktopUrlOpener m_desktopUrls;
    // The version query and the serial ports come from the online module, loaded at first use.
    OnlineModule m_online;
    ModuleUpdateCheck m_httpUpdates;
    ProcessRunner m_processes;
    ModuleSerialPortLister m_systemPorts;
    ModulePollService m_modulePolls;
    SystemIcmpEcho m_systemEcho;
    SteadyClock m_steadyClock;
    DialogFileChooser m_fileDialogs;
    Services m_services;
    std::unique_ptr<TFVeldrineFirmWare> m_mainWindow;
};

} // namespace veldrin
