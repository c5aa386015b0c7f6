// Painting a list box costs what its visible cells cost, whatever the number of rows; adding a
// row is amortised constant time; a jump to the end and a repaint fit in one frame.
//   QT_QPA_PLATFORM=offscreen build/release/bench/listbox_paint_bench

#include "framework/ui/Graphics.h"
#include "framework/ui/Listbox.h"

#include <QApplication>
#include <QImage>
#include <QWidget>
#include <benchmark/benchmark.h>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kColumns = 11;

// Paint handlers of the kind a typed-cell list box has: a striped background drawn through
// the cell's Graphics, the text left to the framework.
class StripedList : public fw::Listbox {
public:
    bool Event_CellBackgroundPaint(fw::Graphics& g, fw::Int32 row, fw::Int32) override {
        g.ForeColor(row % 2 == 0 ? fw::RGB(255, 255, 255) : fw::RGB(235, 240, 250));
        g.FillRect(0, 0, g.Width(), g.Height());
        return true;
    }
    bool Event_CellTextPaint(fw::Graphics& g, fw::Int32, fw::Int32, fw::Int32, fw::Int32) override {
        g.ForeColor(fw::RGB(0, 64, 128));
        return false;
    }
};

std::unique_ptr<fw::Listbox> MakeList(int rows) {
    auto lb = std::make_unique<StripedList>();
    lb->ColumnCount(kColumns);
    lb->Width(817);
    lb->Height(413);
    lb->HasHeading(true);
    lb->InitialValue("Key\tNo.\tLong String\tCurrency\tCheckbox\tDrop Down\tRight String\tThe "
                     "Date\tTime\tDateTime\tProgress");
    lb->ColumnType(4, 2);
    lb->ColumnAlignment(3, 4);
    lb->ColumnAlignmentOffset(3, -25);
    std::vector<std::string> texts(kColumns);
    for (int i = 0; i < rows; ++i) {
        const std::string n = std::to_string(i + 1);
        texts = {n,
                 n,
                 "This is a long string, " + n,
                 n + ".25",
                 "Bye!",
                 "Six",
                 "Something here.",
                 "09-02-1980",
                 "02:05pm",
                 "09-02-80 02:05 pm",
                 "P"};
        lb->AddRow(texts);
    }
    lb->NativeWidget()->show();
    QCoreApplication::processEvents();
    return lb;
}

void Render(fw::Listbox& lb, QImage& image) {
    lb.NativeWidget()->render(&image);
    benchmark::DoNotOptimize(image.constBits());
}

void BM_PaintScreenful(benchmark::State& state) {
    auto lb = MakeList(static_cast<int>(state.range(0)));
    QImage image(lb->NativeWidget()->size(), QImage::Format_ARGB32_Premultiplied);
    lb->ScrollPosition(lb->ListCount() / 2);
    for (auto _ : state) {
        Render(*lb, image);
    }
}
BENCHMARK(BM_PaintScreenful)->Arg(250)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_AddRow(benchmark::State& state) {
    const std::vector<std::string> texts = {
        "1",  "1", "This is a long string, 1", "1.25", "Bye!", "Six", "x", "date", "time",
        "dt", "P"};
    constexpr int kRows = 100000;
    for (auto _ : state) {
        state.PauseTiming();
        auto lb = std::make_unique<fw::Listbox>();
        lb->ColumnCount(kColumns);
        state.ResumeTiming();
        for (int i = 0; i < kRows; ++i) {
            lb->AddRow(texts);
        }
        state.PauseTiming();
        lb.reset();
        QCoreApplication::sendPostedEvents();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_AddRow)->Unit(benchmark::kMillisecond);

void BM_ScrollToEndAndRepaint(benchmark::State& state) {
    auto lb = MakeList(100000);
    QImage image(lb->NativeWidget()->size(), QImage::Format_ARGB32_Premultiplied);
    bool atEnd = false;
    for (auto _ : state) {
        // Alternate between the two ends, so every iteration scrolls the whole list.
        lb->ScrollPosition(atEnd ? 0 : lb->ListCount());
        atEnd = !atEnd;
        Render(*lb, image);
    }
}
BENCHMARK(BM_ScrollToEndAndRepaint)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
