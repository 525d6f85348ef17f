#include "common/XmlDoc.h"

#include "common/AtomicFile.h"
#include "common/VeldrinError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <pugixml.hpp>

#include <cstring>
#include <sstream>

namespace veldrin {
namespace {

pugi::xml_node wrap(pugi::xml_node_struct* node)
{
    return pugi::xml_node(node);
}

QString fromUtf8(const pugi::char_t* text)
{
    return QString::fromUtf8(text);
}

std::string toUtf8(const QString& text)
{
    return text.toStdString();
}

QString native(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

void appendText(pugi::xml_node node, QString& out)
{
    for (pugi::xml_node child : node.children()) {
        if (child.type() == pugi::node_pcdata || child.type() == pugi::node_cdata)
            out += fromUtf8(child.value());
        else if (child.type() == pugi::node_element)
            appendText(child, out);
    }
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

void checkRepresentable(pugi::xml_node node)
{
    for (pugi::xml_node child : node.children()) {
        if (child.type() == pugi::node_element) {
            for (pugi::xml_attribute attribute : child.attributes()) {
                if (!isRepresentable(fromUtf8(attribute.value())))
                    throw VeldrinError(QStringLiteral("The attribute %1 of element %2 holds a character "
                                                      "that cannot be saved in an XML file")
                                           .arg(fromUtf8(attribute.name()), fromUtf8(child.name())));
            }
            checkRepresentable(child);
        } else if (!isRepresentable(fromUtf8(child.value()))) {
            const QString owner =
                node.type() == pugi::node_element ? fromUtf8(node.name()) : QStringLiteral("(document)");
            throw VeldrinError(
                QStringLiteral("The text of element %1 holds a character that cannot be saved in an XML file")
                    .arg(owner));
        }
    }
}

// Line and column (from 1) of a byte offset.
std::pair<int, int> position(const QByteArray& bytes, std::ptrdiff_t offset)
{
    int line = 1;
    int column = 1;
    const qsizetype end = std::min<qsizetype>(offset, bytes.size());
    for (qsizetype i = 0; i < end; ++i) {
        if (bytes[i] == '\n') {
            ++line;
            column = 1;
        } else {
            ++column;
        }
    }
    return {line, column};
}

// An element may not carry two attributes of one name; the parser lets that pass.
void checkUniqueAttributes(pugi::xml_node root, const QByteArray& bytes, const QString& fileName)
{
    std::vector<pugi::xml_node> pending{root};
    std::vector<const char*> names;
    while (!pending.empty()) {
        const pugi::xml_node node = pending.back();
        pending.pop_back();
        names.clear();
        for (pugi::xml_attribute a = node.first_attribute(); a; a = a.next_attribute())
            names.push_back(a.name());
        for (std::size_t i = 0; i < names.size(); ++i) {
            for (std::size_t j = i + 1; j < names.size(); ++j) {
                if (names[i][0] == names[j][0] && std::strcmp(names[i], names[j]) == 0)
                    throw VeldrinError(
                        QStringLiteral(
                            "%1 is not well-formed XML: line %2: attribute %3 appears twice in <%4>")
                            .arg(native(fileName))
                            .arg(position(bytes, node.offset_debug()).first)
                            .arg(fromUtf8(names[i]), fromUtf8(node.name())));
            }
        }
        for (pugi::xml_node child : node.children()) {
            if (child.type() == pugi::node_element)
                pending.push_back(child);
        }
    }
}

} // namespace

XmlNode::Kind XmlNode::kind() const
{
    switch (wrap(m_node).type()) {
    case pugi::node_null:
        return Kind::Null;
    case pugi::node_element:
        return Kind::Element;
    case pugi::node_pcdata:
    case pugi::node_cdata:
        return Kind::Text;
    case pugi::node_comment:
        return Kind::Comment;
    case pugi::node_pi:
        return Kind::ProcessingInstruction;
    case pugi::node_declaration:
        return Kind::Declaration;
    default:
        return Kind::Other;
    }
}

QString XmlNode::name() const
{
    return fromUtf8(wrap(m_node).name());
}

XmlNode XmlNode::child(const QString& name) const
{
    if (!isElement())
        return {};
    // Elements only: a processing instruction may carry the same name.
    const std::string key = toUtf8(name);
    for (pugi::xml_node child : wrap(m_node).children()) {
        if (child.type() == pugi::node_element && key == child.name())
            return XmlNode(child.internal_object());
    }
    return {};
}

std::vector<XmlNode> XmlNode::children() const
{
    std::vector<XmlNode> result;
    for (pugi::xml_node child : wrap(m_node).children())
        result.push_back(XmlNode(child.internal_object()));
    return result;
}

QString XmlNode::text() const
{
    QString result;
    const pugi::xml_node node = wrap(m_node);
    if (node.type() == pugi::node_pcdata || node.type() == pugi::node_cdata)
        return fromUtf8(node.value());
    appendText(node, result);
    return result;
}

std::optional<QString> XmlNode::attribute(const QString& name) const
{
    return attribute(toUtf8(name).c_str());
}

std::optional<QString> XmlNode::attribute(const char* name) const
{
    if (!isElement())
        return std::nullopt;
    const pugi::xml_attribute attribute = wrap(m_node).attribute(name);
    if (!attribute)
        return std::nullopt;
    return fromUtf8(attribute.value());
}

XmlNode XmlNode::appendElement(const QString& name)
{
    return XmlNode(wrap(m_node).append_child(toUtf8(name).c_str()).internal_object());
}

XmlNode XmlNode::appendTextElement(const QString& name, const QString& text)
{
    XmlNode element = appendElement(name);
    element.setText(text);
    return element;
}

void XmlNode::setText(const QString& text)
{
    pugi::xml_node node = wrap(m_node);
    while (node.first_child())
        node.remove_child(node.first_child());
    if (!text.isEmpty())
        node.append_child(pugi::node_pcdata).set_value(toUtf8(text).c_str());
}

void XmlNode::setAttribute(const QString& name, const QString& value)
{
    pugi::xml_node node = wrap(m_node);
    const std::string key = toUtf8(name);
    pugi::xml_attribute attribute = node.attribute(key.c_str());
    if (!attribute)
        attribute = node.append_attribute(key.c_str());
    attribute.set_value(toUtf8(value).c_str());
}

XmlDoc::XmlDoc() : m_doc(std::make_unique<pugi::xml_document>()) {}
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
    XmlDoc doc;
    const unsigned flags = pugi::parse_default | pugi::parse_declaration | pugi::parse_comments |
                           pugi::parse_pi | pugi::parse_doctype | pugi::parse_ws_pcdata_single;
    const pugi::xml_parse_result result = doc.m_doc->load_buffer(
        bytes.constData(), static_cast<size_t>(bytes.size()), flags, pugi::encoding_auto);
    if (!result) {
        const auto [line, column] = position(bytes, result.offset);
        throw VeldrinError(QStringLiteral("%1 is not well-formed XML: line %2, column %3: %4")
                               .arg(native(fileName))
                               .arg(line)
                               .arg(column)
                               .arg(QString::fromLatin1(result.description())));
    }
    int elements = 0;
    for (pugi::xml_node node : doc.m_doc->children()) {
        if (node.type() == pugi::node_doctype)
            throw VeldrinError(QStringLiteral("%1 has a document type declaration, which is not accepted")
                                   .arg(native(fileName)));
        if (node.type() == pugi::node_element && ++elements > 1)
            throw VeldrinError(
                QStringLiteral("%1 is not well-formed XML: line %2: a second root element <%3>")
                    .arg(native(fileName))
                    .arg(position(bytes, node.offset_debug()).first)
                    .arg(fromUtf8(node.name())));
    }
    checkUniqueAttributes(doc.m_doc->document_element(), bytes, fileName);
    return doc;
}

XmlNode XmlDoc::root() const
{
    return XmlNode(m_doc->first_child().internal_object());
}

void XmlDoc::clear()
{
    m_doc->reset();
}

XmlNode XmlDoc::appendElement(const QString& name)
{
    return XmlNode(m_doc->append_child(toUtf8(name).c_str()).internal_object());
}

void XmlDoc::appendComment(const QString& text)
{
    m_doc->append_child(pugi::node_comment).set_value(toUtf8(text).c_str());
}

QByteArray XmlDoc::toBytes() const
{
    checkRepresentable(*m_doc);
    std::ostringstream stream;
    m_doc->save(stream, "", pugi::format_raw | pugi::format_no_declaration, pugi::encoding_utf8);
    const std::string bytes = stream.str();
    return QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

void XmlDoc::save(const QString& path) const
{
    WriteFileAtomically(path, toBytes());
}

} // namespace veldrin
