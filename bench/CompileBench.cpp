// The device image compiler end to end: ParGen.xml and a full ModbusM_SetAccess.xml (512 read
// and 512 write requests) into both images in memory.
#include "common/XmlDoc.h"
#include "image/DeviceImages.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

using veldrin::XmlDoc;
using veldrin::XmlNode;

void writeParGen(const QString& path)
{
    XmlDoc doc;
    XmlNode root = doc.appendElement(QStringLiteral("GeneralParameter"));
    doc.appendComment(QStringLiteral("SW_VERSION = 2.003"));
    const char* const elements[][2] = {
        {"Device_Type", "1"}, {"IP1", "192"},    {"IP2", "168"},       {"IP3", "0"},    {"IP4", "5"},
        {"SUB1", "255"},      {"SUB2", "255"},   {"SUB3", "255"},      {"SUB4", "0"},   {"GAT1", "192"},
        {"GAT2", "168"},      {"GAT3", "0"},     {"GAT4", "1"},        {"EN_GAT", "1"}, {"PORT", "10001"},
        {"PROT_TYPE", "0"},   {"Sel_Ser", "1"},  {"Baud_Rate", "4"},   {"Parity", "2"}, {"Time_Out", "500"},
        {"Comm_Idle", "50"},  {"Ser_Prot", "0"}, {"Ser_StopBits", "0"}};
    for (const auto& [name, text] : elements)
        root.appendTextElement(QLatin1String(name), QLatin1String(text));
    doc.save(path);
}

// Rows of every type, with texts of the lengths the dialog writes.
void writeSetAccess(const QString& path)
{
    XmlDoc doc;
    XmlNode root = doc.appendElement(QStringLiteral("EtherNetIP_to_Modbus"));
    XmlNode reads = root.appendElement(QStringLiteral("Modbus_Read"));
    const QString readTypes[] = {QStringLiteral("Coil Status"), QStringLiteral("Input Status"),
                                 QStringLiteral("Holding Register"), QStringLiteral("Input Register")};
    for (int i = 0; i < 512; ++i) {
        XmlNode row = reads.appendElement(QStringLiteral("row"));
        const bool bits = i % 4 < 2;
        row.setAttribute(QStringLiteral("Slave_ID"), QString::number(1 + i % 247));
        row.setAttribute(QStringLiteral("Type"), readTypes[i % 4]);
        row.setAttribute(QStringLiteral("Address"), QString::number(i * 100));
        row.setAttribute(QStringLiteral("NPoint"), QString::number(bits ? 16 : 1));
        row.setAttribute(QStringLiteral("PollTime"), QStringLiteral("1000"));
        row.setAttribute(QStringLiteral("MaxError"), QStringLiteral("3"));
        row.setAttribute(QStringLiteral("Position"), QString::number(i % 999));
        row.setAttribute(QStringLiteral("Bit"), bits ? QStringLiteral("0") : QString());
        row.setAttribute(QStringLiteral("Mnemonic"), QStringLiteral("Read request %1").arg(i));
    }
    XmlNode writes = root.appendElement(QStringLiteral("Modbus_Write"));
    for (int i = 0; i < 512; ++i) {
        XmlNode row = writes.appendElement(QStringLiteral("row"));
        const bool bits = i % 2 == 0;
        row.setAttribute(QStringLiteral("Slave_ID"), QString::number(1 + i % 247));
        row.setAttribute(QStringLiteral("Type"),
                         bits ? QStringLiteral("Coil Status") : QStringLiteral("Holding Register"));
        row.setAttribute(QStringLiteral("Address"), QString::number(i * 10));
        row.setAttribute(QStringLiteral("NPoint"), QString::number(1 + i % 3));
        row.setAttribute(QStringLiteral("PollTime"), QStringLiteral("500"));
        row.setAttribute(QStringLiteral("OnChange"), i % 3 == 0 ? QStringLiteral("Y") : QStringLiteral("N"));
        row.setAttribute(QStringLiteral("MaxError"), QStringLiteral("0"));
        row.setAttribute(QStringLiteral("Position"), QString::number(i % 990));
        row.setAttribute(QStringLiteral("Bit"), bits ? QStringLiteral("3") : QString());
        row.setAttribute(QStringLiteral("Mnemonic"), QStringLiteral("Write request %1").arg(i));
    }
    doc.save(path);
}

void BM_CompileFullConfiguration(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString parGen = dir.filePath(QStringLiteral("ParGen.xml"));
    const QString setAccess = dir.filePath(QStringLiteral("ModbusM_SetAccess.xml"));
    writeParGen(parGen);
    writeSetAccess(setAccess);
    for (auto _ : state) {
        const veldrin::DeviceImages images = veldrin::CompileDeviceImages(parGen, setAccess);
        if (images.Counts.RequestCount != 1024)
            state.SkipWithError("the configuration did not compile to 1024 requests");
        benchmark::DoNotOptimize(images.RequestImage.constData());
    }
}
BENCHMARK(BM_CompileFullConfiguration)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
