#pragma once

// The texts of the scoring window, each used exactly as it stands (blanks included).
namespace FrmkLIDText {
inline const char *const Caption = "کليد گذاري";
inline const char *const CodeLabel = " :کد";
inline const char *const FNameLabel = " :نام";
inline const char *const LNameLabel = " :نام خانوادگي";
inline const char *const GenderLabel = " :جنس";
inline const char *const AgeLabel = " :سن";
inline const char *const MaritalLabel = " :وضعيت تاهل";
inline const char *const EducationLabel = " :ميزان تحصيلات";
inline const char *const DateLabel = " :تاريخ";
inline const char *const TimeLabel = " :ساعت";
inline const char *const Command1Caption = "انتخاب آزمودني";
inline const char *const Command6Caption = "پرينت آزمودني انتخاب شده";
inline const char *const Command3Caption = "پرينت کل  آزمودني ها ";
inline const char *const Command2Caption = "راهنما";
inline const char *const Command4Caption = " خروج";
inline const char *const Command7Caption = "خروج";
inline const char *const AskPrompt = " Enter Number ";
inline const char *const AskTitle = " کد آزمودني را وارد کنيد";
inline const char *const NeedCode = "شما بايد شماره آزمودني مورد نظر را وارد كنيد";
inline const char *const NoSuchSubject = "فردي با اين مشخصات وجود ندارد";
inline const char *const ErrorTitle = "خطا";
inline const char *const Unanswered =
    "شما به سوالات زير پاسخ نداده ايد و تا به تمام سوالات پاسخ ندهيد نمي توانيد نمره گذاري را انجام دهيد";
inline const char *const Saved = "اطلاعات با موفقيت محاسبه و ذخيره شد";
// The subject has an answers row but no row in the register.
inline const char *const NoDetails = "مشخصات اين آزمودني پيدا نشد";
// A value edited into the file makes a sum that cannot be stored as a whole number; the numbers of
// the statements whose values are not 1 to 5 follow.
inline const char *const NotWhole =
    "نمره‌ها عدد درستی نمی‌شوند و ذخیره نشدند. پاسخ این عبارت‌ها عددی از ۱ تا ۵ نیست:";
// The help panel, line by line.
inline const char *const HelpLines[] = {
    "در اين قسمت از نرم افزار ابتدا روي انتخاب آزمودني ",
    "کليک کرده سپس کد آزمودني را وارد کنيد و دکمه ",
    "اينتر را فشار دهيد نتيجه آزمون نمايش داده و ذخيره ",
    "خواهد شد در صورتيکه تمايل داريد نتيجه آزمون را ",
    "پرينت بگيريد روي دکمه پرينت آزمودني انتخاب شده ",
    "کليک کنيد و در صورتيکه تمايل به پرينت نتيجه آزمون ",
    "کل آزمودنيها را داريد روي دکمه پرينت کل آزمودنيها کليک کنيد",
};
} // namespace FrmkLIDText
