#include "app/Application.h"

#include "app/TFVeldrineFirmWare.h"

#include <QTimer>

namespace veldrin {

Application::Application(const QString& programDir, Prompts* prompts)
    : m_prompts(prompts ? *prompts : m_messageBoxes)
{
    m_startup = RunStartup(m_state, programDir);
    m_mainWindow = std::make_unique<TFVeldrineFirmWare>(m_state, m_prompts);
}

Application::~Application() = default;

void Application::show()
{
    m_mainWindow->show();
    if (!m_startup.Warning.isEmpty()) {
        const QString warning = m_startup.Warning;
        QTimer::singleShot(0, m_mainWindow.get(), [this, warning] { m_prompts.warning(warning); });
    }
}

} // namespace veldrin
