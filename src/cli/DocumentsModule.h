// The documents module of veldrin-cli: the commands that lay out documents (the commissioning
// report), with the GUI library and fonts they need. veldrin-cli loads it from its folder for
// those commands only, so every other command starts without that library.
#pragma once

namespace veldrin::cli {

inline constexpr char DocumentsModuleFile[] = "veldrin_documents";

// The commands that need the module.
bool NeedsDocumentsModule(const char* command);

// The module's one entry point, int veldrin_documents_main(int argc, char** argv): the whole
// program, run with a GUI application of its own; no application object may exist when it is
// called.
inline constexpr char DocumentsMainEntry[] = "veldrin_documents_main";
using DocumentsMainFunction = int (*)(int argc, char** argv);

// Loads the module from the program's folder and runs the program through it; when it cannot be
// loaded, says so and gives exit code 1.
int RunInDocumentsModule(int argc, char** argv);

} // namespace veldrin::cli
