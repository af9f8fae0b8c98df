// The document: the sprite set being edited, its current sprite, whether it differs from the file
// on disk, and its history. Every change the program makes to the set is one operation here. An
// operation succeeds whole or changes nothing and leaves the reason in the set's message; each
// success is one step of the history, so it can be undone and redone, and is told to the one
// listener (the program's views) as a DocumentChange.
//
// A mouse drag is one step however many moves it makes: operations between BeginGesture and
// EndGesture join one step, and CancelGesture takes them all back as if the drag never began.
#pragma once

#include <string>
#include <vector>

#include "sprite/cut.h"
#include "sprite/history.h"
#include "sprite/sprite_set.h"

class ImageBuffer;

// What a change touched; the views refresh what they show of it.
enum DocumentChangeBits : unsigned {
    kChangeStructure = 1u << 0,    // sprites added, removed or reordered
    kChangeImage = 1u << 1,        // one sprite's image (compressed or raw)
    kChangeCoordinates = 1u << 2,  // one sprite's relative or center coordinate
    kChangeBoxes = 1u << 3,        // one sprite's hit or attack boxes
    kChangeCurrent = 1u << 4,      // which sprite is current
    kChangeModified = 1u << 5,     // whether the set differs from the file (may be unchanged)
    kChangeHistory = 1u << 6,      // what Undo and Redo would do
    kChangeEverything = 0x7Fu,     // a new set: New, Open Sprite
};

struct DocumentChange {
    unsigned what;
    int sprite;  // the sprite changed, or -1 for several or none
};

using DocumentListener = void (*)(const DocumentChange& change);

// Sets of box kinds, for the operations that take hit boxes, attack boxes or both.
constexpr unsigned kHitBoxes = 1u << int(BoxKind::kHit);
constexpr unsigned kAttackBoxes = 1u << int(BoxKind::kAttack);

class Document {
public:
    explicit Document(SpriteSet& set) : set_(set) {}
    Document(const Document&) = delete;
    Document& operator=(const Document&) = delete;

    const SpriteSet& Set() const { return set_; }
    int Count() const { return set_.sprites != nullptr ? set_.Count() : 0; }
    const Sprite* SpriteAt(int n) const;
    // The current sprite's number, from 0; -1 while the set is empty.
    int Current() const { return current_; }
    const Sprite* CurrentSprite() const { return SpriteAt(current_); }
    // The failure text of the last refused operation.
    const char* Message() const { return set_.message; }
    // Whether the set differs from the file it came from or was last saved to.
    bool Modified() const;
    // That file's path as Load or Save was given it; empty for a new set (or one from memory).
    const std::string& FilePath() const { return filePath_; }

    void SetListener(DocumentListener listener) { listener_ = listener; }

    // A new, empty set; Load reads a sprite file into a new set and takes it only when the whole
    // file was good (else 0, the message says why, and nothing changed). Both start a fresh
    // history with the set as in the file. Save marks the position as the file's on success.
    void New();
    int Load(const char* path);
    int LoadFromMemory(const uint8_t* data, size_t size, const char* name);
    int Save(const char* path);
    // Forgets the history, keeping the set and whether it differs from the file.
    void ForgetHistory();

    // Makes sprite n current; a number outside the set does nothing.
    void Select(int n);

    // The operations. Sprite numbers count from 0.
    int Cut(ImageBuffer& picture, const PixelRect& rect, const CutOptions& options);
    // Every rectangle, appended in order, as one step.
    int CutAll(ImageBuffer& picture, const std::vector<PixelRect>& rects, const CutOptions& options);
    // Moves sprite `from` to place `to`; onto itself, nothing happens.
    int Move(int to, int from);
    int Delete(int n);
    // Deletes the sprites first..last that exist. When some of those numbers are missing, the
    // message names them and *missing is set; 0 (nothing deleted) when none of them exist.
    int DeleteRange(int first, int last, bool* missing);
    int SetRelative(int n, int rx, int ry);
    int SetCenter(int n, int mx, int my);
    int AddBox(int n, BoxKind kind, int b, const PixelRect& rect);
    int SetBox(int n, BoxKind kind, int b, const PixelRect& rect);
    int RemoveBox(int n, BoxKind kind, int b);
    // Compresses or decompresses sprite n; already so, nothing happens.
    int SetCompressed(int n, bool compressed);
    // Copies sprite `from`'s boxes of `kinds` to the sprites first..last that exist, `from` left
    // out: with `replace` their lists of those kinds become copies of its lists, otherwise its
    // boxes are added after theirs. Numbers of the range outside the set are named in the
    // message and *missing is set, as DeleteRange does; the sprites that exist still get the
    // boxes. Refused (0, nothing changed) when no sprite but `from` is in the range, `from` is
    // missing, `kinds` names no kind, or a list would grow past what the file holds. Sprites
    // whose lists would not change are left alone; when none would, nothing happens.
    int CopyBoxes(int from, int first, int last, unsigned kinds, bool replace, bool* missing);

    void BeginGesture();
    void EndGesture();
    void CancelGesture();
    bool InGesture() const { return gesture_; }

    bool CanUndo() const { return history_.CanUndo() || !open_.commands.empty(); }
    bool CanRedo() const { return !InGestureWithChanges() && history_.CanRedo(); }
    // The names of what Undo and Redo would take ("Delete sprites 3–7", UTF-8); empty when none.
    std::string UndoName() const;
    std::string RedoName() const;
    int Undo();
    int Redo();

    const History& GetHistory() const { return history_; }
    History& GetHistory() { return history_; }

private:
    bool InGestureWithChanges() const { return gesture_ && !open_.commands.empty(); }
    // The step an operation records into: the open gesture's, or a new one named `name`.
    HistoryStep& StepFor(const std::string& name);
    // Whether a done exchange joins the gesture's last one (same thing exchanged): the first
    // already holds the version before the gesture, so the later ones keep nothing.
    bool Joins(const Command& command) const;
    void Record(Command command, unsigned changed, int sprite);
    // Ends an operation: pushes its step unless a gesture holds it, and tells the listener.
    void Finish(unsigned changed, int sprite);
    void Notify(unsigned what, int sprite);
    void ClampCurrent();
    void DropOpenStep();
    void TakeLoaded(SpriteSet& loaded);
    // Undo (back) or Redo; the current sprite becomes the step's as it was before or after it.
    int TakeStep(bool back);
    int RemoveRun(int first, int count, const std::string& name);
    int ChangeCoordinates(int n, int index, int x, int y, const char* name);
    enum class BoxChange { kAdd, kSet, kRemove };
    int ChangeBoxes(int n, BoxKind kind, BoxChange change, int b, const PixelRect& rect);

    SpriteSet& set_;
    History history_;
    HistoryStep open_;  // the step being recorded
    bool gesture_ = false;
    int current_ = -1;
    std::string filePath_;
    DocumentListener listener_ = nullptr;
};
