#pragma once

// The texts of the main window, each used exactly as it stands.
namespace Frm1Text {
inline const char *const Caption = "Korvat";
inline const char *const Command1Caption = "ثبت نام آزمودني";
inline const char *const Command2Caption = "اجراي تست";
inline const char *const Command3Caption = "کليد گذاري";
inline const char *const Command4Caption = "نمايش کد آزمودني";
inline const char *const Command11Caption = "معرفي پرسشنامه";
inline const char *const Command5Caption = "ماشين حساب";
inline const char *const Command9Caption = "تنظيمات";
inline const char *const Command12Caption = "درباره ما";
inline const char *const Command6Caption = "خروج";
inline const char *const Command1Hint = " شما بايد هر آزمودني را ابتدا ثبت نام کرده و سپس روي دکمه "
                                        "اجراي تست کليک کرده و کد آزمودني را وارد کنيد";
inline const char *const Command2Hint =
    " جهت جواب دادن به سؤالها روي اين دکمه کليک کنيد و کد آزمودني مورد نظر را وارد کنيد ";
inline const char *const Command3Hint = " جهت کليد گذاري روي اين دکمه کليک مي کنيد";
inline const char *const Command4Hint = " درصورتيکه کد آزمودني را فراموش کرده ايد با کليک بر روي  "
                                        "اين قسمت مي توانيد آن را بدست بياوريد";
inline const char *const Command9Hint = "با کليک بر روي اين دکمه شمامي توانيد:1- تم برنامه را عوض "
                                        "کنيد 2- نام و آدرس کلينيک را وارد کنيد";
inline const char *const Command13Caption = "راهنما";
inline const char *const Picture1Tip = "جهت ورود به سايت کليک کنيد";
inline const char *const AlreadyRunning = "برنامه در حال اجراست";
inline const char *const AlreadyRunningTitle = "Warnnig";
// The maker's pages.
inline const char *const HelpPage = "https://www.korvat.example/software/software-settings.html";
inline const char *const HomePage = "https://www.korvat.example/";
inline const char *const ShopPage = "https://shop.korvat.example/";
// Asked once at start when the clinic's server wants a password and nothing else gives one.
inline const char *const ServerPasswordTitle = "گذرواژه‌ی سرور";
inline const char *const ServerPasswordPrompt =
    "گذرواژه‌ی پایگاه داده روی سرور را بنویسید:\n\u2066%1\u2069";
} // namespace Frm1Text
