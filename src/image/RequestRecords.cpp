#include "image/RequestRecords.h"

#include "common/IntOrDefault.h"
#include "common/TextRules.h"
#include "common/VeldrinError.h"
#include "common/XmlDoc.h"
#include "configuration/FunctionCode.h"
#include "configuration/OnChange.h"
#include "image/RecordFields.h"

#include <QFileInfo>

#include <algorithm>
#include <cstring>
#include <vector>

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

// The attributes of one row, as the parser gives them (names and values in turn, ended by a
// null pointer; none for a text), with the row's place for every error about them.
class RowReader {
public:
    RowReader(const char* const* attributes, const QString& fileName, const char* section, int rowNumber)
        : m_attributes(attributes), m_fileName(fileName), m_section(section), m_rowNumber(rowNumber)
    {}

    // Integers are read from the file's bytes; only an error makes a text of them.
    std::int32_t int32(const char* name) const
    {
        const QByteArrayView bytes = utf8(name);
        if (const auto number = ParseInt32(bytes))
            return *number;
        const QString text = QString::fromUtf8(bytes);
        if (ParseInt64(bytes))
            fail(QStringLiteral("attribute %1 is outside the 32-bit integer range: %2")
                     .arg(QLatin1String(name), quoted(text)));
        failNotInteger(name, text);
    }

    // A 64-bit integer kept as its low 32 bits.
    std::uint32_t low32(const char* name) const
    {
        const QByteArrayView bytes = utf8(name);
        if (const auto number = ParseInt64(bytes))
            return static_cast<std::uint32_t>(static_cast<std::uint64_t>(*number));
        failNotInteger(name, QString::fromUtf8(bytes));
    }

    QByteArrayView utf8(const char* name) const
    {
        for (const char* const* a = m_attributes; *a != nullptr; a += 2) {
            if (a[0][0] == name[0] && std::strcmp(a[0], name) == 0)
                return QByteArrayView(a[1]);
        }
        fail(QStringLiteral("attribute %1 is missing").arg(QLatin1String(name)));
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

    const char* const* m_attributes;
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
    record.FunctionCode =
        static_cast<std::uint8_t>(RequestFunctionCode(false, row.utf8("Type"), record.NPoint));
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
    record.FunctionCode =
        static_cast<std::uint8_t>(RequestFunctionCode(true, row.utf8("Type"), record.NPoint));
    record.PollTime = row.low32("PollTime");
    record.OnChangeFlag = IsOnChange(row.utf8("OnChange")) ? 1 : 0;
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

QString whyNoRoot(XmlNode::Kind first)
{
    switch (first) {
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

// One section's rows, compiled as they are read: up to the first row that does not compile,
// and no more than the table holds.
struct SectionRows {
    bool found = false;
    int rows = 0;
    std::vector<RequestRecord> compiled;
    // The first row that does not compile, and why.
    int failedRow = 0;
    QString failure;
};

// Reads the file's two sections as the parser goes, without a tree of the whole file: the
// root is the document's first node, a section the first element of its name in the root,
// and a row any node of a section but a comment, a processing instruction or blanks.
class SectionReader : public XmlVisitor {
public:
    explicit SectionReader(const QString& fileName) : m_fileName(fileName) {}

    const SectionRows& reads() const { return m_reads; }
    const SectionRows& writes() const { return m_writes; }
    // The kind of the document's first node.
    XmlNode::Kind first() const { return m_first; }

    void startElement(int depth, const char* name, const char* const* attributes, qint64) override
    {
        if (depth == 1) {
            noteFirst(XmlNode::Kind::Element);
            // A document has one root element; it is read only when nothing comes before it.
            m_inRoot = m_first == XmlNode::Kind::Element;
        } else if (depth == 2 && m_inRoot) {
            enterSection(name);
        } else if (depth == 3 && m_section != nullptr) {
            row(attributes);
        }
    }

    void endElement(int depth) override
    {
        if (depth == 2)
            m_section = nullptr;
    }

    void node(int depth, XmlNode::Kind kind, QByteArrayView, QByteArrayView value) override
    {
        if (depth == 1)
            noteFirst(kind);
        else if (depth == 3 && m_section != nullptr && kind == XmlNode::Kind::Text && !isBlank(value))
            row(NoAttributes);
    }

private:
    static constexpr const char* NoAttributes[] = {nullptr};

    static bool isBlank(QByteArrayView text)
    {
        // Trim's blanks: every character up to U+0020, each one byte in UTF-8.
        return std::all_of(text.begin(), text.end(),
                           [](char c) { return static_cast<unsigned char>(c) <= 0x20; });
    }

    void noteFirst(XmlNode::Kind kind)
    {
        if (!m_sawFirst) {
            m_sawFirst = true;
            m_first = kind;
        }
    }

    void enterSection(const char* name)
    {
        if (std::strcmp(name, ReadSection) == 0 && !m_reads.found) {
            m_reads.found = true;
            m_section = &m_reads;
            m_sectionName = ReadSection;
        } else if (std::strcmp(name, WriteSection) == 0 && !m_writes.found) {
            m_writes.found = true;
            m_section = &m_writes;
            m_sectionName = WriteSection;
        }
    }

    void row(const char* const* attributes)
    {
        SectionRows& section = *m_section;
        ++section.rows;
        if (section.failedRow != 0 || section.compiled.size() == RequestSlotCount)
            return;
        const RowReader reader(attributes, m_fileName, m_sectionName, section.rows);
        RequestRecord record;
        try {
            if (m_section == &m_writes)
                compileWriteRow(reader, record);
            else
                compileReadRow(reader, record);
        } catch (const VeldrinError& error) {
            section.failedRow = section.rows;
            section.failure = error.message();
            return;
        }
        section.compiled.push_back(record);
    }

    const QString& m_fileName;
    bool m_sawFirst = false;
    XmlNode::Kind m_first = XmlNode::Kind::Null;
    bool m_inRoot = false;
    SectionRows m_reads;
    SectionRows m_writes;
    SectionRows* m_section = nullptr;
    const char* m_sectionName = nullptr;
};

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
    const QString fileName = QFileInfo(setAccessPath).fileName();
    SectionReader reader(fileName);
    XmlDoc::Visit(setAccessPath, reader);

    // The read rows take the slots from 0 up, then the write rows; the first problem in that
    // order is the one reported.
    std::uint32_t slot = 0;
    const auto place = [&](const SectionRows& section, const char* name, bool isWrite) {
        if (!section.found)
            throw VeldrinError(QStringLiteral("%1: section %2 is missing%3")
                                   .arg(fileName, QLatin1String(name), whyNoRoot(reader.first())));
        for (int rowNumber = 1; rowNumber <= section.rows; ++rowNumber) {
            if (slot == RequestSlotCount)
                throw VeldrinError(
                    QStringLiteral("%1, %2 row %3: more than %4 requests in %5 and %6 together; "
                                   "the device holds at most %4")
                        .arg(fileName, QLatin1String(name))
                        .arg(rowNumber)
                        .arg(RequestSlotCount)
                        .arg(QLatin1String(ReadSection), QLatin1String(WriteSection)));
            if (rowNumber == section.failedRow)
                throw VeldrinError(section.failure);
            if (isWrite && counts.FirstWriteRequest == 0)
                counts.FirstWriteRequest = slot + 1;
            records[slot] = section.compiled[static_cast<std::size_t>(rowNumber - 1)];
            ++slot;
        }
    };
    place(reader.reads(), ReadSection, false);
    place(reader.writes(), WriteSection, true);
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
