#pragma once

// What the data layer tells the user about the register, whichever engine keeps it.
namespace DatabaseText {
// The path is isolated as left-to-right text so it reads correctly inside a Persian sentence.
inline const char *const Missing = "فایل پایگاه داده پیدا نشد:\n\u2066%1\u2069\n\n"
                                   "برنامه بسته می‌شود.";
inline const char *const Unreadable = "فایل پایگاه داده باز نشد:\n\u2066%1\u2069\n\n%2\n\n"
                                      "برنامه بسته می‌شود.";
inline const char *const ReadOnly =
    "فایل پایگاه داده فقط‌خواندنی است و اطلاعات در آن ذخیره نمی‌شود:"
    "\n\u2066%1\u2069\n\nبرنامه بسته می‌شود.";
inline const char *const Foreign =
    "این فایل پایگاه داده‌ی این برنامه نیست یا آسیب دیده است:"
    "\n\u2066%1\u2069\n\nبرنامه بسته می‌شود.";
inline const char *const MissingParts =
    "پایگاه داده‌ی این برنامه کامل نیست:\n\u2066%1\u2069\n\n"
    "کم دارد: \u2066%2\u2069\n\nبرنامه بسته می‌شود.";
inline const char *const ReadOnlyFolder =
    "پوشه‌ی پایگاه داده فقط‌خواندنی است و اطلاعات در آن ذخیره نمی‌شود:"
    "\n\u2066%1\u2069\n\nبرنامه بسته می‌شود.";
inline const char *const InUse =
    "پایگاه داده در اختیار برنامه‌ی دیگری است و اکنون باز نمی‌شود:"
    "\n\u2066%1\u2069\n\n"
    "آن برنامه را ببندید و این برنامه را دوباره باز کنید. "
    "به فایل دست زده نشد.\n\nبرنامه بسته می‌شود.";
inline const char *const CannotWrite =
    "پایگاه داده نیمه‌کاره مانده و برنامه اجازه‌ی نوشتن برای کامل کردن آن را ندارد:"
    "\n\u2066%1\u2069\n\nبرنامه بسته می‌شود.";
inline const char *const WalMode =
    "پایگاه داده در حالتی (WAL) باز است که نسخه‌ی پشتیبان از فایل آن کامل نمی‌ماند، و تا "
    "برنامه‌ی دیگری آن را باز نگه داشته است نمی‌توان آن را به حالت همیشگی برگرداند:"
    "\n\u2066%1\u2069\n\nبرنامه‌های دیگر را ببندید و این برنامه را دوباره باز کنید."
    "\n\nبرنامه بسته می‌شود.";
// What went wrong with a write, in words an examiner can act on.
inline const char *const WriteBusy =
    "پایگاه داده در اختیار برنامه‌ی دیگری است و اطلاعات ذخیره نشد. کمی بعد دوباره ذخیره کنید.";
inline const char *const WriteFull = "جای خالی دیسک تمام شده است و اطلاعات ذخیره نشد.";
inline const char *const WriteReadOnly =
    "پایگاه داده یا پوشه‌ی آن فقط‌خواندنی است و اطلاعات ذخیره نشد.";
inline const char *const WriteDiskError =
    "خواندن یا نوشتن روی دیسک ناموفق بود و اطلاعات ذخیره نشد.";
inline const char *const WriteOther = "اطلاعات ذخیره نشد.";
// The file was replaced (a backup restored by another copy of the program) while this one had it
// open: what it saves would go to the old file, which is no longer the database.
inline const char *const Replaced =
    "پایگاه داده در این میان با فایل دیگری جایگزین شده است (برنامه‌ی دیگری نسخه‌ی پشتیبانی را "
    "برگردانده است) و اطلاعات ذخیره نشد. برنامه را ببندید و دوباره باز کنید.";
inline const char *const ReadBusy =
    "پايگاه داده در اختيار برنامه ديگري است. کمي بعد دوباره امتحان کنيد.";
// Why a file is not a database the program can take as its own.
inline const char *const NotDatabase = "فایل پایگاه داده نیست.";
inline const char *const Damaged = "فایل آسیب دیده است.";
inline const char *const Lacks =
    "پایگاه داده‌ی این برنامه نیست؛ کم دارد: \u2066%1\u2069";
inline const char *const HasTriggers =
    "پایگاه داده‌ی این برنامه نیست؛ دستورهایی (trigger) دارد که این برنامه هرگز نمی‌سازد و با "
    "هر ذخیره اجرا می‌شوند: \u2066%1\u2069";
inline const char *const TriggersAtStart =
    "پایگاه داده دستورهایی (trigger) دارد که این برنامه هرگز نمی‌سازد و با هر ذخیره اجرا "
    "می‌شوند و می‌توانند اطلاعات را تغییر دهند:\n\u2066%1\u2069\n\n"
    "دستورها: \u2066%2\u2069\n\nبه فایل دست زده نشد. برنامه بسته می‌شود.";
inline const char *const OtherJournal =
    "پایگاه داده در حالتی است که برنامه نمی‌تواند آن را به حالت همیشگی "
    "برگرداند.";
} // namespace DatabaseText
