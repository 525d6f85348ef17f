#include "update/UpdateRoute.h"

#include "common/VeldrinError.h"
#include "configuration/WorkspaceLayout.h"
#include "image/DeviceImages.h"
#include "lang/StringTable.h"
#include "projects/Configurations.h"
#include "session/AppState.h"
#include "session/DeviceType.h"

#include <QFileInfo>

namespace veldrin {
namespace {

constexpr int UpdaterBusyText = 201; // "An updater started earlier is still running. ..."

} // namespace

UpdateRoute PrepareUpdate(const AppState& state, bool updaterRunning)
{
    using Kind = UpdateRoute::Kind;
    if (updaterRunning)
        return {Kind::Refused, UpdaterBusyMessage(state.Strings)};
    if (!QFileInfo(state.ActiveConfigDir).isDir())
        return {Kind::Refused, ConfigurationGoneMessage(state.Settings.ActiveConfigName,
                                                        state.ActiveConfigDir, state.Strings)};
    try {
        CompileConfigurationImages(state.ParGenPath, state.SetAccessPath,
                                   layout::ImageDir(state.ActiveConfigDir));
    } catch (const VeldrinError& error) {
        return {Kind::Refused, error.message()};
    }
    return {ReadDeviceType(state.ParGenPath) == 1 ? Kind::Ethernet : Kind::Serial, {}};
}

QString UpdaterBusyMessage(const StringTable& strings)
{
    return strings[UpdaterBusyText];
}

} // namespace veldrin
