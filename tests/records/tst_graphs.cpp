// The three graphs: scales, steps and label places as one table (the zero cases included), the
// season values against hand-computed figures, and each window opened from its caller and read
// back by the pixels that matter.
#include "records/form_ana_kojin.h"
#include "records/form_ana_p.h"
#include "records/form_chart.h"
#include "records/form_kojin.h"
#include "records/form_seiseki.h"
#include "records/graphs.h"

using graphs::PaletteColor;

namespace {

// Players 1 青木, 2 井上, 3 上田; matches 10, 11 (season 1), 20 (season 2), 30 (season 3, no points).
// Games: player, match, 優Ｐ, 上位, S10, ST, SP, SPF. 上田 averages exactly 60 %, 3.0, 75 % and 170.
void club() {
    QVERIFY(execSql("INSERT INTO 選手 (選手ID, 選手名) VALUES (1, '青木'), (2, '井上'), (3, '上田')"));
    QVERIFY(execSql("INSERT INTO シーズン (シーズンID, シーズン名) VALUES (1, '春'), (2, '秋'), (3, '冬')"));
    QVERIFY(execSql("INSERT INTO 試合 (試合ID, シーズンID, 試合, 試合日) VALUES (10, 1, 1, '2025-04-06'), (11, 1, 2, '2025-05-11'), "
                    "(20, 2, 1, '2026-04-05'), (30, 3, 1, '2026-05-03')"));
    QVERIFY(execSql("INSERT INTO データ項目 (選手ID, 試合ID, 優Ｐ, 上位, S10, ST, SP, SPF) VALUES "
                    "(1, 10, 5, 1, 200, 4, 3, 1), (1, 10, 0, 0, 150, 2, 2, 2), (2, 10, 3, 1, 180, 3, 1, 0), (2, 11, 5, 1, 170, 3, 2, 1), "
                    "(1, 11, 2, 0, 160, 2, 1, 1), (1, 20, 4, 1, 210, 5, 3, 1), (2, 20, 0, 0, 120, 1, 0, 0), (2, 30, 0, 0, 100, 0, 0, 0), "
                    "(3, 30, 0, 1, 170, 3, 2, 1), (3, 30, 0, 1, 170, 3, 1, 1), (3, 30, 0, 1, 170, 3, 2, 1), (3, 30, 0, 0, 170, 3, 1, 1)"));
    Module1::SeasonIdMax = 3;
}

// The colour at a picture point, in user units.
std::int32_t at(const PictureBox* p, double x, double y) { return p->Point(x, y); }
const std::int32_t White = 0xFFFFFF, Black = 0;

// Empty when the picture is the one kept beside the tests, pixel for pixel; else its name, and what
// was drawn goes to the screenshots. VX_KEEP_PICTURES set keeps what is drawn as the new picture.
QString samePicture(const PictureBox* p, const QString& name) {
    const QString kept = VX_TEST_DATA "/records/" + name + ".png";
    const QImage drawn = p->image().convertToFormat(QImage::Format_RGB32);
    if (qEnvironmentVariableIsSet("VX_KEEP_PICTURES")) drawn.save(kept);
    if (drawn == QImage(kept).convertToFormat(QImage::Format_RGB32)) return {};
    QDir().mkpath(VX_SHOTS_DIR);
    drawn.save(VX_SHOTS_DIR "/" + name + "_drawn.png");
    return name;
}

QString values(const graphs::SeasonPlot& p) {
    QStringList out;
    for (const auto& v : p.values) out << (v ? QString::number(*v, 'g', 6) : QString("null"));
    return out.join(' ') + QString(" M%1 s%2 l%3").arg(p.largest).arg(p.valueScale).arg(p.labelStep);
}

}  // namespace

class TestGraphs : public GuiTest {
    Q_OBJECT

    static Form_Seiseki& results() {
        club();
        click(shown<Form_Start>().Cmd_Seiseki);
        return forms::get<Form_Seiseki>();
    }

private Q_SLOTS:
    // Scales, steps and places as the windows draw them; every 0 the data can make stays drawable.
    void computations() {
        // Season steps for 1, 10, 20, 29 seasons, none and too many; scales (the zeros: ten grid steps fill the picture).
        QStringList got;
        for (int n : {1, 10, 20, 29, 0, 600}) got << QString::number(graphs::seasonStep(6000, n));
        const struct { int stat; double M; bool all; } scales[] = {
            {graphs::Points, 7, false}, {graphs::Points, 0, true}, {graphs::PointShare, 47, false}, {graphs::Tops, 12, true},
            {graphs::TopRate, 0.6, false}, {graphs::TotalPins, 510, false}, {graphs::TotalPins, 70000, true}, {graphs::Average, 210, false},
            {graphs::StrikesPerGame, 3.25, false}, {graphs::Spares, 6, true}, {graphs::SpareRate, 0.62, false}, {graphs::Tops, 0, false},
            {graphs::TopRate, 0, false}, {graphs::TotalPins, 0, true}, {graphs::Average, 0, false}, {graphs::StrikesPerGame, 0, false},
            {graphs::TotalPins, 3105, false}};
        for (const auto& c : scales) {
            double scale = 0, step = 0;
            graphs::seasonScale(c.stat, c.M, c.all, 3105, scale, step);
            got << QString("%1/%2").arg(scale).arg(step);
        }
        got << QString("%1 %2 %3 %4 %5").arg(graphs::steps(5, 300, 3105).size()).arg(graphs::steps(5, 0, 3105).size())
                   .arg(graphs::steps(0, 10, -1).size()).arg(graphs::valueLabelTop(3105, 5, 0)).arg(graphs::valueLabelTop(3105, 3005, 10));
        QCOMPARE(got.join(' '), QString("5990 590 290 200 5990 10 387/10 3100/100 50/10 250/50 50/10 6/1000 0.04/10000 14/20 950/0.5 442/100 "
                                        "50/10 62/5 31/10 0.031/10000 15.5/20 620/0.5 0.99/1000 11 1 0 2980 80"));

        // The race: 40 points and 7 matches; no points, no match; too many of either for a step of 10.
        graphs::Race race;
        race.matches = 7;
        race.cumulative = {QVector<int>(8, 0), QVector<int>(8, 0)};
        race.cumulative[1][7] = 40;
        auto raceOf = [&](double W, double H) {
            const graphs::RaceScale s = graphs::raceScale(race, W, H);
            return QString("%1 %2 %3").arg(s.largest).arg(s.pointScale).arg(s.matchStep);
        };
        QString races = raceOf(5055, 2895);
        race.cumulative[1][7] = race.matches = 0;
        races += ' ' + raceOf(5055, 2895);
        race.matches = 1000;
        race.cumulative = {QVector<int>(1001, 0)};
        race.cumulative[0][1000] = 1000;
        QCOMPARE(races + ' ' + raceOf(5055, 2895), QString("40 70 710 0 280 5000 1000 2.845 5.005"));

        // The radar: the labelled ticks 51 pixels out; shapes that do not close round the fill's start.
        auto radar = [](double sp, double st, double u, double av) {
            const graphs::RadarShape s = graphs::radarShape(sp, st, u, av, 68, 68);
            return QString("%1 %2 %3 %4 %5").arg(s.top.y()).arg(s.bottom.y()).arg(s.left.x()).arg(s.right.x()).arg(int(s.hatched));
        };
        QCOMPARE(radar(0.6, 3.0, 0.75, 170) + '|' + radar(0.6, 3.0, 0.75, 80) + '|' + radar(0.6, 0, 0.75, 170) + '|' + radar(0, 3.0, 0.75, 170),
                 QString("51 -51 -51 51 1|51 -51 -51 0 0|51 0 -51 51 0|0 -51 -51 51 0"));
        // Exactly two pixels up or right, the outline passes through the fill's start: no hatch.
        QCOMPARE(QList<bool>({graphs::radarShape(1, 8, 0, 380, 1.6, 1.6).hatched, graphs::radarShape(1.01, 8, 0, 380, 1.6, 1.6).hatched,
                              graphs::radarShape(1.01, 8, 0, 230, 1.6, 1.6).hatched}),
                 QList<bool>({false, true, false}));
        std::uint8_t c = 0;
        QString colours;
        for (int i = 0; i < 15; ++i) colours += QString::number(c = graphs::nextChartColor(c)) + ' ';
        QCOMPARE(colours + graphs::chartCaption("上田", 0, "2") + graphs::chartCaption("上田", 1, "2") + graphs::chartCaption("上田", 2, "2"),
                 QString("1 2 3 4 5 6 7 8 9 10 11 12 13 14 1 上田 通算上田 2期上田"));
        QStringList palette;  // the sixteen colours as BGR, then one beyond
        for (int i = -1; i <= 16; ++i) palette << QString::number(PaletteColor(i), 16);
        QCOMPARE(palette.join(' '), QString("0 0 800000 8000 808000 80 800080 8080 c0c0c0 808080 ff0000 ff00 ffff00 ff ff00ff ffff ffffff ffffff"));
    }

    // Season by season against hand-computed figures, for 青木 and for all players; a season without
    // a row, or without a spare chance, is 0.
    void seasonValues() {
        club();
        QVERIFY(db::ensureOpen());
        const auto one = graphs::readSeasons(3, false, 1), all = graphs::readSeasons(3, true, 0);
        QVERIFY(one && all && all->player.isEmpty());
        auto plot = [](int stat, const graphs::SeasonTable& t, bool everyone, double h = 3105) { return values(graphs::seasonPlot(stat, t, everyone, h)); };
        QCOMPARE(QStringList({plot(graphs::Points, *one, false), plot(graphs::PointShare, *one, false), plot(graphs::PointShare, *one, false, 3205), plot(graphs::TopRate, *one, false),
                              plot(graphs::TotalPins, *all, true), plot(graphs::StrikesPerGame, *one, false), plot(graphs::SpareRate, *all, true),
                              plot(graphs::SpareRate, *graphs::readSeasons(3, false, 2), false), plot(graphs::Tops, *graphs::readSeasons(0, false, 1), false)}),
                 QStringList({"0 7 4 0 M7 s387 l10", "0 47.0199 100 0 M100 s20 l10", "0 47.0199 100 0 M100 s30 l10", "0 33.3333 100 0 M1 s30 l10", "0 860 330 780 M860 s3.6 l10000",
                              "0 2.66667 5 0 M5 s620 l0.5", "0 64.2857 75 60 M0.75 s40 l10", "0 75 0 0 M0.75 s40 l10", "0 M0 s62 l5"}));
        graphs::SeasonTable shorter = *one;  // seasons beyond the player's own come from all players
        shorter.player[0] = {};
        shorter.player.resize(2);
        QCOMPARE(plot(graphs::TotalPins, shorter, false), QString("0 510 330 780 M780 s3.9 l1000"));
        QVERIFY(execSql("INSERT INTO データ項目 (選手ID, 試合ID, 上位, S10) VALUES (3, 10, NULL, 150)"));  // a rate of nothing is no value
        QCOMPARE(plot(graphs::TopRate, *graphs::readSeasons(3, false, 3), false), QString("0 null 0 75 M0.75 s40 l10"));
        QVERIFY(execSql("INSERT INTO データ項目 (選手ID, 試合ID, S10, SP, SPF) VALUES (3, 20, 150, 1, 0)"));  // one spare chance, made
        QCOMPARE(plot(graphs::SpareRate, *graphs::readSeasons(3, false, 3), false), QString("0 0 100 60 M1 s30 l10"));
        QCOMPARE(graphs::readRace("1", "1")->names, QStringList({"井上"}));  // the leader alone when one is asked for
        QVERIFY(db::exec("DROP VIEW \"全選手成績２\"") && !graphs::readSeasons(3, true, 0));  // unreadable: no table
    }

    // From the individual records on 青木: his name, the grid and its labels, the line and its
    // markers in the statistic's colour; from the start menu before those records: all players.
    void statisticGraph() {
        club();
        Form_Kojin& kojin = shown<Form_Kojin>();
        kojin.openOnPlayer(1, "青木");
        settle();
        click(kojin.cmd_graph);
        Form_ana_kojin& f = forms::get<Form_ana_kojin>();
        QCOMPARE(notOnTop(f) + f.lbl_sensyu->text(), QString("青木"));
        dlg->expectMsgBox(vbOK, "統計項目が選択されていません");
        click(f.Cmd_OK);
        f.cmb_what->setFocus();
        for (int i = 0; i < 4; ++i) press(Qt::Key_Down);  // 上位率: drawn at once
        const std::int32_t purple = PaletteColor(5);
        const PictureBox* p = f.Pic;
        // Seasons 1990 apart; 0, 33.3 %, 100 %, 0 at 30 twips a percent, a grid line every 10 %.
        QCOMPARE(f.SeasonStep * 1000 + f.ValueScale, 1990030.0);
        QCOMPARE(QList<int>({at(p, 2985, 2005), at(p, 4975, 1505), at(p, 30, 30), at(p, 1990, 1005), at(p, 1000, 2500)}),
                 QList<int>({purple, purple, purple, purple, White}));
        QCOMPARE(f.Lbl_tate[10]->text() + f.Lbl_tate[1]->text() + f.Lbl_yoko[0]->text() + samePicture(p, "graph_toprate"), QString("100100"));
        QVERIFY(f.Lbl_tate[10]->y() == twips(440 + 80) && f.Lbl_yoko[0]->x() == f.Pic->x() - twips(50));
        saveShot(f.subWindow(), "records_ana_kojin");
        click(f.cmd_back);
        QVERIFY(!forms::loaded<Form_ana_kojin>());
        resetUi();
        Module1::SeasonIdMax = 3;
        click(shown<Form_Start>().Command1);
        Form_ana_kojin& g = forms::get<Form_ana_kojin>();
        QVERIFY(!forms::loaded<Form_Kojin>() && g.lbl_sensyu->text() == "全　員");
        g.cmb_what->setFocus();
        dlg->expectMsgBox(vbOK, "全員による占有率は常に100%ですね。");
        for (int i = 0; i < 4; ++i) press(Qt::Key_Down);
        QVERIFY(at(g.Pic, 2985, (3005 + 2505) / 2) == purple && at(g.Pic, 4975, (2505 + 3005) / 2) == purple && g.Lbl_tate[6]->text() + g.Lbl_tate[7]->text() == "60");
        // Thirty seasons: a number under every fifth, the last at 25; the grid lines are dotted.
        Module1::SeasonIdMax = 30;
        click(g.Cmd_OK);
        QStringList numbers;
        for (QLabel* l : g.Lbl_yoko) numbers << l->text();
        int dots = 0;  // of 60 pixels along the grid line at 1000 twips
        for (int x = 100; x < 1000; x += 15) dots += at(g.Pic, x, 1005) != White;
        QCOMPARE(numbers.join(' ') + ' ' + QString::number(dots) + samePicture(g.Pic, "graph_thirty"), QString("0 5 10 15 20 25 22"));
        // No season at all: the frame and an empty grid of ten steps, nothing else.
        Module1::SeasonIdMax = 0;
        click(g.Cmd_OK);
        QCOMPARE(g.Lbl_tate[10]->text() + QString::number(at(g.Pic, 2985, 2755)) + notOnTop(g) + samePicture(g.Pic, "graph_none"), QString("100") + QString::number(White));
    }

    // From the season results on season 1: its two ranked players, N lowered to 2, climbing lines in
    // navy and green with white markers, the legend; a season without points; a season as text.
    void pointsRace() {
        Form_Seiseki& r = results();
        tick(r.Opt_when[1]);
        r.Vsc_season->setValue(1);
        click(r.cmd_graph);
        Form_ana_p& f = forms::get<Form_ana_p>();
        QCOMPARE(notOnTop(f) + f.Txt_srs->text() + QString::number(f.HScr_srs->value()) + QString::number(f.HScr_srs->maximum()), QString("113"));
        QCOMPARE(f.HScr_nin->value(), 3);
        f.HScr_nin->setFocus();
        press(Qt::Key_End);  // ten players at most
        QCOMPARE(f.Txt_nin->text(), QString("10"));
        click(f.cmd_p_srs);
        // 井上 0, 3, 8 and 青木 0, 5, 7 at 350 twips a point, 2500 a match, from y = 30.
        const PictureBox* p = f.Pic;
        QCOMPARE(QList<int>({at(p, 1250, 30 + 1.5 * 350), at(p, 3750, 30 + 5.5 * 350), at(p, 1250, 30 + 2.5 * 350),
                             at(p, 3750, 30 + 6 * 350), at(p, 2500, 30 + 3 * 350)}),
                 QList<int>({PaletteColor(1), PaletteColor(1), PaletteColor(2), PaletteColor(2), White}));
        QCOMPARE(f.Txt_nin->text() + QString::number(f.HScr_nin->value()) + f.Lbl_han[0]->text() + f.Lbl_han[1]->text() + f.Lbl_han[2]->text(),
                 QString("22井上青木"));
        QCOMPARE(QList<int>({f.Lbl_han[1]->y(), vbColorOf(f.Lbl_han[1]->palette().color(QPalette::Window))}),
                 QList<int>({twips(330), PaletteColor(2)}));
        QCOMPARE(samePicture(p, "race_season1"), QString());
        saveShot(f.subWindow(), "records_ana_p");
        // Season 3: nobody scored, the lines lie on the zero line, the later player's over the earlier.
        f.HScr_srs->setValue(3);
        click(f.cmd_p_srs);
        QCOMPARE(QList<int>({at(p, 2500, 30), at(p, 2500, 400)}), QList<int>({PaletteColor(2), White}));
        QCOMPARE(samePicture(p, "race_season3"), QString());
        f.Txt_srs->setText("abc");  // no season: nobody took part
        dlg->expectMsgBox(vbOK, "参加選手がいません。");
        click(f.cmd_p_srs);
        // Coming back clears it.
        shown<Form_Seiseki>();
        shown<Form_ana_p>();
        QVERIFY(at(p, 2500, 30) == White && f.Lbl_han[0]->y() == twips(5000));
    }

    // The check box shows the chart of the current row; a grid click adds the next row in the next
    // colour, hatched inside, nothing leaking outside; the colours wrap after fourteen.
    void radarChart() {
        Form_chart::ChartColorIndex = 0;
        Form_Seiseki& r = results();
        tick(r.Chk_chart);
        Form_chart& f = forms::get<Form_chart>();
        QCOMPARE(notOnTop(f) + f.subWindow()->windowTitle(), QString("青木 通算"));
        for (const QLabel* name : f.Label1) QVERIFY2(!name->geometry().intersects(f.Pic->geometry()) && f.rect().contains(name->geometry().topLeft()) && name->geometry().bottom() < f.height(), qPrintable(name->text()));  // beside the picture
        for (const QLabel* name : {f.Label1[0], f.Label1[3]}) QVERIFY(std::abs(name->geometry().center().x() - f.Pic->geometry().center().x()) <= 1);
        const QImage& img = f.Pic->image();
        auto px = [&](int x, int y) { return vbColorOf(img.pixelColor(x, y)); };
        // A 2-pixel line passes through a 3 x 3 square round its point.
        auto near = [&](int x, int y, std::int32_t c) {
            for (int dx = -1; dx <= 1; ++dx)
                for (int dy = -1; dy <= 1; ++dy)
                    if (px(x + dx, y + dy) == c) return true;
            return false;
        };
        QVERIFY(near(68 + 28, 68 - 27, PaletteColor(1)));  // top to right, navy
        shown<Form_Seiseki>();
        clickCell(r.DBGrid1, 2, 0);  // 上田: the vertices on the labelled ticks
        QCOMPARE(notOnTop(f) + f.subWindow()->windowTitle(), QString("上田 通算"));
        const std::int32_t green = PaletteColor(2);
        QVERIFY(near(68 + 25, 68 - 25, green) && near(68, 68 - 51, green) && near(68 + 51, 68, green) && near(68 - 51, 68, green));
        QCOMPARE(QList<int>({px(50, 85), px(51, 85), px(3, 3), px(130, 130), px(68, 2)}), QList<int>({green, White, White, White, Black}));
        QCOMPARE(samePicture(f.Pic, "chart_two"), QString());
        saveShot(f.subWindow(), "records_chart");
        trigger(f.menu_clear);
        QCOMPARE(px(68, 2), White);
        click(f.cmd_clear);
        QCOMPARE(QList<int>({px(68, 2), px(50, 85)}), QList<int>({Black, White}));
        QCOMPARE(samePicture(f.Pic, "chart_axes"), QString());
        Form_chart::ChartColorIndex = 14;
        shown<Form_Seiseki>();
        clickCell(r.DBGrid1, 2, 0);
        QVERIFY(near(68 + 25, 68 - 25, PaletteColor(1)) && px(50, 85) == PaletteColor(1));
        // 戻る hides the chart with the results; unticked, the chart goes.
        shown<Form_Seiseki>();
        click(r.Cmd_END);
        QVERIFY(!f.isShown() && forms::loaded<Form_chart>());
        tick(shown<Form_Seiseki>().Chk_chart);
        QVERIFY(!forms::loaded<Form_chart>() && Form_chart::ChartColorIndex == 1);
        // A player never in the upper half: the shape meets the centre on the left, and the hatch
        // fills it from right of the centre, leaving the rest of the picture as it was.
        QVERIFY(execSql("UPDATE データ項目 SET 上位 = 0 WHERE 選手ID = 3"));
        tick(shown<Form_Seiseki>().Chk_chart);
        click(r.Cmd_SRS_OK);
        Form_chart& g = forms::get<Form_chart>();
        click(g.cmd_clear);
        shown<Form_Seiseki>();
        clickCell(r.DBGrid1, 2, 0);
        QCOMPARE(samePicture(g.Pic, "chart_no_upper_half"), QString());
    }
};

QTEST_MAIN(TestGraphs)
#include "tst_graphs.moc"
