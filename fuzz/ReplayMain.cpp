// Runs a fuzz target's entry point over files and folders of inputs, once each: the seed corpus
// and every input a fuzzing run found, kept as regression cases in the ordinary test run.
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

int main(int argc, char* argv[])
{
    QTextStream out(stdout);
    int inputs = 0;
    for (int i = 1; i < argc; ++i) {
        const QString root = QString::fromLocal8Bit(argv[i]);
        QStringList files;
        if (QFileInfo(root).isDir()) {
            QDirIterator it(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
            while (it.hasNext())
                files.append(it.next());
        } else {
            files.append(root);
        }
        for (const QString& path : files) {
            if (QFileInfo(path).fileName() == u".gitkeep")
                continue;
            QFile file(path);
            if (!file.open(QIODevice::ReadOnly)) {
                out << "cannot read " << path << "\n";
                return 1;
            }
            const QByteArray bytes = file.readAll();
            LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                                   static_cast<std::size_t>(bytes.size()));
            ++inputs;
        }
    }
    out << inputs << " inputs replayed\n";
    return inputs > 0 ? 0 : 1;
}
