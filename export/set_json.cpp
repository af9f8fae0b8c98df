#include "export/set_json.h"

Json BoxesJson(const BoxRect* boxes, int count)
{
    Json list = Json::array();
    for (int i = 0; i < count && boxes != nullptr; ++i)
        list.push_back({{"x1", boxes[i].x1}, {"y1", boxes[i].y1}, {"x2", boxes[i].x2}, {"y2", boxes[i].y2}});
    return list;
}

Json SpriteJson(const Sprite& sprite, int index)
{
    return {
        {"index", index},
        {"width", sprite.width},
        {"height", sprite.height},
        {"rx", sprite.rx},
        {"ry", sprite.ry},
        {"mx", sprite.mx},
        {"my", sprite.my},
        {"compressed", sprite.compressed != 0},
        {"imageSize", sprite.imageSize},
        {"hitBoxes", BoxesJson(sprite.hitBoxes, sprite.hitCount)},
        {"attackBoxes", BoxesJson(sprite.atckBoxes, sprite.atckCount)},
    };
}

Json SetJson(const SpriteSet& set, const std::string& source)
{
    Json sprites = Json::array();
    for (int i = 0; i < set.Count() && set.sprites != nullptr; ++i) sprites.push_back(SpriteJson(set.sprites[i], i));
    return {
        {"format", kSetJsonFormat},
        {"version", kSetJsonVersion},
        {"source", source},
        {"fileVersion", set.header.version},
        {"actionCount", set.header.actionCount},
        {"count", set.Count()},
        {"sprites", std::move(sprites)},
    };
}

std::string JsonText(const Json& document)
{
    return document.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}
