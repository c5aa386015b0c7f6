// ResizeColumns on the demonstration's eleven columns, side by side with Qt's
// QTableView::resizeColumnsToContents() over the same texts and font.
//   QT_QPA_PLATFORM=offscreen build/release/bench/resize_columns_bench
#include "framework/core/Date.h"
#include "framework/ui/Graphics.h"
#include "listbox/TambrelListBox.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QHeaderView>
#include <QTableView>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

const char* const kHeadings = "Key,No.,Long String,Currency ,Checkbox,Drop Down,Right "
                              "String,The Date,Time,DateTime,Progress";

// The demonstration's column set-up and fill, with a fixed seed and a fixed date.
std::unique_ptr<TambrelListBox> MakeList(int rows) {
    auto lb = std::make_unique<TambrelListBox>();
    lb->Width(817);
    lb->Height(413);
    lb->TextFont("Verdana");
    lb->TextSize(11.0);
    lb->TableType = 1;
    lb->ColumnCount(11);
    lb->HideColumns = "0";
    lb->ColumnTypes = "i,i,se,ce,b,d,s,te,me,ae,p";
    lb->ColAlignment = "l,c,l,d3,c,c,r,c,c,c,c";
    lb->InitialValue(kHeadings);
    lb->ScrollBarVertical(true);
    lb->DateFormat = "n, d mmm yyyy";
    lb->Event_Open();

    std::mt19937 random(1980);
    std::uniform_real_distribution<double> rnd(0.0, 1.0);
    for (int i = 1; i <= rows; ++i) {
        lb->NewRow();
        lb->SetValue(0, fw::Int32{i});
        lb->SetValue(1, fw::Int32{i});
        lb->SetValue(2, "This is a long string, " + std::to_string(i));
        lb->SetValue(3, (i % 3 == 0 ? -i : i) + rnd(random));
        lb->SetValue(4, "Bye!");
        lb->SetDropDownList(lb->LastIndex(), 5, "One,Two,Three,Four,Five,-,Six,-,Seven,Eight");
        if (i % 8 == 0) {
            lb->SetValue(5, "Six");
        }
        lb->SetValue(6, "Something here.");
        auto d = std::make_shared<fw::Date>(2026, 12, 10, 9, 30, i % 60);
        lb->SetValue(7, d);
        lb->SetValue(8, d);
        lb->SetValue(9, d);
    }
    for (int j = 0; j < lb->ListCount(); ++j) {
        lb->SetPBMaxValue(j, 10, 170.0);
        lb->UpdateValue(j, 10, rnd(random) * 170.0);
    }
    return lb;
}

// The same texts for Qt's view.
class TextModel : public QAbstractTableModel {
public:
    explicit TextModel(TambrelListBox& lb) {
        m_columns = lb.ColumnCount();
        for (int c = 0; c < m_columns; ++c) {
            m_headings.push_back(QString::fromStdString(lb.Heading(c)));
        }
        m_rows = lb.ListCount();
        m_cells.reserve(static_cast<std::size_t>(m_rows) * static_cast<std::size_t>(m_columns));
        for (int r = 0; r < m_rows; ++r) {
            for (int c = 0; c < m_columns; ++c) {
                m_cells.push_back(QString::fromStdString(lb.Cell(r, c)));
            }
        }
    }
    int rowCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : m_rows; }
    int columnCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0 : m_columns;
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (role != Qt::DisplayRole) {
            return {};
        }
        return m_cells[static_cast<std::size_t>(index.row() * m_columns + index.column())];
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (role != Qt::DisplayRole || orientation != Qt::Horizontal) {
            return {};
        }
        return m_headings[static_cast<std::size_t>(section)];
    }

private:
    int m_rows = 0;
    int m_columns = 0;
    std::vector<QString> m_headings;
    std::vector<QString> m_cells;
};

struct Fixture {
    std::unique_ptr<TambrelListBox> list;
    std::unique_ptr<TextModel> model;
    std::unique_ptr<QTableView> view;
};

Fixture& FixtureFor(int rows) {
    static std::map<int, Fixture> fixtures;
    Fixture& f = fixtures[rows];
    if (!f.list) {
        f.list = MakeList(rows);
        f.model = std::make_unique<TextModel>(*f.list);
        f.view = std::make_unique<QTableView>();
        f.view->setFont(fw::MakeFont("Verdana", 11.0, false, false, false));
        f.view->setModel(f.model.get());
        f.view->setColumnHidden(0, true);
        f.view->resize(817, 413);
        f.view->show();
        QApplication::processEvents();
        // Both sides measured once before timing; the first-call benchmark below times ours
        // cold.
        f.list->ResizeColumns();
        f.view->resizeColumnsToContents();
    }
    return f;
}

void Tambrel_ResizeColumns(benchmark::State& state) {
    Fixture& f = FixtureFor(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        f.list->ResizeColumns();
    }
    benchmark::DoNotOptimize(f.list->ColumnWidths());
}

// The first call after the list was filled: every text is new to the control.
void Tambrel_ResizeColumns_FirstCall(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        auto list = MakeList(static_cast<int>(state.range(0)));
        state.ResumeTiming();
        list->ResizeColumns();
        state.PauseTiming();
        list.reset();
        state.ResumeTiming();
    }
}

void Qt_resizeColumnsToContents(benchmark::State& state) {
    Fixture& f = FixtureFor(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        f.view->resizeColumnsToContents();
    }
    benchmark::DoNotOptimize(f.view->columnWidth(1));
}

BENCHMARK(Tambrel_ResizeColumns)->Arg(250)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(Qt_resizeColumnsToContents)
    ->Arg(250)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(Tambrel_ResizeColumns_FirstCall)->Arg(250)->Iterations(50)->Unit(benchmark::kMillisecond);
BENCHMARK(Tambrel_ResizeColumns_FirstCall)
    ->Arg(10000)
    ->Arg(100000)
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);

// Prints, after the usual table, Qt's time divided by ours for each size.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.run_type != Run::RT_Iteration && run.aggregate_name != "mean") {
                continue;
            }
            const std::string name = run.benchmark_name();
            const auto slash = name.find('/');
            if (slash == std::string::npos) {
                continue;
            }
            const std::string family = name.substr(0, slash);
            const std::string size = name.substr(slash + 1, name.find('/', slash + 1) - slash - 1);
            m_times[std::stoi(size)][family] = run.GetAdjustedRealTime();
        }
        ConsoleReporter::ReportRuns(runs);
    }
    void Finalize() override {
        ConsoleReporter::Finalize();
        std::printf("\nrows      Tambrel (ms)  Qt (ms)    Qt / Tambrel\n");
        for (const auto& [size, times] : m_times) {
            auto ours = times.find("Tambrel_ResizeColumns");
            auto qt = times.find("Qt_resizeColumnsToContents");
            if (ours == times.end() || qt == times.end()) {
                continue;
            }
            std::printf("%-9d %-13.3f %-10.3f %.2f\n", size, ours->second, qt->second,
                        qt->second / ours->second);
        }
    }

private:
    std::map<int, std::map<std::string, double>> m_times;
};

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
