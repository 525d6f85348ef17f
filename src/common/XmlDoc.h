// The XML documents of the system: its settings, configurations and updater inputs.
#pragma once

#include <QByteArray>
#include <QString>

#include <memory>
#include <optional>
#include <vector>

namespace pugi {
class xml_document;
struct xml_node_struct;
} // namespace pugi

namespace veldrin {

// A node of an XmlDoc; a null node answers every lookup with nothing.
class XmlNode {
public:
    enum class Kind { Null, Element, Text, Comment, ProcessingInstruction, Declaration, Other };

    XmlNode() = default;

    bool isNull() const { return m_node == nullptr; }
    Kind kind() const;
    bool isElement() const { return kind() == Kind::Element; }
    QString name() const;

    // The first child element with this name.
    XmlNode child(const QString& name) const;
    // Every child node, of any kind, in document order.
    std::vector<XmlNode> children() const;
    // The text of the node and all below it, untrimmed.
    QString text() const;
    // The attribute's value, or nothing when the node has no attribute of that name.
    std::optional<QString> attribute(const QString& name) const;
    // The same for a name in ASCII, without converting it.
    std::optional<QString> attribute(const char* name) const;

    XmlNode appendElement(const QString& name);
    // An element child holding only the text.
    XmlNode appendTextElement(const QString& name, const QString& text);
    void setText(const QString& text);
    void setAttribute(const QString& name, const QString& value);

private:
    friend class XmlDoc;
    explicit XmlNode(pugi::xml_node_struct* node) : m_node(node) {}

    pugi::xml_node_struct* m_node = nullptr;
};

class XmlDoc {
public:
    XmlDoc();
    ~XmlDoc();
    XmlDoc(XmlDoc&&) noexcept;
    XmlDoc& operator=(XmlDoc&&) noexcept;

    // Loads a file; throws VeldrinError naming the file (and the line) when it is not a
    // regular file, is larger than MaxFileSize, does not parse or has a document type.
    static XmlDoc Load(const QString& path);
    // The same rules over bytes already read; fileName only names them in errors.
    static XmlDoc Parse(const QByteArray& bytes, const QString& fileName);

    static constexpr qint64 MaxFileSize = 4 * 1024 * 1024;

    // The document's first top-level node of any kind: a declaration or a comment that
    // comes first is the root, and then no element is found below it.
    XmlNode root() const;

    // Removes every top-level node.
    void clear();
    XmlNode appendElement(const QString& name);
    void appendComment(const QString& text);

    // The document without declaration or whitespace; throws VeldrinError naming the
    // element when a text holds a character XML cannot carry.
    QByteArray toBytes() const;
    // toBytes written atomically to path.
    void save(const QString& path) const;

private:
    std::unique_ptr<pugi::xml_document> m_doc;
};

} // namespace veldrin
