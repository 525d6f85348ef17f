// The echo service over the real system. Every request goes to 127.0.0.1 and nowhere else.
#include "update/LinuxIcmpEcho.h"

#include "support/TempProgramDir.h"
#include "support/WaitUntil.h"

#include <QFile>

#include <gtest/gtest.h>

namespace veldrin {
namespace {

using Way = LinuxIcmpEcho::Way;

const QString Loopback = QStringLiteral("127.0.0.1");

// Sends one request and waits (at most 3 s) for its answer, then settleMs longer to see that no
// second answer follows.
std::optional<EchoReply> sendAndWait(LinuxIcmpEcho& echo, const QString& address, const QByteArray& data,
                                     int settleMs = 0)
{
    std::optional<EchoReply> answer;
    int answers = 0;
    const auto connection = QObject::connect(&echo, &IcmpEcho::replied, [&](const EchoReply& reply) {
        answer = reply;
        ++answers;
    });
    echo.send(address, data, 400);
    EXPECT_FALSE(answer) << "answered from inside send()";
    if (test::WaitUntil([&] { return answers > 0; }, 3000)) {
        // Nothing more comes for the same request.
        EXPECT_FALSE(test::WaitUntil([&] { return answers > 1; }, settleMs)) << "a second answer came";
    }
    QObject::disconnect(connection);
    return answer;
}

class EachWay : public ::testing::TestWithParam<Way> {};

TEST_P(EachWay, LoopbackAnswersWithTheDataSent)
{
    LinuxIcmpEcho echo;
    echo.setWay(GetParam());
    const QByteArray data("127.0.0.1");
    // Past the 400 ms of the request, so a time-out reported after the reply would show.
    const std::optional<EchoReply> first = sendAndWait(echo, Loopback, data, 450);
    ASSERT_TRUE(first);
    if (first->status == EchoReply::Status::NotPermitted)
        GTEST_SKIP() << "this system does not permit this way: " << first->reason.toStdString();
    EXPECT_EQ(first->status, EchoReply::Status::Replied) << first->reason.toStdString();
    EXPECT_EQ(first->bytesReceived, data.size());
    EXPECT_EQ(echo.wayInUse(), GetParam());

    // A second request matches its own reply, not a leftover of the first.
    const std::optional<EchoReply> second = sendAndWait(echo, Loopback, QByteArray("abc"));
    ASSERT_TRUE(second);
    EXPECT_EQ(second->status, EchoReply::Status::Replied);
    EXPECT_EQ(second->bytesReceived, 3);
}

INSTANTIATE_TEST_SUITE_P(Ways, EachWay, ::testing::Values(Way::Datagram, Way::Raw, Way::Program),
                         [](const ::testing::TestParamInfo<Way>& way) {
                             switch (way.param) {
                             case Way::Datagram:
                                 return "Datagram";
                             case Way::Raw:
                                 return "Raw";
                             case Way::Program:
                                 return "Program";
                             case Way::Automatic:
                                 break;
                             }
                             return "Automatic";
                         });

TEST(LinuxIcmpEcho, TheFirstWayTheSystemPermitsIsTaken)
{
    LinuxIcmpEcho echo;
    const std::optional<EchoReply> reply = sendAndWait(echo, Loopback, QByteArray("x"));
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->status, EchoReply::Status::Replied) << reply->reason.toStdString();
    EXPECT_NE(echo.wayInUse(), Way::Automatic);
}

TEST(LinuxIcmpEcho, ANameOrAnyOtherTextIsAnErrorAndNothingIsLookedUp)
{
    LinuxIcmpEcho echo;
    for (const char* address : {"localhost", "127.1", "0x7f.0.0.1", " 127.0.0.1", ""}) {
        const std::optional<EchoReply> reply = sendAndWait(echo, QString::fromLatin1(address), "x");
        ASSERT_TRUE(reply) << address;
        EXPECT_EQ(reply->status, EchoReply::Status::Error) << address;
    }
}

TEST(LinuxIcmpEcho, WithoutAnyPermittedWayTheAnswerSaysWhatToChange)
{
    test::TempProgramDir dir;
    // A ping program the system refuses, as an unprivileged one without its rights would be.
    dir.write(QStringLiteral("ping"),
              "#!/bin/sh\necho 'ping: socket: Operation not permitted' >&2\nexit 2\n");
    QFile::setPermissions(dir.file(QStringLiteral("ping")),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    for (const QString& program :
         {dir.file(QStringLiteral("ping")), dir.file(QStringLiteral("missing-ping"))}) {
        LinuxIcmpEcho echo;
        echo.setWay(Way::Program);
        echo.setPingProgram(program);
        const std::optional<EchoReply> reply = sendAndWait(echo, Loopback, "x");
        ASSERT_TRUE(reply);
        EXPECT_EQ(reply->status, EchoReply::Status::NotPermitted) << program.toStdString();
        // What refused: the program's own words, or that it could not be started.
        EXPECT_TRUE(reply->reason.contains(QStringLiteral("not permitted")) ||
                    reply->reason.contains(QStringLiteral("could not be started")))
            << reply->reason.toStdString();
    }
}

} // namespace
} // namespace veldrin
