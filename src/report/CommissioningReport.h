// The commissioning report of a configuration: one document a reviewer signs off, with what
// the configuration holds (its communication parameters and both request tables), where the
// requests land and how busy they keep the line, the device images and whether they match,
// and the last load with what changed since.
#pragma once

#include "access/DataAreaMap.h"
#include "projects/ChangesSinceLoad.h"
#include "projects/ConfigurationDiff.h"

#include <QDateTime>
#include <QString>

#include <array>
#include <optional>

namespace veldrin {

class StringTable;

// An image of the configuration's bin folder: its size and SHA-256, or nothing when absent.
struct ReportImage {
    QString file; // bank.bin or bank2.bin
    std::optional<qint64> size;
    QString sha256; // lower-case hex
};

// Everything the report shows, read from a configuration folder.
struct ReportFacts {
    QString name;   // the configuration's name: its folder's
    QString folder; // the folder's absolute path
    QDateTime time; // when the report was made
    ConfigurationFiles files;
    std::array<AreaMap, 2> maps; // the input area's, then the output area's
    std::array<ReportImage, 2> images;
    // Whether a compile of the files now gives the images in the bin folder; the compile's
    // own message when it fails.
    bool imagesMatch = false;
    QString compileProblem;
    std::optional<LastLoad> lastLoad;
    ConfigurationDiff changes; // since the last load
};

enum class ReportFormat { Html, Pdf };

// The format a file name asks for: .html or .htm is HTML, anything else PDF.
ReportFormat ReportFormatOf(const QString& path);

// Reads the configuration in configDir. Throws VeldrinError, naming the file, when a part of
// it or of its newest load cannot be read.
ReportFacts GatherReportFacts(const QString& configDir, const QDateTime& now);

// Where the report's two map pictures come from: the src of each <img>, input area first.
using MapPictureSources = std::array<QString, 2>;

// The width, in the document's pixels, the map pictures are shown at: both areas fit on one
// A4 page.
inline constexpr int ReportMapWidth = 440;

// The report as one HTML page in the language of strings.
QString CommissioningReportHtml(const ReportFacts& facts, const StringTable& strings,
                                const MapPictureSources& pictures);

// "Commissioning report", in the language of strings.
QString CommissioningReportTitle(const StringTable& strings);

// The line at the foot of each printed page: "Page 2 of 5".
QString ReportPageFooter(const ReportFacts& facts, int page, int pages, const StringTable& strings);

} // namespace veldrin
