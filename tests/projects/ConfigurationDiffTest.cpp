#include "projects/ConfigurationDiff.h"

#include "access/RequestTablesFile.h"
#include "image/DeviceImages.h"
#include "support/ErrorOf.h"
#include "support/TempProgramDir.h"
#include "support/TestData.h"

#include <QFile>

#include <gtest/gtest.h>

#include <functional>

namespace veldrin {
namespace {

ConfigurationFiles sample()
{
    return ReadConfigurationFiles(test::SamplesDir() + QStringLiteral("/Demo"));
}

struct DiffCase {
    const char* what;
    std::function<void(ConfigurationFiles&)> change;
    std::vector<FieldChange> parameters;
    std::vector<RowChange> rows;
};

TEST(ConfigurationDiff, NamesEachChangedParameterAndRow)
{
    using K = RowChange::Kind;
    const std::vector<DiffCase> cases{
        {"identical", [](ConfigurationFiles&) {}, {}, {}},
        {"a list parameter, named as the dialog names it",
         [](ConfigurationFiles& f) { f.parameters->Baud_Rate = 3; },
         {{QStringLiteral("Baud_Rate"), QStringLiteral("19200"), QStringLiteral("9600")}},
         {}},
        {"a text parameter and the gateway switch",
         [](ConfigurationFiles& f) {
             f.parameters->IP4 = QStringLiteral("9");
             f.parameters->EN_GAT = !f.parameters->EN_GAT;
         },
         {{QStringLiteral("IP4"), QStringLiteral("5"), QStringLiteral("9")},
          {QStringLiteral("EN_GAT"), QStringLiteral("yes"), QStringLiteral("no")}},
         {}},
        {"a cell of a read row",
         [](ConfigurationFiles& f) { f.tables->Modbus_Read.row(2)[Cell::NPoint] = QStringLiteral("8"); },
         {},
         {{TableKind::Read,
           2,
           K::Changed,
           {{QStringLiteral("NPoint"), QStringLiteral("16"), QStringLiteral("8")}}}}},
        {"a write row removed from the end",
         [](ConfigurationFiles& f) { f.tables->Modbus_Write.row(3) = RequestRow(); },
         {},
         {{TableKind::Write, 3, K::Removed, {}}}},
        {"a read row added after the used ones",
         [](ConfigurationFiles& f) { f.tables->Modbus_Read.row(5)[Cell::Slave_ID] = QStringLiteral("9"); },
         {},
         {{TableKind::Read, 5, K::Added, {}}}},
    };
    const ConfigurationFiles before = sample();
    for (const DiffCase& c : cases) {
        ConfigurationFiles after = before;
        c.change(after);
        const ConfigurationDiff diff = DiffConfigurations(before, after);
        EXPECT_EQ(diff.parameters, c.parameters) << c.what;
        ASSERT_EQ(diff.rows.size(), c.rows.size()) << c.what;
        for (std::size_t i = 0; i < c.rows.size(); ++i) {
            EXPECT_EQ(diff.rows[i].table, c.rows[i].table) << c.what;
            EXPECT_EQ(diff.rows[i].row, c.rows[i].row) << c.what;
            EXPECT_EQ(diff.rows[i].kind, c.rows[i].kind) << c.what;
            // A row added or removed lists every cell; a changed one only those that differ.
            if (c.rows[i].kind == K::Changed)
                EXPECT_EQ(diff.rows[i].fields, c.rows[i].fields) << c.what;
            else
                EXPECT_EQ(diff.rows[i].fields.size(), TableCells(c.rows[i].table).size()) << c.what;
        }
        EXPECT_EQ(diff.equal(), c.parameters.empty() && c.rows.empty()) << c.what;
        EXPECT_EQ(diff.compared, (QStringList{"parameters", "tables"})) << c.what;
    }
}

TEST(ConfigurationDiff, ImagesAreComparedByTheirDecodedFields)
{
    test::TempProgramDir dir;
    const ConfigurationFiles config = sample();
    QFile parGen(test::SamplesDir() + QStringLiteral("/Demo/ParGen.xml"));
    ASSERT_TRUE(parGen.open(QIODevice::ReadOnly));
    const QByteArray parGenBytes = parGen.readAll();
    // The images of the sample's parameters with these tables, alone in a folder.
    const auto write = [&](const QString& folder, const RequestTables& tables) {
        dir.write(folder + QStringLiteral("-src/ParGen.xml"), parGenBytes);
        WriteRequestTables(dir.file(folder + QStringLiteral("-src/ModbusM_SetAccess.xml")), tables);
        const DeviceImages images =
            CompileDeviceImages(dir.file(folder + QStringLiteral("-src/ParGen.xml")),
                                dir.file(folder + QStringLiteral("-src/ModbusM_SetAccess.xml")));
        dir.write(folder + QStringLiteral("/bank.bin"), images.GeneralImage);
        dir.write(folder + QStringLiteral("/bank2.bin"), images.RequestImage);
        return dir.file(folder);
    };
    RequestTables changed = *config.tables;
    changed.Modbus_Read.row(1)[Cell::Address] = QStringLiteral("7");
    // Only the mnemonic differs: the images are the same.
    RequestTables renamed = *config.tables;
    renamed.Modbus_Read.row(1)[Cell::Mnemonic] = QStringLiteral("other name");
    const QString a = write(QStringLiteral("a"), *config.tables);
    const QString b = write(QStringLiteral("b"), changed);
    const QString c = write(QStringLiteral("c"), renamed);

    const ConfigurationDiff diff = DiffConfigurations(ReadConfigurationFiles(a), ReadConfigurationFiles(b));
    EXPECT_EQ(diff.compared, (QStringList{"bank.bin", "bank2.bin"}));
    const auto found = std::find_if(diff.images.begin(), diff.images.end(), [](const ImageChange& change) {
        return change.change.field == QStringLiteral("slot 0.address");
    });
    ASSERT_NE(found, diff.images.end());
    EXPECT_EQ(found->file, QStringLiteral("bank2.bin"));
    EXPECT_EQ(found->change.after, QStringLiteral("7"));
    EXPECT_TRUE(DiffConfigurations(ReadConfigurationFiles(a), ReadConfigurationFiles(c)).equal());

    // Bytes the decoder cannot read still differ.
    dir.write(QStringLiteral("d/bank.bin"), "odd");
    dir.write(QStringLiteral("e/bank.bin"), "other");
    const ConfigurationDiff odd = DiffConfigurations(ReadConfigurationFiles(dir.file(QStringLiteral("d"))),
                                                     ReadConfigurationFiles(dir.file(QStringLiteral("e"))));
    EXPECT_FALSE(odd.equal());

    EXPECT_TRUE(test::ErrorOf([&] {
                    ReadConfigurationFiles(dir.path() + QStringLiteral("/none"));
                }).contains(QStringLiteral("not a folder")));
    dir.mkdir(QStringLiteral("empty"));
    EXPECT_TRUE(test::ErrorOf([&] {
                    ReadConfigurationFiles(dir.file(QStringLiteral("empty")));
                }).contains(QStringLiteral("neither")));
}

} // namespace
} // namespace veldrin
