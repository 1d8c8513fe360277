-- The Korvat database. Every field is text; a subject's two rows share their Code.
-- Field names are used exactly as written here and always quoted as identifiers.

-- The register of subjects, one row per subject.
CREATE TABLE "IDE" (
    "Code" TEXT UNIQUE,
    "FName" TEXT,
    "LName" TEXT,
    "Sen" TEXT,
    "Jens" TEXT,
    "Taahol" TEXT,
    "Tahsil" TEXT,
    "Group" TEXT,
    "Date" TEXT,
    "Time" TEXT,
    "BPosetive" TEXT,
    "Conterlo" TEXT,
    "Etminan" TEXT,
    "neyaz" TEXT,
    "self" TEXT,
    "Kol" TEXT
);

-- The answers, one row per subject: field N holds the stored answer to statement N.
CREATE TABLE "Answer" (
    "Code" TEXT UNIQUE,
    "1" TEXT,
    "2" TEXT,
    "3" TEXT,
    "4" TEXT,
    "5" TEXT,
    "6" TEXT,
    "7" TEXT,
    "8" TEXT,
    "9" TEXT,
    "10" TEXT,
    "11" TEXT,
    "12" TEXT,
    "13" TEXT,
    "14" TEXT,
    "15" TEXT,
    "16" TEXT,
    "17" TEXT,
    "18" TEXT,
    "19" TEXT,
    "20" TEXT,
    "21" TEXT,
    "22" TEXT,
    "23" TEXT,
    "24" TEXT,
    "25" TEXT,
    "26" TEXT,
    "27" TEXT,
    "28" TEXT,
    "29" TEXT,
    "30" TEXT,
    "31" TEXT,
    "32" TEXT,
    "33" TEXT,
    "34" TEXT,
    "35" TEXT,
    "36" TEXT,
    "37" TEXT,
    "38" TEXT,
    "39" TEXT,
    "40" TEXT,
    "41" TEXT,
    "42" TEXT,
    "43" TEXT,
    "44" TEXT,
    "45" TEXT,
    "46" TEXT,
    "47" TEXT,
    "48" TEXT,
    "49" TEXT,
    "50" TEXT,
    "51" TEXT,
    "52" TEXT,
    "53" TEXT,
    "54" TEXT,
    "55" TEXT,
    "56" TEXT
);

-- The lookups the windows make besides the code: the subject browser's names and groups, and
-- the registration date.
CREATE INDEX "IDE_LName" ON "IDE" ("LName");
CREATE INDEX "IDE_FName" ON "IDE" ("FName");
CREATE INDEX "IDE_Date" ON "IDE" ("Date");
CREATE INDEX "IDE_Group" ON "IDE" ("Group");

-- The installation's settings: exactly one row.
CREATE TABLE "Theme" (
    "TH" TEXT,
    "Name" TEXT,
    "Adress" TEXT
);

-- The 56 statements, ID "1" to "56".
CREATE TABLE "QU" (
    "ID" TEXT,
    "QUs" TEXT
);
