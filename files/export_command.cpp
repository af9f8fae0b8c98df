#include "files/export_command.h"

#include <exception>
#include <string>
#include <utility>
#include <vector>

#include "app/document.h"
#include "app/frame_rate_box.h"
#include "app/picture.h"
#include "codec/gif_codec.h"
#include "export/export.h"
#include "files/file_dialog.h"
#include "kit/show_info.h"
#include "kit/text.h"
#include "render/gif_frames.h"
#include "sprite/file_io.h"
#include "views/canvas.h"

namespace {

constexpr DWORD kAtlasFileType = 2;  // the filter's second pair
constexpr DWORD kGifFileType = 3;

using OutputFile = std::pair<std::string, std::vector<uint8_t>>;

// The folder part of a path, with its separator; empty for a bare name.
std::string FolderOf(const std::string& path)
{
    const size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string WithoutExtension(const std::string& name)
{
    const size_t dot = name.find_last_of('.');
    return dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
}

// The colors the canvas shows, for the pictures and the JSON: the picture's or palette file's,
// or a grey ramp while there are none.
PaletteSource WindowPalette()
{
    PaletteSource source;
    if (g_palette != nullptr) {
        source.palette = *g_palette;
        source.origin = g_bmpChild.bitmapPath[0] != '\0' ? g_bmpChild.bitmapPath : "window palette";
        return source;
    }
    for (int i = 0; i < kPaletteEntries; ++i)
        source.palette.entries[i] = RGBQUAD{BYTE(i), BYTE(i), BYTE(i), 0};
    source.origin = "grey ramp";
    source.grey = true;
    return source;
}

ExportResult MakeFiles(bool atlas, const std::string& jsonName, std::vector<OutputFile>* files)
{
    const std::string source = g_document.FilePath().empty() ? std::string("untitled.spr") : g_document.FilePath();
    const PaletteSource palette = WindowPalette();
    const OutputSink sink = [files](const std::string& name, const std::vector<uint8_t>& bytes, std::string*) {
        files->emplace_back(name, bytes);
        return true;
    };
    if (!atlas) return ExportSprites(workSet, source, palette, sink, kSpriteNamePattern, "", jsonName);
    AtlasOptions options;
    options.jsonName = jsonName;
    options.imageName = WithoutExtension(jsonName) + ".png";
    options.fps = FrameRateForPlay();
    // Frame names from the file's own name: "hero_00000" for C:\art\hero.spr.
    return ExportAtlas({AtlasInput{source, InputName(FileTitleOf(source.c_str())), &workSet}}, palette, options, sink);
}

// The GIF the animation page would play: its frame rate ("no delay" gives the shortest delay
// viewers honour) and its flips.
ExportResult MakeGif(const std::string& name, std::vector<OutputFile>* files)
{
    ExportResult result;
    result.ok = false;
    GifFrames frames;
    const Reason laid = LayOutGifFrames(workSet, WindowPalette().palette, FrameRateForPlay(), g_bmpChild.previewFlips,
                                        &frames);
    if (laid == Reason::kNoImage) {
        result.error = "no sprite has pixels";
        return result;
    }
    if (laid == Reason::kPictureTooLarge) {
        result.error = "the sprites lie too far apart for one GIF canvas";
        return result;
    }
    if (laid != Reason::kNone) {
        result.error = "out of memory";
        return result;
    }
    std::vector<uint8_t> gif;
    if (!EncodeAnimatedGif(frames, &gif, &result.error)) return result;
    files->emplace_back(name, std::move(gif));
    result.ok = true;
    return result;
}

// The dialog asked about replacing the name it shows; a GIF goes under that name made .gif, so
// another file already there under it is asked about here, in the words of the dialog's question.
bool MayReplace(HWND owner, const std::string& target, const char* chosen)
{
    if (target == chosen || GetFileAttributesW(WideFromUtf8(target.c_str()).c_str()) == INVALID_FILE_ATTRIBUTES)
        return true;
    std::string text = kReplaceQuestion;
    text.replace(text.find("%s"), 2, target);
    return MessageBoxNaming(owner, text.c_str(), target.c_str(), "Export", MB_YESNO | MB_ICONWARNING) == IDYES;
}

bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes)
{
    SafeFileWriter writer;
    return writer.Open(path.c_str()) && writer.Write(bytes.data(), bytes.size()) && writer.Commit();
}

}  // namespace

bool RunExportCommand(HWND owner)
{
    if (workSet.sprites == nullptr || workSet.Count() <= 0) {
        ShowInfo(owner, "내보낼 스프라이트가 없습니다.");
        return false;
    }
    char path[kFilePathBytes];
    char title[kFileTitleBytes];
    const std::string proposed = FolderOf(g_document.FilePath()) + kExportProposedName;
    lstrcpynA(path, proposed.c_str(), sizeof path);
    lstrcpynA(title, kExportProposedName, sizeof title);
    if (!AskSaveFile(owner, kExportFilter, path, title, kExportExtension)) return false;
    const bool atlas = g_fileDialog.nFilterIndex == kAtlasFileType;
    const bool gif = g_fileDialog.nFilterIndex == kGifFileType;
    const std::string folder = FolderOf(path);

    std::vector<OutputFile> files;
    ExportResult result;
    try {
        result = gif ? MakeGif(WithoutExtension(FileTitleOf(path)) + ".gif", &files)
                     : MakeFiles(atlas, FileTitleOf(path), &files);
    } catch (const std::exception&) {  // the JSON library's, out of memory
        result.ok = false;
        result.error = "out of memory";
    }
    if (!result.ok) {
        ShowInfoNaming(owner, "내보내기 실패: %s", result.error.c_str());
        return false;
    }
    if (gif && !MayReplace(owner, folder + files[0].first, path)) return false;
    for (const OutputFile& file : files) {
        const std::string target = folder + file.first;
        if (!WriteFile(target, file.second)) {
            ShowInfoNaming(owner, "파일생성 실패 (%s)", target.c_str());
            return false;
        }
    }
    return true;
}
