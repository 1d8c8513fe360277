#pragma once

#include <QDialog>
#include <QString>

class Cursor;
class QPushButton;
class QScrollArea;
class Skin;
class SkinLabel;

namespace FrmravansanjiText {
inline const char *const Caption = "معرفي پرسشنامه";
inline const char *const Heading = "راهنماي مقياس مهارتهاي اجتماعي کورات";
inline const char *const DescriptionHeading = "مقياس مهارتهاي اجتماعي کورات";
inline const char *const ReliabilityHeading = "بررسي اعتبار و پايايي مقياس مهارتهاي اجتماعي";
inline const char *const Exit = "خروج";

// What the scale measures, for whom, and how it is answered and scored. The direct statements
// are named where %1 stands, taken from the scoring key so the two never disagree.
inline const char *const Description =
    "مقیاس مهارت‌های اجتماعی کورات را سازندگان آن برای سنجش مهارت‌های اجتماعی افراد ۴ تا ۱۸ ساله "
    "ساخته‌اند، و این مقیاس در ارزیابی مهارت‌های اجتماعی دانش‌آموزان به کار رفته است.\n"
    "فرم نخست مقیاس ۶۲ عبارت داشت. تحلیل عاملی بعدی آن را به ۵۶ عبارت کاهش داد که هر یک "
    "جنبه‌ای از مهارت‌های اجتماعی فرد را توصیف می‌کند.\n"
    "آزمودنی هر عبارت را می‌خواند و پاسخ خود را روی طیف پنج‌درجه‌ای لیکرت، از ۱ («هرگز») تا ۵ "
    "(«هميشه»)، مشخص می‌کند.\n"
    "عبارت‌های %1 مستقیم نمره‌گذاری می‌شوند: «هرگز» نمرهٔ ۱ و «هميشه» نمرهٔ ۵ می‌گیرد. همهٔ "
    "عبارت‌های دیگر معکوس نمره‌گذاری می‌شوند: «هرگز» نمرهٔ ۵ و «هميشه» نمرهٔ ۱.";

// How reliable and valid the scale has been found.
inline const char *const Reliability =
    "پژوهش‌های منتشرشده دربارهٔ این مقیاس، پایایی بازآزمایی آن را بالا و روایی افتراقی آن را "
    "قابل قبول گزارش کرده‌اند.\n"
    "سازندگان مقیاس پایایی آن را با دو روش آلفای کرونباخ و دونیمه‌سازی سنجیده‌اند و هر دو روش "
    "برای کل مقیاس ضریب ۸۶ درصد را به دست داده است.\n"
    "در پژوهش حاضر ضریب پایایی مقیاس ۸۱ درصد به دست آمد.";
} // namespace FrmravansanjiText

// The questionnaire introduction: what the Korvat scale measures, how it is answered and scored,
// and how reliable it is. It shows fixed texts and changes nothing; the texts scroll when the
// window is too small for them.
class Frmravansanji : public QDialog
{
    Q_OBJECT

public:
    explicit Frmravansanji(QWidget *parent = nullptr);

    // The description text as the window shows it: its heading, then the prose.
    static QString DescriptionText();
    static QString ReliabilityText();

    Cursor *Adodc1; // Theme
    QString Text1;  // the stored theme number
    Skin *Skin1;
    SkinLabel *SkinLabel2; // the heading
    SkinLabel *SkinLabel4; // the description of the scale
    SkinLabel *SkinLabel5; // its reliability and validity
    QScrollArea *Texts;    // holds the two texts, and scrolls them
    QPushButton *Command1; // exit
};
