// The XML documents of the system: its settings, configurations and updater inputs.
#pragma once

#include <QByteArray>
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
