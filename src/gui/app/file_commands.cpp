// The main window's file commands: structure files, MOL files and R groups.
#include <QFileInfo>
#include <QLabel>
#include <QToolButton>

#include "app/app_state.h"
#include "app/drawing_surface.h"
#include "app/label_field.h"
#include "app/main_window.h"
#include "platform/prompter.h"
#include "render/colors.h"
#include "settings/settings_file.h"
#include "structure/editor.h"
#include "structure/mol_file.h"
#include "structure/r_group_file.h"
#include "structure/structure_file.h"

namespace qzx {
namespace {

const QString kStructureFilter = QStringLiteral("MSD Files   (*.MSD)|*.MSD");
const QString kMolFilter = QStringLiteral("MOL Files   (*.mol)|*.mol");
const QString kRGroupFilter = QStringLiteral("RGF Files   (*.RGF)|*.RGF");

std::filesystem::path toPath(const QString& name) {
    return std::filesystem::path(name.toStdString());
}

/// The dialog's name with the default extension added when the user typed none.
QString withDefaultExtension(const QString& name, const QString& extension) {
    if (name.isEmpty() || !QFileInfo(name).suffix().isEmpty()) return name;
    return name + u'.' + extension;
}

} // namespace

void MainWindow::showFileMessage(const std::string& message) {
    errorSignal();
    m_prompter.message(this, QStringLiteral("Quorin Professional"),
                       QString::fromStdString(message), Prompter::Icon::Error,
                       Prompter::Buttons::Ok);
}

void MainWindow::m1OpenClick() {
    const QString name =
        m_prompter.openFileName(this, QStringLiteral("Open"), QString(), kStructureFilter);
    if (name.isEmpty()) return;
    const StructureFileResult result = readStructureFile(toPath(name), m_app.structure);
    if (!result.message.empty()) {
        // The drawing stays as it was, and so does the file that Save writes to.
        showFileMessage(result.message);
        repaintStructure();
        return;
    }
    m_app.structure.CurrentFile = name.toStdString();
    m_editor->reset();
    m_labelField->setText(QString::fromStdString(m_app.structure.StructureLabel));
    repaintStructure();
    SpeedButton49Click();
}

void MainWindow::m1SaveAsClick() {
    const QString name = withDefaultExtension(
        m_prompter.saveFileName(this, QStringLiteral("Save As"),
                                QString::fromStdString(m_app.structure.CurrentFile),
                                kStructureFilter),
        QStringLiteral("MSD"));
    if (name.isEmpty()) return;
    m_app.structure.StructureLabel = m_labelField->text().left(LabelField::kMaxLength).toStdString();
    if (const std::string error = saveStructureFile(toPath(name), m_app.structure); !error.empty())
        showFileMessage(error);
    repaintStructure();
}

void MainWindow::m1SaveClick() {
    if (m_app.structure.CurrentFile.empty()) {
        m1SaveAsClick();
        return;
    }
    const QString file = QString::fromStdString(m_app.structure.CurrentFile);
    if (m_prompter.message(this, QStringLiteral("Save"), QStringLiteral("Save to file: ") + file,
                           Prompter::Icon::Question,
                           Prompter::Buttons::YesNo) != Prompter::Answer::Yes)
        return;
    if (const std::string error = saveStructureFile(toPath(file), m_app.structure); !error.empty())
        showFileMessage(error);
    repaintStructure();
}

void MainWindow::m1MolimportClick() {
    const QString name =
        m_prompter.openFileName(this, QStringLiteral("Import MOLfile"), QString(), kMolFilter);
    if (name.isEmpty()) return;
    const MolImportResult result =
        readMolFile(toPath(name), m_app.structure, m_app.elements, m_state.molBondLength);
    if (result.status != MolImportStatus::Read) {
        showFileMessage(result.message);
        return;
    }
    m_editor->reset();
    m_labelField->setText(QString::fromStdString(m_app.structure.StructureLabel));
    repaintStructure();
    SpeedButton49Click();
}

void MainWindow::m1MolexportClick() {
    const QString name = withDefaultExtension(
        m_prompter.saveFileName(this, QStringLiteral("Export MOLfile"),
                                QStringLiteral("newfile.mol"), kMolFilter),
        QStringLiteral("mol"));
    if (name.isEmpty()) return;
    if (const std::string error =
            exportMolFile(toPath(name), m_app.structure, m_app.elements, m_state.molBondLength,
                          m_labelField->text().toStdString());
        !error.empty())
        showFileMessage(error);
}

void MainWindow::m1RSaveClick() {
    if (const std::string refusal = rGroupSaveRefusal(m_app.structure); !refusal.empty()) {
        showFileMessage(refusal);
        return;
    }
    const QString folder = QString::fromStdString(m_app.programDirectory.string());
    const QString name = withDefaultExtension(
        m_prompter.saveFileName(this, QStringLiteral("Save R Group"),
                                folder + QStringLiteral("/newfile.RGF"), kRGroupFilter),
        QStringLiteral("RGF"));
    if (name.isEmpty()) return;
    if (const std::string error = saveRGroup(toPath(name), m_app.programDirectory, m_app.structure);
        !error.empty()) {
        showFileMessage(error);
        return;
    }
    // The saved group is now the active one; the drawing is cleared for the next structure.
    m_app.structure.clear();
    m_app.structureMasses = {};
    m_editor->reset();
    setStructureCommandsEnabled(false);
    m_compositionPanel->setText(QStringLiteral("   Composition:"));
    m_massPanel->setText(QStringLiteral("   Formula Weight:"));
    m_surface->clear(colorFromValue(m_app.settings.Background));
}

void MainWindow::m1RLoadClick() {
    const QString name =
        m_prompter.openFileName(this, QStringLiteral("Load R Group"), QString(), kRGroupFilter);
    if (!name.isEmpty()) {
        const RGroupLoadResult result = loadRGroup(toPath(name), m_app.programDirectory);
        if (!result.message.empty()) {
            showFileMessage(result.message);
        } else {
            m_app.settings.R_Group = result.name;
            if (auto* button = qobject_cast<QToolButton*>(control(QStringLiteral("SpeedButton11"))))
                button->setToolTip(QStringLiteral("Add R Group = ") +
                                   QString::fromStdString(result.name));
        }
    }
    // The name is written in every case, also after Cancel.
    if (const std::string error =
            saveRGroupSetting(m_app.settingsFile(), m_app.settings.R_Group);
        !error.empty())
        showFileMessage(error);
}

void MainWindow::insertRGroup(const RGroupRequest& request) {
    const RGroupInsertOutcome outcome =
        insertActiveRGroup(m_app.structure, m_app.programDirectory, request);
    for (int i = 0; i < outcome.errorSignals; ++i) errorSignal();
    if (!outcome.message.empty())
        m_prompter.message(this, QStringLiteral("Quorin Professional"),
                           QString::fromStdString(outcome.message), Prompter::Icon::Information,
                           Prompter::Buttons::Ok);
    repaintStructure();
}

} // namespace qzx
