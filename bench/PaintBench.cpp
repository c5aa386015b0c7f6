// Painting one screenful of the demonstration's list (817 x 413, rounded frames, columns
// fitted, scrolled to the middle) against a QTableView of the same texts, size and font.
//   QT_QPA_PLATFORM=offscreen build/bench/bin/paint_bench
#include "bench/BenchSupport.h"

#include <QApplication>
#include <QHeaderView>
#include <QImage>
#include <QTableView>

namespace {

using bench::Num;
using bench::Ratio;
using bench::TableReporter;

void Render(QWidget& widget, QImage& image) {
    widget.render(&image);
    benchmark::DoNotOptimize(image.constBits());
}

void Tambrel_PaintScreenful(benchmark::State& state) {
    auto list = bench::MakeList(static_cast<int>(state.range(0)));
    list->ResizeColumns();
    QWidget& widget = *list->NativeWidget();
    widget.show();
    QApplication::processEvents();
    list->ScrollPosition(list->ListCount() / 2);
    QImage image(widget.size(), QImage::Format_ARGB32_Premultiplied);
    state.counters["width"] = widget.width();
    state.counters["height"] = widget.height();
    for (auto _ : state) {
        Render(widget, image);
    }
}

void Qt_PaintScreenful(benchmark::State& state) {
    const int rows = static_cast<int>(state.range(0));
    bench::TextModel model(bench::DemoTexts(rows));
    QTableView view;
    view.setFont(bench::DemoFont());
    view.setModel(&model);
    view.setColumnHidden(0, true);
    // The list has no row numbers; neither does this view.
    view.verticalHeader()->hide();
    view.resize(bench::kWidth, bench::kHeight);
    view.show();
    QApplication::processEvents();
    view.resizeColumnsToContents();
    view.scrollTo(model.index(rows / 2, 1), QAbstractItemView::PositionAtTop);
    QApplication::processEvents();
    QImage image(view.size(), QImage::Format_ARGB32_Premultiplied);
    state.counters["width"] = view.width();
    state.counters["height"] = view.height();
    for (auto _ : state) {
        Render(view, image);
    }
}

void PrintTables(const TableReporter& r) {
    bench::Title("5. Painting a screenful (817x413, scrolled to the middle), render to an image");
    std::printf("%-8s %11s %16s %10s\n", "rows", "Tambrel ms", "QTableView ms", "Qt / T");
    for (int rows : {250, 100000}) {
        const std::string arg = "/" + std::to_string(rows);
        const double ours = r.Ms("Tambrel_PaintScreenful" + arg);
        const double qt = r.Ms("Qt_PaintScreenful" + arg);
        std::printf("%-8d %11s %16s %10s\n", rows, Num(ours).c_str(), Num(qt).c_str(),
                    Ratio(qt, ours).c_str());
    }
}

} // namespace

int main(int argc, char** argv) {
    bench::Register("Tambrel_PaintScreenful", Tambrel_PaintScreenful, {{250, 200}, {100000, 200}});
    bench::Register("Qt_PaintScreenful", Qt_PaintScreenful, {{250, 200}, {100000, 200}});
    return bench::Run(argc, argv, PrintTables);
}
