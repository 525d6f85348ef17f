#include "common/XmlDoc.h"

#include "common/AtomicFile.h"
#include "common/ReadWholeFile.h"
#include "common/VeldrinError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <expat.h>

#include <cstring>
#include <limits>

namespace veldrin {

// The nodes of one document, in the order they were made; index 0 is the document itself.
// Names and values are kept as UTF-8 in one buffer and converted only when asked for, so
// reading a file costs a few allocations, not several per attribute.
namespace {
// Offsets into one buffer of at most MaxFileSize-sized documents: 32 bits keep the tree small.
struct XmlSpan {
    int offset = 0;
    int size = 0;
};
} // namespace

struct XmlTree {
    using Span = XmlSpan;
    struct Attribute {
        Span name;
        Span value;
        // Holds a character XML cannot carry: refused when saving.
        bool unsavable = false;
    };
    struct Node {
        XmlNode::Kind kind = XmlNode::Kind::Other;
        // An element's or a processing instruction's name.
        Span name;
        // A text's characters, a comment's or a processing instruction's data.
        Span value;
        bool unsavable = false;
        // The element's attributes: attributes[firstAttribute ..+ attributeCount].
        int firstAttribute = 0;
        int attributeCount = 0;
        int firstChild = -1;
        int lastChild = -1;
        int nextSibling = -1;
        // The byte where an element starts in the document it was read from, for errors about
        // it; -1 for one made in memory.
        int start = -1;
    };

    XmlTree() { clear(); }

    void clear()
    {
        nodes.clear();
        attributes.clear();
        strings.clear();
        source.clear();
        nodes.emplace_back();
    }

    Span store(const char* text, qsizetype size)
    {
        if (size > std::numeric_limits<int>::max() - strings.size())
            throw VeldrinError(
                QStringLiteral("%1 is too large to be kept").arg(QDir::toNativeSeparators(fileName)));
        const Span span{static_cast<int>(strings.size()), static_cast<int>(size)};
        strings.append(text, size);
        return span;
    }

    // Room for what reading size bytes will most likely make, so the tree is not copied while
    // it grows; a document with more in it grows past this as usual.
    void reserveFor(qsizetype size)
    {
        strings.reserve(size);
        attributes.reserve(static_cast<std::size_t>(size / 16));
        nodes.reserve(static_cast<std::size_t>(size / 64) + 8);
    }
    Span store(const char* text) { return store(text, qsizetype(std::strlen(text))); }
    Span store(const QString& text) { return store(text.toUtf8()); }
    Span store(const QByteArray& text) { return store(text.constData(), text.size()); }

    QByteArrayView view(Span span) const
    {
        return QByteArrayView(strings.constData() + span.offset, span.size);
    }
    QString string(Span span) const { return QString::fromUtf8(view(span)); }

    int append(int parent, XmlNode::Kind kind, Span name = {}, Span value = {})
    {
        const int index = static_cast<int>(nodes.size());
        Node node;
        node.kind = kind;
        node.name = name;
        node.value = value;
        nodes.push_back(node);
        Node& owner = at(parent);
        if (owner.lastChild < 0)
            owner.firstChild = index;
        else
            at(owner.lastChild).nextSibling = index;
        owner.lastChild = index;
        return index;
    }

    Node& at(int index) { return nodes[static_cast<std::size_t>(index)]; }
    const Node& at(int index) const { return nodes[static_cast<std::size_t>(index)]; }

    std::vector<Node> nodes;
    std::vector<Attribute> attributes;
    QByteArray strings;
    // The file the document was read from and its bytes, for errors found after reading.
    QString fileName;
    QByteArray source;

    // The line of the element that starts at byte start of source, as the parser counts lines;
    // found by reading source again up to it, so only an error pays for counting lines.
    XML_Size lineAt(int start) const;
};

namespace {

QString native(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

bool isXmlBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

// Turns the parser's events into the nodes a reader is told of: text runs between other nodes
// made one, layout blanks dropped, elements nested too deep and document types refused. The
// parser keeps its own stack of open elements and checks repeated attributes with a hash, so
// nothing here recurses on the input's depth or grows worse than linearly with its size.
class EventReader {
public:
    EventReader(XmlVisitor& visitor, XML_Parser parser) : m_visitor(visitor), m_parser(parser)
    {
        m_hasChild.push_back(false);
    }

    // Set by a handler that stopped the parser; the parser's own error is then "aborted".
    bool stopped() const { return m_stopped; }
    bool sawDocumentType() const { return m_documentType; }
    const QString& refusal() const { return m_refusal; }
    XML_Size refusalLine() const { return m_line; }
    XML_Size refusalColumn() const { return m_column; }

    static void XMLCALL startElement(void* data, const XML_Char* name, const XML_Char** attributes)
    {
        auto* self = static_cast<EventReader*>(data);
        if (self->m_stopped)
            return;
        if (self->depth() > XmlDoc::MaxDepth) {
            self->refuse(QStringLiteral("elements nest deeper than %1 levels").arg(XmlDoc::MaxDepth));
            return;
        }
        self->flushText(false);
        self->m_hasChild.back() = true;
        self->m_visitor.startElement(self->depth(), name, attributes,
                                     XML_GetCurrentByteIndex(self->m_parser));
        self->m_hasChild.push_back(false);
    }

    static void XMLCALL endElement(void* data, const XML_Char*)
    {
        auto* self = static_cast<EventReader*>(data);
        if (self->m_stopped)
            return;
        self->flushText(true);
        self->m_hasChild.pop_back();
        self->m_visitor.endElement(self->depth());
    }

    static void XMLCALL characters(void* data, const XML_Char* text, int length)
    {
        auto* self = static_cast<EventReader*>(data);
        self->m_text.append(text, length);
        if (!self->m_textHasContent) {
            for (int i = 0; i < length && !self->m_textHasContent; ++i)
                self->m_textHasContent = !isXmlBlank(text[i]);
        }
    }

    static void XMLCALL startCdata(void* data) { static_cast<EventReader*>(data)->m_textHasContent = true; }

    static void XMLCALL comment(void* data, const XML_Char* text)
    {
        static_cast<EventReader*>(data)->tell(XmlNode::Kind::Comment, {}, text);
    }

    static void XMLCALL instruction(void* data, const XML_Char* target, const XML_Char* text)
    {
        static_cast<EventReader*>(data)->tell(XmlNode::Kind::ProcessingInstruction, target, text);
    }

    static void XMLCALL declaration(void* data, const XML_Char*, const XML_Char*, int)
    {
        static_cast<EventReader*>(data)->tell(XmlNode::Kind::Declaration, "xml", {});
    }

    static void XMLCALL doctype(void* data, const XML_Char*, const XML_Char*, const XML_Char*, int)
    {
        auto* self = static_cast<EventReader*>(data);
        self->m_documentType = true;
        self->refuse(QStringLiteral("a document type declaration"));
    }

private:
    // The depth of the node that comes next.
    int depth() const { return static_cast<int>(m_hasChild.size()); }

    void tell(XmlNode::Kind kind, QByteArrayView name, QByteArrayView value)
    {
        if (m_stopped)
            return;
        flushText(false);
        m_hasChild.back() = true;
        m_visitor.node(depth(), kind, name, value);
    }

    void refuse(const QString& reason)
    {
        if (m_stopped)
            return;
        m_stopped = true;
        m_refusal = reason;
        // Where the refused event starts; once stopped, the parser points past it.
        m_line = XML_GetCurrentLineNumber(m_parser);
        m_column = XML_GetCurrentColumnNumber(m_parser);
        XML_StopParser(m_parser, XML_FALSE);
    }

    // Text between two other nodes becomes one node. Blanks alone are layout between elements
    // and are dropped, except when they are all an element holds.
    void flushText(bool closing)
    {
        if (m_text.isEmpty())
            return;
        if (m_textHasContent || (closing && !m_hasChild.back())) {
            m_hasChild.back() = true;
            m_visitor.node(depth(), XmlNode::Kind::Text, {}, m_text);
        }
        m_text.clear();
        m_textHasContent = false;
    }

    XmlVisitor& m_visitor;
    XML_Parser m_parser;
    // For each open element, and the document below them, whether a node was told inside it.
    std::vector<bool> m_hasChild;
    QByteArray m_text;
    bool m_textHasContent = false;
    bool m_stopped = false;
    bool m_documentType = false;
    QString m_refusal;
    XML_Size m_line = 0;
    XML_Size m_column = 0;
};

// Builds an XmlDoc's tree from the nodes it is told.
class TreeBuilder : public XmlVisitor {
public:
    explicit TreeBuilder(XmlTree& tree) : m_tree(tree) { m_open.push_back(0); }

    void startElement(int, const char* name, const char* const* attributes, qint64 start) override
    {
        const int index = m_tree.append(m_open.back(), XmlNode::Kind::Element, m_tree.store(name));
        const int first = static_cast<int>(m_tree.attributes.size());
        for (const char* const* a = attributes; *a != nullptr; a += 2)
            m_tree.attributes.push_back({m_tree.store(a[0]), m_tree.store(a[1])});
        XmlTree::Node& node = m_tree.at(index);
        node.start = static_cast<int>(start);
        node.firstAttribute = first;
        node.attributeCount = static_cast<int>(m_tree.attributes.size()) - first;
        m_open.push_back(index);
    }

    void endElement(int) override { m_open.pop_back(); }

    void node(int, XmlNode::Kind kind, QByteArrayView name, QByteArrayView value) override
    {
        m_tree.append(m_open.back(), kind, m_tree.store(name.data(), name.size()),
                      m_tree.store(value.data(), value.size()));
    }

private:
    XmlTree& m_tree;
    std::vector<int> m_open;
};

// One document read through the parser: its checks, and its errors naming the file.
class DocumentReader {
public:
    DocumentReader(XmlVisitor& visitor, const QString& fileName)
        : m_parser(XML_ParserCreate(nullptr), &XML_ParserFree), m_fileName(fileName),
          m_events(visitor, m_parser.get())
    {
        XML_Parser parser = m_parser.get();
        if (parser == nullptr)
            throw VeldrinError(QStringLiteral("Cannot read %1: out of memory").arg(native(fileName)));
        XML_SetUserData(parser, &m_events);
        XML_SetElementHandler(parser, &EventReader::startElement, &EventReader::endElement);
        XML_SetCharacterDataHandler(parser, &EventReader::characters);
        XML_SetStartCdataSectionHandler(parser, &EventReader::startCdata);
        XML_SetCommentHandler(parser, &EventReader::comment);
        XML_SetProcessingInstructionHandler(parser, &EventReader::instruction);
        XML_SetXmlDeclHandler(parser, &EventReader::declaration);
        XML_SetStartDoctypeDeclHandler(parser, &EventReader::doctype);
    }

    // Parses the next part of the document, which the last part ends.
    void parse(const char* bytes, int size, bool last)
    {
        check(XML_Parse(m_parser.get(), bytes, size, last ? XML_TRUE : XML_FALSE));
    }

    // The parser's own room for the next part, read into it and then parsed by parseBuffer.
    char* buffer(int size)
    {
        void* room = XML_GetBuffer(m_parser.get(), size);
        if (room == nullptr)
            throw VeldrinError(QStringLiteral("Cannot read %1: out of memory").arg(native(m_fileName)));
        return static_cast<char*>(room);
    }
    void parseBuffer(int size, bool last)
    {
        check(XML_ParseBuffer(m_parser.get(), size, last ? XML_TRUE : XML_FALSE));
    }

private:
    void check(XML_Status status)
    {
        if (status == XML_STATUS_OK)
            return;
        XML_Parser parser = m_parser.get();
        const EventReader& events = m_events;
        const XML_Size line = events.stopped() ? events.refusalLine() : XML_GetCurrentLineNumber(parser);
        const XML_Size column =
            (events.stopped() ? events.refusalColumn() : XML_GetCurrentColumnNumber(parser)) + 1;
        if (events.sawDocumentType())
            throw VeldrinError(
                QStringLiteral("%1 has a document type declaration, which is not accepted: line %2, "
                               "column %3")
                    .arg(native(m_fileName))
                    .arg(events.refusalLine())
                    .arg(events.refusalColumn() + 1));
        const QString reason = events.stopped()
                                   ? events.refusal()
                                   : QString::fromLatin1(XML_ErrorString(XML_GetErrorCode(parser)));
        throw VeldrinError(QStringLiteral("%1 is not well-formed XML: line %2, column %3: %4")
                               .arg(native(m_fileName))
                               .arg(line)
                               .arg(column)
                               .arg(reason));
    }

    std::unique_ptr<std::remove_pointer_t<XML_Parser>, decltype(&XML_ParserFree)> m_parser;
    const QString& m_fileName;
    EventReader m_events;
};

[[noreturn]] void throwUnread(FileContents::Status status, const QString& path, const QString& reason)
{
    switch (status) {
    case FileContents::Status::Missing:
        throw VeldrinError(QStringLiteral("%1 does not exist").arg(native(path)));
    case FileContents::Status::NotAFile:
        throw VeldrinError(QStringLiteral("%1 is not a regular file").arg(native(path)));
    case FileContents::Status::TooLarge:
        throw VeldrinError(QStringLiteral("%1 is larger than 4 MiB").arg(native(path)));
    case FileContents::Status::Read:
    case FileContents::Status::Unreadable:
        break;
    }
    throw VeldrinError(QStringLiteral("Cannot read %1: %2").arg(native(path), reason));
}

// XML 1.0 cannot carry these characters, not even escaped.
bool isRepresentable(const QString& text)
{
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if ((u < 0x20 && u != u'\t' && u != u'\r' && u != u'\n') || u == 0xFFFE || u == 0xFFFF)
            return false;
    }
    // Lone surrogates would be written as replacement characters.
    return text.isValidUtf16();
}

void appendCharacterReference(QByteArray& out, char c)
{
    out += "&#";
    out += char('0' + c / 10);
    out += char('0' + c % 10);
    out += ';';
}

void appendEscaped(QByteArray& out, QByteArrayView text, bool attribute)
{
    for (const char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            if (attribute)
                out += c;
            else
                out += "&gt;";
            break;
        case '"':
            if (attribute)
                out += "&quot;";
            else
                out += c;
            break;
        case '\t':
        case '\n':
            // An attribute's value would come back with blanks in their place.
            if (attribute)
                appendCharacterReference(out, c);
            else
                out += c;
            break;
        case '\r':
            // Read back as a line feed unless written as a reference.
            appendCharacterReference(out, c);
            break;
        default:
            out += c;
        }
    }
}

// A comment may hold neither "--" nor end with "-".
void appendComment(QByteArray& out, QByteArrayView text)
{
    out += "<!--";
    for (qsizetype i = 0; i < text.size(); ++i) {
        out += text[i];
        if (text[i] == '-' && (i + 1 == text.size() || text[i + 1] == '-'))
            out += ' ';
    }
    out += "-->";
}

void writeNode(const XmlTree& tree, int index, QByteArray& out)
{
    const XmlTree::Node& node = tree.at(index);
    for (int childIndex = node.firstChild; childIndex >= 0; childIndex = tree.at(childIndex).nextSibling) {
        const XmlTree::Node& child = tree.at(childIndex);
        switch (child.kind) {
        case XmlNode::Kind::Element:
            out += '<';
            out += tree.view(child.name);
            for (int a = child.firstAttribute; a < child.firstAttribute + child.attributeCount; ++a) {
                const XmlTree::Attribute& attribute = tree.attributes[static_cast<std::size_t>(a)];
                if (attribute.unsavable)
                    throw VeldrinError(QStringLiteral("The attribute %1 of element %2 holds a character "
                                                      "that cannot be saved in an XML file")
                                           .arg(tree.string(attribute.name), tree.string(child.name)));
                out += ' ';
                out += tree.view(attribute.name);
                out += "=\"";
                appendEscaped(out, tree.view(attribute.value), true);
                out += '"';
            }
            if (child.firstChild < 0) {
                out += "/>";
            } else {
                out += '>';
                writeNode(tree, childIndex, out);
                out += "</";
                out += tree.view(child.name);
                out += '>';
            }
            break;
        case XmlNode::Kind::Text:
        case XmlNode::Kind::Comment:
            if (child.unsavable)
                throw VeldrinError(
                    QStringLiteral(
                        "The text of element %1 holds a character that cannot be saved in an XML file")
                        .arg(index == 0 ? QStringLiteral("(document)") : tree.string(node.name)));
            if (child.kind == XmlNode::Kind::Text)
                appendEscaped(out, tree.view(child.value), false);
            else
                appendComment(out, tree.view(child.value));
            break;
        case XmlNode::Kind::ProcessingInstruction:
            out += "<?";
            out += tree.view(child.name);
            if (child.value.size > 0) {
                out += ' ';
                out += tree.view(child.value);
            }
            out += "?>";
            break;
        default:
            // Files the system writes carry no declaration.
            break;
        }
    }
}

// Stops the parser at the element that starts at a given byte, noting its line.
struct LineFinder {
    XML_Parser parser;
    XML_Index start;
    XML_Size line = 0;

    static void XMLCALL startElement(void* data, const XML_Char*, const XML_Char**)
    {
        auto* self = static_cast<LineFinder*>(data);
        if (XML_GetCurrentByteIndex(self->parser) != self->start)
            return;
        self->line = XML_GetCurrentLineNumber(self->parser);
        XML_StopParser(self->parser, XML_FALSE);
    }
};

} // namespace

XML_Size XmlTree::lineAt(int start) const
{
    const std::unique_ptr<std::remove_pointer_t<XML_Parser>, decltype(&XML_ParserFree)> parser(
        XML_ParserCreate(nullptr), &XML_ParserFree);
    if (!parser)
        return 0;
    LineFinder finder{parser.get(), start};
    XML_SetUserData(parser.get(), &finder);
    XML_SetStartElementHandler(parser.get(), &LineFinder::startElement);
    XML_Parse(parser.get(), source.constData(), static_cast<int>(source.size()), XML_TRUE);
    return finder.line;
}

XmlNode::Kind XmlNode::kind() const
{
    return m_tree == nullptr ? Kind::Null : m_tree->at(m_index).kind;
}

QString XmlNode::name() const
{
    return m_tree == nullptr ? QString() : m_tree->string(m_tree->at(m_index).name);
}

XmlNode XmlNode::child(const QString& name) const
{
    if (!isElement())
        return {};
    const QByteArray key = name.toUtf8();
    // Elements only: a processing instruction may carry the same name.
    for (int index = m_tree->at(m_index).firstChild; index >= 0; index = m_tree->at(index).nextSibling) {
        const XmlTree::Node& node = m_tree->at(index);
        if (node.kind == Kind::Element && m_tree->view(node.name) == key)
            return XmlNode(m_tree, index);
    }
    return {};
}

std::vector<XmlNode> XmlNode::children() const
{
    std::vector<XmlNode> result;
    if (m_tree == nullptr)
        return result;
    for (int index = m_tree->at(m_index).firstChild; index >= 0; index = m_tree->at(index).nextSibling)
        result.push_back(XmlNode(m_tree, index));
    return result;
}

QString XmlNode::text() const
{
    if (m_tree == nullptr)
        return {};
    const XmlTree::Node& node = m_tree->at(m_index);
    if (node.kind == Kind::Text)
        return m_tree->string(node.value);
    if (node.kind != Kind::Element)
        return {};
    QByteArray result;
    for (int index = node.firstChild; index >= 0; index = m_tree->at(index).nextSibling) {
        const XmlTree::Node& child = m_tree->at(index);
        if (child.kind == Kind::Text)
            result += m_tree->view(child.value);
        else if (child.kind == Kind::Element)
            throw VeldrinError(QStringLiteral("%1 cannot be read: line %2: <%3> holds other elements where "
                                              "only a value is expected")
                                   .arg(native(m_tree->fileName))
                                   .arg(node.start < 0 ? 0 : m_tree->lineAt(node.start))
                                   .arg(m_tree->string(node.name)));
    }
    return QString::fromUtf8(result);
}

std::optional<QString> XmlNode::attribute(const QString& name) const
{
    return attribute(name.toUtf8().constData());
}

std::optional<QString> XmlNode::attribute(const char* name) const
{
    const std::optional<QByteArrayView> value = attributeUtf8(name);
    if (!value)
        return std::nullopt;
    return QString::fromUtf8(*value);
}

std::optional<QByteArrayView> XmlNode::attributeUtf8(const char* name) const
{
    if (!isElement())
        return std::nullopt;
    const QByteArrayView key(name);
    const XmlTree::Node& node = m_tree->at(m_index);
    for (int a = node.firstAttribute; a < node.firstAttribute + node.attributeCount; ++a) {
        const XmlTree::Attribute& attribute = m_tree->attributes[static_cast<std::size_t>(a)];
        if (m_tree->view(attribute.name) == key)
            return m_tree->view(attribute.value);
    }
    return std::nullopt;
}

XmlNode XmlNode::appendElement(const QString& name)
{
    return XmlNode(m_tree, m_tree->append(m_index, Kind::Element, m_tree->store(name)));
}

XmlNode XmlNode::appendTextElement(const QString& name, const QString& text)
{
    XmlNode element = appendElement(name);
    element.setText(text);
    return element;
}

void XmlNode::setText(const QString& text)
{
    // The nodes below stay in the tree, unreachable; documents are small and short-lived.
    XmlTree::Node& node = m_tree->at(m_index);
    node.firstChild = -1;
    node.lastChild = -1;
    if (!text.isEmpty()) {
        const int index = m_tree->append(m_index, Kind::Text, {}, m_tree->store(text));
        m_tree->at(index).unsavable = !isRepresentable(text);
    }
}

void XmlNode::setAttribute(const QString& name, const QString& value)
{
    const QByteArray key = name.toUtf8();
    XmlTree::Node& node = m_tree->at(m_index);
    auto& attributes = m_tree->attributes;
    for (int a = node.firstAttribute; a < node.firstAttribute + node.attributeCount; ++a) {
        XmlTree::Attribute& attribute = attributes[static_cast<std::size_t>(a)];
        if (m_tree->view(attribute.name) == key) {
            attribute.value = m_tree->store(value);
            attribute.unsavable = !isRepresentable(value);
            return;
        }
    }
    // An element's attributes stay together: moved to the end unless they are there already.
    if (node.firstAttribute + node.attributeCount != static_cast<int>(attributes.size())) {
        const int first = static_cast<int>(attributes.size());
        for (int a = node.firstAttribute; a < node.firstAttribute + node.attributeCount; ++a)
            attributes.push_back(attributes[static_cast<std::size_t>(a)]);
        node.firstAttribute = first;
    }
    attributes.push_back({m_tree->store(key), m_tree->store(value), !isRepresentable(value)});
    ++node.attributeCount;
}

XmlDoc::XmlDoc() : m_tree(std::make_unique<XmlTree>()) {}
XmlDoc::~XmlDoc() = default;
XmlDoc::XmlDoc(XmlDoc&&) noexcept = default;
XmlDoc& XmlDoc::operator=(XmlDoc&&) noexcept = default;

XmlDoc XmlDoc::Load(const QString& path)
{
    const FileContents file = ReadWholeFile(path, MaxFileSize);
    if (!file.read())
        throwUnread(file.status, path, file.reason);
    return Parse(file.bytes, path);
}

XmlDoc XmlDoc::Parse(const QByteArray& bytes, const QString& fileName)
{
    if (bytes.size() > MaxFileSize)
        throwUnread(FileContents::Status::TooLarge, fileName, {});
    XmlDoc doc;
    doc.m_tree->fileName = fileName;
    doc.m_tree->source = bytes;
    doc.m_tree->reserveFor(bytes.size());
    TreeBuilder builder(*doc.m_tree);
    static_assert(MaxFileSize < std::numeric_limits<int>::max());
    DocumentReader(builder, fileName).parse(bytes.constData(), static_cast<int>(bytes.size()), true);
    return doc;
}

void XmlDoc::Visit(const QString& path, XmlVisitor& visitor)
{
    using Status = FileContents::Status;
    // The checks ReadWholeFile makes, before anything is opened.
    const QFileInfo info(path);
    if (!info.exists())
        throwUnread(Status::Missing, path, {});
    if (!info.isFile())
        throwUnread(Status::NotAFile, path, {});
    if (info.size() > MaxFileSize)
        throwUnread(Status::TooLarge, path, {});
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throwUnread(Status::Unreadable, path, file.errorString());

    // Parts small enough that reading a large file touches little new memory. (One final part
    // would spare the parser its line count after each part, but the memory a part that size
    // takes costs more than the count.)
    constexpr int PartSize = 16 * 1024;
    DocumentReader reader(visitor, path);
    qint64 total = 0;
    for (;;) {
        const qint64 size = file.read(reader.buffer(PartSize), PartSize);
        if (size < 0)
            throwUnread(Status::Unreadable, path, file.errorString());
        total += size;
        if (total > MaxFileSize)
            throwUnread(Status::TooLarge, path, {});
        reader.parseBuffer(static_cast<int>(size), size == 0);
        if (size == 0)
            return;
    }
}

XmlNode XmlDoc::root() const
{
    const int first = m_tree->at(0).firstChild;
    return first < 0 ? XmlNode() : XmlNode(m_tree.get(), first);
}

void XmlDoc::clear()
{
    m_tree->clear();
}

XmlNode XmlDoc::appendElement(const QString& name)
{
    return XmlNode(m_tree.get(), m_tree->append(0, XmlNode::Kind::Element, m_tree->store(name)));
}

void XmlDoc::appendComment(const QString& text)
{
    const int index = m_tree->append(0, XmlNode::Kind::Comment, {}, m_tree->store(text));
    m_tree->at(index).unsavable = !isRepresentable(text);
}

QByteArray XmlDoc::toBytes() const
{
    QByteArray out;
    writeNode(*m_tree, 0, out);
    return out;
}

void XmlDoc::save(const QString& path) const
{
    WriteFileAtomically(path, toBytes());
}

} // namespace veldrin
