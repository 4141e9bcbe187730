#pragma once

#include <functional>
#include <string>

namespace qzx {

class ElementTable;
class Structure;
struct FragmentTable;

/// The choices of the autofragment options window.
struct AutofragmentOptions {
    bool singleOnly = false;      ///< "1 Bond"; false is "1 + 2 Bonds"
    bool markOddElectron = false; ///< "Mark Odd Electron Ions": mark their results-list rows
    /// "Use Accurate Mass" is on: the molecular ion's mass is the monoisotopic mass rounded to
    /// the nearest whole number (ties to even). Fragment masses are always nominal.
    bool accurateMass = false;
};

enum class AutofragmentStatus {
    Done,        ///< table and results list filled, sorted by mass, molecular ion included
    NoFragments, ///< no cleavage split the structure: kNoFragmentsGenerated
    /// The progress callback asked to stop: the fragments found so far are kept, with the
    /// molecular ion, sorted and listed as after a full run (nothing when none was found).
    Cancelled,
};

struct AutofragmentResult {
    AutofragmentStatus status = AutofragmentStatus::Done;
    std::string message;          ///< the message box text, empty for Done and Cancelled
    long long cleavages = 0;      ///< cleavages finished
    long long totalCleavages = 0; ///< b single cleavages plus b(b - 1)/2 pairs unless singleOnly
};

/// Told the gauge value 0..100 each time it changes (it reaches 100 with the last cleavage);
/// returns false to stop the run.
using AutofragmentProgress = std::function<bool(int percent)>;

/// Refills `table` with every fragment that breaking one bond of the structure, or (unless
/// singleOnly) one bond and every later bond, gives: single cleavages in bond order, then the
/// pairs (1,2), (1,3), ..., (b - 1, b). Then the molecular ion (all atoms, not checked for
/// duplicates) is appended, MassOrder is sorted by mass with SortByMass, and the results list
/// holds one row per fragment in mass order, marked with kOddElectronMark when asked.
/// Structures of any size are handled.
AutofragmentResult RunAutofragment(const Structure& structure, const ElementTable& elements,
                                   const AutofragmentOptions& options, FragmentTable& table,
                                   const AutofragmentProgress& progress = {});

} // namespace qzx
