-- What the ledgers and the balances read fast: the indexes of their queries, and each
-- account's month totals with the triggers that keep them in step. The lines' copies of
-- their voucher's year, date and counting that both read are kept by voucher_copies.sql.
-- A new file gets this after schema.sql; a file of layout version 1 gets it through its
-- upgrade (upgrade.cpp).

CREATE INDEX SubTransactions_TranNo_Serial ON SubTransactions (TranNo, Serial);
-- Every line of an account, counted or not: whether an account is in use, and the foreign key
-- check when an account is deleted.
CREATE INDEX SubTransactions_AccCode ON SubTransactions (AccCode);
-- An account's counted lines of a year in date order, with all a ledger shows of them.
CREATE INDEX SubTransactions_Ledger ON SubTransactions
    (AccCode, VoucherYear, VoucherDate, Serial, Debit, Credit, "Desc", TranNo) WHERE Counted = 1;
-- A year's counted lines of a few days, for the month a period's end cuts.
CREATE INDEX SubTransactions_Days ON SubTransactions
    (VoucherYear, VoucherDate, AccCode, Debit, Credit) WHERE Counted = 1;

-- Each account's debits and credits per calendar month ('YYYY-MM') of a year, over the
-- counted lines. Balances over a period read whole months here and only the lines of the
-- days their ends cut. The triggers below keep it in step with every line written,
-- changed or deleted (a voucher's changes reach it through its lines' copies), inside the
-- same statement; nothing else writes it. Each adds or takes off amounts with an upsert, so
-- the result does not depend on the order in which the triggers of one write fire. Rows
-- that come to zero are left in place.
CREATE TABLE AccountMonths (
    FYID     INTEGER NOT NULL,
    AccCode  INTEGER NOT NULL,
    Month    TEXT NOT NULL,
    Debits   INTEGER NOT NULL,
    Credits  INTEGER NOT NULL,
    PRIMARY KEY (FYID, AccCode, Month)
) WITHOUT ROWID;

CREATE TRIGGER SubTransactions_Months_Insert AFTER INSERT ON SubTransactions WHEN NEW.Counted = 1
BEGIN
    INSERT INTO AccountMonths (FYID, AccCode, Month, Debits, Credits)
    VALUES (NEW.VoucherYear, NEW.AccCode, substr(NEW.VoucherDate, 1, 7), COALESCE(NEW.Debit, 0), COALESCE(NEW.Credit, 0))
    ON CONFLICT (FYID, AccCode, Month)
    DO UPDATE SET Debits = Debits + excluded.Debits, Credits = Credits + excluded.Credits;
END;

CREATE TRIGGER SubTransactions_Months_Delete AFTER DELETE ON SubTransactions WHEN OLD.Counted = 1
BEGIN
    INSERT INTO AccountMonths (FYID, AccCode, Month, Debits, Credits)
    VALUES (OLD.VoucherYear, OLD.AccCode, substr(OLD.VoucherDate, 1, 7),
            -COALESCE(OLD.Debit, 0), -COALESCE(OLD.Credit, 0))
    ON CONFLICT (FYID, AccCode, Month)
    DO UPDATE SET Debits = Debits + excluded.Debits, Credits = Credits + excluded.Credits;
END;

CREATE TRIGGER SubTransactions_Months_Update
AFTER UPDATE OF AccCode, Debit, Credit, VoucherYear, VoucherDate, Counted ON SubTransactions
BEGIN
    INSERT INTO AccountMonths (FYID, AccCode, Month, Debits, Credits)
    SELECT OLD.VoucherYear, OLD.AccCode, substr(OLD.VoucherDate, 1, 7),
           -COALESCE(OLD.Debit, 0), -COALESCE(OLD.Credit, 0)
    WHERE OLD.Counted = 1
    ON CONFLICT (FYID, AccCode, Month)
    DO UPDATE SET Debits = Debits + excluded.Debits, Credits = Credits + excluded.Credits;
    INSERT INTO AccountMonths (FYID, AccCode, Month, Debits, Credits)
    SELECT NEW.VoucherYear, NEW.AccCode, substr(NEW.VoucherDate, 1, 7), COALESCE(NEW.Debit, 0), COALESCE(NEW.Credit, 0)
    WHERE NEW.Counted = 1
    ON CONFLICT (FYID, AccCode, Month)
    DO UPDATE SET Debits = Debits + excluded.Debits, Credits = Credits + excluded.Credits;
END;
