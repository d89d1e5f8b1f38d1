#!/usr/bin/env python3
"""Writes the hand-written seeds of fuzz/corpus/ in the layout each target
reads. Run it after changing a target's layout; libFuzzer's own finds are
kept beside these (a crash's input stays as a regression seed).

Texts a target takes with FuzzedDataProvider::ConsumeRandomLengthString end
at a backslash followed by another character ("\\" stands for one
backslash); numbers come from the end of the input, the last byte first."""
import os
import struct
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(HERE)


def text(s):
    """One ConsumeRandomLengthString field."""
    b = s.encode('utf-8') if isinstance(s, str) else s
    return b.replace(b'\\', b'\\\\') + b'\\\n'


def tail(*chunks):
    """Bytes read from the end, in the order the target reads them; each
    chunk is a number's bytes, most significant first."""
    out = b''.join(chunks)
    return out[::-1]


def u(n, width):
    return n.to_bytes(width, 'big', signed=False)


def write(target, name, data):
    if isinstance(data, str):
        data = data.encode('utf-8')
    folder = os.path.join(HERE, 'corpus', target)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), 'wb') as f:
        f.write(data)


def settings():
    delivered = open(os.path.join(ROOT, 'res', 'TallywickPlus.ini'), 'rb').read()
    head = lambda section, key, other, path: text(section) + text(key) + text(other) + text(path)
    write('settings', 'delivered', head('TallywickPlus', 'DBPath', 'Other', '/home/ann/TallywickPlus.mdb') + delivered)
    write('settings', 'crlf-quoted', head('TallywickPlus', 'DBPath', 'Theme', 'C:\\Data\\books.mdb')
          + b'\xef\xbb\xbf; comment\r\n[tallywickplus]\r\n  dbpath = "old.mdb"  \r\nTheme=\'dark\'\r\n')
    write('settings', 'separators-in-path', head('TallywickPlus', 'DBPath', 'DBPath',
                                                 '/srv/a;b=c/"Books" 2026; Data Source=x.mdb')
          + b'[Other]\nDBPath=wrong\n[TallywickPlus]\nno equals here\n=empty key\nDBPath\n')
    write('settings', 'two-sections', head('S', 'k', 'K ', '/d/\xe9t\xe9.mdb')
          + b'[S]\n[s]\nk=1\n[ S ]\nk=2\n[broken\nk=3\n')
    write('settings', 'empty', head('TallywickPlus', 'DBPath', 'x', ''))


def dates():
    def seed(name, interval, other, date, sql):
        write('dates', name, text(interval) + text(other) + text(date) + sql.encode('utf-8'))
    seed('stored-form', 'd', '12/31/2026', '12/05/2026',
         "SELECT * FROM t WHERE datevalue(cTransactionDate) >= datevalue('01/01/2026')")
    seed('short-forms', 'yyyy', '1/5/2020', '12/ 05/ 26', "x < DATEVALUE( '12/ 05/ 26' ) or y=datevalue('nonsense')")
    seed('iso', 'ww', '02/29/2024', '2020-01-05', "SELECT 'datevalue(''01/01/2020'')'")
    seed('dashes-blanks', 'q', '02/29/2000', ' 01-05-2020 ', 'datevalue(cPaymentDate)')
    seed('with-time', 'h', '01/01/29', '12/05/2026 10:30:00', "DateDiff('y',datevalue('12/31/99'),DateValue(cPaymentDate))")
    seed('not-dates', 'zz', '02/29/1900', '13/01/2020', "datevalue('x''); DROP TABLE t;--')")
    seed('bad-leap', 'm', '04/31/2020', '02/29/2023', 'datevalue(')
    seed('huge-month', 'y', '999999/1/2020', '12/05-2026', "t.datevalue('1/1/2020') xdatevalue('01/01/2020')")


def sqltext():
    def seed(name, pattern, args, quoted, integer=5, fraction=(0, 0)):
        front = text(pattern)
        back = [u(integer & (2 ** 64 - 1), 8), u(fraction[0], 1), u(fraction[1], 8), u(len(args), 1)]
        for a in args:
            if isinstance(a, str):
                back.append(u(0, 1))
                front += text(a)
            elif isinstance(a, int):
                back += [u(1, 1), u(a & (2 ** 64 - 1), 8)]
            else:
                back += [u(2, 1), u(1, 1), u(a, 8)]
        write('sqltext', name, front + quoted.encode('utf-8') + tail(*back))
    seed('apostrophes', "c='%s'", ["Children's Books"], "Children's Books")
    seed('only-quotes', '%s%s', ["''", "'"], "''")
    seed('printf-forms', 'a=%d b=%ld c=\'%s\' d=%f e=%.2f %%', [5, 7, 'x', 3], '100% \\ "x"\n', -1, (1, 2 ** 63))
    seed('widths', '[%5s|%-4s|%.2s] %03d %x', ['ab', 'c', 'xyz', 255], 'x')
    seed('decimal-comma', "values (%f,%.2f,%e,'%s',%d)", ['1,5'], '1,5', 2 ** 63, (1, 12345))
    seed('broken-template', '%', ['%d'], "x' OR '1'='1")
    seed('nul-unicode', '%s', ['\u00e9\u20ac\U0001F600'], 'a\0b \u00e9\u20ac\U0001F600')


def keyboard():
    write('keyboard', 'no-records', bytes([0x01, 0x00, 0xFF, 0xFF, 0x00, 0x00]))
    write('keyboard', 'two-records', bytes([
        0x06, 0x00, 0xFF, 0xFF, 0x02, 0x00, 0x09, 0x80, 0x01, 0x00, 0x74, 0x00, 0x0D, 0x02,
        0x19, 0x80, 0x02, 0x00, 0x78, 0x00, 0x01, 0x02, 0x51, 0x00, 0x11, 0x02]))
    write('keyboard', 'count-past-end', bytes([
        0x09, 0x00, 0xFF, 0xFF, 0x02, 0x00, 0x09, 0x80, 0x01, 0x00, 0x74, 0x00, 0x01, 0x02,
        0x0A, 0x80, 0x05, 0x00, 0x75, 0x00, 0x01, 0x02]))
    write('keyboard', 'long-count', bytes([0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x01, 0x00]))
    words = [0x0002FFFF, 0x00019C40, 0x02010070, 0x00028009, 0x02010070, 0x020100BA]
    write('keyboard', 'unknown-command', struct.pack('<H', len(words)) + b''.join(struct.pack('<I', w) for w in words))
    write('keyboard', 'one-byte', b'\x01')
    write('keyboard', 'text', b'garbage')


def addindescription():
    head = ('<AddinName>Ledger</AddinName><ToobarButtonCount>2</ToobarButtonCount><AppVer>2</AppVer>')
    index = u(2, 4)[::-1]

    def seed(name, xml):
        write('addindescription', name, xml.encode('utf-8') + index)
    seed('menus', '<Addin>' + head + '<Outer><Name>Never</Name>'
         '<MainMenu><Name>Tools</Name><ShortcutKeyIndex>0</ShortcutKeyIndex>'
         '<Popup><Name>Export</Name><ShortcutKeyIndex>9</ShortcutKeyIndex>'
         '<LeafMenu><Name>Bank file</Name><ShortcutKeyIndex>5</ShortcutKeyIndex><FunctionName>Bank</FunctionName>'
         '<Unknown>ignored</Unknown><ShortCutKey>Ctrl+B</ShortCutKey><ToolBarIndex>1</ToolBarIndex>'
         '<Separator>1</Separator><ToolbarText>Bank</ToolbarText></LeafMenu></Popup>'
         '<LeafMenu><ShortcutKeyIndex>0</ShortcutKeyIndex><Name>Plain</Name></LeafMenu>'
         '</MainMenu></Outer></Addin>')
    seed('unclosed', '<Addin><AddinName>x</Addin>')
    seed('no-name', '<Addin><ToobarButtonCount>1</ToobarButtonCount><AppVer>2</AppVer></Addin>')
    seed('old-version', '<Addin><AddinName>x</AddinName><ToobarButtonCount>1</ToobarButtonCount>'
         '<AppVer>1</AppVer></Addin>')
    seed('bad-index', '<Addin>' + head + '<MainMenu><Name>T</Name><LeafMenu><Name>a</Name>'
         '<ToolBarIndex>one</ToolBarIndex></LeafMenu></MainMenu></Addin>')
    seed('leaf-outside-menu', '<Addin>' + head + '<LeafMenu><Name>a</Name></LeafMenu></Addin>')
    seed('entities', '<?xml version="1.0"?><!DOCTYPE a [<!ENTITY e "&#38;&#38;">]><Addin>' + head
         + '<MainMenu><Name>&e;T&amp;&lt;</Name><ShortcutKeyIndex>-1</ShortcutKeyIndex>'
           '<LeafMenu><Name><![CDATA[C&D]]></Name><ShortcutKeyIndex>99999999999</ShortcutKeyIndex>'
           '</LeafMenu></MainMenu></Addin>')


def customreport():
    write('customreport', 'empty-list', '<twkcustomreport>\n</twkcustomreport>')
    write('customreport', 'mixed-line-ends', '<twkcustomreport>\r\n<report>\r\n<name>R</name>\r\n<subsection>\r\n'
          '<name>S</name>\n<category>\n<ID>7</ID>\r\n<Name>Sales</Name>\r\n<Type>1</Type>\r\n</category>\n'
          '</subsection>\n</report>\n</twkcustomreport>')
    write('customreport', 'escapes', '<twkcustomreport>\r\r\n<report>\r\r\n<name>Ann\'s &lt;Year&gt; &amp; more</name>'
          '<subsection><name>Bank &amp; Card</name><category><ID>5</ID><Name>Charges &lt;net&gt;</Name><Type>3</Type>'
          '</category><category><ID>-6</ID><Name></Name><Type>99999999999</Type></category></subsection>'
          '</report>\r\n</twkcustomreport>')
    write('customreport', 'unclosed', '<twkcustomreport><report>')
    write('customreport', 'name-only', '<twkcustomreport><name>')
    write('customreport', 'not-utf8', b'<twkcustomreport><report><name>\xe9\xff\xfe</name></report></twkcustomreport>')


def tips():
    write('tips', 'delivered', open(os.path.join(ROOT, 'res', 'TWKTips.txt'), 'rb').read())
    write('tips', 'comments', b'; Tallywick + tips\n\n indented lines are comments too\n\tand tabbed ones\nFirst\r\nSecond')
    write('tips', 'long-lines', b'a' * 2100 + b'\n' + b'b' * 998 + b'\xc3\xa9nd\r\n\r\n;note\r\nLast\r\n')
    write('tips', 'only-comments', b'; only comments\n\n  \n')
    write('tips', 'cut-character', b'x' * 998 + b'\xe2\x82\xac' + b'\n\xf0\x9f\x98\x80\n')
    write('tips', 'empty', b'')


def cliargs():
    def seed(name, date_format, extra, words):
        write('cliargs', name, text(date_format) + text(extra) + b'\0'.join(w.encode('utf-8') for w in words))
    seed('report', 'MM/dd/yyyy', 'unit', ['report', 'period', '--from', '2026-01-01', '--to=01/31/2026', '--unit', 'Shop'])
    seed('equals-empty', 'dd.MM.yy', 'format', ['--from=', '--to', '--database', '--format=a=b', '--'])
    seed('unknown', 'yyyy', '', ['chart', '--nope', 'x', '--nope=y'])
    seed('missing-value', 'd/M', 'to', ['--to'])
    seed('server-switches', 'MM/dd/yyyy', 'x', ['-RegServer', '/unregserver', '-Embedding', '/AUTOMATION', '--help'])
    seed('bad-date', "'yy'MMM", 'from', ['--from', '2026-02-30', '--from', '\u00e9\U0001F600', '--version'])


CSV_FORMATS = ['MM/DD/YYYY', 'DD/MM/YYYY', 'YYYY-MM-DD', 'DD.MM.YYYY', 'MM/DD/YY', 'DD/MM/YY', 'DD.MM.YY']
CSV_ENCODINGS = ['UTF-8', 'Windows-1252', 'ISO-8859-1', 'UTF-16', 'EBCDIC']
CSV_DELIMITERS = [',', ';', '\t', '|', ' ', '"']


def csv():
    def seed(name, contents, delimiter=',', encoding='UTF-8', skip=1, date_format='MM/DD/YYYY', comma=False,
             columns=(0, 1, -1, 2, -1, -1), written=2 ** 63):
        back = [u(CSV_DELIMITERS.index(delimiter), 1), u(CSV_ENCODINGS.index(encoding), 1), u(skip + 1, 1),
                u(CSV_FORMATS.index(date_format), 1), u(int(comma), 1)]
        back += [u(c + 2, 1) for c in columns]
        back.append(u(written, 8))
        write('csv', name, (contents.encode('utf-8') if isinstance(contents, str) else contents) + tail(*back))
    seed('quoted-fields', 'Date,Description,Amount\r\n01/05/2026,"Coffee, Main St",-4.50\r\n'
         '01/15/2026,"Payroll ""ACME""\nJanuary","2,500.00"\r\n\r\n1/31/2026,Rent,-1200\r\n')
    seed('old-mac', 'Date,Description,Amount\r1/2/2026,Tea,-2\r1/3/2026,Cake,-3\r')
    seed('german-1252', b'Kontoauszug;Girokonto\nBuchungstag;Empf\xe4nger;Verwendungszweck;Soll;Haben\n'
         b'02.01.2026;B\xe4ckerei M\xfcller;Br\xf6tchen \x80 3;3,20;\n05.01.2026;Arbeitgeber GmbH;Gehalt;;2.345,67\n'
         b'06.01.2026;Stra\xdfenbahn;Monatskarte;-1.049,00;\n', delimiter=';', encoding='Windows-1252', skip=2,
         date_format='DD.MM.YYYY', comma=True, columns=(0, 1, 2, -1, 3, 4))
    text = 'Date\tPayee\tAmount\n03/01/2026\tCaf\u00e9 \u65e5\u672c\t-2.00\n'
    seed('utf16-bom', b'\xff\xfe' + text.encode('utf-16-le'), delimiter='\t', encoding='ISO-8859-1')
    seed('utf8-bom', b'\xef\xbb\xbf' + text.encode('utf-8'), delimiter='\t', encoding='UTF-16')
    seed('malformed-lines', 'Date,Description,Amount\n31/01/2026,Good,1.00\n31/02/2026,Bad day,2.00\n'
         '01/02/2026,Bad amount,2,5\n01/02/2026,Short\n,No date,3.00\n02/02/2026,Good again,4.00\n',
         date_format='DD/MM/YYYY', comma=True)
    seed('not-text', b'Date,Amount\n\0\0\x01\x02', columns=(0, -1, -1, 1, -1, -1))
    seed('amount-forms', "Date|Amount\n2026-01-02|(1'234.50)\n2026-01-03|USD 12.00-\n2026-01-04|\u20ac 1 000.00\n",
         delimiter='|', date_format='YYYY-MM-DD', columns=(0, -1, -1, 1, -1, -1))
    seed('bad-layout', 'a,b\n', skip=-1, columns=(-2, 0, 0, 1, 1, -1))


def qif():
    write('qif', 'bank-entries', b"!Type:Bank\nD1/31'26\nT-4.50\nPCoffee\nMLatte\nLFood:Dining\nN101\n^\n"
          b"D 1/ 5'26\nU1,234.56\nPSalary\n^\nD01/31/2026\nT-12,50\nPB\xe4ckerei\n^\n"
          b"!Type:Invst\nD2/1'26\nNBuy\nT100.00\n^\n!Type:CCard\nD02/30/2026\nTabc\nPBroken\n^\n"
          b"D2/3/26\nT-9.99\n^\nD03.02.2026\nT-1.234,50\n^\n")
    write('qif', 'memorized-only', b'!Type:Memorized\nPRent\nT-100\n^\n')
    write('qif', 'not-qif', b'Date,Amount\n')
    write('qif', 'bom-crlf-no-caret', b"\xef\xbb\xbf!Option:AutoSwitch\r\n!Account\r\nNChecking\r\n^\r\n"
          b"!Type:Cash\r\nD2026-02-01\r\nT5\r\n!Type:Bank\r\nD12/31'99\r\nU\r\nT\r\n^\r\nD1/1/1\r\n")


OFX_SGML = (b"OFXHEADER:100\r\nDATA:OFXSGML\r\nVERSION:102\r\nSECURITY:NONE\r\nENCODING:USASCII\r\nCHARSET:1252\r\n"
            b"COMPRESSION:NONE\r\nOLDFILEUID:NONE\r\nNEWFILEUID:NONE\r\n\r\n<OFX>\r\n"
            b"<SIGNONMSGSRSV1><SONRS><STATUS><CODE>0<SEVERITY>INFO</STATUS><DTSERVER>20260131<LANGUAGE>ENG</SONRS>"
            b"</SIGNONMSGSRSV1>\r\n<BANKMSGSRSV1><STMTTRNRS><TRNUID>1<STATUS><CODE>0<SEVERITY>INFO</STATUS>\r\n"
            b"<STMTRS><CURDEF>USD<BANKACCTFROM><BANKID>1<ACCTID>2<ACCTTYPE>CHECKING</BANKACCTFROM>\r\n"
            b"<BANKTRANLIST><DTSTART>20260101<DTEND>20260131\r\n"
            b"<STMTTRN><TRNTYPE>DEBIT<DTPOSTED>20260105<TRNAMT>-4.50<FITID>A1<NAME>Coffee Shop<MEMO>Latte</STMTTRN>\r\n"
            b"<STMTTRN><TRNTYPE>CHECK<DTPOSTED>20260120230000[-5:EST]<TRNAMT>-100<FITID>A3<CHECKNUM>1001"
            b"<NAME>Rent &amp; co</STMTTRN>\r\n"
            b"</BANKTRANLIST><LEDGERBAL><BALAMT>1<DTASOF>20260131</LEDGERBAL></STMTRS></STMTTRNRS></BANKMSGSRSV1>"
            b"</OFX>\r\n")
OFX_XML = (b'<?xml version="1.0" encoding="UTF-8"?>\n'
           b'<?OFX OFXHEADER="200" VERSION="211" SECURITY="NONE" OLDFILEUID="NONE" NEWFILEUID="NONE"?>\n'
           b'<OFX><SIGNONMSGSRSV1><SONRS><STATUS><CODE>0</CODE><SEVERITY>INFO</SEVERITY></STATUS>'
           b'<DTSERVER>20260131</DTSERVER><LANGUAGE>ENG</LANGUAGE></SONRS></SIGNONMSGSRSV1>\n'
           b'<CREDITCARDMSGSRSV1><CCSTMTTRNRS><TRNUID>1</TRNUID><STATUS><CODE>0</CODE><SEVERITY>INFO</SEVERITY>'
           b'</STATUS>\n<CCSTMTRS><CURDEF>EUR</CURDEF><CCACCTFROM><ACCTID>9</ACCTID></CCACCTFROM>\n'
           b'<BANKTRANLIST><DTSTART>20260101</DTSTART><DTEND>20260228</DTEND>\n'
           b'<STMTTRN><TRNTYPE>DEBIT</TRNTYPE><DTPOSTED>20260203</DTPOSTED><TRNAMT>-12.34</TRNAMT>'
           b'<FITID>X-1</FITID><NAME>B\xc3\xa4ckerei</NAME><MEMO>Br\xc3\xb6tchen</MEMO></STMTTRN>\n'
           b'<STMTTRN><TRNTYPE>CREDIT</TRNTYPE><DTPOSTED>20260210000000.000[+1:CET]</DTPOSTED>'
           b'<TRNAMT>50.00</TRNAMT><FITID>X-2</FITID><NAME>Refund</NAME></STMTTRN>\n'
           b'</BANKTRANLIST><LEDGERBAL><BALAMT>0</BALAMT><DTASOF>20260228</DTASOF></LEDGERBAL></CCSTMTRS>'
           b'</CCSTMTTRNRS></CREDITCARDMSGSRSV1></OFX>\n')


def ofx():
    write('ofx', 'sgml', OFX_SGML)
    write('ofx', 'xml', OFX_XML)
    write('ofx', 'no-statement', b'OFXHEADER:100\r\nDATA:OFXSGML\r\nVERSION:102\r\n\r\n<OFX><SIGNONMSGSRSV1></OFX>\r\n')
    write('ofx', 'cut-off', OFX_SGML[:len(OFX_SGML) // 2])
    write('ofx', 'odd-dates', OFX_SGML.replace(b'20260105', b'2026').replace(b'-4.50', b'1e999')
          .replace(b'<FITID>A3', b'<FITID>A1'))


def ofxline():
    def seed(name, fields, rest, line=3, amount=(0, 2 ** 63)):
        front = b''.join(text(f) for f in fields) + rest
        write('ofxline', name, front + tail(u(line, 8), u(amount[0], 1), u(amount[1], 8)))
    seed('plain', ['A1', 'Coffee Shop', 'Latte', '1001'], b'T\t7\t2026-01-05\t-4.5\tA1\tCoffee\t\t')
    seed('escapes', ['x\\ty', 'Rent\t&\nco', 'a\\\\b\r', ''], b'T\t1\t2026-02-30\tnan\t\\\t\\q\tB\xe4cker')
    seed('unicode', ['\u00e9', 'B\u00e4ckerei \u65e5\u672c', '  many   blanks  ', '\U0001F600'], b'T\t\t\t\t')


if __name__ == '__main__':
    targets = sys.argv[1:] or ['settings', 'dates', 'sqltext', 'keyboard', 'addindescription', 'customreport',
                               'tips', 'cliargs', 'csv', 'qif', 'ofx', 'ofxline']
    for t in targets:
        globals()[t]()
