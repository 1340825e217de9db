-- The tables, keys, checks and indexes of this system's database file.
-- Amounts are whole cents, dates ISO text ('YYYY-MM-DD', date-times 'YYYY-MM-DD HH:MM:SS'),
-- yes/no columns 0 or 1. The reference rows are in delivered_rows.sql; what the ledgers and
-- balances read fast is in balances.sql.

-- The four sides of the financial statements: 1 and 2 the balance sheet, 3 and 4 the income statement.
CREATE TABLE FS (
    FSID    INTEGER PRIMARY KEY CHECK (FSID BETWEEN 1 AND 4),
    FSType  TEXT NOT NULL
);

-- Natures of main account types, each with the range of main-type codes it admits.
CREATE TABLE FSNature (
    NatureID      INTEGER PRIMARY KEY,
    FSID          INTEGER NOT NULL REFERENCES FS (FSID),
    AccNatureTop  TEXT NOT NULL,
    StartAt       INTEGER NOT NULL,
    EndAt         INTEGER NOT NULL,
    CHECK (StartAt <= EndAt)
);

-- Main account types (three-digit codes).
CREATE TABLE AccLevel1 (
    TypeID    INTEGER PRIMARY KEY,
    Type      TEXT COLLATE NOCASE,
    NatureID  INTEGER REFERENCES FSNature (NatureID)
);

-- Sub account types (five-digit codes). A null TypeID is cleaned up at sign-in.
CREATE TABLE AccLevel2 (
    Level2ID   INTEGER PRIMARY KEY,
    L2AccName  TEXT COLLATE NOCASE,
    TypeID     INTEGER REFERENCES AccLevel1 (TypeID)
);
CREATE INDEX AccLevel2_TypeID ON AccLevel2 (TypeID);

-- Accounts (eight-digit codes), the level voucher lines carry. Null links are cleaned up at sign-in.
CREATE TABLE AccLevel3 (
    AccCode   INTEGER PRIMARY KEY,
    AccName   TEXT COLLATE NOCASE,
    Level1ID  INTEGER REFERENCES AccLevel1 (TypeID),
    Level2ID  INTEGER REFERENCES AccLevel2 (Level2ID)
);
CREATE INDEX AccLevel3_Level1ID ON AccLevel3 (Level1ID);
CREATE INDEX AccLevel3_Level2ID ON AccLevel3 (Level2ID);

-- Voucher kinds.
CREATE TABLE TranType (
    TranType  INTEGER PRIMARY KEY,
    Name      TEXT NOT NULL,
    Short     TEXT NOT NULL
);

-- Financial years; FYID is chosen by the program (highest plus 1, at most 255).
CREATE TABLE FinancialYear (
    FYID                INTEGER PRIMARY KEY CHECK (FYID BETWEEN 1 AND 255),
    FinancialYearStart  TEXT NOT NULL,
    FinancialYearEnd    TEXT NOT NULL,
    Abbreviation        TEXT NOT NULL COLLATE NOCASE,
    CHECK (FinancialYearEnd > FinancialYearStart)
);

-- User logins: 1 is the administrator, 2 to 10 the operators. Password holds a
-- salted hash, never the password itself. Users are never deleted.
CREATE TABLE Users (
    UserID    INTEGER PRIMARY KEY CHECK (UserID BETWEEN 1 AND 10),
    UserName  TEXT NOT NULL COLLATE NOCASE,
    Password  TEXT NOT NULL,
    Notes     TEXT DEFAULT ''
);

-- One row per right; operatorK = 1 refuses the right to the user with UserID K + 1.
CREATE TABLE userrights (
    RightID    INTEGER PRIMARY KEY,
    RightType  TEXT NOT NULL DEFAULT '',
    operator1  INTEGER NOT NULL DEFAULT 0 CHECK (operator1 IN (0, 1)),
    operator2  INTEGER NOT NULL DEFAULT 0 CHECK (operator2 IN (0, 1)),
    operator3  INTEGER NOT NULL DEFAULT 0 CHECK (operator3 IN (0, 1)),
    operator4  INTEGER NOT NULL DEFAULT 0 CHECK (operator4 IN (0, 1)),
    operator5  INTEGER NOT NULL DEFAULT 0 CHECK (operator5 IN (0, 1)),
    operator6  INTEGER NOT NULL DEFAULT 0 CHECK (operator6 IN (0, 1)),
    operator7  INTEGER NOT NULL DEFAULT 0 CHECK (operator7 IN (0, 1)),
    operator8  INTEGER NOT NULL DEFAULT 0 CHECK (operator8 IN (0, 1)),
    operator9  INTEGER NOT NULL DEFAULT 0 CHECK (operator9 IN (0, 1))
);

-- The job register. JobID is given by the database; jobs are never deleted while vouchers use them.
CREATE TABLE Jobs (
    JobID            INTEGER PRIMARY KEY AUTOINCREMENT,
    JobNo            NUMERIC,
    JobDate          TEXT,
    JobDesc          TEXT COLLATE NOCASE,
    OrderRefDate     TEXT,
    ExpDeliveryDate  TEXT,
    CustomerName     TEXT,
    Address          TEXT,
    Telephone        TEXT,
    Contact          TEXT,
    EstimatedCost    INTEGER,
    ValueofWork      INTEGER,
    JobIncharge      TEXT,
    CompletionDate   TEXT,
    Status           INTEGER NOT NULL DEFAULT 0 CHECK (Status IN (0, 1)),
    DeliveryRefDate  TEXT,
    Remarks          TEXT
);

-- Voucher headers. TranNo is given by the database in increasing order and never reused
-- (AUTOINCREMENT), so a cleared year's new opening-balance voucher gets a new number.
-- JobID 0 means no job, which a foreign key cannot express: the triggers below check it.
CREATE TABLE Transactions (
    TranNo      INTEGER PRIMARY KEY AUTOINCREMENT,
    DocNo       INTEGER NOT NULL,
    TranDate    TEXT NOT NULL,
    "Desc"      TEXT,
    TranType    INTEGER NOT NULL REFERENCES TranType (TranType),
    TrAmount    INTEGER NOT NULL DEFAULT 0,
    WordsAmt    TEXT,
    JobID       INTEGER NOT NULL DEFAULT 0,
    FYID        INTEGER NOT NULL REFERENCES FinancialYear (FYID),
    UserAdded   INTEGER REFERENCES Users (UserID),
    TimeAdded   TEXT,
    UserEdited  INTEGER REFERENCES Users (UserID),
    TimeEdited  TEXT,
    Cancel      INTEGER NOT NULL DEFAULT 0 CHECK (Cancel IN (0, 1)),
    Posted      INTEGER NOT NULL DEFAULT 0 CHECK (Posted IN (0, 1)),
    UNIQUE (TranType, FYID, DocNo)
);
CREATE INDEX Transactions_FYID_TranDate ON Transactions (FYID, TranDate);
CREATE INDEX Transactions_JobID ON Transactions (JobID) WHERE JobID <> 0;

CREATE TRIGGER Transactions_JobID_Insert BEFORE INSERT ON Transactions
WHEN NEW.JobID <> 0 AND NOT EXISTS (SELECT 1 FROM Jobs WHERE JobID = NEW.JobID)
BEGIN
    SELECT RAISE(ABORT, 'Transactions.JobID names no job');
END;

CREATE TRIGGER Transactions_JobID_Update BEFORE UPDATE OF JobID ON Transactions
WHEN NEW.JobID <> 0 AND NOT EXISTS (SELECT 1 FROM Jobs WHERE JobID = NEW.JobID)
BEGIN
    SELECT RAISE(ABORT, 'Transactions.JobID names no job');
END;

-- A job's amounts are whole cents or empty: text the engine would keep as it came is refused.
CREATE TRIGGER Jobs_Amounts_Insert BEFORE INSERT ON Jobs
WHEN typeof(NEW.EstimatedCost) NOT IN ('integer', 'null') OR typeof(NEW.ValueofWork) NOT IN ('integer', 'null')
BEGIN
    SELECT RAISE(ABORT, 'a job''s amounts are whole cents');
END;

CREATE TRIGGER Jobs_Amounts_Update BEFORE UPDATE OF EstimatedCost, ValueofWork ON Jobs
WHEN typeof(NEW.EstimatedCost) NOT IN ('integer', 'null') OR typeof(NEW.ValueofWork) NOT IN ('integer', 'null')
BEGIN
    SELECT RAISE(ABORT, 'a job''s amounts are whole cents');
END;

CREATE TRIGGER Jobs_InUse_Delete BEFORE DELETE ON Jobs
WHEN EXISTS (SELECT 1 FROM Transactions WHERE JobID = OLD.JobID)
BEGIN
    SELECT RAISE(ABORT, 'the job is used by vouchers');
END;

-- Voucher lines; they go with their header. A null Debit, Credit or Balance counts as 0.
-- Status is the side of Balance, empty on imported lines.
CREATE TABLE SubTransactions (
    Serial   INTEGER PRIMARY KEY AUTOINCREMENT,
    TranNo   INTEGER NOT NULL REFERENCES Transactions (TranNo) ON DELETE CASCADE,
    AccCode  INTEGER NOT NULL REFERENCES AccLevel3 (AccCode),
    AccName  TEXT,
    "Desc"   TEXT,
    Debit    INTEGER,
    Credit   INTEGER,
    Balance  INTEGER,
    Status   TEXT CHECK (Status IN ('', 'Debit', 'Credit')),
    -- Copies of the voucher's year and date, and whether it counts (posted and not
    -- cancelled), kept by the triggers of voucher_copies.sql so that ledgers and balances
    -- find an account's lines of a period in an index; never written by the program.
    VoucherYear  INTEGER,
    VoucherDate  TEXT,
    Counted      INTEGER NOT NULL DEFAULT 0 CHECK (Counted IN (0, 1)),
    CHECK (coalesce(Debit, 0) = 0 OR coalesce(Credit, 0) = 0)
);
-- The indexes the ledgers and balances read, and the month totals: balances.sql.

-- Countries and their currencies. The two currency columns are named with two
-- trailing no-break spaces, and every query writes them so.
CREATE TABLE Currencies (
    Serial       INTEGER PRIMARY KEY,
    Country      TEXT NOT NULL COLLATE NOCASE,
    "CCode  "    TEXT CHECK (length("CCode  ") <= 3),
    "Curency  "  TEXT
);

-- Company details and settings: one row, read and written as the only row.
CREATE TABLE BusinessInfo (
    Name          TEXT,
    Address       TEXT,
    Telephones    TEXT,
    Fax           TEXT,
    Email         TEXT,
    Website       TEXT,
    NTN           TEXT,
    SalesTaxReg   TEXT,
    Description   TEXT,
    Country       TEXT,
    CurrencyName  TEXT,
    CCode         TEXT CHECK (length(CCode) <= 3),
    UserID        INTEGER REFERENCES Users (UserID),
    FYID          INTEGER REFERENCES FinancialYear (FYID),
    PV            INTEGER NOT NULL DEFAULT 0 CHECK (PV IN (0, 1)),
    PRV           INTEGER NOT NULL DEFAULT 0 CHECK (PRV IN (0, 1)),
    SV            INTEGER NOT NULL DEFAULT 0 CHECK (SV IN (0, 1)),
    SRV           INTEGER NOT NULL DEFAULT 0 CHECK (SRV IN (0, 1)),
    CPV           INTEGER NOT NULL DEFAULT 0 CHECK (CPV IN (0, 1)),
    CRV           INTEGER NOT NULL DEFAULT 0 CHECK (CRV IN (0, 1)),
    BPV           INTEGER NOT NULL DEFAULT 0 CHECK (BPV IN (0, 1)),
    BRV           INTEGER NOT NULL DEFAULT 0 CHECK (BRV IN (0, 1)),
    GJV           INTEGER NOT NULL DEFAULT 0 CHECK (GJV IN (0, 1)),
    Posting       INTEGER NOT NULL DEFAULT 0 CHECK (Posting IN (0, 1)),
    CoMemo        TEXT DEFAULT ''
);

-- Work table of the balance sheet, refilled each time it is prepared; TypeID 9999 is the profit row.
CREATE TABLE TempBS (
    TypeID    INTEGER,
    NatureID  INTEGER,
    Type      TEXT,
    Balance   INTEGER
);

-- Troubleshooting answers (HTML), chosen by the dashboard's questions.
CREATE TABLE HelpIndex (
    ID       INTEGER PRIMARY KEY,
    Heading  TEXT NOT NULL,
    Matter   TEXT NOT NULL
);

-- The marks by which the program knows its own files.
PRAGMA application_id = 1414745156;
PRAGMA user_version = 6;
