#pragma once
// Every value the program keeps in the settings store, with its section, its name and the default
// its readers pass, in one table; the program reads and writes the store only through these keys.
// The store compares names without regard to case but keeps the spelling of a section's or a
// value's first write, so each row spells them as the program writes them.
#include <QString>
#include <QStringView>
#include <array>
#include <utility>
#include <vector>

namespace vx::settings {

// How a yes/no value is written and read back; each value keeps the reading it has always had.
enum class Flag : unsigned char {
    None,        // no yes/no value
    Number,      // written "1"/"0"; yes when the text begins with a number other than 0
    TrueFalse,   // written "True"/"False"; yes for "True" in any case or a number other than 0
    ExactlyOne,  // written "1"/"0"; yes for "1" only
};

struct Key {
    QStringView section;
    QStringView name;
    QStringView defaultText;
    Flag flag = Flag::None;
};

QString read(const Key& key);
void save(const Key& key, const QString& value);
// Several values of one section in one save: the file is written once.
void save(const std::vector<std::pair<Key, QString>>& values);

bool readFlag(const Key& key);
QString flagText(const Key& key, bool on);
void saveFlag(const Key& key, bool on);

// Window positions in twips are one rule, not rows: a window with prefix p reads p_Left and p_Top
// and writes p_left and p_top, all in section Form.
inline constexpr QStringView PositionDefault = u"25";
enum class Edge { Left, Top };
QString readPosition(const QString& prefix, Edge edge, QStringView defaultText = PositionDefault);
void savePosition(const QString& prefix, Edge edge, const QString& value);

namespace keys {

inline constexpr QStringView SettingUpper = u"Setting";  // the shared options, as the shell writes them
inline constexpr QStringView SettingLower = u"setting";  // the same section, as every other writer spells it
inline constexpr QStringView FormSection = u"Form";
inline constexpr QStringView HtmlColorSection = u"HTML_color";
inline constexpr QStringView PinSection = u"pin";

// The main window, in twips; a width of 9999 and a height of 5555 mean nine tenths of the screen.
inline constexpr Key MainLeft{SettingUpper, u"Left", u"25"};
inline constexpr Key MainTop{SettingUpper, u"Top", u"25"};
inline constexpr Key MainWidth{SettingUpper, u"width", u"9999"};
inline constexpr Key MainHeight{SettingUpper, u"height", u"5555"};
// The start menu's position as the main window writes it at exit; the menu reads it by the rule.
inline constexpr Key StartMenuTop{FormSection, u"start_Top", PositionDefault};
inline constexpr Key StartMenuLeft{FormSection, u"start_left", PositionDefault};

// Shared options, loaded at start-up into the variables of the same names.
inline constexpr Key LastGame{SettingUpper, u"max_game", u"3"};
inline constexpr Key HcpRequired{SettingUpper, u"hcp_mynas", u"0"};
inline constexpr Key ResultDisplayFlags{SettingUpper, u"data_1", u"0"};
inline constexpr Key TallyRuleFlags{SettingUpper, u"data_2", u"0"};
inline constexpr Key PointTarget{SettingUpper, u"data_3", u"0"};
inline constexpr Key PointMethod{SettingUpper, u"data_4", u"0"};
// A stored 1 in the maximum has the ranges computed from the tables.
inline constexpr Key SeasonIdMax{SettingUpper, u"srs_max", u"1"};
inline constexpr Key SeasonIdMin{SettingUpper, u"srs_min", u"1"};
inline constexpr Key MatchIdMax{SettingUpper, u"siai_max", u"1"};
inline constexpr Key MatchIdMin{SettingUpper, u"siai_min", u"1"};
// The same four as storing a day writes them: a store without the section gets it in lower case.
inline constexpr std::array<Key, 4> DayIdRanges{{{SettingLower, u"srs_max", u"1"},
                                                 {SettingLower, u"srs_min", u"1"},
                                                 {SettingLower, u"siai_max", u"1"},
                                                 {SettingLower, u"siai_min", u"1"}}};
// Marks 1..10: a split first ball of 1..8 pins, the spare, the strike.
inline constexpr std::array<Key, 10> MarkTexts{{{SettingUpper, u"Spear_mark1", u"1s"},
                                                {SettingUpper, u"Spear_mark2", u"2s"},
                                                {SettingUpper, u"Spear_mark3", u"3s"},
                                                {SettingUpper, u"Spear_mark4", u"4s"},
                                                {SettingUpper, u"Spear_mark5", u"5s"},
                                                {SettingUpper, u"Spear_mark6", u"6s"},
                                                {SettingUpper, u"Spear_mark7", u"7s"},
                                                {SettingUpper, u"Spear_mark8", u"8s"},
                                                {SettingUpper, u"Spear_mark9", u"／"},
                                                {SettingUpper, u"Spear_mark10", u"＊"}}};
// Background and text colours of the pages' four parts, decimal 0x00BBGGRR.
inline constexpr std::array<Key, 8> HtmlColors{{{HtmlColorSection, u"back", u"14811135"},
                                                {HtmlColorSection, u"fore", u"0"},
                                                {HtmlColorSection, u"syo_back", u"14811135"},
                                                {HtmlColorSection, u"syo_fore", u"0"},
                                                {HtmlColorSection, u"ave_back", u"14811135"},
                                                {HtmlColorSection, u"ave_fore", u"0"},
                                                {HtmlColorSection, u"all_back", u"14811135"},
                                                {HtmlColorSection, u"all_fore", u"0"}}};
// Pins knocked down by the first ball, by the second, left standing.
inline constexpr std::array<Key, 3> PinImageFiles{{{PinSection, u"pin1_name", u"pin1.jpg"},
                                                   {PinSection, u"pin2_name", u"pin2.jpg"},
                                                   {PinSection, u"pin3_name", u"pin3.jpg"}}};
inline constexpr std::array<Key, 3> PinColors{{{PinSection, u"pin1_color", u"&hffffff"},
                                               {PinSection, u"pin2_color", u"&h10ddff"},
                                               {PinSection, u"pin3_color", u"&h8090ff"}}};
// The browser's command line, read afresh at every use; the default stands for the system's browser.
inline constexpr Key Browser{SettingLower, u"brw", u"c:\\Program Files\\Internet Explorer\\Iexplore.exe"};

// Sizes and choices of single windows.
inline constexpr Key EntryMode{FormSection, u"main_mode", u"1", Flag::ExactlyOne};  // yes: marks
inline constexpr Key ScoreBookWidth{FormSection, u"score_width", u"9400"};
inline constexpr Key ScoreBookHeight{FormSection, u"score_height", u"5880"};
inline constexpr Key ScoreBookPins{FormSection, u"score_pin", u"1", Flag::ExactlyOne};
inline constexpr Key SeasonResultsHeight{FormSection, u"sei_height", u"6650"};
inline constexpr Key SeasonResultsAlways{SettingLower, u"seiseki_srs", u"0", Flag::Number};
inline constexpr Key RecordsHeight{FormSection, u"kojin_height", u"4250"};
inline constexpr Key RecordsWithScores{SettingLower, u"kojin_score", u"0", Flag::Number};

// The HTML dialogs' choices.
inline constexpr Key OpenPage{SettingLower, u"br_open", u"0", Flag::Number};
inline constexpr std::array<Key, 7> ScoreSheetColumns{{{SettingLower, u"out_s_name", u"1", Flag::Number},
                                                       {SettingLower, u"out_s_ssn", u"1", Flag::Number},
                                                       {SettingLower, u"out_s_stg", u"1", Flag::Number},
                                                       {SettingLower, u"out_s_gam", u"1", Flag::Number},
                                                       {SettingLower, u"out_s_yup", u"1", Flag::Number},
                                                       {SettingLower, u"out_s_ten", u"1", Flag::Number},
                                                       {SettingLower, u"out_s_mark", u"1", Flag::Number}}};
// Season results, all-time results; the first and last season shown.
inline constexpr std::array<Key, 2> PlayerPageParts{{{SettingLower, u"out_k_ssn", u"1", Flag::Number},
                                                     {SettingLower, u"out_k_all", u"1", Flag::Number}}};
inline constexpr std::array<Key, 2> PlayerPageSeasons{{{SettingLower, u"out_k_ssn_s", u"1"},
                                                       {SettingLower, u"out_k_ssn_e", u"1"}}};
inline constexpr Key ScoreCardsAll{SettingLower, u"allor1", u"0", Flag::TrueFalse};
// The bulletin's parts, by box: ranking, records reached, score sheet, season, all-time, score book.
inline constexpr std::array<Key, 6> BulletinParts{{{SettingLower, u"out_jun", u"1", Flag::Number},
                                                   {SettingLower, u"out_kiroku", u"1", Flag::Number},
                                                   {SettingLower, u"out_score_s", u"1", Flag::Number},
                                                   {SettingLower, u"out_ssn", u"1", Flag::Number},
                                                   {SettingLower, u"out_all", u"1", Flag::Number},
                                                   {SettingLower, u"out_score_b", u"1", Flag::Number}}};
// The first two as read again when they come back after a match without results file.
inline constexpr std::array<Key, 2> BulletinResultsPartsKept{{{SettingLower, u"out_jun", u"0", Flag::Number},
                                                              {SettingLower, u"out_kiroku", u"0", Flag::Number}}};

}  // namespace keys
}  // namespace vx::settings
