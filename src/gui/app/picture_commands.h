#pragma once

#include <QObject>

class QWidget;

namespace qzx {

struct AppState;
class CommandHandlers;
class Prompter;
class StructureView;
struct StructurePictureInput;
struct WindowContext;

/// The Edit menu's pictures of the structure: "Copy" > "As Metafile" (the vector picture as
/// SVG with a PNG of it), "Copy" > "As Bitmap" (the drawing around the atoms as PNG) and
/// "Copy to WordPad" (the picture, then the word processor of `PathToText` pastes it).
class PictureCommands : public QObject {
    Q_OBJECT
public:
    PictureCommands(const WindowContext& context, StructureView& view, QWidget* window);

    void registerCommands(CommandHandlers& handlers);

    /// The clipboard picture as the commands build it: 100 %, origin (10, 10), the cuts while
    /// Analyze mode is on.
    StructurePictureInput clipboardPicture() const;

private:
    void m2CopyMetafileClick();
    void m2CopyBitmapClick();
    void m2CopyWordClick();

    AppState& m_app;
    Prompter& m_prompter;
    StructureView& m_view;
    QWidget* m_window;
};

} // namespace qzx
