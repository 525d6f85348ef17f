// The platform services the windows use, so tests can put fakes in their place. A null
// entry is filled with the real service by the application.
#pragma once

namespace veldrin {

class Clock;
class FileChooser;
class IcmpEcho;
class PollService;
class ProgramRunner;
class Prompts;
class SerialPortLister;
class UpdateCheck;
class UrlOpener;

struct Services {
    Prompts* prompts = nullptr;
    UrlOpener* urls = nullptr;
    UpdateCheck* updates = nullptr;
    ProgramRunner* runner = nullptr;
    SerialPortLister* serialPorts = nullptr;
    IcmpEcho* echo = nullptr;
    Clock* clock = nullptr;
    FileChooser* files = nullptr;
    PollService* polls = nullptr;
};

} // namespace veldrin
