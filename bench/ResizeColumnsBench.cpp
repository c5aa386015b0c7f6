// ResizeColumns on the demonstration's eleven columns, side by side with Qt's
// QTableView::resizeColumnsToContents() over the same texts and font, column 0 hidden on both
// sides. Qt's default measures the visible rows and samples up to 1,000 others; "Qt all rows"
// is Qt made to measure every row (resize-contents precision -1), the same work ours does.
//   QT_QPA_PLATFORM=offscreen build/bench/bin/resize_columns_bench
#include "bench/BenchSupport.h"

#include <QApplication>
#include <QHeaderView>
#include <QTableView>
#include <map>
#include <memory>

namespace {

using bench::DemoTexts;
using bench::Num;
using bench::Ratio;
using bench::TableReporter;

// Two texts for one cell of the widest text column: the first wider than any other text of
// the column, the second narrower, so that every change moves the column's maximum.
const char* const kWide = "This is a long string, and one a good deal longer than all the rest";
const char* const kNarrow = "Short";

std::unique_ptr<QTableView> MakeView(QAbstractItemModel& model, bool allRows) {
    auto view = std::make_unique<QTableView>();
    view->setFont(bench::DemoFont());
    view->setModel(&model);
    view->setColumnHidden(0, true);
    if (allRows) {
        // Both headers' precision: no row and no section is left out of the fitting.
        view->verticalHeader()->setResizeContentsPrecision(-1);
        view->horizontalHeader()->setResizeContentsPrecision(-1);
    }
    view->resize(bench::kWidth, bench::kHeight);
    view->show();
    QApplication::processEvents();
    return view;
}

bench::TextModel& ModelFor(int rows) {
    static std::map<int, std::unique_ptr<bench::TextModel>> models;
    if (models.empty()) {
        bench::BeforeQtEnds([] { models.clear(); });
    }
    auto& model = models[rows];
    if (!model) {
        model = std::make_unique<bench::TextModel>(DemoTexts(rows));
    }
    return *model;
}

// -- 1. The first call after a fill: a new list, or a new view, per iteration.

void Tambrel_FirstResize(benchmark::State& state) {
    const int rows = static_cast<int>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        auto list = bench::MakeList(rows);
        state.ResumeTiming();
        list->ResizeColumns();
        state.PauseTiming();
        benchmark::DoNotOptimize(list->ColumnWidths());
        list.reset();
        QCoreApplication::sendPostedEvents();
        state.ResumeTiming();
    }
}

void QtFirstResize(benchmark::State& state, bool allRows) {
    bench::TextModel& model = ModelFor(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        auto view = MakeView(model, allRows);
        state.ResumeTiming();
        view->resizeColumnsToContents();
        state.PauseTiming();
        benchmark::DoNotOptimize(view->columnWidth(2));
        view.reset();
        QCoreApplication::sendPostedEvents();
        state.ResumeTiming();
    }
}
void QtDefault_FirstResize(benchmark::State& state) {
    QtFirstResize(state, false);
}
void QtAll_FirstResize(benchmark::State& state) {
    QtFirstResize(state, true);
}

// -- 2. Repeated calls on one list or view: nothing changed, or one cell changed before each.

struct Warm {
    std::unique_ptr<TambrelListBox> list;
    std::unique_ptr<QTableView> qtDefault;
    std::unique_ptr<QTableView> qtAll;
};

Warm& WarmFor(int rows) {
    static std::map<int, Warm> made;
    if (made.empty()) {
        bench::BeforeQtEnds([] { made.clear(); });
    }
    Warm& w = made[rows];
    if (!w.list) {
        w.list = bench::MakeList(rows);
        w.list->ResizeColumns();
        w.qtDefault = MakeView(ModelFor(rows), false);
        w.qtDefault->resizeColumnsToContents();
        w.qtAll = MakeView(ModelFor(rows), true);
        w.qtAll->resizeColumnsToContents();
    }
    return w;
}

void Tambrel_Repeat(benchmark::State& state) {
    Warm& w = WarmFor(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        w.list->ResizeColumns();
    }
    benchmark::DoNotOptimize(w.list->ColumnWidths());
}

void Tambrel_RepeatOneChanged(benchmark::State& state) {
    Warm& w = WarmFor(static_cast<int>(state.range(0)));
    const int row = w.list->ListCount() / 2;
    bool wide = true;
    for (auto _ : state) {
        state.PauseTiming();
        w.list->UpdateValue(row, 2, wide ? kWide : kNarrow);
        wide = !wide;
        state.ResumeTiming();
        w.list->ResizeColumns();
    }
    benchmark::DoNotOptimize(w.list->ColumnWidths());
}

void QtRepeat(benchmark::State& state, bool allRows, bool change) {
    const int rows = static_cast<int>(state.range(0));
    Warm& w = WarmFor(rows);
    QTableView& view = allRows ? *w.qtAll : *w.qtDefault;
    bench::TextModel& model = ModelFor(rows);
    const int row = rows / 2;
    bool wide = true;
    for (auto _ : state) {
        if (change) {
            state.PauseTiming();
            model.SetText(row, 2, wide ? kWide : kNarrow);
            wide = !wide;
            state.ResumeTiming();
        }
        view.resizeColumnsToContents();
    }
    if (change) {
        model.SetText(row, 2, DemoTexts(rows).At(row, 2));
    }
    benchmark::DoNotOptimize(view.columnWidth(2));
}
void QtDefault_Repeat(benchmark::State& state) {
    QtRepeat(state, false, false);
}
void QtAll_Repeat(benchmark::State& state) {
    QtRepeat(state, true, false);
}
void QtDefault_RepeatOneChanged(benchmark::State& state) {
    QtRepeat(state, false, true);
}
void QtAll_RepeatOneChanged(benchmark::State& state) {
    QtRepeat(state, true, true);
}

void PrintTables(const TableReporter& r) {
    bench::Title("1. First ResizeColumns after a fill (cold), Qt on a new view per call");
    std::printf("%-8s %11s %14s %11s %15s %11s\n", "rows", "Tambrel ms", "Qt default ms",
                "Qt def / T", "Qt all rows ms", "Qt all / T");
    for (int rows : {250, 10000, 100000}) {
        const double ours = r.Ms("Tambrel_FirstResize", rows);
        const double qtDefault = r.Ms("QtDefault_FirstResize", rows);
        const double qtAll = r.Ms("QtAll_FirstResize", rows);
        std::printf("%-8d %11s %14s %11s %15s %11s\n", rows, Num(ours).c_str(),
                    Num(qtDefault).c_str(), Ratio(qtDefault, ours).c_str(), Num(qtAll).c_str(),
                    Ratio(qtAll, ours).c_str());
    }

    bench::Title("2. Repeated ResizeColumns on one list / one view");
    std::printf("%-8s %-18s %11s %14s %11s %15s %11s\n", "rows", "case", "Tambrel ms",
                "Qt default ms", "Qt def / T", "Qt all rows ms", "Qt all / T");
    for (int rows : {10000, 100000}) {
        for (const char* kase : {"Repeat", "RepeatOneChanged"}) {
            const auto ms = [&](const char* side) {
                std::string family = side;
                family += '_';
                family += kase;
                return r.Ms(family, rows);
            };
            const double ours = ms("Tambrel");
            const double qtDefault = ms("QtDefault");
            const double qtAll = ms("QtAll");
            std::printf("%-8d %-18s %11s %14s %11s %15s %11s\n", rows,
                        std::string(kase) == "Repeat" ? "nothing changed" : "one cell changed",
                        Num(ours).c_str(), Num(qtDefault).c_str(), Ratio(qtDefault, ours).c_str(),
                        Num(qtAll).c_str(), Ratio(qtAll, ours).c_str());
        }
    }
    std::printf("(Qt's default samples 1,000 rows: a changed cell outside them is not seen.)\n");
}

} // namespace

int main(int argc, char** argv) {
    using bench::Register;
    for (auto [name, fn] : {std::pair{"Tambrel_FirstResize", &Tambrel_FirstResize},
                            std::pair{"QtDefault_FirstResize", &QtDefault_FirstResize},
                            std::pair{"QtAll_FirstResize", &QtAll_FirstResize}}) {
        Register(name, fn, {{250, 30}, {10000, 5}, {100000, 3}});
    }
    Register("Tambrel_Repeat", Tambrel_Repeat, {{10000, 50}, {100000, 20}});
    Register("QtDefault_Repeat", QtDefault_Repeat, {{10000, 20}, {100000, 10}});
    Register("QtAll_Repeat", QtAll_Repeat, {{10000, 5}, {100000, 3}});
    Register("Tambrel_RepeatOneChanged", Tambrel_RepeatOneChanged, {{10000, 50}, {100000, 20}});
    Register("QtDefault_RepeatOneChanged", QtDefault_RepeatOneChanged, {{10000, 20}, {100000, 10}});
    Register("QtAll_RepeatOneChanged", QtAll_RepeatOneChanged, {{10000, 5}, {100000, 3}});
    return bench::Run(argc, argv, PrintTables);
}
