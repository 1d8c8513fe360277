#pragma once

// The texts of the settings panel, the themes panel and the clinic panel of the main window, each
// used exactly as it stands.
namespace SettingsText {
inline const char *const Command68Caption = "تغيير تم برنامه";   // change the theme
inline const char *const Command67Caption = " تعريف نام کلينيک"; // the clinic's name
inline const char *const Command69Caption = "خروج";              // exit
// The themes panel, from top to bottom: each button stores the theme of its place (1 to 11);
// the last one closes the panel.
struct ThemeButton
{
    const char *name;
    const char *caption;
};
inline const ThemeButton ThemeButtons[] = {
    {"Command45", " تم شماره 1"},  {"Command44", "تم شماره 2"},  {"Command43", "تم شماره 3"},
    {"Command42", "تم شماره 4"},   {"Command50", " تم شماره 5"}, {"Command49", "تم شماره 6"},
    {"Command48", "تم شماره 7"},   {"Command47", "تم شماره 8"},  {"Command41", "تم شماره 9"},
    {"Command52", "تم شماره 10 "}, {"Command53", "تم شماره 11"}, {"Command46", "خروج"},
};
inline const char *const NameLabel = " :نام";
inline const char *const AdressLabel = " :آدرس";
inline const char *const Command64Caption = "ذخيره "; // save
inline const char *const Command7Caption = "انصراف";  // cancel
} // namespace SettingsText
