// The options of the running program and the page size they choose.
#include "app/options.h"

#include "resources/resource.h"
#include "views/canvas.h"

namespace {

struct ModeSize {
    int mode;
    PageSize size;
};

const ModeSize kModeSizes[] = {
    {IDC_MODE_320X200, {320, 200}},   {IDC_MODE_320X240, {320, 240}},
    {IDC_MODE_400X300, {400, 300}},   {IDC_MODE_512X384, {512, 384}},
    {IDC_MODE_640X480, {640, 480}},   {IDC_MODE_800X600, {800, 600}},
    {IDC_MODE_1024X768, {1024, 768}},
};

}  // namespace

PageSize PageSizeOfMode(int mode)
{
    for (const ModeSize& entry : kModeSizes)
        if (entry.mode == mode) return entry.size;
    return {640, 480};
}

int LoadOptions()
{
    ReadOptionsFile(kOptionsFileName, &g_options);
    g_editorOptions = ReadEditorOptions(kEditorOptionsFileName);
    PageSize size = PageSizeOfMode(g_options.resolutionMode);
    g_bmpChild.SetPageSize(size.width, size.height);
    return 1;
}

int SaveOptions() { return WriteOptionsFile(kOptionsFileName, g_options); }

int SaveEditorOptions() { return WriteEditorOptions(kEditorOptionsFileName, g_editorOptions); }
