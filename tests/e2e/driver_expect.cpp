#include "driver_expect.h"

#include <cstdio>
#include <cstring>

#include "driver_report.h"

bool ReadFigures(const char* path, std::vector<Figure>& figures)
{
    std::FILE* file = std::fopen(path, "r");
    if (file == nullptr) return false;
    char line[256];
    while (std::fgets(line, sizeof line, file) != nullptr) {
        char name[64];
        Figure figure;
        if (line[0] == '#' || std::sscanf(line, "%63s %d %d %d %d", name, &figure.left, &figure.top,
                                          &figure.width, &figure.height) != 5)
            continue;
        figure.name = name;
        figures.push_back(figure);
    }
    std::fclose(file);
    return !figures.empty();
}

const Figure& FindFigure(const std::vector<Figure>& figures, const char* name)
{
    for (const Figure& figure : figures)
        if (figure.name == name) return figure;
    Fail("the sheet has no figure %s", name);
}

void MoveSprite(std::vector<ExpectedSprite>& set, int to, int from)
{
    ExpectedSprite moved = set[from];
    set.erase(set.begin() + from);
    set.insert(set.begin() + to, moved);
}

namespace {

void PutBoxes(std::FILE* file, const char* kind, const std::vector<Box>& boxes)
{
    std::fprintf(file, " %s=", kind);
    for (size_t i = 0; i < boxes.size(); ++i)
        std::fprintf(file, "%s%d,%d,%d,%d", i > 0 ? ";" : "", boxes[i].x1, boxes[i].y1, boxes[i].x2,
                     boxes[i].y2);
}

}  // namespace

bool WriteExpectation(const char* path, const std::vector<ExpectedSprite>& set)
{
    std::FILE* file = std::fopen(path, "w");
    if (file == nullptr) return false;
    for (const ExpectedSprite& sprite : set) {
        std::fprintf(file, "%s %d %d %d %d %d", sprite.figure.name.c_str(), sprite.compressed,
                     sprite.rx, sprite.ry, sprite.mx, sprite.my);
        PutBoxes(file, "hits", sprite.hits);
        PutBoxes(file, "attacks", sprite.attacks);
        std::fprintf(file, "\n");
    }
    return std::fclose(file) == 0;
}
