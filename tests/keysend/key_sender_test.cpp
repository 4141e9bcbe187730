// Playing a macro through the playback procedure: the order of events, the life of the event
// list, failures of the playback system and a second macro while one plays.
#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

#include "event_matchers.h"
#include "key_sender.h"

namespace qzx::keysend {
namespace {
using test::Down;
using test::Stroke;
using test::Up;
using Strokes = std::vector<Stroke>;

/// A playback system that records what it is given and can be told to fail.
class RecordingSystem : public PlaybackSystem {
public:
    bool install(const EventList& events) override {
        ++installs;
        installed = events;
        return installWorks;
    }
    void play(const QzxKeyEvent& event) override {
        played.push_back(event);
        if (duringPlay) duringPlay(played.size());
    }
    void remove() override { ++removes; }

    bool installWorks = true;
    std::function<void(std::size_t)> duringPlay;
    int installs = 0;
    int removes = 0;
    EventList installed;
    EventList played;
};

TEST(KeySender, PlaysEveryEventInOrderAndFreesTheList) {
    KeySender sender;
    RecordingSystem system;
    ASSERT_EQ(sender.SendKeys("^V", system), 0);
    EXPECT_EQ(test::strokes(system.installed), test::strokes(system.played));
    EXPECT_EQ(test::strokes(system.played), (Strokes{{Down, 17}, {Down, 86}, {Up, 86}, {Up, 17}}));
    EXPECT_EQ(system.removes, 1);
    EXPECT_FALSE(sender.playing());
    EXPECT_EQ(sender.heldEvents(), 0u);

    // A macro whose text is taken over once parsed: a second one plays afresh.
    ASSERT_EQ(sender.SendKeys("ab", system), 0);
    EXPECT_EQ(system.played.size(), 8u);
}

TEST(KeySender, TheProcedureOffersTheEventOfTheMomentAndNothingWhenIdle) {
    KeySender sender;
    RecordingSystem system;
    std::vector<std::uint32_t> offered;
    system.duringPlay = [&](std::size_t) {
        QzxKeyEvent current{};
        EXPECT_EQ(
            sender.OutputMessages(QZX_HOOK_GETNEXT, 0, reinterpret_cast<std::intptr_t>(&current)),
            QZX_NO_WAIT);
        offered.push_back(current.paramL);
        EXPECT_TRUE(sender.playing());
    };
    ASSERT_EQ(sender.SendKeys("xy", system), 0);
    EXPECT_EQ(offered, (std::vector<std::uint32_t>{0x2D58, 0x2D58, 0x1559, 0x1559}));

    QzxKeyEvent untouched{7, 7, 7, 7, 7};
    EXPECT_EQ(
        sender.OutputMessages(QZX_HOOK_GETNEXT, 0, reinterpret_cast<std::intptr_t>(&untouched)), 0);
    EXPECT_EQ(untouched.message, 7u);
    EXPECT_EQ(sender.OutputMessages(QZX_HOOK_SKIP, 0, 0), 0);
    EXPECT_EQ(sender.OutputMessages(3, 0, 0), 0);
}

TEST(KeySender, NothingIsInstalledForMalformedOrEmptyMacros) {
    KeySender sender;
    RecordingSystem system;
    EXPECT_EQ(sender.SendKeys("a{ENTER", system), QZX_ERROR_CLOSING_BRACE);
    EXPECT_EQ(sender.SendKeys("a{ENTRE}", system), QZX_ERROR_SPECIAL_CHARACTER);
    EXPECT_EQ(sender.SendKeys("", system), 0);
    EXPECT_EQ(sender.SendKeys("^+%", system), 0);
    EXPECT_EQ(sender.SendKeys(nullptr, system), 0);
    EXPECT_EQ(system.installs, 0);
    EXPECT_TRUE(system.played.empty());
    EXPECT_EQ(sender.heldEvents(), 0u);
}

TEST(KeySender, APlaybackSystemThatCannotStartGivesErrorHook) {
    KeySender sender;
    RecordingSystem system;
    system.installWorks = false;
    EXPECT_EQ(sender.SendKeys("^V", system), QZX_ERROR_HOOK);
    EXPECT_EQ(system.installs, 1);
    EXPECT_TRUE(system.played.empty());
    EXPECT_FALSE(sender.playing());
    EXPECT_EQ(sender.heldEvents(), 0u);
}

TEST(KeySender, ASecondMacroWhileOnePlaysIsRefusedAndTheFirstPlaysOn) {
    KeySender sender;
    RecordingSystem system;
    RecordingSystem intruder;
    int secondResult = -1;
    system.duringPlay = [&](std::size_t n) {
        if (n == 2) secondResult = sender.SendKeys("zzz", intruder);
    };
    ASSERT_EQ(sender.SendKeys("^V", system), 0);
    EXPECT_EQ(secondResult, QZX_ERROR_HOOK);
    EXPECT_EQ(intruder.installs, 0);
    EXPECT_EQ(test::strokes(system.played), (Strokes{{Down, 17}, {Down, 86}, {Up, 86}, {Up, 17}}));
}

TEST(KeySender, AFailureDuringPlaybackReleasesTheKeysAndLeavesTheSenderIdle) {
    KeySender sender;
    RecordingSystem system;
    system.duringPlay = [](std::size_t n) {
        if (n == 2) throw std::runtime_error("display gone");
    };
    EXPECT_THROW(sender.SendKeys("^V", system), std::runtime_error);
    EXPECT_EQ(system.removes, 1);
    EXPECT_FALSE(sender.playing());
    EXPECT_EQ(sender.heldEvents(), 0u);

    system.duringPlay = nullptr;
    system.played.clear();
    EXPECT_EQ(sender.SendKeys("a", system), 0);
    EXPECT_EQ(system.played.size(), 2u);
}

} // namespace
} // namespace qzx::keysend
