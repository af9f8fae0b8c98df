// What the sprite set should hold after each of the driver's steps, kept beside the program's
// own set and written out for check_spr.py to compare a saved sprite file with.
#pragma once

#include <string>
#include <vector>

struct Figure {
    std::string name;
    int left, top, width, height;
};

struct Box {
    int x1, y1, x2, y2;
};

struct ExpectedSprite {
    Figure figure;
    int compressed;
    int rx, ry, mx, my;
    std::vector<Box> hits, attacks;
};

// The figures of the sheet (name left top width height ..., '#' comments).
bool ReadFigures(const char* path, std::vector<Figure>& figures);
const Figure& FindFigure(const std::vector<Figure>& figures, const char* name);

// The set's Move: the sprite at `from` goes to place `to`, the others keep their order.
void MoveSprite(std::vector<ExpectedSprite>& set, int to, int from);
// Writes one line per sprite: name compressed rx ry mx my hits=x1,y1,x2,y2;... attacks=...
bool WriteExpectation(const char* path, const std::vector<ExpectedSprite>& set);
