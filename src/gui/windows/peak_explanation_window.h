#pragma once

#include <QDialog>

#include "spectrum/peak_explanation.h"

class QLabel;
class QTreeWidget;

namespace qzx {

class StructureDisplay;

/// "Explain Peak": what may explain one peak after a comparison, in four sections: the
/// fragments that give its mass with 0, 1 or 2 hydrogen transfers (picking one marks it on
/// the structure), the compositions the drawn molecule's atoms allow, the common losses from
/// the molecular ion, and the isotope clusters of fragments with Cl, Br, S or Si beside the
/// observed peaks. The spectrum window owns it.
class PeakExplanationWindow : public QDialog {
    Q_OBJECT
public:
    PeakExplanationWindow(StructureDisplay* structure, QWidget* parent);

    /// Shows the explanation (the window is then shown by the caller).
    void showExplanation(const PeakExplanation& explanation);
    QTreeWidget* tree() const { return m_tree; }
    const PeakExplanation& explanation() const { return m_explanation; }

private:
    StructureDisplay* m_structure;
    QLabel* m_heading = nullptr;
    QTreeWidget* m_tree = nullptr;
    PeakExplanation m_explanation;
};

} // namespace qzx
