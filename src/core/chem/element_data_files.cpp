#include "chem/element_data_files.h"

#include <cmath>
#include <system_error>

#include "util/safe_file.h"

namespace qzx {
namespace fs = std::filesystem;
namespace {

constexpr std::size_t kFileALength = kElementCount * 16;

std::string describeLength(std::size_t bytes) {
    return std::to_string(bytes) + " bytes";
}

/// The two data files, their backups and the names the new pair waits under while it is put in
/// place. The files are saved as a pair: after any interruption both are old or both are new.
struct DataFileNames {
    const char* name;
    const char* backup;
    const char* fresh;
};
constexpr DataFileNames kPair[] = {{"QZXPROA.DAT", "QZXPROA.BAK", "QZXPROA.DAT.new~"},
                                   {"QZXPROB.DAT", "QZXPROB.BAK", "QZXPROB.DAT.new~"}};
/// Present from the moment both new files are complete until both are in place.
constexpr char kPairMarker[] = "QZXPRO.DAT.new~";

/// Puts a complete new pair in place: each old file (in any spelling of its case) becomes the
/// single .BAK generation and the new file takes its name, then the marker goes. Every step can
/// be repeated, so a save interrupted half way is finished by the next start.
std::string finishPairSave(const fs::path& folder) {
    for (const DataFileNames& file : kPair) {
        std::error_code ignored;
        const fs::path fresh = folder / file.fresh;
        if (!fs::exists(fresh, ignored)) continue; // already in place
        const fs::path old = findFileIgnoringCase(folder, file.name);
        if (fs::exists(old, ignored)) {
            fs::remove(findFileIgnoringCase(folder, file.backup), ignored);
            fs::rename(old, folder / file.backup, ignored);
        }
        std::error_code error;
        fs::rename(fresh, folder / file.name, error);
        if (error) return "Cannot write " + (folder / file.name).string() + ": " + error.message();
    }
    syncFolder(folder);
    std::error_code ignored;
    fs::remove(folder / kPairMarker, ignored);
    syncFolder(folder);
    return {};
}

/// Before the files are read: a save that got as far as its marker is finished; new files of a
/// save that did not are removed, leaving the old pair.
void recoverInterruptedSave(const fs::path& folder) {
    std::error_code ignored;
    if (fs::exists(folder / kPairMarker, ignored)) {
        finishPairSave(folder);
        return;
    }
    for (const DataFileNames& file : kPair)
        fs::remove(folder / file.fresh, ignored);
}

} // namespace

Bytes encodeElementFileA(const ElementTable& table) {
    LittleEndianWriter out;
    for (int n = 1; n <= kElementCount; ++n) {
        const ElementRecord& e = table[n];
        out.writeInt32(e.NominalMass);
        out.writeInt32(e.Valence);
        out.writeInt32(e.RdbClass);
        out.writeInt32(e.IsotopeCount);
    }
    return out.bytes();
}

Bytes encodeElementFileB(const ElementTable& table) {
    LittleEndianWriter out;
    for (int n = 1; n <= kElementCount; ++n) {
        const ElementRecord& e = table[n];
        out.writeFloat(e.ExactMass);
        out.writeFloat(e.PrincipalIsotope);
        for (int j = 1; j <= e.IsotopeCount && j <= kIsotopeSlots; ++j) {
            out.writeFloat(e.Isotopes[j].Mass);
            out.writeFloat(e.Isotopes[j].Abundance);
        }
    }
    return out.bytes();
}

std::string implausibleValues(const ElementRecord& e) {
    constexpr double kHeaviest = 1000.0;
    const auto mass = [&](float m) { return std::isfinite(m) && m > 0.0f && m < kHeaviest; };
    if (!mass(e.ExactMass) || e.NominalMass < 0 || e.NominalMass > kHeaviest)
        return "gives " + e.Symbol + " a mass no element has";
    if (!std::isfinite(e.PrincipalIsotope))
        return "gives " + e.Symbol + " a principal isotope that is not a number";
    double sum = 0;
    for (int j = 1; j <= e.IsotopeCount; ++j) {
        const IsotopeRecord& isotope = e.Isotopes[j];
        if (!mass(isotope.Mass) || (j > 1 && isotope.Mass <= e.Isotopes[j - 1].Mass))
            return "gives " + e.Symbol + " isotope masses that are not ascending masses";
        if (!std::isfinite(isotope.Abundance) || isotope.Abundance < 0.0f ||
            isotope.Abundance > 1.0f)
            return "gives " + e.Symbol + " an abundance outside 0 to 1";
        sum += isotope.Abundance;
    }
    if (e.IsotopeCount > 0 && std::fabs(sum - 1.0) > 0.001)
        return "gives " + e.Symbol + " abundances that do not add up to 1";
    return {};
}

std::string decodeElementFiles(const Bytes& fileA, const Bytes& fileB, ElementTable& table) {
    if (fileA.size() != kFileALength)
        return "Element data file QZXPROA.DAT is " + describeLength(fileA.size()) +
               " long; it must hold " + describeLength(kFileALength) + ".";

    ElementTable read = table;
    LittleEndianReader a(fileA);
    std::size_t isotopePairs = 0;
    for (int n = 1; n <= kElementCount; ++n) {
        ElementRecord& e = read[n];
        a.readInt32(e.NominalMass);
        a.readInt32(e.Valence);
        a.readInt32(e.RdbClass);
        a.readInt32(e.IsotopeCount);
        if (e.IsotopeCount < 0 || e.IsotopeCount > kIsotopeSlots)
            return "Element data file QZXPROA.DAT gives " + e.Symbol + " " +
                   std::to_string(e.IsotopeCount) + " isotopes; at most 9 are possible.";
        isotopePairs += static_cast<std::size_t>(e.IsotopeCount);
    }

    const std::size_t expectedB = kElementCount * 8 + 8 * isotopePairs;
    if (fileB.size() != expectedB)
        return "Element data file QZXPROB.DAT is " + describeLength(fileB.size()) +
               " long; the isotope counts in QZXPROA.DAT call for " + describeLength(expectedB) +
               ".";

    LittleEndianReader b(fileB);
    for (int n = 1; n <= kElementCount; ++n) {
        ElementRecord& e = read[n];
        b.readFloat(e.ExactMass);
        b.readFloat(e.PrincipalIsotope);
        e.Isotopes = {};
        for (int j = 1; j <= e.IsotopeCount; ++j) {
            b.readFloat(e.Isotopes[j].Mass);
            b.readFloat(e.Isotopes[j].Abundance);
        }
        if (const std::string fault = implausibleValues(e); !fault.empty())
            return "Element data file QZXPROB.DAT " + fault + ".";
    }
    table = read;
    return {};
}

ElementLoadResult LoadElementTable(const fs::path& programDirectory, ElementTable& table,
                                   CalcElementSlots& calcSlots,
                                   const std::function<void(const std::string&)>& warn) {
    table = ElementTable();
    recoverInterruptedSave(programDirectory);
    const fs::path pathA = findFileIgnoringCase(programDirectory, "qzxproa.dat");
    const fs::path pathB = findFileIgnoringCase(programDirectory, "qzxprob.dat");
    std::error_code ignored;
    const bool haveA = fs::exists(pathA, ignored);
    const bool haveB = fs::exists(pathB, ignored);
    if (!haveA) warn("WARNING! File QZXPROA.DAT was Not Found");
    if (!haveB) warn("WARNING! File QZXPROB.DAT was Not Found");

    ElementLoadResult result;
    if (haveA && haveB) {
        const auto bytesA = readWholeFile(pathA);
        const auto bytesB = readWholeFile(pathB);
        if (!bytesA)
            result.error = "Element data file QZXPROA.DAT could not be read.";
        else if (!bytesB)
            result.error = "Element data file QZXPROB.DAT could not be read.";
        else
            result.error = decodeElementFiles(*bytesA, *bytesB, table);
        result.loaded = result.error.empty();
    }
    if (!result.loaded) table.clearNumbers();
    calcSlots = kDefaultCalcElementSlots;
    return result;
}

std::string SaveElementTable(const fs::path& programDirectory, const ElementTable& table) {
    recoverInterruptedSave(programDirectory);
    const Bytes contents[] = {encodeElementFileA(table), encodeElementFileB(table)};
    for (int i = 0; i < 2; ++i)
        if (std::string error = writeFileSafely(programDirectory / kPair[i].fresh, contents[i]);
            !error.empty()) {
            recoverInterruptedSave(programDirectory);
            return error;
        }
    // Both new files are complete and on the disk: from here on the new pair wins.
    if (std::string error = writeFileSafely(programDirectory / kPairMarker, Bytes{});
        !error.empty()) {
        recoverInterruptedSave(programDirectory);
        return error;
    }
    return finishPairSave(programDirectory);
}

} // namespace qzx
