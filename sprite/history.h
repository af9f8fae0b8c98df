// The document's history: every change to the sprite set as a step that knows how to take itself
// back and do itself again.
//
// A step is a list of commands. Each command is the smallest change that can be taken back
// exactly: a run of whole sprites put in or taken out (the records themselves are kept, never a
// copy of the set), a sprite moved to another place, or one sprite's image, box list or
// coordinates exchanged with a version the command holds. An exchange is its own inverse, so
// undoing and redoing it are the same act; a run is put back where it was taken from.
//
// The history is bounded: at most kHistoryStepLimit steps and, beyond the newest step, about
// kHistoryByteLimit bytes of what the steps hold; the oldest steps go first. It also knows which
// position matches the file on disk (its clean position): undoing or redoing back there makes the
// set "as saved" again, and a clean position whose step was dropped can never be reached again.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "sprite/sprite_set.h"

constexpr int kHistoryStepLimit = 1000;
constexpr size_t kHistoryByteLimit = size_t(64) << 20;

// Which box list of a sprite.
enum class BoxKind { kHit = 0, kAttack = 1 };

enum class CommandKind {
    kInsertRun,         // records put into the set at `index`
    kRemoveRun,         // records taken out of the set from `index`
    kMove,              // the sprite at `other` moved to `index`
    kSwapImage,         // sprite `index`'s image exchanged with the one held
    kSwapBoxes,         // sprite `index`'s box list of kind `other` exchanged with the one held
    kSwapCoordinates,   // sprite `index`'s rx, ry, mx, my exchanged with the ones held
};

// One change and what taking it back needs. Commands own what they hold; Release frees it.
struct Command {
    CommandKind kind = CommandKind::kMove;
    int index = 0;
    int other = 0;
    bool holding = false;          // runs: the records are out of the set, here
    std::vector<Sprite> records;   // runs: the records; image exchange: one record with the image
    BoxRect* boxes = nullptr;      // box exchange: the other list (a std::malloc block, or null)
    int32_t boxCount = 0;
    int32_t coordinates[4] = {};   // coordinate exchange: the other rx, ry, mx, my
};

// Undoes or redoes `command` on `set`. 1, or 0 with the set's message and nothing changed (only
// runs can fail: putting records back may need memory).
int UndoCommand(Command& command, SpriteSet& set);
int RedoCommand(Command& command, SpriteSet& set);
// Frees what the command holds.
void ReleaseCommand(Command& command);
// About how many bytes the command holds or may come to hold.
size_t CommandBytes(const Command& command);

// What one user action changed, and how to show it: a name for the Edit menu ("Delete sprites
// 3–7", UTF-8), the commands in the order they were done, the current sprite before and after,
// and what kind of change it was (the document's change bits) for the views.
struct HistoryStep {
    std::string name;
    std::vector<Command> commands;
    int currentBefore = -1;
    int currentAfter = -1;
    unsigned changed = 0;
    int sprite = -1;  // the sprite it changed, -1 for several
    size_t bytes = 0;
};

class History {
public:
    History() = default;
    ~History();
    History(const History&) = delete;
    History& operator=(const History&) = delete;

    // Drops every step. The new position is clean unless `differsFromFile`.
    void Reset(bool differsFromFile);
    // Adds a done step after the current position; steps that could have been redone go.
    void Push(HistoryStep step);

    bool CanUndo() const { return position_ > 0; }
    bool CanRedo() const { return position_ < int(steps_.size()); }
    // The step Undo or Redo would take; null when there is none.
    const HistoryStep* NextUndo() const { return CanUndo() ? &steps_[size_t(position_ - 1)] : nullptr; }
    const HistoryStep* NextRedo() const { return CanRedo() ? &steps_[size_t(position_)] : nullptr; }
    // Takes the step back (or does it again) on `set`; null when there was none or a command
    // failed (the set then is as before the call, its message says why).
    const HistoryStep* Undo(SpriteSet& set);
    const HistoryStep* Redo(SpriteSet& set);

    // Whether the position is the one that matches the file.
    bool Clean() const { return cleanKnown_ && clean_ == position_; }
    void MarkClean();

    int Steps() const { return int(steps_.size()); }
    size_t Bytes() const { return bytes_; }
    void SetLimits(int steps, size_t bytes);

private:
    void DropOldest();
    void Trim();

    std::deque<HistoryStep> steps_;
    int position_ = 0;  // steps done; the ones after it can be redone
    int clean_ = 0;
    bool cleanKnown_ = true;
    size_t bytes_ = 0;
    int stepLimit_ = kHistoryStepLimit;
    size_t byteLimit_ = kHistoryByteLimit;
};
