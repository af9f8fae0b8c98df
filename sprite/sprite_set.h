// The sprite set: the program's document, an ordered list of sprites behind the 24-byte header
// that a sprite file begins with.
//
// Operations return 1 for success and 0 for failure; a failure leaves a text in `message` and
// shows nothing. The caller decides whether to show it with ShowMessage.
//
// Ownership: the set owns its sprite array, each sprite's image and each box array. All of them
// are blocks from std::malloc and are released with std::free. An image handed to NewSpace,
// Insert or TransToSpr becomes the set's, whether the call succeeds or not.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/win32.h"
#include "sprite/box_rect.h"

// The set's header, byte for byte the first 24 bytes of a sprite file.
struct SpriteFileHeader {
    char signature[13];   // "Zarvo sprite" and its terminating zero
    uint8_t reserved[3];  // zero in a set made here; a loaded file's bytes stay
    int16_t version;      // 30 whenever the set is made anew and before every save
    int16_t count;        // number of sprites
    int32_t actionCount;  // kept from a loaded file, 0 otherwise; never changed here
};
static_assert(sizeof(SpriteFileHeader) == 24, "the header is the file's first 24 bytes");

struct Sprite {
    int32_t compressed;  // 0: raw rows in `image`; 1: the run-length form (see compress.h)
    int32_t width;
    int32_t height;
    int32_t rx;          // relative coordinate
    int32_t ry;
    int32_t mx;          // center coordinate
    int32_t my;
    int32_t hitCount;
    int32_t atckCount;
    uint32_t imageSize;  // bytes of `image` as stored
    BoxRect* hitBoxes;   // null while hitCount is 0
    BoxRect* atckBoxes;  // null while atckCount is 0
    uint8_t* image;
};

// A record as it is made from a raw image of width x height (which it takes over): no coordinates
// moved, no boxes, centre in the middle.
Sprite NewSprite(int width, int height, uint8_t* image);
// Frees a record's image and box lists; the record itself stays, emptied.
void ReleaseSprite(Sprite& sprite);

constexpr const char kSpriteSignature[13] = "Zarvo sprite";
constexpr int16_t kSpriteFileVersion = 30;
constexpr int kMaxSprites = 32767;  // the header's count is a signed 16-bit number
// The file keeps widths and heights (and the boxes' corners) in signed 16 bits.
constexpr int kMaxSpriteSide = 32767;
constexpr int kSpriteMessageSize = 256;

class SpriteSet {
public:
    char message[kSpriteMessageSize];
    SpriteFileHeader header;
    Sprite* sprites;

    SpriteSet();
    ~SpriteSet();
    SpriteSet(const SpriteSet&) = delete;
    SpriteSet& operator=(const SpriteSet&) = delete;

    void Clear();
    int NewSpace(int width, int height, uint8_t* image, int compress);
    int Insert(int index, int width, int height, uint8_t* image, int compress);
    int Delete(int index);
    int Move(int to, int from);

    // Runs of whole records, for the document's history. InsertRecords puts `count` records at
    // `index` (0..Count()); the set owns them from then on, and an empty set becomes a set of the
    // sprite file's kind. RemoveRecords takes the `count` records from `index` out into `out`,
    // which then owns them; the header stays as it is, so taking every record out and putting
    // them back gives the very set that was. Both return 1, or 0 with the reason in `message` and
    // nothing changed (the records stay the caller's).
    int InsertRecords(int index, const Sprite* records, int count);
    int RemoveRecords(int index, int count, Sprite* out);
    // Exchanges everything the two sets hold, failure texts aside.
    void Swap(SpriteSet& other);

    void SetMessage(const char* format, ...)
#if defined(__GNUC__)
        __attribute__((format(printf, 2, 3)))
#endif
        ;
#ifdef _WIN32
    // Shows `message` in a message box captioned "Error Messages..." (shell side).
    int ShowMessage(HWND owner);
#endif

    // The sprite file.
    int Load(const char* path);
    int Save(const char* path);
    // The same from and to bytes in memory. `name` stands in the texts where the path would.
    // SaveToMemory hands the file's bytes over in a std::malloc block that the caller frees.
    int LoadFromMemory(const uint8_t* data, size_t size, const char* name);
    int SaveToMemory(uint8_t** data, size_t* size);
    // 1 when the set can be saved; otherwise 0 with the reason in `message`: the set is empty, or
    // one of its values does not fit the file (a width of 32768, say). Save checks this first.
    int CheckStorable();

    // Run-length compression of one sprite's image.
    int Compress(int index);
    int Decompress(int index);

    // Hit boxes and attack boxes.
    int InsertHitBox(int s, int b, const PixelRect& rect);
    int SetHitBox(int s, int b, const PixelRect& rect);
    int DeleteHitBox(int s, int b);
    int InsertAtckBox(int s, int b, const PixelRect& rect);
    int SetAtckBox(int s, int b, const PixelRect& rect);
    int DeleteAtckBox(int s, int b);

    // The picture as a single raw sprite.
    int TransToSpr(int width, int height, uint8_t* image);

    int Count() const { return header.count; }
};
