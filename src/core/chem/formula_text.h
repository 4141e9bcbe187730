#pragma once

#include <functional>
#include <string>

namespace qzx {

struct Composition;

/// Reads formula text such as "C6 H12 O6" into `composition`, which is cleared first.
///
/// Every element with its count is a word of its own: symbols are recognised regardless of
/// case, a two-character symbol wins over a one-letter symbol ("CO" is cobalt, carbon monoxide
/// is "C O"), words are separated by blanks or tabs (and other control characters), a count
/// runs up to the next separator and its leading signed integer is taken, and an element named
/// twice keeps its last count.
///
/// On success `text` becomes the normalised text: each word as the element's table spelling,
/// the count text as typed and one blank ("cl2 c6 h" gives "Cl2 C6 H "). When a symbol is
/// followed directly by a letter, or by a count that does not start with a number ("C@6",
/// "N-"), or a letter that only starts two-character symbols (A, E, G, L, M, R, T, Z) is not
/// followed by one of them, `text` becomes exactly "Err" and `beep` is called once; the counts
/// stored before that point stay in `composition`.
void ParseFormulaText(Composition& composition, std::string& text,
                      const std::function<void()>& beep = {});

} // namespace qzx
