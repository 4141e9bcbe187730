#include "app/window_registry.h"

#include "app/main_window.h"
#include "platform/help_browser.h"
#include "platform/prompter.h"
#include "state/app_state.h"
#include "windows/about_box.h"
#include "windows/autofragment_evaluation_window.h"
#include "windows/autofragment_options_window.h"
#include "windows/autofragment_results_window.h"
#include "windows/capture_setup_dialog.h"
#include "windows/capture_window.h"
#include "windows/delta_mass_window.h"
#include "windows/element_list_window.h"
#include "windows/formula_calculator_window.h"
#include "windows/fragments_window.h"
#include "windows/isotope_profiler_window.h"
#include "windows/loss_window.h"
#include "windows/notice_window.h"
#include "windows/page_setup_window.h"
#include "windows/periodic_table_window.h"
#include "windows/preferences_window.h"
#include "windows/print_choice_dialog.h"
#include "windows/shortcuts_window.h"
#include "windows/spectrum_editor_window.h"
#include "windows/spectrum_window.h"
#include "windows/status_window.h"

namespace qzx {

class WindowRegistry::NoticeForwarder : public NoticeDisplay {
public:
    explicit NoticeForwarder(const WindowRegistry& windows) : m_windows(windows) {}
    void showNotice(const QString& text) override {
        if (auto* window = m_windows.find<NoticeWindow>()) window->showNotice(text);
    }

private:
    const WindowRegistry& m_windows;
};

class WindowRegistry::ElementWindowsForwarder : public ElementWindows {
public:
    ElementWindowsForwarder(const WindowRegistry& windows, Prompter& prompter)
        : m_windows(windows), m_prompter(prompter) {}
    void showPeriodicTable() override {
        if (auto* window = m_windows.find<PeriodicTableWindow>()) m_prompter.showModal(*window);
    }
    int chooseElement() override {
        auto* list = m_windows.find<ElementListWindow>();
        return list ? list->choose() : 0;
    }

private:
    const WindowRegistry& m_windows;
    Prompter& m_prompter;
};

WindowRegistry::WindowRegistry(AppState& state, Prompter& prompter)
    : m_noticeForwarder(std::make_unique<NoticeForwarder>(*this)),
      m_elementForwarder(std::make_unique<ElementWindowsForwarder>(*this, prompter)),
      m_help(std::make_unique<HelpBrowser>(state.programDirectory)), m_context{
                                                                         state, prompter, *m_help,
                                                                         m_noticeForwarder.get(),
                                                                         m_elementForwarder.get()} {
    m_context.windows = &m_directory;
    m_main = std::make_unique<MainWindow>(m_context, *this);
    m_context.structureDisplay = m_main.get();
    m_context.mainOptions = m_main.get();
    createWindows();
    for (const Entry& entry : m_windows)
        entry.program->registerCommands(m_main->commandHandlers());
    m_main->refreshCommands();
}

WindowRegistry::~WindowRegistry() = default;

QStringList WindowRegistry::windowNames() const {
    QStringList names{m_main->objectName()};
    for (const Entry& entry : m_windows)
        names << entry.widget->objectName();
    return names;
}

void WindowRegistry::createWindows() {
    // The program's creation order after the main window. A window joins with one line here;
    // windows not yet part of the program have none.
    QWidget* parent = m_main.get();
    add(std::make_unique<AboutBox>(m_context, parent));                // TAboutBox
    add(std::make_unique<FormulaCalculatorWindow>(m_context, parent)); // TEFCMain
    m_context.calculator = find<FormulaCalculatorDisplay>();     // for the windows made after it
    add(std::make_unique<ElementListWindow>(m_context, parent)); // TEltabfrm
    add(std::make_unique<IsotopeProfilerWindow>(m_context, parent)); // TIPForm
    add(std::make_unique<NoticeWindow>(m_context, parent));          // TMsgForm
    add(std::make_unique<PreferencesWindow>(m_context, parent));     // TOptform
    add(std::make_unique<PeriodicTableWindow>(m_context, parent));   // TPeriodTab, TEditElem within
    add(std::make_unique<StatusWindow>(m_context, parent));          // TStatform
    add(std::make_unique<FragmentsWindow>(m_context, parent));       // TFragMassForm
    add(std::make_unique<AutofragmentOptionsWindow>(m_context, parent));    // TAFDoForm
    add(std::make_unique<AutofragmentResultsWindow>(m_context, parent));    // TAFragForm
    add(std::make_unique<AutofragmentEvaluationWindow>(m_context, parent)); // TEvalForm
    add(std::make_unique<SpectrumEditorWindow>(m_context, parent));         // TSpecEdit
    m_context.spectrumEditor = find<SpectrumEditorDisplay>();
    add(std::make_unique<SpectrumWindow>(m_context, parent));     // TSpecForm
    add(std::make_unique<DeltaMassWindow>(m_context, parent));    // TNeutForm
    add(std::make_unique<CaptureSetupDialog>(m_context, parent)); // TSetForm
    add(std::make_unique<LossWindow>(m_context, parent));         // TLossForm
    add(std::make_unique<PrintChoiceDialog>(m_context, parent));  // TSpecDlgForm
    add(std::make_unique<PageSetupWindow>(m_context, parent));    // TPageForm
    add(std::make_unique<CaptureWindow>(m_context, parent));      // TZPXForm
    add(std::make_unique<ShortcutsWindow>(m_context, parent));    // TShrtform
}

} // namespace qzx
