#pragma once

#include <QObject>

class QWidget;

namespace qzx {

struct AppState;
class CommandHandlers;
class Prompter;
class StructureView;
struct WindowContext;

/// The File menu's printing: "Print..." places the structure picture on the page through the
/// page setup (with the header, date and composition lines), "Print Setup..." chooses the
/// printer.
class PrintCommands : public QObject {
    Q_OBJECT
public:
    PrintCommands(const WindowContext& context, StructureView& view, QWidget* window);

    void registerCommands(CommandHandlers& handlers);

private:
    void printStructure();

    const WindowContext& m_context;
    AppState& m_app;
    Prompter& m_prompter;
    StructureView& m_view;
    QWidget* m_window;
};

} // namespace qzx
