// Arrays of plain records kept in std::malloc blocks (the sprite array, the box lists). Each
// helper builds a new block and leaves the old one alone, so a caller whose allocation fails still
// holds its array exactly as it was.
#pragma once

#include <cstdlib>
#include <cstring>
#include <type_traits>

// A new block of count + 1 records: the old records with `item` placed at `at` (0..count).
// Null when out of memory.
template <class T>
T* ArrayWithInserted(const T* old, int count, int at, const T& item)
{
    static_assert(std::is_trivially_copyable<T>::value, "records are moved as bytes");
    T* block = static_cast<T*>(std::malloc(sizeof(T) * (size_t(count) + 1)));
    if (block == nullptr) return nullptr;
    if (at > 0) std::memcpy(block, old, sizeof(T) * size_t(at));
    block[at] = item;
    if (count > at) std::memcpy(block + at + 1, old + at, sizeof(T) * size_t(count - at));
    return block;
}

// A new block of count - 1 records: the old records without the one at `at` (0..count-1).
// Null when out of memory; callers handle count 1 (an empty list) themselves.
template <class T>
T* ArrayWithout(const T* old, int count, int at)
{
    static_assert(std::is_trivially_copyable<T>::value, "records are moved as bytes");
    T* block = static_cast<T*>(std::malloc(sizeof(T) * size_t(count - 1)));
    if (block == nullptr) return nullptr;
    if (at > 0) std::memcpy(block, old, sizeof(T) * size_t(at));
    if (count - 1 > at) std::memcpy(block + at, old + at + 1, sizeof(T) * size_t(count - 1 - at));
    return block;
}
