#pragma once

#include <filesystem>
#include <string>

#include "printing/spectrum_page.h"

namespace qzx {

class ElementTable;
class Structure;
struct FragmentTable;
struct Settings;

/// What the comparison report shows: the compared spectrum (with its matched peaks), the
/// structure with its fragments, and the report values of the comparison.
struct ReportDocument {
    const Spectrum* spectrum = nullptr;
    const Structure* structure = nullptr;
    const ElementTable* elements = nullptr;
    const Settings* settings = nullptr;
    const FragmentTable* fragments = nullptr;
    ComparisonReport report;
};

/// Writes the comparison report as a PDF of Letter pages at 300 dots per inch: first the
/// printed report page (the spectrum with its matched peaks and the comparison summary), then
/// the structure picture and a table of every matched peak with the fragments that explain it
/// (hydrogen transfers and compositions), continued on further pages as needed. The file is
/// written through a temporary one, so a failure keeps an old file. Returns an error text,
/// empty on success.
std::string writeComparisonReportPdf(const std::filesystem::path& file,
                                     const ReportDocument& document);

} // namespace qzx
