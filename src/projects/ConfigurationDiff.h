// What differs between two configurations, two pairs of device images, or a configuration and
// an entry of its load history: the communication parameters by name, the request rows added,
// removed and changed, and every field the image decoder knows.
#pragma once

#include "access/RequestTables.h"
#include "comm/GeneralParameter.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace veldrin {

// A folder's parts as far as it holds them: a configuration folder (ParGen.xml,
// ModbusM_SetAccess.xml and its bin/ images), a bin folder (bank.bin, bank2.bin) or a history
// entry (all four side by side).
struct ConfigurationFiles {
    std::optional<GeneralParameter> parameters;
    std::optional<RequestTables> tables;
    std::optional<QByteArray> generalImage;
    std::optional<QByteArray> requestImage;
};

// Throws VeldrinError naming the file when a part cannot be read, or the folder when it holds
// none of them.
ConfigurationFiles ReadConfigurationFiles(const QString& folder);

// A field and its value before and after ("" where there is none).
struct FieldChange {
    QString field;
    QString before;
    QString after;
    bool operator==(const FieldChange&) const = default;
};

struct RowChange {
    enum class Kind { Added, Removed, Changed };
    TableKind table = TableKind::Read;
    int row = 0; // 1-based
    Kind kind = Kind::Changed;
    // Every cell of an added or removed row, the differing cells of a changed one.
    std::vector<FieldChange> fields;
    bool operator==(const RowChange&) const = default;
};

struct ImageChange {
    QString file; // bank.bin or bank2.bin
    FieldChange change;
    bool operator==(const ImageChange&) const = default;
};

struct ConfigurationDiff {
    // The parts both sides hold, compared: "parameters", "tables", "bank.bin", "bank2.bin".
    QStringList compared;
    std::vector<FieldChange> parameters;
    std::vector<RowChange> rows;
    std::vector<ImageChange> images;

    bool equal() const { return parameters.empty() && rows.empty() && images.empty(); }
};

// Compares the parts both hold. Parameters are named as in ParGen.xml, with list entries as
// the Communication dialog names them; rows by table and number over the used rows; images by
// the decoded fields, a request record by its slot.
ConfigurationDiff DiffConfigurations(const ConfigurationFiles& before, const ConfigurationFiles& after);

} // namespace veldrin
