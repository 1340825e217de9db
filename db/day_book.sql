-- What the day book reads fast: for each day of a year, how many lines it lists and their
-- debits and credits. The day book lists the lines with an amount of the vouchers that are
-- not cancelled, posted or not, of a kind that has a TranType row; a whole year's list is
-- then shown a day at a time, reading only the days on the screen. The triggers keep the
-- table in step with every line and voucher written, changed or deleted, inside the same
-- statement; nothing else writes it. Rows that come to zero are left in place.
CREATE TABLE DayBookDays (
    FYID     INTEGER NOT NULL,
    Day      TEXT NOT NULL,
    Lines    INTEGER NOT NULL,
    Debits   INTEGER NOT NULL,
    Credits  INTEGER NOT NULL,
    PRIMARY KEY (FYID, Day)
) WITHOUT ROWID;

CREATE TRIGGER SubTransactions_Days_Insert AFTER INSERT ON SubTransactions
WHEN COALESCE(NEW.Debit, 0) <> 0 OR COALESCE(NEW.Credit, 0) <> 0
BEGIN
    INSERT INTO DayBookDays (FYID, Day, Lines, Debits, Credits)
    SELECT t.FYID, t.TranDate, 1, COALESCE(NEW.Debit, 0), COALESCE(NEW.Credit, 0)
    FROM Transactions t JOIN TranType k ON k.TranType = t.TranType
    WHERE t.TranNo = NEW.TranNo AND t.Cancel = 0
    ON CONFLICT (FYID, Day)
    DO UPDATE SET Lines = Lines + 1, Debits = Debits + excluded.Debits, Credits = Credits + excluded.Credits;
END;

-- A voucher's lines deleted with it are taken off before it goes (below): by the time its
-- lines are deleted the voucher can no longer be found, so this trigger adds nothing then.
CREATE TRIGGER SubTransactions_Days_Delete AFTER DELETE ON SubTransactions
WHEN COALESCE(OLD.Debit, 0) <> 0 OR COALESCE(OLD.Credit, 0) <> 0
BEGIN
    INSERT INTO DayBookDays (FYID, Day, Lines, Debits, Credits)
    SELECT t.FYID, t.TranDate, -1, -COALESCE(OLD.Debit, 0), -COALESCE(OLD.Credit, 0)
    FROM Transactions t JOIN TranType k ON k.TranType = t.TranType
    WHERE t.TranNo = OLD.TranNo AND t.Cancel = 0
    ON CONFLICT (FYID, Day)
    DO UPDATE SET Lines = Lines + excluded.Lines, Debits = Debits + excluded.Debits,
                  Credits = Credits + excluded.Credits;
END;

CREATE TRIGGER SubTransactions_Days_Update AFTER UPDATE OF TranNo, Debit, Credit ON SubTransactions
BEGIN
    INSERT INTO DayBookDays (FYID, Day, Lines, Debits, Credits)
    SELECT t.FYID, t.TranDate, -1, -COALESCE(OLD.Debit, 0), -COALESCE(OLD.Credit, 0)
    FROM Transactions t JOIN TranType k ON k.TranType = t.TranType
    WHERE t.TranNo = OLD.TranNo AND t.Cancel = 0
      AND (COALESCE(OLD.Debit, 0) <> 0 OR COALESCE(OLD.Credit, 0) <> 0)
    ON CONFLICT (FYID, Day)
    DO UPDATE SET Lines = Lines + excluded.Lines, Debits = Debits + excluded.Debits,
                  Credits = Credits + excluded.Credits;
    INSERT INTO DayBookDays (FYID, Day, Lines, Debits, Credits)
    SELECT t.FYID, t.TranDate, 1, COALESCE(NEW.Debit, 0), COALESCE(NEW.Credit, 0)
    FROM Transactions t JOIN TranType k ON k.TranType = t.TranType
    WHERE t.TranNo = NEW.TranNo AND t.Cancel = 0
      AND (COALESCE(NEW.Debit, 0) <> 0 OR COALESCE(NEW.Credit, 0) <> 0)
    ON CONFLICT (FYID, Day)
    DO UPDATE SET Lines = Lines + excluded.Lines, Debits = Debits + excluded.Debits,
                  Credits = Credits + excluded.Credits;
END;

CREATE TRIGGER Transactions_Days_Update AFTER UPDATE OF FYID, TranDate, Cancel, TranType ON Transactions
BEGIN
    INSERT INTO DayBookDays (FYID, Day, Lines, Debits, Credits)
    SELECT OLD.FYID, OLD.TranDate, -COUNT(*), -SUM(COALESCE(s.Debit, 0)), -SUM(COALESCE(s.Credit, 0))
    FROM SubTransactions s
    WHERE s.TranNo = OLD.TranNo AND OLD.Cancel = 0
      AND EXISTS (SELECT 1 FROM TranType k WHERE k.TranType = OLD.TranType)
      AND (COALESCE(s.Debit, 0) <> 0 OR COALESCE(s.Credit, 0) <> 0)
    HAVING COUNT(*) > 0
    ON CONFLICT (FYID, Day)
    DO UPDATE SET Lines = Lines + excluded.Lines, Debits = Debits + excluded.Debits,
                  Credits = Credits + excluded.Credits;
    INSERT INTO DayBookDays (FYID, Day, Lines, Debits, Credits)
    SELECT NEW.FYID, NEW.TranDate, COUNT(*), SUM(COALESCE(s.Debit, 0)), SUM(COALESCE(s.Credit, 0))
    FROM SubTransactions s
    WHERE s.TranNo = NEW.TranNo AND NEW.Cancel = 0
      AND EXISTS (SELECT 1 FROM TranType k WHERE k.TranType = NEW.TranType)
      AND (COALESCE(s.Debit, 0) <> 0 OR COALESCE(s.Credit, 0) <> 0)
    HAVING COUNT(*) > 0
    ON CONFLICT (FYID, Day)
    DO UPDATE SET Lines = Lines + excluded.Lines, Debits = Debits + excluded.Debits,
                  Credits = Credits + excluded.Credits;
END;

CREATE TRIGGER Transactions_Days_Delete BEFORE DELETE ON Transactions
BEGIN
    INSERT INTO DayBookDays (FYID, Day, Lines, Debits, Credits)
    SELECT OLD.FYID, OLD.TranDate, -COUNT(*), -SUM(COALESCE(s.Debit, 0)), -SUM(COALESCE(s.Credit, 0))
    FROM SubTransactions s
    WHERE s.TranNo = OLD.TranNo AND OLD.Cancel = 0
      AND EXISTS (SELECT 1 FROM TranType k WHERE k.TranType = OLD.TranType)
      AND (COALESCE(s.Debit, 0) <> 0 OR COALESCE(s.Credit, 0) <> 0)
    HAVING COUNT(*) > 0
    ON CONFLICT (FYID, Day)
    DO UPDATE SET Lines = Lines + excluded.Lines, Debits = Debits + excluded.Debits,
                  Credits = Credits + excluded.Credits;
END;
