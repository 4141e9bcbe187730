#pragma once

#include "printing/page_text.h"
#include "printing/spectrum_page.h"

class QPainter;

namespace qzx {

/// Paints a laid-out text of a printed page or picture: its runs one after another, lowered
/// runs smaller and lower, the whole placed by its anchor. The painter's state is kept.
void paintPageText(QPainter& painter, const PageText& text);

/// Paints a line of a printed page.
void paintPageLine(QPainter& painter, const PageLine& line);

/// Paints a spectrum page: axes, peak bars, texts and the summary's rule.
void paintSpectrumPage(QPainter& painter, const SpectrumPage& page);

} // namespace qzx
