// The online module in the program folder, loaded the first time a service of it is asked for.
#pragma once

#include <QString>

namespace veldrin {

class OnlineServices;

class OnlineModule {
public:
    // The module is looked for in folder, under the name FileName.
    explicit OnlineModule(QString folder) : m_folder(std::move(folder)) {}

    static constexpr char FileName[] = "veldrin_online";

    // The module's services, loaded now if they are not yet; null when the module cannot be
    // loaded, which errorString() then explains. A failed load is not tried again.
    OnlineServices* services();
    const QString& errorString() const { return m_error; }

private:
    QString m_folder;
    bool m_tried = false;
    OnlineServices* m_services = nullptr;
    QString m_error;
};

} // namespace veldrin
