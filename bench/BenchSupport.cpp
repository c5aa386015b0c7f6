#include "bench/BenchSupport.h"

#include "app/Streams.h"
#include "framework/core/Date.h"
#include "framework/core/PropertyStream.h"
#include "framework/ui/FrameworkClasses.h"
#include "framework/ui/Graphics.h"

#include <QApplication>
#include <QTableView>
#include <algorithm>
#include <cmath>
#include <random>

namespace bench {

namespace {

constexpr const char* kChoices = "One,Two,Three,Four,Five,-,Six,-,Seven,Eight";

void RegisterOnce() {
    static const bool registered = [] {
        fw::RegisterFrameworkClasses();
        TambrelListBox::RegisterClass();
        return true;
    }();
    (void)registered;
}

} // namespace

std::unique_ptr<TambrelListBox> MakeEmptyList() {
    RegisterOnce();
    // The demonstration window's own steps for lb1: its text size, then its designed
    // properties, then Open.
    auto lb = std::make_unique<TambrelListBox>();
    lb->TextSize(11.0);
    lb->TextUnit(fw::FontUnits::Default);
    fw::_SetProperties(*lb, kLb1Stream);
    lb->Event_Open();
    return lb;
}

void FillDemo(TambrelListBox& lb, int rows) {
    // The demonstration's Open handler, with a fixed seed and a fixed date so that every run
    // measures the same texts.
    std::mt19937 random(1980);
    std::uniform_real_distribution<double> rnd(0.0, 1.0);
    lb.Reset();
    for (int i = 1; i <= rows; ++i) {
        lb.NewRow();
        lb.SetValue(0, fw::Int32{i});
        lb.SetValue(1, fw::Int32{i});
        lb.SetValue(2, "This is a long string, " + std::to_string(i));
        lb.SetValue(3, (i % 3 == 0 ? -i : i) + rnd(random));
        lb.SetValue(4, "Bye!");
        lb.SetDropDownList(lb.LastIndex(), 5, kChoices);
        if (i % 8 == 0) {
            lb.SetValue(5, "Six");
        }
        lb.SetValue(6, "Something here.");
        auto d = std::make_shared<fw::Date>(2026, 12, 10, 9, 30, i % 60);
        lb.SetValue(7, d);
        lb.SetValue(8, d);
        lb.SetValue(9, d);
    }
    for (int j = 0; j < lb.ListCount(); ++j) {
        lb.SetPBMaxValue(j, 10, 170.0);
        lb.UpdateValue(j, 10, rnd(random) * 170.0);
    }
}

std::unique_ptr<TambrelListBox> MakeList(int rows) {
    auto lb = MakeEmptyList();
    FillDemo(*lb, rows);
    return lb;
}

Texts TextsOf(const TambrelListBox& lb) {
    Texts texts;
    texts.rows = lb.ListCount();
    for (int c = 0; c < kColumns; ++c) {
        texts.headings.push_back(QString::fromStdString(lb.Heading(c)));
    }
    texts.cells.reserve(static_cast<std::size_t>(texts.rows) * kColumns);
    for (int r = 0; r < texts.rows; ++r) {
        for (int c = 0; c < kColumns; ++c) {
            texts.cells.push_back(QString::fromStdString(lb.Cell(r, c)));
        }
    }
    return texts;
}

const Texts& DemoTexts(int rows) {
    static std::map<int, Texts> made;
    auto found = made.find(rows);
    if (found == made.end()) {
        found = made.emplace(rows, TextsOf(*MakeList(rows))).first;
    }
    return found->second;
}

QFont DemoFont() {
    return fw::MakeFont("Verdana", 11.0, false, false, false);
}

QVariant TextModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole) {
        return {};
    }
    return m_texts.At(index.row(), index.column());
}

QVariant TextModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal) {
        return {};
    }
    return m_texts.headings.value(section);
}

void TextModel::SetText(int row, int column, const QString& text) {
    m_texts.cells[static_cast<std::size_t>(row) * kColumns + static_cast<std::size_t>(column)] =
        text;
    const QModelIndex changed = index(row, column);
    emit dataChanged(changed, changed, {Qt::DisplayRole});
}

void TableReporter::ReportRuns(const std::vector<Run>& runs) {
    for (const Run& run : runs) {
        if (run.run_type != Run::RT_Iteration || run.error_occurred) {
            continue;
        }
        const std::string name = run.run_name.function_name + "/" + run.run_name.args;
        // CPU time: the machine is often shared while these run, and both sides do their work
        // on the one thread; wall time stays in Google Benchmark's own table.
        const double seconds =
            run.GetAdjustedCPUTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
        m_ms[name].push_back(seconds * 1e3);
        for (const auto& [key, counter] : run.counters) {
            m_counters[name][key] = counter.value;
        }
    }
    ConsoleReporter::ReportRuns(runs);
}

void TableReporter::Finalize() {
    ConsoleReporter::Finalize();
    std::fflush(stdout);
    m_printer(*this);
    std::fflush(stdout);
}

namespace {

std::string NameOf(const std::string& family, int arg) {
    std::string name = family;
    name += '/';
    name += std::to_string(arg);
    return name;
}

} // namespace

double TableReporter::Ms(const std::string& family, int arg) const {
    auto found = m_ms.find(NameOf(family, arg));
    if (found == m_ms.end() || found->second.empty()) {
        return -1.0;
    }
    // A repeated benchmark gives its median repetition: one slow pass of a shared machine does
    // not decide a ratio.
    std::vector<double> times = found->second;
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

double TableReporter::Counter(const std::string& family, int arg,
                              const std::string& counter) const {
    auto run = m_counters.find(NameOf(family, arg));
    if (run == m_counters.end()) {
        return -1.0;
    }
    auto found = run->second.find(counter);
    return found == run->second.end() ? -1.0 : found->second;
}

std::string Num(double value, int decimals) {
    if (value < 0 || !std::isfinite(value)) {
        return "n/a";
    }
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

std::string Ratio(double a, double b) {
    if (a < 0 || b <= 0) {
        return "n/a";
    }
    return Num(a / b, 2);
}

void Title(const char* title, bool times) {
    std::printf("\n== %s\n", title);
    if (times) {
        std::printf("(ms: CPU time per call, mean over the iterations; the median of the "
                    "repetitions where a benchmark repeats)\n");
    }
}

namespace {

std::vector<std::function<void()>>& Cleanups() {
    static std::vector<std::function<void()>> cleanups;
    return cleanups;
}

} // namespace

void BeforeQtEnds(std::function<void()> fn) {
    Cleanups().push_back(std::move(fn));
}

void Register(const char* name, void (*fn)(benchmark::State&),
              std::initializer_list<std::pair<int, int>> argsAndIterations, int repetitions) {
    for (const auto& [arg, iterations] : argsAndIterations) {
        benchmark::RegisterBenchmark(name, fn)
            ->Arg(arg)
            ->Iterations(iterations)
            ->Repetitions(repetitions)
            ->Unit(benchmark::kMillisecond);
    }
}

int Run(int argc, char** argv, TableReporter::Printer printer) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    {
        // The first text measured in a process pays for loading the font; neither side's
        // first benchmark should.
        auto list = MakeList(250);
        list->ResizeColumns();
        TextModel model(TextsOf(*list));
        QTableView view;
        view.setFont(DemoFont());
        view.setModel(&model);
        view.show();
        QApplication::processEvents();
        view.resizeColumnsToContents();
    }
    QCoreApplication::sendPostedEvents();
    TableReporter reporter(std::move(printer));
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    for (auto it = Cleanups().rbegin(); it != Cleanups().rend(); ++it) {
        (*it)();
    }
    Cleanups().clear();
    return 0;
}

} // namespace bench
