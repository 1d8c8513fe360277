#pragma once

// The texts of the subject browser, each used exactly as it stands.
namespace FrmCodeText {
inline const char *const Caption = "کد آزمودني";
inline const char *const GridCaption = "مشخصات آزمودني";
inline const char *const CodeColumn = "کد";
inline const char *const FNameColumn = "نام";
inline const char *const LNameColumn = "نام خانوادگي";
inline const char *const GroupColumn = "گروه";
inline const char *const LNameLabel = " :نام خانوادگي";
inline const char *const FNameLabel = " :نام ";
inline const char *const GroupLabel = " :گروه";
inline const char *const DeleteFrame = "حذف کردن آزمودني";
inline const char *const CodePrompt = "کد آزمودني را وارد کنيد";
inline const char *const Delete = "حذف ";
inline const char *const PrintByGroup = "پرينت بر اساس گروه";
inline const char *const GroupSummary = "خلاصه آماري گروه";
inline const char *const Exit = "خروج";
inline const char *const NeedCode = "شما بايد شماره آزمودني مورد نظر را وارد كنيد";
inline const char *const NoSuchCode = "فردي با اين کد وجود ندارد";
inline const char *const SureToDelete = "آيا براي حذف کردن مطمئن هستيد؟";
inline const char *const Deleted = "حذف با موفقيت انجام گرفت";
inline const char *const ErrorTitle = "Error";
// Heads the reason when the subjects or the names could not be read.
inline const char *const ReadFailed = "اطلاعات آزمودني ها از پايگاه داده خوانده نشد:";
} // namespace FrmCodeText
