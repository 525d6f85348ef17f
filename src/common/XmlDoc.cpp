#include "common/XmlDoc.h"

#include "common/AtomicFile.h"
#include "common/VeldrinError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <expat.h>

#include <limits>

namespace veldrin {

// The nodes of one document, in the order they were made; index 0 is the document itself.
struct XmlTree {
    struct Node {
        XmlNode::Kind kind = XmlNode::Kind::Other;
        // An element's or a processing instruction's name.
        QString name;
        // A text's characters, a comment's or a processing instruction's data.
        QString value;
        std::vector<std::pair<QString, QString>> attributes;
        std::vector<int> children;
        // Where an element starts, for errors about it.
        int line = 0;
    };

    XmlTree() { clear(); }

    void clear()
    {
        nodes.clear();
        nodes.emplace_back();
    }

    int append(int parent, XmlNode::Kind kind, QString name, QString value = {})
    {
        const int index = static_cast<int>(nodes.size());
        Node node;
        node.kind = kind;
        node.name = std::move(name);
        node.value = std::move(value);
        nodes.push_back(std::move(node));
        nodes[static_cast<std::size_t>(parent)].children.push_back(index);
        return index;
    }

    Node& at(int index) { return nodes[static_cast<std::size_t>(index)]; }
    const Node& at(int index) const { return nodes[static_cast<std::size_t>(index)]; }

    std::vector<Node> nodes;
    // The file the document was read from, for errors found after reading.
    QString fileName;
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

// Builds the tree from the parser's events. The parser keeps its own stack of open elements
// and checks repeated attributes with a hash, so nothing here recurses on the input's depth or
// grows worse than linearly with its size.
class TreeBuilder {
public:
    TreeBuilder(XmlTree& tree, XML_Parser parser) : m_tree(tree), m_parser(parser) { m_open.push_back(0); }

    // Set by a handler that stopped the parser; the parser's own error is then "aborted".
    bool stopped() const { return m_stopped; }
    bool sawDocumentType() const { return m_documentType; }
    const QString& refusal() const { return m_refusal; }
    XML_Size refusalLine() const { return m_line; }
    XML_Size refusalColumn() const { return m_column; }

    static void XMLCALL startElement(void* data, const XML_Char* name, const XML_Char** attributes)
    {
        auto* self = static_cast<TreeBuilder*>(data);
        if (self->m_stopped)
            return;
        if (static_cast<int>(self->m_open.size()) > XmlDoc::MaxDepth) {
            self->refuse(QStringLiteral("elements nest deeper than %1 levels").arg(XmlDoc::MaxDepth));
            return;
        }
        self->flushText(false);
        const int index =
            self->m_tree.append(self->m_open.back(), XmlNode::Kind::Element, QString::fromUtf8(name));
        XmlTree::Node& node = self->m_tree.at(index);
        node.line = static_cast<int>(XML_GetCurrentLineNumber(self->m_parser));
        for (const XML_Char** a = attributes; *a != nullptr; a += 2)
            node.attributes.emplace_back(QString::fromUtf8(a[0]), QString::fromUtf8(a[1]));
        self->m_open.push_back(index);
    }

    static void XMLCALL endElement(void* data, const XML_Char*)
    {
        auto* self = static_cast<TreeBuilder*>(data);
        if (self->m_stopped)
            return;
        self->flushText(true);
        self->m_open.pop_back();
    }

    static void XMLCALL characters(void* data, const XML_Char* text, int length)
    {
        auto* self = static_cast<TreeBuilder*>(data);
        self->m_text.append(text, length);
        if (!self->m_textHasContent) {
            for (int i = 0; i < length && !self->m_textHasContent; ++i)
                self->m_textHasContent = !isXmlBlank(text[i]);
        }
    }

    static void XMLCALL startCdata(void* data) { static_cast<TreeBuilder*>(data)->m_textHasContent = true; }

    static void XMLCALL comment(void* data, const XML_Char* text)
    {
        auto* self = static_cast<TreeBuilder*>(data);
        self->flushText(false);
        self->m_tree.append(self->m_open.back(), XmlNode::Kind::Comment, {}, QString::fromUtf8(text));
    }

    static void XMLCALL instruction(void* data, const XML_Char* target, const XML_Char* text)
    {
        auto* self = static_cast<TreeBuilder*>(data);
        self->flushText(false);
        self->m_tree.append(self->m_open.back(), XmlNode::Kind::ProcessingInstruction,
                            QString::fromUtf8(target), QString::fromUtf8(text));
    }

    static void XMLCALL declaration(void* data, const XML_Char*, const XML_Char*, int)
    {
        auto* self = static_cast<TreeBuilder*>(data);
        self->m_tree.append(0, XmlNode::Kind::Declaration, QStringLiteral("xml"));
    }

    static void XMLCALL doctype(void* data, const XML_Char*, const XML_Char*, const XML_Char*, int)
    {
        auto* self = static_cast<TreeBuilder*>(data);
        self->m_documentType = true;
        self->refuse(QStringLiteral("a document type declaration"));
    }

private:
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
        const int parent = m_open.back();
        if (m_textHasContent || (closing && m_tree.at(parent).children.empty()))
            m_tree.append(parent, XmlNode::Kind::Text, {}, QString::fromUtf8(m_text));
        m_text.clear();
        m_textHasContent = false;
    }

    XmlTree& m_tree;
    XML_Parser m_parser;
    std::vector<int> m_open;
    QByteArray m_text;
    bool m_textHasContent = false;
    bool m_stopped = false;
    bool m_documentType = false;
    QString m_refusal;
    XML_Size m_line = 0;
    XML_Size m_column = 0;
};

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

void appendEscaped(QByteArray& out, const QString& text, bool attribute)
{
    for (const char c : text.toUtf8()) {
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
void appendComment(QByteArray& out, const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    out += "<!--";
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        out += bytes[i];
        if (bytes[i] == '-' && (i + 1 == bytes.size() || bytes[i + 1] == '-'))
            out += ' ';
    }
    out += "-->";
}

void writeNode(const XmlTree& tree, int index, QByteArray& out)
{
    const XmlTree::Node& node = tree.at(index);
    const QString owner = index == 0 ? QStringLiteral("(document)") : node.name;
    for (const int childIndex : node.children) {
        const XmlTree::Node& child = tree.at(childIndex);
        switch (child.kind) {
        case XmlNode::Kind::Element:
            out += '<';
            out += child.name.toUtf8();
            for (const auto& [name, value] : child.attributes) {
                if (!isRepresentable(value))
                    throw VeldrinError(QStringLiteral("The attribute %1 of element %2 holds a character "
                                                      "that cannot be saved in an XML file")
                                           .arg(name, child.name));
                out += ' ';
                out += name.toUtf8();
                out += "=\"";
                appendEscaped(out, value, true);
                out += '"';
            }
            if (child.children.empty()) {
                out += "/>";
            } else {
                out += '>';
                writeNode(tree, childIndex, out);
                out += "</";
                out += child.name.toUtf8();
                out += '>';
            }
            break;
        case XmlNode::Kind::Text:
        case XmlNode::Kind::Comment:
            if (!isRepresentable(child.value))
                throw VeldrinError(
                    QStringLiteral(
                        "The text of element %1 holds a character that cannot be saved in an XML file")
                        .arg(owner));
            if (child.kind == XmlNode::Kind::Text)
                appendEscaped(out, child.value, false);
            else
                appendComment(out, child.value);
            break;
        case XmlNode::Kind::ProcessingInstruction:
            out += "<?";
            out += child.name.toUtf8();
            if (!child.value.isEmpty()) {
                out += ' ';
                out += child.value.toUtf8();
            }
            out += "?>";
            break;
        default:
            // Files the system writes carry no declaration.
            break;
        }
    }
}

} // namespace

XmlNode::Kind XmlNode::kind() const
{
    return m_tree == nullptr ? Kind::Null : m_tree->at(m_index).kind;
}

QString XmlNode::name() const
{
    return m_tree == nullptr ? QString() : m_tree->at(m_index).name;
}

XmlNode XmlNode::child(const QString& name) const
{
    if (!isElement())
        return {};
    // Elements only: a processing instruction may carry the same name.
    for (const int index : m_tree->at(m_index).children) {
        const XmlTree::Node& node = m_tree->at(index);
        if (node.kind == Kind::Element && node.name == name)
            return XmlNode(m_tree, index);
    }
    return {};
}

std::vector<XmlNode> XmlNode::children() const
{
    std::vector<XmlNode> result;
    if (m_tree == nullptr)
        return result;
    for (const int index : m_tree->at(m_index).children)
        result.push_back(XmlNode(m_tree, index));
    return result;
}

QString XmlNode::text() const
{
    if (m_tree == nullptr)
        return {};
    const XmlTree::Node& node = m_tree->at(m_index);
    if (node.kind == Kind::Text)
        return node.value;
    if (node.kind != Kind::Element)
        return {};
    QString result;
    for (const int index : node.children) {
        const XmlTree::Node& child = m_tree->at(index);
        if (child.kind == Kind::Text)
            result += child.value;
        else if (child.kind == Kind::Element)
            throw VeldrinError(QStringLiteral("%1 cannot be read: line %2: <%3> holds other elements where "
                                              "only a value is expected")
                                   .arg(native(m_tree->fileName))
                                   .arg(node.line)
                                   .arg(node.name));
    }
    return result;
}

std::optional<QString> XmlNode::attribute(const QString& name) const
{
    if (!isElement())
        return std::nullopt;
    for (const auto& [key, value] : m_tree->at(m_index).attributes) {
        if (key == name)
            return value;
    }
    return std::nullopt;
}

std::optional<QString> XmlNode::attribute(const char* name) const
{
    if (!isElement())
        return std::nullopt;
    const QLatin1StringView key(name);
    for (const auto& [attributeName, value] : m_tree->at(m_index).attributes) {
        if (attributeName == key)
            return value;
    }
    return std::nullopt;
}

XmlNode XmlNode::appendElement(const QString& name)
{
    return XmlNode(m_tree, m_tree->append(m_index, Kind::Element, name));
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
    m_tree->at(m_index).children.clear();
    if (!text.isEmpty())
        m_tree->append(m_index, Kind::Text, {}, text);
}

void XmlNode::setAttribute(const QString& name, const QString& value)
{
    auto& attributes = m_tree->at(m_index).attributes;
    for (auto& [key, old] : attributes) {
        if (key == name) {
            old = value;
            return;
        }
    }
    attributes.emplace_back(name, value);
}

XmlDoc::XmlDoc() : m_tree(std::make_unique<XmlTree>()) {}
XmlDoc::~XmlDoc() = default;
XmlDoc::XmlDoc(XmlDoc&&) noexcept = default;
XmlDoc& XmlDoc::operator=(XmlDoc&&) noexcept = default;

XmlDoc XmlDoc::Load(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists())
        throw VeldrinError(QStringLiteral("%1 does not exist").arg(native(path)));
    // A FIFO or a link to a device would block or never end.
    if (!info.isFile())
        throw VeldrinError(QStringLiteral("%1 is not a regular file").arg(native(path)));
    if (info.size() > MaxFileSize)
        throw VeldrinError(QStringLiteral("%1 is larger than 4 MiB").arg(native(path)));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw VeldrinError(QStringLiteral("Cannot read %1: %2").arg(native(path), file.errorString()));
    const QByteArray bytes = file.read(MaxFileSize + 1);
    if (bytes.size() > MaxFileSize)
        throw VeldrinError(QStringLiteral("%1 is larger than 4 MiB").arg(native(path)));
    return Parse(bytes, path);
}

XmlDoc XmlDoc::Parse(const QByteArray& bytes, const QString& fileName)
{
    if (bytes.size() > MaxFileSize)
        throw VeldrinError(QStringLiteral("%1 is larger than 4 MiB").arg(native(fileName)));
    XmlDoc doc;
    doc.m_tree->fileName = fileName;
    const std::unique_ptr<std::remove_pointer_t<XML_Parser>, decltype(&XML_ParserFree)> parser(
        XML_ParserCreate(nullptr), &XML_ParserFree);
    if (!parser)
        throw VeldrinError(QStringLiteral("Cannot read %1: out of memory").arg(native(fileName)));
    TreeBuilder builder(*doc.m_tree, parser.get());
    XML_SetUserData(parser.get(), &builder);
    XML_SetElementHandler(parser.get(), &TreeBuilder::startElement, &TreeBuilder::endElement);
    XML_SetCharacterDataHandler(parser.get(), &TreeBuilder::characters);
    XML_SetStartCdataSectionHandler(parser.get(), &TreeBuilder::startCdata);
    XML_SetCommentHandler(parser.get(), &TreeBuilder::comment);
    XML_SetProcessingInstructionHandler(parser.get(), &TreeBuilder::instruction);
    XML_SetXmlDeclHandler(parser.get(), &TreeBuilder::declaration);
    XML_SetStartDoctypeDeclHandler(parser.get(), &TreeBuilder::doctype);

    static_assert(MaxFileSize < std::numeric_limits<int>::max());
    const XML_Status status =
        XML_Parse(parser.get(), bytes.constData(), static_cast<int>(bytes.size()), XML_TRUE);
    if (status == XML_STATUS_OK)
        return doc;

    const XML_Size line = builder.stopped() ? builder.refusalLine() : XML_GetCurrentLineNumber(parser.get());
    const XML_Size column =
        (builder.stopped() ? builder.refusalColumn() : XML_GetCurrentColumnNumber(parser.get())) + 1;
    if (builder.sawDocumentType())
        throw VeldrinError(QStringLiteral("%1 has a document type declaration, which is not accepted")
                               .arg(native(fileName)));
    const QString reason = builder.stopped()
                               ? builder.refusal()
                               : QString::fromLatin1(XML_ErrorString(XML_GetErrorCode(parser.get())));
    throw VeldrinError(QStringLiteral("%1 is not well-formed XML: line %2, column %3: %4")
                           .arg(native(fileName))
                           .arg(line)
                           .arg(column)
                           .arg(reason));
}

XmlNode XmlDoc::root() const
{
    const auto& top = m_tree->at(0).children;
    return top.empty() ? XmlNode() : XmlNode(m_tree.get(), top.front());
}

void XmlDoc::clear()
{
    m_tree->clear();
}

XmlNode XmlDoc::appendElement(const QString& name)
{
    return XmlNode(m_tree.get(), m_tree->append(0, XmlNode::Kind::Element, name));
}

void XmlDoc::appendComment(const QString& text)
{
    m_tree->append(0, XmlNode::Kind::Comment, {}, text);
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
