// Any bytes as an XML file: a refusal is fine, a crash, a hang or a leak is not.
#include "common/VeldrinError.h"
#include "common/XmlDoc.h"

#include <cstddef>
#include <cstdint>
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
    try {
        const veldrin::XmlDoc doc = veldrin::XmlDoc::Parse(bytes, QStringLiteral("fuzz.xml"));
        walk(doc.root());
        const QByteArray saved = doc.toBytes();
        // What the writer writes, the reader reads.
        (void)veldrin::XmlDoc::Parse(saved, QStringLiteral("saved.xml"));
    } catch (const veldrin::VeldrinError&) {
    }
    return 0;
}
