-- The triggers that keep each line's copies of its voucher's year, date and counting
-- (posted and not cancelled) in step: a line takes them when it is written or moved to
-- another voucher, and whenever the voucher's change. A new file gets them after
-- balances.sql; a file of an older layout through its upgrade (upgrade.cpp).
--
-- A line's own row is written with a correlated subquery, never with UPDATE ... FROM: a
-- join in an UPDATE makes SQLite build and drop a temporary table each time the trigger
-- fires, and where the C library trims its heap a statement writing many lines then hands
-- that table's memory back to the system and asks for it again once per line (four times
-- as long, most of it in the kernel, and far worse on a busy machine). The triggers fired
-- per line read their voucher through its primary key only.

-- A line of no voucher keeps its copies empty (the foreign key refuses it where it is on).
CREATE TRIGGER SubTransactions_Voucher_Insert AFTER INSERT ON SubTransactions
WHEN EXISTS (SELECT 1 FROM Transactions t WHERE t.TranNo = NEW.TranNo)
BEGIN
    UPDATE SubTransactions
    SET (VoucherYear, VoucherDate, Counted) =
        (SELECT t.FYID, t.TranDate, t.Cancel = 0 AND t.Posted = 1 FROM Transactions t WHERE t.TranNo = NEW.TranNo)
    WHERE Serial = NEW.Serial;
END;

-- Also puts back copies written directly: only the triggers write them.
CREATE TRIGGER SubTransactions_Voucher_Move AFTER UPDATE OF TranNo, VoucherYear, VoucherDate, Counted ON SubTransactions
WHEN EXISTS (SELECT 1 FROM Transactions t WHERE t.TranNo = NEW.TranNo
             AND (NEW.VoucherYear IS NOT t.FYID OR NEW.VoucherDate IS NOT t.TranDate
                  OR NEW.Counted <> (t.Cancel = 0 AND t.Posted = 1)))
BEGIN
    UPDATE SubTransactions
    SET (VoucherYear, VoucherDate, Counted) =
        (SELECT t.FYID, t.TranDate, t.Cancel = 0 AND t.Posted = 1 FROM Transactions t WHERE t.TranNo = NEW.TranNo)
    WHERE Serial = NEW.Serial;
END;

-- Fired once per voucher changed, for all its lines at once.
CREATE TRIGGER Transactions_Lines_Update AFTER UPDATE OF FYID, TranDate, Cancel, Posted ON Transactions
BEGIN
    UPDATE SubTransactions
    SET VoucherYear = NEW.FYID, VoucherDate = NEW.TranDate, Counted = (NEW.Cancel = 0 AND NEW.Posted = 1)
    WHERE TranNo = NEW.TranNo;
END;
