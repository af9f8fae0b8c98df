#include "sprite/document.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "image/image_buffer.h"

namespace {

// A step's name, formatted (UTF-8).
std::string Name(const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;

std::string Name(const char* format, ...)
{
    char text[128];
    std::va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    return text;
}

const char* BoxWord(BoxKind kind) { return kind == BoxKind::kHit ? "hit box" : "attack box"; }

// The file keeps each sprite's count of hit boxes and of attack boxes in signed 16 bits.
constexpr int kMaxBoxesOfAKind = 32767;

const BoxRect* BoxList(const Sprite& sprite, BoxKind kind)
{
    return kind == BoxKind::kHit ? sprite.hitBoxes : sprite.atckBoxes;
}

int BoxCount(const Sprite& sprite, BoxKind kind) { return kind == BoxKind::kHit ? sprite.hitCount : sprite.atckCount; }

// A copy of a box list in a std::malloc block; false when out of memory.
bool CopyBoxList(const BoxRect* boxes, int count, BoxRect** copy)
{
    *copy = nullptr;
    if (count <= 0) return true;
    *copy = static_cast<BoxRect*>(std::malloc(sizeof(BoxRect) * size_t(count)));
    if (*copy == nullptr) return false;
    std::memcpy(*copy, boxes, sizeof(BoxRect) * size_t(count));
    return true;
}

// Whether the box already has the corners the set would store for `rect` (ordered, 16 bits).
bool SameCorners(const BoxRect& box, const PixelRect& rect)
{
    const int16_t x1 = int16_t(rect.x1), x2 = int16_t(rect.x2), y1 = int16_t(rect.y1), y2 = int16_t(rect.y2);
    return box.x1 == std::min(x1, x2) && box.x2 == std::max(x1, x2) && box.y1 == std::min(y1, y2) &&
           box.y2 == std::max(y1, y2);
}

// "3", "3~7", "3, 12~999": the numbers first..last in runs.
void AppendRun(std::string& text, int first, int last)
{
    if (first > last) return;
    if (!text.empty()) text += ", ";
    text += std::to_string(first);
    if (last > first) text += "~" + std::to_string(last);
}

// The numbers of first..last that are no sprite of a set of `count`, in runs; empty when all are.
std::string AbsentNumbers(int first, int last, int count)
{
    std::string absent;
    if (first > last) return absent;
    const int low = std::max(first, 0), high = std::min(last, count - 1);
    if (low > high) {
        AppendRun(absent, first, last);
    } else {
        AppendRun(absent, first, low - 1);
        AppendRun(absent, high + 1, last);
    }
    return absent;
}

}  // namespace

const Sprite* Document::SpriteAt(int n) const
{
    if (set_.sprites == nullptr || n < 0 || n >= set_.Count()) return nullptr;
    return &set_.sprites[n];
}

bool Document::Modified() const { return !history_.Clean() || !open_.commands.empty(); }

void Document::Notify(unsigned what, int sprite)
{
    if (listener_ != nullptr) listener_(DocumentChange{what, sprite});
}

void Document::ClampCurrent()
{
    const int count = Count();
    if (current_ >= count) current_ = count - 1;
    if (current_ < 0 && count > 0) current_ = 0;
}

void Document::DropOpenStep()
{
    for (Command& command : open_.commands) ReleaseCommand(command);
    open_ = HistoryStep();
    gesture_ = false;
}

void Document::New()
{
    DropOpenStep();
    set_.Clear();
    history_.Reset(false);
    current_ = -1;
    filePath_.clear();
    Notify(kChangeEverything, -1);
}

int Document::Load(const char* path)
{
    SpriteSet loaded;
    if (!loaded.Load(path)) {
        std::memcpy(set_.message, loaded.message, sizeof set_.message);
        return 0;
    }
    filePath_ = path;
    TakeLoaded(loaded);
    return 1;
}

int Document::LoadFromMemory(const uint8_t* data, size_t size, const char* name)
{
    SpriteSet loaded;
    if (!loaded.LoadFromMemory(data, size, name)) {
        std::memcpy(set_.message, loaded.message, sizeof set_.message);
        return 0;
    }
    filePath_.clear();
    TakeLoaded(loaded);
    return 1;
}

void Document::TakeLoaded(SpriteSet& loaded)
{
    DropOpenStep();
    set_.Swap(loaded);
    history_.Reset(false);
    current_ = Count() > 0 ? 0 : -1;
    Notify(kChangeEverything, -1);
}

int Document::Save(const char* path)
{
    EndGesture();
    if (!set_.Save(path)) return 0;
    filePath_ = path;
    history_.MarkClean();
    Notify(kChangeModified, -1);
    return 1;
}

void Document::ForgetHistory()
{
    EndGesture();
    history_.Reset(Modified());
    Notify(kChangeHistory, -1);
}

void Document::Select(int n)
{
    if (SpriteAt(n) == nullptr || n == current_) return;
    current_ = n;
    Notify(kChangeCurrent, n);
}

HistoryStep& Document::StepFor(const std::string& name)
{
    if (open_.commands.empty()) {
        open_.name = name;
        open_.currentBefore = current_;
        open_.changed = 0;
        open_.sprite = -1;
    }
    return open_;
}

bool Document::Joins(const Command& command) const
{
    if (!gesture_ || open_.commands.empty()) return false;
    const Command& last = open_.commands.back();
    return last.kind == command.kind && last.index == command.index && last.other == command.other &&
           (command.kind == CommandKind::kSwapImage || command.kind == CommandKind::kSwapBoxes ||
            command.kind == CommandKind::kSwapCoordinates);
}

void Document::Record(Command command, unsigned changed, int sprite)
{
    if (Joins(command)) {
        ReleaseCommand(command);  // the first exchange of the gesture already holds the older version
    } else {
        open_.sprite = open_.commands.empty() || open_.sprite == sprite ? sprite : -1;
        open_.commands.push_back(std::move(command));
    }
    open_.changed |= changed;
}

void Document::Finish(unsigned changed, int sprite)
{
    open_.currentAfter = current_;
    if (!gesture_) {
        history_.Push(std::move(open_));
        open_ = HistoryStep();
    }
    Notify(changed | kChangeModified | kChangeHistory, sprite);
}

int Document::Cut(ImageBuffer& picture, const PixelRect& rect, const CutOptions& options)
{
    return CutAll(picture, std::vector<PixelRect>{rect}, options);
}

int Document::CutAll(ImageBuffer& picture, const std::vector<PixelRect>& rects, const CutOptions& options)
{
    if (rects.empty()) return 1;
    const int start = Count();
    if (!CutRegions(set_, picture, rects, options)) return 0;  // all or nothing: the set is as it was
    const int count = int(rects.size());
    StepFor(count == 1 ? Name("Cut sprite %d", start) : Name("Cut %d sprites", count));
    Command command;
    command.kind = CommandKind::kInsertRun;
    command.index = start;
    command.records.assign(set_.sprites + start, set_.sprites + start + count);
    current_ = start;
    Record(std::move(command), kChangeStructure | kChangeCurrent, count == 1 ? start : -1);
    Finish(kChangeStructure | kChangeCurrent, count == 1 ? start : -1);
    return 1;
}

int Document::Move(int to, int from)
{
    if (to == from && SpriteAt(from) != nullptr) return 1;
    if (!set_.Move(to, from)) return 0;
    StepFor(Name("Move sprite %d to %d", from, to));
    Command command;
    command.kind = CommandKind::kMove;
    command.index = to;
    command.other = from;
    current_ = to;
    Record(std::move(command), kChangeStructure | kChangeCurrent, -1);
    Finish(kChangeStructure | kChangeCurrent, -1);
    return 1;
}

int Document::RemoveRun(int first, int count, const std::string& name)
{
    Command command;
    command.kind = CommandKind::kRemoveRun;
    command.index = first;
    command.records.resize(size_t(count));
    if (!set_.RemoveRecords(first, count, command.records.data())) return 0;
    command.holding = true;
    StepFor(name);
    ClampCurrent();
    Record(std::move(command), kChangeStructure | kChangeCurrent, -1);
    Finish(kChangeStructure | kChangeCurrent, -1);
    return 1;
}

int Document::Delete(int n)
{
    if (set_.sprites == nullptr) {
        set_.SetMessage("스프라이트가 존재하지 않습니다(At Delete)");
        return 0;
    }
    if (SpriteAt(n) == nullptr) {
        set_.SetMessage("%d번 스프라이트는 존재하지 않습니다(At Delete)", n);
        return 0;
    }
    return RemoveRun(n, 1, Name("Delete sprite %d", n));
}

int Document::DeleteRange(int first, int last, bool* missing)
{
    *missing = false;
    if (first > last) return 1;  // an empty range deletes nothing
    const int count = Count();
    const int low = std::max(first, 0), high = std::min(last, count - 1);
    const std::string absent = AbsentNumbers(first, last, count);
    if (!absent.empty()) {
        *missing = true;
        set_.SetMessage("%s번 스프라이트는 존재하지 않습니다(At Delete)", absent.c_str());
        if (low > high) return 0;
    }
    char reason[kSpriteMessageSize];
    std::memcpy(reason, set_.message, sizeof reason);
    const std::string name = low == high ? Name("Delete sprite %d", low) : Name(u8"Delete sprites %d\u2013%d", low, high);
    if (!RemoveRun(low, high - low + 1, name)) return 0;
    std::memcpy(set_.message, reason, sizeof reason);  // the missing numbers, for the caller to show
    return 1;
}

int Document::ChangeCoordinates(int n, int index, int x, int y, const char* name)
{
    const Sprite* sprite = SpriteAt(n);
    if (sprite == nullptr) {
        set_.SetMessage("%d번 스프라이트는 존재하지 않습니다", n);
        return 0;
    }
    Sprite& target = set_.sprites[n];
    int32_t* fields[4] = {&target.rx, &target.ry, &target.mx, &target.my};
    if (*fields[index] == x && *fields[index + 1] == y) return 1;
    StepFor(name);
    Command command;
    command.kind = CommandKind::kSwapCoordinates;
    command.index = n;
    for (int i = 0; i < 4; ++i) command.coordinates[i] = *fields[i];
    *fields[index] = x;
    *fields[index + 1] = y;
    Record(std::move(command), kChangeCoordinates, n);
    Finish(kChangeCoordinates, n);
    return 1;
}

int Document::SetRelative(int n, int rx, int ry) { return ChangeCoordinates(n, 0, rx, ry, "Move relative coordinate"); }

int Document::SetCenter(int n, int mx, int my) { return ChangeCoordinates(n, 2, mx, my, "Move center coordinate"); }

int Document::ChangeBoxes(int n, BoxKind kind, BoxChange change, int b, const PixelRect& rect)
{
    const Sprite* sprite = SpriteAt(n);
    Command command;
    command.kind = CommandKind::kSwapBoxes;
    command.index = n;
    command.other = int(kind);
    const bool hit = kind == BoxKind::kHit;
    if (sprite != nullptr) {
        const BoxRect* boxes = hit ? sprite->hitBoxes : sprite->atckBoxes;
        const int count = hit ? sprite->hitCount : sprite->atckCount;
        if (change == BoxChange::kSet && b >= 0 && b < count && SameCorners(boxes[b], rect)) return 1;
        if (!CopyBoxList(boxes, count, &command.boxes)) {
            set_.SetMessage("메모리 할당 실패");
            return 0;
        }
        command.boxCount = count;
    }
    // The set checks the numbers and gives the texts; nothing changes when it refuses.
    int done = 0;
    const char* verb = "";
    switch (change) {
    case BoxChange::kAdd:
        done = hit ? set_.InsertHitBox(n, b, rect) : set_.InsertAtckBox(n, b, rect);
        verb = "Add";
        break;
    case BoxChange::kSet:
        done = hit ? set_.SetHitBox(n, b, rect) : set_.SetAtckBox(n, b, rect);
        verb = "Change";
        break;
    case BoxChange::kRemove:
        done = hit ? set_.DeleteHitBox(n, b) : set_.DeleteAtckBox(n, b);
        verb = "Delete";
        break;
    }
    if (!done) {
        ReleaseCommand(command);
        return 0;
    }
    StepFor(Name("%s %s", verb, BoxWord(kind)));
    Record(std::move(command), kChangeBoxes, n);
    Finish(kChangeBoxes, n);
    return 1;
}

int Document::AddBox(int n, BoxKind kind, int b, const PixelRect& rect)
{
    return ChangeBoxes(n, kind, BoxChange::kAdd, b, rect);
}

int Document::SetBox(int n, BoxKind kind, int b, const PixelRect& rect)
{
    return ChangeBoxes(n, kind, BoxChange::kSet, b, rect);
}

int Document::RemoveBox(int n, BoxKind kind, int b) { return ChangeBoxes(n, kind, BoxChange::kRemove, b, PixelRect{}); }

int Document::SetCompressed(int n, bool compressed)
{
    const Sprite* sprite = SpriteAt(n);
    if (sprite != nullptr && (sprite->compressed != 0) == compressed) return 1;
    Command command;
    command.kind = CommandKind::kSwapImage;
    command.index = n;
    if (sprite != nullptr && sprite->image != nullptr) {
        // The image as it is now, for Undo to put back exactly.
        Sprite held{};
        held.compressed = sprite->compressed;
        held.imageSize = sprite->imageSize;
        held.image = static_cast<uint8_t*>(std::malloc(sprite->imageSize > 0 ? sprite->imageSize : 1));
        if (held.image == nullptr) {
            set_.SetMessage("메모리 할당 실패");
            return 0;
        }
        std::memcpy(held.image, sprite->image, sprite->imageSize);
        command.records.push_back(held);
    }
    if (!(compressed ? set_.Compress(n) : set_.Decompress(n))) {
        ReleaseCommand(command);
        return 0;
    }
    StepFor(compressed ? Name("Compress sprite %d", n) : Name("Decompress sprite %d", n));
    Record(std::move(command), kChangeImage, n);
    Finish(kChangeImage, n);
    return 1;
}

int Document::CopyBoxes(int from, int first, int last, unsigned kinds, bool replace, bool* missing)
{
    *missing = false;
    const Sprite* source = SpriteAt(from);
    if (source == nullptr) {
        set_.SetMessage("%d번 스프라이트는 존재하지 않습니다", from);
        return 0;
    }
    if ((kinds & (kHitBoxes | kAttackBoxes)) == 0) {
        set_.SetMessage("복사할 상자를 고르세요(충돌상자, 공격상자)");
        return 0;
    }
    const int count = Count();
    const int low = std::max(first, 0), high = std::min(last, count - 1);
    const std::string absent = AbsentNumbers(first, last, count);
    if (!absent.empty()) {
        *missing = true;
        set_.SetMessage("%s번 스프라이트는 존재하지 않습니다", absent.c_str());
    }
    if (low > high || (low == high && low == from)) {
        if (absent.empty()) set_.SetMessage("상자를 복사할 스프라이트가 없습니다");
        return 0;
    }
    char reason[kSpriteMessageSize];
    std::memcpy(reason, set_.message, sizeof reason);

    // Every new list is made before any changes hands, so running out of memory changes nothing.
    std::vector<Command> commands;
    auto giveUp = [&](const char* why, int n) {
        for (Command& command : commands) ReleaseCommand(command);
        set_.SetMessage(why, n);
        *missing = false;
        return 0;
    };
    for (BoxKind kind : {BoxKind::kHit, BoxKind::kAttack}) {
        if ((kinds & (1u << int(kind))) == 0) continue;
        const BoxRect* boxes = BoxList(*source, kind);
        const int added = BoxCount(*source, kind);
        for (int n = low; n <= high; ++n) {
            if (n == from) continue;
            const Sprite& target = set_.sprites[n];
            const BoxRect* theirs = BoxList(target, kind);
            const int kept = replace ? 0 : BoxCount(target, kind);
            if (replace ? BoxCount(target, kind) == added &&
                              (added == 0 || std::memcmp(theirs, boxes, sizeof(BoxRect) * size_t(added)) == 0)
                        : added == 0)
                continue;  // the list would stay as it is
            if (kept + added > kMaxBoxesOfAKind)
                return giveUp(kind == BoxKind::kHit ? "%d번 스프라이트의 충돌상자가 파일에 저장할 수 있는 수를 넘습니다"
                                                    : "%d번 스프라이트의 공격상자가 파일에 저장할 수 있는 수를 넘습니다",
                              n);
            Command command;
            command.kind = CommandKind::kSwapBoxes;
            command.index = n;
            command.other = int(kind);
            command.boxCount = kept + added;
            if (command.boxCount > 0) {  // an emptied list is no block at all
                command.boxes = static_cast<BoxRect*>(std::malloc(sizeof(BoxRect) * size_t(command.boxCount)));
                if (command.boxes == nullptr) return giveUp("메모리 할당 실패(%d번 스프라이트의 상자)", n);
                if (kept > 0) std::memcpy(command.boxes, theirs, sizeof(BoxRect) * size_t(kept));
                if (added > 0) std::memcpy(command.boxes + kept, boxes, sizeof(BoxRect) * size_t(added));
            }
            commands.push_back(command);
        }
    }
    if (commands.empty()) return 1;

    const char* what = kinds == kHitBoxes ? "hit boxes" : kinds == kAttackBoxes ? "attack boxes" : "boxes";
    const int lowTarget = low == from ? low + 1 : low, highTarget = high == from ? high - 1 : high;
    StepFor(lowTarget == highTarget ? Name("Copy %s to sprite %d", what, lowTarget)
                                    : Name(u8"Copy %s to sprites %d\u2013%d", what, lowTarget, highTarget));
    for (Command& command : commands) {
        RedoCommand(command, set_);  // an exchange: the target takes the new list, the command its old one
        const int n = command.index;
        Record(std::move(command), kChangeBoxes, n);
    }
    Finish(kChangeBoxes, open_.sprite);
    std::memcpy(set_.message, reason, sizeof reason);  // the missing numbers, for the caller to show
    return 1;
}

void Document::BeginGesture()
{
    if (gesture_) return;
    gesture_ = true;
}

void Document::EndGesture()
{
    if (!gesture_) return;
    gesture_ = false;
    if (open_.commands.empty()) return;
    history_.Push(std::move(open_));
    open_ = HistoryStep();
    Notify(kChangeHistory | kChangeModified, -1);
}

void Document::CancelGesture()
{
    if (!gesture_) return;
    gesture_ = false;
    if (open_.commands.empty()) return;
    for (size_t i = open_.commands.size(); i-- > 0;) UndoCommand(open_.commands[i], set_);
    const unsigned changed = open_.changed;
    const int sprite = open_.sprite;
    current_ = open_.currentBefore;
    DropOpenStep();
    ClampCurrent();
    Notify(changed | kChangeCurrent | kChangeModified | kChangeHistory, sprite);
}

std::string Document::UndoName() const
{
    if (!open_.commands.empty()) return open_.name;
    const HistoryStep* step = history_.NextUndo();
    return step != nullptr ? step->name : std::string();
}

std::string Document::RedoName() const
{
    const HistoryStep* step = CanRedo() ? history_.NextRedo() : nullptr;
    return step != nullptr ? step->name : std::string();
}

int Document::Undo() { return TakeStep(true); }

int Document::Redo() { return TakeStep(false); }

int Document::TakeStep(bool back)
{
    EndGesture();
    const HistoryStep* step = back ? history_.Undo(set_) : history_.Redo(set_);
    if (step == nullptr) return 0;
    current_ = back ? step->currentBefore : step->currentAfter;
    ClampCurrent();
    Notify(step->changed | kChangeCurrent | kChangeModified | kChangeHistory, step->sprite);
    return 1;
}
