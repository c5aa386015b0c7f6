// What a Qt user writes for the same window: a QTableView over a QStandardItemModel of the
// demonstration's 250 rows of texts (formatted here as the list formats them), columns fitted
// to their contents, column 0 hidden, shown at the demonstration window's size.
#include "bench/StartupProbe.h"

#include <QApplication>
#include <QFont>
#include <QLocale>
#include <QStandardItemModel>
#include <QTableView>
#include <cmath>
#include <random>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QStandardItemModel model(0, 11);
    model.setHorizontalHeaderLabels({"Key", "No.", "Long String", "Currency ", "Checkbox",
                                     "Drop Down", "Right String", "The Date", "Time", "DateTime",
                                     "Progress"});
    const QLocale english(QLocale::English);
    std::mt19937 random(1980);
    std::uniform_real_distribution<double> rnd(0.0, 1.0);
    for (int i = 1; i <= 250; ++i) {
        const QString n = QString::number(i);
        const double amount = (i % 3 == 0 ? -i : i) + rnd(random);
        const QString money = english.toString(std::fabs(amount), 'f', 2);
        const QString texts[] = {n,
                                 n,
                                 "This is a long string, " + n,
                                 amount < 0 ? "(" + money + ")" : money,
                                 "Bye!",
                                 i % 8 == 0 ? "Six" : "",
                                 "Something here.",
                                 "Thu, 10 Dec 2026",
                                 "09:30am",
                                 "10-12-26 09:30 am",
                                 "P"};
        QList<QStandardItem*> row;
        for (const QString& text : texts) {
            row.append(new QStandardItem(text));
        }
        model.appendRow(row);
    }
    QTableView view;
    view.setWindowTitle("Untitled");
    view.setFont(QFont("Verdana", 11));
    view.setModel(&model);
    view.setColumnHidden(0, true);
    view.resizeColumnsToContents();
    view.resize(857, 447);
    view.show();
    return app.exec();
}
