#pragma once

#include <QObject>
#include <string>

class QWidget;

namespace qzx {

struct AppState;
class CommandHandlers;
class Prompter;
class StructureView;
struct WindowContext;

/// The File menu's commands on files: structure files (Open, Save, Save As), MOL files
/// (Import, Export, the bond length), R groups (Load, Save) and Delete File.
class FileCommands : public QObject {
    Q_OBJECT
public:
    FileCommands(const WindowContext& context, StructureView& view, QWidget* window);

    void registerCommands(CommandHandlers& handlers);

    /// Pixels that one MOL-file bond length unit maps to.
    int molBondLength() const { return m_molBondLength; }

signals:
    /// A structure was read from a file and is on screen: the window returns to Draw mode.
    void structureLoaded();

private:
    void m1OpenClick();
    void m1SaveClick();
    void m1SaveAsClick();
    void m1MolimportClick();
    void m1MolexportClick();
    void m1MolBndLenClick();
    void m1RLoadClick();
    void m1RSaveClick();
    void m1DeleteClick();
    /// The error signal and an error box with a file command's message.
    void showFileMessage(const std::string& message);

    AppState& m_app;
    Prompter& m_prompter;
    StructureView& m_view;
    QWidget* m_window;
    int m_molBondLength = 100;
};

} // namespace qzx
