// Every picture the program draws from: the skin pictures of both language folders and the small
// bitmaps built into the program. The generator draws exactly this list and the tests check the
// results against it, so a size or name changes here and nowhere else.
//
// Sizes follow from where the windows draw each picture (the "drawn at" column, window client
// pixels); a window's background picture sets that window's size.
#pragma once

#include <array>
#include <string_view>

namespace tarsel::skin_art {

enum class Language { English, Chinese };

inline constexpr std::array<Language, 2> kLanguages{Language::English, Language::Chinese};

// Folder of a language below the skin root ("png/" beside the executable), with trailing '/'.
constexpr std::string_view LanguageFolder(Language language) {
  return language == Language::Chinese ? "chinese/" : "english/";
}

// What to draw; `variant` of a picture refines it (state, direction, section height).
enum class Art {
  MainBackground,
  TitleButton,  // variant: 0 help, 1 minimise, 2 close
  Logo,
  Keyboard,    // variant: 0 normal, 1 every key lit
  MainButton,  // variant: 0 plain (dark label), 1 accent (red label)
  ProfileButton,
  SectionHeader,  // variant: 0 no fold state, 1 open, 2 folded
  SectionOpen,    // header and body; variant: 0 plain body, 1 report-rate scale
  LightingBody,
  SpeedBody,
  SelectorBox,
  MulticolourSwatch,
  Direction,   // variant: 0 left, 1 right, 2 up, 3 down; +4 when enabled
  PanelRadio,  // variant: 0 off, 1 on
  SliderThumb,
  MacroStrip,
  MacroButton,
  HelpPanel,
  KeyDialogBackground,
  DialogClose,  // variant: 0 normal, 1 pointer over
  Tab,
  TabStrip,
  TabMarker,
  DialogTick,    // variant: 0 off, 1 on
  DialogButton,  // variant: 0 normal, 1 pointer over; +2 accent (Save)
  AdvancePanel,
  PathField,
  BrowseButton,  // variant: 0 normal, 1 pointer over
  MacroDialogBackground,
  RecordButton,  // variant: 0 normal, 1 pointer over
  OptionBox,     // variant: 0 off, 1 ticked
  ProfileDialogBackground,
  ProfileAction,  // variant: 0 new, 1 delete
  SliderTrack,    // variant: 0 empty, 1 filled
  EventIcon,      // variant: 0 press, 1 release, 2 delay
  TreeGlyph,      // variant: 0 collapsed (plus), 1 expanded (minus)
  ListBackground,
  AppIcon,
};

struct PictureEntry {
  std::string_view folder;  // "" for the language folder itself, else "Custom/" etc.
  std::string_view name;
  int width;
  int height;
  Art art;
  int variant;
  std::string_view english;  // text baked into the picture, UTF-8; "" for none
  std::string_view chinese;
  std::string_view drawnAt;  // for the reader: where the windows put it
};

// Skin pictures, generated once per language folder. File names are matched without regard to
// case by the program; where the windows spell one name two ways both spellings are written with
// the same picture, so a case-sensitive look-up finds it as well.
inline constexpr std::array kSkinPictures = std::to_array<PictureEntry>({
    // Main window.
    {"", "main.png", 1000, 645, Art::MainBackground, 0, "", "", "(0, 0); sets the window size"},
    {"", "button-help-normal.png", 16, 16, Art::TitleButton, 0, "", "", "(936, 5)"},
    {"", "button-min-normal.png", 16, 16, Art::TitleButton, 1, "", "", "(957, 5)"},
    {"", "button-close-normal.png", 16, 16, Art::TitleButton, 2, "", "", "(978, 5)"},
    {"", "logo.png", 243, 64, Art::Logo, 0, "GAMING KEYBOARD", "游戏键盘", "(19, 35)"},
    {"", "kb_BK.png", 645, 206, Art::Keyboard, 0, "", "", "(307, 211)"},
    {"", "kb_hl.png", 645, 206, Art::Keyboard, 1, "", "", "key areas copied to (307, 211)"},
    {"", "button-cancel-normal.png", 60, 31, Art::MainButton, 0, "", "",
     "(800, 605) Default, (862, 605) Cancel"},
    {"", "button-save-normal.png", 60, 31, Art::MainButton, 1, "", "", "(924, 605)"},
    {"", "Config.png", 76, 32, Art::ProfileButton, 0, "", "", "(17, 603)"},
    // The settings panel's pictures reach seven pixels past the headers' click areas (x 19..261),
    // so that labels placed near the right end (the Win lock "OFF") stay on the panel.
    {"", "itemBK.png", 250, 20, Art::SectionHeader, 0, "", "", "(19, 110)"},
    {"", "LEDEffect_open.png", 250, 205, Art::LightingBody, 0, "", "", "(19, 130)"},
    {"", "freq.png", 250, 88, Art::SpeedBody, 0, "", "", "(19, 245)"},
    {"", "Light_Item.png", 221, 16, Art::SelectorBox, 0, "", "", "(28, 158), (28, A + 248)"},
    {"", "8.png", 20, 20, Art::MulticolourSwatch, 0, "", "", "(203, 223)"},
    {"", "Direction-L-Disable.png", 36, 16, Art::Direction, 0, "", "", "y 197"},
    {"", "Direction-R-Disable.png", 36, 16, Art::Direction, 1, "", "", "y 197"},
    {"", "Direction-T-Disable.png", 36, 16, Art::Direction, 2, "", "", "y 197"},
    {"", "Direction-B-Disable.png", 36, 16, Art::Direction, 3, "", "", "y 197"},
    {"", "Direction-L-Enable.png", 36, 16, Art::Direction, 4, "", "", "y 197"},
    {"", "Direction-R-Enable.png", 36, 16, Art::Direction, 5, "", "", "y 197"},
    {"", "Direction-T-Enable.png", 36, 16, Art::Direction, 6, "", "", "y 197"},
    {"", "Direction-B-Enable.png", 36, 16, Art::Direction, 7, "", "", "y 197"},
    {"", "Disable.png", 12, 12, Art::PanelRadio, 0, "", "", "view switch, game mode, Win lock"},
    {"", "Enable.png", 12, 12, Art::PanelRadio, 1, "", "", "view switch, game mode, Win lock"},
    {"", "Thumb.png", 15, 14, Art::SliderThumb, 0, "", "", "slider strip + (x, 1)"},
    {"", "MacroManagementBK.png", 250, 55, Art::MacroStrip, 0, "", "", "(19, A + 110)"},
    {"", "MacroButton3.png", 241, 19, Art::MacroButton, 0, "", "", "(19, A + 120)"},
    {"", "gamemode_open.png", 250, 55, Art::SectionOpen, 0, "", "", "(19, A + 165)"},
    {"", "gamemode_Close.png", 250, 20, Art::SectionHeader, 2, "", "", "(19, A + 165)"},
    {"", "responsetime_open.png", 250, 75, Art::SectionOpen, 0, "", "", "(19, A + 220)"},
    {"", "responsetime_close.png", 250, 20, Art::SectionHeader, 2, "", "", "(19, A + 220)"},
    // The report-rate scale: one label under each of the slider's four positions.
    {"", "reportrate_Open.png", 250, 60, Art::SectionOpen, 1, "125Hz|250Hz|500Hz|1000Hz",
     "125Hz|250Hz|500Hz|1000Hz", "(19, D)"},
    {"", "reportrate_Close.png", 250, 20, Art::SectionHeader, 2, "", "", "(19, D)"},
    {"", "HelpWindow.png", 167, 78, Art::HelpPanel, 0, "", "", "(830, 22)"},

    // Key-assignment dialog.
    {"Custom/", "Custom_BK.png", 326, 276, Art::KeyDialogBackground, 0, "", "",
     "(0, 0); sets the dialog size"},
    {"Custom/", "button-close-normal.png", 16, 16, Art::DialogClose, 0, "", "", "(303, 2)"},
    {"Custom/", "button-close-over.png", 16, 16, Art::DialogClose, 1, "", "", "(303, 2)"},
    {"Custom/", "large_button.png", 81, 26, Art::Tab, 0, "", "", "x 0, 81, 162, 243; y 31"},
    {"Custom/", "single_combine_option.png", 326, 7, Art::TabStrip, 0, "", "", "(0, 30)"},
    {"Custom/", "cursor.png", 12, 7, Art::TabMarker, 0, "", "", "x 35, 115, 200, 280; y 30"},
    {"Custom/", "Disable.png", 11, 11, Art::DialogTick, 0, "", "", "(19, 251); radio marks"},
    {"Custom/", "disable.png", 11, 11, Art::DialogTick, 0, "", "", "(15, 72 + 30 r)"},
    {"Custom/", "Enable.png", 11, 11, Art::DialogTick, 1, "", "", "(19, 251); radio marks"},
    {"Custom/", "enable.png", 11, 11, Art::DialogTick, 1, "", "", "(15, 72 + 30 r)"},
    // Wider than their click areas (42 pixels) so the labels drawn over them stay inside.
    {"Custom/", "button-cancel-normal.png", 48, 23, Art::DialogButton, 0, "", "",
     "(156, 246) Default, (210, 246) Cancel"},
    {"Custom/", "button-cancel-over.png", 48, 23, Art::DialogButton, 1, "", "",
     "(156, 246) Default, (210, 246) Cancel"},
    {"Custom/", "button-save-normal.png", 48, 23, Art::DialogButton, 2, "", "", "(264, 246)"},
    {"Custom/", "button-save-over.png", 48, 23, Art::DialogButton, 3, "", "", "(264, 246)"},
    {"Custom/", "Macro_BK.png", 296, 116, Art::AdvancePanel, 0, "", "", "(15, 66)"},
    {"Custom/", "Advanced.png", 159, 16, Art::PathField, 0, "", "", "(85, 68 + 30 r)"},
    {"Custom/", "view.png", 47, 16, Art::BrowseButton, 0, "Browse", "浏览", "(256, 68 + 30 r)"},
    {"Custom/", "view02.png", 47, 16, Art::BrowseButton, 1, "Browse", "浏览", "(256, 68 + 30 r)"},

    // Macro manager.
    {"MacroManagement/", "MacroManagement.png", 416, 438, Art::MacroDialogBackground, 0, "", "",
     "(0, 0); sets the window size"},
    // Wider than its click area (90 pixels) so "Start Recording" stays on the button.
    {"MacroManagement/", "Record-normal.png", 108, 25, Art::RecordButton, 0, "", "", "(290, 100)"},
    {"MacroManagement/", "Record-over.png", 108, 25, Art::RecordButton, 1, "", "", "(290, 100)"},
    {"MacroManagement/", "Pane.png", 15, 15, Art::OptionBox, 0, "", "",
     "(368, 168) delay, (296, 315) loops"},
    {"MacroManagement/", "PaneMakingTick.png", 15, 15, Art::OptionBox, 1, "", "",
     "(368, 168) delay, (296, 315) loops"},
    {"MacroManagement/", "button-new-normal.png", 58, 25, Art::DialogButton, 0, "", "",
     "(20, 368), (80, 368), (280, 400), (340, 400)"},
    {"MacroManagement/", "button-new-over.png", 58, 25, Art::DialogButton, 1, "", "",
     "(20, 368), (80, 368), (280, 400), (340, 400)"},

    // Profile manager.
    {"Config/", "Config.png", 264, 630, Art::ProfileDialogBackground, 0, "", "",
     "(0, 0); sets the dialog size"},
    {"Config/", "button-close-normal.png", 16, 16, Art::DialogClose, 0, "", "", "(247, 10)"},
    {"Config/", "New.png", 67, 50, Art::ProfileAction, 0, "", "", "(13, 575)"},
    {"Config/", "Delete.png", 67, 50, Art::ProfileAction, 1, "", "", "(183, 575)"},
});

struct ResourceEntry {
  std::string_view name;  // file in the generated resource folder
  int resourceId;         // the number the program knows the bitmap by
  int width;
  int height;
  Art art;
  int variant;
};

// Pictures built into the program rather than read from a skin folder.
inline constexpr std::array kResourcePictures = std::to_array<ResourceEntry>({
    {"event_press.png", 131, 10, 14, Art::EventIcon, 0},
    {"tree_collapsed.png", 133, 9, 9, Art::TreeGlyph, 0},
    {"tree_expanded.png", 134, 9, 9, Art::TreeGlyph, 1},
    {"event_delay.png", 137, 14, 14, Art::EventIcon, 2},
    {"event_release.png", 138, 10, 14, Art::EventIcon, 1},
    {"slider_track_empty.png", 139, 220, 17, Art::SliderTrack, 0},
    {"slider_track_filled.png", 140, 220, 17, Art::SliderTrack, 1},
    {"list_background.png", 145, 127, 305, Art::ListBackground, 0},
    {"tarsel.png", 155, 256, 256, Art::AppIcon, 0},
});

}  // namespace tarsel::skin_art
