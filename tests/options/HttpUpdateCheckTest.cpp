#include "options/HttpUpdateCheck.h"

#include "support/LocalHttpServer.h"
#include "support/WaitUntil.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

namespace veldrin {
namespace {

const QString QueryPath = QStringLiteral("/home/download/GetversionSW.asp?nomesw=PK30418");

struct Answer {
    bool newer;
    // Whether the check counts it as the server's answer.
    bool answered;
    bool operator==(const Answer&) const = default;
};

void PrintTo(const Answer& a, std::ostream* os)
{
    *os << "newer " << a.newer << ", answered " << a.answered;
}

// Runs one query against the server; gives the answer, or nothing when none came in time.
std::optional<Answer> query(test::LocalHttpServer& server, int deadlineMs = 2000)
{
    HttpUpdateCheck check(nullptr, server.url(QueryPath), deadlineMs);
    QSignalSpy answered(&check, &UpdateCheck::finished);
    check.start();
    EXPECT_TRUE(check.isRunning());
    if (!test::WaitUntil([&] { return !answered.isEmpty(); }, deadlineMs + 3000))
        return std::nullopt;
    EXPECT_FALSE(check.isRunning());
    return Answer{answered.at(0).at(0).toBool(), check.answered()};
}

TEST(HttpUpdateCheck, AsksForThisBuildsVersionWithTheFixedHeaders)
{
    EXPECT_EQ(HttpUpdateCheck::VersionQueryUrl().path(), QStringLiteral("/home/download/GetversionSW.asp"));
    EXPECT_EQ(HttpUpdateCheck::VersionQueryUrl().query(), QStringLiteral("nomesw=PK30418"));

    test::LocalHttpServer server;
    server.response = test::LocalHttpServer::Answer("200 OK", "VER. 2.004", "Set-Cookie: session=1\r\n");
    EXPECT_EQ(query(server), (Answer{true, true}));
    EXPECT_EQ(query(server), (Answer{true, true}));
    ASSERT_EQ(server.requests.size(), 2);
    const QByteArray request = server.requests[1];
    EXPECT_TRUE(request.startsWith("GET " + QueryPath.toLatin1() + " HTTP/1.")) << request.toStdString();
    EXPECT_TRUE(
        request.contains("\r\nAccept: text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8\r\n"));
    EXPECT_TRUE(request.contains("\r\nUser-Agent: Mozilla/3.0 (compatible; Indy Library)\r\n"));
    EXPECT_TRUE(request.contains("\r\nAccept-Encoding: identity\r\n")) << "no compression";
    EXPECT_FALSE(request.contains("Cookie")) << "cookies are not kept";
}

struct AnswerCase {
    const char* what;
    QByteArray response;
    Answer answer;
};

class ServerAnswers : public ::testing::TestWithParam<AnswerCase> {};

TEST_P(ServerAnswers, OnlyAGoodAnswerNamingANewerVersionIsYesAndOnlyAGoodAnswerIsAnAnswer)
{
    test::LocalHttpServer server;
    server.response = GetParam().response;
    EXPECT_EQ(query(server), GetParam().answer) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ServerAnswers,
    ::testing::Values(
        AnswerCase{"same version", test::LocalHttpServer::Answer("200 OK", "VER. 2.003"), {false, true}},
        AnswerCase{"newer, blanks around",
                   test::LocalHttpServer::Answer("200 OK", " VER. 2.010 \r\n"),
                   {true, true}},
        AnswerCase{"not found", test::LocalHttpServer::Answer("404 Not Found", "VER. 9.999"), {false, false}},
        AnswerCase{"server error",
                   test::LocalHttpServer::Answer("500 Internal Server Error", "VER. 9.999"),
                   {false, false}},
        AnswerCase{"redirect",
                   test::LocalHttpServer::Answer("302 Found", "VER. 9.999", "Location: /elsewhere\r\n"),
                   {false, false}},
        AnswerCase{"a page",
                   test::LocalHttpServer::Answer("200 OK", "<html><title>Maintenance</title></html>"),
                   {false, true}},
        AnswerCase{"a huge body",
                   test::LocalHttpServer::Answer("200 OK", "VER. 9.999" + QByteArray(100000, ' ')),
                   {false, false}},
        AnswerCase{"not HTTP", QByteArray("garbage\r\n\r\n"), {false, false}}));

TEST(HttpUpdateCheck, ASilentServerIsNoWithinTheDeadline)
{
    test::LocalHttpServer server;
    server.response = QByteArray(); // never answers
    EXPECT_EQ(query(server, 300), (Answer{false, false}));
}

TEST(HttpUpdateCheck, NoServerIsNo)
{
    // A port that was free a moment ago: the connection is refused.
    QTcpServer probe;
    ASSERT_TRUE(probe.listen(QHostAddress::LocalHost, 0));
    const quint16 port = probe.serverPort();
    probe.close();
    HttpUpdateCheck check(nullptr, QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(port).arg(QueryPath)),
                          2000);
    QSignalSpy answered(&check, &UpdateCheck::finished);
    check.start();
    ASSERT_TRUE(test::WaitUntil([&] { return !answered.isEmpty(); }));
    EXPECT_FALSE(answered.at(0).at(0).toBool());
    EXPECT_FALSE(check.answered());
}

TEST(HttpUpdateCheck, NeverRunsTwiceAtOnce)
{
    test::LocalHttpServer server;
    server.response = QByteArray();
    HttpUpdateCheck check(nullptr, server.url(QueryPath), 300);
    QSignalSpy answered(&check, &UpdateCheck::finished);
    check.start();
    check.start();
    ASSERT_TRUE(test::WaitUntil([&] { return !answered.isEmpty(); }, 3000));
    EXPECT_FALSE(test::WaitUntil([&] { return answered.size() > 1; }, 100)) << "a second answer came";
    EXPECT_EQ(answered.size(), 1);
    EXPECT_LE(server.requests.size(), 1);
}

} // namespace
} // namespace veldrin
