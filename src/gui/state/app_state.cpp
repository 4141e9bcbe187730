#include "state/app_state.h"

#include <QCoreApplication>

#include "platform/prompter.h"
#include "settings/settings_file.h"

namespace qzx {

std::unique_ptr<AppState> loadAppState(const std::filesystem::path& programDirectory,
                                       Prompter& prompter) {
    auto state = std::make_unique<AppState>();
    state->programDirectory = programDirectory;
    state->settings = loadSettings(state->settingsFile());
    state->UseAccurateMass = state->settings.AccurateMass;

    const int sound = state->settings.Sound;
    const ElementLoadResult result =
        LoadElementTable(programDirectory, state->elements, state->calcElementSlots,
                         [&](const std::string& warning) {
                             ErrorSignal(prompter, sound);
                             prompter.message(nullptr, QStringLiteral("Quorin Professional"),
                                              QString::fromStdString(warning),
                                              Prompter::Icon::Warning, Prompter::Buttons::Ok);
                         });
    if (!result.error.empty()) {
        ErrorSignal(prompter, sound);
        prompter.message(nullptr, QStringLiteral("Quorin Professional"),
                         QString::fromStdString(result.error) +
                             QStringLiteral("\n\nThe element table stays empty: masses and "
                                            "compositions cannot be computed."),
                         Prompter::Icon::Error, Prompter::Buttons::Ok);
    }
    return state;
}

std::filesystem::path applicationFolder() {
    return std::filesystem::path(QCoreApplication::applicationDirPath().toStdString());
}

} // namespace qzx
