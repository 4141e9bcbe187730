#pragma once

#include <QDialog>
#include <QImage>

#include "capture/bar_detection.h"
#include "capture/calibration.h"
#include "capture/point_list.h"
#include "windows/capture_setup_dialog.h"
#include "windows/program_window.h"

class QAction;
class QLabel;
class QPushButton;
class QScrollArea;
class QToolButton;

namespace qzx {

class CapturePictureView;

/// The spectrum capture (`TZPXForm`, caption "Spectrum Capture"): a scanned bar-graph
/// spectrum (BMP or PNG) calibrated by four axis points, digitised automatically at every
/// whole mass or by hand, and handed to the spectrum window or the spectrum editor.
class CaptureWindow : public QDialog, public ProgramWindow, public CaptureSetupHost {
    Q_OBJECT
public:
    explicit CaptureWindow(const WindowContext& context, QWidget* parent = nullptr);

    void registerCommands(CommandHandlers& handlers) override;

    /// Opens a picture file as "Open..." does after its dialog.
    void openPicture(const QString& fileName);
    /// A mouse event on the picture, at picture pixels.
    void picturePressed(QPoint at, Qt::MouseButton button);
    void pictureDragged(QPoint at);
    void pictureReleased(QPoint at, Qt::MouseButton button);

    const QImage& picture() const { return m_picture; }
    const PointList& points() const { return m_points; }
    QWidget* pictureArea() const;

    Calibration& calibration() override { return m_calibration; }
    DetectionOffsets& offsets() override { return m_offsets; }
    void modeChosen(bool manual) override;
    void setupReset() override;
    void setupAccepted() override;

private:
    void buildMenu();
    void buildBar();
    void setup();
    void digitize();
    void done();
    void togglePointEdit();
    void toggleEraser();
    void rotate();
    void copyPicture();
    void pastePicture();
    void closeFile();
    void refresh();
    void resetAll();
    void transfer(bool tabulated);
    /// The picture shown anew; `size` when its size changed.
    void showPicture();
    void startManualDigitizing();
    void stopManualDigitizing();
    void setPictureCommandsEnabled(bool on);
    void setResultCommandsEnabled(bool on);
    void setSpectrumSaveEnabled(bool on);
    void drawAxisMarker(AxisPoint which, QPoint at, bool erase);
    void drawPointMark(QPoint at, QColor colour);
    void warn(const QString& text);
    CaptureSetupDialog* setupDialog() const;
    bool loadPicture(const QString& fileName, QImage& into);

    AppState& m_app;
    Prompter& m_prompter;
    HelpBrowser& m_help;
    const WindowDirectory* m_windows;
    QImage m_picture;
    QString m_fileName;
    Calibration m_calibration;
    DetectionOffsets m_offsets;
    PointList m_points;
    bool m_manualMode = false;
    bool m_manualDigitizing = false;
    bool m_eraser = false;
    bool m_digitized = false;
    QScrollArea* m_scroll = nullptr;
    CapturePictureView* m_view = nullptr;
    QLabel* m_modeLabel = nullptr;
    QLabel* m_statusLabel = nullptr;
    QPushButton* m_done = nullptr;
    QToolButton* m_setupButton = nullptr;
    QAction* m_digitize = nullptr;
    QAction* m_closeFile = nullptr;
    QAction* m_copy = nullptr;
    QAction* m_paste = nullptr;
    QAction* m_rotate = nullptr;
    QAction* m_pointEdit = nullptr;
    QAction* m_eraserItem = nullptr;
    QAction* m_refresh = nullptr;
    QAction* m_resetAll = nullptr;
    QAction* m_tabulated = nullptr;
    QAction* m_plotted = nullptr;
};

} // namespace qzx
