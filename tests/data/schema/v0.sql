-- Vorlix.mdb: tables, indexes, the saved queries as views, and the reserved player row.
-- Identifiers are quoted throughout: most of them are Japanese, and some differ only in width.
-- Statements end with ";" at the end of a line; a trigger ends with "END;".

PRAGMA foreign_keys = OFF;

CREATE TABLE "選手" (
  "選手ID" INTEGER PRIMARY KEY,   -- assigned by the program, never by the engine
  "選手名" TEXT,
  "初参加" TEXT,
  "誕生日" TEXT,
  "アドレス" TEXT,
  "本名" TEXT
);

CREATE TABLE "シーズン" (
  "シーズンID" INTEGER PRIMARY KEY AUTOINCREMENT,
  "シーズン時期" TEXT,
  "シーズン名" TEXT
);

CREATE TABLE "会場" (
  "会場ID" INTEGER PRIMARY KEY AUTOINCREMENT,
  "会場名" TEXT
);

CREATE TABLE "ハンデ" (
  "ID" INTEGER PRIMARY KEY AUTOINCREMENT,
  "選手ID" INTEGER,
  "シーズンID" INTEGER,
  "ハンデ" INTEGER
);

CREATE TABLE "試合" (
  "試合ID" INTEGER PRIMARY KEY,   -- assigned by the program
  "シーズンID" INTEGER,
  "試合" INTEGER,
  "１着ID" INTEGER,
  "S10" INTEGER,
  "競技点" INTEGER,
  "試合日" TEXT                    -- YYYY-MM-DD
);

CREATE TABLE "データ項目" (
  "ID" INTEGER PRIMARY KEY AUTOINCREMENT,
  "選手ID" INTEGER,
  "試合ID" INTEGER,
  "ｹﾞｰﾑ" INTEGER,
  "優Ｐ" INTEGER,
  "上位" INTEGER,
  "S10" INTEGER,
  "ST" INTEGER,
  "SP" INTEGER,
  "SPF" INTEGER,
  "ｽﾌﾟﾘｯﾄ" INTEGER,
  "当日" INTEGER,
  "入賞" TEXT,
  "競技点" INTEGER,
  "HCP" INTEGER,
  "人数" INTEGER,
  "順位" INTEGER,
  "試合日" TEXT,
  "会場ID" INTEGER
);

-- One row per stored game; its ID is the ID of the game's データ項目 row.
CREATE TABLE "マーク" (
  "ID" INTEGER PRIMARY KEY AUTOINCREMENT,
  "選手ID" INTEGER,
  "試合ID" INTEGER,
  "ｹﾞｰﾑ" INTEGER,
  "M11" TEXT, "M12" TEXT, "M21" TEXT, "M22" TEXT, "M31" TEXT, "M32" TEXT, "M41" TEXT,
  "M42" TEXT, "M51" TEXT, "M52" TEXT, "M61" TEXT, "M62" TEXT, "M71" TEXT, "M72" TEXT,
  "M81" TEXT, "M82" TEXT, "M91" TEXT, "M92" TEXT, "M01" TEXT, "M02" TEXT, "M03" TEXT,
  "S1" INTEGER, "S2" INTEGER, "S3" INTEGER, "S4" INTEGER, "S5" INTEGER, "S6" INTEGER, "S7" INTEGER, "S8" INTEGER, "S9" INTEGER, "S10" INTEGER
);

-- Readers take these fields by position: 0..3 keys, 4..24 ball codes, 25..45 pin masks.
CREATE TABLE "フレーム" (
  "ID" INTEGER PRIMARY KEY AUTOINCREMENT,
  "選手ID" INTEGER,
  "試合ID" INTEGER,
  "ゲーム" INTEGER,
  "Flms11" INTEGER, "Flms12" INTEGER, "Flms21" INTEGER, "Flms22" INTEGER, "Flms31" INTEGER, "Flms32" INTEGER, "Flms41" INTEGER,
  "Flms42" INTEGER, "Flms51" INTEGER, "Flms52" INTEGER, "Flms61" INTEGER, "Flms62" INTEGER, "Flms71" INTEGER, "Flms72" INTEGER,
  "Flms81" INTEGER, "Flms82" INTEGER, "Flms91" INTEGER, "Flms92" INTEGER, "Flms01" INTEGER, "Flms02" INTEGER, "Flms03" INTEGER,
  "pin11" INTEGER, "pin12" INTEGER, "pin21" INTEGER, "pin22" INTEGER, "pin31" INTEGER, "pin32" INTEGER, "pin41" INTEGER,
  "pin42" INTEGER, "pin51" INTEGER, "pin52" INTEGER, "pin61" INTEGER, "pin62" INTEGER, "pin71" INTEGER, "pin72" INTEGER,
  "pin81" INTEGER, "pin82" INTEGER, "pin91" INTEGER, "pin92" INTEGER, "pin01" INTEGER, "pin02" INTEGER, "pin03" INTEGER
);

CREATE INDEX "データ項目_選手ID" ON "データ項目" ("選手ID");
CREATE INDEX "データ項目_試合ID" ON "データ項目" ("試合ID");
CREATE INDEX "試合_シーズンID" ON "試合" ("シーズンID");
CREATE INDEX "ハンデ_シーズンID_選手ID" ON "ハンデ" ("シーズンID", "選手ID");

INSERT INTO "選手" ("選手ID", "選手名") VALUES (0, '全　員');

-- Player statistics.  Rates are real numbers; a rate over no chances is NULL.
-- Rankings: 優Ｐ計 descending, then 平均点 descending (選手ID only breaks exact ties).

CREATE VIEW "通算成績" AS
SELECT
  d."選手ID" AS "選手ID",
  p."選手名" AS "選手名",
  COUNT(*) AS "ゲーム",
  SUM(d."優Ｐ") AS "優Ｐ計",
  SUM(d."上位") AS "上位",
  CAST(AVG(d."上位") AS REAL) AS "上位率",
  SUM(d."S10") AS "合計点",
  CAST(AVG(d."S10") AS REAL) AS "平均点",
  SUM(d."ST") AS "ST",
  CAST(AVG(d."ST") AS REAL) AS "ST平均",
  SUM(d."SP") AS "スペア",
  SUM(d."SPF") AS "ｽﾍﾟｱﾐｽ",
  CAST(SUM(d."SP") AS REAL) / NULLIF(SUM(d."SP") + SUM(d."SPF"), 0) AS "スペア率"
FROM "データ項目" AS d
LEFT JOIN "選手" AS p ON p."選手ID" = d."選手ID"
GROUP BY d."選手ID"
ORDER BY "優Ｐ計" DESC, "平均点" DESC, d."選手ID";

CREATE VIEW "シーズン成績２" AS
SELECT
  d."選手ID" AS "選手ID",
  p."選手名" AS "選手名",
  s."シーズンID" AS "シーズンID",
  COUNT(*) AS "ゲーム",
  SUM(d."優Ｐ") AS "優Ｐ計",
  SUM(d."上位") AS "上位",
  CAST(AVG(d."上位") AS REAL) AS "上位率",
  SUM(d."S10") AS "合計点",
  CAST(AVG(d."S10") AS REAL) AS "平均点",
  SUM(d."ST") AS "ST",
  CAST(AVG(d."ST") AS REAL) AS "ST平均",
  SUM(d."SP") AS "スペア",
  SUM(d."SPF") AS "ｽﾍﾟｱﾐｽ",
  CAST(SUM(d."SP") AS REAL) / NULLIF(SUM(d."SP") + SUM(d."SPF"), 0) AS "スペア率"
FROM "データ項目" AS d
JOIN "試合" AS s ON s."試合ID" = d."試合ID"
LEFT JOIN "選手" AS p ON p."選手ID" = d."選手ID"
GROUP BY s."シーズンID", d."選手ID"
ORDER BY s."シーズンID", "優Ｐ計" DESC, "平均点" DESC, d."選手ID";

CREATE VIEW "選手別成績２" AS
SELECT
  d."選手ID" AS "選手ID",
  s."シーズンID" AS "シーズンID",
  COUNT(*) AS "ゲーム数",
  SUM(d."優Ｐ") AS "優Ｐ計",
  SUM(d."上位") AS "上位",
  CAST(AVG(d."上位") AS REAL) AS "上位率",
  SUM(d."S10") AS "合計点",
  CAST(AVG(d."S10") AS REAL) AS "平均点",
  SUM(d."ST") AS "ST",
  CAST(AVG(d."ST") AS REAL) AS "ST平均",
  SUM(d."SP") AS "スペア",
  SUM(d."SPF") AS "ｽﾍﾟｱﾐｽ",
  CAST(SUM(d."SP") AS REAL) / NULLIF(SUM(d."SP") + SUM(d."SPF"), 0) AS "スペア率"
FROM "データ項目" AS d
JOIN "試合" AS s ON s."試合ID" = d."試合ID"
GROUP BY d."選手ID", s."シーズンID"
ORDER BY d."選手ID", s."シーズンID";

CREATE VIEW "選手別通算成績２" AS
SELECT
  d."選手ID" AS "選手ID",
  COUNT(*) AS "ゲーム数",
  SUM(d."優Ｐ") AS "優Ｐ計",
  SUM(d."上位") AS "上位",
  CAST(AVG(d."上位") AS REAL) AS "上位率",
  SUM(d."S10") AS "合計点",
  CAST(AVG(d."S10") AS REAL) AS "平均点",
  SUM(d."ST") AS "ST",
  CAST(AVG(d."ST") AS REAL) AS "ST平均",
  SUM(d."SP") AS "スペア",
  SUM(d."SPF") AS "ｽﾍﾟｱﾐｽ",
  CAST(SUM(d."SP") AS REAL) / NULLIF(SUM(d."SP") + SUM(d."SPF"), 0) AS "スペア率"
FROM "データ項目" AS d
GROUP BY d."選手ID"
ORDER BY d."選手ID";

-- All players taken together carry the ID of the reserved row "全　員".
CREATE VIEW "全選手成績２" AS
SELECT
  0 AS "選手ID",
  s."シーズンID" AS "シーズンID",
  COUNT(*) AS "ゲーム数",
  SUM(d."優Ｐ") AS "優Ｐ計",
  SUM(d."上位") AS "上位",
  CAST(AVG(d."上位") AS REAL) AS "上位率",
  SUM(d."S10") AS "合計点",
  CAST(AVG(d."S10") AS REAL) AS "平均点",
  SUM(d."ST") AS "ST",
  CAST(AVG(d."ST") AS REAL) AS "ST平均",
  SUM(d."SP") AS "スペア",
  SUM(d."SPF") AS "ｽﾍﾟｱﾐｽ",
  CAST(SUM(d."SP") AS REAL) / NULLIF(SUM(d."SP") + SUM(d."SPF"), 0) AS "スペア率"
FROM "データ項目" AS d
JOIN "試合" AS s ON s."試合ID" = d."試合ID"
GROUP BY s."シーズンID"
ORDER BY s."シーズンID";

CREATE VIEW "全選手通算成績２" AS
SELECT
  0 AS "選手ID",
  COUNT(*) AS "ゲーム数",
  SUM(d."優Ｐ") AS "優Ｐ計",
  SUM(d."上位") AS "上位",
  CAST(AVG(d."上位") AS REAL) AS "上位率",
  SUM(d."S10") AS "合計点",
  CAST(AVG(d."S10") AS REAL) AS "平均点",
  SUM(d."ST") AS "ST",
  CAST(AVG(d."ST") AS REAL) AS "ST平均",
  SUM(d."SP") AS "スペア",
  SUM(d."SPF") AS "ｽﾍﾟｱﾐｽ",
  CAST(SUM(d."SP") AS REAL) / NULLIF(SUM(d."SP") + SUM(d."SPF"), 0) AS "スペア率"
FROM "データ項目" AS d
HAVING COUNT(*) > 0;

CREATE VIEW "多シーズン成績の元" AS
SELECT
  s."シーズンID" AS "シーズンID",
  d."選手ID" AS "選手ID",
  d."ｹﾞｰﾑ" AS "ｹﾞｰﾑ",
  d."優Ｐ" AS "優Ｐ",
  d."上位" AS "上位",
  d."S10" AS "S10",
  d."ST" AS "ST",
  d."SP" AS "SP",
  d."SPF" AS "SPF"
FROM "データ項目" AS d
JOIN "試合" AS s ON s."試合ID" = d."試合ID"
ORDER BY s."シーズンID", d."ID";

CREATE VIEW "スコアブック" AS
SELECT
  d."ID" AS "ID",
  p."選手名" AS "選手名",
  d."選手ID" AS "選手ID",
  s."シーズンID" AS "シーズンID",
  z."シーズン名" AS "シーズン名",
  s."試合" AS "試合",
  d."試合ID" AS "試合ID",
  d."ｹﾞｰﾑ" AS "ゲーム",
  d."優Ｐ" AS "優Ｐ",
  d."入賞" AS "入賞",
  d."S10" AS "S10",
  d."競技点" AS "競技点",
  m."M11", m."M12", m."M21", m."M22", m."M31", m."M32", m."M41",
  m."M42", m."M51", m."M52", m."M61", m."M62", m."M71", m."M72",
  m."M81", m."M82", m."M91", m."M92", m."M01", m."M02", m."M03",
  d."試合日" AS "試合日",
  v."会場名" AS "会場名",
  m."S1", m."S2", m."S3", m."S4", m."S5", m."S6", m."S7", m."S8", m."S9"
FROM "データ項目" AS d
JOIN "マーク" AS m ON m."ID" = d."ID"
JOIN "選手" AS p ON p."選手ID" = d."選手ID"
JOIN "試合" AS s ON s."試合ID" = d."試合ID"
LEFT JOIN "シーズン" AS z ON z."シーズンID" = s."シーズンID"
LEFT JOIN "会場" AS v ON v."会場ID" = d."会場ID"
ORDER BY s."シーズンID", s."試合", d."ｹﾞｰﾑ", d."ID";

CREATE VIEW "＿各試合のデータ項目統計" AS
SELECT
  p."選手名" AS "選手名",
  s."試合日" AS "試合日",
  COUNT(*) AS "Ｇ数",
  SUM(d."上位") AS "上位計",
  SUM(d."S10") AS "得点計",
  MAX(d."S10") AS "最高点",
  SUM(d."ST") AS "ST計",
  MAX(d."ST") AS "ST最大",
  SUM(d."SP") AS "SP計",
  MAX(d."SP") AS "SP最大",
  d."試合ID" AS "試合ID"
FROM "データ項目" AS d
JOIN "選手" AS p ON p."選手ID" = d."選手ID"
JOIN "試合" AS s ON s."試合ID" = d."試合ID"
GROUP BY d."試合ID", d."選手ID"
ORDER BY d."試合ID", d."選手ID";

-- Updatable views: grids and recordsets write through them as through a table.

CREATE VIEW "シーズン降順" AS
SELECT "シーズンID", "シーズン時期", "シーズン名"
FROM "シーズン"
ORDER BY "シーズンID" DESC;

CREATE TRIGGER "シーズン降順_insert" INSTEAD OF INSERT ON "シーズン降順"
BEGIN
  INSERT INTO "シーズン" ("シーズンID", "シーズン時期", "シーズン名")
  VALUES (NEW."シーズンID", NEW."シーズン時期", NEW."シーズン名");
END;

-- The counter is not edited.
CREATE TRIGGER "シーズン降順_update" INSTEAD OF UPDATE ON "シーズン降順"
BEGIN
  UPDATE "シーズン" SET "シーズン時期" = NEW."シーズン時期", "シーズン名" = NEW."シーズン名"
  WHERE "シーズンID" = OLD."シーズンID";
END;

CREATE TRIGGER "シーズン降順_delete" INSTEAD OF DELETE ON "シーズン降順"
BEGIN
  DELETE FROM "シーズン" WHERE "シーズンID" = OLD."シーズンID";
END;

CREATE VIEW "選手名とHDCP" AS
SELECT h."ID" AS "ID", h."シーズンID" AS "シーズンID", z."シーズン時期" AS "シーズン時期",
       h."選手ID" AS "選手ID", p."選手名" AS "選手名", h."ハンデ" AS "ハンデ"
FROM "ハンデ" AS h
JOIN "選手" AS p ON p."選手ID" = h."選手ID"
JOIN "シーズン" AS z ON z."シーズンID" = h."シーズンID"
ORDER BY h."ID";

-- A handicap must name a stored player and a stored season; the grid reports the refusal.
CREATE TRIGGER "選手名とHDCP_insert" INSTEAD OF INSERT ON "選手名とHDCP"
BEGIN
  SELECT RAISE(ABORT, 'no such player') WHERE NOT EXISTS
    (SELECT 1 FROM "選手" WHERE "選手ID" = NEW."選手ID");
  SELECT RAISE(ABORT, 'no such season') WHERE NOT EXISTS
    (SELECT 1 FROM "シーズン" WHERE "シーズンID" = NEW."シーズンID");
  INSERT INTO "ハンデ" ("選手ID", "シーズンID", "ハンデ")
  VALUES (NEW."選手ID", NEW."シーズンID", NEW."ハンデ");
END;

-- A changed name or period is the player's or the season's own, and so shows everywhere.
CREATE TRIGGER "選手名とHDCP_update" INSTEAD OF UPDATE ON "選手名とHDCP"
BEGIN
  SELECT RAISE(ABORT, 'no such player') WHERE NOT EXISTS
    (SELECT 1 FROM "選手" WHERE "選手ID" = NEW."選手ID");
  SELECT RAISE(ABORT, 'no such season') WHERE NOT EXISTS
    (SELECT 1 FROM "シーズン" WHERE "シーズンID" = NEW."シーズンID");
  UPDATE "ハンデ" SET "選手ID" = NEW."選手ID", "シーズンID" = NEW."シーズンID", "ハンデ" = NEW."ハンデ"
  WHERE "ID" = OLD."ID";
  UPDATE "選手" SET "選手名" = NEW."選手名"
  WHERE "選手ID" = NEW."選手ID" AND NEW."選手名" IS NOT OLD."選手名";
  UPDATE "シーズン" SET "シーズン時期" = NEW."シーズン時期"
  WHERE "シーズンID" = NEW."シーズンID" AND NEW."シーズン時期" IS NOT OLD."シーズン時期";
END;

CREATE TRIGGER "選手名とHDCP_delete" INSTEAD OF DELETE ON "選手名とHDCP"
BEGIN
  DELETE FROM "ハンデ" WHERE "ID" = OLD."ID";
END;

-- Every player, with each of its handicaps (a player without one appears once, season NULL).
CREATE VIEW "他データ読み込み用ダイナ" AS
SELECT p."選手ID" AS "選手ID", p."選手名" AS "選手名", h."シーズンID" AS "シーズンID", h."ハンデ" AS "ハンデ"
FROM "選手" AS p
LEFT JOIN "ハンデ" AS h ON h."選手ID" = p."選手ID"
ORDER BY p."選手ID", h."シーズンID";

-- Appending creates the player and, when a season is given, its handicap for that season.
-- An ID already taken is refused by the player table's key.
CREATE TRIGGER "他データ読み込み用ダイナ_insert" INSTEAD OF INSERT ON "他データ読み込み用ダイナ"
BEGIN
  SELECT RAISE(ABORT, 'player ID required') WHERE NEW."選手ID" IS NULL;
  INSERT INTO "選手" ("選手ID", "選手名") VALUES (NEW."選手ID", NEW."選手名");
  INSERT INTO "ハンデ" ("選手ID", "シーズンID", "ハンデ")
  SELECT NEW."選手ID", NEW."シーズンID", NEW."ハンデ" WHERE NEW."シーズンID" IS NOT NULL;
END;

CREATE TRIGGER "他データ読み込み用ダイナ_update" INSTEAD OF UPDATE ON "他データ読み込み用ダイナ"
BEGIN
  UPDATE "選手" SET "選手名" = NEW."選手名" WHERE "選手ID" = OLD."選手ID";
  UPDATE "ハンデ" SET "シーズンID" = NEW."シーズンID", "ハンデ" = NEW."ハンデ"
  WHERE OLD."シーズンID" IS NOT NULL AND NEW."シーズンID" IS NOT NULL
    AND "選手ID" = OLD."選手ID" AND "シーズンID" = OLD."シーズンID";
  INSERT INTO "ハンデ" ("選手ID", "シーズンID", "ハンデ")
  SELECT OLD."選手ID", NEW."シーズンID", NEW."ハンデ"
  WHERE OLD."シーズンID" IS NULL AND NEW."シーズンID" IS NOT NULL;
END;

-- Deleting a row removes that handicap; the player stays, as its games refer to it.
CREATE TRIGGER "他データ読み込み用ダイナ_delete" INSTEAD OF DELETE ON "他データ読み込み用ダイナ"
BEGIN
  DELETE FROM "ハンデ" WHERE "選手ID" = OLD."選手ID" AND "シーズンID" = OLD."シーズンID";
END;
