#pragma once
// The results-table page: one row per player of the range the season-results window shows, in its
// order, and a total row "合計平均" whose rates and averages are computed from the column sums.
#include "publishing/htmlpage.h"
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <array>

namespace vx::publishing {

// What the dialog proposes at load for a range (0 all-time, 1 one season, 2 a match range), from
// the season box as typed and the dates of the match range.
struct ResultsProposal {
    QString title, heading, file;
};
ResultsProposal resultsProposal(int range, const QString& season, const QString& rangeDates);

// The sums the total row is made of.
struct ResultsTotals {
    double games = 0, points = 0, top = 0, pins = 0, strikes = 0, spares = 0, misses = 0;
};
// The total row's eleven values, each with its cell ending; a rate over nothing is an empty cell.
QStringList totalValues(const ResultsTotals& t);

struct ResultsTable {
    // The rows, as the season-results window reads them for the range.
    QString sql;
    QVariantList params;
    PageSetup setup;
};

// Writes the page whole; a range without rows, colours that are no numbers or rows that cannot
// be read write nothing, and a page already there stays.
PageResult writeResultsTable(const QString& path, const ResultsTable& table);

}  // namespace vx::publishing
