// EDITOR.CFG: the editor's settings beyond OPTION.CFG, read tolerantly.
#include <gtest/gtest.h>

#include "settings/editor_options.h"
#include "tests/core/test_files.h"

TEST(EditorOptions, WhatTheFileSaysAndDefaultsForAnythingElse)
{
    struct Case {
        const char* what;
        const char* text;
        bool previous, next;
    };
    const Case cases[] = {
        {"empty", "", false, false},
        {"both", "onion-previous=1\nonion-next=1\n", true, true},
        {"Windows line ends", "onion-previous=1\r\nonion-next=0\r\n", true, false},
        {"unknown names and bad values", "colour=7\nonion-next=yes\nonion-previous=1\n", true, false},
        {"damaged", "\x01\x02onion-next=1=1\n\xff", false, false},
    };
    for (const Case& c : cases) {
        const EditorOptions options = ParseEditorOptions(c.text);
        EXPECT_EQ(options.onionPrevious, c.previous) << c.what;
        EXPECT_EQ(options.onionNext, c.next) << c.what;
    }
}

TEST(EditorOptions, WrittenAndReadBack)
{
    TempDir dir;
    const std::string path = dir.File(kEditorOptionsFileName);
    EXPECT_FALSE(ReadEditorOptions(path.c_str()).onionNext) << "missing: the defaults";
    EditorOptions options;
    options.onionNext = true;
    ASSERT_EQ(WriteEditorOptions(path.c_str(), options), 1);
    EXPECT_TRUE(ReadEditorOptions(path.c_str()).onionNext);
    EXPECT_FALSE(ReadEditorOptions(path.c_str()).onionPrevious);
}
