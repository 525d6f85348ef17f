// The XML documents of the system: its settings, configurations and updater inputs.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <memory>
#include <optional>
#include <vector>

namespace veldrin {

struct XmlTree;

// A node of an XmlDoc; a null node answers every lookup with nothing.
class XmlNode {
public:
    enum class Kind { Null, Element, Text, Comment, ProcessingInstruction, Declaration, Other };

    XmlNode() = default;

    bool isNull() const { return m_tree == nullptr; }
    Kind kind() const;
    bool isElement() const { return kind() == Kind::Element; }
    QString name() const;

    // The first child element with this name.
    XmlNode child(const QString& name) const;
    // Every child node, of any kind, in document order.
    std::vector<XmlNode> children() const;
    // The node's own text, untrimmed: a text node's characters, or the texts directly inside
    // an element. Throws VeldrinError naming the file and the element when the element holds
    // other elements, since a value was expected there and a hand edit went wrong.
    QString text() const;
    // The attribute's value, or nothing when the node has no attribute of that name.
    std::optional<QString> attribute(const QString& name) const;
    // The same for a name in ASCII, without converting it.
    std::optional<QString> attribute(const char* name) const;
    // The attribute's value as the UTF-8 bytes of the document, for reading many of them
    // without making a text of each; valid while the document lives and is not changed.
    std::optional<QByteArrayView> attributeUtf8(const char* name) const;

    XmlNode appendElement(const QString& name);
    // An element child holding only the text.
    XmlNode appendTextElement(const QString& name, const QString& text);
    void setText(const QString& text);
    void setAttribute(const QString& name, const QString& value);

private:
    friend class XmlDoc;
    XmlNode(XmlTree* tree, int index) : m_tree(tree), m_index(index) {}

    XmlTree* m_tree = nullptr;
    int m_index = 0;
};

// Told a document's nodes in document order by XmlDoc::Visit, which reads the file with the
// checks and errors of XmlDoc::Load but builds no tree: for reading a large file once. Depth 1
// is the document's own level, 2 the root element's children. Names and values are the
// document's UTF-8 bytes, valid during the call only.
class XmlVisitor {
public:
    virtual ~XmlVisitor() = default;
    // attributes: names and values in turn, ended by a null pointer. start: the byte where the
    // element starts in the file.
    virtual void startElement(int depth, const char* name, const char* const* attributes, qint64 start) = 0;
    virtual void endElement(int depth) = 0;
    // A text (blanks alone only when they are all an element holds), a comment, a processing
    // instruction (name: its target) or the XML declaration.
    virtual void node(int depth, XmlNode::Kind kind, QByteArrayView name, QByteArrayView value) = 0;
};

class XmlDoc {
public:
    XmlDoc();
    ~XmlDoc();
    XmlDoc(XmlDoc&&) noexcept;
    XmlDoc& operator=(XmlDoc&&) noexcept;

    // Loads a file; throws VeldrinError naming the file (and the line and column) when it is
    // not a regular file, is larger than MaxFileSize, is not well-formed XML 1.0, nests
    // elements deeper than MaxDepth or has a document type.
    static XmlDoc Load(const QString& path);
    // The same rules over bytes already read; fileName only names them in errors.
    static XmlDoc Parse(const QByteArray& bytes, const QString& fileName);
    // Reads a file as Load does, with the same errors, telling visitor its nodes instead of
    // building a tree; the file is read a part at a time. Errors found only once the visitor
    // was told some nodes, like a malformed end, are thrown after those nodes.
    static void Visit(const QString& path, XmlVisitor& visitor);

    static constexpr qint64 MaxFileSize = qint64{4} * 1024 * 1024;
    // The system's files nest three levels; anything far deeper was not written by it.
    static constexpr int MaxDepth = 64;

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
    std::unique_ptr<XmlTree> m_tree;
};

} // namespace veldrin
