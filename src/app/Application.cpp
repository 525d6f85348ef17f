#include "app/Application.h"

#include "app/TFVeldrineFirmWare.h"
#include "options/HttpUpdateCheck.h"

#include <QTimer>

namespace veldrin {

Application::Application(const QString& programDir, Services services)
    : Application(WorkspaceLocation::Portable(programDir), services)
{}

Application::Application(const WorkspaceLocation& where, Services services)
    : m_online(where.ProgramDir),
      m_httpUpdates(m_online, VersionQueryOfThisBuild(), HttpUpdateCheck::DefaultDeadlineMs),
      m_systemPorts(m_online), m_modulePolls(m_online), m_services(services)
{
    if (!m_services.prompts)
        m_services.prompts = &m_messageBoxes;
    if (!m_services.urls)
        m_services.urls = &m_desktopUrls;
    if (!m_services.updates)
        m_services.updates = &m_httpUpdates;
    if (!m_services.runner)
        m_services.runner = &m_processes;
    if (!m_services.serialPorts)
        m_services.serialPorts = &m_systemPorts;
    if (!m_services.echo)
        m_services.echo = &m_systemEcho;
    if (!m_services.clock)
        m_services.clock = &m_steadyClock;
    if (!m_services.files)
        m_services.files = &m_fileDialogs;
    if (!m_services.polls)
        m_services.polls = &m_modulePolls;
    m_startup = RunStartup(m_state, where);
    m_mainWindow = std::make_unique<TFVeldrineFirmWare>(m_state, m_services);
}

Application::~Application() = default;

void Application::show()
{
    m_mainWindow->show();
    if (!m_startup.Warning.isEmpty()) {
        const QString warning = m_startup.Warning;
        QTimer::singleShot(0, m_mainWindow.get(), [this, warning] { m_services.prompts->warning(warning); });
    }
}

} // namespace veldrin
