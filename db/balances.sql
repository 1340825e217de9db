-- What the ledgers and the balances read fast: the indexes of their queries, and each
-- account's month totals with the triggers that keep them. A new file gets it after
-- schema.sql; a file of layout version 1 gets it through its upgrade (upgrade.cpp).

-- A voucher's lines, in entry order, with what the year's totals need of them.
CREATE INDEX SubTransactions_TranNo_Serial ON SubTransactions (TranNo, Serial, AccCode, Debit, Credit);
-- An account's ledger reads its lines, and each line's voucher only to know whether and when it
-- counts: both from an index alone, without the wide rows.
CREATE INDEX SubTransactions_Ledger ON SubTransactions (AccCode, TranNo, Debit, Credit, "Desc");
CREATE INDEX Transactions_Counted ON Transactions (TranNo, FYID, TranDate, TranType, DocNo)
    WHERE Cancel = 0 AND Posted = 1;
CREATE INDEX Transactions_Counted_TranDate ON Transactions (FYID, TranDate) WHERE Cancel = 0 AND Posted = 1;

-- Each account's debits and credits per calendar month ('YYYY-MM') of a year, over the lines of
-- counted vouchers (posted, not cancelled). Balances over a period read whole months here and
-- only the lines of the months they cut. The triggers below keep it in step with every write
-- to the lines and to the vouchers' year, date, posting and cancelling, inside the same
-- transaction; nothing else writes it. Rows that come to zero are left in place.
CREATE TABLE AccountMonths (
    FYID     INTEGER NOT NULL,
    AccCode  INTEGER NOT NULL,
    Month    TEXT NOT NULL,
    Debits   INTEGER NOT NULL,
    Credits  INTEGER NOT NULL,
    PRIMARY KEY (FYID, AccCode, Month)
) WITHOUT ROWID;

CREATE TRIGGER SubTransactions_Months_Insert AFTER INSERT ON SubTransactions
BEGIN
    INSERT INTO AccountMonths (FYID, AccCode, Month, Debits, Credits)
    SELECT t.FYID, NEW.AccCode, substr(t.TranDate, 1, 7), COALESCE(NEW.Debit, 0), COALESCE(NEW.Credit, 0)
    FROM Transactions t WHERE t.TranNo = NEW.TranNo AND t.Cancel = 0 AND t.Posted = 1
    ON CONFLICT (FYID, AccCode, Month)
    DO UPDATE SET Debits = Debits + excluded.Debits, Credits = Credits + excluded.Credits;
END;

-- When a voucher is deleted its lines go by the cascade after the voucher row is gone, so the
-- look-up below finds nothing for them: the voucher's own trigger has taken them off already.
CREATE TRIGGER SubTransactions_Months_Delete AFTER DELETE ON SubTransactions
BEGIN
    UPDATE AccountMonths
    SET Debits = Debits - COALESCE(OLD.Debit, 0), Credits = Credits - COALESCE(OLD.Credit, 0)
    WHERE AccCode = OLD.AccCode AND (FYID, Month) = (
        SELECT t.FYID, substr(t.TranDate, 1, 7) FROM Transactions t
        WHERE t.TranNo = OLD.TranNo AND t.Cancel = 0 AND t.Posted = 1);
END;

CREATE TRIGGER SubTransactions_Months_Update AFTER UPDATE OF TranNo, AccCode, Debit, Credit ON SubTransactions
BEGIN
    UPDATE AccountMonths
    SET Debits = Debits - COALESCE(OLD.Debit, 0), Credits = Credits - COALESCE(OLD.Credit, 0)
    WHERE AccCode = OLD.AccCode AND (FYID, Month) = (
        SELECT t.FYID, substr(t.TranDate, 1, 7) FROM Transactions t
        WHERE t.TranNo = OLD.TranNo AND t.Cancel = 0 AND t.Posted = 1);
    INSERT INTO AccountMonths (FYID, AccCode, Month, Debits, Credits)
    SELECT t.FYID, NEW.AccCode, substr(t.TranDate, 1, 7), COALESCE(NEW.Debit, 0), COALESCE(NEW.Credit, 0)
    FROM Transactions t WHERE t.TranNo = NEW.TranNo AND t.Cancel = 0 AND t.Posted = 1
    ON CONFLICT (FYID, AccCode, Month)
    DO UPDATE SET Debits = Debits + excluded.Debits, Credits = Credits + excluded.Credits;
END;

CREATE TRIGGER Transactions_Months_Update AFTER UPDATE OF FYID, TranDate, Cancel, Posted ON Transactions
WHEN (OLD.Cancel = 0 AND OLD.Posted = 1) OR (NEW.Cancel = 0 AND NEW.Posted = 1)
BEGIN
    UPDATE AccountMonths
    SET Debits = Debits - l.Dr, Credits = Credits - l.Cr
    FROM (SELECT AccCode, SUM(COALESCE(Debit, 0)) AS Dr, SUM(COALESCE(Credit, 0)) AS Cr
          FROM SubTransactions WHERE TranNo = OLD.TranNo GROUP BY AccCode) AS l
    WHERE OLD.Cancel = 0 AND OLD.Posted = 1 AND AccountMonths.FYID = OLD.FYID
      AND AccountMonths.Month = substr(OLD.TranDate, 1, 7) AND AccountMonths.AccCode = l.AccCode;
    INSERT INTO AccountMonths (FYID, AccCode, Month, Debits, Credits)
    SELECT NEW.FYID, AccCode, substr(NEW.TranDate, 1, 7), SUM(COALESCE(Debit, 0)), SUM(COALESCE(Credit, 0))
    FROM SubTransactions WHERE TranNo = NEW.TranNo AND NEW.Cancel = 0 AND NEW.Posted = 1 GROUP BY AccCode
    ON CONFLICT (FYID, AccCode, Month)
    DO UPDATE SET Debits = Debits + excluded.Debits, Credits = Credits + excluded.Credits;
END;

CREATE TRIGGER Transactions_Months_Delete BEFORE DELETE ON Transactions
WHEN OLD.Cancel = 0 AND OLD.Posted = 1
BEGIN
    UPDATE AccountMonths
    SET Debits = Debits - l.Dr, Credits = Credits - l.Cr
    FROM (SELECT AccCode, SUM(COALESCE(Debit, 0)) AS Dr, SUM(COALESCE(Credit, 0)) AS Cr
          FROM SubTransactions WHERE TranNo = OLD.TranNo GROUP BY AccCode) AS l
    WHERE AccountMonths.FYID = OLD.FYID AND AccountMonths.Month = substr(OLD.TranDate, 1, 7)
      AND AccountMonths.AccCode = l.AccCode;
END;
