// An updater report for tests: keeps every line an updater shows.
#pragma once

#include "updaters/UpdaterReport.h"

#include <QStringList>

namespace veldrin::updaters::test {

class RecordingReport : public UpdaterReport {
public:
    void heading(const QString& text) override { Heading = text; }
    void info(const QString& text) override { Infos.append(text); }
    void beginStep(int number, int count, const QString& text) override
    {
        Steps.append(QStringLiteral("[%1/%2] %3").arg(number).arg(count).arg(text));
    }
    void progress(int percent) override { LastPercent = percent; }
    void endStep(const QString& result) override { Steps.last() += QStringLiteral(": ") + result; }
    void problem(const QString& text) override { Problems.append(text); }
    void finish(bool ok, const QString& summary) override
    {
        ++Finishes;
        Ok = ok;
        Summary = summary;
    }
    void pause(int) override {}

    // Everything, for failure messages.
    std::string dump() const
    {
        return (QStringList{Heading} + Infos + Steps + Problems + QStringList{Summary})
            .join(u'\n')
            .toStdString();
    }

    QString Heading;
    QStringList Infos;
    QStringList Steps;
    QStringList Problems;
    int LastPercent = -1;
    int Finishes = 0;
    bool Ok = false;
    QString Summary;
};

} // namespace veldrin::updaters::test
