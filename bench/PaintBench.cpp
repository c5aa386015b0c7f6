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

// With TAMBREL_BENCH_IMAGES set to a folder, the last image of each run is kept there, to see
// that both sides painted the same screenful.
void Keep(const QImage& image, const std::string& name) {
    const QString folder = qEnvironmentVariable("TAMBREL_BENCH_IMAGES");
    if (!folder.isEmpty()) {
        image.save(folder + "/" + QString::fromStdString(name) + ".png");
    }
}

// The list's row height, found from the outside: the distance between the tops of two rows.
int RowHeight(const TambrelListBox& list) {
    int firstTop = -1;
    int first = -1;
    for (int y = 0; y < list.Height(); ++y) {
        const int row = list.RowFromXY(list.Width() / 2, y);
        if (row < 0) {
            continue;
        }
        if (first < 0) {
            first = row;
            firstTop = y;
        } else if (row != first) {
            return y - firstTop;
        }
    }
    return -1;
}

int DemoRowHeight() {
    static const int height = [] {
        auto list = bench::MakeList(10);
        return RowHeight(*list);
    }();
    return height;
}

void Tambrel_PaintScreenful(benchmark::State& state) {
    auto list = bench::MakeList(static_cast<int>(state.range(0)));
    list->ResizeColumns();
    QWidget& widget = *list->NativeWidget();
    widget.show();
    QApplication::processEvents();
    list->ScrollPosition(list->ListCount() / 2);
    QImage image(widget.size(), QImage::Format_ARGB32_Premultiplied);
    state.counters["row_height"] = RowHeight(*list);
    for (auto _ : state) {
        Render(widget, image);
    }
    Keep(image, "tambrel_" + std::to_string(state.range(0)));
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
    // The list's row height, so that both paint the same number of rows, and columns fitted to
    // every row as the list's are, so that no text is elided.
    if (DemoRowHeight() > 0) {
        view.verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
        view.verticalHeader()->setDefaultSectionSize(DemoRowHeight());
    }
    view.verticalHeader()->setResizeContentsPrecision(-1);
    view.horizontalHeader()->setResizeContentsPrecision(-1);
    view.resize(bench::kWidth, bench::kHeight);
    view.show();
    QApplication::processEvents();
    view.resizeColumnsToContents();
    view.scrollTo(model.index(rows / 2, 1), QAbstractItemView::PositionAtTop);
    QApplication::processEvents();
    QImage image(view.size(), QImage::Format_ARGB32_Premultiplied);
    state.counters["row_height"] = view.rowHeight(rows / 2);
    for (auto _ : state) {
        Render(view, image);
    }
    Keep(image, "qt_" + std::to_string(rows));
}

void PrintTables(const TableReporter& r) {
    bench::Title("5. Painting a screenful (817x413, scrolled to the middle), render to an image");
    std::printf("%-8s %11s %16s %10s\n", "rows", "Tambrel ms", "QTableView ms", "Qt / T");
    for (int rows : {250, 100000}) {
        const double ours = r.Ms("Tambrel_PaintScreenful", rows);
        const double qt = r.Ms("Qt_PaintScreenful", rows);
        std::printf("%-8d %11s %16s %10s\n", rows, Num(ours).c_str(), Num(qt).c_str(),
                    Ratio(qt, ours).c_str());
    }
}

} // namespace

int main(int argc, char** argv) {
    // Painting a few milliseconds is at the mercy of the machine: five repetitions, the median.
    bench::Register("Tambrel_PaintScreenful", Tambrel_PaintScreenful, {{250, 200}, {100000, 200}},
                    5);
    bench::Register("Qt_PaintScreenful", Qt_PaintScreenful, {{250, 200}, {100000, 200}}, 5);
    return bench::Run(argc, argv, PrintTables);
}
