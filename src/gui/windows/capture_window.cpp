#include "windows/capture_window.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QToolButton>
#include <QVBoxLayout>

#include "capture/capture_image.h"
#include "capture/capture_transfer.h"
#include "platform/help_browser.h"
#include "platform/prompter.h"
#include "state/app_state.h"
#include "windows/command_handlers.h"
#include "windows/menu_items.h"
#include "windows/spectrum_window.h"
#include "windows/window_steering.h"

namespace qzx {
namespace {

constexpr int kHelpContext = 1087;
const QString kTitle = QStringLiteral("Spectrum Capture");
const QString kPictureFilter =
    QStringLiteral("Bitmap files (*.BMP)|*.BMP|PNG files (*.PNG)|*.PNG|All pictures "
                   "(*.BMP;*.PNG)|*.BMP;*.PNG");
const QColor kBlue(0, 0, 255);

QColor colourOf(CaptureRgb rgb) {
    return QColor(static_cast<int>(rgb >> 16 & 0xFF), static_cast<int>(rgb >> 8 & 0xFF),
                  static_cast<int>(rgb & 0xFF));
}

/// The picture as the digitiser reads it, pixel for pixel.
CaptureImage captureImageOf(const QImage& picture) {
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
    CaptureImage image(rgb.width(), rgb.height());
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x)
            image.setRgb(x, y, line[x] & 0xFFFFFFu);
    }
    return image;
}

QImage qImageOf(const CaptureImage& image) {
    QImage picture(image.width(), image.height(), QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            line[x] = 0xFF000000u | image.rgb(x, y);
    }
    return picture;
}

} // namespace

/// The picture at its own size; mouse events go to the window in picture pixels.
class CapturePictureView : public QWidget {
public:
    explicit CapturePictureView(CaptureWindow& window) : m_window(window) {
        setObjectName(QStringLiteral("Image1"));
        setCursor(Qt::CrossCursor);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::white);
        painter.drawImage(0, 0, m_window.picture());
    }
    void mousePressEvent(QMouseEvent* e) override {
        m_window.picturePressed(e->position().toPoint(), e->button());
    }
    void mouseMoveEvent(QMouseEvent* e) override {
        if (e->buttons() & Qt::LeftButton) m_window.pictureDragged(e->position().toPoint());
    }
    void mouseReleaseEvent(QMouseEvent* e) override {
        m_window.pictureReleased(e->position().toPoint(), e->button());
    }

private:
    CaptureWindow& m_window;
};

CaptureWindow::CaptureWindow(const WindowContext& context, QWidget* parent)
    : QDialog(parent), m_app(context.state), m_prompter(context.prompter), m_help(context.help),
      m_windows(context.windows) {
    setObjectName(QStringLiteral("TZPXForm"));
    setWindowTitle(kTitle);
    resize(700, 560);
    auto* layout = new QVBoxLayout(this);
    buildMenu();
    buildBar();
    m_scroll = new QScrollArea(this);
    m_view = new CapturePictureView(*this);
    m_view->resize(1, 1);
    m_scroll->setWidget(m_view);
    layout->addWidget(m_scroll, 1);
    setPictureCommandsEnabled(false);
    setResultCommandsEnabled(false);
}

void CaptureWindow::buildMenu() {
    auto* bar = new QMenuBar(this);
    layout()->setMenuBar(bar);
    const auto item = [this](QMenu* menu, const QString& caption, const char* name, auto slot) {
        return addNamedItem(menu, caption, name, this, slot);
    };
    QMenu* file = bar->addMenu(QStringLiteral("&File"));
    item(file, QStringLiteral("Open..."), "Open1", [this] {
        const QString name =
            m_prompter.openFileName(this, QStringLiteral("Open"), QString(), kPictureFilter);
        if (!name.isEmpty()) openPicture(name);
    });
    m_closeFile = item(file, QStringLiteral("Close File"), "CloseFile1", [this] { closeFile(); });
    item(file, QStringLiteral("Exit"), "Exit1", [this] {
        setSpectrumSaveEnabled(false);
        close();
    });
    QMenu* edit = bar->addMenu(QStringLiteral("&Edit"));
    m_copy = item(edit, QStringLiteral("Copy"), "Copy1", [this] { copyPicture(); });
    m_paste = item(edit, QStringLiteral("Paste"), "Paste1", [this] { pastePicture(); });
    m_rotate = item(edit, QStringLiteral("Rotate"), "Rotate1", [this] { rotate(); });
    m_pointEdit =
        item(edit, QStringLiteral("Point Edit"), "PointEdit1", [this] { togglePointEdit(); });
    m_pointEdit->setCheckable(true);
    m_eraserItem = item(edit, QStringLiteral("Eraser"), "Eraser1", [this] { toggleEraser(); });
    connect(edit, &QMenu::aboutToShow, this,
            [this] { m_paste->setEnabled(QApplication::clipboard()->mimeData()->hasImage()); });
    bar->addAction(QStringLiteral("Setup"), this, [this] { setup(); })
        ->setObjectName(QStringLiteral("Setup1"));
    QMenu* process = bar->addMenu(QStringLiteral("&Process"));
    m_digitize = item(process, QStringLiteral("Digitize"), "Digitize1", [this] { digitize(); });
    m_refresh = item(process, QStringLiteral("Refresh"), "Refresh1", [this] { refresh(); });
    m_resetAll = item(process, QStringLiteral("Reset All"), "ResetAll1", [this] { resetAll(); });
    QMenu* results = bar->addMenu(QStringLiteral("&Results"));
    m_tabulated =
        item(results, QStringLiteral("Tabulated"), "Tabulated1", [this] { transfer(true); });
    m_plotted = item(results, QStringLiteral("Plotted"), "Plotted1", [this] { transfer(false); });
    bar->addAction(QStringLiteral("&Help"), this, [this] { m_help.showContext(kHelpContext); })
        ->setObjectName(QStringLiteral("Help1"));
}

void CaptureWindow::buildBar() {
    auto* bar = new QHBoxLayout;
    const auto tool = [&](const char* name, const QString& hint, auto slot) {
        auto* button = new QToolButton(this);
        button->setObjectName(QString::fromLatin1(name));
        button->setText(hint);
        button->setToolTip(hint);
        connect(button, &QToolButton::clicked, this, slot);
        bar->addWidget(button);
        return button;
    };
    tool("SpeedButton1", QStringLiteral("Open File"), [this] {
        const QString name =
            m_prompter.openFileName(this, QStringLiteral("Open"), QString(), kPictureFilter);
        if (!name.isEmpty()) openPicture(name);
    });
    m_setupButton = tool("SpeedButton2", QStringLiteral("Setup"), [this] { setup(); });
    m_setupButton->setEnabled(false);
    // Digitize runs the menu item's action, so both are enabled together.
    auto* digitize = new QToolButton(this);
    digitize->setObjectName(QStringLiteral("SpeedButton3"));
    digitize->setDefaultAction(m_digitize);
    digitize->setToolTip(QStringLiteral("Digitize"));
    bar->addWidget(digitize);
    tool("SpeedButton4", QStringLiteral("Quit"), [this] {
        setSpectrumSaveEnabled(false);
        close();
    });
    m_modeLabel = new QLabel(QStringLiteral("Automatic"), this);
    m_modeLabel->setObjectName(QStringLiteral("Label1"));
    m_statusLabel = new QLabel(this);
    m_statusLabel->setObjectName(QStringLiteral("Label2"));
    m_statusLabel->setStyleSheet(QStringLiteral("color: red; font-weight: bold"));
    m_statusLabel->hide();
    m_done = new QPushButton(QStringLiteral("Done"), this);
    m_done->setObjectName(QStringLiteral("Button1"));
    m_done->setAutoDefault(false);
    m_done->hide();
    connect(m_done, &QPushButton::clicked, this, [this] { done(); });
    bar->addWidget(m_modeLabel);
    bar->addWidget(m_statusLabel);
    bar->addWidget(m_done);
    bar->addStretch();
    static_cast<QVBoxLayout*>(layout())->addLayout(bar);
}

void CaptureWindow::registerCommands(CommandHandlers& handlers) {
    // Shown without waiting: the main window stays usable beside it.
    handlers.add("m4SpecCap", [this] {
        show();
        raise();
        activateWindow();
    });
}

QWidget* CaptureWindow::pictureArea() const {
    return m_view;
}

CaptureSetupDialog* CaptureWindow::setupDialog() const {
    return m_windows ? m_windows->find<CaptureSetupDialog>() : nullptr;
}

void CaptureWindow::warn(const QString& text) {
    m_prompter.message(this, kTitle, text, Prompter::Icon::Warning, Prompter::Buttons::Ok);
}

bool CaptureWindow::loadPicture(const QString& fileName, QImage& into) {
    QImage loaded(fileName);
    if (loaded.isNull()) {
        warn(QStringLiteral("%1 could not be read as a picture.").arg(fileName));
        return false;
    }
    if (loaded.width() > kMaxCapturePictureSide || loaded.height() > kMaxCapturePictureSide) {
        warn(QStringLiteral("The picture is %1 x %2 pixels; the capture tool takes pictures of at "
                            "most %3 x %3 pixels.")
                 .arg(loaded.width())
                 .arg(loaded.height())
                 .arg(kMaxCapturePictureSide));
        return false;
    }
    into = loaded.convertToFormat(QImage::Format_RGB32);
    return true;
}

void CaptureWindow::showPicture() {
    m_view->resize(m_picture.size().expandedTo(QSize(1, 1)));
    m_view->update();
}

void CaptureWindow::openPicture(const QString& fileName) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QImage loaded;
    const bool ok = loadPicture(fileName, loaded);
    QApplication::restoreOverrideCursor();
    if (!ok) return;
    setupReset();
    if (CaptureSetupDialog* dialog = setupDialog()) dialog->resetControls();
    m_points.clear();
    m_picture = loaded;
    m_fileName = fileName;
    showPicture();
    setPictureCommandsEnabled(true);
    m_digitize->setEnabled(false);
    m_pointEdit->setEnabled(false);
    m_resetAll->setEnabled(false);
}

void CaptureWindow::setPictureCommandsEnabled(bool on) {
    for (QAction* action : {m_closeFile, m_copy, m_rotate, m_eraserItem, m_refresh})
        action->setEnabled(on);
    m_setupButton->setEnabled(on);
    if (!on)
        for (QAction* action : {m_digitize, m_pointEdit, m_resetAll})
            action->setEnabled(false);
}

void CaptureWindow::setResultCommandsEnabled(bool on) {
    m_tabulated->setEnabled(on);
    m_plotted->setEnabled(on);
}

void CaptureWindow::setSpectrumSaveEnabled(bool on) {
    if (auto* save = m_windows ? m_windows->find<SpectrumSaveSwitch>() : nullptr)
        save->setSaveEnabled(on);
}

void CaptureWindow::setup() {
    if (CaptureSetupDialog* dialog = setupDialog()) dialog->showFor(*this);
}

void CaptureWindow::setupReset() {
    m_calibration.reset();
    m_offsets.reset();
    m_digitize->setEnabled(false);
    m_digitized = false;
}

void CaptureWindow::setupAccepted() {
    if (m_manualMode) {
        m_view->setCursor(Qt::PointingHandCursor);
    } else {
        m_digitize->setEnabled(true);
        m_view->setCursor(Qt::CrossCursor);
    }
}

void CaptureWindow::modeChosen(bool manual) {
    m_manualMode = manual;
    m_modeLabel->setText(manual ? QStringLiteral("Manual") : QStringLiteral("Automatic"));
    if (manual) {
        m_digitize->setEnabled(false);
        if (m_calibration.complete()) {
            m_points.clear();
            startManualDigitizing();
        }
    } else if (m_calibration.complete() && m_points.count() == 0) {
        stopManualDigitizing();
        m_digitize->setEnabled(true);
    }
}

void CaptureWindow::startManualDigitizing() {
    m_manualDigitizing = true;
    m_statusLabel->setText(QStringLiteral("Manual Mode ON"));
    m_statusLabel->show();
    m_done->show();
    m_view->setCursor(Qt::PointingHandCursor);
}

void CaptureWindow::stopManualDigitizing() {
    m_manualDigitizing = false;
    m_statusLabel->hide();
    m_done->hide();
    m_view->setCursor(Qt::CrossCursor);
}

void CaptureWindow::drawAxisMarker(AxisPoint which, QPoint at, bool erase) {
    const AxisPointLook& look = axisPointLook(which);
    const QColor colour = erase ? QColor(Qt::white) : colourOf(look.colour);
    QPainter painter(&m_picture);
    const int h = kAxisMarkerHalfSize;
    painter.fillRect(QRect(at.x() - h, at.y() - h, 2 * h + 1, 2 * h + 1), colour);
    painter.setPen(colour);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(11);
    painter.setFont(font);
    const QString name =
        QString::fromUtf8(look.markerName.data(), static_cast<int>(look.markerName.size()));
    // The name's top-left corner at its offset from the point, as the desktop writes text.
    painter.drawText(at + QPoint(look.nameDx, look.nameDy + painter.fontMetrics().ascent()), name);
}

void CaptureWindow::drawPointMark(QPoint at, QColor colour) {
    QPainter painter(&m_picture);
    painter.setPen(QPen(colour, 2));
    painter.drawRect(QRect(at.x() - 2, at.y() - 2, 4, 4));
}

void CaptureWindow::picturePressed(QPoint at, Qt::MouseButton button) {
    if (m_eraser && button == Qt::LeftButton) pictureDragged(at);
}

void CaptureWindow::pictureDragged(QPoint at) {
    if (!m_eraser) return;
    QPainter(&m_picture).fillRect(QRect(at.x() - 4, at.y() - 4, 9, 9), Qt::white);
    m_view->update();
}

void CaptureWindow::pictureReleased(QPoint at, Qt::MouseButton button) {
    if (m_picture.isNull()) return;
    if (m_eraser) {
        pictureDragged(at);
        return;
    }
    if (m_manualDigitizing) {
        if (button == Qt::LeftButton) {
            const std::string refused = m_points.addClicked(at.x(), at.y(), m_calibration);
            if (!refused.empty()) {
                warn(QString::fromStdString(refused));
                return;
            }
            drawPointMark(at, kBlue);
        } else if (button == Qt::RightButton) {
            // The nearest point's square is painted over before the point is marked deleted.
            if (const std::optional<int> nearest = m_points.nearestTo(at.x(), at.y())) {
                const CapturePoint p = m_points.points()[static_cast<std::size_t>(*nearest)];
                drawPointMark(QPoint(p.x, p.y), Qt::white);
                m_points.markDeleted(*nearest);
            }
        }
        m_view->update();
        return;
    }
    CaptureSetupDialog* dialog = setupDialog();
    const std::optional<AxisPoint> axis = dialog ? dialog->currentAxis() : std::nullopt;
    if (!axis) return;
    if (button == Qt::LeftButton && !m_calibration.isSet(*axis)) {
        drawAxisMarker(*axis, at, false);
        m_calibration.place(*axis, {at.x(), at.y()});
        dialog->markAxis(*axis, true);
        if (m_calibration.complete()) {
            if (m_manualMode) {
                m_points.clear();
                startManualDigitizing();
            } else {
                stopManualDigitizing();
            }
        }
    } else if (button == Qt::RightButton && m_calibration.isSet(*axis)) {
        const PicturePoint p = m_calibration.point(*axis);
        drawAxisMarker(*axis, QPoint(p.x, p.y), true);
        m_calibration.clear(*axis);
        dialog->markAxis(*axis, false);
        m_digitize->setEnabled(false);
    }
    m_view->update();
}

void CaptureWindow::digitize() {
    if (!m_calibration.complete()) return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const CaptureImage image = captureImageOf(m_picture);
    DetectionResult result =
        detectBars(image, m_calibration, m_offsets, [this](long long, const CapturePoint* found) {
            if (found) drawPointMark(QPoint(found->x, found->y), kBlue);
            return true;
        });
    QApplication::restoreOverrideCursor();
    m_view->update();
    if (!result.message.empty() && result.points.count() == 0) {
        warn(QString::fromStdString(result.message));
        return;
    }
    m_points = std::move(result.points);
    if (!result.message.empty()) warn(QString::fromStdString(result.message));
    m_pointEdit->setEnabled(true);
    setResultCommandsEnabled(true);
    m_resetAll->setEnabled(true);
    setSpectrumSaveEnabled(true);
    m_digitized = true;
}

void CaptureWindow::done() {
    if (m_points.count() == 1) return;
    m_done->hide();
    m_statusLabel->hide();
    m_view->setCursor(Qt::CrossCursor);
    m_pointEdit->setEnabled(true);
    m_pointEdit->setChecked(false);
    m_resetAll->setEnabled(true);
    setResultCommandsEnabled(true);
    m_digitized = true;
    m_manualDigitizing = false;
    m_points.finish();
}

void CaptureWindow::togglePointEdit() {
    if (m_pointEdit->isChecked()) {
        m_modeLabel->setText(QStringLiteral("Manual"));
        m_manualMode = true;
        startManualDigitizing();
    } else {
        stopManualDigitizing();
    }
}

void CaptureWindow::toggleEraser() {
    m_eraser = !m_eraser;
    if (m_eraser) {
        m_statusLabel->setText(QStringLiteral("ERASER ON"));
        m_statusLabel->show();
        m_view->setCursor(Qt::OpenHandCursor);
        m_setupButton->setEnabled(false);
        m_digitize->setEnabled(false);
    } else {
        m_view->setCursor(Qt::CrossCursor);
        m_statusLabel->hide();
        m_setupButton->setEnabled(true);
        m_digitize->setEnabled(m_calibration.complete());
    }
}

void CaptureWindow::rotate() {
    if (m_prompter.message(this, QStringLiteral("Rotate"),
                           QStringLiteral("Warning! Rotation is time-consuming.  OK to continue?"),
                           Prompter::Icon::Warning,
                           Prompter::Buttons::OkCancel) != Prompter::Answer::Ok)
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_picture = qImageOf(rotateQuarterTurnCounterClockwise(captureImageOf(m_picture)));
    QApplication::restoreOverrideCursor();
    showPicture();
}

void CaptureWindow::copyPicture() {
    QApplication::clipboard()->setImage(m_picture);
}

void CaptureWindow::pastePicture() {
    const QImage pasted = QApplication::clipboard()->image();
    if (pasted.isNull()) return;
    if (pasted.width() > kMaxCapturePictureSide || pasted.height() > kMaxCapturePictureSide) {
        warn(QStringLiteral("The picture is %1 x %2 pixels; the capture tool takes pictures of at "
                            "most %3 x %3 pixels.")
                 .arg(pasted.width())
                 .arg(pasted.height())
                 .arg(kMaxCapturePictureSide));
        return;
    }
    m_picture = pasted.convertToFormat(QImage::Format_RGB32);
    showPicture();
    setPictureCommandsEnabled(true);
}

void CaptureWindow::closeFile() {
    m_picture.fill(Qt::white);
    m_view->update();
    setPictureCommandsEnabled(false);
    if (m_eraser) toggleEraser();
    m_setupButton->setEnabled(false);
    m_calibration.reset();
    modeChosen(false);
    setSpectrumSaveEnabled(false);
}

void CaptureWindow::refresh() {
    QImage reloaded;
    if (m_fileName.isEmpty() || !loadPicture(m_fileName, reloaded)) return;
    m_picture = reloaded;
    for (AxisPoint which : kAxisPoints)
        if (m_calibration.isSet(which)) {
            const PicturePoint p = m_calibration.point(which);
            drawAxisMarker(which, QPoint(p.x, p.y), false);
        }
    showPicture();
}

void CaptureWindow::resetAll() {
    QImage reloaded;
    if (!m_fileName.isEmpty() && loadPicture(m_fileName, reloaded)) m_picture = reloaded;
    setupReset();
    if (CaptureSetupDialog* dialog = setupDialog()) dialog->resetControls();
    m_points.clear();
    m_manualDigitizing = false;
    m_digitized = false;
    stopManualDigitizing();
    m_digitize->setEnabled(false);
    m_pointEdit->setEnabled(false);
    m_resetAll->setEnabled(false);
    setResultCommandsEnabled(false);
    setSpectrumSaveEnabled(false);
    showPicture();
}

void CaptureWindow::transfer(bool tabulated) {
    const CaptureTransfer moved = transferToSpectrum(m_points, m_calibration, m_app.spectrum);
    if (!moved.message.empty()) warn(QString::fromStdString(moved.message));
    if (tabulated) {
        if (auto* editor = m_windows ? m_windows->find<SpectrumEditorDisplay>() : nullptr)
            editor->editSpectrum();
        return;
    }
    if (auto* spectrum = m_windows ? m_windows->find<SpectrumWindow>() : nullptr)
        m_prompter.showModal(*spectrum);
}

} // namespace qzx
