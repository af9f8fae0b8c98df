#include "settings/file_kinds.h"

#include <cctype>

namespace {

bool EndsWith(const std::string& name, const char* ending)
{
    const std::string tail = ending;
    if (name.size() < tail.size()) return false;
    for (size_t i = 0; i < tail.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(name[name.size() - tail.size() + i])) != tail[i]) return false;
    return true;
}

}  // namespace

FileKind KindOfFile(const std::string& name)
{
    if (EndsWith(name, ".spr")) return FileKind::kSprite;
    if (EndsWith(name, ".bmp") || EndsWith(name, ".pcx") || EndsWith(name, ".png")) return FileKind::kSheet;
    if (EndsWith(name, ".pal")) return FileKind::kPalette;
    return FileKind::kUnknown;
}

OpeningPlan PlanOpening(const std::vector<std::string>& names)
{
    const FileKind order[] = {FileKind::kSheet, FileKind::kPalette, FileKind::kSprite};
    int of[3] = {-1, -1, -1};  // the name of each kind, in the order above
    OpeningPlan plan;
    for (size_t i = 0; i < names.size(); ++i) {
        const FileKind kind = KindOfFile(names[i]);
        int slot = -1;
        for (int k = 0; k < 3; ++k)
            if (order[k] == kind) slot = k;
        if (slot < 0 || of[slot] >= 0) {
            plan.refusal = slot < 0 ? OpeningPlan::kUnknownKind : OpeningPlan::kSecondOfKind;
            plan.refused = int(i);
            return plan;
        }
        of[slot] = int(i);
    }
    for (int index : of)
        if (index >= 0) plan.order.push_back(index);
    return plan;
}
