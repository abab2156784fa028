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
-- A match's games with the fields the statistics sum: a season's results are read from the index
-- alone, without visiting the rows.
CREATE INDEX "データ項目_試合ID_成績" ON "データ項目" ("試合ID", "選手ID", "優Ｐ", "上位", "S10", "ST", "SP", "SPF");
CREATE INDEX "試合_シーズンID" ON "試合" ("シーズンID");
CREATE INDEX "ハンデ_シーズンID_選手ID" ON "ハンデ" ("シーズンID", "選手ID");

-- Each player's all-time sums, kept by the triggers below inside the statement that stores, edits
-- or deletes a game, so that all-time figures read a row instead of every game of the player.
-- For every summed field: its sum over the games where it is not NULL, and the number of those.
CREATE TABLE "＿通算" (
  "選手ID" INTEGER,
  "ゲーム" INTEGER NOT NULL DEFAULT 0,
  "優Ｐ和" INTEGER NOT NULL DEFAULT 0, "優Ｐ数" INTEGER NOT NULL DEFAULT 0,
  "上位和" INTEGER NOT NULL DEFAULT 0, "上位数" INTEGER NOT NULL DEFAULT 0,
  "S10和" INTEGER NOT NULL DEFAULT 0, "S10数" INTEGER NOT NULL DEFAULT 0,
  "ST和" INTEGER NOT NULL DEFAULT 0, "ST数" INTEGER NOT NULL DEFAULT 0,
  "SP和" INTEGER NOT NULL DEFAULT 0, "SP数" INTEGER NOT NULL DEFAULT 0,
  "SPF和" INTEGER NOT NULL DEFAULT 0, "SPF数" INTEGER NOT NULL DEFAULT 0
);
CREATE UNIQUE INDEX "＿通算_選手ID" ON "＿通算" ("選手ID");
-- Sums of the games already stored (none in a new database; all of them when an older database
-- gains this table).
INSERT INTO "＿通算" SELECT "選手ID", COUNT(*),
  COALESCE(SUM("優Ｐ"), 0), COUNT("優Ｐ"),
  COALESCE(SUM("上位"), 0), COUNT("上位"),
  COALESCE(SUM("S10"), 0), COUNT("S10"),
  COALESCE(SUM("ST"), 0), COUNT("ST"),
  COALESCE(SUM("SP"), 0), COUNT("SP"),
  COALESCE(SUM("SPF"), 0), COUNT("SPF")
FROM "データ項目" GROUP BY "選手ID";

CREATE TRIGGER "＿通算_insert" AFTER INSERT ON "データ項目" BEGIN
  INSERT INTO "＿通算" ("選手ID") SELECT NEW."選手ID"
  WHERE NOT EXISTS (SELECT 1 FROM "＿通算" WHERE "選手ID" IS NEW."選手ID");
  UPDATE "＿通算" SET
    "ゲーム" = "ゲーム" + 1,
    "優Ｐ和" = "優Ｐ和" + COALESCE(NEW."優Ｐ", 0), "優Ｐ数" = "優Ｐ数" + (NEW."優Ｐ" IS NOT NULL),
    "上位和" = "上位和" + COALESCE(NEW."上位", 0), "上位数" = "上位数" + (NEW."上位" IS NOT NULL),
    "S10和" = "S10和" + COALESCE(NEW."S10", 0), "S10数" = "S10数" + (NEW."S10" IS NOT NULL),
    "ST和" = "ST和" + COALESCE(NEW."ST", 0), "ST数" = "ST数" + (NEW."ST" IS NOT NULL),
    "SP和" = "SP和" + COALESCE(NEW."SP", 0), "SP数" = "SP数" + (NEW."SP" IS NOT NULL),
    "SPF和" = "SPF和" + COALESCE(NEW."SPF", 0), "SPF数" = "SPF数" + (NEW."SPF" IS NOT NULL)
  WHERE "選手ID" IS NEW."選手ID";
END;

CREATE TRIGGER "＿通算_delete" AFTER DELETE ON "データ項目" BEGIN
  UPDATE "＿通算" SET
    "ゲーム" = "ゲーム" - 1,
    "優Ｐ和" = "優Ｐ和" - COALESCE(OLD."優Ｐ", 0), "優Ｐ数" = "優Ｐ数" - (OLD."優Ｐ" IS NOT NULL),
    "上位和" = "上位和" - COALESCE(OLD."上位", 0), "上位数" = "上位数" - (OLD."上位" IS NOT NULL),
    "S10和" = "S10和" - COALESCE(OLD."S10", 0), "S10数" = "S10数" - (OLD."S10" IS NOT NULL),
    "ST和" = "ST和" - COALESCE(OLD."ST", 0), "ST数" = "ST数" - (OLD."ST" IS NOT NULL),
    "SP和" = "SP和" - COALESCE(OLD."SP", 0), "SP数" = "SP数" - (OLD."SP" IS NOT NULL),
    "SPF和" = "SPF和" - COALESCE(OLD."SPF", 0), "SPF数" = "SPF数" - (OLD."SPF" IS NOT NULL)
  WHERE "選手ID" IS OLD."選手ID";
  DELETE FROM "＿通算" WHERE "選手ID" IS OLD."選手ID" AND "ゲーム" = 0;
END;

CREATE TRIGGER "＿通算_update" AFTER UPDATE OF "選手ID", "優Ｐ", "上位", "S10", "ST", "SP", "SPF" ON "データ項目" BEGIN
  UPDATE "＿通算" SET
    "ゲーム" = "ゲーム" - 1,
    "優Ｐ和" = "優Ｐ和" - COALESCE(OLD."優Ｐ", 0), "優Ｐ数" = "優Ｐ数" - (OLD."優Ｐ" IS NOT NULL),
    "上位和" = "上位和" - COALESCE(OLD."上位", 0), "上位数" = "上位数" - (OLD."上位" IS NOT NULL),
    "S10和" = "S10和" - COALESCE(OLD."S10", 0), "S10数" = "S10数" - (OLD."S10" IS NOT NULL),
    "ST和" = "ST和" - COALESCE(OLD."ST", 0), "ST数" = "ST数" - (OLD."ST" IS NOT NULL),
    "SP和" = "SP和" - COALESCE(OLD."SP", 0), "SP数" = "SP数" - (OLD."SP" IS NOT NULL),
    "SPF和" = "SPF和" - COALESCE(OLD."SPF", 0), "SPF数" = "SPF数" - (OLD."SPF" IS NOT NULL)
  WHERE "選手ID" IS OLD."選手ID";
  DELETE FROM "＿通算" WHERE "選手ID" IS OLD."選手ID" AND "ゲーム" = 0;
  INSERT INTO "＿通算" ("選手ID") SELECT NEW."選手ID"
  WHERE NOT EXISTS (SELECT 1 FROM "＿通算" WHERE "選手ID" IS NEW."選手ID");
  UPDATE "＿通算" SET
    "ゲーム" = "ゲーム" + 1,
    "優Ｐ和" = "優Ｐ和" + COALESCE(NEW."優Ｐ", 0), "優Ｐ数" = "優Ｐ数" + (NEW."優Ｐ" IS NOT NULL),
    "上位和" = "上位和" + COALESCE(NEW."上位", 0), "上位数" = "上位数" + (NEW."上位" IS NOT NULL),
    "S10和" = "S10和" + COALESCE(NEW."S10", 0), "S10数" = "S10数" + (NEW."S10" IS NOT NULL),
    "ST和" = "ST和" + COALESCE(NEW."ST", 0), "ST数" = "ST数" + (NEW."ST" IS NOT NULL),
    "SP和" = "SP和" + COALESCE(NEW."SP", 0), "SP数" = "SP数" + (NEW."SP" IS NOT NULL),
    "SPF和" = "SPF和" + COALESCE(NEW."SPF", 0), "SPF数" = "SPF数" + (NEW."SPF" IS NOT NULL)
  WHERE "選手ID" IS NEW."選手ID";
END;

-- The same sums for each player in each season, and for all players in each season.  A game counts
-- in the season of its match row, so the rows follow the games (stored, edited, deleted) and the
-- matches (stored after their games, moved to another season, renumbered or deleted); a game whose
-- match is not stored counts in no season.  The program's connection turns recursive triggers on,
-- so that a row replaced by INSERT OR REPLACE leaves the sums through the delete triggers.
CREATE TABLE "＿シーズン計" (
  "選手ID" INTEGER,
  "シーズンID" INTEGER,
  "ゲーム" INTEGER NOT NULL DEFAULT 0,
  "優Ｐ和" INTEGER NOT NULL DEFAULT 0, "優Ｐ数" INTEGER NOT NULL DEFAULT 0,
  "上位和" INTEGER NOT NULL DEFAULT 0, "上位数" INTEGER NOT NULL DEFAULT 0,
  "S10和" INTEGER NOT NULL DEFAULT 0, "S10数" INTEGER NOT NULL DEFAULT 0,
  "ST和" INTEGER NOT NULL DEFAULT 0, "ST数" INTEGER NOT NULL DEFAULT 0,
  "SP和" INTEGER NOT NULL DEFAULT 0, "SP数" INTEGER NOT NULL DEFAULT 0,
  "SPF和" INTEGER NOT NULL DEFAULT 0, "SPF数" INTEGER NOT NULL DEFAULT 0
);
CREATE UNIQUE INDEX "＿シーズン計_シーズンID_選手ID" ON "＿シーズン計" ("シーズンID", "選手ID");
CREATE INDEX "＿シーズン計_選手ID" ON "＿シーズン計" ("選手ID", "シーズンID");
INSERT INTO "＿シーズン計" SELECT d."選手ID", s."シーズンID", COUNT(*),
  COALESCE(SUM(d."優Ｐ"), 0), COUNT(d."優Ｐ"),
  COALESCE(SUM(d."上位"), 0), COUNT(d."上位"),
  COALESCE(SUM(d."S10"), 0), COUNT(d."S10"),
  COALESCE(SUM(d."ST"), 0), COUNT(d."ST"),
  COALESCE(SUM(d."SP"), 0), COUNT(d."SP"),
  COALESCE(SUM(d."SPF"), 0), COUNT(d."SPF")
FROM "データ項目" AS d JOIN "試合" AS s ON s."試合ID" = d."試合ID" GROUP BY d."選手ID", s."シーズンID";

CREATE TABLE "＿全員シーズン計" (
  "シーズンID" INTEGER,
  "ゲーム" INTEGER NOT NULL DEFAULT 0,
  "優Ｐ和" INTEGER NOT NULL DEFAULT 0, "優Ｐ数" INTEGER NOT NULL DEFAULT 0,
  "上位和" INTEGER NOT NULL DEFAULT 0, "上位数" INTEGER NOT NULL DEFAULT 0,
  "S10和" INTEGER NOT NULL DEFAULT 0, "S10数" INTEGER NOT NULL DEFAULT 0,
  "ST和" INTEGER NOT NULL DEFAULT 0, "ST数" INTEGER NOT NULL DEFAULT 0,
  "SP和" INTEGER NOT NULL DEFAULT 0, "SP数" INTEGER NOT NULL DEFAULT 0,
  "SPF和" INTEGER NOT NULL DEFAULT 0, "SPF数" INTEGER NOT NULL DEFAULT 0
);
CREATE UNIQUE INDEX "＿全員シーズン計_シーズンID" ON "＿全員シーズン計" ("シーズンID");
INSERT INTO "＿全員シーズン計" SELECT s."シーズンID", COUNT(*),
  COALESCE(SUM(d."優Ｐ"), 0), COUNT(d."優Ｐ"),
  COALESCE(SUM(d."上位"), 0), COUNT(d."上位"),
  COALESCE(SUM(d."S10"), 0), COUNT(d."S10"),
  COALESCE(SUM(d."ST"), 0), COUNT(d."ST"),
  COALESCE(SUM(d."SP"), 0), COUNT(d."SP"),
  COALESCE(SUM(d."SPF"), 0), COUNT(d."SPF")
FROM "データ項目" AS d JOIN "試合" AS s ON s."試合ID" = d."試合ID" GROUP BY s."シーズンID";

CREATE TRIGGER "＿シーズン計_insert" AFTER INSERT ON "データ項目"
WHEN EXISTS (SELECT 1 FROM "試合" WHERE "試合ID" = NEW."試合ID") BEGIN
  INSERT INTO "＿シーズン計" ("選手ID", "シーズンID") SELECT NEW."選手ID", s."シーズンID" FROM "試合" AS s
  WHERE s."試合ID" = NEW."試合ID" AND NOT EXISTS
    (SELECT 1 FROM "＿シーズン計" AS t WHERE t."選手ID" IS NEW."選手ID" AND t."シーズンID" IS s."シーズンID");
  UPDATE "＿シーズン計" SET
    "ゲーム" = "ゲーム" + 1,
    "優Ｐ和" = "優Ｐ和" + COALESCE(NEW."優Ｐ", 0), "優Ｐ数" = "優Ｐ数" + (NEW."優Ｐ" IS NOT NULL),
    "上位和" = "上位和" + COALESCE(NEW."上位", 0), "上位数" = "上位数" + (NEW."上位" IS NOT NULL),
    "S10和" = "S10和" + COALESCE(NEW."S10", 0), "S10数" = "S10数" + (NEW."S10" IS NOT NULL),
    "ST和" = "ST和" + COALESCE(NEW."ST", 0), "ST数" = "ST数" + (NEW."ST" IS NOT NULL),
    "SP和" = "SP和" + COALESCE(NEW."SP", 0), "SP数" = "SP数" + (NEW."SP" IS NOT NULL),
    "SPF和" = "SPF和" + COALESCE(NEW."SPF", 0), "SPF数" = "SPF数" + (NEW."SPF" IS NOT NULL)
  WHERE "選手ID" IS NEW."選手ID" AND "シーズンID" IS (SELECT "シーズンID" FROM "試合" WHERE "試合ID" = NEW."試合ID");
  INSERT INTO "＿全員シーズン計" ("シーズンID") SELECT s."シーズンID" FROM "試合" AS s
  WHERE s."試合ID" = NEW."試合ID" AND NOT EXISTS (SELECT 1 FROM "＿全員シーズン計" AS t WHERE t."シーズンID" IS s."シーズンID");
  UPDATE "＿全員シーズン計" SET
    "ゲーム" = "ゲーム" + 1,
    "優Ｐ和" = "優Ｐ和" + COALESCE(NEW."優Ｐ", 0), "優Ｐ数" = "優Ｐ数" + (NEW."優Ｐ" IS NOT NULL),
    "上位和" = "上位和" + COALESCE(NEW."上位", 0), "上位数" = "上位数" + (NEW."上位" IS NOT NULL),
    "S10和" = "S10和" + COALESCE(NEW."S10", 0), "S10数" = "S10数" + (NEW."S10" IS NOT NULL),
    "ST和" = "ST和" + COALESCE(NEW."ST", 0), "ST数" = "ST数" + (NEW."ST" IS NOT NULL),
    "SP和" = "SP和" + COALESCE(NEW."SP", 0), "SP数" = "SP数" + (NEW."SP" IS NOT NULL),
    "SPF和" = "SPF和" + COALESCE(NEW."SPF", 0), "SPF数" = "SPF数" + (NEW."SPF" IS NOT NULL)
  WHERE "シーズンID" IS (SELECT "シーズンID" FROM "試合" WHERE "試合ID" = NEW."試合ID");
END;

CREATE TRIGGER "＿シーズン計_delete" AFTER DELETE ON "データ項目"
WHEN EXISTS (SELECT 1 FROM "試合" WHERE "試合ID" = OLD."試合ID") BEGIN
  UPDATE "＿シーズン計" SET
    "ゲーム" = "ゲーム" - 1,
    "優Ｐ和" = "優Ｐ和" - COALESCE(OLD."優Ｐ", 0), "優Ｐ数" = "優Ｐ数" - (OLD."優Ｐ" IS NOT NULL),
    "上位和" = "上位和" - COALESCE(OLD."上位", 0), "上位数" = "上位数" - (OLD."上位" IS NOT NULL),
    "S10和" = "S10和" - COALESCE(OLD."S10", 0), "S10数" = "S10数" - (OLD."S10" IS NOT NULL),
    "ST和" = "ST和" - COALESCE(OLD."ST", 0), "ST数" = "ST数" - (OLD."ST" IS NOT NULL),
    "SP和" = "SP和" - COALESCE(OLD."SP", 0), "SP数" = "SP数" - (OLD."SP" IS NOT NULL),
    "SPF和" = "SPF和" - COALESCE(OLD."SPF", 0), "SPF数" = "SPF数" - (OLD."SPF" IS NOT NULL)
  WHERE "選手ID" IS OLD."選手ID" AND "シーズンID" IS (SELECT "シーズンID" FROM "試合" WHERE "試合ID" = OLD."試合ID");
  DELETE FROM "＿シーズン計" WHERE "選手ID" IS OLD."選手ID" AND "ゲーム" = 0;
  UPDATE "＿全員シーズン計" SET
    "ゲーム" = "ゲーム" - 1,
    "優Ｐ和" = "優Ｐ和" - COALESCE(OLD."優Ｐ", 0), "優Ｐ数" = "優Ｐ数" - (OLD."優Ｐ" IS NOT NULL),
    "上位和" = "上位和" - COALESCE(OLD."上位", 0), "上位数" = "上位数" - (OLD."上位" IS NOT NULL),
    "S10和" = "S10和" - COALESCE(OLD."S10", 0), "S10数" = "S10数" - (OLD."S10" IS NOT NULL),
    "ST和" = "ST和" - COALESCE(OLD."ST", 0), "ST数" = "ST数" - (OLD."ST" IS NOT NULL),
    "SP和" = "SP和" - COALESCE(OLD."SP", 0), "SP数" = "SP数" - (OLD."SP" IS NOT NULL),
    "SPF和" = "SPF和" - COALESCE(OLD."SPF", 0), "SPF数" = "SPF数" - (OLD."SPF" IS NOT NULL)
  WHERE "シーズンID" IS (SELECT "シーズンID" FROM "試合" WHERE "試合ID" = OLD."試合ID");
  DELETE FROM "＿全員シーズン計" WHERE "シーズンID" IS (SELECT "シーズンID" FROM "試合" WHERE "試合ID" = OLD."試合ID") AND "ゲーム" = 0;
END;

CREATE TRIGGER "＿シーズン計_update" AFTER UPDATE OF "選手ID", "試合ID", "優Ｐ", "上位", "S10", "ST", "SP", "SPF" ON "データ項目" BEGIN
  UPDATE "＿シーズン計" SET
    "ゲーム" = "ゲーム" - 1,
    "優Ｐ和" = "優Ｐ和" - COALESCE(OLD."優Ｐ", 0), "優Ｐ数" = "優Ｐ数" - (OLD."優Ｐ" IS NOT NULL),
    "上位和" = "上位和" - COALESCE(OLD."上位", 0), "上位数" = "上位数" - (OLD."上位" IS NOT NULL),
    "S10和" = "S10和" - COALESCE(OLD."S10", 0), "S10数" = "S10数" - (OLD."S10" IS NOT NULL),
    "ST和" = "ST和" - COALESCE(OLD."ST", 0), "ST数" = "ST数" - (OLD."ST" IS NOT NULL),
    "SP和" = "SP和" - COALESCE(OLD."SP", 0), "SP数" = "SP数" - (OLD."SP" IS NOT NULL),
    "SPF和" = "SPF和" - COALESCE(OLD."SPF", 0), "SPF数" = "SPF数" - (OLD."SPF" IS NOT NULL)
  WHERE "選手ID" IS OLD."選手ID" AND "シーズンID" IS (SELECT "シーズンID" FROM "試合" WHERE "試合ID" = OLD."試合ID")
    AND EXISTS (SELECT 1 FROM "試合" WHERE "試合ID" = OLD."試合ID");
  DELETE FROM "＿シーズン計" WHERE "選手ID" IS OLD."選手ID" AND "ゲーム" = 0;
  UPDATE "＿全員シーズン計" SET
    "ゲーム" = "ゲーム" - 1,
    "優Ｐ和" = "優Ｐ和" - COALESCE(OLD."優Ｐ", 0), "優Ｐ数" = "優Ｐ数" - (OLD."優Ｐ" IS NOT NULL),
    "上位和" = "上位和" - COALESCE(OLD."上位", 0), "上位数" = "上位数" - (OLD."上位" IS NOT NULL),
    "S10和" = "S10和" - COALESCE(OLD."S10", 0), "S10数" = "S10数" - (OLD."S10" IS NOT NULL),
    "ST和" = "ST和" - COALESCE(OLD."ST", 0), "ST数" = "ST数" - (OLD."ST" IS NOT NULL),
    "SP和" = "SP和" - COALESCE(OLD."SP", 0), "SP数" = "SP数" - (OLD."SP" IS NOT NULL),
    "SPF和" = "SPF和" - COALESCE(OLD."SPF", 0), "SPF数" = "SPF数" - (OLD."SPF" IS NOT NULL)
  WHERE "シーズンID" IS (SELECT "シーズンID" FROM "試合" WHERE "試合ID" = OLD."試合ID")
    AND EXISTS (SELECT 1 FROM "試合" WHERE "試合ID" = OLD."試合ID");
  DELETE FROM "＿全員シーズン計" WHERE "シーズンID" IS (SELECT "シーズンID" FROM "試合" WHERE "試合ID" = OLD."試合ID") AND "ゲーム" = 0;
  INSERT INTO "＿シーズン計" ("選手ID", "シーズンID") SELECT NEW."選手ID", s."シーズンID" FROM "試合" AS s
  WHERE s."試合ID" = NEW."試合ID" AND NOT EXISTS
    (SELECT 1 FROM "＿シーズン計" AS t WHERE t."選手ID" IS NEW."選手ID" AND t."シーズンID" IS s."シーズンID");
  UPDATE "＿シーズン計" SET
    "ゲーム" = "ゲーム" + 1,
    "優Ｐ和" = "優Ｐ和" + COALESCE(NEW."優Ｐ", 0), "優Ｐ数" = "優Ｐ数" + (NEW."優Ｐ" IS NOT NULL),
    "上位和" = "上位和" + COALESCE(NEW."上位", 0), "上位数" = "上位数" + (NEW."上位" IS NOT NULL),
    "S10和" = "S10和" + COALESCE(NEW."S10", 0), "S10数" = "S10数" + (NEW."S10" IS NOT NULL),
    "ST和" = "ST和" + COALESCE(NEW."ST", 0), "ST数" = "ST数" + (NEW."ST" IS NOT NULL),
    "SP和" = "SP和" + COALESCE(NEW."SP", 0), "SP数" = "SP数" + (NEW."SP" IS NOT NULL),
    "SPF和" = "SPF和" + COALESCE(NEW."SPF", 0), "SPF数" = "SPF数" + (NEW."SPF" IS NOT NULL)
  WHERE "選手ID" IS NEW."選手ID" AND "シーズンID" IS (SELECT "シーズンID" FROM "試合" WHERE "試合ID" = NEW."試合ID")
    AND EXISTS (SELECT 1 FROM "試合" WHERE "試合ID" = NEW."試合ID");
  INSERT INTO "＿全員シーズン計" ("シーズンID") SELECT s."シーズンID" FROM "試合" AS s
  WHERE s."試合ID" = NEW."試合ID" AND NOT EXISTS (SELECT 1 FROM "＿全員シーズン計" AS t WHERE t."シーズンID" IS s."シーズンID");
  UPDATE "＿全員シーズン計" SET
    "ゲーム" = "ゲーム" + 1,
    "優Ｐ和" = "優Ｐ和" + COALESCE(NEW."優Ｐ", 0), "優Ｐ数" = "優Ｐ数" + (NEW."優Ｐ" IS NOT NULL),
    "上位和" = "上位和" + COALESCE(NEW."上位", 0), "上位数" = "上位数" + (NEW."上位" IS NOT NULL),
    "S10和" = "S10和" + COALESCE(NEW."S10", 0), "S10数" = "S10数" + (NEW."S10" IS NOT NULL),
    "ST和" = "ST和" + COALESCE(NEW."ST", 0), "ST数" = "ST数" + (NEW."ST" IS NOT NULL),
    "SP和" = "SP和" + COALESCE(NEW."SP", 0), "SP数" = "SP数" + (NEW."SP" IS NOT NULL),
    "SPF和" = "SPF和" + COALESCE(NEW."SPF", 0), "SPF数" = "SPF数" + (NEW."SPF" IS NOT NULL)
  WHERE "シーズンID" IS (SELECT "シーズンID" FROM "試合" WHERE "試合ID" = NEW."試合ID")
    AND EXISTS (SELECT 1 FROM "試合" WHERE "試合ID" = NEW."試合ID");
END;

-- A match's sums for each player and for all its players, read by the triggers on 試合 with a
-- criterion on 試合ID, which reaches the index データ項目_試合ID_成績.
CREATE VIEW "＿試合の選手別計" AS
SELECT "試合ID", "選手ID", COUNT(*) AS "ゲーム",
  COALESCE(SUM("優Ｐ"), 0) AS "優Ｐ和", COUNT("優Ｐ") AS "優Ｐ数",
  COALESCE(SUM("上位"), 0) AS "上位和", COUNT("上位") AS "上位数",
  COALESCE(SUM("S10"), 0) AS "S10和", COUNT("S10") AS "S10数",
  COALESCE(SUM("ST"), 0) AS "ST和", COUNT("ST") AS "ST数",
  COALESCE(SUM("SP"), 0) AS "SP和", COUNT("SP") AS "SP数",
  COALESCE(SUM("SPF"), 0) AS "SPF和", COUNT("SPF") AS "SPF数"
FROM "データ項目" GROUP BY "試合ID", "選手ID";

CREATE VIEW "＿試合の計" AS
SELECT "試合ID", COUNT(*) AS "ゲーム",
  COALESCE(SUM("優Ｐ"), 0) AS "優Ｐ和", COUNT("優Ｐ") AS "優Ｐ数",
  COALESCE(SUM("上位"), 0) AS "上位和", COUNT("上位") AS "上位数",
  COALESCE(SUM("S10"), 0) AS "S10和", COUNT("S10") AS "S10数",
  COALESCE(SUM("ST"), 0) AS "ST和", COUNT("ST") AS "ST数",
  COALESCE(SUM("SP"), 0) AS "SP和", COUNT("SP") AS "SP数",
  COALESCE(SUM("SPF"), 0) AS "SPF和", COUNT("SPF") AS "SPF数"
FROM "データ項目" GROUP BY "試合ID";

CREATE TRIGGER "＿シーズン計_試合_insert" AFTER INSERT ON "試合" BEGIN
  INSERT INTO "＿シーズン計" ("選手ID", "シーズンID")
  SELECT DISTINCT d."選手ID", NEW."シーズンID" FROM "データ項目" AS d WHERE d."試合ID" = NEW."試合ID" AND NOT EXISTS
    (SELECT 1 FROM "＿シーズン計" AS t WHERE t."選手ID" IS d."選手ID" AND t."シーズンID" IS NEW."シーズンID");
  UPDATE "＿シーズン計" SET
    "ゲーム" = "＿シーズン計"."ゲーム" + g."ゲーム",
    "優Ｐ和" = "＿シーズン計"."優Ｐ和" + g."優Ｐ和", "優Ｐ数" = "＿シーズン計"."優Ｐ数" + g."優Ｐ数",
    "上位和" = "＿シーズン計"."上位和" + g."上位和", "上位数" = "＿シーズン計"."上位数" + g."上位数",
    "S10和" = "＿シーズン計"."S10和" + g."S10和", "S10数" = "＿シーズン計"."S10数" + g."S10数",
    "ST和" = "＿シーズン計"."ST和" + g."ST和", "ST数" = "＿シーズン計"."ST数" + g."ST数",
    "SP和" = "＿シーズン計"."SP和" + g."SP和", "SP数" = "＿シーズン計"."SP数" + g."SP数",
    "SPF和" = "＿シーズン計"."SPF和" + g."SPF和", "SPF数" = "＿シーズン計"."SPF数" + g."SPF数"
  FROM "＿試合の選手別計" AS g
  WHERE g."試合ID" = NEW."試合ID" AND "＿シーズン計"."選手ID" IS g."選手ID" AND "＿シーズン計"."シーズンID" IS NEW."シーズンID";
  INSERT INTO "＿全員シーズン計" ("シーズンID") SELECT NEW."シーズンID"
  WHERE EXISTS (SELECT 1 FROM "データ項目" WHERE "試合ID" = NEW."試合ID")
    AND NOT EXISTS (SELECT 1 FROM "＿全員シーズン計" WHERE "シーズンID" IS NEW."シーズンID");
  UPDATE "＿全員シーズン計" SET
    "ゲーム" = "＿全員シーズン計"."ゲーム" + g."ゲーム",
    "優Ｐ和" = "＿全員シーズン計"."優Ｐ和" + g."優Ｐ和", "優Ｐ数" = "＿全員シーズン計"."優Ｐ数" + g."優Ｐ数",
    "上位和" = "＿全員シーズン計"."上位和" + g."上位和", "上位数" = "＿全員シーズン計"."上位数" + g."上位数",
    "S10和" = "＿全員シーズン計"."S10和" + g."S10和", "S10数" = "＿全員シーズン計"."S10数" + g."S10数",
    "ST和" = "＿全員シーズン計"."ST和" + g."ST和", "ST数" = "＿全員シーズン計"."ST数" + g."ST数",
    "SP和" = "＿全員シーズン計"."SP和" + g."SP和", "SP数" = "＿全員シーズン計"."SP数" + g."SP数",
    "SPF和" = "＿全員シーズン計"."SPF和" + g."SPF和", "SPF数" = "＿全員シーズン計"."SPF数" + g."SPF数"
  FROM "＿試合の計" AS g
  WHERE g."試合ID" = NEW."試合ID" AND "＿全員シーズン計"."シーズンID" IS NEW."シーズンID";
END;

CREATE TRIGGER "＿シーズン計_試合_delete" AFTER DELETE ON "試合" BEGIN
  UPDATE "＿シーズン計" SET
    "ゲーム" = "＿シーズン計"."ゲーム" - g."ゲーム",
    "優Ｐ和" = "＿シーズン計"."優Ｐ和" - g."優Ｐ和", "優Ｐ数" = "＿シーズン計"."優Ｐ数" - g."優Ｐ数",
    "上位和" = "＿シーズン計"."上位和" - g."上位和", "上位数" = "＿シーズン計"."上位数" - g."上位数",
    "S10和" = "＿シーズン計"."S10和" - g."S10和", "S10数" = "＿シーズン計"."S10数" - g."S10数",
    "ST和" = "＿シーズン計"."ST和" - g."ST和", "ST数" = "＿シーズン計"."ST数" - g."ST数",
    "SP和" = "＿シーズン計"."SP和" - g."SP和", "SP数" = "＿シーズン計"."SP数" - g."SP数",
    "SPF和" = "＿シーズン計"."SPF和" - g."SPF和", "SPF数" = "＿シーズン計"."SPF数" - g."SPF数"
  FROM "＿試合の選手別計" AS g
  WHERE g."試合ID" = OLD."試合ID" AND "＿シーズン計"."選手ID" IS g."選手ID" AND "＿シーズン計"."シーズンID" IS OLD."シーズンID";
  DELETE FROM "＿シーズン計" WHERE "シーズンID" IS OLD."シーズンID" AND "ゲーム" = 0;
  UPDATE "＿全員シーズン計" SET
    "ゲーム" = "＿全員シーズン計"."ゲーム" - g."ゲーム",
    "優Ｐ和" = "＿全員シーズン計"."優Ｐ和" - g."優Ｐ和", "優Ｐ数" = "＿全員シーズン計"."優Ｐ数" - g."優Ｐ数",
    "上位和" = "＿全員シーズン計"."上位和" - g."上位和", "上位数" = "＿全員シーズン計"."上位数" - g."上位数",
    "S10和" = "＿全員シーズン計"."S10和" - g."S10和", "S10数" = "＿全員シーズン計"."S10数" - g."S10数",
    "ST和" = "＿全員シーズン計"."ST和" - g."ST和", "ST数" = "＿全員シーズン計"."ST数" - g."ST数",
    "SP和" = "＿全員シーズン計"."SP和" - g."SP和", "SP数" = "＿全員シーズン計"."SP数" - g."SP数",
    "SPF和" = "＿全員シーズン計"."SPF和" - g."SPF和", "SPF数" = "＿全員シーズン計"."SPF数" - g."SPF数"
  FROM "＿試合の計" AS g
  WHERE g."試合ID" = OLD."試合ID" AND "＿全員シーズン計"."シーズンID" IS OLD."シーズンID";
  DELETE FROM "＿全員シーズン計" WHERE "シーズンID" IS OLD."シーズンID" AND "ゲーム" = 0;
END;

CREATE TRIGGER "＿シーズン計_試合_update" AFTER UPDATE OF "試合ID", "シーズンID" ON "試合" BEGIN
  UPDATE "＿シーズン計" SET
    "ゲーム" = "＿シーズン計"."ゲーム" - g."ゲーム",
    "優Ｐ和" = "＿シーズン計"."優Ｐ和" - g."優Ｐ和", "優Ｐ数" = "＿シーズン計"."優Ｐ数" - g."優Ｐ数",
    "上位和" = "＿シーズン計"."上位和" - g."上位和", "上位数" = "＿シーズン計"."上位数" - g."上位数",
    "S10和" = "＿シーズン計"."S10和" - g."S10和", "S10数" = "＿シーズン計"."S10数" - g."S10数",
    "ST和" = "＿シーズン計"."ST和" - g."ST和", "ST数" = "＿シーズン計"."ST数" - g."ST数",
    "SP和" = "＿シーズン計"."SP和" - g."SP和", "SP数" = "＿シーズン計"."SP数" - g."SP数",
    "SPF和" = "＿シーズン計"."SPF和" - g."SPF和", "SPF数" = "＿シーズン計"."SPF数" - g."SPF数"
  FROM "＿試合の選手別計" AS g
  WHERE g."試合ID" = OLD."試合ID" AND "＿シーズン計"."選手ID" IS g."選手ID" AND "＿シーズン計"."シーズンID" IS OLD."シーズンID";
  DELETE FROM "＿シーズン計" WHERE "シーズンID" IS OLD."シーズンID" AND "ゲーム" = 0;
  UPDATE "＿全員シーズン計" SET
    "ゲーム" = "＿全員シーズン計"."ゲーム" - g."ゲーム",
    "優Ｐ和" = "＿全員シーズン計"."優Ｐ和" - g."優Ｐ和", "優Ｐ数" = "＿全員シーズン計"."優Ｐ数" - g."優Ｐ数",
    "上位和" = "＿全員シーズン計"."上位和" - g."上位和", "上位数" = "＿全員シーズン計"."上位数" - g."上位数",
    "S10和" = "＿全員シーズン計"."S10和" - g."S10和", "S10数" = "＿全員シーズン計"."S10数" - g."S10数",
    "ST和" = "＿全員シーズン計"."ST和" - g."ST和", "ST数" = "＿全員シーズン計"."ST数" - g."ST数",
    "SP和" = "＿全員シーズン計"."SP和" - g."SP和", "SP数" = "＿全員シーズン計"."SP数" - g."SP数",
    "SPF和" = "＿全員シーズン計"."SPF和" - g."SPF和", "SPF数" = "＿全員シーズン計"."SPF数" - g."SPF数"
  FROM "＿試合の計" AS g
  WHERE g."試合ID" = OLD."試合ID" AND "＿全員シーズン計"."シーズンID" IS OLD."シーズンID";
  DELETE FROM "＿全員シーズン計" WHERE "シーズンID" IS OLD."シーズンID" AND "ゲーム" = 0;
  INSERT INTO "＿シーズン計" ("選手ID", "シーズンID")
  SELECT DISTINCT d."選手ID", NEW."シーズンID" FROM "データ項目" AS d WHERE d."試合ID" = NEW."試合ID" AND NOT EXISTS
    (SELECT 1 FROM "＿シーズン計" AS t WHERE t."選手ID" IS d."選手ID" AND t."シーズンID" IS NEW."シーズンID");
  UPDATE "＿シーズン計" SET
    "ゲーム" = "＿シーズン計"."ゲーム" + g."ゲーム",
    "優Ｐ和" = "＿シーズン計"."優Ｐ和" + g."優Ｐ和", "優Ｐ数" = "＿シーズン計"."優Ｐ数" + g."優Ｐ数",
    "上位和" = "＿シーズン計"."上位和" + g."上位和", "上位数" = "＿シーズン計"."上位数" + g."上位数",
    "S10和" = "＿シーズン計"."S10和" + g."S10和", "S10数" = "＿シーズン計"."S10数" + g."S10数",
    "ST和" = "＿シーズン計"."ST和" + g."ST和", "ST数" = "＿シーズン計"."ST数" + g."ST数",
    "SP和" = "＿シーズン計"."SP和" + g."SP和", "SP数" = "＿シーズン計"."SP数" + g."SP数",
    "SPF和" = "＿シーズン計"."SPF和" + g."SPF和", "SPF数" = "＿シーズン計"."SPF数" + g."SPF数"
  FROM "＿試合の選手別計" AS g
  WHERE g."試合ID" = NEW."試合ID" AND "＿シーズン計"."選手ID" IS g."選手ID" AND "＿シーズン計"."シーズンID" IS NEW."シーズンID";
  INSERT INTO "＿全員シーズン計" ("シーズンID") SELECT NEW."シーズンID"
  WHERE EXISTS (SELECT 1 FROM "データ項目" WHERE "試合ID" = NEW."試合ID")
    AND NOT EXISTS (SELECT 1 FROM "＿全員シーズン計" WHERE "シーズンID" IS NEW."シーズンID");
  UPDATE "＿全員シーズン計" SET
    "ゲーム" = "＿全員シーズン計"."ゲーム" + g."ゲーム",
    "優Ｐ和" = "＿全員シーズン計"."優Ｐ和" + g."優Ｐ和", "優Ｐ数" = "＿全員シーズン計"."優Ｐ数" + g."優Ｐ数",
    "上位和" = "＿全員シーズン計"."上位和" + g."上位和", "上位数" = "＿全員シーズン計"."上位数" + g."上位数",
    "S10和" = "＿全員シーズン計"."S10和" + g."S10和", "S10数" = "＿全員シーズン計"."S10数" + g."S10数",
    "ST和" = "＿全員シーズン計"."ST和" + g."ST和", "ST数" = "＿全員シーズン計"."ST数" + g."ST数",
    "SP和" = "＿全員シーズン計"."SP和" + g."SP和", "SP数" = "＿全員シーズン計"."SP数" + g."SP数",
    "SPF和" = "＿全員シーズン計"."SPF和" + g."SPF和", "SPF数" = "＿全員シーズン計"."SPF数" + g."SPF数"
  FROM "＿試合の計" AS g
  WHERE g."試合ID" = NEW."試合ID" AND "＿全員シーズン計"."シーズンID" IS NEW."シーズンID";
END;

-- ---- Kept lists of the score book and of the per-match statistics --------------------------

-- Every game the score book lists (one with its マーク, 選手 and 試合 rows) with the fields of the
-- book's order, kept by the triggers below, so that the book counts and pages its games from an
-- index instead of joining every game to its marks and sorting them.
CREATE TABLE "＿スコアブック順" (
  "ID" INTEGER PRIMARY KEY,
  "選手ID" INTEGER,
  "試合ID" INTEGER,
  "シーズンID" INTEGER,
  "試合" INTEGER,
  "ｹﾞｰﾑ" INTEGER
);
-- The row a game has there, when it has one.
CREATE VIEW "＿スコアブック順の元" AS
SELECT d."ID", d."選手ID", d."試合ID", s."シーズンID", s."試合", d."ｹﾞｰﾑ"
FROM "データ項目" AS d
JOIN "マーク" AS m ON m."ID" = d."ID"
JOIN "選手" AS p ON p."選手ID" = d."選手ID"
JOIN "試合" AS s ON s."試合ID" = d."試合ID";
INSERT INTO "＿スコアブック順" SELECT * FROM "＿スコアブック順の元";
CREATE INDEX "＿スコアブック順_順" ON "＿スコアブック順" ("シーズンID", "試合", "ｹﾞｰﾑ");
CREATE INDEX "＿スコアブック順_選手ID" ON "＿スコアブック順" ("選手ID", "シーズンID", "試合", "ｹﾞｰﾑ");
CREATE INDEX "＿スコアブック順_試合ID" ON "＿スコアブック順" ("試合ID");

-- A stored game or mark looks up the other rows itself: storing a day runs these for every game, and
-- the view would look up the row in hand once more.
CREATE TRIGGER "＿スコアブック順_データ_insert" AFTER INSERT ON "データ項目" BEGIN
  INSERT OR REPLACE INTO "＿スコアブック順"
  SELECT NEW."ID", NEW."選手ID", NEW."試合ID", s."シーズンID", s."試合", NEW."ｹﾞｰﾑ" FROM "試合" AS s
  WHERE s."試合ID" = NEW."試合ID" AND EXISTS (SELECT 1 FROM "マーク" WHERE "ID" = NEW."ID")
    AND EXISTS (SELECT 1 FROM "選手" WHERE "選手ID" = NEW."選手ID");
END;

CREATE TRIGGER "＿スコアブック順_データ_update" AFTER UPDATE OF "ID", "選手ID", "試合ID", "ｹﾞｰﾑ" ON "データ項目" BEGIN
  DELETE FROM "＿スコアブック順" WHERE "ID" = OLD."ID";
  INSERT OR REPLACE INTO "＿スコアブック順"
  SELECT NEW."ID", NEW."選手ID", NEW."試合ID", s."シーズンID", s."試合", NEW."ｹﾞｰﾑ" FROM "試合" AS s
  WHERE s."試合ID" = NEW."試合ID" AND EXISTS (SELECT 1 FROM "マーク" WHERE "ID" = NEW."ID")
    AND EXISTS (SELECT 1 FROM "選手" WHERE "選手ID" = NEW."選手ID");
END;

CREATE TRIGGER "＿スコアブック順_データ_delete" AFTER DELETE ON "データ項目" BEGIN
  DELETE FROM "＿スコアブック順" WHERE "ID" = OLD."ID";
END;

CREATE TRIGGER "＿スコアブック順_マーク_insert" AFTER INSERT ON "マーク" BEGIN
  INSERT OR REPLACE INTO "＿スコアブック順"
  SELECT d."ID", d."選手ID", d."試合ID", s."シーズンID", s."試合", d."ｹﾞｰﾑ" FROM "データ項目" AS d
  JOIN "選手" AS p ON p."選手ID" = d."選手ID" JOIN "試合" AS s ON s."試合ID" = d."試合ID"
  WHERE d."ID" = NEW."ID";
END;

CREATE TRIGGER "＿スコアブック順_マーク_update" AFTER UPDATE OF "ID" ON "マーク" BEGIN
  DELETE FROM "＿スコアブック順" WHERE "ID" = OLD."ID";
  INSERT OR REPLACE INTO "＿スコアブック順"
  SELECT d."ID", d."選手ID", d."試合ID", s."シーズンID", s."試合", d."ｹﾞｰﾑ" FROM "データ項目" AS d
  JOIN "選手" AS p ON p."選手ID" = d."選手ID" JOIN "試合" AS s ON s."試合ID" = d."試合ID"
  WHERE d."ID" = NEW."ID";
END;

CREATE TRIGGER "＿スコアブック順_マーク_delete" AFTER DELETE ON "マーク" BEGIN
  DELETE FROM "＿スコアブック順" WHERE "ID" = OLD."ID";
END;

CREATE TRIGGER "＿スコアブック順_選手_insert" AFTER INSERT ON "選手" BEGIN
  INSERT OR REPLACE INTO "＿スコアブック順"
  SELECT * FROM "＿スコアブック順の元" WHERE "選手ID" = NEW."選手ID";
END;

CREATE TRIGGER "＿スコアブック順_選手_update" AFTER UPDATE OF "選手ID" ON "選手" BEGIN
  DELETE FROM "＿スコアブック順" WHERE "選手ID" = OLD."選手ID";
  INSERT OR REPLACE INTO "＿スコアブック順"
  SELECT * FROM "＿スコアブック順の元" WHERE "選手ID" = NEW."選手ID";
END;

CREATE TRIGGER "＿スコアブック順_選手_delete" AFTER DELETE ON "選手" BEGIN
  DELETE FROM "＿スコアブック順" WHERE "選手ID" = OLD."選手ID";
END;

CREATE TRIGGER "＿スコアブック順_試合_insert" AFTER INSERT ON "試合" BEGIN
  INSERT OR REPLACE INTO "＿スコアブック順"
  SELECT * FROM "＿スコアブック順の元" WHERE "試合ID" = NEW."試合ID";
END;

CREATE TRIGGER "＿スコアブック順_試合_update" AFTER UPDATE OF "試合ID", "シーズンID", "試合" ON "試合" BEGIN
  DELETE FROM "＿スコアブック順" WHERE "試合ID" = OLD."試合ID";
  INSERT OR REPLACE INTO "＿スコアブック順"
  SELECT * FROM "＿スコアブック順の元" WHERE "試合ID" = NEW."試合ID";
END;

CREATE TRIGGER "＿スコアブック順_試合_delete" AFTER DELETE ON "試合" BEGIN
  DELETE FROM "＿スコアブック順" WHERE "試合ID" = OLD."試合ID";
END;

-- Each player's figures in each stored match (one with its 試合 row), kept by the triggers below
-- from the match's games, so that the per-match statistics read a row per player and match instead
-- of aggregating every game at each sort, and are sorted from an index on the key. Storing a day
-- writes the match row last: its players' rows are then summed once each.
CREATE TABLE "＿試合別の和" (
  "試合ID" INTEGER NOT NULL,
  "選手ID" INTEGER NOT NULL,
  "Ｇ数", "上位計", "得点計", "最高点", "ST計", "ST最大", "SP計", "SP最大"
);
INSERT INTO "＿試合別の和"
SELECT "試合ID", "選手ID", COUNT(*), SUM("上位"), SUM("S10"), MAX("S10"), SUM("ST"), MAX("ST"), SUM("SP"), MAX("SP")
  FROM "データ項目" AS d WHERE "選手ID" IS NOT NULL AND EXISTS (SELECT 1 FROM "試合" AS s WHERE s."試合ID" = d."試合ID")
GROUP BY "試合ID", "選手ID";
CREATE UNIQUE INDEX "＿試合別の和_選手ID" ON "＿試合別の和" ("選手ID", "試合ID");
CREATE INDEX "＿試合別の和_上位計" ON "＿試合別の和" ("上位計", "試合ID");
CREATE INDEX "＿試合別の和_得点計" ON "＿試合別の和" ("得点計", "試合ID");
CREATE INDEX "＿試合別の和_最高点" ON "＿試合別の和" ("最高点", "試合ID");
CREATE INDEX "＿試合別の和_ST計" ON "＿試合別の和" ("ST計", "試合ID");
CREATE INDEX "＿試合別の和_ST最大" ON "＿試合別の和" ("ST最大", "試合ID");
CREATE INDEX "＿試合別の和_SP計" ON "＿試合別の和" ("SP計", "試合ID");
CREATE INDEX "＿試合別の和_SP最大" ON "＿試合別の和" ("SP最大", "試合ID");

-- A player's figures in a match as the kept rows hold them, summed from the match's games.
CREATE VIEW "＿試合別の和の元" AS
SELECT "試合ID", "選手ID", COUNT(*) AS "Ｇ数", SUM("上位") AS "上位計", SUM("S10") AS "得点計", MAX("S10") AS "最高点",
  SUM("ST") AS "ST計", MAX("ST") AS "ST最大", SUM("SP") AS "SP計", MAX("SP") AS "SP最大"
FROM "データ項目" WHERE "選手ID" IS NOT NULL GROUP BY "試合ID", "選手ID";

-- A game stored into a stored match adds itself to its row when every figure there and in the game
-- is a whole number (or none); otherwise the row is summed anew from the games: it is always what
-- SUM and MAX give.
CREATE TRIGGER "＿試合別の和_insert" AFTER INSERT ON "データ項目"
WHEN NEW."選手ID" IS NOT NULL AND EXISTS (SELECT 1 FROM "試合" WHERE "試合ID" = NEW."試合ID")
  AND typeof(NEW."上位") IN ('integer', 'null') AND typeof(NEW."S10") IN ('integer', 'null')
  AND typeof(NEW."ST") IN ('integer', 'null') AND typeof(NEW."SP") IN ('integer', 'null')
  AND NOT EXISTS (SELECT 1 FROM "＿試合別の和" WHERE "選手ID" = NEW."選手ID" AND "試合ID" = NEW."試合ID"
    AND (typeof("上位計") NOT IN ('integer', 'null') OR typeof("得点計") NOT IN ('integer', 'null')
      OR typeof("最高点") NOT IN ('integer', 'null') OR typeof("ST計") NOT IN ('integer', 'null')
      OR typeof("ST最大") NOT IN ('integer', 'null') OR typeof("SP計") NOT IN ('integer', 'null')
      OR typeof("SP最大") NOT IN ('integer', 'null'))) BEGIN
  INSERT INTO "＿試合別の和"
  VALUES (NEW."試合ID", NEW."選手ID", 1, NEW."上位", NEW."S10", NEW."S10", NEW."ST", NEW."ST", NEW."SP", NEW."SP")
  ON CONFLICT ("選手ID", "試合ID") DO UPDATE SET
    "上位計" = CASE WHEN excluded."上位計" IS NULL THEN "上位計" WHEN "上位計" IS NULL THEN excluded."上位計" ELSE "上位計" + excluded."上位計" END,
    "得点計" = CASE WHEN excluded."得点計" IS NULL THEN "得点計" WHEN "得点計" IS NULL THEN excluded."得点計" ELSE "得点計" + excluded."得点計" END,
    "最高点" = CASE WHEN excluded."最高点" IS NULL OR "最高点" >= excluded."最高点" THEN "最高点" ELSE excluded."最高点" END,
    "ST計" = CASE WHEN excluded."ST計" IS NULL THEN "ST計" WHEN "ST計" IS NULL THEN excluded."ST計" ELSE "ST計" + excluded."ST計" END,
    "ST最大" = CASE WHEN excluded."ST最大" IS NULL OR "ST最大" >= excluded."ST最大" THEN "ST最大" ELSE excluded."ST最大" END,
    "SP計" = CASE WHEN excluded."SP計" IS NULL THEN "SP計" WHEN "SP計" IS NULL THEN excluded."SP計" ELSE "SP計" + excluded."SP計" END,
    "SP最大" = CASE WHEN excluded."SP最大" IS NULL OR "SP最大" >= excluded."SP最大" THEN "SP最大" ELSE excluded."SP最大" END,
    "Ｇ数" = "Ｇ数" + 1;
END;

CREATE TRIGGER "＿試合別の和_insert_anew" AFTER INSERT ON "データ項目"
WHEN NEW."選手ID" IS NOT NULL AND EXISTS (SELECT 1 FROM "試合" WHERE "試合ID" = NEW."試合ID")
  AND NOT (typeof(NEW."上位") IN ('integer', 'null') AND typeof(NEW."S10") IN ('integer', 'null')
  AND typeof(NEW."ST") IN ('integer', 'null') AND typeof(NEW."SP") IN ('integer', 'null')
  AND NOT EXISTS (SELECT 1 FROM "＿試合別の和" WHERE "選手ID" = NEW."選手ID" AND "試合ID" = NEW."試合ID"
    AND (typeof("上位計") NOT IN ('integer', 'null') OR typeof("得点計") NOT IN ('integer', 'null')
      OR typeof("最高点") NOT IN ('integer', 'null') OR typeof("ST計") NOT IN ('integer', 'null')
      OR typeof("ST最大") NOT IN ('integer', 'null') OR typeof("SP計") NOT IN ('integer', 'null')
      OR typeof("SP最大") NOT IN ('integer', 'null')))) BEGIN
  INSERT INTO "＿試合別の和"
  SELECT * FROM "＿試合別の和の元" WHERE "選手ID" = NEW."選手ID" AND "試合ID" = NEW."試合ID"
  ON CONFLICT ("選手ID", "試合ID") DO UPDATE SET "Ｇ数" = excluded."Ｇ数", "上位計" = excluded."上位計",
    "得点計" = excluded."得点計", "最高点" = excluded."最高点", "ST計" = excluded."ST計", "ST最大" = excluded."ST最大",
    "SP計" = excluded."SP計", "SP最大" = excluded."SP最大";
END;

CREATE TRIGGER "＿試合別の和_update" AFTER UPDATE OF "選手ID", "試合ID", "上位", "S10", "ST", "SP" ON "データ項目" BEGIN
  DELETE FROM "＿試合別の和" WHERE "選手ID" = OLD."選手ID" AND "試合ID" = OLD."試合ID";
  INSERT INTO "＿試合別の和"
  SELECT * FROM "＿試合別の和の元" WHERE "選手ID" = OLD."選手ID" AND "試合ID" = OLD."試合ID"
    AND EXISTS (SELECT 1 FROM "試合" WHERE "試合ID" = OLD."試合ID");
  INSERT INTO "＿試合別の和"
  SELECT * FROM "＿試合別の和の元" WHERE "選手ID" = NEW."選手ID" AND "試合ID" = NEW."試合ID"
    AND EXISTS (SELECT 1 FROM "試合" WHERE "試合ID" = NEW."試合ID")
  ON CONFLICT ("選手ID", "試合ID") DO UPDATE SET "Ｇ数" = excluded."Ｇ数", "上位計" = excluded."上位計",
    "得点計" = excluded."得点計", "最高点" = excluded."最高点", "ST計" = excluded."ST計", "ST最大" = excluded."ST最大",
    "SP計" = excluded."SP計", "SP最大" = excluded."SP最大";
END;

CREATE TRIGGER "＿試合別の和_delete" AFTER DELETE ON "データ項目"
WHEN OLD."選手ID" IS NOT NULL AND EXISTS (SELECT 1 FROM "試合" WHERE "試合ID" = OLD."試合ID") BEGIN
  DELETE FROM "＿試合別の和" WHERE "選手ID" = OLD."選手ID" AND "試合ID" = OLD."試合ID";
  INSERT INTO "＿試合別の和"
  SELECT * FROM "＿試合別の和の元" WHERE "選手ID" = OLD."選手ID" AND "試合ID" = OLD."試合ID";
END;

-- Written out rather than read from ＿試合別の和の元: storing a day runs it, and the view would cost a
-- step per row.
CREATE TRIGGER "＿試合別の和_試合_insert" AFTER INSERT ON "試合" BEGIN
  INSERT INTO "＿試合別の和"
  SELECT "試合ID", "選手ID", COUNT(*), SUM("上位"), SUM("S10"), MAX("S10"), SUM("ST"), MAX("ST"), SUM("SP"), MAX("SP")
  FROM "データ項目" WHERE "試合ID" = NEW."試合ID" AND "選手ID" IS NOT NULL GROUP BY "試合ID", "選手ID"
  ON CONFLICT ("選手ID", "試合ID") DO UPDATE SET "Ｇ数" = excluded."Ｇ数", "上位計" = excluded."上位計",
    "得点計" = excluded."得点計", "最高点" = excluded."最高点", "ST計" = excluded."ST計", "ST最大" = excluded."ST最大",
    "SP計" = excluded."SP計", "SP最大" = excluded."SP最大";
END;

CREATE TRIGGER "＿試合別の和_試合_update" AFTER UPDATE OF "試合ID" ON "試合" BEGIN
  DELETE FROM "＿試合別の和" WHERE "試合ID" = OLD."試合ID";
  INSERT INTO "＿試合別の和"
  SELECT * FROM "＿試合別の和の元" WHERE "試合ID" = NEW."試合ID"
  ON CONFLICT ("選手ID", "試合ID") DO UPDATE SET "Ｇ数" = excluded."Ｇ数", "上位計" = excluded."上位計",
    "得点計" = excluded."得点計", "最高点" = excluded."最高点", "ST計" = excluded."ST計", "ST最大" = excluded."ST最大",
    "SP計" = excluded."SP計", "SP最大" = excluded."SP最大";
END;

CREATE TRIGGER "＿試合別の和_試合_delete" AFTER DELETE ON "試合" BEGIN
  DELETE FROM "＿試合別の和" WHERE "試合ID" = OLD."試合ID";
END;

-- ---- End of the kept lists ------------------------------------------------------------------

INSERT INTO "選手" ("選手ID", "選手名") VALUES (0, '全　員');

-- Player statistics.  Rates are real numbers; a rate over no chances is NULL.
-- Rankings: 優Ｐ計 descending, then 平均点 descending (選手ID only breaks exact ties).

-- The sums of the game rows at each grain the statistics use, read from the kept sums: 範囲 1 a
-- player's season, 2 a player all-time, 3 all players' season, 4 all players all-time (選手ID 0 is
-- the reserved row "全　員", シーズンID -1 all seasons).  Every grain column is a kept row's key or
-- grouped on, so that a criterion on it reaches the indexes and the other grains are skipped.
CREATE VIEW "＿成績の和" AS
SELECT 1 AS "範囲", t."選手ID" AS "選手ID", t."シーズンID" AS "シーズンID",
  t."ゲーム" AS "ゲーム",
  CASE WHEN t."優Ｐ数" > 0 THEN t."優Ｐ和" END AS "優Ｐ計",
  CASE WHEN t."上位数" > 0 THEN t."上位和" END AS "上位", t."上位数" AS "上位数",
  CASE WHEN t."S10数" > 0 THEN t."S10和" END AS "合計点", t."S10数" AS "S10数",
  CASE WHEN t."ST数" > 0 THEN t."ST和" END AS "ST", t."ST数" AS "ST数",
  CASE WHEN t."SP数" > 0 THEN t."SP和" END AS "スペア",
  CASE WHEN t."SPF数" > 0 THEN t."SPF和" END AS "ｽﾍﾟｱﾐｽ"
FROM "＿シーズン計" AS t
UNION ALL
SELECT 2, t."選手ID", -1,
  t."ゲーム",
  CASE WHEN t."優Ｐ数" > 0 THEN t."優Ｐ和" END,
  CASE WHEN t."上位数" > 0 THEN t."上位和" END, t."上位数",
  CASE WHEN t."S10数" > 0 THEN t."S10和" END, t."S10数",
  CASE WHEN t."ST数" > 0 THEN t."ST和" END, t."ST数",
  CASE WHEN t."SP数" > 0 THEN t."SP和" END,
  CASE WHEN t."SPF数" > 0 THEN t."SPF和" END
FROM "＿通算" AS t
UNION ALL
SELECT 3, 0, t."シーズンID",
  t."ゲーム" AS "ゲーム",
  CASE WHEN t."優Ｐ数" > 0 THEN t."優Ｐ和" END AS "優Ｐ計",
  CASE WHEN t."上位数" > 0 THEN t."上位和" END AS "上位", t."上位数" AS "上位数",
  CASE WHEN t."S10数" > 0 THEN t."S10和" END AS "合計点", t."S10数" AS "S10数",
  CASE WHEN t."ST数" > 0 THEN t."ST和" END AS "ST", t."ST数" AS "ST数",
  CASE WHEN t."SP数" > 0 THEN t."SP和" END AS "スペア",
  CASE WHEN t."SPF数" > 0 THEN t."SPF和" END AS "ｽﾍﾟｱﾐｽ"
FROM "＿全員シーズン計" AS t
UNION ALL
SELECT 4, 0, -1,
  SUM(t."ゲーム"),
  CASE WHEN SUM(t."優Ｐ数") > 0 THEN SUM(t."優Ｐ和") END,
  CASE WHEN SUM(t."上位数") > 0 THEN SUM(t."上位和") END, SUM(t."上位数"),
  CASE WHEN SUM(t."S10数") > 0 THEN SUM(t."S10和") END, SUM(t."S10数"),
  CASE WHEN SUM(t."ST数") > 0 THEN SUM(t."ST和") END, SUM(t."ST数"),
  CASE WHEN SUM(t."SP数") > 0 THEN SUM(t."SP和") END,
  CASE WHEN SUM(t."SPF数") > 0 THEN SUM(t."SPF和") END
FROM "＿通算" AS t
GROUP BY 1, 2, 3;

-- The statistics formulas, once: every statistics view selects from here.
CREATE VIEW "＿成績" AS
SELECT "範囲", "選手ID", "シーズンID", "ゲーム", "優Ｐ計", "上位",
  CAST("上位" AS REAL) / NULLIF("上位数", 0) AS "上位率",
  "合計点", CAST("合計点" AS REAL) / NULLIF("S10数", 0) AS "平均点",
  "ST", CAST("ST" AS REAL) / NULLIF("ST数", 0) AS "ST平均",
  "スペア", "ｽﾍﾟｱﾐｽ", CAST("スペア" AS REAL) / NULLIF("スペア" + "ｽﾍﾟｱﾐｽ", 0) AS "スペア率"
FROM "＿成績の和";

CREATE VIEW "通算成績" AS
SELECT r."選手ID" AS "選手ID", p."選手名" AS "選手名",
  r."ゲーム" AS "ゲーム", r."優Ｐ計" AS "優Ｐ計", r."上位" AS "上位", r."上位率" AS "上位率",
  r."合計点" AS "合計点", r."平均点" AS "平均点", r."ST" AS "ST", r."ST平均" AS "ST平均", r."スペア" AS "スペア",
  r."ｽﾍﾟｱﾐｽ" AS "ｽﾍﾟｱﾐｽ", r."スペア率" AS "スペア率"
FROM "＿成績" AS r LEFT JOIN "選手" AS p ON p."選手ID" = r."選手ID"
WHERE r."範囲" = 2
ORDER BY r."優Ｐ計" DESC, r."平均点" DESC, r."選手ID";

CREATE VIEW "シーズン成績２" AS
SELECT r."選手ID" AS "選手ID", p."選手名" AS "選手名", r."シーズンID" AS "シーズンID",
  r."ゲーム" AS "ゲーム", r."優Ｐ計" AS "優Ｐ計", r."上位" AS "上位", r."上位率" AS "上位率",
  r."合計点" AS "合計点", r."平均点" AS "平均点", r."ST" AS "ST", r."ST平均" AS "ST平均", r."スペア" AS "スペア",
  r."ｽﾍﾟｱﾐｽ" AS "ｽﾍﾟｱﾐｽ", r."スペア率" AS "スペア率"
FROM "＿成績" AS r LEFT JOIN "選手" AS p ON p."選手ID" = r."選手ID"
WHERE r."範囲" = 1
ORDER BY r."シーズンID", r."優Ｐ計" DESC, r."平均点" DESC, r."選手ID";

CREATE VIEW "選手別成績２" AS
SELECT r."選手ID" AS "選手ID", r."シーズンID" AS "シーズンID",
  r."ゲーム" AS "ゲーム数", r."優Ｐ計" AS "優Ｐ計", r."上位" AS "上位", r."上位率" AS "上位率",
  r."合計点" AS "合計点", r."平均点" AS "平均点", r."ST" AS "ST", r."ST平均" AS "ST平均", r."スペア" AS "スペア",
  r."ｽﾍﾟｱﾐｽ" AS "ｽﾍﾟｱﾐｽ", r."スペア率" AS "スペア率"
FROM "＿成績" AS r
WHERE r."範囲" = 1
ORDER BY r."選手ID", r."シーズンID";

CREATE VIEW "選手別通算成績２" AS
SELECT r."選手ID" AS "選手ID",
  r."ゲーム" AS "ゲーム数", r."優Ｐ計" AS "優Ｐ計", r."上位" AS "上位", r."上位率" AS "上位率",
  r."合計点" AS "合計点", r."平均点" AS "平均点", r."ST" AS "ST", r."ST平均" AS "ST平均", r."スペア" AS "スペア",
  r."ｽﾍﾟｱﾐｽ" AS "ｽﾍﾟｱﾐｽ", r."スペア率" AS "スペア率"
FROM "＿成績" AS r
WHERE r."範囲" = 2
ORDER BY r."選手ID";

-- All players taken together carry the ID of the reserved row "全　員".
CREATE VIEW "全選手成績２" AS
SELECT r."選手ID" AS "選手ID", r."シーズンID" AS "シーズンID",
  r."ゲーム" AS "ゲーム数", r."優Ｐ計" AS "優Ｐ計", r."上位" AS "上位", r."上位率" AS "上位率",
  r."合計点" AS "合計点", r."平均点" AS "平均点", r."ST" AS "ST", r."ST平均" AS "ST平均", r."スペア" AS "スペア",
  r."ｽﾍﾟｱﾐｽ" AS "ｽﾍﾟｱﾐｽ", r."スペア率" AS "スペア率"
FROM "＿成績" AS r
WHERE r."範囲" = 3
ORDER BY r."シーズンID";

CREATE VIEW "全選手通算成績２" AS
SELECT r."選手ID" AS "選手ID",
  r."ゲーム" AS "ゲーム数", r."優Ｐ計" AS "優Ｐ計", r."上位" AS "上位", r."上位率" AS "上位率",
  r."合計点" AS "合計点", r."平均点" AS "平均点", r."ST" AS "ST", r."ST平均" AS "ST平均", r."スペア" AS "スペア",
  r."ｽﾍﾟｱﾐｽ" AS "ｽﾍﾟｱﾐｽ", r."スペア率" AS "スペア率"
FROM "＿成績" AS r
WHERE r."範囲" = 4;

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

-- From the kept figures of each player in each match.
CREATE VIEW "＿各試合のデータ項目統計" AS
SELECT
  p."選手名" AS "選手名",
  s."試合日" AS "試合日",
  t."Ｇ数" AS "Ｇ数",
  t."上位計" AS "上位計",
  t."得点計" AS "得点計",
  t."最高点" AS "最高点",
  t."ST計" AS "ST計",
  t."ST最大" AS "ST最大",
  t."SP計" AS "SP計",
  t."SP最大" AS "SP最大",
  t."試合ID" AS "試合ID"
FROM "＿試合別の和" AS t
JOIN "選手" AS p ON p."選手ID" = t."選手ID"
JOIN "試合" AS s ON s."試合ID" = t."試合ID"
ORDER BY t."試合ID", t."選手ID";

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

-- The schema's version: a database of an older one is brought up to it when opened.
PRAGMA user_version = 3;
