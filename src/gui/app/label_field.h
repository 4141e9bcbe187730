#pragma once

#include <QLineEdit>

namespace qzx {

/// The structure's title field on the drawing surface (`Edit1`, at most 60 characters).
/// A left-button drag with Ctrl held moves it; Enter ends editing. While it is empty it shows
/// a frame and a placeholder, so a user who switched it on sees where to type; neither is part
/// of the title.
class LabelField : public QLineEdit {
    Q_OBJECT
public:
    static constexpr int kMaxLength = 60;
    explicit LabelField(QWidget* parent = nullptr);

    /// What the empty field shows in grey.
    static QString placeholder() { return QStringLiteral("Type a title for the structure"); }

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool m_dragging = false;
    QPoint m_pressOffset; ///< where the field was grabbed, in its own pixels
};

} // namespace qzx
