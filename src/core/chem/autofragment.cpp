#include "chem/autofragment.h"

#include <algorithm>
#include <numeric>
#include <optional>
#include <vector>

#include "chem/bond_cleavage.h"
#include "chem/fragments.h"
#include "structure/structure.h"
#include "structure/structure_composition.h"
#include "util/heap_sort.h"
#include "util/rounding.h"

namespace qzx {

namespace {

/// The mass of the molecular ion: nominal, or the rounded monoisotopic mass.
std::int32_t molecularIonMass(const Structure& structure, const ElementTable& elements,
                              bool accurateMass) {
    const StructureMasses masses = composeStructure(structure, elements, accurateMass);
    if (!accurateMass) return masses.nominalMass;
    return static_cast<std::int32_t>(Round(static_cast<double>(masses.monoMass)));
}

/// The gauge and its callback: told only when the rounded percentage changes.
class Gauge {
public:
    Gauge(long long total, const AutofragmentProgress& progress)
        : m_total(total), m_progress(progress) {}

    /// Counts one finished cleavage; false when the callback asks to stop.
    bool advance() {
        ++m_done;
        const int percent = static_cast<int>(
            Round(static_cast<double>(m_done) / static_cast<double>(m_total) * 100.0));
        if (percent == m_shown || !m_progress) return true;
        m_shown = percent;
        return m_progress(percent);
    }
    long long done() const { return m_done; }

private:
    long long m_total;
    const AutofragmentProgress& m_progress;
    long long m_done = 0;
    int m_shown = 0;
};

/// The end of a run that found fragments: the molecular ion is appended, MassOrder sorted by
/// mass and the results list rewritten in that order.
void finishTable(const Structure& structure, const ElementTable& elements,
                 const AutofragmentOptions& options, FragmentTable& table) {
    Fragment ion;
    ion.Mass = molecularIonMass(structure, elements, options.accurateMass);
    ion.Atoms.resize(static_cast<std::size_t>(structure.count.atoms));
    std::iota(ion.Atoms.begin(), ion.Atoms.end(), 1);
    table.append(std::move(ion));

    std::vector<std::int32_t> masses(static_cast<std::size_t>(table.FragmentCount) + 1, 0);
    for (int f = 1; f <= table.FragmentCount; ++f)
        masses[static_cast<std::size_t>(f)] = table.fragment(f).Mass;
    SortByMass(masses, table.MassOrder, table.FragmentCount);

    // Row k of the list shows fragment MassOrder[k + 1]; equal masses have equal texts, so
    // this is the text order of the list box.
    for (int k = 0; k < table.FragmentCount; ++k) {
        const Fragment& fragment = table.fragment(table.MassOrder[static_cast<std::size_t>(k) + 1]);
        std::string text = FragmentListText(fragment.Mass);
        if (options.markOddElectron && IsOddElectron(fragment, structure, elements))
            text += kOddElectronMark;
        table.ResultsList[static_cast<std::size_t>(k)] = std::move(text);
    }
}

} // namespace

AutofragmentResult RunAutofragment(const Structure& structure, const ElementTable& elements,
                                   const AutofragmentOptions& options, FragmentTable& table,
                                   const AutofragmentProgress& progress) {
    table.clear();
    const long long bonds = structure.count.bonds;
    const long long total = bonds + (options.singleOnly ? 0 : bonds * (bonds - 1) / 2);
    Gauge gauge(total, progress);
    BondCleaver cleaver(structure, elements, table);

    auto finishCleavage = [&]() -> std::optional<AutofragmentResult> {
        if (gauge.advance()) return std::nullopt;
        // The fragments found so far are kept as a finished run keeps them.
        if (table.FragmentCount > 0) finishTable(structure, elements, options, table);
        AutofragmentResult end;
        end.status = AutofragmentStatus::Cancelled;
        end.cleavages = gauge.done();
        end.totalCleavages = total;
        return end;
    };

    for (int i = 1; i <= bonds; ++i) {
        cleaver.CleaveBonds(i, 0);
        if (auto end = finishCleavage()) return *end;
    }
    // A pair that cannot split more than its first bond alone leaves pieces the single
    // cleavages have recorded already: it counts as done without being cleaved. In ring
    // systems most pairs are of this kind.
    if (!options.singleOnly)
        for (int i = 1; i <= bonds; ++i)
            for (int j = i + 1; j <= bonds; ++j) {
                if (cleaver.pairCanSplit(i, j)) cleaver.CleaveBonds(i, j);
                if (auto end = finishCleavage()) return *end;
            }

    AutofragmentResult result;
    result.cleavages = gauge.done();
    result.totalCleavages = total;
    if (table.FragmentCount == 0) {
        result.status = AutofragmentStatus::NoFragments;
        result.message = std::string(kNoFragmentsGenerated);
        return result;
    }

    finishTable(structure, elements, options, table);
    return result;
}

} // namespace qzx
