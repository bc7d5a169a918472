#pragma once

#include <cstdint>

namespace carvelle {

// What a click, a menu item, a list item or a page start does (TCommand::ActionKind).
enum class ActionCode : std::uint8_t {
    None = 0,
    OpenRunFile = 1,
    VisitWebsite = 2,
    SendEmail = 3,
    PlaySound = 4,
    PrintDocument = 5,
    ShowSubPage = 6,
    BrowseFolder = 7,
    CloseWindow = 8,
    Exit = 9,
    StopSound = 10,
    StopAllSound = 11,
    GotoPage = 12,
    ShowPicture = 13,
    LaunchMediaFile = 14,
    LaunchSlideShow = 15,
    ShowMessage = 16,
    CopyFilesThenOpen = 17,
    Minimize = 18,
    Play = 19,
    Stop = 20,
    Pause = 21,
    Previous = 22,
    Next = 23,
    FirstBack = 24,
    LastStep = 25,
    LoadFileWithObject = 26,
    ShowHideObjects = 27,
    ActionGroup = 28,
};

constexpr std::uint8_t ActionKindOf(ActionCode code) { return static_cast<std::uint8_t>(code); }

} // namespace carvelle
