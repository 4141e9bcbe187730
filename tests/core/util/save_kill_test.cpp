// Saving killed at random moments: a process saves two versions of a file in turn until it is
// killed with SIGKILL; afterwards the file is one version or the other, complete, never torn
// or missing. The element data files are checked as a pair after the next start's recovery.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "chem/element_data_files.h"
#include "loaded_elements.h"
#include "scratch_folder.h"
#include "settings/settings_file.h"
#include "spectrum/asc_file.h"
#include "structure/mol_file.h"
#include "structure/r_group_file.h"
#include "structure/structure_builders.h"
#include "structure/structure_file.h"
#include "util/safe_file.h"

namespace qzx {
namespace {
namespace fs = std::filesystem;

constexpr int kKills = 60;

/// Saves version 0 or 1 of a file kind into a folder.
using Saver = std::function<void(const fs::path& folder, int version)>;

/// The bytes of the files a save writes, by name, after saving `version` into a fresh folder.
std::vector<std::optional<Bytes>> filesOf(const Saver& save, int version,
                                          const std::vector<std::string>& names,
                                          const fs::path& scratch) {
    const fs::path folder = scratch / ("version" + std::to_string(version));
    fs::create_directories(folder);
    save(folder, version);
    std::vector<std::optional<Bytes>> files;
    for (const std::string& name : names)
        files.push_back(readWholeFile(folder / name));
    return files;
}

/// Kills a process that saves both versions in turn, many times at random moments, and after
/// each kill checks (after `recover`, which the next start would run) that the files are
/// wholly one version.
void survivesKills(const Saver& save, const std::vector<std::string>& names,
                   const std::function<void(const fs::path&)>& recover = {}) {
    const test::ScratchFolder scratch("qzx_kill_");
    const auto versions = std::vector{filesOf(save, 0, names, scratch.path()),
                                      filesOf(save, 1, names, scratch.path())};
    ASSERT_NE(versions[0], versions[1]);
    const fs::path folder = scratch.path() / "saving";
    fs::create_directories(folder);
    save(folder, 0);

    // Kill within the time a few saves take, so kills land in every step of a save.
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < 10; ++i)
        save(folder, i % 2);
    const auto perSave = std::chrono::duration_cast<std::chrono::microseconds>(
                             std::chrono::steady_clock::now() - start) /
                         10;
    std::mt19937 random(20261209);
    std::uniform_int_distribution<long> delay(0, std::max<long>(200, 3 * perSave.count()));

    for (int kill = 0; kill < kKills; ++kill) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (int version = 1;; version ^= 1)
                save(folder, version);
        }
        usleep(static_cast<useconds_t>(delay(random)));
        ::kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        if (recover) recover(folder);
        std::vector<std::optional<Bytes>> now;
        for (const std::string& name : names)
            now.push_back(readWholeFile(folder / name));
        ASSERT_TRUE(now == versions[0] || now == versions[1])
            << "kill " << kill << " left " << names.front() << " torn or missing";
    }
    // The next save clears the temporaries the killed saves left behind.
    save(folder, 0);
    for (const fs::directory_entry& entry : fs::directory_iterator(folder))
        EXPECT_FALSE(entry.path().filename().string().ends_with(".tmp~")) << entry.path();
}

TEST(SavesKilledAtRandom, OnlyTemporariesOfEndedProcessesAreCleared) {
    const test::ScratchFolder scratch("qzx_tmp_");
    const fs::path file = scratch.path() / "s.msd";
    // A process that has ended: its number is free until the system reuses it.
    const pid_t ended = fork();
    ASSERT_GE(ended, 0);
    if (ended == 0) _exit(0);
    waitpid(ended, nullptr, 0);
    const auto temporary = [&](long pid, const char* rest) {
        fs::path p = file;
        p += "." + std::to_string(pid) + rest;
        writeFileSafely(p, std::string("partial"));
        return p;
    };
    const fs::path abandoned = temporary(ended, "-3.tmp~");
    const fs::path running = temporary(getppid(), "-0.tmp~"); // a save still under way
    const fs::path own = temporary(getpid(), "-7.tmp~");
    const fs::path otherFile = scratch.path() / ("t.msd." + std::to_string(ended) + "-0.tmp~");
    writeFileSafely(otherFile, std::string("partial"));
    const fs::path notOurs = temporary(ended, ".tmp~"); // no save counter: not a save's name
    ASSERT_EQ(writeFileSafely(file, std::string("data")), "");
    EXPECT_FALSE(fs::exists(abandoned));
    EXPECT_TRUE(fs::exists(running));
    EXPECT_TRUE(fs::exists(own));
    EXPECT_TRUE(fs::exists(otherFile));
    EXPECT_TRUE(fs::exists(notOurs));
}

Structure version(int v) {
    Structure s = v == 0 ? test::toluene() : test::cyclohexane();
    s.StructureLabel = v == 0 ? "Toluene" : "Cyclohexane";
    return s;
}

TEST(SavesKilledAtRandom, StructureMolAndRGroupFilesAreOldOrNew) {
    survivesKills(
        [](const fs::path& folder, int v) { saveStructureFile(folder / "s.msd", version(v)); },
        {"s.msd"});
    survivesKills([](const fs::path& folder,
                     int v) { exportMolFile(folder / "s.mol", version(v), test::elements(), 100); },
                  {"s.mol"});
    // Save R Group writes the named group, then the active one: each is wholly one version
    // (a kill between the two may leave them different ones). Groups hold no aromatic ring,
    // so the two versions are chains.
    const Saver saveGroup = [](const fs::path& folder, int v) {
        const Structure group = test::carbonChain(v == 0 ? 3 : 6);
        if (!saveRGroup(folder / "group.RGF", folder, group).empty()) std::abort();
    };
    survivesKills(saveGroup, {"group.RGF"});
    survivesKills(saveGroup, {"default.rg$"});
}

TEST(SavesKilledAtRandom, SettingsAndSpectraAreOldOrNew) {
    survivesKills(
        [](const fs::path& folder, int v) {
            Settings settings;
            settings.Sound = v == 0 ? 3 : 0;
            settings.R_Group = v == 0 ? "ethyl" : "phenyl";
            saveSettings(folder / "QZXPRO.INI", settings);
        },
        {"QZXPRO.INI"});
    survivesKills(
        [](const fs::path& folder, int v) {
            Spectrum spectrum;
            const int peaks = v == 0 ? 3 : 250;
            spectrum.setPeakCount(peaks);
            for (int p = 1; p <= peaks; ++p)
                spectrum.peak(p) = {static_cast<float>(p * 2 + v), static_cast<float>(p % 100)};
            saveAscFile(folder / "spectrum.asc", spectrum);
        },
        {"spectrum.asc"});
}

TEST(SavesKilledAtRandom, TheElementFilesAreAPairOfOneVersion) {
    survivesKills(
        [](const fs::path& folder, int v) {
            ElementTable table = test::elements();
            if (v == 1) {
                table[1].NominalMass = 13;
                table[1].IsotopeCount = 1; // file B shrinks with it
                table[1].Isotopes[1] = {13.0f, 1.0f};
            }
            SaveElementTable(folder, table);
        },
        {"QZXPROA.DAT", "QZXPROB.DAT"},
        [](const fs::path& folder) {
            // The next start: its loading finishes or undoes an interrupted save first.
            ElementTable table;
            CalcElementSlots slots{};
            LoadElementTable(folder, table, slots, [](const std::string&) {});
        });
}

} // namespace
} // namespace qzx
