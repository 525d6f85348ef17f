#include "access/RequestColumns.h"

#include <gtest/gtest.h>

namespace veldrin {
namespace {

TEST(RequestColumns, ShowTheTablesCellsWithTheirHeadersAndWidths)
{
    int width = 0;
    for (TableKind kind : {TableKind::Read, TableKind::Write}) {
        const auto& columns = GridColumns(kind);
        ASSERT_EQ(columns.size(), TableCells(kind).size() + 1);
        EXPECT_EQ(columns[0].editor, CellEditor::Fixed);
        for (std::size_t i = 1; i < columns.size(); ++i)
            EXPECT_EQ(columns[i].cell, TableCells(kind)[i - 1]);
        EXPECT_EQ(columns.front().header, kind == TableKind::Read ? 136 : 146);
        EXPECT_EQ(columns.back().header, kind == TableKind::Read ? 145 : 156);
        for (const GridColumn& column : columns)
            width += column.width;
    }
    EXPECT_EQ(width, 739 + 747);
    EXPECT_EQ(GridColumns(TableKind::Write)[6].editor, CellEditor::Check);
    EXPECT_EQ(ListEntries(TableKind::Read, Cell::Position).size(), NByte_IN);
    EXPECT_EQ(ListEntries(TableKind::Write, Cell::Position).last(), QStringLiteral("999"));
    EXPECT_EQ(ListEntries(TableKind::Write, Cell::Type),
              (QStringList{QStringLiteral("Coil Status"), QStringLiteral("Holding Register")}));
}

struct PasteCase {
    TableKind kind;
    Cell cell;
    const char* text;
    std::optional<const char*> value; // none: refused
};

class PastedValues : public ::testing::TestWithParam<PasteCase> {};

TEST_P(PastedValues, ListsTakeOnlyTheirEntries)
{
    const PasteCase& c = GetParam();
    const std::optional<QString> value = PastedCellValue(c.kind, c.cell, QString::fromUtf8(c.text));
    ASSERT_EQ(value.has_value(), c.value.has_value()) << c.text;
    if (value) {
        EXPECT_EQ(*value, QString::fromUtf8(*c.value));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cells, PastedValues,
    ::testing::Values(PasteCase{TableKind::Read, Cell::Mnemonic, " any\u00e9 text ", " any\u00e9 text "},
                      PasteCase{TableKind::Read, Cell::Slave_ID, "abc", "abc"},
                      PasteCase{TableKind::Read, Cell::Type, " input status ", "Input Status"},
                      PasteCase{TableKind::Write, Cell::Type, "Input Status", std::nullopt},
                      PasteCase{TableKind::Write, Cell::Type, "", ""},
                      PasteCase{TableKind::Read, Cell::Position, "999", "999"},
                      PasteCase{TableKind::Read, Cell::Position, "1000", std::nullopt},
                      PasteCase{TableKind::Read, Cell::Position, "05", std::nullopt},
                      PasteCase{TableKind::Write, Cell::Position, "\t0 ", "0"},
                      PasteCase{TableKind::Write, Cell::Position, "+1", std::nullopt},
                      PasteCase{TableKind::Write, Cell::Position, "1e2", std::nullopt},
                      PasteCase{TableKind::Write, Cell::Position, "\u0663", std::nullopt},
                      PasteCase{TableKind::Write, Cell::Position, "99999999999", std::nullopt},
                      PasteCase{TableKind::Write, Cell::Bit, "7", "7"},
                      PasteCase{TableKind::Write, Cell::Bit, "8", std::nullopt},
                      PasteCase{TableKind::Write, Cell::OnChange, "y", "Y"},
                      PasteCase{TableKind::Write, Cell::OnChange, "N", "N"},
                      PasteCase{TableKind::Write, Cell::OnChange, "", ""},
                      PasteCase{TableKind::Write, Cell::OnChange, "yes", std::nullopt}));

TEST(TabText, ReadsWhatSpreadsheetsPutOnTheClipboard)
{
    EXPECT_EQ(ParseTabText(QStringLiteral("a\tb\r\n\tc\r\n")),
              (std::vector<QStringList>{{QStringLiteral("a"), QStringLiteral("b")},
                                        {QString(), QStringLiteral("c")}}));
    EXPECT_EQ(ParseTabText(QStringLiteral("one")), (std::vector<QStringList>{{QStringLiteral("one")}}));
    EXPECT_EQ(ParseTabText(QStringLiteral("\n")), (std::vector<QStringList>{{QString()}}));
    EXPECT_TRUE(ParseTabText(QString()).empty());

    const std::vector<QStringList> rows{{QStringLiteral("a\tb"), QString()},
                                        {QStringLiteral("x\ny"), QStringLiteral("z")}};
    EXPECT_EQ(ToTabText(rows), QStringLiteral("a b\t\nx y\tz\n"));
    EXPECT_EQ(ParseTabText(ToTabText(rows)).size(), 2u);
}

} // namespace
} // namespace veldrin
