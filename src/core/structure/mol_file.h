#pragma once

#include <filesystem>
#include <string>

namespace qzx {

class ElementTable;
class Structure;

/// The MOL bond length MB of a new installation: a distance of d pixels is 5d / MB MOL units,
/// so the 20-pixel ring bond becomes 1.0.
constexpr int kDefaultMolBondLength = 100;

/// Margin in pixels that an imported molecule keeps from the edges of the 1600 x 1200 drawing
/// image when it has to be moved into view.
constexpr int kMolImportMargin = 20;

/// A MOL file's text (lines ending in CR LF), or why the structure cannot be written.
struct MolText {
    std::string text;
    std::string error; ///< empty on success
};

/// The MDL MOL text of the structure: the title, an empty line, "QZX Professional v4.0", the
/// counts line (atoms and bonds in 3 columns each), one atom line per drawn atom in draw-list
/// order (x and y as %10.4f, "    0.0000 ", the symbol padded to its 3 columns, "NO2" for a
/// nitro group, whose oxygens and N=O bonds are not written), then one bond line per drawn
/// bond ("%3d%3d%3d   0.0"); an aromatic bond is written 2 when neither of its atoms has had
/// a double bond yet, else 1. Pixels become x = (5X - 1600) / MB, y = (800 - 5Y) / MB in
/// single precision. The title is converted to Latin-1, line breaks become blanks and trailing
/// blanks are dropped. The structure is not changed. Refused when MB < 1.
MolText encodeMolFile(const Structure& structure, const ElementTable& elements, int bondLength,
                      const std::string& title);

/// Writes the MOL file with the structure's label as title. Returns an error text naming the
/// problem, empty on success.
std::string exportMolFile(const std::filesystem::path& path, const Structure& structure,
                          const ElementTable& elements, int bondLength);
/// The same with the label field's text as title.
std::string exportMolFile(const std::filesystem::path& path, const Structure& structure,
                          const ElementTable& elements, int bondLength, const std::string& title);

/// What importing a MOL file gave.
enum class MolImportStatus : int {
    Read = 0,
    CannotRead = 1,       ///< missing or unreadable file, or MB < 1
    BadContent = 2,       ///< a line that cannot be used, or a molecule that cannot be shown
    TooLarge = 253,       ///< more than 900 atoms or 899 bonds, also after nitro expansion
    NoAtomsOrBonds = 254, ///< the atom or the bond count is below 1 (or not a number)
    TooShort = 255,       ///< the file ends before its counts line or before its last row
};

/// The outcome of importing a MOL file.
struct MolImportResult {
    MolImportStatus status = MolImportStatus::Read;
    std::string error; ///< names the problem (and the line); empty on success
    std::string title; ///< line 1 of the file, UTF-8, trailing blanks dropped
};

/// Reads a MOL file's text (CR LF, LF or CR line ends; Latin-1) into `structure`, replacing it
/// completely: no field of the previous structure survives, the new one has no history (saved
/// counters equal to the counters), its label is the title cut to 60 characters and its
/// CurrentFile is empty (it came from no structure file). On any failure `structure` is
/// untouched.
///
/// Atoms: symbol columns 32 to 34 matched ignoring case against the element table; an unknown
/// symbol is refused, naming it. Hydrogens are the element's valence less the bonds, an
/// aromatic bond (type 4) weighing 1.5; a charged atom (charge column or "M  CHG") has its
/// valence moved as its isoelectronic neighbour's (N+ 4, O- 1, C+ and C- 3, B- 4). Aromatic
/// bonds become orders 2, 1, 2, ... in file order. An "NO2" pseudo-atom, bonded by exactly one
/// single bond, becomes the nitro group the nitro tool draws: a hidden nitrogen without atom
/// item, a nitro label naming its bond, two hidden oxygens at (x + 20, y) with N=O bonds.
/// Positions: X = Round((MB x + 1600) x 0.2), Y = Round((800 - MB y) x 0.2), less the centre
/// shift in file units (Round((min + max) / 2) per axis, 0 when below 10); a molecule that then
/// lies outside the image, 20 pixels in from its edges, is moved so its smallest x or y sits on
/// that margin, and refused when it is larger than the image.
MolImportResult decodeMolFile(const std::string& text, Structure& structure,
                              const ElementTable& elements, int bondLength);

/// decodeMolFile on a file; errors begin with the file's name.
MolImportResult importMolFile(const std::filesystem::path& path, Structure& structure,
                              const ElementTable& elements, int bondLength);

} // namespace qzx
