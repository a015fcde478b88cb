"""The engine's UTF-8 symbols are never larger than segno's with an ECI.

usage: utf8_versus_segno.py LIBTAVOQRENC  -- prints the table, fails on any row
where the engine picks a larger version than segno at the same level.
"""
import ctypes
import sys

import segno


class Params(ctypes.Structure):
    _fields_ = [("version", ctypes.c_int32), ("level", ctypes.c_int32)]


TEXTS = ["0123456789" * 8, "HELLO WORLD 2024", "ヌボラ", "田中", "髙橋 﨑 ① ㈱", "😀" * 9,
         "TEL:0312345678", "MECARD:N:田中,太郎;TEL:09012345678;EMAIL:taro@example.jp;;",
         "東京都千代田区千代田1-1 ヌボラビル10F 〒100-0001", "ｱｲｳｴｵ ABC 12345 かな カナ 漢字 🎌",
         "https://example.jp/ABC?id=0123456789012345&q=ヌボラ", "数字" + "0123456789" * 20 + "終",
         "QR" * 40 + "コード" * 20, "ヌボラ 1234 ABCD 😀 é µ 한국 " * 6, "𠮷野家の牛丼 ¥380 " * 9]

lib = ctypes.CDLL(sys.argv[1])
larger = 0
print(f"{'text':<32} level segno engine")
for text in TEXTS:
    data = text.encode("utf-8")
    for level, name in enumerate("LMQH", start=1):
        theirs = segno.make(text, encoding="utf-8", eci=True, error=name, boost_error=False, micro=False).version
        symbols = ctypes.POINTER(ctypes.c_void_p)()
        params = Params(0, level)
        status = lib.TavoQREnc_QrEncodeUtf8(data, len(data), 1, ctypes.byref(symbols), ctypes.byref(params))
        lib.TavoQREnc_FreeBitmaps(symbols, 1)
        ours = params.version if status == 0 else f"E{status}"
        if (status != 0 and theirs <= 15) or (status == 0 and ours > theirs):
            larger += 1
        print(f"{text[:30]:<32} {name:>5} {theirs:>5} {ours:>6}")
sys.exit(1 if larger else 0)
