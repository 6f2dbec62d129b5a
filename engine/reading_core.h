#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "engine/display_entry.h"
#include "engine/pacing.h"
#include "engine/reading_rules.h"
#include "engine/reading_script.h"
#include "engine/segmentation.h"
#include "engine/speed_table.h"

namespace orvell {

// The learning factor of an entry: 2 when its root was not in the vocabulary (the lookup has
// then learnt it), 1 when it was.
using LearningLookup = std::function<int(const DisplayEntry&)>;

// What one pacing tick did. The window writes lengthInterval and then interval to the pacing
// timer (an unchanged value keeps the timer's rhythm), shows the entry, and ends the reading
// when `ends` is set.
struct PacingTick {
    std::optional<DisplayEntry> shown;  // nothing to show when empty
    std::uint32_t lengthInterval = 0;   // after the length rules
    std::uint32_t interval = 0;         // after the punctuation rule
    bool ends = false;
    std::int32_t entry = 0;  // the first entry shown
    int words = 0;           // the words shown: a pause or a line break shows none
};

// One refresh of the statistics, all but the elapsed time, which is the window's clock.
struct Statistics {
    bool lastTick = false;  // the tick count has passed its limit: the timer stops
    std::int32_t j2 = 0;    // the tick count, this tick included
    std::string entries;    // entries shown / last entry index
    std::int64_t speed = 0;
    int barMaximum = 0;
    int barPosition = 0;
};

// The statistics of the tick that finds the count at j2, at position sh of a script of k1
// entries, in a reading that started at entry startEntry: the speed counts the entries of this
// sitting, the entries shown and the bar the place in the whole script.
Statistics statisticsAfterTick(std::int32_t j2, std::int32_t sh, std::int32_t k1,
                               std::int32_t startEntry = 0);

// The entry a reading resumes at for a place reached earlier: a step back at the speed list's
// item before it, so that the reader finds the thread again, not before the first entry.
std::int32_t resumeEntry(std::int32_t place, int speedIndex);

// What a move goes by. A sentence starts after a pause, a paragraph after a line break, and a
// chapter at one of the chapter marks; a text without marks is one chapter.
enum class Unit { Sentence, Paragraph, Chapter };

// The state of a reading and its arithmetic: the script, the position and the counters, the
// cutting of a text while the reading already runs, what a pacing tick shows and for how long,
// the step back and the statistics. The window owns one and keeps the controls.
class ReadingCore {
  public:
    explicit ReadingCore(LearningLookup lookup);

    const ReadingScript& sarr() const { return sarr_; }
    std::int32_t sh() const { return sh_; }
    std::int32_t k1() const { return k1_; }
    std::int32_t j() const { return j_; }
    std::int32_t j2() const { return j2_; }
    // True while the cutting of the current script has not finished yet.
    bool cutting() const { return cutting_; }

    // The speed of an item of the speed list; an index outside the table keeps it.
    void applySpeed(int speedIndex);
    // A speed in words per minute, also one between the list's items.
    void applyWordsPerMinute(int wordsPerMinute);
    int wordsPerMinute() const { return speed_; }

    // The rules the pacing follows from the next tick on.
    void setRules(const ReadingRules& rules);
    const ReadingRules& rules() const { return rules_; }

    // A new script: every slot empty and sh at startEntry, where the first tick waits for the
    // cutting to reach it. A start entry that the finished cutting does not reach is dropped
    // for entry 0. A cutting still running (this call comes from inside its yield) is
    // abandoned: it writes nothing more and leaves k1 alone.
    void resetScript(std::int32_t startEntry = 0);
    // After a reset: the reading starts at the entry of the word at this text position
    // instead, which the first tick waits for the cutting to reach.
    void startAt(std::int32_t position) { pendingStart_ = position; }
    // Cuts text into the script, calling `yield` after every entry stored, so that the
    // reading already runs meanwhile; sets k1 when the whole text is cut. False when a newer
    // script took over before the end.
    bool cut(std::u16string text, const std::function<void()>& yield,
             LineFeeds lineFeeds = LineFeeds::AsTheyAre);

    // One pacing tick. learning: whether the vocabulary decides the learning factor. It shows
    // one entry, or with several words per flash a few words joined, and skips the pauses the
    // rules leave out.
    PacingTick tick(bool learning);
    // With the speed in words per minute: fits the base interval to the entries around sh, the
    // share of new roots in them taken as newRootShare. Does nothing while the last fit holds.
    void fitSpeed(double newRootShare);
    // The next words run slower again, as after a start.
    void restartWarmUp() { warmedUp_ = 0; }

    // sh moved back by the step-back distance of the speed list's item, not below 0.
    void stepBack(int speedIndex);
    // sh moved back by the step-back distance of the speed in use.
    void stepBack() { stepBackBy(stepBackDistanceAt(speed_)); }

    // Moves sh to the start of the next unit, or back: to the start of the unit it is in when
    // more than a second of that unit has been shown at the current speed, else to the start
    // of the unit before, as media players go back. Entries skipped forward do not count as
    // read in the speed. False when there is nowhere to go.
    bool move(Unit unit, bool forward);
    // Moves sh to `entry` within the script, skipped entries left out of the speed as above.
    void moveTo(std::int32_t entry);
    // Where in the text chapters start, ascending; an empty list makes the text one chapter.
    void setChapters(std::vector<std::int32_t> positions) { chapters_ = std::move(positions); }
    // The chapter that holds `entry`: an index into the chapter marks, -1 before the first.
    int chapterOf(std::int32_t entry) const;
    // The entry of the word at a text position, or the last one before it.
    std::int32_t entryAt(std::int32_t position) const;
    // How long the tick would show entries [from, to) at the current speed, each with the
    // learning factor `factorOf` gives (one that does not learn).
    std::uint64_t displayMs(std::int32_t from, std::int32_t to,
                            const std::function<int(const DisplayEntry&)>& factorOf) const;
    // The first entry after the chapter that holds `entry`: k1 in the last chapter.
    std::int32_t chapterEnd(std::int32_t entry) const;

    // The statistics restart their tick count at each start.
    void restartStatistics() { j2_ = 0; }
    Statistics statisticsTick();

  private:
    LearningLookup lookup_;
    ReadingRules rules_;
    int speed_ = 0;                // words per minute of the speed applied, 0: none yet
    ReadingScript sarr_;           // the reading script
    std::int32_t sh_ = 0;          // slot the next pacing tick shows
    std::int32_t k1_ = 0;          // entries of the last completed cutting
    std::int32_t j_ = 0;           // base interval of the chosen speed, ms
    std::int32_t j2_ = 0;          // statistics ticks since the start
    std::int32_t startEntry_ = 0;  // where this reading started
    bool cutting_ = false;
    std::uint64_t generation_ = 0;        // counts the resets: a cutting stops once it has moved on
    std::vector<std::int32_t> chapters_;  // text positions of the chapter marks
    std::int32_t pendingStart_ = -1;      // a start position not reached by the cutting yet
    int warmedUp_ = 0;                    // words shown since the last start, resume or move
    // The base interval fitted to the speed in words per minute and the rules, and the entries
    // the fit summed; dropped when the speed or the rules change.
    struct SpeedFit {
        std::int32_t j = 0;
        std::int32_t from = 0, to = 0;
    };
    std::optional<SpeedFit> fit_;

    // The entries stored so far, or k1 once the cutting is done.
    std::int32_t entries() const;
    void stepBackBy(std::int32_t distance);
    // The base interval the pacing uses: j, or j fitted to the speed in words per minute.
    std::int32_t pacedJ() const;
    // How long entry i, which is e, is shown with learning factor `factor`: the pause entries
    // after a sentence end or a line break share the time of as many pauses as the rules ask.
    DisplayTime entryTime(std::int32_t i, const DisplayEntry& e, int factor) const;
    // How many pauses' time pause entry i stands for: 0 when the rules leave it out.
    int pauseShare(std::int32_t i) const;
    // The word after the words of `flash` (ending at slot last) if it may join them.
    std::optional<DisplayEntry> joinable(const std::u16string& flash, std::int32_t last) const;
    // Lengthens a display time by the warm-up, which `words` more words then count.
    DisplayTime warmedUp(DisplayTime t, int words);
    // The first entries of the unit's instances, ascending.
    std::vector<std::int32_t> chapterStarts() const;
};

}  // namespace orvell
