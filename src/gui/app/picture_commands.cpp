#include "app/picture_commands.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <algorithm>

#include "app/drawing_surface.h"
#include "app/structure_view.h"
#include "platform/word_processor.h"
#include "render/structure_picture.h"
#include "state/app_state.h"
#include "structure/editor.h"
#include "windows/command_handlers.h"
#include "windows/program_window.h"

namespace qzx {
namespace {

/// Pixels of drawing kept around the atoms by "As Bitmap".
constexpr int kBitmapMargin = 80;

} // namespace

PictureCommands::PictureCommands(const WindowContext& context, StructureView& view, QWidget* window)
    : QObject(window), m_app(context.state), m_prompter(context.prompter), m_view(view),
      m_window(window) {}

void PictureCommands::registerCommands(CommandHandlers& handlers) {
    handlers.add("m2CopyMetafile", [this] { m2CopyMetafileClick(); });
    handlers.add("m2CopyBitmap", [this] { m2CopyBitmapClick(); });
    handlers.add("m2CopyWord", [this] { m2CopyWordClick(); });
}

StructurePictureInput PictureCommands::clipboardPicture() const {
    StructurePictureInput input;
    input.structure = &m_app.structure;
    input.elements = &m_app.elements;
    input.settings = &m_app.settings;
    input.cuts = m_view.editor().analyzeMode() ? &m_app.cuts : nullptr;
    input.textFactor = m_app.print.pictureTextFactor();
    return input;
}

void PictureCommands::m2CopyMetafileClick() {
    const StructurePictureInput input = clipboardPicture();
    // The vector picture for programs that take it, and the same picture as pixels for those
    // that do not; the clipboard owns the data.
    auto* data = new QMimeData;
    data->setData(QStringLiteral("image/svg+xml"), structurePictureSvg(input));
    data->setImageData(structurePictureImage(input));
    QGuiApplication::clipboard()->setMimeData(data);
}

void PictureCommands::m2CopyBitmapClick() {
    const QRect extent = structureExtent(m_app.structure, nullptr);
    if (extent.right() < extent.left()) return; // no atoms: the command is disabled anyway
    const QImage& drawing = m_view.surface()->image();
    const QRect part =
        QRect(QPoint(extent.left() - kBitmapMargin, extent.top() - kBitmapMargin),
              QPoint(extent.right() + kBitmapMargin - 1, extent.bottom() + kBitmapMargin - 1))
            .intersected(drawing.rect());
    QGuiApplication::clipboard()->setImage(drawing.copy(part));
}

void PictureCommands::m2CopyWordClick() {
    m2CopyMetafileClick();
    RunInWordProcessor(QStringLiteral("^V"), QString::fromStdString(m_app.settings.PathToText),
                       m_prompter, m_window);
}

} // namespace qzx
