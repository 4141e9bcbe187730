#include "spectrum/peak_table.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <optional>

#include "spectrum/jcamp_dx.h"
#include "util/rounding.h"

#include "util/text_lines.h"

namespace qzx {
namespace {

/// Fills rows pairwise from values handed in one at a time.
class RowFiller {
public:
    void add(std::string value) {
        if (m_fill.rows.size() == kPeakTableRows && !m_massPending) {
            ++m_fill.valuesLeftOut;
            return;
        }
        if (!m_massPending) {
            m_fill.rows.push_back({std::move(value), {}});
            m_massPending = true;
        } else {
            m_fill.rows.back().abundance = std::move(value);
            m_massPending = false;
        }
    }
    PeakRowsFill take() { return std::move(m_fill); }

private:
    PeakRowsFill m_fill;
    bool m_massPending = false;
};

/// A cell read as a number: blanks around it allowed; nothing when it is no number.
std::optional<double> cellNumber(const std::string& cell) {
    std::size_t first = cell.find_first_not_of(" \t");
    if (first == std::string::npos) return std::nullopt;
    const std::size_t last = cell.find_last_not_of(" \t");
    if (cell[first] == '+') ++first;
    double value = 0.0;
    const char* end = cell.data() + last + 1;
    const auto [stop, error] = std::from_chars(cell.data() + first, end, value);
    if (error != std::errc() || stop != end || !std::isfinite(value)) return std::nullopt;
    if (std::fabs(value) > 3.4e38) return std::nullopt; // beyond what a peak's float holds
    return value;
}

/// A cell as the spectrum takes it back: a cell that is no number gives 0.
double cellValue(const std::string& cell) {
    return cellNumber(cell).value_or(0.0);
}

/// A value as a whole number after rounding to 7 significant digits.
std::string wholeNumberText(float value) {
    if (!std::isfinite(value)) return "0";
    char text[40];
    std::snprintf(text, sizeof text, "%.6e", static_cast<double>(value));
    std::snprintf(text, sizeof text, "%.0f",
                  static_cast<double>(Round(std::strtod(text, nullptr))));
    return text;
}

std::string rightAligned(const std::string& text, std::size_t width) {
    return text.size() >= width ? text : std::string(width - text.size(), ' ') + text;
}

} // namespace

PeakRowsFill peakRowsFromNumbers(const std::vector<std::string>& numbers) {
    RowFiller filler;
    for (const std::string& number : numbers)
        filler.add(number);
    return filler.take();
}

PeakRowsFill ascTableRows(std::string_view text, int stripLines) {
    TextLines lines(text);
    std::string_view line;
    for (int skipped = 0; skipped < stripLines; ++skipped)
        if (!lines.next(line)) return {};
    RowFiller filler;
    while (lines.next(line))
        filler.add(std::string(line));
    return filler.take();
}

std::string leftOutMessage(std::size_t valuesLeftOut) {
    if (valuesLeftOut == 0) return {};
    return "The table holds " + std::to_string(kPeakTableRows) + " peaks; " +
           std::to_string(valuesLeftOut) + (valuesLeftOut == 1 ? " value" : " values") +
           " after row " + std::to_string(kPeakTableRows) + " could not be shown and " +
           (valuesLeftOut == 1 ? "was" : "were") + " left out.";
}

std::size_t peakListLength(const PeakRows& rows) {
    std::size_t n = 0;
    while (n < rows.size() && !rows[n].mass.empty())
        ++n;
    return n;
}

std::string peakTableAscText(const PeakRows& rows) {
    std::string text;
    for (std::size_t r = 0; r < peakListLength(rows); ++r)
        text += rows[r].mass + "\r\n" + rows[r].abundance + "\r\n";
    return text;
}

PeakRows rowsFromSpectrum(const Spectrum& spectrum) {
    PeakRows rows;
    for (int k = 1; k <= spectrum.peakCount(); ++k)
        rows.push_back(
            {wholeNumberText(spectrum.peak(k).Mass), wholeNumberText(spectrum.peak(k).Abundance)});
    return rows;
}

int writeRowsToSpectrum(const PeakRows& rows, Spectrum& spectrum) {
    const int n = static_cast<int>(std::min<std::size_t>(peakListLength(rows), kMaxPeaks));
    for (int k = 1; k <= n; ++k) {
        const PeakRow& row = rows[static_cast<std::size_t>(k - 1)];
        spectrum.peak(k) = {static_cast<float>(Round(cellValue(row.mass))),
                            static_cast<float>(Round(cellValue(row.abundance)))};
    }
    spectrum.setPeakCount(n);
    return n;
}

PeakRowsFill rowsFromPeaks(const std::vector<Peak>& peaks) {
    std::vector<std::string> values;
    values.reserve(peaks.size() * 2);
    for (const Peak& peak : peaks) {
        values.push_back(spectrumNumberText(peak.Mass));
        values.push_back(spectrumNumberText(peak.Abundance));
    }
    return peakRowsFromNumbers(values);
}

TablePeaks peaksFromRows(const PeakRows& rows) {
    TablePeaks table;
    for (std::size_t r = 0; r < peakListLength(rows); ++r) {
        const std::optional<double> mass = cellNumber(rows[r].mass);
        const std::optional<double> abundance = cellNumber(rows[r].abundance);
        if (!mass || !abundance) {
            table.peaks.clear();
            table.error = "Row " + std::to_string(r + 1) + ": \"" +
                          (mass ? rows[r].abundance : rows[r].mass) + "\" is not a number.";
            return table;
        }
        table.peaks.push_back({static_cast<float>(*mass), static_cast<float>(*abundance)});
    }
    return table;
}

std::string peekLines(std::string_view text) {
    std::string shown;
    TextLines lines(text);
    std::string_view line;
    for (int number = 1; number <= 10 && lines.next(line); ++number)
        shown += "Line" + std::to_string(number) + "-> " + std::string(line) + "\r";
    return shown;
}

std::vector<PrintLine> peakTablePrintLines(const PeakRows& rows, int unit) {
    std::vector<PrintLine> lines;
    lines.push_back({1, 940 * unit, 110 * unit, "SPECTRUM DATA", PrintLine::Font::Title});
    const std::size_t count = std::min<std::size_t>(peakListLength(rows), 300);
    std::vector<std::string> texts;
    for (std::size_t r = 0; r < count; ++r)
        texts.push_back(rightAligned(rows[r].mass, 4) + rightAligned(rows[r].abundance, 10));
    addColumnPrintLines(lines, texts, {"  Mass         Abundance  ", 700, 3}, unit);
    return lines;
}

} // namespace qzx
