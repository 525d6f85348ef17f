#include "common/XmlDoc.h"

#include "common/VeldrinError.h"
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

QString errorOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const VeldrinError& error) {
        return error.message();
    }
    return {};
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
        EXPECT_TRUE(errorOf([&] { doc.toBytes(); }).contains(QStringLiteral("projectname")));
    }
    XmlDoc attr;
    attr.appendElement(QStringLiteral("r"))
        .appendElement(QStringLiteral("row"))
        .setAttribute(QStringLiteral("Mnemonic"), QStringLiteral("x\x02"));
    EXPECT_TRUE(errorOf([&] { attr.toBytes(); }).contains(QStringLiteral("Mnemonic")));
    XmlDoc fine;
    fine.appendElement(QStringLiteral("r")).setText(QStringLiteral("tab\tCR\rLF\n"));
    EXPECT_NO_THROW(fine.toBytes());
}

TEST(XmlDoc, RefusesWhatIsNotAWellFormedPlainDocument)
{
    const QString broken = errorOf([] { parse("<r>\n<a>\n<b></a>\n</r>"); });
    EXPECT_TRUE(broken.contains(QStringLiteral("test.xml"))) << broken.toStdString();
    EXPECT_TRUE(broken.contains(QStringLiteral("line 3"))) << broken.toStdString();

    const QString doctype = errorOf([] { parse("<!DOCTYPE r [<!ENTITY e \"boom\">]><r>&e;</r>"); });
    EXPECT_TRUE(doctype.contains(QStringLiteral("document type"))) << doctype.toStdString();
    EXPECT_FALSE(errorOf([] { parse(""); }).isEmpty());

    // What the parser would let pass but XML forbids.
    const QString twice = errorOf([] { parse("<r>\n<row Slave_ID=\"1\" Type=\"x\" Slave_ID=\"9\"/></r>"); });
    EXPECT_TRUE(twice.contains(QStringLiteral("line 2"))) << twice.toStdString();
    EXPECT_TRUE(twice.contains(QStringLiteral("Slave_ID"))) << twice.toStdString();
    const QString roots = errorOf([] { parse("<r><a>1</a></r>\n<r><a>2</a></r>"); });
    EXPECT_TRUE(roots.contains(QStringLiteral("second root element"))) << roots.toStdString();
    EXPECT_NO_THROW(parse("<!--a--><r/><!--b--><?pi?>"));
}

TEST(XmlDoc, LoadRefusesFilesThatAreNotRegularOrTooLarge)
{
    test::TempProgramDir dir;
    dir.write(QStringLiteral("ok.xml"), "<r><a>1</a></r>");
    EXPECT_EQ(XmlDoc::Load(dir.file(QStringLiteral("ok.xml"))).root().child(QStringLiteral("a")).text(),
              QStringLiteral("1"));

    dir.write(QStringLiteral("big.xml"), "<r>" + QByteArray(XmlDoc::MaxFileSize, ' ') + "</r>");
    EXPECT_TRUE(errorOf([&] {
                    XmlDoc::Load(dir.file(QStringLiteral("big.xml")));
                }).contains(QStringLiteral("4 MiB")));

    dir.mkdir(QStringLiteral("folder.xml"));
    const QString fifo = dir.file(QStringLiteral("fifo.xml"));
    ASSERT_EQ(mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
    const QString device = dir.file(QStringLiteral("device.xml"));
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), device));
    for (const QString& path : {dir.file(QStringLiteral("folder.xml")), fifo, device})
        EXPECT_TRUE(errorOf([&] { XmlDoc::Load(path); }).contains(QStringLiteral("not a regular file")))
            << path.toStdString();
    EXPECT_FALSE(errorOf([&] { XmlDoc::Load(dir.file(QStringLiteral("none.xml"))); }).isEmpty());
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
