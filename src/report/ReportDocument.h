// The commissioning report as a file: one self-contained HTML page, its map pictures inside
// it, or an A4 portrait PDF whose pages are numbered.
#pragma once

#include "report/CommissioningReport.h"

#include <QByteArray>
#include <QString>

namespace veldrin {

class StringTable;

QByteArray ReportHtmlBytes(const ReportFacts& facts, const StringTable& strings);
QByteArray ReportPdfBytes(const ReportFacts& facts, const StringTable& strings);

// Writes the report atomically; throws VeldrinError naming the file and the reason.
void WriteCommissioningReport(const ReportFacts& facts, const StringTable& strings, ReportFormat format,
                              const QString& path);

} // namespace veldrin
