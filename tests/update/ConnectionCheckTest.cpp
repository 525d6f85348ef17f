#include "update/ConnectionCheck.h"

#include "support/FakeClock.h"
#include "support/FakeIcmpEcho.h"
#include "support/WaitUntil.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

namespace veldrin {
namespace {

using Outcome = ConnectionCheck::Outcome;
using test::FakeIcmpEcho;

class Check : public ::testing::Test {
protected:
    // Runs a check to its end; the fakes take no real time.
    std::optional<Outcome> run(const QString& address)
    {
        std::optional<Outcome> outcome;
        QObject::connect(
            &check, &ConnectionCheck::finished, &check, [&outcome](Outcome o) { outcome = o; },
            Qt::SingleShotConnection);
        check.start(address);
        EXPECT_TRUE(test::WaitUntil([&] { return !check.isRunning(); })) << "the check did not end";
        return outcome;
    }
    qint64 elapsedMs() const { return clock.now - start; }

    test::FakeClock clock;
    const qint64 start = clock.now;
    FakeIcmpEcho echo{&clock};
    ConnectionCheck check{echo, clock};
};

TEST_F(Check, ADeviceIsFoundAfterTwoRepliesWithData)
{
    echo.script = {FakeIcmpEcho::reply(9)};
    EXPECT_EQ(run(QStringLiteral("127.0.0.1")), Outcome::Found);
    ASSERT_EQ(echo.requests.size(), 2);
    EXPECT_EQ(echo.requests[0].address, QStringLiteral("127.0.0.1"));
    EXPECT_EQ(echo.requests[0].data, QByteArray("127.0.0.1")) << "the request carries the address";
    EXPECT_EQ(echo.requests[0].timeoutMs, 400);
    EXPECT_EQ(check.address(), QStringLiteral("127.0.0.1"));
}

TEST_F(Check, ASilentAddressIsGivenUpOnceTenSecondsHavePassed)
{
    echo.script = {FakeIcmpEcho::timeout()};
    EXPECT_EQ(run(QStringLiteral("192.168.2.205")), Outcome::NotFound);
    // Requests of 400 ms each while no more than 10 s have passed: the 26th ends past 10 s.
    EXPECT_EQ(echo.requests.size(), 26);
    EXPECT_EQ(elapsedMs(), 26 * 400);
}

TEST_F(Check, RepliesWithoutDataDoNotCountButTheLastReplyDecides)
{
    // One reply with data among silence is not two...
    echo.script = {FakeIcmpEcho::reply(9), FakeIcmpEcho::reply(0), FakeIcmpEcho::timeout()};
    EXPECT_EQ(run(QStringLiteral("10.0.0.2")), Outcome::NotFound);
    EXPECT_GT(elapsedMs(), 10000);

    // ...unless it is the last reply when the time is up.
    echo.requests.clear();
    echo.script.clear();
    for (int i = 0; i < 25; ++i)
        echo.script.append(FakeIcmpEcho::timeout());
    echo.script.append(FakeIcmpEcho::reply(9));
    echo.script.append(FakeIcmpEcho::timeout());
    echo.replyMs = 400;
    EXPECT_EQ(run(QStringLiteral("10.0.0.2")), Outcome::Found);
    EXPECT_EQ(echo.requests.size(), 26);
}

TEST_F(Check, AnErrorOrARefusalEndsTheCheckAtOnce)
{
    echo.script = {FakeIcmpEcho::timeout(),
                   {EchoReply::Status::Error, 0, QStringLiteral("Network is unreachable")}};
    EXPECT_EQ(run(QStringLiteral("10.0.0.2")), Outcome::Error);
    EXPECT_EQ(echo.requests.size(), 2);
    EXPECT_EQ(check.reason(), QStringLiteral("Network is unreachable"));

    echo.requests.clear();
    echo.script = {{EchoReply::Status::NotPermitted, 0, QStringLiteral("ping group range")}};
    EXPECT_EQ(run(QStringLiteral("10.0.0.2")), Outcome::NotPermitted);
    EXPECT_EQ(echo.requests.size(), 1);
    EXPECT_EQ(check.reason(), QStringLiteral("ping group range"));
}

TEST_F(Check, AnAddressNoDeviceCanHaveIsAnErrorWithNothingSent)
{
    for (const char* address : {"0.0.0.0", "0.10.20.30", "224.0.0.251", "255.255.255.255", "1.2.3",
                                "1.2.3.4.5", "a.b.c.d", "my-device", ""}) {
        EXPECT_EQ(run(QString::fromLatin1(address)), Outcome::Error) << address;
        EXPECT_TRUE(check.address().isEmpty()) << address;
    }
    EXPECT_TRUE(echo.requests.isEmpty());
}

TEST_F(Check, TheAddressIsSentInPlainDottedForm)
{
    echo.script = {FakeIcmpEcho::reply(11)};
    EXPECT_EQ(run(QStringLiteral(" 0127.0x0.0 .$FF")), Outcome::Found);
    EXPECT_EQ(echo.requests[0].address, QStringLiteral("127.0.0.255"));
    EXPECT_EQ(check.address(), QStringLiteral("127.0.0.255"));
}

TEST_F(Check, AStoppedCheckSendsNoMoreAndReportsNothing)
{
    echo.hold = true;
    bool reported = false;
    QObject::connect(&check, &ConnectionCheck::finished, [&reported] { reported = true; });
    check.start(QStringLiteral("10.0.0.2"));
    ASSERT_TRUE(test::WaitUntil([&] { return !echo.requests.isEmpty(); }));
    ASSERT_EQ(echo.requests.size(), 1);
    check.stop();
    EXPECT_EQ(echo.cancels, 1);
    echo.answerNow(FakeIcmpEcho::reply(9)); // too late
    QCoreApplication::processEvents();
    EXPECT_FALSE(reported);
    EXPECT_FALSE(check.isRunning());
    EXPECT_EQ(echo.requests.size(), 1);
}

} // namespace
} // namespace veldrin
