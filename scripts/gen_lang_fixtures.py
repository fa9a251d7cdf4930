#!/usr/bin/env python3
"""Writes the language-file fixtures of tests/data/lang/: the same text as
code page 932 (the Japanese system code page), as UTF-8 and as UTF-8 with a
byte order mark, with CR LF line ends. The text holds characters whose second
Shift-JIS byte is a backslash (表, ソ) next to "\\t" escapes and at the end of
a value. Run from the repository root:

    python3 scripts/gen_lang_fixtures.py
"""
import pathlib

OUT = pathlib.Path(__file__).resolve().parent.parent / "tests" / "data" / "lang"

TEXT = r"""; language file for the tests
[MENU]
File=ファイル(&F)
Open=開く(&O)...\tCtrl+O
AllImg=一覧表
RealSz=表\t示
Edit=編集\t(&E)
Help=ヘルプ(&H)
Index=目次
[OPEN DLG]
Def=ﾃﾞﾌｫﾙﾄ
All=全ファイル
[TOOL BAR]
Open=開く
OpenC=ソ\t①ⅰ
[ETC]
CPInputErr2=アルファベット以外の文字 %c が含まれています。
"""


def main() -> None:
    OUT.mkdir(parents=True, exist_ok=True)
    crlf = TEXT.replace("\n", "\r\n")
    (OUT / "sjis.ini").write_bytes(crlf.encode("cp932"))
    (OUT / "utf8.ini").write_bytes(crlf.encode("utf-8"))
    (OUT / "utf8_bom.ini").write_bytes(b"\xef\xbb\xbf" + crlf.encode("utf-8"))


if __name__ == "__main__":
    main()
