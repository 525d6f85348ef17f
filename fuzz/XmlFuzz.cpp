// Any bytes as an XML file: a refusal is fine, a crash, a hang or a leak is not.
#include "common/VeldrinError.h"
#include "common/XmlDoc.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

void walk(const veldrin::XmlNode& start)
{
    // Iterative, as every reader must be.
    std::vector<veldrin::XmlNode> pending{start};
    while (!pending.empty()) {
        const veldrin::XmlNode node = pending.back();
        pending.pop_back();
        try {
            (void)node.text();
        } catch (const veldrin::VeldrinError&) {
        }
        (void)node.attribute("Slave_ID");
        (void)node.child(QStringLiteral("row"));
        for (const veldrin::XmlNode& child : node.children())
            pending.push_back(child);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QByteArray saved;
    try {
        const veldrin::XmlDoc doc = veldrin::XmlDoc::Parse(bytes, QStringLiteral("fuzz.xml"));
        walk(doc.root());
        saved = doc.toBytes();
    } catch (const veldrin::VeldrinError&) {
        return 0;
    }
    // What the writer writes, the reader reads back: a refusal here is a fault. Only for input
    // in UTF-8, the encoding written: the parser's name characters differ between encodings
    // (a name it takes in a Latin-1 file may not be a name to it in UTF-8), and no file the
    // system reads is saved again.
    const bool utf8 =
        !bytes.contains("encoding") && !bytes.startsWith("\xff\xfe") && !bytes.startsWith("\xfe\xff");
    if (!utf8)
        return 0;
    try {
        (void)veldrin::XmlDoc::Parse(saved, QStringLiteral("saved.xml"));
    } catch (const veldrin::VeldrinError& error) {
        std::fprintf(stderr, "written but not readable: %s\n", error.what());
        std::abort();
    }
    return 0;
}
