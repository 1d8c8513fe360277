#pragma once

// The texts of the test window, each used exactly as it stands.
namespace FrmTestText {
// The window's caption.
inline const char *const Caption = "صفحه اجراي تست";
// SkinLabel3.
inline const char *const Title = "مقياس مهارتهاي اجتماعي کورات";
// SkinLabel4.
inline const char *const Instructions =
    "دوستان عزيز لطفا سئوالات زير را به دقت بخوانيد و سپس به آنها پاسخ دهيد . وقت به اندازه کافي داريد . پس در مورد هر سوال خوب فکر کنيد و بعد علامت بزنيد. ضمنا نتيجه اين آزمون هيچ تاثيري روي نمره درسها يا انضباط شما ندارد.";
// SkinLabel5.
inline const char *const Note =
    "هيچ پاسخ درست يا غلط براي گزينه ها وجود ندارد، لطفاً به همه ي گزينه ها پاسخ دهيد";
// SkinLabel6: the values of a direct statement, blanks and all.
inline const char *const Legend =
    "  هميشه = 5 --- بيشتر اوقات =4  ---  گاهي وقت ها = 3 ---   بندرت = 2 ---  هرگز = 1 ";
// Command1, and the notice before the first statement.
inline const char *const Start = "شروع";
// Command2.
inline const char *const Exit = "خروج";
// Command5.
inline const char *const SaveAndExit = "ذخيره و خروج";
// CmdBack.
inline const char *const Back = "قبلي";
// CmdNext.
inline const char *const Next = "بعدي";
// The notice past the last statement.
inline const char *const End = "پايان";
// The options, Option1 to Option5.
inline const char *const Never = "هرگز";
inline const char *const Rarely = "بندرت";
inline const char *const Sometimes = "گاهي اوقات";
inline const char *const Often = "اغلب اوقات";
inline const char *const Always = "هميشه";
// The details frame: SkinLbl, SkinLabel1 and the SkinLabel2 labels in their order.
inline const char *const CodeLabel = " :کد";
inline const char *const FNameLabel = " :نام";
inline const char *const LNameLabel = " :نام خانوادگي";
inline const char *const GenderLabel = " :جنس";
inline const char *const AgeLabel = " :سن";
inline const char *const MaritalLabel = " :وضعيت تاهل";
inline const char *const EducationLabel = " :ميزان تحصيلات";
inline const char *const DateLabel = " :تاريخ";
inline const char *const TimeLabel = " :ساعت";
// The input box of the main window's run-test button.
inline const char *const CodePrompt = " Plese Insert Code ";
inline const char *const CodeTitle = "Enter Code ";
// Refusals of the run-test button.
inline const char *const NeedCode = "شما بايد شماره آزمودني مورد نظر را وارد كنيد";
inline const char *const NoSuchSubject = "فردي با اين مشخصات وجود ندارد";
// The number box and the age box take digits only.
inline const char *const NumbersOnly = "شما بايد عدد وارد كنيد";
// The tooltip of an option: the key that chooses it follows.
inline const char *const OptionKey = "کليد ";
// The check box that moves on by itself after an answer.
inline const char *const AutoAdvance = "رفتن خودکار به سؤال بعد";
// The progress bar; N stands for the number answered.
inline const char *const Progress = "پاسخ داده شده: N از 56";
// The button to the next statement without an answer.
inline const char *const NextUnanswered = "سؤال بي پاسخ بعدي";
// Its notice when none is left.
inline const char *const AllAnswered = "به همه سؤالات پاسخ داده شده";
// When the subject's rows could not be read; the reason follows.
inline const char *const ReadFailed = "اطلاعات آزمودني از پايگاه داده خوانده نشد:";
// Heads the reason when the statement to show could not be read.
inline const char *const StatementUnread = "متن این عبارت از پایگاه داده خوانده نشد:";
// Asked at exit when the answers could not be stored.
inline const char *const CloseUnsaved =
    "پاسخ‌هايی که ذخيره نشده‌اند با بستن اين صفحه از دست می‌روند. آيا صفحه بسته شود؟";
} // namespace FrmTestText
