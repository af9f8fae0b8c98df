#include "sprite/history.h"

#include <cstdlib>
#include <utility>

namespace {

size_t SpriteBytes(const Sprite& sprite)
{
    return sizeof(Sprite) + sprite.imageSize + sizeof(BoxRect) * size_t(sprite.hitCount + sprite.atckCount);
}

void SwapImage(Sprite& a, Sprite& b)
{
    std::swap(a.compressed, b.compressed);
    std::swap(a.imageSize, b.imageSize);
    std::swap(a.image, b.image);
}

void SwapBoxes(Command& command, Sprite& sprite)
{
    if (command.other == int(BoxKind::kHit)) {
        std::swap(sprite.hitBoxes, command.boxes);
        std::swap(sprite.hitCount, command.boxCount);
    } else {
        std::swap(sprite.atckBoxes, command.boxes);
        std::swap(sprite.atckCount, command.boxCount);
    }
}

void SwapCoordinates(Command& command, Sprite& sprite)
{
    int32_t* fields[4] = {&sprite.rx, &sprite.ry, &sprite.mx, &sprite.my};
    for (int i = 0; i < 4; ++i) std::swap(*fields[i], command.coordinates[i]);
}

// Puts the held records back into the set, or takes them out again.
int PutRun(Command& command, SpriteSet& set)
{
    if (!set.InsertRecords(command.index, command.records.data(), int(command.records.size()))) return 0;
    command.holding = false;
    return 1;
}

int TakeRun(Command& command, SpriteSet& set)
{
    if (!set.RemoveRecords(command.index, int(command.records.size()), command.records.data())) return 0;
    command.holding = true;
    return 1;
}

// The exchanges, which are their own inverse and cannot fail.
int Exchange(Command& command, SpriteSet& set)
{
    if (set.sprites == nullptr || command.index < 0 || command.index >= set.Count()) {
        set.SetMessage("%d번 스프라이트는 존재하지 않습니다", command.index);
        return 0;
    }
    Sprite& sprite = set.sprites[command.index];
    switch (command.kind) {
    case CommandKind::kSwapImage: SwapImage(sprite, command.records[0]); break;
    case CommandKind::kSwapBoxes: SwapBoxes(command, sprite); break;
    case CommandKind::kSwapCoordinates: SwapCoordinates(command, sprite); break;
    default: return 0;
    }
    return 1;
}

}  // namespace

int UndoCommand(Command& command, SpriteSet& set)
{
    switch (command.kind) {
    case CommandKind::kInsertRun: return TakeRun(command, set);
    case CommandKind::kRemoveRun: return PutRun(command, set);
    case CommandKind::kMove: return set.Move(command.other, command.index);
    default: return Exchange(command, set);
    }
}

int RedoCommand(Command& command, SpriteSet& set)
{
    switch (command.kind) {
    case CommandKind::kInsertRun: return PutRun(command, set);
    case CommandKind::kRemoveRun: return TakeRun(command, set);
    case CommandKind::kMove: return set.Move(command.index, command.other);
    default: return Exchange(command, set);
    }
}

void ReleaseCommand(Command& command)
{
    if (command.kind == CommandKind::kSwapImage) {
        for (Sprite& record : command.records) std::free(record.image);
    } else if (command.holding) {
        for (Sprite& record : command.records) ReleaseSprite(record);
    }
    command.records.clear();
    command.holding = false;
    std::free(command.boxes);
    command.boxes = nullptr;
    command.boxCount = 0;
}

size_t CommandBytes(const Command& command)
{
    size_t bytes = sizeof(Command) + sizeof(BoxRect) * size_t(command.boxCount > 0 ? command.boxCount : 0);
    if (command.kind == CommandKind::kSwapImage) {
        for (const Sprite& record : command.records) bytes += record.imageSize;
    } else {
        for (const Sprite& record : command.records) bytes += SpriteBytes(record);
    }
    return bytes;
}

namespace {

// Undoes the first `count` commands of a step whose redo failed part way, newest first.
void TakeBack(HistoryStep& step, size_t count, SpriteSet& set)
{
    for (size_t i = count; i-- > 0;) UndoCommand(step.commands[i], set);
}

void ReleaseStep(HistoryStep& step)
{
    for (Command& command : step.commands) ReleaseCommand(command);
}

}  // namespace

History::~History() { Reset(false); }

void History::Reset(bool differsFromFile)
{
    for (HistoryStep& step : steps_) ReleaseStep(step);
    steps_.clear();
    position_ = 0;
    bytes_ = 0;
    clean_ = 0;
    cleanKnown_ = !differsFromFile;
}

void History::Push(HistoryStep step)
{
    // The steps that could have been redone are gone, and with them, perhaps, the clean position.
    while (int(steps_.size()) > position_) {
        bytes_ -= steps_.back().bytes;
        ReleaseStep(steps_.back());
        steps_.pop_back();
    }
    if (clean_ > position_) cleanKnown_ = false;
    step.bytes = sizeof(HistoryStep) + step.name.size();
    for (const Command& command : step.commands) step.bytes += CommandBytes(command);
    bytes_ += step.bytes;
    steps_.push_back(std::move(step));
    ++position_;
    Trim();
}

const HistoryStep* History::Undo(SpriteSet& set)
{
    if (!CanUndo()) return nullptr;
    HistoryStep& step = steps_[size_t(position_ - 1)];
    for (size_t i = step.commands.size(); i-- > 0;) {
        if (!UndoCommand(step.commands[i], set)) {
            // Those undone after it are done again, newest last.
            for (size_t j = i + 1; j < step.commands.size(); ++j) RedoCommand(step.commands[j], set);
            return nullptr;
        }
    }
    --position_;
    return &step;
}

const HistoryStep* History::Redo(SpriteSet& set)
{
    if (!CanRedo()) return nullptr;
    HistoryStep& step = steps_[size_t(position_)];
    for (size_t i = 0; i < step.commands.size(); ++i) {
        if (!RedoCommand(step.commands[i], set)) {
            TakeBack(step, i, set);
            return nullptr;
        }
    }
    ++position_;
    return &step;
}

void History::MarkClean()
{
    clean_ = position_;
    cleanKnown_ = true;
}

void History::SetLimits(int steps, size_t bytes)
{
    stepLimit_ = steps < 1 ? 1 : steps;
    byteLimit_ = bytes;
    Trim();
}

void History::DropOldest()
{
    bytes_ -= steps_.front().bytes;
    ReleaseStep(steps_.front());
    steps_.pop_front();
    --position_;
    if (clean_ == 0) cleanKnown_ = false;  // that state can no longer be reached
    --clean_;
}

void History::Trim()
{
    // The newest step always stays, however large: the action just done can be taken back. Only
    // done steps go: the ones after the position build on them.
    while (steps_.size() > 1 && position_ > 0 && (int(steps_.size()) > stepLimit_ || bytes_ > byteLimit_))
        DropOldest();
}
