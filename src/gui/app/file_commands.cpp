#include "app/file_commands.h"

#include <QFile>
#include <QFileInfo>
#include <QWidget>

#include "app/structure_view.h"
#include "platform/prompter.h"
#include "settings/settings_file.h"
#include "state/app_state.h"
#include "structure/mol_file.h"
#include "structure/r_group_file.h"
#include "structure/structure_file.h"
#include "windows/command_handlers.h"
#include "windows/program_window.h"

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

FileCommands::FileCommands(const WindowContext& context, StructureView& view, QWidget* window)
    : QObject(window), m_app(context.state), m_prompter(context.prompter), m_view(view),
      m_window(window) {}

void FileCommands::registerCommands(CommandHandlers& handlers) {
    handlers.add("m1Open", [this] { m1OpenClick(); });
    handlers.add("m1Save", [this] { m1SaveClick(); });
    handlers.add("m1SaveAs", [this] { m1SaveAsClick(); });
    handlers.add("m1Molimport", [this] { m1MolimportClick(); });
    handlers.add("m1Molexport", [this] { m1MolexportClick(); });
    handlers.add("m1MolBndLen", [this] { m1MolBndLenClick(); });
    handlers.add("m1RLoad", [this] { m1RLoadClick(); });
    handlers.add("m1RSave", [this] { m1RSaveClick(); });
    handlers.add("m1Delete", [this] { m1DeleteClick(); });
}

void FileCommands::showFileMessage(const std::string& message) {
    ErrorSignal(m_prompter, m_app.settings.Sound);
    m_prompter.message(m_window, QStringLiteral("Quorin Professional"),
                       QString::fromStdString(message), Prompter::Icon::Error,
                       Prompter::Buttons::Ok);
}

void FileCommands::m1OpenClick() {
    const QString name =
        m_prompter.openFileName(m_window, QStringLiteral("Open"), QString(), kStructureFilter);
    if (name.isEmpty()) return;
    const StructureLoadResult result = loadStructureFile(toPath(name), m_app.structure);
    if (!result.error.empty()) {
        // The drawing stays as it was, and so does the file that Save writes to.
        showFileMessage(result.error);
        m_view.repaint();
        return;
    }
    m_app.structure.CurrentFile = name.toStdString();
    m_view.showLoadedStructure();
    emit structureLoaded();
}

void FileCommands::m1SaveAsClick() {
    const QString name = withDefaultExtension(
        m_prompter.saveFileName(m_window, QStringLiteral("Save As"),
                                QString::fromStdString(m_app.structure.CurrentFile),
                                kStructureFilter),
        QStringLiteral("MSD"));
    if (name.isEmpty()) return;
    if (const std::string error = saveStructureFile(toPath(name), m_app.structure); !error.empty())
        showFileMessage(error);
    m_view.repaint();
}

void FileCommands::m1SaveClick() {
    if (m_app.structure.CurrentFile.empty()) {
        m1SaveAsClick();
        return;
    }
    const QString file = QString::fromStdString(m_app.structure.CurrentFile);
    if (m_prompter.message(m_window, QStringLiteral("Save"),
                           QStringLiteral("Save to file: ") + file, Prompter::Icon::Question,
                           Prompter::Buttons::YesNo) != Prompter::Answer::Yes)
        return;
    if (const std::string error = saveStructureFile(toPath(file), m_app.structure); !error.empty())
        showFileMessage(error);
    m_view.repaint();
}

void FileCommands::m1MolimportClick() {
    const QString name =
        m_prompter.openFileName(m_window, QStringLiteral("Import MOLfile"), QString(), kMolFilter);
    if (name.isEmpty()) return;
    const MolImportResult result =
        importMolFile(toPath(name), m_app.structure, m_app.elements, m_molBondLength);
    if (result.status != MolImportStatus::Read) {
        showFileMessage(result.error);
        return;
    }
    m_view.showLoadedStructure();
    emit structureLoaded();
}

void FileCommands::m1MolexportClick() {
    const QString name =
        withDefaultExtension(m_prompter.saveFileName(m_window, QStringLiteral("Export MOLfile"),
                                                     QStringLiteral("newfile.mol"), kMolFilter),
                             QStringLiteral("mol"));
    if (name.isEmpty()) return;
    if (const std::string error = exportMolFile(toPath(name), m_app.structure, m_app.elements,
                                                m_molBondLength, m_app.structure.StructureLabel);
        !error.empty())
        showFileMessage(error);
}

void FileCommands::m1MolBndLenClick() {
    const std::optional<QString> answer = m_prompter.inputText(
        m_window, QStringLiteral("MOLFile Bond Length"), QStringLiteral("Enter the Bond Length"),
        QString::number(m_molBondLength));
    if (!answer) return;
    // A length below one pixel per unit would make every exported coordinate meaningless.
    bool ok = false;
    const int length = answer->trimmed().toInt(&ok);
    if (!ok || length < 1) {
        ErrorSignal(m_prompter, m_app.settings.Sound);
        return;
    }
    m_molBondLength = length;
}

void FileCommands::m1RSaveClick() {
    if (const std::string refusal = rGroupSaveRefusal(m_app.structure); !refusal.empty()) {
        showFileMessage(refusal);
        return;
    }
    const QString folder = QString::fromStdString(m_app.programDirectory.string());
    const QString name = withDefaultExtension(
        m_prompter.saveFileName(m_window, QStringLiteral("Save R Group"),
                                folder + QStringLiteral("/newfile.RGF"), kRGroupFilter),
        QStringLiteral("RGF"));
    if (name.isEmpty()) return;
    if (const std::string error = saveRGroup(toPath(name), m_app.programDirectory, m_app.structure);
        !error.empty()) {
        showFileMessage(error);
        return;
    }
    // The saved group is now the active one; the drawing is cleared for the next structure.
    m_view.clearDrawing();
}

void FileCommands::m1RLoadClick() {
    const QString name =
        m_prompter.openFileName(m_window, QStringLiteral("Load R Group"), QString(), kRGroupFilter);
    if (!name.isEmpty()) {
        const RGroupLoadResult result = loadRGroup(toPath(name), m_app.programDirectory);
        if (!result.error.empty()) {
            showFileMessage(result.error);
        } else {
            m_app.settings.R_Group = result.name;
            emit m_app.changes.settingsChanged();
        }
    }
    // The name is written in every case, also after Cancel.
    if (const std::string error = saveRGroupSetting(m_app.settingsFile(), m_app.settings.R_Group);
        !error.empty())
        showFileMessage(error);
}

void FileCommands::m1DeleteClick() {
    const QString file = m_prompter.openFileName(m_window, QStringLiteral("Delete File"), QString(),
                                                 QStringLiteral("All Files   (*.*)|*.*"));
    if (file.isEmpty()) return;
    ErrorSignal(m_prompter, m_app.settings.Sound);
    if (m_prompter.message(
            m_window, QStringLiteral("Delete File"),
            QStringLiteral("WARNING! About to Delete:  ") + file +
                QStringLiteral("\n\n   Press Yes to Confirm Delete, or No To Cancel"),
            Prompter::Icon::Warning, Prompter::Buttons::YesNo) != Prompter::Answer::Yes)
        return;
    if (!QFile::remove(file)) {
        ErrorSignal(m_prompter, m_app.settings.Sound);
        m_prompter.message(m_window, QStringLiteral("Delete File"),
                           QStringLiteral("The file ") + file +
                               QStringLiteral(" could not be deleted."),
                           Prompter::Icon::Error, Prompter::Buttons::Ok);
    }
}

} // namespace qzx
