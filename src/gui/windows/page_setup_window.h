#pragma once

#include <QDialog>
#include <optional>

#include "printing/page_frame.h"
#include "windows/program_window.h"

class QCheckBox;
class QLineEdit;
class QRadioButton;
class QSpinBox;

namespace qzx {

class PagePreviewView;

/// The page setup (`TPageForm`, caption "Print"): where the picture goes on the page in page
/// units, the orientation, the header and date lines and, for a structure, its composition
/// and mass, with a small preview of the sheet. Every print command but "Print Report" asks it.
class PageSetupWindow : public QDialog, public ProgramWindow {
    Q_OBJECT
public:
    explicit PageSetupWindow(const WindowContext& context, QWidget* parent = nullptr);
    void registerCommands(CommandHandlers&) override {}

    /// Shows the window modally for a print command; the setup chosen with OK, nothing after
    /// Cancel. A structure page offers "Show Composition && Mass" and presets the custom
    /// header to `customHeader`.
    std::optional<PageSetup> ask(bool structurePage, const QString& customHeader = {});
    /// The setup the controls show.
    PageSetup setup() const;
    /// The preview as it stands (the labels and the image area).
    PagePreview preview() const;

private:
    void setOrientation(PageOrientation orientation);
    void showSetup(const PageSetup& setup);
    void refresh();

    AppState& m_app;
    Prompter& m_prompter;
    HelpBrowser& m_help;
    QSpinBox* m_top = nullptr;
    QSpinBox* m_left = nullptr;
    QSpinBox* m_height = nullptr;
    QSpinBox* m_width = nullptr;
    QRadioButton* m_portrait = nullptr;
    QRadioButton* m_landscape = nullptr;
    QRadioButton* m_filename = nullptr;
    QRadioButton* m_none = nullptr;
    QRadioButton* m_custom = nullptr;
    QLineEdit* m_header = nullptr;
    QCheckBox* m_date = nullptr;
    QCheckBox* m_composition = nullptr;
    PagePreviewView* m_preview = nullptr;
    bool m_showing = false; ///< controls being set: no refresh for each
};

} // namespace qzx
