// The start-up sequence: state, settings and language selection with a language file present.
#include "session/AppState.h"
#include "session/Startup.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

void BM_Startup(benchmark::State& state)
{
    QTemporaryDir dir;
    QDir(dir.path()).mkpath(QStringLiteral("LANGUAGE"));
    QDir(dir.path()).mkpath(QStringLiteral("PROJECTS/Demo"));
    QByteArray language = "; a complete language file\n";
    for (int i = 0; i < 179; ++i)
        language +=
            "STR" + QByteArray::number(i) + " = Testo numero " + QByteArray::number(i) + " /#/ note\n";
    writeFile(dir.filePath(QStringLiteral("LANGUAGE/Italiano.lng")), language);
    writeFile(dir.filePath(QStringLiteral("Veldrin.xml")),
              "<Conf_Settings><lastproj><projectname>Demo</projectname></lastproj><lastipadd><ipaddress>"
              "192.168.2.205</ipaddress></lastipadd><lastlang><language>Italiano</language></lastlang>"
              "<lastinternet><enable_internet>0</enable_internet><enable_update>0</enable_update>"
              "</lastinternet></Conf_Settings>");
    for (auto _ : state) {
        veldrin::AppState app;
        veldrin::RunStartup(app, dir.path());
        benchmark::DoNotOptimize(app.Strings.texts().constData());
    }
}
BENCHMARK(BM_Startup)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
