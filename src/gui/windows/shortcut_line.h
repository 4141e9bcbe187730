#pragma once

#include <QLabel>
#include <optional>

namespace qzx {

/// A shortcut text cut into its key and what the key does, at the dot leader ("F1 = Help
/// .... Access the Help System") or at the run of blanks ("<Ctrl>-A   Save As...").
struct ShortcutColumns {
    QString key;
    QString description;
    bool dotted = false; ///< a dot leader joins the two
};

/// The two columns of a shortcut text; empty for a text without leader or blank run ("Also:").
std::optional<ShortcutColumns> splitShortcutLine(const QString& text);

/// One line of the shortcut list. Its text is the line as written; it paints the key on the
/// left and the description from a column the window sets, with an even dot leader between,
/// so the descriptions line up in any font.
class ShortcutLine : public QLabel {
    Q_OBJECT
public:
    explicit ShortcutLine(const QString& text, QWidget* parent = nullptr);

    /// Width in pixels of the key part in this label's font; 0 for an uncut line.
    int keyWidth() const;
    /// Where the description starts, in pixels from the label's left edge.
    void setDescriptionColumn(int x);
    int descriptionColumn() const { return m_column; }
    const std::optional<ShortcutColumns>& columns() const { return m_columns; }
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::optional<ShortcutColumns> m_columns;
    int m_column = 0;
};

} // namespace qzx
