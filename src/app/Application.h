// The configurator as a whole: its shared state, its message boxes and its windows.
#pragma once

#include "app/AppState.h"
#include "app/Startup.h"
#include "common/MessageBoxPrompts.h"

#include <QString>

#include <memory>

namespace veldrin {

class TFVeldrineFirmWare;

class Application {
public:
    // Runs the start-up sequence for programDir and creates the windows, main window first.
    Application(const QString& programDir, Prompts* prompts = nullptr);
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
    Prompts& m_prompts;
    std::unique_ptr<TFVeldrineFirmWare> m_mainWindow;
};

} // namespace veldrin
