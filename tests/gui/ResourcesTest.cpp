#include "res/resource.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <set>
#include <utility>

namespace {

#pragma pack(push, 2)
struct IconGroupEntry {
    BYTE width, height, colours, reserved;
    WORD planes, bitCount;
    DWORD bytes;
    WORD id;
};
struct IconGroup {
    WORD reserved, type, count;
    IconGroupEntry entries[1];
};
#pragma pack(pop)

const WORD kLanguage = MAKELANGID(LANG_SPANISH, SUBLANG_SPANISH_MODERN); // 0x0C0A

} // namespace

TEST(Resources, IconGroupHoldsNineImagesOfThreeSizesAndThreeDepths) {
    HRSRC found = ::FindResourceExW(nullptr, MAKEINTRESOURCEW(14) /* group icon */,
                                    MAKEINTRESOURCEW(IDR_MAINFRAME), kLanguage);
    ASSERT_NE(found, nullptr);
    auto* group = static_cast<const IconGroup*>(::LockResource(::LoadResource(nullptr, found)));
    ASSERT_EQ(group->count, 9);
    std::set<std::pair<int, int>> images;
    for (int i = 0; i < group->count; ++i) {
        const IconGroupEntry& e = group->entries[i];
        EXPECT_EQ(e.width, e.height);
        images.insert({e.width, e.bitCount});
    }
    EXPECT_EQ(
        images,
        (std::set<std::pair<int, int>>{
            {16, 4}, {16, 8}, {16, 24}, {32, 4}, {32, 8}, {32, 24}, {48, 4}, {48, 8}, {48, 24}}));
}

TEST(Resources, DialogsAndTheAboutTextCarryTheSpanishLanguageId) {
    for (int id : {IDD_ABOUTBOX, IDD_BRELT_DIALOG, IDD_MSG_DIALOG}) {
        EXPECT_NE(::FindResourceExW(nullptr, MAKEINTRESOURCEW(5) /* dialog */, MAKEINTRESOURCEW(id),
                                    kLanguage),
                  nullptr)
            << id;
    }
    wchar_t text[64] = {};
    ::LoadStringW(::GetModuleHandleW(nullptr), IDS_ABOUTBOX, text, 64);
    EXPECT_STREQ(text, L"&Acerca de brelt...");
}
