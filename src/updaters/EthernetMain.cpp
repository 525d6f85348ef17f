#include "configuration/WorkspaceLayout.h"
#include "updaters/EthernetUpdater.h"
#include "updaters/UpdaterMain.h"

int main(int argc, char* argv[])
{
    using namespace veldrin::updaters;
    return RunUpdaterProgram(argc, argv, QLatin1String(veldrin::layout::EthernetUpdaterProgram),
                             &RunEthernetUpdater);
}
