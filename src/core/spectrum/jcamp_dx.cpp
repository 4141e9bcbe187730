#include "spectrum/jcamp_dx.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <optional>
#include <system_error>

#include "structure/structure_file.h"

namespace qzx {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

/// A label or a value compared as JCAMP-DX compares labels: upper case, with blanks, '-', '/'
/// and '_' left out.
std::string normalized(std::string_view text) {
    std::string name;
    for (const char c : text) {
        if (isBlank(c) || c == '-' || c == '/' || c == '_') continue;
        name += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return name;
}

/// One line of the file with its 1-based number.
struct Line {
    int number = 0;
    std::string_view text;
};

/// One block: the records between its ##TITLE= and its ##END=.
struct Block {
    std::string title;
    std::optional<std::string> dataType; ///< as written, blanks around it cut
    bool hasChildren = false;            ///< a link block: it holds other blocks
    bool ended = false;                  ///< its ##END= was read
    bool seriesOfSpectra = false;        ///< it has ##NTUPLES=
    std::string tableLabel;              ///< "PEAK TABLE", "XYPOINTS", "XYDATA" as written
    std::string tableForm;               ///< "(XY..XY)" normalised; empty: no table
    std::vector<Line> tableLines;
    std::string xFactor, yFactor, nPoints; ///< values as written; empty when absent
    int xFactorLine = 0, yFactorLine = 0;
};

/// The first parenthesised group of a value, "(X++(Y..Y))" of "(X++(Y..Y)) $$ ...", and what
/// follows it on the line. A value that opens no group gives itself and no rest.
std::pair<std::string_view, std::string_view> tableForm(std::string_view value) {
    if (value.empty() || value.front() != '(') return {value, {}};
    int depth = 0;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] == '(') ++depth;
        if (value[i] == ')' && --depth == 0) return {value.substr(0, i + 1), value.substr(i + 1)};
    }
    return {value, {}};
}

/// Splits the text into blocks. A record outside every block opens one without a title.
std::vector<Block> readBlocks(std::string_view text) {
    std::vector<Block> blocks;
    std::vector<std::size_t> open;
    Block* table = nullptr; // the block whose table is being read
    int number = 0;
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t end = text.find_first_of("\r\n", at);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(at, end - at);
        at = end + 1;
        if (end < text.size() && text[end] == '\r' && at < text.size() && text[at] == '\n') ++at;
        ++number;

        if (const std::size_t comment = line.find("$$"); comment != std::string_view::npos)
            line = line.substr(0, comment);
        line = trimmed(line);
        if (!line.starts_with("##")) {
            if (table != nullptr && !line.empty()) table->tableLines.push_back({number, line});
            continue;
        }
        table = nullptr;
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos) continue;
        const std::string label = normalized(line.substr(2, equals - 2));
        const std::string_view value = trimmed(line.substr(equals + 1));

        if (label == "TITLE") {
            if (!open.empty()) blocks[open.back()].hasChildren = true;
            open.push_back(blocks.size());
            blocks.push_back({});
            blocks.back().title = std::string(value);
            continue;
        }
        if (open.empty()) {
            if (label == "END") continue;
            open.push_back(blocks.size());
            blocks.push_back({});
        }
        Block& block = blocks[open.back()];
        if (label == "END") {
            block.ended = true;
            open.pop_back();
        } else if (label == "DATATYPE") {
            block.dataType = std::string(value);
        } else if (label == "NTUPLES") {
            block.seriesOfSpectra = true;
        } else if (label == "XFACTOR") {
            block.xFactor = std::string(value);
            block.xFactorLine = number;
        } else if (label == "YFACTOR") {
            block.yFactor = std::string(value);
            block.yFactorLine = number;
        } else if (label == "NPOINTS") {
            block.nPoints = std::string(value);
        } else if ((label == "PEAKTABLE" || label == "XYPOINTS" || label == "XYDATA") &&
                   block.tableForm.empty()) {
            const auto [form, rest] = tableForm(value);
            block.tableLabel = std::string(trimmed(line.substr(2, equals - 2)));
            block.tableForm = normalized(form);
            if (block.tableForm.empty()) block.tableForm = "()";
            table = &block;
            if (!trimmed(rest).empty()) block.tableLines.push_back({number, trimmed(rest)});
        }
    }
    return blocks;
}

bool isMassSpectrum(const Block& block) {
    return block.dataType && normalized(*block.dataType).find("MASSSPECTRUM") != std::string::npos;
}

/// A number of the file: a decimal with an optional sign, fraction and exponent.
std::optional<double> parseNumber(std::string_view text) {
    if (text.size() > 1 && text.front() == '+' && text[1] != '-') text.remove_prefix(1);
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

/// The value of a table entry as a float: the number times the factor. A factor of 1 reads
/// the text as a float directly, so a written float comes back bit for bit.
std::optional<float> scaledValue(std::string_view text, double factor) {
    if (text.size() > 1 && text.front() == '+' && text[1] != '-') text.remove_prefix(1);
    float value = 0.0f;
    if (factor == 1.0) {
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
        if (error != std::errc{} || end != text.data() + text.size()) return std::nullopt;
    } else {
        const std::optional<double> number = parseNumber(text);
        if (!number) return std::nullopt;
        value = static_cast<float>(*number * factor);
    }
    if (!std::isfinite(value)) return std::nullopt;
    return value;
}

bool isSeparator(char c) {
    return isBlank(c) || c == ',' || c == ';';
}

std::string inQuotesText(std::string_view text) {
    std::string quoted(1, '"');
    quoted.append(text);
    quoted += '"';
    return quoted;
}

/// The factor of a ##XFACTOR= or ##YFACTOR= record; 1 when the block has none.
std::optional<double> factorOf(const std::string& value) {
    if (value.empty()) return 1.0;
    return parseNumber(value);
}

/// Reads the chosen block's table into `contents`: its peaks, or an error.
void readTable(const Block& block, JcampDxContents& contents) {
    if (block.seriesOfSpectra) {
        contents.error = "The mass spectrum in the file is a series of spectra (##NTUPLES=); only "
                         "a single peak table can be read.";
        return;
    }
    if (block.tableForm.empty()) {
        contents.error = "The mass spectrum in the file has no peak table (##PEAK TABLE= or "
                         "##XYPOINTS=).";
        return;
    }
    const std::string& form = block.tableForm;
    if (form.find("++") != std::string::npos) {
        contents.error = "The mass spectrum in the file is compressed continuous data (##" +
                         block.tableLabel + "=" + form +
                         "), not a peak table; only a peak table (XY..XY) can be read.";
        return;
    }
    std::size_t group = 0;
    if (form == "(XY..XY)" || form == "(XY...XY)")
        group = 2;
    else if (form == "(XYW..XYW)" || form == "(XYM..XYM)")
        group = 3;
    if (group == 0) {
        contents.error = "The peak table of the file has the form " + form +
                         ", which cannot be read; only (XY..XY) and (XYW..XYW) can.";
        return;
    }
    const std::optional<double> xFactor = factorOf(block.xFactor);
    const std::optional<double> yFactor = factorOf(block.yFactor);
    if (!xFactor || !yFactor) {
        const bool x = !xFactor;
        contents.error = "Line " + std::to_string(x ? block.xFactorLine : block.yFactorLine) +
                         " of the file: the factor " +
                         inQuotesText(x ? block.xFactor : block.yFactor) + " is not a number.";
        return;
    }

    std::vector<float> entry; // the values of one table entry, mass first
    bool sorted = true;
    for (const Line& line : block.tableLines) {
        std::size_t i = 0;
        const std::string_view text = line.text;
        while (i < text.size()) {
            if (isSeparator(text[i])) {
                ++i;
                continue;
            }
            const std::size_t start = i;
            while (i < text.size() && !isSeparator(text[i]))
                ++i;
            const std::string_view token = text.substr(start, i - start);
            const double factor = entry.empty() ? *xFactor : entry.size() == 1 ? *yFactor : 1.0;
            const std::optional<float> value = scaledValue(token, factor);
            if (!value) {
                const bool number = parseNumber(token).has_value();
                contents.error = "Line " + std::to_string(line.number) +
                                 " of the file: " + inQuotesText(token) +
                                 (number ? " is too large for a spectrum." : " is not a number.");
                contents.peaks.clear();
                return;
            }
            entry.push_back(*value);
            if (entry.size() < group) continue;
            const Peak peak{entry[0], entry[1]};
            if (!contents.peaks.empty() && peak.Mass < contents.peaks.back().Mass) sorted = false;
            contents.peaks.push_back(peak);
            entry.clear();
        }
    }
    if (!entry.empty())
        contents.warnings.emplace_back("The peak table ends with a mass that has no abundance; "
                                       "that mass was left out.");
    if (contents.peaks.empty()) {
        contents.error = "The peak table of the mass spectrum holds no peaks.";
        return;
    }
    if (!sorted)
        std::stable_sort(contents.peaks.begin(), contents.peaks.end(),
                         [](const Peak& a, const Peak& b) { return a.Mass < b.Mass; });

    if (!block.nPoints.empty()) {
        const std::optional<double> declared = parseNumber(block.nPoints);
        if (!declared || *declared != static_cast<double>(contents.peaks.size()))
            contents.warnings.push_back("The file says it holds " + block.nPoints +
                                        " peaks (##NPOINTS=), but " +
                                        std::to_string(contents.peaks.size()) + " were read.");
    }
    if (!block.ended)
        contents.warnings.emplace_back(
            "The file ends before the spectrum's ##END=; it may have been cut short.");
    if (contents.peaks.size() > static_cast<std::size_t>(kMaxPeaks))
        contents.warnings.emplace_back(kJcampTooManyPeaksWarning);
}

bool validUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const auto byte = static_cast<unsigned char>(text[i]);
        std::size_t length = 1;
        if (byte >= 0x80) {
            if (byte >= 0xC2 && byte <= 0xDF)
                length = 2;
            else if (byte >= 0xE0 && byte <= 0xEF)
                length = 3;
            else if (byte >= 0xF0 && byte <= 0xF4)
                length = 4;
            else
                return false;
            if (i + length > text.size()) return false;
            for (std::size_t k = 1; k < length; ++k)
                if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
        }
        i += length;
    }
    return true;
}

} // namespace

std::string spectrumTextToUtf8(std::string_view text) {
    if (validUtf8(text)) return std::string(text);
    return latin1ToUtf8(std::string(text));
}

std::string spectrumNumberText(float value) {
    if (!std::isfinite(value) || value == 0.0f) return "0";
    char buffer[64];
    const auto [end, error] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    if (error != std::errc{}) return "0";
    return std::string(buffer, end);
}

JcampDxContents decodeJcampDx(std::string_view text) {
    JcampDxContents contents;
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
    const std::vector<Block> blocks = readBlocks(text);
    if (blocks.empty()) {
        contents.error = "The file is not a JCAMP-DX file: it has no ##TITLE= or other "
                         "labelled record.";
        return contents;
    }

    // The data blocks are those that hold no other block, or a table of their own (a block
    // whose ##END= is missing holds the next); they are numbered from 1.
    std::vector<const Block*> dataBlocks;
    for (const Block& block : blocks)
        if (!block.hasChildren || !block.tableForm.empty()) dataBlocks.push_back(&block);
    std::size_t chosen = dataBlocks.size();
    for (std::size_t i = 0; i < dataBlocks.size() && chosen == dataBlocks.size(); ++i)
        if (isMassSpectrum(*dataBlocks[i]) && !dataBlocks[i]->tableForm.empty()) chosen = i;
    for (std::size_t i = 0; i < dataBlocks.size() && chosen == dataBlocks.size(); ++i)
        if (isMassSpectrum(*dataBlocks[i])) chosen = i;

    bool typeMissing = false;
    if (chosen == dataBlocks.size()) {
        // A file that says nothing of its data type is taken for a mass spectrum; one that
        // names another type is not.
        const bool anyType = std::any_of(blocks.begin(), blocks.end(),
                                         [](const Block& b) { return b.dataType.has_value(); });
        for (std::size_t i = 0; i < dataBlocks.size() && !anyType; ++i)
            if (!dataBlocks[i]->tableForm.empty()) {
                chosen = i;
                typeMissing = true;
                break;
            }
        if (chosen == dataBlocks.size()) {
            contents.error = std::string(kJcampNoMassSpectrumError);
            if (dataBlocks.size() == 1 && dataBlocks[0]->dataType)
                contents.error.insert(contents.error.size() - 1,
                                      " (its data type is " + *dataBlocks[0]->dataType + ")");
            return contents;
        }
    }

    const Block& block = *dataBlocks[chosen];
    contents.title = spectrumTextToUtf8(block.title);
    if (dataBlocks.size() > 1)
        contents.warnings.push_back("The file holds " + std::to_string(dataBlocks.size()) +
                                    " data blocks; the first mass spectrum (block " +
                                    std::to_string(chosen + 1) + ", " +
                                    inQuotesText(contents.title) + ") was read.");
    if (typeMissing)
        contents.warnings.emplace_back("The file does not say what it holds (no ##DATA TYPE=); "
                                       "its peak table was read as a mass spectrum.");
    readTable(block, contents);
    if (!contents.error.empty()) {
        contents.peaks.clear();
        contents.warnings.clear();
    }
    return contents;
}

std::string encodeJcampDx(const std::vector<Peak>& peaks, const std::string& title) {
    std::vector<Peak> sorted = peaks;
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const Peak& a, const Peak& b) { return a.Mass < b.Mass; });
    std::string line = utf8ToLatin1(title);
    std::replace(line.begin(), line.end(), '\r', ' ');
    std::replace(line.begin(), line.end(), '\n', ' ');

    float maxY = 0.0f;
    for (const Peak& peak : sorted)
        if (peak.Abundance > maxY) maxY = peak.Abundance;
    const auto number = [](float value) { return spectrumNumberText(value); };
    std::string text = "##TITLE=" + line + "\r\n";
    text += "##JCAMP-DX=4.24\r\n";
    text += "##DATA TYPE=MASS SPECTRUM\r\n";
    text += "##ORIGIN=Quorin Professional for Linux\r\n";
    text += "##OWNER=\r\n";
    text += "##XUNITS=M/Z\r\n";
    text += "##YUNITS=RELATIVE ABUNDANCE\r\n";
    text += "##XFACTOR=1\r\n";
    text += "##YFACTOR=1\r\n";
    text += "##FIRSTX=" + number(sorted.empty() ? 0.0f : sorted.front().Mass) + "\r\n";
    text += "##LASTX=" + number(sorted.empty() ? 0.0f : sorted.back().Mass) + "\r\n";
    text += "##MAXY=" + number(maxY) + "\r\n";
    text += "##NPOINTS=" + std::to_string(sorted.size()) + "\r\n";
    text += "##PEAK TABLE=(XY..XY)\r\n";
    for (const Peak& peak : sorted)
        text += number(peak.Mass) + "," + number(peak.Abundance) + "\r\n";
    text += "##END=\r\n";
    return text;
}

} // namespace qzx
