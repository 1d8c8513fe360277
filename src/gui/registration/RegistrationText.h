#pragma once

// The texts of the registration panel, each used exactly as it stands.
namespace RegistrationText {
inline const char *const CodeLabel = " :کد";
inline const char *const FNameLabel = " :نام";
inline const char *const LNameLabel = " :نام خانوادگي";
inline const char *const AgeLabel = " :سن";
inline const char *const MaritalLabel = " :تاهل";
inline const char *const Single = "مجرد";
inline const char *const Married = "متأهل";
inline const char *const DateLabel = " :تاريخ";
inline const char *const TimeLabel = " :ساعت";
inline const char *const GenderLabel = " :جنس";
inline const char *const Male = "مرد";
inline const char *const Female = "زن";
inline const char *const GroupLabel = " :گروه";
inline const char *const EducationLabel = " :تحصيلات";
inline const char *const Save = "ذخيره";
inline const char *const Cancel = "انصراف";
inline const char *const NumbersOnly = "شما بايد عدد وارد كنيد";
inline const char *const NeedCode = "کد آزمودني را وارد کنيد";
inline const char *const NeedFName = "نام آزمودني را وارد کنيد";
inline const char *const NeedLName = "نام خانوادگي آزمودني را وارد کنيد";
inline const char *const NeedGender = "جنسيت آزمودني را مشخص کنيد";
inline const char *const NeedAge = "سن آزمودني را وارد کنيد";
inline const char *const NeedMarital = "وضعيت تاهل آزمودني را مشخص کنيد";
inline const char *const NeedGroup = "گروه را مشخص کنيد";
inline const char *const NeedEducation = "ميزان تحصيلات آزمودني را وارد کنيد";
inline const char *const CodeTaken = "فردديگري با اين کد ثبت شده";
} // namespace RegistrationText
