// Filling the demonstration's list with typed values, against a QStandardItemModel filled with
// the same texts already formatted; then the heap each holds per cell.
//   QT_QPA_PLATFORM=offscreen build/bench/bin/fill_memory_bench
#include "bench/BenchSupport.h"

#include <QApplication>
#include <QStandardItemModel>
#include <malloc.h>

namespace {

using bench::kColumns;
using bench::Num;
using bench::Ratio;
using bench::TableReporter;

constexpr int kRows = 100000;

// -- 3. The fill.

void Tambrel_Fill(benchmark::State& state) {
    const int rows = static_cast<int>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        auto list = bench::MakeEmptyList();
        state.ResumeTiming();
        bench::FillDemo(*list, rows);
        state.PauseTiming();
        benchmark::DoNotOptimize(list->ListCount());
        list.reset();
        QCoreApplication::sendPostedEvents();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * rows);
}

std::unique_ptr<QStandardItemModel> EmptyModel(const bench::Texts& texts) {
    auto model = std::make_unique<QStandardItemModel>(0, kColumns);
    model->setHorizontalHeaderLabels(texts.headings);
    return model;
}

// As a Qt user fills a model: one item per cell, one appendRow per row.
void FillModel(QStandardItemModel& model, const bench::Texts& texts, bool ownCopies) {
    for (int r = 0; r < texts.rows; ++r) {
        QList<QStandardItem*> row;
        row.reserve(kColumns);
        for (int c = 0; c < kColumns; ++c) {
            const QString& text = texts.At(r, c);
            row.append(
                new QStandardItem(ownCopies ? QString(text.constData(), text.size()) : text));
        }
        model.appendRow(row);
    }
}

void Qt_StandardItemFill(benchmark::State& state) {
    const bench::Texts& texts = bench::DemoTexts(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        auto model = EmptyModel(texts);
        state.ResumeTiming();
        FillModel(*model, texts, false);
        state.PauseTiming();
        benchmark::DoNotOptimize(model->rowCount());
        model.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * texts.rows);
}

// -- 4. The heap a filled list or model holds: glibc's in-use small blocks plus its mmapped
// large ones, each read after returning free memory to the system.

double HeapInUse() {
    malloc_trim(0);
    const struct mallinfo2 info = mallinfo2();
    return static_cast<double>(info.uordblks + info.hblkhd);
}

void Tambrel_Memory(benchmark::State& state) {
    const int rows = static_cast<int>(state.range(0));
    for (auto _ : state) {
        QCoreApplication::sendPostedEvents();
        const double before = HeapInUse();
        auto list = bench::MakeList(rows);
        list->ResizeColumns();
        QCoreApplication::sendPostedEvents();
        const double after = HeapInUse();
        state.counters["bytes_per_cell"] = (after - before) / (double(rows) * kColumns);
        state.counters["MiB"] = (after - before) / (1024.0 * 1024.0);
        list.reset();
        QCoreApplication::sendPostedEvents();
    }
}

void Qt_StandardItemMemory(benchmark::State& state) {
    const bench::Texts& texts = bench::DemoTexts(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        const double before = HeapInUse();
        // Each item owns its characters, as in a model built from texts formatted for it; the
        // shared texts used to build it are not the model's.
        auto model = EmptyModel(texts);
        FillModel(*model, texts, true);
        const double after = HeapInUse();
        state.counters["bytes_per_cell"] = (after - before) / (double(texts.rows) * kColumns);
        state.counters["MiB"] = (after - before) / (1024.0 * 1024.0);
        model.reset();
    }
}

void PrintTables(const TableReporter& r) {
    bench::Title("3. Typed fill, 100k rows (Qt: QStandardItemModel::appendRow of the texts)");
    std::printf("%-8s %11s %20s %10s\n", "rows", "Tambrel ms", "QStandardItem ms", "Qt / T");
    const double ours = r.Ms("Tambrel_Fill", kRows);
    const double qt = r.Ms("Qt_StandardItemFill", kRows);
    std::printf("%-8d %11s %20s %10s\n", kRows, Num(ours).c_str(), Num(qt).c_str(),
                Ratio(qt, ours).c_str());

    bench::Title("4. Heap per cell, 100k x 11, after ResizeColumns (mallinfo2, after malloc_trim)",
                 false);
    std::printf("%-8s %15s %12s %21s %17s %8s\n", "rows", "Tambrel B/cell", "Tambrel MiB",
                "QStandardItem B/cell", "QStandardItem MiB", "Qt / T");
    const double oursCell = r.Counter("Tambrel_Memory", kRows, "bytes_per_cell");
    const double qtCell = r.Counter("Qt_StandardItemMemory", kRows, "bytes_per_cell");
    std::printf("%-8d %15s %12s %21s %17s %8s\n", kRows, Num(oursCell, 1).c_str(),
                Num(r.Counter("Tambrel_Memory", kRows, "MiB"), 1).c_str(), Num(qtCell, 1).c_str(),
                Num(r.Counter("Qt_StandardItemMemory", kRows, "MiB"), 1).c_str(),
                Ratio(qtCell, oursCell).c_str());
}

} // namespace

int main(int argc, char** argv) {
    bench::Register("Tambrel_Fill", Tambrel_Fill, {{kRows, 3}});
    bench::Register("Qt_StandardItemFill", Qt_StandardItemFill, {{kRows, 3}});
    // Memory first in a fresh heap would flatter neither side less; the fills above ran
    // already, so both start from the same trimmed heap.
    bench::Register("Tambrel_Memory", Tambrel_Memory, {{kRows, 1}});
    bench::Register("Qt_StandardItemMemory", Qt_StandardItemMemory, {{kRows, 1}});
    return bench::Run(argc, argv, PrintTables);
}
