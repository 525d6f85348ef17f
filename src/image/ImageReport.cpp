#include "image/ImageReport.h"

#include "common/Ipv4Address.h"
#include "configuration/WorkspaceLayout.h"
#include "image/GeneralImage.h"
#include "image/ImageDecoder.h"
#include "image/ParameterBlock.h"

#include <QJsonArray>

namespace veldrin {

QJsonObject GeneralImageReport(const QByteArray& bytes)
{
    const DecodedGeneralImage image = DecodeGeneralImage(bytes);
    const bool headerOk = image.Header == GeneralImageHeader;
    QJsonObject report{{QStringLiteral("kind"), QLatin1String(layout::GeneralImageFile)},
                       {QStringLiteral("size"), bytes.size()},
                       {QStringLiteral("header"), qint64(image.Header)},
                       {QStringLiteral("headerOk"), headerOk}};
    if (image.Fields) {
        const GeneralImageFields& f = *image.Fields;
        report.insert(QStringLiteral("fields"), QJsonObject{{QStringLiteral("IP"), DottedQuad(f.IP)},
                                                            {QStringLiteral("SUB"), DottedQuad(f.SUB)},
                                                            {QStringLiteral("GAT"), DottedQuad(f.GAT)},
                                                            {QStringLiteral("EN_GAT"), f.EN_GAT},
                                                            {QStringLiteral("PORT"), f.PORT},
                                                            {QStringLiteral("PROT_TYPE"), f.PROT_TYPE},
                                                            {QStringLiteral("Baud_Rate"), f.Baud_Rate},
                                                            {QStringLiteral("Parity"), f.Parity},
                                                            {QStringLiteral("Time_Out"), f.Time_Out},
                                                            {QStringLiteral("Sel_Ser"), f.Sel_Ser},
                                                            {QStringLiteral("Ser_Prot"), f.Ser_Prot}});
    }
    return report;
}

QJsonObject RequestImageReport(const QByteArray& bytes)
{
    const DecodedRequestImage image = DecodeRequestImage(bytes);
    const ParameterBlock& b = image.Block;
    const std::vector<int> slots = image.FilledSlots();
    QJsonArray records;
    for (int slot : slots) {
        const RequestRecord& r = image.Records[slot];
        records.append(
            QJsonObject{{QStringLiteral("slot"), slot},
                        {QStringLiteral("direction"),
                         image.IsWriteSlot(slot) ? QStringLiteral("write") : QStringLiteral("read")},
                        {QStringLiteral("slaveId"), r.Slave_ID},
                        {QStringLiteral("functionCode"), r.FunctionCode},
                        {QStringLiteral("address"), r.Address},
                        {QStringLiteral("points"), r.NPoint},
                        {QStringLiteral("position"), r.Position},
                        {QStringLiteral("bit"), r.Bit},
                        {QStringLiteral("pollTime"), qint64(r.PollTime)},
                        {QStringLiteral("maxError"), qint64(r.MaxError)},
                        {QStringLiteral("byteCount"), r.ByteCount},
                        {QStringLiteral("onChange"), r.OnChangeFlag}});
    }
    QJsonArray strays;
    for (qsizetype offset : image.StrayOffsets)
        strays.append(qint64(offset));
    const QJsonObject block{{QStringLiteral("SerialBaud"), qint64(b.SerialBaud)},
                            {QStringLiteral("SerialParity"), b.SerialParity},
                            {QStringLiteral("SerialStopBits"), qint64(b.SerialStopBits)},
                            {QStringLiteral("TimeOut"), qint64(b.TimeOut)},
                            {QStringLiteral("CommIdle"), qint64(b.CommIdle)},
                            {QStringLiteral("IpAddress"), DottedQuad(b.IpAddress)},
                            {QStringLiteral("SubnetMask"), DottedQuad(b.SubnetMask)},
                            {QStringLiteral("Gateway"), DottedQuad(b.Gateway)},
                            {QStringLiteral("Port"), b.Port},
                            {QStringLiteral("RequestCount"), qint64(b.RequestCount)},
                            {QStringLiteral("Rs232Flag"), b.Rs232Flag},
                            {QStringLiteral("EthProtocol"), qint64(b.EthProtocol)},
                            {QStringLiteral("SerialAsciiFlag"), qint64(b.SerialAsciiFlag)},
                            {QStringLiteral("FirstWriteRequest"), qint64(b.FirstWriteRequest)}};
    QJsonObject report{
        {QStringLiteral("kind"), QLatin1String(layout::RequestImageFile)},
        {QStringLiteral("size"), bytes.size()},
        {QStringLiteral("records"), records},
        {QStringLiteral("parameterBlock"), block},
        {QStringLiteral("strayOffsets"), strays},
        {QStringLiteral("checksum"), QJsonObject{{QStringLiteral("stored"), qint64(image.StoredChecksum)},
                                                 {QStringLiteral("computed"), qint64(image.ComputedChecksum)},
                                                 {QStringLiteral("ok"), image.ChecksumOk()}}}};
    return report;
}

} // namespace veldrin
