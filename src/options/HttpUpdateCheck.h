// The version query over HTTP: one GET to the maker's server, bounded in time and size.
#pragma once

#include "options/UpdateCheck.h"
#include "options/VersionCheck.h"

#include <QByteArray>
#include <QTimer>
#include <QUrl>

class QNetworkAccessManager;
class QNetworkReply;

namespace veldrin {

class HttpUpdateCheck : public UpdateCheck {
    Q_OBJECT

public:
    // The query of this build: GET /home/download/GetversionSW.asp?nomesw=PK30418.
    static QUrl VersionQueryUrl() { return VersionQueryOfThisBuild(); }

    static constexpr int DefaultDeadlineMs = 10000;
    static constexpr qsizetype MaxAnswerSize = 4096;

    explicit HttpUpdateCheck(QObject* parent = nullptr, QUrl url = VersionQueryUrl(),
                             int deadlineMs = DefaultDeadlineMs);
    ~HttpUpdateCheck() override;

    void start() override;
    bool isRunning() const override { return m_reply != nullptr; }
    bool answered() const override { return m_answered; }

private:
    void readSome();
    void complete();

    QUrl m_url;
    QNetworkAccessManager* m_network = nullptr;
    QNetworkReply* m_reply = nullptr;
    QByteArray m_answer;
    bool m_tooLarge = false;
    bool m_answered = false;
    QTimer m_deadline;
};

} // namespace veldrin
