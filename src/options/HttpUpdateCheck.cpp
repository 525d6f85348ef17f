#include "options/HttpUpdateCheck.h"

#include "options/VersionCheck.h"

#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QNetworkRequest>

namespace veldrin {

HttpUpdateCheck::HttpUpdateCheck(QObject* parent, QUrl url, int deadlineMs)
    : UpdateCheck(parent), m_url(std::move(url))
{
    m_deadline.setSingleShot(true);
    m_deadline.setInterval(deadlineMs);
    // Qt's own transfer time-out restarts on every byte; this one bounds the whole query.
    connect(&m_deadline, &QTimer::timeout, this, [this] {
        if (m_reply)
            m_reply->abort();
    });
}

HttpUpdateCheck::~HttpUpdateCheck()
{
    if (m_reply) {
        m_reply->disconnect(this);
        m_reply->abort();
    }
}

void HttpUpdateCheck::start()
{
    if (m_reply)
        return;
    if (!m_network) {
        // Made at the first query, not at start-up: most runs never ask.
        m_network = new QNetworkAccessManager(this);
        // No proxy from the environment and no cookies: the query is one plain request.
        m_network->setProxy(QNetworkProxy::NoProxy);
        m_network->setRedirectPolicy(QNetworkRequest::ManualRedirectPolicy);
    }
    QNetworkRequest request(m_url);
    request.setRawHeader("Accept", "text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8");
    request.setRawHeader("User-Agent", "Mozilla/3.0 (compatible; Indy Library)");
    // Asking for the identity encoding also stops Qt from offering and unpacking gzip.
    request.setRawHeader("Accept-Encoding", "identity");
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
    request.setAttribute(QNetworkRequest::CookieLoadControlAttribute, QNetworkRequest::Manual);
    request.setAttribute(QNetworkRequest::CookieSaveControlAttribute, QNetworkRequest::Manual);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    request.setAttribute(QNetworkRequest::Http2AllowedAttribute, false);

    m_answer.clear();
    m_tooLarge = false;
    m_reply = m_network->get(request);
    m_reply->setReadBufferSize(MaxAnswerSize + 1);
    connect(m_reply, &QNetworkReply::readyRead, this, &HttpUpdateCheck::readSome);
    connect(m_reply, &QNetworkReply::finished, this, &HttpUpdateCheck::complete);
    m_deadline.start();
}

void HttpUpdateCheck::readSome()
{
    m_answer += m_reply->read(MaxAnswerSize + 1 - m_answer.size());
    if (m_answer.size() > MaxAnswerSize) {
        m_tooLarge = true;
        m_reply->abort();
    }
}

void HttpUpdateCheck::complete()
{
    m_deadline.stop();
    QNetworkReply* reply = m_reply;
    m_reply = nullptr;
    if (!m_tooLarge)
        m_answer += reply->read(MaxAnswerSize + 1 - m_answer.size());
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    m_answered = reply->error() == QNetworkReply::NoError && status == 200 && !m_tooLarge &&
                 m_answer.size() <= MaxAnswerSize;
    reply->deleteLater();
    Q_EMIT finished(m_answered && IsNewerVersion(QString::fromUtf8(m_answer)));
}

} // namespace veldrin

// Built here rather than with the other meta-object code of the core, so that only a program
// that uses this class links the network library. The syntax-only Windows check runs no moc;
// a real build without it fails to link.
#if __has_include("moc_HttpUpdateCheck.cpp")
#include "moc_HttpUpdateCheck.cpp" // NOLINT(bugprone-suspicious-include): built here on purpose
#endif
