#pragma once

#include <QDialog>
#include <array>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace qzx {

struct ElementRecord;

/// The element editor (`TEditElem`, caption "Element Editor"): one element's nominal mass,
/// isotope count and up to nine isotopes with mass and abundance. It remembers whether
/// anything was typed since it was filled; "Cancel" (enabled by typing) forgets it.
class ElementEditorWindow : public QDialog {
    Q_OBJECT
public:
    explicit ElementEditorWindow(QWidget* parent = nullptr);

    /// Shows the element's values, four decimals for masses and abundances, the most abundant
    /// isotope's button selected; clears the typed flag and disables Cancel.
    void fill(const ElementRecord& element);
    /// Whether a key was typed since fill() and Cancel was not pressed.
    bool typed() const { return m_typed; }
    /// Stores the fields into `element`: nominal mass, isotope count, then each isotope's mass
    /// and abundance. A field that is not a number, an isotope count outside 0..9, or values the
    /// data files could not give back (abundances not adding up to 1, say) store nothing of
    /// the edit and return a message saying why; empty on success.
    QString store(ElementRecord& element) const;

private:
    QLabel* m_symbol = nullptr;
    QLabel* m_name = nullptr;
    QLineEdit* m_nominalMass = nullptr;
    QLineEdit* m_isotopes = nullptr;
    std::array<QRadioButton*, 9> m_choice{};
    std::array<QLineEdit*, 9> m_mass{};
    std::array<QLineEdit*, 9> m_abundance{};
    QPushButton* m_cancel = nullptr;
    bool m_typed = false;
};

} // namespace qzx
