-- Voucher dates are ISO text (YYYY-MM-DD), and so are the lines' copies that the month
-- totals key on: any other form ('10/12/2026', '2026-2-1', '2026-02-30') would file a
-- voucher under a wrong month or none. date(x, '+0 days') gives back a valid ISO date
-- unchanged and anything else changed or null. A new file gets these after balances.sql;
-- a file of layout version 2 through its upgrade (upgrade.cpp).

CREATE TRIGGER Transactions_TranDate_Insert BEFORE INSERT ON Transactions
WHEN NEW.TranDate IS NOT date(NEW.TranDate, '+0 days')
BEGIN
    SELECT RAISE(ABORT, 'TranDate must be a date written YYYY-MM-DD');
END;

CREATE TRIGGER Transactions_TranDate_Update BEFORE UPDATE OF TranDate ON Transactions
WHEN NEW.TranDate IS NOT date(NEW.TranDate, '+0 days')
BEGIN
    SELECT RAISE(ABORT, 'TranDate must be a date written YYYY-MM-DD');
END;

CREATE TRIGGER SubTransactions_VoucherDate_Insert BEFORE INSERT ON SubTransactions
WHEN NEW.VoucherDate IS NOT NULL AND NEW.VoucherDate IS NOT date(NEW.VoucherDate, '+0 days')
BEGIN
    SELECT RAISE(ABORT, 'VoucherDate must be a date written YYYY-MM-DD');
END;

CREATE TRIGGER SubTransactions_VoucherDate_Update BEFORE UPDATE OF VoucherDate ON SubTransactions
WHEN NEW.VoucherDate IS NOT NULL AND NEW.VoucherDate IS NOT date(NEW.VoucherDate, '+0 days')
BEGIN
    SELECT RAISE(ABORT, 'VoucherDate must be a date written YYYY-MM-DD');
END;
