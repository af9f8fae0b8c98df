// quillon_document_bench: the cost of undo and redo beside the change they take back, and what the
// history holds.
//
//   range delete   deleting sprites 4,500-5,499 of a 10,000-sprite set, then its undo and its
//                  redo. Each trial times the three back to back (delete, undo, redo, then an undo
//                  that restores the set, untimed). Goal: undo and redo each within 2x of the
//                  delete (the lower quartile of delete time / their time at least 0.5).
//   box edits      the history's bytes after 1,000 box edits (each a drag of a few moves: one
//                  step) on sprites of a 10,000-sprite set, beside the set's own bytes.
//
// Times are the thread's CPU time, so the machine's other work is left out; the table gives the
// median of the per-trial ratios and its interquartile range.
#include <time.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "bench/cpu_time.h"
#include "sprite/document.h"

namespace {

constexpr int kSprites = 10000;
constexpr int kSide = 24;
constexpr int kFirstDeleted = 4500, kLastDeleted = 5499;
constexpr int kTrials = 101;
constexpr int kBoxEdits = 1000;

// A set of `count` raw sprites, each with a hit box, loaded into the document as a file would be.
void OpenSet(Document& doc, int count)
{
    SpriteSet made;
    std::vector<Sprite> records(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        auto* image = static_cast<uint8_t*>(std::malloc(size_t(kSide) * kSide));
        std::memset(image, 1 + i % 250, size_t(kSide) * kSide);
        records[size_t(i)] = NewSprite(kSide, kSide, image);
    }
    if (!made.InsertRecords(0, records.data(), count)) std::abort();
    for (int i = 0; i < count; ++i) made.InsertHitBox(i, 0, PixelRect{0, 0, kSide - 1, kSide - 1});
    uint8_t* bytes = nullptr;
    size_t size = 0;
    if (!made.SaveToMemory(&bytes, &size) || !doc.LoadFromMemory(bytes, size, "bench.spr")) std::abort();
    std::free(bytes);
}

size_t SetBytes(const SpriteSet& set)
{
    size_t bytes = sizeof(Sprite) * size_t(set.Count());
    for (int i = 0; i < set.Count(); ++i)
        bytes += set.sprites[i].imageSize + sizeof(BoxRect) * size_t(set.sprites[i].hitCount + set.sprites[i].atckCount);
    return bytes;
}

void Row(const char* name, const std::vector<double>& ratios, double goal)
{
    const double q1 = Quantile(ratios, 0.25), median = Quantile(ratios, 0.5), q3 = Quantile(ratios, 0.75);
    std::printf("| %-38s | %6.2f | %6.2f-%-6.2f | %5.2f | %s |\n", name, median, q1, q3, goal,
                q1 >= goal ? "met" : "not met");
}

}  // namespace

int main()
{
    SpriteSet set;
    Document doc(set);
    OpenSet(doc, kSprites);

    std::vector<double> deletes, undos, redos, undoRatios, redoRatios;
    for (int trial = 0; trial < kTrials; ++trial) {
        bool missing = false;
        deletes.push_back(Seconds([&] { doc.DeleteRange(kFirstDeleted, kLastDeleted, &missing); }));
        undos.push_back(Seconds([&] { doc.Undo(); }));
        redos.push_back(Seconds([&] { doc.Redo(); }));
        doc.Undo();
        if (set.Count() != kSprites) std::abort();
        undoRatios.push_back(deletes.back() / undos.back());
        redoRatios.push_back(deletes.back() / redos.back());
    }
    std::printf("Undo and redo of a 1,000-sprite range delete on a %d-sprite set (%d trials; ratio: "
                "delete time / its time; goal: lower quartile >= 0.5, i.e. within 2x)\n\n",
                kSprites, kTrials);
    std::printf("| %-38s | median | quartiles     | goal  | verdict |\n", "row");
    std::printf("|---|---|---|---|---|\n");
    Row("undo of the range delete", undoRatios, 0.5);
    Row("redo of the range delete", redoRatios, 0.5);
    std::printf("\nmedian times: delete %.1f us, undo %.1f us, redo %.1f us\n\n", 1e6 * Quantile(deletes, 0.5),
                1e6 * Quantile(undos, 0.5), 1e6 * Quantile(redos, 0.5));

    // 1,000 box drags, each a press and three moves (one step), spread over the set.
    OpenSet(doc, kSprites);
    for (int edit = 0; edit < kBoxEdits; ++edit) {
        const int n = (edit * 7919) % kSprites;
        doc.BeginGesture();
        doc.AddBox(n, BoxKind::kAttack, set.sprites[n].atckCount, PixelRect{1, 1, 1, 1});
        for (int x = 2; x < 5; ++x) doc.SetBox(n, BoxKind::kAttack, set.sprites[n].atckCount - 1, PixelRect{1, 1, x, x});
        doc.EndGesture();
    }
    const History& history = doc.GetHistory();
    std::printf("History after %d box edits on a %d-sprite set: %d steps, %zu bytes (%.0f bytes a step); "
                "the set itself holds %zu bytes; the limits are %d steps and %zu MiB\n",
                kBoxEdits, kSprites, history.Steps(), history.Bytes(), double(history.Bytes()) / history.Steps(),
                SetBytes(set), kHistoryStepLimit, kHistoryByteLimit >> 20);
    return 0;
}
