#!/usr/bin/env python3
# Writes the expected exchange files the way the other platform's Write # lays them out:
# CP932, CR LF, texts in double quotes, whole numbers in plain decimal.
import os

E = "\u3000"
HERE = os.path.dirname(os.path.abspath(__file__))


def blank():
    return {"marks": [E] * 21, "codes": [30] * 21, "pins": [0] * 21, "attrs": [-1] * 21,
            "masks": [-1] * 21, "scores": [0] * 12}


def ball(rec, k, mark, code, pins, attr, mask):
    rec["marks"][k], rec["codes"][k], rec["pins"][k], rec["attrs"][k], rec["masks"][k] = mark, code, pins, attr, mask


def pad10(name):
    return (name + " " * 10)[:10]


def slots():
    # (id, name, handicap, {game: record})
    a = {}
    g0 = blank()
    ball(g0, 0, "＊", 10, 10, 4, 0)
    ball(g0, 2, "７", 7, 7, 0, 7)
    ball(g0, 3, "／", 20, 3, 3, 0)
    ball(g0, 4, "8s", 8, 8, 2, 576)
    ball(g0, 5, "－", 19, 0, 0, 576)
    g0["scores"][1:4] = [20, 38, 46]
    a[0] = g0
    g1 = blank()
    ball(g1, 0, "Ｆ", 21, 0, 1, 1023)
    ball(g1, 1, "９", 9, 9, 0, 1)
    g1["scores"][1] = 9
    a[1] = g1
    b = {}
    g3 = blank()
    ball(g3, 0, "Ｇ", 0, 0, 0, 1023)
    b[3] = g3
    c = {}
    g2 = blank()
    ball(g2, 18, "＊", 10, 10, 4, 0)
    ball(g2, 19, "＊", 10, 10, 4, 0)
    ball(g2, 20, "５", 5, 5, 0, -1)
    g2["scores"][10] = 25
    c[2] = g2
    return [(3, "山田太郎", 15, a), (12, "Suzuki", -5, b), (25, "佐藤　花子", 0, c)]


def record(games, g, hcp):
    r = games.get(g, blank())
    r["scores"][11] = hcp
    r["scores"][0] = r["scores"][10] + hcp
    return r


def write(path, lines):
    with open(path, "wb") as f:
        for line in lines:
            f.write(line.encode("cp932") + b"\r\n")


def q(t):
    return '"' + t + '"'


def dat():
    lines = ["3", "4"]
    for pid, name, hcp, games in slots():
        lines += [f"{pid},{q(pad10(name))}", "2", "2026", "5", "17"]
        for g in range(4):
            r = record(games, g, hcp)
            for k in range(21):
                lines += [q(r["marks"][k]), str(r["codes"][k]), str(r["pins"][k]), str(r["attrs"][k]), str(r["masks"][k])]
            lines += [str(s) for s in r["scores"]]
    assert len(lines) == 1421
    write(os.path.join(HERE, "B_000012.dat"), lines)


def cdt():
    # Two players, two games, old layout: no venue or date, three values a ball, frame scores only.
    lines = ["2", "2"]
    for pid, name, hcp, games in slots()[:2]:
        lines += [f"{pid},{q(pad10(name))}"]
        for g in range(2):
            r = record(games, g, 0)
            for k in range(21):
                lines += [q(r["marks"][k]), str(r["codes"][k]), str(r["pins"][k])]
            lines += [str(s) for s in r["scores"][1:11]]
    assert len(lines) == 2 + 2 * (1 + 2 * 73)
    write(os.path.join(HERE, "old.cdt"), lines)


dat()
cdt()
