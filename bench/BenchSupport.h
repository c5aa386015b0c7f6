#pragma once

// What the benchmark programs share: the demonstration's list built through the control's
// public calls, the same texts for Qt's side, and a reporter that keeps every result so that
// a program can print its comparison tables after Google Benchmark's own output.

#include "listbox/TambrelListBox.h"

#include <QAbstractTableModel>
#include <QFont>
#include <QString>
#include <QStringList>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <functional>
#include <initializer_list>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace bench {

inline constexpr int kColumns = 11;
inline constexpr int kWidth = 817;
inline constexpr int kHeight = 413;

// The demonstration's list, set up and opened, with no rows.
std::unique_ptr<TambrelListBox> MakeEmptyList();
// The demonstration's fill of rows rows (fixed seed, fixed date) into an opened list.
void FillDemo(TambrelListBox& lb, int rows);
// Both of the above: a filled list whose columns have not been fitted yet.
std::unique_ptr<TambrelListBox> MakeList(int rows);

// The texts the list shows, row by row, and its headings.
struct Texts {
    int rows = 0;
    QStringList headings;
    std::vector<QString> cells; // rows * kColumns
    const QString& At(int row, int column) const {
        return cells[static_cast<std::size_t>(row) * kColumns + static_cast<std::size_t>(column)];
    }
};
Texts TextsOf(const TambrelListBox& lb);
// The texts of the demonstration's fill of rows rows, made once per size and kept.
const Texts& DemoTexts(int rows);

// The list's font, for Qt's views.
QFont DemoFont();

// A read-only table model over Texts, as cheap a model as Qt allows; SetText changes one cell
// and tells the views.
class TextModel : public QAbstractTableModel {
public:
    explicit TextModel(const Texts& texts) : m_texts(texts) {}
    int rowCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0 : m_texts.rows;
    }
    int columnCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0 : kColumns;
    }
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    void SetText(int row, int column, const QString& text);

private:
    Texts m_texts; // a copy: QString shares the characters
};

// Keeps each run's CPU time in milliseconds and its counters, by benchmark name
// ("Family/arg"), then prints the tables a program adds after Google Benchmark's table.
class TableReporter : public benchmark::ConsoleReporter {
public:
    using Printer = std::function<void(const TableReporter&)>;
    explicit TableReporter(Printer printer) : m_printer(std::move(printer)) {}

    void ReportRuns(const std::vector<Run>& runs) override;
    void Finalize() override;

    // The CPU time of one iteration of family/arg (the median repetition), or a negative number
    // when it did not run.
    double Ms(const std::string& family, int arg) const;
    // A counter of family/arg, or a negative number.
    double Counter(const std::string& family, int arg, const std::string& counter) const;

private:
    Printer m_printer;
    std::map<std::string, std::vector<double>> m_ms; // one entry a repetition
    std::map<std::string, std::map<std::string, double>> m_counters;
};

// "12.345" for a time, "n/a" for one that did not run.
std::string Num(double value, int decimals = 3);
// a / b, or "n/a".
std::string Ratio(double a, double b);
// Prints the title line every table starts with (scripts/bench.sh collects from it on) and
// what its times are.
void Title(const char* title, bool times = true);

// Registers fn as name/arg for each (arg, iterations) pair, in milliseconds, run repetitions
// times. A fixed iteration count per size keeps each program within a minute or two.
void Register(const char* name, void (*fn)(benchmark::State&),
              std::initializer_list<std::pair<int, int>> argsAndIterations,
              int repetitions = 1);

// Runs fn after the tables, while Qt's application object still exists: views a program keeps
// in static storage must go before it.
void BeforeQtEnds(std::function<void()> fn);

// Starts Qt on the offscreen platform unless another was chosen, warms the font caches both
// sides share (one small list and one small view fitted), and runs the benchmarks with
// a TableReporter printing through printer.
int Run(int argc, char** argv, TableReporter::Printer printer);

} // namespace bench
