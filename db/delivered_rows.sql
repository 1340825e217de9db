-- The rows the delivered database carries because the program only reads them:
-- statement sides, natures, voucher kinds, help answers, currencies, rights and the
-- company row. The administrator and the first year are added by db/delivered.cpp.

-- Sides 1 and 2 make the balance sheet, 3 and 4 the income statement.
INSERT INTO FS (FSID, FSType) VALUES
    (1, 'Assets'),
    (2, 'Equity and Liabilities'),
    (3, 'Revenue'),
    (4, 'Expenses');

-- Natures of sides 1 and 2 have ids below 40, those of sides 3 and 4 ids of 40 or more.
-- The balance sheet shows the period's profit under nature 30. The ranges of main-type
-- codes cover 100 to 999 without overlap.
INSERT INTO FSNature (NatureID, FSID, AccNatureTop, StartAt, EndAt) VALUES
    (10, 1, 'Non-Current Assets', 100, 199),
    (20, 1, 'Current Assets', 200, 299),
    (30, 2, 'Capital and Reserves', 300, 399),
    (35, 2, 'Non-Current Liabilities', 400, 449),
    (36, 2, 'Current Liabilities', 450, 499),
    (40, 3, 'Sales', 500, 599),
    (45, 3, 'Other Income', 600, 649),
    (50, 4, 'Cost of Sales', 650, 749),
    (55, 4, 'Operating Expenses', 750, 899),
    (60, 4, 'Financial Charges', 900, 999);

-- Ledgers show Name || ' No. ' || DocNo; the day book shows Short || ' ' || DocNo.
INSERT INTO TranType (TranType, Name, Short) VALUES
    (11, 'Opening Balance', 'OB'),
    (21, 'Purchase Voucher', 'PV'),
    (25, 'Purchase Return Voucher', 'PRV'),
    (27, 'Cash Payment Voucher', 'CPV'),
    (28, 'Bank Payment Voucher', 'BPV'),
    (31, 'Sale Voucher', 'SV'),
    (35, 'Sale Return Voucher', 'SRV'),
    (37, 'Cash Receipt Voucher', 'CRV'),
    (38, 'Bank Receipt Voucher', 'BRV'),
    (41, 'General Journal', 'JV');

-- Each description follows "You do not have access to " in the refusal message.
-- A voucher kind's four rights are open, see saved, delete and post.
INSERT INTO userrights (RightID, RightType) VALUES
    (2, 'the welcome screen.'),
    (4, 'edit the company notice board.'),
    (12, 'the chart of accounts.'),
    (14, 'the accounts opening balances.'),
    (18, 'the posting preferences.'),
    (20, 'the printing preferences.'),
    (30, 'jobs and job ledgers.'),
    (42, 'open purchase vouchers.'),
    (44, 'see saved purchase vouchers.'),
    (46, 'delete purchase vouchers.'),
    (48, 'post purchase vouchers.'),
    (52, 'open purchase return vouchers.'),
    (54, 'see saved purchase return vouchers.'),
    (56, 'delete purchase return vouchers.'),
    (58, 'post purchase return vouchers.'),
    (62, 'open sale vouchers.'),
    (64, 'see saved sale vouchers.'),
    (66, 'delete sale vouchers.'),
    (68, 'post sale vouchers.'),
    (72, 'open sale return vouchers.'),
    (74, 'see saved sale return vouchers.'),
    (76, 'delete sale return vouchers.'),
    (78, 'post sale return vouchers.'),
    (82, 'open cash payment vouchers.'),
    (84, 'see saved cash payment vouchers.'),
    (86, 'delete cash payment vouchers.'),
    (88, 'post cash payment vouchers.'),
    (92, 'open cash receipt vouchers.'),
    (94, 'see saved cash receipt vouchers.'),
    (96, 'delete cash receipt vouchers.'),
    (98, 'post cash receipt vouchers.'),
    (102, 'open bank payment vouchers.'),
    (104, 'see saved bank payment vouchers.'),
    (106, 'delete bank payment vouchers.'),
    (108, 'post bank payment vouchers.'),
    (112, 'open bank receipt vouchers.'),
    (114, 'see saved bank receipt vouchers.'),
    (116, 'delete bank receipt vouchers.'),
    (118, 'post bank receipt vouchers.'),
    (122, 'open general journal vouchers.'),
    (124, 'see saved general journal vouchers.'),
    (126, 'delete general journal vouchers.'),
    (128, 'post general journal vouchers.'),
    (180, 'the journal report.'),
    (184, 'print vouchers.'),
    (240, 'the accounts ledgers.'),
    (248, 'the trial balance.'),
    (252, 'the income statement.'),
    (254, 'the balance sheet.');

-- Currency symbols are at most three characters; the name goes before the amount in words.
INSERT INTO Currencies (Serial, Country, "CCode  ", "Curency  ") VALUES
    (1, 'Australia', 'A$', 'Australian Dollars'),
    (2, 'Bahrain', 'BD', 'Bahraini Dinars'),
    (3, 'Bangladesh', 'Tk', 'Taka'),
    (4, 'Brazil', 'R$', 'Reais'),
    (5, 'Canada', 'C$', 'Canadian Dollars'),
    (6, 'China', '¥', 'Yuan'),
    (7, 'Denmark', 'kr', 'Danish Kroner'),
    (8, 'Egypt', 'E£', 'Egyptian Pounds'),
    (9, 'France', '€', 'Euros'),
    (10, 'Germany', '€', 'Euros'),
    (11, 'Hong Kong', 'HK$', 'Hong Kong Dollars'),
    (12, 'India', 'Rs', 'Indian Rupees'),
    (13, 'Indonesia', 'Rp', 'Rupiah'),
    (14, 'Ireland', '€', 'Euros'),
    (15, 'Italy', '€', 'Euros'),
    (16, 'Japan', '¥', 'Yen'),
    (17, 'Jordan', 'JD', 'Jordanian Dinars'),
    (18, 'Kenya', 'KSh', 'Kenyan Shillings'),
    (19, 'Kuwait', 'KD', 'Kuwaiti Dinars'),
    (20, 'Malaysia', 'RM', 'Ringgit'),
    (21, 'Mexico', 'MX$', 'Mexican Pesos'),
    (22, 'Netherlands', '€', 'Euros'),
    (23, 'New Zealand', 'NZ$', 'New Zealand Dollars'),
    (24, 'Nigeria', '₦', 'Naira'),
    (25, 'Norway', 'kr', 'Norwegian Kroner'),
    (26, 'Oman', 'RO', 'Omani Rials'),
    (27, 'Pakistan', 'Rs', 'Rupees'),
    (28, 'Philippines', '₱', 'Philippine Pesos'),
    (29, 'Qatar', 'QR', 'Qatari Riyals'),
    (30, 'Saudi Arabia', 'SR', 'Saudi Riyals'),
    (31, 'Singapore', 'S$', 'Singapore Dollars'),
    (32, 'South Africa', 'R', 'Rand'),
    (33, 'South Korea', '₩', 'Won'),
    (34, 'Spain', '€', 'Euros'),
    (35, 'Sri Lanka', 'Rs', 'Sri Lankan Rupees'),
    (36, 'Sweden', 'kr', 'Swedish Kronor'),
    (37, 'Switzerland', 'CHF', 'Swiss Francs'),
    (38, 'Thailand', '฿', 'Baht'),
    (39, 'Turkey', 'TL', 'Turkish Lira'),
    (40, 'United Arab Emirates', 'AED', 'Dirhams'),
    (41, 'United Kingdom', '£', 'Pounds Sterling'),
    (42, 'United States', '$', 'US Dollars');

-- The company row. Its user and year are set once those rows exist (db/delivered.cpp).
INSERT INTO BusinessInfo (Name, Address, Telephones, Fax, Email, Website, NTN, SalesTaxReg,
                          Description, Country, CurrencyName, CCode, UserID, FYID,
                          PV, PRV, SV, SRV, CPV, CRV, BPV, BRV, GJV, Posting, CoMemo)
VALUES ('My Business', '1 Main Street, My Town', '555-0100', '', 'office@example.com',
        'www.example.com', '', '', 'Trading', 'United States', 'US Dollars', '$', NULL, NULL,
        1, 1, 1, 1, 1, 1, 1, 1, 1, 1, '');

-- Troubleshooting answers, as rich text; the dashboard's seven questions open them by id.
INSERT INTO HelpIndex (ID, Heading, Matter) VALUES
(1, 'Changing the date format',
'<p>Tamsel Standard does not take its date format from the regional settings of the desktop.
It shows dates in fixed formats of its own, so that every computer shows and prints the same
date in the same way:</p>
<ul>
<li>date boxes, lists, vouchers and ledgers show the day first, then the month and the year,
as in <b>05-08-2026</b>;</li>
<li>report headings and the dashboard spell the month out, as in <b>August 05, 2026</b>.</li>
</ul>
<p>These formats cannot be changed. Type dates in the same order (day, month, year), or pick
them from the calendar of the date box.</p>'),

(2, 'Steps to start working',
'<p>Work through these steps once, signed in as the administrator:</p>
<ol>
<li>Change the administrator password under <b>Administration &gt; Passwords</b>.</li>
<li>Enter the name, address and other details of the business under
<b>Administration &gt; Company Setup</b>, and choose the country and currency under
<b>Administration &gt; Currency</b>.</li>
<li>Check the financial year under <b>Administration &gt; Financial Years</b>, and add one if
the business keeps a different year.</li>
<li>Add the users who will work with the program under <b>Administration &gt; User Logins</b>,
and set what each may do under <b>Administration &gt; User Rights</b>.</li>
<li>Build the chart of accounts under <b>Maintain &gt; Chart of Accounts</b>.</li>
<li>Enter the balances the accounts carry into the year under
<b>Maintain &gt; Accounts Opening Balances</b>.</li>
<li>Choose the posting and printing preferences under the <b>Maintain</b> menu.</li>
</ol>
<p>From then on, record the daily business with the <b>Vouchers</b> menu and look at the results
with the <b>Reports</b> menu. Take a back-up at the end of every working day.</p>'),

(3, 'Moving the focus within a form',
'<p>Press <b>Tab</b> to move to the next box or button of a form and <b>Shift+Tab</b> to move back.
In most boxes <b>Enter</b> also moves on to the next one.</p>
<p>In the grid of voucher lines, <b>Enter</b> and <b>Tab</b> move from cell to cell along the line,
and the arrow keys move between lines. A letter that is underlined in a caption can be used with
<b>Alt</b> to reach that menu or button directly, as in <b>Alt+V</b> for the Vouchers menu.</p>
<p>Clicking a box with the mouse always moves the focus to it.</p>'),

(4, 'Report width is larger than the paper width',
'<p>This message means that the report is laid out wider than the printable width of the paper that
the printer is set to.</p>
<ul>
<li>In the print dialog, choose <b>Landscape</b> orientation for wide reports such as ledgers, or a
larger paper size (for example A4 or Legal instead of Letter).</li>
<li>Check that the printer chosen is the one you mean to use: each printer has its own paper size
and margins, set in the printer settings of the desktop.</li>
<li>Choose smaller margins if the printer allows them.</li>
</ul>
<p>Then print the report again.</p>'),

(5, 'Transaction date outside the financial year',
'<p>Every voucher must be dated within the financial year you signed in to. That year is shown in
the status bar of the main window.</p>
<ul>
<li>If the date was mistyped, correct it and save again.</li>
<li>If the voucher belongs to another year, close the program, start it again and choose that year
when you sign in.</li>
<li>If that year does not exist yet, the administrator adds it under
<b>Administration &gt; Financial Years</b>.</li>
</ul>
<p>Opening balances need no date: they are dated the day before the year begins.</p>'),

(6, 'Taking a back-up of your data',
'<p>All data of the program is kept in one database file. The back-up program <b>Stowkeep</b>
copies it to a back-up file and can restore it from one.</p>
<ul>
<li>Start it from <b>Administration &gt; Stowkeep</b>, or answer <b>Yes</b> when the program asks
<i>Do you want to save back-up of your data?</i> as you close it.</li>
<li>Take a back-up at the end of every working day, and always before clearing transactions or
changing financial years.</li>
<li>Keep copies on another disk or a removable drive, so that they survive a failure of the
computer.</li>
</ul>'),

(7, 'The chart of accounts',
'<p>The chart of accounts is the list of all accounts of the business, arranged in three levels:</p>
<ol>
<li><b>Main types</b>, with three-digit codes. Each belongs to a nature, such as Current Assets or
Operating Expenses, and its code must lie in the range of that nature.</li>
<li><b>Sub types</b>, with five-digit codes: the main type code followed by 01 to 99.</li>
<li><b>Accounts</b>, with eight-digit codes: the sub type code followed by 001 to 999. Vouchers
are entered on accounts.</li>
</ol>
<p>Build the chart under <b>Maintain &gt; Chart of Accounts</b>: first the main types, then the sub
types under them, then the accounts. The nature of a main type decides whether its accounts appear
in the balance sheet or in the income statement. An account that vouchers use cannot be deleted.</p>');
