#pragma once

#include <QString>

// The reports' texts, each written once. The layouts' captions are printed exactly as here.
namespace ReportsText {
// The results list.
inline QString ListTitle()
{
    return QString::fromUtf8("گزارش نتيجه تست  مقياس مهارتهاي اجتماعي کورات   ");
}
inline QString RowCaption()
{
    return QString::fromUtf8("رديف");
}
inline QString CodeCaption()
{
    return QString::fromUtf8("کد");
}
inline QString GroupCaption()
{
    return QString::fromUtf8("گروه");
}
inline QString AgeCaption()
{
    return QString::fromUtf8("سن");
}
inline QString GenderCaption()
{
    return QString::fromUtf8("جنس");
}
inline QString MaritalCaption()
{
    return QString::fromUtf8("تاهل");
}
inline QString EducationCaption()
{
    return QString::fromUtf8("تحصيلات");
}
inline QString TotalCaption()
{
    return QString::fromUtf8("کل");
}
inline QString AddressCaption()
{
    return QString::fromUtf8(":آدرس");
}

// The result sheet.
inline QString SheetTitle()
{
    return QString::fromUtf8("پرسشنامه مهارت هاي اجتماعي کورات");
}
inline QString SheetAddressCaption()
{
    return QString::fromUtf8("آدرس");
}
// The sheet writes this subscale with two blanks in the middle.
inline QString SheetConterloCaption()
{
    return QString::fromUtf8("رفتارهاي  غير اجتماعي");
}

// Our own credit lines.
inline QString CreditLine()
{
    return QStringLiteral("www.korvat.example");
}
inline QString ShopLine()
{
    return QStringLiteral("shop.korvat.example");
}

// The print buttons' notices.
inline QString ScoreFirst()
{
    return QString::fromUtf8("ابتدا روي انتخاب آزمودني کليک کرده سپس کد آزمودني را وارد کنيد بعد "
                             "روي پرينت کليک کنيد ");
}
inline QString ChooseGroup()
{
    return QString::fromUtf8("شما بايد گروه آزمودني مورد نظر را انتخاب كنيد");
}
inline QString NoSuchSubject()
{
    return QString::fromUtf8("فردي با اين مشخصات وجود ندارد");
}
inline QString ReadFailed()
{
    return QString::fromUtf8("اطلاعات گزارش از پايگاه داده خوانده نشد:");
}

// What a saved report's file is called, and what its PDF says made it.
inline QString SheetFileName()
{
    return QString::fromUtf8("برگه نتيجه");
}
inline QString ListFileName()
{
    return QString::fromUtf8("فهرست نتايج");
}
inline QString SummaryFileName()
{
    return QString::fromUtf8("خلاصه آماري");
}
inline QString GroupFilePart()
{
    return QString::fromUtf8("گروه %1");
}
inline QString EveryoneFilePart()
{
    return QString::fromUtf8("همه");
}
inline QString ProgramName()
{
    return QStringLiteral("Korvat");
}
inline QString NotMade()
{
    return QString::fromUtf8("گزارش ساخته نشد");
}

// The group summary.
inline QString SummaryTitle()
{
    return QString::fromUtf8("خلاصه آماري گروه");
}
inline QString GroupLine()
{
    return QString::fromUtf8("گروه: %1");
}
inline QString EverySubject()
{
    return QString::fromUtf8("همه آزمودني ها");
}
inline QString ScoredLine()
{
    return QString::fromUtf8("آزمودني هاي نمره دار: %1");
}
inline QString UnscoredLine()
{
    return QString::fromUtf8("بدون نمره: %1");
}
inline QString NoneScoredInGroup()
{
    return QString::fromUtf8("در گروه %1 هيچ آزمودني نمره نگرفته است؛ خلاصه آماري ساخته نشد.");
}
inline QString NoneScored()
{
    return QString::fromUtf8("هيچ آزمودني نمره نگرفته است؛ خلاصه آماري ساخته نشد.");
}

// The progress of a long list.
inline QString ReadingRows()
{
    return QString::fromUtf8("خواندن آزمودني ها از پايگاه داده...");
}
inline QString DrawingPages()
{
    return QString::fromUtf8("ساختن صفحه هاي گزارش...");
}
inline QString Cancel()
{
    return QString::fromUtf8("انصراف");
}

// The preview's own buttons and their messages.
inline QString SavePdf()
{
    return QString::fromUtf8("ذخيره PDF");
}
inline QString SaveCsv()
{
    return QString::fromUtf8("ذخيره CSV");
}
inline QString Print()
{
    return QString::fromUtf8("چاپ");
}
inline QString PageSetup()
{
    return QString::fromUtf8("تنظيم صفحه");
}
inline QString PreviousPage()
{
    return QString::fromUtf8("صفحه قبل");
}
inline QString NextPage()
{
    return QString::fromUtf8("صفحه بعد");
}
inline QString PageCaption()
{
    return QString::fromUtf8("صفحه");
}
inline QString OfPages()
{
    return QString::fromUtf8("از %1");
}
inline QString FitWidth()
{
    return QString::fromUtf8("عرض صفحه");
}
inline QString FitPage()
{
    return QString::fromUtf8("تمام صفحه");
}
inline QString Zoom()
{
    return QString::fromUtf8("بزرگنمايي");
}
inline QString PrintFailed()
{
    return QString::fromUtf8("چاپ انجام نشد.");
}
inline QString SaveFailed()
{
    return QString::fromUtf8("فايل ذخيره نشد:");
}
inline QString Saved()
{
    return QString::fromUtf8("فايل ذخيره شد");
}
} // namespace ReportsText
