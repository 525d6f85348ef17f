#include "image/RequestRecords.h"

#include "common/IntOrDefault.h"
#include "common/TextRules.h"
#include "common/VeldrinError.h"
#include "common/XmlDoc.h"
#include "configuration/OnChange.h"
#include "image/RecordFields.h"

#include <QFileInfo>

namespace veldrin {
namespace {

// The fields of a record at their offsets; bytes 14 to 23, 28 and 29 are reserved.
const RecordField<RequestRecord> Fields[] = {
    {0, &RequestRecord::Position},      {2, &RequestRecord::Bit},          {4, &RequestRecord::PollTime},
    {8, &RequestRecord::Slave_ID},      {9, &RequestRecord::FunctionCode}, {10, &RequestRecord::Address},
    {12, &RequestRecord::NPoint},       {24, &RequestRecord::MaxError},    {30, &RequestRecord::ByteCount},
    {31, &RequestRecord::OnChangeFlag},
};

constexpr char ReadSection[] = "Modbus_Read";
constexpr char WriteSection[] = "Modbus_Write";

// Long attribute texts are cut in messages, so the box stays readable.
QString quoted(const QString& text)
{
    constexpr qsizetype Shown = 40;
    return u'"' + (text.size() > Shown ? text.left(Shown) + QStringLiteral("...") : text) + u'"';
}

// The attributes of one row, with the row's place for every error about them.
class RowReader {
public:
    RowReader(const XmlNode& row, const QString& fileName, const char* section, int rowNumber)
        : m_row(row), m_fileName(fileName), m_section(section), m_rowNumber(rowNumber)
    {}

    std::int32_t int32(const char* name) const
    {
        const QString text = attribute(name);
        if (const auto number = ParseInt32(text))
            return *number;
        if (ParseInt64(text))
            fail(QStringLiteral("attribute %1 is outside the 32-bit integer range: %2")
                     .arg(QLatin1String(name), quoted(text)));
        failNotInteger(name, text);
    }

    // A 64-bit integer kept as its low 32 bits.
    std::uint32_t low32(const char* name) const
    {
        const QString text = attribute(name);
        if (const auto number = ParseInt64(text))
            return static_cast<std::uint32_t>(static_cast<std::uint64_t>(*number));
        failNotInteger(name, text);
    }

    // Trimmed and upper-cased; may be empty.
    QString normalised(const char* name) const { return AsciiUpper(Trim(attribute(name))); }

    QString attribute(const char* name) const
    {
        auto text = m_row.attribute(name);
        if (!text)
            fail(QStringLiteral("attribute %1 is missing").arg(QLatin1String(name)));
        return *std::move(text);
    }

private:
    [[noreturn]] void failNotInteger(const char* name, const QString& text) const
    {
        if (text.isEmpty())
            fail(QStringLiteral("attribute %1 is empty").arg(QLatin1String(name)));
        fail(QStringLiteral("attribute %1 is not an integer: %2").arg(QLatin1String(name), quoted(text)));
    }

    [[noreturn]] void fail(const QString& reason) const
    {
        throw VeldrinError(QStringLiteral("%1, %2 row %3: %4")
                               .arg(m_fileName, QLatin1String(m_section))
                               .arg(m_rowNumber)
                               .arg(reason));
    }

    const XmlNode& m_row;
    const QString& m_fileName;
    const char* m_section;
    int m_rowNumber;
};

template <std::unsigned_integral T> T low(std::int32_t value)
{
    return static_cast<T>(static_cast<std::uint32_t>(value));
}

std::uint8_t bitByteCount(std::uint16_t points)
{
    return static_cast<std::uint8_t>((static_cast<std::uint32_t>(points) + 7) / 8);
}

std::uint8_t registerByteCount(std::uint16_t points)
{
    return static_cast<std::uint8_t>(2 * static_cast<std::uint32_t>(points));
}

// The attributes are taken in the order below, so the first bad one is the one reported.
void compileReadRow(const RowReader& row, RequestRecord& record)
{
    record.Slave_ID = low<std::uint8_t>(row.int32("Slave_ID"));
    record.Address = low<std::uint16_t>(row.int32("Address"));
    record.NPoint = low<std::uint16_t>(row.int32("NPoint"));
    const QString type = row.normalised("Type");
    if (type == u"COIL STATUS")
        record.FunctionCode = 1;
    else if (type == u"INPUT STATUS")
        record.FunctionCode = 2;
    else if (type == u"HOLDING REGISTER")
        record.FunctionCode = 3;
    else
        record.FunctionCode = 4;
    record.PollTime = row.low32("PollTime");
    record.MaxError = row.low32("MaxError");
    record.Position = low<std::uint16_t>(row.int32("Position"));
    if (record.FunctionCode == 1 || record.FunctionCode == 2) {
        record.Bit = low<std::uint16_t>(row.int32("Bit"));
        record.ByteCount = bitByteCount(record.NPoint);
    } else {
        record.Bit = 0;
        record.ByteCount = registerByteCount(record.NPoint);
    }
    record.OnChangeFlag = 0;
}

void compileWriteRow(const RowReader& row, RequestRecord& record)
{
    record.Slave_ID = low<std::uint8_t>(row.int32("Slave_ID"));
    record.Address = low<std::uint16_t>(row.int32("Address"));
    record.NPoint = low<std::uint16_t>(row.int32("NPoint"));
    const bool single = record.NPoint == 1;
    if (row.normalised("Type") == u"COIL STATUS")
        record.FunctionCode = single ? 5 : 15;
    else
        record.FunctionCode = single ? 6 : 16;
    record.PollTime = row.low32("PollTime");
    record.OnChangeFlag = IsOnChange(row.attribute("OnChange")) ? 1 : 0;
    record.MaxError = row.low32("MaxError");
    record.Position = low<std::uint16_t>(row.int32("Position"));
    if (record.FunctionCode == 5 || record.FunctionCode == 15) {
        record.Bit = low<std::uint16_t>(row.int32("Bit"));
        record.ByteCount = bitByteCount(record.NPoint);
    } else {
        record.Bit = 0;
        record.ByteCount = registerByteCount(record.NPoint);
    }
}

// A note someone wrote into a section is not a request.
bool isRow(const XmlNode& node)
{
    switch (node.kind()) {
    case XmlNode::Kind::Comment:
    case XmlNode::Kind::ProcessingInstruction:
        return false;
    case XmlNode::Kind::Text:
        return !Trim(node.text()).isEmpty();
    default:
        return true;
    }
}

QString whyNoRoot(const XmlNode& root)
{
    switch (root.kind()) {
    case XmlNode::Kind::Declaration:
        return QStringLiteral(" (the file begins with an XML declaration, so its root element is not read)");
    case XmlNode::Kind::Comment:
        return QStringLiteral(" (the file begins with a comment, so its root element is not read)");
    case XmlNode::Kind::ProcessingInstruction:
        return QStringLiteral(" (the file begins with a processing instruction, so its root element is not "
                              "read)");
    default:
        return {};
    }
}

XmlNode section(const XmlNode& root, const char* name, const QString& fileName)
{
    const XmlNode found = root.child(QString::fromLatin1(name));
    if (found.isNull())
        throw VeldrinError(QStringLiteral("%1: section %2 is missing%3")
                               .arg(fileName, QLatin1String(name), whyNoRoot(root)));
    return found;
}

} // namespace

void ClearRequestRecords(RequestRecords& records)
{
    records.fill(RequestRecord{});
}

RequestCounts ReadRequestRecords(const QString& setAccessPath, RequestRecords& records)
{
    RequestCounts counts;
    if (!QFileInfo::exists(setAccessPath))
        return counts;
    const XmlDoc doc = XmlDoc::Load(setAccessPath);
    const QString fileName = QFileInfo(setAccessPath).fileName();
    const XmlNode root = doc.root();

    std::uint32_t slot = 0;
    const auto compileSection = [&](const char* name, bool isWrite) {
        int rowNumber = 0;
        for (const XmlNode& node : section(root, name, fileName).children()) {
            if (!isRow(node))
                continue;
            ++rowNumber;
            const RowReader row(node, fileName, name, rowNumber);
            if (slot == RequestSlotCount)
                throw VeldrinError(
                    QStringLiteral("%1, %2 row %3: more than %4 requests in %5 and %6 together; "
                                   "the device holds at most %4")
                        .arg(fileName, QLatin1String(name))
                        .arg(rowNumber)
                        .arg(RequestSlotCount)
                        .arg(QLatin1String(ReadSection), QLatin1String(WriteSection)));
            if (isWrite) {
                if (counts.FirstWriteRequest == 0)
                    counts.FirstWriteRequest = slot + 1;
                compileWriteRow(row, records[slot]);
            } else {
                compileReadRow(row, records[slot]);
            }
            ++slot;
        }
    };
    compileSection(ReadSection, false);
    compileSection(WriteSection, true);
    counts.RequestCount = slot;
    return counts;
}

void AppendRequestRecords(QByteArray& image, const RequestRecords& records)
{
    const qsizetype start = image.size();
    image.append(RequestRecordsSize, '\0');
    char* at = image.data() + start;
    for (const RequestRecord& record : records) {
        EncodeFields<RequestRecord>(at, record, Fields);
        at += RequestRecordSize;
    }
}

RequestRecord DecodeRequestRecord(const char* at)
{
    RequestRecord record;
    DecodeFields<RequestRecord>(at, record, Fields);
    return record;
}

} // namespace veldrin
