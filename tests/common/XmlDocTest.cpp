#include "common/XmlDoc.h"

#include "common/VeldrinError.h"
#include "support/ErrorOf.h"
#include "support/TempProgramDir.h"

#include <QFile>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace veldrin {
namespace {

XmlDoc parse(const char* text)
{
    return XmlDoc::Parse(QByteArray(text), QStringLiteral("test.xml"));
}

TEST(XmlDoc, TheFirstNodeOfAnyKindIsTheRoot)
{
    EXPECT_EQ(parse("<r><a>1</a></r>").root().child(QStringLiteral("a")).text(), QStringLiteral("1"));
    EXPECT_EQ(parse("\n  <other><a>1</a></other>").root().child(QStringLiteral("a")).text(),
              QStringLiteral("1"));
    for (const char* text : {"<?xml version=\"1.0\"?><r><a>1</a></r>", "<!-- note --><r><a>1</a></r>",
                             "<?style x?><r><a>1</a></r>"}) {
        const XmlDoc doc = parse(text);
        EXPECT_FALSE(doc.root().isElement()) << text;
        EXPECT_TRUE(doc.root().child(QStringLiteral("a")).isNull()) << text;
        EXPECT_EQ(doc.root().child(QStringLiteral("a")).text(), QString()) << text;
    }
}

TEST(XmlDoc, ChildIsTheFirstElementOfThatName)
{
    const XmlDoc doc = parse("<r><!--a--><b>x</b><a>first</a><a>second</a></r>");
    EXPECT_EQ(doc.root().child(QStringLiteral("a")).text(), QStringLiteral("first"));
    EXPECT_TRUE(doc.root().child(QStringLiteral("A")).isNull());
    EXPECT_TRUE(doc.root().child(QStringLiteral("a")).child(QStringLiteral("z")).isNull());
}

TEST(XmlDoc, AProcessingInstructionIsNeverTakenForAnElementOfItsName)
{
    const XmlDoc doc =
        parse("<r><?IP1 note?><IP1>10</IP1><?Modbus_Read?><Modbus_Read><row/></Modbus_Read></r>");
    EXPECT_EQ(doc.root().child(QStringLiteral("IP1")).text(), QStringLiteral("10"));
    EXPECT_TRUE(doc.root().child(QStringLiteral("Modbus_Read")).isElement());
    EXPECT_EQ(doc.root().child(QStringLiteral("Modbus_Read")).children().size(), 1u);
}

TEST(XmlDoc, TextsAreReadUntrimmedAndWhitespaceBetweenElementsIsNotANode)
{
    const XmlDoc doc =
        parse("<r>\n  <a> 1 </a>\n  <b> </b>\n  <c></c>\n  <d>x<![CDATA[<y>]]>&amp;</d>\n</r>");
    const XmlNode root = doc.root();
    EXPECT_EQ(root.child(QStringLiteral("a")).text(), QStringLiteral(" 1 "));
    EXPECT_EQ(root.child(QStringLiteral("b")).text(), QStringLiteral(" "));
    EXPECT_EQ(root.child(QStringLiteral("c")).text(), QString());
    EXPECT_EQ(root.child(QStringLiteral("d")).text(), QStringLiteral("x<y>&"));
    EXPECT_EQ(root.children().size(), 4u);
}

TEST(XmlDoc, AttributesAreMissingOrTheirText)
{
    const XmlDoc doc = parse("<r><row a=\" 7 \" b=\"\"/></r>");
    const XmlNode row = doc.root().child(QStringLiteral("row"));
    EXPECT_EQ(row.attribute(QStringLiteral("a")), QStringLiteral(" 7 "));
    EXPECT_EQ(row.attribute(QStringLiteral("b")), QString());
    EXPECT_EQ(row.attribute(QStringLiteral("c")), std::nullopt);
}

TEST(XmlDoc, SavesWithoutDeclarationOrWhitespace)
{
    XmlDoc doc;
    XmlNode root = doc.appendElement(QStringLiteral("Root"));
    doc.appendComment(QStringLiteral("SW_VERSION = 2.003"));
    root.appendTextElement(QStringLiteral("a"), QStringLiteral(" x & <y> "));
    root.appendElement(QStringLiteral("g")).appendTextElement(QStringLiteral("v"), QStringLiteral("\u00e8"));
    root.appendElement(QStringLiteral("row")).setAttribute(QStringLiteral("Type"), QStringLiteral("a\"b"));
    EXPECT_EQ(doc.toBytes(), QByteArray("<Root><a> x &amp; &lt;y&gt; </a><g><v>\xc3\xa8</v></g>"
                                        "<row Type=\"a&quot;b\"/></Root><!--SW_VERSION = 2.003-->"));
    const XmlDoc back = XmlDoc::Parse(doc.toBytes(), QStringLiteral("back.xml"));
    EXPECT_EQ(back.root().child(QStringLiteral("a")).text(), QStringLiteral(" x & <y> "));
}

TEST(XmlDoc, RefusesToSaveCharactersXmlCannotCarry)
{
    for (const QString& bad : {QStringLiteral("a\x01"), QStringLiteral("\x1b[0m"), QStringLiteral("\uFFFE"),
                               QStringLiteral("\uFFFF")}) {
        XmlDoc doc;
        doc.appendElement(QStringLiteral("r")).appendTextElement(QStringLiteral("projectname"), bad);
        EXPECT_TRUE(test::ErrorOf([&] { doc.toBytes(); }).contains(QStringLiteral("projectname")));
    }
    XmlDoc attr;
    attr.appendElement(QStringLiteral("r"))
        .appendElement(QStringLiteral("row"))
        .setAttribute(QStringLiteral("Mnemonic"), QStringLiteral("x\x02"));
    EXPECT_TRUE(test::ErrorOf([&] { attr.toBytes(); }).contains(QStringLiteral("Mnemonic")));
    XmlDoc fine;
    fine.appendElement(QStringLiteral("r")).setText(QStringLiteral("tab\tCR\rLF\n"));
    EXPECT_NO_THROW(fine.toBytes());
}

TEST(XmlDoc, AValueHoldingElementsIsRefusedWithTheLineItStartsOn)
{
    // Lines end in CR LF, CR alone and LF alone; each counts once.
    const XmlDoc doc = parse("<r>\r\n<a/>\r<b/>\n<v>1<x/></v></r>");
    const QString error = test::ErrorOf([&] { doc.root().child(QStringLiteral("v")).text(); });
    EXPECT_TRUE(error.contains(QStringLiteral("test.xml"))) << error.toStdString();
    EXPECT_TRUE(error.contains(QStringLiteral("line 4: <v>"))) << error.toStdString();
}

TEST(XmlDoc, RefusesWhatIsNotAWellFormedPlainDocument)
{
    const QString broken = test::ErrorOf([] { parse("<r>\n<a>\n<b></a>\n</r>"); });
    EXPECT_TRUE(broken.contains(QStringLiteral("test.xml"))) << broken.toStdString();
    EXPECT_TRUE(broken.contains(QStringLiteral("line 3"))) << broken.toStdString();

    const QString doctype = test::ErrorOf([] { parse("<!DOCTYPE r [<!ENTITY e \"boom\">]><r>&e;</r>"); });
    EXPECT_TRUE(doctype.contains(QStringLiteral("document type"))) << doctype.toStdString();
    EXPECT_FALSE(test::ErrorOf([] { parse(""); }).isEmpty());

    EXPECT_NO_THROW(parse("<!--a--><r/><!--b--><?pi?>"));
}

// Each of these once loaded as a document; each is refused with the file, line and column.
struct MalformedCase {
    const char* what;
    QByteArray text;
    const char* place;
};
const MalformedCase Malformed[] = {
    {"content after the root", "<r/>\nx", "line 2, column 1"},
    {"a second root", "<r><a>1</a></r>\n<r><a>2</a></r>", "line 2, column 1"},
    {"a repeated attribute", "<r>\n<row Slave_ID=\"1\" Type=\"x\" Slave_ID=\"9\"/></r>", "line 2"},
    {"a reference to NUL", "<P><IP1>1&#0;0</IP1></P>", "line 1, column 10"},
    {"a reference to a control character", "<P a=\"&#x1b;\"/>", "line 1"},
    {"a raw control character", QByteArray("<r>1\x01</r>"), "line 1, column 5"},
    {"a raw NUL", QByteArray("<r>1\0</r>", 9), "line 1, column 5"},
    {"an undefined entity", "<r>\n  &nope;</r>", "line 2, column 3"},
    {"< in an attribute", "<r a=\"<\"/>", "line 1"},
    {"bytes that are not UTF-8", "<r>caf\xe9</r>", "line 1"},
    {"a truncated UTF-8 sequence", "<r>\xc3</r>", "line 1"},
    {"a declaration after a comment", "<!--c--><?xml version=\"1.0\"?><r/>", "line 1"},
    {"a declaration after blanks", "\n<?xml version=\"1.0\"?><r/>", "line 2"},
    {"a declaration inside the root", "<r><?xml version=\"1.0\"?></r>", "line 1"},
    {"an unknown encoding", "<?xml version=\"1.0\" encoding=\"x-none\"?><r/>", "line 1"},
    {"an unclosed element", "<r><a>", "line 1"},
    {"nothing at all", "", "line 1"},
};

TEST(XmlDoc, RefusesEveryKindOfMalformedDocumentWithItsPlace)
{
    for (const MalformedCase& c : Malformed) {
        const QString error = test::ErrorOf([&] { XmlDoc::Parse(c.text, QStringLiteral("test.xml")); });
        EXPECT_TRUE(error.contains(QStringLiteral("test.xml"))) << c.what << ": " << error.toStdString();
        EXPECT_TRUE(error.contains(QLatin1String(c.place))) << c.what << ": " << error.toStdString();
    }
}

TEST(XmlDoc, ReadsTheEncodingsXmlRequires)
{
    QByteArray utf16{"\xff\xfe"};
    for (const QChar c : QStringLiteral("<r><a>caf\u00e9</a></r>"))
        utf16 += QByteArray::fromRawData(reinterpret_cast<const char*>(&c), 2);
    for (const QByteArray& input : {QByteArray("<r><a>caf\xc3\xa9</a></r>"),
                                    QByteArray("\xef\xbb\xbf<r><a>caf\xc3\xa9</a></r>"), utf16}) {
        EXPECT_EQ(XmlDoc::Parse(input, QStringLiteral("t")).root().child(QStringLiteral("a")).text(),
                  QStringLiteral("caf\u00e9"));
    }
    // A declared encoding is honoured; the declaration is then the root, as always.
    EXPECT_NO_THROW(XmlDoc::Parse("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><r><a>caf\xe9</a></r>",
                                  QStringLiteral("t")));
}

// Generated, not stored: the shapes that crashed or stalled every reader.
TEST(XmlDoc, DeepOrWideDocumentsAreReadWithoutRecursionOrQuadraticWork)
{
    QByteArray deep;
    for (int i = 0; i < 50000; ++i)
        deep += "<a>";
    const QString tooDeep = test::ErrorOf([&] { XmlDoc::Parse(deep, QStringLiteral("deep.xml")); });
    EXPECT_TRUE(tooDeep.contains(QStringLiteral("deeper than 64"))) << tooDeep.toStdString();
    EXPECT_TRUE(tooDeep.contains(QStringLiteral("line 1, column 193"))) << tooDeep.toStdString();

    QByteArray allowed;
    for (int i = 0; i < XmlDoc::MaxDepth; ++i)
        allowed += "<a>";
    for (int i = 0; i < XmlDoc::MaxDepth; ++i)
        allowed += "</a>";
    EXPECT_NO_THROW(XmlDoc::Parse(allowed, QStringLiteral("t")));

    QByteArray wide = "<r";
    for (int i = 0; i < 100000; ++i)
        wide += " a" + QByteArray::number(i) + "=\"\"";
    EXPECT_NO_THROW(XmlDoc::Parse(wide + "/>", QStringLiteral("t")));
    const QString repeated =
        test::ErrorOf([&] { XmlDoc::Parse(wide + " a5=\"\"/>", QStringLiteral("wide.xml")); });
    EXPECT_TRUE(repeated.contains(QStringLiteral("wide.xml"))) << repeated.toStdString();
}

TEST(XmlDoc, AValueThatHoldsElementsIsRefusedNamingTheElement)
{
    const XmlDoc doc = parse("<P>\n<SUB3><a>x</a>255</SUB3><SUB4>1<!--c-->2<?p?></SUB4></P>");
    const QString error = test::ErrorOf([&] { doc.root().child(QStringLiteral("SUB3")).text(); });
    EXPECT_TRUE(error.contains(QStringLiteral("test.xml"))) << error.toStdString();
    EXPECT_TRUE(error.contains(QStringLiteral("<SUB3>"))) << error.toStdString();
    EXPECT_TRUE(error.contains(QStringLiteral("line 2"))) << error.toStdString();
    EXPECT_EQ(doc.root().child(QStringLiteral("SUB4")).text(), QStringLiteral("12"));
}

TEST(XmlDoc, LoadRefusesFilesThatAreNotRegularOrTooLarge)
{
    test::TempProgramDir dir;
    dir.write(QStringLiteral("ok.xml"), "<r><a>1</a></r>");
    EXPECT_EQ(XmlDoc::Load(dir.file(QStringLiteral("ok.xml"))).root().child(QStringLiteral("a")).text(),
              QStringLiteral("1"));

    dir.write(QStringLiteral("big.xml"), "<r>" + QByteArray(XmlDoc::MaxFileSize, ' ') + "</r>");
    EXPECT_TRUE(test::ErrorOf([&] {
                    XmlDoc::Load(dir.file(QStringLiteral("big.xml")));
                }).contains(QStringLiteral("4 MiB")));

    dir.mkdir(QStringLiteral("folder.xml"));
    const QString fifo = dir.file(QStringLiteral("fifo.xml"));
    ASSERT_EQ(mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
    const QString device = dir.file(QStringLiteral("device.xml"));
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), device));
    for (const QString& path : {dir.file(QStringLiteral("folder.xml")), fifo, device})
        EXPECT_TRUE(test::ErrorOf([&] { XmlDoc::Load(path); }).contains(QStringLiteral("not a regular file")))
            << path.toStdString();
    EXPECT_FALSE(test::ErrorOf([&] { XmlDoc::Load(dir.file(QStringLiteral("none.xml"))); }).isEmpty());
}

QString kindLetter(XmlNode::Kind kind)
{
    switch (kind) {
    case XmlNode::Kind::Element:
        return QStringLiteral("E");
    case XmlNode::Kind::Text:
        return QStringLiteral("T");
    case XmlNode::Kind::Comment:
        return QStringLiteral("C");
    case XmlNode::Kind::ProcessingInstruction:
        return QStringLiteral("P");
    case XmlNode::Kind::Declaration:
        return QStringLiteral("D");
    default:
        return QStringLiteral("?");
    }
}

// The root and the nodes below it as Load builds them, one line each in document order.
void traceTree(const XmlNode& node, int depth, QStringList& lines)
{
    const QString value = node.kind() == XmlNode::Kind::Text ? node.text() : QString();
    lines.append(QStringLiteral("%1 %2 %3 %4").arg(depth).arg(kindLetter(node.kind()), node.name(), value));
    if (node.isElement()) {
        for (const XmlNode& child : node.children())
            traceTree(child, depth + 1, lines);
    }
}

// The same lines from what Visit tells, up to the end of the root.
class Tracer : public XmlVisitor {
public:
    QStringList lines;

    void startElement(int depth, const char* name, const char* const*, qint64) override
    {
        add(depth, XmlNode::Kind::Element, name, {});
    }
    void endElement(int) override {}
    void node(int depth, XmlNode::Kind kind, QByteArrayView name, QByteArrayView value) override
    {
        add(depth, kind, name, kind == XmlNode::Kind::Text ? value : QByteArrayView());
    }

private:
    void add(int depth, XmlNode::Kind kind, QByteArrayView name, QByteArrayView value)
    {
        // The root is the first node of the document's own level, whatever its kind.
        m_rootEnded = m_rootEnded || (depth == 1 && !lines.isEmpty());
        if (m_rootEnded)
            return;
        lines.append(QStringLiteral("%1 %2 %3 %4")
                         .arg(depth)
                         .arg(kindLetter(kind), QString::fromUtf8(name), QString::fromUtf8(value)));
    }

    bool m_rootEnded = false;
};

// Visit reads a file part by part; what it tells, and every refusal, is what Load gives.
TEST(XmlDoc, VisitTellsTheNodesLoadBuildsAndRefusesAsLoadDoes)
{
    test::TempProgramDir dir;
    QByteArray large = "<r>\n";
    for (int i = 0; i < 3000; ++i)
        large += "  <row n=\"" + QByteArray::number(i) + "\">text " + QByteArray::number(i) + "</row>\n";
    QByteArray utf16{"\xff\xfe"};
    for (const QChar c : QStringLiteral("<r><a>caf\u00e9</a></r>"))
        utf16 += QByteArray::fromRawData(reinterpret_cast<const char*>(&c), 2);
    const QByteArray documents[] = {
        "<r a=\"1\">\n  <a>x &amp; y</a>\n  <!--c--><?p d?><b/>  <c>  </c><d><![CDATA[ ]]></d>t<!--x-->u</r>",
        "<?xml version=\"1.0\"?><!--n--><r><x/></r>",
        "<!--first--><r/><!--after-->",
        large + "</r>",
        utf16,
    };
    for (const QByteArray& text : documents) {
        dir.write(QStringLiteral("doc.xml"), text);
        const QString path = dir.file(QStringLiteral("doc.xml"));
        QStringList built;
        traceTree(XmlDoc::Load(path).root(), 1, built);
        Tracer told;
        XmlDoc::Visit(path, told);
        EXPECT_EQ(told.lines, built) << text.left(60).toStdString();
    }

    QByteArray deep;
    for (int i = 0; i < 1000; ++i)
        deep += "<a>";
    std::vector<QByteArray> refused = {deep, "<!DOCTYPE r><r/>", large + "</r><r/>", large + "<a></r>",
                                       "<r>" + QByteArray(XmlDoc::MaxFileSize, ' ') + "</r>"};
    for (const MalformedCase& c : Malformed)
        refused.push_back(c.text);
    for (const QByteArray& text : refused) {
        dir.write(QStringLiteral("bad.xml"), text);
        const QString path = dir.file(QStringLiteral("bad.xml"));
        const QString loaded = test::ErrorOf([&] { XmlDoc::Load(path); });
        Tracer told;
        EXPECT_FALSE(loaded.isEmpty()) << text.left(60).toStdString();
        EXPECT_EQ(test::ErrorOf([&] { XmlDoc::Visit(path, told); }), loaded) << text.left(60).toStdString();
    }
    dir.mkdir(QStringLiteral("folder.xml"));
    for (const char* name : {"folder.xml", "none.xml"}) {
        const QString path = dir.file(QLatin1String(name));
        Tracer told;
        EXPECT_EQ(test::ErrorOf([&] { XmlDoc::Visit(path, told); }),
                  test::ErrorOf([&] { XmlDoc::Load(path); }))
            << name;
    }
}

TEST(XmlDoc, ClearRemovesEveryTopLevelNode)
{
    XmlDoc doc = parse("<!--c--><r/>");
    doc.clear();
    EXPECT_TRUE(doc.root().isNull());
    doc.appendElement(QStringLiteral("n"));
    EXPECT_EQ(doc.toBytes(), QByteArray("<n/>"));
}

} // namespace
} // namespace veldrin
