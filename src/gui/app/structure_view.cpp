#include "app/structure_view.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <algorithm>

#include "app/drawing_surface.h"
#include "app/label_field.h"
#include "platform/prompter.h"
#include "render/colors.h"
#include "render/cut_painter.h"
#include "render/editor_overlay.h"
#include "render/structure_painter.h"
#include "state/app_state.h"
#include "structure/editor.h"
#include "structure/r_group_file.h"
#include "structure/structure_composition.h"
#include "windows/command_handlers.h"
#include "windows/program_window.h"

namespace qzx {
namespace {

const QString kEmptyComposition = QStringLiteral("   Composition:");
const QString kEmptyMass = QStringLiteral("   Formula Weight:");

KeyModifiers modifiersOf(const QInputEvent* event) {
    KeyModifiers m;
    m.shift = event->modifiers() & Qt::ShiftModifier;
    m.ctrl = event->modifiers() & Qt::ControlModifier;
    m.alt = event->modifiers() & Qt::AltModifier;
    return m;
}

void setPanelText(QLabel* panel, const QString& text) {
    panel->setText(text);
    panel->setAccessibleName(text);
}

} // namespace

StructureView::StructureView(const WindowContext& context, QWidget* window)
    : QObject(window), m_app(context.state), m_prompter(context.prompter), m_window(window),
      m_editor(std::make_unique<Editor>(m_app.structure, m_app.elements, m_app.settings)) {
    m_scrollBox = new QScrollArea(window);
    m_scrollBox->setObjectName(QStringLiteral("ScrollBox1"));
    m_surface = new DrawingSurface;
    m_scrollBox->setWidget(m_surface);
    m_scrollBox->setWidgetResizable(false);
    for (QScrollBar* bar : {m_scrollBox->horizontalScrollBar(), m_scrollBox->verticalScrollBar()})
        connect(bar, &QScrollBar::valueChanged, this, [this, bar](int value) {
            if (!m_scrollBars && value != 0) bar->setValue(0);
        });
    setScrollBars(false);

    m_labelField = new LabelField(m_surface);
    m_labelField->setGeometry(20, 10, 400, 22);
    m_labelField->hide();
    // The field and the structure's label are one text: every edit of the field is the label.
    connect(m_labelField, &QLineEdit::textChanged, this, [this](const QString& text) {
        m_app.structure.StructureLabel = text.left(LabelField::kMaxLength).toStdString();
    });

    m_statusPanels = new QWidget(window);
    auto* row = new QHBoxLayout(m_statusPanels);
    row->setContentsMargins(0, 1, 0, 1);
    row->setSpacing(2);
    m_compositionPanel = new QLabel(m_statusPanels);
    m_compositionPanel->setObjectName(QStringLiteral("Panel4"));
    m_compositionPanel->setAccessibleDescription(QStringLiteral("Composition"));
    m_massPanel = new QLabel(m_statusPanels);
    m_massPanel->setObjectName(QStringLiteral("Panel5"));
    m_massPanel->setAccessibleDescription(QStringLiteral("Mass"));
    for (QLabel* panel : {m_compositionPanel, m_massPanel})
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setPanelText(m_compositionPanel, kEmptyComposition);
    setPanelText(m_massPanel, kEmptyMass);
    row->addWidget(m_compositionPanel, 3);
    row->addWidget(m_massPanel, 1);

    connect(m_surface, &DrawingSurface::mousePressed, this,
            [this](QMouseEvent* e) { mouseEvent(e, MousePhase::Press); });
    connect(m_surface, &DrawingSurface::mouseMoved, this,
            [this](QMouseEvent* e) { mouseEvent(e, MousePhase::Move); });
    connect(m_surface, &DrawingSurface::mouseReleased, this,
            [this](QMouseEvent* e) { mouseEvent(e, MousePhase::Release); });
    m_surface->setOverlayPainter(
        [this](QPainter& painter) { paintEditorPreview(painter, m_editor->preview()); });
    connect(m_surface, &DrawingSurface::zoomStepped, this, &StructureView::stepZoom);
    // Qt already scales by the screen's device-pixel ratio; a dense screen without that
    // scaling says so by its logical resolution, and starts larger.
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        m_surface->setZoom(DrawingSurface::defaultZoom(screen->logicalDotsPerInch()));
}

StructureView::~StructureView() = default;

void StructureView::registerCommands(CommandHandlers& handlers) {
    handlers.add("m2Select", [this] { apply(m_editor->toggleSelectMode()); });
    handlers.add("m2ValAdd", [this] { apply(m_editor->chooseValence(true)); });
    handlers.add("m2ValSub", [this] { apply(m_editor->chooseValence(false)); });
    handlers.add("m2Bonds", [this] { apply(m_editor->startReduceBond()); });
    handlers.add("puUndo", [this] { apply(m_editor->undoRedo()); });
    handlers.add("m3ShowAtoms", [this] {
        apply(m_editor->setShowAllAtoms(!m_editor->showAllAtoms()));
        repaint();
    });
    // Redraw forgets the marks and cut selections drawn over the picture.
    handlers.add("SpeedButton60", [this] { repaint(); });
    handlers.add("m3ZoomIn", [this] { stepZoom(1); });
    handlers.add("m3ZoomOut", [this] { stepZoom(-1); });
    handlers.add("m3ZoomActual", [this] { m_surface->setZoom(1.0); });
}

void StructureView::stepZoom(int direction) {
    static constexpr double kSteps[] = {0.5, 0.75, 1.0, 1.25, 1.5, 2.0, 2.5, 3.0, 4.0};
    const double now = m_surface->zoom();
    double next = now;
    if (direction > 0) {
        for (double step : kSteps)
            if (step > now + 1e-9) {
                next = step;
                break;
            }
    } else {
        for (double step : kSteps)
            if (step < now - 1e-9) next = step;
    }
    m_surface->setZoom(next);
}

void StructureView::setPopupMenu(QMenu* menu) {
    m_surface->setPopupMenu(menu);
}

void StructureView::mouseEvent(QMouseEvent* e, MousePhase phase) {
    const QPoint p = e->position().toPoint();
    const KeyModifiers modifiers = modifiersOf(e);
    if (phase == MousePhase::Move) {
        apply(m_editor->move(p.x(), p.y(), modifiers));
        return;
    }
    if (e->button() != Qt::LeftButton && e->button() != Qt::RightButton) return;
    const MouseButton button =
        e->button() == Qt::RightButton ? MouseButton::Right : MouseButton::Left;
    apply(phase == MousePhase::Press ? m_editor->press(p.x(), p.y(), button, modifiers)
                                     : m_editor->release(p.x(), p.y(), button, modifiers));
}

void StructureView::apply(const EditorEffects& effects) {
    for (int i = 0; i < effects.errorSignals; ++i)
        errorSignal();
    for (int i = 0; i < effects.plainBeeps; ++i)
        m_prompter.beep();
    if (effects.fragmentRegionStarted) emit fragmentRegionStarted();
    if (effects.rGroupInsert) insertRGroup(*effects.rGroupInsert);
    if (effects.repaint)
        repaint();
    else if (effects.compose)
        compose();
    if (!effects.message.empty())
        m_prompter.message(m_window, QStringLiteral("Quorin Professional"),
                           QString::fromStdString(effects.message), Prompter::Icon::Information,
                           Prompter::Buttons::Ok);
    if (effects.cursor) setEditorCursor(*effects.cursor);
    if (effects.commandsChanged || effects.repaint) emit commandsChanged();
    if (effects.fragmentCut) emit fragmentCutDrawn(*effects.fragmentCut);
    paintMarks();
    emit chainLengthShown(m_editor->preview().chainLength);
    m_surface->update();
}

void StructureView::insertRGroup(const RGroupRequest& request) {
    const RGroupInsertOutcome outcome =
        insertActiveRGroup(m_app.structure, m_app.programDirectory, request);
    for (int i = 0; i < outcome.errorSignals; ++i)
        errorSignal();
    if (!outcome.error.empty())
        m_prompter.message(m_window, QStringLiteral("Quorin Professional"),
                           QString::fromStdString(outcome.error), Prompter::Icon::Information,
                           Prompter::Buttons::Ok);
    repaint();
}

void StructureView::paintMarks() {
    const bool selection = m_editor->selectionPresent();
    const std::vector<PixelPoint> marks = m_editor->reduceBondMarks();
    if (!selection && marks.empty()) return;
    m_surface->paint(
        [structure = m_app.structure, selection, marks](QPainter& painter) {
            paintEditorMarks(painter, structure, selection, marks);
        },
        false, "marks");
}

void StructureView::setEditorCursor(EditorCursor cursor) {
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

void StructureView::repaint() {
    // The step keeps its own copy of the structure: the screen may replay it after an edit
    // and before the repaint that edit asks for.
    m_surface->paint(
        [structure = m_app.structure, &elements = m_app.elements, settings = m_app.settings](
            QPainter& painter) { paintStructure(painter, structure, elements, settings); },
        true);
    compose();
}

CutOutcome StructureView::cut(const FragmentGesture& gesture, const CutOptions& options) {
    const auto shape = static_cast<CutShape>(std::clamp(gesture.shape, 1, 3));
    CutOutcome outcome = EndCut(shape, gesture.start, gesture.end, gesture.region, m_app.cuts,
                                m_app.structure, m_app.elements, options);
    if (outcome.redrawFirst) repaint();
    m_surface->paint(
        [outcome, structure = m_app.structure, settings = m_app.settings](QPainter& painter) {
            paintCutOutcome(painter, outcome, structure, settings);
        });
    return outcome;
}

void StructureView::showFragmentAtoms(const std::vector<std::int32_t>& atoms) {
    repaint();
    m_surface->paint(
        [atoms, structure = m_app.structure, settings = m_app.settings](QPainter& painter) {
            paintFragmentAtoms(painter, atoms, structure, settings);
        });
}

void StructureView::compose() {
    m_app.structureMasses =
        composeStructure(m_app.structure, m_app.elements, m_app.UseAccurateMass);
    showPanels();
    emit m_app.changes.structureChanged();
}

void StructureView::showPanels() {
    setPanelText(m_compositionPanel,
                 QString::fromStdString(compositionPanelText(m_app.structureMasses)));
    setPanelText(m_massPanel, QString::fromStdString(
                                  massPanelText(m_app.structureMasses, m_app.UseAccurateMass)));
}

void StructureView::clearDrawing() {
    m_app.structure.clear();
    m_app.structureMasses = {};
    m_editor->reset();
    m_labelField->clear();
    setPanelText(m_compositionPanel, kEmptyComposition);
    setPanelText(m_massPanel, kEmptyMass);
    m_surface->clear(colorFromValue(m_app.settings.Background));
    emit m_app.changes.structureChanged();
    emit commandsChanged();
}

void StructureView::showLoadedStructure() {
    m_editor->reset();
    m_labelField->setText(QString::fromStdString(m_app.structure.StructureLabel));
    repaint();
    emit commandsChanged();
}

void StructureView::setScrollBars(bool on) {
    m_scrollBars = on;
    const Qt::ScrollBarPolicy policy = on ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff;
    m_scrollBox->setHorizontalScrollBarPolicy(policy);
    m_scrollBox->setVerticalScrollBarPolicy(policy);
    // Without scroll bars the view shows the drawing from its top-left corner and stays there.
    if (!on) {
        m_scrollBox->horizontalScrollBar()->setValue(0);
        m_scrollBox->verticalScrollBar()->setValue(0);
    }
}

void StructureView::setLabelShown(bool shown) {
    m_labelShown = shown;
    if (shown) {
        QPalette palette = m_labelField->palette();
        palette.setColor(QPalette::Base, colorFromValue(m_app.settings.Background));
        m_labelField->setPalette(palette);
        m_labelField->show();
    } else {
        m_labelField->hide();
    }
}

bool StructureView::handleKey(QKeyEvent* event) {
    // Typing in the label field stays typing.
    if (m_labelField->hasFocus()) return false;
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) return false;
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
    apply(m_editor->key(key));
    return true;
}

void StructureView::errorSignal() {
    ErrorSignal(m_prompter, m_app.settings.Sound);
}

} // namespace qzx
