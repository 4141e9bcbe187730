#pragma once

#include <QList>
#include <QWidget>

class QButtonGroup;
class QLabel;
class QToolButton;

namespace qzx {

struct ScreenFit;

/// The tool panel on the left of the main window (`Panel1`): the 21 drawing tools
/// (`SpeedButton1`..`SpeedButton21`), the 27 element buttons (`SpeedButton22`..`SpeedButton48`)
/// and the element page spinner (`SpinButton1Down`, `SpinButton1Up`) with the page number
/// (`Label1`). One button of all 48 is down at a time.
class ToolPanel : public QWidget {
    Q_OBJECT
public:
    explicit ToolPanel(QWidget* parent = nullptr);

    /// 1..3, the page of element buttons shown.
    int elementPage() const { return m_elementPage; }
    /// The R-group tool's hint: "Add R Group = " followed by the group's name.
    void setRGroupName(const QString& name);
    /// Sizes the buttons for the screen and, on 640-pixel screens, makes captions smaller.
    void applyFit(const ScreenFit& fit);

signals:
    /// A drawing tool (1..21) was chosen.
    void toolChosen(int tool);
    /// An element button was chosen: the element number it shows on the current page.
    void elementChosen(int element);

private:
    void showElementPage();
    void turnPage(bool up);

    int m_elementPage = 1;
    QButtonGroup* m_group = nullptr;
    QList<QToolButton*> m_elementButtons;
    QToolButton* m_rGroupButton = nullptr;
    QLabel* m_pageLabel = nullptr;
};

} // namespace qzx
