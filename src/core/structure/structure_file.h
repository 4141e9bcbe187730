#pragma once

#include <filesystem>
#include <string>

#include "util/binary_io.h"

namespace qzx {

class Structure;

/// Length of the label field in a structure file, in characters (one byte each, Latin-1).
constexpr int kStructureLabelLength = 60;

/// What reading a structure file (".MSD") gave.
enum class StructureFileStatus : int {
    Loaded = 0,           ///< current layout ("QZXV" "40RW")
    Missing = 1,          ///< the file does not exist
    NotStructureFile = 2, ///< wrong tags, or counts or rows that do not fit the tables or the file
    ReadFailed = 3,       ///< the file exists but could not be read
    OldLayoutLoaded = 9,  ///< the old 16-bit layout ("3WRT"), coordinates converted
};

/// The byte image of the current layout: "QZXV", "40RW", the label padded with blanks to 60
/// characters, the draw item, atom, bond and ring counts, then rows 1..count of each table with
/// every field, all 32-bit little-endian. A structure without atoms gives 84 bytes.
Bytes encodeStructureFile(const Structure& structure);

/// Decodes a structure file image into `out`. Every count is checked against the capacities
/// of the tables and against the length of the data, and every row number the rows name
/// (draw items, bond ends, ring atoms, aromatic ring rows) and every element number must be in
/// range, before anything is stored. On success `out` holds exactly the file's structure with
/// no history: the saved counters equal the counters, no undo record, no selection; the label
/// is the file's 60 characters (an old-layout file has none: empty). `out.CurrentFile` is kept.
/// On failure `out` is untouched and `detail`, when given, says what was wrong.
StructureFileStatus decodeStructureFile(const Bytes& bytes, Structure& out,
                                        std::string* detail = nullptr);

/// The outcome of loading a structure file.
struct StructureLoadResult {
    StructureFileStatus status = StructureFileStatus::Loaded;
    std::string error; ///< the text for the user's message box; empty on success
};

/// Reads a structure file into `structure`. Errors: "File: NAME does not exist",
/// "Not a Valid QZX Datafile", or a read failure naming the file. On failure the structure is
/// untouched; on success its CurrentFile becomes `path`.
StructureLoadResult loadStructureFile(const std::filesystem::path& path, Structure& structure);

/// Writes the structure file through a temporary file beside the target, so a failed save
/// never destroys the old file. Returns an error text, empty on success. CurrentFile is not
/// changed (Save As keeps the name of the file last opened).
std::string saveStructureFile(const std::filesystem::path& path, const Structure& structure);

/// The program keeps its texts in UTF-8; files hold Latin-1, one byte per character.
/// Characters outside Latin-1 (and malformed UTF-8) become '?'.
std::string utf8ToLatin1(const std::string& text);
std::string latin1ToUtf8(const std::string& text);

} // namespace qzx
