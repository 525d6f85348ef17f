// A binary record as a table of fields: each field's offset and the member it holds. Both the
// encoder and the decoder walk the same table, so a record is laid out in one place. Unsigned
// integers are stored least significant byte first, with no alignment.
#pragma once

#include <QtEndian>

#include <array>
#include <cstdint>
#include <span>
#include <variant>

namespace veldrin {

template <class Record> struct RecordField {
    using Member = std::variant<std::uint8_t Record::*, std::uint16_t Record::*, std::uint32_t Record::*,
                                std::array<std::uint8_t, 4> Record::*>;
    int offset;
    Member member;
};

template <std::unsigned_integral T> void PutLittleEndian(char* at, T value)
{
    qToLittleEndian(value, at);
}

template <std::unsigned_integral T> T GetLittleEndian(const char* at)
{
    return qFromLittleEndian<T>(at);
}

// Writes the fields of record at their offsets from at; the bytes between them are left alone.
template <class Record>
void EncodeFields(char* at, const Record& record, std::span<const RecordField<Record>> fields)
{
    for (const RecordField<Record>& field : fields) {
        std::visit(
            [&](auto member) {
                const auto& value = record.*member;
                if constexpr (std::is_same_v<std::remove_cvref_t<decltype(value)>,
                                             std::array<std::uint8_t, 4>>) {
                    for (std::size_t i = 0; i < value.size(); ++i)
                        at[field.offset + static_cast<int>(i)] = static_cast<char>(value[i]);
                } else {
                    PutLittleEndian(at + field.offset, value);
                }
            },
            field.member);
    }
}

// Reads the fields of a record stored at at.
template <class Record>
void DecodeFields(const char* at, Record& record, std::span<const RecordField<Record>> fields)
{
    for (const RecordField<Record>& field : fields) {
        std::visit(
            [&](auto member) {
                auto& value = record.*member;
                using T = std::remove_cvref_t<decltype(value)>;
                if constexpr (std::is_same_v<T, std::array<std::uint8_t, 4>>) {
                    for (std::size_t i = 0; i < value.size(); ++i)
                        value[i] = static_cast<std::uint8_t>(at[field.offset + static_cast<int>(i)]);
                } else {
                    value = GetLittleEndian<T>(at + field.offset);
                }
            },
            field.member);
    }
}

} // namespace veldrin
