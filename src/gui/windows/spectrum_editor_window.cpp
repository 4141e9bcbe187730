#include "windows/spectrum_editor_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QListView>
#include <QMenuBar>
#include <QStringListModel>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "platform/help_browser.h"
#include "platform/prompter.h"
#include "spectrum/jcamp_dx.h"
#include "spectrum/peak_text.h"
#include "state/app_state.h"
#include "util/safe_file.h"
#include "windows/command_handlers.h"
#include "windows/menu_items.h"
#include "windows/print_job.h"

namespace qzx {
namespace {

constexpr int kHelpContext = 1089;
const QString kTitle = QStringLiteral("Spectrum Editor");
const QString kAscFilter = QStringLiteral("ASC Files   (*.ASC)|*.ASC");
const QString kAnyFilter = QStringLiteral("All Files   (*.*)|*.*|ASC Files   (*.ASC)|*.ASC");

QString fromCr(const std::string& text) {
    return QString::fromStdString(text).replace(u'\r', u'\n');
}

} // namespace

GridCell enterTarget(GridCell from, bool entryMode) {
    if (entryMode) return tabTarget(from);
    return {std::min(from.row + 1, kPeakTableRows - 1), from.column};
}

GridCell tabTarget(GridCell from) {
    if (from.column == 0) return {from.row, 1};
    if (from.row + 1 >= kPeakTableRows) return from;
    return {from.row + 1, 0};
}

GridCell backTabTarget(GridCell from) {
    if (from.column == 1) return {from.row, 0};
    if (from.row == 0) return from;
    return {from.row - 1, 1};
}

/// Enter in a cell being edited ends the edit and moves on as Enter does outside an edit.
class PeakCellDelegate : public QStyledItemDelegate {
public:
    PeakCellDelegate(PeakGrid& grid, QObject* parent);

protected:
    bool eventFilter(QObject* editor, QEvent* event) override;

private:
    PeakGrid& m_grid;
};

/// The table: Enter, Tab and Shift+Tab move as the editor's modes say, and every key enables
/// saving and printing.
class PeakGrid : public QTableWidget {
public:
    explicit PeakGrid(SpectrumEditorWindow& window)
        : QTableWidget(kPeakTableRows, 2, &window), m_window(window) {
        setObjectName(QStringLiteral("StringGrid1"));
        setHorizontalHeaderLabels({QStringLiteral("      Mass"), QStringLiteral("  Abundance")});
        QStringList numbers;
        for (int r = 1; r <= kPeakTableRows; ++r)
            numbers << QStringLiteral("%1").arg(r, 4);
        setVerticalHeaderLabels(numbers);
        verticalHeader()->setDefaultAlignment(Qt::AlignRight | Qt::AlignVCenter);
        horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        setColumnWidth(0, 80);
        setColumnWidth(1, 80);
        setSelectionMode(QAbstractItemView::SingleSelection);
        setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked |
                        QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
        setItemDelegate(new PeakCellDelegate(*this, this));
        setCurrentCell(0, 0);
    }

    void moveTo(GridCell cell) { setCurrentCell(cell.row, cell.column); }
    GridCell current() const { return {std::max(currentRow(), 0), std::max(currentColumn(), 0)}; }
    void enterPressed() { moveTo(enterTarget(current(), m_window.entryMode())); }

protected:
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override {
        if (action != MoveNext && action != MovePrevious)
            return QTableWidget::moveCursor(action, modifiers);
        const GridCell to = action == MoveNext ? tabTarget(current()) : backTabTarget(current());
        return model()->index(to.row, to.column);
    }
    void keyPressEvent(QKeyEvent* event) override {
        if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
            enterPressed();
            return;
        }
        QTableWidget::keyPressEvent(event);
    }
    void keyReleaseEvent(QKeyEvent* event) override {
        m_window.setSaveAndPrintEnabled(true);
        QTableWidget::keyReleaseEvent(event);
    }

private:
    SpectrumEditorWindow& m_window;
};

PeakCellDelegate::PeakCellDelegate(PeakGrid& grid, QObject* parent)
    : QStyledItemDelegate(parent), m_grid(grid) {}

bool PeakCellDelegate::eventFilter(QObject* editor, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            auto* widget = static_cast<QWidget*>(editor);
            emit commitData(widget);
            emit closeEditor(widget, QAbstractItemDelegate::NoHint);
            m_grid.enterPressed();
            return true;
        }
    }
    return QStyledItemDelegate::eventFilter(editor, event);
}

SpectrumEditorWindow::SpectrumEditorWindow(const WindowContext& context, QWidget* parent)
    : QDialog(parent), m_app(context.state), m_prompter(context.prompter), m_help(context.help) {
    setObjectName(QStringLiteral("TSpecEdit"));
    setWindowTitle(kTitle);
    resize(300, 460);
    auto* outer = new QVBoxLayout(this);
    buildMenu();
    buildSpeedBar();
    m_grid = new PeakGrid(*this);
    outer->addWidget(m_grid, 1);
    for (int r = 0; r < kPeakTableRows; ++r)
        for (int c = 0; c < 2; ++c)
            m_grid->setItem(r, c, new QTableWidgetItem);

    // The library's names lie over the table while the user picks one.
    m_nameList = new QStringListModel(this);
    m_names = new QListView(m_grid);
    m_names->setObjectName(QStringLiteral("ListBox1"));
    m_names->setModel(m_nameList);
    m_names->setUniformItemSizes(true); // a list of 100,000 names lays out at once
    m_names->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_names->hide();
    connect(m_names, &QListView::doubleClicked, this,
            [this](const QModelIndex& index) { loadLibraryEntry(index.row()); });
    setSaveAndPrintEnabled(false);
}

void SpectrumEditorWindow::buildMenu() {
    auto* bar = new QMenuBar(this);
    layout()->setMenuBar(bar);
    const auto item = [this](QMenu* menu, const QString& caption, const char* name, auto slot) {
        return addNamedItem(menu, caption, name, this, slot);
    };
    QMenu* file = bar->addMenu(QStringLiteral("&File"));
    item(file, QStringLiteral("Open..."), "Open1", [this] { open(); });
    m_saveAs = item(file, QStringLiteral("Save as..."), "Saveas1", [this] { saveAs(); });
    m_print = item(file, QStringLiteral("Print"), "Print1", [this] { print(); });
    m_exportJcamp = item(file, QStringLiteral("Export JCAMP-DX..."), "ExportJCAMPDX1",
                         [this] { exportJcampDx(); });
    file->addSeparator();
    item(file, QStringLiteral("Exit"), "Exit1", [this] { exitEditor(); });

    QMenu* edit = bar->addMenu(QStringLiteral("&Edit"));
    item(edit, QStringLiteral("Clear Table"), "ClearTable1", [this] { clearTable(); });
    m_deleteLine = item(edit, QStringLiteral("Delete Current Line"), "DeleteCurrentLine1",
                        [this] { deleteCurrentLine(); });
    connect(edit, &QMenu::aboutToShow, this, [this] {
        m_deleteLine->setText(QStringLiteral("Delete Line ") +
                              QString::number(m_grid->current().row + 1));
    });

    QMenu* mode = bar->addMenu(QStringLiteral("&Mode"));
    m_editMode = item(mode, QStringLiteral("Edit"), "Edit2", [this] { setEntryMode(false); });
    m_entryMode = item(mode, QStringLiteral("Entry"), "Entry1", [this] { setEntryMode(true); });
    m_editMode->setCheckable(true);
    m_entryMode->setCheckable(true);
    m_editMode->setChecked(true);

    QMenu* import = bar->addMenu(QStringLiteral("&Import"));
    m_stripHeader = item(import, QStringLiteral("Strip Header (Off)"), "StripHeader1",
                         [this] { askStripCount(); });
    item(import, QStringLiteral("Peek"), "Peek1", [this] { peek(); });
    item(import, QStringLiteral("Import File"), "ImportFile1", [this] { importFile(); });
    item(import, QStringLiteral("Import NIST Library"), "ImportNISTLibrary1",
         [this] { importLibrary(); });
    item(import, QStringLiteral("Import JCAMP-DX..."), "ImportJCAMPDX1",
         [this] { importJcampDx(); });

    bar->addAction(QStringLiteral("&Help"), this, [this] { m_help.showContext(kHelpContext); })
        ->setObjectName(QStringLiteral("Help1"));
}

void SpectrumEditorWindow::buildSpeedBar() {
    auto* bar = new QHBoxLayout;
    const auto speedButton = [&](const char* name, const QString& hint, QAction* action) {
        auto* button = new QToolButton(this);
        button->setObjectName(QString::fromLatin1(name));
        button->setDefaultAction(action);
        button->setToolTip(hint);
        bar->addWidget(button);
    };
    auto* open = new QAction(QStringLiteral("Open"), this);
    connect(open, &QAction::triggered, this, [this] { this->open(); });
    auto* exit = new QAction(QStringLiteral("Exit"), this);
    connect(exit, &QAction::triggered, this, [this] { exitEditor(); });
    speedButton("SpeedButton1", QStringLiteral("Open a file"), open);
    speedButton("SpeedButton4", QStringLiteral("Save to file"), m_saveAs);
    speedButton("SpeedButton2", QStringLiteral("Print"), m_print);
    speedButton("SpeedButton3", QStringLiteral("Exit"), exit);
    m_mode = new QLabel(QStringLiteral("Mode:  EDIT"), this);
    m_mode->setObjectName(QStringLiteral("Label1"));
    bar->addStretch();
    bar->addWidget(m_mode);
    static_cast<QVBoxLayout*>(layout())->addLayout(bar);
}

void SpectrumEditorWindow::registerCommands(CommandHandlers& handlers) {
    handlers.add("m6SpecEdit", [this] { m_prompter.showModal(*this); });
}

void SpectrumEditorWindow::editSpectrum() {
    m_boundToSpectrum = true;
    loadFromSpectrum();
    m_prompter.showModal(*this);
    writeBackToSpectrum();
    m_boundToSpectrum = false;
}

QTableWidget* SpectrumEditorWindow::table() const {
    return m_grid;
}

bool SpectrumEditorWindow::entryMode() const {
    return m_entryMode->isChecked();
}

PeakRows SpectrumEditorWindow::rows() const {
    PeakRows rows(kPeakTableRows);
    for (int r = 0; r < kPeakTableRows; ++r) {
        rows[static_cast<std::size_t>(r)] = {m_grid->item(r, 0)->text().toStdString(),
                                             m_grid->item(r, 1)->text().toStdString()};
    }
    return rows;
}

void SpectrumEditorWindow::emptyTable() {
    for (int r = 0; r < kPeakTableRows; ++r)
        for (int c = 0; c < 2; ++c)
            m_grid->item(r, c)->setText(QString());
}

void SpectrumEditorWindow::showRows(const PeakRowsFill& fill) {
    emptyTable();
    for (std::size_t r = 0; r < fill.rows.size(); ++r) {
        const int row = static_cast<int>(r);
        m_grid->item(row, 0)->setText(QString::fromStdString(fill.rows[r].mass));
        m_grid->item(row, 1)->setText(QString::fromStdString(fill.rows[r].abundance));
    }
    setSaveAndPrintEnabled(true);
    if (fill.valuesLeftOut > 0) warn(QString::fromStdString(leftOutMessage(fill.valuesLeftOut)));
}

void SpectrumEditorWindow::setSaveAndPrintEnabled(bool on) {
    m_saveAs->setEnabled(on);
    m_print->setEnabled(on);
    m_exportJcamp->setEnabled(on);
}

void SpectrumEditorWindow::warn(const QString& text) {
    m_prompter.message(this, kTitle, text, Prompter::Icon::Warning, Prompter::Buttons::Ok);
}

std::optional<std::string> SpectrumEditorWindow::readFile(const QString& fileName) {
    const std::optional<Bytes> bytes = readWholeFile(fileName.toStdString());
    if (!bytes) {
        warn(QStringLiteral("File: %1 could not be read").arg(fileName));
        return std::nullopt;
    }
    return std::string(bytes->begin(), bytes->end());
}

void SpectrumEditorWindow::loadFromSpectrum() {
    if (!m_boundToSpectrum || m_app.spectrum.peakCount() == 0) return;
    // Rows below the spectrum's peaks are emptied, so no old row becomes a peak on close.
    showRows({rowsFromSpectrum(m_app.spectrum), 0});
}

void SpectrumEditorWindow::writeBackToSpectrum() {
    if (m_boundToSpectrum) writeRowsToSpectrum(rows(), m_app.spectrum);
}

void SpectrumEditorWindow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && !isActiveWindow()) writeBackToSpectrum();
    QDialog::changeEvent(event);
}

void SpectrumEditorWindow::closeEvent(QCloseEvent* event) {
    writeBackToSpectrum();
    QDialog::closeEvent(event);
}

void SpectrumEditorWindow::done(int result) {
    writeBackToSpectrum();
    QDialog::done(result);
}

void SpectrumEditorWindow::open() {
    writeBackToSpectrum();
    const QString name =
        m_prompter.openFileName(this, QStringLiteral("Open"), QString(), kAscFilter);
    if (name.isEmpty()) return;
    const std::optional<std::string> text = readFile(name);
    if (!text) return;
    showRows(ascTableRows(*text, m_strip));
}

void SpectrumEditorWindow::saveAs() {
    writeBackToSpectrum();
    QString name = m_prompter.saveFileName(this, QStringLiteral("Save as"), QString(), kAscFilter);
    if (name.isEmpty()) return;
    if (QFileInfo(name).suffix().isEmpty()) name += QStringLiteral(".ASC");
    const std::string error = writeFileSafely(name.toStdString(), peakTableAscText(rows()));
    if (!error.empty())
        m_prompter.message(this, kTitle, QString::fromStdString(error), Prompter::Icon::Error,
                           Prompter::Buttons::Ok);
}

void SpectrumEditorWindow::exitEditor() {
    m_names->hide();
    m_nameList->setStringList({});
    close();
}

void SpectrumEditorWindow::clearTable() {
    emptyTable();
    setSaveAndPrintEnabled(false);
}

void SpectrumEditorWindow::deleteCurrentLine() {
    const int from = m_grid->current().row;
    for (int r = from; r < kPeakTableRows; ++r)
        for (int c = 0; c < 2; ++c)
            m_grid->item(r, c)->setText(r + 1 < kPeakTableRows ? m_grid->item(r + 1, c)->text()
                                                               : QString());
}

void SpectrumEditorWindow::setEntryMode(bool entry) {
    m_entryMode->setChecked(entry);
    m_editMode->setChecked(!entry);
    m_mode->setText(entry ? QStringLiteral("Mode:  ENTRY") : QStringLiteral("Mode:  EDIT"));
}

void SpectrumEditorWindow::askStripCount() {
    writeBackToSpectrum();
    const std::optional<QString> answer = m_prompter.inputText(
        this, QStringLiteral("Strip Header"),
        QStringLiteral("Enter the number of initial lines to strip"), QString::number(m_strip));
    if (!answer) return;
    bool ok = false;
    const int count = answer->trimmed().toInt(&ok);
    if (!ok) {
        warn(QStringLiteral("'%1' is not a whole number of lines.").arg(*answer));
        return;
    }
    m_strip = count;
    m_stripHeader->setText(count < 1 ? QStringLiteral("Strip Header (Off)")
                                     : QStringLiteral("Strip Header (") + answer->trimmed() + u')');
}

void SpectrumEditorWindow::peek() {
    writeBackToSpectrum();
    const QString name =
        m_prompter.openFileName(this, QStringLiteral("Peek"), QString(),
                                QStringLiteral("All Files   (*.*)|*.*|Asc Files   (*.ASC)|*.ASC"));
    if (name.isEmpty()) return;
    const std::optional<std::string> text = readFile(name);
    if (!text) return;
    m_prompter.message(this, kTitle, fromCr(peekLines(*text)), Prompter::Icon::Information,
                       Prompter::Buttons::Ok);
}

bool SpectrumEditorWindow::mayErase() {
    if (m_grid->item(0, 0)->text().isEmpty()) return true;
    return m_prompter.message(this, QStringLiteral("Confirm Erase"),
                              QStringLiteral("OK to erase the current table contents?"),
                              Prompter::Icon::Question,
                              Prompter::Buttons::OkCancel) == Prompter::Answer::Ok;
}

void SpectrumEditorWindow::importFile() {
    writeBackToSpectrum();
    if (!mayErase()) return;
    const QString name =
        m_prompter.openFileName(this, QStringLiteral("Import File"), QString(), kAnyFilter);
    if (name.isEmpty()) return;
    const std::optional<std::string> text = readFile(name);
    if (!text) return;
    // The table changes only once the file has been read, so a cancelled dialog or a file
    // shorter than the lines to strip leaves it as it was.
    const PeakTextImport import = importPeakText(*text, m_strip);
    if (import.fileTooShort) {
        setSaveAndPrintEnabled(true);
        return;
    }
    showRows(peakRowsFromNumbers(import.numbers));
}

void SpectrumEditorWindow::importLibrary() {
    writeBackToSpectrum();
    const QString name =
        m_prompter.openFileName(this, QStringLiteral("Import NIST Library"), QString(),
                                QStringLiteral("msp Files   (*.msp)|*.msp"));
    if (name.isEmpty()) return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const std::optional<std::string> text = readFile(name);
    QStringList names;
    if (text)
        for (const std::string& compound : mspCompoundNames(*text))
            names << QString::fromStdString(compound);
    QApplication::restoreOverrideCursor();
    if (!text) return;
    m_libraryFile = name;
    m_nameList->setStringList(names);
    m_names->setGeometry(m_grid->rect().adjusted(4, 24, -4, -4));
    m_names->show();
    m_names->raise();
    if (names.isEmpty()) warn(QStringLiteral("%1 holds no compound names.").arg(name));
}

void SpectrumEditorWindow::loadLibraryEntry(int entry) {
    m_names->hide();
    if (entry < 0 || entry >= m_nameList->rowCount()) return;
    const QString compound = m_nameList->index(entry).data().toString();
    const std::optional<std::string> text = readFile(m_libraryFile);
    if (!text) return;
    const MspCompound peaks = mspEntryPeaks(*text, static_cast<std::size_t>(entry));
    if (!peaks.found) {
        warn(QStringLiteral("No peak list was found for %1 in %2.").arg(compound, m_libraryFile));
        return;
    }
    showRows(peakRowsFromNumbers(peaks.numbers));
}

void SpectrumEditorWindow::importJcampDx() {
    writeBackToSpectrum();
    if (!mayErase()) return;
    const QString name = m_prompter.openFileName(
        this, QStringLiteral("Import JCAMP-DX"), QString(),
        QStringLiteral(
            "JCAMP-DX Files   (*.jdx;*.dx;*.jcamp)|*.jdx;*.dx;*.jcamp|All Files   (*.*)|*.*"));
    if (name.isEmpty()) return;
    const std::optional<std::string> text = readFile(name);
    if (!text) return;
    const JcampDxContents contents = decodeJcampDx(*text);
    if (!contents.error.empty()) {
        warn(QString::fromStdString(contents.error));
        return;
    }
    for (const std::string& warning : contents.warnings)
        warn(QString::fromStdString(warning));
    showRows(rowsFromPeaks(contents.peaks));
}

void SpectrumEditorWindow::exportJcampDx() {
    writeBackToSpectrum();
    const TablePeaks table = peaksFromRows(rows());
    if (!table.error.empty()) {
        warn(QString::fromStdString(table.error) + QStringLiteral(" Nothing was written."));
        return;
    }
    QString name = m_prompter.saveFileName(this, QStringLiteral("Export JCAMP-DX"), QString(),
                                           QStringLiteral("JCAMP-DX Files   (*.jdx)|*.jdx"));
    if (name.isEmpty()) return;
    if (QFileInfo(name).suffix().isEmpty()) name += QStringLiteral(".jdx");
    const std::string title = QFileInfo(name).completeBaseName().toStdString();
    const std::string error =
        writeFileSafely(name.toStdString(), encodeJcampDx(table.peaks, title));
    if (!error.empty())
        m_prompter.message(this, kTitle, QString::fromStdString(error), Prompter::Icon::Error,
                           Prompter::Buttons::Ok);
}

void SpectrumEditorWindow::print() {
    writeBackToSpectrum();
    const PeakRows table = rows();
    printTextPages(m_prompter, this, m_app.print.printer(), kTitle,
                   [&table](int unit) { return peakTablePrintLines(table, unit); });
}

} // namespace qzx
