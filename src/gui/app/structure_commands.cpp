// The main window's side of the structure editor: mouse and keys on the drawing surface,
// the editor's effects (beeps, messages, cursors, repaint), previews and marks, the modes
// of the Edit menu and popup menu, composition and mass in the status panels.
#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

#include "app/app_state.h"
#include "app/drawing_surface.h"
#include "app/label_field.h"
#include "app/main_window.h"
#include "platform/prompter.h"
#include "render/colors.h"
#include "render/structure_painter.h"
#include "structure/editor.h"
#include "structure/structure_composition.h"

namespace qzx {
namespace {

KeyModifiers modifiersOf(const QInputEvent* event) {
    KeyModifiers m;
    m.shift = event->modifiers() & Qt::ShiftModifier;
    m.ctrl = event->modifiers() & Qt::ControlModifier;
    m.alt = event->modifiers() & Qt::AltModifier;
    return m;
}

QPoint toQPoint(PixelPoint p) {
    return {p.x, p.y};
}

/// Colours of the marks drawn over the picture until the next repaint.
const QColor kSelectionMark(255, 0, 255);  // magenta (16711935)
const QColor kReduceBondMark(128, 128, 0); // olive (32896)
const QColor kSelectionFrame(0, 128, 0);   // green (32768)

} // namespace

void MainWindow::connectDrawingSurface() {
    connect(m_surface, &DrawingSurface::mousePressed, this, [this](QMouseEvent* e) {
        const QPoint p = e->position().toPoint();
        if (e->button() != Qt::LeftButton && e->button() != Qt::RightButton) return;
        applyEditorEffects(m_editor->press(
            p.x(), p.y(), e->button() == Qt::RightButton ? MouseButton::Right : MouseButton::Left,
            modifiersOf(e)));
    });
    connect(m_surface, &DrawingSurface::mouseMoved, this, [this](QMouseEvent* e) {
        const QPoint p = e->position().toPoint();
        applyEditorEffects(m_editor->move(p.x(), p.y(), modifiersOf(e)));
    });
    connect(m_surface, &DrawingSurface::mouseReleased, this, [this](QMouseEvent* e) {
        const QPoint p = e->position().toPoint();
        if (e->button() != Qt::LeftButton && e->button() != Qt::RightButton) return;
        applyEditorEffects(m_editor->release(
            p.x(), p.y(), e->button() == Qt::RightButton ? MouseButton::Right : MouseButton::Left,
            modifiersOf(e)));
    });
    m_surface->setOverlayPainter([this](QPainter& painter) { paintPreview(painter); });
}

void MainWindow::paintPreview(QPainter& painter) {
    const EditorPreview& preview = m_editor->preview();
    if (preview.kind == EditorPreview::Kind::None || preview.points.empty()) return;
    painter.save();
    // The previews invert what lies under them, so they show on any background.
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    painter.setPen(QPen(Qt::white, 1));
    painter.setBrush(Qt::NoBrush);
    QPolygon polygon;
    for (PixelPoint p : preview.points)
        polygon << toQPoint(p);
    switch (preview.kind) {
    case EditorPreview::Kind::RingOutline:
        painter.drawPolygon(polygon);
        break;
    case EditorPreview::Kind::Line:
    case EditorPreview::Kind::FragmentLine:
    case EditorPreview::Kind::FragmentRegion:
        painter.drawPolyline(polygon);
        break;
    case EditorPreview::Kind::SelectionRectangle:
        painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        painter.setPen(QPen(kSelectionFrame, 1));
        [[fallthrough]];
    case EditorPreview::Kind::FragmentBox:
        if (polygon.size() >= 2) painter.drawRect(QRect(polygon[0], polygon[1]).normalized());
        break;
    case EditorPreview::Kind::None:
        break;
    }
    painter.restore();
}

void MainWindow::applyEditorEffects(const EditorEffects& effects) {
    for (int i = 0; i < effects.errorSignals; ++i)
        errorSignal();
    for (int i = 0; i < effects.plainBeeps; ++i)
        m_prompter.beep();
    if (effects.fragmentRegionStarted) {
        // A region cut starts afresh: no sub-fragments, no earlier cuts kept.
        if (m_state.subFragment) m3SubFragClick();
        if (m_state.multiFragment) m3MultiFragClick();
    }
    if (effects.rGroupInsert) insertRGroup(*effects.rGroupInsert);
    if (effects.repaint)
        repaintStructure();
    else if (effects.compose)
        composeAndShow();
    if (!effects.message.empty())
        m_prompter.message(this, QStringLiteral("Quorin Professional"),
                           QString::fromStdString(effects.message), Prompter::Icon::Information,
                           Prompter::Buttons::Ok);
    if (effects.cursor) setEditorCursor(*effects.cursor);
    if (effects.commandsChanged || effects.repaint) syncEditorCommands();
    paintMarks();
    const int chain = m_editor->preview().chainLength;
    m_chainLabel->setVisible(chain >= 0);
    m_chainCount->setVisible(chain >= 0);
    if (chain >= 0) m_chainCount->setText(QString::number(chain));
    m_surface->update();
}

void MainWindow::paintMarks() {
    const bool selection = m_editor->selectionPresent();
    const std::vector<PixelPoint> marks = m_editor->reduceBondMarks();
    if (!selection && marks.empty()) return;
    QPainter painter(&m_surface->image());
    painter.setPen(Qt::NoPen);
    if (selection) {
        painter.setBrush(kSelectionMark);
        for (int row : m_app.structure.SelectionList) {
            const Atom& a = m_app.structure.atom(row);
            painter.drawEllipse(QPoint(a.X, a.Y), 3, 3);
        }
    }
    painter.setBrush(kReduceBondMark);
    for (PixelPoint p : marks)
        painter.drawRect(p.x - 2, p.y - 2, 5, 5);
}

void MainWindow::setEditorCursor(EditorCursor cursor) {
    switch (cursor) {
    case EditorCursor::Default:
        m_surface->unsetCursor();
        break;
    case EditorCursor::CrossHair:
        m_surface->setCursor(m_cursors.cursor(CursorNumber::XHair));
        break;
    case EditorCursor::ValencePlus:
        m_surface->setCursor(m_cursors.cursor(CursorNumber::ValPlus));
        break;
    case EditorCursor::ValenceMinus:
        m_surface->setCursor(m_cursors.cursor(CursorNumber::ValMinus));
        break;
    case EditorCursor::Move:
        m_surface->setCursor(m_cursors.cursor(CursorNumber::Move));
        break;
    }
}

void MainWindow::syncEditorCommands() {
    setChecked(QStringLiteral("m2Select"), m_editor->selectMode());
    setChecked(QStringLiteral("puSelect"), m_editor->selectMode());
    const Editor::Valence valence = m_editor->valenceMode();
    for (const char* name : {"m2ValAdd", "puAdd"})
        setChecked(QString::fromLatin1(name), valence == Editor::Valence::Add);
    for (const char* name : {"m2ValSub", "puSubtract"})
        setChecked(QString::fromLatin1(name), valence == Editor::Valence::Subtract);
    if (auto* undo = qobject_cast<QAction*>(control(QStringLiteral("puUndo"))))
        undo->setText(m_editor->undoShowsRedo() ? QStringLiteral("Redo") : QStringLiteral("Undo"));
}

void MainWindow::repaintStructure() {
    QPainter painter(&m_surface->image());
    paintStructure(painter, m_app.structure, m_app.elements, m_app.settings);
    painter.end();
    if (m_app.structure.count.drawItems > 0)
        for (const char* name : {"SpeedButton52", "SpeedButton53"})
            setControlEnabled(QString::fromLatin1(name), true);
    composeAndShow();
    m_surface->update();
}

void MainWindow::composeAndShow() {
    m_app.structureMasses =
        composeStructure(m_app.structure, m_app.elements, m_state.UseAccurateMass);
    m_compositionPanel->setText(
        QString::fromStdString(compositionPanelText(m_app.structureMasses)));
    m_massPanel->setText(
        QString::fromStdString(massPanelText(m_app.structureMasses, m_state.UseAccurateMass)));
    m_compositionPanel->setAccessibleName(m_compositionPanel->text());
    m_massPanel->setAccessibleName(m_massPanel->text());
    if (!m_app.structureMasses.composition.empty()) setStructureCommandsEnabled(true);
}

void MainWindow::m2SelectClick() {
    applyEditorEffects(m_editor->toggleSelectMode());
}
void MainWindow::puAddClick() {
    applyEditorEffects(m_editor->chooseValence(true));
}
void MainWindow::puSubtractClick() {
    applyEditorEffects(m_editor->chooseValence(false));
}
void MainWindow::m2BondsClick() {
    applyEditorEffects(m_editor->startReduceBond());
}
void MainWindow::puUndoClick() {
    applyEditorEffects(m_editor->undoRedo());
}

bool MainWindow::FormKeyDown(QKeyEvent* event) {
    // Typing in the label field stays typing.
    if (m_labelField->hasFocus()) return false;
    EditorKey key;
    switch (event->key()) {
    case Qt::Key_Escape:
        key = EditorKey::Escape;
        break;
    case Qt::Key_Delete:
        key = EditorKey::Delete;
        break;
    case Qt::Key_R:
        key = EditorKey::R;
        break;
    case Qt::Key_U:
        key = EditorKey::U;
        break;
    case Qt::Key_A:
        key = EditorKey::A;
        break;
    default:
        return false;
    }
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) return false;
    applyEditorEffects(m_editor->key(key));
    return true;
}

} // namespace qzx
