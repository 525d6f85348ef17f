#include "online/OnlineModule.h"

#include "online/ModuleSerialPortLister.h"
#include "online/ModuleUpdateCheck.h"
#include "support/LocalHttpServer.h"
#include "support/TestData.h"
#include "update/SerialPorts.h"

#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace veldrin {
namespace {

// One query through the module; the answer, or nothing when none came in time.
std::optional<bool> query(ModuleUpdateCheck& check)
{
    QSignalSpy answered(&check, &UpdateCheck::finished);
    check.start();
    if (!answered.wait(5000))
        return std::nullopt;
    EXPECT_FALSE(check.isRunning());
    EXPECT_EQ(answered.size(), 1);
    return answered.at(0).at(0).toBool();
}

TEST(OnlineModule, AsksTheServerThroughTheModuleLoadedAtTheFirstQuery)
{
    OnlineModule module(test::DistDir());
    test::LocalHttpServer server;
    ModuleUpdateCheck check(module, server.url(QStringLiteral("/v?nomesw=PK30418")), 2000);
    EXPECT_FALSE(check.isRunning());

    for (const auto& [answer, newer] : {std::pair{QByteArray("VER. 9.999"), true},
                                        {QByteArray("VER. 0.000"), false},
                                        {QByteArray("VER. 2.004"), true}}) {
        server.response = test::LocalHttpServer::Answer("200 OK", answer);
        EXPECT_EQ(query(check), newer) << answer.toStdString();
        // The server's answer passes through the module as such.
        EXPECT_TRUE(check.answered()) << answer.toStdString();
    }
    server.response = test::LocalHttpServer::Answer("404 Not Found", "VER. 9.999");
    EXPECT_EQ(query(check), false);
    EXPECT_FALSE(check.answered());
    EXPECT_EQ(server.requests.size(), 4);
    EXPECT_TRUE(module.errorString().isEmpty()) << module.errorString().toStdString();
}

TEST(OnlineModule, ListsThePortsTheSystemKnows)
{
    OnlineModule module(test::DistDir());
    QStringList listed;
    for (const SerialPort& port : ModuleSerialPortLister(module).EnumPorts())
        listed.append(port.name);
    QStringList known;
    for (const SerialPort& port : SystemSerialPortLister().EnumPorts())
        known.append(port.name);
    EXPECT_EQ(listed, known);
    EXPECT_TRUE(module.errorString().isEmpty()) << module.errorString().toStdString();
}

TEST(OnlineModule, WithoutTheModuleAQueryFailsAsAnUnansweredOneAndNoPortIsListed)
{
    QTemporaryDir empty;
    OnlineModule module(empty.path());
    test::LocalHttpServer server;
    server.response = test::LocalHttpServer::Answer("200 OK", "VER. 9.999");
    ModuleUpdateCheck check(module, server.url(QStringLiteral("/v")), 2000);
    EXPECT_EQ(query(check), false);
    EXPECT_FALSE(check.answered());
    EXPECT_EQ(query(check), false);
    EXPECT_TRUE(server.requests.isEmpty());
    EXPECT_TRUE(ModuleSerialPortLister(module).EnumPorts().isEmpty());
    EXPECT_TRUE(module.errorString().contains(QStringLiteral("veldrin_online")))
        << module.errorString().toStdString();
}

} // namespace
} // namespace veldrin
